// The interface and output side of the store: clock source and optical formats, line-out
// sources of both models, scene names, meter requests, update preferences and the
// monitor-control outputs.
#include "StoreFixture.h"
#include "TranscribedTables.h"

#include <algorithm>

using namespace storetest;

namespace {
constexpr int kOut = KXMSG_DATA_CH_LINEOUT;
constexpr int kIn = KXMSG_DATA_CH_MIXER_INPUT;
} // namespace

class TestStoreOutputs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fixture.start(); }
    void init() { fixture.reset(); }

    void clockSourceChoice_data();
    void clockSourceChoice();
    void opticalFormatChoice_data();
    void opticalFormatChoice();
    void interfaceDefaultsOfAnEmptyFile();
    void pageAndFlagsAreStoredOnly();

    void lineOutDefaults_data();
    void lineOutDefaults();
    void lineOutAssignment_data();
    void lineOutAssignment();
    void sourceTables_data();
    void sourceTables();
    void preAmpMode();

    void sceneNames();
    void meterRequests();
    void updatePreferences();
    void sampleRateTexts_data();
    void sampleRateTexts();

    void moniConDefaultsOfAnEmptyFile();
    void moniConLevels_data();
    void moniConLevels();
    void moniConLevelTableInFull();
    void moniConSources_data();
    void moniConSources();
    void moniConSendOnlyOperations();
    void moniConStoredOnly();
    void moniConSourceTables_data();
    void moniConSourceTables();

private:
    StoreFixture fixture;
};

void TestStoreOutputs::clockSourceChoice_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("format");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("internal") << 1 << 3 << clockSource(1);
    QTest::newRow("optical A, format 1") << 2 << 1 << opticalFormat(5, 0) + clockSource(5);
    QTest::newRow("optical A, format 7") << 2 << 7 << clockSource(5);
    QTest::newRow("optical B, format 3") << 3 << 3 << opticalFormat(6, 1) + clockSource(6);
    QTest::newRow("optical B, format 2") << 3 << 2 << opticalFormat(6, 2) + clockSource(6);
    QTest::newRow("word clock") << 4 << 2 << clockSource(2);
    QTest::newRow("other id") << 5 << 0 << Wire();
    QTest::newRow("zero id") << 0 << 0 << Wire();
}

