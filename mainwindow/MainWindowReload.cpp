// The whole-view reload and its restorers, typed fader values and the fader scale, line-out
// selection, channel names, scene-menu names, the EQ/compressor selectors and true bypass.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include "DrawReverb.h"
#include "LineOut.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>

#include <vector>

const double MainWindow::faderScale[101] = {
    6.0,   5.7,   5.4,   5.1,   4.8,   4.5,   4.2,   3.9,   3.6,   3.3,   3.0,   2.7,   2.4,
    2.1,   1.8,   1.5,   1.2,   0.9,   0.6,   0.3,   0.0,   -0.3,  -0.6,  -0.9,  -1.3,  -1.6,
    -1.9,  -2.2,  -2.5,  -2.8,  -3.1,  -3.4,  -3.8,  -4.1,  -4.4,  -4.7,  -5.0,  -5.5,  -5.9,
    -6.4,  -6.8,  -7.3,  -7.7,  -8.2,  -8.6,  -9.1,  -9.5,  -10.0, -10.7, -11.4, -12.1, -12.9,
    -13.6, -14.3, -15.0, -15.7, -16.4, -17.1, -17.9, -18.6, -19.3, -20.0, -20.8, -21.5, -22.3,
    -23.1, -23.8, -24.6, -25.4, -26.2, -26.9, -27.7, -28.5, -29.2, -30.0, -30.8, -31.5, -32.3,
    -33.1, -33.8, -34.6, -35.4, -36.2, -36.9, -37.7, -38.5, -39.2, -40.0, -41.7, -43.3, -45.0,
    -46.7, -48.3, -50.0, -52.5, -55.0, -57.5, -60.0, -78.0, -96.0, -99.9};

unsigned char MainWindow::faderTypedGuard = 0;

int MainWindow::faderPositionFor(double dB) {
    for (int i = 0; i < 101; ++i)
        if (dB >= faderScale[i])
            return 100 - i;
    return 0;
}

namespace {

const QString kSendNames[4] = {QStringLiteral("Send1"), QStringLiteral("Send2"),
                               QStringLiteral("Send3"), QStringLiteral("Send4")};

const QString kChannelSliderSheet = QStringLiteral(
    "QSlider::groove {background-image: url(:/Resource/trans.png);}QSlider::handle {position: "
    "absolute; left: 3px; image: url(:/Resource/track/Feder.png); margin: 0 -15px; "
    "margin-bottom: -5px; margin-top: 0px;}");
const QString kMasterSliderSheet = QStringLiteral(
    "QSlider::groove {background-image: url(:/Resource/trans.png);}QSlider::handle {position: "
    "absolute; left: 3px; image: url(:/Resource/track/Feder_master.png); margin: 0 -15px; "
    "margin-bottom: -5px; margin-top: 0px;}");

// A style sheet is parsed and every child re-polished when it is set, also to the same text;
// the reload runs after every plug-in, so it sets only what differs.
void setSheet(QWidget *widget, const QString &sheet) {
    if (widget->styleSheet() != sheet)
        widget->setStyleSheet(sheet);
}

// The line outputs of the two routing pages: key, default source, and whether the index is
// one of the smaller model's list.
struct LineOutRow {
    const char *key;
    unsigned char defaultIndex;
    bool pelvo;
};
const LineOutRow kLineOuts[10] = {{"LineOut1_Pelvo", 10, true}, {"LineOut2_Pelvo", 11, true},
                                  {"LineOut1", 20, false},      {"LineOut2", 21, false},
                                  {"LineOut3", 22, false},      {"LineOut4", 23, false},
                                  {"LineOut5", 24, false},      {"LineOut6", 25, false},
                                  {"LineOut7", 26, false},      {"LineOut8", 27, false}};
// Length of each model's source list.
constexpr int kPelvoSources = 20;
constexpr int kTarvikSources = 36;

bool validLineOutIndex(const LineOutRow &row, int index) {
    return index >= 0 && index < (row.pelvo ? kPelvoSources : kTarvikSources);
}

} // namespace

// ---- Typed fader values -------------------------------------------------------------------

