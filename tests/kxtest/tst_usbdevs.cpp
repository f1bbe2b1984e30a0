// The device slot table across plugging and unplugging, and the vendor requests, on the
// virtual bus with emulated units.
#include "EmulatedUnit.h"
#include "StdoutCapture.h"
#include "usbdevs.h"

#include <QRegularExpression>
#include <QtTest>

#include <memory>
#include <vector>

class TestUsbdevs : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void devicesPresentAtSetupFillSlotsInOrder();
    void eleventhDeviceGetsNoSlotEvenLater();
    void countsOccupiedSlotsAcrossGaps();
    void newcomerTakesLowestEmptySlot();
    void requestOnEmptiedSlotFailsSilently();
    void otherInterestMessageLeavesSlot();
    void deviceOpenFailureLeavesSlotEmpty();
    void onlySupportedProductsAreTaken();
    void handleOfUnpluggedUnitNeverReachesItsSuccessor();
    void requestStatusesAndTheirLines_data();
    void requestStatusesAndTheirLines();
    void unitUnpluggedUnderRequestIsNoFailure();
    void requestCarriesVendorSetup();

private:
    std::shared_ptr<EmulatedUnit> plug(EmulatedUnit::Model model = EmulatedUnit::Model::Tarvik);
    void deliver();
    QVector<int> occupied() const;

    usbdevs_t ctx_;
    std::vector<std::shared_ptr<EmulatedUnit>> units_;
};

std::shared_ptr<EmulatedUnit> TestUsbdevs::plug(EmulatedUnit::Model model) {
    auto unit = std::make_shared<EmulatedUnit>(model);
    unit->plugIn();
    units_.push_back(unit);
    return unit;
}

void TestUsbdevs::deliver() {
    usbdevs_refresh();
    QCoreApplication::processEvents();
}

QVector<int> TestUsbdevs::occupied() const {
    QVector<int> used;
    for (int i = 0; i < USBDEVS_SLOTS; ++i)
        if (ctx_.slot_table[i].device)
            used.push_back(i);
    return used;
}

void TestUsbdevs::init() {
    StdoutCapture quiet;
    usbdevs_init(&ctx_);
}

void TestUsbdevs::cleanup() {
    StdoutCapture quiet;
    for (auto &u : units_)
        u->unplug();
    deliver();
    usbdevs_fini(&ctx_);
    units_.clear();
    QCOMPARE(usbhost::virtualbus::openInterfaces(), 0);
}

void TestUsbdevs::devicesPresentAtSetupFillSlotsInOrder() {
    usbdevs_fini(&ctx_);
    plug(EmulatedUnit::Model::Pelvo);
    plug(EmulatedUnit::Model::Tarvik);
    StdoutCapture out;
    usbdevs_init(&ctx_);
    // Found during setup itself, before any event is delivered.
    QCOMPARE(occupied(), QVector<int>({0, 1}));
    QCOMPARE(QString::fromUtf8(ctx_.slot_table[0].name), QStringLiteral("OLVANE Pelvo"));
    QVERIFY(ctx_.slot_table[0].location != 0);
    QVERIFY(ctx_.slot_table[0].location != ctx_.slot_table[1].location);
    const QStringList lines = out.takeLines();
    QCOMPARE(lines.filter(QRegularExpression("^kxtest/usbdevs:\\d+:Device added$")).size(), 2);
}

void TestUsbdevs::eleventhDeviceGetsNoSlotEvenLater() {
    StdoutCapture out;
    for (int i = 0; i < 11; ++i)
        plug();
    deliver();
    QCOMPARE(occupied().size(), 10);
    QCOMPARE(out.takeLines().filter(QRegularExpression(":Device added$")).size(), 11);
    // The eleventh sits in no slot: it keeps no interface open.
    QCOMPARE(usbhost::virtualbus::openInterfaces(), 10);

    units_[4]->unplug();
    deliver();
    QCOMPARE(occupied().size(), 9);
    QCOMPARE(out.takeLines().filter(QRegularExpression(":removed$")).size(), 1);
    QCOMPARE(usbhost::virtualbus::openInterfaces(), 9);
}

void TestUsbdevs::countsOccupiedSlotsAcrossGaps() {
    for (int i = 0; i < 8; ++i)
        plug();
    StdoutCapture out;
    deliver();
    for (int i : {0, 1, 2, 4, 5, 6})
        units_[size_t(i)]->unplug();
    deliver();
    QCOMPARE(occupied(), QVector<int>({3, 7}));
    usbdevs_handle_t h{};
    QCOMPARE(usbdevs_get_dev(&ctx_, &h, 0), 0);
    QCOMPARE(h.slot, &ctx_.slot_table[3]);
    QCOMPARE(usbdevs_get_dev(&ctx_, &h, 1), 0);
    QCOMPARE(h.slot, &ctx_.slot_table[7]);
    QCOMPARE(usbdevs_get_dev(&ctx_, &h, 2), 1);
}

