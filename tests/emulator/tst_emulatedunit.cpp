// The emulated unit itself: its answers to every query of both models, how it packs answers
// with the ready element, each way it can be told to misbehave, the elements it counts as out
// of range, and its live meters.
#include "EmulatedUnit.h"
#include "LinkWait.h"
#include "QKXDevice.h"
#include "StdoutCapture.h"
#include "UnitFixture.h"
#include "kxctl.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A slot table of its own, on the test's thread, reaching the first unit.
class Link {
public:
    Link() {
        StdoutCapture quiet;
        kxctl_group_init(&group_);
    }
    ~Link() {
        StdoutCapture quiet;
        kxctl_group_fini(&group_);
    }
    bool select() {
        StdoutCapture quiet;
        kxctl_group_get_init(&group_);
        return kxctl_group_get_kx(&group_, &handle_) == 0;
    }
    bool send(const QByteArray &bytes) {
        uint8_t buf[64] = {};
        memcpy(buf, bytes.constData(), size_t(bytes.size()));
        kxmsg_t m{buf, uint8_t(bytes.size()), uint8_t(bytes.size())};
        StdoutCapture quiet;
        return kxctl_send(&handle_, &m) == 0;
    }
    // One answer as (tag, value) pairs; byte arrays give their text.
    QStringList read(bool *ok = nullptr) {
        uint8_t buf[64];
        kxmsg_t m;
        kxmsg_init(&m, buf, 64);
        StdoutCapture quiet;
        const bool r = kxctl_recv(&handle_, &m) == 0;
        if (ok)
            *ok = r;
        QStringList out;
        uint32_t tag, type;
        uint64_t value;
        uint8_t len;
        while (r && kxmsg_get(&m, &tag, &type, &value, &len) == 0)
            out << (type == KXMSG_TYPE_U8_ARRAY
                        ? QString("%1:%2").arg(tag).arg(QString::fromUtf8(
                              reinterpret_cast<const char *>(uintptr_t(value)), len))
                        : QString("%1:%2").arg(tag).arg(value));
        return out;
    }
    // Every answer element until the queue is empty (only the ready element comes back).
    QStringList readAll() {
        QStringList all;
        for (int i = 0; i < 20; ++i) {
            QStringList one = read();
            if (one == QStringList({"161:1"}))
                break;
            one.removeAll("161:1");
            all += one;
        }
        return all;
    }

private:
    kxctl_group_t group_;
    usbdevs_handle_t handle_{};
};

// A setting message element by element, as the device link writes them.
class Msg {
public:
    Msg &none(uint8_t tag) { return put(tag, KXMSG_TYPE_NONE, 0, 0); }
    Msg &u8(uint8_t tag, int value) { return put(tag, KXMSG_TYPE_U8, uint32_t(value), 1); }
    Msg &u16(uint8_t tag, int value) { return put(tag, KXMSG_TYPE_U16, uint32_t(value), 2); }
    Msg &u32(uint8_t tag, uint32_t value) { return put(tag, KXMSG_TYPE_U32, value, 4); }
    Msg &ch(int group, int no) { return u8(KXCTL_TAG_CH, group).u8(KXCTL_TAG_CH_NO, no); }
    operator QByteArray() const { return bytes_; }

private:
    Msg &put(uint8_t tag, uint8_t type, uint32_t value, int size) {
        bytes_.append(char(tag)).append(char(type));
        for (int i = 0; i < size; ++i)
            bytes_.append(char(value >> (8 * i)));
        return *this;
    }
    QByteArray bytes_;
};

Msg eq(int no, int band, int gain, int freq, int q) {
    return Msg()
        .ch(KXMSG_DATA_CH_MIXER_INPUT, no)
        .u8(KXCTL_TAG_EQ_BAND, band)
        .u8(KXCTL_TAG_EQ_GAIN, gain)
        .u8(KXCTL_TAG_EQ_FREQ, freq)
        .u8(KXCTL_TAG_EQ_Q, q)
        .u8(KXCTL_TAG_EQ_ON, 1);
}