void TestStoreOutputs::clockSourceChoice() {
    QFETCH(int, id);
    QFETCH(int, format);
    QFETCH(Wire, wire);
    dm.notifySampleClockSourceId(ushort(id), ushort(format));
    QCOMPARE(stored(clockSourceSettingsName, "Interface", "SampleClockSourceId").toInt(), id);
    QCOMPARE(int(dm.getSampleClockSourceId()), id);
    QVERIFY(!storedMixer("Interface", "SampleClockSourceId").isValid());
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreOutputs::opticalFormatChoice_data() {
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("index");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("A 0") << "Optical_A" << 0 << opticalFormat(5, 0);
    QTest::newRow("A 1") << "Optical_A" << 1 << opticalFormat(5, 0);
    QTest::newRow("A 2") << "Optical_A" << 2 << opticalFormat(5, 2);
    QTest::newRow("B 3") << "Optical_B" << 3 << opticalFormat(6, 1);
    QTest::newRow("B 4") << "Optical_B" << 4 << Wire();
    QTest::newRow("other port") << "Optical_C" << 2 << Wire();
}

void TestStoreOutputs::opticalFormatChoice() {
    QFETCH(QString, port);
    QFETCH(int, index);
    QFETCH(Wire, wire);
    dm.notifyOpticalInputIndex(port, uchar(index));
    QCOMPARE(stored(clockSourceSettingsName, "Interface", port).toInt(), index);
    QCOMPARE(int(dm.getOpticalInputIndex(port)), index);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreOutputs::interfaceDefaultsOfAnEmptyFile() {
    QCOMPARE(dm.getSampleClockSourceId(), ushort(0));
    QCOMPARE(dm.getOpticalInputIndex(QStringLiteral("Optical_A")), uchar(0));
    QCOMPARE(dm.getOpticalInputIndex(QStringLiteral("Optical_B")), uchar(0));
    QCOMPARE(dm.getPanelIndex(), ushort(365));
    QCOMPARE(dm.getAudioPeformanceIndex(), uchar(0));
    QCOMPARE(dm.getDoNotInfoMessage(), false);
}

void TestStoreOutputs::pageAndFlagsAreStoredOnly() {
    dm.notifyPanelIndex(kPanelRoutingTarvik);
    QCOMPARE(storedMixer("Panel", "MainWindowPanel").toInt(), 3);
    QCOMPARE(dm.getPanelIndex(), ushort(3));
    dm.notifyAudioPeformanceIndex(2);
    QCOMPARE(storedMixer("Interface", "AudioPeformanceIndex").toInt(), 2);
    QCOMPARE(dm.getAudioPeformanceIndex(), uchar(2));
    dm.setDoNotInfoMessage(true);
    QCOMPARE(storedMixer("Misc", "Information_Dialog").toBool(), true);
    QCOMPARE(dm.getDoNotInfoMessage(), true);
    QCOMPARE(text(fixture.received()), QString());
}

void TestStoreOutputs::lineOutDefaults_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    for (int i = 1; i <= 8; ++i)
        QTest::addRow("LineOut%d", i) << QStringLiteral("LineOut%1").arg(i) << 19 + i;
    QTest::newRow("LineOut1_Pelvo") << "LineOut1_Pelvo" << 10;
    QTest::newRow("LineOut2_Pelvo") << "LineOut2_Pelvo" << 11;
    QTest::newRow("other") << "LineOut9" << 0;
}

void TestStoreOutputs::lineOutDefaults() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QCOMPARE(int(dm.getLineOutSetting(name)), index);
}

void TestStoreOutputs::lineOutAssignment_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("computer 1 to 3") << "LineOut3" << 26 << assign(3, 1, kOut, 3);
    QTest::newRow("input 3 on the larger model") << "LineOut2" << 2 << assign(kIn, 3, kOut, 2);
    QTest::newRow("first optical on the smaller model")
        << "LineOut2_Pelvo" << 2 << assign(kIn, 5, kOut, 2);
    QTest::newRow("master R on the smaller model")
        << "LineOut1_Pelvo" << 11 << assign(2, 2, kOut, 1);
    QTest::newRow("aux 4 to 8") << "LineOut8" << 25 << assign(5, 4, kOut, 8);
    QTest::newRow("beyond the table") << "LineOut1" << 255 << assign(0, 0, kOut, 1);
    QTest::newRow("other name") << "LineOut9" << 3 << Wire();
}

void TestStoreOutputs::lineOutAssignment() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(Wire, wire);
    dm.notifyLineOutSetting(name, uchar(index));
    QCOMPARE(storedMixer("LineOutSettings", name).toInt(), index);
    QCOMPARE(int(dm.getLineOutSetting(name)), index);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreOutputs::sourceTables_data() {
    QTest::addColumn<bool>("pelvo");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("number");
    const struct {
        bool pelvo;
        int index, type, number;
    } rows[] = {
        {false, 0, 4, 1},  {false, 19, 4, 20}, {false, 20, 2, 1}, {false, 21, 2, 2},
        {false, 22, 5, 1}, {false, 25, 5, 4},  {false, 26, 3, 1}, {false, 35, 3, 10},
        {false, 36, 0, 0}, {false, 255, 0, 0}, {true, 0, 4, 1},   {true, 1, 4, 2},
        {true, 2, 4, 5},   {true, 9, 4, 12},   {true, 10, 2, 1},  {true, 11, 2, 2},
        {true, 12, 5, 1},  {true, 15, 5, 4},   {true, 16, 3, 1},  {true, 19, 3, 4},
        {true, 20, 0, 0},  {true, 255, 0, 0},
    };
    for (const auto &r : rows)
        QTest::addRow("%s %d", r.pelvo ? "smaller" : "larger", r.index)
            << r.pelvo << r.index << r.type << r.number;
}

