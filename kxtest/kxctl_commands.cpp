// The synchronous command set for tools that talk to one unit directly: each call builds one
// message, waits until the unit is ready, sends it and, for a query, polls for the answer.
// The panel's worker does not use it. Every wait and every poll has a fixed number of tries.
#include "kxctl.h"

#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstring>

#define KXCTL_PATH "kxtest/kxctl"
#define KXCTL_ERROR() errorAt(__LINE__)

namespace {

void errorAt(int line) {
    std::printf("%s:%d:ERROR\n", KXCTL_PATH, line);
}

// The unit every command talks to, as kxctl_init was given it.
usbdevs_handle_t theDevice{};

constexpr unsigned kPollMs = 5;
constexpr int kReadyTries = 1000;
constexpr int kFx3ReadyTries = 100;
constexpr int kSendTries = 10;
constexpr int kAnswerTries = 100;
constexpr int kChecksumTries = 6000;
constexpr int kFx3ChecksumTries = 2000;
constexpr int kGetbufTries = 10000;
// One byte array with its tag, type and length byte fills a whole message.
constexpr uint32_t kPieceMax = KXCTL_MSG_MAX - 3;
// Parts asked for that bring nothing new; beyond this many the update is given up.
constexpr int kStalledParts = 10;

enum Result { Ok = 0, Failed = 1, TimedOut = 2 };

struct Message {
    uint8_t data[KXCTL_MSG_MAX] = {};
    kxmsg_t msg;
    Message() { kxmsg_init(&msg, data, sizeof data); }
    Message(const Message &) = delete;
    Message &operator=(const Message &) = delete;
};

struct Element {
    uint32_t tag = 0;
    uint32_t type = 0;
    uint64_t value = 0;
    uint8_t length = 0;

