// Paths of the window followed to their end: the gain-reduction meter from the selection to
// the request that reaches the unit, the answer the window keeps and the bar it draws; the
// close of the monitor window back to the routing page and 0 dB at the unit; and every knob,
// controller signal and scene action to its one slot, seen by the one thing that slot does.
#include "EffectsTestKit.h"
#include "PaintCounter.h"
#include "StoreUnitFixture.h"
#include "kxctl.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>

#include <functional>

using namespace effectstest;

namespace {

// ---- What reached the unit, element by element ---------------------------------------------

// One element of the log with the channel context the unit decoded it in.
struct Applied {
    uint8_t tag = 0;
    uint8_t chType = 0, chNo = 0, srcType = 0, srcNo = 0, dstType = 0, dstNo = 0;
    uint32_t value = 0;
};

// Walks the log as the unit decodes it: channel elements set the context, source and
// destination marks keep it, every other element is listed with the context it met.
QVector<Applied> applied(const EmulatedUnit &unit) {
    QVector<Applied> out;
    Applied ctx;
    for (const EmulatedUnit::Element &e : unit.elements()) {
        switch (e.tag) {
        case KXCTL_TAG_CH:
            ctx.chType = uint8_t(e.value);
            break;
        case KXCTL_TAG_CH_NO:
            ctx.chNo = uint8_t(e.value);
            break;
        case KXCTL_TAG_SOURCE:
            ctx.srcType = ctx.chType;
            ctx.srcNo = ctx.chNo;
            break;
        case KXCTL_TAG_DESTINATION:
            ctx.dstType = ctx.chType;
            ctx.dstNo = ctx.chNo;
            break;
        default: {
            Applied a = ctx;
            a.tag = e.tag;
            a.value = e.value;
            out << a;
        }
        }
    }
    return out;
}

// Until the unit has answered two more messages than the link had sent: whatever was asked
// for before this call has then been sent, answered and handled by the window.
bool twoMoreMessages() {
    const quint64 sent = dm.device().traffic().messagesSent;
    return linkwait::until(
        dm.device(), "two messages further",
        [sent](const QKXDevice::Traffic &t) { return t.messagesDone >= sent + 2; },
        linkwait::kBoundMs);
}

// ---- What the store holds ---------------------------------------------------------------------

using Stored = QMap<QString, QVariant>;

// Every key of the current-state file as a fresh settings object reads it.
Stored storedState() {
    dm.flushCurrentState();
    QSettings s(QSettings::IniFormat, QSettings::UserScope, organizationName, settingsName);
    s.setIniCodec("UTF-8");
    Stored out;
    for (const QString &key : s.allKeys())
        out.insert(key, s.value(key));
    return out;
}

// The keys that were added, removed or changed from one state to the other, sorted.
QStringList changedKeys(const Stored &before, const Stored &after) {
    QStringList out;
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        if (!before.contains(it.key()) || before.value(it.key()) != it.value())
            out << it.key();
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (!after.contains(it.key()))
            out << it.key();
    out.sort();
    return out;
}

QStringList keys(const QString &group, std::initializer_list<const char *> names) {
    QStringList out;
    for (const char *n : names)
        out << group + QLatin1Char('/') + QLatin1String(n);
    out.sort();
    return out;
}

// ---- Signals and their receivers --------------------------------------------------------------

// How many connections a signal has (the toolkit keeps the count for subclasses).
struct Probe : QObject {
    static int count(const QObject *sender, const QMetaMethod &signal) {
        const QByteArray code = QByteArray::number(QSIGNAL_CODE) + signal.methodSignature();
        return (sender->*(&Probe::receivers))(code.constData());
    }
};

// A mouse event at a point of the widget; the screen position lies elsewhere, so a slot that
// reads the wrong one of the two moves by another amount.
QMouseEvent mouseAt(QEvent::Type type, QPoint local) {
    return QMouseEvent(type, local, local + QPoint(500, 300), Qt::LeftButton, Qt::LeftButton,
                       Qt::NoModifier);
}

template <typename T> T *parentlessWidget() {
    T *found = nullptr;
    for (QWidget *w : QApplication::allWidgets())
        if (auto *t = qobject_cast<T *>(w))
            if (!t->parent()) {
                if (found)
                    return nullptr; // more than one: not the window's own
                found = t;
            }
    return found;
}

QString sceneFile(int n) {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, organizationName, settingFile[n])
        .fileName();
}

} // namespace

