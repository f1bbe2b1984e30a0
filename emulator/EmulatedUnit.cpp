#include "EmulatedUnit.h"

#include "kxctl.h"
#include "kxmsg.h"

#include <QThread>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

namespace {

constexpr size_t kMaxQueuedAnswers = 256;

qint64 now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
constexpr int kReadyBytes = 3;

EmulatedUnit::Element num(uint8_t tag, uint8_t type, uint32_t value) {
    EmulatedUnit::Element e;
    e.tag = tag;
    e.type = type;
    e.value = value;
    return e;
}

EmulatedUnit::Element text(uint8_t tag, const QString &s) {
    EmulatedUnit::Element e;
    e.tag = tag;
    e.type = KXMSG_TYPE_U8_ARRAY;
    e.bytes = s.toUtf8().left(61);
    e.value = uint32_t(e.bytes.size());
    return e;
}

// Appends the element to the message; false when it does not fit.
bool encode(kxmsg_t *msg, const EmulatedUnit::Element &e) {
    const kxmsg_t saved = *msg;
    uint8_t *payload = nullptr;
    uint8_t length = 0;
    const uint8_t wanted = e.type == KXMSG_TYPE_U8_ARRAY ? uint8_t(e.bytes.size()) : 0;
    if (e.type == KXMSG_TYPE_U8_ARRAY && wanted == 0) {
        // A zero request length means "fill the rest"; an empty text is written by hand.
        if (msg->capacity - msg->position < 3)
            return false;
        msg->data[msg->position] = e.tag;
        msg->data[msg->position + 1] = KXMSG_TYPE_U8_ARRAY;
        msg->data[msg->position + 2] = 0;
        msg->position = uint8_t(msg->position + 3);
        return true;
    }
    const int size = e.type == KXMSG_TYPE_U8_ARRAY ? 3 + wanted
                     : e.type == KXMSG_TYPE_U8     ? 3
                     : e.type == KXMSG_TYPE_U16    ? 4
                     : e.type == KXMSG_TYPE_U32    ? 6
                                                   : 2;
    if (msg->capacity - msg->position < size)
        return false;
    if (kxmsg_put_alloc(msg, e.tag, e.type, wanted, &payload, &length) != 0) {
        *msg = saved;
        return false;
    }
    if (e.type == KXMSG_TYPE_U8_ARRAY)
        std::memcpy(payload, e.bytes.constData(), length);
    else
        for (int i = 0; i < length; ++i)
            payload[i] = uint8_t(e.value >> (8 * i));
    return true;
}

int encodedSize(const QVector<EmulatedUnit::Element> &group) {
    int size = 0;
    for (const auto &e : group)
        size += e.type == KXMSG_TYPE_U8_ARRAY ? 3 + e.bytes.size()
                : e.type == KXMSG_TYPE_U8     ? 3
                : e.type == KXMSG_TYPE_U16    ? 4
                : e.type == KXMSG_TYPE_U32    ? 6
                                              : 2;
    return size;
}

} // namespace

EmulatedUnit::EmulatedUnit(Model model)
    : model_(model), productId_(model == Model::Pelvo ? 0x6C31 : 0x6C32),
      productName_(model == Model::Pelvo ? QStringLiteral("OLVANE Pelvo")
                                         : QStringLiteral("OLVANE Tarvik")),
      startNs_(now()) {
    if (model == Model::Tarvik)
        locks_ = {{KXMSG_DATA_CLOCKSOURCE_WORDCLOCK, KXMSG_DATA_CLOCKLOCK_UNLOCKED, 0},
                  {KXMSG_DATA_CLOCKSOURCE_OPTICAL_A, KXMSG_DATA_CLOCKLOCK_LOCKED, 48000},
                  {KXMSG_DATA_CLOCKSOURCE_OPTICAL_B, KXMSG_DATA_CLOCKLOCK_UNLOCKED, 0}};
    else
        locks_ = {{KXMSG_DATA_CLOCKSOURCE_OPTICAL_A, KXMSG_DATA_CLOCKLOCK_LOCKED, 48000}};
}

