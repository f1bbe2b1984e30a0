// The interface and output side of the store: clock source and optical formats, the page
// shown, line-out sources, scene names, meter requests, the update service's preferences and
// the monitor-control outputs.
#include "DataManager.h"
#include "StoreCodes.h"
#include "StoreSettings.h"

#include <iterator>

using namespace storesettings;
using namespace storecodes;

namespace {

constexpr unsigned short kAbsent = 365;
const QString kInterface = QStringLiteral("Interface");

// Optical format index of the window's format boxes to the unit's x4 mode; 4 and above have
// none.
const kxmsg_data_adat_x4mode_t kOpticalModes[] = {KXMSG_DATA_ADAT_X1, KXMSG_DATA_ADAT_X1,
                                                  KXMSG_DATA_ADAT_X2, KXMSG_DATA_ADAT_X4};

bool opticalMode(unsigned index, kxmsg_data_adat_x4mode_t &mode) {
    if (index >= std::size(kOpticalModes))
        return false;
    mode = kOpticalModes[index];
    return true;
}

// Clock-source id of the window's buttons to the unit's source; the optical ones also take
// a format.
struct ClockRow {
    unsigned short id;
    kxmsg_data_clocksource_t source;
    bool optical;
};
const ClockRow kClockSources[] = {
    {1, KXMSG_DATA_CLOCKSOURCE_INTERNAL, false},
    {2, KXMSG_DATA_CLOCKSOURCE_OPTICAL_A, true},
    {3, KXMSG_DATA_CLOCKSOURCE_OPTICAL_B, true},
    {4, KXMSG_DATA_CLOCKSOURCE_WORDCLOCK, false},
};

struct OpticalPort {
    const char *name;
    kxmsg_data_clocksource_t source;
};
const OpticalPort kOpticalPorts[] = {
    {"Optical_A", KXMSG_DATA_CLOCKSOURCE_OPTICAL_A},
    {"Optical_B", KXMSG_DATA_CLOCKSOURCE_OPTICAL_B},
};

// Line-output names with the source index each plays until the user chooses.
struct LineOutDefault {
    const char *name;
    unsigned short index;
};
const LineOutDefault kLineOutDefaults[] = {
    {"LineOut1", 20},       {"LineOut2", 21},       {"LineOut3", 22}, {"LineOut4", 23},
    {"LineOut5", 24},       {"LineOut6", 25},       {"LineOut7", 26}, {"LineOut8", 27},
    {"LineOut1_Pelvo", 10}, {"LineOut2_Pelvo", 11},
};
const QString kLineOutGroup = QStringLiteral("LineOutSettings");

const QString kUpdate = QStringLiteral("Update");
const QString kSceneGroup = QStringLiteral("SceneMemory");

// Monitor-control pairs; any target outside them is treated as the first pair.
const char *const kMoniConGroups[] = {"MoniCon OUT1_2", "MoniCon OUT3_4", "MoniCon OUT5_6",
                                      "MoniCon OUT7_8"};
const QString kMoniCon = QStringLiteral("MoniCon");
enum Side { kLeft = 0, kRight = 1 };
const char *const kMoniConLevelKeys[] = {"Mono1", "Mono2"};
const char *const kMoniConSourceKeys[] = {"SOURCE_L", "SOURCE_R"};

int pairOf(int target) {
    return target >= 0 && target < int(std::size(kMoniConGroups)) ? target : 0;
}

QString moniConGroup(int target) {
    return QLatin1String(kMoniConGroups[pairOf(target)]);
}

unsigned char moniConOutput(int target, int side) {
    return static_cast<unsigned char>(2 * target + 1 + side);
}

double moniConLevel(DataManager &store, const QString &group, const QString &key) {
    const double dB = store.loadSettingDouble(group, key);
    return dB == 1000.0 ? 0.0 : dB;
}

// The absent key (365) and a damaged one alike read as the first source: the window's lists
// hold only real sources, and an index outside them would store and send "no source".
unsigned short moniConIndex(DataManager &store, int target, int side) {
    const unsigned short index =
        store.loadSetting(moniConGroup(target), QLatin1String(kMoniConSourceKeys[side]));
    return index < kMoniConSourceCount ? index : 0;
}

} // namespace

