// The equaliser response graph of the effect editor: the sum of the four bands over a
// logarithmic frequency axis, filled against the 0 dB line. It draws only from the static
// graph inputs that the equaliser knobs write as they convert positions.
#pragma once

#include <QLabel>

class DrawEq : public QLabel {
    Q_OBJECT
public:
    explicit DrawEq(QWidget *parent = nullptr);

    static signed char cLowGain;
    static unsigned char cLowFreq;
    static signed char cHighGain;
    static unsigned char cHighFreq;
    static signed char cLowMidGain;
    static unsigned char cLowMidFreq;
    static unsigned char cLowMidQ;
    static signed char cHighMidGain;
    static unsigned char cHighMidFreq;
    static unsigned char cHighMidQ;
    static bool bLowCutFilter;

    // Graph column of each frequency step, and the response shapes around a band's column
    // (index 202 is the band's own column).
    static const unsigned int eqFreqX[66];
    static const unsigned int *eqLowCutCurve();
    static const unsigned int *eqLowShelfCurve();
    static const unsigned int *eqHighShelfCurve();
    static const unsigned int *eqPeakCurve(int qStep);

    void drawEqGraph();
    static short calcEqGraph(unsigned short column);

protected:
    void paintEvent(QPaintEvent *event) override;
};
