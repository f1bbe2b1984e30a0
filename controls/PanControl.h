// The pan indicator of a channel strip: a small picture dragged sideways. The widget only
// turns its mouse events into signals; ChannelControl moves it and stores the pan.
#pragma once

#include <QLabel>

class QMouseEvent;

class PanControl : public QLabel {
    Q_OBJECT
public:
    explicit PanControl(QWidget *parent = nullptr);

    // One drag step: x right of the last x adds, a leftward step is taken off only when it
    // does not pass below 0. Signed coordinates, so screens left of the primary work.
    void calPanPosition(unsigned short *position, int pressX, int x);
    void setPanPosition(PanControl *knob, int x, int y);
    void setPanValue(QLabel *label, QString text);

signals:
    void panknob_Pressed(QMouseEvent *event);
    void panknob_Moved(QMouseEvent *event);
    void panknob_Released();
    void panknob_DoubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};
