// Control transfers to the unit (request 29 out, request 30 in), device selection over the
// slot table, the element-group writers every setting message is built from, the tag
// vocabulary, and a synchronous command set for tools that talk to the unit directly.
#pragma once

#include "kxmsg.h"
#include "usbdevs.h"

#include <cstddef>
#include <cstdint>

// Tag vocabulary.
enum kxctl_tag_t : uint8_t {
    KXCTL_TAG_DEBUG = 18,
    KXCTL_TAG_DEBUG_LED = 19,
    KXCTL_TAG_AUTOPOWERSAVE_GET = 20,
    KXCTL_TAG_AUTOPOWERSAVE = 21,
    KXCTL_TAG_SET_HZ = 23,
    KXCTL_TAG_HZ = 24,
    KXCTL_TAG_SET_CLOCKSOURCE = 25,
    KXCTL_TAG_CLOCKSOURCE = 26,
    KXCTL_TAG_CLOCKLOCK = 27,
    KXCTL_TAG_CPLDVER = 28,
    KXCTL_TAG_CLOCK_SRC = 29,
    KXCTL_TAG_CLOCK_HZ = 30,
    KXCTL_TAG_FWUP_START = 33,
    KXCTL_TAG_FWUP_GETBUF = 34,
    KXCTL_TAG_FWUP_LENGTH = 35,
    KXCTL_TAG_FWUP_OFFSET = 36,
    KXCTL_TAG_FWUP_DATA = 37,
    KXCTL_TAG_FWUP_DATA_LAST = 38,
    KXCTL_TAG_FW_CHECKSUM_GET = 39,
    KXCTL_TAG_FW_CHECKSUM = 40,
    KXCTL_TAG_CPU_RESET = 41,
    KXCTL_TAG_VERSION_GET = 49,
    KXCTL_TAG_VERSION = 50,
    KXCTL_TAG_BUILD = 51,
    KXCTL_TAG_PRODUCTNAME = 52,
    KXCTL_TAG_BUILDDATE = 53,
    KXCTL_TAG_BUILDTIME = 54,
    KXCTL_TAG_PRODUCTSIG = 55,
    KXCTL_TAG_SOURCE = 65,
    KXCTL_TAG_DESTINATION = 66,
    KXCTL_TAG_ASSIGN = 67,
    KXCTL_TAG_SEND_POS = 68,
    KXCTL_TAG_SEND_LEVEL = 69,
    KXCTL_TAG_SEND_APPLY = 70,
    KXCTL_TAG_RETURN_LEVEL = 71,
    KXCTL_TAG_RETURN_ON = 72,
    KXCTL_TAG_TRUEBYPASS = 74,
    KXCTL_TAG_EQ_BAND = 81,
    KXCTL_TAG_EQ_GAIN = 82,
    KXCTL_TAG_EQ_FREQ = 83,
    KXCTL_TAG_EQ_Q = 84,
    KXCTL_TAG_EQ_ON = 85,
    KXCTL_TAG_CH = 97,
    KXCTL_TAG_CH_NO = 98,
    KXCTL_TAG_METER_GET = 113,
    KXCTL_TAG_METER = 114,
    KXCTL_TAG_FADER = 129,
    KXCTL_TAG_PAN = 130,
    KXCTL_TAG_MUTE = 131,
    KXCTL_TAG_SOLO = 132,
    KXCTL_TAG_PHASE = 133,
    KXCTL_TAG_ADAT_X4MODE = 135,
    KXCTL_TAG_SET_DSPMODE = 137,
    KXCTL_TAG_COMP_THRESHOLD = 145,
    KXCTL_TAG_COMP_RATIO = 146,
    KXCTL_TAG_COMP_ATTACK = 147,
    KXCTL_TAG_COMP_RELEASE = 148,
    KXCTL_TAG_COMP_GAIN = 149,
    KXCTL_TAG_COMP_LINK = 150,
    KXCTL_TAG_COMP_ON = 151,
    KXCTL_TAG_READY = 161,
    KXCTL_TAG_CONFIG_SAVE = 162,
    KXCTL_TAG_GRMETER_GET = 177,
    KXCTL_TAG_GRMETER = 178,
    KXCTL_TAG_DSPMODE = 193,
    KXCTL_TAG_ADAT_X4MODE_GET = 195,
    KXCTL_TAG_USB_SPEED = 196,
    KXCTL_TAG_REVERB_TYPE = 209,
    KXCTL_TAG_REVERB_PREDELAY = 210,
    KXCTL_TAG_REVERB_TIME = 211,
    KXCTL_TAG_REVERB_DIFFUSION = 212,
    KXCTL_TAG_REVERB_APPLY = 213,
};

