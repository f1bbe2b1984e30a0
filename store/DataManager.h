// The mixer state store: the one global `dm` through which the window and the controls read
// and change every mixer and interface parameter. Values live only in the per-user settings
// files; device parameters are converted to the unit's channels and codes and handed to the
// device proxy at once.
#pragma once

#include "QKXDevice.h"

#include <QString>
#include <QVariant>

// Shared string constants. Each translation unit that includes this header builds its own
// equal copies before anything defined after the include, so no unit depends on another
// unit's static initialisation.
static const QString softwareVersion = QStringLiteral("1.00 0059");
static const QString organizationName = QStringLiteral("MORVEX");
static const QString settingsName = QStringLiteral("KX-Pelvo_Tarvik_Setting");
static const QString sceneMemorySettingsName = QStringLiteral("KX-Pelvo_Tarvik_SceneMemory");
static const QString clockSourceSettingsName =
    QStringLiteral("KX-Pelvo_Tarvik_Setting_ClockSource");
static const QString baseSettingsName = QStringLiteral("KX-Pelvo_Tarvik");

// Pages of the main window's stacked widget.
enum kPanelIndex {
    kPanelMixer = 0,
    kPanelInterface = 1,
    kPanelRoutingPelvo = 2,
    kPanelRoutingTarvik = 3,
};

// Kind of a channel strip.
enum kTrackType {
    kTrackOdd = 0,    // first mono track of a pair, left pan
    kTrackEven = 1,   // second mono track, right pan
    kTrackStereo = 2, // linked pair
    kTrackMaster = 3,
};

// Equaliser band of sendEqParam; the unit's band number is one more.
enum BandType {
    kBandLow = 0,
    kBandLowMid = 1,
    kBandHighMid = 2,
    kBandHigh = 3,
};

// Monitor-control output pair (line outputs 2t+1 and 2t+2); 4 addresses the monitor master
// in the 0 dB reset only.
enum kMoniConTarget {
    kMoniConOut1_2 = 0,
    kMoniConOut3_4 = 1,
    kMoniConOut5_6 = 2,
    kMoniConOut7_8 = 3,
    kMoniConMaster = 4,
};

// Item index of the monitor-control source lists; the left list plays the odd channel of
// each neighbouring pair, the right list the even one.
enum kMoniConSourceL {
    kMoniConMasterL = 0,
    kMoniConAux1 = 1,
    kMoniConAux3 = 2,
    kMoniConComputer1 = 3,
    kMoniConInput1 = 8,
    kMoniConOpticalA1 = 10,
    kMoniConOpticalB1 = 14,
    kMoniConSourceCount = 18,
};
enum kMoniConSourceR {
    kMoniConMasterR = 0,
    kMoniConAux2 = 1,
    kMoniConAux4 = 2,
    kMoniConComputer2 = 3,
    kMoniConInput2 = 8,
    kMoniConOpticalA2 = 10,
    kMoniConOpticalB2 = 14,
};

// One channel's equaliser: on and link flags, channel 1..20 and knob positions 0..127
// (lowGain 255 while the low cut is on).
struct EqParameter {
    unsigned char eqOn;
    unsigned char linked;
    unsigned char lowCutOn;
    unsigned char channel;
    unsigned char lowGain;
    unsigned char lowFreq;
    unsigned char lowMidGain;
    unsigned char lowMidFreq;
    unsigned char lowMidQ;
    unsigned char highMidGain;
    unsigned char highMidFreq;
    unsigned char highMidQ;
    unsigned char highGain;
    unsigned char highFreq;
};

// One channel's compressor: on and link flags, channel 1..20 and knob positions 0..127.
struct CompParameter {
    unsigned char compOn;
    unsigned char linked;
    unsigned char channel;
    unsigned char threshold;
    unsigned char ratio;
    unsigned char gain;
    unsigned char attack;
    unsigned char release;
};

class DataManager {
public:
    DataManager();
    ~DataManager();
    DataManager(const DataManager &) = delete;
    DataManager &operator=(const DataManager &) = delete;

    // The device proxy, for connecting to its receive signals.
    QKXDevice &device() { return kxDevice_; }

    // --- settings store and device frame --------------------------------------------------
    unsigned short loadSetting(QString group, QString key);
    unsigned short loadSetting_Upper(QString group, QString key);
    bool loadSettingBool(QString group, QString key);
    bool loadSettingBool_True(QString group, QString key);
    QString loadSettingString(QString group, QString key);
    double loadSettingDouble(QString group, QString key);
    unsigned short loadClockSourceSetting(QString group, QString key);
    void saveSetting(QString group, QString key, QVariant value);
    void saveClockSourceSetting(QString group, QString key, QVariant value);

    void initializeParameterForKXDevice();
    QString getSoftwareVersion();
    bool deselect();
    bool queryExistDevice();
    void getSampleRate();
    void getFirmVersion();
    void getDigitalInputStatus();
    void getOperatingMode();
    QString getDeviceName();

