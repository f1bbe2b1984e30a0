// Equaliser and compressor codes and records, their knob positions, and the reverb: the
// code tables, what each record sends, and when the reverb and return reach the unit.
#include "StoreFixture.h"
#include "TranscribedTables.h"

using namespace storetest;

namespace {

EqParameter eqRecord(unsigned char channel) {
    EqParameter r{};
    r.eqOn = 1;
    r.channel = channel;
    r.lowGain = 61;
    r.lowFreq = 20;
    r.lowMidGain = 6;
    r.lowMidFreq = 28;
    r.lowMidQ = 36;
    r.highMidGain = 120;
    r.highMidFreq = 127;
    r.highMidQ = 108;
    r.highGain = 127;
    r.highFreq = 0;
    return r;
}

} // namespace

class TestStoreEffects : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fixture.start(); }
    void init() { fixture.reset(); }

    void encoders_data();
    void encoders();
    void encodersInFull();
    void eqBands_data();
    void eqBands();
    void eqBandOutOfRangeSendsNothing();
    void compressorRecord_data();
    void compressorRecord();

    void knobsStorePositionAndDisplay_data();
    void knobsStorePositionAndDisplay();
    void knobDefaultsOfAnEmptyFile();
    void pairKnobsLeaveTheMonoTracks();
    void lowCutFlag();

    void reverbTypes_data();
    void reverbTypes();
    void reverbKnobSendsWhileOn_data();
    void reverbKnobSendsWhileOn();
    void reverbKnobOnlyStoredWhileOff();
    void reverbDefaultsOfAnEmptyFile();
    void reverbSwitch_data();
    void reverbSwitch();
    void reverbMuteIsStoredOnly();

private:
    StoreFixture fixture;
};

void TestStoreEffects::encoders_data() {
    QTest::addColumn<int>("encoder");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("code");
    enum { Gain, LowFreq, MidFreq, HighFreq, Q, Threshold, Ratio, CompGain, Attack, Release };
    const struct {
        int encoder;
        const char *name;
        QVector<QPair<int, int>> cases;
    } tables[] = {
        {Gain,
         "eq gain",
         {{0, 0},
          {5, 0},
          {6, 1},
          {10, 1},
          {11, 2},
          {61, 12},
          {120, 23},
          {121, 24},
          {127, 24},
          {255, 255}}},
        {LowFreq, "low freq", {{0, 0}, {3, 0}, {4, 1}, {20, 5}, {124, 31}, {127, 31}}},
        {MidFreq, "mid freq", {{0, 0}, {1, 0}, {28, 14}, {54, 27}, {126, 63}, {127, 63}}},
        {HighFreq, "high freq", {{0, 32}, {60, 47}, {127, 63}}},
        {Q, "q", {{0, 0}, {17, 0}, {18, 1}, {36, 2}, {107, 5}, {108, 6}, {127, 6}}},
        {Threshold,
         "threshold",
         {{0, 224},
          {3, 224},
          {4, 225},
          {42, 234},
          {43, 235},
          {64, 240},
          {65, 241},
          {123, 255},
          {124, 0},
          {127, 0}}},
        {Ratio,
         "ratio",
         {{0, 10},
          {5, 10},
          {6, 11},
          {17, 13},
          {18, 15},
          {77, 80},
          {78, 160},
          {83, 160},
          {84, 255},
          {127, 255}}},
        {CompGain, "comp gain", {{0, 0}, {5, 0}, {6, 1}, {119, 19}, {120, 20}, {127, 20}}},
        {Attack, "attack", {{0, 2}, {1, 4}, {99, 200}, {100, 200}, {127, 200}}},
        {Release, "release", {{0, 1}, {98, 99}, {99, 100}, {127, 100}}},
    };
    for (const auto &t : tables)
        for (const auto &c : t.cases)
            QTest::addRow("%s %d", t.name, c.first) << t.encoder << c.first << c.second;
}

