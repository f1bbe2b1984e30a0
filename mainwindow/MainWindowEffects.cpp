// Effects, sends and scenes: strips by sample rate, low cut, reverb, master section, effect
// knobs, send pre/post, scene memories, initialise, save into the unit and the notice window.
#include "DrawReverb.h"
#include "MainWindow.h"
#include "SceneMemoryDialog.h"
#include "ui_mainwindow.h"

#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSettings>
#include <QTextBrowser>
#include <QTextStream>
#include <QVBoxLayout>

namespace {

const QString kNoSelection = QStringLiteral("none");

// ---- strips by sample-rate band ----

// A pair stack that shows only up to a band (1, 2 or 4); the optical-B ones only on the
// larger model.
struct BandStack {
    int pair;
    unsigned char highestBand;
    bool largerModelOnly;
};
const BandStack kBandStacks[] = {
    {3, 2, false}, // 7_8
    {4, 1, false}, // 9_10
    {5, 1, false}, // SP1_2
    {7, 2, true},  // Adat3_4
    {8, 1, true},  // Adat5_6
    {9, 1, true},  // Adat7_8
};

// ---- reverb types ----

struct ReverbType {
    QPushButton *Ui_MainWindow::*button;
    const char *picture;
    unsigned char mode;
    const char *name;
};
const ReverbType kReverbTypes[] = {
    {&Ui_MainWindow::pB_RevHall, ":Resource/Reverb/Rvb_hall.png", 1, "HALL"},
    {&Ui_MainWindow::pB_RevRoom, ":Resource/Reverb/Rvb_room.png", 2, "ROOM"},
    {&Ui_MainWindow::pB_RevLive, ":Resource/Reverb/Rvb_live.png", 3, "LIVE"},
    {&Ui_MainWindow::pB_RevStudio, ":Resource/Reverb/Rvb_studio.png", 4, "STUDIO"},
    {&Ui_MainWindow::pB_RevPlate, ":Resource/Reverb/Rvb_plate.png", 5, "PLATE"},
};
enum { kReverbHall = 0, kReverbRoom, kReverbLive, kReverbStudio, kReverbPlate };

// The defaults of each reverb type, as the store gives them for absent keys.
struct ReverbDefault {
    const char *name;
    unsigned char preDelay;
    unsigned char time;
    const char *timeText;
    unsigned char diffusion;
};
const ReverbDefault kReverbDefaults[] = {
    {"HALL", 90, 27, "2.7", 20},  {"ROOM", 25, 14, "1.4", 60},  {"LIVE", 6, 26, "2.6", 50},
    {"STUDIO", 60, 4, "0.4", 70}, {"PLATE", 42, 27, "2.7", 50},
};

// ---- effect knobs ----

enum class Graph { None, Equalizer, Compressor, Reverb };
enum class Gate { Selection, LowCutThenSelection, None };
enum class Dial { Eq, Comp, Reverb };
using KnobOp = void (DialControl::*)(QMouseEvent *);
using TypedKnobOp = void (DialControl::*)(QMouseEvent *, QString);
using ResetOp = void (DialControl::*)();

struct EffectKnob {
    Dial dial;
    KnobOp press, rotate;                // equaliser and compressor
    TypedKnobOp typedPress, typedRotate; // reverb, with the type name
    ResetOp doubleClick;
    DialControl *Ui_MainWindow::*knob;
    QLabel *Ui_MainWindow::*display;
    Graph graph;
    Gate gate;
};

#define OLVANE_EQ_KNOB(OP, KNOB, DISP, RESET, GATE)                                                \
    {                                                                                              \
        Dial::Eq, &DialControl::press##OP##Knob, &DialControl::rotate##OP##Knob, nullptr, nullptr, \
            RESET, &Ui_MainWindow::label_##KNOB##Knob, &Ui_MainWindow::label_##DISP##Disp,         \
            Graph::Equalizer, GATE                                                                 \
    }
#define OLVANE_COMP_KNOB(OP, KNOB, GRAPH)                                                          \
    {                                                                                              \
        Dial::Comp, &DialControl::pressComp##OP##Knob, &DialControl::rotateComp##OP##Knob,         \
            nullptr, nullptr, nullptr, &Ui_MainWindow::label_##KNOB##Knob,                         \
            &Ui_MainWindow::label_##KNOB##Disp, GRAPH, Gate::Selection                             \
    }
#define OLVANE_RVB_KNOB(OP, KNOB, GRAPH)                                                           \
    {                                                                                              \
        Dial::Reverb, nullptr, nullptr, &DialControl::pressRvb##OP##Knob,                          \
            &DialControl::rotateRvb##OP##Knob, nullptr, &Ui_MainWindow::label_##KNOB##Knob,        \
            &Ui_MainWindow::label_##KNOB##Disp, GRAPH, Gate::None                                  \
    }

// In the order of the knob indexes used by the slots below.
const EffectKnob kEffectKnobs[] = {
    OLVANE_EQ_KNOB(HighGain, HighGain, HighGain, &DialControl::doubleClickHighGainKnob,
                   Gate::Selection),
    OLVANE_EQ_KNOB(HighMidGain, HighMidGain, HighMidGain, &DialControl::doubleClickHighMidGainKnob,
                   Gate::Selection),
    OLVANE_EQ_KNOB(LowMidGain, LowMidGain, LowMidGain, &DialControl::doubleClickLowMidGainKnob,
                   Gate::Selection),
    OLVANE_EQ_KNOB(LowGain, LowGain, LowGain, &DialControl::doubleClickLowGainKnob,
                   Gate::LowCutThenSelection),
    OLVANE_EQ_KNOB(HighFreq, HighFreq, HighFreq, nullptr, Gate::Selection),
    OLVANE_EQ_KNOB(HighMidFreq, HighMidFreq, HighMidFreq, nullptr, Gate::Selection),
    OLVANE_EQ_KNOB(LowMidFreq, LowMidFreq, LowMidFreq, nullptr, Gate::Selection),
    OLVANE_EQ_KNOB(LowFreq, LowFreq, LowFreq, nullptr, Gate::Selection),
    OLVANE_EQ_KNOB(HighMidQ, HighMidQ, HighMidQ, nullptr, Gate::Selection),
    OLVANE_EQ_KNOB(LowMidQ, LowMidQ, LowMidQ, nullptr, Gate::Selection),
    OLVANE_COMP_KNOB(Threshold, Threshold, Graph::Compressor),
    OLVANE_COMP_KNOB(Ratio, Ratio, Graph::Compressor),
    OLVANE_COMP_KNOB(Attack, Attack, Graph::None),
    OLVANE_COMP_KNOB(Release, Release, Graph::None),
    OLVANE_COMP_KNOB(Gain, Gain, Graph::None),
    OLVANE_RVB_KNOB(PreDelay, PreDelay, Graph::Reverb),
    OLVANE_RVB_KNOB(Time, ReverbTime, Graph::Reverb),
    OLVANE_RVB_KNOB(Diff, ReverbDiff, Graph::None),
};
#undef OLVANE_EQ_KNOB
#undef OLVANE_COMP_KNOB
#undef OLVANE_RVB_KNOB

// The knob list of the slots: X(slot prefix, index into kEffectKnobs).
#define OLVANE_EFFECT_KNOBS(X)                                                                     \
    X(highGainKnob, 0)                                                                             \
    X(highMidGainKnob, 1)                                                                          \
    X(lowMidGainKnob, 2)                                                                           \
    X(lowGainKnob, 3)                                                                              \
    X(highFreqKnob, 4)                                                                             \
    X(highMidFreqKnob, 5)                                                                          \
    X(lowMidFreqKnob, 6)                                                                           \
    X(lowFreqKnob, 7)                                                                              \
    X(highMidQKnob, 8)                                                                             \
    X(lowMidQKnob, 9)                                                                              \
    X(thresholdKnob, 10)                                                                           \
    X(ratioKnob, 11)                                                                               \
    X(attackKnob, 12)                                                                              \
    X(releaseKnob, 13)                                                                             \
    X(gainKnob, 14)                                                                                \
    X(preDelayKnob, 15)                                                                            \
    X(reverbTimeKnob, 16)                                                                          \
    X(reverbDiffKnob, 17)
#define OLVANE_GAIN_KNOBS(X)                                                                       \
    X(highGainKnob, 0) X(highMidGainKnob, 1) X(lowMidGainKnob, 2) X(lowGainKnob, 3)

// ---- master section ----

struct MasterKnob {
    DialControlSend *Ui_MainWindow::*knob;
    QLabel *Ui_MainWindow::*display;
    const char *send;
};
const MasterKnob kMasterKnobs[] = {
    {&Ui_MainWindow::label_Send1KnobMaster, &Ui_MainWindow::label_Send1DisplayMaster, "Send1"},
    {&Ui_MainWindow::label_Send2KnobMaster, &Ui_MainWindow::label_Send2DisplayMaster, "Send2"},
    {&Ui_MainWindow::label_Send3KnobMaster, &Ui_MainWindow::label_Send3DisplayMaster, "Send3"},
    {&Ui_MainWindow::label_Send4KnobMaster, &Ui_MainWindow::label_Send4DisplayMaster, "Send4"},
    {&Ui_MainWindow::label_SendKnobReturn, &Ui_MainWindow::label_SendDisplayReturn, "Return"},
};
#define OLVANE_MASTER_KNOBS(X)                                                                     \
    X(send1KnobMaster, 0)                                                                          \
    X(send2KnobMaster, 1) X(send3KnobMaster, 2) X(send4KnobMaster, 3) X(sendKnobReturn, 4)

const QString kTrackMasterName = QStringLiteral("TrackMaster");

// The busy window closes with the main window: a window of its own would otherwise stay up
// (and keep the application running) after the main window is gone.
class CloseWithOwner : public QObject {
public:
    CloseWithOwner(QWidget *owner, QWidget *follower) : QObject(follower), follower_(follower) {
        owner->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Close)
            follower_->hide();
        return false;
    }

private:
    QWidget *follower_;
};

} // namespace

