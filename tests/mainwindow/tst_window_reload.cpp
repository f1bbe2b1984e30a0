// The whole-view reload against the emulated units: after a plug-in the unit holds exactly
// what the settings hold, from a fresh settings folder and from a settings file that changes
// every kind of parameter, on both models; the widgets show the stored state; and a fader
// step after a reload sends the level its slider shows.
#include "tst_window_reload.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>

using namespace reloadtest;

class TestWindowReload : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void unitFollowsSettingsAfterPlugIn_data();
    void unitFollowsSettingsAfterPlugIn();
    void widgetsShowStoredState();
    void faderStepAfterReloadSendsShownLevel_data();
    void faderStepAfterReloadSendsShownLevel();

private:
    WindowFixture f;
};

void TestWindowReload::init() {
    loadFreshSettings();
}

void TestWindowReload::cleanup() {
    f.close();
    f.units.unplugAll();
    loadFreshSettings();
}

void TestWindowReload::unitFollowsSettingsAfterPlugIn_data() {
    QTest::addColumn<Model>("model");
    QTest::addColumn<bool>("rich");
    for (Model m : {Model::Pelvo, Model::Tarvik}) {
        QTest::addRow("%s, fresh settings", qPrintable(modelName(m))) << m << false;
        QTest::addRow("%s, rich settings", qPrintable(modelName(m))) << m << true;
    }
}

// The unit first takes the other settings, so that every value the reload must send differs
// from what the unit holds when it is plugged in again.
void TestWindowReload::unitFollowsSettingsAfterPlugIn() {
    QFETCH(Model, model);
    QFETCH(bool, rich);
    if (rich)
        loadFreshSettings();
    else
        loadRichSettings(model);
    if (QTest::currentTestFailed())
        return;
    auto unit = f.plug(model);
    if (!openLoaded(f))
        return;
    MainWindow &w = *f.window;

    unit->unplug();
    UnitFixture::deliverBusEvents();
    QVERIFY(UnitFixture::waitFor([&w] { return w.deviceState == 0; }));
    if (rich)
        loadRichSettings(model);
    else
        loadFreshSettings();
    if (QTest::currentTestFailed())
        return;
    unit->clearLog();
    unit->plugIn();
    if (!openLoaded(f))
        return;

    const QStringList diff = stateDifferences(unit->state(), expectedState(model), model);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(QLatin1Char('\n'))));
    QVERIFY2(unit->outOfRangeCount() == 0, qPrintable(unit->outOfRange().value(0).reason));

    // The smaller model has no second analog pair, no optical B and no word clock.
    Ui_MainWindow &ui = f.ui();
    const bool pelvo = model == Model::Pelvo;
    for (QWidget *group : {ui.sW_channel3_4, ui.sW_channelAdat1_2, ui.sW_channelAdat3_4,
                           ui.sW_channelAdat5_6, ui.sW_channelAdat7_8})
        QCOMPARE(group->isHidden(), pelvo);
    for (QWidget *clock :
         {static_cast<QWidget *>(ui.rB_Optical_B), static_cast<QWidget *>(ui.rB_Word),
          static_cast<QWidget *>(ui.cB_Optical_B)})
        QCOMPARE(clock->isEnabled(), !pelvo);
}