void TestUsbdevs::newcomerTakesLowestEmptySlot() {
    StdoutCapture out;
    for (int i = 0; i < 4; ++i)
        plug();
    deliver();
    units_[0]->unplug();
    units_[3]->unplug();
    deliver();
    QCOMPARE(occupied(), QVector<int>({1, 2}));
    plug();
    deliver();
    QCOMPARE(occupied(), QVector<int>({0, 1, 2}));
    // Emptied slots hold nothing of their old device.
    QVERIFY(!ctx_.slot_table[3].name);
    QCOMPARE(ctx_.slot_table[3].location, 0u);
    QVERIFY(!ctx_.slot_table[3].notification);
}

void TestUsbdevs::requestOnEmptiedSlotFailsSilently() {
    StdoutCapture out;
    auto unit = plug();
    deliver();
    usbdevs_handle_t h{};
    QCOMPARE(usbdevs_get_dev(&ctx_, &h, 0), 0);
    QCOMPARE(usbdevs_dev_exist(&h), 0);
    unit->unplug();
    deliver();
    out.take();
    uint8_t data[64] = {};
    QCOMPARE(usbdevs_dev_vendor_request_out(&h, 29, 0, 0, 2, data), 1);
    QCOMPARE(usbdevs_dev_vendor_request_in(&h, 30, 0, 0, 64, data), 1);
    QCOMPARE(usbdevs_dev_exist(&h), 1);
    QCOMPARE(usbdevs_dev_vendor_request_out(nullptr, 29, 0, 0, 2, data), 1);
    QVERIFY(out.take().isEmpty());
    QCOMPARE(unit->requests().size(), 0);
}

void TestUsbdevs::otherInterestMessageLeavesSlot() {
    StdoutCapture out;
    auto unit = plug();
    deliver();
    out.take();
    usbhost::virtualbus::sendMessage(unit.get(), usbhost::kMessageDeviceWillPowerOff);
    deliver();
    const QStringList lines = out.takeLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(
        QRegularExpression("^kxtest/usbdevs:\\d+:ERROR 0xe0000210$").match(lines[0]).hasMatch(),
        qPrintable(lines[0]));
    QCOMPARE(occupied(), QVector<int>({0}));
}

void TestUsbdevs::deviceOpenFailureLeavesSlotEmpty() {
    StdoutCapture out;
    usbhost::virtualbus::failNextOpen(usbhost::kNotPermitted);
    plug();
    deliver();
    QVERIFY(occupied().isEmpty());
    const QStringList lines = out.takeLines();
    QCOMPARE(lines.filter(QRegularExpression("^kxtest/usbdevs:\\d+:ERROR 0xe00002e2$")).size(), 1);
    QVERIFY(!ctx_.slot_table[0].name);
    // The next unit fills the slot normally.
    plug();
    deliver();
    QCOMPARE(occupied(), QVector<int>({0}));
}

void TestUsbdevs::onlySupportedProductsAreTaken() {
    StdoutCapture out;
    auto other = std::make_shared<EmulatedUnit>();
    other->setProductId(0x1234);
    other->plugIn();
    units_.push_back(other);
    auto first = plug(EmulatedUnit::Model::Pelvo);
    auto second = plug(EmulatedUnit::Model::Tarvik);
    // The product ID does not decide the model: a Tarvik may come with either ID.
    second->setProductId(0x6C31);
    deliver();
    QCOMPARE(occupied(), QVector<int>({0, 1}));
}

void TestUsbdevs::handleOfUnpluggedUnitNeverReachesItsSuccessor() {
    StdoutCapture out;
    auto first = plug();
    deliver();
    usbdevs_handle_t old{};
    QCOMPARE(usbdevs_get_dev(&ctx_, &old, 0), 0);
    first->unplug();
    deliver();
    auto second = plug();
    deliver();
    QCOMPARE(occupied(), QVector<int>({0}));
    QCOMPARE(old.slot, &ctx_.slot_table[0]);

    uint8_t data[64] = {0x31, 0x01};
    QCOMPARE(usbdevs_dev_vendor_request_out(&old, 29, 0, 0, 2, data), 1);
    QCOMPARE(second->requests().size(), 0);

    usbdevs_handle_t fresh{};
    QCOMPARE(usbdevs_get_dev(&ctx_, &fresh, 0), 0);
    QCOMPARE(usbdevs_dev_vendor_request_out(&fresh, 29, 0, 0, 2, data), 0);
    QCOMPARE(second->requests().size(), 1);
}

