// The synchronous command set against a scripted unit on the virtual bus: the unit gives the
// answers a test queues for each IN request and records every request it was sent.
#include "StdoutCapture.h"
#include "kxctl.h"
#include "virtualbus.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>

namespace {

// Answer elements, written out by hand so that the test does not lean on the codec.
QByteArray bytes(std::initializer_list<unsigned> values) {
    QByteArray a;
    for (unsigned v : values)
        a.append(char(v & 0xff));
    return a;
}
QByteArray mark(unsigned tag) {
    return bytes({tag, 1});
}
QByteArray u8(unsigned tag, unsigned v) {
    return bytes({tag, 2, v});
}
QByteArray u16(unsigned tag, unsigned v) {
    return bytes({tag, 3, v, v >> 8});
}
QByteArray u32(unsigned tag, unsigned v) {
    return bytes({tag, 4, v, v >> 8, v >> 16, v >> 24});
}
QByteArray text(unsigned tag, const QByteArray &t) {
    return bytes({tag, 5, unsigned(t.size())}) + t;
}

const QByteArray kReady = u8(161, 1);
const QByteArray kBusy = u8(161, 0);

int errorLines(const QStringList &lines) {
    return lines.filter(QRegularExpression("^kxtest/kxctl:\\d+:ERROR$")).size();
}

} // namespace

struct Reply {
    QByteArray bytes;
    bool fails = false;
    Reply(const QByteArray &b = QByteArray()) : bytes(b) {}
};
using Script = QVector<Reply>;
using Call = std::function<int()>;
using Query = std::function<int(uint64_t *)>;
using TextQuery = std::function<int(char *, size_t)>;
Q_DECLARE_METATYPE(Script)
Q_DECLARE_METATYPE(Call)
Q_DECLARE_METATYPE(Query)
Q_DECLARE_METATYPE(TextQuery)

namespace {

Reply failedRead() {
    Reply r;
    r.fails = true;
    return r;
}

template <class T> Query query(int (*f)(T *)) {
    return [f](uint64_t *v) {
        T x{};
        const int r = f(&x);
        *v = x;
        return r;
    };
}

} // namespace

class ScriptedUnit : public usbhost::VirtualDevice {
public:
    struct Seen {
        bool out;
        uint8_t bRequest;
        QByteArray data;
    };

    void queue(uint8_t bRequest, const Script &script) {
        for (const Reply &r : script)
            replies_[bRequest].push_back(r);
    }
    int count(bool out, uint8_t bRequest) const {
        return int(std::count_if(seen.begin(), seen.end(), [&](const Seen &s) {
            return s.out == out && s.bRequest == bRequest;
        }));
    }
    QVector<QByteArray> sent(uint8_t bRequest) const {
        QVector<QByteArray> messages;
        for (const Seen &s : seen)
            if (s.out && s.bRequest == bRequest)
                messages << s.data;
        return messages;
    }

    // What an IN request gets when nothing is queued for it.
    QByteArray idle = kReady;
    // Called for every OUT message; may queue answers.
    std::function<void(ScriptedUnit &, uint8_t, const QByteArray &)> onOut;
    QVector<Seen> seen;

    uint16_t vendorId() const override { return 0x4B2D; }
    uint16_t productId() const override { return 0x6C31; }
    std::string registryName() const override { return "scripted unit"; }

    usbhost::Return controlRequest(usbhost::DeviceRequest &request) override {
        if (request.bmRequestType == usbhost::kRequestTypeVendorOut) {
            const QByteArray data(static_cast<const char *>(request.pData), request.wLength);
            seen.push_back({true, request.bRequest, data});
            if (onOut)
                onOut(*this, request.bRequest, data);
            return usbhost::kSuccess;
        }
        seen.push_back({false, request.bRequest, QByteArray()});
        Reply reply(idle);
        auto &queued = replies_[request.bRequest];
        if (!queued.empty()) {
            reply = queued.front();
            queued.pop_front();
        }
        if (reply.fails)
            return usbhost::kNotResponding;
        const int n = std::min<int>(reply.bytes.size(), request.wLength);
        std::memcpy(request.pData, reply.bytes.constData(), size_t(n));
        request.wLenDone = uint32_t(n);
        return usbhost::kSuccess;
    }

private:
    std::map<uint8_t, std::deque<Reply>> replies_;
};

class TestKxctlCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void waitReady_data();
    void waitReady();
    void fx3WaitReady_data();
    void fx3WaitReady();
    void setCommands_data();
    void setCommands();
    void setCommandNotSentToUnitNeverReady();
    void queries_data();
    void queries();
    void queryGivesUpAfterHundredAnswers();
    void textQueries_data();
    void textQueries();
    void clockLock_data();
    void clockLock();
    void meters_data();
    void meters();
    void grmeterTakesTheMatchingChannel();
    void debugprintReadsOnce();
    void getbufShowsDebugTexts();
    void firmwareUpdate_data();
    void firmwareUpdate();
    void printChars_data();
    void printChars();

private:
    usbdevs_t ctx_;
    std::shared_ptr<ScriptedUnit> unit_;
};

void TestKxctlCommands::init() {
    StdoutCapture quiet;
    usbdevs_init(&ctx_);
    unit_ = std::make_shared<ScriptedUnit>();
    usbhost::virtualbus::attach(unit_);
    usbdevs_handle_t handle{};
    QDeadlineTimer deadline(2000);
    while (usbdevs_get_dev(&ctx_, &handle, 0) != 0 && !deadline.hasExpired()) {
        usbdevs_refresh();
        QCoreApplication::processEvents();
    }
    QCOMPARE(usbdevs_get_dev(&ctx_, &handle, 0), 0);
    QCOMPARE(kxctl_init(&handle), 0);
}

void TestKxctlCommands::cleanup() {
    StdoutCapture quiet;
    usbhost::virtualbus::detach(unit_.get());
    usbdevs_refresh();
    QCoreApplication::processEvents();
    usbdevs_fini(&ctx_);
    unit_.reset();
}

void TestKxctlCommands::waitReady_data() {
    QTest::addColumn<Script>("script");
    QTest::addColumn<QByteArray>("idle");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("reads");

    QTest::newRow("ready at once") << Script{} << kReady << 0 << 1;
    QTest::newRow("ready after busy answers") << Script{kBusy, kBusy} << kReady << 0 << 3;
    QTest::newRow("answer without ready element")
        << Script{kBusy, u8(97, 4) + u8(98, 1)} << kBusy << 0 << 2;
    QTest::newRow("failed read is a try") << Script{failedRead()} << kReady << 0 << 2;
    // Failed reads count against the 1000, or there would be 1003 requests.
    QTest::newRow("busy for ever")
        << Script{failedRead(), failedRead(), failedRead()} << kBusy << 1 << 1000;
}

void TestKxctlCommands::waitReady() {
    QFETCH(Script, script);
    QFETCH(QByteArray, idle);
    QFETCH(int, result);
    QFETCH(int, reads);
    StdoutCapture out;
    unit_->queue(KXCTL_REQUEST_IN, script);
    unit_->idle = idle;

    QCOMPARE(kxctl_wait_ready(), result);
    QCOMPARE(unit_->count(false, KXCTL_REQUEST_IN), reads);
    QCOMPARE(unit_->seen.size(), reads);
    const int failed =
        int(std::count_if(script.begin(), script.end(), [](const Reply &r) { return r.fails; }));
    QCOMPARE(errorLines(out.takeLines()), failed + result);
}

void TestKxctlCommands::fx3WaitReady_data() {
    QTest::addColumn<Script>("script");
    QTest::addColumn<QByteArray>("idle");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("reads");

    QTest::newRow("ready after busy answers") << Script{kBusy, kBusy} << kReady << 0 << 3;
    QTest::newRow("busy for ever") << Script{} << kBusy << 1 << 100;
    QTest::newRow("failed read ends it") << Script{kBusy, failedRead()} << kReady << 1 << 2;
}

void TestKxctlCommands::fx3WaitReady() {
    QFETCH(Script, script);
    QFETCH(QByteArray, idle);
    QFETCH(int, result);
    QFETCH(int, reads);
    StdoutCapture out;
    unit_->queue(KXCTL_REQUEST_FX3_IN, script);
    unit_->idle = idle;

    QCOMPARE(kxctl_fx3_wait_ready(), result);
    QCOMPARE(unit_->count(false, KXCTL_REQUEST_FX3_IN), reads);
    QCOMPARE(unit_->seen.size(), reads);
}