// --- interface settings ----------------------------------------------------------------------

void DataManager::notifySampleClockSourceId(unsigned short id, unsigned short opticalIndex) {
    write(clockSource(), kInterface, QStringLiteral("SampleClockSourceId"), int(id));
    for (const ClockRow &row : kClockSources) {
        if (row.id != id)
            continue;
        kxmsg_data_adat_x4mode_t mode;
        if (row.optical && opticalMode(opticalIndex, mode))
            kxDevice_.set_adat_x4mode(row.source, mode);
        kxDevice_.set_clocksource(row.source);
        return;
    }
}

unsigned short DataManager::getSampleClockSourceId() {
    return loadClockSourceSetting(kInterface, QStringLiteral("SampleClockSourceId"));
}

void DataManager::notifyOpticalInputIndex(QString port, unsigned char index) {
    write(clockSource(), kInterface, port, int(index));
    for (const OpticalPort &p : kOpticalPorts) {
        kxmsg_data_adat_x4mode_t mode;
        if (port == QLatin1String(p.name) && opticalMode(index, mode))
            kxDevice_.set_adat_x4mode(p.source, mode);
    }
}

unsigned char DataManager::getOpticalInputIndex(QString port) {
    return static_cast<unsigned char>(loadClockSourceSetting(kInterface, port));
}

void DataManager::notifyPanelIndex(kPanelIndex index) {
    write(mixer(), QStringLiteral("Panel"), QStringLiteral("MainWindowPanel"), int(index));
}

unsigned short DataManager::getPanelIndex() {
    return loadSetting(QStringLiteral("Panel"), QStringLiteral("MainWindowPanel"));
}

void DataManager::notifyAudioPeformanceIndex(unsigned char index) {
    write(mixer(), kInterface, QStringLiteral("AudioPeformanceIndex"), int(index));
}

unsigned char DataManager::getAudioPeformanceIndex() {
    const unsigned short index = loadSetting(kInterface, QStringLiteral("AudioPeformanceIndex"));
    return index == kAbsent ? 0 : static_cast<unsigned char>(index);
}

void DataManager::setDoNotInfoMessage(bool flag) {
    write(mixer(), QStringLiteral("Misc"), QStringLiteral("Information_Dialog"), flag);
}

bool DataManager::getDoNotInfoMessage() {
    return loadSettingBool(QStringLiteral("Misc"), QStringLiteral("Information_Dialog"));
}

void DataManager::getClockSource() {
    kxDevice_.request_clocksource();
}

void DataManager::notifySaveIntoTheUnit() {
    kxDevice_.set_config_save();
}

// --- line-out source assignment --------------------------------------------------------------

void DataManager::notifyLineOutSetting(QString name, unsigned char index) {
    write(mixer(), kLineOutGroup, name, int(index));
    kxmsg_data_ch_t outType, inType;
    unsigned char outNo, inNo;
    exchangeLineOutNum(name, outType, outNo);
    // The table follows the output's name, not the model that is connected.
    if (name == QLatin1String("LineOut1_Pelvo") || name == QLatin1String("LineOut2_Pelvo"))
        exchangeOutputSignal_Pelvo(index, inType, inNo);
    else
        exchangeOutputSignal(index, inType, inNo);
    kxDevice_.set_assign_ch(inType, inNo, outType, outNo);
}

unsigned short DataManager::getLineOutSetting(QString name) {
    const unsigned short index = loadSetting(kLineOutGroup, name);
    if (index != kAbsent)
        return index;
    for (const LineOutDefault &row : kLineOutDefaults)
        if (name == QLatin1String(row.name))
            return row.index;
    return 0;
}