EmulatedUnit::~EmulatedUnit() = default;

void EmulatedUnit::plugIn() {
    if (!usbhost::virtualbus::isAttached(this))
        usbhost::virtualbus::attach(shared_from_this());
}

void EmulatedUnit::unplug() {
    usbhost::virtualbus::detach(this);
}

bool EmulatedUnit::pluggedIn() const {
    return usbhost::virtualbus::isAttached(this);
}

void EmulatedUnit::setProductId(uint16_t id) {
    std::lock_guard<std::mutex> g(lock_);
    productId_ = id;
}

void EmulatedUnit::setProductName(const QString &name) {
    std::lock_guard<std::mutex> g(lock_);
    productName_ = name;
}

void EmulatedUnit::setVersion(uint16_t version, uint16_t build) {
    std::lock_guard<std::mutex> g(lock_);
    version_ = version;
    build_ = build;
}

void EmulatedUnit::setBuildDateTime(const QString &date, const QString &time) {
    std::lock_guard<std::mutex> g(lock_);
    buildDate_ = date;
    buildTime_ = time;
}

void EmulatedUnit::setLock(uint8_t source, uint8_t lock, uint32_t hz) {
    std::lock_guard<std::mutex> g(lock_);
    for (Lock &l : locks_)
        if (l.source == source) {
            l.lock = lock;
            l.hz = hz;
            return;
        }
    locks_.push_back({source, lock, hz});
}

void EmulatedUnit::setDspMode(uint8_t mode) {
    std::lock_guard<std::mutex> g(lock_);
    dspMode_ = mode;
}

void EmulatedUnit::setMeter(uint8_t chType, uint8_t chNo, uint16_t value) {
    std::lock_guard<std::mutex> g(lock_);
    if (chType == KXMSG_DATA_CH_MIXER_INPUT && chNo >= 1 && chNo <= 20)
        meters_[0][chNo - 1] = value;
    else if (chType == KXMSG_DATA_CH_MASTER && chNo >= 1 && chNo <= 2)
        meters_[1][chNo - 1] = value;
}

void EmulatedUnit::setGrMeter(uint16_t value) {
    std::lock_guard<std::mutex> g(lock_);
    grMeter_ = value;
}

void EmulatedUnit::setLiveMeters(bool on) {
    std::lock_guard<std::mutex> g(lock_);
    liveMeters_ = on;
}

void EmulatedUnit::setKeepLog(bool keep) {
    std::lock_guard<std::mutex> g(lock_);
    keepLog_ = keep;
}

void EmulatedUnit::setBusy(bool busy) {
    std::lock_guard<std::mutex> g(lock_);
    busy_ = busy;
}

void EmulatedUnit::setRefuseOut(int count) {
    std::lock_guard<std::mutex> g(lock_);
    refuseOut_ = count;
}

void EmulatedUnit::failNextIn(int count) {
    std::lock_guard<std::mutex> g(lock_);
    failIn_ = count;
}

void EmulatedUnit::timeOutNextIn(int count) {
    std::lock_guard<std::mutex> g(lock_);
    timeoutIn_ = count;
}

void EmulatedUnit::setAnswerShort(int bytes) {
    std::lock_guard<std::mutex> g(lock_);
    answerShort_ = bytes;
}

void EmulatedUnit::setAnswerGarbage(bool garbage) {
    std::lock_guard<std::mutex> g(lock_);
    garbage_ = garbage;
}

void EmulatedUnit::unplugDuringNextTransfer() {
    std::lock_guard<std::mutex> g(lock_);
    unplugNext_ = true;
}

void EmulatedUnit::setRequestDelayMs(int ms) {
    std::lock_guard<std::mutex> g(lock_);
    delayMs_ = ms;
}

EmulatedUnit::State EmulatedUnit::state() const {
    std::lock_guard<std::mutex> g(lock_);
    return state_;
}

QVector<EmulatedUnit::Element> EmulatedUnit::elements() const {
    std::lock_guard<std::mutex> g(lock_);
    return log_;
}