class TestWindowWiring : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void gainReductionMeter_data();
    void gainReductionMeter();
    void monitorCloseRestoresRoutingAndLevels();
    void panAndSendKnobsReachTheirOneSlot();
    void effectKnobsReachTheirOneSlot();
    void controllerSignalsReachTheirOneSlot();
    void sceneActionsReachTheirOneSlot();

private:
    WindowFixture fx;
};

void TestWindowWiring::init() {
    dm.removeCurrentState();
    WindowFixture::clearSettings();
    // A failed run may have left a folder in a scene's place.
    for (int n = 1; n <= 10; ++n)
        if (QFileInfo(sceneFile(n)).isDir())
            QDir(sceneFile(n)).removeRecursively();
    ChannelControl::selectedCh = QStringLiteral("none");
    for (bool &linked : ChannelControl::linkedCh)
        linked = false;
}

void TestWindowWiring::cleanup() {
    fx.close();
    fx.units.unplugAll();
}

// ---- Gain-reduction meter -----------------------------------------------------------------------

void TestWindowWiring::gainReductionMeter_data() {
    QTest::addColumn<QString>("selection");
    QTest::addColumn<int>("asked");     // the channel the request names; 0 no request
    QTest::addColumn<int>("answer");    // what the unit answers for it
    QTest::addColumn<int>("barHeight"); // of the bar that shows that answer
    // 2602 is 22 dB of reduction (a bar of 55 pixels), 20000 some 4 dB (9 pixels).
    QTest::newRow("mono channel 5") << "Track5" << 5 << 2602 << 55;
    QTest::newRow("stereo pair 3_4, its odd channel") << "Track3_4" << 3 << 20000 << 9;
    QTest::newRow("no selection") << "none" << 0 << 2602 << 0;
}

void TestWindowWiring::gainReductionMeter() {
    QFETCH(QString, selection);
    QFETCH(int, asked);
    QFETCH(int, answer);
    QFETCH(int, barHeight);
    auto unit = fx.openConnected();
    QVERIFY(unit);
    MainWindow &w = *fx.window;
    Ui_MainWindow &ui = fx.ui();
    ui.stackedWidget->setCurrentIndex(kPanelMixer);
    unit->setGrMeter(uint16_t(answer));
    if (selection == QLatin1String("Track5")) {
        QTest::mouseClick(w.monoStrips()[4].select, Qt::LeftButton);
    } else if (selection == QLatin1String("Track3_4")) {
        QTest::mouseClick(w.pairStrips()[1].linkOn, Qt::LeftButton);
        QTest::mouseClick(w.pairStrips()[1].select, Qt::LeftButton);
    }
    QCOMPARE(ChannelControl::selectedCh, selection);
    QLabel *bar = ui.label_GRMeter;
    const QRect startGeometry = bar->geometry();
    const bool startHidden = bar->isHidden();
    WAIT_LINK_DELIVERED(dm.device());

    // Three meter ticks, each until what it asked for has been answered.
    unit->clearLog();
    for (int tick = 0; tick < 3; ++tick) {
        w.timerInterrupt_100ms();
        QVERIFY(twoMoreMessages());
    }
    QList<QPair<int, int>> requests;
    for (const Applied &a : applied(*unit))
        if (a.tag == KXCTL_TAG_GRMETER_GET)
            requests << qMakePair(int(a.chType), int(a.chNo));

    if (asked == 0) {
        QVERIFY2(requests.isEmpty(), qPrintable(QStringLiteral("%1 requests, the first for %2")
                                                    .arg(requests.size())
                                                    .arg(requests.value(0).second)));
        QCOMPARE(w.grMeterLevel, 32767u);
        QCOMPARE(bar->geometry(), startGeometry);
        QCOMPARE(bar->isHidden(), startHidden);
    } else {
        QVERIFY(!requests.isEmpty());
        for (const auto &r : requests)
            QCOMPARE(r, qMakePair(int(KXMSG_DATA_CH_MIXER_INPUT), asked));
        QCOMPARE(w.grMeterLevel, uint32_t(answer));
        QVERIFY(!bar->isHidden());
        QCOMPARE(bar->geometry(), QRect(569, 73, 5, barHeight));
    }

    // Answers about anything but a mixer input 1 to 20 are not taken.
    const uint32_t kept = w.grMeterLevel;
    const struct {
        kxmsg_data_ch_t type;
        uint8_t no;
    } foreign[] = {{KXMSG_DATA_CH_MASTER, 1},       {KXMSG_DATA_CH_LINEOUT, uint8_t(asked)},
                   {KXMSG_DATA_CH_MIXER_INPUT, 0},  {KXMSG_DATA_CH_MIXER_INPUT, 21},
                   {KXMSG_DATA_CH_MIXER_INPUT, 22}, {KXMSG_DATA_CH_AUX_SEND, 1}};
    for (const auto &f : foreign) {
        emit dm.device().sig_recv_grmeter(f.type, f.no, 100);
        QCOMPARE(w.grMeterLevel, kept);
    }
}

