// The installer chain after a finished download: the file is stored in a fresh temporary
// folder under the name its kind gives, the volumes of earlier attempts are unmounted, a disk
// image is mounted at once and an archive unpacked first, the updater found on the volume is
// opened and the application asked to quit; a chain that starts no updater removes its folder.
// Once with a recording stand-in for the tools for every branch, once end to end with the real
// unzip and recording disk-image and opening programs first on PATH. The tools never wait for
// input, and the worker can go at any point of the chain.
#include "LoopbackServer.h"
#include "UpdateTestSupport.h"

#include <QDataStream>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <signal.h>

using namespace updatetest;

namespace {

const QString firmwareUpdater = QStringLiteral("/Volumes/dmg/OLVANE_Pelvo_Tarvik_firmware.app");
const QString installerPackage =
    QStringLiteral("/Volumes/OLVANE_Pelvo_Tarvik_Installer/OLVANE_Pelvo_Tarvik_Installer.pkg");

const QStringList unmounts = {
    QStringLiteral("execute hdiutil unmount /Volumes/dmg"),
    QStringLiteral("execute hdiutil unmount /Volumes/OLVANE_Pelvo_Tarvik_Installer")};
const QString openFirmware =
    QStringLiteral("detached open /Volumes/dmg/OLVANE_Pelvo_Tarvik_firmware.app");
const QString openInstaller =
    QStringLiteral("detached open /System/Library/CoreServices/installer.app "
                   "/Volumes/OLVANE_Pelvo_Tarvik_Installer/OLVANE_Pelvo_Tarvik_Installer.pkg");

quint32 crc32(const QByteArray &data) {
    quint32 crc = 0xffffffffu;
    for (char ch : data) {
        crc ^= quint8(ch);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A zip archive with its members stored uncompressed.
QByteArray storedZip(const QList<QPair<QByteArray, QByteArray>> &members) {
    QByteArray archive, directory;
    QDataStream out(&archive, QIODevice::WriteOnly);
    QDataStream dir(&directory, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    dir.setByteOrder(QDataStream::LittleEndian);
    for (const auto &m : members) {
        const quint32 offset = quint32(archive.size());
        const quint32 crc = crc32(m.second);
        const quint32 size = quint32(m.second.size());
        const quint16 nameLength = quint16(m.first.size());
        out << quint32(0x04034b50) << quint16(10) << quint16(0) << quint16(0) << quint16(0)
            << quint16(0x21) << crc << size << size << nameLength << quint16(0);
        out.writeRawData(m.first.constData(), m.first.size());
        out.writeRawData(m.second.constData(), m.second.size());
        dir << quint32(0x02014b50) << quint16(20) << quint16(10) << quint16(0) << quint16(0)
            << quint16(0) << quint16(0x21) << crc << size << size << nameLength << quint16(0)
            << quint16(0) << quint16(0) << quint16(0) << quint32(0) << offset;
        dir.writeRawData(m.first.constData(), m.first.size());
    }
    const quint32 directoryOffset = quint32(archive.size());
    archive += directory;
    QDataStream end(&archive, QIODevice::Append);
    end.setByteOrder(QDataStream::LittleEndian);
    end << quint32(0x06054b50) << quint16(0) << quint16(0) << quint16(members.size())
        << quint16(members.size()) << quint32(directory.size()) << directoryOffset << quint16(0);
    return archive;
}

bool writeScript(const QString &path, const QByteArray &body) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write("#!/bin/sh\n" + body);
    f.close();
    return f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
}

QStringList entries(const QString &path) {
    QStringList names =
        QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

// The standard tools with the volumes looked for below a folder of the test's own.
class VolumesUnder : public InstallerTools {
public:
    explicit VolumesUnder(const QString &root) : root_(root) {}
    bool exists(const QString &path) override { return InstallerTools::exists(root_ + path); }

private:
    QString root_;
};

} // namespace

class TestUpdateChain : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void branches_data();
    void branches();
    void twoImagesMountTheFirstListed();
    void failedStartLeavesNoStaleConnection();
    void endToEnd_data();
    void endToEnd();
    void toolsNeverWaitForInput_data();
    void toolsNeverWaitForInput();
    void workerGoesAtAnyPointOfTheChain_data();
    void workerGoesAtAnyPointOfTheChain();

private:
    // The one temporary folder a download made, if it is still there.
    QString downloadFolder() const;
    // Nothing is left of a chain that started no updater.
    void verifyNothingLeft(const QString &folder, const QString &workingDir) const;
    // The server answers over trusted TLS and is where the worker fetches its document.
    void serveDocument(LoopbackServer &server);
    // Serves the document, lets the worker fetch it, then asks for `path`.
    void startDownload(WorkerRig &rig, LoopbackServer &server, const QString &path);

    std::unique_ptr<QTemporaryDir> root_; // TMPDIR of the case
    QByteArray savedTmp_;
    QByteArray savedPath_;
};

void TestUpdateChain::initTestCase() {
    // Closing windows must not end the application loop the quit is observed with.
    QCoreApplication::instance()->setProperty("quitOnLastWindowClosed", false);
}

void TestUpdateChain::init() {
    clearUpdatePreferences();
    savedTmp_ = qgetenv("TMPDIR");
    savedPath_ = qgetenv("PATH");
    root_ = std::make_unique<QTemporaryDir>();
    QVERIFY(root_->isValid());
    QVERIFY(QDir(root_->path()).mkdir(QStringLiteral("tmp")));
    qputenv("TMPDIR", (root_->path() + QStringLiteral("/tmp")).toLocal8Bit());
}

void TestUpdateChain::cleanup() {
    QDir::setCurrent(QDir::rootPath());
    if (savedTmp_.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTmp_);
    qputenv("PATH", savedPath_);
    root_.reset();
}

QString TestUpdateChain::downloadFolder() const {
    const QStringList made = entries(root_->path() + QStringLiteral("/tmp"));
    return made.size() == 1 ? root_->path() + QStringLiteral("/tmp/") + made.first() : QString();
}

void TestUpdateChain::verifyNothingLeft(const QString &folder, const QString &workingDir) const {
    QVERIFY(!folder.isEmpty());
    QVERIFY2(!QFileInfo::exists(folder), qPrintable(entries(folder).join(QLatin1Char(' '))));
    QCOMPARE(entries(root_->path() + QStringLiteral("/tmp")), QStringList());
    QCOMPARE(QDir::currentPath(), workingDir);
}

void TestUpdateChain::serveDocument(LoopbackServer &server) {
    QVERIFY(server.useTrustedTls());
    server.answer("/info.json", "{}");
    setUpdateKey(QStringLiteral("JsonUrl"), server.url(QStringLiteral("/info.json")));
}

void TestUpdateChain::startDownload(WorkerRig &rig, LoopbackServer &server, const QString &path) {
    serveDocument(server);
    rig.fetchInformation();
    QTRY_COMPARE(rig.documents.size(), 1);
    rig.download(server.url(path));
}

void TestUpdateChain::branches_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("unzipScript");
    QTest::addColumn<QString>("mountScript");
    QTest::addColumn<QStringList>("unstartable");
    QTest::addColumn<int>("firmwareAt");    // probe at which the updater appears, 0 never
    QTest::addColumn<int>("installerAt");   // the same for the installer package
    QTest::addColumn<QStringList>("calls"); // after the unmounts; {tmp} is the folder made
    QTest::addColumn<QString>("end");       // quit, error or silent
    QTest::addColumn<QStringList>("files"); // what stays in the folder after a quit

    const QString mountTemp = QStringLiteral("start hdiutil mount {tmp}/temp.dmg");
    const QString unzip = QStringLiteral("start unzip temp.zip");
    const QString ok = QStringLiteral("exit 0");
    const QString crash = QStringLiteral("kill -SEGV $$");

    QTest::newRow("dmg, firmware updater")
        << "/OLVANE_firmware.dmg" << ok << ok << QStringList() << 1 << 0
        << QStringList{mountTemp, openFirmware} << "quit" << QStringList{"temp.dmg"};
    QTest::newRow("DMG in capitals, installer")
        << "/OLVANE_INSTALLER.DMG" << ok << ok << QStringList() << 0 << 1
        << QStringList{mountTemp, openInstaller} << "quit" << QStringList{"temp.dmg"};
    QTest::newRow("zip holding an image")
        << "/OLVANE_installer.zip"
        << "test -f temp.zip && touch OLVANE_Installer.dmg" << ok << QStringList() << 0 << 1
        << QStringList{unzip, "start hdiutil mount {tmp}/OLVANE_Installer.dmg", openInstaller}
        << "quit" << QStringList{"OLVANE_Installer.dmg"};
    QTest::newRow("unzip exit code ignored")
        << "/u.zip"
        << "touch U.Dmg; exit 9" << ok << QStringList() << 1 << 0
        << QStringList{unzip, "start hdiutil mount {tmp}/U.Dmg", openFirmware} << "quit"
        << QStringList{"U.Dmg"};
    QTest::newRow("exe goes the archive way and finds nothing")
        << "/setup.exe"
        << "exit 9" << ok << QStringList() << 1 << 1 << QStringList{unzip} << "error"
        << QStringList();
    QTest::newRow("no image at the top level")
        << "/empty.zip"
        << "touch readme.txt .hidden.dmg; mkdir sub; touch sub/deep.dmg" << ok << QStringList() << 1
        << 1 << QStringList{unzip} << "error" << QStringList();
    QTest::newRow("volume holding both updaters")
        << "/both.dmg" << ok << ok << QStringList() << 1 << 1
        << QStringList{mountTemp, openFirmware} << "quit" << QStringList{"temp.dmg"};
    QTest::newRow("volume appearing at the fourth probe")
        << "/late.dmg" << ok << ok << QStringList() << 0 << 4
        << QStringList{mountTemp, openInstaller} << "quit" << QStringList{"temp.dmg"};
    QTest::newRow("volume appearing at the fifth probe")
        << "/later.dmg" << ok << ok << QStringList() << 5 << 0
        << QStringList{mountTemp, openFirmware} << "quit" << QStringList{"temp.dmg"};
    QTest::newRow("volume never appearing") << "/never.dmg" << ok << ok << QStringList() << 6 << 6
                                            << QStringList{mountTemp} << "silent" << QStringList();
    QTest::newRow("mount exit code ignored")
        << "/m.dmg" << ok << "exit 1" << QStringList() << 1 << 0
        << QStringList{mountTemp, openFirmware} << "quit" << QStringList{"temp.dmg"};
    QTest::newRow("unzip crashing") << "/c.zip"
                                    << "touch part.dmg; " + crash << ok << QStringList() << 1 << 0
                                    << QStringList{unzip} << "error" << QStringList();
    QTest::newRow("mount crashing") << "/c.dmg" << ok << crash << QStringList() << 1 << 0
                                    << QStringList{mountTemp} << "error" << QStringList();
    QTest::newRow("unzip not startable") << "/n.zip" << ok << ok << QStringList{"unzip"} << 1 << 0
                                         << QStringList{unzip} << "error" << QStringList();
    QTest::newRow("disk-image tool not startable")
        << "/n.dmg" << ok << ok << QStringList{"hdiutil"} << 1 << 0 << QStringList{mountTemp}
        << "error" << QStringList();
    QTest::newRow("opening tool not startable")
        << "/o.dmg" << ok << ok << QStringList{"open"} << 1 << 0
        << QStringList{mountTemp, openFirmware} << "error" << QStringList();
}

void TestUpdateChain::branches() {
    QFETCH(QString, path);
    QFETCH(QString, unzipScript);
    QFETCH(QString, mountScript);
    QFETCH(QStringList, unstartable);
    QFETCH(int, firmwareAt);
    QFETCH(int, installerAt);
    QFETCH(QStringList, calls);
    QFETCH(QString, end);
    QFETCH(QStringList, files);

    LoopbackServer server;
    server.answer(path.toUtf8(), "downloaded update");
    RecordingTools tools;
    tools.script(QStringLiteral("unzip"), unzipScript);
    tools.script(QStringLiteral("hdiutil"), mountScript);
    for (const QString &program : unstartable)
        tools.cannotStart(program);
    tools.appearsAt(firmwareUpdater, firmwareAt);
    tools.appearsAt(installerPackage, installerAt);
    WorkerRig rig(&tools);
    const QString workingDir = QDir::currentPath();
    startDownload(rig, server, path);

    if (end == QLatin1String("quit")) {
        QCOMPARE(runUntilQuit(10000), 0);
    } else if (end == QLatin1String("error")) {
        QTRY_VERIFY(rig.events.contains(QStringLiteral("error")));
        QCOMPARE(runUntilQuit(300), 1);
    } else {
        QTRY_VERIFY(tools.probes(firmwareUpdater) == 5 && tools.probes(installerPackage) == 5);
        QCOMPARE(runUntilQuit(300), 1);
        QCOMPARE(tools.probes(firmwareUpdater), 5);
    }
    QCOMPARE(rig.events.count(QStringLiteral("error")), end == QLatin1String("error") ? 1 : 0);

    // Every tool ran in the folder the download was stored in.
    const QString folder = tools.calls().value(0).workingDir;
    QStringList expected = unmounts;
    for (const QString &call : calls)
        expected << QString(call).replace(QStringLiteral("{tmp}"), folder);
    QCOMPARE(tools.summary(), expected);
    for (const RecordingTools::Call &call : tools.calls())
        QCOMPARE(call.workingDir, folder);
    if (end == QLatin1String("quit")) {
        QCOMPARE(downloadFolder(), folder);
        QCOMPARE(entries(folder), files);
    } else {
        verifyNothingLeft(folder, workingDir);
    }
    if (firmwareAt > 0 && firmwareAt <= 5 && calls.contains(openFirmware))
        QCOMPARE(tools.probes(firmwareUpdater), firmwareAt);
    if (installerAt > 0 && installerAt <= 5 && calls.contains(openInstaller))
        QCOMPARE(tools.probes(installerPackage), installerAt);
}

void TestUpdateChain::twoImagesMountTheFirstListed() {
    LoopbackServer server;
    server.answer("/two.zip", "PK");
    RecordingTools tools;
    tools.script(QStringLiteral("unzip"), QStringLiteral("touch a.dmg b.DMG"));
    tools.appearsAt(installerPackage, 1);
    WorkerRig rig(&tools);
    startDownload(rig, server, QStringLiteral("/two.zip"));
    QCOMPARE(runUntilQuit(10000), 0);

    const QString folder = downloadFolder();
    const QStringList listed =
        QDir(folder).entryList({QStringLiteral("*.dmg")}, QDir::Files, QDir::Unsorted);
    QCOMPARE(listed.size(), 2);
    QStringList mounts;
    for (const RecordingTools::Call &call : tools.calls())
        if (call.program == QLatin1String("hdiutil") && call.kind == QLatin1String("start"))
            mounts << call.arguments.join(QLatin1Char(' '));
    QCOMPARE(mounts,
             QStringList{QStringLiteral("mount ") + folder + QLatin1Char('/') + listed.first()});
}

void TestUpdateChain::failedStartLeavesNoStaleConnection() {
    LoopbackServer server;
    server.answer("/first.zip", "PK");
    server.answer("/second.dmg", "image");
    RecordingTools tools;
    tools.cannotStart(QStringLiteral("unzip"));
    tools.appearsAt(firmwareUpdater, 1);
    WorkerRig rig(&tools);
    startDownload(rig, server, QStringLiteral("/first.zip"));
    QTRY_VERIFY(rig.events.contains(QStringLiteral("error")));

    // The next chain's mount ends once, in the mount step alone: a connection left over
    // from the unzip that never ran would unpack and mount a second time.
    rig.download(server.url(QStringLiteral("/second.dmg")));
    QCOMPARE(runUntilQuit(10000), 0);
    QTest::qWait(300);
    const QStringList lines = tools.summary();
    QCOMPARE(lines.filter(QStringLiteral("start hdiutil mount")).size(), 1);
    QCOMPARE(lines.filter(QStringLiteral("detached open")).size(), 1);
    QCOMPARE(rig.events.count(QStringLiteral("error")), 1);
}

void TestUpdateChain::endToEnd_data() {
    QTest::addColumn<bool>("diskImageTool");
    QTest::addColumn<bool>("openingTool");
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QString>("end");
    const QByteArray firmware =
        storedZip({{"OLVANE_firmware.dmg", "dmg/OLVANE_Pelvo_Tarvik_firmware.app"},
                   {"ReadMe.txt", "firmware 1.05"}});
    // unzip asks before it replaces a file: the archive itself, or a member it has unpacked.
    const QByteArray asking =
        storedZip({{"OLVANE_firmware.dmg", "dmg/OLVANE_Pelvo_Tarvik_firmware.app"},
                   {"ReadMe.txt", "firmware 1.05"},
                   {"temp.zip", "an archive in the archive"},
                   {"ReadMe.txt", "again"}});
    QTest::newRow("recording disk-image and opening tools") << true << true << firmware << "quit";
    QTest::newRow("no disk-image tool installed") << false << true << firmware << "error";
    QTest::newRow("no opening tool installed") << true << false << firmware << "error";
    QTest::newRow("members that make unzip ask") << true << true << asking << "quit";
    QTest::newRow("members that make unzip ask, no disk-image tool")
        << false << true << asking << "error";
}

void TestUpdateChain::endToEnd() {
    QFETCH(bool, diskImageTool);
    QFETCH(bool, openingTool);
    QFETCH(QByteArray, archive);
    QFETCH(QString, end);
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        QSKIP("unzip is not installed");
    if (!QStandardPaths::findExecutable(QStringLiteral("hdiutil")).isEmpty() ||
        !QStandardPaths::findExecutable(QStringLiteral("open")).isEmpty())
        QSKIP("this system has tools of those names of its own");

    const QString bin = root_->path() + QStringLiteral("/bin");
    const QString log = root_->path() + QStringLiteral("/tools.log");
    const QString volumes = root_->path() + QStringLiteral("/root");
    QVERIFY(QDir().mkpath(bin));
    // The image names the volume folder its mount produces.
    if (diskImageTool)
        QVERIFY(writeScript(bin + QStringLiteral("/hdiutil"),
                            "echo \"hdiutil $*\" >> '" + log.toUtf8() +
                                "'\n"
                                "if [ \"$1\" = mount ]; then mkdir -p '" +
                                volumes.toUtf8() + "/Volumes/'\"$(cat \"$2\")\"; fi\n"));
    if (openingTool)
        QVERIFY(writeScript(bin + QStringLiteral("/open"),
                            "echo \"open $*\" >> '" + log.toUtf8() + "'\n"));
    qputenv("PATH", bin.toLocal8Bit() + ':' + savedPath_);

    LoopbackServer server;
    server.answer("/OLVANE_firmware.zip", archive);
    server.answer("/next.zip", archive);
    VolumesUnder tools(volumes);
    WorkerRig rig(&tools);
    const QString workingDir = QDir::currentPath();
    startDownload(rig, server, QStringLiteral("/OLVANE_firmware.zip"));

    const auto logged = [&log] {
        QFile logFile(log);
        if (!logFile.open(QIODevice::ReadOnly))
            return QStringList();
        return QString::fromUtf8(logFile.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    };
    if (end == QLatin1String("quit")) {
        QCOMPARE(runUntilQuit(20000), 0);
        const QString folder = downloadFolder();
        QCOMPARE(entries(folder), (QStringList{QStringLiteral("OLVANE_firmware.dmg"),
                                               QStringLiteral("ReadMe.txt")}));
        QCOMPARE(QDir::currentPath(), folder);
        // The opening tool is not waited for; its line comes when it has run.
        QTRY_COMPARE(logged(), (QStringList{QStringLiteral("hdiutil unmount /Volumes/dmg"),
                                            QStringLiteral("hdiutil unmount /Volumes/"
                                                           "OLVANE_Pelvo_Tarvik_Installer"),
                                            QStringLiteral("hdiutil mount ") + folder +
                                                QStringLiteral("/OLVANE_firmware.dmg"),
                                            QStringLiteral("open /Volumes/dmg/"
                                                           "OLVANE_Pelvo_Tarvik_firmware.app")}));
        return;
    }

    QTRY_VERIFY_WITH_TIMEOUT(rig.events.contains(QStringLiteral("error")), 20000);
    QCOMPARE(runUntilQuit(300), 1);
    QCOMPARE(entries(root_->path() + QStringLiteral("/tmp")), QStringList());
    QCOMPARE(QDir::currentPath(), workingDir);
    // The folder the image was mounted from is gone with the chain.
    QStringList lines = logged();
    if (diskImageTool) {
        QCOMPARE(lines.size(), 3);
        const QString mount = lines.takeLast();
        QVERIFY2(mount.startsWith(QStringLiteral("hdiutil mount ") + root_->path() +
                                  QStringLiteral("/tmp/")) &&
                     mount.endsWith(QLatin1String("/OLVANE_firmware.dmg")),
                 qPrintable(mount));
        QCOMPARE(lines, (QStringList{QStringLiteral("hdiutil unmount /Volumes/dmg"),
                                     QStringLiteral("hdiutil unmount /Volumes/"
                                                    "OLVANE_Pelvo_Tarvik_Installer")}));
    } else {
        QCOMPARE(lines, QStringList());
    }

    // The chain has ended: the next download is taken and runs its own chain.
    rig.download(server.url(QStringLiteral("/next.zip")));
    QTRY_VERIFY_WITH_TIMEOUT(rig.events.count(QStringLiteral("error")) == 2, 20000);
    QCOMPARE(rig.events.count(QStringLiteral("started")), 2);
    QCOMPARE(server.requested().count("/next.zip"), 1);
    QCOMPARE(entries(root_->path() + QStringLiteral("/tmp")), QStringList());
}

void TestUpdateChain::toolsNeverWaitForInput_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("run to its end") << "execute";
    QTest::newRow("started") << "start";
    QTest::newRow("started detached") << "detached";
}

void TestUpdateChain::toolsNeverWaitForInput() {
    QFETCH(QString, how);
    // The tool notes what its input is: a pipe nobody writes would keep a question waiting.
    const QString seen = root_->path() + QStringLiteral("/input");
    const QStringList arguments{QStringLiteral("-c"),
                                QStringLiteral("readlink /proc/self/fd/0 > '%1.part' && mv "
                                               "'%1.part' '%1'")
                                    .arg(seen)};
    InstallerTools &tools = InstallerTools::standard();
    if (how == QLatin1String("execute")) {
        QCOMPARE(tools.execute(QStringLiteral("/bin/sh"), arguments), 0);
    } else if (how == QLatin1String("start")) {
        QProcess process;
        QVERIFY(tools.start(process, QStringLiteral("/bin/sh"), arguments));
        QVERIFY(process.waitForFinished(10000));
    } else {
        QVERIFY(tools.startDetached(QStringLiteral("/bin/sh"), arguments));
    }
    QTRY_VERIFY(QFileInfo::exists(seen));
    QFile file(seen);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().trimmed(), QByteArray("/dev/null"));
}

