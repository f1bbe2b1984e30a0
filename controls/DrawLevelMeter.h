// Drives the level meters and the gain-reduction meter: each bar is a plain label whose top
// edge the driver moves over a fixed bottom row. A rising level jumps up at once, a falling
// one glides down a few pixels a tick.
#pragma once

#include <QLabel>

// One meter: its bar, the peak lamp above it, the linear level (32768 = 0 dBFS) and the
// peak-hold count that the caller counts down.
struct levelMeter {
    QLabel *meterBar;
    QLabel *peakLamp;
    unsigned short level;
    unsigned char peakHold;
};

class DrawLevelMeter : public QLabel {
    Q_OBJECT
public:
    explicit DrawLevelMeter(QWidget *parent = nullptr);

    static constexpr int kMeters = 42; // 10 pairs of 4 records, then master left and right

    unsigned char lastDot[kMeters];
    unsigned char grLast = 0;
    levelMeter lastMeters[kMeters];

    void notifyLevelMeterValue(levelMeter *meters);
    void notifyLevelMeterDecayTime(unsigned char index);
    void notifyGRMeterValue(levelMeter record);
    unsigned char convertToDot(unsigned short level);
    unsigned char convertToDotForGRMeter(unsigned short value);
    void copyLevelMeter(levelMeter *meters);

    // Left column of a record's bar inside its strip.
    static int barColumn(int record);

private:
    void updateSide(levelMeter *meters, int record, bool withPartner);
};
