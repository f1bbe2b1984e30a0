// Shared by the controls' suites: one emulated unit plugged for the whole suite with the
// global store ready, empty settings files and fresh program-wide control state before each
// case, what reached the unit as readable events, synthetic mouse events with explicit
// positions, and a fresh settings object for reading back what was stored.
#pragma once

#include "ChannelControl.h"
#include "DataManager.h"
#include "DialControl.h"
#include "DialControlSend.h"
#include "DrawCompressor.h"
#include "DrawEq.h"
#include "DrawReverb.h"
#include "StoreUnitFixture.h"

#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QSettings>
#include <QSignalSpy>
#include <QStringList>
#include <QtTest>

#include <memory>

// Signals of the controls carry the event; spies record it.
Q_DECLARE_METATYPE(QMouseEvent *)

namespace ctltest {

// A value as a fresh settings object on the current-state file reads it.
inline QVariant stored(const QString &group, const QString &key) {
    return storedIn(settingsName, group, key);
}

inline void store(const QString &group, const QString &key, const QVariant &value) {
    storeIn(settingsName, group, key, value);
}

inline QStringList storedGroups() {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, organizationName, settingsName);
    return s.childGroups();
}

inline QStringList storedKeys(const QString &group) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, organizationName, settingsName);
    s.beginGroup(group);
    return s.childKeys();
}

// Mouse events with explicit local and screen positions.
inline std::unique_ptr<QMouseEvent> mouse(QEvent::Type type, QPointF local, QPointF screen = {},
                                          Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButton b = type == QEvent::MouseMove ? Qt::NoButton : button;
    return std::make_unique<QMouseEvent>(type, local, screen, b, button, Qt::NoModifier);
}
inline std::unique_ptr<QMouseEvent> pressAt(double y) {
    return mouse(QEvent::MouseButtonPress, QPointF(5, y));
}
inline std::unique_ptr<QMouseEvent> moveTo(double y) {
    return mouse(QEvent::MouseMove, QPointF(5, y));
}

inline QImage image(const QLabel *label) {
    return label->pixmap(Qt::ReturnByValue).toImage();
}

// Back to the state of a fresh start for everything program-wide in the controls.
inline void resetControlState() {
    ChannelControl::selectedCh = QStringLiteral("none");
    std::fill(std::begin(ChannelControl::eqCache), std::end(ChannelControl::eqCache),
              EqParameter{});
    std::fill(std::begin(ChannelControl::compCache), std::end(ChannelControl::compCache),
              CompParameter{});
    std::fill(std::begin(ChannelControl::linkedCh), std::end(ChannelControl::linkedCh), false);
    DialControl::firstPress_y = DialControl::iKnobValue = 0;
    DialControl::throughDoubleClick = false;
    DialControlSend::firstPressSend_y = DialControlSend::iKnobValueSend = 0;
    DialControlSend::throughDoubleClickSend = 0;
    DrawEq::cLowGain = DrawEq::cHighGain = DrawEq::cLowMidGain = DrawEq::cHighMidGain = 0;
    DrawEq::cLowFreq = DrawEq::cHighFreq = DrawEq::cLowMidFreq = DrawEq::cHighMidFreq = 0;
    DrawEq::cLowMidQ = DrawEq::cHighMidQ = 0;
    DrawEq::bLowCutFilter = false;
    DrawCompressor::cThreshold = DrawCompressor::cRatio = 0;
    DrawReverb::cPreDelay = DrawReverb::cReverbTime = 0;
    DrawReverb::cDrawColor = false;
}

