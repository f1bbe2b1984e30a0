// The libusb-1.0 backend of the USB host layer: watches the bus for the supported units
// (by hotplug where libusb offers it, else by diffing the device list), reports them to the
// hub, opens them and runs control requests on the default pipe.
#include "usbbackend.h"

#include <libusb.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace usbhost {
namespace {

constexpr uint16_t kVendor = 0x4B2D;
constexpr uint16_t kProducts[] = {0x6C31, 0x6C32};
// A unit that stops answering must not hold the USB worker for long.
constexpr unsigned kRequestTimeoutMs = 500;
constexpr auto kPollInterval = std::chrono::milliseconds(500);
// Bounds each wait for events so the event thread also gets to hand over what it queued.
constexpr long kEventWaitUs = 100 * 1000;

Return openStatus(int error) {
    switch (error) {
    case LIBUSB_ERROR_ACCESS:
        return kNotPermitted;
    case LIBUSB_ERROR_NO_DEVICE:
        return kNoDevice;
    case LIBUSB_ERROR_NO_MEM:
        return kNoMemory;
    default:
        return kError;
    }
}

Return transferStatus(int error) {
    switch (error) {
    case LIBUSB_ERROR_TIMEOUT:
        return kTransactionTimeout;
    case LIBUSB_ERROR_PIPE:
        return kPipeStalled;
    case LIBUSB_ERROR_NO_DEVICE:
        return kNoDevice;
    default:
        return kError;
    }
}

class LibusbInterface : public DeviceInterface {
public:
    LibusbInterface(Service *service, libusb_device_handle *handle, uint32_t location)
        : service_(Ref<Service>::retain(service)), handle_(handle), location_(location) {}
    // Runs when the last reference goes, which may be on the USB worker after a removal.
    ~LibusbInterface() override { libusb_close(handle_); }

    Return request(DeviceRequest &request) override {
        if (service_->terminated())
            return kNoDevice;
        if (request.wLength && !request.pData)
            return kBadArgument;
        int n = libusb_control_transfer(
            handle_, request.bmRequestType, request.bRequest, request.wValue, request.wIndex,
            static_cast<unsigned char *>(request.pData), request.wLength, kRequestTimeoutMs);
        if (n < 0)
            return transferStatus(n);
        request.wLenDone = uint32_t(n);
        return kSuccess;
    }
    Return location(uint32_t *location) override {
        *location = location_;
        return kSuccess;
    }

private:
    const Ref<Service> service_;
    libusb_device_handle *const handle_;
    const uint32_t location_;
};

class LibusbService : public Service {
public:
    LibusbService(libusb_device *device, uint16_t product, std::string name, uint32_t location)
        : Service(kVendor, product, std::move(name)), device_(libusb_ref_device(device)),
          location_(location) {}
    ~LibusbService() override { libusb_unref_device(device_); }

    Return open(DeviceInterface **out) override {
        libusb_device_handle *handle = nullptr;
        int r = libusb_open(device_, &handle);
        if (r != LIBUSB_SUCCESS)
            return openStatus(r);
        *out = new LibusbInterface(this, handle, location_);
        return kSuccess;
    }

private:
    libusb_device *const device_;
    const uint32_t location_;
};

// Reads the product of a device of the supported vendor and products; false for any other.
bool supportedProduct(libusb_device *device, uint16_t *product) {
    libusb_device_descriptor desc{};
    if (libusb_get_device_descriptor(device, &desc) != LIBUSB_SUCCESS)
        return false;
    if (desc.idVendor != kVendor)
        return false;
    for (uint16_t p : kProducts) {
        if (desc.idProduct == p) {
            *product = p;
            return true;
        }
    }
    return false;
}

Ref<LibusbService> makeService(libusb_device *device, uint16_t product) {
    const uint8_t bus = libusb_get_bus_number(device);
    uint8_t ports[7] = {};
    int depth = libusb_get_port_numbers(device, ports, int(sizeof ports));
    if (depth < 0)
        depth = 0;
    // Location ID as the panel knows it: bus in the top byte, then one nibble per hub port
    // from the root down.
    uint32_t location = uint32_t(bus) << 24;
    std::string path;
    for (int i = 0; i < depth; ++i) {
        if (i < 6)
            location |= uint32_t(ports[i] & 0xf) << (20 - 4 * i);
        if (i)
            path += '.';
        path += std::to_string(ports[i]);
    }
    std::string name = "OLVANE USB device bus " + std::to_string(bus);
    if (!path.empty())
        name += " port " + path;
    return Ref<LibusbService>::adopt(new LibusbService(device, product, name, location));
}

struct Backend {
    libusb_context *ctx = nullptr;
    bool hotplug = false;
    std::thread *thread = nullptr;