// ---- strip availability and section enabling ----------------------------------------------

void MainWindow::setDisableChannel(unsigned char band) {
    const bool reverb = band != 4;
    setReverbFunction(reverb);
    ui->label_ReverbDisable->setVisible(!reverb);
    ui->sW_return->setCurrentIndex(reverb ? 1 : 0);
    if (reverb)
        ui->label_SendDisplayReturn->hide();
    const bool pelvo = isOLVANE_Pelvo();
    for (const BandStack &b : kBandStacks) {
        if (b.largerModelOnly && pelvo)
            break;
        pairs[size_t(b.pair)].stack->setVisible(band <= b.highestBand);
    }
}

void MainWindow::setReverbFunction(bool on) {
    QWidget *const section[] = {ui->label_PreDelayKnob,
                                ui->label_ReverbTimeKnob,
                                ui->label_ReverbDiffKnob,
                                ui->label_PreDelayDisp,
                                ui->label_ReverbTimeDisp,
                                ui->label_ReverbDiffDisp,
                                ui->label_SendDisplayReturn,
                                ui->label_RvbPicture,
                                ui->pB_RevHall,
                                ui->pB_RevRoom,
                                ui->pB_RevLive,
                                ui->pB_RevStudio,
                                ui->pB_RevPlate,
                                ui->pB_masterReverb,
                                ui->label_Reverb,
                                ui->label_SendKnobReturn};
    for (QWidget *w : section)
        w->setVisible(on);
}

