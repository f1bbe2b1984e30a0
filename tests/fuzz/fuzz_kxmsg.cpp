// Fuzz target for the message codec's reader: any byte area, read element by element, must
// stay inside the area, yield payloads of the size their type names, and read back the same
// elements once written again with the codec's own writer.
#include "kxmsg.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "fuzz_kxmsg: check failed: %s (line %d)\n", #condition,           \
                         __LINE__);                                                                \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

struct Element {
    uint32_t tag = 0, type = 0;
    uint64_t value = 0; // the payload's bytes for an array
    std::vector<uint8_t> bytes;
    bool operator==(const Element &o) const {
        return tag == o.tag && type == o.type && value == o.value && bytes == o.bytes;
    }
};

// Payload bytes of each type, written out here rather than taken from the codec, so that the
// check does not share a fault with what it checks.
constexpr int kPayload[] = {0, 0, 1, 2, 4, 0}; // end, none, u8, u16, u32, array (own length)

// Reads every element of the area, checking what each read hands out.
std::vector<Element> readAll(uint8_t *area, uint8_t capacity) {
    kxmsg_t msg;
    FUZZ_CHECK(kxmsg_init(&msg, area, capacity) == 0);
    std::vector<Element> elements;
    uint32_t tag = 0, type = 0;
    uint64_t value = 0;
    uint8_t length = 0;
    uint8_t before = msg.position;
    while (kxmsg_get(&msg, &tag, &type, &value, &length) == 0) {
        // Forward, and never past the end.
        FUZZ_CHECK(msg.position > before);
        FUZZ_CHECK(msg.position <= capacity);
        FUZZ_CHECK(type >= KXMSG_TYPE_NONE && type <= KXMSG_TYPE_U8_ARRAY);
        FUZZ_CHECK(tag <= 0xff);
        Element e;
        e.tag = tag;
        e.type = type;
        if (type == KXMSG_TYPE_U8_ARRAY) {
            const auto *p = reinterpret_cast<const uint8_t *>(uintptr_t(value));
            // The payload lies inside the element just read.
            FUZZ_CHECK(p == area + before + 3);
            FUZZ_CHECK(p + length == area + msg.position);
            e.bytes.assign(p, p + length);
        } else {
            FUZZ_CHECK(length == kPayload[type]);
            FUZZ_CHECK(msg.position - before == 2 + length);
            FUZZ_CHECK(length == 8 || value >> (8 * length) == 0);
            e.value = value;
        }
        elements.push_back(e);
        before = msg.position;
    }
    return elements;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // An area is at most 255 bytes long; a copy of exactly that size lets the address
    // sanitizer see any read past it.
    const uint8_t capacity = uint8_t(std::min<size_t>(size, 255));
    std::vector<uint8_t> area(data, data + capacity);
    const std::vector<Element> elements = readAll(area.data(), capacity);
    // Reading leaves the area as it was.
    FUZZ_CHECK(std::equal(area.begin(), area.end(), data));

    // Written again with the writer, the elements read back the same. An empty array cannot
    // be written as such (a length of 0 asks for the rest of the area), so it is left out.
    std::vector<Element> expected;
    std::vector<uint8_t> out(255);
    kxmsg_t msg;
    kxmsg_init(&msg, out.data(), uint8_t(out.size()));
    for (const Element &e : elements) {
        if (e.type == KXMSG_TYPE_U8_ARRAY && e.bytes.empty())
            continue;
        const uint64_t value =
            e.type == KXMSG_TYPE_U8_ARRAY ? uint64_t(uintptr_t(e.bytes.data())) : e.value;
        FUZZ_CHECK(
            kxmsg_put(&msg, uint8_t(e.tag), uint8_t(e.type), value, uint8_t(e.bytes.size())) == 0);
        expected.push_back(e);
    }
    std::vector<uint8_t> written(out.begin(), out.begin() + msg.position);
    FUZZ_CHECK(readAll(written.data(), uint8_t(written.size())) == expected);
    return 0;
}
