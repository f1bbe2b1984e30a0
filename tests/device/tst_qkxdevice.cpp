// The device proxy: range checks, pending items, the fixed packing order, ready flow control
// and the answer parser. What went out is read from the emulated unit's log; the parser is
// fed crafted answers through its slot.
#include "LinkWait.h"
#include "QKXDevice.h"
#include "StdoutCapture.h"
#include "UnitFixture.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// Every receive signal of the proxy as one line of text, in emission order.
class SignalLog : public QObject {
public:
    explicit SignalLog(QKXDevice *dev) {
        auto add = [this](const QString &s) { lines << s; };
        connect(dev, &QKXDevice::sig_recv_debug, this, [add](QString s) { add("debug " + s); });
        connect(dev, &QKXDevice::sig_recv_hz, this,
                [add](uint32_t v) { add(QString("hz %1").arg(v)); });
        connect(dev, &QKXDevice::sig_recv_clocksource, this,
                [add](kxmsg_data_clocksource_t v) { add(QString("clocksource %1").arg(v)); });
        connect(dev, &QKXDevice::sig_recv_clocklock, this,
                [add](kxmsg_data_clocksource_t s, kxmsg_data_clocklock_t l) {
                    add(QString("clocklock %1 %2").arg(s).arg(l));
                });
        connect(dev, &QKXDevice::sig_recv_clockhz, this,
                [add](kxmsg_data_clocksource_t s, uint32_t hz) {
                    add(QString("clockhz %1 %2").arg(s).arg(hz));
                });
        connect(dev, &QKXDevice::sig_recv_dspmode, this,
                [add](kxmsg_data_dspmode_t m) { add(QString("dspmode %1").arg(uint(m))); });
        connect(dev, &QKXDevice::sig_recv_adat_x4mode, this,
                [add](kxmsg_data_clocksource_t s, kxmsg_data_adat_x4mode_t m) {
                    add(QString("adat %1 %2").arg(s).arg(m));
                });
        connect(dev, &QKXDevice::sig_recv_version, this,
                [add](uint16_t v) { add(QString("version %1").arg(v)); });
        connect(dev, &QKXDevice::sig_recv_build, this,
                [add](uint16_t v) { add(QString("build %1").arg(v)); });
        connect(dev, &QKXDevice::sig_recv_productname, this,
                [add](QString s) { add("name " + s); });
        connect(dev, &QKXDevice::sig_recv_builddate, this, [add](QString s) { add("date " + s); });
        connect(dev, &QKXDevice::sig_recv_buildtime, this, [add](QString s) { add("time " + s); });
        connect(dev, &QKXDevice::sig_recv_meter, this,
                [add](kxmsg_data_ch_t t, uint8_t n, uint32_t v) {
                    add(QString("meter %1 %2 %3").arg(t).arg(n).arg(v));
                });
        connect(dev, &QKXDevice::sig_recv_grmeter, this,
                [add](kxmsg_data_ch_t t, uint8_t n, uint32_t v) {
                    add(QString("grmeter %1 %2 %3").arg(t).arg(n).arg(v));
                });
    }
    QStringList lines;
};

QByteArray answer(const char *hex) {
    QByteArray a = QByteArray::fromHex(hex);
    a.resize(64);
    return a;
}

// Tags of the elements of a message, in order.
QVector<int> tagsOf(const QVector<EmulatedUnit::Element> &elements) {
    QVector<int> tags;
    for (const auto &e : elements)
        tags << e.tag;
    return tags;
}

} // namespace

class TestQKXDevice : public QObject {
    Q_OBJECT
private slots:
    void rangeChecks_data();
    void rangeChecks();
    void unchangedValueIsNotSentAgain();
    void reverbAndReturnAreSentOnEveryCall();
    void opticalFormatOnlyForBothOpticalSources();
    void nothingGoesOutUntilReady();
    void sevenPansFillOneMessageAndTheEighthWaits();
    void onlyTheLatestValueTravels();
    void pendingValueIsReplacedByTheLatest_data();
    void pendingValueIsReplacedByTheLatest();
    void trafficTellsWhenTheLinkRests();
    void deliveredWhileMetersKeepTheLinkBusy();
    void fixedPackingOrderAcrossMessages();
    void faderPairStaysWhenItsLevelDoesNotFit();
    void packingPrintsNothing();
    void refusedMessageIsPackedAgain();
    void refusedMessageGoesOutAgain();
    void saveReachesTheUnitAfterThePendingValues();
    void saveIsNotCarriedToTheNextUnit();
    void readyWithNothingPendingSendsNothing();
    void initializeParameterForgetsLastValues();
    void answerElementsBecomeSignals();
    void parserContexts();
    void readyOnlyWhenIdle();
    void readyClearedThenSetPacksOnce();
    void failedReadGivesOnlyTheFailureNotice();
    void malformedElementEndsTheAnswer();
};

void TestQKXDevice::rangeChecks_data() {
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("no");
    QTest::addColumn<bool>("accepted");
    // op: 0 fader, 1 mute, 2 pan, 3 phase, 4 solo, 5 bypass, 6 eq, 7 comp, 8 assign
    QTest::newRow("fader input 20") << 0 << 4 << 20 << true;
    QTest::newRow("fader input 21") << 0 << 4 << 21 << false;
    QTest::newRow("fader input 0") << 0 << 4 << 0 << false;
    QTest::newRow("fader master 2") << 0 << 2 << 2 << true;
    QTest::newRow("fader master 3") << 0 << 2 << 3 << false;
    QTest::newRow("fader output 9") << 0 << 1 << 9 << true;
    QTest::newRow("fader output 10") << 0 << 1 << 10 << false;
    QTest::newRow("fader bus") << 0 << 5 << 1 << false;
    QTest::newRow("mute master 1") << 1 << 2 << 1 << true;
    QTest::newRow("mute output 1") << 1 << 1 << 1 << false;
    QTest::newRow("pan master") << 2 << 2 << 1 << false;
    QTest::newRow("pan input 1") << 2 << 4 << 1 << true;
    QTest::newRow("phase input 21") << 3 << 4 << 21 << false;
    QTest::newRow("solo input 20") << 4 << 4 << 20 << true;
    QTest::newRow("bypass master") << 5 << 2 << 1 << false;
    QTest::newRow("eq input 20") << 6 << 4 << 20 << true;
    QTest::newRow("eq master") << 6 << 2 << 1 << false;
    QTest::newRow("comp input 0") << 7 << 4 << 0 << false;
    QTest::newRow("assign output 20") << 8 << 1 << 20 << true;
    QTest::newRow("assign output 21") << 8 << 1 << 21 << false;
    QTest::newRow("assign to input") << 8 << 4 << 1 << false;
}

