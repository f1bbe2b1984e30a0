// The knob families of the effect editor as rows of one table: where each knob's position is
// stored, what it shows and stores beside it, its picture rule and its cache setter. The
// named operations of the main window hand their row to the shared workers.
#include "ChannelControl.h"
#include "DataManager.h"
#include "DialControl.h"
#include "DrawEq.h"

#include <QMouseEvent>

#include "ControlTables.h"

namespace {

struct KnobRow {
    unsigned short (DataManager::*read)(QString);
    // Where the position is stored, with a number or a text beside it.
    void (DataManager::*storeNumber)(QString track, int position, int value);
    void (DataManager::*storeText)(QString track, int position, QString text);
    QString (*label)(short position);  // value label text (sets what the label path sets)
    QVariant (*value)(short position); // stored beside the position
    void (DialControl::*picture)(DialControl *, short);
    void (*cache)(unsigned char channel, unsigned char position);
    bool guarded; // double-click reset and its guard
};

using D = DialControl;
using M = DataManager;

QString gainText(short p, unsigned char band) {
    return QString::number(D::calGainExchangeValue(p, band));
}

const KnobRow kKnobs[D::kKnobCount] = {
    // equaliser gains: graph band codes 1 high, 3 high-mid, 2 low-mid, 0 low
    {&M::getEqHighGainPosition, &M::notifyEqHighGain, nullptr,
     [](short p) { return gainText(p, 1); },
     [](short p) { return QVariant(D::calGainExchangeValue(p, 1)); }, &D::setDialEncImage,
     &ChannelControl::setEqParamHighGain, true},
    {&M::getEqHighMidGainPosition, &M::notifyEqHighMidGain, nullptr,
     [](short p) { return gainText(p, 3); },
     [](short p) { return QVariant(D::calGainExchangeValue(p, 3)); }, &D::setDialEncImage,
     &ChannelControl::setEqParamHighMidGain, true},
    {&M::getEqLowMidGainPosition, &M::notifyEqLowMidGain, nullptr,
     [](short p) { return gainText(p, 2); },
     [](short p) { return QVariant(D::calGainExchangeValue(p, 2)); }, &D::setDialEncImage,
     &ChannelControl::setEqParamLowMidGain, true},
    {&M::getEqLowGainPosition, &M::notifyEqLowGain, nullptr, [](short p) { return gainText(p, 0); },
     [](short p) { return QVariant(D::calGainExchangeValue(p, 0)); }, &D::setDialEncImage,
     &ChannelControl::setEqParamLowGain, true},
    // equaliser frequencies: the mid bands' stored texts leave the graph alone (bands 0, 1)
    {&M::getEqLowFreqPosition, nullptr, &M::notifyEqLowFreq,
     [](short p) { return D::calLowFreqExchangeValue(p); },
     [](short p) { return QVariant(D::calLowFreqExchangeValue(p)); }, &D::setDialEncImage,
     &ChannelControl::setEqParamLowFreq, false},
    {&M::getEqLowMidFreqPosition, nullptr, &M::notifyEqLowMidFreq,
     [](short p) { return D::calMidFreqExchangeValue(p, 2); },
     [](short p) { return QVariant(D::calMidFreqExchangeValue(p, 0)); }, &D::setDialEncImage,
     &ChannelControl::setEqParamLowMidFreq, false},
    {&M::getEqHighMidFreqPosition, nullptr, &M::notifyEqHighMidFreq,
     [](short p) { return D::calMidFreqExchangeValue(p, 3); },
     [](short p) { return QVariant(D::calMidFreqExchangeValue(p, 1)); }, &D::setDialEncImage,
     &ChannelControl::setEqParamHighMidFreq, false},
    {&M::getEqHighFreqPosition, nullptr, &M::notifyEqHighFreq,
     [](short p) { return D::calHighFreqExchangeValue(p); },
     [](short p) { return QVariant(D::calHighFreqExchangeValue(p)); }, &D::setDialEncImage,
     &ChannelControl::setEqParamHighFreq, false},
    // equaliser Q
    {&M::getEqLowMidQPosition, nullptr, &M::notifyEqLowMidQPosition,
     [](short p) { return D::calQExchangeValue(p, 2); },
     [](short p) { return QVariant(D::calQExchangeValue(p, 0)); }, &D::setDialEncImage_Q,
     &ChannelControl::setEqParamLowMidQ, false},
    {&M::getEqHighMidQPosition, nullptr, &M::notifyEqHighMidQPosition,
     [](short p) { return D::calQExchangeValue(p, 3); },
     [](short p) { return QVariant(D::calQExchangeValue(p, 1)); }, &D::setDialEncImage_Q,
     &ChannelControl::setEqParamHighMidQ, false},
    // compressor
    {&M::getCompThresholdPosition, nullptr, &M::notifyCompThreshold,
     [](short p) { return D::calCompThresholdExchangeValue(p); },
     [](short p) { return QVariant(D::calCompThresholdExchangeValue(p)); }, &D::setDialEncImage,
     &ChannelControl::setCompParamThreshold, false},
    {&M::getCompRatioPosition, nullptr, &M::notifyCompRatio,
     [](short p) { return D::calCompRatioExchangeValue(p); },
     [](short p) { return QVariant(D::calCompRatioExchangeValue(p)); }, &D::setDialEncImage_Ratio,
     &ChannelControl::setCompParamRatio, false},
    {&M::getCompGainPosition, &M::notifyCompGain, nullptr,
     [](short p) { return QString::number(D::calCompGainExchangeValue(p)); },
     [](short p) { return QVariant(D::calCompGainExchangeValue(p)); }, &D::setDialEncImage,
     &ChannelControl::setCompParamGain, false},
    {&M::getCompAttackPosition, &M::notifyCompAttack, nullptr,
     [](short p) { return QString::number(D::calCompAttackExchangeValue(p)); },
     [](short p) { return QVariant(D::calCompAttackExchangeValue(p)); }, &D::setDialEncImage,
     &ChannelControl::setCompParamAttack, false},
    {&M::getCompReleasePosition, &M::notifyCompRelease, nullptr,
     [](short p) { return QString::number(D::calCompReleaseExchangeValue(p)); },
     [](short p) { return QVariant(D::calCompReleaseExchangeValue(p)); }, &D::setDialEncImage,
     &ChannelControl::setCompParamRelease, false},
};

struct ReverbRow {
    unsigned short (DataManager::*read)(QString);
    int low, high;
    void (DialControl::*picture)(DialControl *, short);
    void (*label)(QLabel *label, short position); // also sets the graph input
    void (*store)(int position, const QString &type);
};

const ReverbRow kReverbKnobs[D::kReverbKnobCount] = {
    {&M::getRvbPreDelayPosition, 0, 250, &D::setDialEncImage_RvbPreDelay,
     &D::setRvbPreDelayEncValue,
     [](int p, const QString &type) { dm.notifyRvbPreDelayPosition(p, type); }},
    {&M::getRvbTimePosition, 1, 100, &D::setDialEncImage_RvbTime, &D::setRvbTimeEncValue,
     [](int p, const QString &type) {
         dm.notifyRvbTimePosition(p, D::calRvbTimeExchangeValue(short(p)), type);
     }},
    {&M::getRvbDiffPosition, 0, 100, &D::setDialEncImage_RvbDiff, &D::setRvbDiffEncValue,
     [](int p, const QString &type) { dm.notifyRvbDiffPosition(p, type); }},
};

void storeKnob(const KnobRow &row, const QString &track, short position) {
    const QVariant value = row.value(position);
    if (row.storeNumber)
        (dm.*row.storeNumber)(track, position, value.toInt());
    else
        (dm.*row.storeText)(track, position, value.toString());
}

short pressRow(QMouseEvent *event) {
    return short(controltables::roundHalfUp(event->localPos().y()));
}

} // namespace

