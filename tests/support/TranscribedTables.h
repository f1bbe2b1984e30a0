// The long value tables of the controls and the store, typed out here as the product's
// description lists them, row by row and range by range, so that the suites check every
// entry against values that come neither from the code's own arrays nor from the functions
// under test. Ranges are kept as they are listed and expanded by the small helpers below.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace transcribed {

// Collects every entry that differs, so that one run names all the wrong entries of a table.
class Mismatches {
public:
    template <class A, class B> void check(const QString &entry, const A &got, const B &listed) {
        if (!(got == listed))
            lines_ << QStringLiteral("%1: got %2, listed %3")
                          .arg(entry, QVariant::fromValue(got).toString(),
                               QVariant::fromValue(listed).toString());
    }
    void fail(const QString &line) { lines_ << line; }
    bool empty() const { return lines_.isEmpty(); }
    QByteArray report() const { return lines_.join(QLatin1Char('\n')).toLocal8Bit(); }

private:
    QStringList lines_;
};

// A range of positions and the texts listed for it: one text each, one text for the whole
// range, or (as for the send levels) two positions for each text.
struct TextRange {
    int first, last;
    QVector<const char *> texts;
};

// Expands ranges into one text per position, starting at the first range's first position.
inline QVector<QString> expand(const QVector<TextRange> &ranges) {
    QVector<QString> out;
    for (const TextRange &r : ranges) {
        const int span = r.last - r.first + 1;
        const int each = r.texts.size() == 1 ? span : span / r.texts.size();
        for (const char *t : r.texts)
            for (int i = 0; i < each; ++i)
                out << QString::fromLatin1(t);
    }
    return out;
}

// A range of positions and one number for all of it.
struct ValueRange {
    int first, last, value;
};

// Expands ranges into one number per position from `from` to `to`; positions outside every
// range get `outside`.
inline QVector<int> expand(const QVector<ValueRange> &ranges, int from, int to, int outside) {
    QVector<int> out;
    for (int p = from; p <= to; ++p) {
        int v = outside;
        for (const ValueRange &r : ranges)
            if (p >= r.first && p <= r.last)
                v = r.value;
        out << v;
    }
    return out;
}

// Label fader: whole dB of rows 352 to 451; rows 452 and 453 are minus infinity.
const int faderRowDb[100] = {
    6,   6,   5,   5,   4,   4,   3,   3,   2,   2,   1,   1,   1,   0,   0,   -1,  -1,
    -2,  -2,  -3,  -3,  -4,  -4,  -5,  -5,  -6,  -6,  -7,  -7,  -8,  -8,  -9,  -9,  -10,
    -10, -11, -12, -12, -13, -14, -14, -15, -16, -16, -17, -18, -18, -19, -20, -20, -21,
    -22, -22, -23, -23, -24, -25, -25, -26, -27, -27, -28, -28, -29, -30, -31, -32, -33,
    -34, -35, -36, -37, -38, -39, -40, -41, -43, -44, -45, -46, -48, -49, -50, -51, -53,
    -54, -55, -56, -58, -59, -60, -64, -68, -72, -76, -80, -84, -88, -92, -96};

// Pan labels, code 0 to 40.
const char *const panLabels[41] = {
    "L20", "L19", "L18", "L17", "L16", "L15", "L14", "L13", "L12", "L11", "L10", "L9",  "L8", "L7",
    "L6",  "L5",  "L4",  "L3",  "L2",  "L1",  "C",   "R1",  "R2",  "R3",  "R4",  "R5",  "R6", "R7",
    "R8",  "R9",  "R10", "R11", "R12", "R13", "R14", "R15", "R16", "R17", "R18", "R19", "R20"};

// The general knob picture of positions 0 to 127 (10 or less, negative included: 0).
const QVector<ValueRange> knobPictures = {
    {-32768, 10, 0}, {11, 15, 1},    {16, 20, 2},   {21, 25, 3},  {26, 30, 4},   {31, 35, 5},
    {36, 40, 6},     {41, 50, 7},    {51, 55, 8},   {56, 60, 9},  {61, 65, 10},  {66, 70, 11},
    {71, 75, 12},    {76, 80, 13},   {81, 90, 14},  {91, 95, 15}, {96, 100, 16}, {101, 105, 17},
    {106, 110, 18},  {111, 115, 19}, {116, 127, 20}};

// Equaliser gain in whole dB by knob position; above 127: 0.
const QVector<ValueRange> eqGainDb = {
    {-32768, 5, -12}, {6, 10, -11},  {11, 15, -10},  {16, 20, -9},   {21, 25, -8},
    {26, 30, -7},     {31, 35, -6},  {36, 40, -5},   {41, 45, -4},   {46, 50, -3},
    {51, 55, -2},     {56, 60, -1},  {61, 65, 0},    {66, 70, 1},    {71, 75, 2},
    {76, 80, 3},      {81, 85, 4},   {86, 90, 5},    {91, 95, 6},    {96, 100, 7},
    {101, 105, 8},    {106, 110, 9}, {111, 115, 10}, {116, 120, 11}, {121, 127, 12}};