// What reached the unit, one readable event per applied group:
//   "eq <ch> b<band> on<on> g<gain> f<freq> q<q>", "comp <ch> on<on> t<thr> r<ratio> ...",
//   "fader <type>:<no> <level>", "pan <type>:<no> <value>", "mute|solo|phase <type>:<no> <v>",
//   "send <type>:<no>><bus> p<pos> l<level>", "assign <type>:<no>><type>:<no>".
inline QStringList events(const QVector<EmulatedUnit::Element> &elements) {
    QStringList out;
    int chType = 0, chNo = 0, band = 0, gain = 0, freq = 0, q = 0;
    int thr = 0, ratio = 0, attack = 0, release = 0, cgain = 0, link = 0, pos = 0, level = 0;
    QString source, destination;
    const auto ch = [&] { return QStringLiteral("%1:%2").arg(chType).arg(chNo); };
    for (const auto &e : elements) {
        const int v = int(e.value);
        switch (e.tag) {
        case KXCTL_TAG_CH:
            chType = v;
            break;
        case KXCTL_TAG_CH_NO:
            chNo = v;
            break;
        case KXCTL_TAG_EQ_BAND:
            band = v;
            break;
        case KXCTL_TAG_EQ_GAIN:
            gain = v;
            break;
        case KXCTL_TAG_EQ_FREQ:
            freq = v;
            break;
        case KXCTL_TAG_EQ_Q:
            q = v;
            break;
        case KXCTL_TAG_EQ_ON:
            out << QStringLiteral("eq %1 b%2 on%3 g%4 f%5 q%6")
                       .arg(chNo)
                       .arg(band)
                       .arg(v)
                       .arg(gain)
                       .arg(freq)
                       .arg(q);
            break;
        case KXCTL_TAG_COMP_THRESHOLD:
            thr = v;
            break;
        case KXCTL_TAG_COMP_RATIO:
            ratio = v;
            break;
        case KXCTL_TAG_COMP_ATTACK:
            attack = v;
            break;
        case KXCTL_TAG_COMP_RELEASE:
            release = v;
            break;
        case KXCTL_TAG_COMP_GAIN:
            cgain = v;
            break;
        case KXCTL_TAG_COMP_LINK:
            link = v;
            break;
        case KXCTL_TAG_COMP_ON:
            out << QStringLiteral("comp %1 on%2 t%3 r%4 a%5 rl%6 g%7 l%8")
                       .arg(chNo)
                       .arg(v)
                       .arg(thr)
                       .arg(ratio)
                       .arg(attack)
                       .arg(release)
                       .arg(cgain)
                       .arg(link);
            break;
        case KXCTL_TAG_FADER:
            out << QStringLiteral("fader %1 %2").arg(ch()).arg(int(int16_t(v)));
            break;
        case KXCTL_TAG_PAN:
            out << QStringLiteral("pan %1 %2").arg(ch()).arg(v);
            break;
        case KXCTL_TAG_MUTE:
            out << QStringLiteral("mute %1 %2").arg(ch()).arg(v);
            break;
        case KXCTL_TAG_SOLO:
            out << QStringLiteral("solo %1 %2").arg(ch()).arg(v);
            break;
        case KXCTL_TAG_PHASE:
            out << QStringLiteral("phase %1 %2").arg(ch()).arg(v);
            break;
        case KXCTL_TAG_SOURCE:
            source = ch();
            break;
        case KXCTL_TAG_DESTINATION:
            destination = ch();
            break;
        case KXCTL_TAG_SEND_POS:
            pos = v;
            break;
        case KXCTL_TAG_SEND_LEVEL:
            level = int(int8_t(v));
            break;
        case KXCTL_TAG_SEND_APPLY:
            out << QStringLiteral("send %1>%2 p%3 l%4")
                       .arg(source, destination)
                       .arg(pos)
                       .arg(level);
            break;
        case KXCTL_TAG_ASSIGN:
            out << QStringLiteral("assign %1>%2").arg(source, destination);
            break;
        default:
            break;
        }
    }
    return out;
}

// What the unit receives for one band of a cached record, by the store's own codes.
inline QString eqEvent(const EqParameter &r, BandType band) {
    const unsigned char gains[4] = {r.lowGain, r.lowMidGain, r.highMidGain, r.highGain};
    const unsigned char g = gains[band] == 255 ? 255 : DataManager::exchangeEqGain(gains[band]);
    int f = 0, q = 255;
    switch (band) {
    case kBandLow:
        f = DataManager::exchangeEqLowFreq(r.lowFreq);
        break;
    case kBandLowMid:
        f = DataManager::exchangeEqMidFreq(r.lowMidFreq);
        q = DataManager::exchangeEqMidq(r.lowMidQ);
        break;
    case kBandHighMid:
        f = DataManager::exchangeEqMidFreq(r.highMidFreq);
        q = DataManager::exchangeEqMidq(r.highMidQ);
        break;
    case kBandHigh:
        f = DataManager::exchangeEqHighFreq(r.highFreq);
        break;
    }
    return QStringLiteral("eq %1 b%2 on%3 g%4 f%5 q%6")
        .arg(r.channel)
        .arg(band + 1)
        .arg(r.eqOn & 1)
        .arg(g)
        .arg(f)
        .arg(q);
}

inline QStringList allBands(const EqParameter &r) {
    return {eqEvent(r, kBandLow), eqEvent(r, kBandLowMid), eqEvent(r, kBandHighMid),
            eqEvent(r, kBandHigh)};
}

// What the unit receives for a cached compressor record, by the store's own codes.
inline QString compEvent(const CompParameter &r) {
    const int link = !(r.linked & 1)   ? KXMSG_DATA_CH_TYPE_MONO
                     : (r.channel & 1) ? KXMSG_DATA_CH_TYPE_STEREO_ODD
                                       : KXMSG_DATA_CH_TYPE_STEREO_EVEN;
    return QStringLiteral("comp %1 on%2 t%3 r%4 a%5 rl%6 g%7 l%8")
        .arg(r.channel)
        .arg(r.compOn & 1)
        .arg(DataManager::exchangeCompThreshold(r.threshold))
        .arg(DataManager::exchangeCompRatio(r.ratio))
        .arg(DataManager::exchangeCompAttack(r.attack))
        .arg(DataManager::exchangeCompRelease(r.release))
        .arg(DataManager::exchangeCompGain(r.gain))
        .arg(link);
}

class ControlsFixture : public StoreUnitFixture {
public:
    void start() {
        qRegisterMetaType<QMouseEvent *>();
        StoreUnitFixture::start();
    }

    // Before each case also the controls' program-wide state as at start.
    void reset() {
        StoreUnitFixture::reset();
        resetControlState();
    }

    QStringList received() {
        settle();
        return events(unit_->elements());
    }
    void clearLog() {
        settle();
        unit_->clearLog();
    }
};

} // namespace ctltest
