// Channel strips, sends, return and true bypass: the keys each operation stores and the
// exact elements the unit receives for mono tracks, linked pairs and the master.
#include "StoreFixture.h"
#include "TranscribedTables.h"

#include <cmath>

using namespace storetest;

namespace {
constexpr int kIn = KXMSG_DATA_CH_MIXER_INPUT;
constexpr int kMaster = KXMSG_DATA_CH_MASTER;
} // namespace

class TestStoreStrip : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fixture.start(); }
    void init() { fixture.reset(); }

    void stripDefaultsOfAnEmptyFile();
    void flagsAreStoredOnly_data();
    void flagsAreStoredOnly();
    void phase_data();
    void phase();
    void mute_data();
    void mute();
    void faderFromDb_data();
    void faderFromDb();
    void faderFromText_data();
    void faderFromText();
    void storedMarkersReadAsDefaults();
    void pan_data();
    void pan();
    void channelNameKeepsAnyText();
    void faderTextsInFull();
    void panLabelsInFull();

    void sendDefaultsOfAnEmptyFile();
    void sendLevel_data();
    void sendLevel();
    void sendTextsInFull();
    void returnFollowsTheMasterReverb_data();
    void returnFollowsTheMasterReverb();
    void sendPoint_data();
    void sendPoint();
    void trueBypassSendsAndStores();
    void mixerTrueBypass();
    void storeAndSendOrder_data();
    void storeAndSendOrder();

private:
    StoreFixture fixture;
};

void TestStoreStrip::stripDefaultsOfAnEmptyFile() {
    for (const QString &t : {QStringLiteral("Track2"), QStringLiteral("Track1_2")}) {
        QCOMPARE(dm.getTrackSelect(t), false);
        QCOMPARE(dm.getTrackPhase(t), false);
        QCOMPARE(dm.getTrackEq(t), false);
        QCOMPARE(dm.getTrackComp(t), false);
        QCOMPARE(dm.getTrackSolo(t), false);
        QCOMPARE(dm.getTrackMute(t), false);
        QCOMPARE(dm.getTrackLink(t), false);
        QCOMPARE(dm.getTrackFaderViewValue(t), 0.0);
        QCOMPARE(dm.getTrackFaderPosition(t), ushort(365));
        QCOMPARE(dm.getTrackFaderValue(t), QStringLiteral("  0 dB"));
        QCOMPARE(dm.getTrackPanValue(t), QStringLiteral("C"));
        QCOMPARE(dm.getChannelName(t), QString());
    }
    const QString m = QStringLiteral("TrackMaster");
    QCOMPARE(dm.getTrackFaderViewValue(m), -99.9);
    QCOMPARE(dm.getTrackFaderPosition(m), ushort(453));
    QCOMPARE(dm.getTrackFaderValue(m), QStringLiteral("-infinity"));
    QCOMPARE(dm.getTrackPanPosition(QStringLiteral("Track1"), kTrackOdd), ushort(20));
    QCOMPARE(dm.getTrackPanPosition(QStringLiteral("Track2"), kTrackEven), ushort(79));
    QCOMPARE(dm.getTrackPanPosition(QStringLiteral("Track1_2"), kTrackStereo), ushort(79));
    QCOMPARE(dm.getTrackPanPosition(m, kTrackMaster), ushort(79));
}

void TestStoreStrip::flagsAreStoredOnly_data() {
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("key");
    QTest::newRow("select") << 0 << "Select";
    QTest::newRow("eq") << 1 << "Eq";
    QTest::newRow("comp") << 2 << "Comp";
    QTest::newRow("solo") << 3 << "Solo";
    QTest::newRow("link") << 4 << "Link";
}