void TestStoreEffects::encoders() {
    QFETCH(int, encoder);
    QFETCH(int, position);
    QFETCH(int, code);
    using Encoder = unsigned char (*)(unsigned char);
    const Encoder encoders[] = {
        &DataManager::exchangeEqGain,     &DataManager::exchangeEqLowFreq,
        &DataManager::exchangeEqMidFreq,  &DataManager::exchangeEqHighFreq,
        &DataManager::exchangeEqMidq,     &DataManager::exchangeCompThreshold,
        &DataManager::exchangeCompRatio,  &DataManager::exchangeCompGain,
        &DataManager::exchangeCompAttack, &DataManager::exchangeCompRelease,
    };
    QCOMPARE(int(encoders[encoder](uchar(position))), code);
}

// Every knob position through every encoder: the bucket tables as listed, the rules of the
// stepped codes, and the codes meaning what the knobs show.
void TestStoreEffects::encodersInFull() {
    const QVector<int> gainDb = transcribed::expand(transcribed::eqGainDb, 0, 127, 0);
    const QVector<QString> thresholdText = transcribed::expand(transcribed::thresholdSteps);
    const QVector<QString> ratioText = transcribed::expand(transcribed::ratioSteps);
    const auto bucket = [](const transcribed::Bucket *table, int count, int p, int above) {
        for (int i = 0; i < count; ++i)
            if (table[i].bound > p)
                return table[i].code;
        return above;
    };
    transcribed::Mismatches m;
    for (int p = 0; p <= 127; ++p) {
        const uchar u = uchar(p);
        const QString at = QStringLiteral("position %1 ").arg(p);
        m.check(at + "eq gain", int(DataManager::exchangeEqGain(u)), gainDb[p] + 12);
        m.check(at + "low freq", int(DataManager::exchangeEqLowFreq(u)), qMin(p / 4, 31));
        m.check(at + "mid freq", int(DataManager::exchangeEqMidFreq(u)), qMin(p / 2, 63));
        m.check(at + "high freq", int(DataManager::exchangeEqHighFreq(u)), 32 + qMin(p / 4, 31));
        m.check(at + "q", int(DataManager::exchangeEqMidq(u)), qMin(p / 18, 6));

        const int threshold = DataManager::exchangeCompThreshold(u);
        m.check(at + "threshold", threshold,
                bucket(transcribed::thresholdCodes, 32, p, transcribed::thresholdCodeAbove));
        m.check(at + "threshold as shown", int(int8_t(threshold)), thresholdText[p].toInt());
        const int ratio = DataManager::exchangeCompRatio(u);
        m.check(at + "ratio", ratio,
                bucket(transcribed::ratioCodes, 14, p, transcribed::ratioCodeAbove));
        const QString shown = ratioText[p];
        m.check(at + "ratio as shown", ratio,
                shown == QLatin1String("inf:1") ? 255
                                                : qRound(shown.section(':', 0, 0).toDouble() * 10));
        m.check(at + "gain", int(DataManager::exchangeCompGain(u)), qMin(p / 6, 20));
        m.check(at + "attack", int(DataManager::exchangeCompAttack(u)), qMin(2 * p + 2, 200));
        // The knob shows ten times the release code.
        m.check(at + "release", int(DataManager::exchangeCompRelease(u)),
                qMin(10 * p + 10, 1000) / 10);
    }
    m.check("low-cut marker", int(DataManager::exchangeEqGain(255)), 255);
    VERIFY_ALL_ENTRIES(m);
}

void TestStoreEffects::eqBands_data() {
    QTest::addColumn<int>("band");
    QTest::addColumn<bool>("lowCut");
    QTest::addColumn<Wire>("wire");
    // Shelving bands always carry Q 255, whatever the mid Q positions hold.
    QTest::newRow("low") << 0 << false << eq(3, 1, 1, 12, 5, 255);
    QTest::newRow("low with low cut") << 0 << true << eq(3, 1, 1, 255, 5, 255);
    QTest::newRow("low mid") << 1 << false << eq(3, 1, 2, 1, 14, 2);
    QTest::newRow("high mid") << 2 << false << eq(3, 1, 3, 23, 63, 6);
    QTest::newRow("high") << 3 << false << eq(3, 1, 4, 24, 32, 255);
}

