// The monitor-control window of the larger model: picks one of the four line-output pairs,
// sets its left and right levels (or both while linked), the monitor master level and the
// sources of each side. Every change goes at once through the store to the unit; while the
// window is open the other pairs are muted.
#pragma once

#include "DataManager.h"

#include <QDialog>

class QDoubleSpinBox;
class QSlider;
class Ui_MonitorControl;

class MonitorControl : public QDialog {
    Q_OBJECT
public:
    explicit MonitorControl(QWidget *parent = nullptr);
    ~MonitorControl() override;

    void loadParameter();
    void setAllFader_0dB();
    void loadParameterEachOutput(kMoniConTarget target);
    double sliderValueChanged(int position, QDoubleSpinBox *box);
    int viewerValueChanged(double level);

    // The level of slider position p is entry 127 - p.
    static double levelOfPosition(int position);

private slots:
    void on_vS_mcMaster_sliderMoved(int position);
    void on_vS_mcMaster_valueChanged(int position);
    void on_vS_mcMono1_sliderMoved(int position);
    void on_vS_mcMono1_valueChanged(int position);
    void on_vS_mcMono2_sliderMoved(int position);
    void on_vS_mcMono2_valueChanged(int position);
    void on_vS_mcStereo_sliderMoved(int position);
    void on_vS_mcStereo_valueChanged(int position);
    void on_cB_mcSourceL_currentIndexChanged(int index);
    void on_cB_mcSourceR_currentIndexChanged(int index);
    void on_pB_mcLink_clicked(bool checked);
    void on_pB_mcLineOut1_2_clicked();
    void on_pB_mcLineOut3_4_clicked();
    void on_pB_mcLineOut5_6_clicked();
    void on_pB_mcLineOut7_8_clicked();
    void on_dSB_mcMasterView_editingFinished();
    void on_dSB_mcMono1View_editingFinished();
    void on_dSB_mcMono2View_editingFinished();
    void on_dSB_mcStereoView_editingFinished();

private:
    enum Row { kRowMaster, kRowMono1, kRowMono2, kRowStereo };
    QSlider *slider(Row row) const;
    QDoubleSpinBox *box(Row row) const;
    void storeRow(Row row, double level);
    void sliderChanged(Row row, int position);
    void editingFinished(Row row);
    void loadLevel(Row row, double level);
    void selectPair(kMoniConTarget target);
    void muteOthers();

    Ui_MonitorControl *ui;
};
