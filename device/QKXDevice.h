// The unit's proxy on the GUI thread: keeps the last value asked for of every parameter with
// a pending mark, packs what is pending into one message of at most 64 bytes whenever the
// unit has said it is ready, hands it to the USB worker, and turns answers into signals.
#pragma once

#include "kxctl.h"
#include "kxmsg.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <string>

class QKXDeviceUnit;
class QThread;

Q_DECLARE_METATYPE(kxmsg_data_ch_t)
Q_DECLARE_METATYPE(kxmsg_data_clocksource_t)
Q_DECLARE_METATYPE(kxmsg_data_clocklock_t)
Q_DECLARE_METATYPE(kxmsg_data_dspmode_t)
Q_DECLARE_METATYPE(kxmsg_data_adat_x4mode_t)

class QKXDevice : public QObject {
    Q_OBJECT
public:
    explicit QKXDevice(QObject *parent = nullptr);
    ~QKXDevice() override;

    // Requests: each marks its item and tries to send.
    void request_version();
    void request_hz();
    void request_clocksource();
    void request_clocklock();
    void request_dspmode();
    void request_meter();
    void request_grmeter(kxmsg_data_ch_t ch_type, unsigned char ch_no);
    void request_adat_x4mode();
    void set_config_save();

    // Settings sent on every call.
    void set_clocksource(kxmsg_data_clocksource_t src);
    void set_adat_x4mode(kxmsg_data_clocksource_t src, kxmsg_data_adat_x4mode_t mode);
    void set_reverb(kxmsg_data_reverb_type_t type, unsigned char pre_delay, unsigned char time,
                    unsigned char diffusion);
    void set_return(bool on, signed char level);
    void set_hz(unsigned int hz);

    // Settings with a range check (false: channel not accepted) and a comparison (an
    // unchanged value is not sent again).
    bool set_assign_ch(kxmsg_data_ch_t in_type, unsigned char in_ch, kxmsg_data_ch_t out_type,
                       unsigned char out_ch);
    bool set_send_ch(kxmsg_data_ch_t ch_type, unsigned char ch_no, kxmsg_data_ch_t bus_type,
                     unsigned char bus_no, kxmsg_data_send_pos_t send_pos, signed char level);
    bool set_eq(kxmsg_data_ch_t ch_type, unsigned char ch_no, unsigned char on,
                kxmsg_data_eq_band_t band, unsigned char gain, unsigned char freq, unsigned char q);
    bool set_comp(kxmsg_data_ch_t ch_type, unsigned char ch_no, unsigned char on,
                  unsigned char threshold, unsigned char ratio, unsigned char attack,
                  unsigned char release, unsigned char gain, kxmsg_data_ch_type_t link);
    bool set_truebypass(kxmsg_data_ch_t ch_type, unsigned char ch_no, bool on);
    bool set_fader(kxmsg_data_ch_t ch_type, unsigned char ch_no, short level);
    bool set_pan(kxmsg_data_ch_t ch_type, unsigned char ch_no, unsigned char value);
    bool set_mute(kxmsg_data_ch_t ch_type, unsigned char ch_no, bool on);
    bool set_phase(kxmsg_data_ch_t ch_type, unsigned char ch_no, bool on);
    bool set_solo(kxmsg_data_ch_t ch_type, unsigned char ch_no, bool on);

    void initializeParameter();
    bool is_selected();
    bool deselect();
    int get_product_name(std::string &name);
    void kx_send();

    bool select_default();
    void kx_recv();
    bool get_debugprint(std::string &text);

    // The link's own view of its traffic, so that a caller can wait for a state instead of
    // for time.
    struct Traffic {
        bool ready = false;           // the unit's last answer said it takes a new message
        bool inFlight = false;        // a message's send result or a read's answer is awaited
        bool requestsPending = false; // a query or the save request waits to be packed
        bool valuesPending = false;   // a set value waits to be packed
        quint64 messagesSent = 0;     // messages handed to the worker so far
        quint64 messagesDone = 0;     // send results received so far
        // Everything asked for has reached the unit and the next change goes out at once.
        bool idle() const { return ready && !inFlight && !requestsPending && !valuesPending; }
    };
    Traffic traffic() const;

signals:
    void sig_deselect();
    void sig_is_selected();
    void sig_kx_send(QByteArray kxmsg_data);
    void sig_kx_recv();

