// The backend-independent half of the USB host layer: run loops bound to threads,
// notification ports, first-match iterators, interest notifications and the hub that
// routes the backend's device events to them.
#include "usbbackend.h"

#include <QMetaObject>
#include <QObject>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace usbhost {

class Iterator : public Object {
public:
    Iterator(Port *port, uint16_t vendor, uint16_t product, MatchingCallback cb, void *refcon);
    ~Iterator() override;
    const Ref<Port> port;
    const uint16_t vendor;
    const uint16_t product;
    const MatchingCallback callback;
    void *const refcon;
    // Guarded by the port's lock.
    std::deque<Ref<Service>> queued;
    bool scheduled = false;
    bool active = true;
};

class Notification : public Object {
public:
    Notification(Port *port, Service *service, InterestCallback cb, void *refcon);
    ~Notification() override;
    const Ref<Port> port;
    const Ref<Service> service;
    const InterestCallback callback;
    void *const refcon;
    std::atomic<bool> active{true};
};

namespace {

struct Event {
    Ref<Iterator> iterator;         // a matching callback, or
    Ref<Notification> notification; // an interest message
    uint32_t message = 0;
};

// Lives in the thread whose run loop it wakes; queued calls to it run on that thread.
class Waker : public QObject {};

} // namespace

class RunLoop {
public:
    Waker *waker = nullptr;
    std::mutex lock;
    std::vector<Ref<Port>> ports;
    bool wakePosted = false;

    void wake();
    void runOnce();
};

class Port : public Object {
public:
    std::mutex lock;
    RunLoop *runLoop = nullptr;
    bool dead = false;
    std::vector<Ref<Iterator>> iterators;
    std::vector<Ref<Notification>> notifications;
    std::deque<Event> pending;

    // Each takes the port's lock itself.
    void post(Event event);
    void deviceArrived(Service *service);
    void deviceEvent(Service *service, uint32_t message);
    bool takeEvent(Event *event);
};

// Iterators and notifications keep their port alive; the port drops them when destroyed.
Iterator::Iterator(Port *port, uint16_t vendor, uint16_t product, MatchingCallback cb, void *refcon)
    : port(Ref<Port>::retain(port)), vendor(vendor), product(product), callback(cb),
      refcon(refcon) {}
Iterator::~Iterator() = default;

Notification::Notification(Port *port, Service *service, InterestCallback cb, void *refcon)
    : port(Ref<Port>::retain(port)), service(Ref<Service>::retain(service)), callback(cb),
      refcon(refcon) {}
Notification::~Notification() = default;

namespace {

struct Hub {
    std::mutex lock;
    std::vector<Ref<Service>> attached;
    std::vector<Ref<Port>> ports;
    bool started = false;
};

// Never destroyed: ports and devices may still be released during static destruction.
Hub &theHub() {
    static Hub *hub = new Hub;
    return *hub;
}

struct RunLoops {
    std::mutex lock;
    std::vector<RunLoop *> all; // keeps every run loop reachable for the life of the process
};

RunLoops &theRunLoops() {
    static RunLoops *loops = new RunLoops;
    return *loops;
}

RunLoop *findRunLoop(bool create) {
    static thread_local RunLoop *current = nullptr;
    if (current || !create)
        return current;
    // A run loop outlives its thread's objects: it is kept for the life of the process.
    current = new RunLoop;
    current->waker = new Waker;
    RunLoops &loops = theRunLoops();
    std::lock_guard<std::mutex> guard(loops.lock);
    loops.all.push_back(current);
    return current;
}

} // namespace

void RunLoop::wake() {
    {
        std::lock_guard<std::mutex> guard(lock);
        if (wakePosted)
            return;
        wakePosted = true;
    }
    QMetaObject::invokeMethod(
        waker, [this] { runOnce(); }, Qt::QueuedConnection);
}

void RunLoop::runOnce() {
    std::vector<Ref<Port>> current;
    {
        std::lock_guard<std::mutex> guard(lock);
        wakePosted = false;
        current = ports;
    }
    for (auto &port : current) {
        Event event;
        while (port->takeEvent(&event)) {
            if (event.iterator) {
                event.iterator->callback(event.iterator->refcon, event.iterator.get());
            } else if (event.notification && event.notification->active.load()) {
                event.notification->callback(event.notification->refcon,
                                             event.notification->service.get(), event.message,
                                             nullptr);
            }
            event = Event();
        }
    }
}

