// Builds the window's strip tables from the form, once, from the naming rules of
// StripTables.h: every family of handlers indexes these rows instead of naming widgets.
#include "MainWindow.h"
#include "ui_mainwindow.h"

namespace {

template <class Strip>
void fillSends(Strip &s, QPushButton *const (&pre)[4], QPushButton *const (&post)[4],
               DialControlSend *const (&knob)[4], QLabel *const (&display)[4]) {
    for (int k = 0; k < 4; ++k) {
        s.pre[k] = pre[k];
        s.post[k] = post[k];
        s.sendKnob[k] = knob[k];
        s.sendDisplay[k] = display[k];
    }
}

} // namespace

void MainWindow::buildStripTables() {
    int i = 0;
#define OLVANE_MONO_ROW(T, N, SEL)                                                           \
    {                                                                                          \
        MonoStrip &s = mono[i];                                                                \
        s.tag = QStringLiteral(#T);                                                          \
        s.track = QStringLiteral("Track" #N);                                                  \
        s.strip = ui->mono##T;                                                               \
        s.select = ui->pB_##SEL;                                                               \
        s.phase = ui->pB_Phase##T;                                                           \
        s.bypass = ui->pB_Bypass##N;                                                           \
        s.eq = ui->pB_EQ##T;                                                                 \
        s.comp = ui->pB_Comp##T;                                                             \
        s.solo = ui->pB_Solo##T;                                                             \
        s.mute = ui->pB_Mute##T;                                                             \
        fillSends(s, {ui->pB_Pre1_##T, ui->pB_Pre2_##T, ui->pB_Pre3_##T, ui->pB_Pre4_##T}, \
                  {ui->pB_Post1_##T, ui->pB_Post2_##T, ui->pB_Post3_##T,                 \
                   ui->pB_Post4_##T},                                                        \
                  {ui->label_Send1Knob##T, ui->label_Send2Knob##T, ui->label_Send3Knob##T, \
                   ui->label_Send4Knob##T},                                                  \
                  {ui->label_Send1Display##T, ui->label_Send2Display##T,                   \
                   ui->label_Send3Display##T, ui->label_Send4Display##T});                 \
        s.pan = ui->label_panKnob##T;                                                        \
        s.panDisplay = ui->label_panDisplay##T;                                              \
        s.meter = ui->label_LevelMeter##T;                                                   \
        s.peak = ui->label_Peak##T;                                                          \
        s.name = ui->lineEdit_ch##N;                                                           \
        faders[i] = {s.track, ui->vS_FaderKnob##N, ui->dSB_faderDisplay##N};                   \
        ++i;                                                                                   \
    }
    OLVANE_MONO_STRIPS(OLVANE_MONO_ROW)
#undef OLVANE_MONO_ROW

#define OLVANE_PAIR_ROW(ODD, EVEN, LAST, P, O, E, SEL)                                         \
    {                                                                                          \
        PairStrip &s = pairs[P];                                                               \
        s.tag = QStringLiteral(#ODD "_" #LAST);                                                \
        s.track = QStringLiteral("Track" #O "_" #E);                                           \
        s.odd = 2 * (P);                                                                       \
        s.stack = ui->sW_channel##ODD##_##LAST;                                                \
        s.linkOn = ui->pB_LinkOn##ODD##_##LAST;                                                \
        s.linkOff = ui->pB_LinkOff##ODD##_##LAST;                                              \
        s.strip = ui->st##ODD##_##LAST;                                                        \
        s.select = ui->pB_##SEL##_##LAST;                                                      \
        s.phaseL = ui->pB_Phase##ODD##_##LAST##_L;                                             \
        s.phaseR = ui->pB_Phase##ODD##_##LAST##_R;                                             \
        s.bypass = ui->pB_Bypass##O##_##E;                                                     \
        s.eq = ui->pB_EQ##ODD##_##LAST;                                                        \
        s.comp = ui->pB_Comp##ODD##_##LAST;                                                    \
        s.solo = ui->pB_Solo##ODD##_##LAST;                                                    \
        s.mute = ui->pB_Mute##ODD##_##LAST;                                                    \
        fillSends(s,                                                                           \
                  {ui->pB_Pre1_##ODD##_##LAST, ui->pB_Pre2_##ODD##_##LAST,                     \
                   ui->pB_Pre3_##ODD##_##LAST, ui->pB_Pre4_##ODD##_##LAST},                    \
                  {ui->pB_Post1_##ODD##_##LAST, ui->pB_Post2_##ODD##_##LAST,                   \
                   ui->pB_Post3_##ODD##_##LAST, ui->pB_Post4_##ODD##_##LAST},                  \
                  {ui->label_Send1Knob##ODD##_##LAST, ui->label_Send2Knob##ODD##_##LAST,       \
                   ui->label_Send3Knob##ODD##_##LAST, ui->label_Send4Knob##ODD##_##LAST},      \
                  {ui->label_Send1Display##ODD##_##LAST, ui->label_Send2Display##ODD##_##LAST, \
                   ui->label_Send3Display##ODD##_##LAST, ui->label_Send4Display##ODD##_##LAST});                                                                         \
        s.panL = ui->label_panKnob##ODD##_##LAST##_L;                                          \
        s.panR = ui->label_panKnob##ODD##_##LAST##_R;                                          \
        s.panDisplayL = ui->label_panDisplay##ODD##_##LAST##_L;                                \
        s.panDisplayR = ui->label_panDisplay##ODD##_##LAST##_R;                                \
        s.meterL = ui->label_LevelMeter##ODD##_##LAST##_L;                                     \
        s.meterR = ui->label_LevelMeter##ODD##_##LAST##_R;                                     \
        s.peakL = ui->label_Peak##ODD##_##LAST##_L;                                            \
        s.peakR = ui->label_Peak##ODD##_##LAST##_R;                                            \
        faders[kMonoStripCount + (P)] = {s.track, ui->vS_FaderKnob##O##_##E,                   \
                                         ui->dSB_faderDisplay##O##_##E};                       \
    }
    OLVANE_PAIRS(OLVANE_PAIR_ROW)
#undef OLVANE_PAIR_ROW

    faders[kMasterFader] = {QStringLiteral("TrackMaster"), ui->vS_FaderKnobMaster,
                            ui->dSB_faderDisplayMaster};
}