QString MainWindow::checkReverbMode() const {
    for (const ReverbType &t : kReverbTypes) {
        if (t.mode != 5 && (ui->*t.button)->isChecked())
            return QLatin1String(t.name);
    }
    return QStringLiteral("PLATE");
}

void MainWindow::setTypeAndChannel() {
    const QString selected = ChannelControl::selectedCh;
    for (int i = 0; i < kFaderCount; ++i) {
        if (faders[size_t(i)].track != selected)
            continue;
        if (i < kMonoStripCount) {
            channelControl.trackType = i % 2 == 0 ? kTrackOdd : kTrackEven;
            channelControl.trackCh = selected;
        } else {
            channelControl.trackType = kTrackStereo;
            channelControl.stereoCh = selected;
        }
        return;
    }
}

void MainWindow::enableMixerButton(bool on) {
    for (auto which : {&MonoStrip::phase, &MonoStrip::eq, &MonoStrip::comp}) {
        for (const PairStrip &p : pairs) {
            (mono[size_t(p.odd)].*which)->setEnabled(on);
            (mono[size_t(p.odd + 1)].*which)->setEnabled(on);
            if (which == &MonoStrip::phase) {
                p.phaseL->setEnabled(on);
                p.phaseR->setEnabled(on);
            } else {
                (which == &MonoStrip::eq ? p.eq : p.comp)->setEnabled(on);
            }
        }
    }
}

void MainWindow::enableEqCompGraph(bool on) {
    if (!on && ChannelControl::selectedCh != kNoSelection) {
        for (int i = 0; i < kMonoStripCount; ++i) {
            if (mono[size_t(i)].track == ChannelControl::selectedCh) {
                mono[size_t(i)].select->setChecked(false);
                selectMono(i);
            }
        }
        for (int p = 0; p < kPairStripCount; ++p) {
            if (pairs[size_t(p)].track == ChannelControl::selectedCh) {
                pairs[size_t(p)].select->setChecked(false);
                selectPair(p);
            }
        }
    }
    for (const PairStrip &p : pairs) {
        mono[size_t(p.odd)].select->setEnabled(on);
        mono[size_t(p.odd + 1)].select->setEnabled(on);
        p.select->setEnabled(on);
    }
    QLabel *const displays[] = {
        ui->label_HighGainDisp,   ui->label_HighFreqDisp,    ui->label_LowGainDisp,
        ui->label_LowFreqDisp,    ui->label_HighMidGainDisp, ui->label_HighMidFreqDisp,
        ui->label_LowMidGainDisp, ui->label_LowMidFreqDisp,  ui->label_HighMidQDisp,
        ui->label_LowMidQDisp,    ui->label_ReleaseDisp,     ui->label_RatioDisp,
        ui->label_ThresholdDisp,  ui->label_GainDisp,        ui->label_AttackDisp};
    for (QLabel *d : displays)
        d->setVisible(on);
    const QString text = on ? QString() : QStringLiteral("Bypass");
    ui->label_Equalizer->setText(text);
    ui->label_Compressor->setText(text);
}

