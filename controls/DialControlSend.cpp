// Send and return level knob.
#include "DialControlSend.h"

#include "Artwork.h"
#include "ChannelControl.h"
#include "ControlTables.h"
#include "DataManager.h"

#include <QMouseEvent>

#include <algorithm>

using namespace controltables;

short DialControlSend::firstPressSend_y = 0;
short DialControlSend::iKnobValueSend = 0;
unsigned char DialControlSend::throughDoubleClickSend = 0;

namespace {

const QString kReturn = QStringLiteral("Return");

unsigned short storedLevel(const QString &track, const QString &send) {
    return send == kReturn ? dm.getReturnLevel() : dm.getSendLevel(track, send);
}

} // namespace

DialControlSend::DialControlSend(QWidget *parent)
    : QLabel(parent), knobImages(artwork::knobFrames(":/Resource/track/knob_send/knob_L_%1.png")) {}

void DialControlSend::mousePressEvent(QMouseEvent *event) {
    emit sendDialKnob_Pressed(event);
}
void DialControlSend::mouseReleaseEvent(QMouseEvent *event) {
    emit sendDialKnob_Released(event);
}
void DialControlSend::mouseMoveEvent(QMouseEvent *event) {
    emit sendDialKnob_Moved(event);
}

// A stored position outside 0..127 is looked up at its nearest end.
void DialControlSend::setSendDialEncImage(DialControlSend *knob, short position) {
    if (!knob)
        return;
    knob->setPixmap(knobImages[size_t(sendPicture(position))]);
    knob->setFixedSize(26, 26);
}

QString DialControlSend::setSendEncValue(QLabel *label, short position) {
    const QString text = sendText(position);
    if (label)
        label->setText(text);
    return text;
}

void DialControlSend::calSendEncValue(short *value, short firstY, short y) {
    *value = short(std::clamp(int(short(*value + firstY - y)), 0, 127));
}

short DialControlSend::calSendExchangeValue(short value) {
    return value;
}

void DialControlSend::pressSendKnob(QMouseEvent *event, QString track, QString send) {
    throughDoubleClickSend = 1;
    firstPressSend_y = short(roundHalfUp(event->localPos().y()));
    iKnobValueSend = short(storedLevel(track, send));
}

void DialControlSend::rotateSendKnob(QMouseEvent *event, QString track, QString send) {
    if (!throughDoubleClickSend)
        return;
    const short y = short(roundHalfUp(event->localPos().y()));
    calSendEncValue(&iKnobValueSend, firstPressSend_y, y);
    setSendDialEncImage(sendKnob, iKnobValueSend);
    const QString text = setSendEncValue(sendDisplay, iKnobValueSend);
    firstPressSend_y = y;
    // A stereo strip's knob only shows; the window stores through both mono tracks.
    if (ChannelControl::exChangeToMonoOdd(track) == QLatin1String("NotStereo"))
        dm.notifySendLevel(track, send, iKnobValueSend, text);
}

void DialControlSend::loadSendKnob(QString track, QString send) {
    const short position = short(storedLevel(track, send));
    setSendDialEncImage(sendKnob, position);
    setSendEncValue(sendDisplay, position);
}

void DialControlSend::updateSendKnob(QString fromTrack, QString toTrack) {
    for (const char *send : {"Send1", "Send2", "Send3", "Send4"}) {
        const QString name = QLatin1String(send);
        dm.notifySendLevel(toTrack, name, dm.getSendLevel(fromTrack, name),
                           dm.getSendValue(fromTrack, name));
    }
}