    bool isNumber() const {
        return type == KXMSG_TYPE_U8 || type == KXMSG_TYPE_U16 || type == KXMSG_TYPE_U32;
    }
    bool isBytes() const { return type == KXMSG_TYPE_U8_ARRAY; }
    const char *bytes() const { return reinterpret_cast<const char *>(uintptr_t(value)); }
};

template <class Visit> void forEachElement(kxmsg_t *msg, Visit visit) {
    kxmsg_rewind(msg);
    Element e;
    while (kxmsg_get(msg, &e.tag, &e.type, &e.value, &e.length) == 0)
        visit(e);
}

// Copies a byte array as a terminated text, cut to the room there is.
void copyText(const Element &e, char *out, size_t size) {
    const size_t n = std::min<size_t>(e.length, size - 1);
    std::memcpy(out, e.bytes(), n);
    out[n] = '\0';
}

int fx3Send(kxmsg_t *msg) {
    return kxctl_send_request(&theDevice, msg, KXCTL_REQUEST_FX3_OUT);
}
int fx3Recv(kxmsg_t *msg) {
    return kxctl_recv_request(&theDevice, msg, KXCTL_REQUEST_FX3_IN);
}

int mainSend(kxmsg_t *msg) {
    return kxctl_send(&theDevice, msg);
}
int mainRecv(kxmsg_t *msg) {
    return kxctl_recv(&theDevice, msg);
}

// The two ways to the unit: requests 29/30, or 45/46 whose wait for ready is shorter and
// ends at the first failed read.
struct Link {
    int (*send)(kxmsg_t *);
    int (*recv)(kxmsg_t *);
    int readyTries;
    bool failedReadEnds;
};

const Link kMain{mainSend, mainRecv, kReadyTries, false};
const Link kFx3{fx3Send, fx3Recv, kFx3ReadyTries, true};

// Reads answers until `found` accepts one. The error line names the caller's line.
template <class Found>
Result poll(const Link &link, int tries, bool failedReadEnds, int line, Found found) {
    Message answer;
    for (int i = 0; i < tries; ++i) {
        if (i > 0)
            msleep(kPollMs);
        if (link.recv(&answer.msg) != 0) {
            if (failedReadEnds)
                return Failed;
            continue;
        }
        if (found(&answer.msg))
            return Ok;
    }
    errorAt(line);
    return TimedOut;
}

// An answer without any ready element does not hold the next message back.
bool saysReady(kxmsg_t *answer) {
    bool seen = false, ready = false;
    forEachElement(answer, [&](const Element &e) {
        if (e.tag != KXCTL_TAG_READY)
            return;
        seen = true;
        ready = ready || e.value != 0;
    });
    return ready || !seen;
}

Result waitReady(const Link &link, int line) {
    return poll(link, link.readyTries, link.failedReadEnds, line, saysReady);
}

// Ends the message, waits for the unit and sends it. A unit that never becomes ready is
// not sent to.
Result deliver(const Link &link, Message &m, int line) {
    kxmsg_put(&m.msg, 0, KXMSG_TYPE_END, 0, 0); // dropped by the codec when the message is full
    if (Result r = waitReady(link, line))
        return r;
    return link.send(&m.msg) == 0 ? Ok : Failed;
}

int deliverMain(Message &m, int line) {
    return deliver(kMain, m, line) == Ok ? 0 : 1;
}

int sendMark(uint8_t tag, int line) {
    Message m;
    kxmsg_put(&m.msg, tag, KXMSG_TYPE_NONE, 0, 0);
    return deliverMain(m, line);
}

int sendU8(uint8_t tag, uint8_t value, int line) {
    Message m;
    kxmsg_put_u8(&m.msg, tag, value);
    return deliverMain(m, line);
}

int setChannel(kxmsg_data_ch_t ch, uint8_t no, uint8_t tag, uint8_t value, int line) {
    Message m;
    if (kxctl_put_ch_common_u8(&m.msg, ch, no, tag, value) != 0)
        return 1;
    return deliverMain(m, line);
}

// Sends the message and takes the number of the first answer element with the answer tag.
Result askNumber(const Link &link, Message &m, uint8_t answerTag, int tries, uint64_t *value,
                 int line) {
    if (Result r = deliver(link, m, line))
        return r;
    return poll(link, tries, false, line, [&](kxmsg_t *answer) {
        bool found = false;
        forEachElement(answer, [&](const Element &e) {
            if (!found && e.tag == answerTag && e.isNumber()) {
                *value = e.value;
                found = true;
            }
        });
        return found;
    });
}

template <class T>
int queryNumber(const Link &link, Message &m, uint8_t answerTag, int tries, T *out, int line) {
    if (!out) {
        errorAt(line);
        return 1;
    }
    uint64_t value = 0;
    if (askNumber(link, m, answerTag, tries, &value, line) != Ok)
        return 1;
    *out = T(value);
    return 0;
}

template <class T>
int queryMark(const Link &link, uint8_t ask, uint8_t answerTag, T *out, int line) {
    Message m;
    kxmsg_put(&m.msg, ask, KXMSG_TYPE_NONE, 0, 0);
    return queryNumber(link, m, answerTag, kAnswerTries, out, line);
}

template <class T> int queryMain(uint8_t ask, uint8_t answerTag, T *out, int line) {
    return queryMark(kMain, ask, answerTag, out, line);
}

// The texts of the version request; the unit's debug texts met meanwhile are shown.
int queryText(uint8_t answerTag, char *out, size_t size, int line) {
    if (!out || size == 0) {
        errorAt(line);
        return 1;
    }
    out[0] = '\0';
    Message m;
    kxmsg_put(&m.msg, KXCTL_TAG_VERSION_GET, KXMSG_TYPE_NONE, 0, 0);
    if (deliver(kMain, m, line) != Ok)
        return 1;
    const Result r = poll(kMain, kAnswerTries, false, line, [&](kxmsg_t *answer) {
        bool found = false;
        forEachElement(answer, [&](const Element &e) {
            if (!e.isBytes())
                return;
            if (e.tag == KXCTL_TAG_DEBUG) {
                std::printf("\ndbg:");
                print_chars(e.bytes(), e.length);
            } else if (!found && e.tag == answerTag) {
                copyText(e, out, size);
                found = true;
            }
        });
        return found;
    });
    return r == Ok ? 0 : 1;
}

bool badRecords(const void *records, int max, int *count) {
    return !count || (max > 0 && !records);
}

Result getbuf(const Link &link, uint32_t *offset, uint32_t *length, int line) {
    Message m;
    kxmsg_put(&m.msg, KXCTL_TAG_FWUP_GETBUF, KXMSG_TYPE_NONE, 0, 0);
    if (Result r = deliver(link, m, line))
        return r;
    // Offset and length may come in one answer or in two.
    bool haveOffset = false, haveLength = false;
    return poll(link, kGetbufTries, false, line, [&](kxmsg_t *answer) {
        forEachElement(answer, [&](const Element &e) {
            if (e.tag == KXCTL_TAG_DEBUG && e.isBytes()) {
                std::printf("\n\n--debug--");
                print_chars(e.bytes(), e.length);
                std::printf("\n---------");
            } else if (e.tag == KXCTL_TAG_FWUP_OFFSET && e.isNumber()) {
                *offset = uint32_t(e.value);
                haveOffset = true;
            } else if (e.tag == KXCTL_TAG_FWUP_LENGTH && e.isNumber()) {
                *length = uint32_t(e.value);
                haveLength = true;
            }
        });
        return haveOffset && haveLength;
    });
}

int failUpdate(Result r, int line) {
    if (r == TimedOut)
        std::printf("timeout line:%d\n", line);
    return 1;
}

// Sends [offset, offset + length) in pieces; `pos` is the end of what the unit has been
// sent without a gap from the start of the image.
Result sendPart(const Link &link, const uint8_t *image, uint32_t size, uint32_t offset,
                uint32_t length, uint32_t *pos, uint32_t *progress) {
    for (uint32_t done = 0; done < length;) {
        const uint32_t piece = std::min(kPieceMax, length - done);
        const uint32_t start = offset + done;
        done += piece;
        const uint8_t tag = done == length ? KXCTL_TAG_FWUP_DATA_LAST : KXCTL_TAG_FWUP_DATA;
        Message m;
        kxmsg_put(&m.msg, tag, KXMSG_TYPE_U8_ARRAY, uint64_t(uintptr_t(image + start)),
                  uint8_t(piece));
        if (Result r = deliver(link, m, __LINE__)) {
            failUpdate(r, __LINE__);
            return Failed;
        }
        if (start <= *pos && start + piece > *pos)
            *pos = start + piece;
        if (progress)
            *progress = *pos;
        std::printf("pos = %d/%d\n", int(*pos), int(size));
    }
    return Ok;
}

// The unit asks for the parts it wants until every byte of the image has been sent to it;
// asking for what it already has is allowed a few times, asking outside the image never.
int fwupdate(const Link &link, const uint8_t *image, uint32_t size, uint32_t *progress) {
    if (!image || size == 0) {
        KXCTL_ERROR();
        return 1;
    }
    if (progress)
        *progress = 0;
    Message start;
    kxmsg_put_u32(&start.msg, KXCTL_TAG_FWUP_START, size);
    if (Result r = deliver(link, start, __LINE__))
        return failUpdate(r, __LINE__);

    uint32_t pos = 0;
    int stalled = 0;
    while (pos < size) {
        uint32_t offset = 0, length = 0;
        if (Result r = getbuf(link, &offset, &length, __LINE__))
            return failUpdate(r, __LINE__);
        std::printf("pos = %u/%u, offset = %u, len = %u\n", pos, size, offset, length);
        if (length == 0 || offset > size || length > size - offset) {
            KXCTL_ERROR();
            return 1;
        }
        if (offset != pos)
            std::printf("offset = %u, pos = %u\n", offset, pos);
        const bool bringsNew = offset <= pos && offset + length > pos;
        if (!bringsNew && ++stalled > kStalledParts) {
            KXCTL_ERROR();
            return 1;
        }
        if (sendPart(link, image, size, offset, length, &pos, progress) != Ok)
            return 1;
    }
    std::printf("FWUP OK\n");
    return 0;
}

} // namespace

