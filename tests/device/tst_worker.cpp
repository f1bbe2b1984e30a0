// The USB worker: selection, the send-then-read round, truncation, replugging; and the
// whole link end to end with the worker on its own thread.
#include "LinkWait.h"
#include "QKXDevice.h"
#include "QKXDeviceUnit.h"
#include "StdoutCapture.h"
#include "UnitFixture.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// The worker's signals as text lines, in emission order.
class WorkerLog : public QObject {
public:
    explicit WorkerLog(QKXDeviceUnit *w) {
        connect(w, &QKXDeviceUnit::ret_deselect, this,
                [this](bool r) { lines << QString("deselect %1").arg(r); });
        connect(w, &QKXDeviceUnit::ret_select_default, this,
                [this](bool r) { lines << QString("select %1").arg(r); });
        connect(w, &QKXDeviceUnit::ret_is_selected, this,
                [this](bool r) { lines << QString("selected %1").arg(r); });
        connect(w, &QKXDeviceUnit::kx_send_result, this,
                [this](bool r) { lines << QString("sent %1").arg(r); });
        connect(w, &QKXDeviceUnit::kx_recv_result, this, [this](bool r, QByteArray data) {
            lines << QString("read %1 %2").arg(r).arg(data.size());
            last = data;
        });
    }
    QStringList lines;
    QByteArray last;
};

} // namespace

class TestWorker : public QObject {
    Q_OBJECT
private slots:
    void withoutDeviceEveryTransferFails();
    void messageIsCutToSixtyFourBytes();
    void isSelectedSelectsOnlyWhenNeeded();
    void replugFailsUntilDeselect();
    void shortAnswerLeavesNoStaleBytes();
    void endToEndAnswersArriveAsSignals();
    void refusingUnitGivesFailureNotice();
    void timedOutReadGivesFailureNotice();
    void unplugDuringTransferThenRecover();
    void destructionEndsTheWorker();
};

void TestWorker::withoutDeviceEveryTransferFails() {
    StdoutCapture out;
    QKXDeviceUnit worker;
    WorkerLog log(&worker);
    QElapsedTimer clock;
    clock.start();
    worker.kx_send(QByteArray::fromHex("3101"));
    QVERIFY(clock.elapsed() >= 20); // a pause after the send and one after the read
    QCOMPARE(log.lines, QStringList({"deselect 1", "select 0", "sent 0", "deselect 1", "select 0",
                                     "read 0 64"}));
}

void TestWorker::messageIsCutToSixtyFourBytes() {
    UnitFixture units;
    auto unit = units.plug();
    StdoutCapture out;
    QKXDeviceUnit worker;
    QByteArray big(70, 0);
    for (int i = 0; i < 35; ++i) { // 35 markers: 70 bytes
        big[2 * i] = char(200 + (i % 40));
        big[2 * i + 1] = 1;
    }
    worker.kx_send(big);
    worker.kx_send(QByteArray::fromHex("610204 620201 850201"));
    const auto requests = unit->requests();
    QCOMPARE(requests.size(), 4);
    QCOMPARE(int(requests[0].wLength), 64);
    QCOMPARE(requests[0].data, big.left(64));
    QCOMPARE(int(requests[1].bRequest), 30);
    QCOMPARE(int(requests[2].wLength), 9);
    QCOMPARE(int(requests[3].wLength), 64);
}

void TestWorker::isSelectedSelectsOnlyWhenNeeded() {
    StdoutCapture out;
    QKXDeviceUnit worker;
    WorkerLog log(&worker);
    worker.is_selected();
    QCOMPARE(log.lines, QStringList({"deselect 1", "select 0", "selected 0"}));

    UnitFixture units;
    auto unit = units.plug();
    log.lines.clear();
    worker.is_selected();
    QCOMPARE(log.lines, QStringList({"deselect 1", "select 1", "selected 1"}));
    // Selected: answered without a look at the slots, even with the unit gone.
    unit->unplug();
    QCoreApplication::processEvents();
    log.lines.clear();
    worker.is_selected();
    QCOMPARE(log.lines, QStringList({"selected 1"}));
    QVERIFY(worker.check_is_selected());
}

void TestWorker::replugFailsUntilDeselect() {
    UnitFixture units;
    auto first = units.plug();
    StdoutCapture out;
    QKXDeviceUnit worker;
    WorkerLog log(&worker);
    worker.kx_recv();
    QCOMPARE(log.lines.last(), QStringLiteral("read 1 64"));

    first->unplug();
    UnitFixture::deliverBusEvents();
    auto second = units.plug();
    UnitFixture::deliverBusEvents();
    log.lines.clear();
    worker.kx_send(QByteArray::fromHex("3101"));
    // The old selection stays and reaches nothing, not even the unit in its old slot.
    QCOMPARE(log.lines, QStringList({"sent 0", "read 0 64"}));
    QCOMPARE(second->requests().size(), 0);

    worker.deselect();
    log.lines.clear();
    worker.kx_send(QByteArray::fromHex("3101"));
    QCOMPARE(log.lines, QStringList({"deselect 1", "select 1", "sent 1", "read 1 64"}));
    QCOMPARE(second->countRequests(KXCTL_REQUEST_OUT), 1);
}

void TestWorker::shortAnswerLeavesNoStaleBytes() {
    UnitFixture units;
    auto unit = units.plug();
    StdoutCapture out;
    QKXDeviceUnit worker;
    WorkerLog log(&worker);
    worker.kx_send(QByteArray::fromHex("3101")); // a long answer: version, build, name, ...
    QVERIFY(log.last.startsWith(QByteArray::fromHex("3203")));
    unit->setAnswerShort(3);
    worker.kx_recv();
    QCOMPARE(log.last, QByteArray::fromHex("a10201").leftJustified(64, '\0'));
}

