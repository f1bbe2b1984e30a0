// The store's frame: its files and typed loaders, the device queries it forwards, the track
// name and pan maps, the whole-file handling for the scene memories, and the update
// address read from another thread.
#include "StoreFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

using namespace storetest;

class TestStoreFrame : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fixture.start(); }
    void init() { fixture.reset(); }

    void sharedConstants();
    void filesAreTheNamedIniFilesOfTheUser();
    void loadersOnAnEmptyFile();
    void loadersOnStoredValues_data();
    void loadersOnStoredValues();
    void eachAccessClosesItsGroup();
    void clockSourceFileIsSeparate();

    void queriesForwardToTheUnit_data();
    void queriesForwardToTheUnit();
    void deviceNameStaysNoDevice();
    void unitIsSelected();
    void initializeParameterLetsEqualValuesGoAgain();

    void trackMaps_data();
    void trackMaps();
    void panLabels_data();
    void panLabels();

    void copyWritesPendingChangesFirst();
    void replaceReadsTheNewFileAndDropsNothingOfIt();
    void replaceOfEqualSizeIsSeenAtOnce();
    void removeLeavesDefaults();

    void updateAddressFromAnotherThread();
    void changesReachTheFilesAtProcessExit();

private:
    StoreFixture fixture;
};

void TestStoreFrame::sharedConstants() {
    QCOMPARE(softwareVersion, QStringLiteral("1.00 0059"));
    QCOMPARE(dm.getSoftwareVersion(), QStringLiteral("1.00 0059"));
    QCOMPARE(organizationName, QStringLiteral("MORVEX"));
    QCOMPARE(settingsName, QStringLiteral("KX-Pelvo_Tarvik_Setting"));
    QCOMPARE(sceneMemorySettingsName, QStringLiteral("KX-Pelvo_Tarvik_SceneMemory"));
    QCOMPARE(clockSourceSettingsName, QStringLiteral("KX-Pelvo_Tarvik_Setting_ClockSource"));
    QCOMPARE(baseSettingsName, QStringLiteral("KX-Pelvo_Tarvik"));
}

void TestStoreFrame::filesAreTheNamedIniFilesOfTheUser() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                        QStringLiteral("/MORVEX/");
    QCOMPARE(dm.currentStateFileName(), dir + QStringLiteral("KX-Pelvo_Tarvik_Setting.ini"));
    dm.notifyTrackMute(QStringLiteral("Track9"), true);
    dm.notifySampleClockSourceId(4, 0);
    dm.notifySceneMemoryName(QStringLiteral("SceneMemory1"), QStringLiteral("Live"));
    dm.flushCurrentState();
    QSettings mixer(dir + QStringLiteral("KX-Pelvo_Tarvik_Setting.ini"), QSettings::IniFormat);
    QCOMPARE(mixer.value(QStringLiteral("Track9/Mute")).toBool(), true);
    QVERIFY(QFileInfo::exists(dir + QStringLiteral("KX-Pelvo_Tarvik_SceneMemory.ini")));
    QCOMPARE(stored(clockSourceSettingsName, "Interface", "SampleClockSourceId").toInt(), 4);
}

void TestStoreFrame::loadersOnAnEmptyFile() {
    const QString g = QStringLiteral("Track1"), k = QStringLiteral("Nothing");
    QCOMPARE(dm.loadSetting(g, k), ushort(365));
    QCOMPARE(dm.loadSetting_Upper(g, k), ushort(453));
    QCOMPARE(dm.loadSettingBool(g, k), false);
    QCOMPARE(dm.loadSettingBool_True(g, k), true);
    QCOMPARE(dm.loadSettingString(g, k), QString());
    QCOMPARE(dm.loadSettingDouble(g, k), 1000.0);
    QCOMPARE(dm.loadClockSourceSetting(QStringLiteral("Interface"), k), ushort(0));
}

void TestStoreFrame::loadersOnStoredValues_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("asInteger");
    QTest::addColumn<double>("asDouble");
    QTest::newRow("plain") << QVariant(42) << 42 << 42.0;
    QTest::newRow("low 16 bits") << QVariant(70000) << 4464 << 70000.0;
    QTest::newRow("minus one") << QVariant(-1) << 65535 << -1.0;
    QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << 0 << 0.0;
    QTest::newRow("marker value") << QVariant(365) << 365 << 365.0;
}