int kxctl_init(usbdevs_handle_t *dev) {
    if (!dev) {
        KXCTL_ERROR();
        return 1;
    }
    theDevice = *dev;
    return 0;
}

int msleep(unsigned int ms) {
    QThread::msleep(ms);
    return 0;
}

int kxctl_wait_ready() {
    return waitReady(kMain, __LINE__) == Ok ? 0 : 1;
}

int kxctl_fx3_wait_ready() {
    return waitReady(kFx3, __LINE__) == Ok ? 0 : 1;
}

int kxctl_set_assign_ch(kxmsg_data_ch_t src, uint8_t src_no, kxmsg_data_ch_t dst, uint8_t dst_no) {
    Message m;
    if (kxctl_put_assign_ch(&m.msg, src, src_no, dst, dst_no) != 0)
        return 1;
    return deliverMain(m, __LINE__);
}

int kxctl_set_eq(kxmsg_data_ch_t ch, uint8_t no, uint8_t on, kxmsg_data_eq_band_t band,
                 uint8_t gain, uint8_t freq, uint8_t q) {
    Message m;
    if (kxctl_put_eq(&m.msg, ch, no, on, band, gain, freq, q) != 0)
        return 1;
    return deliverMain(m, __LINE__);
}

int kxctl_set_comp(kxmsg_data_ch_t ch, uint8_t no, uint8_t on, uint8_t threshold, uint8_t ratio,
                   uint8_t attack, uint8_t release, uint8_t gain, kxmsg_data_ch_type_t link) {
    Message m;
    if (kxctl_put_comp(&m.msg, ch, no, on, threshold, ratio, attack, release, gain, link) != 0)
        return 1;
    return deliverMain(m, __LINE__);
}

