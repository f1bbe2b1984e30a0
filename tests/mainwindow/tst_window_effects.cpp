// The effect and master sections and the send points of the main window against an emulated
// unit: strips shown per sample-rate band and model, the low cut, the reverb types with the
// master reverb on and off, the effect knobs with and without a selected channel, the master
// knobs and mute, and the 240 send Pre/Post buttons.
#include "DrawEq.h"
#include "DrawReverb.h"
#include "EffectsTestKit.h"

#include <QStackedWidget>

using namespace effectstest;

namespace {

const char *const kPairTags[] = {"1_2",   "3_4",     "5_6",     "7_8",     "9_10",
                                 "SP1_2", "Adat1_2", "Adat3_4", "Adat5_6", "Adat7_8"};

// One send Pre/Post case: the clicked strip's buttons, the buttons that must follow them
// and those that must stay, and the tracks whose send point changes.
struct PrePostCase {
    QString strip;      // strip tag of the clicked buttons
    int send = 1;       // 1..4
    QString mirror;     // strip tag whose buttons follow ("" none)
    QString mirror2;    // a second one (the even strip for a stereo click)
    QString untouched;  // strip tag whose buttons must not change ("" none)
    QStringList tracks; // 1-based track numbers as text, odd first
};

} // namespace
Q_DECLARE_METATYPE(PrePostCase)

class TestWindowEffects : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> fx;
    EmulatedUnit::Model model = EmulatedUnit::Model::Tarvik;
    std::shared_ptr<EmulatedUnit> unit;

    // The window on a freshly loaded unit of the model; kept while the model stays.
    MainWindow &window(EmulatedUnit::Model m = EmulatedUnit::Model::Tarvik) {
        if (!fx || m != model) {
            fx.reset();
            WindowFixture::clearSettings();
            fx = std::make_unique<WindowFixture>();
            model = m;
            unit = fx->plug(m);
            fx->open();
            waitLoaded(*fx->window);
            QTest::mouseClick(fx->ui().pB_ToMixerFromInterface, Qt::LeftButton);
        }
        return *fx->window;
    }
    Ui_MainWindow &ui() { return fx->ui(); }

    template <typename T = QWidget> T *widget(const QString &name) {
        T *w = fx->window->findChild<T *>(name);
        if (!w)
            qWarning("no widget %s", qPrintable(name));
        return w;
    }

    // Clears the channel selection through the selected strip's own button.
    void selectNone() {
        MainWindow &w = *fx->window;
        for (const MonoStrip &m : w.monoStrips()) {
            if (m.track == ChannelControl::selectedCh)
                QTest::mouseClick(m.select, Qt::LeftButton);
        }
        for (const PairStrip &p : w.pairStrips()) {
            if (p.track == ChannelControl::selectedCh)
                QTest::mouseClick(p.select, Qt::LeftButton);
        }
        QCOMPARE(ChannelControl::selectedCh, QStringLiteral("none"));
    }

private slots:
    void cleanupTestCase() { fx.reset(); }

    void pairsShownPerBand_data();
    void pairsShownPerBand();
    void rateReportedByUnitHidesPairs();
    void lowCut();
    void lowCutIgnoredWithoutSelection();
    void reverbTypes_data();
    void reverbTypes();
    void effectKnobs_data();
    void effectKnobs();
    void gainDoubleClickResetsToZero();
    void masterKnobs_data();
    void masterKnobs();
    void masterMuteLeavesChannels();
    void bypassModeDeselects();
    void prePost_data();
    void prePost();
};