// ---- Monitor window -----------------------------------------------------------------------------

// The monitor window routes every pair to other sources and moves the levels; its close sets
// the nine monitor outputs to 0 dB and sends all eight routings of the routing page again.
void TestWindowWiring::monitorCloseRestoresRoutingAndLevels() {
    auto unit = fx.openConnected();
    QVERIFY(unit);
    Ui_MainWindow &ui = fx.ui();
    QComboBox *const lineOuts[8] = {
        ui.cB_LineOut1_Tarvik, ui.cB_LineOut2_Tarvik, ui.cB_LineOut3_Tarvik, ui.cB_LineOut4_Tarvik,
        ui.cB_LineOut5_Tarvik, ui.cB_LineOut6_Tarvik, ui.cB_LineOut7_Tarvik, ui.cB_LineOut8_Tarvik};
    // Line out k from INPUT k: items 0 to 3 are INPUT 1 to 4, 4 to 7 OPT A1 to A4.
    for (int k = 0; k < 8; ++k)
        lineOuts[k]->setCurrentIndex(k);
    WAIT_LINK_DELIVERED(dm.device());
    for (int k = 0; k < 8; ++k)
        QCOMPARE(int(unit->state().routes[k].srcNo), k + 1);

    ui.pB_ToOutputFromInterface->click();
    QCOMPARE(ui.stackedWidget->currentIndex(), int(kPanelRoutingTarvik));
    QTest::mouseClick(ui.pB_MoniconEnable, Qt::LeftButton);
    auto *monitor = parentlessWidget<MonitorControl>();
    QVERIFY(monitor);
    QVERIFY(monitor->isVisible());
    // Each pair from a pair of computer channels (source 3 + p: COMPUTER 2p+1 and 2p+2).
    const char *const pairButtons[4] = {"pB_mcLineOut1_2", "pB_mcLineOut3_4", "pB_mcLineOut5_6",
                                        "pB_mcLineOut7_8"};
    for (int p = 0; p < 4; ++p) {
        QTest::mouseClick(monitor->findChild<QPushButton *>(pairButtons[p]), Qt::LeftButton);
        monitor->findChild<QComboBox *>("cB_mcSourceL")->setCurrentIndex(3 + p);
        monitor->findChild<QComboBox *>("cB_mcSourceR")->setCurrentIndex(3 + p);
    }
    // Pair 7_8 chosen last: its outputs at -8.8 and -12.7 dB, the monitor master at -5.9 dB.
    monitor->findChild<QSlider *>("vS_mcMono1")->setValue(90);
    monitor->findChild<QSlider *>("vS_mcMono2")->setValue(80);
    monitor->findChild<QSlider *>("vS_mcMaster")->setValue(100);
    WAIT_LINK_DELIVERED(dm.device());
    EmulatedUnit::State open = unit->state();
    for (int k = 0; k < 8; ++k)
        QCOMPARE(qMakePair(int(open.routes[k].srcType), int(open.routes[k].srcNo)),
                 qMakePair(int(KXMSG_DATA_CH_PLAYBACK), k + 1));
    for (int k = 0; k < 6; ++k)
        QCOMPARE(int(open.outputFader[k]), -1270);
    QCOMPARE(int(open.outputFader[6]), -88);
    QCOMPARE(int(open.outputFader[7]), -127);
    QCOMPARE(int(open.outputFader[8]), -59);

    unit->clearLog();
    QTest::keyClick(monitor, Qt::Key_Escape);
    QVERIFY(!monitor->isVisible());
    QVERIFY(!ui.pB_MoniconEnable->isChecked());
    WAIT_LINK_DELIVERED(dm.device());

    const EmulatedUnit::State closed = unit->state();
    for (int k = 0; k < 8; ++k)
        QCOMPARE(qMakePair(int(closed.routes[k].srcType), int(closed.routes[k].srcNo)),
                 qMakePair(int(KXMSG_DATA_CH_MIXER_INPUT), k + 1));
    for (int k = 0; k < 9; ++k)
        QCOMPARE(int(closed.outputFader[k]), 0);
    // Each routing once, each of the nine levels once and at 0 dB, nothing beyond output 9.
    int assigns[8] = {}, levels[9] = {};
    for (const Applied &a : applied(*unit)) {
        if (a.tag == KXCTL_TAG_ASSIGN && a.dstType == KXMSG_DATA_CH_LINEOUT) {
            QVERIFY2(a.dstNo >= 1 && a.dstNo <= 8, qPrintable(QString::number(a.dstNo)));
            QCOMPARE(qMakePair(int(a.srcType), int(a.srcNo)),
                     qMakePair(int(KXMSG_DATA_CH_MIXER_INPUT), int(a.dstNo)));
            ++assigns[a.dstNo - 1];
        } else if (a.tag == KXCTL_TAG_FADER && a.chType == KXMSG_DATA_CH_LINEOUT) {
            QVERIFY2(a.chNo >= 1 && a.chNo <= 9, qPrintable(QString::number(a.chNo)));
            QCOMPARE(int(int16_t(uint16_t(a.value))), 0);
            ++levels[a.chNo - 1];
        }
    }
    for (int k = 0; k < 8; ++k)
        QCOMPARE(assigns[k], 1);
    for (int k = 0; k < 9; ++k)
        QCOMPARE(levels[k], 1);
    QCOMPARE(unit->outOfRangeCount(), 0);
    // The close stores nothing: the routing page's choices and the monitor's own levels stay.
    for (int k = 0; k < 8; ++k)
        QCOMPARE(storedIn(settingsName, "LineOutSettings", QStringLiteral("LineOut%1").arg(k + 1))
                     .toInt(),
                 k);
    QCOMPARE(storedIn(settingsName, "MoniCon OUT7_8", "Mono1").toDouble(), -8.8);
    QCOMPARE(storedIn(settingsName, "MoniCon OUT7_8", "Mono2").toDouble(), -12.7);
    QCOMPARE(storedIn(settingsName, "MoniCon", "Master").toDouble(), -5.9);
}

