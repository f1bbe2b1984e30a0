// The channel strips: faders, select, phase, solo, mute, pan, sends and stereo link, each
// family one routine over the strip tables. A pair's odd channel is mono strip 2p, its even
// channel 2p + 1; the stereo strip shows the odd channel's sends, solo and mute.
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include <QDoubleSpinBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>

#include <cstdlib>

namespace {

// The fifteen knobs of the effect panel in the order they are loaded and copied: compressor
// first, then the equaliser.
struct PanelKnob {
    DialControl::Knob knob;
    bool comp;
    DialControl *Ui_MainWindow::*widget;
    QLabel *Ui_MainWindow::*display;
};

const PanelKnob kPanelKnobs[] = {
    {DialControl::kCompThreshold, true, &Ui_MainWindow::label_ThresholdKnob,
     &Ui_MainWindow::label_ThresholdDisp},
    {DialControl::kCompRatio, true, &Ui_MainWindow::label_RatioKnob,
     &Ui_MainWindow::label_RatioDisp},
    {DialControl::kCompGain, true, &Ui_MainWindow::label_GainKnob, &Ui_MainWindow::label_GainDisp},
    {DialControl::kCompAttack, true, &Ui_MainWindow::label_AttackKnob,
     &Ui_MainWindow::label_AttackDisp},
    {DialControl::kCompRelease, true, &Ui_MainWindow::label_ReleaseKnob,
     &Ui_MainWindow::label_ReleaseDisp},
    {DialControl::kHighGain, false, &Ui_MainWindow::label_HighGainKnob,
     &Ui_MainWindow::label_HighGainDisp},
    {DialControl::kHighMidGain, false, &Ui_MainWindow::label_HighMidGainKnob,
     &Ui_MainWindow::label_HighMidGainDisp},
    {DialControl::kLowMidGain, false, &Ui_MainWindow::label_LowMidGainKnob,
     &Ui_MainWindow::label_LowMidGainDisp},
    {DialControl::kLowGain, false, &Ui_MainWindow::label_LowGainKnob,
     &Ui_MainWindow::label_LowGainDisp},
    {DialControl::kHighFreq, false, &Ui_MainWindow::label_HighFreqKnob,
     &Ui_MainWindow::label_HighFreqDisp},
    {DialControl::kHighMidFreq, false, &Ui_MainWindow::label_HighMidFreqKnob,
     &Ui_MainWindow::label_HighMidFreqDisp},
    {DialControl::kLowMidFreq, false, &Ui_MainWindow::label_LowMidFreqKnob,
     &Ui_MainWindow::label_LowMidFreqDisp},
    {DialControl::kLowFreq, false, &Ui_MainWindow::label_LowFreqKnob,
     &Ui_MainWindow::label_LowFreqDisp},
    {DialControl::kHighMidQ, false, &Ui_MainWindow::label_HighMidQKnob,
     &Ui_MainWindow::label_HighMidQDisp},
    {DialControl::kLowMidQ, false, &Ui_MainWindow::label_LowMidQKnob,
     &Ui_MainWindow::label_LowMidQDisp},
};

QString sendName(int send) {
    return QStringLiteral("Send%1").arg(send + 1);
}

kTrackType parity(int channel) {
    return channel % 2 ? kTrackEven : kTrackOdd;
}

bool validChannel(int channel) {
    return channel >= 0 && channel < kMonoStripCount;
}

} // namespace

// ---- Faders ---------------------------------------------------------------------------------

double MainWindow::faderLevelAt(unsigned short position) {
    return faderScale[qMin(std::abs(int(position) - 100), 100)];
}

void MainWindow::sliderValueChanged(unsigned short position, QDoubleSpinBox *box) {
    if (faderTypedGuard != 0) {
        faderTypedGuard = 0;
        return;
    }
    box->setValue(faderLevelAt(position));
}

void MainWindow::faderSliderMoved(int fader, int position) {
    sliderValueChanged((unsigned short)position, faders[fader].box);
}

// The box is the level: a typed value stands although the slider shows the step below it.
void MainWindow::faderValueChanged(int fader, int position) {
    const FaderRow &row = faders[fader];
    if (faderTypedGuard == 1)
        faderTypedGuard = 0;
    else
        row.box->setValue(faderLevelAt((unsigned short)position));
    dm.notifyTrackFader(row.track, row.box->value());
}

