// The emulated unit itself: its answers to every query of both models, how it packs answers
// with the ready element, and each way it can be told to misbehave.
#include "EmulatedUnit.h"
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

} // namespace

class TestEmulatedUnit : public QObject {
    Q_OBJECT
private slots:
    void answersQueries_data();
    void answersQueries();
    void metersComeInWholeTriplesAndUpdateInPlace();
    void settingsReachTheState();
    void misbehaviour();
    void garbageAnswersDoNotBreakTheLink();
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
        UnitFixture::spin(15);
    }
    unit->setAnswerGarbage(false);
    QVERIFY(UnitFixture::waitFor([&] {
        dev.request_version();
        return !name.isEmpty() && name.last()[0].toString() == QStringLiteral("OLVANE Tarvik");
    }));
    out.take();
}

QTEST_GUILESS_MAIN(TestEmulatedUnit)
#include "tst_emulatedunit.moc"