void TestKxctlCommands::setCommands_data() {
    QTest::addColumn<Call>("call");
    QTest::addColumn<QByteArray>("bytes");

    // The fader travels as a 16-bit element; -1270 (minus infinity) is 0xfb0a.
    QTest::newRow("fader -inf") << Call([] {
        return kxctl_set_fader(KXMSG_DATA_CH_MIXER_INPUT, 3, -1270);
    }) << QByteArray::fromHex("610204 620203 81030afb 0000");
    QTest::newRow("fader +6 dB") << Call([] {
        return kxctl_set_fader(KXMSG_DATA_CH_LINEOUT, 9, 60);
    }) << QByteArray::fromHex("610201 620209 81033c00 0000");
    QTest::newRow("pan") << Call([] { return kxctl_set_pan(KXMSG_DATA_CH_MIXER_INPUT, 1, 40); })
                         << QByteArray::fromHex("610204 620201 820228 0000");
    QTest::newRow("mute") << Call([] { return kxctl_set_mute(KXMSG_DATA_CH_MASTER, 2, 1); })
                          << QByteArray::fromHex("610202 620202 830201 0000");
    QTest::newRow("solo") << Call([] { return kxctl_set_solo(KXMSG_DATA_CH_MIXER_INPUT, 20, 1); })
                          << QByteArray::fromHex("610204 620214 840201 0000");
    QTest::newRow("phase") << Call([] { return kxctl_set_phase(KXMSG_DATA_CH_MIXER_INPUT, 5, 0); })
                           << QByteArray::fromHex("610204 620205 850200 0000");
    QTest::newRow("assign") << Call([] {
        return kxctl_set_assign_ch(KXMSG_DATA_CH_PLAYBACK, 2, KXMSG_DATA_CH_LINEOUT, 5);
    }) << QByteArray::fromHex("610203 620202 4101 610201 620205 4201 4301 0000");
    QTest::newRow("eq") << Call([] {
        return kxctl_set_eq(KXMSG_DATA_CH_MIXER_INPUT, 7, 1, KXMSG_DATA_EQ_BAND_LOWMID, 10, 20, 3);
    }) << QByteArray::fromHex("610204 620207 510202 52020a 530214 540203 550201 0000");
    QTest::newRow("comp") << Call([] {
        return kxctl_set_comp(KXMSG_DATA_CH_MIXER_INPUT, 1, 1, 5, 6, 7, 8, 9,
                              KXMSG_DATA_CH_TYPE_STEREO_ODD);
    })
                          << QByteArray::fromHex(
                                 "610204 620201 910205 920206 930207 940208 950209 960202 970201 "
                                 "0000");
    QTest::newRow("config save") << Call(kxctl_config_save) << QByteArray::fromHex("a201 0000");
    QTest::newRow("config erase") << Call(kxctl_config_erase) << QByteArray::fromHex("a20200 0000");
    QTest::newRow("cpu reset") << Call(kxctl_cpu_reset) << QByteArray::fromHex("2901 0000");
    QTest::newRow("leds on") << Call([] { return kxctl_debug_led_allon(1); })
                             << QByteArray::fromHex("130201 0000");
    QTest::newRow("dsp mode") << Call([] { return kxctl_set_dsp_mode(2); })
                              << QByteArray::fromHex("890202 0000");
    QTest::newRow("sample rate") << Call([] { return kxctl_debug_set_hz(96000); })
                                 << QByteArray::fromHex("170400770100 0000");
    QTest::newRow("clock source") << Call([] { return kxctl_debug_set_clocksource(5); })
                                  << QByteArray::fromHex("190205 0000");
}

void TestKxctlCommands::setCommands() {
    QFETCH(Call, call);
    QFETCH(QByteArray, bytes);
    StdoutCapture out;
    unit_->queue(KXCTL_REQUEST_IN, Script{kBusy});

    QCOMPARE(call(), 0);
    // Two reads for ready, then the message, ending with its end element.
    QCOMPARE(unit_->seen.size(), 3);
    QVERIFY(!unit_->seen[0].out && !unit_->seen[1].out);
    QVERIFY(unit_->seen[2].out);
    QCOMPARE(int(unit_->seen[2].bRequest), int(KXCTL_REQUEST_OUT));
    QCOMPARE(unit_->seen[2].data.toHex(), bytes.toHex());
    QCOMPARE(out.take(), QString());
}