void MainWindow::faderTyped(int fader) {
    const FaderRow &row = faders[fader];
    // The guard only keeps the slider's echo of this very move from overwriting the typed
    // value; it is cleared as soon as the move returns, so that a move that changed nothing
    // cannot leave it set for the next key or wheel step of some other fader.
    faderTypedGuard = 1;
    row.slider->setSliderPosition(faderPositionFor(row.box->value()));
    faderTypedGuard = 0;
    row.box->clearFocus();
    dm.notifyTrackFader(row.track, row.box->value());
}

void MainWindow::setDSB_faderPosition(unsigned char index) {
    if (index < kFaderCount)
        faderTyped(index);
}

// ---- True bypass --------------------------------------------------------------------------

void MainWindow::setEffectValuesVisible(bool visible) {
    for (QLabel *label :
         {ui->label_HighGainDisp, ui->label_HighFreqDisp, ui->label_LowGainDisp,
          ui->label_LowFreqDisp, ui->label_HighMidGainDisp, ui->label_HighMidFreqDisp,
          ui->label_LowMidGainDisp, ui->label_LowMidFreqDisp, ui->label_HighMidQDisp,
          ui->label_LowMidQDisp, ui->label_ReleaseDisp, ui->label_RatioDisp,
          ui->label_ThresholdDisp, ui->label_GainDisp, ui->label_AttackDisp})
        label->setVisible(visible);
}

// Bypass greys a strip's own buttons; when the strip was the one being edited, the effect panel
// loses its target and says so.
void MainWindow::applyBypass(const std::array<QPushButton *, 4> &own, QPushButton *select, bool on,
                             void (MainWindow::*runSelect)(int), int strip) {
    for (QPushButton *b : own)
        if (b)
            b->setEnabled(!on);
    if (on) {
        if (select->isChecked()) {
            setEffectValuesVisible(false);
            select->setChecked(false);
            (this->*runSelect)(strip);
            ui->label_Equalizer->setText(QStringLiteral("Bypass"));
            ui->label_Compressor->setText(QStringLiteral("Bypass"));
        }
        select->setEnabled(false);
    } else {
        setEffectValuesVisible(true);
        select->setEnabled(true);
        ui->label_Equalizer->setText(QString());
        ui->label_Compressor->setText(QString());
    }
}

void MainWindow::clickedBypass(unsigned char channel, bool on) {
    if (channel < 1 || channel > kMonoStripCount)
        return;
    const int s = channel - 1;
    const MonoStrip &m = mono[s];
    applyBypass({m.phase, m.eq, m.comp, nullptr}, m.select, on, &MainWindow::selectMono, s);
    dm.notifyTrueBypass(channel, on);
}

void MainWindow::clickedBypassInStereo(unsigned char channel, bool on) {
    if (channel < 1 || channel >= kMonoStripCount || channel % 2 == 0)
        return;
    const int p = (channel - 1) / 2;
    const PairStrip &ps = pairs[p];
    applyBypass({ps.phaseL, ps.phaseR, ps.eq, ps.comp}, ps.select, on, &MainWindow::selectPair, p);
    dm.notifyTrueBypass(channel, on);
    dm.notifyTrueBypass(channel + 1, on);
}

// ---- EQ and compressor target selectors ---------------------------------------------------

void MainWindow::monoEqCompClicked(int strip, bool eq) {
    const MonoStrip &m = mono[strip];
    channelControl.trackType = strip % 2 ? kTrackEven : kTrackOdd;
    channelControl.trackCh = m.track;
    if (eq)
        channelControl.clicked_eq(m.eq->isChecked());
    else
        channelControl.clicked_comp(m.comp->isChecked());
}

void MainWindow::pairEqCompClicked(int pair, bool eq) {
    const PairStrip &ps = pairs[pair];
    channelControl.trackType = kTrackStereo;
    channelControl.stereoCh = ps.track;
    if (eq)
        channelControl.clicked_eq(ps.eq->isChecked());
    else
        channelControl.clicked_comp(ps.comp->isChecked());
}

// ---- Loaders ------------------------------------------------------------------------------

