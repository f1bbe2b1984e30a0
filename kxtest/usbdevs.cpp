#include "usbdevs.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#define USBDEVS_PATH "kxtest/usbdevs"
#define USBDEVS_ERROR() std::printf("%s:%d:ERROR\n", USBDEVS_PATH, __LINE__)
#define USBDEVS_ERROR_CODE(code)                                                                   \
    std::printf("%s:%d:ERROR %#x\n", USBDEVS_PATH, __LINE__, unsigned(code))
#define USBDEVS_NOTICE(text) std::printf("%s:%d:%s\n", USBDEVS_PATH, __LINE__, text)

namespace {

const uint16_t kProducts[] = {USBDEVS_PRODUCT_ID_1, USBDEVS_PRODUCT_ID_2};

void clearSlot(usbdevs_dev_t *dev) {
    dev->owner = nullptr;
    dev->name = nullptr;
    dev->device = nullptr;
    dev->location = 0;
    dev->notification = nullptr;
    dev->serial = 0;
    dev->gone = false;
}

void releaseName(usbdevs_dev_t *dev) {
    std::free(dev->name);
    dev->name = nullptr;
}

// The device behind a handle, with a reference for the caller, or null when the slot is
// empty or has been filled again since the handle was taken.
usbhost::DeviceInterface *acquire(const usbdevs_handle_t *handle) {
    if (!handle || !handle->slot || !handle->slot->owner)
        return nullptr;
    usbdevs_dev_t *slot = handle->slot;
    std::lock_guard<std::mutex> guard(slot->owner->lock);
    if (!slot->device || slot->serial != handle->serial)
        return nullptr;
    usbhost::deviceRetain(slot->device);
    return slot->device;
}

// A device that answers that it is not there has been unplugged under the request: that is
// how unplugging looks from here, not a failure to report. Its removal notice follows on the
// run loop's thread; until then the handle's filling counts as gone.
bool goneUnder(const usbdevs_handle_t *handle, usbhost::Return status) {
    if (status != usbhost::kNoDevice)
        return false;
    usbdevs_dev_t *slot = handle->slot;
    std::lock_guard<std::mutex> guard(slot->owner->lock);
    if (slot->device && slot->serial == handle->serial)
        slot->gone = true;
    return true;
}

usbhost::Return request(usbhost::DeviceInterface *device, uint8_t type, uint8_t bRequest,
                        uint16_t wValue, uint16_t wIndex, uint16_t wLength, void *data) {
    usbhost::DeviceRequest req;
    req.bmRequestType = type;
    req.bRequest = bRequest;
    req.wValue = wValue;
    req.wIndex = wIndex;
    req.wLength = wLength;
    req.pData = data;
    usbhost::Return status = usbhost::deviceRequest(device, &req);
    usbhost::deviceRelease(device);
    return status;
}

} // namespace

int usbdevs_init(usbdevs_t *ctx) {
    ctx->port = nullptr;
    ctx->iterator = nullptr;
    ctx->run_loop = nullptr;
    ctx->armed[0] = ctx->armed[1] = nullptr;
    for (auto &slot : ctx->slot_table)
        clearSlot(&slot);
    ctx->next_serial = 0;

    ctx->port = usbhost::notificationPortCreate();
    ctx->run_loop = usbhost::runLoopGetCurrent();
    usbhost::runLoopAddPort(ctx->run_loop, ctx->port);

    for (int i = 0; i < 2; ++i) {
        usbhost::Return kr = usbhost::addFirstMatchNotification(
            ctx->port, USBDEVS_VENDOR_ID, kProducts[i], usbdevs_added, ctx, &ctx->iterator);
        if (kr != usbhost::kSuccess) {
            USBDEVS_ERROR();
            continue;
        }
        ctx->armed[i] = ctx->iterator;
        usbdevs_added(ctx, ctx->iterator);
    }
    return 0;
}

void usbdevs_fini(usbdevs_t *ctx) {
    // The port goes first, so no callback runs into slots being emptied.
    usbhost::notificationPortDestroy(ctx->port);
    ctx->port = nullptr;
    for (auto &it : ctx->armed) {
        usbhost::objectRelease(it);
        it = nullptr;
    }
    ctx->iterator = nullptr;
    std::lock_guard<std::mutex> guard(ctx->lock);
    for (auto &slot : ctx->slot_table) {
        releaseName(&slot);
        usbhost::deviceRelease(slot.device);
        usbhost::objectRelease(slot.notification);
        clearSlot(&slot);
    }
}

int usbdevs_refresh() {
    usbhost::runLoopRunOnce();
    return 0;
}

int usbdevs_get_dev(usbdevs_t *ctx, usbdevs_handle_t *out, uint8_t n) {
    std::lock_guard<std::mutex> guard(ctx->lock);
    int seen = 0;
    for (auto &slot : ctx->slot_table) {
        if (!slot.device)
            continue;
        if (seen == n) {
            out->slot = &slot;
            out->serial = slot.serial;
            return 0;
        }
        ++seen;
    }
    return 1;
}

