// The store's conversion tables: track names to the unit's channels, pan labels, level texts,
// equaliser and compressor codes, line-out and monitor sources, and sample-rate texts.
#include "StoreCodes.h"
#include "DataManager.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr unsigned char kNoChannel = 255;

// Track name and its first channel; pairs and the master also carry the next channel.
struct TrackRow {
    const char *name;
    unsigned char first;
    bool pair;
};
const TrackRow kTrackTable[] = {
    {"Track1", 1, false},     {"Track2", 2, false},     {"Track3", 3, false},
    {"Track4", 4, false},     {"Track5", 5, false},     {"Track6", 6, false},
    {"Track7", 7, false},     {"Track8", 8, false},     {"Track9", 9, false},
    {"Track10", 10, false},   {"Track11", 11, false},   {"Track12", 12, false},
    {"Track13", 13, false},   {"Track14", 14, false},   {"Track15", 15, false},
    {"Track16", 16, false},   {"Track17", 17, false},   {"Track18", 18, false},
    {"Track19", 19, false},   {"Track20", 20, false},   {"Track1_2", 1, true},
    {"Track3_4", 3, true},    {"Track5_6", 5, true},    {"Track7_8", 7, true},
    {"Track9_10", 9, true},   {"Track11_12", 11, true}, {"Track13_14", 13, true},
    {"Track15_16", 15, true}, {"Track17_18", 17, true}, {"Track19_20", 19, true},
    {"TrackMaster", 1, true},
};

const char *const kPanLabels[] = {
    "L20", "L19", "L18", "L17", "L16", "L15", "L14", "L13", "L12", "L11", "L10", "L9",  "L8",  "L7",
    "L6",  "L5",  "L4",  "L3",  "L2",  "L1",  "C",   "R1",  "R2",  "R3",  "R4",  "R5",  "R6",  "R7",
    "R8",  "R9",  "R10", "R11", "R12", "R13", "R14", "R15", "R16", "R17", "R18", "R19", "R20",
};

// The whole number at the start of a level text, after leading blanks; 0 when there is none.
int leadingNumber(const QString &text) {
    int i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    long value = 0;
    bool any = false;
    while (i < text.size() && text.at(i).isDigit() && value < 100000) {
        value = value * 10 + text.at(i).digitValue();
        any = true;
        ++i;
    }
    if (!any)
        return 0;
    return int(negative ? -value : value);
}

// Compressor bucket tables: the code of the first bound above the position.
struct Bucket {
    unsigned char bound;
    unsigned char code;
};
const Bucket kThresholdBuckets[] = {
    {4, 224},  {8, 225},   {12, 226},  {16, 227},  {20, 228},  {24, 229},  {28, 230},  {32, 231},
    {36, 232}, {40, 233},  {43, 234},  {47, 235},  {50, 236},  {54, 237},  {58, 238},  {62, 239},
    {65, 240}, {69, 241},  {72, 242},  {76, 243},  {80, 244},  {84, 245},  {88, 246},  {92, 247},
    {96, 248}, {100, 249}, {104, 250}, {108, 251}, {112, 252}, {116, 253}, {120, 254}, {124, 255},
};
constexpr unsigned char kThresholdAbove = 0; // 0 dB
const Bucket kRatioBuckets[] = {
    {6, 10},  {12, 11}, {18, 13}, {24, 15}, {30, 17}, {36, 20}, {42, 25},
    {48, 30}, {54, 35}, {60, 40}, {66, 50}, {72, 60}, {78, 80}, {84, 160},
};
constexpr unsigned char kRatioAbove = 255; // inf:1

template <size_t N>
unsigned char bucketCode(const Bucket (&table)[N], unsigned char position, unsigned char above) {
    for (const Bucket &b : table)
        if (b.bound > position)
            return b.code;
    return above;
}

// A run of consecutive source indices that map to consecutive channels of one type.
struct SourceRun {
    unsigned char firstIndex;
    unsigned char count;
    kxmsg_data_ch_t type;
    unsigned char firstChannel;
};
const SourceRun kTarvikSources[] = {
    {0, 20, KXMSG_DATA_CH_MIXER_INPUT, 1},
    {20, 2, KXMSG_DATA_CH_MASTER, 1},
    {22, 4, KXMSG_DATA_CH_AUX_SEND, 1},
    {26, 10, KXMSG_DATA_CH_PLAYBACK, 1},
};
// The smaller model's optical inputs are the unit's inputs 5 to 12.
const SourceRun kPelvoSources[] = {
    {0, 2, KXMSG_DATA_CH_MIXER_INPUT, 1}, {2, 8, KXMSG_DATA_CH_MIXER_INPUT, 5},
    {10, 2, KXMSG_DATA_CH_MASTER, 1},     {12, 4, KXMSG_DATA_CH_AUX_SEND, 1},
    {16, 4, KXMSG_DATA_CH_PLAYBACK, 1},
};