// ---- low cut and graph redraws ----------------------------------------------------------------

void MainWindow::on_pB_LowCutFilter_clicked() {
    if (ChannelControl::selectedCh == kNoSelection)
        return;
    const bool on = ui->pB_LowCutFilter->isChecked();
    eqDial.setLowCutFilterStatus(on);
    setTypeAndChannel();
    channelControl.clicked_lcf(on);
    eqDial.dialKnob = ui->label_LowGainKnob;
    eqDial.dialDisplay = ui->label_LowGainDisp;
    eqDial.setLowCutFilterGain();
    eqDial.dialKnob = ui->label_LowFreqKnob;
    eqDial.dialDisplay = ui->label_LowFreqDisp;
    eqDial.setLowCutFilterFreq();
    // The channels of a linked pair keep the pair's cut and low gain, as they keep its knobs:
    // the reload gives the unit what the channels hold.
    const QString selected = ChannelControl::selectedCh;
    const QString odd = ChannelControl::exChangeToMonoOdd(selected);
    if (odd != QLatin1String("NotStereo")) {
        copyEffectSettings(selected, odd);
        copyEffectSettings(selected, ChannelControl::exChangeToMonoEven(selected));
    }
    ui->label_Equalizer->repaint();
}

void MainWindow::setLowCutFilterEnable() {
    ui->pB_LowCutFilter->setCheckable(true);
}

void MainWindow::setLowCutFilterDisable() {
    ui->pB_LowCutFilter->setChecked(false);
    ui->pB_LowCutFilter->setCheckable(false);
}

void MainWindow::doEqualizerRepaint() {
    ui->label_Equalizer->repaint();
}

void MainWindow::doCompressorRepaint() {
    ui->label_Compressor->repaint();
}

// ---- reverb type --------------------------------------------------------------------------------

void MainWindow::chooseReverbType(int type) {
    const ReverbType &t = kReverbTypes[type];
    ui->label_RvbPicture->setPixmap(QPixmap(QLatin1String(t.picture)));
    // Only stored here: the type reaches the unit with the master reverb, when that is on.
    dm.notifyReverbMode(t.mode);
    loadReverbParameter(QLatin1String(t.name));
    ui->label_Reverb->repaint();
    if (ui->pB_masterReverb->isChecked())
        dm.notifyReverbStatus(true);
}

void MainWindow::on_pB_RevHall_clicked() {
    chooseReverbType(kReverbHall);
}
void MainWindow::on_pB_RevRoom_clicked() {
    chooseReverbType(kReverbRoom);
}
void MainWindow::on_pB_RevLive_clicked() {
    chooseReverbType(kReverbLive);
}
void MainWindow::on_pB_RevStudio_clicked() {
    chooseReverbType(kReverbStudio);
}
void MainWindow::on_pB_RevPlate_clicked() {
    chooseReverbType(kReverbPlate);
}

void MainWindow::loadReverbParameter(QString type) {
    reverbDial.dialKnob = ui->label_PreDelayKnob;
    reverbDial.dialDisplay = ui->label_PreDelayDisp;
    reverbDial.loadRvbPreDelay(type);
    reverbDial.dialKnob = ui->label_ReverbTimeKnob;
    reverbDial.dialDisplay = ui->label_ReverbTimeDisp;
    reverbDial.loadRvbTime(type);
    reverbDial.dialKnob = ui->label_ReverbDiffKnob;
    reverbDial.dialDisplay = ui->label_ReverbDiffDisp;
    reverbDial.loadRvbDiff(type);
}

// ---- master section -----------------------------------------------------------------------

void MainWindow::on_pB_masterMute_clicked() {
    channelControl.trackType = kTrackMaster;
    channelControl.stereoCh = kTrackMasterName;
    channelControl.clicked_mute(ui->pB_masterMute->isChecked());
}

void MainWindow::on_pB_masterReverb_clicked() {
    const bool on = ui->pB_masterReverb->isChecked();
    DrawReverb::cDrawColor = on;
    ui->label_Reverb->repaint();
    dm.notifyReverbStatus(on);
}

void MainWindow::masterKnobPressed(int knob, QMouseEvent *event) {
    const MasterKnob &k = kMasterKnobs[knob];
    (ui->*k.display)->show();
    sendDial.pressSendKnob(event, kTrackMasterName, QLatin1String(k.send));
}

void MainWindow::masterKnobMoved(int knob, QMouseEvent *event) {
    const MasterKnob &k = kMasterKnobs[knob];
    sendDial.sendKnob = ui->*k.knob;
    sendDial.sendDisplay = ui->*k.display;
    sendDial.rotateSendKnob(event, kTrackMasterName, QLatin1String(k.send));
}

void MainWindow::masterKnobReleased(int knob) {
    (ui->*kMasterKnobs[knob].display)->hide();
}

// ---- effect knobs -------------------------------------------------------------------------------