// The fader level is a signed 16-bit number of tenths of a dB; one byte cannot carry it.
int kxctl_set_fader(kxmsg_data_ch_t ch, uint8_t no, int16_t level) {
    Message m;
    if (kxctl_put_ch(&m.msg, ch, no) != 0 ||
        kxmsg_put_u16(&m.msg, KXCTL_TAG_FADER, uint16_t(level)) != 1) {
        KXCTL_ERROR();
        return 1;
    }
    return deliverMain(m, __LINE__);
}

int kxctl_set_pan(kxmsg_data_ch_t ch, uint8_t no, uint8_t value) {
    return setChannel(ch, no, KXCTL_TAG_PAN, value, __LINE__);
}

int kxctl_set_mute(kxmsg_data_ch_t ch, uint8_t no, uint8_t value) {
    return setChannel(ch, no, KXCTL_TAG_MUTE, value, __LINE__);
}

int kxctl_set_solo(kxmsg_data_ch_t ch, uint8_t no, uint8_t value) {
    return setChannel(ch, no, KXCTL_TAG_SOLO, value, __LINE__);
}

int kxctl_set_phase(kxmsg_data_ch_t ch, uint8_t no, uint8_t value) {
    return setChannel(ch, no, KXCTL_TAG_PHASE, value, __LINE__);
}

int kxctl_config_save() {
    return sendMark(KXCTL_TAG_CONFIG_SAVE, __LINE__);
}

int kxctl_config_erase() {
    return sendU8(KXCTL_TAG_CONFIG_SAVE, 0, __LINE__);
}

int kxctl_cpu_reset() {
    return sendMark(KXCTL_TAG_CPU_RESET, __LINE__);
}

int kxctl_debug_led_allon(uint8_t on) {
    return sendU8(KXCTL_TAG_DEBUG_LED, on, __LINE__);
}

int kxctl_set_dsp_mode(uint8_t mode) {
    return sendU8(KXCTL_TAG_SET_DSPMODE, mode, __LINE__);
}

int kxctl_debug_set_hz(uint32_t hz) {
    Message m;
    kxmsg_put_u32(&m.msg, KXCTL_TAG_SET_HZ, hz);
    return deliverMain(m, __LINE__);
}

int kxctl_debug_set_clocksource(uint8_t source) {
    return sendU8(KXCTL_TAG_SET_CLOCKSOURCE, source, __LINE__);
}

int kxctl_debug_get_hz(uint32_t *hz) {
    return queryMain(KXCTL_TAG_HZ, KXCTL_TAG_HZ, hz, __LINE__);
}