void TestStoreFrame::loadersOnStoredValues() {
    QFETCH(QVariant, value);
    QFETCH(int, asInteger);
    QFETCH(double, asDouble);
    dm.saveSetting(QStringLiteral("Misc"), QStringLiteral("Probe"), value);
    QCOMPARE(int(dm.loadSetting(QStringLiteral("Misc"), QStringLiteral("Probe"))), asInteger);
    QCOMPARE(int(dm.loadSetting_Upper(QStringLiteral("Misc"), QStringLiteral("Probe"))), asInteger);
    QCOMPARE(dm.loadSettingDouble(QStringLiteral("Misc"), QStringLiteral("Probe")), asDouble);
    QCOMPARE(storedMixer("Misc", "Probe"), value);
}

void TestStoreFrame::eachAccessClosesItsGroup() {
    dm.notifyTrackMute(QStringLiteral("Track2"), true);
    dm.notifyTrackSolo(QStringLiteral("Track2"), true);
    // A following access of another group is not nested inside "Track2".
    dm.notifyReverbMode(3);
    QCOMPARE(dm.getReverbMode(), uchar(3));
    QCOMPARE(storedMixer("Reverb", "Mode").toInt(), 3);
    QCOMPARE(storedMixer("Track2", "Mute").toBool(), true);
    QCOMPARE(storedMixer("Track2", "Solo").toBool(), true);
    QVERIFY(!storedMixer("Track2/Reverb", "Mode").isValid());
}

void TestStoreFrame::clockSourceFileIsSeparate() {
    dm.saveClockSourceSetting(QStringLiteral("Interface"), QStringLiteral("Optical_A"), 2);
    QCOMPARE(stored(clockSourceSettingsName, "Interface", "Optical_A").toInt(), 2);
    QVERIFY(!storedMixer("Interface", "Optical_A").isValid());
    QCOMPARE(dm.loadSetting(QStringLiteral("Interface"), QStringLiteral("Optical_A")), ushort(365));
    // Removing the current-state file leaves the clock choices.
    QVERIFY(dm.removeCurrentState());
    QCOMPARE(dm.getOpticalInputIndex(QStringLiteral("Optical_A")), uchar(2));
}

void TestStoreFrame::queriesForwardToTheUnit_data() {
    QTest::addColumn<int>("query");
    QTest::addColumn<int>("tag");
    QTest::newRow("sample rate") << 0 << int(KXCTL_TAG_HZ);
    QTest::newRow("firmware version") << 1 << int(KXCTL_TAG_VERSION_GET);
    QTest::newRow("digital input status") << 2 << int(KXCTL_TAG_CLOCKLOCK);
    QTest::newRow("operating mode") << 3 << int(KXCTL_TAG_DSPMODE);
    QTest::newRow("clock source") << 4 << int(KXCTL_TAG_CLOCKSOURCE);
    QTest::newRow("level meters") << 5 << int(KXCTL_TAG_METER_GET);
    QTest::newRow("save into the unit") << 6 << int(KXCTL_TAG_CONFIG_SAVE);
}

void TestStoreFrame::queriesForwardToTheUnit() {
    QFETCH(int, query);
    QFETCH(int, tag);
    switch (query) {
    case 0:
        dm.getSampleRate();
        break;
    case 1:
        dm.getFirmVersion();
        break;
    case 2:
        dm.getDigitalInputStatus();
        break;
    case 3:
        dm.getOperatingMode();
        break;
    case 4:
        dm.getClockSource();
        break;
    case 5:
        dm.getLevelMeter();
        break;
    case 6:
        dm.notifySaveIntoTheUnit();
        break;
    }
    QCOMPARE(text(fixture.received()), text({mark(uint8_t(tag))}));
}

void TestStoreFrame::deviceNameStaysNoDevice() {
    QSignalSpy names(&dm.device(), &QKXDevice::sig_recv_productname);
    // Answers come back one per read; asking again drains them.
    QVERIFY(UnitFixture::waitFor([&] {
        dm.getFirmVersion();
        return !names.isEmpty();
    }));
    QCOMPARE(names.first().first().toString(), QStringLiteral("OLVANE Tarvik"));
    QCOMPARE(dm.getDeviceName(), QStringLiteral("No Device"));
}

void TestStoreFrame::unitIsSelected() {
    QVERIFY(UnitFixture::waitFor([] { return dm.queryExistDevice(); }));
}

void TestStoreFrame::initializeParameterLetsEqualValuesGoAgain() {
    const Wire once = fader(KXMSG_DATA_CH_MIXER_INPUT, 3, -120);
    dm.notifyTrackFader(QStringLiteral("Track3"), -12.0);
    QCOMPARE(text(fixture.received()), text(once));
    dm.notifyTrackFader(QStringLiteral("Track3"), -12.0);
    QCOMPARE(text(fixture.received()), text(once));
    dm.initializeParameterForKXDevice();
    dm.notifyTrackFader(QStringLiteral("Track3"), -12.0);
    QCOMPARE(text(fixture.received()), text(once + once));
}