namespace {

bool gateRefuses(Gate gate, const QPushButton *lowCut) {
    if (gate == Gate::None)
        return false;
    if (gate == Gate::LowCutThenSelection && lowCut->isChecked())
        return true;
    return ChannelControl::selectedCh == kNoSelection;
}

} // namespace

void MainWindow::effectKnobPressed(int knob, QMouseEvent *event) {
    const EffectKnob &k = kEffectKnobs[knob];
    if (gateRefuses(k.gate, ui->pB_LowCutFilter))
        return;
    switch (k.dial) {
    case Dial::Eq:
        (eqDial.*k.press)(event);
        break;
    case Dial::Comp:
        (compDial.*k.press)(event);
        break;
    case Dial::Reverb:
        (reverbDial.*k.typedPress)(event, checkReverbMode());
        break;
    }
}

void MainWindow::effectKnobMoved(int knob, QMouseEvent *event) {
    const EffectKnob &k = kEffectKnobs[knob];
    if (gateRefuses(k.gate, ui->pB_LowCutFilter))
        return;
    DialControl &dial = k.dial == Dial::Eq ? eqDial : k.dial == Dial::Comp ? compDial : reverbDial;
    dial.dialKnob = ui->*k.knob;
    dial.dialDisplay = ui->*k.display;
    if (k.dial == Dial::Reverb)
        (dial.*k.typedRotate)(event, checkReverbMode());
    else
        (dial.*k.rotate)(event);
    switch (k.graph) {
    case Graph::Equalizer:
        ui->label_Equalizer->repaint();
        break;
    case Graph::Compressor:
        ui->label_Compressor->repaint();
        break;
    case Graph::Reverb:
        ui->label_Reverb->repaint();
        break;
    case Graph::None:
        break;
    }
}

void MainWindow::effectKnobDoubleClicked(int knob) {
    const EffectKnob &k = kEffectKnobs[knob];
    if (!k.doubleClick || gateRefuses(k.gate, ui->pB_LowCutFilter))
        return;
    eqDial.dialKnob = ui->*k.knob;
    eqDial.dialDisplay = ui->*k.display;
    (eqDial.*k.doubleClick)();
    ui->label_Equalizer->repaint();
}

// ---- send pre/post ------------------------------------------------------------------------------

MainWindow::PrePostParameter MainWindow::monoPrePost(int i, int k) const {
    const MonoStrip &m = mono[size_t(i)];
    PrePostParameter p;
    p.preButton = m.pre[size_t(k - 1)];
    p.postButton = m.post[size_t(k - 1)];
    p.trackA = m.track;
    p.send = QStringLiteral("Send%1").arg(k);
    if (i % 2 == 0) {
        const PairStrip &pair = pairs[size_t(i / 2)];
        p.pairPre = pair.pre[size_t(k - 1)];
        p.pairPost = pair.post[size_t(k - 1)];
        p.mode = 1;
    } else {
        p.mode = 0;
    }
    return p;
}

MainWindow::PrePostParameter MainWindow::pairPrePost(int pair, int k) const {
    const PairStrip &s = pairs[size_t(pair)];
    const MonoStrip &odd = mono[size_t(s.odd)], &even = mono[size_t(s.odd + 1)];
    PrePostParameter p;
    p.preButton = odd.pre[size_t(k - 1)];
    p.postButton = odd.post[size_t(k - 1)];
    p.partnerPre = even.pre[size_t(k - 1)];
    p.partnerPost = even.post[size_t(k - 1)];
    p.pairPre = s.pre[size_t(k - 1)];
    p.pairPost = s.post[size_t(k - 1)];
    p.trackA = odd.track;
    p.trackB = even.track;
    p.send = QStringLiteral("Send%1").arg(k);
    p.mode = 2;
    return p;
}

void MainWindow::ClickSendPre(PrePostParameter p) {
    clickSendPoint(p, true);
}

void MainWindow::ClickSendPost(PrePostParameter p) {
    clickSendPoint(p, false);
}