void TestKxctlCommands::setCommandNotSentToUnitNeverReady() {
    StdoutCapture out;
    unit_->idle = kBusy;
    QCOMPARE(kxctl_set_mute(KXMSG_DATA_CH_MIXER_INPUT, 1, 1), 1);
    QCOMPARE(unit_->count(true, KXCTL_REQUEST_OUT), 0);
    QCOMPARE(unit_->count(false, KXCTL_REQUEST_IN), 1000);
    QCOMPARE(errorLines(out.takeLines()), 1);
}

void TestKxctlCommands::queries_data() {
    QTest::addColumn<Query>("query");
    QTest::addColumn<bool>("fx3");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<Script>("answers"); // after the one that said ready
    QTest::addColumn<quint64>("expected");

    const QByteArray version = QByteArray::fromHex("3101 0000");
    QTest::newRow("version") << query(kxctl_get_version) << false << version
                             << Script{kReady, kReady + u16(51, 59) + u16(50, 102)} << quint64(102);
    QTest::newRow("build") << query(kxctl_get_build) << false << version
                           << Script{u16(50, 102) + u16(51, 59)} << quint64(59);
    // The request tag echoed without a number is not the answer.
    QTest::newRow("sample rate") << query(kxctl_debug_get_hz) << false
                                 << QByteArray::fromHex("1801 0000")
                                 << Script{mark(24), kBusy, u32(24, 48000)} << quint64(48000);
    QTest::newRow("clock source") << query(kxctl_debug_get_clocksource) << false
                                  << QByteArray::fromHex("1a01 0000") << Script{u8(26, 5)}
                                  << quint64(5);
    QTest::newRow("dsp mode") << query(kxctl_get_dspmode) << false
                              << QByteArray::fromHex("c101 0000") << Script{kReady, u8(193, 3)}
                              << quint64(3);
    QTest::newRow("usb speed") << query(kxctl_get_usb_speed) << false
                               << QByteArray::fromHex("c401 0000") << Script{u8(196, 3)}
                               << quint64(3);
    QTest::newRow("cpld version") << query(kxctl_get_cpldver) << false
                                  << QByteArray::fromHex("1c01 0000") << Script{u16(28, 0x0102)}
                                  << quint64(0x0102);
    QTest::newRow("auto power save")
        << query(kxctl_get_autopowersave) << false << QByteArray::fromHex("1401 0000")
        << Script{u8(20, 7) + u8(21, 1)} << quint64(1);
    QTest::newRow("checksum") << Query([](uint64_t *v) {
        uint32_t x = 0;
        const int r = kxctl_get_fw_checksum(0x12345, &x);
        *v = x;
        return r;
    }) << false << QByteArray::fromHex("270445230100 0000")
                              << Script{kReady, u32(40, 0xdeadbeef)} << quint64(0xdeadbeef);
    QTest::newRow("fx3 version") << query(kxctl_fx3_get_version) << true << version
                                 << Script{kReady, u16(50, 7)} << quint64(7);
    QTest::newRow("fx3 build") << query(kxctl_fx3_get_build) << true << version
                               << Script{u16(51, 8)} << quint64(8);
    QTest::newRow("fx3 checksum") << Query([](uint64_t *v) {
        uint32_t x = 0;
        const int r = kxctl_fx3_get_fw_checksum(64, &x);
        *v = x;
        return r;
    }) << true << QByteArray::fromHex("270440000000 0000")
                                  << Script{u32(40, 0x01020304)} << quint64(0x01020304);
}

void TestKxctlCommands::queries() {
    QFETCH(Query, query);
    QFETCH(bool, fx3);
    QFETCH(QByteArray, sent);
    QFETCH(Script, answers);
    QFETCH(quint64, expected);
    StdoutCapture out;
    const uint8_t outRequest = fx3 ? KXCTL_REQUEST_FX3_OUT : KXCTL_REQUEST_OUT;
    const uint8_t inRequest = fx3 ? KXCTL_REQUEST_FX3_IN : KXCTL_REQUEST_IN;
    unit_->queue(inRequest, Script{kReady} + answers);

    uint64_t value = 0;
    QCOMPARE(query(&value), 0);
    QCOMPARE(value, expected);
    QCOMPARE(unit_->sent(outRequest), QVector<QByteArray>{sent});
    QCOMPARE(unit_->count(false, inRequest), 1 + answers.size());
    QCOMPARE(unit_->seen.size(), 2 + answers.size());
    QCOMPARE(out.take(), QString());
}