void TestStoreOutputs::sourceTables() {
    QFETCH(bool, pelvo);
    QFETCH(int, index);
    QFETCH(int, type);
    QFETCH(int, number);
    kxmsg_data_ch_t t = kxmsg_data_ch_t(99);
    unsigned char n = 99;
    if (pelvo)
        dm.exchangeOutputSignal_Pelvo(uchar(index), t, n);
    else
        dm.exchangeOutputSignal(uchar(index), t, n);
    QCOMPARE(int(t), type);
    QCOMPARE(int(n), number);
    kxmsg_data_ch_t out = KXMSG_DATA_CH_NONE;
    dm.exchangeLineOutNum(QStringLiteral("lineout1"), out, n);
    QCOMPARE(int(out), kOut);
    QCOMPARE(int(n), 255);
}

void TestStoreOutputs::preAmpMode() {
    QCOMPARE(dm.getPreAmpMode(), ushort(0));
    dm.notifyPreAmpMode(2);
    QCOMPARE(storedMixer("Misc", "PreAmpMode").toString(), QStringLiteral("Digital"));
    QCOMPARE(dm.getPreAmpMode(), ushort(1));
    dm.notifyPreAmpMode(0);
    QCOMPARE(storedMixer("Misc", "PreAmpMode").toString(), QStringLiteral("Analog"));
    QCOMPARE(dm.getPreAmpMode(), ushort(0));
    QCOMPARE(text(fixture.received()), QString());
}

void TestStoreOutputs::sceneNames() {
    QCOMPARE(dm.getSceneMemoryName(QStringLiteral("SceneMemory7")), QStringLiteral("SceneMemory7"));
    const QString name = QStringLiteral("Probe \u00fc\u00df \u6f14\u594f");
    dm.notifySceneMemoryName(QStringLiteral("SceneMemory3"), name);
    QCOMPARE(stored(sceneMemorySettingsName, "SceneMemory", "SceneMemory3").toString(), name);
    QCOMPARE(dm.getSceneMemoryName(QStringLiteral("SceneMemory3")), name);
    // Scene names live in their own file: replacing the current state keeps them.
    QVERIFY(dm.removeCurrentState());
    QCOMPARE(dm.getSceneMemoryName(QStringLiteral("SceneMemory3")), name);
    QVERIFY(!storedMixer("SceneMemory", "SceneMemory3").isValid());
}

void TestStoreOutputs::meterRequests() {
    dm.getLevelMeter();
    const Wire level = {mark(KXCTL_TAG_METER_GET)};
    QCOMPARE(text(fixture.received()), text(level));
    fixture.unit().clearLog();
    dm.getGrMeter(9);
    const Wire gr = channel(kIn, 9) << mark(KXCTL_TAG_GRMETER_GET);
    QCOMPARE(fixture.receivedText(), text(gr));
}

void TestStoreOutputs::updatePreferences() {
    QCOMPARE(dm.getDoNotUpdateSoftDialog(), QString());
    QCOMPARE(dm.getDoNotUpdateFirmDialog(), QString());
    QCOMPARE(dm.getDoNotUpdateInfoDialog(), QString());
    QCOMPARE(dm.getJsonUrl(), QString());
    dm.setDoNotUpdateSoftDialog(QStringLiteral("1.05"));
    dm.setDoNotUpdateFirmDialog(QStringLiteral("1.10"));
    dm.setDoNotUpdateInfoDialog(QStringLiteral("Neue Firmware\nbitte laden"));
    QCOMPARE(storedMixer("Update", "SoftDialog").toString(), QStringLiteral("1.05"));
    QCOMPARE(storedMixer("Update", "FirmDialog").toString(), QStringLiteral("1.10"));
    QCOMPARE(dm.getDoNotUpdateInfoDialog(), QStringLiteral("Neue Firmware\nbitte laden"));
    // An empty text is kept as an empty value: the key stays.
    dm.setDoNotUpdateSoftDialog(QString());
    QCOMPARE(dm.getDoNotUpdateSoftDialog(), QString());
    QVERIFY(storedMixer("Update", "SoftDialog").isValid());
    storeMixer("Update", "JsonUrl", QStringLiteral("https://example.invalid/v.json"));
    QCOMPARE(dm.getJsonUrl(), QStringLiteral("https://example.invalid/v.json"));
}

