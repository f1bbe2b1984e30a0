// The mixer's parameters: channel strips, sends and return, true bypass, equaliser and
// compressor records and knob positions, and the reverb. Each notify stores its keys first
// and then tells the proxy (true bypass the other way round).
#include "DataManager.h"
#include "StoreCodes.h"
#include "StoreSettings.h"

#include <iterator>

using namespace storesettings;
using namespace storecodes;

namespace {

const QString kMaster = QStringLiteral("TrackMaster");
constexpr unsigned char kNoChannel = 255;
constexpr unsigned short kAbsent = 365;

// Send name to its keys and aux bus. Two fallbacks: the level operation treats any other
// name as the return (bus 0), the getters and the position operation as "Send4".
struct SendRow {
    const char *name;
    const char *levelKey;
    const char *valueKey;
    const char *pointKey;
    unsigned char bus;
};
const SendRow kSends[] = {
    {"Send1", "Send1_Level", "Send1_Value", "Send1_Point", 1},
    {"Send2", "Send2_Level", "Send2_Value", "Send2_Point", 2},
    {"Send3", "Send3_Level", "Send3_Value", "Send3_Point", 3},
    {"Send4", "Send4_Level", "Send4_Value", "Send4_Point", 4},
};
const SendRow kReturn = {"Return", "Return_Level", "Return_Value", nullptr, 0};

const SendRow &sendRow(const QString &send, const SendRow &fallback) {
    for (const SendRow &row : kSends)
        if (send == QLatin1String(row.name))
            return row;
    return fallback;
}

const SendRow &sendRowOrSend4(const QString &send) {
    return sendRow(send, kSends[3]);
}

// Equaliser and compressor knobs: position key, display key and position when absent.
struct KnobRow {
    const char *positionKey;
    const char *displayKey;
    unsigned short fallback;
};
enum Knob {
    kCompThreshold,
    kCompRatio,
    kCompGain,
    kCompAttack,
    kCompRelease,
    kEqHighGain,
    kEqHighMidGain,
    kEqLowMidGain,
    kEqLowGain,
    kEqHighFreq,
    kEqHighMidFreq,
    kEqLowMidFreq,
    kEqLowFreq,
    kEqHighMidQ,
    kEqLowMidQ,
};
const KnobRow kKnobs[] = {
    {"CompThresholdPos", "CompThresholdText", 127},
    {"CompRatioPos", "CompRatioText", 0},
    {"CompGainPos", "CompGainText", 0},
    {"CompAttackPos", "CompAttackText", 0},
    {"CompReleasePos", "CompReleaseText", 0},
    {"EqHighGainPos", "EqHighGainValue", 61},
    {"EqHighMidGainPos", "EqHighMidGainValue", 61},
    {"EqLowMidGainPos", "EqLowMidGainValue", 61},
    {"EqLowGainPos", "EqLowGainValue", 61},
    {"EqHighFreqPos", "EqHighFreqText", 60},
    {"EqHighMidFreqPos", "EqHighMidFreqText", 54},
    {"EqLowMidFreqPos", "EqLowMidFreqText", 28},
    {"EqLowFreqPos", "EqLowFreqText", 20},
    {"EqHighMidQFreqPos", "EqHighMidQFreqText", 36},
    {"EqLowMidQFreqPos", "EqLowMidQFreqText", 36},
};

// Reverb types: name, key suffix, the unit's type and the default pre-delay, time and
// diffusion positions. A name not in the table uses the last row's keys and defaults.
enum ReverbParam { kPreDelay, kTime, kDiffusion };
struct ReverbRow {
    const char *name;
    const char *suffix;
    kxmsg_data_reverb_type_t type;
    unsigned short fallback[3];
};
const ReverbRow kReverbs[] = {
    {"HALL", "Hall", KXMSG_DATA_REVERB_HALL, {90, 27, 20}},
    {"ROOM", "Room", KXMSG_DATA_REVERB_ROOM, {25, 14, 60}},
    {"LIVE", "Live", KXMSG_DATA_REVERB_LIVE, {6, 26, 50}},
    {"STUDIO", "Studio", KXMSG_DATA_REVERB_STUDIO, {60, 4, 70}},
    {"PLATE", "Plate", KXMSG_DATA_REVERB_PLATE, {42, 27, 50}},
};
const char *const kReverbPositionKeys[] = {"RvbPreDelayPos_", "RvbTimePos_", "RvbDiffPos_"};
const QString kReverb = QStringLiteral("Reverb");

const ReverbRow &reverbRow(const QString &name) {
    for (const ReverbRow &row : kReverbs)
        if (name == QLatin1String(row.name))
            return row;
    return kReverbs[std::size(kReverbs) - 1];
}

// The stored mode 1..5 names its type; every other value is the plate.
const ReverbRow &reverbRowOfMode(unsigned char mode) {
    if (mode >= 1 && mode <= std::size(kReverbs))
        return kReverbs[mode - 1];
    return kReverbs[std::size(kReverbs) - 1];
}

} // namespace