void TestKxctlCommands::queryGivesUpAfterHundredAnswers() {
    StdoutCapture out;
    uint32_t hz = 7;
    QCOMPARE(kxctl_debug_get_hz(&hz), 1);
    QCOMPARE(hz, 7u);
    QCOMPARE(unit_->count(true, KXCTL_REQUEST_OUT), 1);
    QCOMPARE(unit_->count(false, KXCTL_REQUEST_IN), 1 + 100);
    QCOMPARE(errorLines(out.takeLines()), 1);
}

void TestKxctlCommands::textQueries_data() {
    QTest::addColumn<TextQuery>("call");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("product name") << TextQuery(kxctl_get_productname) << 64
                                  << QByteArray("OLVANE Tarvik");
    QTest::newRow("product name cut")
        << TextQuery(kxctl_get_productname) << 7 << QByteArray("OLVANE");
    QTest::newRow("room for the terminator only")
        << TextQuery(kxctl_get_productname) << 1 << QByteArray();
    QTest::newRow("build date") << TextQuery(kxctl_get_builddate) << 64
                                << QByteArray("Dec  9 2026");
    QTest::newRow("build time") << TextQuery(kxctl_get_buildtime) << 64 << QByteArray("12:00:00");
    QTest::newRow("product signature")
        << TextQuery(kxctl_get_productsig) << 64 << QByteArray("SIG1");
}

void TestKxctlCommands::textQueries() {
    QFETCH(TextQuery, call);
    QFETCH(int, size);
    QFETCH(QByteArray, expected);
    StdoutCapture out;
    unit_->queue(KXCTL_REQUEST_IN, Script{kReady, text(18, "boot"),
                                          text(52, "OLVANE Tarvik") + text(53, "Dec  9 2026") +
                                              text(54, "12:00:00") + text(55, "SIG1")});

    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    QCOMPARE(call(buffer, size_t(size)), 0);
    QCOMPARE(QByteArray(buffer), expected);
    QCOMPARE(unit_->sent(KXCTL_REQUEST_OUT), QVector<QByteArray>{QByteArray::fromHex("3101 0000")});
    QCOMPARE(out.take(), QString("\ndbg:boot"));
}

void TestKxctlCommands::clockLock_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("max");
    QTest::addColumn<QVector<uint>>("expected"); // source, lock, rate per record

    const QByteArray three =
        u8(29, 1) + u8(27, 3) + u32(30, 48000) + u8(29, 2) + u8(27, 1) + u8(29, 5) + u32(30, 44100);
    QTest::newRow("three sources")
        << three << 8 << QVector<uint>{1, 3, 48000, 2, 1, 0, 5, 0, 44100};
    QTest::newRow("only the caller's room") << three << 2 << QVector<uint>{1, 3, 48000, 2, 1, 0};
    QTest::newRow("source without lock or rate is replaced")
        << u8(29, 5) + u8(29, 6) + u8(27, 3) + u32(30, 96000) << 8 << QVector<uint>{6, 3, 96000};
    QTest::newRow("lone source at the end is no record")
        << u8(29, 1) + u8(27, 3) + u8(29, 2) << 8 << QVector<uint>{1, 3, 0};
}

void TestKxctlCommands::clockLock() {
    QFETCH(QByteArray, answer);
    QFETCH(int, max);
    QFETCH(QVector<uint>, expected);
    StdoutCapture out;
    // The second answer has a rate but no lock state: not yet the answer.
    unit_->queue(KXCTL_REQUEST_IN, Script{kReady, u8(29, 1) + u32(30, 48000), answer});

    kxctl_clocklock_t records[8] = {};
    int count = -1;
    QCOMPARE(kxctl_debug_get_clocklock(records, max, &count), 0);
    QVector<uint> got;
    for (int i = 0; i < count; ++i)
        got << records[i].source << records[i].lock << records[i].hz;
    QCOMPARE(got, expected);
    QCOMPARE(unit_->sent(KXCTL_REQUEST_OUT), QVector<QByteArray>{QByteArray::fromHex("1b01 0000")});
    QCOMPARE(unit_->count(false, KXCTL_REQUEST_IN), 3);
}

void TestKxctlCommands::meters_data() {
    QTest::addColumn<int>("max");
    QTest::addColumn<QVector<uint>>("expected"); // group, number, value per record

    QTest::newRow("all") << 8 << QVector<uint>{4, 1, 32768, 4, 2, 100, 2, 1, 5};
    QTest::newRow("only the caller's room") << 1 << QVector<uint>{4, 1, 32768};
}