// --- workers ------------------------------------------------------------------------------

void DialControl::pressKnob(Knob knob, QMouseEvent *event) {
    const KnobRow &row = kKnobs[knob];
    if (row.guarded)
        throughDoubleClick = true;
    firstPress_y = pressRow(event);
    iKnobValue = short((dm.*row.read)(ChannelControl::selectedCh));
}

void DialControl::rotateKnob(Knob knob, QMouseEvent *event) {
    if (kKnobs[knob].guarded && !throughDoubleClick)
        return;
    applyKnob(knob, dragStep(event, 0, 127));
}

void DialControl::resetKnob(Knob knob) {
    throughDoubleClick = false;
    iKnobValue = 63; // 0 dB, picture 10
    applyKnob(knob, iKnobValue);
}

void DialControl::showKnob(Knob knob, short position) {
    const KnobRow &row = kKnobs[knob];
    (this->*row.picture)(dialKnob, position);
    const QString text = row.label(position);
    if (dialDisplay)
        dialDisplay->setText(text);
}

// Draw, store under the selection, copy onto both mono tracks of a selected pair, and let
// the cache send the band or compressor.
void DialControl::applyKnob(Knob knob, short position) {
    const KnobRow &row = kKnobs[knob];
    const QString selected = ChannelControl::selectedCh;
    showKnob(knob, position);
    storeKnob(row, selected, position);
    const QString odd = ChannelControl::exChangeToMonoOdd(selected);
    if (odd != QLatin1String("NotStereo")) {
        updateKnob(knob, selected, odd);
        updateKnob(knob, selected, ChannelControl::exChangeToMonoEven(selected));
    }
    row.cache(ChannelControl::exChangeToChParam(selected), (unsigned char)position);
}

void DialControl::loadKnob(Knob knob, const QString &track) {
    showKnob(knob, short((dm.*kKnobs[knob].read)(track)));
}

