// The installer-tools layer: the one way the update worker starts the disk-image, unpacking
// and opening tools and looks for the volumes they produce. Program names, arguments and paths
// pass through unchanged; the standard implementation starts real processes, and a tool that
// is not installed (the disk-image and opening tools do not exist on Linux) is reported as a
// start failure. Every tool starts with its input closed, so none can wait for an answer.
// Tests put a recording implementation in its place.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

class InstallerTools {
public:
    InstallerTools() = default;
    virtual ~InstallerTools();
    InstallerTools(const InstallerTools &) = delete;
    InstallerTools &operator=(const InstallerTools &) = delete;

    // Runs a tool to its end: its exit code, -1 when it crashed, -2 when it could not start.
    virtual int execute(const QString &program, const QStringList &arguments);
    // Starts a tool on `process`, whose finished() then reports the end; false when the tool
    // could not be started (finished() does not follow then).
    virtual bool start(QProcess &process, const QString &program, const QStringList &arguments);
    // Starts a tool that is not waited for and may outlive the panel; false when it could not
    // be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments);
    // Whether a file or folder that a tool produces (a mounted volume's content) exists.
    virtual bool exists(const QString &path);

    // The process-wide implementation that starts real processes.
    static InstallerTools &standard();
};