    void sig_recv_debug(QString debug_log);
    void sig_recv_hz(uint32_t hz);
    void sig_recv_clocksource(kxmsg_data_clocksource_t src);
    void sig_recv_clocklock(kxmsg_data_clocksource_t src, kxmsg_data_clocklock_t lock);
    void sig_recv_clockhz(kxmsg_data_clocksource_t src, uint32_t hz);
    void sig_recv_dspmode(kxmsg_data_dspmode_t mode);
    void sig_recv_adat_x4mode(kxmsg_data_clocksource_t src, kxmsg_data_adat_x4mode_t mode);
    void sig_recv_version(uint16_t version);
    void sig_recv_build(uint16_t build);
    void sig_recv_productname(QString productname);
    void sig_recv_builddate(QString builddate);
    void sig_recv_buildtime(QString buildtime);
    void sig_recv_meter(kxmsg_data_ch_t ch_type, uint8_t ch_no, uint32_t value);
    void sig_recv_grmeter(kxmsg_data_ch_t ch_type, uint8_t ch_no, uint32_t value);

    void sig_get_version();
    void sig_get_build();
    void sig_get_debugprint();
    void sig_get_product_name();
    void sig_set_assign_ch(int in_type, uchar in_ch, int out_type, uchar out_ch);
    void sig_set_eq(int ch_type, uchar ch_no, uchar on, int band, uchar gain, uchar freq, uchar q);
    void sig_set_comp(int ch_type, uchar ch_no, uchar on, uchar threshold, uchar ratio,
                      uchar attack, uchar release, uchar gain, int link);
    void sig_set_fader(int ch_type, uchar ch_no, int data);
    void sig_set_pan(int ch_type, uchar ch_no, uchar data);
    void sig_set_mute(int ch_type, uchar ch_no, bool on);
    void sig_set_solo(int ch_type, uchar ch_no, bool on);
    void sig_set_phase(int ch_type, uchar ch_no, bool on);

public slots:
    void recv_deselect(bool ret);
    void recv_is_selected(bool ret);
    void recv_kx_send_result(bool result);
    void recv_kx_recv_result(bool result, QByteArray kxmsg_data);

private:
    // Every item has a pending mark and, while the message that carries it waits for its send
    // result, a carried mark: a message the unit refuses marks its items pending again.
    struct Request {
        bool mark = false;
        bool carried = false;
    };
    struct GrMeterRequest {
        kxmsg_data_ch_t ch = KXMSG_DATA_CH_NONE;
        uint8_t no = 0;
        bool mark = false;
        bool carried = false;
    };
    struct ClockSourceItem {
        kxmsg_data_clocksource_t src = kxmsg_data_clocksource_t(0);
        bool mark = false;
        bool carried = false;
    };
    struct AdatItem {
        kxmsg_data_clocksource_t src = kxmsg_data_clocksource_t(0);
        bool mark = false;
        kxmsg_data_adat_x4mode_t mode = KXMSG_DATA_ADAT_X1;
        bool carried = false;
    };
    struct HzItem {
        uint32_t hz = 0;
        bool mark = false;
        bool carried = false;
    };
    struct AssignEntry {
        kxmsg_data_ch_t out_type = KXMSG_DATA_CH_NONE;
        uint8_t out_ch = 0;
        kxmsg_data_ch_t in_type = KXMSG_DATA_CH_NONE;
        uint8_t in_ch = 0;
        bool mark = false;
        bool carried = false;
    };
    struct SendEntry {
        kxmsg_data_ch_t bus_type = KXMSG_DATA_CH_NONE;
        uint8_t bus_no = 0;
        kxmsg_data_ch_t ch_type = KXMSG_DATA_CH_NONE;
        uint8_t ch_no = 0;
        kxmsg_data_send_pos_t pos = KXMSG_DATA_SEND_POS_NONE;
        int8_t level = 0;
        bool mark = false;
        bool carried = false;
    };
    struct EqEntry {
        kxmsg_data_ch_t ch_type = KXMSG_DATA_CH_NONE;
        uint8_t ch_no = 0;
        uint8_t on = 0;
        kxmsg_data_eq_band_t band = kxmsg_data_eq_band_t(0);
        uint8_t gain = 0, freq = 0, q = 0;
        bool mark = false;
        bool carried = false;
    };
    struct CompEntry {
        kxmsg_data_ch_t ch_type = KXMSG_DATA_CH_NONE;
        uint8_t ch_no = 0;
        uint8_t on = 0, threshold = 0, ratio = 0, attack = 0, release = 0, gain = 0;
        uint8_t link = 0;
        bool mark = false;
        bool carried = false;
    };
    struct ReverbItem {
        kxmsg_data_reverb_type_t type = kxmsg_data_reverb_type_t(0);
        uint8_t pre_delay = 0, time = 0, diffusion = 0;
        bool mark = false;
        bool carried = false;
    };
    struct ReturnItem {
        uint8_t on = 0;
        int8_t level = 0;
        bool mark = false;
        bool carried = false;
    };
    // True bypass, pan, mute, solo, phase: one byte per channel.
    struct ByteEntry {
        kxmsg_data_ch_t ch_type = KXMSG_DATA_CH_NONE;
        uint8_t ch_no = 0;
        uint8_t value = 0;
        bool mark = false;
        bool carried = false;
    };
    struct FaderEntry {
        kxmsg_data_ch_t ch_type = KXMSG_DATA_CH_NONE;
        uint8_t ch_no = 0;
        int16_t level = 0;
        bool mark = false;
        bool carried = false;
    };