namespace {

// A knob position of a record: its field and the store's getter, read in this order.
template <class Record> struct KnobField {
    unsigned char Record::*field;
    unsigned short (DataManager::*get)(QString);
};
const KnobField<EqParameter> kEqKnobs[] = {
    {&EqParameter::lowGain, &DataManager::getEqLowGainPosition},
    {&EqParameter::lowFreq, &DataManager::getEqLowFreqPosition},
    {&EqParameter::lowMidGain, &DataManager::getEqLowMidGainPosition},
    {&EqParameter::lowMidFreq, &DataManager::getEqLowMidFreqPosition},
    {&EqParameter::lowMidQ, &DataManager::getEqLowMidQPosition},
    {&EqParameter::highMidGain, &DataManager::getEqHighMidGainPosition},
    {&EqParameter::highMidFreq, &DataManager::getEqHighMidFreqPosition},
    {&EqParameter::highMidQ, &DataManager::getEqHighMidQPosition},
    {&EqParameter::highGain, &DataManager::getEqHighGainPosition},
    {&EqParameter::highFreq, &DataManager::getEqHighFreqPosition}};
const KnobField<CompParameter> kCompKnobs[] = {
    {&CompParameter::threshold, &DataManager::getCompThresholdPosition},
    {&CompParameter::ratio, &DataManager::getCompRatioPosition},
    {&CompParameter::gain, &DataManager::getCompGainPosition},
    {&CompParameter::attack, &DataManager::getCompAttackPosition},
    {&CompParameter::release, &DataManager::getCompReleasePosition}};

// Positions are stored as 16-bit values; the record keeps their low byte.
template <class Record, size_t N>
void readKnobs(Record &r, const KnobField<Record> (&knobs)[N], const QString &track) {
    for (const KnobField<Record> &k : knobs)
        r.*k.field = static_cast<unsigned char>((dm.*k.get)(track));
}

} // namespace

void MainWindow::loadEqParameter() {
    for (int i = 0; i < kMonoStripCount; ++i) {
        const QString &t = mono[i].track;
        EqParameter r{};
        r.eqOn = dm.getTrackEq(t);
        r.linked = dm.getTrackLink(t);
        r.lowCutOn = dm.getEqLowCutFilter(t);
        r.channel = static_cast<unsigned char>(i + 1);
        readKnobs(r, kEqKnobs, t);
        ChannelControl::setEqParam(static_cast<unsigned char>(i), r);
    }
}

void MainWindow::loadCompParameter() {
    for (int i = 0; i < kMonoStripCount; ++i) {
        const QString &t = mono[i].track;
        CompParameter r{};
        r.compOn = dm.getTrackComp(t);
        r.linked = dm.getTrackLink(t);
        r.channel = static_cast<unsigned char>(i + 1);
        readKnobs(r, kCompKnobs, t);
        ChannelControl::setCompParam(static_cast<unsigned char>(i), r);
    }
}

void MainWindow::loadSendParameter() {
    for (int i = 0; i < kMonoStripCount; ++i) {
        const QString &t = mono[i].track;
        unsigned char point[4], level[4];
        for (int k = 0; k < 4; ++k) {
            point[k] = dm.getSendPoint(t, kSendNames[k]);
            level[k] = static_cast<unsigned char>(dm.getSendLevel(t, kSendNames[k]));
        }
        const SendParameter r{point[0], point[1], point[2], point[3],
                              level[0], level[1], level[2], level[3]};
        ChannelControl::setSendParam(static_cast<unsigned char>(i), r);
    }
}

void MainWindow::loadReverbMode() {
    struct Type {
        QPushButton *button;
        void (MainWindow::*handler)();
    };
    // Modes 1..4; anything else is PLATE.
    const Type types[5] = {{ui->pB_RevHall, &MainWindow::on_pB_RevHall_clicked},
                           {ui->pB_RevRoom, &MainWindow::on_pB_RevRoom_clicked},
                           {ui->pB_RevLive, &MainWindow::on_pB_RevLive_clicked},
                           {ui->pB_RevStudio, &MainWindow::on_pB_RevStudio_clicked},
                           {ui->pB_RevPlate, &MainWindow::on_pB_RevPlate_clicked}};
    const unsigned char mode = dm.getReverbMode();
    const Type &t = types[mode >= 1 && mode <= 4 ? mode - 1 : 4];
    t.button->setChecked(true);
    (this->*t.handler)();
}