// Equaliser frequencies in Hz, codes 0 to 63.
const char *const eqFrequencies[64] = {
    "32",    "40",    "50",    "60",    "70",    "80",    "90",    "100",   "125",  "150",  "175",
    "200",   "225",   "250",   "300",   "350",   "400",   "450",   "500",   "600",  "700",  "800",
    "850",   "900",   "950",   "1.0k",  "1.1k",  "1.2k",  "1.3k",  "1.4k",  "1.5k", "1.6k", "1.7k",
    "1.8k",  "1.9k",  "2.0k",  "2.2k",  "2.4k",  "2.6k",  "2.8k",  "3.0k",  "3.2k", "3.4k", "3.6k",
    "3.8k",  "4.0k",  "4.5k",  "5.0k",  "5.5k",  "6.0k",  "6.5k",  "7.0k",  "7.5k", "8.0k", "9.0k",
    "10.0k", "11.0k", "12.0k", "13.0k", "14.0k", "15.0k", "16.0k", "17.0k", "18.0k"};

// Equaliser Q, codes 0 to 6, and the knob picture of each Q step.
const char *const eqQ[7] = {"0.25", "0.50", "1.00", "2.00", "4.00", "8.00", "16.00"};
const int eqQPictures[7] = {0, 3, 7, 10, 14, 17, 20};

// Compressor threshold: the knob's steps by position, with their texts.
const QVector<TextRange> thresholdSteps = {
    {0, 3, {"-32"}},    {4, 7, {"-31"}},    {8, 11, {"-30"}},   {12, 15, {"-29"}},
    {16, 19, {"-28"}},  {20, 23, {"-27"}},  {24, 27, {"-26"}},  {28, 31, {"-25"}},
    {32, 35, {"-24"}},  {36, 39, {"-23"}},  {40, 42, {"-22"}},  {43, 46, {"-21"}},
    {47, 49, {"-20"}},  {50, 53, {"-19"}},  {54, 57, {"-18"}},  {58, 61, {"-17"}},
    {62, 64, {"-16"}},  {65, 68, {"-15"}},  {69, 71, {"-14"}},  {72, 75, {"-13"}},
    {76, 79, {"-12"}},  {80, 83, {"-11"}},  {84, 87, {"-10"}},  {88, 91, {"-9"}},
    {92, 95, {"-8"}},   {96, 99, {"-7"}},   {100, 103, {"-6"}}, {104, 107, {"-5"}},
    {108, 111, {"-4"}}, {112, 115, {"-3"}}, {116, 119, {"-2"}}, {120, 123, {"-1"}},
    {124, 127, {"0"}}};

// Compressor threshold towards the unit: a position below the bound gets the code; from
// 124 on the code is 0.
struct Bucket {
    int bound, code;
};
const Bucket thresholdCodes[32] = {
    {4, 224},  {8, 225},   {12, 226},  {16, 227},  {20, 228},  {24, 229},  {28, 230},  {32, 231},
    {36, 232}, {40, 233},  {43, 234},  {47, 235},  {50, 236},  {54, 237},  {58, 238},  {62, 239},
    {65, 240}, {69, 241},  {72, 242},  {76, 243},  {80, 244},  {84, 245},  {88, 246},  {92, 247},
    {96, 248}, {100, 249}, {104, 250}, {108, 251}, {112, 252}, {116, 253}, {120, 254}, {124, 255}};
const int thresholdCodeAbove = 0;

// Compressor ratio: steps of the knob by position, texts and pictures; codes towards the
// unit by bucket, 255 from 84 on.
const QVector<TextRange> ratioSteps = {
    {0, 5, {"1.0:1"}},   {6, 11, {"1.1:1"}},   {12, 17, {"1.3:1"}}, {18, 23, {"1.5:1"}},
    {24, 29, {"1.7:1"}}, {30, 35, {"2.0:1"}},  {36, 41, {"2.5:1"}}, {42, 47, {"3.0:1"}},
    {48, 53, {"3.5:1"}}, {54, 59, {"4.0:1"}},  {60, 65, {"5.0:1"}}, {66, 71, {"6.0:1"}},
    {72, 77, {"8.0:1"}}, {78, 83, {"16.0:1"}}, {84, 127, {"inf:1"}}};
const int ratioPictures[15] = {0, 1, 2, 4, 5, 7, 8, 9, 11, 12, 14, 15, 16, 18, 19};
const Bucket ratioCodes[14] = {{6, 10},  {12, 11}, {18, 13}, {24, 15}, {30, 17},
                               {36, 20}, {42, 25}, {48, 30}, {54, 35}, {60, 40},
                               {66, 50}, {72, 60}, {78, 80}, {84, 160}};