    // Whole-file handling of the current-state file for the scene memories. Keys are not
    // touched; only when the file reaches the disk and when the store reads it again.
    QString currentStateFileName();
    void flushCurrentState();                            // pending writes to disk now
    bool copyCurrentStateTo(const QString &target);      // flush, then a whole-file copy
    bool replaceCurrentStateWith(const QString &source); // flush, copy over, read again
    bool removeCurrentState();                           // flush, delete, read again (empty)

    // --- track names and level codes ------------------------------------------------------
    static void exchangeTrackNumForSeparate(QString track, unsigned char *channel);
    static void exchangeTrackNum(QString track, unsigned char *channels);
    static unsigned char exchangePanLabelToNum(QString label);

    // --- channel strip parameters ---------------------------------------------------------
    void notifyTrackSelect(QString track, bool on);
    void notifyTrackPhase(QString track, bool on);
    void notifyTrackEq(QString track, bool on);
    void notifyTrackComp(QString track, bool on);
    void notifyTrackSolo(QString track, bool on);
    void notifyTrackMute(QString track, bool on);
    void notifyTrackLink(QString track, bool on);
    void notifyTrackFader(QString track, double dB);
    void notifyTrackFader(QString track, int position, QString text);
    void notifyTrackPan(QString track, int position, QString label);
    void notifyChannelName(QString track, QString name);
    bool getTrackSelect(QString track);
    bool getTrackPhase(QString track);
    bool getTrackEq(QString track);
    bool getTrackComp(QString track);
    bool getTrackSolo(QString track);
    bool getTrackMute(QString track);
    bool getTrackLink(QString track);
    double getTrackFaderViewValue(QString track);
    unsigned short getTrackFaderPosition(QString track);
    QString getTrackFaderValue(QString track);
    unsigned short getTrackPanPosition(QString track, kTrackType kind);
    QString getTrackPanValue(QString track);
    QString getChannelName(QString track);

    // --- sends, return and true bypass ----------------------------------------------------
    void notifySendLevel(QString track, QString send, int position, QString label);
    void notifySendPoint(QString track, QString send, char point);
    unsigned char getSendPoint(QString track, QString send);
    unsigned short getSendLevel(QString track, QString send);
    QString getSendValue(QString track, QString send);
    unsigned short getReturnLevel();
    QString getReturnValue();
    bool getReverbStatus();
    void notifyTrueBypass(unsigned char channel, bool on);
    bool getTrueBypass(unsigned char channel);
    void setMixerTrueBypass(bool on);
    bool getMixerTrueBypass();

    // --- interface settings ---------------------------------------------------------------
    void notifySampleClockSourceId(unsigned short id, unsigned short opticalIndex);
    unsigned short getSampleClockSourceId();
    void notifyOpticalInputIndex(QString port, unsigned char index);
    unsigned char getOpticalInputIndex(QString port);
    void notifyPanelIndex(kPanelIndex index);
    unsigned short getPanelIndex();
    void notifyAudioPeformanceIndex(unsigned char index);
    unsigned char getAudioPeformanceIndex();
    void setDoNotInfoMessage(bool flag);
    bool getDoNotInfoMessage();
    void getClockSource();
    void notifySaveIntoTheUnit();

    // --- equaliser and compressor records and their unit codes -----------------------------
    bool sendEqParam(BandType band, EqParameter rec);
    bool sendCompParam(CompParameter rec);
    static unsigned char exchangeEqGain(unsigned char position);
    static unsigned char exchangeEqLowFreq(unsigned char position);
    static unsigned char exchangeEqMidFreq(unsigned char position);
    static unsigned char exchangeEqMidq(unsigned char position);
    static unsigned char exchangeEqHighFreq(unsigned char position);
    static unsigned char exchangeCompThreshold(unsigned char position);
    static unsigned char exchangeCompRatio(unsigned char position);
    static unsigned char exchangeCompGain(unsigned char position);
    static unsigned char exchangeCompAttack(unsigned char position);
    static unsigned char exchangeCompRelease(unsigned char position);

    // --- equaliser and compressor knob settings -------------------------------------------
    void notifyCompThreshold(QString track, int position, QString text);
    void notifyCompRatio(QString track, int position, QString text);
    void notifyCompGain(QString track, int position, int value);
    void notifyCompAttack(QString track, int position, int value);
    void notifyCompRelease(QString track, int position, int value);
    void notifyEqHighGain(QString track, int position, int value);
    void notifyEqHighMidGain(QString track, int position, int value);
    void notifyEqLowMidGain(QString track, int position, int value);
    void notifyEqLowGain(QString track, int position, int value);
    void notifyEqHighFreq(QString track, int position, QString text);
    void notifyEqHighMidFreq(QString track, int position, QString text);
    void notifyEqLowMidFreq(QString track, int position, QString text);
    void notifyEqLowFreq(QString track, int position, QString text);
    void notifyEqHighMidQPosition(QString track, int position, QString text);
    void notifyEqLowMidQPosition(QString track, int position, QString text);
    unsigned short getCompThresholdPosition(QString track);
    unsigned short getCompRatioPosition(QString track);
    unsigned short getCompGainPosition(QString track);
    unsigned short getCompAttackPosition(QString track);
    unsigned short getCompReleasePosition(QString track);
    unsigned short getEqHighGainPosition(QString track);
    unsigned short getEqHighMidGainPosition(QString track);
    unsigned short getEqLowMidGainPosition(QString track);
    unsigned short getEqLowGainPosition(QString track);
    unsigned short getEqHighFreqPosition(QString track);
    unsigned short getEqHighMidFreqPosition(QString track);
    unsigned short getEqLowMidFreqPosition(QString track);
    unsigned short getEqLowFreqPosition(QString track);
    unsigned short getEqHighMidQPosition(QString track);
    unsigned short getEqLowMidQPosition(QString track);
    void notifyEqLowCutFilter(QString track, bool on);
    bool getEqLowCutFilter(QString track);

