#include "kxctl.h"

#include <QThread>

#include <cstdio>
#include <cstring>

#define KXCTL_ERROR() std::printf("%s:%d:ERROR\n", "kxtest/kxctl", __LINE__)
// A transfer that fails because its unit has just been unplugged is part of unplugging; only a
// failure while the unit is still there (or with no unit at all) is reported.
#define KXCTL_TRANSFER_ERROR(dev)                                                                  \
    do {                                                                                           \
        if (!wentAway(dev))                                                                        \
            KXCTL_ERROR();                                                                         \
    } while (false)

namespace {

bool wentAway(const usbdevs_handle_t *dev) {
    return dev && dev->slot && usbdevs_dev_exist(dev) != 0;
}

// One element of a group: a tag with its value, or a bare marker of type 1.
struct Element {
    uint8_t tag;
    uint8_t type;
    uint32_t value;
};

Element u8(uint8_t tag, uint32_t value) {
    return {tag, KXMSG_TYPE_U8, value & 0xffu};
}
Element mark(uint8_t tag) {
    return {tag, KXMSG_TYPE_NONE, 0};
}

// Writes every element or, putting the record back, none of them.
template <size_t N> int putGroup(kxmsg_t *msg, const Element (&elements)[N], int line) {
    if (!msg) {
        std::printf("%s:%d:ERROR\n", "kxtest/kxctl", line);
        return 1;
    }
    const kxmsg_t saved = *msg;
    for (const Element &e : elements) {
        bool ok = e.type == KXMSG_TYPE_NONE ? kxmsg_put(msg, e.tag, KXMSG_TYPE_NONE, 0, 0) == 0
                                            : kxmsg_put_u8(msg, e.tag, uint8_t(e.value)) == 1;
        if (!ok) {
            std::printf("%s:%d:ERROR\n", "kxtest/kxctl", line);
            *msg = saved;
            return 1;
        }
    }
    return 0;
}

} // namespace

int kxctl_send(usbdevs_handle_t *dev, kxmsg_t *msg) {
    return kxctl_send_request(dev, msg, KXCTL_REQUEST_OUT);
}

int kxctl_recv(usbdevs_handle_t *dev, kxmsg_t *msg) {
    return kxctl_recv_request(dev, msg, KXCTL_REQUEST_IN);
}

int kxctl_send_request(usbdevs_handle_t *dev, kxmsg_t *msg, uint8_t bRequest) {
    const uint8_t length = msg->position;
    if (length > KXCTL_MSG_MAX) {
        KXCTL_ERROR();
        return 1;
    }
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (usbdevs_dev_vendor_request_out(dev, bRequest, 0, 0, length, msg->data) == 0)
            return 0;
        KXCTL_TRANSFER_ERROR(dev);
        QThread::msleep(5);
    }
    KXCTL_TRANSFER_ERROR(dev);
    return 1;
}

int kxctl_recv_request(usbdevs_handle_t *dev, kxmsg_t *msg, uint8_t bRequest) {
    kxmsg_rewind(msg);
    uint8_t length = uint8_t(msg->capacity - msg->position);
    if (length > KXCTL_MSG_MAX) {
        KXCTL_ERROR();
        length = KXCTL_MSG_MAX;
    }
    // A short answer must not leave bytes of an earlier one to be parsed.
    std::memset(msg->data, 0, length);
    if (usbdevs_dev_vendor_request_in(dev, bRequest, 0, 0, length, msg->data) != 0) {
        KXCTL_TRANSFER_ERROR(dev);
        return 1;
    }
    return 0;
}

int kxctl_group_init(kxctl_group_t *group) {
    group->cursor = 0;
    return usbdevs_init(&group->usbdevs);
}

void kxctl_group_fini(kxctl_group_t *group) {
    usbdevs_fini(&group->usbdevs);
}

int kxctl_group_get_init(kxctl_group_t *group) {
    usbdevs_refresh();
    group->cursor = 0;
    return 0;
}

int kxctl_group_get_kx(kxctl_group_t *group, usbdevs_handle_t *out) {
    while (group->cursor <= USBDEVS_SLOTS - 1) {
        const uint8_t n = group->cursor++;
        if (usbdevs_get_dev(&group->usbdevs, out, n) == 0)
            return 0;
    }
    return 1;
}

int kxctl_put_ch(kxmsg_t *msg, kxmsg_data_ch_t ch, uint8_t no) {
    const Element group[] = {u8(KXCTL_TAG_CH, ch), u8(KXCTL_TAG_CH_NO, no)};
    return putGroup(msg, group, __LINE__);
}

