// The controller of the mixer's channel strips. The main window keeps one hidden working
// instance and writes the touched strip's names, kind and widgets into it before each call;
// the form's strip backgrounds are instances too, but only show pictures. The class also
// holds the program-wide strip state: track tables, the selected channel, the equaliser and
// compressor caches of the 20 inputs and the stereo-link flags.
#pragma once

#include "DataManager.h"
#include "PanControl.h"
#include "fader.h"

#include <QLabel>
#include <QString>

class QMouseEvent;
class QPushButton;

// A stereo-linkable pair: pair p joins tracks 2p+1 and 2p+2.
enum kLinkChParam {
    kLinkCh1_2 = 0,
    kLinkCh3_4,
    kLinkCh5_6,
    kLinkCh7_8,
    kLinkCh9_10,
    kLinkChSP1_2,
    kLinkChAdat1_2,
    kLinkChAdat3_4,
    kLinkChAdat5_6,
    kLinkChAdat7_8,
    kLinkChCount
};

// Send state of a track; nothing keeps it.
struct SendParameter {
    unsigned char send1Point, send2Point, send3Point, send4Point;
    unsigned char send1Level, send2Level, send3Level, send4Level;
};

class ChannelControl : public QLabel {
    Q_OBJECT
public:
    explicit ChannelControl(QWidget *parent = nullptr);

    // Context written by the main window before a call.
    QString trackCh;
    QString stereoCh;
    QLabel *faderKnob = nullptr;
    PanControl *panKnob = nullptr;
    PanControl *panKnobSt = nullptr;
    QLabel *faderValue = nullptr;
    QLabel *panDisplay = nullptr;
    QLabel *panDisplaySt = nullptr;
    kTrackType trackType = kTrackOdd;
    QLabel *stripLabel = nullptr;
    QLabel *prevStripLabel = nullptr;
    QPushButton *prevSelectButton = nullptr;
    bool stereoSelected = false;
    fader faderHelper;
    PanControl panHelper;

    // Program-wide tables and state.
    static const QString trackName[30];
    static const unsigned char trackNum[30];
    static QString selectedCh;
    static EqParameter eqCache[20];
    static CompParameter compCache[20];
    static bool linkedCh[kLinkChCount];

    // Selection.
    void clicked_channel(bool checked);
    void clicked_channel_st(bool checked);
    void setSelectedChannel();
    void clearSelectedChannel();
    void setSelectedChannel_st();
    void clearSelectedChannel_st();
    void initSelectedChannel();

    // Name maps.
    static void exchangeChannel(QString name, unsigned char &index);
    static unsigned char exChangeToChParam(QString name);
    static QString exChangeToMonoOdd(QString pair);
    static QString exChangeToMonoEven(QString pair);
    static bool queryIsSelectedChEqOn();
    static bool queryIsSelectedChCompOn();

    // Strip buttons and pan.
    void clicked_phase(bool on);
    void clicked_solo(bool on);
    void clicked_mute(bool on);
    void panKnob_Pressed(QMouseEvent *event);
    void panKnob_Moved(QMouseEvent *event);
    void panKnob_DoubleClicked();
    static QString calPanExchangeValue(short position);

    // Label fader path (kept beside the slider faders).
    void faderKnob_Pressed(QMouseEvent *event);
    void faderKnob_Moved(QMouseEvent *event);
    void faderKnob_DoubleClicked();
    void faderKnob_SetPosition(QString text);

    // Caches, link and the EQ, compressor and low-cut buttons.
    static void setEqParam(unsigned char index, EqParameter record);
    static void setCompParam(unsigned char index, CompParameter record);
    static void setSendParam(unsigned char index, SendParameter record);
    static void setSendLevel(unsigned char index, QString send, unsigned char level);
    static void setLinkedCh(kLinkChParam pair, bool on);
    static bool checkLinkedCh(kLinkChParam pair);
    void clicked_eq(bool on);
    void clicked_comp(bool on);
    void clicked_lcf(bool on);

    // Cache setters of the knobs: 1-based channel, knob position.
    static void setEqParamLowGain(unsigned char channel, unsigned char value);
    static void setEqParamLowFreq(unsigned char channel, unsigned char value);
    static void setEqParamLowMidGain(unsigned char channel, unsigned char value);
    static void setEqParamLowMidFreq(unsigned char channel, unsigned char value);
    static void setEqParamLowMidQ(unsigned char channel, unsigned char value);
    static void setEqParamHighMidGain(unsigned char channel, unsigned char value);
    static void setEqParamHighMidFreq(unsigned char channel, unsigned char value);
    static void setEqParamHighMidQ(unsigned char channel, unsigned char value);
    static void setEqParamHighGain(unsigned char channel, unsigned char value);
    static void setEqParamHighFreq(unsigned char channel, unsigned char value);
    static void setCompParamThreshold(unsigned char channel, unsigned char value);
    static void setCompParamRatio(unsigned char channel, unsigned char value);
    static void setCompParamGain(unsigned char channel, unsigned char value);
    static void setCompParamAttack(unsigned char channel, unsigned char value);
    static void setCompParamRelease(unsigned char channel, unsigned char value);

    // Send points: 1 off, 2 pre-fader, 3 post-fader.
    static void setSendPositionOff(QString track, QString send);
    static void setSendPositionPre(QString track, QString send);
    static void setSendPositionPost(QString track, QString send);

signals:
    void setUiFaderParam(int x, int y, int display);
    void setUiPanParam(int x, int y, int display);
    void signal_setLowCutFilterEnable();
    void signal_setLowCutFilterDisable();
    void signal_doCompressorRepaint();
    void signal_doEqualizerRepaint();

private:
    void select(bool stereo);
    void clearSelection(bool stereo);
    void showPan(unsigned short position);
    QString faderName() const;
    void placeFader(unsigned short row);
    static void setEqField(unsigned char channel, unsigned char EqParameter::*field,
                           unsigned char value, BandType band);
    static void setCompField(unsigned char channel, unsigned char CompParameter::*field,
                             unsigned char value);
    void switchStrip(bool on, bool eq);
};
