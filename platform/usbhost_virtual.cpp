// The virtual-bus backend of the USB host layer.
#include "usbbackend.h"
#include "virtualbus.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace usbhost {
namespace {

std::atomic<int> liveInterfaces{0};
std::atomic<Return> nextOpenFailure{kSuccess};

class VirtualService;

class VirtualInterface : public DeviceInterface {
public:
    VirtualInterface(Service *service, std::shared_ptr<VirtualDevice> device, uint32_t location)
        : service_(Ref<Service>::retain(service)), device_(std::move(device)), location_(location) {
        liveInterfaces.fetch_add(1);
    }
    ~VirtualInterface() override { liveInterfaces.fetch_sub(1); }

    Return request(DeviceRequest &request) override {
        // An unplugged device answers nothing any more.
        if (service_->terminated())
            return kNoDevice;
        return device_->controlRequest(request);
    }
    Return location(uint32_t *location) override {
        *location = location_;
        return kSuccess;
    }

private:
    const Ref<Service> service_;
    const std::shared_ptr<VirtualDevice> device_;
    const uint32_t location_;
};

class VirtualService : public Service {
public:
    VirtualService(std::shared_ptr<VirtualDevice> device, uint32_t location)
        : Service(device->vendorId(), device->productId(), device->registryName()),
          device(std::move(device)), location(location) {}

    Return open(DeviceInterface **out) override {
        Return failure = nextOpenFailure.exchange(kSuccess);
        if (failure != kSuccess)
            return failure;
        *out = new VirtualInterface(this, device, location);
        return kSuccess;
    }

    const std::shared_ptr<VirtualDevice> device;
    const uint32_t location;
};

struct Bus {
    std::mutex lock;
    std::vector<Ref<VirtualService>> attached;
    uint32_t nextPort = 1;
};

Bus &theBus() {
    static Bus *bus = new Bus;
    return *bus;
}

Ref<VirtualService> find(const VirtualDevice *device) {
    Bus &bus = theBus();
    std::lock_guard<std::mutex> guard(bus.lock);
    for (auto &s : bus.attached)
        if (s->device.get() == device)
            return s;
    return Ref<VirtualService>();
}

} // namespace

void backendStart() {}

namespace virtualbus {

uint32_t attach(const std::shared_ptr<VirtualDevice> &device) {
    Bus &bus = theBus();
    Ref<VirtualService> service;
    {
        std::lock_guard<std::mutex> guard(bus.lock);
        // Bus 1, a new port number each time: the location a host would report.
        uint32_t location = 0x01000000u | ((bus.nextPort++ & 0xffffu) << 8);
        service = Ref<VirtualService>::adopt(new VirtualService(device, location));
        bus.attached.push_back(service);
    }
    hub::deviceArrived(service.get());
    return service->location;
}

void detach(VirtualDevice *device) {
    Ref<VirtualService> service;
    {
        Bus &bus = theBus();
        std::lock_guard<std::mutex> guard(bus.lock);
        auto it = std::find_if(
            bus.attached.begin(), bus.attached.end(),
            [device](const Ref<VirtualService> &s) { return s->device.get() == device; });
        if (it == bus.attached.end())
            return;
        service = *it;
        bus.attached.erase(it);
    }
    hub::deviceRemoved(service.get());
}

bool isAttached(const VirtualDevice *device) {
    return bool(find(device));
}

void sendMessage(VirtualDevice *device, uint32_t messageType) {
    if (Ref<VirtualService> service = find(device))
        hub::deviceMessage(service.get(), messageType);
}

void failNextOpen(Return status) {
    nextOpenFailure.store(status);
}

int openInterfaces() {
    return liveInterfaces.load();
}

} // namespace virtualbus
} // namespace usbhost