void TestStoreEffects::eqBands() {
    QFETCH(int, band);
    QFETCH(bool, lowCut);
    QFETCH(Wire, wire);
    EqParameter r = eqRecord(3);
    r.eqOn = 3; // only bit 0 is the on flag
    if (lowCut)
        r.lowGain = 255;
    QVERIFY(dm.sendEqParam(BandType(band), r));
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreEffects::eqBandOutOfRangeSendsNothing() {
    QCOMPARE(dm.sendEqParam(BandType(4), eqRecord(3)), false);
    QCOMPARE(dm.sendEqParam(kBandLow, eqRecord(21)), false);
    QCOMPARE(text(fixture.received()), QString());
}

void TestStoreEffects::compressorRecord_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("linked");
    QTest::addColumn<int>("on");
    QTest::addColumn<Wire>("wire");
    // threshold 127 -> 0, ratio 0 -> 10, gain 60 -> 10, attack 10 -> 22, release 50 -> 51
    QTest::newRow("mono odd") << 5 << 0 << 1 << comp(5, 1, 0, 10, 22, 51, 10, 1);
    QTest::newRow("linked odd") << 5 << 1 << 1 << comp(5, 1, 0, 10, 22, 51, 10, 2);
    QTest::newRow("linked even") << 6 << 1 << 0 << comp(6, 0, 0, 10, 22, 51, 10, 3);
    QTest::newRow("link bit 0 only") << 6 << 2 << 3 << comp(6, 1, 0, 10, 22, 51, 10, 1);
}

void TestStoreEffects::compressorRecord() {
    QFETCH(int, channel);
    QFETCH(int, linked);
    QFETCH(int, on);
    QFETCH(Wire, wire);
    CompParameter r{};
    r.compOn = uchar(on);
    r.linked = uchar(linked);
    r.channel = uchar(channel);
    r.threshold = 127;
    r.ratio = 0;
    r.gain = 60;
    r.attack = 10;
    r.release = 50;
    QVERIFY(dm.sendCompParam(r));
    QCOMPARE(fixture.receivedText(), text(wire));
}