constexpr uint8_t KXCTL_REQUEST_OUT = 29;
constexpr uint8_t KXCTL_REQUEST_IN = 30;
constexpr uint8_t KXCTL_REQUEST_FX3_OUT = 45;
constexpr uint8_t KXCTL_REQUEST_FX3_IN = 46;
constexpr uint8_t KXCTL_MSG_MAX = 64;

struct kxctl_group_t {
    usbdevs_t usbdevs;
    uint8_t cursor;
};

// Transfers and device selection: 0 for success, 1 for failure.
int kxctl_send(usbdevs_handle_t *dev, kxmsg_t *msg);
int kxctl_recv(usbdevs_handle_t *dev, kxmsg_t *msg);
// Ours: the same with another pair of requests (the 45/46 variants use them).
int kxctl_send_request(usbdevs_handle_t *dev, kxmsg_t *msg, uint8_t bRequest);
int kxctl_recv_request(usbdevs_handle_t *dev, kxmsg_t *msg, uint8_t bRequest);
int kxctl_group_init(kxctl_group_t *group);
// Ours: releases what kxctl_group_init set up.
void kxctl_group_fini(kxctl_group_t *group);
int kxctl_group_get_init(kxctl_group_t *group);
int kxctl_group_get_kx(kxctl_group_t *group, usbdevs_handle_t *out);

// Element-group writers: a whole group or nothing; 0 for success, 1 for failure. A group that
// does not fit is reported as a failure; a caller that fills a message to its end looks at the
// room first with the group's size below.
constexpr uint8_t KXCTL_PUT_CH_SIZE = 6;
constexpr uint8_t KXCTL_PUT_CH_COMMON_U8_SIZE = 9;
constexpr uint8_t KXCTL_PUT_GRMETER_SIZE = 8;
constexpr uint8_t KXCTL_PUT_ASSIGN_CH_SIZE = 18;
constexpr uint8_t KXCTL_PUT_SEND_SIZE = 24;
constexpr uint8_t KXCTL_PUT_EQ_SIZE = 21;
constexpr uint8_t KXCTL_PUT_COMP_SIZE = 27;
constexpr uint8_t KXCTL_PUT_REVERB_SIZE = 14;
constexpr uint8_t KXCTL_PUT_RETURN_SIZE = 6;
int kxctl_put_ch(kxmsg_t *msg, kxmsg_data_ch_t ch, uint8_t no);
int kxctl_put_ch_common_u8(kxmsg_t *msg, kxmsg_data_ch_t ch, uint8_t no, uint8_t tag,
                           uint8_t value);
int kxctl_put_grmeter(kxmsg_t *msg, kxmsg_data_ch_t ch, uint8_t no);
int kxctl_put_assign_ch(kxmsg_t *msg, kxmsg_data_ch_t src, uint8_t src_no, kxmsg_data_ch_t dst,
                        uint8_t dst_no);
int kxctl_put_send(kxmsg_t *msg, kxmsg_data_ch_t ch, uint8_t no, kxmsg_data_ch_t bus,
                   uint8_t bus_no, kxmsg_data_send_pos_t pos, int8_t level);
int kxctl_put_eq(kxmsg_t *msg, kxmsg_data_ch_t ch, uint8_t no, uint8_t on,
                 kxmsg_data_eq_band_t band, uint8_t gain, uint8_t freq, uint8_t q);