// ---- Knob wiring --------------------------------------------------------------------------------

// The 40 pan indicators and 125 send knobs: each signal has one receiver, and driving it changes
// its own channel's keys and nothing else.
void TestWindowWiring::panAndSendKnobsReachTheirOneSlot() {
    MainWindow &w = fx.open();
    Ui_MainWindow &ui = fx.ui();
    const auto &mono = w.monoStrips();
    const auto &pairs = w.pairStrips();

    struct Pan {
        PanControl *knob;
        int channel;
        QLabel *display;
    };
    QVector<Pan> pans;
    for (int c = 0; c < kMonoStripCount; ++c)
        pans << Pan{mono[c].pan, c, mono[c].panDisplay};
    for (int p = 0; p < kPairStripCount; ++p) {
        pans << Pan{pairs[p].panL, pairs[p].odd, pairs[p].panDisplayL};
        pans << Pan{pairs[p].panR, pairs[p].odd + 1, pairs[p].panDisplayR};
    }
    const QMetaMethod panSignals[] = {QMetaMethod::fromSignal(&PanControl::panknob_Pressed),
                                      QMetaMethod::fromSignal(&PanControl::panknob_Moved),
                                      QMetaMethod::fromSignal(&PanControl::panknob_Released),
                                      QMetaMethod::fromSignal(&PanControl::panknob_DoubleClicked)};
    for (const Pan &p : pans) {
        const QString what = p.knob->objectName();
        for (const QMetaMethod &m : panSignals)
            QVERIFY2(Probe::count(p.knob, m) == 1, qPrintable(what + " " + m.name()));
        const QString track = mono[p.channel].track;
        const int centre = p.channel % 2 ? 79 : 20;
        const QStringList panKeys = keys(track, {"Pan_pos", "Pan_value"});
        const Stored start = storedState();

        QMouseEvent press = mouseAt(QEvent::MouseButtonPress, QPoint(8, 6));
        emit p.knob->panknob_Pressed(&press);
        QVERIFY2(!p.display->isHidden(), qPrintable(what));
        QMouseEvent move = mouseAt(QEvent::MouseMove, QPoint(8 + 3, 6));
        emit p.knob->panknob_Moved(&move);
        const Stored moved = storedState();
        QVERIFY2(changedKeys(start, moved) == panKeys,
                 qPrintable(what + ": " + changedKeys(start, moved).join(' ')));
        QCOMPARE(moved.value(track + "/Pan_pos").toInt(), centre + 3);
        QCOMPARE(moved.value(track + "/Pan_value").toString(), QStringLiteral("R3"));
        emit p.knob->panknob_Released();
        QVERIFY2(p.display->isHidden(), qPrintable(what));

        emit p.knob->panknob_DoubleClicked();
        const Stored centred = storedState();
        QVERIFY2(changedKeys(moved, centred) == panKeys,
                 qPrintable(what + ": " + changedKeys(moved, centred).join(' ')));
        QCOMPARE(centred.value(track + "/Pan_pos").toInt(), centre);
        QCOMPARE(centred.value(track + "/Pan_value").toString(), QStringLiteral("C"));
    }

    struct Send {
        DialControlSend *knob;
        QLabel *display;
        QStringList tracks; // whose level the knob sets
        QString send;       // "Send1" .. "Send4", "Return"
    };
    QVector<Send> sends;
    for (int k = 0; k < 4; ++k) {
        const QString name = QStringLiteral("Send%1").arg(k + 1);
        for (const MonoStrip &m : mono)
            sends << Send{m.sendKnob[k], m.sendDisplay[k], {m.track}, name};
        for (const PairStrip &p : pairs)
            sends << Send{
                p.sendKnob[k], p.sendDisplay[k], {mono[p.odd].track, mono[p.odd + 1].track}, name};
    }
    sends << Send{ui.label_Send1KnobMaster, ui.label_Send1DisplayMaster, {"TrackMaster"}, "Send1"}
          << Send{ui.label_Send2KnobMaster, ui.label_Send2DisplayMaster, {"TrackMaster"}, "Send2"}
          << Send{ui.label_Send3KnobMaster, ui.label_Send3DisplayMaster, {"TrackMaster"}, "Send3"}
          << Send{ui.label_Send4KnobMaster, ui.label_Send4DisplayMaster, {"TrackMaster"}, "Send4"}
          << Send{ui.label_SendKnobReturn, ui.label_SendDisplayReturn, {"TrackMaster"}, "Return"};
    QCOMPARE(pans.size() + sends.size(), 40 + 125);
    const QMetaMethod sendSignals[] = {
        QMetaMethod::fromSignal(&DialControlSend::sendDialKnob_Pressed),
        QMetaMethod::fromSignal(&DialControlSend::sendDialKnob_Moved),
        QMetaMethod::fromSignal(&DialControlSend::sendDialKnob_Released)};
    for (const Send &s : sends) {
        const QString what = s.knob->objectName();
        for (const QMetaMethod &m : sendSignals)
            QVERIFY2(Probe::count(s.knob, m) == 1, qPrintable(what + " " + m.name()));
        const Stored start = storedState();
        const QString level = s.send + "_Level";
        QStringList expected;
        for (const QString &t : s.tracks)
            expected << t + "/" + level << t + "/" + s.send + "_Value";
        expected.sort();
        // A stereo knob starts from its odd channel's level; an absent level is the master's
        // 102 or else 0.
        const QString first = s.tracks.first() + "/" + level;
        const int from =
            start.value(first, s.tracks.first() == "TrackMaster" && s.send != "Return" ? 102 : 0)
                .toInt();

        QMouseEvent press = mouseAt(QEvent::MouseButtonPress, QPoint(13, 40));
        emit s.knob->sendDialKnob_Pressed(&press);
        QVERIFY2(!s.display->isHidden(), qPrintable(what));
        QVERIFY2(changedKeys(start, storedState()).isEmpty(), qPrintable(what));
        QMouseEvent move = mouseAt(QEvent::MouseMove, QPoint(13, 40 - 10));
        emit s.knob->sendDialKnob_Moved(&move);
        const Stored moved = storedState();
        QVERIFY2(changedKeys(start, moved) == expected,
                 qPrintable(what + ": " + changedKeys(start, moved).join(' ')));
        for (const QString &t : s.tracks)
            QCOMPARE(moved.value(t + "/" + level).toInt(), from + 10);
        QMouseEvent release = mouseAt(QEvent::MouseButtonRelease, QPoint(13, 30));
        emit s.knob->sendDialKnob_Released(&release);
        QVERIFY2(s.display->isHidden(), qPrintable(what));
    }
}