void DataManager::notifyPreAmpMode(unsigned short mode) {
    write(mixer(), QStringLiteral("Misc"), QStringLiteral("PreAmpMode"),
          mode == 0 ? QStringLiteral("Analog") : QStringLiteral("Digital"));
}

unsigned short DataManager::getPreAmpMode() {
    const QString mode = loadSettingString(QStringLiteral("Misc"), QStringLiteral("PreAmpMode"));
    return mode.isEmpty() || mode == QLatin1String("Analog") ? 0 : 1;
}

// --- scene names, meter requests and update preferences --------------------------------------

void DataManager::notifySceneMemoryName(QString key, QString name) {
    QSettings names(QSettings::IniFormat, QSettings::UserScope, organizationName,
                    sceneMemorySettingsName);
    write(names, kSceneGroup, key, name);
}

QString DataManager::getSceneMemoryName(QString key) {
    QSettings names(QSettings::IniFormat, QSettings::UserScope, organizationName,
                    sceneMemorySettingsName);
    return read(names, kSceneGroup, key, key).toString();
}

void DataManager::getLevelMeter() {
    kxDevice_.request_meter();
}

void DataManager::getGrMeter(unsigned char channel) {
    kxDevice_.request_grmeter(KXMSG_DATA_CH_MIXER_INPUT, channel);
}

void DataManager::setDoNotUpdateSoftDialog(QString version) {
    write(mixer(), kUpdate, QStringLiteral("SoftDialog"), version);
}

void DataManager::setDoNotUpdateFirmDialog(QString version) {
    write(mixer(), kUpdate, QStringLiteral("FirmDialog"), version);
}

void DataManager::setDoNotUpdateInfoDialog(QString text) {
    write(mixer(), kUpdate, QStringLiteral("InfoDialog"), text);
}

QString DataManager::getDoNotUpdateSoftDialog() {
    return loadSettingString(kUpdate, QStringLiteral("SoftDialog"));
}

QString DataManager::getDoNotUpdateFirmDialog() {
    return loadSettingString(kUpdate, QStringLiteral("FirmDialog"));
}

QString DataManager::getDoNotUpdateInfoDialog() {
    return loadSettingString(kUpdate, QStringLiteral("InfoDialog"));
}

QString DataManager::getJsonUrl() {
    // Called from the update worker's thread while the GUI thread works on the store's own
    // settings object, whose open group is not shared safely. A settings object of the
    // calling thread on the same file shares the file's contents (pending writes included)
    // under the toolkit's own lock, and has its own group.
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, organizationName, settingsName);
    return read(settings, kUpdate, QStringLiteral("JsonUrl"), QString()).toString();
}

// --- monitor-control store -------------------------------------------------------------------

void DataManager::notifyMoniConOutput(kMoniConTarget target) {
    write(mixer(), kMoniCon, QStringLiteral("Output"), int(target));
}

kMoniConTarget DataManager::getMoniConOutput() {
    const unsigned short target = loadSetting(kMoniCon, QStringLiteral("Output"));
    return kMoniConTarget(target <= kMoniConOut7_8 ? target : 0);
}

void DataManager::notifyMoniConMasterFader(double dB) {
    write(mixer(), kMoniCon, QStringLiteral("Master"), dB);
    kxDevice_.set_fader(KXMSG_DATA_CH_LINEOUT, 9, faderLevelFromDb(dB));
}

double DataManager::getMoniConMasterFader() {
    return moniConLevel(*this, kMoniCon, QStringLiteral("Master"));
}

void DataManager::storeMoniConLevel(int target, int side, double dB) {
    const int pair = pairOf(target);
    kxDevice_.set_fader(KXMSG_DATA_CH_LINEOUT, moniConOutput(pair, side), faderLevelFromDb(dB));
    write(mixer(), moniConGroup(pair), QLatin1String(kMoniConLevelKeys[side]), dB);
}

