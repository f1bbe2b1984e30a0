// The compressor transfer curve of the selected channel, drawn from the static threshold and
// ratio steps; every paint also reports the gain-reduction meter's state.
#pragma once

#include <QLabel>
#include <QString>

class DrawCompressor : public QLabel {
    Q_OBJECT
public:
    explicit DrawCompressor(QWidget *parent = nullptr);

    static unsigned char cThreshold; // 0..32
    static unsigned char cRatio;     // 0..14

    // Curve points per [threshold][ratio]: right edge x, right edge y, knee x, knee y.
    struct CurvePoint {
        unsigned char edgeX, edgeY, kneeX, kneeY;
    };
    static CurvePoint compCurvePoints(int threshold, int ratio);

    void drawCompGraph();

signals:
    void sig_changeColorComp(QString status);

protected:
    void paintEvent(QPaintEvent *event) override;
};
