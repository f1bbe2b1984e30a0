// The libusb backend driven through the real libusb-1.0 against units that a umockdev test bed
// emulates: each unit is described in the test bed's sysfs (vendor, product, descriptors, bus
// and device number) and its device node gets an ioctl handler that plays the kernel's usbfs,
// handing every control transfer to an emulated unit. The emulated units are plugged in and out
// through the same calls they use on the virtual bus: this executable defines that bus as the
// test bed. Runs under umockdev's preload library (see CMakeLists.txt).
//
// Built twice: once as it is, where the backend watches by libusb's hotplug events, and once
// with OLVANE_UMOCKDEV_LIST_DIFF, where libusb refuses hotplug callbacks (as a libusb without
// hotplug support does) and the backend falls back to diffing the device list.

// GLib before Qt: its headers use a member named like one of Qt's keywords.
#include <umockdev.h>

#include "EmulatedUnit.h"
#include "LinkWait.h"
#include "QKXDevice.h"
#include "StdoutCapture.h"
#include "UnitFixture.h"
#include "kxctl.h"
#include "usbhost.h"
#include "virtualbus.h"

#include <libusb.h>
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#ifdef OLVANE_UMOCKDEV_LIST_DIFF
// A libusb built without hotplug support answers every registration this way; the backend
// must then find arrivals and removals by itself.
extern "C" int LIBUSB_CALL libusb_hotplug_register_callback(libusb_context *, int, int, int, int,
                                                            int, libusb_hotplug_callback_fn, void *,
                                                            libusb_hotplug_callback_handle *) {
    return LIBUSB_ERROR_NOT_SUPPORTED;
}
#endif

namespace {

constexpr uint16_t kVendor = 0x4B2D;
constexpr uint16_t kProducts[] = {0x6C31, 0x6C32};
// Far beyond any delivery through the test bed, also under the sanitizers.
constexpr int kBoundMs = 20000;

// One usbfs URB as the handler holds it: the client's URB and its buffer, resolved.
struct Urb {
    UMockdevIoctlClient *client = nullptr; // which open file submitted it
    UMockdevIoctlData *urb = nullptr;
    UMockdevIoctlData *buffer = nullptr;
    int status = 0;
    int actualLength = 0;
};

void releaseUrb(Urb &u) {
    g_clear_object(&u.buffer);
    g_clear_object(&u.urb);
}

// One plugging of a device into the test bed.
struct Attachment {
    std::shared_ptr<usbhost::VirtualDevice> device;
    int port = 0;
    int devnum = 0;
    std::string syspath;
    std::string devnode;
    UMockdevIoctlBase *handler = nullptr;
    // Under the bus's lock.
    bool gone = false;     // unplugged: the kernel side fails every call from now on
    bool inSysfs = true;   // still described in the test bed (the port is taken)
    std::deque<Urb> done;  // completed, waiting to be reaped
    std::vector<Urb> held; // never answered: waits for the host's discard
    int discards = 0;
};

// The test bed as a USB bus with one root hub: bus 1, ports from 1 up, device numbers counted
// on as the kernel does.
class MockBus {
public:
    static MockBus &instance() {
        static MockBus *bus = new MockBus; // lives as long as libusb's threads may use it
        return *bus;
    }

    bool ready() const { return testbed_ != nullptr; }
    void start() {
        if (!testbed_)
            testbed_ = umockdev_testbed_new();
    }
    void stop() { g_clear_object(&testbed_); }

    uint32_t attach(const std::shared_ptr<usbhost::VirtualDevice> &device);
    void detach(usbhost::VirtualDevice *device);
    bool isAttached(const usbhost::VirtualDevice *device);
    int discards(const usbhost::VirtualDevice *device);

private:
    static gboolean onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer user);
    gboolean handle(Attachment *a, UMockdevIoctlClient *client);
    void submit(Attachment *a, UMockdevIoctlClient *client, UMockdevIoctlData *arg);
    void reap(Attachment *a, UMockdevIoctlClient *client, UMockdevIoctlData *arg);
    void discard(Attachment *a, UMockdevIoctlClient *client, UMockdevIoctlData *arg);
    void removeFromTestbed(Attachment *a);
    Attachment *live(const usbhost::VirtualDevice *device); // under the lock

    UMockdevTestbed *testbed_ = nullptr;
    std::mutex lock_;
    std::vector<std::unique_ptr<Attachment>> attachments_; // kept: handlers point into them
    int nextDevnum_ = 2;                                   // 1 is the root hub's
};