// Calls set(type, channel) for the channels of a track name: the master's two channels, or
// the first input and, for a pair, the second. A name outside the table gives one call
// with channel 255, which the proxy refuses.
template <class Set> void DataManager::forPairChannels(const QString &track, Set set) {
    if (track == kMaster) {
        set(KXMSG_DATA_CH_MASTER, 1);
        set(KXMSG_DATA_CH_MASTER, 2);
        return;
    }
    unsigned char ch[2];
    exchangeTrackNum(track, ch);
    set(KXMSG_DATA_CH_MIXER_INPUT, ch[0]);
    if (ch[1] != kNoChannel)
        set(KXMSG_DATA_CH_MIXER_INPUT, ch[1]);
}

// --- channel strip parameters ----------------------------------------------------------------

void DataManager::storeFlag(const QString &track, const char *key, bool on) {
    write(mixer(), track, QLatin1String(key), on);
}

void DataManager::notifyTrackSelect(QString track, bool on) {
    storeFlag(track, "Select", on);
}

void DataManager::notifyTrackPhase(QString track, bool on) {
    storeFlag(track, "Phase", on);
    unsigned char n;
    exchangeTrackNumForSeparate(track, &n);
    if (n != kNoChannel)
        kxDevice_.set_phase(KXMSG_DATA_CH_MIXER_INPUT, n, on);
}

void DataManager::notifyTrackEq(QString track, bool on) {
    storeFlag(track, "Eq", on);
}

void DataManager::notifyTrackComp(QString track, bool on) {
    storeFlag(track, "Comp", on);
}

void DataManager::notifyTrackSolo(QString track, bool on) {
    storeFlag(track, "Solo", on);
}

void DataManager::notifyTrackMute(QString track, bool on) {
    storeFlag(track, "Mute", on);
    forPairChannels(
        track, [&](kxmsg_data_ch_t type, unsigned char ch) { kxDevice_.set_mute(type, ch, on); });
}

void DataManager::notifyTrackLink(QString track, bool on) {
    storeFlag(track, "Link", on);
}

void DataManager::notifyTrackFader(QString track, double dB) {
    write(mixer(), track, QStringLiteral("Fader"), dB);
    const int16_t level = faderLevelFromDb(dB);
    forPairChannels(track, [&](kxmsg_data_ch_t type, unsigned char ch) {
        kxDevice_.set_fader(type, ch, level);
    });
}

void DataManager::notifyTrackFader(QString track, int position, QString text) {
    write(mixer(), track, QStringLiteral("Fader_pos"), position);
    if (text != QLatin1String("-infinity") && !text.endsWith(QLatin1String("dB")))
        text += QLatin1String(" dB");
    write(mixer(), track, QStringLiteral("Fader_value"), text);
    const int16_t level = faderLevelFromText(text);
    forPairChannels(track, [&](kxmsg_data_ch_t type, unsigned char ch) {
        kxDevice_.set_fader(type, ch, level);
    });
}

void DataManager::notifyTrackPan(QString track, int position, QString label) {
    write(mixer(), track, QStringLiteral("Pan_pos"), position);
    write(mixer(), track, QStringLiteral("Pan_value"), label);
    const unsigned char code = exchangePanLabelToNum(label);
    if (code == kNoChannel)
        return; // not a pan label: there is no pan to send
    unsigned char n;
    exchangeTrackNumForSeparate(track, &n);
    kxDevice_.set_pan(KXMSG_DATA_CH_MIXER_INPUT, n, code);
}

void DataManager::notifyChannelName(QString track, QString name) {
    write(mixer(), track, QStringLiteral("Name"), name);
}

bool DataManager::getTrackSelect(QString track) {
    return loadSettingBool(track, QStringLiteral("Select"));
}