    // --- reverb settings ------------------------------------------------------------------
    static kxmsg_data_reverb_type_t getRvbType(QString name);
    void notifyRvbPreDelayPosition(int position, QString name);
    void notifyRvbTimePosition(int position, QString text, QString name);
    void notifyRvbDiffPosition(int position, QString name);
    unsigned short getRvbPreDelayPosition(QString name);
    unsigned short getRvbTimePosition(QString name);
    unsigned short getRvbDiffPosition(QString name);
    void notifyReverbMode(unsigned char mode);
    unsigned char getReverbMode();
    void notifyReverbStatus(bool on);
    void notifyReverbMuteStatus(bool on);
    bool getReverbMuteStatus();

    // --- line-out source assignment -------------------------------------------------------
    void notifyLineOutSetting(QString name, unsigned char index);
    unsigned short getLineOutSetting(QString name);
    static void exchangeLineOutNum(QString name, kxmsg_data_ch_t &type, unsigned char &number);
    static void exchangeOutputSignal(unsigned char index, kxmsg_data_ch_t &type,
                                     unsigned char &number);
    static void exchangeOutputSignal_Pelvo(unsigned char index, kxmsg_data_ch_t &type,
                                           unsigned char &number);
    void notifyPreAmpMode(unsigned short mode);
    unsigned short getPreAmpMode();

    // --- scene names, meter requests and update preferences -------------------------------
    void notifySceneMemoryName(QString key, QString name);
    QString getSceneMemoryName(QString key);
    void getLevelMeter();
    void getGrMeter(unsigned char channel);
    void setDoNotUpdateSoftDialog(QString version);
    void setDoNotUpdateFirmDialog(QString version);
    void setDoNotUpdateInfoDialog(QString text);
    QString getDoNotUpdateSoftDialog();
    QString getDoNotUpdateFirmDialog();
    QString getDoNotUpdateInfoDialog();
    QString getJsonUrl(); // safe from any thread
    static QString exchangeSampleRate(QString hz);

    // --- monitor-control store ------------------------------------------------------------
    void notifyMoniConOutput(kMoniConTarget target);
    kMoniConTarget getMoniConOutput();
    void notifyMoniConMasterFader(double dB);
    double getMoniConMasterFader();
    void notifyMoniConMono1Fader(kMoniConTarget target, double dB);
    double getMoniConMono1Fader(kMoniConTarget target);
    void notifyMoniConMono2Fader(kMoniConTarget target, double dB);
    double getMoniConMono2Fader(kMoniConTarget target);
    void notifyMoniConLink(kMoniConTarget target, bool on);
    bool getMoniConLink(kMoniConTarget target);
    void notifyMoniConSourceL(kMoniConTarget target, kMoniConSourceL source);
    kMoniConSourceL getMoniConSouceL(kMoniConTarget target);
    void notifyMoniConSourceR(kMoniConTarget target, kMoniConSourceR source);
    kMoniConSourceR getMoniConSouceR(kMoniConTarget target);
    void setMoniConSourceL(kMoniConTarget target, kMoniConSourceL source);
    void setMoniConSourceR(kMoniConTarget target, kMoniConSourceR source);
    void setMoniConFaderMute(kMoniConTarget target);
    void setMoniConFader_0dB(kMoniConTarget target);
    static void exchangeOutputSignal_MoniConL(unsigned char index, kxmsg_data_ch_t &type,
                                              unsigned char &channel);
    static void exchangeOutputSignal_MoniConR(unsigned char index, kxmsg_data_ch_t &type,
                                              unsigned char &channel);

private:
    template <class Set> void forPairChannels(const QString &track, Set set);
    void storeFlag(const QString &track, const char *key, bool on);
    void storeKnob(int knob, const QString &track, int position, const QVariant &display);
    unsigned short knobPosition(int knob, const QString &track);
    void storeReverbKnob(int param, int position, const QString &name, const QString *text);
    unsigned short reverbPosition(int param, const QString &name);
    void sendMoniConSource(int target, int side, unsigned char index);
    void storeMoniConLevel(int target, int side, double dB);

    QKXDevice kxDevice_;
};

// The one store of the process, built before main.
extern DataManager dm;