template <size_t N>
void lookUpSource(const SourceRun (&table)[N], unsigned char index, kxmsg_data_ch_t &type,
                  unsigned char &number) {
    for (const SourceRun &r : table)
        if (index >= r.firstIndex && index < r.firstIndex + r.count) {
            type = r.type;
            number = static_cast<unsigned char>(r.firstChannel + (index - r.firstIndex));
            return;
        }
    type = KXMSG_DATA_CH_NONE;
    number = 0;
}

struct LineOutRow {
    const char *name;
    unsigned char output;
};
const LineOutRow kLineOuts[] = {
    {"LineOut1", 1}, {"LineOut2", 2}, {"LineOut3", 3}, {"LineOut4", 4},       {"LineOut5", 5},
    {"LineOut6", 6}, {"LineOut7", 7}, {"LineOut8", 8}, {"LineOut1_Pelvo", 1}, {"LineOut2_Pelvo", 2},
};

// Monitor-control sources: one type per index, the left side's channel and the right's.
const kxmsg_data_ch_t kMoniConTypes[kMoniConSourceCount] = {
    KXMSG_DATA_CH_MASTER,      KXMSG_DATA_CH_AUX_SEND,    KXMSG_DATA_CH_AUX_SEND,
    KXMSG_DATA_CH_PLAYBACK,    KXMSG_DATA_CH_PLAYBACK,    KXMSG_DATA_CH_PLAYBACK,
    KXMSG_DATA_CH_PLAYBACK,    KXMSG_DATA_CH_PLAYBACK,    KXMSG_DATA_CH_MIXER_INPUT,
    KXMSG_DATA_CH_MIXER_INPUT, KXMSG_DATA_CH_MIXER_INPUT, KXMSG_DATA_CH_MIXER_INPUT,
    KXMSG_DATA_CH_MIXER_INPUT, KXMSG_DATA_CH_MIXER_INPUT, KXMSG_DATA_CH_MIXER_INPUT,
    KXMSG_DATA_CH_MIXER_INPUT, KXMSG_DATA_CH_MIXER_INPUT, KXMSG_DATA_CH_MIXER_INPUT,
};
const unsigned char kMoniConLeft[kMoniConSourceCount] = {1, 1, 3, 1, 3,  5,  7,  9,  1,
                                                         3, 5, 7, 9, 11, 13, 15, 17, 19};
const unsigned char kMoniConRight[kMoniConSourceCount] = {2, 2, 4, 2,  4,  6,  8,  10, 2,
                                                          4, 6, 8, 10, 12, 14, 16, 18, 20};

void lookUpMoniCon(const unsigned char (&channels)[kMoniConSourceCount], unsigned char index,
                   kxmsg_data_ch_t &type, unsigned char &channel) {
    if (index >= kMoniConSourceCount) {
        type = KXMSG_DATA_CH_NONE;
        channel = 0;
        return;
    }
    type = kMoniConTypes[index];
    channel = channels[index];
}

struct RateRow {
    const char *hz;
    const char *text;
};
const RateRow kSampleRates[] = {
    {"44100", "44.1 kHz"}, {"48000", "48.0 kHz"},   {"88200", "88.2 kHz"},
    {"96000", "96.0 kHz"}, {"176400", "176.4 kHz"}, {"192000", "192.0 kHz"},
};

} // namespace

// --- level codes -----------------------------------------------------------------------------

namespace storecodes {

int16_t faderLevelFromDb(double dB) {
    // A level read from a damaged settings file can be anything: NaN is off, and the rest is
    // held to the unit's scale before the conversion, which would overflow past it.
    if (std::isnan(dB))
        return -1270;
    const int tenths = int(std::trunc(std::clamp(dB, -127.0, 6.0) * 10.0));
    if (tenths == -999)
        return -1270;
    return int16_t(tenths);
}

int16_t faderLevelFromText(const QString &text) {
    if (text == QLatin1String("-infinity"))
        return -1270;
    return int16_t(leadingNumber(text) * 10);
}

int8_t sendLevelFromText(const QString &text) {
    if (text == QLatin1String("-inf."))
        return -127;
    // Beyond the unit's -98..+6 dB (a damaged file) the nearest level it takes; below it
    // minus infinity.
    const int dB = leadingNumber(text);
    return dB < -98 ? int8_t(-127) : int8_t(std::min(dB, 6));
}

uint8_t sendPosition(unsigned stored) {
    // The unit takes off, pre and post only: a stored point outside them (a damaged file)
    // goes out as off.
    return stored >= 1 && stored <= 3 ? uint8_t(stored) : uint8_t(KXMSG_DATA_SEND_POS_OFF);
}

} // namespace storecodes

