// Message codec of the unit's control protocol: runs of tag/type/payload elements built and
// read in place in a byte area the caller owns. Never allocates.
#pragma once

#include <cstdint>

struct kxmsg_t {
    uint8_t *data;
    uint8_t capacity;
    uint8_t position;
};

enum kxmsg_type_t : uint32_t {
    KXMSG_TYPE_END = 0,
    KXMSG_TYPE_NONE = 1,
    KXMSG_TYPE_U8 = 2,
    KXMSG_TYPE_U16 = 3,
    KXMSG_TYPE_U32 = 4,
    KXMSG_TYPE_U8_ARRAY = 5,
};

// Channel group of elements 97/98.
enum kxmsg_data_ch_t : uint32_t {
    KXMSG_DATA_CH_NONE = 0,
    KXMSG_DATA_CH_LINEOUT = 1,
    KXMSG_DATA_CH_MASTER = 2,
    KXMSG_DATA_CH_PLAYBACK = 3,
    KXMSG_DATA_CH_MIXER_INPUT = 4,
    KXMSG_DATA_CH_AUX_SEND = 5,
};

enum kxmsg_data_clocksource_t : uint32_t {
    KXMSG_DATA_CLOCKSOURCE_INTERNAL = 1,
    KXMSG_DATA_CLOCKSOURCE_WORDCLOCK = 2,
    KXMSG_DATA_CLOCKSOURCE_OPTICAL_A = 5,
    KXMSG_DATA_CLOCKSOURCE_OPTICAL_B = 6,
};

enum kxmsg_data_clocklock_t : uint32_t {
    KXMSG_DATA_CLOCKLOCK_UNLOCKED = 1,
    KXMSG_DATA_CLOCKLOCK_PHASE_ERROR = 2,
    KXMSG_DATA_CLOCKLOCK_LOCKED = 3,
};

enum kxmsg_data_adat_x4mode_t : uint32_t {
    KXMSG_DATA_ADAT_X1 = 0, // 44.1 / 48 kHz (also sent for the automatic setting)
    KXMSG_DATA_ADAT_X4 = 1, // 176.4 / 192 kHz
    KXMSG_DATA_ADAT_X2 = 2, // 88.2 / 96 kHz
};

enum kxmsg_data_send_pos_t : uint32_t {
    KXMSG_DATA_SEND_POS_NONE = 0,
    KXMSG_DATA_SEND_POS_OFF = 1,
    KXMSG_DATA_SEND_POS_PRE = 2,
    KXMSG_DATA_SEND_POS_POST = 3,
};

enum kxmsg_data_eq_band_t : uint32_t {
    KXMSG_DATA_EQ_BAND_LOW = 1,
    KXMSG_DATA_EQ_BAND_LOWMID = 2,
    KXMSG_DATA_EQ_BAND_HIGHMID = 3,
    KXMSG_DATA_EQ_BAND_HIGH = 4,
};

enum kxmsg_data_reverb_type_t : uint32_t {
    KXMSG_DATA_REVERB_HALL = 1,
    KXMSG_DATA_REVERB_ROOM = 2,
    KXMSG_DATA_REVERB_LIVE = 3,
    KXMSG_DATA_REVERB_STUDIO = 4,
    KXMSG_DATA_REVERB_PLATE = 5,
};

// Compressor link of a channel.
enum kxmsg_data_ch_type_t : uint32_t {
    KXMSG_DATA_CH_TYPE_MONO = 1,
    KXMSG_DATA_CH_TYPE_STEREO_ODD = 2,
    KXMSG_DATA_CH_TYPE_STEREO_EVEN = 3,
};

// The unit's own numbering; passed on as reported.
enum kxmsg_data_dspmode_t : uint32_t {};

// All return 0 for success and 1 for failure, except the typed writers (1 for success).
int kxmsg_init(kxmsg_t *msg, uint8_t *data, uint8_t capacity);
int kxmsg_rewind(kxmsg_t *msg);
int kxmsg_put_alloc(kxmsg_t *msg, uint8_t tag, uint8_t type, uint8_t length, uint8_t **payload,
                    uint8_t *payload_length);
int kxmsg_put(kxmsg_t *msg, uint8_t tag, uint8_t type, uint64_t value, uint8_t length);
int kxmsg_get(kxmsg_t *msg, uint32_t *tag, uint32_t *type, uint64_t *value, uint8_t *length);
int kxmsg_put_u8(kxmsg_t *msg, uint8_t tag, uint8_t value);
int kxmsg_put_u16(kxmsg_t *msg, uint8_t tag, uint16_t value);
int kxmsg_put_u32(kxmsg_t *msg, uint8_t tag, uint32_t value);
uint8_t kxmsg_remain_u8_array_put_size(const kxmsg_t *msg);
