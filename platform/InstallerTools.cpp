// Standard installer tools: real processes in the panel's current working directory.
#include "InstallerTools.h"

#include <QFileInfo>

InstallerTools::~InstallerTools() = default;

int InstallerTools::execute(const QString &program, const QStringList &arguments) {
    return QProcess::execute(program, arguments);
}

bool InstallerTools::start(QProcess &process, const QString &program,
                           const QStringList &arguments) {
    process.start(program, arguments, QIODevice::ReadWrite);
    // A program that is missing or not executable fails here, before anything runs.
    return process.waitForStarted();
}

bool InstallerTools::startDetached(const QString &program, const QStringList &arguments) {
    return QProcess::startDetached(program, arguments);
}

bool InstallerTools::exists(const QString &path) {
    return QFileInfo::exists(path);
}

InstallerTools &InstallerTools::standard() {
    static InstallerTools tools;
    return tools;
}