void TestQKXDevice::rangeChecks() {
    QFETCH(int, op);
    QFETCH(int, type);
    QFETCH(int, no);
    QFETCH(bool, accepted);
    QKXDevice dev;
    const auto t = kxmsg_data_ch_t(type);
    const auto n = uchar(no);
    bool r = false;
    switch (op) {
    case 0:
        r = dev.set_fader(t, n, -100);
        break;
    case 1:
        r = dev.set_mute(t, n, true);
        break;
    case 2:
        r = dev.set_pan(t, n, 3);
        break;
    case 3:
        r = dev.set_phase(t, n, true);
        break;
    case 4:
        r = dev.set_solo(t, n, true);
        break;
    case 5:
        r = dev.set_truebypass(t, n, true);
        break;
    case 6:
        r = dev.set_eq(t, n, 1, KXMSG_DATA_EQ_BAND_LOW, 1, 2, 3);
        break;
    case 7:
        r = dev.set_comp(t, n, 1, 1, 1, 1, 1, 1, KXMSG_DATA_CH_TYPE_MONO);
        break;
    case 8:
        r = dev.set_assign_ch(KXMSG_DATA_CH_PLAYBACK, 1, t, n);
        break;
    }
    QCOMPARE(r, accepted);
}

void TestQKXDevice::unchangedValueIsNotSentAgain() {
    UnitFixture units;
    auto unit = units.plug();
    QKXDevice dev;
    QVERIFY(dev.set_fader(KXMSG_DATA_CH_LINEOUT, 9, -1270));
    WAIT_LINK_IDLE(dev);
    QCOMPARE(unit->messages().size(), 1);
    QVERIFY(dev.set_fader(KXMSG_DATA_CH_LINEOUT, 9, -1270));
    QVERIFY(dev.set_send_ch(KXMSG_DATA_CH_MASTER, 1, KXMSG_DATA_CH_AUX_SEND, 3,
                            KXMSG_DATA_SEND_POS_PRE, -10));
    QVERIFY(!dev.set_send_ch(KXMSG_DATA_CH_MASTER, 2, KXMSG_DATA_CH_AUX_SEND, 3,
                             KXMSG_DATA_SEND_POS_PRE, -10));
    QVERIFY(!dev.set_send_ch(KXMSG_DATA_CH_MIXER_INPUT, 5, KXMSG_DATA_CH_AUX_SEND, 0,
                             KXMSG_DATA_SEND_POS_PRE, -10));
    WAIT_LINK_IDLE(dev);
    const auto messages = unit->messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages[0], QByteArray::fromHex("610201 620209 81030afb"));
    QCOMPARE(messages[1],
             QByteArray::fromHex("610202 620201 4101 610205 620203 4201 440202 4502f6 4601"));
    QCOMPARE(unit->state().outputFader[8], int16_t(-1270));
    QCOMPARE(int(unit->state().masterSends[2].level), -10);
}

void TestQKXDevice::reverbAndReturnAreSentOnEveryCall() {
    UnitFixture units;
    auto unit = units.plug();
    QKXDevice dev;
    // Once ready, the first change goes out alone and the second follows the answer; each
    // round carries the same bytes.
    QByteArray rounds[2];
    for (QByteArray &round : rounds) {
        unit->clearLog();
        dev.set_reverb(KXMSG_DATA_REVERB_ROOM, 1, 2, 3);
        dev.set_return(true, -20);
        WAIT_LINK_IDLE(dev);
        for (const QByteArray &m : unit->messages())
            round += m;
    }
    QCOMPARE(rounds[1], rounds[0]);
    QCOMPARE(rounds[0], QByteArray::fromHex("d10202 d20201 d30202 d40203 d501 4702ec 480201"));
}

void TestQKXDevice::opticalFormatOnlyForBothOpticalSources() {
    UnitFixture units;
    auto unit = units.plug();
    QKXDevice dev;
    QSignalSpy reads(&dev, &QKXDevice::sig_kx_recv);
    dev.set_adat_x4mode(KXMSG_DATA_CLOCKSOURCE_INTERNAL, KXMSG_DATA_ADAT_X1);
    QCOMPARE(reads.count(), 0);
    dev.set_adat_x4mode(KXMSG_DATA_CLOCKSOURCE_OPTICAL_B, KXMSG_DATA_ADAT_X2);
    dev.set_adat_x4mode(KXMSG_DATA_CLOCKSOURCE_OPTICAL_A, KXMSG_DATA_ADAT_X4);
    WAIT_LINK_IDLE(dev);
    QCOMPARE(unit->messages().size(), 1);
    QCOMPARE(unit->messages()[0], QByteArray::fromHex("1d0205 870201 1d0206 870202"));
    QCOMPARE(int(unit->state().opticalFormat[0]), 1);
    QCOMPARE(int(unit->state().opticalFormat[1]), 2);
}

