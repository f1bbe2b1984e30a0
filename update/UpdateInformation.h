// The network half of the update check, living on a thread of its own: it fetches the
// maker's update document once per start, downloads an update file (over HTTPS only) with
// progress, cancel and a time-out without progress, stores it in a temporary folder, unpacks
// or mounts it and starts the updater it finds, after which the panel quits; a chain that
// starts no updater removes its folder. It reaches the controller only through its signals.
#pragma once

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>

class InstallerTools;
class QNetworkAccessManager;
class QNetworkReply;
class QTemporaryDir;
class QTimer;
class QWidget;

// Where the update document is fetched when no address is stored.
extern const QString defaultUpdateInformationUrl;

class UpdateInformation : public QObject {
    Q_OBJECT

public:
    explicit UpdateInformation(QWidget *parent = nullptr);
    ~UpdateInformation() override;

    // The tools that unpack, mount and open; set before the first download.
    void setInstallerTools(InstallerTools *tools);
    // The silence after which a download is given up; set before the first download.
    void setDownloadTimeout(int milliseconds);

    // The stored update-document address, else the built-in one.
    static QString informationUrl();
    // Per cent of a download, saturated to int so that a huge body of unknown size (total
    // -1) stays negative instead of wrapping.
    static int progressPercent(qint64 received, qint64 total);

signals:
    void finishedInformation(QString str);
    void startedDownloadFile();
    void finishedDownloadFile();
    void progressValueChanged(int value);
    void errorDownloadFile();

public slots:
    void downloadInformation();
    void downloadFile(QString url);
    void cancelDownload();
    void timeoutDownload();
    // Runs on the worker's thread as it finishes, so that the network objects and a running
    // tool end on the thread they belong to.
    void releaseOnThreadEnd();

private slots:
    void replyFinishedInfo(QNetworkReply *reply);
    void replyFinishedFileDownload(QNetworkReply *reply);
    void replyFinishedUnzip(int exitCode, QProcess::ExitStatus exitStatus);
    void replyFinishedMount(int exitCode, QProcess::ExitStatus exitStatus);
    void replyDownloadProgress(qint64 received, qint64 total);

private:
    using ToolSlot = void (UpdateInformation::*)(int, QProcess::ExitStatus);
    bool startTool(ToolSlot slot, const QString &program, const QStringList &arguments);
    void openUpdater(const QStringList &arguments);
    void releaseTempDir();
    void discardTempDir();
    // Ends a tool still running, without its end reaching us, and removes the chain's folder.
    void abandonChain();
    void fail();

    QNetworkAccessManager *manager = nullptr;
    QProcess process;
    QTemporaryDir *tempDir = nullptr;
    QString workingDirBefore; // the working folder a chain found, given back when it fails
    QPointer<QNetworkReply> downloadReply;
    QTimer *downloadTimer = nullptr;
    bool timedOut = false;
    bool isExe = false;
    bool isDmg = false;

    InstallerTools *tools;
    int downloadTimeoutMs = 60000;
};
