// Standard installer tools: real processes in the panel's current working directory, each
// with its input closed.
#include "InstallerTools.h"

#include <QFileInfo>

namespace {

// Nobody answers a tool's question: it reads the end of its input at once (unzip then takes
// "none" for a file it would replace) instead of waiting on a pipe that is never written.
void closeInput(QProcess &process) {
    process.setStandardInputFile(QProcess::nullDevice());
}

} // namespace

InstallerTools::~InstallerTools() = default;

int InstallerTools::execute(const QString &program, const QStringList &arguments) {
    QProcess process;
    closeInput(process);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.error() == QProcess::FailedToStart)
        return -2;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool InstallerTools::start(QProcess &process, const QString &program,
                           const QStringList &arguments) {
    closeInput(process);
    process.start(program, arguments, QIODevice::ReadWrite);
    // A program that is missing or not executable fails here, before anything runs.
    return process.waitForStarted();
}

bool InstallerTools::startDetached(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    closeInput(process);
    return process.startDetached();
}

bool InstallerTools::exists(const QString &path) {
    return QFileInfo::exists(path);
}

InstallerTools &InstallerTools::standard() {
    static InstallerTools tools;
    return tools;
}