void TestQKXDevice::nothingGoesOutUntilReady() {
    UnitFixture units;
    auto unit = units.plug();
    unit->setBusy(true);
    QKXDevice dev;
    for (int i = 0; i < 5; ++i) {
        dev.set_phase(KXMSG_DATA_CH_MIXER_INPUT, 3, i % 2 == 0);
        WAIT_LINK_QUIET(dev); // the unit's answer said busy
    }
    QCOMPARE(unit->countRequests(KXCTL_REQUEST_OUT), 0);
    QCOMPARE(unit->countRequests(KXCTL_REQUEST_IN), 5);
    unit->setBusy(false);
    dev.kx_recv();
    WAIT_LINK_IDLE(dev);
    QCOMPARE(unit->messages().size(), 1);
    QCOMPARE(unit->messages()[0], QByteArray::fromHex("610204 620203 850201"));
}

void TestQKXDevice::sevenPansFillOneMessageAndTheEighthWaits() {
    UnitFixture units;
    auto unit = units.plug();
    unit->setBusy(true);
    QKXDevice dev;
    for (uchar ch = 1; ch <= 8; ++ch)
        QVERIFY(dev.set_pan(KXMSG_DATA_CH_MIXER_INPUT, ch, uchar(ch + 10)));
    WAIT_LINK_QUIET(dev);
    QCOMPARE(unit->countRequests(KXCTL_REQUEST_OUT), 0);
    unit->setBusy(false);
    dev.kx_recv();
    WAIT_LINK_IDLE(dev);
    const auto messages = unit->messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages[0].size(), 63);
    QCOMPARE(messages[0].left(9), QByteArray::fromHex("610204 620201 82020b"));
    QCOMPARE(messages[0].right(9), QByteArray::fromHex("610204 620207 820211"));
    QCOMPARE(messages[1], QByteArray::fromHex("610204 620208 820212"));
    QCOMPARE(int(unit->state().inputs[7].pan), 18);
}

void TestQKXDevice::onlyTheLatestValueTravels() {
    UnitFixture units;
    auto unit = units.plug();
    QKXDevice dev;
    dev.kx_recv();
    WAIT_LINK_IDLE(dev); // the unit has said ready and nothing is pending
    QVERIFY(dev.set_pan(KXMSG_DATA_CH_MIXER_INPUT, 1, 10)); // goes out at once
    QVERIFY(dev.traffic().inFlight);
    // While it is in flight the same parameter changes three times.
    QVERIFY(dev.set_pan(KXMSG_DATA_CH_MIXER_INPUT, 1, 11));
    QVERIFY(dev.set_pan(KXMSG_DATA_CH_MIXER_INPUT, 1, 12));
    QVERIFY(dev.set_pan(KXMSG_DATA_CH_MIXER_INPUT, 1, 13));
    WAIT_LINK_IDLE(dev);
    const auto messages = unit->messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages[0], QByteArray::fromHex("610204 620201 82020a"));
    QCOMPARE(messages[1], QByteArray::fromHex("610204 620201 82020d"));
}

// One parameter of each kind changed again and again while its earlier value waits for a
// busy unit: the unit receives one group for it, with the last value.
void TestQKXDevice::pendingValueIsReplacedByTheLatest_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QVector<int>>("values");
    QTest::addColumn<int>("tag");      // the element that carries the value
    QTest::addColumn<uint>("carried"); // its value on the wire
    enum { Pan, Fader, Mute, Phase, Bypass, EqGain, CompThreshold, SendLevel };
    QTest::newRow("pan") << int(Pan) << QVector<int>{10, 11, 12, 13} << int(KXCTL_TAG_PAN) << 13u;
    QTest::newRow("pan back to its first value")
        << int(Pan) << QVector<int>{10, 30, 10} << int(KXCTL_TAG_PAN) << 10u;
    QTest::newRow("fader") << int(Fader) << QVector<int>{-100, -1270, 60, -35}
                           << int(KXCTL_TAG_FADER) << uint(uint16_t(-35));
    QTest::newRow("master mute") << int(Mute) << QVector<int>{1, 0, 1, 0} << int(KXCTL_TAG_MUTE)
                                 << 0u;
    QTest::newRow("phase") << int(Phase) << QVector<int>{1, 0, 1} << int(KXCTL_TAG_PHASE) << 1u;
    QTest::newRow("true bypass") << int(Bypass) << QVector<int>{1, 0, 1}
                                 << int(KXCTL_TAG_TRUEBYPASS) << 1u;
    QTest::newRow("eq gain") << int(EqGain) << QVector<int>{3, 24, 7} << int(KXCTL_TAG_EQ_GAIN)
                             << 7u;
    QTest::newRow("comp threshold")
        << int(CompThreshold) << QVector<int>{224, 240, 0} << int(KXCTL_TAG_COMP_THRESHOLD) << 0u;
    QTest::newRow("send level") << int(SendLevel) << QVector<int>{-10, 6, -127}
                                << int(KXCTL_TAG_SEND_LEVEL) << uint(uint8_t(-127));
}

