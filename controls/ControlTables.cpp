// Value tables of the mixer controls. Bucketed tables are kept as the last position of each
// bucket, so that the data reads as the ranges it stands for.
#include "ControlTables.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace controltables {

namespace {

// Index of the first bucket whose last position is at or above p; past the last bucket the
// result is the bucket count.
template <size_t N> int bucket(const std::array<int, N> &lastOfBucket, int p) {
    return int(std::lower_bound(lastOfBucket.begin(), lastOfBucket.end(), p) -
               lastOfBucket.begin());
}

// Whole dB of fader rows 352..451.
constexpr std::array<short, 100> kFaderDb = {
    6,   6,   5,   5,   4,   4,   3,   3,   2,   2,   1,   1,   1,   0,   0,   -1,  -1,
    -2,  -2,  -3,  -3,  -4,  -4,  -5,  -5,  -6,  -6,  -7,  -7,  -8,  -8,  -9,  -9,  -10,
    -10, -11, -12, -12, -13, -14, -14, -15, -16, -16, -17, -18, -18, -19, -20, -20, -21,
    -22, -22, -23, -23, -24, -25, -25, -26, -27, -27, -28, -28, -29, -30, -31, -32, -33,
    -34, -35, -36, -37, -38, -39, -40, -41, -43, -44, -45, -46, -48, -49, -50, -51, -53,
    -54, -55, -56, -58, -59, -60, -64, -68, -72, -76, -80, -84, -88, -92, -96};

// Last position shown by each of the 21 knob pictures (general rule).
constexpr std::array<int, 21> kKnobPictureLast = {10, 15, 20, 25, 30, 35,  40,  50,  55,  60, 65,
                                                  70, 75, 80, 90, 95, 100, 105, 110, 115, 127};

const char *const kEqFreq[64] = {
    "32",    "40",    "50",    "60",    "70",    "80",    "90",    "100",   "125",  "150",  "175",
    "200",   "225",   "250",   "300",   "350",   "400",   "450",   "500",   "600",  "700",  "800",
    "850",   "900",   "950",   "1.0k",  "1.1k",  "1.2k",  "1.3k",  "1.4k",  "1.5k", "1.6k", "1.7k",
    "1.8k",  "1.9k",  "2.0k",  "2.2k",  "2.4k",  "2.6k",  "2.8k",  "3.0k",  "3.2k", "3.4k", "3.6k",
    "3.8k",  "4.0k",  "4.5k",  "5.0k",  "5.5k",  "6.0k",  "6.5k",  "7.0k",  "7.5k", "8.0k", "9.0k",
    "10.0k", "11.0k", "12.0k", "13.0k", "14.0k", "15.0k", "16.0k", "17.0k", "18.0k"};

const char *const kEqQ[7] = {"0.25", "0.50", "1.00", "2.00", "4.00", "8.00", "16.00"};
constexpr std::array<int, 7> kEqQPicture = {0, 3, 7, 10, 14, 17, 20};

// Last position of each threshold step; steps 10, 12, 16 and 18 are three wide.
constexpr std::array<int, 33> kThresholdLast = {3,  7,  11, 15, 19,  23,  27,  31,  35,  39,  42,
                                                46, 49, 53, 57, 61,  64,  68,  71,  75,  79,  83,
                                                87, 91, 95, 99, 103, 107, 111, 115, 119, 123, 127};

const char *const kRatio[15] = {"1.0:1", "1.1:1", "1.3:1", "1.5:1",  "1.7:1",
                                "2.0:1", "2.5:1", "3.0:1", "3.5:1",  "4.0:1",
                                "5.0:1", "6.0:1", "8.0:1", "16.0:1", "inf:1"};
constexpr std::array<int, 15> kRatioPicture = {0, 1, 2, 4, 5, 7, 8, 9, 11, 12, 14, 15, 16, 18, 19};

// Whole dB of send positions 1..127 (position 0 is minus infinity).
constexpr std::array<signed char, 128> kSendDb = {
    0,   -98, -96, -93, -91, -89, -87, -85, -82, -80, -78, -76, -74, -71, -69, -67, -65, -63, -60,
    -58, -56, -54, -52, -49, -47, -45, -44, -43, -42, -42, -41, -40, -39, -38, -37, -37, -36, -35,
    -34, -33, -32, -31, -31, -30, -29, -28, -27, -27, -26, -26, -25, -25, -24, -24, -23, -23, -22,
    -22, -21, -21, -20, -20, -19, -19, -18, -17, -17, -16, -16, -15, -15, -14, -13, -13, -12, -12,
    -11, -10, -10, -9,  -9,  -8,  -8,  -7,  -7,  -6,  -6,  -6,  -5,  -5,  -4,  -4,  -4,  -3,  -3,
    -3,  -2,  -2,  -1,  -1,  -1,  0,   0,   0,   0,   1,   1,   1,   1,   2,   2,   2,   2,   3,
    3,   3,   3,   4,   4,   4,   4,   5,   5,   5,   5,   6,   6,   6};

constexpr std::array<int, 21> kSendPictureLast = {4,  10, 16, 22, 27, 34,  41,  49,  55,  61, 66,
                                                  73, 80, 87, 93, 99, 104, 110, 116, 122, 127};

// Gain-reduction bar heights below the full 63 pixels, per threshold of -24..0 dB.
constexpr std::array<unsigned char, 25> kGrDot = {
    0, 3, 6, 8, 11, 14, 16, 19, 22, 24, 27, 30, 32, 35, 38, 40, 43, 46, 48, 51, 54, 56, 59, 61, 62};

// Monitor level in dB at index 127 - slider position.
constexpr std::array<double, 128> kMoniConLevel = {
    0.0,   -0.2,  -0.4,  -0.6,  -0.8,  -1.0,  -1.3,  -1.5,  -1.7,  -1.9,  -2.1,  -2.3,  -2.5,
    -2.7,  -2.9,  -3.1,  -3.3,  -3.5,  -3.8,  -4.0,  -4.2,  -4.4,  -4.6,  -4.8,  -5.0,  -5.3,
    -5.6,  -5.9,  -6.2,  -6.5,  -6.8,  -7.1,  -7.4,  -7.6,  -7.9,  -8.2,  -8.5,  -8.8,  -9.1,
    -9.4,  -9.7,  -10.0, -10.5, -10.9, -11.4, -11.8, -12.3, -12.7, -13.2, -13.6, -14.1, -14.5,
    -15.0, -15.5, -15.9, -16.4, -16.8, -17.3, -17.7, -18.2, -18.6, -19.1, -19.5, -20.0, -20.5,
    -21.0, -21.5, -22.0, -22.5, -23.0, -23.5, -24.0, -24.5, -25.0, -25.5, -26.0, -26.5, -27.0,
    -27.5, -28.0, -28.5, -29.0, -29.5, -30.0, -30.5, -31.0, -31.4, -31.9, -32.4, -32.9, -33.3,
    -33.8, -34.3, -34.8, -35.2, -35.7, -36.2, -36.7, -37.1, -37.6, -38.1, -38.6, -39.0, -39.5,
    -40.0, -41.1, -42.2, -43.3, -44.4, -45.6, -46.7, -47.8, -48.9, -50.0, -51.1, -52.2, -53.3,
    -54.4, -55.6, -56.7, -57.8, -60.0, -67.2, -74.4, -81.6, -88.8, -96.0, -99.9};

struct LevelTable {
    std::array<unsigned short, 61> threshold;
    LevelTable() {
        for (int i = 0; i <= 60; ++i)
            threshold[size_t(i)] =
                (unsigned short)std::floor(32768.0 * std::pow(10.0, (i - 60) / 20.0));
    }
};
const LevelTable &levelTable() {
    static const LevelTable table;
    return table;
}

} // namespace