Msg comp(int no, int threshold, int ratio, int attack, int release, int gain, int link) {
    return Msg()
        .ch(KXMSG_DATA_CH_MIXER_INPUT, no)
        .u8(KXCTL_TAG_COMP_THRESHOLD, threshold)
        .u8(KXCTL_TAG_COMP_RATIO, ratio)
        .u8(KXCTL_TAG_COMP_ATTACK, attack)
        .u8(KXCTL_TAG_COMP_RELEASE, release)
        .u8(KXCTL_TAG_COMP_GAIN, gain)
        .u8(KXCTL_TAG_COMP_LINK, link)
        .u8(KXCTL_TAG_COMP_ON, 1);
}

Msg route(int srcGroup, int srcNo, int dstNo) {
    return Msg()
        .ch(srcGroup, srcNo)
        .none(KXCTL_TAG_SOURCE)
        .ch(KXMSG_DATA_CH_LINEOUT, dstNo)
        .none(KXCTL_TAG_DESTINATION)
        .none(KXCTL_TAG_ASSIGN);
}

Msg send(int group, int no, int bus, int pos, int level) {
    return Msg()
        .ch(group, no)
        .none(KXCTL_TAG_SOURCE)
        .ch(KXMSG_DATA_CH_AUX_SEND, bus)
        .none(KXCTL_TAG_DESTINATION)
        .u8(KXCTL_TAG_SEND_POS, pos)
        .u8(KXCTL_TAG_SEND_LEVEL, level)
        .none(KXCTL_TAG_SEND_APPLY);
}

Msg reverb(int type, int pre, int time, int diffusion) {
    return Msg()
        .u8(KXCTL_TAG_REVERB_TYPE, type)
        .u8(KXCTL_TAG_REVERB_PREDELAY, pre)
        .u8(KXCTL_TAG_REVERB_TIME, time)
        .u8(KXCTL_TAG_REVERB_DIFFUSION, diffusion)
        .none(KXCTL_TAG_REVERB_APPLY);
}

Msg channel(int group, int no, uint8_t tag, int value) {
    return Msg().ch(group, no).u8(tag, value);
}

Msg fader(int group, int no, int level) {
    return Msg().ch(group, no).u16(KXCTL_TAG_FADER, level);
}

// The meters of one answer run, keyed "group/number".
QMap<QString, int> meterValues(Link &link) {
    QMap<QString, int> out;
    QString group, no;
    for (const QString &e : link.readAll()) {
        const QStringList tv = e.split(':');
        if (tv[0] == "97")
            group = tv[1];
        else if (tv[0] == "98")
            no = tv[1];
        else if (tv[0] == "114" || tv[0] == "178")
            out[group + '/' + no] = tv[1].toInt();
    }
    return out;
}

} // namespace

class TestEmulatedUnit : public QObject {
    Q_OBJECT
private slots:
    void answersQueries_data();
    void answersQueries();
    void metersComeInWholeTriplesAndUpdateInPlace();
    void settingsReachTheState();
    void withoutLogNothingIsKept();
    void misbehaviour();
    void garbageAnswersDoNotBreakTheLink();
    void outOfRangeElementsAreCounted_data();
    void outOfRangeElementsAreCounted();
    void liveMetersFollowTheMix();
    void liveGainReductionFollowsTheCompressor();
};