void TestQKXDevice::pendingValueIsReplacedByTheLatest() {
    QFETCH(int, kind);
    QFETCH(QVector<int>, values);
    QFETCH(int, tag);
    QFETCH(uint, carried);
    UnitFixture units;
    auto unit = units.plug();
    unit->setBusy(true);
    QKXDevice dev;
    const auto in = KXMSG_DATA_CH_MIXER_INPUT;
    for (int v : values) {
        bool accepted = false;
        switch (kind) {
        case 0:
            accepted = dev.set_pan(in, 4, uchar(v));
            break;
        case 1:
            accepted = dev.set_fader(in, 4, short(v));
            break;
        case 2:
            accepted = dev.set_mute(KXMSG_DATA_CH_MASTER, 2, v != 0);
            break;
        case 3:
            accepted = dev.set_phase(in, 4, v != 0);
            break;
        case 4:
            accepted = dev.set_truebypass(in, 4, v != 0);
            break;
        case 5:
            accepted = dev.set_eq(in, 4, 1, KXMSG_DATA_EQ_BAND_HIGH, uchar(v), 40, 255);
            break;
        case 6:
            accepted = dev.set_comp(in, 4, 1, uchar(v), 20, 10, 10, 0, KXMSG_DATA_CH_TYPE_MONO);
            break;
        case 7:
            accepted = dev.set_send_ch(in, 4, KXMSG_DATA_CH_AUX_SEND, 2, KXMSG_DATA_SEND_POS_POST,
                                       static_cast<signed char>(v));
            break;
        }
        QVERIFY(accepted);
        WAIT_LINK_QUIET(dev);
        QVERIFY(dev.traffic().valuesPending);
    }
    QCOMPARE(unit->countRequests(KXCTL_REQUEST_OUT), 0);
    unit->setBusy(false);
    dev.kx_recv();
    WAIT_LINK_IDLE(dev);
    QCOMPARE(unit->messages().size(), 1);
    QVector<uint> seen;
    for (const EmulatedUnit::Element &e : unit->elements())
        if (e.tag == tag)
            seen << e.value;
    QCOMPARE(seen, QVector<uint>{carried});
}

// The link's own account of its traffic, on which the tests' waiting relies.
void TestQKXDevice::trafficTellsWhenTheLinkRests() {
    UnitFixture units;
    auto unit = units.plug();
    unit->setBusy(true);
    QKXDevice dev;
    QVERIFY(!dev.traffic().idle());
    QVERIFY(!dev.traffic().inFlight);
    dev.set_mute(KXMSG_DATA_CH_MIXER_INPUT, 2, true);
    QKXDevice::Traffic t = dev.traffic();
    QVERIFY(t.inFlight); // a read asks whether the unit is ready
    QVERIFY(t.valuesPending);
    QVERIFY(!t.requestsPending);
    WAIT_LINK_QUIET(dev);
    dev.request_hz();
    WAIT_LINK_QUIET(dev);
    t = dev.traffic();
    QVERIFY(!t.ready);
    QVERIFY(t.valuesPending);
    QVERIFY(t.requestsPending);
    QVERIFY(!t.idle());
    QCOMPARE(t.messagesSent, quint64(0));

    unit->setBusy(false);
    dev.kx_recv();
    WAIT_LINK_IDLE(dev);
    t = dev.traffic();
    QVERIFY(t.ready && !t.inFlight && !t.valuesPending && !t.requestsPending);
    QCOMPARE(t.messagesSent, quint64(1));
    QCOMPARE(t.messagesDone, quint64(1));
    QCOMPARE(int(unit->state().inputs[1].mute), 1);
    // Ready: the next change goes out at once and is in flight until its answer is back.
    dev.set_mute(KXMSG_DATA_CH_MIXER_INPUT, 2, false);
    t = dev.traffic();
    QVERIFY(t.inFlight && !t.ready && !t.valuesPending);
    QCOMPARE(t.messagesSent, quint64(2));
    QCOMPARE(t.messagesDone, quint64(1));
    WAIT_LINK_IDLE(dev);
    QCOMPARE(unit->messages().size(), 2);
}

// The main window asks for meters again with every meter answer, so its link never rests;
// the values set before still reach the unit, and the wait for them says when.
void TestQKXDevice::deliveredWhileMetersKeepTheLinkBusy() {
    UnitFixture units;
    auto unit = units.plug();
    QKXDevice dev;
    int meterAnswers = 0;
    connect(&dev, &QKXDevice::sig_recv_meter, &dev, [&] {
        ++meterAnswers;
        dev.request_meter();
    });
    dev.request_meter();
    QVERIFY(UnitFixture::waitFor([&] { return meterAnswers > 22; }));
    // Thirty-one levels take four messages, meter requests in between.
    for (uchar ch = 1; ch <= 20; ++ch)
        QVERIFY(dev.set_fader(KXMSG_DATA_CH_MIXER_INPUT, ch, short(-10 * ch)));
    for (uchar m = 1; m <= 2; ++m)
        QVERIFY(dev.set_fader(KXMSG_DATA_CH_MASTER, m, short(-300 - m)));
    for (uchar o = 1; o <= 9; ++o)
        QVERIFY(dev.set_fader(KXMSG_DATA_CH_LINEOUT, o, short(-400 - o)));
    const quint64 before = dev.traffic().messagesSent;
    WAIT_LINK_DELIVERED(dev);
    const EmulatedUnit::State s = unit->state();
    for (int ch = 1; ch <= 20; ++ch)
        QCOMPARE(int(s.inputs[ch - 1].fader), -10 * ch);
    QCOMPARE(int(s.masterFader[1]), -302);
    QCOMPARE(int(s.outputFader[8]), -409);
    QVERIFY(dev.traffic().messagesSent >= before + 4);
    // The meters go on all the while.
    const int answers = meterAnswers;
    QVERIFY(UnitFixture::waitFor([&] { return meterAnswers > answers; }));
    disconnect(&dev, &QKXDevice::sig_recv_meter, &dev, nullptr);
    WAIT_LINK_IDLE(dev);
}

