#include "UpdateInformation.h"

#include "DataManager.h"
#include "InstallerTools.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <limits>

const QString defaultUpdateInformationUrl =
    QStringLiteral("https://morvex.example/download/fw/OLVANE/OLVANE_UpdateInformation.json");

namespace {

const QString hdiutil = QStringLiteral("hdiutil");
const QString openTool = QStringLiteral("open");
const QString unzipCommandLine = QStringLiteral("unzip temp.zip");
const QString firmwareVolume = QStringLiteral("/Volumes/dmg");
const QString installerVolume = QStringLiteral("/Volumes/OLVANE_Pelvo_Tarvik_Installer");
const QString firmwareUpdater = QStringLiteral("/Volumes/dmg/OLVANE_Pelvo_Tarvik_firmware.app");
const QString installerPackage =
    QStringLiteral("/Volumes/OLVANE_Pelvo_Tarvik_Installer/OLVANE_Pelvo_Tarvik_Installer.pkg");
const QString systemInstaller = QStringLiteral("/System/Library/CoreServices/installer.app");
const QString canceledText = QStringLiteral("Operation canceled");

// A mounted volume may take a moment to appear.
constexpr int volumeProbes = 5;
constexpr unsigned long volumeProbePauseMs = 100;

const auto processFinished = QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished);

} // namespace

UpdateInformation::UpdateInformation(QWidget *parent)
    : QObject(parent), process(this), tools(&InstallerTools::standard()) {}

UpdateInformation::~UpdateInformation() {
    // Normally released on the worker's thread already (releaseOnThreadEnd). A tool still
    // running is ended first: its end must not call back into a worker half destroyed.
    abandonChain();
    delete downloadTimer;
    delete manager;
}

void UpdateInformation::setInstallerTools(InstallerTools *installerTools) {
    tools = installerTools;
}

void UpdateInformation::setDownloadTimeout(int milliseconds) {
    downloadTimeoutMs = milliseconds;
}

QString UpdateInformation::informationUrl() {
    // A stored address is taken as it stands, blanks and all.
    const QString stored = dm.getJsonUrl();
    return stored.isEmpty() ? defaultUpdateInformationUrl : stored;
}

int UpdateInformation::progressPercent(qint64 received, qint64 total) {
    const qint64 percent = received * 100 / total;
    if (percent > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (percent < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(percent);
}

void UpdateInformation::downloadInformation() {
    if (manager)
        return; // the document is fetched once per start
    manager = new QNetworkAccessManager;
    const QString address = informationUrl();
    connect(manager, &QNetworkAccessManager::finished, this, &UpdateInformation::replyFinishedInfo);
    // No redirect policy of our own: a redirect answer is not followed.
    manager->get(QNetworkRequest(QUrl(address, QUrl::TolerantMode)));
}

void UpdateInformation::replyFinishedInfo(QNetworkReply *reply) {
    // Every later reply of the manager is a file download.
    disconnect(manager, &QNetworkAccessManager::finished, this,
               &UpdateInformation::replyFinishedInfo);
    connect(manager, &QNetworkAccessManager::finished, this,
            &UpdateInformation::replyFinishedFileDownload);
    if (reply->error() != QNetworkReply::NoError)
        return;
    const QByteArray body = reply->readAll();
    const int nul = body.indexOf('\0');
    const QByteArray text = nul < 0 ? body : body.left(nul);
    emit finishedInformation(QString::fromUtf8(text.constData(), text.size()));
}

void UpdateInformation::downloadFile(QString url) {
    // One download at a time, its unpacking and mounting included: the worker keeps one
    // reply, one timer and one tool process.
    if (!manager || (downloadReply && downloadReply->isRunning()) ||
        process.state() != QProcess::NotRunning)
        return;
    // An update package is taken only from a server that proved who it is: any other
    // address (plain HTTP, a local file, inline data, none at all) is a failed download.
    const QUrl address(url, QUrl::TolerantMode);
    if (address.scheme() != QLatin1String("https")) {
        fail();
        return;
    }
    isExe = url.endsWith(QLatin1String("exe"), Qt::CaseInsensitive);
    isDmg = url.endsWith(QLatin1String("dmg"), Qt::CaseInsensitive);

    downloadTimer = new QTimer;
    downloadTimer->setSingleShot(true);
    downloadTimer->start(downloadTimeoutMs);
    timedOut = false;
    connect(downloadTimer, &QTimer::timeout, this, &UpdateInformation::timeoutDownload);

    downloadReply = manager->get(QNetworkRequest(address));
    connect(downloadReply, &QNetworkReply::downloadProgress, this,
            &UpdateInformation::replyDownloadProgress);
    emit startedDownloadFile();
}

void UpdateInformation::replyDownloadProgress(qint64 received, qint64 total) {
    if (total == 0)
        return;
    emit progressValueChanged(progressPercent(received, total));
    // The time-out counts silence, not the length of the download.
    if (downloadTimer)
        downloadTimer->start(downloadTimeoutMs);
}

void UpdateInformation::cancelDownload() {
    if (downloadReply && downloadReply->isRunning())
        downloadReply->abort();
}

void UpdateInformation::timeoutDownload() {
    // Set before the abort: the aborted reply is judged before abort() returns.
    timedOut = true;
    if (downloadReply && downloadReply->isRunning())
        downloadReply->abort();
}

void UpdateInformation::releaseOnThreadEnd() {
    abandonChain();
    delete downloadTimer;
    downloadTimer = nullptr;
    if (manager) {
        // A reply that ends with its manager is nobody's news any more.
        disconnect(manager, nullptr, this, nullptr);
        delete manager;
        manager = nullptr;
    }
}

void UpdateInformation::fail() {
    discardTempDir();
    emit errorDownloadFile();
}

void UpdateInformation::releaseTempDir() {
    // The folder and what is in it stay on disk for the updater that runs from them; only
    // the object goes.
    delete tempDir;
    tempDir = nullptr;
    workingDirBefore.clear();
}

void UpdateInformation::discardTempDir() {
    // A chain that starts no updater leaves nothing behind: not the package, and not a
    // working folder that no longer exists.
    if (!tempDir)
        return;
    if (!workingDirBefore.isEmpty())
        QDir::setCurrent(workingDirBefore);
    tempDir->remove();
    releaseTempDir();
}

void UpdateInformation::abandonChain() {
    disconnect(&process, nullptr, this, nullptr);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    discardTempDir();
}

void UpdateInformation::replyFinishedFileDownload(QNetworkReply *reply) {
    emit finishedDownloadFile();
    if (downloadTimer) {
        disconnect(downloadTimer, &QTimer::timeout, this, &UpdateInformation::timeoutDownload);
        downloadTimer->stop();
        // After a time-out we are inside the timer's own signal.
        downloadTimer->deleteLater();
        downloadTimer = nullptr;
    }

    if (reply->error() != QNetworkReply::NoError) {
        // A cancel by the user is no failure; the same abort after a time-out is.
        if (reply->errorString() != canceledText || timedOut)
            fail();
        return;
    }
    // Redirects and other answers outside 2xx carry no update file.
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299)) {
        fail();
        return;
    }
    if (reply->size() == 0) {
        fail();
        return;
    }

    discardTempDir();
    tempDir = new QTemporaryDir;
    tempDir->setAutoRemove(false);
    if (!tempDir->isValid()) {
        fail();
        return;
    }
    const QString fileName = isExe   ? QStringLiteral("temp.exe")
                             : isDmg ? QStringLiteral("temp.dmg")
                                     : QStringLiteral("temp.zip");
    // The tools resolve the relative names against the process's working folder.
    workingDirBefore = QDir::currentPath();
    if (!QDir::setCurrent(tempDir->path())) {
        fail();
        return;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        fail();
        return;
    }
    const QByteArray body = reply->readAll();
    const bool written = file.write(body) == body.size();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        fail();
        return;
    }

    // Volumes that an earlier attempt left mounted; nothing mounted there is no failure.
    tools->execute(hdiutil, {QStringLiteral("unmount"), firmwareVolume});
    tools->execute(hdiutil, {QStringLiteral("unmount"), installerVolume});

    // The folder is kept in hand until the chain ends, to be removed should it fail.
    if (isDmg) {
        startTool(&UpdateInformation::replyFinishedMount, hdiutil,
                  {QStringLiteral("mount"), tempDir->path() + QStringLiteral("/temp.dmg")});
        return;
    }
    QStringList command = QProcess::splitCommand(unzipCommandLine);
    const QString program = command.takeFirst();
    startTool(&UpdateInformation::replyFinishedUnzip, program, command);
}