// Device, configuration and interface descriptors as the unit reports them.
QByteArray descriptors(uint16_t product) {
    QByteArray all =
        QByteArray::fromHex("12 01 0002 ff 00 00 40 2d4b 0000 0001 01 02 00 01" // device
                            "09 02 1200 01 01 00 80 32"                         // config
                            "09 04 00 00 00 ff 00 00 00");                      // interface
    all[10] = char(product & 0xff);
    all[11] = char(product >> 8);
    return all;
}

uint32_t MockBus::attach(const std::shared_ptr<usbhost::VirtualDevice> &device) {
    Q_ASSERT(testbed_);
    int port = 1;
    int devnum;
    {
        std::lock_guard<std::mutex> guard(lock_);
        // The lowest port not taken: a unit plugged again after a removal gets the same.
        const auto taken = [this](int p) {
            return std::any_of(attachments_.begin(), attachments_.end(),
                               [p](const auto &a) { return a->inSysfs && a->port == p; });
        };
        while (taken(port))
            ++port;
        devnum = nextDevnum_++;
    }
    auto a = std::make_unique<Attachment>();
    a->device = device;
    a->port = port;
    a->devnum = devnum;
    const QByteArray name = QByteArray("1-") + QByteArray::number(port);
    const QByteArray devnode = QString::asprintf("/dev/bus/usb/001/%03d", devnum).toLatin1();
    const QByteArray product = QByteArray::number(device->productId(), 16).rightJustified(4, '0');
    const QByteArray devnumText = QByteArray::number(devnum);
    const QByteArray major = "189", minor = QByteArray::number(devnum - 1);
    gchar *syspath = umockdev_testbed_add_device(
        testbed_, "usb", name.constData(), nullptr,
        // attributes
        "idVendor", "4b2d\n", "idProduct", (product + "\n").constData(), "busnum", "1\n", "devnum",
        (devnumText + "\n").constData(), "speed", "480\n", "bConfigurationValue", "1\n", "dev",
        (major + ":" + minor + "\n").constData(), nullptr,
        // properties
        "DEVTYPE", "usb_device", "DEVNAME", devnode.constData(), "BUSNUM", "001", "DEVNUM",
        QString::asprintf("%03d", devnum).toLatin1().constData(), "MAJOR", major.constData(),
        "MINOR", minor.constData(), nullptr);
    a->syspath = syspath;
    g_free(syspath);
    a->devnode = devnode.toStdString();
    QByteArray desc = descriptors(device->productId());
    umockdev_testbed_set_attribute_binary(testbed_, a->syspath.c_str(), "descriptors",
                                          reinterpret_cast<guint8 *>(desc.data()), desc.size());
    // The node that usbfs would show; opening it connects to the handler below.
    {
        gchar *root = umockdev_testbed_get_root_dir(testbed_);
        const QByteArray node = QByteArray(root) + devnode;
        g_free(root);
        const QByteArray folder = node.left(node.lastIndexOf('/'));
        g_mkdir_with_parents(folder.constData(), 0755);
        g_file_set_contents(node.constData(), "", 0, nullptr);
    }
    a->handler = umockdev_ioctl_base_new();
    Attachment *raw = a.get();
    g_signal_connect(a->handler, "handle-ioctl", G_CALLBACK(&MockBus::onIoctl), raw);
    GError *error = nullptr;
    if (!umockdev_testbed_attach_ioctl(testbed_, a->devnode.c_str(), a->handler, &error)) {
        qWarning("cannot attach the ioctl handler to %s: %s", a->devnode.c_str(),
                 error ? error->message : "?");
        g_clear_error(&error);
    }
    {
        std::lock_guard<std::mutex> guard(lock_);
        attachments_.push_back(std::move(a));
    }
    umockdev_testbed_uevent(testbed_, raw->syspath.c_str(), "add");
    return (1u << 24) | (uint32_t(port & 0xf) << 20);
}

Attachment *MockBus::live(const usbhost::VirtualDevice *device) {
    for (auto &a : attachments_)
        if (a->device.get() == device && !a->gone)
            return a.get();
    return nullptr;
}