void TestEmulatedUnit::answersQueries_data() {
    QTest::addColumn<bool>("pelvo");
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QStringList>("answer");
    for (bool pelvo : {false, true}) {
        const char *model = pelvo ? "Pelvo" : "Tarvik";
        QTest::addRow("%s version", model)
            << pelvo << QByteArray::fromHex("3101")
            << QStringList({"50:102", "51:59", pelvo ? "52:OLVANE Pelvo" : "52:OLVANE Tarvik",
                            "53:Dec  9 2026", "54:12:00:00"});
        QTest::addRow("%s rate", model)
            << pelvo << QByteArray::fromHex("1801") << QStringList({"24:48000"});
        QTest::addRow("%s clock", model)
            << pelvo << QByteArray::fromHex("1a01") << QStringList({"26:1"});
        QTest::addRow("%s mode", model)
            << pelvo << QByteArray::fromHex("c101") << QStringList({"193:1"});
        QTest::addRow("%s gain reduction", model)
            << pelvo << QByteArray::fromHex("610204 620203 b101")
            << QStringList({"97:4", "98:3", "178:32768"});
    }
    QTest::newRow("Tarvik locks") << false << QByteArray::fromHex("1b01")
                                  << QStringList({"29:2", "27:1", "30:0", "29:5", "27:3",
                                                  "30:48000", "29:6", "27:1", "30:0"});
    QTest::newRow("Pelvo locks") << true << QByteArray::fromHex("1b01")
                                 << QStringList({"29:5", "27:3", "30:48000"});
    QTest::newRow("Tarvik optical formats") << false << QByteArray::fromHex("1d0206 870202 c301")
                                            << QStringList({"29:5", "195:0", "29:6", "195:2"});
    QTest::newRow("Pelvo optical formats")
        << true << QByteArray::fromHex("c301") << QStringList({"29:5", "195:0"});
}

void TestEmulatedUnit::answersQueries() {
    QFETCH(bool, pelvo);
    QFETCH(QByteArray, query);
    QFETCH(QStringList, answer);
    UnitFixture units;
    units.plug(pelvo ? EmulatedUnit::Model::Pelvo : EmulatedUnit::Model::Tarvik);
    Link link;
    QVERIFY(link.select());
    QVERIFY(link.send(query));
    QCOMPARE(link.readAll(), answer);
}

void TestEmulatedUnit::metersComeInWholeTriplesAndUpdateInPlace() {
    UnitFixture units;
    auto unit = units.plug();
    for (uint8_t ch = 1; ch <= 20; ++ch)
        unit->setMeter(KXMSG_DATA_CH_MIXER_INPUT, ch, uint16_t(ch * 100));
    unit->setMeter(KXMSG_DATA_CH_MASTER, 1, 7);
    Link link;
    QVERIFY(link.select());
    QVERIFY(link.send(QByteArray::fromHex("7101")));
    const QStringList first = link.read();
    // Six triples of 10 bytes and the ready element: 63 bytes.
    QCOMPARE(first.size(), 19);
    QCOMPARE(first.mid(0, 3), QStringList({"97:4", "98:1", "114:100"}));
    QCOMPARE(first.last(), QStringLiteral("161:1"));
    // A second request while meters wait refreshes them instead of queueing them twice.
    unit->setMeter(KXMSG_DATA_CH_MIXER_INPUT, 20, 9999);
    QVERIFY(link.send(QByteArray::fromHex("7101")));
    const QStringList rest = link.readAll();
    QCOMPARE(rest.filter(QRegularExpression("^114:")).size(), 16 + 6);
    QVERIFY(rest.indexOf("114:9999") > rest.indexOf("98:19"));
    QVERIFY(!rest.contains("114:2000"));
    QCOMPARE(rest.mid(rest.indexOf("98:1", 40) - 1, 3), QStringList({"97:2", "98:1", "114:7"}));
}

void TestEmulatedUnit::settingsReachTheState() {
    UnitFixture units;
    auto unit = units.plug();
    Link link;
    QVERIFY(link.select());
    QVERIFY(link.send(QByteArray::fromHex("610204 620205 8103f6ff 610202 620202 830201")));
    QVERIFY(link.send(QByteArray::fromHex("610203 620202 4101 610201 620207 4201 4301")));
    QVERIFY(link.send(QByteArray::fromHex("170444ac0000 190206 1d0205 870201 a201")));
    const auto s = unit->state();
    QCOMPARE(s.inputs[4].fader, int16_t(-10));
    QCOMPARE(int(s.masterMute[1]), 1);
    QCOMPARE(int(s.routes[6].srcType), 3);
    QCOMPARE(int(s.routes[6].srcNo), 2);
    QCOMPARE(s.sampleRate, 44100u);
    QCOMPARE(int(s.clockSource), 6);
    QCOMPARE(int(s.opticalFormat[0]), 1);
    QCOMPARE(s.configSaves, 1);
    QCOMPARE(unit->elements().size(), 6 + 7 + 5);
    QCOMPARE(unit->messages().size(), 3);
}