void MainWindow::faderSliderReleased(int fader) {
    if (shiftKeyDown != 1)
        return;
    faders[fader].box->setValue(0.0);
    faderTyped(fader);
}

// ---- Selection ------------------------------------------------------------------------------

void MainWindow::getSelectedCh() {
    const QString &selected = ChannelControl::selectedCh;
    if (selected == QLatin1String("none")) {
        channelControl.prevStripLabel = nullptr;
        channelControl.prevSelectButton = nullptr;
        return;
    }
    for (const MonoStrip &s : mono)
        if (s.track == selected) {
            channelControl.prevStripLabel = s.strip;
            channelControl.prevSelectButton = s.select;
            return;
        }
    for (const PairStrip &s : pairs)
        if (s.track == selected) {
            channelControl.prevStripLabel = s.strip;
            channelControl.prevSelectButton = s.select;
            return;
        }
}

void MainWindow::loadEqCompParam(QString track) {
    for (const PanelKnob &k : kPanelKnobs) {
        DialControl &dial = k.comp ? compDial : eqDial;
        dial.dialKnob = ui->*k.widget;
        dial.dialDisplay = ui->*k.display;
        dial.loadKnob(k.knob, track);
    }
    // A scene load keeps the selection, so the button may still show a cut that the loaded
    // state no longer has: it follows the store either way.
    if (dm.getEqLowCutFilter(track)) {
        ui->pB_LowCutFilter->setChecked(true);
        on_pB_LowCutFilter_clicked();
    } else {
        ui->pB_LowCutFilter->setChecked(false);
        eqDial.setLowCutFilterStatus(false);
    }
    for (const PanelKnob &k : kPanelKnobs)
        (ui->*k.display)->show();
    ui->label_Equalizer->setText(QString());
    ui->label_Compressor->setText(QString());
}

void MainWindow::selectMono(int strip) {
    runSelect(strip);
}

void MainWindow::selectPair(int pair) {
    runSelect(kMonoStripCount + pair);
}

// Strip 0..19 a mono strip, 20..29 a stereo strip.
QPushButton *MainWindow::selectButton(int strip) const {
    return strip < kMonoStripCount ? mono[strip].select : pairs[strip - kMonoStripCount].select;
}

void MainWindow::runSelect(int strip) {
    const bool stereo = strip >= kMonoStripCount;
    const QString &track = stereo ? pairs[strip - kMonoStripCount].track : mono[strip].track;
    (stereo ? channelControl.stereoCh : channelControl.trackCh) = track;
    channelControl.stripLabel = stereo ? pairs[strip - kMonoStripCount].strip : mono[strip].strip;
    getSelectedCh();
    const bool on = selectButton(strip)->isChecked();
    if (stereo)
        channelControl.clicked_channel_st(on);
    else
        channelControl.clicked_channel(on);
    if (on)
        loadEqCompParam(track);
    ui->label_Compressor->repaint();
    ui->label_Equalizer->repaint();
}

// ---- Phase ----------------------------------------------------------------------------------

// The mono button and the stereo half of the same channel always agree, whichever was
// clicked; only the mono track reaches the unit, the half's key is stored only.
void MainWindow::phaseMono(int strip) {
    clickPhase(strip, false);
}

void MainWindow::phasePairSide(int pair, bool right) {
    clickPhase(pairs[pair].odd + (right ? 1 : 0), true);
}

void MainWindow::clickPhase(int channel, bool fromHalf) {
    const PairStrip &p = pairs[channel / 2];
    const bool right = channel % 2;
    QPushButton *half = right ? p.phaseR : p.phaseL;
    QPushButton *source = fromHalf ? half : mono[channel].phase;
    channelControl.trackCh = mono[channel].track;
    channelControl.stereoCh = p.track + (right ? QStringLiteral("_R") : QStringLiteral("_L"));
    channelControl.clicked_phase(source->isChecked());
    (fromHalf ? mono[channel].phase : half)->setChecked(source->isChecked());
}

// ---- Solo and mute --------------------------------------------------------------------------

