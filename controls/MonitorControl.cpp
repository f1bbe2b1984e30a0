// Monitor-control window. A slider position maps to a level through the monitor level
// table; a level typed into a box is sent as typed and the slider shows the table position
// at or below it.
#include "MonitorControl.h"

#include "ControlTables.h"
#include "MonitorControlForm.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>

#include <cstdlib>

namespace {

// Shared by every window (there is one).
kMoniConTarget moniConTarget = kMoniConOut1_2;
bool throughEditingFinished = false;
// Clearing a box's focus can report the end of the edit again while it is handled.
bool handlingEditingFinished = false;

// Returned by sliderValueChanged in place of a level: use the box's value.
constexpr double kBoxMarker = 1000.0;
constexpr double kOff = -99.9;

const char *const kSliderStyle =
    "QSlider {background-image: url(:/Resource/trans.png);}QSlider::groove {border: 1px solid "
    "%1; width: 2px;}QSlider::handle {position: absolute; left: 3px; image: "
    "url(:/Resource/monicon/%2); margin: 0 -15px; margin-bottom: -6px; margin-top: -1px;}";

QString sliderStyle(const char *border, const char *handle) {
    return QString::fromLatin1(kSliderStyle).arg(QLatin1String(border), QLatin1String(handle));
}

struct PairTexts {
    const char *mono1, *mono2, *stereo;
};
constexpr PairTexts kPairTexts[4] = {{"LINEOUT 1", "LINEOUT 2", "LINEOUT 1-2"},
                                     {"LINEOUT 3", "LINEOUT 4", "LINEOUT 3-4"},
                                     {"LINEOUT 5", "LINEOUT 6", "LINEOUT 5-6"},
                                     {"LINEOUT 7", "LINEOUT 8", "LINEOUT 7-8"}};

} // namespace

MonitorControl::MonitorControl(QWidget *parent) : QDialog(parent), ui(new Ui_MonitorControl) {
    ui->setupUi(this);
    ui->vS_mcMaster->setStyleSheet(sliderStyle("grey", "nob_red.png"));
    ui->vS_mcStereo->setStyleSheet(sliderStyle("gray", "nob_white.png"));
    ui->vS_mcMono1->setStyleSheet(sliderStyle("gray", "nob_white.png"));
    ui->vS_mcMono2->setStyleSheet(sliderStyle("grey", "nob_white.png"));
}

MonitorControl::~MonitorControl() {
    delete ui;
}

double MonitorControl::levelOfPosition(int position) {
    return controltables::moniConLevel(std::abs(position - 127));
}

QSlider *MonitorControl::slider(Row row) const {
    QSlider *const s[] = {ui->vS_mcMaster, ui->vS_mcMono1, ui->vS_mcMono2, ui->vS_mcStereo};
    return s[row];
}

QDoubleSpinBox *MonitorControl::box(Row row) const {
    QDoubleSpinBox *const b[] = {ui->dSB_mcMasterView, ui->dSB_mcMono1View, ui->dSB_mcMono2View,
                                 ui->dSB_mcStereoView};
    return b[row];
}

void MonitorControl::storeRow(Row row, double level) {
    switch (row) {
    case kRowMaster:
        dm.notifyMoniConMasterFader(level);
        break;
    case kRowMono1:
        dm.notifyMoniConMono1Fader(moniConTarget, level);
        break;
    case kRowMono2:
        dm.notifyMoniConMono2Fader(moniConTarget, level);
        break;
    case kRowStereo:
        dm.notifyMoniConMono1Fader(moniConTarget, level);
        dm.notifyMoniConMono2Fader(moniConTarget, level);
        break;
    }
}

double MonitorControl::sliderValueChanged(int position, QDoubleSpinBox *box) {
    if (throughEditingFinished) {
        throughEditingFinished = false;
        return kBoxMarker;
    }
    const double level = levelOfPosition(position);
    box->setValue(level);
    return level;
}

int MonitorControl::viewerValueChanged(double level) {
    return std::max(controltables::moniConPosition(level), 0);
}

void MonitorControl::sliderChanged(Row row, int position) {
    double v = sliderValueChanged(position, box(row));
    if (v == kBoxMarker)
        v = box(row)->value();
    storeRow(row, v);
}