void TestStoreStrip::flagsAreStoredOnly() {
    QFETCH(int, op);
    QFETCH(QString, key);
    using Notify = void (DataManager::*)(QString, bool);
    using Get = bool (DataManager::*)(QString);
    const Notify notify[] = {&DataManager::notifyTrackSelect, &DataManager::notifyTrackEq,
                             &DataManager::notifyTrackComp, &DataManager::notifyTrackSolo,
                             &DataManager::notifyTrackLink};
    const Get get[] = {&DataManager::getTrackSelect, &DataManager::getTrackEq,
                       &DataManager::getTrackComp, &DataManager::getTrackSolo,
                       &DataManager::getTrackLink};
    for (const QString &t : {QStringLiteral("Track3"), QStringLiteral("Track3_4")}) {
        (dm.*notify[op])(t, true);
        QCOMPARE(storedMixer(t, key).toBool(), true);
        QCOMPARE((dm.*get[op])(t), true);
    }
    QCOMPARE((dm.*get[op])(QStringLiteral("Track4")), false);
    QCOMPARE(text(fixture.received()), QString());
}

void TestStoreStrip::phase_data() {
    QTest::addColumn<QString>("track");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("mono") << "Track7" << byteParam(kIn, 7, KXCTL_TAG_PHASE, 1);
    QTest::newRow("last") << "Track20" << byteParam(kIn, 20, KXCTL_TAG_PHASE, 1);
    QTest::newRow("pair") << "Track1_2" << Wire();
    QTest::newRow("stereo half") << "Track9_10_L" << Wire();
    QTest::newRow("master") << "TrackMaster" << Wire();
}

