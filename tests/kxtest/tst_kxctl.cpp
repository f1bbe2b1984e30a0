// Control transfers, device selection and the element-group writers, against emulated
// units on the virtual bus.
#include "EmulatedUnit.h"
#include "StdoutCapture.h"
#include "kxctl.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

using Writer = std::function<int(kxmsg_t *)>;
Q_DECLARE_METATYPE(Writer)

namespace {

int countLines(const QStringList &lines, const char *pattern) {
    return lines.filter(QRegularExpression(QString::fromLatin1(pattern))).size();
}

} // namespace

class TestKxctl : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sendsExactlyThePosition();
    void sendRefusesOverlongMessageWithoutRequest();
    void refusingUnitGetsTenTries();
    void receiveRewindsAndClearsStaleBytes();
    void receiveFailureLine();
    void transfersToAnUnpluggedUnitPrintNothing();
    void groupSelectionWalksTheSlots();
    void groupWriters_data();
    void groupWriters();
    void groupWriterIsAllOrNothing();

private:
    std::shared_ptr<EmulatedUnit> plug();
    // A unit plugged in, its arrival delivered, and selected into the handle.
    std::shared_ptr<EmulatedUnit> plugSelected(usbdevs_handle_t *h);
    void deliver();

    kxctl_group_t group_;
    std::vector<std::shared_ptr<EmulatedUnit>> units_;
};

std::shared_ptr<EmulatedUnit> TestKxctl::plug() {
    auto unit = std::make_shared<EmulatedUnit>();
    unit->plugIn();
    units_.push_back(unit);
    return unit;
}

std::shared_ptr<EmulatedUnit> TestKxctl::plugSelected(usbdevs_handle_t *h) {
    auto unit = plug();
    deliver();
    if (kxctl_group_get_kx(&group_, h) != 0)
        QTest::qFail("the unit plugged in was not selected", __FILE__, __LINE__);
    return unit;
}

void TestKxctl::deliver() {
    usbdevs_refresh();
    QCoreApplication::processEvents();
}

void TestKxctl::init() {
    StdoutCapture quiet;
    kxctl_group_init(&group_);
}

void TestKxctl::cleanup() {
    StdoutCapture quiet;
    for (auto &u : units_)
        u->unplug();
    deliver();
    kxctl_group_fini(&group_);
    units_.clear();
}

void TestKxctl::sendsExactlyThePosition() {
    StdoutCapture out;
    usbdevs_handle_t h{};
    auto unit = plugSelected(&h);
    out.take();
    uint8_t buf[64] = {};
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    QCOMPARE(kxctl_send(&h, &m), 0);
    kxmsg_put(&m, KXCTL_TAG_HZ, KXMSG_TYPE_NONE, 0, 0);
    kxmsg_put(&m, KXCTL_TAG_CLOCKSOURCE, KXMSG_TYPE_NONE, 0, 0);
    QCOMPARE(kxctl_send(&h, &m), 0);
    const auto requests = unit->requests();
    QCOMPARE(requests.size(), 2);
    QCOMPARE(int(requests[0].wLength), 0);
    QCOMPARE(int(requests[1].wLength), 4);
    QCOMPARE(requests[1].data, QByteArray::fromHex("18011a01"));
    QVERIFY(out.take().isEmpty());
}

void TestKxctl::sendRefusesOverlongMessageWithoutRequest() {
    StdoutCapture out;
    usbdevs_handle_t h{};
    auto unit = plugSelected(&h);
    out.take();
    uint8_t buf[80] = {};
    kxmsg_t m;
    kxmsg_init(&m, buf, 80);
    m.position = 65;
    QCOMPARE(kxctl_send(&h, &m), 1);
    const QStringList lines = out.takeLines();
    QCOMPARE(lines.size(), 1);
    QCOMPARE(countLines(lines, "^kxtest/kxctl:\\d+:ERROR$"), 1);
    QCOMPARE(unit->requests().size(), 0);
}

void TestKxctl::refusingUnitGetsTenTries() {
    StdoutCapture out;
    usbdevs_handle_t h{};
    auto unit = plugSelected(&h);
    unit->setRefuseOut(-1);
    out.take();
    uint8_t buf[64] = {};
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    kxmsg_put(&m, KXCTL_TAG_VERSION_GET, KXMSG_TYPE_NONE, 0, 0);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(kxctl_send(&h, &m), 1);
    QVERIFY(clock.elapsed() >= 50);
    QCOMPARE(unit->countRequests(KXCTL_REQUEST_OUT), 10);
    const QStringList lines = out.takeLines();
    QCOMPARE(countLines(lines, "^kxtest/kxctl:\\d+:ERROR$"), 11);
    QCOMPARE(countLines(lines, "^kxtest/usbdevs:\\d+:ERROR 0xe000404f$"), 10);
    QCOMPARE(lines.size(), 21);

    // A unit that takes the third try costs three requests and gives success.
    unit->clearLog();
    unit->setRefuseOut(2);
    QCOMPARE(kxctl_send(&h, &m), 0);
    QCOMPARE(unit->countRequests(KXCTL_REQUEST_OUT), 3);
}