void TestStoreFrame::trackMaps_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("mono");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("mono") << "Track7" << 7 << 7 << 255;
    QTest::newRow("first") << "Track1" << 1 << 1 << 255;
    QTest::newRow("last") << "Track20" << 20 << 20 << 255;
    QTest::newRow("pair") << "Track19_20" << 255 << 19 << 20;
    QTest::newRow("first pair") << "Track1_2" << 255 << 1 << 2;
    QTest::newRow("master") << "TrackMaster" << 255 << 1 << 2;
    QTest::newRow("letter case") << "track7" << 255 << 255 << 255;
    QTest::newRow("leading zero") << "Track07" << 255 << 255 << 255;
    QTest::newRow("above 20") << "Track21" << 255 << 255 << 255;
    QTest::newRow("not odd and next") << "Track2_3" << 255 << 255 << 255;
    QTest::newRow("empty") << "" << 255 << 255 << 255;
    QTest::newRow("stereo half") << "Track1_2_L" << 255 << 255 << 255;
}

void TestStoreFrame::trackMaps() {
    QFETCH(QString, name);
    QFETCH(int, mono);
    QFETCH(int, first);
    QFETCH(int, second);
    unsigned char n = 0;
    dm.exchangeTrackNumForSeparate(name, &n);
    QCOMPARE(int(n), mono);
    unsigned char pair[2] = {0, 0};
    dm.exchangeTrackNum(name, pair);
    QCOMPARE(int(pair[0]), first);
    QCOMPARE(int(pair[1]), second);
}

void TestStoreFrame::panLabels_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("code");
    QTest::newRow("L20") << "L20" << 0;
    QTest::newRow("L1") << "L1" << 19;
    QTest::newRow("C") << "C" << 20;
    QTest::newRow("R1") << "R1" << 21;
    QTest::newRow("R20") << "R20" << 40;
    QTest::newRow("lower-case c") << "c" << 255;
    QTest::newRow("L0") << "L0" << 255;
    QTest::newRow("R21") << "R21" << 255;
    QTest::newRow("blank") << " C" << 255;
}

void TestStoreFrame::panLabels() {
    QFETCH(QString, label);
    QFETCH(int, code);
    QCOMPARE(int(dm.exchangePanLabelToNum(label)), code);
}

// The scene memories copy the current-state file whole; what was changed just before must
// be in the copy although the toolkit has not written it yet.
void TestStoreFrame::copyWritesPendingChangesFirst() {
    QTemporaryDir dir;
    const QString scene = dir.filePath(QStringLiteral("scene.ini"));
    dm.notifyTrackFader(QStringLiteral("Track4"), -6.5);
    dm.notifyChannelName(QStringLiteral("Track4"), QStringLiteral("Gesang"));
    QVERIFY(dm.copyCurrentStateTo(scene));
    QSettings copy(scene, QSettings::IniFormat);
    QCOMPARE(copy.value(QStringLiteral("Track4/Fader")).toDouble(), -6.5);
    QCOMPARE(copy.value(QStringLiteral("Track4/Name")).toString(), QStringLiteral("Gesang"));
    // A copy over an existing scene replaces it.
    dm.notifyChannelName(QStringLiteral("Track4"), QStringLiteral("Bass"));
    QVERIFY(dm.copyCurrentStateTo(scene));
    QSettings again(scene, QSettings::IniFormat);
    QCOMPARE(again.value(QStringLiteral("Track4/Name")).toString(), QStringLiteral("Bass"));
}

void TestStoreFrame::replaceReadsTheNewFileAndDropsNothingOfIt() {
    QTemporaryDir dir;
    const QString scene = dir.filePath(QStringLiteral("scene.ini"));
    {
        QSettings s(scene, QSettings::IniFormat);
        s.setValue(QStringLiteral("Track1/Mute"), true);
        s.setValue(QStringLiteral("Track1/Fader"), -20.0);
    }
    dm.notifyTrackFader(QStringLiteral("Track1"), 3.0);
    // Changed just before the load and not yet written: must not reach the loaded state.
    dm.notifyTrackSolo(QStringLiteral("Track2"), true);
    QVERIFY(dm.replaceCurrentStateWith(scene));
    QCOMPARE(dm.getTrackMute(QStringLiteral("Track1")), true);
    QCOMPARE(dm.getTrackFaderViewValue(QStringLiteral("Track1")), -20.0);
    QCOMPARE(dm.getTrackSolo(QStringLiteral("Track2")), false);
    QCOMPARE(storedMixer("Track1", "Fader").toDouble(), -20.0);
    dm.flushCurrentState();
    QFile onDisk(dm.currentStateFileName());
    QVERIFY(onDisk.open(QIODevice::ReadOnly));
    const QByteArray bytes = onDisk.readAll();
    QVERIFY(bytes.contains("Mute=true"));
    QVERIFY(!bytes.contains("Solo"));
}

