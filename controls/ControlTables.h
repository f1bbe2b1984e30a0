// The value tables of the mixer controls as data, and the small pure conversions over them:
// knob positions to texts, steps and picture numbers, fader rows, pan texts, send levels,
// meter dots and monitor levels. The controls draw, store and send only what these give.
#pragma once

#include <QString>

namespace controltables {

// A picture number meaning "no picture: the knob keeps the one it shows".
constexpr int kNoPicture = -1;

// Whole-pixel rounding of pointer coordinates, halves upward (2.5 gives 3, -2.5 gives -2).
int roundHalfUp(double v);

// Pan: text of an indicator position ("L20".."C".."R20" on either side, else "Error").
QString panText(int position);

// Label fader: rows 352 (+6 dB) to 453 (minus infinity).
constexpr int kFaderTop = 352;
constexpr int kFaderBottom = 453;
constexpr int kFaderZeroRow = 365;
QString faderText(int row);
int faderRowOfText(const QString &text);

// Picture of the general knob rule (positions 0..127; above 127 no picture).
int knobPicture(int position);

// Equaliser.
int eqGainDb(int position);
int eqLowFreqStep(int position); // low and high band: 32 steps of 4 positions
int eqMidFreqStep(int position); // mid bands: 64 steps of 2 positions
int eqQStep(int position);       // 7 steps of 18 positions
QString eqFreqText(int code);    // 0..63
QString eqQText(int step);       // 0..6
int eqQPicture(int step);

// Compressor.
int compThresholdStep(int position);
QString compThresholdText(int step);
int compRatioStep(int position);
QString compRatioText(int step);
int compRatioPicture(int step);
int compGain(int position);
int compAttack(int position);
int compRelease(int position);

// Reverb.
int rvbPreDelayPicture(int position);
int rvbTimePicture(int position);
int rvbDiffPicture(int position);
QString rvbTimeText(int position);

// Send knob: 128 positions; outside 0..127 the nearest end is used.
int sendPicture(int position);
QString sendText(int position);

// Meters.
unsigned short levelThreshold(int index); // 0..60, -60 dBFS to 0 dBFS
unsigned char levelDot(unsigned short level);
unsigned char grDot(unsigned short value);

// Monitor control: the level of table index 127 - slider position, and back.
double moniConLevel(int index);
int moniConPosition(double level);

} // namespace controltables
