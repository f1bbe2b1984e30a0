// The reverb decay picture: a pre-delay block and a ramp as long as the reverb time, in
// colour while the reverb is on.
#pragma once

#include <QLabel>
#include <QString>

class DrawReverb : public QLabel {
    Q_OBJECT
public:
    explicit DrawReverb(QWidget *parent = nullptr);

    static unsigned char cPreDelay;   // 0..25 pixels
    static unsigned char cReverbTime; // 2..200 pixels
    static bool cDrawColor;

    void drawReverbGraph();

signals:
    void sig_changeColorReverb(QString status);

protected:
    void paintEvent(QPaintEvent *event) override;
};