void TestKxctlCommands::meters() {
    QFETCH(int, max);
    QFETCH(QVector<uint>, expected);
    StdoutCapture out;
    const QByteArray answer = u8(97, 4) + u8(98, 1) + u16(114, 32768) + u8(98, 2) + u16(114, 100) +
                              u8(97, 2) + u8(98, 1) + u16(114, 5);
    unit_->queue(KXCTL_REQUEST_IN, Script{kReady, kReady, answer});

    kxctl_meter_t records[8] = {};
    int count = -1;
    QCOMPARE(kxctl_get_meter(records, max, &count), 0);
    QVector<uint> got;
    for (int i = 0; i < count; ++i)
        got << records[i].ch << records[i].no << records[i].value;
    QCOMPARE(got, expected);
    QCOMPARE(unit_->sent(KXCTL_REQUEST_OUT), QVector<QByteArray>{QByteArray::fromHex("7101 0000")});
    QCOMPARE(unit_->count(false, KXCTL_REQUEST_IN), 3);
}

void TestKxctlCommands::grmeterTakesTheMatchingChannel() {
    StdoutCapture out;
    unit_->queue(KXCTL_REQUEST_IN, Script{kReady, u8(97, 4) + u8(98, 1) + u16(178, 10),
                                          u8(97, 4) + u8(98, 2) + u16(178, 20)});
    uint32_t value = 0;
    QCOMPARE(kxctl_get_grmeter(KXMSG_DATA_CH_MIXER_INPUT, 2, &value), 0);
    QCOMPARE(value, 20u);
    QCOMPARE(unit_->sent(KXCTL_REQUEST_OUT),
             QVector<QByteArray>{QByteArray::fromHex("610204 620202 b101 0000")});
}

void TestKxctlCommands::debugprintReadsOnce() {
    StdoutCapture out;
    unit_->queue(KXCTL_REQUEST_IN, Script{kReady + text(18, "hello")});
    char buffer[4];
    QCOMPARE(kxctl_debugprint(buffer, sizeof buffer), 0);
    QCOMPARE(QByteArray(buffer), QByteArray("hel"));
    // Nothing to show: one more read, and an empty text.
    QCOMPARE(kxctl_debugprint(buffer, sizeof buffer), 1);
    QCOMPARE(QByteArray(buffer), QByteArray());
    QCOMPARE(unit_->seen.size(), 2);
    QCOMPARE(unit_->count(false, KXCTL_REQUEST_IN), 2);
}

void TestKxctlCommands::getbufShowsDebugTexts() {
    StdoutCapture out;
    unit_->queue(KXCTL_REQUEST_IN, Script{kReady, text(18, "erase") + u32(36, 128), u16(35, 61)});
    uint32_t offset = 0, length = 0;
    QCOMPARE(kxctl_fwupdate_getbuf(&offset, &length), 0);
    QCOMPARE(offset, 128u);
    QCOMPARE(length, 61u);
    QCOMPARE(unit_->sent(KXCTL_REQUEST_OUT), QVector<QByteArray>{QByteArray::fromHex("2201 0000")});
    QCOMPARE(out.take(), QString("\n\n--debug--erase\n---------"));
}

void TestKxctlCommands::firmwareUpdate_data() {
    QTest::addColumn<bool>("fx3");
    QTest::addColumn<int>("size");
    QTest::addColumn<QVector<uint>>("plan"); // offset, length of each part the unit asks for
    QTest::addColumn<int>("result");
    QTest::addColumn<QVector<uint>>("pieces"); // tag, offset, length of each piece sent
    QTest::addColumn<uint>("progress");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("two parts")
        << false << 150 << QVector<uint>{0, 100, 100, 50} << 0
        << QVector<uint>{37, 0, 61, 38, 61, 39, 38, 100, 50} << 150u
        << QStringList{"pos = 0/150, offset = 0, len = 100",    "pos = 61/150",  "pos = 100/150",
                       "pos = 100/150, offset = 100, len = 50", "pos = 150/150", "FWUP OK"};
    QTest::newRow("fx3, a part asked again")
        << true << 130 << QVector<uint>{0, 61, 0, 61, 61, 69} << 0
        << QVector<uint>{38, 0, 61, 38, 0, 61, 37, 61, 61, 38, 122, 8} << 130u
        << QStringList{"offset = 0, pos = 61", "FWUP OK"};
    QTest::newRow("part outside the image")
        << false << 150 << QVector<uint>{100, 60} << 1 << QVector<uint>{} << 0u
        << QStringList{"pos = 0/150, offset = 100, len = 60"};
    QVector<uint> again;
    for (int i = 0; i < 11; ++i)
        again << 38 << 0 << 10;
    QTest::newRow("unit asking the same part for ever")
        << false << 150 << QVector<uint>{0, 10} << 1 << again << 10u
        << QStringList{"offset = 0, pos = 10"};
}