    std::mutex lock;
    // Every reported device, each holding a libusb reference through its service.
    std::map<libusb_device *, Ref<LibusbService>> present;
    // What the hotplug callback saw, each device with a libusb reference of its own; handed
    // to the hub by the event thread after libusb has returned.
    std::vector<std::pair<libusb_device *, bool>> queued;

    void arrived(libusb_device *device);
    void left(libusb_device *device);
    void syncWithDeviceList();
    void drainQueued();
    void run();
};

// Never destroyed: services may be released during static destruction and still need the
// context, and the event thread runs until the process ends.
Backend *theBackend = nullptr;

void Backend::arrived(libusb_device *device) {
    uint16_t product = 0;
    if (!supportedProduct(device, &product))
        return;
    Ref<LibusbService> service;
    {
        std::lock_guard<std::mutex> guard(lock);
        if (present.count(device))
            return;
        service = makeService(device, product);
        present.emplace(device, service);
    }
    hub::deviceArrived(service.get());
}

void Backend::left(libusb_device *device) {
    Ref<LibusbService> service;
    {
        std::lock_guard<std::mutex> guard(lock);
        auto it = present.find(device);
        if (it == present.end())
            return;
        service = std::move(it->second);
        present.erase(it);
    }
    hub::deviceRemoved(service.get());
}

// Reports the devices that appeared and went since the last look at the list. A device
// still referenced keeps its libusb_device, so the pointer identifies it across lists.
void Backend::syncWithDeviceList() {
    libusb_device **list = nullptr;
    ssize_t count = libusb_get_device_list(ctx, &list);
    if (count < 0)
        return;
    std::vector<libusb_device *> gone;
    {
        std::lock_guard<std::mutex> guard(lock);
        for (auto &entry : present) {
            bool found = false;
            for (ssize_t i = 0; i < count && !found; ++i)
                found = list[i] == entry.first;
            if (!found)
                gone.push_back(entry.first);
        }
    }
    for (libusb_device *device : gone)
        left(device);
    for (ssize_t i = 0; i < count; ++i)
        arrived(list[i]);
    libusb_free_device_list(list, 1);
}

void Backend::drainQueued() {
    std::vector<std::pair<libusb_device *, bool>> events;
    {
        std::lock_guard<std::mutex> guard(lock);
        events.swap(queued);
    }
    for (auto &event : events) {
        if (event.second)
            arrived(event.first);
        else
            left(event.first);
        libusb_unref_device(event.first);
    }
}

void Backend::run() {
    for (;;) {
        if (hotplug) {
            timeval tv{0, kEventWaitUs};
            libusb_handle_events_timeout_completed(ctx, &tv, nullptr);
            drainQueued();
        } else {
            std::this_thread::sleep_for(kPollInterval);
            syncWithDeviceList();
        }
    }
}

// Runs inside libusb's event handling: only records, as opening or reporting from here
// would re-enter libusb and the hub with libusb's own locks held.
int LIBUSB_CALL onHotplug(libusb_context *, libusb_device *device, libusb_hotplug_event event,
                          void *user) {
    auto *backend = static_cast<Backend *>(user);
    std::lock_guard<std::mutex> guard(backend->lock);
    backend->queued.emplace_back(libusb_ref_device(device),
                                 event == LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED);
    return 0;
}

} // namespace

void backendStart() {
    auto *backend = new Backend;
    int r = libusb_init(&backend->ctx);
    if (r != LIBUSB_SUCCESS) {
        delete backend;
        std::printf("usbhost: libusb could not start (%s): no USB device will be found\n",
                    libusb_error_name(r));
        std::fflush(stdout);
        return;
    }
    theBackend = backend;

    // Registered before the first look at the list, so that nothing plugged in meanwhile is
    // missed; a device seen both ways is reported once.
    if (libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG)) {
        libusb_hotplug_callback_handle handle;
        r = libusb_hotplug_register_callback(
            backend->ctx,
            libusb_hotplug_event(LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED |
                                 LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT),
            LIBUSB_HOTPLUG_NO_FLAGS, kVendor, LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY,
            onHotplug, backend, &handle);
        backend->hotplug = r == LIBUSB_SUCCESS;
    }

    backend->syncWithDeviceList();
    size_t found;
    {
        std::lock_guard<std::mutex> guard(backend->lock);
        found = backend->present.size();
    }
    backend->thread = new std::thread([backend] { backend->run(); });

    std::printf("usbhost: libusb started, %s, %zu supported device%s present\n",
                backend->hotplug ? "watching by hotplug" : "polling the device list every 500 ms",
                found, found == 1 ? "" : "s");
    std::fflush(stdout);
}

} // namespace usbhost