void TestWorker::endToEndAnswersArriveAsSignals() {
    UnitFixture units;
    auto unit = units.plug(EmulatedUnit::Model::Pelvo);
    unit->setVersion(215, 77);
    StdoutCapture out;
    QKXDevice dev;
    QSignalSpy name(&dev, &QKXDevice::sig_recv_productname);
    QSignalSpy version(&dev, &QKXDevice::sig_recv_version);
    QSignalSpy build(&dev, &QKXDevice::sig_recv_build);
    QSignalSpy hz(&dev, &QKXDevice::sig_recv_hz);
    dev.request_version();
    dev.request_hz();
    QVERIFY(UnitFixture::waitFor([&] {
        dev.request_hz();
        return !name.isEmpty() && !hz.isEmpty();
    }));
    QCOMPARE(name[0][0].toString(), QStringLiteral("OLVANE Pelvo"));
    QCOMPARE(version[0][0].value<uint16_t>(), uint16_t(215));
    QCOMPARE(build[0][0].value<uint16_t>(), uint16_t(77));
    QCOMPARE(hz[0][0].value<uint32_t>(), 48000u);
    // The presence question is answered later, through the worker.
    dev.is_selected();
    QVERIFY(UnitFixture::waitFor([&] { return dev.is_selected(); }));
}

void TestWorker::refusingUnitGivesFailureNotice() {
    UnitFixture units;
    auto unit = units.plug();
    unit->setRefuseOut(10); // every try of one message
    StdoutCapture out;
    QKXDevice dev;
    QSignalSpy name(&dev, &QKXDevice::sig_recv_productname);
    QSignalSpy version(&dev, &QKXDevice::sig_recv_version);
    dev.recv_kx_recv_result(true, QByteArray::fromHex("a10201").leftJustified(64, '\0'));
    dev.request_version();
    QVERIFY(UnitFixture::waitFor([&] { return !name.isEmpty(); }));
    QCOMPARE(name[0][0].toString(), QString());
    QCOMPARE(version[0][0].value<uint16_t>(), uint16_t(0));
    // The refused request goes again once the unit says ready, and is taken.
    WAIT_LINK_IDLE(dev);
    QCOMPARE(unit->countRequests(KXCTL_REQUEST_OUT), 11);
    QCOMPARE(name.last()[0].toString(), QStringLiteral("OLVANE Tarvik"));
    const QStringList lines = out.takeLines();
    QCOMPARE(lines.filter(QRegularExpression("^kxtest/kxctl:\\d+:ERROR$")).size(), 11);
}

void TestWorker::timedOutReadGivesFailureNotice() {
    UnitFixture units;
    auto unit = units.plug();
    unit->timeOutNextIn();
    StdoutCapture out;
    QKXDevice dev;
    QSignalSpy name(&dev, &QKXDevice::sig_recv_productname);
    dev.request_version();
    QVERIFY(UnitFixture::waitFor([&] { return !name.isEmpty(); }));
    QCOMPARE(name[0][0].toString(), QString());
    QVERIFY(out.take().contains(":kIOUSBTransactionTimeout\n"));
    // The next read goes through and the name follows.
    QVERIFY(UnitFixture::waitFor([&] {
        dev.request_version();
        return name.last()[0].toString() == QStringLiteral("OLVANE Tarvik");
    }));
}

void TestWorker::unplugDuringTransferThenRecover() {
    UnitFixture units;
    auto first = units.plug();
    StdoutCapture out;
    QKXDevice dev;
    QSignalSpy name(&dev, &QKXDevice::sig_recv_productname);
    // As the window does: an empty name makes it deselect.
    connect(&dev, &QKXDevice::sig_recv_productname, &dev, [&dev](QString n) {
        if (n.isEmpty())
            dev.deselect();
    });
    dev.request_version();
    QVERIFY(UnitFixture::waitFor([&] { return !name.isEmpty(); }));
    QCOMPARE(name.last()[0].toString(), QStringLiteral("OLVANE Tarvik"));

    first->unplugDuringNextTransfer();
    dev.request_version();
    QVERIFY(UnitFixture::waitFor([&] { return name.last()[0].toString().isEmpty(); }));
    QVERIFY(!first->pluggedIn());

    auto second = units.plug(EmulatedUnit::Model::Pelvo);
    QVERIFY(UnitFixture::waitFor([&] {
        dev.request_version();
        return name.last()[0].toString() == QStringLiteral("OLVANE Pelvo");
    }));
    // Unplugging and plugging in again is no failure to report.
    const QStringList lines = out.takeLines();
    QCOMPARE(lines.filter(QStringLiteral(":ERROR")), QStringList());
    QVERIFY(!lines.filter(QRegularExpression(":removed$")).isEmpty());
}

void TestWorker::destructionEndsTheWorker() {
    UnitFixture units;
    auto unit = units.plug();
    StdoutCapture out;
    {
        QKXDevice dev;
        dev.request_version();
        QVERIFY(UnitFixture::waitFor([&] { return unit->messages().size() == 1; }));
        QCOMPARE(usbhost::virtualbus::openInterfaces(), 1);
    }
    // The worker and its slot table are gone, with the device it had open.
    QCOMPARE(usbhost::virtualbus::openInterfaces(), 0);
    const int requests = unit->requests().size();
    UnitFixture::spin(50);
    QCOMPARE(unit->requests().size(), requests);
}

QTEST_GUILESS_MAIN(TestWorker)
#include "tst_worker.moc"