// The eighteen knobs of the equaliser, compressor and reverb panel: one receiver each, a turn
// changes its own keys of the selected channel (or of the reverb type shown), and the four
// gains, alone, go back to 0 dB on a double click.
void TestWindowWiring::effectKnobsReachTheirOneSlot() {
    MainWindow &w = fx.open();
    Ui_MainWindow &ui = fx.ui();
    ui.stackedWidget->setCurrentIndex(kPanelMixer);
    QTest::mouseClick(w.monoStrips()[4].select, Qt::LeftButton);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track5"));
    QVERIFY(ui.pB_RevHall->isChecked());

    const QString t = QStringLiteral("Track5"), r = QStringLiteral("Reverb");
    const struct {
        DialControl *knob;
        QStringList keys;
        int dy; // up is negative; every knob turns away from its end stop
        bool gain;
    } knobs[] = {
        {ui.label_HighGainKnob, keys(t, {"EqHighGainPos", "EqHighGainValue"}), -5, true},
        {ui.label_HighMidGainKnob, keys(t, {"EqHighMidGainPos", "EqHighMidGainValue"}), -5, true},
        {ui.label_LowMidGainKnob, keys(t, {"EqLowMidGainPos", "EqLowMidGainValue"}), -5, true},
        {ui.label_LowGainKnob, keys(t, {"EqLowGainPos", "EqLowGainValue"}), -5, true},
        {ui.label_HighFreqKnob, keys(t, {"EqHighFreqPos", "EqHighFreqText"}), -5, false},
        {ui.label_HighMidFreqKnob, keys(t, {"EqHighMidFreqPos", "EqHighMidFreqText"}), -5, false},
        {ui.label_LowMidFreqKnob, keys(t, {"EqLowMidFreqPos", "EqLowMidFreqText"}), -5, false},
        {ui.label_LowFreqKnob, keys(t, {"EqLowFreqPos", "EqLowFreqText"}), -5, false},
        {ui.label_HighMidQKnob, keys(t, {"EqHighMidQFreqPos", "EqHighMidQFreqText"}), -5, false},
        {ui.label_LowMidQKnob, keys(t, {"EqLowMidQFreqPos", "EqLowMidQFreqText"}), -5, false},
        {ui.label_ThresholdKnob, keys(t, {"CompThresholdPos", "CompThresholdText"}), 5, false},
        {ui.label_RatioKnob, keys(t, {"CompRatioPos", "CompRatioText"}), -5, false},
        {ui.label_AttackKnob, keys(t, {"CompAttackPos", "CompAttackText"}), -5, false},
        {ui.label_ReleaseKnob, keys(t, {"CompReleasePos", "CompReleaseText"}), -5, false},
        {ui.label_GainKnob, keys(t, {"CompGainPos", "CompGainText"}), -5, false},
        {ui.label_PreDelayKnob, keys(r, {"RvbPreDelayPos_Hall"}), -5, false},
        {ui.label_ReverbTimeKnob, keys(r, {"RvbTimePos_Hall", "RvbTimeValue_Hall"}), -5, false},
        {ui.label_ReverbDiffKnob, keys(r, {"RvbDiffPos_Hall"}), -5, false},
    };
    const QMetaMethod pressed = QMetaMethod::fromSignal(&DialControl::dialknob_Pressed);
    const QMetaMethod moved = QMetaMethod::fromSignal(&DialControl::dialknob_Moved);
    const QMetaMethod doubleClicked = QMetaMethod::fromSignal(&DialControl::dialknob_DoubleClicked);
    for (const auto &k : knobs) {
        const QString what = k.knob->objectName();
        QVERIFY2(Probe::count(k.knob, pressed) == 1, qPrintable(what));
        QVERIFY2(Probe::count(k.knob, moved) == 1, qPrintable(what));
        QVERIFY2(Probe::count(k.knob, doubleClicked) == (k.gain ? 1 : 0), qPrintable(what));
        const Stored start = storedState();
        const int from = start.value(k.keys.first(), -1).toInt();

        QMouseEvent press = mouseAt(QEvent::MouseButtonPress, QPoint(20, 40));
        emit k.knob->dialknob_Pressed(&press);
        QMouseEvent move = mouseAt(QEvent::MouseMove, QPoint(20, 40 + k.dy));
        emit k.knob->dialknob_Moved(&move);
        const Stored turned = storedState();
        QVERIFY2(changedKeys(start, turned) == k.keys,
                 qPrintable(what + ": " + changedKeys(start, turned).join(' ')));
        QVERIFY2(turned.value(k.keys.first()).toInt() != from, qPrintable(what));

        if (k.gain) {
            emit k.knob->dialknob_DoubleClicked();
            const Stored reset = storedState();
            QVERIFY2(changedKeys(turned, reset) == k.keys,
                     qPrintable(what + ": " + changedKeys(turned, reset).join(' ')));
            QCOMPARE(reset.value(k.keys.first()).toInt(), 63);
            QCOMPARE(reset.value(k.keys.last()).toInt(), 0);
        }
    }
}