int kxctl_debug_get_clocksource(uint32_t *source) {
    return queryMain(KXCTL_TAG_CLOCKSOURCE, KXCTL_TAG_CLOCKSOURCE, source, __LINE__);
}

int kxctl_get_dspmode(uint32_t *mode) {
    return queryMain(KXCTL_TAG_DSPMODE, KXCTL_TAG_DSPMODE, mode, __LINE__);
}

int kxctl_get_usb_speed(uint32_t *speed) {
    return queryMain(KXCTL_TAG_USB_SPEED, KXCTL_TAG_USB_SPEED, speed, __LINE__);
}

int kxctl_get_cpldver(uint32_t *version) {
    return queryMain(KXCTL_TAG_CPLDVER, KXCTL_TAG_CPLDVER, version, __LINE__);
}

int kxctl_get_autopowersave(uint8_t *value) {
    return queryMain(KXCTL_TAG_AUTOPOWERSAVE_GET, KXCTL_TAG_AUTOPOWERSAVE, value, __LINE__);
}

int kxctl_debug_get_clocklock(kxctl_clocklock_t *records, int max, int *count) {
    if (badRecords(records, max, count)) {
        KXCTL_ERROR();
        return 1;
    }
    *count = 0;
    Message m;
    kxmsg_put(&m.msg, KXCTL_TAG_CLOCKLOCK, KXMSG_TYPE_NONE, 0, 0);
    if (deliver(kMain, m, __LINE__) != Ok)
        return 1;
    const Result r = poll(kMain, kAnswerTries, false, __LINE__, [&](kxmsg_t *answer) {
        bool found = false;
        int n = 0;
        kxctl_clocklock_t record{};
        bool filled = false; // the record has a lock or a rate
        auto close = [&] {
            if (filled && n < max)
                records[n++] = record;
            record = {};
            filled = false;
        };
        forEachElement(answer, [&](const Element &e) {
            if (!e.isNumber())
                return;
            const uint32_t v = uint32_t(e.value);
            if (e.tag == KXCTL_TAG_CLOCK_SRC) {
                if (filled)
                    close();
                record.source = v;
            } else if (e.tag == KXCTL_TAG_CLOCKLOCK) {
                record.lock = v;
                filled = found = true;
            } else if (e.tag == KXCTL_TAG_CLOCK_HZ) {
                record.hz = v;
                filled = true;
            }
        });
        if (!found)
            return false;
        close();
        *count = n;
        return true;
    });
    return r == Ok ? 0 : 1;
}

int kxctl_get_version(uint16_t *version) {
    return queryMain(KXCTL_TAG_VERSION_GET, KXCTL_TAG_VERSION, version, __LINE__);
}

int kxctl_get_build(uint16_t *build) {
    return queryMain(KXCTL_TAG_VERSION_GET, KXCTL_TAG_BUILD, build, __LINE__);
}

int kxctl_get_productname(char *out, size_t size) {
    return queryText(KXCTL_TAG_PRODUCTNAME, out, size, __LINE__);
}

int kxctl_get_builddate(char *out, size_t size) {
    return queryText(KXCTL_TAG_BUILDDATE, out, size, __LINE__);
}

int kxctl_get_buildtime(char *out, size_t size) {
    return queryText(KXCTL_TAG_BUILDTIME, out, size, __LINE__);
}

int kxctl_get_productsig(char *out, size_t size) {
    return queryText(KXCTL_TAG_PRODUCTSIG, out, size, __LINE__);
}

int kxctl_fx3_get_version(uint16_t *version) {
    return queryMark(kFx3, KXCTL_TAG_VERSION_GET, KXCTL_TAG_VERSION, version, __LINE__);
}

int kxctl_fx3_get_build(uint16_t *build) {
    return queryMark(kFx3, KXCTL_TAG_VERSION_GET, KXCTL_TAG_BUILD, build, __LINE__);
}