void MockBus::detach(usbhost::VirtualDevice *device) {
    Attachment *a;
    {
        std::lock_guard<std::mutex> guard(lock_);
        a = live(device);
        if (!a)
            return;
        // As the kernel does at a disconnect: every URB still on the wire is given back
        // with a shutdown status, and every later call fails.
        a->gone = true;
        for (Urb &u : a->held) {
            u.status = -ESHUTDOWN;
            u.actualLength = 0;
            a->done.push_back(u);
        }
        a->held.clear();
    }
    // The uevent follows the cable on the main thread, which owns the test bed; a unit may
    // be pulled from the handler's thread in the middle of a transfer.
    QCoreApplication *app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread())
        QMetaObject::invokeMethod(
            app, [this, a] { removeFromTestbed(a); }, Qt::QueuedConnection);
    else
        removeFromTestbed(a);
}

void MockBus::removeFromTestbed(Attachment *a) {
    if (!testbed_)
        return;
    umockdev_testbed_uevent(testbed_, a->syspath.c_str(), "remove");
    umockdev_testbed_remove_device(testbed_, a->syspath.c_str());
    std::lock_guard<std::mutex> guard(lock_);
    a->inSysfs = false;
}

bool MockBus::isAttached(const usbhost::VirtualDevice *device) {
    std::lock_guard<std::mutex> guard(lock_);
    return live(device) != nullptr;
}

int MockBus::discards(const usbhost::VirtualDevice *device) {
    std::lock_guard<std::mutex> guard(lock_);
    int n = 0;
    for (auto &a : attachments_)
        if (a->device.get() == device)
            n += a->discards;
    return n;
}

gboolean MockBus::onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer user) {
    return instance().handle(static_cast<Attachment *>(user), client);
}

gboolean MockBus::handle(Attachment *a, UMockdevIoctlClient *client) {
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    switch (umockdev_ioctl_client_get_request(client)) {
    case USBDEVFS_GET_CAPABILITIES: {
        GError *error = nullptr;
        UMockdevIoctlData *caps = umockdev_ioctl_data_resolve(arg, 0, sizeof(uint32_t), &error);
        if (!caps) {
            g_clear_error(&error);
            umockdev_ioctl_client_complete(client, -1, EFAULT);
            break;
        }
        const uint32_t none = 0;
        std::memcpy(caps->data, &none, sizeof none);
        g_object_unref(caps);
        umockdev_ioctl_client_complete(client, 0, 0);
        break;
    }
    case USBDEVFS_SUBMITURB:
        submit(a, client, arg);
        break;
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY:
        reap(a, client, arg);
        break;
    case USBDEVFS_DISCARDURB:
        discard(a, client, arg);
        break;
    default: {
        bool gone;
        {
            std::lock_guard<std::mutex> guard(lock_);
            gone = a->gone;
        }
        umockdev_ioctl_client_complete(client, -1, gone ? ENODEV : ENOTTY);
        break;
    }
    }
    return TRUE;
}

void MockBus::submit(Attachment *a, UMockdevIoctlClient *client, UMockdevIoctlData *arg) {
    GError *error = nullptr;
    Urb u;
    u.client = client;
    u.urb = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), &error);
    if (!u.urb) {
        g_clear_error(&error);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }
    auto *urb = reinterpret_cast<usbdevfs_urb *>(u.urb->data);
    // The unit has the default pipe only.
    if (urb->type != USBDEVFS_URB_TYPE_CONTROL || (urb->endpoint & 0x7f) != 0 ||
        urb->buffer_length < 8) {
        releaseUrb(u);
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return;
    }
    u.buffer = umockdev_ioctl_data_resolve(u.urb, offsetof(usbdevfs_urb, buffer),
                                           size_t(urb->buffer_length), &error);
    if (!u.buffer) {
        g_clear_error(&error);
        releaseUrb(u);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }
    const uint8_t *setup = u.buffer->data;
    usbhost::DeviceRequest request;
    request.bmRequestType = setup[0];
    request.bRequest = setup[1];
    request.wValue = uint16_t(setup[2] | setup[3] << 8);
    request.wIndex = uint16_t(setup[4] | setup[5] << 8);
    request.wLength = uint16_t(setup[6] | setup[7] << 8);
    if (8 + int(request.wLength) > urb->buffer_length) {
        releaseUrb(u);
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return;
    }
    request.pData = request.wLength ? u.buffer->data + 8 : nullptr;
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (a->gone) {
            releaseUrb(u);
            umockdev_ioctl_client_complete(client, -1, ENODEV);
            return;
        }
    }
    // Outside the lock: the unit may pull its own cable from here.
    const usbhost::Return status = a->device->controlRequest(request);
    const bool in = request.bmRequestType & 0x80;
    std::lock_guard<std::mutex> guard(lock_);
    switch (status) {
    case usbhost::kSuccess:
        u.status = 0;
        u.actualLength = in ? int(request.wLenDone) : int(request.wLength);
        break;
    case usbhost::kTransactionTimeout:
        // Never answered: the URB stays on the wire until the host discards it.
        if (!a->gone) {
            a->held.push_back(u);
            umockdev_ioctl_client_complete(client, 0, 0);
            return;
        }
        u.status = -ESHUTDOWN;
        break;
    case usbhost::kNoDevice:
        u.status = -ESHUTDOWN;
        break;
    case usbhost::kPipeStalled:
        u.status = -EPIPE;
        break;
    default:
        u.status = -EPROTO;
        break;
    }
    if (a->gone && status == usbhost::kSuccess)
        u.status = -ESHUTDOWN;
    a->done.push_back(u);
    umockdev_ioctl_client_complete(client, 0, 0);
}

