// Label fader: rows, row texts and the text-to-row search over the shared fader table.
#include "fader.h"

#include "ControlTables.h"

#include <QMouseEvent>

#include <algorithm>

using namespace controltables;

fader::fader(QWidget *parent) : QLabel(parent) {}

void fader::calFaderPosition(unsigned short *row, int pressY, int y) {
    *row = (unsigned short)std::clamp(int(*row) + y - pressY, kFaderTop, kFaderBottom);
}

void fader::setFaderPosition(QLabel *knob, int x, int y) {
    if (knob)
        knob->setGeometry(QRect(QPoint(x, y), QPoint(x + 19, y + 29)));
}

QString fader::setFaderValue(QLabel *label, int row) {
    const QString text = faderText(row);
    if (label)
        label->setText(text);
    return text;
}

unsigned short fader::searchFaderPosition(QString text) {
    return (unsigned short)faderRowOfText(text);
}

void fader::mousePressEvent(QMouseEvent *event) {
    emit Faderknob_Pressed(event);
}
void fader::mouseDoubleClickEvent(QMouseEvent *) {
    emit Faderknob_DoubleClicked();
}
void fader::mouseMoveEvent(QMouseEvent *event) {
    emit Faderknob_Moved(event);
}