int kxctl_put_comp(kxmsg_t *msg, kxmsg_data_ch_t ch, uint8_t no, uint8_t on, uint8_t threshold,
                   uint8_t ratio, uint8_t attack, uint8_t release, uint8_t gain,
                   kxmsg_data_ch_type_t link);
int kxctl_put_reverb(kxmsg_t *msg, kxmsg_data_reverb_type_t type, uint8_t pre_delay, uint8_t time,
                     uint8_t diffusion);
int kxctl_put_return(kxmsg_t *msg, uint8_t on, int8_t level);

// --- synchronous command set -------------------------------------------------------------
// Each call builds one message, waits for the unit to be ready, sends it and, for a query,
// polls for the answer element; 0 for success, 1 for failure.

struct kxctl_clocklock_t {
    uint32_t source;
    uint32_t lock;
    uint32_t hz;
};

struct kxctl_meter_t {
    uint32_t ch;
    uint32_t no;
    uint32_t value;
};

int kxctl_init(usbdevs_handle_t *dev);
int msleep(unsigned int ms);
int kxctl_wait_ready();
int kxctl_fx3_wait_ready();
int kxctl_set_assign_ch(kxmsg_data_ch_t src, uint8_t src_no, kxmsg_data_ch_t dst, uint8_t dst_no);
int kxctl_set_eq(kxmsg_data_ch_t ch, uint8_t no, uint8_t on, kxmsg_data_eq_band_t band,
                 uint8_t gain, uint8_t freq, uint8_t q);
int kxctl_set_comp(kxmsg_data_ch_t ch, uint8_t no, uint8_t on, uint8_t threshold, uint8_t ratio,
                   uint8_t attack, uint8_t release, uint8_t gain, kxmsg_data_ch_type_t link);
int kxctl_set_fader(kxmsg_data_ch_t ch, uint8_t no, int16_t level);
int kxctl_set_pan(kxmsg_data_ch_t ch, uint8_t no, uint8_t value);
int kxctl_set_mute(kxmsg_data_ch_t ch, uint8_t no, uint8_t value);
int kxctl_set_solo(kxmsg_data_ch_t ch, uint8_t no, uint8_t value);
int kxctl_set_phase(kxmsg_data_ch_t ch, uint8_t no, uint8_t value);
int kxctl_config_save();
int kxctl_config_erase();
int kxctl_cpu_reset();
int kxctl_debug_led_allon(uint8_t on);
int kxctl_set_dsp_mode(uint8_t mode);
int kxctl_debug_set_hz(uint32_t hz);
int kxctl_debug_set_clocksource(uint8_t source);
int kxctl_debug_get_hz(uint32_t *hz);
int kxctl_debug_get_clocksource(uint32_t *source);
int kxctl_get_dspmode(uint32_t *mode);
int kxctl_get_usb_speed(uint32_t *speed);
int kxctl_get_cpldver(uint32_t *version);
int kxctl_get_autopowersave(uint8_t *value);
int kxctl_debug_get_clocklock(kxctl_clocklock_t *records, int max, int *count);
int kxctl_get_version(uint16_t *version);
int kxctl_get_build(uint16_t *build);
int kxctl_get_productname(char *out, size_t size);
int kxctl_get_builddate(char *out, size_t size);
int kxctl_get_buildtime(char *out, size_t size);
int kxctl_get_productsig(char *out, size_t size);
int kxctl_fx3_get_version(uint16_t *version);
int kxctl_fx3_get_build(uint16_t *build);
int kxctl_get_meter(kxctl_meter_t *records, int max, int *count);
int kxctl_get_grmeter(kxmsg_data_ch_t ch, uint8_t no, uint32_t *value);
int kxctl_debugprint(char *out, size_t size);
int kxctl_get_fw_checksum(uint32_t length, uint32_t *checksum);
int kxctl_fx3_get_fw_checksum(uint32_t length, uint32_t *checksum);
int kxctl_fwupdate_getbuf(uint32_t *offset, uint32_t *length);
int kxctl_fwupdate(const uint8_t *image, uint32_t size, uint32_t *progress);
int kxctl_fx3_fwupdate(const uint8_t *image, uint32_t size, uint32_t *progress);
void print_chars(const char *text, int count);
