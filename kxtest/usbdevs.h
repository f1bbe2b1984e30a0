// Supported interfaces on the USB bus: up to 10 device slots kept across plugging and
// unplugging, the n-th attached device, and the vendor control requests.
#pragma once

#include "usbhost.h"

#include <cstdint>
#include <mutex>

constexpr uint16_t USBDEVS_VENDOR_ID = 0x4B2D;
constexpr uint16_t USBDEVS_PRODUCT_ID_1 = 0x6C31;
constexpr uint16_t USBDEVS_PRODUCT_ID_2 = 0x6C32;
constexpr int USBDEVS_SLOTS = 10;

struct usbdevs_t;

struct usbdevs_dev_t {
    usbdevs_t *owner;
    char *name;
    usbhost::DeviceInterface *device; // occupied exactly when not null
    uint32_t location;
    usbhost::Notification *notification;
    // Which filling of the slot this is; a device plugged again into the same slot gets a
    // new one, so a handle taken earlier no longer reaches it.
    uint32_t serial;
    // The device has answered a request with "no device": it has been unplugged, and its
    // removal notice is on its way.
    bool gone;
};

// What a selection hands out: the slot and the filling it was taken from.
struct usbdevs_handle_t {
    usbdevs_dev_t *slot;
    uint32_t serial;
};

struct usbdevs_t {
    usbhost::Port *port;
    usbhost::Iterator *iterator;
    usbhost::RunLoop *run_loop;
    // Ours: both armed iterators, released with the context (the field above keeps only the last).
    usbhost::Iterator *armed[2];
    usbdevs_dev_t slot_table[USBDEVS_SLOTS]; // "slots" is taken by the toolkit
    // The slots are filled and emptied on the run loop's thread and read by the USB
    // worker; this keeps them from being read and written at once.
    std::mutex lock;
    uint32_t next_serial;
};

int usbdevs_init(usbdevs_t *ctx);
// Ours: releases the port and every slot. The context may be set up again afterwards.
void usbdevs_fini(usbdevs_t *ctx);
int usbdevs_refresh();
int usbdevs_get_dev(usbdevs_t *ctx, usbdevs_handle_t *out, uint8_t n);
// 0 while the handle reaches a device that is still attached, 1 once it does not.
int usbdevs_dev_exist(const usbdevs_handle_t *dev);
int usbdevs_dev_vendor_request_out(const usbdevs_handle_t *dev, uint8_t bRequest, uint16_t wValue,
                                   uint16_t wIndex, uint16_t wLength, void *data);
int usbdevs_dev_vendor_request_in(const usbdevs_handle_t *dev, uint8_t bRequest, uint16_t wValue,
                                  uint16_t wIndex, uint16_t wLength, void *data);
void usbdevs_added(void *ctx, usbhost::Iterator *iterator);
int usbdevs_dev_added(usbdevs_dev_t *dev, usbhost::Service *service);
void usbdevs_dev_notified(void *dev, usbhost::Service *service, uint32_t message_type,
                          void *argument);
int usbdevs_dev_terminated(usbdevs_dev_t *dev);
