// A label-based vertical fader: a cap dragged up and down whose row maps to a level. Kept
// beside the window's slider faders; ChannelControl carries the path from mouse to store.
#pragma once

#include <QLabel>

class QMouseEvent;

class fader : public QLabel {
    Q_OBJECT
public:
    explicit fader(QWidget *parent = nullptr);

    // row += y - pressY, held within 352 (top, +6 dB) .. 453 (minus infinity).
    void calFaderPosition(unsigned short *row, int pressY, int y);
    void setFaderPosition(QLabel *knob, int x, int y);
    QString setFaderValue(QLabel *label, int row);
    unsigned short searchFaderPosition(QString text);

signals:
    void Faderknob_Pressed(QMouseEvent *event);
    void Faderknob_Moved(QMouseEvent *event);
    void Faderknob_DoubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};