void TestKxctl::receiveRewindsAndClearsStaleBytes() {
    StdoutCapture out;
    usbdevs_handle_t h{};
    auto unit = plugSelected(&h);
    uint8_t buf[64];
    std::memset(buf, 0xEE, sizeof buf);
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    m.position = 20;
    unit->setAnswerShort(3);
    QCOMPARE(kxctl_recv(&h, &m), 0);
    QCOMPARE(int(m.position), 0);
    QCOMPARE(unit->requests().last().wLength, uint16_t(64));
    // Only the ready element came; nothing of the old bytes is left to parse.
    QCOMPARE(QByteArray(reinterpret_cast<char *>(buf), 4), QByteArray::fromHex("a1020100"));
    for (int i = 3; i < 64; ++i)
        QCOMPARE(int(buf[i]), 0);

    // A record larger than a message is read as 64 bytes, with a line saying so.
    uint8_t big[100];
    kxmsg_init(&m, big, 100);
    out.take();
    QCOMPARE(kxctl_recv(&h, &m), 0);
    QCOMPARE(countLines(out.takeLines(), "^kxtest/kxctl:\\d+:ERROR$"), 1);
    QCOMPARE(unit->requests().last().wLength, uint16_t(64));
}

void TestKxctl::receiveFailureLine() {
    StdoutCapture out;
    usbdevs_handle_t h{};
    auto unit = plugSelected(&h);
    unit->failNextIn();
    out.take();
    uint8_t buf[64];
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    QCOMPARE(kxctl_recv(&h, &m), 1);
    const QStringList lines = out.takeLines();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(countLines(lines, "^kxtest/usbdevs:\\d+:ERROR 0xe00002ed$"), 1);
    QCOMPARE(countLines(lines, "^kxtest/kxctl:\\d+:ERROR$"), 1);
    QCOMPARE(unit->countRequests(KXCTL_REQUEST_IN), 1);
}

// A unit pulled out under a transfer, and the transfers after it until its removal is known
// and after: each fails, as unplugging does, without an error line. A unit that is still there
// keeps its lines (above).
void TestKxctl::transfersToAnUnpluggedUnitPrintNothing() {
    StdoutCapture out;
    usbdevs_handle_t h{};
    auto unit = plugSelected(&h);
    out.take();
    uint8_t buf[64] = {};
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    kxmsg_put(&m, KXCTL_TAG_VERSION_GET, KXMSG_TYPE_NONE, 0, 0);
    unit->unplugDuringNextTransfer();
    QCOMPARE(kxctl_send(&h, &m), 1);
    QCOMPARE(unit->requests().size(), 1);
    QCOMPARE(kxctl_recv(&h, &m), 1);
    QCOMPARE(out.take(), QString());
    deliver(); // the removal empties the slot
    QCOMPARE(kxctl_send(&h, &m), 1);
    QCOMPARE(kxctl_recv(&h, &m), 1);
    const QStringList lines = out.takeLines();
    QCOMPARE(lines.filter(QRegularExpression(":ERROR")), QStringList());
}

void TestKxctl::groupSelectionWalksTheSlots() {
    StdoutCapture out;
    usbdevs_handle_t h{};
    QCOMPARE(kxctl_group_get_init(&group_), 0);
    QCOMPARE(kxctl_group_get_kx(&group_, &h), 1);
    QCOMPARE(int(group_.cursor), 10);

    for (int i = 0; i < 3; ++i)
        plug();
    // Selection runs the run loop itself, so the arrivals need no other delivery.
    QCOMPARE(kxctl_group_get_init(&group_), 0);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(kxctl_group_get_kx(&group_, &h), 0);
        QCOMPARE(h.slot, &group_.usbdevs.slot_table[i]);
    }
    QCOMPARE(kxctl_group_get_kx(&group_, &h), 1);
}

