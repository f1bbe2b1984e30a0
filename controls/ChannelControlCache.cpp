// The equaliser and compressor caches of the 20 inputs: what a knob or button sends is the
// whole band or compressor of the cached record, mirrored onto the partner channel while
// the pair is stereo-linked. Also the EQ, compressor and low-cut buttons and send points.
#include "ChannelControl.h"

#include <initializer_list>

EqParameter ChannelControl::eqCache[20] = {};
CompParameter ChannelControl::compCache[20] = {};
bool ChannelControl::linkedCh[kLinkChCount] = {};

namespace {

using EqField = unsigned char EqParameter::*;
using CompField = unsigned char CompParameter::*;

// The knob positions of each equaliser band, by BandType.
const std::initializer_list<EqField> kBandFields[4] = {
    {&EqParameter::lowGain, &EqParameter::lowFreq},
    {&EqParameter::lowMidGain, &EqParameter::lowMidFreq, &EqParameter::lowMidQ},
    {&EqParameter::highMidGain, &EqParameter::highMidFreq, &EqParameter::highMidQ},
    {&EqParameter::highGain, &EqParameter::highFreq}};

const CompField kCompFields[] = {&CompParameter::threshold, &CompParameter::ratio,
                                 &CompParameter::gain, &CompParameter::attack,
                                 &CompParameter::release};

// The other channel of the pair a 0-based index belongs to.
int partnerOf(int index) {
    return index ^ 1;
}

void sendAllBands(const EqParameter &r) {
    for (BandType band : {kBandLow, kBandLowMid, kBandHighMid, kBandHigh})
        dm.sendEqParam(band, r);
}

// Cache index of a strip's name: a pair name for a linked strip, a mono name otherwise;
// 255 when the name has no record (the master, anything else).
unsigned char stripIndex(const QString &name, bool pair) {
    unsigned char i;
    ChannelControl::exchangeChannel(name, i);
    const bool isPair = ChannelControl::exChangeToMonoOdd(name) != QLatin1String("NotStereo");
    return isPair == pair ? i : 255;
}

} // namespace

void ChannelControl::setEqParam(unsigned char index, EqParameter record) {
    if (index >= 20)
        return;
    record.eqOn = record.eqOn ? 1 : 0;
    record.linked = record.linked ? 1 : 0;
    record.lowCutOn = record.lowCutOn ? 1 : 0;
    eqCache[index] = record;
}

void ChannelControl::setCompParam(unsigned char index, CompParameter record) {
    if (index >= 20)
        return;
    record.compOn = record.compOn ? 1 : 0;
    record.linked = record.linked ? 1 : 0;
    compCache[index] = record;
}

void ChannelControl::setSendParam(unsigned char, SendParameter) {}

void ChannelControl::setSendLevel(unsigned char, QString, unsigned char) {}

void ChannelControl::setLinkedCh(kLinkChParam pair, bool on) {
    if (pair < 0 || pair >= kLinkChCount)
        return;
    linkedCh[pair] = on;
    const int a = 2 * pair, b = a + 1;
    for (int i : {a, b}) {
        eqCache[i].linked = on;
        compCache[i].linked = on;
    }
    if (!on)
        return;
    eqCache[b].eqOn = eqCache[a].eqOn;
    for (const auto &fields : kBandFields)
        for (EqField f : fields)
            eqCache[b].*f = eqCache[a].*f;
    compCache[b].compOn = compCache[a].compOn;
    for (CompField f : kCompFields)
        compCache[b].*f = compCache[a].*f;
}

bool ChannelControl::checkLinkedCh(kLinkChParam pair) {
    return pair >= 0 && pair < kLinkChCount && linkedCh[pair];
}

void ChannelControl::setEqField(unsigned char channel, EqField field, unsigned char value,
                                BandType band) {
    if (channel < 1 || channel > 20)
        return;
    EqParameter &r = eqCache[channel - 1];
    r.channel = channel;
    r.*field = value;
    if (r.eqOn)
        dm.sendEqParam(band, r);
    if (!r.linked)
        return;
    const int j = partnerOf(channel - 1);
    EqParameter &p = eqCache[j];
    p.channel = (unsigned char)(j + 1);
    for (EqField f : kBandFields[band])
        p.*f = r.*f;
    if (p.eqOn)
        dm.sendEqParam(band, p);
}

void ChannelControl::setCompField(unsigned char channel, CompField field, unsigned char value) {
    if (channel < 1 || channel > 20)
        return;
    CompParameter &r = compCache[channel - 1];
    r.channel = channel;
    r.*field = value;
    if (r.compOn)
        dm.sendCompParam(r);
    if (!r.linked)
        return;
    const int j = partnerOf(channel - 1);
    CompParameter &p = compCache[j];
    p.channel = (unsigned char)(j + 1);
    for (CompField f : kCompFields)
        p.*f = r.*f;
    if (p.compOn)
        dm.sendCompParam(p);
}

