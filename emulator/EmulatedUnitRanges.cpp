// What the emulated unit accepts: every tag it takes in a setting message with its type and
// value range, and the checks that need the channel, band or model the element speaks of.
// Elements outside are applied as before (a real unit would do something undefined with
// them); they are only kept, so suites can assert that the panel never sends one.
#include "EmulatedUnit.h"

#include "kxctl.h"

#include <algorithm>
#include <initializer_list>

namespace {

using Value = uint32_t;

bool anyValue(Value) {
    return true;
}
bool flag(Value v) {
    return v <= 1;
}
bool oneOf(Value v, std::initializer_list<Value> set) {
    return std::find(set.begin(), set.end(), v) != set.end();
}
bool sampleRate(Value v) {
    return oneOf(v, {44100, 48000, 88200, 96000, 176400, 192000});
}
bool clockSource(Value v) {
    return oneOf(v, {KXMSG_DATA_CLOCKSOURCE_INTERNAL, KXMSG_DATA_CLOCKSOURCE_WORDCLOCK,
                     KXMSG_DATA_CLOCKSOURCE_OPTICAL_A, KXMSG_DATA_CLOCKSOURCE_OPTICAL_B});
}
bool opticalInput(Value v) {
    return oneOf(v, {KXMSG_DATA_CLOCKSOURCE_OPTICAL_A, KXMSG_DATA_CLOCKSOURCE_OPTICAL_B});
}
bool sendPosition(Value v) {
    return v >= KXMSG_DATA_SEND_POS_OFF && v <= KXMSG_DATA_SEND_POS_POST;
}
// Send and return levels: whole dB from -98 to +6, or -127 for minus infinity.
bool sendLevel(Value v) {
    const int level = int8_t(uint8_t(v));
    return level == -127 || (level >= -98 && level <= 6);
}
bool eqBand(Value v) {
    return v >= KXMSG_DATA_EQ_BAND_LOW && v <= KXMSG_DATA_EQ_BAND_HIGH;
}
bool eqGain(Value v) {
    return v <= 24 || v == 255; // 255: the low band while the low-cut filter is on
}
bool eqFrequency(Value v) {
    return v <= 63;
}
bool eqQ(Value v) {
    return v <= 6 || v == 255; // 255: the shelving bands, which have no Q
}
bool channelGroup(Value v) {
    return v >= KXMSG_DATA_CH_LINEOUT && v <= KXMSG_DATA_CH_AUX_SEND;
}
// Fader and monitor levels: tenths of a dB from -99.9 to +6.0, or -1270 for minus infinity.
bool faderLevel(Value v) {
    const int level = int16_t(uint16_t(v));
    return level == -1270 || (level >= -999 && level <= 60);
}
bool pan(Value v) {
    return v <= 40;
}
bool opticalFormat(Value v) {
    return v <= KXMSG_DATA_ADAT_X2;
}
// Threshold in whole dB as a signed byte: -32 to 0.
bool compThreshold(Value v) {
    return v == 0 || (v >= 224 && v <= 255);
}
bool compRatio(Value v) {
    return oneOf(v, {10, 11, 13, 15, 17, 20, 25, 30, 35, 40, 50, 60, 80, 160, 255});
}
bool compAttack(Value v) {
    return v >= 2 && v <= 200;
}
bool compRelease(Value v) {
    return v >= 1 && v <= 100;
}
bool compGain(Value v) {
    return v <= 20;
}
bool compLink(Value v) {
    return v >= KXMSG_DATA_CH_TYPE_MONO && v <= KXMSG_DATA_CH_TYPE_STEREO_EVEN;
}
bool configErase(Value v) {
    return v == 0;
}
bool reverbType(Value v) {
    return v >= KXMSG_DATA_REVERB_HALL && v <= KXMSG_DATA_REVERB_PLATE;
}
bool reverbPreDelay(Value v) {
    return v <= 250;
}
bool reverbTime(Value v) {
    return v >= 1 && v <= 100;
}
bool reverbDiffusion(Value v) {
    return v <= 100;
}

struct Rule {
    uint8_t tag;
    uint8_t type;
    bool (*legal)(Value);
};

constexpr uint8_t kNone = KXMSG_TYPE_NONE, kU8 = KXMSG_TYPE_U8, kU16 = KXMSG_TYPE_U16,
                  kU32 = KXMSG_TYPE_U32, kBytes = KXMSG_TYPE_U8_ARRAY;

// Every element the unit takes from the host; a tag may be listed once per type it accepts.
const Rule kRules[] = {
    {KXCTL_TAG_DEBUG_LED, kU8, flag},
    {KXCTL_TAG_AUTOPOWERSAVE_GET, kNone, anyValue},
    {KXCTL_TAG_SET_HZ, kU32, sampleRate},
    {KXCTL_TAG_HZ, kNone, anyValue},
    {KXCTL_TAG_SET_CLOCKSOURCE, kU8, clockSource},
    {KXCTL_TAG_CLOCKSOURCE, kNone, anyValue},
    {KXCTL_TAG_CLOCKLOCK, kNone, anyValue},
    {KXCTL_TAG_CPLDVER, kNone, anyValue},
    {KXCTL_TAG_CLOCK_SRC, kU8, opticalInput},
    {KXCTL_TAG_FWUP_START, kU32, anyValue},
    {KXCTL_TAG_FWUP_GETBUF, kNone, anyValue},
    {KXCTL_TAG_FWUP_DATA, kBytes, anyValue},
    {KXCTL_TAG_FWUP_DATA_LAST, kBytes, anyValue},
    {KXCTL_TAG_FW_CHECKSUM_GET, kU32, anyValue},
    {KXCTL_TAG_CPU_RESET, kNone, anyValue},
    {KXCTL_TAG_VERSION_GET, kNone, anyValue},
    {KXCTL_TAG_SOURCE, kNone, anyValue},
    {KXCTL_TAG_DESTINATION, kNone, anyValue},
    {KXCTL_TAG_ASSIGN, kNone, anyValue},
    {KXCTL_TAG_SEND_POS, kU8, sendPosition},
    {KXCTL_TAG_SEND_LEVEL, kU8, sendLevel},
    {KXCTL_TAG_SEND_APPLY, kNone, anyValue},
    {KXCTL_TAG_RETURN_LEVEL, kU8, sendLevel},
    {KXCTL_TAG_RETURN_ON, kU8, flag},
    {KXCTL_TAG_TRUEBYPASS, kU8, flag},
    {KXCTL_TAG_EQ_BAND, kU8, eqBand},
    {KXCTL_TAG_EQ_GAIN, kU8, eqGain},
    {KXCTL_TAG_EQ_FREQ, kU8, eqFrequency},
    {KXCTL_TAG_EQ_Q, kU8, eqQ},
    {KXCTL_TAG_EQ_ON, kU8, flag},
    {KXCTL_TAG_CH, kU8, channelGroup},
    {KXCTL_TAG_CH_NO, kU8, anyValue}, // by its group, below
    {KXCTL_TAG_METER_GET, kNone, anyValue},
    {KXCTL_TAG_FADER, kU16, faderLevel},
    {KXCTL_TAG_PAN, kU8, pan},
    {KXCTL_TAG_MUTE, kU8, flag},
    {KXCTL_TAG_SOLO, kU8, flag},
    {KXCTL_TAG_PHASE, kU8, flag},
    {KXCTL_TAG_ADAT_X4MODE, kU8, opticalFormat},
    {KXCTL_TAG_SET_DSPMODE, kU8, anyValue},
    {KXCTL_TAG_COMP_THRESHOLD, kU8, compThreshold},
    {KXCTL_TAG_COMP_RATIO, kU8, compRatio},
    {KXCTL_TAG_COMP_ATTACK, kU8, compAttack},
    {KXCTL_TAG_COMP_RELEASE, kU8, compRelease},
    {KXCTL_TAG_COMP_GAIN, kU8, compGain},
    {KXCTL_TAG_COMP_LINK, kU8, compLink},
    {KXCTL_TAG_COMP_ON, kU8, flag},
    {KXCTL_TAG_CONFIG_SAVE, kNone, anyValue},
    {KXCTL_TAG_CONFIG_SAVE, kU8, configErase},
    {KXCTL_TAG_GRMETER_GET, kNone, anyValue},
    {KXCTL_TAG_DSPMODE, kNone, anyValue},
    {KXCTL_TAG_ADAT_X4MODE_GET, kNone, anyValue},
    {KXCTL_TAG_USB_SPEED, kNone, anyValue},
    {KXCTL_TAG_REVERB_TYPE, kU8, reverbType},
    {KXCTL_TAG_REVERB_PREDELAY, kU8, reverbPreDelay},
    {KXCTL_TAG_REVERB_TIME, kU8, reverbTime},
    {KXCTL_TAG_REVERB_DIFFUSION, kU8, reverbDiffusion},
    {KXCTL_TAG_REVERB_APPLY, kNone, anyValue},
};

// Highest channel number of each channel group: line outputs (routing destinations and
// output faders), master bus, computer playback, mixer inputs, aux send buses.
int channelCount(uint8_t group) {
    switch (group) {
    case KXMSG_DATA_CH_LINEOUT:
        return 20;
    case KXMSG_DATA_CH_MASTER:
        return 2;
    case KXMSG_DATA_CH_PLAYBACK:
        return 10;
    case KXMSG_DATA_CH_MIXER_INPUT:
        return 20;
    case KXMSG_DATA_CH_AUX_SEND:
        return 4;
    default:
        return 0;
    }
}

} // namespace

