#include "QKXDevice.h"
#include "QKXDeviceUnit.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <mutex>
#include <vector>

namespace {

// How long the exit waits for the worker: one message with every retry timing out.
constexpr unsigned long kWorkerExitWaitMs = 6000;

// Workers built before the application object exists (the store's proxy is built during
// static initialisation) start with it: an event loop run earlier warns on every start.
// Built on first use: a proxy may be built by another unit's static initialisation first.
struct PendingStarts {
    std::mutex lock;
    std::vector<QThread *> threads;
};

PendingStarts &pending() {
    static PendingStarts list;
    return list;
}

void startPendingThreads() {
    PendingStarts &p = pending();
    std::lock_guard<std::mutex> guard(p.lock);
    for (QThread *thread : p.threads)
        thread->start(QThread::InheritPriority);
    p.threads.clear();
}

// True when the start waits for the application object.
bool startWhenPossible(QThread *thread) {
    if (QCoreApplication::instance()) {
        thread->start(QThread::InheritPriority);
        return false;
    }
    static const bool hooked = (qAddPreRoutine(startPendingThreads), true);
    Q_UNUSED(hooked);
    PendingStarts &p = pending();
    std::lock_guard<std::mutex> guard(p.lock);
    p.threads.push_back(thread);
    return true;
}

void forgetPendingStart(QThread *thread) {
    PendingStarts &p = pending();
    std::lock_guard<std::mutex> guard(p.lock);
    p.threads.erase(std::remove(p.threads.begin(), p.threads.end(), thread), p.threads.end());
}

void registerTypes() {
    qRegisterMetaType<kxmsg_data_ch_t>("kxmsg_data_ch_t");
    qRegisterMetaType<kxmsg_data_clocksource_t>("kxmsg_data_clocksource_t");
    qRegisterMetaType<kxmsg_data_clocklock_t>("kxmsg_data_clocklock_t");
    qRegisterMetaType<kxmsg_data_dspmode_t>("kxmsg_data_dspmode_t");
    qRegisterMetaType<kxmsg_data_adat_x4mode_t>("kxmsg_data_adat_x4mode_t");
    qRegisterMetaType<uint32_t>("uint32_t");
    qRegisterMetaType<uint16_t>("uint16_t");
    qRegisterMetaType<uint8_t>("uint8_t");
}

// Sizes of the single elements the packer writes itself.
constexpr uint8_t kMarkerBytes = 2;
constexpr uint8_t kU8Bytes = 3;
constexpr uint8_t kU16Bytes = 4;
constexpr uint8_t kU32Bytes = 6;

bool fits(const kxmsg_t *msg, uint8_t bytes) {
    return msg->capacity - msg->position >= bytes;
}

// Writes a marked item of this many bytes with its writer (0 for success), clears its pending
// mark and marks it carried; false when it does not fit, which ends the packing. The room is
// looked at before the writer is asked: an item left for the next message is the normal course
// of packing, not a failure for the writer to report.
template <class Item, class Write>
bool putMarked(kxmsg_t *msg, Item &item, uint8_t bytes, Write write) {
    if (!item.mark)
        return true;
    if (!fits(msg, bytes) || write() != 0)
        return false;
    item.mark = false;
    item.carried = true;
    return true;
}

int putRequest(kxmsg_t *msg, uint8_t tag) {
    return kxmsg_put(msg, tag, KXMSG_TYPE_NONE, 0, 0);
}

} // namespace

QKXDevice::QKXDevice(QObject *parent) : QObject(parent) {
    registerTypes();

    unit_ = new QKXDeviceUnit(nullptr);
    thread_ = new QThread(nullptr);
    unit_->moveToThread(thread_);
    connect(unit_, &QKXDeviceUnit::finished, thread_, &QThread::quit);
    connect(unit_, &QKXDeviceUnit::finished, unit_, &QObject::deleteLater);
    connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
    startDeferred_ = startWhenPossible(thread_);

    connect(this, &QKXDevice::sig_deselect, unit_, &QKXDeviceUnit::deselect);
    connect(unit_, &QKXDeviceUnit::ret_deselect, this, &QKXDevice::recv_deselect);
    connect(this, &QKXDevice::sig_is_selected, unit_, &QKXDeviceUnit::is_selected);
    connect(unit_, &QKXDeviceUnit::ret_is_selected, this, &QKXDevice::recv_is_selected);
    connect(this, &QKXDevice::sig_kx_send, unit_, &QKXDeviceUnit::kx_send);
    connect(unit_, &QKXDeviceUnit::kx_send_result, this, &QKXDevice::recv_kx_send_result);
    connect(this, &QKXDevice::sig_kx_recv, unit_, &QKXDeviceUnit::kx_recv);
    connect(unit_, &QKXDeviceUnit::kx_recv_result, this, &QKXDevice::recv_kx_recv_result);
}