// The four signals of the window's channel controller: one receiver each; the repaints are
// counted, one paint of their own graph for one signal.
void TestWindowWiring::controllerSignalsReachTheirOneSlot() {
    MainWindow &w = fx.open();
    Ui_MainWindow &ui = fx.ui();
    ui.stackedWidget->setCurrentIndex(kPanelMixer);
    QTest::mouseClick(w.monoStrips()[4].select, Qt::LeftButton);
    auto *controller = parentlessWidget<ChannelControl>();
    QVERIFY(controller);
    for (const QMetaMethod &m :
         {QMetaMethod::fromSignal(&ChannelControl::signal_setLowCutFilterEnable),
          QMetaMethod::fromSignal(&ChannelControl::signal_setLowCutFilterDisable),
          QMetaMethod::fromSignal(&ChannelControl::signal_doEqualizerRepaint),
          QMetaMethod::fromSignal(&ChannelControl::signal_doCompressorRepaint)})
        QVERIFY2(Probe::count(controller, m) == 1, m.name().constData());

    QPushButton *lowCut = ui.pB_LowCutFilter;
    lowCut->setCheckable(true);
    lowCut->setChecked(true);
    emit controller->signal_setLowCutFilterDisable();
    QVERIFY(!lowCut->isChecked());
    QVERIFY(!lowCut->isCheckable());
    emit controller->signal_setLowCutFilterEnable();
    QVERIFY(lowCut->isCheckable());
    QVERIFY(!lowCut->isChecked());

    PaintCounter counter;
    ui.label_Equalizer->installEventFilter(&counter);
    ui.label_Compressor->installEventFilter(&counter);
    QCoreApplication::processEvents(); // pending repaints first, so only the signal's count
    counter.paints.clear();
    emit controller->signal_doEqualizerRepaint();
    QCOMPARE(counter.paints.value(ui.label_Equalizer), 1);
    QCOMPARE(counter.paints.value(ui.label_Compressor), 0);
    counter.paints.clear();
    emit controller->signal_doCompressorRepaint();
    QCOMPARE(counter.paints.value(ui.label_Compressor), 1);
    QCOMPARE(counter.paints.value(ui.label_Equalizer), 0);
}

