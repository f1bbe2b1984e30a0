#include "kxmsg.h"

#include <cstdio>
#include <cstring>

#define KXMSG_ERROR() std::printf("%s:%d:ERROR\n", "kxtest/kxmsg", __LINE__)
#define KXMSG_ERROR_CODE(code)                                                                     \
    std::printf("%s:%d:ERROR %#x\n", "kxtest/kxmsg", __LINE__, unsigned(code))

namespace {

uint8_t remain(const kxmsg_t *msg) {
    return uint8_t(msg->capacity - msg->position);
}

// Payload size of the fixed-width types 2, 3 and 4.
int fixedPayload(uint32_t type) {
    switch (type) {
    case KXMSG_TYPE_U8:
        return 1;
    case KXMSG_TYPE_U16:
        return 2;
    case KXMSG_TYPE_U32:
        return 4;
    default:
        return 0;
    }
}

void storeLittleEndian(uint8_t *p, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        p[i] = uint8_t(value >> (8 * i));
}

uint64_t loadLittleEndian(const uint8_t *p, int bytes) {
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= uint64_t(p[i]) << (8 * i);
    return v;
}

int putTyped(kxmsg_t *msg, uint8_t tag, uint8_t type, uint64_t value) {
    if (!msg)
        return 0;
    const kxmsg_t saved = *msg;
    uint8_t *payload = nullptr;
    uint8_t length = 0;
    if (kxmsg_put_alloc(msg, tag, type, 0, &payload, &length) != 0) {
        KXMSG_ERROR();
        *msg = saved;
        return 0;
    }
    storeLittleEndian(payload, value, length);
    return 1;
}

} // namespace

int kxmsg_init(kxmsg_t *msg, uint8_t *data, uint8_t capacity) {
    if (!msg)
        return 1;
    msg->data = data;
    msg->capacity = capacity;
    msg->position = 0;
    return 0;
}

int kxmsg_rewind(kxmsg_t *msg) {
    if (!msg)
        return 1;
    msg->position = 0;
    return 0;
}

int kxmsg_put_alloc(kxmsg_t *msg, uint8_t tag, uint8_t type, uint8_t length, uint8_t **payload,
                    uint8_t *payload_length) {
    if (!msg)
        return 1;
    const uint8_t left = remain(msg);
    // An end element that no longer fits is simply dropped.
    if (left < 2)
        return tag == 0 ? 0 : 1;

    uint8_t *at = msg->data + msg->position;
    at[0] = tag;
    at[1] = type;

    int size = 0;
    uint8_t *body = nullptr;
    uint8_t bodyLength = 0;
    if (type > KXMSG_TYPE_U8_ARRAY) {
        KXMSG_ERROR();
        return 1;
    } else if (type == KXMSG_TYPE_END) {
        if (tag != 0) {
            KXMSG_ERROR();
            return 1;
        }
        size = 2;
    } else if (type == KXMSG_TYPE_NONE) {
        size = 2;
    } else if (type != KXMSG_TYPE_U8_ARRAY) {
        bodyLength = uint8_t(fixedPayload(type));
        size = 2 + bodyLength;
        if (left < size) {
            KXMSG_ERROR();
            return 1;
        }
        body = at + 2;
    } else {
        if (left < 3) {
            KXMSG_ERROR();
            return 1;
        }
        bodyLength = length != 0 ? length : uint8_t(left - 3);
        // Counted in int: an 8-bit element size would wrap for the longest arrays.
        size = int(bodyLength) + 3;
        if (left < size) {
            KXMSG_ERROR();
            return 1;
        }
        at[2] = bodyLength;
        body = at + 3;
    }
    msg->position = uint8_t(msg->position + size);
    if (payload)
        *payload = body;
    if (payload_length)
        *payload_length = bodyLength;
    return 0;
}

int kxmsg_put(kxmsg_t *msg, uint8_t tag, uint8_t type, uint64_t value, uint8_t length) {
    uint8_t *payload = nullptr;
    uint8_t payloadLength = 0;
    if (kxmsg_put_alloc(msg, tag, type, length, &payload, &payloadLength) != 0)
        return 1;
    if (type == KXMSG_TYPE_U8_ARRAY) {
        if (payloadLength)
            std::memcpy(payload, reinterpret_cast<const void *>(uintptr_t(value)), payloadLength);
    } else if (payload) {
        storeLittleEndian(payload, value, payloadLength);
    }
    return 0;
}

int kxmsg_get(kxmsg_t *msg, uint32_t *tag, uint32_t *type, uint64_t *value, uint8_t *length) {
    if (!msg)
        return 1;
    const uint8_t left = remain(msg);
    if (left < 2)
        return 1;
    const uint8_t *at = msg->data + msg->position;
    const uint8_t t = at[1];
    if (t > KXMSG_TYPE_U8_ARRAY) {
        KXMSG_ERROR_CODE(t);
        return 1;
    }
    if (t == KXMSG_TYPE_END)
        return 1;

    int size = 2;
    uint64_t v = 0;
    uint8_t len = 0;
    if (t == KXMSG_TYPE_U8_ARRAY) {
        if (left < 3)
            return 1;
        len = at[2];
        size = int(len) + 3;
        if (left < size)
            return 1;
        v = uint64_t(uintptr_t(at + 3));
    } else if (t != KXMSG_TYPE_NONE) {
        len = uint8_t(fixedPayload(t));
        size = 2 + len;
        if (left < size)
            return 1;
        v = loadLittleEndian(at + 2, len);
    }
    msg->position = uint8_t(msg->position + size);
    if (tag)
        *tag = at[0];
    if (type)
        *type = t;
    if (value)
        *value = v;
    if (length)
        *length = len;
    return 0;
}

int kxmsg_put_u8(kxmsg_t *msg, uint8_t tag, uint8_t value) {
    return putTyped(msg, tag, KXMSG_TYPE_U8, value);
}

int kxmsg_put_u16(kxmsg_t *msg, uint8_t tag, uint16_t value) {
    return putTyped(msg, tag, KXMSG_TYPE_U16, value);
}

int kxmsg_put_u32(kxmsg_t *msg, uint8_t tag, uint32_t value) {
    return putTyped(msg, tag, KXMSG_TYPE_U32, value);
}

uint8_t kxmsg_remain_u8_array_put_size(const kxmsg_t *msg) {
    if (!msg)
        return 0;
    const uint8_t left = remain(msg);
    return left < 3 ? 0 : uint8_t(left - 3);
}
