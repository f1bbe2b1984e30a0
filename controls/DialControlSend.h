// The level knob of the sends and the reverb return. Form knobs only signal; the main
// window's working instance draws on `sendKnob` and `sendDisplay`, follows the drag and
// stores the level, whose unit value the store takes from the position's text.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QString>

#include <vector>

class QMouseEvent;

class DialControlSend : public QLabel {
    Q_OBJECT
public:
    explicit DialControlSend(QWidget *parent = nullptr);

    DialControlSend *sendKnob = nullptr;
    QLabel *sendDisplay = nullptr;
    std::vector<QPixmap> knobImages;

    // Drag state shared by every send knob, apart from that of the effect knobs.
    static short firstPressSend_y;
    static short iKnobValueSend;
    static unsigned char throughDoubleClickSend;

    void pressSendKnob(QMouseEvent *event, QString track, QString send);
    void rotateSendKnob(QMouseEvent *event, QString track, QString send);
    void loadSendKnob(QString track, QString send);
    void updateSendKnob(QString fromTrack, QString toTrack);
    void setSendDialEncImage(DialControlSend *knob, short position);
    QString setSendEncValue(QLabel *label, short position);
    static void calSendEncValue(short *value, short firstY, short y);
    static short calSendExchangeValue(short value);

signals:
    void sendDialKnob_Pressed(QMouseEvent *event);
    void sendDialKnob_Moved(QMouseEvent *event);
    void sendDialKnob_Released(QMouseEvent *event);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};