int kxctl_put_ch_common_u8(kxmsg_t *msg, kxmsg_data_ch_t ch, uint8_t no, uint8_t tag,
                           uint8_t value) {
    const Element group[] = {u8(KXCTL_TAG_CH, ch), u8(KXCTL_TAG_CH_NO, no), u8(tag, value)};
    return putGroup(msg, group, __LINE__);
}

int kxctl_put_grmeter(kxmsg_t *msg, kxmsg_data_ch_t ch, uint8_t no) {
    const Element group[] = {u8(KXCTL_TAG_CH, ch), u8(KXCTL_TAG_CH_NO, no),
                             mark(KXCTL_TAG_GRMETER_GET)};
    return putGroup(msg, group, __LINE__);
}

int kxctl_put_assign_ch(kxmsg_t *msg, kxmsg_data_ch_t src, uint8_t src_no, kxmsg_data_ch_t dst,
                        uint8_t dst_no) {
    const Element group[] = {u8(KXCTL_TAG_CH, src),       u8(KXCTL_TAG_CH_NO, src_no),
                             mark(KXCTL_TAG_SOURCE),      u8(KXCTL_TAG_CH, dst),
                             u8(KXCTL_TAG_CH_NO, dst_no), mark(KXCTL_TAG_DESTINATION),
                             mark(KXCTL_TAG_ASSIGN)};
    return putGroup(msg, group, __LINE__);
}

int kxctl_put_send(kxmsg_t *msg, kxmsg_data_ch_t ch, uint8_t no, kxmsg_data_ch_t bus,
                   uint8_t bus_no, kxmsg_data_send_pos_t pos, int8_t level) {
    const Element group[] = {u8(KXCTL_TAG_CH, ch),        u8(KXCTL_TAG_CH_NO, no),
                             mark(KXCTL_TAG_SOURCE),      u8(KXCTL_TAG_CH, bus),
                             u8(KXCTL_TAG_CH_NO, bus_no), mark(KXCTL_TAG_DESTINATION),
                             u8(KXCTL_TAG_SEND_POS, pos), u8(KXCTL_TAG_SEND_LEVEL, uint8_t(level)),
                             mark(KXCTL_TAG_SEND_APPLY)};
    return putGroup(msg, group, __LINE__);
}

int kxctl_put_eq(kxmsg_t *msg, kxmsg_data_ch_t ch, uint8_t no, uint8_t on,
                 kxmsg_data_eq_band_t band, uint8_t gain, uint8_t freq, uint8_t q) {
    const Element group[] = {u8(KXCTL_TAG_CH, ch),        u8(KXCTL_TAG_CH_NO, no),
                             u8(KXCTL_TAG_EQ_BAND, band), u8(KXCTL_TAG_EQ_GAIN, gain),
                             u8(KXCTL_TAG_EQ_FREQ, freq), u8(KXCTL_TAG_EQ_Q, q),
                             u8(KXCTL_TAG_EQ_ON, on)};
    return putGroup(msg, group, __LINE__);
}

int kxctl_put_comp(kxmsg_t *msg, kxmsg_data_ch_t ch, uint8_t no, uint8_t on, uint8_t threshold,
                   uint8_t ratio, uint8_t attack, uint8_t release, uint8_t gain,
                   kxmsg_data_ch_type_t link) {
    const Element group[] = {u8(KXCTL_TAG_CH, ch),
                             u8(KXCTL_TAG_CH_NO, no),
                             u8(KXCTL_TAG_COMP_THRESHOLD, threshold),
                             u8(KXCTL_TAG_COMP_RATIO, ratio),
                             u8(KXCTL_TAG_COMP_ATTACK, attack),
                             u8(KXCTL_TAG_COMP_RELEASE, release),
                             u8(KXCTL_TAG_COMP_GAIN, gain),
                             u8(KXCTL_TAG_COMP_LINK, link),
                             u8(KXCTL_TAG_COMP_ON, on)};
    return putGroup(msg, group, __LINE__);
}

int kxctl_put_reverb(kxmsg_t *msg, kxmsg_data_reverb_type_t type, uint8_t pre_delay, uint8_t time,
                     uint8_t diffusion) {
    const Element group[] = {
        u8(KXCTL_TAG_REVERB_TYPE, type), u8(KXCTL_TAG_REVERB_PREDELAY, pre_delay),
        u8(KXCTL_TAG_REVERB_TIME, time), u8(KXCTL_TAG_REVERB_DIFFUSION, diffusion),
        mark(KXCTL_TAG_REVERB_APPLY)};
    return putGroup(msg, group, __LINE__);
}

int kxctl_put_return(kxmsg_t *msg, uint8_t on, int8_t level) {
    const Element group[] = {u8(KXCTL_TAG_RETURN_LEVEL, uint8_t(level)),
                             u8(KXCTL_TAG_RETURN_ON, on)};
    return putGroup(msg, group, __LINE__);
}
