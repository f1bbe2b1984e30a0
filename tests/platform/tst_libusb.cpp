// The libusb backend on the machine running the tests. Units are rarely plugged in here, so
// this checks what holds on any host: one clear start line, no invented devices, a quiet
// run loop, and ports that come and go without harm while the backend keeps watching.
#include "StdoutCapture.h"
#include "usbhost.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

using namespace usbhost;

namespace {

constexpr uint16_t kVendor = 0x4B2D;
constexpr uint16_t kProducts[] = {0x6C31, 0x6C32};

struct Counts {
    int matches = 0;
    int messages = 0;
};

void onMatch(void *refcon, Iterator *iterator) {
    auto *counts = static_cast<Counts *>(refcon);
    while (Service *s = iteratorNext(iterator)) {
        ++counts->matches;
        objectRelease(s);
    }
}

void onInterest(void *refcon, Service *, uint32_t, void *) {
    ++static_cast<Counts *>(refcon)->messages;
}

QStringList hostLines(const QStringList &lines) {
    return lines.filter(QRegularExpression("^usbhost:"));
}

// A host without any USB bus, such as a container; a unit cannot be present there.
bool hostHasNoUsb() {
    return !QDir("/dev/bus/usb").exists() && !QDir("/sys/bus/usb/devices").exists();
}

} // namespace

class TestLibusb : public QObject {
    Q_OBJECT

private slots:
    void startsOnceWithOneClearLine();
    void matchingYieldsOnlyThePresentUnits();
    void runLoopStaysQuiet();
    void portsComeAndGoWhileTheBackendWatches();

private:
    Port *port_ = nullptr;
    Counts counts_;
    std::vector<Iterator *> iterators_;
    int present_ = -1;
};

void TestLibusb::startsOnceWithOneClearLine() {
    StdoutCapture out;
    port_ = notificationPortCreate();
    QVERIFY(port_);
    const QStringList first = hostLines(out.takeLines());
    QCOMPARE(first.size(), 1);

    const QRegularExpression started(
        "^usbhost: libusb started, (watching by hotplug|polling the device list every 500 ms), "
        "(\\d+) supported devices? present$");
    const QRegularExpression failed(
        "^usbhost: libusb could not start \\(LIBUSB_ERROR_[A-Z_]+\\): no USB device will be "
        "found$");
    const QRegularExpressionMatch m = started.match(first.at(0));
    if (m.hasMatch()) {
        present_ = m.captured(2).toInt();
    } else {
        QVERIFY2(failed.match(first.at(0)).hasMatch(), qPrintable(first.at(0)));
        present_ = 0;
    }
    if (hostHasNoUsb())
        QCOMPARE(present_, 0);

    // The backend belongs to the process, not to a port.
    Port *second = notificationPortCreate();
    QVERIFY(second);
    notificationPortDestroy(second);
    QCOMPARE(hostLines(out.takeLines()), QStringList());
}

void TestLibusb::matchingYieldsOnlyThePresentUnits() {
    QVERIFY(port_);
    int yielded = 0;
    for (uint16_t product : kProducts) {
        Iterator *it = nullptr;
        QCOMPARE(addFirstMatchNotification(port_, kVendor, product, onMatch, &counts_, &it),
                 kSuccess);
        QVERIFY(it);
        iterators_.push_back(it);
        while (Service *s = iteratorNext(it)) {
            ++yielded;
            char name[128] = {};
            QCOMPARE(registryEntryGetName(s, name), kSuccess);
            QVERIFY2(QByteArray(name).startsWith("OLVANE USB device bus "), name);
            Notification *n = nullptr;
            QCOMPARE(addInterestNotification(port_, s, onInterest, &counts_, &n), kSuccess);
            objectRelease(n);
            objectRelease(s);
        }
    }
    // Exactly the units the start line counted, each once, none of another maker.
    QCOMPARE(yielded, present_);
}

void TestLibusb::runLoopStaysQuiet() {
    QVERIFY(port_);
    StdoutCapture out;
    runLoopAddPort(runLoopGetCurrent(), port_);
    // Long enough for several rounds of events or of the list diff.
    QTest::qWait(1300);
    runLoopRunOnce();
    QCOMPARE(counts_.matches, 0);
    QCOMPARE(counts_.messages, 0);
    // Watching is silent: no repeated start line, no chatter per round.
    QCOMPARE(hostLines(out.takeLines()), QStringList());
}

void TestLibusb::portsComeAndGoWhileTheBackendWatches() {
    QVERIFY(port_);
    StdoutCapture out;
    for (Iterator *it : iterators_)
        objectRelease(it);
    iterators_.clear();
    notificationPortDestroy(port_);
    port_ = nullptr;
    // The event thread goes on with no port listening.
    QTest::qWait(700);

    Port *again = notificationPortCreate();
    QVERIFY(again);
    runLoopAddPort(runLoopGetCurrent(), again);
    Counts counts;
    int yielded = 0;
    std::vector<Iterator *> iterators;
    for (uint16_t product : kProducts) {
        Iterator *it = nullptr;
        QCOMPARE(addFirstMatchNotification(again, kVendor, product, onMatch, &counts, &it),
                 kSuccess);
        iterators.push_back(it);
        while (Service *s = iteratorNext(it)) {
            ++yielded;
            objectRelease(s);
        }
    }
    QCOMPARE(yielded, present_);
    QTest::qWait(700);
    QCOMPARE(counts.matches, 0);
    for (Iterator *it : iterators)
        objectRelease(it);
    notificationPortDestroy(again);
    QCOMPARE(hostLines(out.takeLines()), QStringList());
}

QTEST_GUILESS_MAIN(TestLibusb)
#include "tst_libusb.moc"