void MonitorControl::editingFinished(Row row) {
    if (handlingEditingFinished)
        return;
    handlingEditingFinished = true;
    throughEditingFinished = true;
    const int remembered = slider(row)->value();
    slider(row)->setValue(controltables::moniConPosition(box(row)->value()));
    box(row)->clearFocus();
    if (slider(row)->value() == remembered)
        sliderChanged(row, remembered); // meets the marker: the box's value is sent
    // Not consumed when the slider's slot did not run; the next slider change is its own.
    throughEditingFinished = false;
    handlingEditingFinished = false;
}

// A stored level into a row, sent and stored again. "Off" lies below what a box holds, so it
// comes back through the slider's bottom position rather than as the box's -96.0.
void MonitorControl::loadLevel(Row row, double level) {
    if (level >= box(row)->minimum() - 0.05) {
        box(row)->setValue(level);
        editingFinished(row);
        return;
    }
    const int remembered = slider(row)->value();
    slider(row)->setValue(0);
    if (remembered == 0)
        sliderChanged(row, 0);
}

void MonitorControl::on_vS_mcMaster_sliderMoved(int p) {
    sliderChanged(kRowMaster, p);
}
void MonitorControl::on_vS_mcMaster_valueChanged(int p) {
    sliderChanged(kRowMaster, p);
}
void MonitorControl::on_vS_mcMono1_sliderMoved(int p) {
    sliderChanged(kRowMono1, p);
}
void MonitorControl::on_vS_mcMono1_valueChanged(int p) {
    sliderChanged(kRowMono1, p);
}
void MonitorControl::on_vS_mcMono2_sliderMoved(int p) {
    sliderChanged(kRowMono2, p);
}
void MonitorControl::on_vS_mcMono2_valueChanged(int p) {
    sliderChanged(kRowMono2, p);
}
void MonitorControl::on_vS_mcStereo_sliderMoved(int p) {
    sliderChanged(kRowStereo, p);
}
void MonitorControl::on_vS_mcStereo_valueChanged(int p) {
    on_vS_mcStereo_sliderMoved(p);
}

void MonitorControl::on_dSB_mcMasterView_editingFinished() {
    editingFinished(kRowMaster);
}
void MonitorControl::on_dSB_mcMono1View_editingFinished() {
    editingFinished(kRowMono1);
}
void MonitorControl::on_dSB_mcMono2View_editingFinished() {
    editingFinished(kRowMono2);
}
void MonitorControl::on_dSB_mcStereoView_editingFinished() {
    editingFinished(kRowStereo);
}

void MonitorControl::on_cB_mcSourceL_currentIndexChanged(int index) {
    if (ui->pB_mcLink->isChecked())
        ui->cB_mcSourceR->setCurrentIndex(ui->cB_mcSourceL->currentIndex());
    dm.notifyMoniConSourceL(moniConTarget, kMoniConSourceL(index));
}

void MonitorControl::on_cB_mcSourceR_currentIndexChanged(int index) {
    dm.notifyMoniConSourceR(moniConTarget, kMoniConSourceR(index));
}

void MonitorControl::on_pB_mcLink_clicked(bool checked) {
    if (checked) {
        ui->stackedWidget->setCurrentIndex(1);
        ui->cB_mcSourceR->setCurrentIndex(ui->cB_mcSourceL->currentIndex());
        ui->cB_mcSourceR->setEnabled(false);
        ui->vS_mcStereo->setValue(ui->vS_mcMono1->value());
        ui->dSB_mcStereoView->setValue(ui->dSB_mcMono1View->value());
        ui->vS_mcMono2->setValue(ui->vS_mcMono1->value());
        ui->dSB_mcMono2View->setValue(ui->dSB_mcMono1View->value());
    } else {
        ui->stackedWidget->setCurrentIndex(0);
        ui->cB_mcSourceR->setEnabled(true);
        ui->vS_mcMono1->setValue(ui->vS_mcStereo->value());
        ui->vS_mcMono2->setValue(ui->vS_mcStereo->value());
        ui->dSB_mcMono1View->setValue(ui->dSB_mcStereoView->value());
        ui->dSB_mcMono2View->setValue(ui->dSB_mcStereoView->value());
    }
    dm.notifyMoniConLink(moniConTarget, checked);
}