void TestQKXDevice::fixedPackingOrderAcrossMessages() {
    UnitFixture units;
    auto unit = units.plug();
    unit->setBusy(true);
    QKXDevice dev;
    // Marked in the reverse of the packing order.
    dev.set_phase(KXMSG_DATA_CH_MIXER_INPUT, 2, true);
    dev.set_solo(KXMSG_DATA_CH_MIXER_INPUT, 2, true);
    dev.set_mute(KXMSG_DATA_CH_MASTER, 1, true);
    dev.set_pan(KXMSG_DATA_CH_MIXER_INPUT, 2, 0);
    dev.set_fader(KXMSG_DATA_CH_MIXER_INPUT, 2, -30);
    dev.set_truebypass(KXMSG_DATA_CH_MIXER_INPUT, 2, true);
    dev.set_return(true, -5);
    dev.set_reverb(KXMSG_DATA_REVERB_HALL, 4, 5, 6);
    dev.set_comp(KXMSG_DATA_CH_MIXER_INPUT, 2, 1, 1, 2, 3, 4, 5, KXMSG_DATA_CH_TYPE_MONO);
    dev.set_eq(KXMSG_DATA_CH_MIXER_INPUT, 2, 1, KXMSG_DATA_EQ_BAND_LOWMID, 1, 2, 3);
    dev.set_send_ch(KXMSG_DATA_CH_MIXER_INPUT, 2, KXMSG_DATA_CH_AUX_SEND, 1,
                    KXMSG_DATA_SEND_POS_POST, 0);
    dev.set_assign_ch(KXMSG_DATA_CH_PLAYBACK, 1, KXMSG_DATA_CH_LINEOUT, 1);
    dev.set_hz(96000);
    dev.set_adat_x4mode(KXMSG_DATA_CLOCKSOURCE_OPTICAL_B, KXMSG_DATA_ADAT_X2);
    dev.set_adat_x4mode(KXMSG_DATA_CLOCKSOURCE_OPTICAL_A, KXMSG_DATA_ADAT_X1);
    dev.set_clocksource(KXMSG_DATA_CLOCKSOURCE_OPTICAL_A);
    dev.set_config_save();
    dev.request_adat_x4mode();
    dev.request_dspmode();
    dev.request_grmeter(KXMSG_DATA_CH_MIXER_INPUT, 2);
    dev.request_meter();
    dev.request_clocklock();
    dev.request_clocksource();
    dev.request_hz();
    dev.request_version();
    WAIT_LINK_QUIET(dev);
    QCOMPARE(unit->countRequests(KXCTL_REQUEST_OUT), 0);
    unit->setBusy(false);
    dev.kx_recv();
    WAIT_LINK_IDLE(dev);
    QVector<int> sizes;
    for (const QByteArray &m : unit->messages())
        sizes << m.size();
    QCOMPARE(sizes, QVector<int>({61, 45, 62, 48}));
    // The save comes last, after every value that was pending when it was asked for.
    const QVector<int> expected = {49,  24,  26,  27,  113, 97,  98,  177, 193, 195, 25, 29,
                                   135, 29,  135, 23,  97,  98,  65,  97,  98,  66,  67, // routing
                                   97,  98,  65,  97,  98,  66,  68,  69,  70,           // send
                                   97,  98,  81,  82,  83,  84,  85,            // equaliser
                                   97,  98,  145, 146, 147, 148, 149, 150, 151, // compressor
                                   209, 210, 211, 212, 213, 71,  72,            // reverb, return
                                   97,  98,  74,                                // true bypass
                                   97,  98, // fader pair, level did not fit
                                   97,  98,  129, 97,  98,  130, 97,  98,  131, 97,  98, 132,
                                   97,  98,  133, 162};
    QCOMPARE(tagsOf(unit->elements()), expected);
    const auto s = unit->state();
    QCOMPARE(s.inputs[1].fader, int16_t(-30));
    QCOMPARE(int(s.inputs[1].eq[1].on), 1);
    QCOMPARE(int(s.inputs[1].sends[0].pos), 3);
    QCOMPARE(int(s.routes[0].srcType), 3);
    QCOMPARE(int(s.masterMute[0]), 1);
    QCOMPARE(s.sampleRate, 96000u);
    QCOMPARE(s.configSaves, 1);
}

void TestQKXDevice::faderPairStaysWhenItsLevelDoesNotFit() {
    UnitFixture units;
    auto unit = units.plug();
    unit->setBusy(true);
    QKXDevice dev;
    StdoutCapture out;
    dev.request_version();         // 2 bytes
    for (uchar o = 1; o <= 3; ++o) // 54 bytes
        dev.set_assign_ch(KXMSG_DATA_CH_PLAYBACK, o, KXMSG_DATA_CH_LINEOUT, o);
    dev.set_fader(KXMSG_DATA_CH_MIXER_INPUT, 1, -1270);
    WAIT_LINK_QUIET(dev);
    QCOMPARE(unit->countRequests(KXCTL_REQUEST_OUT), 0);
    unit->setBusy(false);
    dev.kx_recv();
    WAIT_LINK_IDLE(dev);
    const auto messages = unit->messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages[0].size(), 62);
    QCOMPARE(messages[0].right(6), QByteArray::fromHex("610204 620201"));
    QCOMPARE(messages[1], QByteArray::fromHex("610204 620201 81030afb"));
    QCOMPARE(unit->state().inputs[0].fader, int16_t(-1270));
    QCOMPARE(out.take(), QString()); // a level left for the next message is no failure
}