int roundHalfUp(double v) {
    return int(std::floor(v + 0.5));
}

QString panText(int position) {
    for (int centre : {20, 79}) {
        const int d = position - centre;
        if (d < -20 || d > 20)
            continue;
        if (d == 0)
            return QStringLiteral("C");
        return (d < 0 ? QStringLiteral("L") : QStringLiteral("R")) + QString::number(std::abs(d));
    }
    return QStringLiteral("Error");
}

QString faderText(int row) {
    row = std::clamp(row, kFaderTop, kFaderBottom);
    if (row > kFaderTop + int(kFaderDb.size()) - 1)
        return QStringLiteral("-infinity");
    return QStringLiteral("%1 dB").arg(double(kFaderDb[size_t(row - kFaderTop)]), 5, 'f', 1);
}

int faderRowOfText(const QString &text) {
    const QString whole = text.split(QLatin1Char('.')).first();
    if (whole == QLatin1String("-infinity"))
        return kFaderBottom;
    const int v = whole.trimmed().toInt();
    for (size_t i = 0; i < kFaderDb.size(); ++i)
        if (kFaderDb[i] <= v)
            return kFaderTop + int(i);
    return kFaderBottom - 1;
}

int knobPicture(int position) {
    const int b = bucket(kKnobPictureLast, position);
    return b < int(kKnobPictureLast.size()) ? b : kNoPicture;
}