void MonitorControl::on_pB_mcLineOut1_2_clicked() {
    selectPair(kMoniConOut1_2);
}
void MonitorControl::on_pB_mcLineOut3_4_clicked() {
    selectPair(kMoniConOut3_4);
}
void MonitorControl::on_pB_mcLineOut5_6_clicked() {
    selectPair(kMoniConOut5_6);
}
void MonitorControl::on_pB_mcLineOut7_8_clicked() {
    selectPair(kMoniConOut7_8);
}

void MonitorControl::selectPair(kMoniConTarget target) {
    QPushButton *const buttons[4] = {ui->pB_mcLineOut1_2, ui->pB_mcLineOut3_4, ui->pB_mcLineOut5_6,
                                     ui->pB_mcLineOut7_8};
    buttons[target]->setChecked(true);
    const PairTexts &t = kPairTexts[target];
    ui->label_mcMono1->setText(QLatin1String(t.mono1));
    ui->label_mcMono2->setText(QLatin1String(t.mono2));
    ui->label_mcStereo->setText(QLatin1String(t.stereo));
    moniConTarget = target;
    dm.notifyMoniConOutput(target);
    loadParameterEachOutput(target);
}

void MonitorControl::loadParameterEachOutput(kMoniConTarget t) {
    const bool link = dm.getMoniConLink(t);
    // The link button shows the new pair's state before its sources are applied, so that a
    // left source of the new pair never overwrites its stored right source.
    ui->pB_mcLink->setChecked(link);
    const kMoniConSourceL l = dm.getMoniConSouceL(t);
    ui->cB_mcSourceL->setCurrentIndex(l);
    dm.setMoniConSourceL(t, l);
    const kMoniConSourceR r = dm.getMoniConSouceR(t);
    ui->cB_mcSourceR->setCurrentIndex(r);
    dm.setMoniConSourceR(t, r);
    ui->pB_mcLink->setChecked(link);
    if (link) {
        ui->stackedWidget->setCurrentIndex(1);
        ui->cB_mcSourceR->setCurrentIndex(ui->cB_mcSourceL->currentIndex());
        ui->cB_mcSourceR->setEnabled(false);
    } else {
        ui->stackedWidget->setCurrentIndex(0);
        ui->cB_mcSourceR->setEnabled(true);
    }
    if (ui->pB_mcLink->isChecked()) {
        loadLevel(kRowStereo, dm.getMoniConMono1Fader(t));
    } else {
        loadLevel(kRowMono1, dm.getMoniConMono1Fader(t));
        loadLevel(kRowMono2, dm.getMoniConMono2Fader(t));
    }
    muteOthers();
}

void MonitorControl::muteOthers() {
    for (int p = 0; p < 4; ++p)
        if (p != moniConTarget)
            dm.setMoniConFaderMute(kMoniConTarget(p));
}

void MonitorControl::loadParameter() {
    selectPair(dm.getMoniConOutput());
    loadLevel(kRowMaster, dm.getMoniConMasterFader());
    const bool link = dm.getMoniConLink(moniConTarget);
    if (link != ui->pB_mcLink->isChecked()) {
        ui->pB_mcLink->setChecked(link);
        on_pB_mcLink_clicked(link);
    }
    muteOthers();
}

void MonitorControl::setAllFader_0dB() {
    for (int t = kMoniConOut1_2; t <= kMoniConMaster; ++t)
        dm.setMoniConFader_0dB(kMoniConTarget(t));
    QSlider *const sliders[4] = {ui->vS_mcMono1, ui->vS_mcMono2, ui->vS_mcMaster, ui->vS_mcStereo};
    const char *const handlers[4] = {
        SLOT(on_vS_mcMono1_valueChanged(int)), SLOT(on_vS_mcMono2_valueChanged(int)),
        SLOT(on_vS_mcMaster_valueChanged(int)), SLOT(on_vS_mcStereo_valueChanged(int))};
    for (int i = 0; i < 4; ++i)
        disconnect(sliders[i], SIGNAL(valueChanged(int)), this, handlers[i]);
    for (QSlider *s : sliders)
        s->setValue(127);
    for (int i = 0; i < 4; ++i)
        connect(sliders[i], SIGNAL(valueChanged(int)), this, handlers[i]);
}