QVector<QByteArray> EmulatedUnit::messages() const {
    std::lock_guard<std::mutex> g(lock_);
    return messages_;
}

QVector<EmulatedUnit::Request> EmulatedUnit::requests() const {
    std::lock_guard<std::mutex> g(lock_);
    return requests_;
}

int EmulatedUnit::countRequests(uint8_t bRequest) const {
    std::lock_guard<std::mutex> g(lock_);
    return int(std::count_if(requests_.begin(), requests_.end(),
                             [bRequest](const Request &r) { return r.bRequest == bRequest; }));
}

void EmulatedUnit::clearLog() {
    std::lock_guard<std::mutex> g(lock_);
    log_.clear();
    messages_.clear();
    requests_.clear();
    rejected_.clear();
}

uint16_t EmulatedUnit::vendorId() const {
    return 0x4B2D;
}

uint16_t EmulatedUnit::productId() const {
    std::lock_guard<std::mutex> g(lock_);
    return productId_;
}

std::string EmulatedUnit::registryName() const {
    std::lock_guard<std::mutex> g(lock_);
    return productName_.toStdString();
}

usbhost::Return EmulatedUnit::controlRequest(usbhost::DeviceRequest &request) {
    int delay;
    bool unplugNow;
    {
        std::lock_guard<std::mutex> g(lock_);
        delay = delayMs_;
        unplugNow = unplugNext_;
        unplugNext_ = false;
    }
    if (delay > 0)
        QThread::msleep(delay);
    if (unplugNow) {
        // The cable comes out while the request is on the wire.
        unplug();
        std::lock_guard<std::mutex> g(lock_);
        if (keepLog_)
            requests_.push_back({request.bmRequestType, request.bRequest, request.wLength,
                                 QByteArray(), usbhost::kNoDevice, now()});
        return usbhost::kNoDevice;
    }
    std::lock_guard<std::mutex> g(lock_);
    const bool out = request.bmRequestType == usbhost::kRequestTypeVendorOut;
    usbhost::Return status;
    if (out && (request.bRequest == KXCTL_REQUEST_OUT || request.bRequest == KXCTL_REQUEST_FX3_OUT))
        status = handleOut(request);
    else if (!out &&
             (request.bRequest == KXCTL_REQUEST_IN || request.bRequest == KXCTL_REQUEST_FX3_IN))
        status = handleIn(request);
    else
        status = usbhost::kPipeStalled;
    if (!keepLog_)
        return status;
    Request logged{request.bmRequestType, request.bRequest, request.wLength,
                   QByteArray(),          status,           now()};
    if (out && request.pData)
        logged.data = QByteArray(static_cast<const char *>(request.pData), request.wLength);
    requests_.push_back(logged);
    return status;
}

usbhost::Return EmulatedUnit::handleOut(usbhost::DeviceRequest &request) {
    if (refuseOut_ != 0) {
        if (refuseOut_ > 0)
            --refuseOut_;
        return usbhost::kPipeStalled;
    }
    const uint8_t length = uint8_t(std::min<int>(request.wLength, KXCTL_MSG_MAX));
    uint8_t buffer[KXCTL_MSG_MAX] = {};
    if (request.pData)
        std::memcpy(buffer, request.pData, length);
    if (keepLog_)
        messages_.push_back(QByteArray(reinterpret_cast<const char *>(buffer), length));
    kxmsg_t msg;
    kxmsg_init(&msg, buffer, length);
    uint32_t tag, type;
    uint64_t value;
    uint8_t len;
    while (kxmsg_get(&msg, &tag, &type, &value, &len) == 0) {
        Element e;
        e.tag = uint8_t(tag);
        e.type = uint8_t(type);
        if (type == KXMSG_TYPE_U8_ARRAY) {
            e.bytes = QByteArray(reinterpret_cast<const char *>(uintptr_t(value)), len);
            e.value = len;
        } else {
            e.value = uint32_t(value);
        }
        if (keepLog_) {
            log_.push_back(e);
            check(e);
        }
        apply(e);
    }
    request.wLenDone = length;
    return usbhost::kSuccess;
}

