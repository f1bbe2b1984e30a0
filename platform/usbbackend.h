// What a USB host backend (libusb-1.0 or the virtual bus) provides to the host layer, and
// the hub through which it reports devices arriving, leaving and sending messages. The
// hub forwards them to the notification ports, which deliver them on their own threads.
#pragma once

#include "usbhost.h"

#include <atomic>
#include <string>
#include <utility>

namespace usbhost {

class Object {
public:
    Object() = default;
    Object(const Object &) = delete;
    Object &operator=(const Object &) = delete;
    virtual ~Object() = default;

    void retain() { refs_.fetch_add(1, std::memory_order_relaxed); }
    void release() {
        if (refs_.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }

private:
    std::atomic<int> refs_{1};
};

// Owning pointer for one reference of an Object.
template <class T> class Ref {
public:
    Ref() = default;
    // Takes over a reference the caller already holds.
    static Ref adopt(T *p) {
        Ref r;
        r.p_ = p;
        return r;
    }
    // Adds a reference of its own.
    static Ref retain(T *p) {
        if (p)
            p->retain();
        return adopt(p);
    }
    Ref(const Ref &o) : p_(o.p_) {
        if (p_)
            p_->retain();
    }
    Ref(Ref &&o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    Ref &operator=(Ref o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~Ref() {
        if (p_)
            p_->release();
    }
    T *get() const { return p_; }
    T *operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // Hands the reference to the caller.
    T *take() { return std::exchange(p_, nullptr); }

private:
    T *p_ = nullptr;
};

class DeviceInterface : public Object {
public:
    virtual Return request(DeviceRequest &request) = 0;
    virtual Return location(uint32_t *location) = 0;
};

// One attached device as the backend sees it.
class Service : public Object {
public:
    Service(uint16_t vendor, uint16_t product, std::string name)
        : vendor_(vendor), product_(product), name_(std::move(name)) {}
    uint16_t vendor() const { return vendor_; }
    uint16_t product() const { return product_; }
    const std::string &name() const { return name_; }
    bool terminated() const { return terminated_.load(std::memory_order_acquire); }
    void markTerminated() { terminated_.store(true, std::memory_order_release); }

    virtual Return open(DeviceInterface **device) = 0;

private:
    const uint16_t vendor_;
    const uint16_t product_;
    const std::string name_;
    std::atomic<bool> terminated_{false};
};

namespace hub {
// Each may be called from any thread; the hub keeps its own reference of the service.
void deviceArrived(Service *service);
void deviceRemoved(Service *service);
void deviceMessage(Service *service, uint32_t messageType);
} // namespace hub

// Defined once by each backend library: brings the backend up the first time a
// notification port is created, reporting the devices already present to the hub.
void backendStart();

} // namespace usbhost
