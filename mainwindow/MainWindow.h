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
public slots:
    void timerInterrupt_2000ms();
    void timerInterrupt_1000ms();
    void timerInterrupt_100ms();
    void timerInterrupt_10ms();
    void timerInterrupt_1ms();

private:
    // ---- end of shell ----

    // ---- Reload, fader values, routing, names, selectors, bypass (MainWindowReload.cpp) ------
    // ---- end of reload ----

    // ---- Channel strips and stereo link (MainWindowStrips.cpp) --------------------------------
    // ---- end of strips ----

    // ---- Effects, sends, scenes (MainWindowEffects.cpp) ---------------------------------------
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