QKXDevice::~QKXDevice() {
    // Nothing may run against this object once it is gone: end the worker and wait for it.
    disconnect(unit_, nullptr, this, nullptr);
    if (startDeferred_)
        forgetPendingStart(thread_);
    unit_->finish();
    if (!thread_->wait(kWorkerExitWaitMs))
        return; // a worker stuck in a transfer past the wait is left to end with the process
    // The thread's end does not run the worker's deferred deletion; with the thread gone it is
    // safe to delete it here.
    delete unit_.data();
    delete thread_;
}

// --- requests ------------------------------------------------------------------------------

void QKXDevice::request_version() {
    version_.mark = true;
    kx_send();
}

void QKXDevice::request_hz() {
    hz_.mark = true;
    kx_send();
}

void QKXDevice::request_clocksource() {
    clocksourceReq_.mark = true;
    kx_send();
}

void QKXDevice::request_clocklock() {
    clocklock_.mark = true;
    kx_send();
}

void QKXDevice::request_dspmode() {
    dspmode_.mark = true;
    kx_send();
}

void QKXDevice::request_meter() {
    meter_.mark = true;
    kx_send();
}

void QKXDevice::request_grmeter(kxmsg_data_ch_t ch_type, unsigned char ch_no) {
    grmeter_.ch = ch_type;
    grmeter_.no = ch_no;
    grmeter_.mark = true;
    kx_send();
}

void QKXDevice::request_adat_x4mode() {
    adatReq_.mark = true;
    kx_send();
}

void QKXDevice::set_config_save() {
    save_.mark = true;
    kx_send();
}

// --- settings without comparison -----------------------------------------------------------

void QKXDevice::set_clocksource(kxmsg_data_clocksource_t src) {
    clocksource_.src = src;
    clocksource_.mark = true;
    kx_send();
}

void QKXDevice::set_adat_x4mode(kxmsg_data_clocksource_t src, kxmsg_data_adat_x4mode_t mode) {
    int index;
    if (src == KXMSG_DATA_CLOCKSOURCE_OPTICAL_A)
        index = 0;
    else if (src == KXMSG_DATA_CLOCKSOURCE_OPTICAL_B)
        index = 1;
    else
        return;
    adat_[index].src = src;
    adat_[index].mode = mode;
    adat_[index].mark = true;
    kx_send();
}

void QKXDevice::set_reverb(kxmsg_data_reverb_type_t type, unsigned char pre_delay,
                           unsigned char time, unsigned char diffusion) {
    reverb_.type = type;
    reverb_.pre_delay = pre_delay;
    reverb_.time = time;
    reverb_.diffusion = diffusion;
    reverb_.mark = true;
    kx_send();
}

void QKXDevice::set_return(bool on, signed char level) {
    return_.on = on ? 1 : 0;
    return_.level = level;
    return_.mark = true;
    kx_send();
}

void QKXDevice::set_hz(unsigned int hz) {
    setHz_.hz = hz;
    setHz_.mark = true;
    kx_send();
}

// --- settings with range check and comparison ----------------------------------------------

bool QKXDevice::isInput(kxmsg_data_ch_t ch_type, unsigned char ch_no) {
    return ch_type == KXMSG_DATA_CH_MIXER_INPUT && ch_no >= 1 && ch_no <= kInputs;
}

int QKXDevice::faderIndex(kxmsg_data_ch_t ch_type, unsigned char ch_no) {
    if (isInput(ch_type, ch_no))
        return ch_no - 1;
    if (ch_type == KXMSG_DATA_CH_MASTER && ch_no >= 1 && ch_no <= 2)
        return kInputs + ch_no - 1;
    if (ch_type == KXMSG_DATA_CH_LINEOUT && ch_no >= 1 && ch_no <= 9)
        return kInputs + 2 + ch_no - 1;
    return -1;
}