void MainWindow::soloMono(int strip) {
    const MonoStrip &s = mono[strip];
    const bool on = s.solo->isChecked();
    channelControl.trackType = parity(strip);
    channelControl.trackCh = s.track;
    channelControl.clicked_solo(on);
    doSolo(on, kMuteTrack(strip), s.mute);
    // The stereo solo follows the odd channel only.
    if (strip % 2 == 0)
        pairs[strip / 2].solo->setChecked(on);
}

void MainWindow::soloPair(int pair) {
    const PairStrip &p = pairs[pair];
    const int a = p.odd, b = p.odd + 1;
    linkMuteButton = p.mute;
    mono[a].solo->setChecked(p.solo->isChecked());
    soloMono(a);
    mono[b].solo->setChecked(p.solo->isChecked());
    soloMono(b);
    linkMuteButton = nullptr;
    // A linked pair whose even channel ends muted ends muted on both sides.
    if (mono[b].mute->isChecked()) {
        mono[a].mute->setChecked(true);
        muteMono(a);
    }
}

void MainWindow::muteMono(int strip) {
    const MonoStrip &s = mono[strip];
    const bool on = s.mute->isChecked();
    channelControl.trackType = parity(strip);
    channelControl.trackCh = s.track;
    channelControl.clicked_mute(on);
    if (strip % 2 == 0)
        pairs[strip / 2].mute->setChecked(on);
}

void MainWindow::mutePair(int pair) {
    const PairStrip &p = pairs[pair];
    for (int strip : {p.odd, p.odd + 1}) {
        mono[strip].mute->setChecked(p.mute->isChecked());
        muteMono(strip);
    }
}

bool MainWindow::checkSoloStatus(kMuteTrack ch) {
    for (int i = 0; i < kMonoStripCount; ++i)
        if (i != ch && mono[i].solo->isChecked())
            return true;
    return false;
}

void MainWindow::doSolo(bool on, kMuteTrack ch, QPushButton *muteButton) {
    if (!validChannel(ch))
        return;
    const bool others = checkSoloStatus(ch);
    if (on) {
        if (!others) {
            setMuteStatus();
            setMuteButton(ch);
        }
        channelControl.clicked_mute(false);
        if (muteButton)
            muteButton->setChecked(false);
        if (linkMuteButton)
            linkMuteButton->setChecked(false);
        return;
    }
    if (!others) {
        for (unsigned char i = 0; i < kMonoStripCount; ++i)
            if (savedMuteStatus[i] == 0)
                clearMuteButton(i);
        if (savedMuteStatus[ch] == 0)
            return;
    } else {
        // Released while other solos remain: the final restore unmutes it.
        savedMuteStatus[ch] = 0;
    }
    channelControl.clicked_mute(true);
    if (muteButton)
        muteButton->setChecked(true);
    if (linkMuteButton)
        linkMuteButton->setChecked(true);
}

void MainWindow::setMuteStatus() {
    for (int i = 0; i < kMonoStripCount; ++i)
        savedMuteStatus[i] = mono[i].mute->isChecked() ? 1 : 0;
}

// Both mute operations address each channel through the working controller and give it back
// as they found it.
void MainWindow::setMuteButton(kMuteTrack ch) {
    if (!validChannel(ch))
        return;
    const kTrackType type = channelControl.trackType;
    const QString track = channelControl.trackCh, pair = channelControl.stereoCh;
    for (int i = 0; i < kMonoStripCount; ++i) {
        if (i == ch)
            continue;
        channelControl.trackType = parity(i);
        channelControl.trackCh = mono[i].track;
        channelControl.clicked_mute(true);
        mono[i].mute->setChecked(true);
        pairs[i / 2].mute->setChecked(true);
    }
    channelControl.trackType = type;
    channelControl.trackCh = track;
    channelControl.stereoCh = pair;
}

void MainWindow::clearMuteButton(unsigned char index) {
    if (!validChannel(index))
        return;
    const kTrackType type = channelControl.trackType;
    const QString track = channelControl.trackCh, pair = channelControl.stereoCh;
    channelControl.trackType = parity(index);
    channelControl.trackCh = mono[index].track;
    mono[index].mute->setChecked(false);
    pairs[index / 2].mute->setChecked(false);
    channelControl.clicked_mute(false);
    channelControl.trackType = type;
    channelControl.trackCh = track;
    channelControl.stereoCh = pair;
}

// ---- Pan ------------------------------------------------------------------------------------