// Items left for the next message are the normal course of packing: a reload's worth of
// values, with groups of every size meeting the end of the message, prints no line.
void TestQKXDevice::packingPrintsNothing() {
    UnitFixture units;
    auto unit = units.plug();
    unit->setBusy(true);
    QKXDevice dev;
    StdoutCapture out;
    const auto in = KXMSG_DATA_CH_MIXER_INPUT;
    for (uchar ch = 1; ch <= 20; ++ch) {
        dev.set_assign_ch(KXMSG_DATA_CH_PLAYBACK, ch, KXMSG_DATA_CH_LINEOUT, ch);
        for (uchar bus = 1; bus <= 4; ++bus)
            dev.set_send_ch(in, ch, KXMSG_DATA_CH_AUX_SEND, bus, KXMSG_DATA_SEND_POS_POST, -3);
        for (int band = 1; band <= 4; ++band)
            dev.set_eq(in, ch, 1, kxmsg_data_eq_band_t(band), 10, 20, 30);
        dev.set_comp(in, ch, 1, 1, 2, 3, 4, 5, KXMSG_DATA_CH_TYPE_MONO);
        dev.set_truebypass(in, ch, ch % 2 == 0);
        dev.set_fader(in, ch, short(-5 * ch));
        dev.set_pan(in, ch, uchar(ch));
        dev.set_mute(in, ch, true);
        dev.set_solo(in, ch, true);
        dev.set_phase(in, ch, true);
    }
    dev.set_reverb(KXMSG_DATA_REVERB_PLATE, 1, 2, 3);
    dev.set_return(true, -6);
    for (uchar o = 1; o <= 9; ++o)
        dev.set_fader(KXMSG_DATA_CH_LINEOUT, o, short(-o));
    dev.set_config_save();
    WAIT_LINK_QUIET(dev);
    unit->setBusy(false);
    dev.kx_recv();
    WAIT_LINK_IDLE(dev);
    QVERIFY(unit->messages().size() > 60);
    QCOMPARE(unit->state().configSaves, 1);
    QCOMPARE(int(unit->state().inputs[19].phase), 1);
    QCOMPARE(out.take(), QString());
}

// A refused message is packed again with the latest values of what it carried; a delivered
// one is not, and entries forgotten meanwhile stay forgotten.
void TestQKXDevice::refusedMessageIsPackedAgain() {
    QKXDevice dev;
    QSignalSpy sends(&dev, &QKXDevice::sig_kx_send);
    const QByteArray ready = answer("a10201");
    const auto in = KXMSG_DATA_CH_MIXER_INPUT;
    dev.recv_kx_recv_result(true, ready);
    dev.set_pan(in, 2, 6); // goes out at once
    dev.request_version(); // waits for the next message
    dev.set_pan(in, 1, 5);
    QCOMPARE(sends.count(), 1);
    dev.recv_kx_send_result(false);
    QVERIFY(dev.traffic().valuesPending);
    dev.recv_kx_recv_result(true, ready);
    QCOMPARE(sends.count(), 2);
    QCOMPARE(sends[1][0].toByteArray(), QByteArray::fromHex("3101 610204 620201 820205 "
                                                            "610204 620202 820206"));
    dev.recv_kx_send_result(true);
    dev.recv_kx_recv_result(true, ready);
    QCOMPARE(sends.count(), 2);
    QVERIFY(!dev.traffic().valuesPending && !dev.traffic().requestsPending);

    // Changed again while the refused message was on its way: the latest value goes.
    dev.set_pan(in, 3, 7);
    dev.set_pan(in, 3, 8);
    dev.recv_kx_send_result(false);
    dev.recv_kx_recv_result(true, ready);
    QCOMPARE(sends.count(), 4);
    QCOMPARE(sends[3][0].toByteArray(), QByteArray::fromHex("610204 620203 820208"));
    dev.recv_kx_send_result(true);
    dev.recv_kx_recv_result(true, ready);

    // Forgotten by a reload before the refusal was known: nothing of them comes back.
    dev.set_pan(in, 4, 9);
    QCOMPARE(sends.count(), 5);
    dev.initializeParameter();
    dev.recv_kx_send_result(false);
    dev.recv_kx_recv_result(true, ready);
    QCOMPARE(sends.count(), 5);
    QVERIFY(!dev.traffic().valuesPending && !dev.traffic().requestsPending);
}

// The unit refuses every try of one message: the panel's values still end up in the unit,
// the entries still tell what the unit holds, and the failure keeps its lines.
void TestQKXDevice::refusedMessageGoesOutAgain() {
    UnitFixture units;
    auto unit = units.plug();
    unit->setBusy(true);
    QKXDevice dev;
    QSignalSpy names(&dev, &QKXDevice::sig_recv_productname);
    const auto in = KXMSG_DATA_CH_MIXER_INPUT;
    dev.request_version();
    dev.set_clocksource(KXMSG_DATA_CLOCKSOURCE_OPTICAL_A);
    dev.set_eq(in, 2, 1, KXMSG_DATA_EQ_BAND_HIGH, 30, 40, 5);
    dev.set_reverb(KXMSG_DATA_REVERB_STUDIO, 7, 8, 9);
    dev.set_fader(in, 1, -100);
    dev.set_mute(in, 3, true);
    dev.set_config_save();
    WAIT_LINK_QUIET(dev);
    unit->setRefuseOut(10); // every try of the first message
    unit->setBusy(false);
    StdoutCapture out;
    dev.kx_recv();
    WAIT_LINK_IDLE(dev);

    const auto requests = unit->requests();
    QVector<QByteArray> sent;
    for (const EmulatedUnit::Request &r : requests)
        if (r.bRequest == KXCTL_REQUEST_OUT)
            sent << r.data;
    QCOMPARE(sent.size(), 11);
    QCOMPARE(sent.count(sent.first()), 11); // the refused message, then the same again
    QCOMPARE(unit->messages(), QVector<QByteArray>{sent.first()});
    const EmulatedUnit::State s = unit->state();
    QCOMPARE(int(s.inputs[2].mute), 1);
    QCOMPARE(int(s.inputs[0].fader), -100);
    QCOMPARE(int(s.inputs[1].eq[3].gain), 30);
    QCOMPARE(int(s.reverbType), int(KXMSG_DATA_REVERB_STUDIO));
    QCOMPARE(int(s.clockSource), int(KXMSG_DATA_CLOCKSOURCE_OPTICAL_A));
    QCOMPARE(s.configSaves, 1);
    // The failure was told, and the query it carried was answered after all.
    QCOMPARE(names.first()[0].toString(), QString());
    QCOMPARE(names.last()[0].toString(), QStringLiteral("OLVANE Tarvik"));
    const QStringList lines = out.takeLines();
    QCOMPARE(lines.filter(QRegularExpression("^kxtest/kxctl:\\d+:ERROR$")).size(), 11);
    QCOMPARE(lines.filter(QRegularExpression("^kxtest/usbdevs:\\d+:ERROR 0xe000404f$")).size(), 10);
    QCOMPARE(lines.size(), 21);

    // Pressed again, the same mute is what the unit holds; the next press takes it off.
    const quint64 sentBefore = dev.traffic().messagesSent;
    QVERIFY(dev.set_mute(in, 3, true));
    QCOMPARE(dev.traffic().messagesSent, sentBefore);
    QVERIFY(dev.set_mute(in, 3, false));
    WAIT_LINK_IDLE(dev);
    QCOMPARE(int(unit->state().inputs[2].mute), 0);
}