namespace {

// Every knob: its store and read operations, keys and position when absent.
struct Knob {
    const char *name;
    void (*store)(const QString &track, int position, const QVariant &display);
    unsigned short (DataManager::*get)(QString);
    const char *positionKey;
    const char *displayKey;
    int fallback;
    QVariant display;
};

template <void (DataManager::*F)(QString, int, QString)>
void storeText(const QString &t, int p, const QVariant &d) {
    (dm.*F)(t, p, d.toString());
}
template <void (DataManager::*F)(QString, int, int)>
void storeNumber(const QString &t, int p, const QVariant &d) {
    (dm.*F)(t, p, d.toInt());
}

const Knob kKnobs[] = {
    {"comp threshold", storeText<&DataManager::notifyCompThreshold>,
     &DataManager::getCompThresholdPosition, "CompThresholdPos", "CompThresholdText", 127,
     QStringLiteral("-20")},
    {"comp ratio", storeText<&DataManager::notifyCompRatio>, &DataManager::getCompRatioPosition,
     "CompRatioPos", "CompRatioText", 0, QStringLiteral("4.0:1")},
    {"comp gain", storeNumber<&DataManager::notifyCompGain>, &DataManager::getCompGainPosition,
     "CompGainPos", "CompGainText", 0, 7},
    {"comp attack", storeNumber<&DataManager::notifyCompAttack>,
     &DataManager::getCompAttackPosition, "CompAttackPos", "CompAttackText", 0, 40},
    {"comp release", storeNumber<&DataManager::notifyCompRelease>,
     &DataManager::getCompReleasePosition, "CompReleasePos", "CompReleaseText", 0, 500},
    {"eq high gain", storeNumber<&DataManager::notifyEqHighGain>,
     &DataManager::getEqHighGainPosition, "EqHighGainPos", "EqHighGainValue", 61, 3},
    {"eq high-mid gain", storeNumber<&DataManager::notifyEqHighMidGain>,
     &DataManager::getEqHighMidGainPosition, "EqHighMidGainPos", "EqHighMidGainValue", 61, -4},
    {"eq low-mid gain", storeNumber<&DataManager::notifyEqLowMidGain>,
     &DataManager::getEqLowMidGainPosition, "EqLowMidGainPos", "EqLowMidGainValue", 61, 5},
    {"eq low gain", storeNumber<&DataManager::notifyEqLowGain>, &DataManager::getEqLowGainPosition,
     "EqLowGainPos", "EqLowGainValue", 61, -12},
    {"eq high freq", storeText<&DataManager::notifyEqHighFreq>, &DataManager::getEqHighFreqPosition,
     "EqHighFreqPos", "EqHighFreqText", 60, QStringLiteral("5.0k")},
    {"eq high-mid freq", storeText<&DataManager::notifyEqHighMidFreq>,
     &DataManager::getEqHighMidFreqPosition, "EqHighMidFreqPos", "EqHighMidFreqText", 54,
     QStringLiteral("1.2k")},
    {"eq low-mid freq", storeText<&DataManager::notifyEqLowMidFreq>,
     &DataManager::getEqLowMidFreqPosition, "EqLowMidFreqPos", "EqLowMidFreqText", 28,
     QStringLiteral("300")},
    {"eq low freq", storeText<&DataManager::notifyEqLowFreq>, &DataManager::getEqLowFreqPosition,
     "EqLowFreqPos", "EqLowFreqText", 20, QStringLiteral("80")},
    {"eq high-mid q", storeText<&DataManager::notifyEqHighMidQPosition>,
     &DataManager::getEqHighMidQPosition, "EqHighMidQFreqPos", "EqHighMidQFreqText", 36,
     QStringLiteral("1.00")},
    {"eq low-mid q", storeText<&DataManager::notifyEqLowMidQPosition>,
     &DataManager::getEqLowMidQPosition, "EqLowMidQFreqPos", "EqLowMidQFreqText", 36,
     QStringLiteral("16.00")},
};

} // namespace

void TestStoreEffects::knobsStorePositionAndDisplay_data() {
    QTest::addColumn<int>("knob");
    for (int i = 0; i < int(std::size(kKnobs)); ++i)
        QTest::newRow(kKnobs[i].name) << i;
}

void TestStoreEffects::knobsStorePositionAndDisplay() {
    QFETCH(int, knob);
    const Knob &k = kKnobs[knob];
    const QString track = QStringLiteral("Track11");
    QCOMPARE(int((dm.*k.get)(track)), k.fallback);
    k.store(track, 99, k.display);
    QCOMPARE(storedMixer(track, k.positionKey).toInt(), 99);
    QCOMPARE(storedMixer(track, k.displayKey), k.display);
    QCOMPARE(int((dm.*k.get)(track)), 99);
    // A stored 365 is the absent marker.
    k.store(track, 365, k.display);
    QCOMPARE(int((dm.*k.get)(track)), k.fallback);
    QCOMPARE(text(fixture.received()), QString());
}

void TestStoreEffects::knobDefaultsOfAnEmptyFile() {
    for (const Knob &k : kKnobs)
        QCOMPARE(int((dm.*k.get)(QStringLiteral("Track1_2"))), k.fallback);
    QCOMPARE(dm.getEqLowCutFilter(QStringLiteral("Track1")), false);
}