void TestUpdateChain::workerGoesAtAnyPointOfTheChain_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("busy"); // the tool that is still running, empty for none
    QTest::addColumn<bool>("onItsThread");
    for (bool onItsThread : {true, false}) {
        const char *where = onItsThread ? "on its thread" : "on the caller's thread";
        QTest::addRow("while downloading, %s", where) << "/stalled.zip"
                                                      << "" << onItsThread;
        QTest::addRow("while unpacking, %s", where) << "/pkg.zip"
                                                    << "unzip" << onItsThread;
        QTest::addRow("while mounting, %s", where) << "/pkg.dmg"
                                                   << "hdiutil" << onItsThread;
    }
}

void TestUpdateChain::workerGoesAtAnyPointOfTheChain() {
    QFETCH(QString, path);
    QFETCH(QString, busy);
    QFETCH(bool, onItsThread);
    LoopbackServer server;
    server.answer("/stalled.zip", LoopbackServer::stalled());
    server.answer("/pkg.zip", "PK");
    server.answer("/pkg.dmg", "image");
    serveDocument(server);

    // The busy tool writes its process number, then runs far longer than the test.
    const QString pidFile = root_->path() + QStringLiteral("/tool.pid");
    RecordingTools tools;
    if (!busy.isEmpty())
        tools.script(busy, QStringLiteral("echo $$ > '%1.part' && mv '%1.part' '%1' && exec sleep "
                                          "60")
                               .arg(pidFile));
    const QString workingDir = QDir::currentPath();

    std::unique_ptr<WorkerRig> rig;
    std::unique_ptr<UpdateInformation> worker;
    QStringList events;
    if (onItsThread) {
        rig = std::make_unique<WorkerRig>(&tools);
        rig->fetchInformation();
        QTRY_COMPARE(rig->documents.size(), 1);
        rig->download(server.url(path));
    } else {
        worker = std::make_unique<UpdateInformation>();
        worker->setInstallerTools(&tools);
        connect(worker.get(), &UpdateInformation::errorDownloadFile, this,
                [&events] { events << QStringLiteral("error"); });
        worker->downloadInformation();
        QTRY_VERIFY(server.requested().contains("/info.json"));
        QTest::qWait(100);
        worker->downloadFile(server.url(path));
    }
    QTRY_VERIFY(server.requested().contains(path.toUtf8()));
    qint64 pid = 0;
    if (!busy.isEmpty()) {
        QTRY_VERIFY(QFileInfo::exists(pidFile));
        QFile file(pidFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        pid = file.readAll().trimmed().toLongLong();
        QVERIFY(pid > 0);
        QVERIFY(::kill(pid_t(pid), 0) == 0);
    }

    rig.reset();
    worker.reset();
    QVERIFY(events.isEmpty());
    if (pid > 0)
        QVERIFY2(::kill(pid_t(pid), 0) != 0, "the tool outlived the worker");
    QCOMPARE(entries(root_->path() + QStringLiteral("/tmp")), QStringList());
    QCOMPARE(QDir::currentPath(), workingDir);
}

QTEST_GUILESS_MAIN(TestUpdateChain)
#include "tst_update_chain.moc"
