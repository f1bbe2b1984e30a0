// The virtual USB bus: devices made of code are attached and detached by tests and by the
// demo, and answer the control requests that the host layer routes to them.
#pragma once

#include "usbhost.h"

#include <memory>
#include <string>

namespace usbhost {

class VirtualDevice {
public:
    virtual ~VirtualDevice() = default;
    virtual uint16_t vendorId() const = 0;
    virtual uint16_t productId() const = 0;
    virtual std::string registryName() const = 0;
    // Runs on the thread of the caller of deviceRequest (the USB worker); must set
    // wLenDone for IN requests.
    virtual Return controlRequest(DeviceRequest &request) = 0;
};

namespace virtualbus {

// Plugs a device in; it is reported to the notification ports on their own threads.
// Returns the location of the new attachment. A device may be attached once at a time.
uint32_t attach(const std::shared_ptr<VirtualDevice> &device);
// Unplugs it; safe from any thread, also from inside the device's own controlRequest.
void detach(VirtualDevice *device);
bool isAttached(const VirtualDevice *device);
// Sends an interest message other than termination to whoever listens for the device.
void sendMessage(VirtualDevice *device, uint32_t messageType);
// The next open of any device fails with this status (0 for none).
void failNextOpen(Return status);
// Device interfaces currently alive (opened and not yet fully released).
int openInterfaces();

} // namespace virtualbus
} // namespace usbhost
