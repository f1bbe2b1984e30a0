// Knob frame: pictures, pointer rounding, the shared drag step, and the conversions of each
// knob from a position to its text, number, graph input and picture.
#include "DialControl.h"

#include "Artwork.h"
#include "ControlTables.h"
#include "DrawCompressor.h"
#include "DrawEq.h"
#include "DrawReverb.h"

#include <QMouseEvent>

#include <algorithm>

using namespace controltables;

namespace {

void showText(QLabel *label, const QString &text) {
    if (label)
        label->setText(text);
}

} // namespace

short DialControl::firstPress_y = 0;
short DialControl::iKnobValue = 0;
bool DialControl::throughDoubleClick = false;

DialControl::DialControl(QWidget *parent)
    : QLabel(parent), knobImages(artwork::knobFrames(":/Resource/track/knob_s/knob-s_%1.png")) {}

void DialControl::mousePressEvent(QMouseEvent *event) {
    emit dialknob_Pressed(event);
}
void DialControl::mouseDoubleClickEvent(QMouseEvent *) {
    emit dialknob_DoubleClicked();
}
void DialControl::mouseMoveEvent(QMouseEvent *event) {
    emit dialknob_Moved(event);
}

void DialControl::showPicture(DialControl *knob, int picture) {
    if (!knob)
        return;
    if (picture != kNoPicture)
        knob->setPixmap(knobImages[size_t(picture)]);
    knob->setFixedSize(18, 18);
}

void DialControl::setDialEncImage(DialControl *knob, short position) {
    showPicture(knob, knobPicture(position));
}
void DialControl::setDialEncImage_Q(DialControl *knob, short position) {
    showPicture(knob, eqQPicture(eqQStep(position)));
}
void DialControl::setDialEncImage_Ratio(DialControl *knob, short position) {
    showPicture(knob, compRatioPicture(compRatioStep(position)));
}
void DialControl::setDialEncImage_RvbPreDelay(DialControl *knob, short position) {
    showPicture(knob, rvbPreDelayPicture(position));
}
void DialControl::setDialEncImage_RvbTime(DialControl *knob, short position) {
    showPicture(knob, rvbTimePicture(position));
}
void DialControl::setDialEncImage_RvbDiff(DialControl *knob, short position) {
    showPicture(knob, rvbDiffPicture(position));
}

void DialControl::calGainEncValue(short *value, short firstY, short y) {
    *value = short(std::clamp(int(short(*value + firstY - y)), 0, 127));
}

void DialControl::calRvbPreDelayEncValue(short *value, short firstY, short y) {
    *value = short(std::clamp(int(short(*value + firstY - y)), 0, 250));
}

// One pixel one step from the last handled pointer row, in 16 bits, clamped to the range;
// the overshoot beyond a limit is dropped.
short DialControl::dragStep(QMouseEvent *event, int low, int high) {
    const short y = short(roundHalfUp(event->localPos().y()));
    iKnobValue = short(std::clamp(int(short(iKnobValue + firstPress_y - y)), low, high));
    firstPress_y = y;
    return iKnobValue;
}

// --- equaliser ----------------------------------------------------------------------------

short DialControl::calGainExchangeValue(short position, unsigned char graphBand) {
    const short db = short(eqGainDb(position));
    signed char *const inputs[4] = {&DrawEq::cLowGain, &DrawEq::cHighGain, &DrawEq::cLowMidGain,
                                    &DrawEq::cHighMidGain};
    if (graphBand < 4)
        *inputs[graphBand] = (signed char)db;
    return db;
}

void DialControl::setGainEncValue(QLabel *label, short position) {
    showText(label, QString::number(calGainExchangeValue(position, 255)));
}

QString DialControl::calLowFreqExchangeValue(short position) {
    DrawEq::cLowFreq = (unsigned char)eqLowFreqStep(position);
    return eqFreqText(DrawEq::cLowFreq);
}

QString DialControl::calHighFreqExchangeValue(short position) {
    DrawEq::cHighFreq = (unsigned char)eqLowFreqStep(position);
    return eqFreqText(32 + DrawEq::cHighFreq);
}

QString DialControl::calMidFreqExchangeValue(short position, unsigned char band) {
    const int step = eqMidFreqStep(position);
    if (band == 2)
        DrawEq::cLowMidFreq = (unsigned char)step;
    else if (band == 3)
        DrawEq::cHighMidFreq = (unsigned char)step;
    return eqFreqText(step);
}

QString DialControl::calQExchangeValue(short position, unsigned char band) {
    const int step = eqQStep(position);
    if (band == 2)
        DrawEq::cLowMidQ = (unsigned char)step;
    else if (band == 3)
        DrawEq::cHighMidQ = (unsigned char)step;
    return eqQText(step);
}

void DialControl::setLowFreqEncValue(QLabel *label, short position) {
    showText(label, calLowFreqExchangeValue(position));
}
void DialControl::setHighFreqEncValue(QLabel *label, short position) {
    showText(label, calHighFreqExchangeValue(position));
}
void DialControl::setMidFreqEncValue(QLabel *label, short position, unsigned char band) {
    showText(label, calMidFreqExchangeValue(position, band));
}
void DialControl::setQEncValue(QLabel *label, short position, unsigned char band) {
    showText(label, calQExchangeValue(position, band));
}

// --- compressor ---------------------------------------------------------------------------

QString DialControl::calCompThresholdExchangeValue(short position) {
    DrawCompressor::cThreshold = (unsigned char)compThresholdStep(position);
    return compThresholdText(DrawCompressor::cThreshold);
}

QString DialControl::calCompRatioExchangeValue(short position) {
    DrawCompressor::cRatio = (unsigned char)compRatioStep(position);
    return compRatioText(DrawCompressor::cRatio);
}

short DialControl::calCompGainExchangeValue(short position) {
    return short(compGain(position));
}
short DialControl::calCompAttackExchangeValue(short position) {
    return short(compAttack(position));
}
short DialControl::calCompReleaseExchangeValue(short position) {
    return short(compRelease(position));
}

void DialControl::setCompThresholdEncValue(QLabel *label, short position) {
    showText(label, calCompThresholdExchangeValue(position));
}
void DialControl::setCompRatioEncValue(QLabel *label, short position) {
    showText(label, calCompRatioExchangeValue(position));
}
void DialControl::setCompGainEncValue(QLabel *label, short position) {
    if (label)
        label->setNum(calCompGainExchangeValue(position));
}
void DialControl::setCompAttackEncValue(QLabel *label, short position) {
    if (label)
        label->setNum(calCompAttackExchangeValue(position));
}
void DialControl::setCompReleaseEncValue(QLabel *label, short position) {
    if (label)
        label->setNum(calCompReleaseExchangeValue(position));
}

// --- reverb -------------------------------------------------------------------------------

QString DialControl::calRvbTimeExchangeValue(short position) {
    return rvbTimeText(position);
}

void DialControl::setRvbTimeEncValue(QLabel *label, short position) {
    showText(label, calRvbTimeExchangeValue(position));
    DrawReverb::cReverbTime = (unsigned char)(2 * position);
}

void DialControl::setRvbPreDelayEncValue(QLabel *label, short position) {
    if (label)
        label->setNum(position);
    DrawReverb::cPreDelay = (unsigned char)(position / 10);
}

void DialControl::setRvbDiffEncValue(QLabel *label, short position) {
    if (label)
        label->setNum(position);
}