void TestKxctlCommands::firmwareUpdate() {
    QFETCH(bool, fx3);
    QFETCH(int, size);
    QFETCH(QVector<uint>, plan);
    QFETCH(int, result);
    QFETCH(QVector<uint>, pieces);
    QFETCH(uint, progress);
    QFETCH(QStringList, lines);
    StdoutCapture out;

    QByteArray image(size, 0);
    for (int i = 0; i < size; ++i)
        image[i] = char(i * 7 + 3);

    // The unit's side: answers each 34 with the next part of its plan (the last one for
    // ever once the plan is used up) and puts the pieces where the part it asked for lies.
    struct Side {
        int next = 0;
        uint cursor = 0;
        QByteArray start;
        QVector<uint> pieces;
        QByteArray written;
        bool wellFormed = true;
    };
    auto side = std::make_shared<Side>();
    side->written = QByteArray(size, 0);
    unit_->onOut = [side, plan](ScriptedUnit &unit, uint8_t bRequest, const QByteArray &m) {
        const uint8_t tag = uint8_t(m.at(0));
        if (tag == 33) {
            side->start = m;
        } else if (tag == 34) {
            const int i = std::min(side->next++, plan.size() / 2 - 1);
            side->cursor = plan[2 * i];
            unit.queue(uint8_t(bRequest + 1),
                       Script{u32(36, plan[2 * i]) + u32(35, plan[2 * i + 1])});
        } else if (tag == 37 || tag == 38) {
            const int len = uint8_t(m.at(2));
            const QByteArray rest = m.mid(3 + len);
            side->wellFormed = side->wellFormed && m.at(1) == 5 &&
                               (rest.isEmpty() || rest == QByteArray(2, 0)) && m.size() <= 64;
            side->pieces << tag << side->cursor << uint(len);
            side->written.replace(int(side->cursor), len, m.mid(3, len));
            side->cursor += uint(len);
        }
    };

    uint32_t counter = 12345;
    const auto *data = reinterpret_cast<const uint8_t *>(image.constData());
    const int r = fx3 ? kxctl_fx3_fwupdate(data, uint32_t(size), &counter)
                      : kxctl_fwupdate(data, uint32_t(size), &counter);
    const QStringList printed = out.takeLines();
    QCOMPARE(r, result);
    QCOMPARE(side->start, u32(33, uint(size)) + QByteArray(2, 0));
    QCOMPARE(side->pieces, pieces);
    QVERIFY(side->wellFormed);
    QCOMPARE(counter, progress);
    for (const QString &line : lines)
        QVERIFY2(printed.contains(line), qPrintable(line));
    QCOMPARE(printed.contains("FWUP OK"), result == 0);
    if (result == 0)
        QCOMPARE(side->written.toHex(), image.toHex());
    // Every request went the chosen way.
    const uint8_t other = fx3 ? KXCTL_REQUEST_OUT : KXCTL_REQUEST_FX3_OUT;
    QCOMPARE(unit_->count(true, other) + unit_->count(false, uint8_t(other + 1)), 0);
}

void TestKxctlCommands::printChars_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");

    QTest::newRow("cut") << QByteArray("abc") << 2 << "ab";
    QTest::newRow("stops at a zero byte") << QByteArray("ab\0cd", 5) << 5 << "ab";
    QTest::newRow("nothing") << QByteArray("abc") << 0 << "";
    QTest::newRow("negative count") << QByteArray("abc") << -1 << "";
}

void TestKxctlCommands::printChars() {
    QFETCH(QByteArray, text);
    QFETCH(int, count);
    QFETCH(QString, expected);
    StdoutCapture out;
    print_chars(text.constData(), count);
    print_chars(nullptr, 3);
    QCOMPARE(out.take(), expected);
}

QTEST_GUILESS_MAIN(TestKxctlCommands)
#include "tst_kxctl_commands.moc"
