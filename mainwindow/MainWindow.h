// The panel's one top-level window. Its sources are split by role: MainWindowShell.cpp
// (start-up objects, construction, timers, device status, meters, clock, navigation),
// MainWindowReload.cpp (the whole-view reload and its restorers, typed fader values,
// routing, channel names, scene-menu names, EQ/compressor selectors, true bypass),
// MainWindowStrips.cpp (the channel strips and stereo link), MainWindowEffects.cpp (effects,
// sends, scenes, initialise, notice) and MainWindowTables.cpp (the strip tables).
//
// Handler families are one routine over an index into the strip tables; the named slots that
// the form wires by name are declared from the lists of StripTables.h and are one-line calls
// into those routines.
#pragma once

#include "ChannelControl.h"
#include "DataManager.h"
#include "DialControl.h"
#include "DialControlSend.h"
#include "DrawLevelMeter.h"
#include "MonitorControl.h"
#include "StripTables.h"
#include "kxmsg.h"

#include <QMainWindow>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>

class QCloseEvent;
class QComboBox;
class QMessageBox;
class QRadioButton;
class QDoubleSpinBox;
class QEvent;
class QKeyEvent;
class QLineEdit;
class QMouseEvent;
class QProgressBar;
class QPushButton;
class QSlider;
class QStackedWidget;
class Ui_MainWindow;
class UpdateSoftware;
class PanControl;

// ---- Process-wide objects of the window's unit ----------------------------------------------

// Last rate reported for one clock input.
struct clockInputHz {
    QString name;
    uint32_t hz = 0;
};
extern clockInputHz wordClockHz;
extern clockInputHz opticalAClockHz;
extern clockInputHz opticalBClockHz;

// The current-state settings file and the ten scene-memory files.
extern const QString settingFile[11];

// 1 while Shift is held over the window.
extern unsigned char shiftKeyDown;

// ---- Strip tables -----------------------------------------------------------------------------

enum { kMonoStripCount = 20, kPairStripCount = 10, kFaderCount = 31, kMasterFader = 30 };

// The widgets of one mono strip (index 0..19, strip order = track order).
struct MonoStrip {
    QString tag;   // "1", "SP1", "Adat8"
    QString track; // "Track1" .. "Track20"
    ChannelControl *strip = nullptr;
    QPushButton *select = nullptr, *phase = nullptr, *bypass = nullptr, *eq = nullptr,
                *comp = nullptr, *solo = nullptr, *mute = nullptr;
    std::array<QPushButton *, 4> pre{}, post{};
    std::array<DialControlSend *, 4> sendKnob{};
    std::array<QLabel *, 4> sendDisplay{};
    PanControl *pan = nullptr;
    QLabel *panDisplay = nullptr, *meter = nullptr, *peak = nullptr;
    QLineEdit *name = nullptr;
};

// The widgets of one stereo pair (index 0..9 = kLinkChParam): its stack and stereo strip.
struct PairStrip {
    QString tag;   // "1_2", "SP1_2", "Adat7_8"
    QString track; // "Track1_2" .. "Track19_20"
    int odd = 0;   // index of the odd mono strip (the even one is odd + 1)
    QStackedWidget *stack = nullptr;
    QPushButton *linkOn = nullptr, *linkOff = nullptr;
    ChannelControl *strip = nullptr;
    QPushButton *select = nullptr, *phaseL = nullptr, *phaseR = nullptr, *bypass = nullptr,
                *eq = nullptr, *comp = nullptr, *solo = nullptr, *mute = nullptr;
    std::array<QPushButton *, 4> pre{}, post{};
    std::array<DialControlSend *, 4> sendKnob{};
    std::array<QLabel *, 4> sendDisplay{};
    PanControl *panL = nullptr, *panR = nullptr;
    QLabel *panDisplayL = nullptr, *panDisplayR = nullptr, *meterL = nullptr, *meterR = nullptr,
           *peakL = nullptr, *peakR = nullptr;
};