int QKXDevice::muteIndex(kxmsg_data_ch_t ch_type, unsigned char ch_no) {
    if (isInput(ch_type, ch_no))
        return ch_no - 1;
    if (ch_type == KXMSG_DATA_CH_MASTER && ch_no >= 1 && ch_no <= 2)
        return kInputs + ch_no - 1;
    return -1;
}

bool QKXDevice::setByte(ByteEntry *table, int index, kxmsg_data_ch_t ch_type, unsigned char ch_no,
                        uint8_t value) {
    if (index < 0)
        return false;
    ByteEntry &e = table[index];
    if (e.ch_type == ch_type && e.ch_no == ch_no && e.value == value)
        return true;
    e.ch_type = ch_type;
    e.ch_no = ch_no;
    e.value = value;
    e.mark = true;
    kx_send();
    return true;
}

bool QKXDevice::set_assign_ch(kxmsg_data_ch_t in_type, unsigned char in_ch,
                              kxmsg_data_ch_t out_type, unsigned char out_ch) {
    if (out_type != KXMSG_DATA_CH_LINEOUT || out_ch < 1 || out_ch > kInputs)
        return false;
    AssignEntry &e = assign_[out_ch - 1];
    if (e.in_type == in_type && e.in_ch == in_ch && e.out_type == out_type && e.out_ch == out_ch)
        return true;
    e.in_type = in_type;
    e.in_ch = in_ch;
    e.out_type = out_type;
    e.out_ch = out_ch;
    e.mark = true;
    kx_send();
    return true;
}

bool QKXDevice::set_send_ch(kxmsg_data_ch_t ch_type, unsigned char ch_no, kxmsg_data_ch_t bus_type,
                            unsigned char bus_no, kxmsg_data_send_pos_t send_pos,
                            signed char level) {
    int row;
    if (isInput(ch_type, ch_no))
        row = ch_no - 1;
    else if (ch_type == KXMSG_DATA_CH_MASTER && ch_no == 1)
        row = kInputs;
    else
        return false;
    if (bus_type != KXMSG_DATA_CH_AUX_SEND || bus_no < 1 || bus_no > kBuses)
        return false;
    SendEntry &e = send_[row][bus_no - 1];
    if (e.ch_type == ch_type && e.ch_no == ch_no && e.bus_type == bus_type && e.bus_no == bus_no &&
        e.pos == send_pos && e.level == level)
        return true;
    e.ch_type = ch_type;
    e.ch_no = ch_no;
    e.bus_type = bus_type;
    e.bus_no = bus_no;
    e.pos = send_pos;
    e.level = level;
    e.mark = true;
    kx_send();
    return true;
}

bool QKXDevice::set_eq(kxmsg_data_ch_t ch_type, unsigned char ch_no, unsigned char on,
                       kxmsg_data_eq_band_t band, unsigned char gain, unsigned char freq,
                       unsigned char q) {
    if (!isInput(ch_type, ch_no) || band < KXMSG_DATA_EQ_BAND_LOW || band > KXMSG_DATA_EQ_BAND_HIGH)
        return false;
    EqEntry &e = eq_[ch_no - 1][band - 1];
    if (e.ch_type == ch_type && e.ch_no == ch_no && e.on == on && e.band == band &&
        e.gain == gain && e.freq == freq && e.q == q)
        return true;
    e.ch_type = ch_type;
    e.ch_no = ch_no;
    e.on = on;
    e.band = band;
    e.gain = gain;
    e.freq = freq;
    e.q = q;
    e.mark = true;
    kx_send();
    return true;
}

bool QKXDevice::set_comp(kxmsg_data_ch_t ch_type, unsigned char ch_no, unsigned char on,
                         unsigned char threshold, unsigned char ratio, unsigned char attack,
                         unsigned char release, unsigned char gain, kxmsg_data_ch_type_t link) {
    if (!isInput(ch_type, ch_no))
        return false;
    CompEntry &e = comp_[ch_no - 1];
    const uint8_t linkByte = uint8_t(link);
    if (e.ch_type == ch_type && e.ch_no == ch_no && e.on == on && e.threshold == threshold &&
        e.ratio == ratio && e.attack == attack && e.release == release && e.gain == gain &&
        e.link == linkByte)
        return true;
    e.ch_type = ch_type;
    e.ch_no = ch_no;
    e.on = on;
    e.threshold = threshold;
    e.ratio = ratio;
    e.attack = attack;
    e.release = release;
    e.gain = gain;
    e.link = linkByte;
    e.mark = true;
    kx_send();
    return true;
}