void DataManager::notifyMoniConMono1Fader(kMoniConTarget target, double dB) {
    storeMoniConLevel(target, kLeft, dB);
}

void DataManager::notifyMoniConMono2Fader(kMoniConTarget target, double dB) {
    storeMoniConLevel(target, kRight, dB);
}

double DataManager::getMoniConMono1Fader(kMoniConTarget target) {
    return moniConLevel(*this, moniConGroup(target), QLatin1String(kMoniConLevelKeys[kLeft]));
}

double DataManager::getMoniConMono2Fader(kMoniConTarget target) {
    return moniConLevel(*this, moniConGroup(target), QLatin1String(kMoniConLevelKeys[kRight]));
}

void DataManager::notifyMoniConLink(kMoniConTarget target, bool on) {
    write(mixer(), moniConGroup(target), QStringLiteral("LINK"), on);
}

bool DataManager::getMoniConLink(kMoniConTarget target) {
    return loadSettingBool(moniConGroup(target), QStringLiteral("LINK"));
}

void DataManager::sendMoniConSource(int target, int side, unsigned char index) {
    kxmsg_data_ch_t type;
    unsigned char channel;
    if (side == kLeft)
        exchangeOutputSignal_MoniConL(index, type, channel);
    else
        exchangeOutputSignal_MoniConR(index, type, channel);
    kxDevice_.set_assign_ch(type, channel, KXMSG_DATA_CH_LINEOUT, moniConOutput(target, side));
}

void DataManager::notifyMoniConSourceL(kMoniConTarget target, kMoniConSourceL source) {
    write(mixer(), moniConGroup(target), QLatin1String(kMoniConSourceKeys[kLeft]), int(source));
    sendMoniConSource(pairOf(target), kLeft, static_cast<unsigned char>(source));
}

void DataManager::notifyMoniConSourceR(kMoniConTarget target, kMoniConSourceR source) {
    write(mixer(), moniConGroup(target), QLatin1String(kMoniConSourceKeys[kRight]), int(source));
    sendMoniConSource(pairOf(target), kRight, static_cast<unsigned char>(source));
}

kMoniConSourceL DataManager::getMoniConSouceL(kMoniConTarget target) {
    return kMoniConSourceL(moniConIndex(*this, target, kLeft));
}

kMoniConSourceR DataManager::getMoniConSouceR(kMoniConTarget target) {
    return kMoniConSourceR(moniConIndex(*this, target, kRight));
}

// The send-only operations address pairs 0..3; no caller passes more, and another target
// names no output of its own, so it sends nothing.
void DataManager::setMoniConSourceL(kMoniConTarget target, kMoniConSourceL source) {
    if (target >= kMoniConOut1_2 && target <= kMoniConOut7_8)
        sendMoniConSource(target, kLeft, static_cast<unsigned char>(source));
}

void DataManager::setMoniConSourceR(kMoniConTarget target, kMoniConSourceR source) {
    if (target >= kMoniConOut1_2 && target <= kMoniConOut7_8)
        sendMoniConSource(target, kRight, static_cast<unsigned char>(source));
}

void DataManager::setMoniConFaderMute(kMoniConTarget target) {
    if (target < kMoniConOut1_2 || target > kMoniConOut7_8)
        return;
    for (int side : {kLeft, kRight})
        kxDevice_.set_fader(KXMSG_DATA_CH_LINEOUT, moniConOutput(target, side), -1270);
}

void DataManager::setMoniConFader_0dB(kMoniConTarget target) {
    // Target 4 reaches the monitor master (output 9); its partner 10 is refused by the proxy.
    if (target < kMoniConOut1_2 || target > kMoniConMaster)
        return;
    for (int side : {kLeft, kRight})
        kxDevice_.set_fader(KXMSG_DATA_CH_LINEOUT, moniConOutput(target, side), 0);
}