// One of the 31 faders: 0..19 the mono strips, 20..29 the pairs, 30 the master.
struct FaderRow {
    QString track; // "Track1", "Track1_2", "TrackMaster"
    QSlider *slider = nullptr;
    QDoubleSpinBox *box = nullptr;
};

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Reloads every control of the window from the store and sends the state again.
    void initWindowView();

    // The strip tables, built once from the form after setupUi.
    const std::array<MonoStrip, kMonoStripCount> &monoStrips() const { return mono; }
    const std::array<PairStrip, kPairStripCount> &pairStrips() const { return pairs; }
    const std::array<FaderRow, kFaderCount> &faderRows() const { return faders; }
    Ui_MainWindow *form() const { return ui; }

signals:
    void sig_initProgressBarCountChange(unsigned char count);
    void sig_initProgressBarCountFinish();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    // ---- Shell (MainWindowShell.cpp) ----------------------------------------------------------
public:
    // True while the connected unit is the smaller model (decided by the device label).
    bool isOLVANE_Pelvo();
    // Whether a unit's product name is the smaller model's.
    static bool namesPelvo(const QString &name);
    // Hides the 42 peak lamps.
    void initLevelMeter();
    void on_actionUpdate_triggered();
    // Page switches that no button of the form triggers (kept out of the slots, so the form's
    // wiring by name does not look for their buttons).
    void on_pB_ToInterfaceFromOutput_released();
    void on_pB_ToMixerFromOutput_released();

    // Poll and status state, one set per window (a fresh window starts from "no unit"); open to
    // the suites, which read it. deviceState: 0 no name since the last disconnect, 1 named,
    // 2 view loaded.
    unsigned char deviceState = 0;
    bool deviceConnected = false;
    // The name the unit gave since it was plugged in, empty while deviceState is 0. A failed
    // answer leaves "No Device" on the page, but not here: the unit may still be connected.
    QString unitName;
    unsigned short firmVersion = 0;
    unsigned short firmBuild = 0;
    uint32_t currentSampleRate = 0;
    // Seconds left on the busy indicator; set to 10 when it is shown.
    unsigned char progressCountdown = 0;

    // Last meter values: 0..19 mixer inputs, 20 and 21 master left and right.
    enum { kMeterLevelCount = 22, kMeterRecordCount = 42 };
    std::array<uint32_t, kMeterLevelCount> meterLevels{};
    uint32_t grMeterLevel = 32767;
    std::array<levelMeter, kMeterRecordCount> levelMeterTable{};
    levelMeter grLevelMeter{};
    unsigned char meterTick = 0;
    // The one "USB Disconnected" box, made on the first disconnect and shown again after.
    QMessageBox *disconnectBox = nullptr;

public slots:
    void timerInterrupt_2000ms();
    void timerInterrupt_1000ms();
    void timerInterrupt_100ms();
    void timerInterrupt_10ms();
    void timerInterrupt_1ms();

    void slt_RecvDeviceName(QString name);
    void slt_RecvFirmVersion(unsigned short version);
    void slt_RecvFirmBuld(unsigned short build);
    void slt_RecvDigitalInputStatus(kxmsg_data_clocksource_t src, kxmsg_data_clocklock_t lock);
    void slt_RecvClockHz(kxmsg_data_clocksource_t src, unsigned int hz);
    void slt_RecvSampleRate(unsigned int hz);
    void slt_RecvClockSource(kxmsg_data_clocksource_t src);
    void slt_RecvLevelMeter(kxmsg_data_ch_t chType, unsigned char chNo, unsigned int value);
    void slt_RecvGRMeter(kxmsg_data_ch_t chType, unsigned char chNo, unsigned int value);

    void on_rB_Internal_clicked();
    void on_rB_Optical_A_clicked();
    void on_rB_Optical_B_clicked();
    void on_rB_Word_clicked();
    void on_cB_Optical_A_currentIndexChanged(int index);
    void on_cB_Optical_B_currentIndexChanged(int index);

    void on_pB_ToInterfaceFromMixer_released();
    void on_pB_ToOutputFromMixer_released();
    void on_pB_ToMixerFromInterface_released();
    void on_pB_ToOutputFromInterface_released();
    void on_pB_ToMixerFromRoutingPelvo_released();
    void on_pB_ToInformationFromRoutingPelvo_released();
    void on_pB_ToMixerFromRoutingTarvik_released();
    void on_pB_ToInformationFromRoutingTarvik_released();
    void on_actionProduct_Information_triggered();
    void on_actionFAQs_triggered();
    void doUpdate();
    void on_pB_MoniconEnable_released();
    void slt_CloseMoniconWindow();
    void slt_initProgressBarCountChange(unsigned char count);
    void slt_initProgressBarCountFinish();

    void setFontforPixel();
    void slt_changeColorComp(QString state);
    void doReverbRepaint();