void TestWindowEffects::pairsShownPerBand_data() {
    QTest::addColumn<bool>("pelvo");
    QTest::addColumn<int>("band");
    QTest::addColumn<QStringList>("shown");
    const QStringList all = {"1_2",   "3_4",     "5_6",     "7_8",     "9_10",
                             "SP1_2", "Adat1_2", "Adat3_4", "Adat5_6", "Adat7_8"};
    QTest::newRow("larger, 48 kHz") << false << 1 << all;
    QTest::newRow("larger, 96 kHz")
        << false << 2 << QStringList{"1_2", "3_4", "5_6", "7_8", "Adat1_2", "Adat3_4"};
    QTest::newRow("larger, 192 kHz") << false << 4 << QStringList{"1_2", "3_4", "5_6", "Adat1_2"};
    QTest::newRow("larger, back to 44.1 kHz") << false << 1 << all;
    QTest::newRow("smaller, 48 kHz")
        << true << 1 << QStringList{"1_2", "5_6", "7_8", "9_10", "SP1_2"};
    QTest::newRow("smaller, 96 kHz") << true << 2 << QStringList{"1_2", "5_6", "7_8"};
    QTest::newRow("smaller, 192 kHz") << true << 4 << QStringList{"1_2", "5_6"};
    QTest::newRow("smaller, back to 48 kHz")
        << true << 1 << QStringList{"1_2", "5_6", "7_8", "9_10", "SP1_2"};
}

void TestWindowEffects::pairsShownPerBand() {
    QFETCH(bool, pelvo);
    QFETCH(int, band);
    QFETCH(QStringList, shown);
    MainWindow &w = window(pelvo ? EmulatedUnit::Model::Pelvo : EmulatedUnit::Model::Tarvik);
    QCOMPARE(w.isOLVANE_Pelvo(), pelvo);
    w.setDisableChannel(static_cast<unsigned char>(band));
    QStringList visible;
    for (const char *tag : kPairTags) {
        if (widget(QStringLiteral("sW_channel%1").arg(QLatin1String(tag)))->isVisibleTo(&w))
            visible << QLatin1String(tag);
    }
    QCOMPARE(visible, shown);

    const bool reverb = band != 4;
    for (const char *name :
         {"label_PreDelayKnob", "label_ReverbTimeKnob", "label_ReverbDiffKnob", "label_RvbPicture",
          "pB_RevHall", "pB_RevPlate", "pB_masterReverb", "label_Reverb", "label_SendKnobReturn"})
        QVERIFY2(widget(QLatin1String(name))->isVisibleTo(&w) == reverb, name);
    QCOMPARE(ui().label_ReverbDisable->isVisibleTo(&w), !reverb);
    QCOMPARE(ui().sW_return->currentIndex(), reverb ? 1 : 0);
    // The return's value shows only while its knob is dragged.
    if (reverb)
        QVERIFY(!ui().label_SendDisplayReturn->isVisibleTo(&w));
}

// The rate that the unit reports decides the strips, without anything else asked.
void TestWindowEffects::rateReportedByUnitHidesPairs() {
    MainWindow &w = window();
    w.setDisableChannel(1);
    QVERIFY(ui().sW_channel9_10->isVisibleTo(&w));
    dm.device().set_hz(96000);
    QVERIFY(UnitFixture::waitFor([&] { return !ui().sW_channel9_10->isVisibleTo(&w); }));
    QVERIFY(!ui().sW_channelAdat5_6->isVisibleTo(&w));
    QVERIFY(ui().sW_channelAdat3_4->isVisibleTo(&w));
    dm.device().set_hz(48000);
    QVERIFY(UnitFixture::waitFor([&] { return ui().sW_channel9_10->isVisibleTo(&w); }));
    QVERIFY(ui().sW_channelAdat7_8->isVisibleTo(&w));
}