// ---- Restorers: link, phase, bypass, EQ and compressor buttons ----------------------------

void MainWindow::initTrackLink() {
    for (int p = 0; p < kPairStripCount; ++p) {
        const bool linked = dm.getTrackLink(pairs[p].track);
        pairs[p].stack->setCurrentIndex(linked ? 1 : 0);
        ChannelControl::setLinkedCh(static_cast<kLinkChParam>(p), linked);
    }
}

void MainWindow::initTrackPhase() {
    for (const MonoStrip &m : mono) {
        m.phase->setChecked(dm.getTrackPhase(m.track));
        dm.notifyTrackPhase(m.track, dm.getTrackPhase(m.track));
    }
    for (const PairStrip &ps : pairs) {
        ps.phaseL->setChecked(dm.getTrackPhase(mono[ps.odd].track));
        ps.phaseR->setChecked(dm.getTrackPhase(mono[ps.odd + 1].track));
    }
}

void MainWindow::initTrackBypass() {
    for (int n = 1; n <= kMonoStripCount; ++n) {
        const bool on = dm.getTrueBypass(static_cast<unsigned char>(n));
        mono[n - 1].bypass->setChecked(on);
        clickedBypass(static_cast<unsigned char>(n), on);
    }
    // A linked pair follows its odd channel.
    for (const PairStrip &ps : pairs) {
        if (ps.stack->currentIndex() != 1)
            continue;
        const bool on = mono[ps.odd].bypass->isChecked();
        ps.bypass->setChecked(on);
        clickedBypassInStereo(static_cast<unsigned char>(ps.odd + 1), on);
    }
}

void MainWindow::restoreEqCompButtons(bool eq) {
    const auto stored = [eq](const QString &track) {
        return eq ? dm.getTrackEq(track) : dm.getTrackComp(track);
    };
    for (const MonoStrip &m : mono)
        (eq ? m.eq : m.comp)->setChecked(stored(m.track));
    // An unlinked pair's stereo button keeps its state.
    for (const PairStrip &ps : pairs)
        if (dm.getTrackLink(ps.track))
            (eq ? ps.eq : ps.comp)->setChecked(stored(ps.track));
}

void MainWindow::initTrackEq() {
    restoreEqCompButtons(true);
}
void MainWindow::initTrackComp() {
    restoreEqCompButtons(false);
}

// ---- Restorers: sends, solo and mute ------------------------------------------------------

namespace {

// The send widgets of one of the 30 strips and the track whose sends it shows (a stereo strip
// shows its odd channel's).
struct SendRow {
    const QString *track;
    const std::array<QPushButton *, 4> *pre, *post;
    const std::array<DialControlSend *, 4> *knob;
    const std::array<QLabel *, 4> *display;
    bool mono;
};

template <class Strip> SendRow sendRow(const Strip &s, const QString &track, bool mono) {
    return {&track, &s.pre, &s.post, &s.sendKnob, &s.sendDisplay, mono};
}

} // namespace

void MainWindow::initSend() {
    std::vector<SendRow> rows;
    rows.reserve(kMonoStripCount + kPairStripCount);
    for (const MonoStrip &m : mono)
        rows.push_back(sendRow(m, m.track, true));
    for (const PairStrip &ps : pairs)
        rows.push_back(sendRow(ps, mono[ps.odd].track, false));

    for (const SendRow &r : rows)
        for (QLabel *d : *r.display)
            d->hide();
    for (const SendRow &r : rows) {
        for (int k = 0; k < 4; ++k) {
            const unsigned char point = dm.getSendPoint(*r.track, kSendNames[k]);
            QPushButton *pre = (*r.pre)[k], *post = (*r.post)[k];
            if (point == 3) {
                post->setChecked(true);
                pre->setChecked(false);
            } else if (point == 2) {
                pre->setChecked(true);
                post->setChecked(false);
            } else {
                pre->setChecked(false);
                post->setChecked(false);
            }
        }
    }
    for (const SendRow &r : rows) {
        for (int k = 0; k < 4; ++k) {
            sendDial.sendKnob = (*r.knob)[k];
            sendDial.sendDisplay = (*r.display)[k];
            sendDial.loadSendKnob(*r.track, kSendNames[k]);
        }
        if (r.mono)
            sendDial.updateSendKnob(*r.track, *r.track);
    }
}