private:
    void setMacTextFont();
    void setConnectCh1_2();
    void setConnectCh3_4();
    void setConnectCh5_6();
    void setConnectCh7_8();
    void setConnectCh9_10();
    void setConnectSpdif1_2();
    void setConnectAdat1_2();
    void setConnectAdat3_4();
    void setConnectAdat5_6();
    void setConnectAdat7_8();
    void setConnectPair(int pair);
    void setConnectMaster();
    void setConnectEQ();
    void setConnectCompressor();
    void setConnectReverb();
    void setConnectRename();
    void setConnectHelp();

    // Back to "no unit has named itself": deviceState 0, no name, nothing to save into.
    void forgetUnit();
    void buildLevelMeterTable();
    void connectProcedure();
    void disconnectProcedure();
    void meterRefresh();
    void restoreClockSource();
    void clockSourceChosen(int id);
    void showPage(kPanelIndex page);
    void showOutputPage();
    bool mayLeaveInterfacePage();
    void openHelpPage(const char *page);
    void applyFirmwareText();
    void firmwareCheck(const QString &name, const QString &firmware);
    void inputStatus(QLabel *label, const clockInputHz &rate, QString status,
                     const QComboBox *format, const QRadioButton *source);

protected:
    // Forgets a held Shift when the window loses activation: its release may never arrive.
    void changeEvent(QEvent *event) override;

public:
    // The monitor window's close, connected while that window is open (never twice).
    QMetaObject::Connection moniconClose;

private:
    // ---- end of shell ----

    // ---- Reload, fader values, routing, names, selectors, bypass (MainWindowReload.cpp) ------
public:
    // Slider position to dB, indexed by 100 - position: +6.0 dB at the top, -99.9 dB
    // ("-infinity") at the bottom. One table and one guard serve all 31 faders.
    static const double faderScale[101];
    // Set while a typed value moves its slider, so that the slider's own echo of that move
    // leaves the typed value in the box.
    static unsigned char faderTypedGuard;
    // The highest slider position whose dB does not exceed the value.
    static int faderPositionFor(double dB);

    // A typed value of fader 0..30 (box to slider, stored and sent); the named box slots and
    // the sliders' Shift release call it.
    void faderTyped(int fader);
    // Runs the typed-value routine of fader 0..30; larger indexes do nothing.
    void setDSB_faderPosition(unsigned char index);

    // True bypass of mono channel 1..20, and of the linked pair whose odd channel is given.
    void clickedBypass(unsigned char channel, bool on);
    void clickedBypassInStereo(unsigned char channel, bool on);

    // The EQ or compressor on/off button of a mono strip (0..19) or a pair (0..9) passed to
    // the working controller, as a click on it does.
    void monoEqCompClicked(int strip, bool eq);
    void pairEqCompClicked(int pair, bool eq);

    // Steps of the whole-view reload, in the order it runs them.
    void loadEqParameter();
    void loadCompParameter();
    void loadSendParameter();
    void loadReverbMode();
    void initTrackLink();
    void initTrackPhase();
    void initTrackBypass();
    void initTrackEq();
    void initTrackComp();
    void initSend();
    void initTrackSolo();
    void initTrackMute();
    void initFader();
    void initPan();
    void initMaster();
    void loadOutput_AudioInterface();
    void initLineOutSettings();

    // Line out 0..1 of the smaller model (0..1) and 0..7 of the larger one (2..9).
    void lineOutChosen(int row, int index);
    // Name field of mono strip 0..19.
    void channelNameEdited(int strip);

public slots:
    void loadSceneName();
    void slt_havePassedSinceBufferSizeChange();

private slots:
#define OLVANE_RELOAD_MONO_SLOTS(T, N, SEL)                                                    \
    void on_dSB_faderDisplay##N##_editingFinished() { faderTyped(N - 1); }                     \
    void on_pB_EQ##T##_clicked() { monoEqCompClicked(N - 1, true); }                           \
    void on_pB_Comp##T##_clicked() { monoEqCompClicked(N - 1, false); }                        \
    void on_pB_Bypass##N##_clicked(bool checked) { clickedBypass(N, checked); }                \
    void on_lineEdit_ch##N##_editingFinished() { channelNameEdited(N - 1); }
    OLVANE_MONO_STRIPS(OLVANE_RELOAD_MONO_SLOTS)