bool QKXDevice::set_truebypass(kxmsg_data_ch_t ch_type, unsigned char ch_no, bool on) {
    return setByte(truebypass_, isInput(ch_type, ch_no) ? ch_no - 1 : -1, ch_type, ch_no,
                   on ? 1 : 0);
}

bool QKXDevice::set_fader(kxmsg_data_ch_t ch_type, unsigned char ch_no, short level) {
    const int index = faderIndex(ch_type, ch_no);
    if (index < 0)
        return false;
    FaderEntry &e = fader_[index];
    if (e.ch_type == ch_type && e.ch_no == ch_no && e.level == level)
        return true;
    e.ch_type = ch_type;
    e.ch_no = ch_no;
    e.level = level;
    e.mark = true;
    kx_send();
    return true;
}

bool QKXDevice::set_pan(kxmsg_data_ch_t ch_type, unsigned char ch_no, unsigned char value) {
    return setByte(pan_, isInput(ch_type, ch_no) ? ch_no - 1 : -1, ch_type, ch_no, value);
}

bool QKXDevice::set_mute(kxmsg_data_ch_t ch_type, unsigned char ch_no, bool on) {
    return setByte(mute_, muteIndex(ch_type, ch_no), ch_type, ch_no, on ? 1 : 0);
}

bool QKXDevice::set_phase(kxmsg_data_ch_t ch_type, unsigned char ch_no, bool on) {
    return setByte(phase_, isInput(ch_type, ch_no) ? ch_no - 1 : -1, ch_type, ch_no, on ? 1 : 0);
}

bool QKXDevice::set_solo(kxmsg_data_ch_t ch_type, unsigned char ch_no, bool on) {
    return setByte(solo_, isInput(ch_type, ch_no) ? ch_no - 1 : -1, ch_type, ch_no, on ? 1 : 0);
}

// --- other operations ----------------------------------------------------------------------

void QKXDevice::initializeParameter() {
    grmeter_ = GrMeterRequest();
    std::fill(std::begin(assign_), std::end(assign_), AssignEntry());
    for (auto &row : send_)
        std::fill(std::begin(row), std::end(row), SendEntry());
    for (auto &row : eq_)
        std::fill(std::begin(row), std::end(row), EqEntry());
    std::fill(std::begin(comp_), std::end(comp_), CompEntry());
    std::fill(std::begin(truebypass_), std::end(truebypass_), ByteEntry());
    std::fill(std::begin(fader_), std::end(fader_), FaderEntry());
    std::fill(std::begin(pan_), std::end(pan_), ByteEntry());
    std::fill(std::begin(mute_), std::end(mute_), ByteEntry());
    std::fill(std::begin(solo_), std::end(solo_), ByteEntry());
    std::fill(std::begin(phase_), std::end(phase_), ByteEntry());
}

bool QKXDevice::is_selected() {
    emit sig_is_selected();
    return selectedAnswer_;
}

bool QKXDevice::deselect() {
    deselectAnswer_ = false;
    emit sig_deselect();
    return deselectAnswer_;
}

int QKXDevice::get_product_name(std::string &) {
    return 0;
}

bool QKXDevice::select_default() {
    return true;
}

void QKXDevice::kx_recv() {
    if (readState_ == 0) {
        readState_ = 2;
        ++answersOwed_;
        emit sig_kx_recv();
    } else {
        readState_ = 1;
    }
}

bool QKXDevice::get_debugprint(std::string &text) {
    text.append(debugText_);
    debugText_.clear();
    emit sig_get_debugprint();
    return false;
}

void QKXDevice::recv_deselect(bool ret) {
    deselectAnswer_ = ret;
}

void QKXDevice::recv_is_selected(bool ret) {
    selectedAnswer_ = ret;
    // No unit is attached: a save asked of the one that went must not make the next unit
    // plugged in store whatever state it woke up with.
    if (!ret)
        save_ = Request();
}