bool DataManager::getTrackPhase(QString track) {
    return loadSettingBool(track, QStringLiteral("Phase"));
}

bool DataManager::getTrackEq(QString track) {
    return loadSettingBool(track, QStringLiteral("Eq"));
}

bool DataManager::getTrackComp(QString track) {
    return loadSettingBool(track, QStringLiteral("Comp"));
}

bool DataManager::getTrackSolo(QString track) {
    return loadSettingBool(track, QStringLiteral("Solo"));
}

bool DataManager::getTrackMute(QString track) {
    return loadSettingBool(track, QStringLiteral("Mute"));
}

bool DataManager::getTrackLink(QString track) {
    return loadSettingBool(track, QStringLiteral("Link"));
}

double DataManager::getTrackFaderViewValue(QString track) {
    const double dB = loadSettingDouble(track, QStringLiteral("Fader"));
    if (dB == 1000.0)
        return track == kMaster ? -99.9 : 0.0;
    return dB;
}

unsigned short DataManager::getTrackFaderPosition(QString track) {
    if (track == kMaster)
        return loadSetting_Upper(track, QStringLiteral("Fader_pos"));
    return loadSetting(track, QStringLiteral("Fader_pos"));
}

QString DataManager::getTrackFaderValue(QString track) {
    const QString text = loadSettingString(track, QStringLiteral("Fader_value"));
    if (text.isEmpty())
        return track == kMaster ? QStringLiteral("-infinity") : QStringLiteral("  0 dB");
    return text;
}

unsigned short DataManager::getTrackPanPosition(QString track, kTrackType kind) {
    const unsigned short position = loadSetting(track, QStringLiteral("Pan_pos"));
    if (position == kAbsent)
        return kind == kTrackOdd ? 20 : 79;
    return position;
}

QString DataManager::getTrackPanValue(QString track) {
    const QString label = loadSettingString(track, QStringLiteral("Pan_value"));
    // Only a label of the pan scale names a pan; anything else reads as the centre.
    return exchangePanLabelToNum(label) == kNoChannel ? QStringLiteral("C") : label;
}

QString DataManager::getChannelName(QString track) {
    return loadSettingString(track, QStringLiteral("Name"));
}

// --- sends, return and true bypass -----------------------------------------------------------

void DataManager::notifySendLevel(QString track, QString send, int position, QString label) {
    const SendRow &row = sendRow(send, kReturn);
    write(mixer(), track, QLatin1String(row.levelKey), position);
    write(mixer(), track, QLatin1String(row.valueKey), label);
    const int8_t level = sendLevelFromText(label);
    if (send == QLatin1String("Return")) {
        kxDevice_.set_return(getReverbStatus(), level);
        return;
    }
    unsigned char ch[2];
    exchangeTrackNum(track, ch);
    const auto bus = kxmsg_data_ch_t(KXMSG_DATA_CH_AUX_SEND);
    if (track == kMaster) {
        // The master bus sends from its first channel and has no send position.
        kxDevice_.set_send_ch(KXMSG_DATA_CH_MASTER, ch[0], bus, row.bus, KXMSG_DATA_SEND_POS_OFF,
                              level);
        return;
    }
    const auto pos = kxmsg_data_send_pos_t(sendPosition(getSendPoint(track, send)));
    kxDevice_.set_send_ch(KXMSG_DATA_CH_MIXER_INPUT, ch[0], bus, row.bus, pos, level);
    if (ch[1] != kNoChannel)
        kxDevice_.set_send_ch(KXMSG_DATA_CH_MIXER_INPUT, ch[1], bus, row.bus, pos, level);
}

void DataManager::notifySendPoint(QString track, QString send, char point) {
    const SendRow &row = sendRowOrSend4(send);
    write(mixer(), track, QLatin1String(row.pointKey), int(point));
    const int8_t level = sendLevelFromText(getSendValue(track, send));
    unsigned char ch[2];
    exchangeTrackNum(track, ch);
    const auto pos = kxmsg_data_send_pos_t(sendPosition(getSendPoint(track, send)));
    kxDevice_.set_send_ch(KXMSG_DATA_CH_MIXER_INPUT, ch[0], KXMSG_DATA_CH_AUX_SEND, row.bus, pos,
                          level);
    if (ch[1] != kNoChannel)
        kxDevice_.set_send_ch(KXMSG_DATA_CH_MIXER_INPUT, ch[1], KXMSG_DATA_CH_AUX_SEND, row.bus,
                              pos, level);
}