#undef OLVANE_RELOAD_MONO_SLOTS

#define OLVANE_RELOAD_PAIR_SLOTS(ODD, EVEN, LAST, P, O, E, SEL)                                \
    void on_dSB_faderDisplay##O##_##E##_editingFinished() { faderTyped(kMonoStripCount + P); } \
    void on_pB_EQ##ODD##_##LAST##_clicked() { pairEqCompClicked(P, true); }                    \
    void on_pB_Comp##ODD##_##LAST##_clicked() { pairEqCompClicked(P, false); }                 \
    void on_pB_Bypass##O##_##E##_clicked(bool checked) { clickedBypassInStereo(O, checked); }
    OLVANE_PAIRS(OLVANE_RELOAD_PAIR_SLOTS)
#undef OLVANE_RELOAD_PAIR_SLOTS

    void on_dSB_faderDisplayMaster_editingFinished() { faderTyped(kMasterFader); }

// Line outs: X(line-out number, model suffix of the combo, row of the line-out table).
#define OLVANE_LINE_OUTS(X)                                                                    \
    X(1, Pelvo, 0) X(2, Pelvo, 1) X(1, Tarvik, 2) X(2, Tarvik, 3) X(3, Tarvik, 4)              \
        X(4, Tarvik, 5) X(5, Tarvik, 6) X(6, Tarvik, 7) X(7, Tarvik, 8) X(8, Tarvik, 9)
#define OLVANE_RELOAD_LINE_OUT_SLOT(K, MODEL, ROW)                                             \
    void on_cB_LineOut##K##_##MODEL##_currentIndexChanged(int index) { lineOutChosen(ROW, index); }
    OLVANE_LINE_OUTS(OLVANE_RELOAD_LINE_OUT_SLOT)
#undef OLVANE_RELOAD_LINE_OUT_SLOT
#undef OLVANE_LINE_OUTS

private:
    void setEffectValuesVisible(bool visible);
    void applyBypass(const std::array<QPushButton *, 4> &own, QPushButton *select, bool on,
                     void (MainWindow::*runSelect)(int), int strip);
    void restoreEqCompButtons(bool eq);
    QComboBox *lineOutCombo(int row) const;
    void applyModelControls();
    // ---- end of reload ----

    // ---- Channel strips and stereo link (MainWindowStrips.cpp) --------------------------------
public:
    // The 20 mono channels in strip order: kMuteTrack1 .. kMuteTrackAdat8 = "Track1" .. "Track20".
    enum kMuteTrack : unsigned char {
#define OLVANE_MUTE_TRACK_NAME(T, N, SEL) kMuteTrack##T,
        OLVANE_MONO_STRIPS(OLVANE_MUTE_TRACK_NAME)
#undef OLVANE_MUTE_TRACK_NAME
            kMuteTrackCount
    };

    // Solo is the panel's own: the first solo saves the 20 mute buttons and mutes every other
    // channel, the last one released restores what was saved. Indexes outside 0..19 are ignored.
    void doSolo(bool on, kMuteTrack ch, QPushButton *muteButton);
    bool checkSoloStatus(kMuteTrack ch);
    void setMuteStatus();
    void setMuteButton(kMuteTrack ch);
    void clearMuteButton(unsigned char index);

    // Selection: the strip and select button of the current selection into the working
    // controller, and the effect panel filled from a track's stored values.
    void getSelectedCh();
    void loadEqCompParam(QString track);

    // The box of a slider position (the typed-value guard consumed first).
    void sliderValueChanged(unsigned short position, QDoubleSpinBox *box);
    // Level of a slider position: entry |position - 100| of the fader scale, held within it.
    static double faderLevelAt(unsigned short position);

    // Handler families over the strip tables: mono strip 0..19, pair 0..9, fader 0..30.
    void selectMono(int strip);
    void selectPair(int pair);
    void phaseMono(int strip);
    void phasePairSide(int pair, bool right);
    void soloMono(int strip);
    void soloPair(int pair);
    void muteMono(int strip);
    void mutePair(int pair);
    void linkOn(int pair);
    void linkOff(int pair);
    void faderSliderMoved(int fader, int position);
    void faderValueChanged(int fader, int position);
    void faderSliderReleased(int fader);
    // Pan of mono channel 0..19, dragged on its mono indicator or on the stereo one.
    void panPressed(int channel, bool stereoView, QMouseEvent *event);
    void panMoved(int channel, QMouseEvent *event);
    void panReleased(int channel, bool stereoView);
    void panDoubleClicked(int channel);
    // Send knob K (0..3) of mono strip 0..19 or of stereo strip 20..29.
    void sendPressed(int strip, int send, QMouseEvent *event);
    void sendMoved(int strip, int send, QMouseEvent *event);
    void sendReleased(int strip, int send);