usbhost::Return EmulatedUnit::handleIn(usbhost::DeviceRequest &request) {
    if (failIn_ > 0) {
        --failIn_;
        return usbhost::kNotResponding;
    }
    if (timeoutIn_ > 0) {
        --timeoutIn_;
        return usbhost::kTransactionTimeout;
    }
    QByteArray answer;
    if (garbage_) {
        answer.resize(KXCTL_MSG_MAX);
        for (char &c : answer) {
            noise_ ^= noise_ << 13;
            noise_ ^= noise_ >> 17;
            noise_ ^= noise_ << 5;
            c = char(noise_ & 0xff);
        }
    } else {
        answer = nextAnswer();
    }
    int length = std::min<int>(request.wLength, answer.size());
    if (answerShort_ > 0)
        length = std::min(length, answerShort_);
    if (request.pData)
        std::memcpy(request.pData, answer.constData(), size_t(length));
    request.wLenDone = uint32_t(length);
    return usbhost::kSuccess;
}

QByteArray EmulatedUnit::nextAnswer() {
    uint8_t buffer[KXCTL_MSG_MAX] = {};
    kxmsg_t msg;
    kxmsg_init(&msg, buffer, KXCTL_MSG_MAX - kReadyBytes);
    while (!answers_.empty() && encodedSize(answers_.front()) <= msg.capacity - msg.position) {
        for (const Element &e : answers_.front())
            encode(&msg, e);
        answers_.pop_front();
    }
    msg.capacity = KXCTL_MSG_MAX;
    encode(&msg, num(KXCTL_TAG_READY, KXMSG_TYPE_U8, busy_ ? 0 : 1));
    return QByteArray(reinterpret_cast<const char *>(buffer), KXCTL_MSG_MAX);
}

void EmulatedUnit::answer(const Group &group) {
    if (answers_.size() >= kMaxQueuedAnswers)
        answers_.pop_front();
    answers_.push_back(group);
}

void EmulatedUnit::answerMeters() {
    // A meter still waiting in the queue takes the new value instead of queueing twice.
    auto put = [this](uint8_t type, uint8_t no, uint16_t value) {
        for (Group &g : answers_)
            if (g.size() == 3 && g[2].tag == KXCTL_TAG_METER && g[0].value == type &&
                g[1].value == no) {
                g[2].value = value;
                return;
            }
        answer({num(KXCTL_TAG_CH, KXMSG_TYPE_U8, type), num(KXCTL_TAG_CH_NO, KXMSG_TYPE_U8, no),
                num(KXCTL_TAG_METER, KXMSG_TYPE_U16, value)});
    };
    if (liveMeters_)
        liveLevels();
    for (int i = 0; i < 20; ++i)
        put(KXMSG_DATA_CH_MIXER_INPUT, uint8_t(i + 1), meters_[0][i]);
    for (int i = 0; i < 2; ++i)
        put(KXMSG_DATA_CH_MASTER, uint8_t(i + 1), meters_[1][i]);
}

double EmulatedUnit::seconds() const {
    return double(now() - startNs_) / 1e9;
}

// The signal at an input before its fader, in dBFS: two slow waves of its own period and
// phase and a little noise, so that each channel moves on its own and now and then peaks.
double EmulatedUnit::liveInputDb(int index) {
    constexpr double twoPi = 6.283185307179586;
    const double t = seconds();
    const double period = 2.5 + (index % 7) * 0.8;
    const double phase = index * 1.7;
    meterNoise_ ^= meterNoise_ << 13;
    meterNoise_ ^= meterNoise_ >> 17;
    meterNoise_ ^= meterNoise_ << 5;
    const double jitter = (meterNoise_ % 1000) / 250.0 - 2.0; // -2 .. +2 dB
    const double dB = -20.0 + 12.0 * std::sin(twoPi * t / period + phase) +
                      6.0 * std::sin(twoPi * t / (period * 0.31) + 2.0 * phase) + jitter;
    return std::min(dB, -0.5);
}