void EmulatedUnit::check(const Element &e) {
    bool known = false, typed = false, legal = false;
    for (const Rule &r : kRules) {
        if (r.tag != e.tag)
            continue;
        known = true;
        if (r.type != e.type)
            continue;
        typed = true;
        legal = r.legal(e.value);
        break;
    }
    QString reason;
    if (!known)
        reason = QStringLiteral("tag the unit does not take");
    else if (!typed)
        reason = QStringLiteral("wrong type");
    else if (!legal)
        reason = QStringLiteral("value out of range");
    else
        checkContext(e, &reason);

    if (e.tag == KXCTL_TAG_CH)
        channelBad_ = !reason.isEmpty();
    else if (e.tag == KXCTL_TAG_CH_NO)
        channelBad_ = channelBad_ || !reason.isEmpty();
    else if (e.tag == KXCTL_TAG_SOURCE)
        sourceBad_ = channelBad_;
    else if (e.tag == KXCTL_TAG_DESTINATION)
        destinationBad_ = channelBad_;
    if (!reason.isEmpty())
        reject(e, reason);
}

// The checks that need what earlier elements named. A channel that was itself out of range
// has been counted already; what addresses it is not counted again.
bool EmulatedUnit::checkContext(const Element &e, QString *reason) const {
    const bool pelvo = model_ == Model::Pelvo;
    const bool input = chType_ == KXMSG_DATA_CH_MIXER_INPUT;
    auto fail = [reason](const char *why) {
        *reason = QString::fromLatin1(why);
        return false;
    };
    switch (e.tag) {
    case KXCTL_TAG_CH_NO:
        if (channelBad_)
            return true;
        if (channelCount(chType_) == 0)
            return fail("channel number without a channel group");
        if (e.value < 1 || int(e.value) > channelCount(chType_))
            return fail("no such channel in the group");
        return true;
    case KXCTL_TAG_SET_CLOCKSOURCE:
        if (pelvo && e.value != KXMSG_DATA_CLOCKSOURCE_INTERNAL &&
            e.value != KXMSG_DATA_CLOCKSOURCE_OPTICAL_A)
            return fail("clock source this model does not have");
        return true;
    case KXCTL_TAG_ADAT_X4MODE:
        if (!opticalInput(clockSrc_))
            return fail("optical format without an optical input named");
        return true;
    case KXCTL_TAG_ASSIGN: {
        if (sourceBad_ || destinationBad_)
            return true;
        const int outputs = pelvo ? 2 : 8;
        if (dstType_ != KXMSG_DATA_CH_LINEOUT || dstNo_ < 1 || dstNo_ > outputs)
            return fail("routing to a line output this model does not have");
        bool source = false;
        switch (srcType_) {
        case KXMSG_DATA_CH_MIXER_INPUT:
            // The smaller model's optical inputs are mixer inputs 5 to 12.
            source = pelvo ? (srcNo_ >= 1 && srcNo_ <= 2) || (srcNo_ >= 5 && srcNo_ <= 12)
                           : srcNo_ >= 1 && srcNo_ <= 20;
            break;
        case KXMSG_DATA_CH_MASTER:
            source = srcNo_ >= 1 && srcNo_ <= 2;
            break;
        case KXMSG_DATA_CH_AUX_SEND:
            source = srcNo_ >= 1 && srcNo_ <= 4;
            break;
        case KXMSG_DATA_CH_PLAYBACK:
            source = srcNo_ >= 1 && srcNo_ <= (pelvo ? 4 : 10);
            break;
        default:
            break;
        }
        return source || fail("routing source this model does not have");
    }
    case KXCTL_TAG_SEND_APPLY:
        if (sourceBad_ || destinationBad_)
            return true;
        if (dstType_ != KXMSG_DATA_CH_AUX_SEND)
            return fail("send to something other than an aux bus");
        if (srcType_ != KXMSG_DATA_CH_MIXER_INPUT &&
            !(srcType_ == KXMSG_DATA_CH_MASTER && srcNo_ == 1))
            return fail("send from a channel that has no sends");
        return true;
    default:
        break;
    }
    if (channelBad_)
        return true;
    switch (e.tag) {
    case KXCTL_TAG_FADER:
        if (input || chType_ == KXMSG_DATA_CH_MASTER ||
            (chType_ == KXMSG_DATA_CH_LINEOUT && chNo_ <= 9))
            return true;
        return fail("fader of a channel that has none");
    case KXCTL_TAG_MUTE:
        if (input || chType_ == KXMSG_DATA_CH_MASTER)
            return true;
        return fail("mute of a channel that has none");
    case KXCTL_TAG_TRUEBYPASS:
    case KXCTL_TAG_PAN:
    case KXCTL_TAG_SOLO:
    case KXCTL_TAG_PHASE:
    case KXCTL_TAG_GRMETER_GET:
        return input || fail("setting of a mixer input for another channel");
    case KXCTL_TAG_EQ_ON: {
        if (!input)
            return fail("equaliser of a channel that has none");
        // The shelving bands have no Q; the low band covers the lower, the high band the
        // upper half of the frequency list; only the low band has the low-cut marker.
        const bool low = band_ == KXMSG_DATA_EQ_BAND_LOW, high = band_ == KXMSG_DATA_EQ_BAND_HIGH;
        if (!eqBand(band_))
            return fail("equaliser band out of range");
        if (eq_.gain == 255 && !low)
            return fail("low-cut gain marker on a band other than the low band");
        if ((low && eq_.freq > 31) || (high && eq_.freq < 32))
            return fail("frequency outside the band");
        if ((low || high) != (eq_.q == 255))
            return fail("Q that the band does not take");
        return true;
    }
    case KXCTL_TAG_COMP_ON:
        if (!input)
            return fail("compressor of a channel that has none");
        if ((comp_.link == KXMSG_DATA_CH_TYPE_STEREO_ODD && chNo_ % 2 == 0) ||
            (comp_.link == KXMSG_DATA_CH_TYPE_STEREO_EVEN && chNo_ % 2 == 1))
            return fail("compressor link side that does not match the channel");
        return true;
    default:
        return true;
    }
}

void EmulatedUnit::reject(const Element &e, const QString &reason) {
    rejected_.push_back({e, reason});
}

int EmulatedUnit::outOfRangeCount() const {
    std::lock_guard<std::mutex> g(lock_);
    return rejected_.size();
}

QVector<EmulatedUnit::Rejected> EmulatedUnit::outOfRange() const {
    std::lock_guard<std::mutex> g(lock_);
    return rejected_;
}