void TestUsbdevs::requestStatusesAndTheirLines_data() {
    QTest::addColumn<bool>("out");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("line");
    QTest::newRow("out refused") << true << 0 << "^kxtest/usbdevs:\\d+:ERROR 0xe000404f$";
    QTest::newRow("in failed") << false << 1 << "^kxtest/usbdevs:\\d+:ERROR 0xe00002ed$";
    QTest::newRow("in timed out") << false << 2 << "^kxtest/usbdevs:\\d+:kIOUSBTransactionTimeout$";
}

void TestUsbdevs::requestStatusesAndTheirLines() {
    QFETCH(bool, out);
    QFETCH(int, mode);
    QFETCH(QString, line);
    StdoutCapture capture;
    auto unit = plug();
    deliver();
    usbdevs_handle_t h{};
    QCOMPARE(usbdevs_get_dev(&ctx_, &h, 0), 0);
    if (mode == 0)
        unit->setRefuseOut(1);
    else if (mode == 1)
        unit->failNextIn();
    else
        unit->timeOutNextIn();
    capture.take();
    uint8_t data[64] = {0x31, 0x01};
    const int r = out ? usbdevs_dev_vendor_request_out(&h, 29, 0, 0, 2, data)
                      : usbdevs_dev_vendor_request_in(&h, 30, 0, 0, 64, data);
    QCOMPARE(r, 1);
    const QStringList lines = capture.takeLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(QRegularExpression(line).match(lines[0]).hasMatch(), qPrintable(lines[0]));
    // The next request goes through.
    QCOMPARE(out ? usbdevs_dev_vendor_request_out(&h, 29, 0, 0, 2, data)
                 : usbdevs_dev_vendor_request_in(&h, 30, 0, 0, 64, data),
             0);
}

// The cable comes out under a request: the device answers that it is not there, which is how
// unplugging looks before the removal notice is delivered. No line, and the handle counts as
// gone from then on; the next unit in the slot is there.
void TestUsbdevs::unitUnpluggedUnderRequestIsNoFailure() {
    StdoutCapture capture;
    auto unit = plug();
    deliver();
    usbdevs_handle_t h{};
    QCOMPARE(usbdevs_get_dev(&ctx_, &h, 0), 0);
    QCOMPARE(usbdevs_dev_exist(&h), 0);
    capture.take();
    uint8_t data[64] = {0x31, 0x01};
    unit->unplugDuringNextTransfer();
    QCOMPARE(usbdevs_dev_vendor_request_out(&h, 29, 0, 0, 2, data), 1);
    QCOMPARE(occupied(), QVector<int>({0})); // the removal notice has not been delivered yet
    QCOMPARE(usbdevs_dev_exist(&h), 1);
    QCOMPARE(usbdevs_dev_vendor_request_in(&h, 30, 0, 0, 64, data), 1);
    QCOMPARE(capture.take(), QString());

    deliver();
    QVERIFY(occupied().isEmpty());
    plug();
    deliver();
    usbdevs_handle_t fresh{};
    QCOMPARE(usbdevs_get_dev(&ctx_, &fresh, 0), 0);
    QCOMPARE(usbdevs_dev_exist(&fresh), 0);
    QCOMPARE(usbdevs_dev_exist(&h), 1);
    QCOMPARE(usbdevs_dev_vendor_request_out(&fresh, 29, 0, 0, 2, data), 0);
}

void TestUsbdevs::requestCarriesVendorSetup() {
    StdoutCapture capture;
    auto unit = plug();
    deliver();
    usbdevs_handle_t h{};
    QCOMPARE(usbdevs_get_dev(&ctx_, &h, 0), 0);
    uint8_t data[64] = {0x18, 0x01};
    QCOMPARE(usbdevs_dev_vendor_request_out(&h, 29, 0, 0, 2, data), 0);
    QCOMPARE(usbdevs_dev_vendor_request_in(&h, 30, 0, 0, 64, data), 0);
    const auto requests = unit->requests();
    QCOMPARE(requests.size(), 2);
    QCOMPARE(int(requests[0].bmRequestType), 0x40);
    QCOMPARE(int(requests[0].bRequest), 29);
    QCOMPARE(int(requests[0].wLength), 2);
    QCOMPARE(requests[0].data, QByteArray::fromHex("1801"));
    QCOMPARE(int(requests[1].bmRequestType), 0xC0);
    QCOMPARE(int(requests[1].bRequest), 30);
    QCOMPARE(int(requests[1].wLength), 64);
    // The sample-rate query was answered, followed by ready.
    QCOMPARE(QByteArray(reinterpret_cast<char *>(data), 9),
             QByteArray::fromHex("180480bb0000a10201"));
}

QTEST_GUILESS_MAIN(TestUsbdevs)
#include "tst_usbdevs.moc"