// The pan belongs to the mono channel; the stereo strip's L or R indicator is a second view.
// The value label under the indicator that is held.
QLabel *MainWindow::panDisplayOf(int channel, bool stereoView) const {
    const PairStrip &p = pairs[channel / 2];
    return stereoView ? (channel % 2 ? p.panDisplayR : p.panDisplayL) : mono[channel].panDisplay;
}

void MainWindow::panPressed(int channel, bool stereoView, QMouseEvent *event) {
    panDisplayOf(channel, stereoView)->show();
    channelControl.trackType = parity(channel);
    channelControl.trackCh = mono[channel].track;
    channelControl.panKnob_Pressed(event);
}

void MainWindow::panMoved(int channel, QMouseEvent *event) {
    setPanTargets(channel);
    channelControl.panKnob_Moved(event);
}

void MainWindow::panReleased(int channel, bool stereoView) {
    panDisplayOf(channel, stereoView)->hide();
}

void MainWindow::panDoubleClicked(int channel) {
    setPanTargets(channel);
    channelControl.panKnob_DoubleClicked();
}

void MainWindow::setPanTargets(int channel) {
    const PairStrip &p = pairs[channel / 2];
    const bool even = channel % 2;
    channelControl.trackType = parity(channel);
    channelControl.panKnob = mono[channel].pan;
    channelControl.panKnobSt = even ? p.panR : p.panL;
    channelControl.panDisplay = mono[channel].panDisplay;
    channelControl.panDisplaySt = even ? p.panDisplayR : p.panDisplayL;
}

// ---- Sends ----------------------------------------------------------------------------------

// The value label beside a send knob; strip 20..29 a stereo strip.
QLabel *MainWindow::sendDisplayOf(int strip, int send) const {
    return strip >= kMonoStripCount ? pairs[strip - kMonoStripCount].sendDisplay[send]
                                    : mono[strip].sendDisplay[send];
}

// A stereo knob has no level of its own: it starts from the odd channel's level and a turn
// writes that level to both channels.
void MainWindow::sendPressed(int strip, int send, QMouseEvent *event) {
    const bool stereo = strip >= kMonoStripCount;
    const int channel = stereo ? pairs[strip - kMonoStripCount].odd : strip;
    sendDisplayOf(strip, send)->show();
    sendDial.pressSendKnob(event, mono[channel].track, sendName(send));
}

void MainWindow::sendMoved(int strip, int send, QMouseEvent *event) {
    const QString name = sendName(send);
    auto turn = [&](DialControlSend *knob, QLabel *display, const QString &track) {
        sendDial.sendKnob = knob;
        sendDial.sendDisplay = display;
        sendDial.rotateSendKnob(event, track, name);
    };
    auto turnMono = [&](int channel) {
        turn(mono[channel].sendKnob[send], mono[channel].sendDisplay[send], mono[channel].track);
    };
    auto turnPair = [&](const PairStrip &p) {
        turn(p.sendKnob[send], p.sendDisplay[send], p.track);
    };
    if (strip >= kMonoStripCount) {
        const PairStrip &p = pairs[strip - kMonoStripCount];
        turnPair(p);
        turnMono(p.odd);
        turnMono(p.odd + 1);
    } else {
        turnMono(strip);
        if (strip % 2 == 0)
            turnPair(pairs[strip / 2]);
    }
}

void MainWindow::sendReleased(int strip, int send) {
    sendDisplayOf(strip, send)->hide();
}

// ---- Stereo link ----------------------------------------------------------------------------

// The fifteen knob values and the low cut, settings only.
void MainWindow::copyEffectSettings(const QString &from, const QString &to) {
    for (const PanelKnob &k : kPanelKnobs)
        (k.comp ? compDial : eqDial).updateKnob(k.knob, from, to);
    dm.notifyEqLowCutFilter(to, dm.getEqLowCutFilter(from));
}

// Moves the selection from one strip to another, unless true bypass has disabled the other's
// select button: a bypassed strip is never selected, so the selection is cleared instead.
void MainWindow::moveSelection(int from, int to) {
    if (selectButton(to)->isEnabled()) {
        selectButton(to)->setChecked(true);
        runSelect(to);
    } else {
        selectButton(from)->setChecked(false);
        runSelect(from);
    }
}