void MainWindow::initTrackSolo() {
    for (const MonoStrip &m : mono)
        m.solo->setChecked(dm.getTrackSolo(m.track));
    for (const PairStrip &ps : pairs)
        ps.solo->setChecked(dm.getTrackSolo(mono[ps.odd].track));
}

void MainWindow::initTrackMute() {
    for (const MonoStrip &m : mono) {
        const bool muted = dm.getTrackMute(m.track);
        m.mute->setChecked(muted);
        dm.notifyTrackMute(m.track, muted);
    }
    for (const PairStrip &ps : pairs)
        ps.mute->setChecked(dm.getTrackMute(mono[ps.odd].track));
    const QString master = faders[kMasterFader].track;
    const bool muted = dm.getTrackMute(master);
    ui->pB_masterMute->setChecked(muted);
    dm.notifyTrackMute(master, muted);
}

// ---- Restorers: faders, pan and master ----------------------------------------------------

void MainWindow::initFader() {
    const auto restore = [this](int f) {
        faders[f].box->setValue(dm.getTrackFaderViewValue(faders[f].track));
        setDSB_faderPosition(static_cast<unsigned char>(f));
    };
    for (int p = 0; p < kPairStripCount; ++p) {
        if (dm.getTrackLink(pairs[p].track)) {
            restore(kMonoStripCount + p);
        } else {
            restore(pairs[p].odd);
            restore(pairs[p].odd + 1);
        }
    }
    restore(kMasterFader);
    for (int f = 0; f < kMasterFader; ++f)
        setSheet(faders[f].slider, kChannelSliderSheet);
    setSheet(faders[kMasterFader].slider, kMasterSliderSheet);
}

void MainWindow::initPan() {
    const QPixmap centred(QStringLiteral(":Resource/track/PAN.png"));
    const QPixmap offCentre(QStringLiteral(":Resource/track/PAN_c.png"));
    // Mono indicators first (sent), then the stereo L and R ones (shown only).
    const auto restore = [&](int channel, PanControl *knob, QLabel *display, bool send) {
        const QString &track = mono[channel].track;
        const kTrackType side = channel % 2 ? kTrackEven : kTrackOdd;
        int x = dm.getTrackPanPosition(track, side);
        // Always a pan label ("C" for anything else), and the pan the unit is sent.
        const QString text = dm.getTrackPanValue(track);
        // The indicator of a left track moves over 0..40, of a right one over 59..99; a stored
        // position off its track (a damaged file) is taken from the text, so that indicator,
        // text, store and unit tell one pan.
        if (side == kTrackOdd ? x > 40 : (x < 59 || x > 99))
            x = DataManager::exchangePanLabelToNum(text) + (side == kTrackOdd ? 0 : 59);
        knob->setGeometry(x, 336, 16, 12);
        display->setText(text);
        display->hide();
        knob->setPixmap(text == QLatin1String("C") ? centred : offCentre);
        if (send)
            dm.notifyTrackPan(track, x, text);
    };
    for (int i = 0; i < kMonoStripCount; ++i)
        restore(i, mono[i].pan, mono[i].panDisplay, true);
    for (const PairStrip &ps : pairs) {
        restore(ps.odd, ps.panL, ps.panDisplayL, false);
        restore(ps.odd + 1, ps.panR, ps.panDisplayR, false);
    }
}

void MainWindow::initMaster() {
    const QString &master = faders[kMasterFader].track;
    const struct {
        DialControlSend *knob;
        QLabel *display;
        QString name;
    } items[5] = {
        {ui->label_Send1KnobMaster, ui->label_Send1DisplayMaster, kSendNames[0]},
        {ui->label_Send2KnobMaster, ui->label_Send2DisplayMaster, kSendNames[1]},
        {ui->label_Send3KnobMaster, ui->label_Send3DisplayMaster, kSendNames[2]},
        {ui->label_Send4KnobMaster, ui->label_Send4DisplayMaster, kSendNames[3]},
        {ui->label_SendKnobReturn, ui->label_SendDisplayReturn, QStringLiteral("Return")}};
    for (const auto &item : items) {
        item.display->hide();
        sendDial.sendKnob = item.knob;
        sendDial.sendDisplay = item.display;
        sendDial.loadSendKnob(master, item.name);
    }
    sendDial.updateSendKnob(master, master);
    dm.notifySendLevel(master, QStringLiteral("Return"), dm.getReturnLevel(), dm.getReturnValue());
    const bool reverbOn = dm.getReverbStatus();
    ui->pB_masterReverb->setChecked(reverbOn);
    dm.notifyReverbStatus(reverbOn);
    DrawReverb::cDrawColor = reverbOn;
    ui->label_Reverb->update();
}