int usbdevs_dev_exist(const usbdevs_handle_t *dev) {
    if (!dev || !dev->slot || !dev->slot->owner)
        return 1;
    const usbdevs_dev_t *slot = dev->slot;
    std::lock_guard<std::mutex> guard(slot->owner->lock);
    return slot->device && slot->serial == dev->serial && !slot->gone ? 0 : 1;
}

int usbdevs_dev_vendor_request_out(const usbdevs_handle_t *dev, uint8_t bRequest, uint16_t wValue,
                                   uint16_t wIndex, uint16_t wLength, void *data) {
    usbhost::DeviceInterface *device = acquire(dev);
    if (!device)
        return 1;
    usbhost::Return status =
        request(device, usbhost::kRequestTypeVendorOut, bRequest, wValue, wIndex, wLength, data);
    if (status != usbhost::kSuccess) {
        if (!goneUnder(dev, status))
            USBDEVS_ERROR_CODE(status);
        return 1;
    }
    return 0;
}

int usbdevs_dev_vendor_request_in(const usbdevs_handle_t *dev, uint8_t bRequest, uint16_t wValue,
                                  uint16_t wIndex, uint16_t wLength, void *data) {
    usbhost::DeviceInterface *device = acquire(dev);
    if (!device)
        return 1;
    usbhost::Return status =
        request(device, usbhost::kRequestTypeVendorIn, bRequest, wValue, wIndex, wLength, data);
    if (status == usbhost::kTransactionTimeout) {
        USBDEVS_NOTICE("kIOUSBTransactionTimeout");
        return 1;
    }
    if (status != usbhost::kSuccess) {
        if (!goneUnder(dev, status))
            USBDEVS_ERROR_CODE(status);
        return 1;
    }
    return 0;
}

void usbdevs_added(void *refcon, usbhost::Iterator *iterator) {
    auto *ctx = static_cast<usbdevs_t *>(refcon);
    while (usbhost::Service *service = usbhost::iteratorNext(iterator)) {
        USBDEVS_NOTICE("Device added");
        {
            std::lock_guard<std::mutex> guard(ctx->lock);
            for (auto &slot : ctx->slot_table) {
                if (slot.device)
                    continue;
                slot.owner = ctx;
                int kr = usbdevs_dev_added(&slot, service);
                if (kr != 0)
                    USBDEVS_ERROR_CODE(kr);
                break;
            }
        }
        usbhost::objectRelease(service);
    }
}

// Called with the slot table locked.
int usbdevs_dev_added(usbdevs_dev_t *dev, usbhost::Service *service) {
    char name[128];
    if (usbhost::registryEntryGetName(service, name) != usbhost::kSuccess)
        name[0] = '\0';
    releaseName(dev);
    dev->name = strdup(name);
    usbhost::show(dev->name);

    usbhost::DeviceInterface *device = nullptr;
    usbhost::Return kr = usbhost::deviceOpen(service, &device);
    if (kr != usbhost::kSuccess || !device) {
        USBDEVS_ERROR_CODE(kr);
        // Nothing of a device that could not be opened stays in the slot.
        releaseName(dev);
        return 1;
    }
    dev->device = device;
    dev->gone = false;
    dev->serial = ++dev->owner->next_serial;
    if (dev->serial == 0)
        dev->serial = ++dev->owner->next_serial;

    if (usbhost::deviceGetLocationID(device, &dev->location) != usbhost::kSuccess)
        USBDEVS_ERROR();

    kr = usbhost::addInterestNotification(dev->owner->port, service, usbdevs_dev_notified, dev,
                                          &dev->notification);
    if (kr != usbhost::kSuccess)
        USBDEVS_ERROR_CODE(kr);
    return 0;
}

void usbdevs_dev_notified(void *refcon, usbhost::Service *, uint32_t message_type, void *) {
    auto *dev = static_cast<usbdevs_dev_t *>(refcon);
    if (message_type == usbhost::kMessageServiceIsTerminated)
        usbdevs_dev_terminated(dev);
    else
        USBDEVS_ERROR_CODE(message_type);
}

int usbdevs_dev_terminated(usbdevs_dev_t *dev) {
    USBDEVS_NOTICE("removed");
    usbhost::DeviceInterface *device;
    usbhost::Notification *notification;
    {
        std::lock_guard<std::mutex> guard(dev->owner->lock);
        usbhost::show(dev->name);
        releaseName(dev);
        device = dev->device;
        dev->device = nullptr;
        notification = dev->notification;
        dev->notification = nullptr;
        dev->location = 0;
    }
    // A transfer still running on the worker holds its own reference to the device.
    usbhost::deviceRelease(device);
    usbhost::objectRelease(notification);
    return 0;
}