void DialControl::updateKnob(Knob knob, const QString &from, const QString &to) {
    const KnobRow &row = kKnobs[knob];
    storeKnob(row, to, short((dm.*row.read)(from)));
}

void DialControl::pressReverbKnob(ReverbKnob knob, QMouseEvent *event, const QString &type) {
    firstPress_y = pressRow(event);
    iKnobValue = short((dm.*kReverbKnobs[knob].read)(type));
}

void DialControl::rotateReverbKnob(ReverbKnob knob, QMouseEvent *event, const QString &type) {
    const ReverbRow &row = kReverbKnobs[knob];
    const short position = dragStep(event, row.low, row.high);
    (this->*row.picture)(dialKnob, position);
    row.label(dialDisplay, position);
    row.store(position, type);
}

void DialControl::loadReverbKnob(ReverbKnob knob, const QString &type) {
    const ReverbRow &row = kReverbKnobs[knob];
    const short position = short((dm.*row.read)(type));
    (this->*row.picture)(dialKnob, position);
    row.label(dialDisplay, position);
}

// --- low cut ------------------------------------------------------------------------------

void DialControl::setLowCutFilterStatus(bool on) {
    DrawEq::bLowCutFilter = on;
}

void DialControl::setLowCutFilterGain() {
    DrawEq::cLowGain = -12;
    dm.notifyEqLowGain(ChannelControl::selectedCh, 0, -12);
    loadEqLowGain(ChannelControl::selectedCh);
}

void DialControl::setLowCutFilterFreq() {
    loadEqLowFreq(ChannelControl::selectedCh);
}

// --- named operations ---------------------------------------------------------------------

#define OLVANE_KNOB_OPS(Op, Stored, id)                                                            \
    void DialControl::press##Op##Knob(QMouseEvent *e) {                                            \
        pressKnob(id, e);                                                                          \
    }                                                                                              \
    void DialControl::rotate##Op##Knob(QMouseEvent *e) {                                           \
        rotateKnob(id, e);                                                                         \
    }                                                                                              \
    void DialControl::load##Stored(QString t) {                                                    \
        loadKnob(id, t);                                                                           \
    }                                                                                              \
    void DialControl::update##Stored(QString f, QString t) {                                       \
        updateKnob(id, f, t);                                                                      \
    }

OLVANE_KNOB_OPS(HighGain, EqHighGain, kHighGain)
OLVANE_KNOB_OPS(HighMidGain, EqHighMidGain, kHighMidGain)
OLVANE_KNOB_OPS(LowMidGain, EqLowMidGain, kLowMidGain)
OLVANE_KNOB_OPS(LowGain, EqLowGain, kLowGain)
OLVANE_KNOB_OPS(LowFreq, EqLowFreq, kLowFreq)
OLVANE_KNOB_OPS(LowMidFreq, EqLowMidFreq, kLowMidFreq)
OLVANE_KNOB_OPS(HighMidFreq, EqHighMidFreq, kHighMidFreq)
OLVANE_KNOB_OPS(HighFreq, EqHighFreq, kHighFreq)
OLVANE_KNOB_OPS(LowMidQ, EqLowMidQ, kLowMidQ)
OLVANE_KNOB_OPS(HighMidQ, EqHighMidQ, kHighMidQ)
OLVANE_KNOB_OPS(CompThreshold, CompThreshold, kCompThreshold)
OLVANE_KNOB_OPS(CompRatio, CompRatio, kCompRatio)
OLVANE_KNOB_OPS(CompGain, CompGain, kCompGain)
OLVANE_KNOB_OPS(CompAttack, CompAttack, kCompAttack)
OLVANE_KNOB_OPS(CompRelease, CompRelease, kCompRelease)
#undef OLVANE_KNOB_OPS

void DialControl::doubleClickHighGainKnob() {
    resetKnob(kHighGain);
}
void DialControl::doubleClickHighMidGainKnob() {
    resetKnob(kHighMidGain);
}
void DialControl::doubleClickLowMidGainKnob() {
    resetKnob(kLowMidGain);
}
void DialControl::doubleClickLowGainKnob() {
    resetKnob(kLowGain);
}

#define OLVANE_REVERB_OPS(Op, id)                                                                  \
    void DialControl::pressRvb##Op##Knob(QMouseEvent *e, QString type) {                           \
        pressReverbKnob(id, e, type);                                                              \
    }                                                                                              \
    void DialControl::rotateRvb##Op##Knob(QMouseEvent *e, QString type) {                          \
        rotateReverbKnob(id, e, type);                                                             \
    }                                                                                              \
    void DialControl::loadRvb##Op(QString type) {                                                  \
        loadReverbKnob(id, type);                                                                  \
    }

OLVANE_REVERB_OPS(PreDelay, kRvbPreDelay)
OLVANE_REVERB_OPS(Time, kRvbTime)
OLVANE_REVERB_OPS(Diff, kRvbDiff)
#undef OLVANE_REVERB_OPS
