// The small rotary knob of the effect editor (equaliser, compressor, reverb). A form knob only
// turns its mouse events into signals; the main window's hidden working instances do the
// work on the knob and value label written into `dialKnob` and `dialDisplay` before each
// call: a press starts a drag, each move is one step (one pixel, one position, up raises),
// and every step draws, feeds the graph inputs, stores and reaches the channel caches.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QString>
#include <QVariant>

#include <vector>

class QMouseEvent;

class DialControl : public QLabel {
    Q_OBJECT
public:
    explicit DialControl(QWidget *parent = nullptr);

    DialControl *dialKnob = nullptr;
    QLabel *dialDisplay = nullptr;
    std::vector<QPixmap> knobImages;

    // Drag state shared by every knob of this class.
    static short firstPress_y;
    static short iKnobValue;
    static bool throughDoubleClick; // the four equaliser gain knobs only

    // Frame.
    void setDialEncImage(DialControl *knob, short position);
    static void calGainEncValue(short *value, short firstY, short y);

    // Equaliser gains. Graph band code: 0 low, 1 high, 2 low-mid, 3 high-mid, other none.
    static short calGainExchangeValue(short position, unsigned char graphBand);
    static void setGainEncValue(QLabel *label, short position);
    void pressHighGainKnob(QMouseEvent *event);
    void pressHighMidGainKnob(QMouseEvent *event);
    void pressLowMidGainKnob(QMouseEvent *event);
    void pressLowGainKnob(QMouseEvent *event);
    void rotateHighGainKnob(QMouseEvent *event);
    void rotateHighMidGainKnob(QMouseEvent *event);
    void rotateLowMidGainKnob(QMouseEvent *event);
    void rotateLowGainKnob(QMouseEvent *event);
    void doubleClickHighGainKnob();
    void doubleClickHighMidGainKnob();
    void doubleClickLowMidGainKnob();
    void doubleClickLowGainKnob();
    void loadEqHighGain(QString track);
    void loadEqHighMidGain(QString track);
    void loadEqLowMidGain(QString track);
    void loadEqLowGain(QString track);
    void updateEqHighGain(QString from, QString to);
    void updateEqHighMidGain(QString from, QString to);
    void updateEqLowMidGain(QString from, QString to);
    void updateEqLowGain(QString from, QString to);
    void setLowCutFilterStatus(bool on);
    void setLowCutFilterGain();
    void setLowCutFilterFreq();

    // Equaliser frequencies and Q. Mid band argument: 2 low-mid, 3 high-mid set the graph.
    static QString calLowFreqExchangeValue(short position);
    static QString calHighFreqExchangeValue(short position);
    static QString calMidFreqExchangeValue(short position, unsigned char band);
    static QString calQExchangeValue(short position, unsigned char band);
    static void setLowFreqEncValue(QLabel *label, short position);
    static void setHighFreqEncValue(QLabel *label, short position);
    static void setMidFreqEncValue(QLabel *label, short position, unsigned char band);
    static void setQEncValue(QLabel *label, short position, unsigned char band);
    void setDialEncImage_Q(DialControl *knob, short position);
    void pressLowFreqKnob(QMouseEvent *event);
    void pressLowMidFreqKnob(QMouseEvent *event);
    void pressHighMidFreqKnob(QMouseEvent *event);
    void pressHighFreqKnob(QMouseEvent *event);
    void pressLowMidQKnob(QMouseEvent *event);
    void pressHighMidQKnob(QMouseEvent *event);
    void rotateLowFreqKnob(QMouseEvent *event);
    void rotateLowMidFreqKnob(QMouseEvent *event);
    void rotateHighMidFreqKnob(QMouseEvent *event);
    void rotateHighFreqKnob(QMouseEvent *event);
    void rotateLowMidQKnob(QMouseEvent *event);
    void rotateHighMidQKnob(QMouseEvent *event);
    void updateEqLowFreq(QString from, QString to);
    void updateEqLowMidFreq(QString from, QString to);
    void updateEqHighMidFreq(QString from, QString to);
    void updateEqHighFreq(QString from, QString to);
    void updateEqLowMidQ(QString from, QString to);
    void updateEqHighMidQ(QString from, QString to);
    void loadEqLowFreq(QString track);
    void loadEqLowMidFreq(QString track);
    void loadEqHighMidFreq(QString track);
    void loadEqHighFreq(QString track);
    void loadEqLowMidQ(QString track);
    void loadEqHighMidQ(QString track);