// Two scenes of the same size loaded one right after the other: the store must not keep
// the first because the file looks unchanged to the toolkit.
void TestStoreFrame::replaceOfEqualSizeIsSeenAtOnce() {
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.ini")),
                  b = dir.filePath(QStringLiteral("b.ini"));
    for (const auto &[file, name] : {std::pair<QString, QString>(a, QStringLiteral("AAAA")),
                                     std::pair<QString, QString>(b, QStringLiteral("BBBB"))}) {
        QSettings s(file, QSettings::IniFormat);
        s.setValue(QStringLiteral("Track5/Name"), name);
    }
    QCOMPARE(QFileInfo(a).size(), QFileInfo(b).size());
    for (int i = 0; i < 20; ++i) {
        QVERIFY(dm.replaceCurrentStateWith(a));
        QCOMPARE(dm.getChannelName(QStringLiteral("Track5")), QStringLiteral("AAAA"));
        QVERIFY(dm.replaceCurrentStateWith(b));
        QCOMPARE(dm.getChannelName(QStringLiteral("Track5")), QStringLiteral("BBBB"));
    }
}

void TestStoreFrame::removeLeavesDefaults() {
    dm.notifyTrackFader(QStringLiteral("TrackMaster"), -3.0);
    dm.notifySendLevel(QStringLiteral("TrackMaster"), QStringLiteral("Send1"), 50,
                       QStringLiteral("-20dB"));
    QVERIFY(dm.removeCurrentState());
    QVERIFY(!QFileInfo::exists(dm.currentStateFileName()));
    QCOMPARE(dm.getTrackFaderViewValue(QStringLiteral("TrackMaster")), -99.9);
    QCOMPARE(dm.getSendLevel(QStringLiteral("TrackMaster"), QStringLiteral("Send1")), ushort(102));
    QVERIFY(!storedMixer("TrackMaster", "Fader").isValid());
}

// The update worker reads its address once from its own thread while the window keeps
// changing the mixer; every read must see the address, never another group's key.
void TestStoreFrame::updateAddressFromAnotherThread() {
    QCOMPARE(dm.getJsonUrl(), QString());
    const QString url = QStringLiteral("https://downloads.example/olvane.json");
    dm.saveSetting(QStringLiteral("Update"), QStringLiteral("JsonUrl"), url);
    std::atomic<int> wrong{0};
    std::atomic<bool> done{false};
    std::thread reader([&] {
        for (int i = 0; i < 400; ++i)
            if (dm.getJsonUrl() != url)
                ++wrong;
        done = true;
    });
    int writes = 0;
    while (!done) {
        const QString track = QStringLiteral("Track%1").arg(writes % 20 + 1);
        dm.notifyChannelName(track, QStringLiteral("n%1").arg(writes));
        dm.getChannelName(track);
        ++writes;
    }
    reader.join();
    QCOMPARE(wrong.load(), 0);
    QVERIFY(writes > 0);
    QCOMPARE(dm.getJsonUrl(), url);
}

// The store exists before main and writes back what is pending when the process ends, in
// an order that lets the process end cleanly (the settings before the device proxy).
void TestStoreFrame::changesReachTheFilesAtProcessExit() {
    QProcess probe;
    probe.start(QStringLiteral(STORE_EXIT_PROBE), {QStringLiteral("Ausgang \u00e9")});
    QVERIFY(probe.waitForFinished(20000));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(probe.readAllStandardOutput()), QStringLiteral("1.00 0059\n"));
    // Read the files the other process wrote, not this process's copy of them.
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                        QStringLiteral("/MORVEX/");
    QFile mixer(dir + QStringLiteral("KX-Pelvo_Tarvik_Setting.ini"));
    QVERIFY(mixer.open(QIODevice::ReadOnly));
    QVERIFY(mixer.readAll().contains("[Track17]\nName=Ausgang \xc3\xa9"));
    QFile clock(dir + QStringLiteral("KX-Pelvo_Tarvik_Setting_ClockSource.ini"));
    QVERIFY(clock.open(QIODevice::ReadOnly));
    QVERIFY(clock.readAll().contains("SampleClockSourceId=3"));
}

QTEST_GUILESS_MAIN(TestStoreFrame)
#include "tst_store_frame.moc"