void MockBus::reap(Attachment *a, UMockdevIoctlClient *client, UMockdevIoctlData *arg) {
    Urb u;
    {
        std::lock_guard<std::mutex> guard(lock_);
        auto it = std::find_if(a->done.begin(), a->done.end(),
                               [client](const Urb &d) { return d.client == client; });
        if (it == a->done.end()) {
            umockdev_ioctl_client_complete(client, -1, a->gone ? ENODEV : EAGAIN);
            return;
        }
        u = *it;
        a->done.erase(it);
    }
    auto *urb = reinterpret_cast<usbdevfs_urb *>(u.urb->data);
    urb->status = u.status;
    urb->actual_length = u.actualLength;
    urb->error_count = 0;
    GError *error = nullptr;
    UMockdevIoctlData *slot = umockdev_ioctl_data_resolve(arg, 0, sizeof(void *), &error);
    if (!slot) {
        g_clear_error(&error);
        releaseUrb(u);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }
    umockdev_ioctl_data_set_ptr(slot, 0, u.urb);
    g_object_unref(slot);
    releaseUrb(u);
    umockdev_ioctl_client_complete(client, 0, 0);
}

void MockBus::discard(Attachment *a, UMockdevIoctlClient *client, UMockdevIoctlData *arg) {
    gulong address = 0;
    std::memcpy(&address, arg->data, std::min<size_t>(sizeof address, size_t(arg->data_len)));
    std::lock_guard<std::mutex> guard(lock_);
    ++a->discards;
    for (auto it = a->held.begin(); it != a->held.end(); ++it) {
        if (it->client == client && it->urb->client_addr == address) {
            it->status = -ENOENT;
            it->actualLength = 0;
            a->done.push_back(*it);
            a->held.erase(it);
            umockdev_ioctl_client_complete(client, 0, 0);
            return;
        }
    }
    umockdev_ioctl_client_complete(client, -1, a->gone ? ENODEV : EINVAL);
}

} // namespace

// The emulated unit plugs itself in through these: here the bus is the test bed.
namespace usbhost {
namespace virtualbus {
uint32_t attach(const std::shared_ptr<VirtualDevice> &device) {
    return MockBus::instance().attach(device);
}
void detach(VirtualDevice *device) {
    MockBus::instance().detach(device);
}
bool isAttached(const VirtualDevice *device) {
    return MockBus::instance().isAttached(device);
}
} // namespace virtualbus
} // namespace usbhost

using namespace usbhost;