private slots:
#define OLVANE_STRIP_SEND_SLOTS(K, T, S)                                                       \
    void send##K##Knob##T##_Pressed(QMouseEvent *event) { sendPressed(S, K - 1, event); }      \
    void send##K##Knob##T##_Moved(QMouseEvent *event) { sendMoved(S, K - 1, event); }          \
    void send##K##Knob##T##_Released() { sendReleased(S, K - 1); }
#define OLVANE_STRIP_MONO_SLOTS(T, N, SEL)                                                     \
    void on_pB_##SEL##_clicked() { selectMono(N - 1); }                                        \
    void on_pB_Phase##T##_clicked() { phaseMono(N - 1); }                                      \
    void on_pB_Solo##T##_clicked() { soloMono(N - 1); }                                        \
    void on_pB_Mute##T##_clicked() { muteMono(N - 1); }                                        \
    void on_vS_FaderKnob##N##_sliderMoved(int position) {                                      \
        faderSliderMoved(N - 1, position);                                                     \
    }                                                                                          \
    void on_vS_FaderKnob##N##_valueChanged(int position) {                                     \
        faderValueChanged(N - 1, position);                                                    \
    }                                                                                          \
    void on_vS_FaderKnob##N##_sliderReleased() { faderSliderReleased(N - 1); }                 \
    void panKnob##T##_Pressed(QMouseEvent *event) { panPressed(N - 1, false, event); }         \
    void panKnob##T##_Moved(QMouseEvent *event) { panMoved(N - 1, event); }                    \
    void panKnob##T##_Released() { panReleased(N - 1, false); }                                \
    void panKnob##T##_DoubleClicked() { panDoubleClicked(N - 1); }                             \
    OLVANE_STRIP_SEND_SLOTS(1, T, N - 1)                                                       \
    OLVANE_STRIP_SEND_SLOTS(2, T, N - 1)                                                       \
    OLVANE_STRIP_SEND_SLOTS(3, T, N - 1)                                                       \
    OLVANE_STRIP_SEND_SLOTS(4, T, N - 1)
    OLVANE_MONO_STRIPS(OLVANE_STRIP_MONO_SLOTS)
#undef OLVANE_STRIP_MONO_SLOTS
#undef OLVANE_STRIP_SEND_SLOTS

#define OLVANE_STRIP_PAIR_SEND_SLOTS(K, ODD, LAST, P)                                          \
    void send##K##Knob##ODD##_##LAST##_Pressed(QMouseEvent *event) {                           \
        sendPressed(kMonoStripCount + P, K - 1, event);                                        \
    }                                                                                          \
    void send##K##Knob##ODD##_##LAST##_Moved(QMouseEvent *event) {                             \
        sendMoved(kMonoStripCount + P, K - 1, event);                                          \
    }                                                                                          \
    void send##K##Knob##ODD##_##LAST##_Released() { sendReleased(kMonoStripCount + P, K - 1); }
#define OLVANE_STRIP_PAIR_PAN_SLOTS(ODD, LAST, SIDE, C)                                        \
    void panKnob##ODD##_##LAST##_##SIDE##_Pressed(QMouseEvent *event) {                        \
        panPressed(C, true, event);                                                            \
    }                                                                                          \
    void panKnob##ODD##_##LAST##_##SIDE##_Moved(QMouseEvent *event) { panMoved(C, event); }    \
    void panKnob##ODD##_##LAST##_##SIDE##_Released() { panReleased(C, true); }                 \
    void panKnob##ODD##_##LAST##_##SIDE##_DoubleClicked() { panDoubleClicked(C); }