void MainWindow::linkOn(int pair) {
    const PairStrip &s = pairs[pair];
    const int a = s.odd, b = s.odd + 1;
    const MonoStrip &ma = mono[a], &mb = mono[b];

    dm.notifyTrackLink(s.track, true);
    ChannelControl::setLinkedCh(kLinkChParam(pair), true);

    s.eq->setChecked(ma.eq->isChecked());
    dm.notifyTrackEq(s.track, ma.eq->isChecked());
    pairEqCompClicked(pair, true);
    s.comp->setChecked(ma.comp->isChecked());
    dm.notifyTrackComp(s.track, ma.comp->isChecked());
    pairEqCompClicked(pair, false);

    const bool bypass = ma.bypass->isChecked();
    s.bypass->setChecked(bypass);
    clickedBypassInStereo((unsigned char)(a + 1), bypass);

    // Both steps decide on the states from before either of them ran.
    const bool soloA = ma.solo->isChecked(), soloB = mb.solo->isChecked();
    const bool muteA = ma.mute->isChecked(), muteB = mb.mute->isChecked();
    if (soloA != soloB) {
        // Marked muted first, so that an even solo released here as the last one leaves the
        // odd channel muted with the pair.
        savedMuteStatus[a] = 1;
        mb.solo->setChecked(soloA);
        soloMono(b);
        s.solo->setChecked(soloA);
    } else if (soloA) {
        s.mute->setChecked(false);
    }
    if (muteA != muteB) {
        mb.mute->setChecked(muteA);
        muteMono(b);
        s.mute->setChecked(muteA);
    } else if (muteA) {
        s.mute->setChecked(true);
    }

    const int pairFader = kMonoStripCount + pair;
    faders[pairFader].box->setValue(faders[a].box->value());
    faderTyped(pairFader);

    copyEffectSettings(ma.track, s.track);

    if (ma.select->isChecked())
        moveSelection(a, kMonoStripCount + pair);
    else if (mb.select->isChecked())
        moveSelection(b, kMonoStripCount + pair);

    sendDial.updateSendKnob(ma.track, mb.track);
    for (int k = 0; k < 4; ++k) {
        sendDial.sendKnob = mb.sendKnob[k];
        sendDial.sendDisplay = mb.sendDisplay[k];
        sendDial.loadSendKnob(ma.track, sendName(k));
    }
    for (int k = 0; k < 4; ++k) {
        const QString name = sendName(k);
        switch (dm.getSendPoint(ma.track, name)) {
        case 2:
            mb.pre[k]->setChecked(true);
            dm.notifySendPoint(mb.track, name, 2);
            mb.post[k]->setChecked(false);
            break;
        case 3:
            mb.post[k]->setChecked(true);
            dm.notifySendPoint(mb.track, name, 3);
            mb.pre[k]->setChecked(false);
            break;
        default:
            mb.pre[k]->setChecked(false);
            mb.post[k]->setChecked(false);
            dm.notifySendPoint(mb.track, name, 1);
            break;
        }
    }

    s.stack->setCurrentIndex(1);
}

void MainWindow::linkOff(int pair) {
    const PairStrip &s = pairs[pair];
    const int a = s.odd, b = s.odd + 1;

    dm.notifyTrackLink(s.track, false);
    ChannelControl::setLinkedCh(kLinkChParam(pair), false);

    for (bool eq : {true, false}) {
        const bool on = (eq ? s.eq : s.comp)->isChecked();
        for (int c : {a, b}) {
            (eq ? mono[c].eq : mono[c].comp)->setChecked(on);
            if (eq)
                dm.notifyTrackEq(mono[c].track, on);
            else
                dm.notifyTrackComp(mono[c].track, on);
            monoEqCompClicked(c, eq);
        }
    }

    const bool bypass = s.bypass->isChecked();
    mono[a].bypass->setChecked(bypass);
    mono[b].bypass->setChecked(bypass);
    clickedBypass((unsigned char)(a + 1), bypass);
    clickedBypass((unsigned char)(b + 1), bypass);

    for (int c : {a, b}) {
        faders[c].box->setValue(faders[kMonoStripCount + pair].box->value());
        faderTyped(c);
    }

    copyEffectSettings(s.track, mono[a].track);
    copyEffectSettings(s.track, mono[b].track);

    if (s.select->isChecked())
        moveSelection(kMonoStripCount + pair, a);

    s.stack->setCurrentIndex(0);
}