unsigned char DataManager::getSendPoint(QString track, QString send) {
    const unsigned short point = loadSetting(track, QLatin1String(sendRowOrSend4(send).pointKey));
    return point == kAbsent ? 1 : static_cast<unsigned char>(point);
}

unsigned short DataManager::getSendLevel(QString track, QString send) {
    const unsigned short level = loadSetting(track, QLatin1String(sendRowOrSend4(send).levelKey));
    if (level == kAbsent)
        return track == kMaster ? 102 : 0;
    return level;
}

QString DataManager::getSendValue(QString track, QString send) {
    const QString label = loadSettingString(track, QLatin1String(sendRowOrSend4(send).valueKey));
    if (label.isEmpty())
        return track == kMaster ? QStringLiteral("  0dB") : QStringLiteral("-inf.");
    return label;
}

unsigned short DataManager::getReturnLevel() {
    const unsigned short level = loadSetting(kMaster, QLatin1String(kReturn.levelKey));
    return level == kAbsent ? 0 : level;
}

QString DataManager::getReturnValue() {
    const QString label = loadSettingString(kMaster, QLatin1String(kReturn.valueKey));
    return label.isEmpty() ? QStringLiteral("-inf.") : label;
}

bool DataManager::getReverbStatus() {
    return loadSettingBool_True(kReverb, QStringLiteral("MasterReverb"));
}

void DataManager::notifyTrueBypass(unsigned char channel, bool on) {
    kxDevice_.set_truebypass(KXMSG_DATA_CH_MIXER_INPUT, channel, on);
    write(mixer(), QStringLiteral("Track%1").arg(channel), QStringLiteral("TrueBypass"), on);
}

bool DataManager::getTrueBypass(unsigned char channel) {
    return loadSettingBool(QStringLiteral("Track%1").arg(channel), QStringLiteral("TrueBypass"));
}

void DataManager::setMixerTrueBypass(bool on) {
    // Input channel 1 carries the mixer's switch.
    kxDevice_.set_truebypass(KXMSG_DATA_CH_MIXER_INPUT, 1, on);
    write(mixer(), QStringLiteral("Misc"), QStringLiteral("MixerTrueBypass"), on);
}

bool DataManager::getMixerTrueBypass() {
    return loadSettingBool(QStringLiteral("Misc"), QStringLiteral("MixerTrueBypass"));
}

// --- equaliser and compressor records --------------------------------------------------------

bool DataManager::sendEqParam(BandType band, EqParameter rec) {
    unsigned char gain, freq, q = 255; // the shelving bands have no Q
    switch (band) {
    case kBandLow:
        gain = exchangeEqGain(rec.lowGain);
        freq = exchangeEqLowFreq(rec.lowFreq);
        break;
    case kBandLowMid:
        gain = exchangeEqGain(rec.lowMidGain);
        freq = exchangeEqMidFreq(rec.lowMidFreq);
        q = exchangeEqMidq(rec.lowMidQ);
        break;
    case kBandHighMid:
        gain = exchangeEqGain(rec.highMidGain);
        freq = exchangeEqMidFreq(rec.highMidFreq);
        q = exchangeEqMidq(rec.highMidQ);
        break;
    case kBandHigh:
        gain = exchangeEqGain(rec.highGain);
        freq = exchangeEqHighFreq(rec.highFreq);
        break;
    default:
        return false;
    }
    return kxDevice_.set_eq(KXMSG_DATA_CH_MIXER_INPUT, rec.channel, rec.eqOn & 1,
                            kxmsg_data_eq_band_t(band + 1), gain, freq, q);
}

bool DataManager::sendCompParam(CompParameter rec) {
    kxmsg_data_ch_type_t link = KXMSG_DATA_CH_TYPE_MONO;
    if (rec.linked & 1)
        link = (rec.channel & 1) ? KXMSG_DATA_CH_TYPE_STEREO_ODD : KXMSG_DATA_CH_TYPE_STEREO_EVEN;
    return kxDevice_.set_comp(KXMSG_DATA_CH_MIXER_INPUT, rec.channel, rec.compOn & 1,
                              exchangeCompThreshold(rec.threshold), exchangeCompRatio(rec.ratio),
                              exchangeCompAttack(rec.attack), exchangeCompRelease(rec.release),
                              exchangeCompGain(rec.gain), link);
}

// --- equaliser and compressor knob positions -------------------------------------------------