// The demo's unit keeps no log: it still takes every setting and answers every query, but
// what it was sent no longer piles up for as long as it runs.
void TestEmulatedUnit::withoutLogNothingIsKept() {
    UnitFixture units;
    auto unit = units.plug();
    Link link;
    QVERIFY(link.select());
    unit->setKeepLog(false);
    QVERIFY(link.send(fader(KXMSG_DATA_CH_MIXER_INPUT, 5, -10)));
    QVERIFY(link.send(fader(KXMSG_DATA_CH_MIXER_INPUT, 30, -10))); // a channel it lacks
    QCOMPARE(unit->state().inputs[4].fader, int16_t(-10));
    QVERIFY(link.send(Msg().none(KXCTL_TAG_HZ)));
    QCOMPARE(link.read(), QStringList({"24:48000", "161:1"}));
    QVERIFY(unit->elements().isEmpty());
    QVERIFY(unit->messages().isEmpty());
    QVERIFY(unit->requests().isEmpty());
    QCOMPARE(unit->outOfRangeCount(), 0);

    unit->setKeepLog(true);
    QVERIFY(link.send(fader(KXMSG_DATA_CH_MIXER_INPUT, 5, -20)));
    QCOMPARE(unit->elements().size(), 3);
    QCOMPARE(unit->requests().size(), 1);
}

void TestEmulatedUnit::misbehaviour() {
    UnitFixture units;
    auto unit = units.plug();
    Link link;
    QVERIFY(link.select());

    unit->setBusy(true);
    QCOMPARE(link.read(), QStringList({"161:0"}));
    unit->setBusy(false);

    unit->setRefuseOut(2);
    QVERIFY(link.send(QByteArray::fromHex("1801"))); // the third try is taken
    QCOMPARE(unit->countRequests(KXCTL_REQUEST_OUT), 3);

    bool ok = true;
    unit->failNextIn();
    link.read(&ok);
    QVERIFY(!ok);
    unit->timeOutNextIn();
    link.read(&ok);
    QVERIFY(!ok);
    QCOMPARE(link.read(&ok), QStringList({"24:48000", "161:1"}));
    QVERIFY(ok);

    unit->setAnswerShort(2);
    QVERIFY(link.send(QByteArray::fromHex("1801")));
    // Two bytes arrive; the rest of the answer area is zeros, never an earlier answer.
    QCOMPARE(link.read(), QStringList({"24:0"}));
    unit->setAnswerShort(0);

    unit->unplugDuringNextTransfer();
    QVERIFY(!link.send(QByteArray::fromHex("1801")));
    QVERIFY(!unit->pluggedIn());
}

void TestEmulatedUnit::garbageAnswersDoNotBreakTheLink() {
    UnitFixture units;
    auto unit = units.plug();
    unit->setAnswerGarbage(true);
    StdoutCapture out;
    QKXDevice dev;
    QSignalSpy name(&dev, &QKXDevice::sig_recv_productname);
    for (int i = 0; i < 20; ++i) {
        dev.request_version();
        dev.kx_recv();
        WAIT_LINK_QUIET(dev);
    }
    unit->setAnswerGarbage(false);
    QVERIFY(UnitFixture::waitFor([&] {
        dev.request_version();
        return !name.isEmpty() && name.last()[0].toString() == QStringLiteral("OLVANE Tarvik");
    }));
    out.take();
}