// One reload's widgets against the stored values they show.
void TestWindowReload::widgetsShowStoredState() {
    loadRichSettings(Model::Tarvik);
    if (QTest::currentTestFailed())
        return;
    f.plug(Model::Tarvik);
    if (!openLoaded(f))
        return;
    MainWindow &w = *f.window;
    const auto &mono = w.monoStrips();
    const auto &pairs = w.pairStrips();
    const auto &faders = w.faderRows();

    for (int i = 0; i < 20; ++i) {
        const MonoStrip &m = mono[i];
        const QString t = track(i + 1);
        QCOMPARE(m.phase->isChecked(), dm.getTrackPhase(t));
        QCOMPARE(m.eq->isChecked(), dm.getTrackEq(t));
        QCOMPARE(m.comp->isChecked(), dm.getTrackComp(t));
        QCOMPARE(m.solo->isChecked(), dm.getTrackSolo(t));
        QCOMPARE(m.mute->isChecked(), dm.getTrackMute(t));
        const bool bypass = dm.getTrueBypass(static_cast<unsigned char>(i + 1));
        QCOMPARE(m.bypass->isChecked(), bypass);
        QCOMPARE(m.select->isEnabled(), !bypass);
        QCOMPARE(m.phase->isEnabled(), !bypass);
        QCOMPARE(m.pan->x(), int(dm.getTrackPanPosition(t, i % 2 ? kTrackEven : kTrackOdd)));
        QCOMPARE(m.panDisplay->text(), dm.getTrackPanValue(t));
        QVERIFY(m.panDisplay->isHidden());
        for (int k = 0; k < 4; ++k) {
            const unsigned char point = dm.getSendPoint(t, sendName(k));
            QCOMPARE(m.pre[k]->isChecked(), point == 2);
            QCOMPARE(m.post[k]->isChecked(), point == 3);
            QVERIFY(m.sendDisplay[k]->isHidden());
        }
        QCOMPARE(m.name->text(), dm.getChannelName(t));
    }
    for (int p = 0; p < 10; ++p) {
        const PairStrip &ps = pairs[p];
        const bool linked = dm.getTrackLink(pairTrack(p));
        const QString odd = track(ps.odd + 1), even = track(ps.odd + 2);
        QCOMPARE(ps.stack->currentIndex(), linked ? 1 : 0);
        QCOMPARE(ps.phaseL->isChecked(), dm.getTrackPhase(odd));
        QCOMPARE(ps.phaseR->isChecked(), dm.getTrackPhase(even));
        QCOMPARE(ps.solo->isChecked(), dm.getTrackSolo(odd));
        QCOMPARE(ps.mute->isChecked(), dm.getTrackMute(odd));
        QCOMPARE(ps.panL->x(), int(dm.getTrackPanPosition(odd, kTrackOdd)));
        QCOMPARE(ps.panDisplayR->text(), dm.getTrackPanValue(even));
        for (int k = 0; k < 4; ++k)
            QCOMPARE(ps.post[k]->isChecked(), dm.getSendPoint(odd, sendName(k)) == 3);
        if (linked) {
            QCOMPARE(ps.eq->isChecked(), dm.getTrackEq(pairTrack(p)));
            QCOMPARE(ps.comp->isChecked(), dm.getTrackComp(pairTrack(p)));
            QCOMPARE(ps.bypass->isChecked(),
                     dm.getTrueBypass(static_cast<unsigned char>(ps.odd + 1)));
        }
        // The faders of the side shown.
        const std::vector<int> shown =
            linked ? std::vector<int>{20 + p} : std::vector<int>{ps.odd, ps.odd + 1};
        for (int fi : shown) {
            const FaderRow &row = faders[fi];
            QCOMPARE(row.box->value(), dm.getTrackFaderViewValue(row.track));
            QCOMPARE(row.slider->value(), MainWindow::faderPositionFor(row.box->value()));
        }
    }
    QCOMPARE(faders[30].box->value(), -4.5);
    QCOMPARE(faders[30].slider->value(), MainWindow::faderPositionFor(-4.5));
    Ui_MainWindow &ui = f.ui();
    QVERIFY(ui.pB_masterMute->isChecked());
    QVERIFY(ui.pB_masterReverb->isChecked());
    QVERIFY(ui.pB_RevLive->isChecked());
    for (QLabel *l :
         {ui.label_Send1DisplayMaster, ui.label_Send4DisplayMaster, ui.label_SendDisplayReturn})
        QVERIFY(l->isHidden());
    QCOMPARE(ui.cB_LineOut2_Tarvik->currentIndex(), 35);
    QCOMPARE(ui.cB_LineOut8_Tarvik->currentIndex(), 24);
    QCOMPARE(ui.menuSceneMemory3->title(), QStringLiteral("SceneMemory3"));
}

void TestWindowReload::faderStepAfterReloadSendsShownLevel_data() {
    QTest::addColumn<QString>("before");
    QTest::newRow("after a second reload") << "reload";
    QTest::newRow("after Enter on an unchanged typed value") << "enter";
}

// A typed value or a reload that leaves a slider where it stands must not keep the next step
// of another fader from showing and sending its own level.
void TestWindowReload::faderStepAfterReloadSendsShownLevel() {
    QFETCH(QString, before);
    auto unit = f.plug(Model::Tarvik);
    if (!openLoaded(f))
        return;
    MainWindow &w = *f.window;
    const FaderRow &typed = w.faderRows()[8];
    const FaderRow &stepped = w.faderRows()[4];
    if (before == QLatin1String("reload")) {
        w.initWindowView();
    } else {
        typed.box->setFocus();
        typed.box->selectAll();
        QTest::keyClicks(typed.box, QStringLiteral("0.0"));
        QTest::keyClick(typed.box, Qt::Key_Return);
    }
    if (!waitLinkDelivered(dm.device()))
        return;
    QCOMPARE(stepped.slider->value(), 80);

    // The faders have no page step, so the wheel does not move them; a key step does.
    stepped.slider->setFocus();
    QTest::keyClick(stepped.slider, Qt::Key_Up);
    QCOMPARE(stepped.slider->value(), 81);

    const double shown = MainWindow::faderScale[100 - stepped.slider->value()];
    QCOMPARE(stepped.box->value(), shown);
    if (!waitLinkDelivered(dm.device()))
        return;
    QCOMPARE(storedMixer(QStringLiteral("Track5"), QStringLiteral("Fader")).toDouble(), shown);
    QCOMPARE(int(unit->state().inputs[4].fader), int(storecodes::faderLevelFromDb(shown)));
}

QTEST_MAIN(TestWindowReload)
#include "tst_window_reload.moc"