namespace {

struct Seen {
    std::vector<Service *> services; // one reference each
    std::vector<uint32_t> messages;
};

void onMatch(void *refcon, Iterator *iterator) {
    auto *seen = static_cast<Seen *>(refcon);
    while (Service *s = iteratorNext(iterator))
        seen->services.push_back(s);
}

void onInterest(void *refcon, Service *, uint32_t messageType, void *) {
    static_cast<Seen *>(refcon)->messages.push_back(messageType);
}

QByteArray serviceName(Service *s) {
    char name[128] = {};
    registryEntryGetName(s, name);
    return QByteArray(name);
}

bool waitFor(const std::function<bool()> &condition) {
    return UnitFixture::waitFor(
        [&] {
            runLoopRunOnce();
            return condition();
        },
        kBoundMs);
}

// One IN request for an answer of the unit.
Return readAnswer(DeviceInterface *device, QByteArray *answer = nullptr) {
    uint8_t buffer[KXCTL_MSG_MAX] = {};
    DeviceRequest r;
    r.bmRequestType = kRequestTypeVendorIn;
    r.bRequest = KXCTL_REQUEST_IN;
    r.wLength = KXCTL_MSG_MAX;
    r.pData = buffer;
    const Return status = deviceRequest(device, &r);
    if (answer)
        *answer = QByteArray(reinterpret_cast<const char *>(buffer), int(r.wLenDone));
    return status;
}

Return sendMessage(DeviceInterface *device, QByteArray message) {
    DeviceRequest r;
    r.bmRequestType = kRequestTypeVendorOut;
    r.bRequest = KXCTL_REQUEST_OUT;
    r.wLength = uint16_t(message.size());
    r.pData = message.data();
    return deviceRequest(device, &r);
}

} // namespace

class TestLibusbUmockdev : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void discoversTheUnitPresentAtStart();
    void settingsReachTheUnitAndAnswersComeBack();
    void transferTimesOutAndTheLinkGoesOn();
    void unitAddedLaterArrives();
    void removalInTheMiddleOfATransfer();
    void replugIntoTheSameSlot();
    void cleanupTestCase();

private:
    // The first iterator yields units of the first product, the second of the other.
    Service *waitForArrival(uint16_t product);

    Port *port_ = nullptr;
    Iterator *iterators_[2] = {};
    Seen seen_[2];
    Seen interest_;
    std::shared_ptr<EmulatedUnit> first_, second_;
    DeviceInterface *firstDevice_ = nullptr;
    Notification *firstNotification_ = nullptr; // delivery ends with its release
    uint32_t firstLocation_ = 0;
};

void TestLibusbUmockdev::initTestCase() {
    MockBus::instance().start();
    QVERIFY(MockBus::instance().ready());
    // Asked only once the test bed stands: the answer is kept, and before it the preload
    // library has nothing to redirect.
    QVERIFY2(umockdev_in_mock_environment(),
             "run under umockdev's preload library (LD_PRELOAD=libumockdev-preload.so.0)");
    first_ = std::make_shared<EmulatedUnit>(EmulatedUnit::Model::Pelvo);
    first_->plugIn();
    QVERIFY(first_->pluggedIn());
}

void TestLibusbUmockdev::discoversTheUnitPresentAtStart() {
    StdoutCapture out;
    port_ = notificationPortCreate();
    QVERIFY(port_);
    const QStringList lines = out.takeLines().filter(QRegularExpression("^usbhost:"));
#ifdef OLVANE_UMOCKDEV_LIST_DIFF
    const QString mode = QStringLiteral("polling the device list every 500 ms");
#else
    const QString mode = QStringLiteral("watching by hotplug");
#endif
    QCOMPARE(lines,
             QStringList{"usbhost: libusb started, " + mode + ", 1 supported device present"});
    runLoopAddPort(runLoopGetCurrent(), port_);

    for (int i = 0; i < 2; ++i) {
        QCOMPARE(addFirstMatchNotification(port_, kVendor, kProducts[i], onMatch, &seen_[i],
                                           &iterators_[i]),
                 kSuccess);
        onMatch(&seen_[i], iterators_[i]);
    }
    QCOMPARE(int(seen_[0].services.size()), 1);
    QCOMPARE(int(seen_[1].services.size()), 0);
    Service *s = seen_[0].services.front();
    QCOMPARE(serviceName(s), QByteArray("OLVANE USB device bus 1 port 1"));
    QCOMPARE(addInterestNotification(port_, s, onInterest, &interest_, &firstNotification_),
             kSuccess);
    QCOMPARE(deviceOpen(s, &firstDevice_), kSuccess);
    QCOMPARE(deviceGetLocationID(firstDevice_, &firstLocation_), kSuccess);
    QCOMPARE(firstLocation_, 0x01100000u);
}