void Port::post(Event event) {
    RunLoop *loop = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock);
        if (dead)
            return;
        pending.push_back(std::move(event));
        loop = runLoop;
    }
    if (loop)
        loop->wake();
}

void Port::deviceArrived(Service *service) {
    std::vector<Ref<Iterator>> toSchedule;
    {
        std::lock_guard<std::mutex> guard(lock);
        if (dead)
            return;
        for (auto &it : iterators) {
            if (!it->active || it->vendor != service->vendor() || it->product != service->product())
                continue;
            it->queued.push_back(Ref<Service>::retain(service));
            if (!it->scheduled) {
                it->scheduled = true;
                toSchedule.push_back(it);
            }
        }
    }
    for (auto &it : toSchedule) {
        Event e;
        e.iterator = it;
        post(std::move(e));
    }
}

void Port::deviceEvent(Service *service, uint32_t message) {
    std::vector<Ref<Notification>> targets;
    {
        std::lock_guard<std::mutex> guard(lock);
        if (dead)
            return;
        for (auto &n : notifications)
            if (n->active.load() && n->service.get() == service)
                targets.push_back(n);
    }
    for (auto &n : targets) {
        Event e;
        e.notification = n;
        e.message = message;
        post(std::move(e));
    }
}

bool Port::takeEvent(Event *event) {
    std::lock_guard<std::mutex> guard(lock);
    if (dead || pending.empty())
        return false;
    *event = std::move(pending.front());
    pending.pop_front();
    if (event->iterator) {
        if (!event->iterator->active)
            event->iterator = Ref<Iterator>();
        else
            event->iterator->scheduled = false;
    }
    return true;
}

// --- hub ---------------------------------------------------------------------------------

namespace hub {

// The ports are told under the hub's lock, so a notification armed at the same time sees the
// device either in its first snapshot or as an arrival, never both.
void deviceArrived(Service *service) {
    Hub &h = theHub();
    std::lock_guard<std::mutex> guard(h.lock);
    h.attached.push_back(Ref<Service>::retain(service));
    for (auto &p : h.ports)
        p->deviceArrived(service);
}

void deviceRemoved(Service *service) {
    Hub &h = theHub();
    Ref<Service> keep = Ref<Service>::retain(service);
    std::lock_guard<std::mutex> guard(h.lock);
    auto it = std::find_if(h.attached.begin(), h.attached.end(),
                           [service](const Ref<Service> &s) { return s.get() == service; });
    if (it == h.attached.end())
        return;
    h.attached.erase(it);
    service->markTerminated();
    for (auto &p : h.ports)
        p->deviceEvent(service, kMessageServiceIsTerminated);
}

void deviceMessage(Service *service, uint32_t messageType) {
    Hub &h = theHub();
    std::vector<Ref<Port>> ports;
    {
        std::lock_guard<std::mutex> guard(h.lock);
        ports = h.ports;
    }
    for (auto &p : ports)
        p->deviceEvent(service, messageType);
}

} // namespace hub

// --- the calls of the host layer -----------------------------------------------------------

void objectRelease(Service *service) {
    if (service)
        service->release();
}

void objectRelease(Iterator *iterator) {
    if (!iterator)
        return;
    {
        std::lock_guard<std::mutex> guard(iterator->port->lock);
        iterator->active = false;
        auto &list = iterator->port->iterators;
        list.erase(
            std::remove_if(list.begin(), list.end(),
                           [iterator](const Ref<Iterator> &r) { return r.get() == iterator; }),
            list.end());
    }
    iterator->release();
}

void objectRelease(Notification *notification) {
    if (!notification)
        return;
    notification->active.store(false);
    {
        std::lock_guard<std::mutex> guard(notification->port->lock);
        auto &list = notification->port->notifications;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [notification](const Ref<Notification> &r) {
                                      return r.get() == notification;
                                  }),
                   list.end());
    }
    notification->release();
}

void deviceRetain(DeviceInterface *device) {
    if (device)
        device->retain();
}

void deviceRelease(DeviceInterface *device) {
    if (device)
        device->release();
}

RunLoop *runLoopGetCurrent() {
    return findRunLoop(true);
}

void runLoopRunOnce() {
    if (RunLoop *loop = findRunLoop(false))
        loop->runOnce();
}

Port *notificationPortCreate() {
    Hub &h = theHub();
    bool start = false;
    {
        std::lock_guard<std::mutex> guard(h.lock);
        start = !h.started;
        h.started = true;
    }
    if (start)
        backendStart();
    auto *port = new Port;
    std::lock_guard<std::mutex> guard(h.lock);
    h.ports.push_back(Ref<Port>::retain(port));
    return port;
}

