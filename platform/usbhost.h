// USB host layer: the small set of calls the device slot table needs from the operating
// system (notification port on a thread's run loop, first-match notifications, registry
// name, opening a device, its location, interest notifications that report termination,
// releasing, and one vendor control request). Two implementations exist, chosen at link
// time: libusb-1.0 for the panel and a virtual bus for tests and the demo.
#pragma once

#include <cstddef>
#include <cstdint>

namespace usbhost {

using Return = uint32_t;

constexpr Return kSuccess = 0;
constexpr Return kError = 0xe00002bc;
constexpr Return kNoMemory = 0xe00002bd;
constexpr Return kBadArgument = 0xe00002c2;
constexpr Return kNoDevice = 0xe00002c0;
constexpr Return kNotResponding = 0xe00002ed;
constexpr Return kNotPermitted = 0xe00002e2;
constexpr Return kPipeStalled = 0xe000404f;
constexpr Return kTransactionTimeout = 0xe0004051;

// Interest message telling that a device has gone.
constexpr uint32_t kMessageServiceIsTerminated = 0xe0000010;
// Another interest message (power change), delivered without meaning to the slot table.
constexpr uint32_t kMessageDeviceWillPowerOff = 0xe0000210;

constexpr uint8_t kRequestTypeVendorOut = 0x40;
constexpr uint8_t kRequestTypeVendorIn = 0xC0;

// Every handle below is a reference-counted object; a release drops one reference.
class Service;
class Iterator;
class Notification;
class DeviceInterface;
class Port;
class RunLoop;

using MatchingCallback = void (*)(void *refcon, Iterator *iterator);
using InterestCallback = void (*)(void *refcon, Service *service, uint32_t messageType,
                                  void *argument);

struct DeviceRequest {
    uint8_t bmRequestType = 0;
    uint8_t bRequest = 0;
    uint16_t wValue = 0;
    uint16_t wIndex = 0;
    uint16_t wLength = 0;
    void *pData = nullptr;
    uint32_t wLenDone = 0;
};

// Releasing an iterator or a notification also ends its delivery.
void objectRelease(Service *service);
void objectRelease(Iterator *iterator);
void objectRelease(Notification *notification);
void deviceRetain(DeviceInterface *device);
void deviceRelease(DeviceInterface *device);

// The run loop of the calling thread; events of ports added to it are delivered on that
// thread, from its Qt event loop or from runLoopRunOnce.
RunLoop *runLoopGetCurrent();
// Delivers every pending event of the ports on the calling thread's run loop, then returns.
void runLoopRunOnce();

Port *notificationPortCreate();
void runLoopAddPort(RunLoop *runLoop, Port *port);
// Stops delivery and frees the port with its notifications.
void notificationPortDestroy(Port *port);

// Arms a first-match notification for devices with this vendor and product. The iterator
// already yields the matching devices attached now; draining it re-arms the notification.
Return addFirstMatchNotification(Port *port, uint16_t vendor, uint16_t product,
                                 MatchingCallback callback, void *refcon, Iterator **iterator);
// Next service of the iterator (one reference for the caller), or null.
Service *iteratorNext(Iterator *iterator);

Return registryEntryGetName(Service *service, char name[128]);
Return addInterestNotification(Port *port, Service *service, InterestCallback callback,
                               void *refcon, Notification **notification);

// Opens the device behind a service; the interface holds one reference for the caller.
Return deviceOpen(Service *service, DeviceInterface **device);
Return deviceGetLocationID(DeviceInterface *device, uint32_t *location);
// One control request on the default pipe, with a finite time-out.
Return deviceRequest(DeviceInterface *device, DeviceRequest *request);

// Prints a text object the way the host's debugging aid does (standard error, own line).
void show(const char *text);

} // namespace usbhost