template <class Self, class F> void QKXDevice::forEachRequest(Self &self, F &&f) {
    for (auto *r : {&self.version_, &self.hz_, &self.clocksourceReq_, &self.clocklock_,
                    &self.dspmode_, &self.adatReq_, &self.meter_, &self.save_})
        f(*r);
    f(self.grmeter_);
}

template <class Self, class F> void QKXDevice::forEachValue(Self &self, F &&f) {
    const auto all = [&f](auto &items) {
        for (auto &item : items)
            f(item);
    };
    f(self.clocksource_);
    all(self.adat_);
    f(self.setHz_);
    all(self.assign_);
    for (auto &row : self.send_)
        all(row);
    for (auto &row : self.eq_)
        all(row);
    all(self.comp_);
    f(self.reverb_);
    f(self.return_);
    all(self.truebypass_);
    all(self.fader_);
    all(self.pan_);
    all(self.mute_);
    all(self.solo_);
    all(self.phase_);
}

QKXDevice::Traffic QKXDevice::traffic() const {
    Traffic t;
    t.ready = ready_;
    t.inFlight = sendState_ != 0 || readState_ != 0 || answersOwed_ > 0;
    forEachRequest(*this, [&t](const auto &item) { t.requestsPending |= item.mark; });
    t.valuesPending = anyValuePending();
    t.messagesSent = messagesSent_;
    t.messagesDone = messagesDone_;
    return t;
}

bool QKXDevice::anyValuePending() const {
    bool pending = false;
    forEachValue(*this, [&pending](const auto &item) { pending |= item.mark; });
    return pending;
}

// --- flow control and packing --------------------------------------------------------------

void QKXDevice::kx_send() {
    if (!ready_) {
        // Pending items wait for an answer that reports ready.
        kx_recv();
        return;
    }
    if (sendState_ != 0) {
        sendState_ = 1;
        return;
    }
    uint8_t buffer[KXCTL_MSG_MAX];
    kxmsg_t msg;
    kxmsg_init(&msg, buffer, KXCTL_MSG_MAX);
    pack(&msg);
    if (msg.position == 0)
        return;
    sendState_ = 2;
    ready_ = false;
    ++messagesSent_;
    ++answersOwed_; // the worker reads the unit's answer after every message
    emit sig_kx_send(QByteArray(reinterpret_cast<const char *>(buffer), msg.position));
}

