// A software model of the interface on the virtual USB bus. It decodes every message it is
// sent with the project's codec, applies the settings to its state, logs the elements it
// received, answers queries with the ready element, and can be told to misbehave. It knows the
// legal range of every element it accepts and keeps the ones outside it, so suites can assert
// that the panel never sends the unit a value it cannot take. On request its meters move like
// a live signal that follows its own mixer state, for the demo.
#pragma once

#include "virtualbus.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

class EmulatedUnit : public usbhost::VirtualDevice,
                     public std::enable_shared_from_this<EmulatedUnit> {
public:
    enum class Model { Pelvo, Tarvik };

    struct Element {
        uint8_t tag = 0;
        uint8_t type = 0;
        uint32_t value = 0;
        QByteArray bytes; // payload of a byte array
        bool operator==(const Element &o) const {
            return tag == o.tag && type == o.type && value == o.value && bytes == o.bytes;
        }
    };

    struct Request {
        uint8_t bmRequestType = 0;
        uint8_t bRequest = 0;
        uint16_t wLength = 0;
        QByteArray data; // what an OUT request carried
        uint32_t status = 0;
        qint64 atNs = 0; // steady clock, when the request reached the unit
    };

    struct Eq {
        uint8_t on = 0, gain = 0, freq = 0, q = 0;
    };
    struct Comp {
        uint8_t on = 0, threshold = 0, ratio = 0, attack = 0, release = 0, gain = 0, link = 0;
    };
    struct Send {
        uint8_t pos = 0;
        int8_t level = 0;
    };
    struct Input {
        int16_t fader = 0;
        uint8_t pan = 20, mute = 0, solo = 0, phase = 0, bypass = 0;
        Eq eq[4];
        Comp comp;
        Send sends[4];
    };
    struct Route {
        uint8_t srcType = 0, srcNo = 0;
    };
    struct State {
        Input inputs[20];
        int16_t masterFader[2] = {0, 0};
        uint8_t masterMute[2] = {0, 0};
        Send masterSends[4];
        int16_t outputFader[9] = {};
        Route routes[20];
        uint8_t reverbType = 1, reverbPreDelay = 0, reverbTime = 0, reverbDiffusion = 0;
        int8_t returnLevel = 0;
        uint8_t returnOn = 0;
        uint32_t sampleRate = 48000;
        uint8_t clockSource = 1;
        uint8_t opticalFormat[2] = {0, 0}; // sources 5 and 6
        int configSaves = 0;
    };

    explicit EmulatedUnit(Model model = Model::Tarvik);
    ~EmulatedUnit() override;

    // Plugging on the virtual bus.
    void plugIn();
    void unplug();
    bool pluggedIn() const;

    // Identity and what queries answer.
    void setProductId(uint16_t id);
    void setProductName(const QString &name);
    void setVersion(uint16_t version, uint16_t build);
    void setBuildDateTime(const QString &date, const QString &time);
    void setLock(uint8_t source, uint8_t lock, uint32_t hz);
    void setDspMode(uint8_t mode);
    void setMeter(uint8_t chType, uint8_t chNo, uint16_t value);
    void setGrMeter(uint16_t value);
    // Live meters (off by default, so answers stay what setMeter and setGrMeter gave): each
    // input carries a slowly wandering signal that its fader, mute and solo shape, the master
    // meters carry the mix through the master fader and mute, and the gain-reduction answer
    // follows the compressor of the channel asked about.
    void setLiveMeters(bool on);

    // Misbehaviour.
    void setBusy(bool busy);             // answers carry ready 0
    void setRefuseOut(int count);        // the next count OUT requests fail; -1 for ever
    void failNextIn(int count = 1);      // the next IN requests fail
    void timeOutNextIn(int count = 1);   // the next IN requests time out
    void setAnswerShort(int bytes);      // IN answers deliver only this many bytes; 0 off
    void setAnswerGarbage(bool garbage); // IN answers are noise
    void unplugDuringNextTransfer();     // the next request unplugs the unit under it
    void setRequestDelayMs(int ms);      // each request takes this long

    // What reached the unit. The log is kept unless switched off (the demo, which runs for
    // hours and reads none of it, switches it off); off, it keeps nothing new, not even the
    // elements out of range.
    void setKeepLog(bool keep);
    State state() const;
    QVector<Element> elements() const;    // every element of every accepted message
    QVector<QByteArray> messages() const; // the bytes of every accepted message
    QVector<Request> requests() const;    // every request, accepted or not
    int countRequests(uint8_t bRequest) const;
    void clearLog(); // also forgets the elements out of range

    // Elements of accepted messages that the unit cannot take: an unknown tag, a wrong type, a
    // value outside its range, or a value the addressed channel or this model does not have.
    struct Rejected {
        Element element;
        QString reason;
    };
    int outOfRangeCount() const;
    QVector<Rejected> outOfRange() const;

    // usbhost::VirtualDevice
    uint16_t vendorId() const override;
    uint16_t productId() const override;
    std::string registryName() const override;
    usbhost::Return controlRequest(usbhost::DeviceRequest &request) override;

private:
    using Group = QVector<Element>;

    usbhost::Return handleOut(usbhost::DeviceRequest &request);
    usbhost::Return handleIn(usbhost::DeviceRequest &request);
    void apply(const Element &e);
    void answer(const Group &group);
    void answerMeters();
    void check(const Element &e);
    bool checkContext(const Element &e, QString *reason) const;
    void reject(const Element &e, const QString &reason);
    double seconds() const;
    double liveInputDb(int index);
    void liveLevels();
    uint16_t liveGainReduction();
    QByteArray nextAnswer();

    const Model model_;
    mutable std::mutex lock_;
    uint16_t productId_;
    QString productName_;
    uint16_t version_ = 102, build_ = 59;
    QString buildDate_ = QStringLiteral("Dec  9 2026"), buildTime_ = QStringLiteral("12:00:00");
    struct Lock {
        uint8_t source, lock;
        uint32_t hz;
    };
    QVector<Lock> locks_;
    uint8_t dspMode_ = 1;
    uint16_t meters_[2][22] = {}; // [0]: inputs 1..20, [1]: master 1..2
    uint16_t grMeter_ = 32768;

    bool busy_ = false;
    int refuseOut_ = 0;
    int failIn_ = 0;
    int timeoutIn_ = 0;
    int answerShort_ = 0;
    bool garbage_ = false;
    bool unplugNext_ = false;
    int delayMs_ = 0;
    uint32_t noise_ = 0x2545F491u;
    bool liveMeters_ = false;
    bool keepLog_ = true;
    uint32_t meterNoise_ = 0x9E3779B9u;
    qint64 startNs_ = 0;
    QVector<Rejected> rejected_;
    // The channel named last, and the ones marked as source and destination, were themselves
    // out of range (so what addresses them is not counted twice).
    bool channelBad_ = false, sourceBad_ = false, destinationBad_ = false;

    State state_;
    // Decoding context, kept across messages as the unit would.
    uint8_t chType_ = 0, chNo_ = 0, srcType_ = 0, srcNo_ = 0, dstType_ = 0, dstNo_ = 0;
    uint8_t clockSrc_ = 0, band_ = 0, sendPos_ = 0;
    int8_t sendLevel_ = 0;
    Eq eq_;
    Comp comp_;
    uint8_t revType_ = 0, revPre_ = 0, revTime_ = 0, revDiff_ = 0;

    std::deque<Group> answers_;
    QVector<Element> log_;
    QVector<QByteArray> messages_;
    QVector<Request> requests_;
};