void TestStoreEffects::pairKnobsLeaveTheMonoTracks() {
    dm.notifyEqHighGain(QStringLiteral("Track3_4"), 100, 8);
    QCOMPARE(dm.getEqHighGainPosition(QStringLiteral("Track3_4")), ushort(100));
    QCOMPARE(dm.getEqHighGainPosition(QStringLiteral("Track3")), ushort(61));
    QCOMPARE(dm.getEqHighGainPosition(QStringLiteral("Track4")), ushort(61));
    QVERIFY(!storedMixer("Track3", "EqHighGainPos").isValid());
}

void TestStoreEffects::lowCutFlag() {
    dm.notifyEqLowCutFilter(QStringLiteral("Track9"), true);
    dm.notifyEqLowGain(QStringLiteral("Track9"), 0, -12);
    QCOMPARE(storedMixer("Track9", "EqLowCutFilter").toBool(), true);
    QCOMPARE(storedMixer("Track9", "EqLowGainValue").toInt(), -12);
    QCOMPARE(dm.getEqLowCutFilter(QStringLiteral("Track9")), true);
    QCOMPARE(dm.getEqLowCutFilter(QStringLiteral("Track10")), false);
    QCOMPARE(text(fixture.received()), QString());
}

void TestStoreEffects::reverbTypes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::newRow("hall") << "HALL" << 1;
    QTest::newRow("room") << "ROOM" << 2;
    QTest::newRow("live") << "LIVE" << 3;
    QTest::newRow("studio") << "STUDIO" << 4;
    QTest::newRow("plate") << "PLATE" << 5;
    QTest::newRow("lower case") << "studio" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestStoreEffects::reverbTypes() {
    QFETCH(QString, name);
    QFETCH(int, type);
    QCOMPARE(int(dm.getRvbType(name)), type);
}

void TestStoreEffects::reverbKnobSendsWhileOn_data() {
    QTest::addColumn<int>("param"); // 0 pre-delay, 1 time, 2 diffusion
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("key");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("room pre-delay")
        << 0 << "ROOM" << 50 << "RvbPreDelayPos_Room" << reverb(2, 50, 14, 60);
    QTest::newRow("hall time") << 1 << "HALL" << 35 << "RvbTimePos_Hall" << reverb(1, 90, 35, 20);
    QTest::newRow("live diffusion") << 2 << "LIVE" << 0 << "RvbDiffPos_Live" << reverb(3, 6, 26, 0);
    QTest::newRow("studio pre-delay")
        << 0 << "STUDIO" << 250 << "RvbPreDelayPos_Studio" << reverb(4, 250, 4, 70);
    QTest::newRow("plate time") << 1 << "PLATE" << 100 << "RvbTimePos_Plate"
                                << reverb(5, 42, 100, 50);
    // Any other name uses the plate's keys; there is no type the unit could take.
    QTest::newRow("lower-case name") << 0 << "studio" << 70 << "RvbPreDelayPos_Plate" << Wire();
}