const int ratioCodeAbove = 255;

// Send level texts of positions 0 to 127.
const QVector<TextRange> sendTexts = {
    {0, 0, {"-inf."}},
    {1,
     12,
     {"-98dB", "-96dB", "-93dB", "-91dB", "-89dB", "-87dB", "-85dB", "-82dB", "-80dB", "-78dB",
      "-76dB", "-74dB"}},
    {13,
     25,
     {"-71dB", "-69dB", "-67dB", "-65dB", "-63dB", "-60dB", "-58dB", "-56dB", "-54dB", "-52dB",
      "-49dB", "-47dB", "-45dB"}},
    {26, 27, {"-44dB", "-43dB"}},
    {28, 29, {"-42dB"}},
    {30, 33, {"-41dB", "-40dB", "-39dB", "-38dB"}},
    {34, 35, {"-37dB"}},
    {36, 40, {"-36dB", "-35dB", "-34dB", "-33dB", "-32dB"}},
    {41, 42, {"-31dB"}},
    {43, 45, {"-30dB", "-29dB", "-28dB"}},
    {46, 63, {"-27dB", "-26dB", "-25dB", "-24dB", "-23dB", "-22dB", "-21dB", "-20dB", "-19dB"}},
    {64, 64, {"-18dB"}},
    {65, 70, {"-17dB", "-16dB", "-15dB"}},
    {71, 71, {"-14dB"}},
    {72, 75, {"-13dB", "-12dB"}},
    {76, 76, {"-11dB"}},
    {77, 84, {"-10dB", " -9dB", " -8dB", " -7dB"}},
    {85, 87, {" -6dB"}},
    {88, 89, {" -5dB"}},
    {90, 92, {" -4dB"}},
    {93, 95, {" -3dB"}},
    {96, 97, {" -2dB"}},
    {98, 100, {" -1dB"}},
    {101, 104, {"  0dB"}},
    {105, 108, {"  1dB"}},
    {109, 112, {"  2dB"}},
    {113, 116, {"  3dB"}},
    {117, 120, {"  4dB"}},
    {121, 124, {"  5dB"}},
    {125, 127, {"  6dB"}}};

// Send knob pictures (4 or less, negative included: 0).
const QVector<ValueRange> sendPictures = {
    {-32768, 4, 0}, {5, 10, 1},     {11, 16, 2},   {17, 22, 3},  {23, 27, 4},    {28, 34, 5},
    {35, 41, 6},    {42, 49, 7},    {50, 55, 8},   {56, 61, 9},  {62, 66, 10},   {67, 73, 11},
    {74, 80, 12},   {81, 87, 13},   {88, 93, 14},  {94, 99, 15}, {100, 104, 16}, {105, 110, 17},
    {111, 116, 18}, {117, 122, 19}, {123, 127, 20}};

// Level meter thresholds, -60 dBFS to 0 dBFS in 1 dB steps (32768 is full scale).
const int meterThresholds[61] = {
    32,    36,    41,    46,    51,    58,    65,    73,    82,   92,   103,  116,   130,
    146,   164,   184,   206,   231,   260,   292,   327,   367,  412,  462,  519,   582,
    653,   733,   823,   923,   1036,  1162,  1304,  1463,  1642, 1842, 2067, 2319,  2602,
    2920,  3276,  3676,  4125,  4628,  5193,  5827,  6538,  7335, 8230, 9235, 10362, 11626,
    13045, 14636, 16422, 18426, 20675, 23197, 26028, 29204, 32768};

// Gain-reduction bar: pixels below the full bar per threshold of -24 dB to 0 dB (the
// thresholds are entries 36 to 60 of the meter's).
const int grDots[25] = {0,  3,  6,  8,  11, 14, 16, 19, 22, 24, 27, 30, 32,
                        35, 38, 40, 43, 46, 48, 51, 54, 56, 59, 61, 62};

// Monitor level in dB at index 127 - slider position.
const double monitorLevels[128] = {
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

// The anchors the monitor curve runs straight between (index, dB); each entry lies on its
// line, rounded to a tenth. From -40 dB the steps are 10/9 dB, so index 120 lies at
// -57.78; index 127 (-99.9, off) stands alone.
struct Anchor {
    int index;
    double dB;
};
const Anchor monitorAnchors[] = {{0, 0.0},
                                 {24, -5.0},
                                 {41, -10.0},
                                 {63, -20.0},
                                 {83, -30.0},
                                 {104, -40.0},
                                 {120, -40.0 - 16 * 10.0 / 9},
                                 {121, -60.0},
                                 {126, -96.0}};

} // namespace transcribed

// Passes when no entry differed; else fails with every differing entry.
#define VERIFY_ALL_ENTRIES(mismatches)                                                             \
    QVERIFY2((mismatches).empty(), (mismatches).report().constData())