// ---- Line outs ----------------------------------------------------------------------------

QComboBox *MainWindow::lineOutCombo(int row) const {
    QComboBox *const combos[10] = {ui->cB_LineOut1_Pelvo,  ui->cB_LineOut2_Pelvo,
                                   ui->cB_LineOut1_Tarvik, ui->cB_LineOut2_Tarvik,
                                   ui->cB_LineOut3_Tarvik, ui->cB_LineOut4_Tarvik,
                                   ui->cB_LineOut5_Tarvik, ui->cB_LineOut6_Tarvik,
                                   ui->cB_LineOut7_Tarvik, ui->cB_LineOut8_Tarvik};
    return combos[row];
}

void MainWindow::lineOutChosen(int row, int index) {
    const LineOutRow &r = kLineOuts[row];
    // A combo without a current item (-1) has no source to give; storing it would turn into
    // an index past the list and mute the output at the next start.
    if (!validLineOutIndex(r, index))
        return;
    QLabel *const arrows[10] = {ui->label_LineOut1_Arrow_Pelvo, ui->label_LineOut2_Arrow_Pelvo,
                                ui->label_LineOut1_Arrow,       ui->label_LineOut2_Arrow,
                                ui->label_LineOut3_Arrow,       ui->label_LineOut4_Arrow,
                                ui->label_LineOut5_Arrow,       ui->label_LineOut6_Arrow,
                                ui->label_LineOut7_Arrow,       ui->label_LineOut8_Arrow};
    LineOut arrow;
    if (r.pelvo)
        arrow.setLineOut_Pelvo(arrows[row], index);
    else
        arrow.setLineOut_Tarvik(arrows[row], index);
    // Routing reaches only a unit of the row's model that has told its name since it was
    // plugged in. Before that the larger model's page stands in, and its routing is kept but
    // not sent: the unit may be the smaller model, which has neither those outputs nor those
    // sources; the reload after the name sends it. A failed answer while connected shows
    // "No Device" for a moment, but the unit that named itself is still the one to route.
    if (unitName.isEmpty() || r.pelvo != namesPelvo(unitName)) {
        dm.saveSetting(QStringLiteral("LineOutSettings"), QLatin1String(r.key), index);
        return;
    }
    dm.notifyLineOutSetting(QLatin1String(r.key), static_cast<unsigned char>(index));
}

void MainWindow::loadOutput_AudioInterface() {
    const bool pelvo = isOLVANE_Pelvo();
    const int first = pelvo ? 0 : 2, last = pelvo ? 2 : 10;
    // A stored index outside the model's list reads as the output's default.
    const auto stored = [](int row) {
        const LineOutRow &r = kLineOuts[row];
        const int index = dm.getLineOutSetting(QLatin1String(r.key));
        return validLineOutIndex(r, index) ? index : int(r.defaultIndex);
    };
    for (int row = first; row < last; ++row)
        lineOutCombo(row)->setCurrentIndex(stored(row));
    for (int row = first; row < last; ++row)
        lineOutChosen(row, stored(row));
}

void MainWindow::initLineOutSettings() {
    loadOutput_AudioInterface();
}

// ---- Channel and scene names --------------------------------------------------------------

void MainWindow::channelNameEdited(int strip) {
    QLineEdit *edit = mono[strip].name;
    edit->clearFocus();
    dm.notifyChannelName(mono[strip].track, edit->text());
}

