#include "InformationBox.h"

#include <QImage>
#include <QPainter>

InformationBox::InformationBox(QWidget *parent) : QWidget(parent) {
    setupUi(this);
    // Users read the tick when a button is pressed; the box itself never reacts to it.
    dontShowCheckBox->blockSignals(true);
    setWindowFlags(Qt::Widget | Qt::CustomizeWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowTitleHint);
    textMessage->setStyleSheet(QStringLiteral("color: black; font-size: 12px"));
}

InformationBox::~InformationBox() = default;

void InformationBox::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Loaded on each paint; a picture that cannot be loaded is a null image and draws nothing.
    const QImage background(QStringLiteral(":/Resource/update/info_570x160_icon.png"));
    painter.drawImage(QPoint(0, 0), background);
}