// Pre and Post are the same routine with the two kinds of button exchanged: "mine" is the
// kind that was clicked, "other" the kind it excludes.
void MainWindow::clickSendPoint(const PrePostParameter &p, bool pre) {
    auto mine = [pre](QPushButton *preB, QPushButton *postB) { return pre ? preB : postB; };
    auto other = [pre](QPushButton *preB, QPushButton *postB) { return pre ? postB : preB; };
    auto setPoint = [pre](const QString &track, const QString &send) {
        if (pre)
            ChannelControl::setSendPositionPre(track, send);
        else
            ChannelControl::setSendPositionPost(track, send);
    };
    switch (p.mode) {
    case 0:
        if (mine(p.preButton, p.postButton)->isChecked()) {
            other(p.preButton, p.postButton)->setChecked(false);
            setPoint(p.trackA, p.send);
        } else {
            ChannelControl::setSendPositionOff(p.trackA, p.send);
        }
        break;
    case 1:
        if (mine(p.preButton, p.postButton)->isChecked()) {
            other(p.preButton, p.postButton)->setChecked(false);
            mine(p.pairPre, p.pairPost)->setChecked(true);
            other(p.pairPre, p.pairPost)->setChecked(false);
            setPoint(p.trackA, p.send);
        } else {
            mine(p.pairPre, p.pairPost)->setChecked(false);
            ChannelControl::setSendPositionOff(p.trackA, p.send);
        }
        break;
    case 2:
        if (mine(p.pairPre, p.pairPost)->isChecked()) {
            other(p.pairPre, p.pairPost)->setChecked(false);
            mine(p.preButton, p.postButton)->setChecked(true);
            other(p.preButton, p.postButton)->setChecked(false);
            mine(p.partnerPre, p.partnerPost)->setChecked(true);
            other(p.partnerPre, p.partnerPost)->setChecked(false);
            setPoint(p.trackA, p.send);
            setPoint(p.trackB, p.send);
        } else {
            mine(p.preButton, p.postButton)->setChecked(false);
            mine(p.partnerPre, p.partnerPost)->setChecked(false);
            ChannelControl::setSendPositionOff(p.trackA, p.send);
            ChannelControl::setSendPositionOff(p.trackB, p.send);
        }
        break;
    default:
        break;
    }
}

// ---- scene memories and the busy window ------------------------------------------------------

QString MainWindow::settingFilePath(int i) {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, organizationName, settingFile[i])
        .fileName();
}

void MainWindow::saveSceneMemory(unsigned char n) {
    if (n < 1 || n > 10)
        return;
    // The copy is written beside the scene and put in its place only when complete, so a
    // failed save keeps the old scene.
    if (!dm.copyCurrentStateTo(settingFilePath(n)))
        QMessageBox::warning(this, QString(),
                             tr("The scene memory could not be saved. The scene memory "
                                "stored before is kept."));
}

void MainWindow::loadSceneMemory(unsigned char n) {
    if (n < 1 || n > 10)
        return;
    const QString scene = settingFilePath(n);
    if (!QFileInfo::exists(scene)) {
        QMessageBox::information(this, QString(), tr("This scene memory does not exist."));
        return;
    }
    // Nothing of the current state is given up unless the scene has been read whole.
    if (!dm.replaceCurrentStateWith(scene)) {
        QMessageBox::warning(this, QString(),
                             tr("The scene memory could not be loaded. The current settings "
                                "are kept."));
        return;
    }
    initWindowView();
    dropHiddenSelection();
    loadEqCompParam(QString(ChannelControl::selectedCh));
    ui->label_Compressor->repaint();
    ui->label_Equalizer->repaint();
    showInitializeStatus(QStringLiteral("Now Loading..."));
}

void MainWindow::dropHiddenSelection() {
    const QString selected = ChannelControl::selectedCh;
    for (const PairStrip &p : pairs) {
        const bool linked = p.stack->currentIndex() == 1;
        const bool monoSelected =
            selected == mono[size_t(p.odd)].track || selected == mono[size_t(p.odd + 1)].track;
        if ((linked && monoSelected) || (!linked && selected == p.track)) {
            getSelectedCh();
            channelControl.initSelectedChannel();
            return;
        }
    }
}

QString MainWindow::sceneMenuTitle(const QString &name) {
    QString title = name;
    return title.replace(QLatin1Char('&'), QLatin1String("&&"));
}

void MainWindow::setSceneMemoryTitle(QString key) {
    QMenu *const menus[] = {ui->menuSceneMemory1, ui->menuSceneMemory2, ui->menuSceneMemory3,
                            ui->menuSceneMemory4, ui->menuSceneMemory5, ui->menuSceneMemory6,
                            ui->menuSceneMemory7, ui->menuSceneMemory8, ui->menuSceneMemory9,
                            ui->menuSceneMemory10};
    QMenu *menu = menus[9];
    for (int i = 0; i < 9; ++i) {
        if (key == QStringLiteral("SceneMemory%1").arg(i + 1))
            menu = menus[i];
    }
    SceneMemoryDialog dialog;
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.getSceneMemoryText();
    menu->setTitle(sceneMenuTitle(name));
    dm.notifySceneMemoryName(key, name);
}

