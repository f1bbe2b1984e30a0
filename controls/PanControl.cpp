// Pan indicator widget and its position helpers.
#include "PanControl.h"

#include <QMouseEvent>

PanControl::PanControl(QWidget *parent) : QLabel(parent) {}

void PanControl::calPanPosition(unsigned short *position, int pressX, int x) {
    if (x > pressX) {
        *position = (unsigned short)std::min(int(*position) + (x - pressX), 0xffff);
        return;
    }
    const int d = pressX - x;
    if (d <= *position)
        *position = (unsigned short)(*position - d);
}

void PanControl::setPanPosition(PanControl *knob, int x, int y) {
    if (knob)
        knob->setGeometry(QRect(QPoint(x, y), QPoint(x + 15, y + 11)));
}

void PanControl::setPanValue(QLabel *label, QString text) {
    if (label)
        label->setText(text);
}

void PanControl::mousePressEvent(QMouseEvent *event) {
    emit panknob_Pressed(event);
}
void PanControl::mouseReleaseEvent(QMouseEvent *) {
    emit panknob_Released();
}
void PanControl::mouseDoubleClickEvent(QMouseEvent *) {
    emit panknob_DoubleClicked();
}
void PanControl::mouseMoveEvent(QMouseEvent *event) {
    emit panknob_Moved(event);
}