void TestLibusbUmockdev::settingsReachTheUnitAndAnswersComeBack() {
    first_->setVersion(204, 71);
    first_->setMeter(KXMSG_DATA_CH_MIXER_INPUT, 3, 0x1234);
    QKXDevice dev;
    QSignalSpy versions(&dev, &QKXDevice::sig_recv_version);
    QSignalSpy builds(&dev, &QKXDevice::sig_recv_build);
    QSignalSpy names(&dev, &QKXDevice::sig_recv_productname);
    QSignalSpy meters(&dev, &QKXDevice::sig_recv_meter);

    QVERIFY(dev.set_fader(KXMSG_DATA_CH_MIXER_INPUT, 3, -200));
    QVERIFY(dev.set_mute(KXMSG_DATA_CH_MIXER_INPUT, 4, true));
    dev.request_version();
    WAIT_LINK_IDLE(dev);
    dev.request_meter();
    WAIT_LINK_IDLE(dev);

    const EmulatedUnit::State state = first_->state();
    QCOMPARE(state.inputs[2].fader, int16_t(-200));
    QCOMPARE(int(state.inputs[3].mute), 1);
    QCOMPARE(first_->outOfRangeCount(), 0);
    QVERIFY(!versions.isEmpty());
    QCOMPARE(versions.last().at(0).value<uint16_t>(), uint16_t(204));
    QCOMPARE(builds.last().at(0).value<uint16_t>(), uint16_t(71));
    QCOMPARE(names.last().at(0).toString(), QStringLiteral("OLVANE Pelvo"));
    bool meterSeen = false;
    for (const auto &m : meters)
        meterSeen = meterSeen || (m.at(0).value<kxmsg_data_ch_t>() == KXMSG_DATA_CH_MIXER_INPUT &&
                                  m.at(1).value<uint8_t>() == 3 && m.at(2).toUInt() == 0x1234);
    QVERIFY2(meterSeen, "the meter of input 3 did not come back");
}

void TestLibusbUmockdev::transferTimesOutAndTheLinkGoesOn() {
    QVERIFY(firstDevice_);
    const int discardsBefore = MockBus::instance().discards(first_.get());
    first_->timeOutNextIn();
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(readAnswer(firstDevice_), kTransactionTimeout);
    const qint64 took = clock.elapsed();
    // libusb waited for its own time-out, then withdrew the URB from the wire.
    QVERIFY2(took >= 450 && took < 5000, qPrintable(QString::number(took)));
    QVERIFY(MockBus::instance().discards(first_.get()) > discardsBefore);
    QByteArray answer;
    QCOMPARE(readAnswer(firstDevice_, &answer), kSuccess);
    QCOMPARE(answer.size(), int(KXCTL_MSG_MAX));
    QCOMPARE(sendMessage(firstDevice_, QByteArray::fromHex("610204 620205 81030afb")), kSuccess);
    QCOMPARE(first_->state().inputs[4].fader, int16_t(-1270));
}

Service *TestLibusbUmockdev::waitForArrival(uint16_t product) {
    Seen &seen = seen_[product == kProducts[0] ? 0 : 1];
    const size_t before = seen.services.size();
    if (!waitFor([&] { return seen.services.size() > before; }))
        return nullptr;
    return seen.services.back();
}

void TestLibusbUmockdev::unitAddedLaterArrives() {
    second_ = std::make_shared<EmulatedUnit>(EmulatedUnit::Model::Tarvik);
    second_->plugIn();
    Service *s = waitForArrival(kProducts[1]);
    QVERIFY(s);
    QCOMPARE(serviceName(s), QByteArray("OLVANE USB device bus 1 port 2"));
    QCOMPARE(int(seen_[0].services.size()), 1);
    DeviceInterface *device = nullptr;
    QCOMPARE(deviceOpen(s, &device), kSuccess);
    const auto release = qScopeGuard([device] { deviceRelease(device); });
    uint32_t location = 0;
    QCOMPARE(deviceGetLocationID(device, &location), kSuccess);
    QCOMPARE(location, 0x01200000u);
    QCOMPARE(sendMessage(device, QByteArray::fromHex("610202 620201 8103f6ff")), kSuccess);
    QCOMPARE(second_->state().masterFader[0], int16_t(-10));
    QVERIFY(first_->state().masterFader[0] != -10);
}