int kxctl_get_meter(kxctl_meter_t *records, int max, int *count) {
    if (badRecords(records, max, count)) {
        KXCTL_ERROR();
        return 1;
    }
    *count = 0;
    Message m;
    kxmsg_put(&m.msg, KXCTL_TAG_METER_GET, KXMSG_TYPE_NONE, 0, 0);
    if (deliver(kMain, m, __LINE__) != Ok)
        return 1;
    const Result r = poll(kMain, kAnswerTries, false, __LINE__, [&](kxmsg_t *answer) {
        bool found = false;
        int n = 0;
        uint32_t ch = 0, no = 0;
        forEachElement(answer, [&](const Element &e) {
            if (!e.isNumber())
                return;
            const uint32_t v = uint32_t(e.value);
            if (e.tag == KXCTL_TAG_CH) {
                ch = v;
            } else if (e.tag == KXCTL_TAG_CH_NO) {
                no = v;
            } else if (e.tag == KXCTL_TAG_METER) {
                found = true;
                if (n < max)
                    records[n++] = {ch, no, v};
            }
        });
        if (found)
            *count = n;
        return found;
    });
    return r == Ok ? 0 : 1;
}

int kxctl_get_grmeter(kxmsg_data_ch_t ch, uint8_t no, uint32_t *value) {
    if (!value) {
        KXCTL_ERROR();
        return 1;
    }
    Message m;
    if (kxctl_put_grmeter(&m.msg, ch, no) != 0)
        return 1;
    if (deliver(kMain, m, __LINE__) != Ok)
        return 1;
    const Result r = poll(kMain, kAnswerTries, false, __LINE__, [&](kxmsg_t *answer) {
        bool found = false;
        bool chMatches = false, noMatches = false;
        forEachElement(answer, [&](const Element &e) {
            if (found || !e.isNumber())
                return;
            if (e.tag == KXCTL_TAG_CH) {
                chMatches = e.value == ch;
            } else if (e.tag == KXCTL_TAG_CH_NO) {
                noMatches = e.value == no;
            } else if (e.tag == KXCTL_TAG_GRMETER && chMatches && noMatches) {
                *value = uint32_t(e.value);
                found = true;
            }
        });
        return found;
    });
    return r == Ok ? 0 : 1;
}

int kxctl_debugprint(char *out, size_t size) {
    if (!out || size == 0) {
        KXCTL_ERROR();
        return 1;
    }
    out[0] = '\0';
    Message answer;
    if (kxctl_recv(&theDevice, &answer.msg) != 0)
        return 1;
    bool found = false;
    forEachElement(&answer.msg, [&](const Element &e) {
        if (!found && e.tag == KXCTL_TAG_DEBUG && e.isBytes()) {
            copyText(e, out, size);
            found = true;
        }
    });
    // An answer without a debug text is no error; there is just nothing to show.
    return found ? 0 : 1;
}

int kxctl_get_fw_checksum(uint32_t length, uint32_t *checksum) {
    Message m;
    kxmsg_put_u32(&m.msg, KXCTL_TAG_FW_CHECKSUM_GET, length);
    return queryNumber(kMain, m, KXCTL_TAG_FW_CHECKSUM, kChecksumTries, checksum, __LINE__);
}

int kxctl_fx3_get_fw_checksum(uint32_t length, uint32_t *checksum) {
    Message m;
    kxmsg_put_u32(&m.msg, KXCTL_TAG_FW_CHECKSUM_GET, length);
    return queryNumber(kFx3, m, KXCTL_TAG_FW_CHECKSUM, kFx3ChecksumTries, checksum, __LINE__);
}

int kxctl_fwupdate_getbuf(uint32_t *offset, uint32_t *length) {
    if (!offset || !length) {
        KXCTL_ERROR();
        return 1;
    }
    return getbuf(kMain, offset, length, __LINE__) == Ok ? 0 : 1;
}

int kxctl_fwupdate(const uint8_t *image, uint32_t size, uint32_t *progress) {
    return fwupdate(kMain, image, size, progress);
}

int kxctl_fx3_fwupdate(const uint8_t *image, uint32_t size, uint32_t *progress) {
    return fwupdate(kFx3, image, size, progress);
}

void print_chars(const char *text, int count) {
    if (!text)
        return;
    for (int i = 0; i < count && text[i] != '\0'; ++i)
        std::putchar(text[i]);
}