void TestStoreOutputs::sampleRateTexts_data() {
    QTest::addColumn<QString>("hz");
    QTest::addColumn<QString>("shown");
    QTest::newRow("44100") << "44100"
                           << "44.1 kHz";
    QTest::newRow("48000") << "48000"
                           << "48.0 kHz";
    QTest::newRow("88200") << "88200"
                           << "88.2 kHz";
    QTest::newRow("96000") << "96000"
                           << "96.0 kHz";
    QTest::newRow("176400") << "176400"
                            << "176.4 kHz";
    QTest::newRow("192000") << "192000"
                            << "192.0 kHz";
    QTest::newRow("already a text") << "44.1"
                                    << "44.1";
    QTest::newRow("other") << "32000"
                           << "32000";
}

void TestStoreOutputs::sampleRateTexts() {
    QFETCH(QString, hz);
    QFETCH(QString, shown);
    QCOMPARE(dm.exchangeSampleRate(hz), shown);
}

void TestStoreOutputs::moniConDefaultsOfAnEmptyFile() {
    QCOMPARE(int(dm.getMoniConOutput()), 0);
    QCOMPARE(dm.getMoniConMasterFader(), 0.0);
    for (int t = 0; t < 4; ++t) {
        const auto target = kMoniConTarget(t);
        QCOMPARE(dm.getMoniConMono1Fader(target), 0.0);
        QCOMPARE(dm.getMoniConMono2Fader(target), 0.0);
        QCOMPARE(dm.getMoniConLink(target), false);
        QCOMPARE(int(dm.getMoniConSouceL(target)), 0);
        QCOMPARE(int(dm.getMoniConSouceR(target)), 0);
    }
    storeMixer("MoniCon", "Output", 7);
    QCOMPARE(int(dm.getMoniConOutput()), 0);
    storeMixer("MoniCon", "Output", 3);
    QCOMPARE(int(dm.getMoniConOutput()), 3);
    storeMixer("MoniCon", "Master", 1000);
    QCOMPARE(dm.getMoniConMasterFader(), 0.0);
    // Sources outside the lists read as the first; the last one is kept.
    storeMixer("MoniCon OUT5_6", "SOURCE_L", 18);
    storeMixer("MoniCon OUT5_6", "SOURCE_R", -1);
    QCOMPARE(int(dm.getMoniConSouceL(kMoniConOut5_6)), 0);
    QCOMPARE(int(dm.getMoniConSouceR(kMoniConOut5_6)), 0);
    storeMixer("MoniCon OUT5_6", "SOURCE_L", 17);
    QCOMPARE(int(dm.getMoniConSouceL(kMoniConOut5_6)), 17);
}

void TestStoreOutputs::moniConLevels_data() {
    QTest::addColumn<int>("side"); // 0 left, 1 right, 2 master
    QTest::addColumn<int>("target");
    QTest::addColumn<double>("dB");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("left of 5-6 off") << 0 << 2 << -99.9 << "MoniCon OUT5_6"
                                     << "Mono1" << fader(kOut, 5, -1270);
    QTest::newRow("right of 5-6") << 1 << 2 << -96.0 << "MoniCon OUT5_6"
                                  << "Mono2" << fader(kOut, 6, -960);
    QTest::newRow("right of 7-8") << 1 << 3 << 0.0 << "MoniCon OUT7_8"
                                  << "Mono2" << fader(kOut, 8, 0);
    QTest::newRow("target out of range is pair 0") << 0 << 6 << -10.0 << "MoniCon OUT1_2"
                                                   << "Mono1" << fader(kOut, 1, -100);
    QTest::newRow("master") << 2 << 0 << -12.3 << "MoniCon"
                            << "Master" << fader(kOut, 9, -123);
}