void QKXDevice::pack(kxmsg_t *msg) {
    // Requests and interface settings, which always fit.
    const struct {
        Request *item;
        uint8_t tag;
    } requests[] = {{&version_, KXCTL_TAG_VERSION_GET},
                    {&hz_, KXCTL_TAG_HZ},
                    {&clocksourceReq_, KXCTL_TAG_CLOCKSOURCE},
                    {&clocklock_, KXCTL_TAG_CLOCKLOCK},
                    {&meter_, KXCTL_TAG_METER_GET}};
    for (const auto &r : requests)
        if (!putMarked(msg, *r.item, kMarkerBytes, [&] { return putRequest(msg, r.tag); }))
            return;
    if (!putMarked(msg, grmeter_, KXCTL_PUT_GRMETER_SIZE,
                   [&] { return kxctl_put_grmeter(msg, grmeter_.ch, grmeter_.no); }))
        return;
    const struct {
        Request *item;
        uint8_t tag;
    } laterRequests[] = {{&dspmode_, KXCTL_TAG_DSPMODE}, {&adatReq_, KXCTL_TAG_ADAT_X4MODE_GET}};
    for (const auto &r : laterRequests)
        if (!putMarked(msg, *r.item, kMarkerBytes, [&] { return putRequest(msg, r.tag); }))
            return;
    if (!putMarked(msg, clocksource_, kU8Bytes, [&] {
            return kxmsg_put(msg, KXCTL_TAG_SET_CLOCKSOURCE, KXMSG_TYPE_U8, clocksource_.src, 0);
        }))
        return;
    for (AdatItem &a : adat_)
        if (!putMarked(msg, a, 2 * kU8Bytes, [&] {
                return kxmsg_put(msg, KXCTL_TAG_CLOCK_SRC, KXMSG_TYPE_U8, a.src, 0) ||
                       kxmsg_put(msg, KXCTL_TAG_ADAT_X4MODE, KXMSG_TYPE_U8, a.mode, 0);
            }))
            return;
    if (!putMarked(msg, setHz_, kU32Bytes,
                   [&] { return kxmsg_put(msg, KXCTL_TAG_SET_HZ, KXMSG_TYPE_U32, setHz_.hz, 0); }))
        return;

    // The mixer tables, each entry a whole group or nothing.
    for (AssignEntry &e : assign_)
        if (!putMarked(msg, e, KXCTL_PUT_ASSIGN_CH_SIZE, [&] {
                return kxctl_put_assign_ch(msg, e.in_type, e.in_ch, e.out_type, e.out_ch);
            }))
            return;
    for (auto &row : send_)
        for (SendEntry &e : row)
            if (!putMarked(msg, e, KXCTL_PUT_SEND_SIZE, [&] {
                    return kxctl_put_send(msg, e.ch_type, e.ch_no, e.bus_type, e.bus_no, e.pos,
                                          e.level);
                }))
                return;
    for (auto &row : eq_)
        for (EqEntry &e : row)
            if (!putMarked(msg, e, KXCTL_PUT_EQ_SIZE, [&] {
                    return kxctl_put_eq(msg, e.ch_type, e.ch_no, e.on, e.band, e.gain, e.freq, e.q);
                }))
                return;
    for (CompEntry &e : comp_)
        if (!putMarked(msg, e, KXCTL_PUT_COMP_SIZE, [&] {
                return kxctl_put_comp(msg, e.ch_type, e.ch_no, e.on, e.threshold, e.ratio, e.attack,
                                      e.release, e.gain, kxmsg_data_ch_type_t(e.link));
            }))
            return;
    if (!putMarked(msg, reverb_, KXCTL_PUT_REVERB_SIZE, [&] {
            return kxctl_put_reverb(msg, reverb_.type, reverb_.pre_delay, reverb_.time,
                                    reverb_.diffusion);
        }))
        return;
    if (!putMarked(msg, return_, KXCTL_PUT_RETURN_SIZE,
                   [&] { return kxctl_put_return(msg, return_.on, return_.level); }))
        return;
    auto putBytes = [&](ByteEntry *table, int count, uint8_t tag) {
        for (int i = 0; i < count; ++i) {
            ByteEntry &e = table[i];
            if (!putMarked(msg, e, KXCTL_PUT_CH_COMMON_U8_SIZE, [&] {
                    return kxctl_put_ch_common_u8(msg, e.ch_type, e.ch_no, tag, e.value);
                }))
                return false;
        }
        return true;
    };
    if (!putBytes(truebypass_, kInputs, KXCTL_TAG_TRUEBYPASS))
        return;
    for (FaderEntry &e : fader_) {
        // The channel pair stays in the message even when the level no longer fits.
        if (!putMarked(msg, e, KXCTL_PUT_CH_SIZE, [&] {
                if (kxctl_put_ch(msg, e.ch_type, e.ch_no) != 0 || !fits(msg, kU16Bytes))
                    return 1;
                return kxmsg_put_u16(msg, KXCTL_TAG_FADER, uint16_t(e.level)) == 1 ? 0 : 1;
            }))
            return;
    }
    if (!putBytes(pan_, kInputs, KXCTL_TAG_PAN) || !putBytes(mute_, kMutes, KXCTL_TAG_MUTE) ||
        !putBytes(solo_, kInputs, KXCTL_TAG_SOLO) || !putBytes(phase_, kInputs, KXCTL_TAG_PHASE))
        return;
    // Last: the unit stores its state only in a message that also holds everything that was
    // pending before the save was asked for.
    putMarked(msg, save_, kMarkerBytes, [&] { return putRequest(msg, KXCTL_TAG_CONFIG_SAVE); });
}

void QKXDevice::settleCarried(bool delivered) {
    const auto settle = [delivered](auto &item) {
        if (!item.carried)
            return;
        item.carried = false;
        // The entry holds the latest value asked for, so marking it again resends nothing stale.
        if (!delivered)
            item.mark = true;
    };
    forEachRequest(*this, settle);
    forEachValue(*this, settle);
}