#define OLVANE_STRIP_PAIR_SLOTS(ODD, EVEN, LAST, P, O, E, SEL)                                 \
    void on_pB_##SEL##_##LAST##_clicked() { selectPair(P); }                                   \
    void on_pB_Phase##ODD##_##LAST##_L_clicked() { phasePairSide(P, false); }                  \
    void on_pB_Phase##ODD##_##LAST##_R_clicked() { phasePairSide(P, true); }                   \
    void on_pB_Solo##ODD##_##LAST##_clicked() { soloPair(P); }                                 \
    void on_pB_Mute##ODD##_##LAST##_clicked() { mutePair(P); }                                 \
    void on_pB_LinkOn##ODD##_##LAST##_clicked() { linkOn(P); }                                 \
    void on_pB_LinkOff##ODD##_##LAST##_clicked() { linkOff(P); }                               \
    void on_vS_FaderKnob##O##_##E##_sliderMoved(int position) {                                \
        faderSliderMoved(kMonoStripCount + P, position);                                       \
    }                                                                                          \
    void on_vS_FaderKnob##O##_##E##_valueChanged(int position) {                               \
        faderValueChanged(kMonoStripCount + P, position);                                      \
    }                                                                                          \
    void on_vS_FaderKnob##O##_##E##_sliderReleased() {                                         \
        faderSliderReleased(kMonoStripCount + P);                                              \
    }                                                                                          \
    OLVANE_STRIP_PAIR_PAN_SLOTS(ODD, LAST, L, O - 1)                                           \
    OLVANE_STRIP_PAIR_PAN_SLOTS(ODD, LAST, R, E - 1)                                           \
    OLVANE_STRIP_PAIR_SEND_SLOTS(1, ODD, LAST, P)                                              \
    OLVANE_STRIP_PAIR_SEND_SLOTS(2, ODD, LAST, P)                                              \
    OLVANE_STRIP_PAIR_SEND_SLOTS(3, ODD, LAST, P)                                              \
    OLVANE_STRIP_PAIR_SEND_SLOTS(4, ODD, LAST, P)
    OLVANE_PAIRS(OLVANE_STRIP_PAIR_SLOTS)
#undef OLVANE_STRIP_PAIR_SLOTS
#undef OLVANE_STRIP_PAIR_PAN_SLOTS
#undef OLVANE_STRIP_PAIR_SEND_SLOTS

    void on_vS_FaderKnobMaster_sliderMoved(int position) {
        faderSliderMoved(kMasterFader, position);
    }
    void on_vS_FaderKnobMaster_valueChanged(int position) {
        faderValueChanged(kMasterFader, position);
    }
    void on_vS_FaderKnobMaster_sliderReleased() { faderSliderReleased(kMasterFader); }

private:
    void clickPhase(int channel, bool fromHalf);
    QLabel *panDisplayOf(int channel, bool stereoView) const;
    QLabel *sendDisplayOf(int strip, int send) const;
    void setPanTargets(int channel);
    void copyEffectSettings(const QString &from, const QString &to);
    QPushButton *selectButton(int strip) const;
    void runSelect(int strip);
    void moveSelection(int from, int to);

    // Mute buttons as they stood when the current solo period began (1 muted), and the stereo
    // mute button that doSolo switches with the mono one while a stereo solo runs.
    std::array<unsigned char, kMonoStripCount> savedMuteStatus{};
    QPushButton *linkMuteButton = nullptr;
    // ---- end of strips ----

    // ---- Effects, sends, scenes (MainWindowEffects.cpp) ---------------------------------------
public:
    // The record one send Pre/Post click hands to its common routine; mode 0 even strip, 1 odd
    // strip, 2 stereo strip. Fields a mode does not read stay null or empty.
    struct PrePostParameter {
        QPushButton *preButton = nullptr, *postButton = nullptr;
        QPushButton *partnerPre = nullptr, *partnerPost = nullptr;
        QPushButton *pairPre = nullptr, *pairPost = nullptr;
        QString trackA, trackB, send;
        unsigned char mode = 0;
    };

    void setDisableChannel(unsigned char band);
    void setReverbFunction(bool on);
    QString checkReverbMode() const;
    void setTypeAndChannel();
    void enableMixerButton(bool on);
    void enableEqCompGraph(bool on);
    void loadReverbParameter(QString type);
    void saveSceneMemory(unsigned char n);
    void loadSceneMemory(unsigned char n);
    void setSceneMemoryTitle(QString key);
    // A scene name as its menu title: "&" shows as itself, not as a shortcut marker.
    static QString sceneMenuTitle(const QString &name);
    void showInitializeStatus(QString title);
    void ClickSendPre(PrePostParameter p);
    void ClickSendPost(PrePostParameter p);
    // The record of send K (1..4) of mono strip i (0..19) or of stereo strip p (0..9).
    PrePostParameter monoPrePost(int i, int k) const;
    PrePostParameter pairPrePost(int p, int k) const;