void TestWindowEffects::lowCut() {
    MainWindow &w = window();
    selectNone();
    QVERIFY(!ui().pB_LowCutFilter->isCheckable());
    QTest::mouseClick(ui().pB_Analog3, Qt::LeftButton);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track3"));
    QVERIFY(ui().pB_LowCutFilter->isCheckable());
    // The unit hears of the cut only while the channel's equaliser is on.
    if (!ui().pB_EQ3->isChecked())
        QTest::mouseClick(ui().pB_EQ3, Qt::LeftButton);
    QVERIFY(ui().pB_EQ3->isChecked());
    dragUp(ui().label_LowGainKnob, 8); // a low gain above the bottom
    QVERIFY(stored("Track3", "EqLowGainPos").toInt() > 0);
    WAIT_LINK_DELIVERED(dm.device());
    const QStringList before = describe(unit->state());

    QTest::mouseClick(ui().pB_LowCutFilter, Qt::LeftButton);
    QVERIFY(ui().pB_LowCutFilter->isChecked());
    QCOMPARE(stored("Track3", "EqLowCutFilter").toBool(), true);
    QCOMPARE(DrawEq::bLowCutFilter, true);
    QCOMPARE(stored("Track3", "EqLowGainPos").toInt(), 0);
    QVERIFY(UnitFixture::waitFor(
        [&] { return ui().label_LowGainDisp->text() == QLatin1String("---"); }));
    WAIT_LINK_DELIVERED(dm.device());
    QStringList changed;
    const QStringList after = describe(unit->state());
    for (int i = 0; i < after.size(); ++i) {
        if (after[i] != before[i])
            changed << after[i];
    }
    QVERIFY2(!changed.isEmpty() && changed.first().startsWith(QLatin1String("in3.eq")),
             qPrintable(changed.join(' ')));

    // While the cut is on the low gain knob ignores the mouse, the low frequency does not.
    dragUp(ui().label_LowGainKnob, 10);
    doubleClick(ui().label_LowGainKnob);
    QCOMPARE(stored("Track3", "EqLowGainPos").toInt(), 0);
    const int freq = stored("Track3", "EqLowFreqPos").toInt();
    dragUp(ui().label_LowFreqKnob, 5);
    QVERIFY(stored("Track3", "EqLowFreqPos").toInt() != freq);

    // Off again: the low gain stays at its bottom.
    QTest::mouseClick(ui().pB_LowCutFilter, Qt::LeftButton);
    QCOMPARE(stored("Track3", "EqLowCutFilter").toBool(), false);
    QCOMPARE(DrawEq::bLowCutFilter, false);
    QCOMPARE(stored("Track3", "EqLowGainPos").toInt(), 0);

    // Clearing the selection unchecks the button and keeps the channel's stored cut.
    QTest::mouseClick(ui().pB_LowCutFilter, Qt::LeftButton);
    QCOMPARE(stored("Track3", "EqLowCutFilter").toBool(), true);
    QTest::mouseClick(ui().pB_Analog3, Qt::LeftButton);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("none"));
    QVERIFY(!ui().pB_LowCutFilter->isChecked());
    QVERIFY(!ui().pB_LowCutFilter->isCheckable());
    QCOMPARE(stored("Track3", "EqLowCutFilter").toBool(), true);
    Q_UNUSED(w);
}

void TestWindowEffects::lowCutIgnoredWithoutSelection() {
    window();
    selectNone();
    const QVariant before = stored("Track1", "EqLowCutFilter");
    const bool graphBefore = DrawEq::bLowCutFilter;
    WAIT_LINK_DELIVERED(dm.device());
    const QStringList unitBefore = describe(unit->state());
    QTest::mouseClick(ui().pB_LowCutFilter, Qt::LeftButton);
    QCOMPARE(stored("Track1", "EqLowCutFilter"), before);
    QCOMPARE(DrawEq::bLowCutFilter, graphBefore);
    WAIT_LINK_DELIVERED(dm.device());
    QCOMPARE(describe(unit->state()), unitBefore);
}

void TestWindowEffects::reverbTypes_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("masterReverb");
    const struct {
        const char *button;
        int mode;
        const char *type;
    } types[] = {{"pB_RevRoom", 2, "ROOM"},
                 {"pB_RevLive", 3, "LIVE"},
                 {"pB_RevStudio", 4, "STUDIO"},
                 {"pB_RevPlate", 5, "PLATE"},
                 {"pB_RevHall", 1, "HALL"}};
    for (bool on : {false, true}) {
        for (const auto &t : types) {
            QTest::newRow(qPrintable(QStringLiteral("%1, master reverb %2")
                                         .arg(QLatin1String(t.type), on ? "on" : "off")))
                << QString::fromLatin1(t.button) << t.mode << QString::fromLatin1(t.type) << on;
        }
    }
}