void TestEmulatedUnit::outOfRangeElementsAreCounted_data() {
    QTest::addColumn<bool>("pelvo");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("tag"); // of the one element out of range; 0 for none
    QTest::addColumn<QString>("reason");
    const int in = KXMSG_DATA_CH_MIXER_INPUT, master = KXMSG_DATA_CH_MASTER,
              out = KXMSG_DATA_CH_LINEOUT, play = KXMSG_DATA_CH_PLAYBACK,
              aux = KXMSG_DATA_CH_AUX_SEND;
    const QString range = "value out of range";
    auto legal = [](const char *name, bool pelvo, const QByteArray &m) {
        QTest::newRow(name) << pelvo << m << 0 << QString();
    };
    auto bad = [](const char *name, bool pelvo, const QByteArray &m, int tag, const QString &why) {
        QTest::newRow(name) << pelvo << m << tag << why;
    };

    // Every kind of setting at the edges of its range, as the panel sends them.
    legal("faders, pan, flags", false,
          Msg(fader(in, 20, 60)) + fader(master, 2, -1270) + fader(out, 9, -999) +
              channel(in, 1, KXCTL_TAG_PAN, 40) + channel(master, 1, KXCTL_TAG_MUTE, 1));
    legal("strip flags", false,
          Msg(channel(in, 3, KXCTL_TAG_SOLO, 1)) + channel(in, 3, KXCTL_TAG_PHASE, 1) +
              channel(in, 3, KXCTL_TAG_TRUEBYPASS, 0) + channel(in, 3, KXCTL_TAG_PAN, 0));
    legal("equaliser bands", false,
          Msg(eq(1, 1, 255, 31, 255)) + eq(2, 2, 0, 63, 0) + eq(2, 4, 24, 32, 255));
    legal("compressors", false,
          Msg(comp(5, 224, 10, 2, 1, 0, 2)) + comp(6, 0, 255, 200, 100, 20, 3));
    legal("sends and return", false,
          Msg(send(in, 20, 4, 3, 6)) + send(master, 1, 1, 1, -127) +
              Msg().u8(KXCTL_TAG_RETURN_LEVEL, -98).u8(KXCTL_TAG_RETURN_ON, 1));
    legal("reverb", false, Msg(reverb(5, 250, 100, 0)) + reverb(1, 0, 1, 100));
    legal("interface", false,
          Msg()
              .u8(KXCTL_TAG_SET_CLOCKSOURCE, 2)
              .u8(KXCTL_TAG_CLOCK_SRC, 6)
              .u8(KXCTL_TAG_ADAT_X4MODE, 2)
              .u32(KXCTL_TAG_SET_HZ, 192000)
              .none(KXCTL_TAG_CONFIG_SAVE)
              .none(KXCTL_TAG_METER_GET));
    legal("larger model's routing", false,
          Msg(route(in, 20, 8)) + route(play, 10, 1) + route(aux, 4, 2));
    legal("smaller model's routing", true, Msg(route(in, 12, 1)) + route(play, 4, 2));
    legal("smaller model's clock", true,
          Msg()
              .u8(KXCTL_TAG_SET_CLOCKSOURCE, 5)
              .u8(KXCTL_TAG_CLOCK_SRC, 5)
              .u8(KXCTL_TAG_ADAT_X4MODE, 1));
    legal("gain-reduction request", false, Msg().ch(in, 20).none(KXCTL_TAG_GRMETER_GET));

    bad("unknown tag", false, Msg().u8(KXCTL_TAG_METER, 3), KXCTL_TAG_METER,
        "tag the unit does not take");
    bad("fader as a byte", false, Msg().ch(in, 1).u8(KXCTL_TAG_FADER, 0), KXCTL_TAG_FADER,
        "wrong type");
    bad("channel group", false, Msg(channel(7, 1, KXCTL_TAG_MUTE, 1)), KXCTL_TAG_CH, range);
    bad("input 21", false, Msg(channel(in, 21, KXCTL_TAG_MUTE, 1)), KXCTL_TAG_CH_NO,
        "no such channel in the group");
    bad("aux bus 5", false, Msg(send(in, 1, 5, 2, 0)), KXCTL_TAG_CH_NO,
        "no such channel in the group");
    bad("fader above +6 dB", false, Msg(fader(in, 1, 61)), KXCTL_TAG_FADER, range);
    bad("fader below -99.9 dB", false, Msg(fader(master, 1, -1000)), KXCTL_TAG_FADER, range);
    bad("fader of an aux bus", false, Msg(fader(aux, 1, 0)), KXCTL_TAG_FADER,
        "fader of a channel that has none");
    bad("output fader 10", false, Msg(fader(out, 10, 0)), KXCTL_TAG_FADER,
        "fader of a channel that has none");
    bad("pan 41", false, Msg(channel(in, 2, KXCTL_TAG_PAN, 41)), KXCTL_TAG_PAN, range);
    bad("pan of the master", false, Msg(channel(master, 1, KXCTL_TAG_PAN, 20)), KXCTL_TAG_PAN,
        "setting of a mixer input for another channel");
    bad("mute 2", false, Msg(channel(in, 2, KXCTL_TAG_MUTE, 2)), KXCTL_TAG_MUTE, range);
    bad("send position none", false, Msg(send(in, 1, 1, 0, 0)), KXCTL_TAG_SEND_POS, range);
    bad("send level -99", false, Msg(send(in, 1, 1, 2, -99)), KXCTL_TAG_SEND_LEVEL, range);
    bad("send from a line output", false, Msg(send(out, 1, 1, 2, 0)), KXCTL_TAG_SEND_APPLY,
        "send from a channel that has no sends");
    bad("return level +7", false, Msg().u8(KXCTL_TAG_RETURN_LEVEL, 7), KXCTL_TAG_RETURN_LEVEL,
        range);
    bad("equaliser gain 25", false, Msg(eq(1, 2, 25, 0, 0)), KXCTL_TAG_EQ_GAIN, range);
    bad("equaliser Q 7", false, Msg(eq(1, 2, 0, 0, 7)), KXCTL_TAG_EQ_Q, range);
    bad("low band frequency", false, Msg(eq(1, 1, 12, 32, 255)), KXCTL_TAG_EQ_ON,
        "frequency outside the band");
    bad("high band frequency", false, Msg(eq(1, 4, 12, 31, 255)), KXCTL_TAG_EQ_ON,
        "frequency outside the band");
    bad("mid band without Q", false, Msg(eq(1, 3, 12, 10, 255)), KXCTL_TAG_EQ_ON,
        "Q that the band does not take");
    bad("low-cut marker on the high band", false, Msg(eq(1, 4, 255, 40, 255)), KXCTL_TAG_EQ_ON,
        "low-cut gain marker on a band other than the low band");
    bad("threshold +1 dB", false, Msg(comp(1, 1, 10, 2, 1, 0, 1)), KXCTL_TAG_COMP_THRESHOLD, range);
    bad("ratio 1.2", false, Msg(comp(1, 0, 12, 2, 1, 0, 1)), KXCTL_TAG_COMP_RATIO, range);
    bad("attack 1", false, Msg(comp(1, 0, 10, 1, 1, 0, 1)), KXCTL_TAG_COMP_ATTACK, range);
    bad("release 101", false, Msg(comp(1, 0, 10, 2, 101, 0, 1)), KXCTL_TAG_COMP_RELEASE, range);
    bad("make-up gain 21", false, Msg(comp(1, 0, 10, 2, 1, 21, 1)), KXCTL_TAG_COMP_GAIN, range);
    bad("link 4", false, Msg(comp(1, 0, 10, 2, 1, 0, 4)), KXCTL_TAG_COMP_LINK, range);
    bad("odd link on an even channel", false, Msg(comp(2, 0, 10, 2, 1, 0, 2)), KXCTL_TAG_COMP_ON,
        "compressor link side that does not match the channel");
    bad("reverb type 0", false, Msg(reverb(0, 42, 27, 50)), KXCTL_TAG_REVERB_TYPE, range);
    bad("pre-delay 251", false, Msg(reverb(1, 251, 27, 50)), KXCTL_TAG_REVERB_PREDELAY, range);
    bad("reverb time 0", false, Msg(reverb(1, 0, 0, 50)), KXCTL_TAG_REVERB_TIME, range);
    bad("diffusion 101", false, Msg(reverb(1, 0, 1, 101)), KXCTL_TAG_REVERB_DIFFUSION, range);
    bad("clock source 3", false, Msg().u8(KXCTL_TAG_SET_CLOCKSOURCE, 3), KXCTL_TAG_SET_CLOCKSOURCE,
        range);
    bad("optical format 3", false, Msg().u8(KXCTL_TAG_CLOCK_SRC, 5).u8(KXCTL_TAG_ADAT_X4MODE, 3),
        KXCTL_TAG_ADAT_X4MODE, range);
    bad("optical format of no input", false, Msg().u8(KXCTL_TAG_ADAT_X4MODE, 0),
        KXCTL_TAG_ADAT_X4MODE, "optical format without an optical input named");
    bad("sample rate", false, Msg().u32(KXCTL_TAG_SET_HZ, 32000), KXCTL_TAG_SET_HZ, range);
    bad("gain reduction of input 21", false, Msg().ch(in, 21).none(KXCTL_TAG_GRMETER_GET),
        KXCTL_TAG_CH_NO, "no such channel in the group");
    bad("routing from no source", false, Msg(route(0, 0, 1)), KXCTL_TAG_CH, range);
    bad("larger model's line out on the smaller", true, Msg(route(master, 1, 3)), KXCTL_TAG_ASSIGN,
        "routing to a line output this model does not have");
    bad("line out 9", false, Msg(route(master, 1, 9)), KXCTL_TAG_ASSIGN,
        "routing to a line output this model does not have");
    bad("input 3 on the smaller model", true, Msg(route(in, 3, 1)), KXCTL_TAG_ASSIGN,
        "routing source this model does not have");
    bad("computer 5 on the smaller model", true, Msg(route(play, 5, 2)), KXCTL_TAG_ASSIGN,
        "routing source this model does not have");
    bad("optical B clock on the smaller model", true, Msg().u8(KXCTL_TAG_SET_CLOCKSOURCE, 6),
        KXCTL_TAG_SET_CLOCKSOURCE, "clock source this model does not have");
    bad("word clock on the smaller model", true, Msg().u8(KXCTL_TAG_SET_CLOCKSOURCE, 2),
        KXCTL_TAG_SET_CLOCKSOURCE, "clock source this model does not have");
}