// Asked for while the whole state is still on its way (as for seconds after a plug-in), the
// save reaches the unit after every value set before it.
void TestQKXDevice::saveReachesTheUnitAfterThePendingValues() {
    UnitFixture units;
    auto unit = units.plug();
    unit->setBusy(true);
    QKXDevice dev;
    const auto in = KXMSG_DATA_CH_MIXER_INPUT;
    for (uchar ch = 1; ch <= 20; ++ch) {
        dev.set_fader(in, ch, short(-10 * ch));
        dev.set_mute(in, ch, ch % 2 == 1);
        dev.set_phase(in, ch, true);
    }
    dev.set_fader(KXMSG_DATA_CH_LINEOUT, 9, -50);
    dev.set_config_save();
    dev.set_pan(in, 1, 3); // asked for after the save
    WAIT_LINK_QUIET(dev);
    unit->setBusy(false);
    dev.kx_recv();
    WAIT_LINK_IDLE(dev);
    const QVector<int> tags = tagsOf(unit->elements());
    QCOMPARE(tags.count(KXCTL_TAG_CONFIG_SAVE), 1);
    const int save = tags.indexOf(KXCTL_TAG_CONFIG_SAVE);
    for (int tag : {KXCTL_TAG_FADER, KXCTL_TAG_MUTE, KXCTL_TAG_PHASE})
        QVERIFY2(tags.lastIndexOf(tag) < save, qPrintable(QString::number(tag)));
    QCOMPARE(tags.count(KXCTL_TAG_FADER), 21);
    QVERIFY(unit->messages().size() > 5);
    QVERIFY(unit->messages().last().endsWith(QByteArray::fromHex("a201")));
    QCOMPARE(unit->state().configSaves, 1);
}

// A save still waiting when its unit goes is not carried to the next unit plugged in, which
// would store whatever state it woke up with.
void TestQKXDevice::saveIsNotCarriedToTheNextUnit() {
    UnitFixture units;
    auto first = units.plug();
    QKXDevice dev;
    QVERIFY(UnitFixture::waitFor([&] { return dev.is_selected(); }));
    first->setBusy(true);
    dev.set_config_save();
    WAIT_LINK_QUIET(dev);
    QVERIFY(dev.traffic().requestsPending);
    first->unplug();
    UnitFixture::deliverBusEvents();
    // As the window does once the unit has gone: select afresh and ask whether one is there.
    StdoutCapture out;
    dev.deselect();
    QVERIFY(UnitFixture::waitFor([&] { return !dev.is_selected(); }));
    auto second = units.plug();
    UnitFixture::deliverBusEvents();
    dev.request_version();
    WAIT_LINK_IDLE(dev);
    QCOMPARE(second->messages(), QVector<QByteArray>{QByteArray::fromHex("3101")});
    QCOMPARE(second->state().configSaves, 0);
}

void TestQKXDevice::readyWithNothingPendingSendsNothing() {
    UnitFixture units;
    auto unit = units.plug();
    QKXDevice dev;
    QSignalSpy sends(&dev, &QKXDevice::sig_kx_send);
    QSignalSpy reads(&dev, &QKXDevice::sig_kx_recv);
    dev.kx_recv();
    WAIT_LINK_IDLE(dev);
    dev.kx_send();
    QCOMPARE(sends.count(), 0);
    // Still ready: the next change packs at once, without another read first.
    const int readsBefore = reads.count();
    dev.set_mute(KXMSG_DATA_CH_MIXER_INPUT, 4, true);
    QCOMPARE(sends.count(), 1);
    QCOMPARE(reads.count(), readsBefore);
    QCOMPARE(sends[0][0].toByteArray(), QByteArray::fromHex("610204 620204 830201"));
}

void TestQKXDevice::initializeParameterForgetsLastValues() {
    UnitFixture units;
    auto unit = units.plug();
    QKXDevice dev;
    dev.set_phase(KXMSG_DATA_CH_MIXER_INPUT, 1, true);
    dev.set_reverb(KXMSG_DATA_REVERB_LIVE, 1, 1, 1);
    WAIT_LINK_IDLE(dev);
    QCOMPARE(unit->messages().size(), 1);
    dev.set_phase(KXMSG_DATA_CH_MIXER_INPUT, 1, false);
    WAIT_LINK_IDLE(dev);
    QCOMPARE(unit->messages().size(), 2);
    dev.set_phase(KXMSG_DATA_CH_MIXER_INPUT, 1, false); // unchanged: nothing
    dev.initializeParameter();
    dev.set_phase(KXMSG_DATA_CH_MIXER_INPUT, 1, false); // forgotten: sent again
    WAIT_LINK_IDLE(dev);
    QCOMPARE(unit->messages().size(), 3);
    QCOMPARE(unit->messages()[2], QByteArray::fromHex("610204 620201 850200"));
}