void TestWindowEffects::reverbTypes() {
    QFETCH(QString, button);
    QFETCH(int, mode);
    QFETCH(QString, type);
    QFETCH(bool, masterReverb);
    MainWindow &w = window();
    if (ui().pB_masterReverb->isChecked() != masterReverb)
        QTest::mouseClick(ui().pB_masterReverb, Qt::LeftButton);
    QCOMPARE(DrawReverb::cDrawColor, masterReverb);
    QCOMPARE(stored("Reverb", "MasterReverb").toBool(), masterReverb);
    // A distinct pre-delay per type shows that the knobs are loaded for the chosen type.
    dm.notifyRvbPreDelayPosition(10 + mode, type);
    WAIT_LINK_DELIVERED(dm.device());
    const int typeBefore = unit->state().reverbType;

    QTest::mouseClick(widget<QPushButton>(button), Qt::LeftButton);
    QCOMPARE(w.checkReverbMode(), type);
    QCOMPARE(stored("Reverb", "Mode").toInt(), mode);
    QVERIFY(!ui().label_RvbPicture->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(ui().label_PreDelayDisp->text(), QString::number(10 + mode));
    WAIT_LINK_DELIVERED(dm.device());
    const EmulatedUnit::State s = unit->state();
    if (masterReverb) {
        QCOMPARE(int(s.reverbType), mode);
        QCOMPARE(int(s.reverbPreDelay), 10 + mode);
        QCOMPARE(int(s.returnOn), 1);
    } else {
        QCOMPARE(int(s.reverbType), typeBefore);
        QCOMPARE(int(s.returnOn), 0);
    }
    QCOMPARE(unit->outOfRangeCount(), 0);
}

void TestWindowEffects::effectKnobs_data() {
    QTest::addColumn<QString>("knob");
    QTest::addColumn<QString>("group"); // "" the selected channel
    QTest::addColumn<QString>("key");
    const struct {
        const char *knob, *key;
    } channelKnobs[] = {{"label_HighGainKnob", "EqHighGainPos"},
                        {"label_HighMidGainKnob", "EqHighMidGainPos"},
                        {"label_LowMidGainKnob", "EqLowMidGainPos"},
                        {"label_LowGainKnob", "EqLowGainPos"},
                        {"label_HighFreqKnob", "EqHighFreqPos"},
                        {"label_HighMidFreqKnob", "EqHighMidFreqPos"},
                        {"label_LowMidFreqKnob", "EqLowMidFreqPos"},
                        {"label_LowFreqKnob", "EqLowFreqPos"},
                        {"label_HighMidQKnob", "EqHighMidQFreqPos"},
                        {"label_LowMidQKnob", "EqLowMidQFreqPos"},
                        {"label_ThresholdKnob", "CompThresholdPos"},
                        {"label_RatioKnob", "CompRatioPos"},
                        {"label_AttackKnob", "CompAttackPos"},
                        {"label_ReleaseKnob", "CompReleasePos"},
                        {"label_GainKnob", "CompGainPos"}};
    for (const auto &k : channelKnobs)
        QTest::newRow(k.knob) << QString::fromLatin1(k.knob) << QString()
                              << QString::fromLatin1(k.key);
    QTest::newRow("label_PreDelayKnob") << "label_PreDelayKnob"
                                        << "Reverb"
                                        << "";
    QTest::newRow("label_ReverbTimeKnob") << "label_ReverbTimeKnob"
                                          << "Reverb"
                                          << "";
    QTest::newRow("label_ReverbDiffKnob") << "label_ReverbDiffKnob"
                                          << "Reverb"
                                          << "";
}

// Channel knobs ignore the mouse while no channel is selected and edit the selected one
// otherwise; the reverb knobs never need a selection.
void TestWindowEffects::effectKnobs() {
    QFETCH(QString, knob);
    QFETCH(QString, group);
    QFETCH(QString, key);
    MainWindow &w = window();
    selectNone();
    auto *k = widget(knob);
    QVERIFY(k);
    if (group.isEmpty()) {
        const QVariant before = stored("Track5", key);
        const QVariant beforeOther = stored("Track6", key);
        dragUp(k, 6);
        QCOMPARE(stored("Track5", key), before);
        QTest::mouseClick(ui().pB_Analog5, Qt::LeftButton);
        QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track5"));
        const int start = dm.loadSetting(QStringLiteral("Track5"), key);
        dragUp(k, 6);
        QVERIFY2(stored("Track5", key).toInt() != start, qPrintable(key));
        QCOMPARE(stored("Track6", key), beforeOther);
        selectNone();
    } else {
        QSettings s(QSettings::IniFormat, QSettings::UserScope, organizationName, settingsName);
        s.beginGroup(group);
        QMap<QString, QVariant> before;
        for (const QString &key : s.allKeys())
            before[key] = s.value(key);
        s.endGroup();
        const QString type = w.checkReverbMode();
        dragUp(k, 6);
        QSettings t(QSettings::IniFormat, QSettings::UserScope, organizationName, settingsName);
        t.beginGroup(group);
        QStringList changed;
        for (const QString &key : t.allKeys()) {
            if (t.value(key) != before.value(key))
                changed << key;
        }
        QVERIFY2(!changed.isEmpty(), "the reverb knob stored nothing");
        for (const QString &key : changed)
            QVERIFY2(key.contains(type, Qt::CaseInsensitive), qPrintable(key));
    }
}

void TestWindowEffects::gainDoubleClickResetsToZero() {
    window();
    selectNone();
    QTest::mouseClick(ui().pB_Analog7, Qt::LeftButton);
    dragUp(ui().label_HighMidGainKnob, 12);
    QVERIFY(stored("Track7", "EqHighMidGainPos").toInt() != 63);
    doubleClick(ui().label_HighMidGainKnob);
    QCOMPARE(stored("Track7", "EqHighMidGainPos").toInt(), 63);
    // A move after the double-click without a new press changes nothing.
    QMouseEvent move(QEvent::MouseMove, QPoint(5, 0), QPoint(5, 0), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(ui().label_HighMidGainKnob, &move);
    QCOMPARE(stored("Track7", "EqHighMidGainPos").toInt(), 63);
    selectNone();
}

void TestWindowEffects::masterKnobs_data() {
    QTest::addColumn<QString>("knob");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("send"); // 0 the return
    for (int k = 1; k <= 4; ++k)
        QTest::newRow(qPrintable(QStringLiteral("send %1").arg(k)))
            << QStringLiteral("label_Send%1KnobMaster").arg(k)
            << QStringLiteral("label_Send%1DisplayMaster").arg(k) << k;
    QTest::newRow("return") << "label_SendKnobReturn"
                            << "label_SendDisplayReturn" << 0;
}

void TestWindowEffects::masterKnobs() {
    QFETCH(QString, knob);
    QFETCH(QString, display);
    QFETCH(int, send);
    MainWindow &w = window();
    w.setDisableChannel(1);
    QWidget *k = widget(knob);
    QLabel *d = widget<QLabel>(display);
    const QString levelKey = send ? QStringLiteral("Send%1_Level").arg(send) : "Return_Level";
    const int before = dm.loadSetting(QStringLiteral("TrackMaster"), levelKey);
    const QPoint start(k->width() / 2, 30);
    QTest::mousePress(k, Qt::LeftButton, Qt::NoModifier, start);
    QVERIFY(d->isVisibleTo(&w));
    QMouseEvent move(QEvent::MouseMove, start - QPoint(0, 10), k->mapToGlobal(start), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(k, &move);
    QVERIFY(d->isVisibleTo(&w));
    QVERIFY(!d->text().isEmpty());
    QTest::mouseRelease(k, Qt::LeftButton, Qt::NoModifier, start - QPoint(0, 10));
    QVERIFY(!d->isVisibleTo(&w));
    QVERIFY(stored("TrackMaster", levelKey).toInt() != before);
    const QString text = stored("TrackMaster", send ? QStringLiteral("Send%1_Value").arg(send)
                                                    : QStringLiteral("Return_Value"))
                             .toString();
    const int dB = text == QLatin1String("-inf.") ? -127 : text.left(3).toInt();
    WAIT_LINK_DELIVERED(dm.device());
    const EmulatedUnit::State s = unit->state();
    if (send)
        QCOMPARE(int(s.masterSends[send - 1].level), dB);
    else
        QCOMPARE(int(s.returnLevel), dB);
    QCOMPARE(unit->outOfRangeCount(), 0);
}

void TestWindowEffects::masterMuteLeavesChannels() {
    window();
    WAIT_LINK_DELIVERED(dm.device());
    const EmulatedUnit::State before = unit->state();
    QTest::mouseClick(ui().pB_masterMute, Qt::LeftButton);
    const bool on = ui().pB_masterMute->isChecked();
    QCOMPARE(stored("TrackMaster", "Mute").toBool(), on);
    WAIT_LINK_DELIVERED(dm.device());
    const EmulatedUnit::State s = unit->state();
    QCOMPARE(int(s.masterMute[0]), int(on));
    QCOMPARE(int(s.masterMute[1]), int(on));
    for (int i = 0; i < 20; ++i)
        QCOMPARE(s.inputs[i].mute, before.inputs[i].mute);
    QTest::mouseClick(ui().pB_masterMute, Qt::LeftButton);
    QCOMPARE(stored("TrackMaster", "Mute").toBool(), !on);
}

// The mixer-wide bypass mode has no control yet; its two operations still keep the
// selection consistent.
void TestWindowEffects::bypassModeDeselects() {
    MainWindow &w = window();
    selectNone();
    QTest::mouseClick(ui().pB_Analog9, Qt::LeftButton);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track9"));
    w.enableMixerButton(false);
    w.enableEqCompGraph(false);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("none"));
    QVERIFY(!ui().pB_Analog9->isChecked());
    QVERIFY(!ui().pB_Analog9->isEnabled());
    QVERIFY(!ui().pB_SPDIF1_2->isEnabled());
    QVERIFY(!ui().pB_PhaseAdat7_8_R->isEnabled());
    QVERIFY(!ui().pB_CompAdat8->isEnabled());
    QVERIFY(!ui().label_AttackDisp->isVisibleTo(&w));
    QCOMPARE(ui().label_Equalizer->text(), QStringLiteral("Bypass"));
    w.enableMixerButton(true);
    w.enableEqCompGraph(true);
    QVERIFY(ui().pB_Analog9->isEnabled());
    QVERIFY(ui().pB_PhaseAdat7_8_R->isEnabled());
    QVERIFY(ui().label_AttackDisp->isVisibleTo(&w));
    QCOMPARE(ui().label_Compressor->text(), QString());
}

void TestWindowEffects::prePost_data() {
    QTest::addColumn<PrePostCase>("c");
    QStringList monoTags, pairTags;
#define OLVANE_TEST_MONO_TAG(T, N, SEL) monoTags << QStringLiteral(#T);
    OLVANE_MONO_STRIPS(OLVANE_TEST_MONO_TAG)
#undef OLVANE_TEST_MONO_TAG
#define OLVANE_TEST_PAIR_TAG(ODD, EVEN, LAST, P, O, E, SEL)                                        \
    pairTags << QStringLiteral(#ODD "_" #LAST);
    OLVANE_PAIRS(OLVANE_TEST_PAIR_TAG)
#undef OLVANE_TEST_PAIR_TAG
    for (int p = 0; p < 10; ++p) {
        const QString odd = monoTags[2 * p], even = monoTags[2 * p + 1], pair = pairTags[p];
        const QString a = QString::number(2 * p + 1), b = QString::number(2 * p + 2);
        for (int k = 1; k <= 4; ++k) {
            QTest::newRow(qPrintable(QStringLiteral("%1 send %2").arg(odd).arg(k)))
                << PrePostCase{odd, k, pair, QString(), QString(), {a}};
            QTest::newRow(qPrintable(QStringLiteral("%1 send %2").arg(even).arg(k)))
                << PrePostCase{even, k, QString(), QString(), pair, {b}};
            QTest::newRow(qPrintable(QStringLiteral("%1 send %2").arg(pair).arg(k)))
                << PrePostCase{pair, k, odd, even, QString(), {a, b}};
        }
    }
}

// Pre on, Pre off, Post on: the clicked strip's two buttons exclude each other, the twins
// follow, the even strip never moves the stereo strip, and store and unit get the points.
void TestWindowEffects::prePost() {
    QFETCH(PrePostCase, c);
    window();
    auto pre = [this, &c](const QString &strip) {
        return widget<QPushButton>(QStringLiteral("pB_Pre%1_%2").arg(c.send).arg(strip));
    };
    auto post = [this, &c](const QString &strip) {
        return widget<QPushButton>(QStringLiteral("pB_Post%1_%2").arg(c.send).arg(strip));
    };
    auto expectPoint = [&c](int point) {
        for (const QString &t : c.tracks)
            QCOMPARE(stored(QStringLiteral("Track") + t, QStringLiteral("Send%1_Point").arg(c.send))
                         .toInt(),
                     point);
    };
    auto expectFollowers = [&](bool preOn, bool postOn) {
        for (const QString &m : {c.mirror, c.mirror2}) {
            if (m.isEmpty())
                continue;
            QCOMPARE(pre(m)->isChecked(), preOn);
            QCOMPARE(post(m)->isChecked(), postOn);
        }
    };
    QPushButton *untouchedPre = c.untouched.isEmpty() ? nullptr : pre(c.untouched);
    QPushButton *untouchedPost = c.untouched.isEmpty() ? nullptr : post(c.untouched);
    const bool keptPre = untouchedPre && untouchedPre->isChecked();
    const bool keptPost = untouchedPost && untouchedPost->isChecked();
    if (pre(c.strip)->isChecked())
        QTest::mouseClick(pre(c.strip), Qt::LeftButton);

    QTest::mouseClick(pre(c.strip), Qt::LeftButton);
    QVERIFY(pre(c.strip)->isChecked());
    QVERIFY(!post(c.strip)->isChecked());
    expectFollowers(true, false);
    expectPoint(2);

    QTest::mouseClick(pre(c.strip), Qt::LeftButton);
    QVERIFY(!pre(c.strip)->isChecked());
    QVERIFY(!post(c.strip)->isChecked());
    expectFollowers(false, false);
    expectPoint(1);

    QTest::mouseClick(post(c.strip), Qt::LeftButton);
    QVERIFY(post(c.strip)->isChecked());
    QVERIFY(!pre(c.strip)->isChecked());
    expectFollowers(false, true);
    expectPoint(3);

    if (untouchedPre) {
        QCOMPARE(untouchedPre->isChecked(), keptPre);
        QCOMPARE(untouchedPost->isChecked(), keptPost);
    }
    WAIT_LINK_DELIVERED(dm.device());
    const EmulatedUnit::State s = unit->state();
    for (const QString &t : c.tracks)
        QCOMPARE(int(s.inputs[t.toInt() - 1].sends[c.send - 1].pos), 3);
    QCOMPARE(unit->outOfRangeCount(), 0);
}

QTEST_MAIN(TestWindowEffects)
#include "tst_window_effects.moc"