void runLoopAddPort(RunLoop *runLoop, Port *port) {
    if (!runLoop || !port)
        return;
    bool hasPending;
    {
        std::lock_guard<std::mutex> guard(port->lock);
        if (port->runLoop)
            return;
        port->runLoop = runLoop;
        hasPending = !port->pending.empty();
    }
    {
        std::lock_guard<std::mutex> guard(runLoop->lock);
        runLoop->ports.push_back(Ref<Port>::retain(port));
    }
    if (hasPending)
        runLoop->wake();
}

void notificationPortDestroy(Port *port) {
    if (!port)
        return;
    Hub &h = theHub();
    {
        std::lock_guard<std::mutex> guard(h.lock);
        h.ports.erase(std::remove_if(h.ports.begin(), h.ports.end(),
                                     [port](const Ref<Port> &p) { return p.get() == port; }),
                      h.ports.end());
    }
    RunLoop *loop;
    std::vector<Ref<Iterator>> iterators;
    std::vector<Ref<Notification>> notifications;
    std::deque<Event> pending;
    {
        std::lock_guard<std::mutex> guard(port->lock);
        port->dead = true;
        loop = port->runLoop;
        port->runLoop = nullptr;
        for (auto &it : port->iterators)
            it->active = false;
        for (auto &n : port->notifications)
            n->active.store(false);
        iterators.swap(port->iterators);
        notifications.swap(port->notifications);
        pending.swap(port->pending);
    }
    if (loop) {
        std::lock_guard<std::mutex> guard(loop->lock);
        auto &list = loop->ports;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [port](const Ref<Port> &p) { return p.get() == port; }),
                   list.end());
    }
    port->release();
}

Return addFirstMatchNotification(Port *port, uint16_t vendor, uint16_t product,
                                 MatchingCallback callback, void *refcon, Iterator **iterator) {
    if (!port || !callback || !iterator)
        return kBadArgument;
    auto *it = new Iterator(port, vendor, product, callback, refcon);
    Hub &h = theHub();
    // The hub's lock keeps an arrival from slipping between the snapshot and the arming.
    std::lock_guard<std::mutex> hubGuard(h.lock);
    std::lock_guard<std::mutex> guard(port->lock);
    for (auto &s : h.attached)
        if (s->vendor() == vendor && s->product() == product)
            it->queued.push_back(s);
    port->iterators.push_back(Ref<Iterator>::retain(it));
    *iterator = it;
    return kSuccess;
}

Service *iteratorNext(Iterator *iterator) {
    if (!iterator)
        return nullptr;
    std::lock_guard<std::mutex> guard(iterator->port->lock);
    if (iterator->queued.empty())
        return nullptr;
    Service *s = iterator->queued.front().take();
    iterator->queued.pop_front();
    return s;
}

Return registryEntryGetName(Service *service, char name[128]) {
    if (!service)
        return kBadArgument;
    std::snprintf(name, 128, "%s", service->name().c_str());
    return kSuccess;
}

Return addInterestNotification(Port *port, Service *service, InterestCallback callback,
                               void *refcon, Notification **notification) {
    if (!port || !service || !callback || !notification)
        return kBadArgument;
    auto *n = new Notification(port, service, callback, refcon);
    Hub &h = theHub();
    std::lock_guard<std::mutex> hubGuard(h.lock);
    {
        std::lock_guard<std::mutex> guard(port->lock);
        port->notifications.push_back(Ref<Notification>::retain(n));
    }
    *notification = n;
    // A device that left before anyone listened still reports its end, once.
    if (service->terminated())
        port->deviceEvent(service, kMessageServiceIsTerminated);
    return kSuccess;
}

Return deviceOpen(Service *service, DeviceInterface **device) {
    if (!service || !device)
        return kBadArgument;
    *device = nullptr;
    if (service->terminated())
        return kNoDevice;
    return service->open(device);
}

Return deviceGetLocationID(DeviceInterface *device, uint32_t *location) {
    if (!device || !location)
        return kBadArgument;
    return device->location(location);
}

Return deviceRequest(DeviceInterface *device, DeviceRequest *request) {
    if (!device || !request)
        return kBadArgument;
    request->wLenDone = 0;
    return device->request(*request);
}

void show(const char *text) {
    std::fprintf(stderr, "\"%s\"\n", text ? text : "");
    std::fflush(stderr);
}

} // namespace usbhost