public slots:
    void on_pB_LowCutFilter_clicked();
    void setLowCutFilterEnable();
    void setLowCutFilterDisable();
    void doEqualizerRepaint();
    void doCompressorRepaint();
    void on_pB_RevHall_clicked();
    void on_pB_RevRoom_clicked();
    void on_pB_RevLive_clicked();
    void on_pB_RevStudio_clicked();
    void on_pB_RevPlate_clicked();
    void on_pB_masterMute_clicked();
    void on_pB_masterReverb_clicked();
    void delSettingsFile();
    void on_actionInitialize_Memory_triggered();
    void on_actionInitialize_Reverb_triggered();
    void on_actionSaveIntoTheUnit_triggered();
    void on_actionLicense_triggered();
    // (slt_initProgressBarCountChange/Finish are declared with the shell's slots and defined
    // with the busy window in MainWindowEffects.cpp.)

    // Master sends and return: X(slot prefix).
#define OLVANE_MASTER_KNOB_SLOTS(PREFIX)                                                       \
    void PREFIX##_Pressed(QMouseEvent *event);                                                 \
    void PREFIX##_Moved(QMouseEvent *event);                                                   \
    void PREFIX##_Released();
    OLVANE_MASTER_KNOB_SLOTS(send1KnobMaster)
    OLVANE_MASTER_KNOB_SLOTS(send2KnobMaster)
    OLVANE_MASTER_KNOB_SLOTS(send3KnobMaster)
    OLVANE_MASTER_KNOB_SLOTS(send4KnobMaster)
    OLVANE_MASTER_KNOB_SLOTS(sendKnobReturn)
#undef OLVANE_MASTER_KNOB_SLOTS

    // The eighteen effect knobs; the four equaliser gains also take a double-click.
#define OLVANE_EFFECT_KNOB_SLOTS(PREFIX)                                                       \
    void PREFIX##_Pressed(QMouseEvent *event);                                                 \
    void PREFIX##_Moved(QMouseEvent *event);
#define OLVANE_GAIN_KNOB_SLOTS(PREFIX)                                                         \
    OLVANE_EFFECT_KNOB_SLOTS(PREFIX)                                                           \
    void PREFIX##_DoubleClicked();
    OLVANE_GAIN_KNOB_SLOTS(highGainKnob)
    OLVANE_GAIN_KNOB_SLOTS(highMidGainKnob)
    OLVANE_GAIN_KNOB_SLOTS(lowMidGainKnob)
    OLVANE_GAIN_KNOB_SLOTS(lowGainKnob)
    OLVANE_EFFECT_KNOB_SLOTS(highFreqKnob)
    OLVANE_EFFECT_KNOB_SLOTS(highMidFreqKnob)
    OLVANE_EFFECT_KNOB_SLOTS(lowMidFreqKnob)
    OLVANE_EFFECT_KNOB_SLOTS(lowFreqKnob)
    OLVANE_EFFECT_KNOB_SLOTS(highMidQKnob)
    OLVANE_EFFECT_KNOB_SLOTS(lowMidQKnob)
    OLVANE_EFFECT_KNOB_SLOTS(thresholdKnob)
    OLVANE_EFFECT_KNOB_SLOTS(ratioKnob)
    OLVANE_EFFECT_KNOB_SLOTS(attackKnob)
    OLVANE_EFFECT_KNOB_SLOTS(releaseKnob)
    OLVANE_EFFECT_KNOB_SLOTS(gainKnob)
    OLVANE_EFFECT_KNOB_SLOTS(preDelayKnob)
    OLVANE_EFFECT_KNOB_SLOTS(reverbTimeKnob)
    OLVANE_EFFECT_KNOB_SLOTS(reverbDiffKnob)