namespace {

// Linear meter value of a level in dBFS (32768 is full scale); louder saturates.
uint16_t meterValue(double dB) {
    const double v = 32768.0 * std::pow(10.0, dB / 20.0);
    return uint16_t(std::min(v, 65535.0));
}

double faderGainDb(int16_t level) {
    return level / 10.0;
}

constexpr int16_t kFaderOff = -1270;

} // namespace

// Fills the meters from the signals and the mixer state: a channel that is muted, left out by
// the solo of others or faded to minus infinity shows nothing; the masters show the panned
// mix of what is left, through the master fader and mute.
void EmulatedUnit::liveLevels() {
    bool anySolo = false;
    for (const Input &in : state_.inputs)
        anySolo = anySolo || in.solo;
    double power[2] = {0.0, 0.0};
    for (int i = 0; i < 20; ++i) {
        const Input &in = state_.inputs[i];
        const double signal = liveInputDb(i);
        if (in.mute || (anySolo && !in.solo) || in.fader == kFaderOff) {
            meters_[0][i] = 0;
            continue;
        }
        const double dB = signal + faderGainDb(in.fader);
        meters_[0][i] = meterValue(dB);
        const double amplitude = std::pow(10.0, dB / 20.0);
        const double angle = std::min<int>(in.pan, 40) / 40.0 * 1.5707963267948966;
        power[0] += std::pow(amplitude * std::cos(angle), 2);
        power[1] += std::pow(amplitude * std::sin(angle), 2);
    }
    for (int side = 0; side < 2; ++side) {
        if (state_.masterMute[side] || state_.masterFader[side] == kFaderOff || power[side] <= 0) {
            meters_[1][side] = 0;
            continue;
        }
        const double dB = 10.0 * std::log10(power[side]) + faderGainDb(state_.masterFader[side]);
        meters_[1][side] = meterValue(dB);
    }
}

// Gain reduction of the channel asked about: how far its signal lies above the threshold,
// less what the ratio lets through; 32767 is none.
uint16_t EmulatedUnit::liveGainReduction() {
    constexpr uint16_t kNoReduction = 32767;
    if (chType_ != KXMSG_DATA_CH_MIXER_INPUT || chNo_ < 1 || chNo_ > 20)
        return kNoReduction;
    const Comp &comp = state_.inputs[chNo_ - 1].comp;
    if (!comp.on)
        return kNoReduction;
    const double threshold = int8_t(comp.threshold);
    const double passed = comp.ratio == 255 || comp.ratio == 0 ? 0.0 : 10.0 / comp.ratio;
    const double over = liveInputDb(chNo_ - 1) - threshold;
    if (over <= 0)
        return kNoReduction;
    return std::min(kNoReduction, meterValue(-over * (1.0 - passed)));
}