void DataManager::storeKnob(int knob, const QString &track, int position, const QVariant &display) {
    write(mixer(), track, QLatin1String(kKnobs[knob].positionKey), position);
    write(mixer(), track, QLatin1String(kKnobs[knob].displayKey), display);
}

unsigned short DataManager::knobPosition(int knob, const QString &track) {
    const unsigned short position = loadSetting(track, QLatin1String(kKnobs[knob].positionKey));
    // A knob turns from 0 to 127; anything else (absent, or a damaged file) reads as its
    // default, so that no stored number turns into a code the unit does not take.
    return position <= 127 ? position : kKnobs[knob].fallback;
}

void DataManager::notifyCompThreshold(QString track, int position, QString text) {
    storeKnob(kCompThreshold, track, position, text);
}
void DataManager::notifyCompRatio(QString track, int position, QString text) {
    storeKnob(kCompRatio, track, position, text);
}
void DataManager::notifyCompGain(QString track, int position, int value) {
    storeKnob(kCompGain, track, position, value);
}
void DataManager::notifyCompAttack(QString track, int position, int value) {
    storeKnob(kCompAttack, track, position, value);
}
void DataManager::notifyCompRelease(QString track, int position, int value) {
    storeKnob(kCompRelease, track, position, value);
}
void DataManager::notifyEqHighGain(QString track, int position, int value) {
    storeKnob(kEqHighGain, track, position, value);
}
void DataManager::notifyEqHighMidGain(QString track, int position, int value) {
    storeKnob(kEqHighMidGain, track, position, value);
}
void DataManager::notifyEqLowMidGain(QString track, int position, int value) {
    storeKnob(kEqLowMidGain, track, position, value);
}
void DataManager::notifyEqLowGain(QString track, int position, int value) {
    storeKnob(kEqLowGain, track, position, value);
}
void DataManager::notifyEqHighFreq(QString track, int position, QString text) {
    storeKnob(kEqHighFreq, track, position, text);
}
void DataManager::notifyEqHighMidFreq(QString track, int position, QString text) {
    storeKnob(kEqHighMidFreq, track, position, text);
}
void DataManager::notifyEqLowMidFreq(QString track, int position, QString text) {
    storeKnob(kEqLowMidFreq, track, position, text);
}
void DataManager::notifyEqLowFreq(QString track, int position, QString text) {
    storeKnob(kEqLowFreq, track, position, text);
}
void DataManager::notifyEqHighMidQPosition(QString track, int position, QString text) {
    storeKnob(kEqHighMidQ, track, position, text);
}
void DataManager::notifyEqLowMidQPosition(QString track, int position, QString text) {
    storeKnob(kEqLowMidQ, track, position, text);
}

unsigned short DataManager::getCompThresholdPosition(QString track) {
    return knobPosition(kCompThreshold, track);
}
unsigned short DataManager::getCompRatioPosition(QString track) {
    return knobPosition(kCompRatio, track);
}
unsigned short DataManager::getCompGainPosition(QString track) {
    return knobPosition(kCompGain, track);
}
unsigned short DataManager::getCompAttackPosition(QString track) {
    return knobPosition(kCompAttack, track);
}
unsigned short DataManager::getCompReleasePosition(QString track) {
    return knobPosition(kCompRelease, track);
}
unsigned short DataManager::getEqHighGainPosition(QString track) {
    return knobPosition(kEqHighGain, track);
}
unsigned short DataManager::getEqHighMidGainPosition(QString track) {
    return knobPosition(kEqHighMidGain, track);
}
unsigned short DataManager::getEqLowMidGainPosition(QString track) {
    return knobPosition(kEqLowMidGain, track);
}
unsigned short DataManager::getEqLowGainPosition(QString track) {
    return knobPosition(kEqLowGain, track);
}
unsigned short DataManager::getEqHighFreqPosition(QString track) {
    return knobPosition(kEqHighFreq, track);
}
unsigned short DataManager::getEqHighMidFreqPosition(QString track) {
    return knobPosition(kEqHighMidFreq, track);
}
unsigned short DataManager::getEqLowMidFreqPosition(QString track) {
    return knobPosition(kEqLowMidFreq, track);
}
unsigned short DataManager::getEqLowFreqPosition(QString track) {
    return knobPosition(kEqLowFreq, track);
}
unsigned short DataManager::getEqHighMidQPosition(QString track) {
    return knobPosition(kEqHighMidQ, track);
}
unsigned short DataManager::getEqLowMidQPosition(QString track) {
    return knobPosition(kEqLowMidQ, track);
}

