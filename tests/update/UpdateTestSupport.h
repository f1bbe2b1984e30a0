// Shared by the update suites: the stored update preferences read and written as a fresh
// settings object sees them, a recording stand-in for the installer tools, a worker running
// on its own thread with its reports collected on the test's thread, and a wait for the
// application's quit that does not end the test.
#pragma once

#include "InstallerTools.h"
#include "UpdateInformation.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QMutex>
#include <QSettings>
#include <QThread>
#include <QTimer>
#include <QtTest>

namespace updatetest {

inline void setUpdateKey(const QString &key, const QVariant &value) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("MORVEX"),
                QStringLiteral("KX-Pelvo_Tarvik_Setting"));
    s.setIniCodec("UTF-8");
    s.beginGroup(QStringLiteral("Update"));
    if (value.isValid())
        s.setValue(key, value);
    else
        s.remove(key);
    s.endGroup();
    s.sync();
}

inline QVariant updateKey(const QString &key) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("MORVEX"),
                QStringLiteral("KX-Pelvo_Tarvik_Setting"));
    s.setIniCodec("UTF-8");
    s.beginGroup(QStringLiteral("Update"));
    return s.value(key);
}

inline void clearUpdatePreferences() {
    for (const char *key : {"JsonUrl", "SoftDialog", "FirmDialog", "InfoDialog"})
        setUpdateKey(QString::fromLatin1(key), QVariant());
}

// Runs the application's event loop until something asks it to quit (0) or the time is up
// (1). The loop is the real one, so a quit asked of the application ends it here and not the
// test.
inline int runUntilQuit(int timeoutMs) {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(timeoutMs);
    return QCoreApplication::exec();
}

// Stands in for the installer tools: records every call with the working folder it was made
// in, runs each asynchronous tool as a small shell script (so the worker sees a real process
// end), and answers the volume probes from a table of when each path appears.
class RecordingTools : public InstallerTools {
public:
    struct Call {
        QString kind; // execute, start, detached
        QString program;
        QStringList arguments;
        QString workingDir;
    };

    int execute(const QString &program, const QStringList &arguments) override {
        record(QStringLiteral("execute"), program, arguments);
        return 0;
    }
    bool start(QProcess &process, const QString &program, const QStringList &arguments) override {
        record(QStringLiteral("start"), program, arguments);
        QString script;
        {
            QMutexLocker lock(&mutex_);
            if (unstartable_.contains(program))
                return false;
            script = scripts_.value(program, QStringLiteral("exit 0"));
        }
        process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
        return process.waitForStarted();
    }
    bool startDetached(const QString &program, const QStringList &arguments) override {
        record(QStringLiteral("detached"), program, arguments);
        QMutexLocker lock(&mutex_);
        return !unstartable_.contains(program);
    }
    bool exists(const QString &path) override {
        QMutexLocker lock(&mutex_);
        const int probe = ++probes_[path];
        const int appears = appearsAt_.value(path, 0);
        return appears > 0 && probe >= appears;
    }

    // The shell script that plays `program` (run in the worker's working folder).
    void script(const QString &program, const QString &body) {
        QMutexLocker lock(&mutex_);
        scripts_[program] = body;
    }
    void cannotStart(const QString &program) {
        QMutexLocker lock(&mutex_);
        unstartable_ << program;
    }
    // `path` exists from its n-th probe on (1 = at once).
    void appearsAt(const QString &path, int probe) {
        QMutexLocker lock(&mutex_);
        appearsAt_[path] = probe;
    }
    QList<Call> calls() const {
        QMutexLocker lock(&mutex_);
        return calls_;
    }
    int probes(const QString &path) const {
        QMutexLocker lock(&mutex_);
        return probes_.value(path);
    }
    QStringList summary() const {
        QStringList lines;
        for (const Call &c : calls())
            lines << c.kind + QLatin1Char(' ') + c.program + QLatin1Char(' ') +
                         c.arguments.join(QLatin1Char(' '));
        return lines;
    }

private:
    void record(const QString &kind, const QString &program, const QStringList &arguments) {
        QMutexLocker lock(&mutex_);
        calls_ << Call{kind, program, arguments, QDir::currentPath()};
    }

    mutable QMutex mutex_;
    QList<Call> calls_;
    QHash<QString, QString> scripts_;
    QStringList unstartable_;
    QHash<QString, int> appearsAt_;
    QHash<QString, int> probes_;
};

// One worker on a thread of its own, as the controller runs it; its reports are collected on
// the test's thread.
class WorkerRig {
public:
    explicit WorkerRig(InstallerTools *tools = nullptr) {
        if (tools)
            worker.setInstallerTools(tools);
        worker.moveToThread(&thread);
        QObject::connect(&thread, &QThread::finished, &worker,
                         &UpdateInformation::releaseOnThreadEnd, Qt::DirectConnection);
        QObject::connect(&worker, &UpdateInformation::finishedInformation, &receiver,
                         [this](QString text) { documents << text; });
        QObject::connect(&worker, &UpdateInformation::startedDownloadFile, &receiver,
                         [this] { events << QStringLiteral("started"); });
        QObject::connect(&worker, &UpdateInformation::finishedDownloadFile, &receiver,
                         [this] { events << QStringLiteral("finished"); });
        QObject::connect(&worker, &UpdateInformation::errorDownloadFile, &receiver,
                         [this] { events << QStringLiteral("error"); });
        QObject::connect(&worker, &UpdateInformation::progressValueChanged, &receiver,
                         [this](int value) { progress << value; });
        thread.start();
    }
    ~WorkerRig() {
        thread.quit();
        thread.wait();
    }
    WorkerRig(const WorkerRig &) = delete;
    WorkerRig &operator=(const WorkerRig &) = delete;

    void fetchInformation() {
        QMetaObject::invokeMethod(&worker, "downloadInformation", Qt::QueuedConnection);
    }
    void download(const QString &url) {
        QMetaObject::invokeMethod(&worker, "downloadFile", Qt::QueuedConnection,
                                  Q_ARG(QString, url));
    }
    void cancel() { QMetaObject::invokeMethod(&worker, "cancelDownload", Qt::QueuedConnection); }

    UpdateInformation worker;
    QThread thread;
    QObject receiver;
    QStringList documents;
    QStringList events;
    QList<int> progress;
};

} // namespace updatetest