void TestQKXDevice::answerElementsBecomeSignals() {
    UnitFixture units;
    auto unit = units.plug();
    unit->setMeter(KXMSG_DATA_CH_MIXER_INPUT, 7, 1234);
    unit->setMeter(KXMSG_DATA_CH_MASTER, 2, 32768);
    unit->setGrMeter(30000);
    QKXDevice dev;
    SignalLog log(&dev);
    dev.request_version();
    dev.request_hz();
    dev.request_clocksource();
    dev.request_clocklock();
    dev.request_dspmode();
    dev.request_adat_x4mode();
    dev.request_grmeter(KXMSG_DATA_CH_MIXER_INPUT, 5);
    // The window asks for meters all the time; each message lets one more answer out.
    QVERIFY(UnitFixture::waitFor([&] {
        dev.request_meter();
        return log.lines.contains("meter 2 2 32768") && log.lines.contains("grmeter 4 5 30000");
    }));
    for (const char *line :
         {"version 102", "build 59", "name OLVANE Tarvik", "date Dec  9 2026", "time 12:00:00",
          "hz 48000", "clocksource 1", "clocklock 2 1", "clockhz 2 0", "clocklock 5 3",
          "clockhz 5 48000", "clocklock 6 1", "dspmode 1", "adat 5 0", "adat 6 0",
          "grmeter 4 5 30000", "meter 4 7 1234", "meter 4 20 0", "meter 2 1 0"})
        QVERIFY2(log.lines.contains(QString::fromLatin1(line)), line);
    // The answers come back in the order the elements stood in them.
    QVERIFY(log.lines.indexOf("version 102") < log.lines.indexOf("name OLVANE Tarvik"));
    QVERIFY(log.lines.indexOf("clocklock 5 3") < log.lines.indexOf("clockhz 5 48000"));
    // A full round of meters came before the last master meter.
    const QStringList firstRound = log.lines.mid(0, log.lines.indexOf("meter 2 2 32768"));
    QCOMPARE(firstRound.filter(QRegularExpression("^meter 4 ")).size(), 20);
}

void TestQKXDevice::parserContexts() {
    QKXDevice dev;
    SignalLog log(&dev);
    // Meter before any channel, clock lock before any source, a name of the wrong type.
    dev.recv_kx_recv_result(true, answer("72031000 1b0203 340201"));
    QCOMPARE(log.lines, QStringList({"meter 0 0 16", "clocklock 0 3", "name "}));
    log.lines.clear();
    dev.recv_kx_recv_result(true, answer("1d0206 610204 620211 72030100"));
    dev.recv_kx_recv_result(true, answer("1b0202 1e0444ac0000 720302"));
    // The channel starts at 0 again with each answer; the clock source carries over.
    QCOMPARE(log.lines,
             QStringList({"meter 4 17 1", "clocklock 6 2", "clockhz 6 44100", "meter 0 0 2"}));
    log.lines.clear();
    dev.recv_kx_recv_result(true, answer("1205 03 616263 1804 80bb0000 3203 e803"));
    QCOMPARE(log.lines, QStringList({"debug abc", "hz 48000", "version 1000"}));
    log.lines.clear();
    dev.recv_kx_recv_result(true, QByteArray(64, 0));
    QVERIFY(log.lines.isEmpty());
}

void TestQKXDevice::readyOnlyWhenIdle() {
    QKXDevice dev;
    QSignalSpy sends(&dev, &QKXDevice::sig_kx_send);
    dev.recv_kx_recv_result(true, answer("a10201")); // ready, nothing pending
    dev.set_pan(KXMSG_DATA_CH_MIXER_INPUT, 1, 5);    // goes out: in flight
    QCOMPARE(sends.count(), 1);
    dev.set_pan(KXMSG_DATA_CH_MIXER_INPUT, 2, 5);    // waits
    dev.recv_kx_recv_result(true, answer("a10201")); // ready while in flight: ignored
    QCOMPARE(sends.count(), 1);
    dev.recv_kx_send_result(true);
    QCOMPARE(sends.count(), 1);
    dev.recv_kx_recv_result(true, answer("a10201")); // now it counts
    QCOMPARE(sends.count(), 2);
    QCOMPARE(sends[1][0].toByteArray(), QByteArray::fromHex("610204 620202 820205"));
}

void TestQKXDevice::readyClearedThenSetPacksOnce() {
    QKXDevice dev;
    QSignalSpy sends(&dev, &QKXDevice::sig_kx_send);
    dev.set_mute(KXMSG_DATA_CH_MIXER_INPUT, 1, true);
    dev.set_mute(KXMSG_DATA_CH_MIXER_INPUT, 2, true);
    dev.recv_kx_recv_result(true, answer("a10200 a10201"));
    QCOMPARE(sends.count(), 1);
    QCOMPARE(sends[0][0].toByteArray().size(), 18);
}

void TestQKXDevice::failedReadGivesOnlyTheFailureNotice() {
    QKXDevice dev;
    SignalLog log(&dev);
    QSignalSpy sends(&dev, &QKXDevice::sig_kx_send);
    dev.set_mute(KXMSG_DATA_CH_MIXER_INPUT, 1, true);
    dev.recv_kx_recv_result(false, answer("a10201 1804 80bb0000"));
    QCOMPARE(log.lines, QStringList({"version 0", "build 0", "name ", "date ", "time "}));
    QCOMPARE(sends.count(), 0);
    log.lines.clear();
    dev.recv_kx_send_result(false);
    QCOMPARE(log.lines, QStringList({"version 0", "build 0", "name ", "date ", "time "}));
}

void TestQKXDevice::malformedElementEndsTheAnswer() {
    QKXDevice dev;
    SignalLog log(&dev);
    StdoutCapture out;
    dev.recv_kx_recv_result(true, answer("1804 80bb0000 1a07 1a0205"));
    QCOMPARE(log.lines, QStringList({"hz 48000"}));
    const QStringList lines = out.takeLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines[0].endsWith(":ERROR 0x7"));
}

QTEST_GUILESS_MAIN(TestQKXDevice)
#include "tst_qkxdevice.moc"