    static constexpr int kInputs = 20;
    static constexpr int kBuses = 4;
    static constexpr int kFaders = 31; // inputs 1..20, master 1..2, outputs 1..9
    static constexpr int kMutes = 22;  // inputs 1..20, master 1..2

    static int faderIndex(kxmsg_data_ch_t ch_type, unsigned char ch_no);
    static int muteIndex(kxmsg_data_ch_t ch_type, unsigned char ch_no);
    static bool isInput(kxmsg_data_ch_t ch_type, unsigned char ch_no);
    bool setByte(ByteEntry *table, int index, kxmsg_data_ch_t ch_type, unsigned char ch_no,
                 uint8_t value);
    // Calls f with every request item, or with every setting item and table entry.
    template <class Self, class F> static void forEachRequest(Self &self, F &&f);
    template <class Self, class F> static void forEachValue(Self &self, F &&f);
    bool anyValuePending() const;
    void pack(kxmsg_t *msg);
    // After the send result: a delivered message's items are done; a refused one's go again.
    void settleCarried(bool delivered);
    void notify_kx_failed();
    void parseAnswer(const QByteArray &answer);

    // Flow control: 0 idle, 1 go again when the one in flight is done, 2 in flight.
    int32_t sendState_ = 0;
    int32_t readState_ = 0;
    bool ready_ = false;
    quint64 messagesSent_ = 0;
    quint64 messagesDone_ = 0;
    quint64 answersOwed_ = 0; // reads asked of the worker, a message's own read included

    Request version_, hz_, clocksourceReq_, clocklock_, dspmode_, adatReq_, meter_, save_;
    GrMeterRequest grmeter_;
    ClockSourceItem clocksource_;
    AdatItem adat_[2];
    HzItem setHz_;
    AssignEntry assign_[kInputs];
    SendEntry send_[kInputs + 1][kBuses];
    EqEntry eq_[kInputs][4];
    CompEntry comp_[kInputs];
    ReverbItem reverb_;
    ReturnItem return_;
    ByteEntry truebypass_[kInputs];
    FaderEntry fader_[kFaders];
    ByteEntry pan_[kInputs];
    ByteEntry mute_[kMutes];
    ByteEntry solo_[kInputs];
    ByteEntry phase_[kInputs];

    QPointer<QKXDeviceUnit> unit_;
    QThread *thread_ = nullptr;
    bool startDeferred_ = false;
    bool deselectAnswer_ = false;
    bool selectedAnswer_ = false;
    kxmsg_data_clocksource_t answerClockSource_ = kxmsg_data_clocksource_t(0);
    std::string debugText_;
};