void QKXDevice::recv_kx_send_result(bool result) {
    ++messagesDone_;
    settleCarried(result);
    if (!result)
        notify_kx_failed();
    const int32_t previous = sendState_;
    sendState_ = 0;
    if (previous == 1)
        kx_send();
}

void QKXDevice::recv_kx_recv_result(bool result, QByteArray kxmsg_data) {
    if (answersOwed_ > 0)
        --answersOwed_;
    if (readState_ == 1) {
        readState_ = 2;
        ++answersOwed_;
        emit sig_kx_recv();
    } else {
        readState_ = 0;
    }
    if (!result) {
        notify_kx_failed();
        return;
    }
    parseAnswer(kxmsg_data);
}

void QKXDevice::parseAnswer(const QByteArray &answer) {
    kxmsg_data_ch_t chType = KXMSG_DATA_CH_NONE;
    uint8_t chNo = 0;
    for (int offset = 0; offset < answer.size(); offset += KXCTL_MSG_MAX) {
        const int length = std::min<int>(KXCTL_MSG_MAX, answer.size() - offset);
        uint8_t buffer[KXCTL_MSG_MAX] = {};
        std::memcpy(buffer, answer.constData() + offset, length);
        kxmsg_t msg;
        kxmsg_init(&msg, buffer, uint8_t(length));

        uint32_t tag = 0, type = 0;
        uint64_t value = 0;
        uint8_t len = 0;
        while (kxmsg_get(&msg, &tag, &type, &value, &len) == 0) {
            auto text = [&] {
                if (type != KXMSG_TYPE_U8_ARRAY)
                    return QString();
                return QString::fromUtf8(reinterpret_cast<const char *>(uintptr_t(value)), len);
            };
            const uint32_t v = uint32_t(value);
            switch (tag) {
            case KXCTL_TAG_CH:
                chType = kxmsg_data_ch_t(v);
                break;
            case KXCTL_TAG_CH_NO:
                chNo = uint8_t(v);
                break;
            case KXCTL_TAG_METER:
                emit sig_recv_meter(chType, chNo, v);
                break;
            case KXCTL_TAG_GRMETER:
                emit sig_recv_grmeter(chType, chNo, v);
                break;
            case KXCTL_TAG_READY:
                if (v != 0) {
                    if (!ready_ && sendState_ == 0) {
                        ready_ = true;
                        kx_send();
                    }
                } else {
                    ready_ = false;
                }
                break;
            case KXCTL_TAG_DEBUG:
                emit sig_recv_debug(text());
                break;
            case KXCTL_TAG_HZ:
                emit sig_recv_hz(v);
                break;
            case KXCTL_TAG_CLOCKSOURCE:
                emit sig_recv_clocksource(kxmsg_data_clocksource_t(v));
                break;
            case KXCTL_TAG_CLOCK_SRC:
                answerClockSource_ = kxmsg_data_clocksource_t(v);
                break;
            case KXCTL_TAG_CLOCKLOCK:
                emit sig_recv_clocklock(answerClockSource_, kxmsg_data_clocklock_t(v));
                break;
            case KXCTL_TAG_CLOCK_HZ:
                emit sig_recv_clockhz(answerClockSource_, v);
                break;
            case KXCTL_TAG_DSPMODE:
                emit sig_recv_dspmode(kxmsg_data_dspmode_t(v));
                break;
            case KXCTL_TAG_ADAT_X4MODE_GET:
                emit sig_recv_adat_x4mode(answerClockSource_, kxmsg_data_adat_x4mode_t(v));
                break;
            case KXCTL_TAG_VERSION:
                emit sig_recv_version(uint16_t(v));
                break;
            case KXCTL_TAG_BUILD:
                emit sig_recv_build(uint16_t(v));
                break;
            case KXCTL_TAG_PRODUCTNAME:
                emit sig_recv_productname(text());
                break;
            case KXCTL_TAG_BUILDDATE:
                emit sig_recv_builddate(text());
                break;
            case KXCTL_TAG_BUILDTIME:
                emit sig_recv_buildtime(text());
                break;
            default:
                break;
            }
        }
    }
}

void QKXDevice::notify_kx_failed() {
    emit sig_recv_version(0);
    emit sig_recv_build(0);
    emit sig_recv_productname(QString());
    emit sig_recv_builddate(QString());
    emit sig_recv_buildtime(QString());
}