#define OLVANE_EQ_SETTER(Name, field, band)                                                        \
    void ChannelControl::setEqParam##Name(unsigned char c, unsigned char v) {                      \
        setEqField(c, &EqParameter::field, v, band);                                               \
    }
OLVANE_EQ_SETTER(LowGain, lowGain, kBandLow)
OLVANE_EQ_SETTER(LowFreq, lowFreq, kBandLow)
OLVANE_EQ_SETTER(LowMidGain, lowMidGain, kBandLowMid)
OLVANE_EQ_SETTER(LowMidFreq, lowMidFreq, kBandLowMid)
OLVANE_EQ_SETTER(LowMidQ, lowMidQ, kBandLowMid)
OLVANE_EQ_SETTER(HighMidGain, highMidGain, kBandHighMid)
OLVANE_EQ_SETTER(HighMidFreq, highMidFreq, kBandHighMid)
OLVANE_EQ_SETTER(HighMidQ, highMidQ, kBandHighMid)
OLVANE_EQ_SETTER(HighGain, highGain, kBandHigh)
OLVANE_EQ_SETTER(HighFreq, highFreq, kBandHigh)
#undef OLVANE_EQ_SETTER

#define OLVANE_COMP_SETTER(Name, field)                                                            \
    void ChannelControl::setCompParam##Name(unsigned char c, unsigned char v) {                    \
        setCompField(c, &CompParameter::field, v);                                                 \
    }
OLVANE_COMP_SETTER(Threshold, threshold)
OLVANE_COMP_SETTER(Ratio, ratio)
OLVANE_COMP_SETTER(Gain, gain)
OLVANE_COMP_SETTER(Attack, attack)
OLVANE_COMP_SETTER(Release, release)
#undef OLVANE_COMP_SETTER

void ChannelControl::clicked_eq(bool on) {
    switchStrip(on, true);
}
void ChannelControl::clicked_comp(bool on) {
    switchStrip(on, false);
}

// EQ or compressor on/off of a strip: stores the flag, then sends the cached record of the
// channel and, while linked, of its partner.
void ChannelControl::switchStrip(bool on, bool eq) {
    const bool pair = trackType == kTrackStereo;
    const QString name = pair ? stereoCh : trackCh;
    if (eq)
        dm.notifyTrackEq(name, on);
    else
        dm.notifyTrackComp(name, on);
    const unsigned char i = stripIndex(name, pair);
    if (i >= 20)
        return;
    const int j = partnerOf(i);
    if (eq) {
        EqParameter &r = eqCache[i];
        r.eqOn = on;
        if (r.lowCutOn)
            r.lowGain = 255;
        sendAllBands(r);
        if (r.linked) {
            if (r.lowCutOn)
                eqCache[j].lowGain = 255;
            eqCache[j].eqOn = on;
            sendAllBands(eqCache[j]);
        }
    } else {
        CompParameter &r = compCache[i];
        r.compOn = on;
        dm.sendCompParam(r);
        if (r.linked) {
            compCache[j].compOn = on;
            dm.sendCompParam(compCache[j]);
        }
    }
    if (selectedCh == trackCh || selectedCh == stereoCh) {
        if (eq)
            emit signal_doEqualizerRepaint();
        else
            emit signal_doCompressorRepaint();
    }
}

void ChannelControl::clicked_lcf(bool on) {
    const QString name = trackType == kTrackStereo ? stereoCh : trackCh;
    unsigned char i;
    exchangeChannel(name, i);
    dm.notifyEqLowCutFilter(name, on);
    if (i >= 20)
        return;
    EqParameter &r = eqCache[i];
    r.lowCutOn = on;
    if (!r.eqOn)
        return;
    r.lowGain = on ? 255 : 0;
    dm.sendEqParam(kBandLow, r);
    if (trackType == kTrackStereo) {
        EqParameter &p = eqCache[partnerOf(i)];
        p.lowGain = r.lowGain;
        dm.sendEqParam(kBandLow, p);
    }
}

void ChannelControl::setSendPositionOff(QString track, QString send) {
    dm.notifySendPoint(track, send, 1);
}
void ChannelControl::setSendPositionPre(QString track, QString send) {
    dm.notifySendPoint(track, send, 2);
}
void ChannelControl::setSendPositionPost(QString track, QString send) {
    dm.notifySendPoint(track, send, 3);
}