void EmulatedUnit::apply(const Element &e) {
    const uint32_t v = e.value;
    auto input = [this]() -> Input * {
        if (chType_ == KXMSG_DATA_CH_MIXER_INPUT && chNo_ >= 1 && chNo_ <= 20)
            return &state_.inputs[chNo_ - 1];
        return nullptr;
    };
    switch (e.tag) {
    case KXCTL_TAG_CH:
        chType_ = uint8_t(v);
        break;
    case KXCTL_TAG_CH_NO:
        chNo_ = uint8_t(v);
        break;
    case KXCTL_TAG_SOURCE:
        srcType_ = chType_;
        srcNo_ = chNo_;
        break;
    case KXCTL_TAG_DESTINATION:
        dstType_ = chType_;
        dstNo_ = chNo_;
        break;
    case KXCTL_TAG_ASSIGN:
        if (dstType_ == KXMSG_DATA_CH_LINEOUT && dstNo_ >= 1 && dstNo_ <= 20)
            state_.routes[dstNo_ - 1] = {srcType_, srcNo_};
        break;
    case KXCTL_TAG_SEND_POS:
        sendPos_ = uint8_t(v);
        break;
    case KXCTL_TAG_SEND_LEVEL:
        sendLevel_ = int8_t(uint8_t(v));
        break;
    case KXCTL_TAG_SEND_APPLY:
        if (dstType_ == KXMSG_DATA_CH_AUX_SEND && dstNo_ >= 1 && dstNo_ <= 4) {
            Send s{sendPos_, sendLevel_};
            if (srcType_ == KXMSG_DATA_CH_MIXER_INPUT && srcNo_ >= 1 && srcNo_ <= 20)
                state_.inputs[srcNo_ - 1].sends[dstNo_ - 1] = s;
            else if (srcType_ == KXMSG_DATA_CH_MASTER && srcNo_ == 1)
                state_.masterSends[dstNo_ - 1] = s;
        }
        break;
    case KXCTL_TAG_RETURN_LEVEL:
        state_.returnLevel = int8_t(uint8_t(v));
        break;
    case KXCTL_TAG_RETURN_ON:
        state_.returnOn = uint8_t(v);
        break;
    case KXCTL_TAG_TRUEBYPASS:
        if (Input *in = input())
            in->bypass = uint8_t(v);
        break;
    case KXCTL_TAG_EQ_BAND:
        band_ = uint8_t(v);
        break;
    case KXCTL_TAG_EQ_GAIN:
        eq_.gain = uint8_t(v);
        break;
    case KXCTL_TAG_EQ_FREQ:
        eq_.freq = uint8_t(v);
        break;
    case KXCTL_TAG_EQ_Q:
        eq_.q = uint8_t(v);
        break;
    case KXCTL_TAG_EQ_ON:
        eq_.on = uint8_t(v);
        if (Input *in = input())
            if (band_ >= 1 && band_ <= 4)
                in->eq[band_ - 1] = eq_;
        break;
    case KXCTL_TAG_FADER: {
        const int16_t level = int16_t(uint16_t(v));
        if (Input *in = input())
            in->fader = level;
        else if (chType_ == KXMSG_DATA_CH_MASTER && chNo_ >= 1 && chNo_ <= 2)
            state_.masterFader[chNo_ - 1] = level;
        else if (chType_ == KXMSG_DATA_CH_LINEOUT && chNo_ >= 1 && chNo_ <= 9)
            state_.outputFader[chNo_ - 1] = level;
        break;
    }
    case KXCTL_TAG_PAN:
        if (Input *in = input())
            in->pan = uint8_t(v);
        break;
    case KXCTL_TAG_MUTE:
        if (Input *in = input())
            in->mute = uint8_t(v);
        else if (chType_ == KXMSG_DATA_CH_MASTER && chNo_ >= 1 && chNo_ <= 2)
            state_.masterMute[chNo_ - 1] = uint8_t(v);
        break;
    case KXCTL_TAG_SOLO:
        if (Input *in = input())
            in->solo = uint8_t(v);
        break;
    case KXCTL_TAG_PHASE:
        if (Input *in = input())
            in->phase = uint8_t(v);
        break;
    case KXCTL_TAG_ADAT_X4MODE:
        if (clockSrc_ == KXMSG_DATA_CLOCKSOURCE_OPTICAL_A)
            state_.opticalFormat[0] = uint8_t(v);
        else if (clockSrc_ == KXMSG_DATA_CLOCKSOURCE_OPTICAL_B)
            state_.opticalFormat[1] = uint8_t(v);
        break;
    case KXCTL_TAG_COMP_THRESHOLD:
        comp_.threshold = uint8_t(v);
        break;
    case KXCTL_TAG_COMP_RATIO:
        comp_.ratio = uint8_t(v);
        break;
    case KXCTL_TAG_COMP_ATTACK:
        comp_.attack = uint8_t(v);
        break;
    case KXCTL_TAG_COMP_RELEASE:
        comp_.release = uint8_t(v);
        break;
    case KXCTL_TAG_COMP_GAIN:
        comp_.gain = uint8_t(v);
        break;
    case KXCTL_TAG_COMP_LINK:
        comp_.link = uint8_t(v);
        break;
    case KXCTL_TAG_COMP_ON:
        comp_.on = uint8_t(v);
        if (Input *in = input())
            in->comp = comp_;
        break;
    case KXCTL_TAG_CONFIG_SAVE:
        ++state_.configSaves;
        break;
    case KXCTL_TAG_REVERB_TYPE:
        revType_ = uint8_t(v);
        break;
    case KXCTL_TAG_REVERB_PREDELAY:
        revPre_ = uint8_t(v);
        break;
    case KXCTL_TAG_REVERB_TIME:
        revTime_ = uint8_t(v);
        break;
    case KXCTL_TAG_REVERB_DIFFUSION:
        revDiff_ = uint8_t(v);
        break;
    case KXCTL_TAG_REVERB_APPLY:
        state_.reverbType = revType_;
        state_.reverbPreDelay = revPre_;
        state_.reverbTime = revTime_;
        state_.reverbDiffusion = revDiff_;
        break;
    case KXCTL_TAG_SET_HZ:
        state_.sampleRate = v;
        break;
    case KXCTL_TAG_SET_CLOCKSOURCE:
        state_.clockSource = uint8_t(v);
        break;
    case KXCTL_TAG_CLOCK_SRC:
        clockSrc_ = uint8_t(v);
        break;

    // Queries.
    case KXCTL_TAG_VERSION_GET:
        answer({num(KXCTL_TAG_VERSION, KXMSG_TYPE_U16, version_)});
        answer({num(KXCTL_TAG_BUILD, KXMSG_TYPE_U16, build_)});
        answer({text(KXCTL_TAG_PRODUCTNAME, productName_)});
        answer({text(KXCTL_TAG_BUILDDATE, buildDate_)});
        answer({text(KXCTL_TAG_BUILDTIME, buildTime_)});
        break;
    case KXCTL_TAG_HZ:
        answer({num(KXCTL_TAG_HZ, KXMSG_TYPE_U32, state_.sampleRate)});
        break;
    case KXCTL_TAG_CLOCKSOURCE:
        answer({num(KXCTL_TAG_CLOCKSOURCE, KXMSG_TYPE_U8, state_.clockSource)});
        break;
    case KXCTL_TAG_CLOCKLOCK:
        for (const Lock &l : locks_)
            answer({num(KXCTL_TAG_CLOCK_SRC, KXMSG_TYPE_U8, l.source),
                    num(KXCTL_TAG_CLOCKLOCK, KXMSG_TYPE_U8, l.lock),
                    num(KXCTL_TAG_CLOCK_HZ, KXMSG_TYPE_U32, l.hz)});
        break;
    case KXCTL_TAG_DSPMODE:
        answer({num(KXCTL_TAG_DSPMODE, KXMSG_TYPE_U8, dspMode_)});
        break;
    case KXCTL_TAG_ADAT_X4MODE_GET:
        answer({num(KXCTL_TAG_CLOCK_SRC, KXMSG_TYPE_U8, KXMSG_DATA_CLOCKSOURCE_OPTICAL_A),
                num(KXCTL_TAG_ADAT_X4MODE_GET, KXMSG_TYPE_U8, state_.opticalFormat[0])});
        if (model_ == Model::Tarvik)
            answer({num(KXCTL_TAG_CLOCK_SRC, KXMSG_TYPE_U8, KXMSG_DATA_CLOCKSOURCE_OPTICAL_B),
                    num(KXCTL_TAG_ADAT_X4MODE_GET, KXMSG_TYPE_U8, state_.opticalFormat[1])});
        break;
    case KXCTL_TAG_METER_GET:
        answerMeters();
        break;
    case KXCTL_TAG_GRMETER_GET:
        answer(
            {num(KXCTL_TAG_CH, KXMSG_TYPE_U8, chType_), num(KXCTL_TAG_CH_NO, KXMSG_TYPE_U8, chNo_),
             num(KXCTL_TAG_GRMETER, KXMSG_TYPE_U16, liveMeters_ ? liveGainReduction() : grMeter_)});
        break;
    default:
        break;
    }
}