void DataManager::notifyEqLowCutFilter(QString track, bool on) {
    storeFlag(track, "EqLowCutFilter", on);
}

bool DataManager::getEqLowCutFilter(QString track) {
    return loadSettingBool(track, QStringLiteral("EqLowCutFilter"));
}

// --- reverb ----------------------------------------------------------------------------------

kxmsg_data_reverb_type_t DataManager::getRvbType(QString name) {
    for (const ReverbRow &row : kReverbs)
        if (name == QLatin1String(row.name))
            return row.type;
    return kxmsg_data_reverb_type_t(0);
}

unsigned short DataManager::reverbPosition(int param, const QString &name) {
    const ReverbRow &row = reverbRow(name);
    const unsigned short position =
        loadSetting(kReverb, QLatin1String(kReverbPositionKeys[param]) + QLatin1String(row.suffix));
    // The knobs turn over pre-delay 0..250, time 1..100 and diffusion 0..100, which the unit
    // takes as they are; anything else (absent, or a damaged file) reads as the type's default.
    static const unsigned short lowest[] = {0, 1, 0}, highest[] = {250, 100, 100};
    if (position < lowest[param] || position > highest[param])
        return row.fallback[param];
    return position;
}

void DataManager::storeReverbKnob(int param, int position, const QString &name,
                                  const QString *text) {
    const QString suffix = QLatin1String(reverbRow(name).suffix);
    write(mixer(), kReverb, QLatin1String(kReverbPositionKeys[param]) + suffix, position);
    if (text)
        write(mixer(), kReverb, QStringLiteral("RvbTimeValue_") + suffix, *text);
    if (!getReverbStatus())
        return;
    const kxmsg_data_reverb_type_t type = getRvbType(name);
    if (type == 0)
        return; // not a reverb type: nothing the unit could apply
    unsigned char values[3];
    for (int p = kPreDelay; p <= kDiffusion; ++p)
        values[p] = p == param ? static_cast<unsigned char>(position)
                               : static_cast<unsigned char>(reverbPosition(p, name));
    kxDevice_.set_reverb(type, values[kPreDelay], values[kTime], values[kDiffusion]);
}

void DataManager::notifyRvbPreDelayPosition(int position, QString name) {
    storeReverbKnob(kPreDelay, position, name, nullptr);
}

void DataManager::notifyRvbTimePosition(int position, QString text, QString name) {
    storeReverbKnob(kTime, position, name, &text);
}

void DataManager::notifyRvbDiffPosition(int position, QString name) {
    storeReverbKnob(kDiffusion, position, name, nullptr);
}

unsigned short DataManager::getRvbPreDelayPosition(QString name) {
    return reverbPosition(kPreDelay, name);
}

unsigned short DataManager::getRvbTimePosition(QString name) {
    return reverbPosition(kTime, name);
}

unsigned short DataManager::getRvbDiffPosition(QString name) {
    return reverbPosition(kDiffusion, name);
}

void DataManager::notifyReverbMode(unsigned char mode) {
    write(mixer(), kReverb, QStringLiteral("Mode"), int(mode));
}

unsigned char DataManager::getReverbMode() {
    const unsigned short mode = loadSetting(kReverb, QStringLiteral("Mode"));
    return mode == kAbsent ? 1 : static_cast<unsigned char>(mode);
}

void DataManager::notifyReverbStatus(bool on) {
    write(mixer(), kReverb, QStringLiteral("MasterReverb"), on);
    if (on) {
        const QString name = QLatin1String(reverbRowOfMode(getReverbMode()).name);
        kxDevice_.set_reverb(getRvbType(name),
                             static_cast<unsigned char>(reverbPosition(kPreDelay, name)),
                             static_cast<unsigned char>(reverbPosition(kTime, name)),
                             static_cast<unsigned char>(reverbPosition(kDiffusion, name)));
    }
    kxDevice_.set_return(on, sendLevelFromText(getReturnValue()));
}

void DataManager::notifyReverbMuteStatus(bool on) {
    write(mixer(), kReverb, QStringLiteral("MasterReverbMute"), on);
}

bool DataManager::getReverbMuteStatus() {
    return loadSettingBool(kReverb, QStringLiteral("MasterReverbMute"));
}