void MainWindow::showInitializeStatus(QString title) {
    // Built once and kept, hidden, between countdowns; it belongs to the main window.
    if (!progressWindow) {
        progressWindow = new QWidget(this, Qt::Window | Qt::WindowTitleHint |
                                               Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint);
        auto *label = new QLabel(progressWindow);
        label->setStyleSheet(
            QStringLiteral("color: black; background-image: url(:/Resource/trans.png);"));
        label->setText(QStringLiteral("Changing various settings..."));
        QFont font = label->font();
        font.setPointSize(11);
        label->setFont(font);
        label->setGeometry(10, 10, 230, 20);
        progressBar = new QProgressBar(progressWindow);
        progressBar->setRange(0, 10);
        progressBar->setGeometry(10, 40, 230, 20);
        progressWindow->setFixedSize(250, 100);
        progressWindow->setStyleSheet(QStringLiteral(
            "color: black; background-image: url(:/Resource/update/Download_250x100.png)"));
        new CloseWithOwner(this, progressWindow);
        connect(this, &MainWindow::sig_initProgressBarCountChange, this,
                &MainWindow::slt_initProgressBarCountChange);
        connect(this, &MainWindow::sig_initProgressBarCountFinish, this,
                &MainWindow::slt_initProgressBarCountFinish);
    }
    progressBar->reset();
    progressWindow->setWindowTitle(title);
    progressWindow->show();
    progressBar->show();
    progressCountdown = 10;
    ui->menuBar->setEnabled(false);
}

void MainWindow::slt_initProgressBarCountChange(unsigned char count) {
    if (progressBar)
        progressBar->setValue(10 - count);
}

void MainWindow::slt_initProgressBarCountFinish() {
    if (progressBar)
        progressBar->hide();
    if (progressWindow)
        progressWindow->hide();
    ui->menuBar->setEnabled(true);
}

// ---- initialise, save into the unit, notice ------------------------------------------------

bool MainWindow::confirmInitialise(const QString &question) {
    QMessageBox box;
    box.setTextFormat(Qt::RichText);
    box.setText(question);
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void MainWindow::delSettingsFile() {
    if (!confirmInitialise(QStringLiteral("This operation initializes MIXER Panel & ROUTING "
                                          "Panel parameters.<br>Are you sure?")))
        return;
    // Pending changes reach the file first, so a failed deletion leaves a consistent state.
    if (!dm.removeCurrentState()) {
        QMessageBox::warning(this, QString(),
                             tr("The settings could not be initialized. The current settings "
                                "are kept."));
        return;
    }
    dm.setDoNotInfoMessage(false);
    getSelectedCh();
    channelControl.initSelectedChannel();
    initWindowView();
    loadEqCompParam(QString(ChannelControl::selectedCh));
    ui->label_Compressor->repaint();
    ui->label_Equalizer->repaint();
    showInitializeStatus(QStringLiteral("Now Initializing..."));
}

void MainWindow::on_actionInitialize_Memory_triggered() {
    if (!confirmInitialise(
            QStringLiteral("This operation initializes ALL Scene Memories.<br>Are you sure?")))
        return;
    QSettings names(QSettings::IniFormat, QSettings::UserScope, organizationName,
                    sceneMemorySettingsName);
    names.sync();
    bool gone = true;
    auto removeFile = [&gone](const QString &file) {
        if (QFileInfo::exists(file) && !QFile::remove(file))
            gone = false;
    };
    removeFile(names.fileName());
    // Every settings object on the name file shares one copy: make it read the empty file.
    names.sync();
    for (int n = 1; n <= 10; ++n)
        removeFile(settingFilePath(n));
    if (gone)
        QMessageBox::information(this, QString(), tr("Scene Memory file has been initialized."));
    else
        QMessageBox::warning(this, QString(),
                             tr("Some scene memories could not be deleted and are kept."));
    loadSceneName();
}

void MainWindow::on_actionInitialize_Reverb_triggered() {
    if (!confirmInitialise(
            QStringLiteral("This operation initializes Reverb Parameters.<br>Are you sure?")))
        return;
    for (const ReverbDefault &d : kReverbDefaults) {
        const QString name = QLatin1String(d.name);
        dm.notifyRvbPreDelayPosition(d.preDelay, name);
        dm.notifyRvbTimePosition(d.time, QLatin1String(d.timeText), name);
        dm.notifyRvbDiffPosition(d.diffusion, name);
    }
    ui->pB_RevHall->setChecked(true);
    on_pB_RevHall_clicked();
}

void MainWindow::on_actionSaveIntoTheUnit_triggered() {
    // Without a unit the request would wait in the device link and make the next unit
    // plugged in store its power-on state.
    if (!dm.queryExistDevice())
        return;
    const auto answer = QMessageBox::question(
        this, QString(),
        tr("Save mixer settings?<p>Current Mixer Configuration and levels will be saved into "
           "the unit."),
        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer == QMessageBox::Ok && dm.queryExistDevice())
        dm.notifySaveIntoTheUnit();
}

void MainWindow::on_actionLicense_triggered() {
    QFile file(QStringLiteral(":/Resource/LICENSE.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(this, tr("File Missing!"),
                             tr("There is a possibility that the file has been moved or "
                                "deleted."));
        return;
    }
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    QString text = stream.readAll();
    text.remove(QChar(0x0c));
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("License Information"));
    dialog.setFixedWidth(650);
    dialog.setFixedHeight(400);
    auto *layout = new QVBoxLayout(&dialog);
    auto *browser = new QTextBrowser(&dialog);
    layout->addWidget(browser);
    // Plain text: the notice is no markup, whatever a line of it looks like.
    browser->setPlainText(text);
    dialog.exec();
}