void TestLibusbUmockdev::removalInTheMiddleOfATransfer() {
    QVERIFY(second_);
    Service *s = seen_[1].services.back();
    Seen interest;
    Notification *n = nullptr;
    QCOMPARE(addInterestNotification(port_, s, onInterest, &interest, &n), kSuccess);
    const auto stopWatching = qScopeGuard([n] { objectRelease(n); });
    DeviceInterface *device = nullptr;
    QCOMPARE(deviceOpen(s, &device), kSuccess);
    const auto release = qScopeGuard([device] { deviceRelease(device); });

    // Given back by the disconnect with its own status, not left to time out.
    second_->unplugDuringNextTransfer();
    QCOMPARE(sendMessage(device, QByteArray::fromHex("610202 620201 8103ecff")), kNoDevice);
    QVERIFY(!second_->pluggedIn());
    QVERIFY(waitFor([&] { return !interest.messages.empty(); }));
    QCOMPARE(interest.messages, std::vector<uint32_t>{kMessageServiceIsTerminated});
    QCOMPARE(readAnswer(device), kNoDevice);
    // What the unit took before the cable went stays; the cut message did not arrive.
    QCOMPARE(second_->state().masterFader[0], int16_t(-10));
    // The other unit is untouched.
    QCOMPARE(readAnswer(firstDevice_), kSuccess);
    QVERIFY(interest_.messages.empty());
}

void TestLibusbUmockdev::replugIntoTheSameSlot() {
    QVERIFY(firstDevice_);
    QKXDevice dev;
    QString lastName;
    int failures = 0;
    // As the window does: an empty name means the unit went, so select afresh.
    connect(&dev, &QKXDevice::sig_recv_productname, &dev, [&](const QString &name) {
        lastName = name;
        if (name.isEmpty()) {
            ++failures;
            dev.deselect();
        }
    });
    QVERIFY(dev.set_fader(KXMSG_DATA_CH_MIXER_INPUT, 1, -300));
    dev.request_version();
    WAIT_LINK_IDLE(dev);
    QCOMPARE(first_->state().inputs[0].fader, int16_t(-300));

    // The cable comes out under the proxy's next transfer.
    first_->unplugDuringNextTransfer();
    QVERIFY(dev.set_fader(KXMSG_DATA_CH_MIXER_INPUT, 1, -400));
    QVERIFY(waitFor([&] { return failures > 0; }));
    QVERIFY(waitFor([&] { return !interest_.messages.empty(); }));
    QCOMPARE(interest_.messages, std::vector<uint32_t>{kMessageServiceIsTerminated});
    QCOMPARE(readAnswer(firstDevice_), kNoDevice);
    deviceRelease(firstDevice_);
    firstDevice_ = nullptr;

    // The same model into the same port: the same location, a new device.
    auto again = std::make_shared<EmulatedUnit>(EmulatedUnit::Model::Pelvo);
    again->plugIn();
    const auto pull = qScopeGuard([again] { again->unplug(); });
    Service *s = waitForArrival(kProducts[0]);
    QVERIFY(s);
    QCOMPARE(serviceName(s), QByteArray("OLVANE USB device bus 1 port 1"));
    DeviceInterface *device = nullptr;
    QCOMPARE(deviceOpen(s, &device), kSuccess);
    const auto release = qScopeGuard([device] { deviceRelease(device); });
    uint32_t location = 0;
    QCOMPARE(deviceGetLocationID(device, &location), kSuccess);
    QCOMPARE(location, firstLocation_);

    // The proxy finds the unit again and what is set now reaches it.
    QVERIFY(dev.set_fader(KXMSG_DATA_CH_MIXER_INPUT, 1, -500));
    dev.request_version();
    QVERIFY(waitFor([&] { return again->state().inputs[0].fader == -500; }));
    WAIT_LINK_IDLE(dev);
    QCOMPARE(lastName, QStringLiteral("OLVANE Pelvo"));
    QCOMPARE(again->outOfRangeCount(), 0);
    QCOMPARE(first_->outOfRangeCount(), 0);
}

void TestLibusbUmockdev::cleanupTestCase() {
    if (firstDevice_)
        deviceRelease(firstDevice_);
    if (firstNotification_)
        objectRelease(firstNotification_);
    for (Seen &seen : seen_) {
        for (Service *s : seen.services)
            objectRelease(s);
        seen.services.clear();
    }
    for (Iterator *&it : iterators_) {
        if (it)
            objectRelease(it);
        it = nullptr;
    }
    if (port_)
        notificationPortDestroy(port_);
    port_ = nullptr;
    // Takes the test bed's folder with it.
    MockBus::instance().stop();
}

QTEST_GUILESS_MAIN(TestLibusbUmockdev)
#include "tst_libusb_umockdev.moc"