void TestStoreOutputs::moniConLevels() {
    QFETCH(int, side);
    QFETCH(int, target);
    QFETCH(double, dB);
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(Wire, wire);
    const auto t = kMoniConTarget(target);
    double back = 0;
    switch (side) {
    case 0:
        dm.notifyMoniConMono1Fader(t, dB);
        back = dm.getMoniConMono1Fader(t);
        break;
    case 1:
        dm.notifyMoniConMono2Fader(t, dB);
        back = dm.getMoniConMono2Fader(t);
        break;
    case 2:
        dm.notifyMoniConMasterFader(dB);
        back = dm.getMoniConMasterFader();
        break;
    }
    QCOMPARE(storedMixer(group, key).toDouble(), dB);
    QCOMPARE(back, dB);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreOutputs::moniConSources_data() {
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("group");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("optical A2 to output 8")
        << true << 3 << 10 << "MoniCon OUT7_8" << assign(kIn, 6, kOut, 8);
    QTest::newRow("no source to output 1")
        << false << 0 << 18 << "MoniCon OUT1_2" << assign(0, 0, kOut, 1);
    QTest::newRow("master L to output 3")
        << false << 1 << 0 << "MoniCon OUT3_4" << assign(2, 1, kOut, 3);
    QTest::newRow("aux 4 to output 6")
        << true << 2 << 2 << "MoniCon OUT5_6" << assign(5, 4, kOut, 6);
    QTest::newRow("list without item")
        << true << 1 << -1 << "MoniCon OUT3_4" << assign(0, 0, kOut, 4);
}

void TestStoreOutputs::moniConSources() {
    QFETCH(bool, right);
    QFETCH(int, target);
    QFETCH(int, source);
    QFETCH(QString, group);
    QFETCH(Wire, wire);
    const auto t = kMoniConTarget(target);
    if (right)
        dm.notifyMoniConSourceR(t, kMoniConSourceR(source));
    else
        dm.notifyMoniConSourceL(t, kMoniConSourceL(source));
    QCOMPARE(storedMixer(group, right ? "SOURCE_R" : "SOURCE_L").toInt(), source);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreOutputs::moniConSendOnlyOperations() {
    // Start from outputs that are not at 0 dB, so that the reset shows on each.
    for (int out = 1; out <= 9; ++out)
        dm.device().set_fader(KXMSG_DATA_CH_LINEOUT, uchar(out), -50);
    QVERIFY(UnitFixture::waitFor([&] {
        const auto state = fixture.unit().state();
        return std::all_of(std::begin(state.outputFader), std::end(state.outputFader),
                           [](int16_t level) { return level == -50; });
    }));
    fixture.received();
    fixture.unit().clearLog();
    dm.setMoniConFaderMute(kMoniConOut3_4);
    dm.setMoniConSourceL(kMoniConOut5_6, kMoniConInput1);
    dm.setMoniConSourceR(kMoniConOut5_6, kMoniConInput2);
    // The monitor window's reset: every pair and the master to 0 dB; output 10 is refused.
    for (int t = kMoniConOut1_2; t <= kMoniConMaster; ++t)
        dm.setMoniConFader_0dB(kMoniConTarget(t));
    // The first change goes out at once; the rest wait for the unit's answer, and only the
    // latest value of each output travels (output 4 never goes off).
    const Wire first = fader(kOut, 3, -1270);
    const Wire got = fixture.received();
    QCOMPARE(text(got.mid(0, first.size())), text(first));
    int offs = 0;
    for (const Element &e : got)
        offs += e.tag == KXCTL_TAG_FADER && e.value == uint16_t(-1270) ? 1 : 0;
    QCOMPARE(offs, 1);
    const EmulatedUnit::State state = fixture.unit().state();
    for (int out = 0; out < 9; ++out)
        QCOMPARE(int(state.outputFader[out]), 0);
    QCOMPARE(int(state.routes[4].srcType), kIn);
    QCOMPARE(int(state.routes[4].srcNo), 1);
    QCOMPARE(int(state.routes[5].srcType), kIn);
    QCOMPARE(int(state.routes[5].srcNo), 2);
    for (const char *key : {"Mono1", "Mono2", "SOURCE_L", "SOURCE_R"})
        QVERIFY(!storedMixer("MoniCon OUT5_6", key).isValid());
}

void TestStoreOutputs::moniConStoredOnly() {
    dm.notifyMoniConLink(kMoniConOut3_4, true);
    dm.notifyMoniConOutput(kMoniConOut7_8);
    QCOMPARE(storedMixer("MoniCon OUT3_4", "LINK").toBool(), true);
    QCOMPARE(dm.getMoniConLink(kMoniConOut3_4), true);
    QCOMPARE(dm.getMoniConLink(kMoniConOut1_2), false);
    QCOMPARE(storedMixer("MoniCon", "Output").toInt(), 3);
    QCOMPARE(int(dm.getMoniConOutput()), 3);
    storeMixer("MoniCon OUT3_4", "SOURCE_L", 12);
    QCOMPARE(int(dm.getMoniConSouceL(kMoniConOut3_4)), 12);
    QCOMPARE(text(fixture.received()), QString());
}

void TestStoreOutputs::moniConSourceTables_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    const int rows[][4] = {{0, 2, 1, 2},    {1, 5, 1, 2},    {2, 5, 3, 4},    {3, 3, 1, 2},
                           {7, 3, 9, 10},   {8, 4, 1, 2},    {9, 4, 3, 4},    {10, 4, 5, 6},
                           {13, 4, 11, 12}, {14, 4, 13, 14}, {17, 4, 19, 20}, {18, 0, 0, 0},
                           {255, 0, 0, 0}};
    for (const auto &r : rows)
        QTest::addRow("%d", r[0]) << r[0] << r[1] << r[2] << r[3];
}

void TestStoreOutputs::moniConSourceTables() {
    QFETCH(int, index);
    QFETCH(int, type);
    QFETCH(int, left);
    QFETCH(int, right);
    kxmsg_data_ch_t t = kxmsg_data_ch_t(99);
    unsigned char ch = 99;
    dm.exchangeOutputSignal_MoniConL(uchar(index), t, ch);
    QCOMPARE(int(t), type);
    QCOMPARE(int(ch), left);
    dm.exchangeOutputSignal_MoniConR(uchar(index), t, ch);
    QCOMPARE(int(t), type);
    QCOMPARE(int(ch), right);
}

// Every level of the monitor window's table reaches the unit in tenths of a dB, -99.9 as
// off; nine outputs take one level each per batch.
void TestStoreOutputs::moniConLevelTableInFull() {
    transcribed::Mismatches m;
    for (int first = 0; first < 128; first += 9) {
        for (int i = 0; i < 9 && first + i < 128; ++i) {
            const double level = transcribed::monitorLevels[first + i];
            if (i == 8)
                dm.notifyMoniConMasterFader(level);
            else if (i % 2 == 0)
                dm.notifyMoniConMono1Fader(kMoniConTarget(i / 2), level);
            else
                dm.notifyMoniConMono2Fader(kMoniConTarget(i / 2), level);
        }
        QVERIFY(fixture.settle());
        const EmulatedUnit::State s = fixture.unit().state();
        for (int i = 0; i < 9 && first + i < 128; ++i) {
            const double level = transcribed::monitorLevels[first + i];
            const int code = first + i == 127 ? -1270 : qRound(level * 10);
            m.check(QStringLiteral("%1 dB on output %2").arg(level).arg(i + 1),
                    int(s.outputFader[i]), code);
        }
    }
    VERIFY_ALL_ENTRIES(m);
}

QTEST_GUILESS_MAIN(TestStoreOutputs)
#include "tst_store_outputs.moc"