void MainWindow::loadSceneName() {
    QMenu *const menus[] = {
#define OLVANE_SCENE_MENU(N) ui->menuSceneMemory##N,
        OLVANE_SCENES(OLVANE_SCENE_MENU)
#undef OLVANE_SCENE_MENU
    };
    for (int n = 1; n <= 10; ++n)
        menus[n - 1]->setTitle(
            sceneMenuTitle(dm.getSceneMemoryName(QStringLiteral("SceneMemory%1").arg(n))));
}

void MainWindow::slt_havePassedSinceBufferSizeChange() {}

// ---- The whole-view reload ----------------------------------------------------------------

void MainWindow::applyModelControls() {
    ui->label_IntOptAInputStatus->setText(QStringLiteral("----------"));
    const bool pelvo = isOLVANE_Pelvo();
    const QString colour = pelvo ? QStringLiteral("gray") : QStringLiteral("black");
    const QString label20 =
        QStringLiteral("QLabel{color : %1; font-size: 20px; font-family: Arial}").arg(colour);
    const QString label18 =
        QStringLiteral("QLabel{color : %1; font-size: 18px; font-family: Arial}").arg(colour);
    const QString radio =
        QStringLiteral("QRadioButton{color : %1; font-size: 15px; font-family: Arial}").arg(colour);
    const QString dashes = QStringLiteral("----------");

    setSheet(ui->label_OptBInputStatus, label20);
    setSheet(ui->label_IntOptBInputStatus, label18);
    ui->label_IntOptBInputStatus->setText(dashes);
    setSheet(ui->label_WordInputStatus, label20);
    setSheet(ui->label_IntWordInputStatus, label18);
    ui->label_IntWordInputStatus->setText(dashes);
    ui->rB_Optical_B->setEnabled(!pelvo);
    setSheet(ui->rB_Optical_B, radio);
    ui->cB_Optical_B->setEnabled(!pelvo);
    ui->rB_Word->setEnabled(!pelvo);
    setSheet(ui->rB_Word, radio);

    // The smaller model has no second analog pair and no optical B inputs; the larger one
    // hides optical groups only by rate band, which the sample-rate slot does.
    QWidget *const always[] = {ui->sW_channel3_4, ui->sW_channelAdat1_2};
    QWidget *const upTo96k[] = {ui->sW_channelAdat3_4};
    QWidget *const upTo48k[] = {ui->sW_channelAdat5_6, ui->sW_channelAdat7_8};
    if (pelvo) {
        for (QWidget *w : {always[0], always[1], upTo96k[0], upTo48k[0], upTo48k[1]})
            w->hide();
        return;
    }
    const QString rate = ui->label_IntSampleRate->text();
    const bool band1 = rate == QLatin1String("44.1kHz") || rate == QLatin1String("48kHz");
    const bool band2 = rate == QLatin1String("88.2kHz") || rate == QLatin1String("96kHz");
    for (QWidget *w : always)
        w->show();
    if (band1 || band2)
        for (QWidget *w : upTo96k)
            w->show();
    if (band1)
        for (QWidget *w : upTo48k)
            w->show();
}

void MainWindow::initWindowView() {
    dm.initializeParameterForKXDevice();
    initLevelMeter();
    loadEqParameter();
    loadCompParameter();
    loadSendParameter();
    // Off while the reverb type is chosen, so that choosing it sends no reverb-on state;
    // initMaster sets it from the store.
    ui->pB_masterReverb->setChecked(false);
    loadReverbMode();
    initTrackLink();
    initTrackPhase();
    initTrackBypass();
    initTrackEq();
    initTrackComp();
    initSend();
    initTrackSolo();
    initTrackMute();
    initFader();
    initPan();
    initMaster();

    // Equaliser and compressor of every track to the unit: a linked pair as one.
    for (int p = 0; p < kPairStripCount; ++p) {
        if (dm.getTrackLink(pairs[p].track)) {
            pairEqCompClicked(p, true);
            pairEqCompClicked(p, false);
        } else {
            const int odd = pairs[p].odd;
            monoEqCompClicked(odd, true);
            monoEqCompClicked(odd + 1, true);
            monoEqCompClicked(odd, false);
            monoEqCompClicked(odd + 1, false);
        }
    }

    for (const MonoStrip &m : mono)
        m.name->setText(dm.getChannelName(m.track));
    loadOutput_AudioInterface();
    loadSceneName();
    applyModelControls();
}
