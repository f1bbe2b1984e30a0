// Monitor-control form: geometry, looks and texts of every widget.
#include "MonitorControlForm.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>

#include <initializer_list>

namespace {

QFont arial() {
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    font.setWeight(50);
    font.setItalic(false);
    font.setWeight(9);
    return font;
}

const char *const kCaptionStyle =
    "background-image: url(:/Resource/trans.png);\nfont: 75 9pt \"Arial\";\nfont-size: 12px;";
const char *const kListStyle =
    "font: 75 9pt \"Arial\";\nfont-size: 12px;\nbackground-color: rgb(162, 162, 162);";
const char *const kBoxStyle =
    "font: 75 13pt \"Arial\";\nfont-size: 17px;\nbackground-color: rgb(162, 162, 162);";

QPushButton *button(QWidget *parent, const char *name, const QRect &geometry, const char *off,
                    const char *on, const QSize &iconSize) {
    auto *b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet(QStringLiteral("background-color: rgba(255, 255, 255, 0);"));
    QIcon icon;
    icon.addFile(QLatin1String(off), QSize(), QIcon::Normal, QIcon::Off);
    icon.addFile(QLatin1String(on), QSize(), QIcon::Normal, QIcon::On);
    b->setIcon(icon);
    b->setIconSize(iconSize);
    b->setCheckable(true);
    return b;
}

QComboBox *list(QWidget *parent, const char *name, const QRect &geometry) {
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setGeometry(geometry);
    c->setFont(arial());
    c->setStyleSheet(QLatin1String(kListStyle));
    return c;
}

QLabel *caption(QWidget *parent, const char *name, const QRect &geometry) {
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setFont(arial());
    l->setStyleSheet(QLatin1String(kCaptionStyle));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QSlider *slider(QWidget *parent, const char *name, const QRect &geometry) {
    auto *s = new QSlider(parent);
    s->setObjectName(QLatin1String(name));
    s->setGeometry(geometry);
    s->setStyleSheet(QStringLiteral("background-image: url(:/Resource/trans.png);"));
    s->setMinimum(0);
    s->setMaximum(127);
    s->setValue(127);
    s->setSliderPosition(127);
    s->setOrientation(Qt::Vertical);
    return s;
}

QDoubleSpinBox *box(QWidget *parent, const char *name, const QRect &geometry) {
    auto *b = new QDoubleSpinBox(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setFont(arial());
    b->setFocusPolicy(Qt::ClickFocus);
    b->setStyleSheet(QLatin1String(kBoxStyle));
    b->setWrapping(false);
    b->setFrame(true);
    b->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    b->setButtonSymbols(QAbstractSpinBox::NoButtons);
    b->setDecimals(1);
    b->setMinimum(-96.0);
    b->setMaximum(0.0);
    b->setSingleStep(0.1);
    return b;
}

} // namespace

void Ui_MonitorControl::setupUi(QDialog *MonitorControl) {
    if (MonitorControl->objectName().isEmpty())
        MonitorControl->setObjectName(QStringLiteral("MonitorControl"));
    MonitorControl->resize(640, 480);
    MonitorControl->setMaximumSize(QSize(640, 480));
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    MonitorControl->setFont(font);
    MonitorControl->setStyleSheet(
        QStringLiteral("background-image: url(:/Resource/monicon/monicon_back_link.png);"));

    pB_mcLink = button(MonitorControl, "pB_mcLink", QRect(20, 90, 120, 25),
                       ":/Resource/monicon/monicon_link_1.png",
                       ":/Resource/monicon/monicon_link_0.png", QSize(120, 25));
    pB_mcLink->setChecked(true);
    cB_mcSourceL = list(MonitorControl, "cB_mcSourceL", QRect(20, 130, 120, 25));
    cB_mcSourceR = list(MonitorControl, "cB_mcSourceR", QRect(20, 160, 120, 25));
    label_mcSource = caption(MonitorControl, "label_mcSource", QRect(30, 30, 91, 21));
    label_mcOutput = caption(MonitorControl, "label_mcOutput", QRect(520, 30, 91, 21));
    pB_mcLineOut1_2 = button(MonitorControl, "pB_mcLineOut1_2", QRect(503, 91, 120, 50),
                             ":/Resource/monicon/monicon_out12_1.png",
                             ":/Resource/monicon/monicon_out12_0.png", QSize(120, 50));
    bG_OutputGroup = new QButtonGroup(MonitorControl);
    bG_OutputGroup->setObjectName(QStringLiteral("bG_OutputGroup"));
    bG_OutputGroup->addButton(pB_mcLineOut1_2);
    pB_mcLineOut3_4 = button(MonitorControl, "pB_mcLineOut3_4", QRect(503, 165, 120, 50),
                             ":/Resource/monicon/monicon_out34_1.png",
                             ":/Resource/monicon/monicon_out34_0.png", QSize(120, 50));
    bG_OutputGroup->addButton(pB_mcLineOut3_4);
    pB_mcLineOut3_4->setChecked(true);
    pB_mcLineOut5_6 = button(MonitorControl, "pB_mcLineOut5_6", QRect(503, 238, 120, 50),
                             ":/Resource/monicon/monicon_out56_1.png",
                             ":/Resource/monicon/monicon_out56_0.png", QSize(120, 50));
    bG_OutputGroup->addButton(pB_mcLineOut5_6);
    pB_mcLineOut7_8 = button(MonitorControl, "pB_mcLineOut7_8", QRect(503, 312, 120, 50),
                             ":/Resource/monicon/monicon_out78_1.png",
                             ":/Resource/monicon/monicon_out78_0.png", QSize(120, 50));
    bG_OutputGroup->addButton(pB_mcLineOut7_8);
    label_mcMonitor = caption(MonitorControl, "label_mcMonitor", QRect(370, 30, 111, 31));

    stackedWidget = new QStackedWidget(MonitorControl);
    stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    stackedWidget->setGeometry(QRect(0, 0, 360, 480));
    stackedWidget->setStyleSheet(
        QStringLiteral("background-image: url(:/Resource/monicon/monicon_back.png);"));
    stackedWidget->setFrameShape(QFrame::NoFrame);
    stackedWidget->setFrameShadow(QFrame::Plain);
    // Each page joins the stack before its children are made: a page joining later would have
    // the style of every child worked out again under the stack's style sheet.
    mono = new QWidget();
    mono->setObjectName(QStringLiteral("mono"));
    mono->setStyleSheet(
        QStringLiteral("background-image: url(:/Resource/monicon/monicon_back_link.png);"));
    stackedWidget->addWidget(mono);
    label_mcMono1 = caption(mono, "label_mcMono1", QRect(180, 30, 91, 21));
    label_mcMono1->setFrameShape(QFrame::NoFrame);
    label_mcMono2 = caption(mono, "label_mcMono2", QRect(276, 30, 91, 21));
    vS_mcMono2 = slider(mono, "vS_mcMono2", QRect(305, 120, 31, 325));
    vS_mcMono1 = slider(mono, "vS_mcMono1", QRect(206, 120, 31, 325));
    dSB_mcMono2View = box(mono, "dSB_mcMono2View", QRect(283, 87, 73, 25));
    dSB_mcMono1View = box(mono, "dSB_mcMono1View", QRect(184, 87, 73, 25));
    stereo = new QWidget();
    stereo->setObjectName(QStringLiteral("stereo"));
    stackedWidget->addWidget(stereo);
    vS_mcStereo = slider(stereo, "vS_mcStereo", QRect(229, 120, 31, 325));
    label_mcStereo = caption(stereo, "label_mcStereo", QRect(200, 30, 91, 21));
    dSB_mcStereoView = box(stereo, "dSB_mcStereoView", QRect(209, 87, 73, 25));
    dSB_mcMasterView = box(MonitorControl, "dSB_mcMasterView", QRect(384, 87, 73, 25));
    vS_mcMaster = slider(MonitorControl, "vS_mcMaster", QRect(405, 120, 31, 325));

    for (QWidget *w :
         std::initializer_list<QWidget *>{label_mcMono1, label_mcMono2, vS_mcMono2, vS_mcMono1,
                                          dSB_mcMono1View, dSB_mcMono2View})
        w->raise();
    for (QWidget *w : std::initializer_list<QWidget *>{
             stackedWidget, pB_mcLink, cB_mcSourceL, cB_mcSourceR, label_mcSource, pB_mcLineOut7_8,
             label_mcMonitor, pB_mcLineOut1_2, label_mcOutput, pB_mcLineOut5_6, pB_mcLineOut3_4,
             dSB_mcMasterView, vS_mcMaster})
        w->raise();

    retranslateUi(MonitorControl);
    stackedWidget->setCurrentIndex(0);
    QMetaObject::connectSlotsByName(MonitorControl);
}

void Ui_MonitorControl::retranslateUi(QDialog *MonitorControl) {
    const auto tr = [](const char *text) {
        return QCoreApplication::translate("MonitorControl", text, nullptr);
    };
    MonitorControl->setWindowTitle(tr("Monitor Control"));
    for (QPushButton *b :
         {pB_mcLink, pB_mcLineOut1_2, pB_mcLineOut3_4, pB_mcLineOut5_6, pB_mcLineOut7_8})
        b->setText(QString());
    label_mcSource->setText(tr("SOURCE"));
    label_mcOutput->setText(tr("OUTPUT"));
    label_mcMonitor->setText(tr("MONITOR\nMASTER"));
    label_mcMono1->setText(tr("LINE OUT 1"));
    label_mcMono2->setText(tr("LINE OUT 2"));
    label_mcStereo->setText(tr("LINE OUT 1-2"));

    static const char *const kLeft[18] = {
        "MASTER L",   "AUX 1",      "AUX 3",      "COMPUTER 1", "COMPUTER 3", "COMPUTER 5",
        "COMPUTER 7", "COMPUTER 9", "INPUT 1",    "INPUT 3",    "OPTICAL A1", "OPTICAL A3",
        "OPTICAL A5", "OPTICAL A7", "OPTICAL B1", "OPTICAL B3", "OPTICAL B5", "OPTICAL B7"};
    static const char *const kRight[18] = {
        "MASTER R",   "AUX 2",       "AUX 4",      "COMPUTER 2", "COMPUTER 4", "COMPUTER 6",
        "COMPUTER 8", "COMPUTER 10", "INPUT 2",    "INPUT 4",    "OPTICAL A2", "OPTICAL A4",
        "OPTICAL A6", "OPTICAL A8",  "OPTICAL B2", "OPTICAL B4", "OPTICAL B6", "OPTICAL B8"};
    cB_mcSourceL->clear();
    cB_mcSourceR->clear();
    for (int i = 0; i < 18; ++i) {
        cB_mcSourceL->insertItem(i, tr(kLeft[i]));
        cB_mcSourceR->insertItem(i, tr(kRight[i]));
    }
    for (QDoubleSpinBox *b :
         {dSB_mcMono2View, dSB_mcMono1View, dSB_mcStereoView, dSB_mcMasterView}) {
        b->setSpecialValueText(tr("-inf."));
        b->setSuffix(tr(" dB"));
    }
}