void TestStoreEffects::reverbKnobSendsWhileOn() {
    QFETCH(int, param);
    QFETCH(QString, name);
    QFETCH(int, position);
    QFETCH(QString, key);
    QFETCH(Wire, wire);
    switch (param) {
    case 0:
        dm.notifyRvbPreDelayPosition(position, name);
        QCOMPARE(int(dm.getRvbPreDelayPosition(name)), position);
        break;
    case 1:
        dm.notifyRvbTimePosition(position, QString::number(position / 10.0, 'f', 1), name);
        QCOMPARE(int(dm.getRvbTimePosition(name)), position);
        key.replace(QStringLiteral("Pos"), QStringLiteral("Value"));
        QCOMPARE(storedMixer("Reverb", key).toString(), QString::number(position / 10.0, 'f', 1));
        key.replace(QStringLiteral("Value"), QStringLiteral("Pos"));
        break;
    case 2:
        dm.notifyRvbDiffPosition(position, name);
        QCOMPARE(int(dm.getRvbDiffPosition(name)), position);
        break;
    }
    QCOMPARE(storedMixer("Reverb", key).toInt(), position);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreEffects::reverbKnobOnlyStoredWhileOff() {
    storeMixer("Reverb", "MasterReverb", false);
    dm.notifyRvbPreDelayPosition(50, QStringLiteral("ROOM"));
    dm.notifyRvbTimePosition(10, QStringLiteral("1.0"), QStringLiteral("ROOM"));
    dm.notifyRvbDiffPosition(10, QStringLiteral("ROOM"));
    QCOMPARE(storedMixer("Reverb", "RvbPreDelayPos_Room").toInt(), 50);
    QCOMPARE(storedMixer("Reverb", "RvbDiffPos_Room").toInt(), 10);
    QCOMPARE(text(fixture.received()), QString());
}

void TestStoreEffects::reverbDefaultsOfAnEmptyFile() {
    const struct {
        const char *name;
        int pre, time, diff;
    } defaults[] = {{"HALL", 90, 27, 20},  {"ROOM", 25, 14, 60},  {"LIVE", 6, 26, 50},
                    {"STUDIO", 60, 4, 70}, {"PLATE", 42, 27, 50}, {"other", 42, 27, 50}};
    for (const auto &d : defaults) {
        QCOMPARE(int(dm.getRvbPreDelayPosition(QLatin1String(d.name))), d.pre);
        QCOMPARE(int(dm.getRvbTimePosition(QLatin1String(d.name))), d.time);
        QCOMPARE(int(dm.getRvbDiffPosition(QLatin1String(d.name))), d.diff);
    }
    QCOMPARE(dm.getReverbMode(), uchar(1));
    QCOMPARE(dm.getReverbStatus(), true);
    QCOMPARE(dm.getReverbMuteStatus(), false);
}

void TestStoreEffects::reverbSwitch_data() {
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("mode");            // 0: none stored
    QTest::addColumn<QString>("returnLabel"); // empty: none stored
    QTest::addColumn<Wire>("wire");
    QTest::newRow("on, mode absent: hall")
        << true << 0 << "" << reverb(1, 90, 27, 20) + returnLevel(1, -127);
    QTest::newRow("on, plate") << true << 5 << " -6dB"
                               << reverb(5, 42, 27, 50) + returnLevel(1, -6);
    QTest::newRow("on, out of range: plate")
        << true << 9 << "" << reverb(5, 42, 27, 50) + returnLevel(1, -127);
    QTest::newRow("on, room") << true << 2 << "  0dB" << reverb(2, 25, 14, 60) + returnLevel(1, 0);
    QTest::newRow("off: the return only") << false << 3 << "-12dB" << returnLevel(0, -12);
}

void TestStoreEffects::reverbSwitch() {
    QFETCH(bool, on);
    QFETCH(int, mode);
    QFETCH(QString, returnLabel);
    QFETCH(Wire, wire);
    if (mode)
        dm.notifyReverbMode(uchar(mode));
    if (!returnLabel.isEmpty())
        storeMixer("TrackMaster", "Return_Value", returnLabel);
    dm.notifyReverbStatus(on);
    QCOMPARE(storedMixer("Reverb", "MasterReverb").toBool(), on);
    QCOMPARE(dm.getReverbStatus(), on);
    if (mode)
        QCOMPARE(storedMixer("Reverb", "Mode").toInt(), mode);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreEffects::reverbMuteIsStoredOnly() {
    dm.notifyReverbMuteStatus(true);
    QCOMPARE(storedMixer("Reverb", "MasterReverbMute").toBool(), true);
    QCOMPARE(dm.getReverbMuteStatus(), true);
    dm.notifyReverbMode(4);
    QCOMPARE(text(fixture.received()), QString());
}

QTEST_GUILESS_MAIN(TestStoreEffects)
#include "tst_store_effects.moc"