// ---- one-line slots -------------------------------------------------------------------------

#define OLVANE_MASTER_KNOB_DEFS(PREFIX, K)                                                         \
    void MainWindow::PREFIX##_Pressed(QMouseEvent *event) {                                        \
        masterKnobPressed(K, event);                                                               \
    }                                                                                              \
    void MainWindow::PREFIX##_Moved(QMouseEvent *event) {                                          \
        masterKnobMoved(K, event);                                                                 \
    }                                                                                              \
    void MainWindow::PREFIX##_Released() {                                                         \
        masterKnobReleased(K);                                                                     \
    }
OLVANE_MASTER_KNOBS(OLVANE_MASTER_KNOB_DEFS)
#undef OLVANE_MASTER_KNOB_DEFS

#define OLVANE_EFFECT_KNOB_DEFS(PREFIX, K)                                                         \
    void MainWindow::PREFIX##_Pressed(QMouseEvent *event) {                                        \
        effectKnobPressed(K, event);                                                               \
    }                                                                                              \
    void MainWindow::PREFIX##_Moved(QMouseEvent *event) {                                          \
        effectKnobMoved(K, event);                                                                 \
    }
#define OLVANE_GAIN_KNOB_DEFS(PREFIX, K)                                                           \
    void MainWindow::PREFIX##_DoubleClicked() {                                                    \
        effectKnobDoubleClicked(K);                                                                \
    }
OLVANE_EFFECT_KNOBS(OLVANE_EFFECT_KNOB_DEFS)
OLVANE_GAIN_KNOBS(OLVANE_GAIN_KNOB_DEFS)
#undef OLVANE_GAIN_KNOB_DEFS
#undef OLVANE_EFFECT_KNOB_DEFS

#define OLVANE_SCENE_DEFS(N)                                                                       \
    void MainWindow::saveSceneMemory##N() {                                                        \
        saveSceneMemory(N);                                                                        \
    }                                                                                              \
    void MainWindow::loadSceneMemory##N() {                                                        \
        loadSceneMemory(N);                                                                        \
    }                                                                                              \
    void MainWindow::renameSceneMemory##N() {                                                      \
        setSceneMemoryTitle(QStringLiteral("SceneMemory" #N));                                     \
    }
OLVANE_SCENES(OLVANE_SCENE_DEFS)
#undef OLVANE_SCENE_DEFS

#define OLVANE_PREPOST_MONO_DEF(K, TAG, N)                                                         \
    void MainWindow::on_pB_Pre##K##_##TAG##_clicked() {                                            \
        ClickSendPre(monoPrePost(N - 1, K));                                                       \
    }                                                                                              \
    void MainWindow::on_pB_Post##K##_##TAG##_clicked() {                                           \
        ClickSendPost(monoPrePost(N - 1, K));                                                      \
    }
#define OLVANE_PREPOST_MONO_DEFS(T, N, SEL)                                                        \
    OLVANE_PREPOST_MONO_DEF(1, T, N)                                                               \
    OLVANE_PREPOST_MONO_DEF(2, T, N)                                                               \
    OLVANE_PREPOST_MONO_DEF(3, T, N)                                                               \
    OLVANE_PREPOST_MONO_DEF(4, T, N)
#define OLVANE_PREPOST_PAIR_DEF(K, ODD, LAST, P)                                                   \
    void MainWindow::on_pB_Pre##K##_##ODD##_##LAST##_clicked() {                                   \
        ClickSendPre(pairPrePost(P, K));                                                           \
    }                                                                                              \
    void MainWindow::on_pB_Post##K##_##ODD##_##LAST##_clicked() {                                  \
        ClickSendPost(pairPrePost(P, K));                                                          \
    }
#define OLVANE_PREPOST_PAIR_DEFS(ODD, EVEN, LAST, P, O, E, SEL)                                    \
    OLVANE_PREPOST_PAIR_DEF(1, ODD, LAST, P)                                                       \
    OLVANE_PREPOST_PAIR_DEF(2, ODD, LAST, P)                                                       \
    OLVANE_PREPOST_PAIR_DEF(3, ODD, LAST, P)                                                       \
    OLVANE_PREPOST_PAIR_DEF(4, ODD, LAST, P)
OLVANE_MONO_STRIPS(OLVANE_PREPOST_MONO_DEFS)
OLVANE_PAIRS(OLVANE_PREPOST_PAIR_DEFS)
#undef OLVANE_PREPOST_PAIR_DEFS
#undef OLVANE_PREPOST_PAIR_DEF
#undef OLVANE_PREPOST_MONO_DEFS
#undef OLVANE_PREPOST_MONO_DEF