int eqGainDb(int position) {
    if (position > 127)
        return 0;
    // floor((p - 61) / 5), limited to -12..12
    const int d = position - 61;
    const int db = d >= 0 ? d / 5 : -((-d + 4) / 5);
    return std::clamp(db, -12, 12);
}

int eqLowFreqStep(int position) {
    return position <= 3 ? 0 : std::min(position / 4, 31);
}
int eqMidFreqStep(int position) {
    return position <= 1 ? 0 : std::min(position / 2, 63);
}
int eqQStep(int position) {
    return position <= 17 ? 0 : std::min(position / 18, 6);
}

QString eqFreqText(int code) {
    return QString::fromLatin1(kEqFreq[std::clamp(code, 0, 63)]);
}
QString eqQText(int step) {
    return QString::fromLatin1(kEqQ[std::clamp(step, 0, 6)]);
}
int eqQPicture(int step) {
    return kEqQPicture[size_t(std::clamp(step, 0, 6))];
}

int compThresholdStep(int position) {
    return std::min(bucket(kThresholdLast, position), int(kThresholdLast.size()) - 1);
}
QString compThresholdText(int step) {
    return QString::number(std::clamp(step, 0, 32) - 32);
}

int compRatioStep(int position) {
    return position < 0 ? 0 : std::min(position / 6, 14);
}
QString compRatioText(int step) {
    return QString::fromLatin1(kRatio[std::clamp(step, 0, 14)]);
}
int compRatioPicture(int step) {
    return kRatioPicture[size_t(std::clamp(step, 0, 14))];
}

int compGain(int position) {
    return position < 0 ? 0 : std::min(position / 6, 20);
}
int compAttack(int position) {
    const int v = 2 * position + 2;
    return v < 0 ? 2 : std::min(v, 200);
}
int compRelease(int position) {
    const int v = 10 * position + 10;
    return v < 0 ? 10 : std::min(v, 1000);
}

int rvbPreDelayPicture(int position) {
    if (position <= 1)
        return 0;
    if (position <= 14)
        return 1;
    if (position <= 248)
        return 2 + (position - 15) / 13;
    return position <= 250 ? 20 : kNoPicture;
}
int rvbTimePicture(int position) {
    if (position <= 3)
        return 0;
    if (position <= 9)
        return 1;
    if (position <= 117)
        return 2 + (position - 10) / 6;
    return position <= 127 ? 20 : kNoPicture;
}
int rvbDiffPicture(int position) {
    return position < 0 ? 0 : std::min(position / 5, 20);
}
QString rvbTimeText(int position) {
    position = std::clamp(position, 1, 100);
    return QStringLiteral("%1.%2").arg(position / 10).arg(position % 10);
}

int sendPicture(int position) {
    return bucket(kSendPictureLast, std::clamp(position, 0, 127));
}
QString sendText(int position) {
    position = std::clamp(position, 0, 127);
    if (position == 0)
        return QStringLiteral("-inf.");
    return QStringLiteral("%1dB").arg(int(kSendDb[size_t(position)]), 3);
}

unsigned short levelThreshold(int index) {
    return levelTable().threshold[size_t(std::clamp(index, 0, 60))];
}

unsigned char levelDot(unsigned short level) {
    const auto &t = levelTable().threshold;
    const auto it = std::upper_bound(t.begin(), t.end(), level);
    if (it == t.end())
        return 0;
    const int i = int(it - t.begin());
    return i <= 7 ? 106 : (unsigned char)(2 * (60 - i));
}

unsigned char grDot(unsigned short value) {
    // The unit's full-scale value means no reduction, as 32767 does.
    if (value >= 32768)
        value = 32767;
    const auto &t = levelTable().threshold;
    const auto it = std::upper_bound(t.begin() + 36, t.end(), value);
    return it == t.end() ? 0 : kGrDot[size_t(it - (t.begin() + 36))];
}

double moniConLevel(int index) {
    return kMoniConLevel[size_t(std::clamp(index, 0, 127))];
}

int moniConPosition(double level) {
    for (size_t i = 0; i < kMoniConLevel.size(); ++i)
        if (level >= kMoniConLevel[i] - 1e-9)
            return 127 - int(i);
    return 127 - 128;
}

} // namespace controltables