#undef OLVANE_GAIN_KNOB_SLOTS
#undef OLVANE_EFFECT_KNOB_SLOTS

    // Scene-memory menu actions: X(number).
#define OLVANE_SCENE_SLOTS(N)                                                                  \
    void saveSceneMemory##N();                                                                 \
    void loadSceneMemory##N();                                                                 \
    void renameSceneMemory##N();
    OLVANE_SCENES(OLVANE_SCENE_SLOTS)
#undef OLVANE_SCENE_SLOTS

private slots:
    // The 240 send Pre/Post buttons, wired by name.
#define OLVANE_PREPOST_SLOT_PAIR(K, TAG)                                                       \
    void on_pB_Pre##K##_##TAG##_clicked();                                                     \
    void on_pB_Post##K##_##TAG##_clicked();
#define OLVANE_PREPOST_MONO_SLOTS(T, N, SEL)                                                   \
    OLVANE_PREPOST_SLOT_PAIR(1, T)                                                             \
    OLVANE_PREPOST_SLOT_PAIR(2, T)                                                             \
    OLVANE_PREPOST_SLOT_PAIR(3, T)                                                             \
    OLVANE_PREPOST_SLOT_PAIR(4, T)
#define OLVANE_PREPOST_PAIR_SLOT_PAIR(K, ODD, LAST)                                            \
    void on_pB_Pre##K##_##ODD##_##LAST##_clicked();                                            \
    void on_pB_Post##K##_##ODD##_##LAST##_clicked();
#define OLVANE_PREPOST_PAIR_SLOTS(ODD, EVEN, LAST, P, O, E, SEL)                               \
    OLVANE_PREPOST_PAIR_SLOT_PAIR(1, ODD, LAST)                                                \
    OLVANE_PREPOST_PAIR_SLOT_PAIR(2, ODD, LAST)                                                \
    OLVANE_PREPOST_PAIR_SLOT_PAIR(3, ODD, LAST)                                                \
    OLVANE_PREPOST_PAIR_SLOT_PAIR(4, ODD, LAST)
    OLVANE_MONO_STRIPS(OLVANE_PREPOST_MONO_SLOTS)
    OLVANE_PAIRS(OLVANE_PREPOST_PAIR_SLOTS)
#undef OLVANE_PREPOST_PAIR_SLOTS
#undef OLVANE_PREPOST_PAIR_SLOT_PAIR
#undef OLVANE_PREPOST_MONO_SLOTS
#undef OLVANE_PREPOST_SLOT_PAIR

private:
    // Family routines behind the one-line knob, reverb-type and pre/post slots.
    void effectKnobPressed(int knob, QMouseEvent *event);
    void effectKnobMoved(int knob, QMouseEvent *event);
    void effectKnobDoubleClicked(int knob);
    void masterKnobPressed(int knob, QMouseEvent *event);
    void masterKnobMoved(int knob, QMouseEvent *event);
    void masterKnobReleased(int knob);
    void chooseReverbType(int type);
    void clickSendPoint(const PrePostParameter &p, bool pre);
    // The file of settings entry i (0 the current state, 1..10 the scenes).
    static QString settingFilePath(int i);
    // Deselects a selected strip that the reload has put on the hidden page of its pair.
    void dropHiddenSelection();
    // Confirmation box of the three initialise commands; true when answered with Ok.
    static bool confirmInitialise(const QString &question);
    // ---- end of effects ----

private:
    void buildStripTables();

    Ui_MainWindow *ui = nullptr;
    ChannelControl channelControl;
    DialControl eqDial;
    DialControl compDial;
    DialControl reverbDial;
    DialControlSend sendDial;
    QTimer timer2000ms;
    QTimer timer1000ms;
    QTimer timer100ms;
    QTimer timer10ms;
    QTimer timer1ms;
    DrawLevelMeter drawLevelMeter;
    UpdateSoftware *updateSoftware = nullptr;
    MonitorControl monitorControl;
    QWidget *progressWindow = nullptr;
    QProgressBar *progressBar = nullptr;

    std::array<MonoStrip, kMonoStripCount> mono;
    std::array<PairStrip, kPairStripCount> pairs;
    std::array<FaderRow, kFaderCount> faders;
};