// --- track names -----------------------------------------------------------------------------

void DataManager::exchangeTrackNumForSeparate(QString track, unsigned char *channel) {
    *channel = kNoChannel;
    for (const TrackRow &row : kTrackTable)
        if (!row.pair && track == QLatin1String(row.name)) {
            *channel = row.first;
            return;
        }
}

void DataManager::exchangeTrackNum(QString track, unsigned char *channels) {
    channels[0] = kNoChannel;
    channels[1] = kNoChannel;
    for (const TrackRow &row : kTrackTable)
        if (track == QLatin1String(row.name)) {
            channels[0] = row.first;
            if (row.pair)
                channels[1] = static_cast<unsigned char>(row.first + 1);
            return;
        }
}

unsigned char DataManager::exchangePanLabelToNum(QString label) {
    for (size_t i = 0; i < std::size(kPanLabels); ++i)
        if (label == QLatin1String(kPanLabels[i]))
            return static_cast<unsigned char>(i);
    return kNoChannel;
}

// --- equaliser and compressor codes ----------------------------------------------------------

unsigned char DataManager::exchangeEqGain(unsigned char position) {
    if (position == 255)
        return 255; // low cut on
    if (position <= 5)
        return 0;
    if (position <= 120)
        return static_cast<unsigned char>((position - 1) / 5);
    return 24;
}

unsigned char DataManager::exchangeEqLowFreq(unsigned char position) {
    return static_cast<unsigned char>(std::min(position / 4, 31));
}

unsigned char DataManager::exchangeEqMidFreq(unsigned char position) {
    return static_cast<unsigned char>(std::min(position / 2, 63));
}

unsigned char DataManager::exchangeEqMidq(unsigned char position) {
    return static_cast<unsigned char>(std::min(position / 18, 6));
}

unsigned char DataManager::exchangeEqHighFreq(unsigned char position) {
    return static_cast<unsigned char>(32 + std::min(position / 4, 31));
}

unsigned char DataManager::exchangeCompThreshold(unsigned char position) {
    return bucketCode(kThresholdBuckets, position, kThresholdAbove);
}

unsigned char DataManager::exchangeCompRatio(unsigned char position) {
    return bucketCode(kRatioBuckets, position, kRatioAbove);
}

unsigned char DataManager::exchangeCompGain(unsigned char position) {
    // The first of the bounds 6, 12, ..., 120 above the position.
    for (unsigned char i = 0; i < 20; ++i)
        if (6 * (i + 1) > position)
            return i;
    return 20;
}

unsigned char DataManager::exchangeCompAttack(unsigned char position) {
    return static_cast<unsigned char>(std::min(2 * position + 2, 200));
}

unsigned char DataManager::exchangeCompRelease(unsigned char position) {
    return static_cast<unsigned char>(std::min(position + 1, 100));
}

// --- line-out and monitor sources ------------------------------------------------------------

void DataManager::exchangeLineOutNum(QString name, kxmsg_data_ch_t &type, unsigned char &number) {
    type = KXMSG_DATA_CH_LINEOUT;
    number = kNoChannel;
    for (const LineOutRow &row : kLineOuts)
        if (name == QLatin1String(row.name)) {
            number = row.output;
            return;
        }
}

void DataManager::exchangeOutputSignal(unsigned char index, kxmsg_data_ch_t &type,
                                       unsigned char &number) {
    lookUpSource(kTarvikSources, index, type, number);
}

void DataManager::exchangeOutputSignal_Pelvo(unsigned char index, kxmsg_data_ch_t &type,
                                             unsigned char &number) {
    lookUpSource(kPelvoSources, index, type, number);
}

void DataManager::exchangeOutputSignal_MoniConL(unsigned char index, kxmsg_data_ch_t &type,
                                                unsigned char &channel) {
    lookUpMoniCon(kMoniConLeft, index, type, channel);
}

void DataManager::exchangeOutputSignal_MoniConR(unsigned char index, kxmsg_data_ch_t &type,
                                                unsigned char &channel) {
    lookUpMoniCon(kMoniConRight, index, type, channel);
}

// --- sample rate -----------------------------------------------------------------------------

QString DataManager::exchangeSampleRate(QString hz) {
    for (const RateRow &row : kSampleRates)
        if (hz == QLatin1String(row.hz))
            return QLatin1String(row.text);
    return hz;
}