    // Compressor.
    static QString calCompThresholdExchangeValue(short position);
    static QString calCompRatioExchangeValue(short position);
    static short calCompGainExchangeValue(short position);
    static short calCompAttackExchangeValue(short position);
    static short calCompReleaseExchangeValue(short position);
    static void setCompThresholdEncValue(QLabel *label, short position);
    static void setCompRatioEncValue(QLabel *label, short position);
    static void setCompGainEncValue(QLabel *label, short position);
    static void setCompAttackEncValue(QLabel *label, short position);
    static void setCompReleaseEncValue(QLabel *label, short position);
    void setDialEncImage_Ratio(DialControl *knob, short position);
    void pressCompThresholdKnob(QMouseEvent *event);
    void pressCompRatioKnob(QMouseEvent *event);
    void pressCompGainKnob(QMouseEvent *event);
    void pressCompAttackKnob(QMouseEvent *event);
    void pressCompReleaseKnob(QMouseEvent *event);
    void rotateCompThresholdKnob(QMouseEvent *event);
    void rotateCompRatioKnob(QMouseEvent *event);
    void rotateCompGainKnob(QMouseEvent *event);
    void rotateCompAttackKnob(QMouseEvent *event);
    void rotateCompReleaseKnob(QMouseEvent *event);
    void updateCompThreshold(QString from, QString to);
    void updateCompRatio(QString from, QString to);
    void updateCompGain(QString from, QString to);
    void updateCompAttack(QString from, QString to);
    void updateCompRelease(QString from, QString to);
    void loadCompThreshold(QString track);
    void loadCompRatio(QString track);
    void loadCompGain(QString track);
    void loadCompAttack(QString track);
    void loadCompRelease(QString track);

    // Reverb, per type name ("HALL", "ROOM", "LIVE", "STUDIO", "PLATE").
    void pressRvbPreDelayKnob(QMouseEvent *event, QString type);
    void rotateRvbPreDelayKnob(QMouseEvent *event, QString type);
    void loadRvbPreDelay(QString type);
    void pressRvbTimeKnob(QMouseEvent *event, QString type);
    void rotateRvbTimeKnob(QMouseEvent *event, QString type);
    void loadRvbTime(QString type);
    void pressRvbDiffKnob(QMouseEvent *event, QString type);
    void rotateRvbDiffKnob(QMouseEvent *event, QString type);
    void loadRvbDiff(QString type);
    void setDialEncImage_RvbPreDelay(DialControl *knob, short position);
    void setDialEncImage_RvbTime(DialControl *knob, short position);
    void setDialEncImage_RvbDiff(DialControl *knob, short position);
    static void setRvbTimeEncValue(QLabel *label, short position);
    static QString calRvbTimeExchangeValue(short position);
    static void setRvbPreDelayEncValue(QLabel *label, short position);
    static void setRvbDiffEncValue(QLabel *label, short position);
    static void calRvbPreDelayEncValue(short *value, short firstY, short y);

    // Knob families; every named operation above hands its own row to these.
    enum Knob {
        kHighGain,
        kHighMidGain,
        kLowMidGain,
        kLowGain,
        kLowFreq,
        kLowMidFreq,
        kHighMidFreq,
        kHighFreq,
        kLowMidQ,
        kHighMidQ,
        kCompThreshold,
        kCompRatio,
        kCompGain,
        kCompAttack,
        kCompRelease,
        kKnobCount
    };
    enum ReverbKnob { kRvbPreDelay, kRvbTime, kRvbDiff, kReverbKnobCount };
    void pressKnob(Knob knob, QMouseEvent *event);
    void rotateKnob(Knob knob, QMouseEvent *event);
    void resetKnob(Knob knob);
    void loadKnob(Knob knob, const QString &track);
    void updateKnob(Knob knob, const QString &from, const QString &to);
    void pressReverbKnob(ReverbKnob knob, QMouseEvent *event, const QString &type);
    void rotateReverbKnob(ReverbKnob knob, QMouseEvent *event, const QString &type);
    void loadReverbKnob(ReverbKnob knob, const QString &type);

signals:
    void dialknob_Pressed(QMouseEvent *event);
    void dialknob_Moved(QMouseEvent *event);
    void dialknob_DoubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void showPicture(DialControl *knob, int picture);
    void showKnob(Knob knob, short position);
    void applyKnob(Knob knob, short position);
    static short dragStep(QMouseEvent *event, int low, int high);
};