// The thirty scene actions, each counted by the one box or dialog its slot shows: a rename asks
// once and names its own scene, a load of its own missing scene says so once while the other
// nine exist, a save that cannot write its own scene says so once.
void TestWindowWiring::sceneActionsReachTheirOneSlot() {
    MainWindow &w = fx.open();
    Ui_MainWindow &ui = fx.ui();
    QDir().mkpath(QFileInfo(dm.currentStateFileName()).absolutePath());
    for (int n = 1; n <= 10; ++n)
        QVERIFY(dm.copyCurrentStateTo(sceneFile(n)));
    QMenu *const menus[10] = {ui.menuSceneMemory1, ui.menuSceneMemory2, ui.menuSceneMemory3,
                              ui.menuSceneMemory4, ui.menuSceneMemory5, ui.menuSceneMemory6,
                              ui.menuSceneMemory7, ui.menuSceneMemory8, ui.menuSceneMemory9,
                              ui.menuSceneMemory10};
    const auto action = [&w](const char *kind, int n) {
        return w.findChild<QAction *>(QLatin1String(kind) + QString::number(n));
    };

    for (int n = 1; n <= 10; ++n) {
        const QString tag = QStringLiteral("scene %1").arg(n);
        QStringList titles;
        for (QMenu *m : menus)
            titles << m->title();
        {
            BoxAnswerer boxes;
            int asked = 0;
            boxes.onDialog = [&asked, &tag](QDialog *d) {
                ++asked;
                d->findChild<QLineEdit *>()->setText(tag);
                QTest::mouseClick(d->findChild<QPushButton *>(), Qt::LeftButton);
            };
            action("actionRename_", n)->trigger();
            QVERIFY2(asked == 1, qPrintable(QStringLiteral("%1: %2 dialogs").arg(tag).arg(asked)));
            QVERIFY(boxes.texts.isEmpty());
        }
        titles[n - 1] = tag;
        for (int m = 0; m < 10; ++m)
            QCOMPARE(menus[m]->title(), titles[m]);
        QCOMPARE(dm.getSceneMemoryName(QStringLiteral("SceneMemory%1").arg(n)), tag);

        QVERIFY(QFile::remove(sceneFile(n)));
        {
            BoxAnswerer boxes;
            action("actionLoad_", n)->trigger();
            QCOMPARE(boxes.texts, QStringList{QStringLiteral("This scene memory does not exist.")});
        }
        QVERIFY(QDir().mkpath(sceneFile(n) + "/inside"));
        {
            BoxAnswerer boxes;
            action("actionSave_", n)->trigger();
            QCOMPARE(boxes.texts.size(), 1);
            QVERIFY2(boxes.texts.first().startsWith("The scene memory could not be saved."),
                     qPrintable(boxes.texts.first()));
        }
        QVERIFY(QDir(sceneFile(n)).removeRecursively());
        QVERIFY(dm.copyCurrentStateTo(sceneFile(n)));
    }
}

QTEST_MAIN(TestWindowWiring)
#include "tst_window_wiring.moc"