void TestKxctl::groupWriters_data() {
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("size"); // what a packer looks for before it asks the writer
    QTest::newRow("ch") << Writer([](kxmsg_t *m) {
        return kxctl_put_ch(m, KXMSG_DATA_CH_MIXER_INPUT, 7);
    }) << QByteArray::fromHex("610204 620207")
                        << int(KXCTL_PUT_CH_SIZE);
    QTest::newRow("common u8") << Writer([](kxmsg_t *m) {
        return kxctl_put_ch_common_u8(m, KXMSG_DATA_CH_MASTER, 2, KXCTL_TAG_MUTE, 1);
    }) << QByteArray::fromHex("610202 620202 830201")
                               << int(KXCTL_PUT_CH_COMMON_U8_SIZE);
    QTest::newRow("grmeter") << Writer([](kxmsg_t *m) {
        return kxctl_put_grmeter(m, KXMSG_DATA_CH_MIXER_INPUT, 3);
    }) << QByteArray::fromHex("610204 620203 b101")
                             << int(KXCTL_PUT_GRMETER_SIZE);
    QTest::newRow("assign") << Writer([](kxmsg_t *m) {
        return kxctl_put_assign_ch(m, KXMSG_DATA_CH_PLAYBACK, 5, KXMSG_DATA_CH_LINEOUT, 12);
    }) << QByteArray::fromHex("610203 620205 4101 610201 62020c 4201 4301")
                            << int(KXCTL_PUT_ASSIGN_CH_SIZE);
    QTest::newRow("send") << Writer([](kxmsg_t *m) {
        return kxctl_put_send(m, KXMSG_DATA_CH_MASTER, 1, KXMSG_DATA_CH_AUX_SEND, 3,
                              KXMSG_DATA_SEND_POS_PRE, -10);
    }) << QByteArray::fromHex("610202 620201 4101 610205 620203 4201 440202 4502f6 4601")
                          << int(KXCTL_PUT_SEND_SIZE);
    QTest::newRow("eq") << Writer([](kxmsg_t *m) {
        return kxctl_put_eq(m, KXMSG_DATA_CH_MIXER_INPUT, 20, 1, KXMSG_DATA_EQ_BAND_HIGH, 30, 40,
                            5);
    }) << QByteArray::fromHex("610204 620214 510204 52021e 530228 540205 550201")
                        << int(KXCTL_PUT_EQ_SIZE);
    QTest::newRow("comp") << Writer([](kxmsg_t *m) {
        return kxctl_put_comp(m, KXMSG_DATA_CH_MIXER_INPUT, 1, 1, 10, 11, 12, 13, 14,
                              KXMSG_DATA_CH_TYPE_STEREO_ODD);
    }) << QByteArray::fromHex("610204 620201 91020a 92020b 93020c 94020d 95020e 960202 970201")
                          << int(KXCTL_PUT_COMP_SIZE);
    QTest::newRow("reverb") << Writer([](kxmsg_t *m) {
        return kxctl_put_reverb(m, KXMSG_DATA_REVERB_PLATE, 1, 2, 3);
    }) << QByteArray::fromHex("d10205 d20201 d30202 d40203 d501")
                            << int(KXCTL_PUT_REVERB_SIZE);
    QTest::newRow("return") << Writer([](kxmsg_t *m) { return kxctl_put_return(m, 1, -127); })
                            << QByteArray::fromHex("470281 480201") << int(KXCTL_PUT_RETURN_SIZE);
}

void TestKxctl::groupWriters() {
    QFETCH(Writer, writer);
    QFETCH(QByteArray, bytes);
    QFETCH(int, size);
    QCOMPARE(bytes.size(), size);
    uint8_t buf[64] = {};
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    QCOMPARE(writer(&m), 0);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(buf), m.position), bytes);

    // One byte short of the group: nothing of it stays, and it says so.
    uint8_t small[64] = {};
    kxmsg_init(&m, small, uint8_t(bytes.size() - 1));
    StdoutCapture out;
    QCOMPARE(writer(&m), 1);
    QCOMPARE(int(m.position), 0);
    const QStringList lines = out.takeLines();
    QVERIFY(countLines(lines, "^kxtest/kxctl:\\d+:ERROR$") == 1);
    QCOMPARE(writer(nullptr), 1);
}

void TestKxctl::groupWriterIsAllOrNothing() {
    uint8_t buf[64] = {};
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    m.position = 47; // 17 bytes left, the assignment needs 18
    StdoutCapture out;
    QCOMPARE(kxctl_put_assign_ch(&m, KXMSG_DATA_CH_PLAYBACK, 1, KXMSG_DATA_CH_LINEOUT, 1), 1);
    QCOMPARE(int(m.position), 47);
    QCOMPARE(int(m.capacity), 64);
    m.position = 46;
    QCOMPARE(kxctl_put_assign_ch(&m, KXMSG_DATA_CH_PLAYBACK, 1, KXMSG_DATA_CH_LINEOUT, 1), 0);
    QCOMPARE(int(m.position), 64);
}

QTEST_GUILESS_MAIN(TestKxctl)
#include "tst_kxctl.moc"