void UpdateInformation::replyFinishedUnzip(int, QProcess::ExitStatus exitStatus) {
    QFile::remove(QStringLiteral("temp.zip"));
    disconnect(&process, processFinished, this, &UpdateInformation::replyFinishedUnzip);
    // Only a crash counts; unzip's own exit code is not looked at.
    if (exitStatus == QProcess::CrashExit) {
        fail();
        return;
    }
    const QFileInfoList images =
        QDir(tempDir->path()).entryInfoList({QStringLiteral("*.dmg")}, QDir::Files, QDir::Unsorted);
    if (images.isEmpty()) {
        fail();
        return;
    }
    startTool(&UpdateInformation::replyFinishedMount, hdiutil,
              {QStringLiteral("mount"), images.first().absoluteFilePath()});
}

void UpdateInformation::replyFinishedMount(int, QProcess::ExitStatus exitStatus) {
    disconnect(&process, processFinished, this, &UpdateInformation::replyFinishedMount);
    if (exitStatus == QProcess::CrashExit) {
        fail();
        return;
    }
    for (int probe = 0; probe < volumeProbes; ++probe) {
        // The firmware updater wins when a volume holds both.
        if (tools->exists(firmwareUpdater)) {
            openUpdater({firmwareUpdater});
            return;
        }
        if (tools->exists(installerPackage)) {
            openUpdater({systemInstaller, installerPackage});
            return;
        }
        QThread::msleep(volumeProbePauseMs);
    }
    // No updater appeared: the panel keeps running without a word, and the chain goes.
    discardTempDir();
}

void UpdateInformation::openUpdater(const QStringList &arguments) {
    if (!tools->startDetached(openTool, arguments)) {
        fail();
        return;
    }
    releaseTempDir();
    // The application's event loop belongs to the GUI thread.
    QCoreApplication *app = QCoreApplication::instance();
    QMetaObject::invokeMethod(
        app, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
}

bool UpdateInformation::startTool(ToolSlot slot, const QString &program,
                                  const QStringList &arguments) {
    // Each connection serves one run of the tool.
    connect(&process, processFinished, this, slot);
    if (tools->start(process, program, arguments))
        return true;
    disconnect(&process, processFinished, this, slot);
    fail();
    return false;
}
