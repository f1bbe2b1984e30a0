// Level and gain-reduction meter driver.
#include "DrawLevelMeter.h"

#include "ControlTables.h"

#include <algorithm>

namespace {

constexpr int kTopRow = 362;    // full scale
constexpr int kBottomRow = 468; // every bar stands on this row
constexpr int kBarWidth = 6;

// Columns per record of a pair: odd mono, even mono, stereo left, stereo right; masters.
constexpr int kPairColumns[4] = {37, 96, 63, 74};
constexpr int kMasterColumns[2] = {51, 59};

void placeBar(QLabel *bar, int column, int dot) {
    if (bar)
        bar->setGeometry(
            QRect(QPoint(column, kTopRow + dot), QPoint(column + kBarWidth - 1, kBottomRow)));
}

void lightLamp(levelMeter &m) {
    if (m.peakLamp)
        m.peakLamp->show();
    m.peakHold = 2;
}

// One fall-back step of a bar's top row by its height, keeping columns and bottom row.
void lowerTop(QLabel *bar, int step) {
    if (!bar)
        return;
    QRect g = bar->geometry();
    g.setTop(g.top() + step);
    bar->setGeometry(g);
}

} // namespace

DrawLevelMeter::DrawLevelMeter(QWidget *parent) : QLabel(parent) {
    std::fill(std::begin(lastDot), std::end(lastDot), (unsigned char)106);
    std::fill(std::begin(lastMeters), std::end(lastMeters), levelMeter{nullptr, nullptr, 0, 0});
}

int DrawLevelMeter::barColumn(int record) {
    return record >= 40 ? kMasterColumns[record - 40] : kPairColumns[record % 4];
}

unsigned char DrawLevelMeter::convertToDot(unsigned short level) {
    return controltables::levelDot(level);
}

unsigned char DrawLevelMeter::convertToDotForGRMeter(unsigned short value) {
    return controltables::grDot(value);
}

void DrawLevelMeter::copyLevelMeter(levelMeter *meters) {
    std::copy(meters, meters + kMeters, lastMeters);
}

// A side of a pair moves its stereo-strip partner (record + 2) with it; a master does not.
void DrawLevelMeter::updateSide(levelMeter *meters, int a, bool withPartner) {
    const unsigned char dot = convertToDot(meters[a].level);
    if (lastDot[a] < dot) {
        notifyLevelMeterDecayTime((unsigned char)a);
        lastDot[a] = (unsigned char)(lastDot[a] + 8);
        if (withPartner)
            lastDot[a + 2] = (unsigned char)(lastDot[a + 2] + 8);
        return;
    }
    placeBar(meters[a].meterBar, barColumn(a), dot);
    lastDot[a] = dot;
    if (withPartner) {
        placeBar(meters[a + 2].meterBar, barColumn(a + 2), dot);
        lastDot[a + 2] = convertToDot(meters[a + 2].level);
    }
    if (dot <= 1) {
        lightLamp(meters[a]);
        if (withPartner)
            lightLamp(meters[a + 2]);
    }
}

void DrawLevelMeter::notifyLevelMeterValue(levelMeter *meters) {
    for (int p = 0; p < 10; ++p) {
        updateSide(meters, 4 * p, true);
        updateSide(meters, 4 * p + 1, true);
    }
    updateSide(meters, 40, false);
    updateSide(meters, 41, false);
    copyLevelMeter(meters);
}

void DrawLevelMeter::notifyLevelMeterDecayTime(unsigned char index) {
    if (index >= kMeters)
        return;
    QLabel *bar = lastMeters[index].meterBar;
    if (!bar)
        return;
    const QRect g = bar->geometry();
    const int h = g.bottom() - g.top() + 1;
    const int step = h >= 8 ? 8 : h >= 2 ? 2 : h == 1 ? 1 : 0;
    if (step == 0)
        return;
    lowerTop(bar, step);
    if (index < 40)
        lowerTop(lastMeters[index + 2].meterBar, step);
}

void DrawLevelMeter::notifyGRMeterValue(levelMeter record) {
    QLabel *bar = record.meterBar;
    const int h = 63 - convertToDotForGRMeter(record.level);
    if (grLast <= h) {
        grLast = (unsigned char)h;
        if (bar) {
            // Shown and hidden again in one go, a bar of height 1 (no reduction, the usual
            // case) would have the graph beneath repainted on every tick.
            bar->setGeometry(QRect(569, 73, 5, h));
            bar->setVisible(grLast > 1);
        }
        return;
    }
    const int step = grLast >= 9 ? 8 : grLast >= 5 ? 4 : grLast >= 3 ? 2 : 1;
    grLast = (unsigned char)(grLast - step);
    if (bar) {
        const QRect g = bar->geometry();
        bar->setGeometry(QRect(g.topLeft(), QSize(g.width(), grLast)));
    }
}