void TestEmulatedUnit::outOfRangeElementsAreCounted() {
    QFETCH(bool, pelvo);
    QFETCH(QByteArray, message);
    QFETCH(int, tag);
    QFETCH(QString, reason);
    QVERIFY(message.size() <= KXCTL_MSG_MAX);
    UnitFixture units;
    auto unit = units.plug(pelvo ? EmulatedUnit::Model::Pelvo : EmulatedUnit::Model::Tarvik);
    Link link;
    QVERIFY(link.select());
    QVERIFY(link.send(message));
    const auto rejected = unit->outOfRange();
    QCOMPARE(unit->outOfRangeCount(), tag ? 1 : 0);
    if (tag) {
        QCOMPARE(int(rejected[0].element.tag), tag);
        QCOMPARE(rejected[0].reason, reason);
        QVERIFY(unit->elements().contains(rejected[0].element)); // still taken and logged
    }
    unit->clearLog();
    QCOMPARE(unit->outOfRangeCount(), 0);
}

void TestEmulatedUnit::liveMetersFollowTheMix() {
    UnitFixture units;
    auto unit = units.plug();
    Link link;
    QVERIFY(link.select());
    const int in = KXMSG_DATA_CH_MIXER_INPUT, master = KXMSG_DATA_CH_MASTER;
    const QByteArray meterGet = Msg().none(KXCTL_TAG_METER_GET);

    // Off by default: the meters answer what was set.
    QVERIFY(link.send(meterGet));
    QCOMPARE(meterValues(link).value("4/1"), 0);

    unit->setLiveMeters(true);
    QVERIFY(link.send(meterGet));
    const auto first = meterValues(link);
    QCOMPARE(first.size(), 22);
    for (auto it = first.begin(); it != first.end(); ++it) // the inputs stay below full scale
        QVERIFY2(it.value() > 0 && (it.key().startsWith("2/") || it.value() < 32768),
                 qPrintable(it.key()));
    UnitFixture::spin(150);
    QVERIFY(link.send(meterGet));
    QVERIFY(meterValues(link) != first); // a live signal moves

    // Mute, fader at minus infinity and fader level. The same channel a moment apart moves by
    // far less than 30 dB of fader, and stays above silence under it.
    QVERIFY(link.send(Msg(channel(in, 2, KXCTL_TAG_MUTE, 1)) + fader(in, 3, -1270)));
    QVERIFY(link.send(meterGet));
    const int loud = meterValues(link).value("4/4");
    QVERIFY(link.send(fader(in, 4, -300)));
    QVERIFY(link.send(meterGet));
    auto m = meterValues(link);
    QCOMPARE(m.value("4/2"), 0);
    QCOMPARE(m.value("4/3"), 0);
    QVERIFY2(m.value("4/4") > 0 && m.value("4/4") * 5 < loud,
             qPrintable(QString("%1 %2").arg(loud).arg(m["4/4"])));
    QVERIFY(m.value("2/1") > 0 && m.value("2/2") > 0);

    // Solo leaves only the soloed channel; the master follows it through its own fader.
    QVERIFY(link.send(channel(in, 6, KXCTL_TAG_SOLO, 1)));
    QVERIFY(link.send(meterGet));
    m = meterValues(link);
    for (int ch = 1; ch <= 20; ++ch)
        QCOMPARE(m.value(QString("4/%1").arg(ch)) > 0, ch == 6);
    QVERIFY(link.send(Msg(channel(master, 1, KXCTL_TAG_MUTE, 1)) + fader(master, 2, -1270)));
    QVERIFY(link.send(meterGet));
    m = meterValues(link);
    QCOMPARE(m.value("2/1"), 0);
    QCOMPARE(m.value("2/2"), 0);
    QVERIFY(m.value("4/6") > 0);

    // Nothing left in the mix: the masters fall silent with an open master.
    QVERIFY(link.send(Msg(channel(master, 1, KXCTL_TAG_MUTE, 0)) + fader(master, 2, 0) +
                      channel(in, 6, KXCTL_TAG_MUTE, 1)));
    QVERIFY(link.send(meterGet));
    m = meterValues(link);
    QCOMPARE(m.value("2/1"), 0);
    QCOMPARE(m.value("2/2"), 0);
    QCOMPARE(unit->outOfRangeCount(), 0);
}

void TestEmulatedUnit::liveGainReductionFollowsTheCompressor() {
    UnitFixture units;
    auto unit = units.plug();
    unit->setLiveMeters(true);
    Link link;
    QVERIFY(link.select());
    const QByteArray grGet = Msg().ch(KXMSG_DATA_CH_MIXER_INPUT, 3).none(KXCTL_TAG_GRMETER_GET);
    QVERIFY(link.send(grGet));
    QCOMPARE(meterValues(link).value("4/3"), 32767); // compressor off: no reduction

    // Threshold -32 dB at infinite ratio: the signal, which stays far above it most of the
    // time, is held down.
    QVERIFY(link.send(comp(3, 224, 255, 2, 1, 0, 1)));
    int reduced = 0;
    for (int i = 0; i < 10; ++i) {
        QVERIFY(link.send(grGet));
        reduced += meterValues(link).value("4/3") < 32767 ? 1 : 0;
        UnitFixture::spin(30);
    }
    QVERIFY(reduced > 0);
}

QTEST_GUILESS_MAIN(TestEmulatedUnit)
#include "tst_emulatedunit.moc"
