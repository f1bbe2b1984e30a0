// Shared by the store's suites: one emulated unit plugged for the whole suite and the global
// store made ready, empty settings files before each case, what reached the unit as text,
// and the elements of the unit's groups to compare it with.
#pragma once

#include "DataManager.h"
#include "StoreUnitFixture.h"

#include <QSettings>
#include <QSignalSpy>
#include <QStringList>
#include <QtTest>

namespace storetest {

using Element = EmulatedUnit::Element;
using Wire = QVector<Element>;

inline Element u8(uint8_t tag, uint32_t value) {
    return Element{tag, KXMSG_TYPE_U8, value & 0xffu, QByteArray()};
}
inline Element u16(uint8_t tag, int value) {
    return Element{tag, KXMSG_TYPE_U16, uint32_t(uint16_t(value)), QByteArray()};
}
inline Element mark(uint8_t tag) {
    return Element{tag, KXMSG_TYPE_NONE, 0, QByteArray()};
}
inline Wire channel(int type, int no) {
    return {u8(KXCTL_TAG_CH, uint32_t(type)), u8(KXCTL_TAG_CH_NO, uint32_t(no))};
}
inline Wire fader(int type, int no, int level) {
    return channel(type, no) << u16(KXCTL_TAG_FADER, level);
}
inline Wire byteParam(int type, int no, uint8_t tag, int value) {
    return channel(type, no) << u8(tag, uint32_t(value));
}
inline Wire send(int type, int no, int bus, int pos, int level) {
    return channel(type, no) << mark(KXCTL_TAG_SOURCE) << channel(KXMSG_DATA_CH_AUX_SEND, bus)
                             << mark(KXCTL_TAG_DESTINATION) << u8(KXCTL_TAG_SEND_POS, uint32_t(pos))
                             << u8(KXCTL_TAG_SEND_LEVEL, uint32_t(uint8_t(level)))
                             << mark(KXCTL_TAG_SEND_APPLY);
}
inline Wire assign(int srcType, int srcNo, int dstType, int dstNo) {
    return channel(srcType, srcNo) << mark(KXCTL_TAG_SOURCE) << channel(dstType, dstNo)
                                   << mark(KXCTL_TAG_DESTINATION) << mark(KXCTL_TAG_ASSIGN);
}
inline Wire eq(int no, int on, int band, int gain, int freq, int q) {
    return channel(KXMSG_DATA_CH_MIXER_INPUT, no)
           << u8(KXCTL_TAG_EQ_BAND, uint32_t(band)) << u8(KXCTL_TAG_EQ_GAIN, uint32_t(gain))
           << u8(KXCTL_TAG_EQ_FREQ, uint32_t(freq)) << u8(KXCTL_TAG_EQ_Q, uint32_t(q))
           << u8(KXCTL_TAG_EQ_ON, uint32_t(on));
}
inline Wire comp(int no, int on, int threshold, int ratio, int attack, int release, int gain,
                 int link) {
    return channel(KXMSG_DATA_CH_MIXER_INPUT, no)
           << u8(KXCTL_TAG_COMP_THRESHOLD, uint32_t(threshold))
           << u8(KXCTL_TAG_COMP_RATIO, uint32_t(ratio))
           << u8(KXCTL_TAG_COMP_ATTACK, uint32_t(attack))
           << u8(KXCTL_TAG_COMP_RELEASE, uint32_t(release))
           << u8(KXCTL_TAG_COMP_GAIN, uint32_t(gain)) << u8(KXCTL_TAG_COMP_LINK, uint32_t(link))
           << u8(KXCTL_TAG_COMP_ON, uint32_t(on));
}
inline Wire reverb(int type, int preDelay, int time, int diffusion) {
    return {u8(KXCTL_TAG_REVERB_TYPE, uint32_t(type)),
            u8(KXCTL_TAG_REVERB_PREDELAY, uint32_t(preDelay)),
            u8(KXCTL_TAG_REVERB_TIME, uint32_t(time)),
            u8(KXCTL_TAG_REVERB_DIFFUSION, uint32_t(diffusion)), mark(KXCTL_TAG_REVERB_APPLY)};
}
inline Wire returnLevel(int on, int level) {
    return {u8(KXCTL_TAG_RETURN_LEVEL, uint32_t(uint8_t(level))),
            u8(KXCTL_TAG_RETURN_ON, uint32_t(on))};
}
inline Wire clockSource(int source) {
    return {u8(KXCTL_TAG_SET_CLOCKSOURCE, uint32_t(source))};
}
inline Wire opticalFormat(int source, int mode) {
    return {u8(KXCTL_TAG_CLOCK_SRC, uint32_t(source)), u8(KXCTL_TAG_ADAT_X4MODE, uint32_t(mode))};
}

// Elements as "tag:value" words, so that a mismatch shows where it starts.
inline QString text(const Wire &wire) {
    QStringList words;
    for (const Element &e : wire)
        words << (e.type == KXMSG_TYPE_NONE ? QString::number(e.tag)
                                            : QStringLiteral("%1:%2").arg(e.tag).arg(e.value));
    return words.join(QLatin1Char(' '));
}

inline QVariant stored(const QString &application, const QString &group, const QString &key) {
    return storedIn(application, group, key);
}
inline QVariant storedMixer(const QString &group, const QString &key) {
    return storedIn(settingsName, group, key);
}
inline void storeMixer(const QString &group, const QString &key, const QVariant &value) {
    storeIn(settingsName, group, key, value);
}

class StoreFixture : public StoreUnitFixture {
public:
    // What reached the unit once the link is idle, so that nothing more is on its way.
    Wire received() {
        settle();
        return unit_->elements();
    }
    QString receivedText() { return text(received()); }
};

} // namespace storetest

Q_DECLARE_METATYPE(storetest::Wire)
