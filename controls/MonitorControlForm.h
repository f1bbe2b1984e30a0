// The fixed widget tree of the monitor-control window: output-pair buttons, link button,
// source lists, a mono page (two level rows) and a stereo page (one row), and the master row.
#pragma once

class QButtonGroup;
class QComboBox;
class QDialog;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSlider;
class QStackedWidget;
class QWidget;

class Ui_MonitorControl {
public:
    QPushButton *pB_mcLink;
    QComboBox *cB_mcSourceL;
    QComboBox *cB_mcSourceR;
    QLabel *label_mcSource;
    QLabel *label_mcOutput;
    QPushButton *pB_mcLineOut1_2;
    QPushButton *pB_mcLineOut3_4;
    QPushButton *pB_mcLineOut5_6;
    QPushButton *pB_mcLineOut7_8;
    QLabel *label_mcMonitor;
    QStackedWidget *stackedWidget;
    QWidget *mono;
    QLabel *label_mcMono1;
    QLabel *label_mcMono2;
    QSlider *vS_mcMono2;
    QSlider *vS_mcMono1;
    QDoubleSpinBox *dSB_mcMono2View;
    QDoubleSpinBox *dSB_mcMono1View;
    QWidget *stereo;
    QSlider *vS_mcStereo;
    QLabel *label_mcStereo;
    QDoubleSpinBox *dSB_mcStereoView;
    QDoubleSpinBox *dSB_mcMasterView;
    QSlider *vS_mcMaster;
    QButtonGroup *bG_OutputGroup;

    void setupUi(QDialog *MonitorControl);
    void retranslateUi(QDialog *MonitorControl);
};