void TestStoreStrip::phase() {
    QFETCH(QString, track);
    QFETCH(Wire, wire);
    dm.notifyTrackPhase(track, true);
    QCOMPARE(storedMixer(track, "Phase").toBool(), true);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreStrip::mute_data() {
    QTest::addColumn<QString>("track");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("mono") << "Track5" << byteParam(kIn, 5, KXCTL_TAG_MUTE, 1);
    QTest::newRow("pair, odd first")
        << "Track3_4"
        << byteParam(kIn, 3, KXCTL_TAG_MUTE, 1) + byteParam(kIn, 4, KXCTL_TAG_MUTE, 1);
    QTest::newRow("master, left first")
        << "TrackMaster"
        << byteParam(kMaster, 1, KXCTL_TAG_MUTE, 1) + byteParam(kMaster, 2, KXCTL_TAG_MUTE, 1);
    QTest::newRow("unknown name") << "Track21" << Wire();
}

void TestStoreStrip::mute() {
    QFETCH(QString, track);
    QFETCH(Wire, wire);
    dm.notifyTrackMute(track, true);
    QCOMPARE(storedMixer(track, "Mute").toBool(), true);
    QCOMPARE(dm.getTrackMute(track), true);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreStrip::faderFromDb_data() {
    QTest::addColumn<QString>("track");
    QTest::addColumn<double>("dB");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("minus infinity") << "Track1" << -99.9 << fader(kIn, 1, -1270);
    QTest::newRow("-99.0") << "Track1" << -99.0 << fader(kIn, 1, -990);
    QTest::newRow("-12.5") << "Track2" << -12.5 << fader(kIn, 2, -125);
    QTest::newRow("6.0") << "Track2" << 6.0 << fader(kIn, 2, 60);
    QTest::newRow("-0.05 truncates") << "Track6" << -0.05 << fader(kIn, 6, 0);
    QTest::newRow("-100 is not off") << "Track6" << -100.0 << fader(kIn, 6, -1000);
    QTest::newRow("huge is +6") << "Track6" << 1e308 << fader(kIn, 6, 60);
    QTest::newRow("huge negative is off") << "Track6" << -1e308 << fader(kIn, 6, -1270);
    QTest::newRow("NaN is off") << "Track6" << std::nan("") << fader(kIn, 6, -1270);
    QTest::newRow("pair") << "Track5_6" << -3.0 << fader(kIn, 5, -30) + fader(kIn, 6, -30);
    QTest::newRow("master") << "TrackMaster" << -1.5
                            << fader(kMaster, 1, -15) + fader(kMaster, 2, -15);
    QTest::newRow("unknown") << "Track 1" << -1.5 << Wire();
}

void TestStoreStrip::faderFromDb() {
    QFETCH(QString, track);
    QFETCH(double, dB);
    QFETCH(Wire, wire);
    dm.notifyTrackFader(track, dB);
    QCOMPARE(storedMixer(track, "Fader").toDouble(), dB);
    QCOMPARE(dm.getTrackFaderViewValue(track), dB);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreStrip::faderFromText_data() {
    QTest::addColumn<QString>("track");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("label") << "Track1"
                           << "  6.0 dB"
                           << "  6.0 dB" << fader(kIn, 1, 60);
    QTest::newRow("negative label") << "Track1"
                                    << " -1.0 dB"
                                    << " -1.0 dB" << fader(kIn, 1, -10);
    QTest::newRow("tenths not used") << "Track1"
                                     << "-96.5 dB"
                                     << "-96.5 dB" << fader(kIn, 1, -960);
    QTest::newRow("minus infinity") << "Track1"
                                    << "-infinity"
                                    << "-infinity" << fader(kIn, 1, -1270);
    QTest::newRow("unit appended") << "Track1"
                                   << " -6.0"
                                   << " -6.0 dB" << fader(kIn, 1, -60);
    // The whole leading number counts, not only the first three characters.
    QTest::newRow("no leading blank") << "Track1"
                                      << "-6.0"
                                      << "-6.0 dB" << fader(kIn, 1, -60);
    QTest::newRow("not a number") << "Track1"
                                  << "loud"
                                  << "loud dB" << fader(kIn, 1, 0);
    QTest::newRow("pair") << "Track7_8"
                          << "-10.0 dB"
                          << "-10.0 dB" << fader(kIn, 7, -100) + fader(kIn, 8, -100);
    QTest::newRow("master") << "TrackMaster"
                            << "-infinity"
                            << "-infinity" << fader(kMaster, 1, -1270) + fader(kMaster, 2, -1270);
}

void TestStoreStrip::faderFromText() {
    QFETCH(QString, track);
    QFETCH(QString, given);
    QFETCH(QString, kept);
    QFETCH(Wire, wire);
    dm.notifyTrackFader(track, 380, given);
    QCOMPARE(storedMixer(track, "Fader_pos").toInt(), 380);
    QCOMPARE(storedMixer(track, "Fader_value").toString(), kept);
    QCOMPARE(dm.getTrackFaderPosition(track), ushort(380));
    QCOMPARE(dm.getTrackFaderValue(track), kept);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreStrip::storedMarkersReadAsDefaults() {
    storeMixer("Track2", "Fader", 1000);
    storeMixer("TrackMaster", "Fader", 1000.0);
    storeMixer("Track2", "Pan_pos", 365);
    storeMixer("Track2", "Send1_Point", 365);
    QCOMPARE(dm.getTrackFaderViewValue(QStringLiteral("Track2")), 0.0);
    QCOMPARE(dm.getTrackFaderViewValue(QStringLiteral("TrackMaster")), -99.9);
    QCOMPARE(dm.getTrackPanPosition(QStringLiteral("Track2"), kTrackEven), ushort(79));
    QCOMPARE(dm.getSendPoint(QStringLiteral("Track2"), QStringLiteral("Send1")), uchar(1));
    storeMixer("Track2", "Pan_pos", 65536 + 30);
    QCOMPARE(dm.getTrackPanPosition(QStringLiteral("Track2"), kTrackEven), ushort(30));
}

void TestStoreStrip::pan_data() {
    QTest::addColumn<QString>("track");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("label");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("left") << "Track1" << 0 << "L20" << byteParam(kIn, 1, KXCTL_TAG_PAN, 0);
    QTest::newRow("right") << "Track2" << 99 << "R20" << byteParam(kIn, 2, KXCTL_TAG_PAN, 40);
    QTest::newRow("R1") << "Track20" << 80 << "R1" << byteParam(kIn, 20, KXCTL_TAG_PAN, 21);
    QTest::newRow("pair") << "Track1_2" << 20 << "C" << Wire();
    QTest::newRow("master") << "TrackMaster" << 79 << "L3" << Wire();
    // Not a pan label: stored as given, and no pan 255 goes to the unit.
    QTest::newRow("not a label") << "Track3" << 17 << "l3" << Wire();
    QTest::newRow("empty label") << "Track3" << 17 << "" << Wire();
}

void TestStoreStrip::pan() {
    QFETCH(QString, track);
    QFETCH(int, position);
    QFETCH(QString, label);
    QFETCH(Wire, wire);
    dm.notifyTrackPan(track, position, label);
    QCOMPARE(storedMixer(track, "Pan_pos").toInt(), position);
    QCOMPARE(storedMixer(track, "Pan_value").toString(), label);
    QCOMPARE(dm.getTrackPanPosition(track, kTrackOdd), ushort(position));
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreStrip::channelNameKeepsAnyText() {
    const QString name = QStringLiteral("Gitarre \u00e4\u00f6 \u266b");
    dm.notifyChannelName(QStringLiteral("Track12"), name);
    QCOMPARE(storedMixer("Track12", "Name").toString(), name);
    QCOMPARE(dm.getChannelName(QStringLiteral("Track12")), name);
    QCOMPARE(text(fixture.received()), QString());
}

void TestStoreStrip::sendDefaultsOfAnEmptyFile() {
    const QString m = QStringLiteral("TrackMaster"), t = QStringLiteral("Track1");
    for (const QString &s : {QStringLiteral("Send1"), QStringLiteral("Send4")}) {
        QCOMPARE(dm.getSendLevel(m, s), ushort(102));
        QCOMPARE(dm.getSendLevel(t, s), ushort(0));
        QCOMPARE(dm.getSendPoint(t, s), uchar(1));
        QCOMPARE(dm.getSendValue(m, s), QStringLiteral("  0dB"));
        QCOMPARE(dm.getSendValue(t, s), QStringLiteral("-inf."));
    }
    QCOMPARE(dm.getReturnLevel(), ushort(0));
    QCOMPARE(dm.getReturnValue(), QStringLiteral("-inf."));
    QCOMPARE(dm.getTrueBypass(7), false);
    QCOMPARE(dm.getMixerTrueBypass(), false);
    QCOMPARE(dm.getReverbStatus(), true);
    // The getters read "Send4" for any other send name, the return included.
    storeMixer("Track1", "Send4_Level", 77);
    storeMixer("Track1", "Return_Level", 12);
    QCOMPARE(dm.getSendLevel(t, QStringLiteral("Return")), ushort(77));
}

void TestStoreStrip::sendLevel_data() {
    QTest::addColumn<QString>("track");
    QTest::addColumn<QString>("send");
    QTest::addColumn<int>("storedPoint"); // 0: none stored
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("levelKey");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("pair, no point stored")
        << "Track5_6"
        << "Send2" << 0 << " -9dB"
        << "Send2_Level" << send(kIn, 5, 2, 1, -9) + send(kIn, 6, 2, 1, -9);
    QTest::newRow("mono, stored pre") << "Track3"
                                      << "Send1" << 2 << "  6dB"
                                      << "Send1_Level" << send(kIn, 3, 1, 2, 6);
    QTest::newRow("stored point out of range") << "Track3"
                                               << "Send3" << 7 << "-98dB"
                                               << "Send3_Level" << send(kIn, 3, 3, 1, -98);
    // A label beyond the unit's levels (a damaged file) goes out as the nearest level it takes.
    QTest::newRow("label above the range") << "Track3"
                                           << "Send1" << 2 << " 99dB"
                                           << "Send1_Level" << send(kIn, 3, 1, 2, 6);
    QTest::newRow("label below the range") << "Track3"
                                           << "Send1" << 2 << "-300dB"
                                           << "Send1_Level" << send(kIn, 3, 1, 2, -127);
    QTest::newRow("minus infinity") << "Track20"
                                    << "Send4" << 3 << "-inf."
                                    << "Send4_Level" << send(kIn, 20, 4, 3, -127);
    QTest::newRow("master sends once, off") << "TrackMaster"
                                            << "Send3" << 3 << "  0dB"
                                            << "Send3_Level" << send(kMaster, 1, 3, 1, 0);
    QTest::newRow("other send name keeps the return keys") << "Track3"
                                                           << "Send9" << 0 << " -9dB"
                                                           << "Return_Level" << Wire();
}

void TestStoreStrip::sendLevel() {
    QFETCH(QString, track);
    QFETCH(QString, send);
    QFETCH(int, storedPoint);
    QFETCH(QString, label);
    QFETCH(QString, levelKey);
    QFETCH(Wire, wire);
    if (storedPoint)
        storeMixer(track, send + QStringLiteral("_Point"), storedPoint);
    dm.notifySendLevel(track, send, 88, label);
    QCOMPARE(storedMixer(track, levelKey).toInt(), 88);
    QString valueKey = levelKey;
    valueKey.replace(QStringLiteral("_Level"), QStringLiteral("_Value"));
    QCOMPARE(storedMixer(track, valueKey).toString(), label);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreStrip::returnFollowsTheMasterReverb_data() {
    QTest::addColumn<QVariant>("masterReverb"); // invalid: absent
    QTest::addColumn<QString>("label");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("absent switch") << QVariant() << "-inf." << returnLevel(1, -127);
    QTest::newRow("on") << QVariant(true) << " -3dB" << returnLevel(1, -3);
    QTest::newRow("off") << QVariant(false) << "  6dB" << returnLevel(0, 6);
}

void TestStoreStrip::returnFollowsTheMasterReverb() {
    QFETCH(QVariant, masterReverb);
    QFETCH(QString, label);
    QFETCH(Wire, wire);
    if (masterReverb.isValid())
        storeMixer("Reverb", "MasterReverb", masterReverb);
    dm.notifySendLevel(QStringLiteral("TrackMaster"), QStringLiteral("Return"), 40, label);
    QCOMPARE(storedMixer("TrackMaster", "Return_Level").toInt(), 40);
    QCOMPARE(storedMixer("TrackMaster", "Return_Value").toString(), label);
    QCOMPARE(dm.getReturnLevel(), ushort(40));
    QCOMPARE(dm.getReturnValue(), label);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreStrip::sendPoint_data() {
    QTest::addColumn<QString>("track");
    QTest::addColumn<QString>("send");
    QTest::addColumn<QString>("storedLabel"); // empty: none stored
    QTest::addColumn<int>("point");
    QTest::addColumn<QString>("pointKey");
    QTest::addColumn<Wire>("wire");
    QTest::newRow("default label") << "Track1"
                                   << "Send3"
                                   << "" << 3 << "Send3_Point" << send(kIn, 1, 3, 3, -127);
    QTest::newRow("stored label") << "Track2"
                                  << "Send1"
                                  << " -9dB" << 2 << "Send1_Point" << send(kIn, 2, 1, 2, -9);
    QTest::newRow("other name is send 4") << "Track2"
                                          << "Send7"
                                          << "" << 1 << "Send4_Point" << send(kIn, 2, 4, 1, -127);
    QTest::newRow("pair") << "Track9_10"
                          << "Send2"
                          << "-12dB" << 2 << "Send2_Point"
                          << send(kIn, 9, 2, 2, -12) + send(kIn, 10, 2, 2, -12);
    QTest::newRow("point out of range sent as off")
        << "Track4"
        << "Send2"
        << "  0dB" << 9 << "Send2_Point" << send(kIn, 4, 2, 1, 0);
}

void TestStoreStrip::sendPoint() {
    QFETCH(QString, track);
    QFETCH(QString, send);
    QFETCH(QString, storedLabel);
    QFETCH(int, point);
    QFETCH(QString, pointKey);
    QFETCH(Wire, wire);
    if (!storedLabel.isEmpty())
        storeMixer(track, pointKey.left(5) + QStringLiteral("_Value"), storedLabel);
    dm.notifySendPoint(track, send, char(point));
    QCOMPARE(storedMixer(track, pointKey).toInt(), point);
    QCOMPARE(dm.getSendPoint(track, send), uchar(point));
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreStrip::trueBypassSendsAndStores() {
    dm.notifyTrueBypass(7, true);
    QCOMPARE(storedMixer("Track7", "TrueBypass").toBool(), true);
    QCOMPARE(dm.getTrueBypass(7), true);
    QCOMPARE(dm.getTrueBypass(8), false);
    // Out of the proxy's range: stored under its own group, nothing sent.
    dm.notifyTrueBypass(21, true);
    QCOMPARE(storedMixer("Track21", "TrueBypass").toBool(), true);
    const Wire wire = byteParam(kIn, 7, KXCTL_TAG_TRUEBYPASS, 1);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreStrip::mixerTrueBypass() {
    dm.setMixerTrueBypass(true);
    QCOMPARE(storedMixer("Misc", "MixerTrueBypass").toBool(), true);
    QCOMPARE(dm.getMixerTrueBypass(), true);
    dm.setMixerTrueBypass(false);
    QCOMPARE(dm.getMixerTrueBypass(), false);
    const Wire wire =
        byteParam(kIn, 1, KXCTL_TAG_TRUEBYPASS, 1) + byteParam(kIn, 1, KXCTL_TAG_TRUEBYPASS, 0);
    QCOMPARE(fixture.receivedText(), text(wire));
}

void TestStoreStrip::storeAndSendOrder_data() {
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("storedFirst");
    QTest::newRow("mute") << 0 << "Track5"
                          << "Mute" << true;
    QTest::newRow("fader") << 1 << "Track5_6"
                           << "Fader" << true;
    QTest::newRow("pan") << 2 << "Track5"
                         << "Pan_value" << true;
    QTest::newRow("send level") << 3 << "Track5"
                                << "Send1_Value" << true;
    QTest::newRow("send point") << 4 << "Track5"
                                << "Send2_Point" << true;
    QTest::newRow("true bypass") << 5 << "Track5"
                                 << "TrueBypass" << false;
    QTest::newRow("mixer true bypass") << 6 << "Misc"
                                       << "MixerTrueBypass" << false;
    QTest::newRow("monitor level") << 7 << "MoniCon OUT1_2"
                                   << "Mono1" << false;
    QTest::newRow("monitor master") << 8 << "MoniCon"
                                    << "Master" << true;
}

// The proxy hands a message to the worker inside the set call when the unit is ready, so
// what is stored at that moment shows whether the key was written before the send.
void TestStoreStrip::storeAndSendOrder() {
    QFETCH(int, op);
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(bool, storedFirst);
    bool sent = false;
    QVariant atSend;
    const auto c = connect(
        &dm.device(), &QKXDevice::sig_kx_send, this,
        [&] {
            if (!sent)
                atSend = storedMixer(group, key);
            sent = true;
        },
        Qt::DirectConnection);
    switch (op) {
    case 0:
        dm.notifyTrackMute(group, true);
        break;
    case 1:
        dm.notifyTrackFader(group, -4.0);
        break;
    case 2:
        dm.notifyTrackPan(group, 10, QStringLiteral("L10"));
        break;
    case 3:
        dm.notifySendLevel(group, QStringLiteral("Send1"), 60, QStringLiteral("-20dB"));
        break;
    case 4:
        dm.notifySendPoint(group, QStringLiteral("Send2"), 3);
        break;
    case 5:
        dm.notifyTrueBypass(5, true);
        break;
    case 6:
        dm.setMixerTrueBypass(true);
        break;
    case 7:
        dm.notifyMoniConMono1Fader(kMoniConOut1_2, -20.0);
        break;
    case 8:
        dm.notifyMoniConMasterFader(-20.0);
        break;
    }
    disconnect(c);
    QVERIFY(sent);
    QCOMPARE(atSend.isValid(), storedFirst);
    QVERIFY(storedMixer(group, key).isValid());
}

// Every listed text and label reaches the unit as its code. Distinct parameters take one
// entry each, so that a batch of them reaches the unit together.

void TestStoreStrip::faderTextsInFull() {
    using transcribed::faderRowDb;
    transcribed::Mismatches m;
    const QStringList tracks = [] {
        QStringList t;
        for (int n = 1; n <= 20; ++n)
            t << QStringLiteral("Track%1").arg(n);
        return t << QStringLiteral("TrackMaster");
    }();
    for (int first = 352; first <= 453; first += tracks.size()) {
        QVector<int> rows;
        for (int i = 0; i < tracks.size() && first + i <= 453; ++i) {
            const int row = first + i;
            rows << row;
            const QString text = row >= 452
                                     ? QStringLiteral("-infinity")
                                     : QStringLiteral("%1.0 dB").arg(faderRowDb[row - 352], 3);
            dm.notifyTrackFader(tracks[i], row, text);
        }
        QVERIFY(fixture.settle());
        const EmulatedUnit::State s = fixture.unit().state();
        for (int i = 0; i < rows.size(); ++i) {
            const int row = rows[i];
            const int code = row >= 452 ? -1270 : 10 * faderRowDb[row - 352];
            const QString key = QStringLiteral("row %1 on %2").arg(row).arg(tracks[i]);
            if (i < 20) {
                m.check(key, int(s.inputs[i].fader), code);
            } else {
                m.check(key + " left", int(s.masterFader[0]), code);
                m.check(key + " right", int(s.masterFader[1]), code);
            }
        }
    }
    VERIFY_ALL_ENTRIES(m);
}

void TestStoreStrip::panLabelsInFull() {
    transcribed::Mismatches m;
    for (int first = 0; first <= 40; first += 20) {
        for (int i = 0; i < 20 && first + i <= 40; ++i) {
            const QString label = QString::fromLatin1(transcribed::panLabels[first + i]);
            m.check(label, int(DataManager::exchangePanLabelToNum(label)), first + i);
            dm.notifyTrackPan(QStringLiteral("Track%1").arg(i + 1), 0, label);
        }
        QVERIFY(fixture.settle());
        const EmulatedUnit::State s = fixture.unit().state();
        for (int i = 0; i < 20 && first + i <= 40; ++i)
            m.check(
                QStringLiteral("%1 on input %2").arg(transcribed::panLabels[first + i]).arg(i + 1),
                int(s.inputs[i].pan), first + i);
    }
    VERIFY_ALL_ENTRIES(m);
}

void TestStoreStrip::sendTextsInFull() {
    const QVector<QString> texts = transcribed::expand(transcribed::sendTexts);
    QCOMPARE(texts.size(), 128);
    // Twenty inputs and the master, four sends each.
    struct Send {
        QString track;
        int row, bus;
    };
    QVector<Send> sends;
    for (int row = 1; row <= 21; ++row)
        for (int bus = 1; bus <= 4; ++bus)
            sends << Send{row <= 20 ? QStringLiteral("Track%1").arg(row)
                                    : QStringLiteral("TrackMaster"),
                          row, bus};
    transcribed::Mismatches m;
    for (int first = 0; first < 128; first += sends.size()) {
        for (int i = 0; i < sends.size() && first + i < 128; ++i)
            dm.notifySendLevel(sends[i].track, QStringLiteral("Send%1").arg(sends[i].bus),
                               first + i, texts[first + i]);
        QVERIFY(fixture.settle());
        const EmulatedUnit::State s = fixture.unit().state();
        for (int i = 0; i < sends.size() && first + i < 128; ++i) {
            const QString &text = texts[first + i];
            const int level =
                text == QLatin1String("-inf.") ? -127 : text.left(3).trimmed().toInt();
            const EmulatedUnit::Send &got = sends[i].row <= 20
                                                ? s.inputs[sends[i].row - 1].sends[sends[i].bus - 1]
                                                : s.masterSends[sends[i].bus - 1];
            m.check(QStringLiteral("position %1 \"%2\"").arg(first + i).arg(text), int(got.level),
                    level);
        }
    }
    VERIFY_ALL_ENTRIES(m);
}

QTEST_GUILESS_MAIN(TestStoreStrip)
#include "tst_store_strip.moc"
