// The window-level controls that the reload restores, driven as a user does: the fader scale
// both ways, typed fader values, line-out routing on each model, true bypass of a selected
// channel, the EQ and compressor switches, channel names and scene-menu titles.
#include "tst_window_reload.h"

#include "LineOut.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>

#include <cmath>

using namespace reloadtest;

namespace {

// Clicks a button of the mixer page as the user does, on the page shown.
void click(QAbstractButton *b) {
    QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
}

// Types a text into a field and confirms it with Enter.
void type(QWidget *field, const QString &text) {
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(4, field->height() / 2));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

QImage picture(const QLabel *label) {
    return label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestWindowReloadControls : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase();

    void faderScaleFollowsItsAnchors();
    void sliderShowsScale_data();
    void sliderShowsScale();
    void typedValueMovesSlider_data();
    void typedValueMovesSlider();
    void routingByModel_data();
    void routingByModel();
    void lineOutIndexOutsideList_data();
    void lineOutIndexOutsideList();
    void reloadBeforeTheUnitsNameSendsNoRouting();
    void panPositionOffItsTrackFollowsItsText_data();
    void panPositionOffItsTrackFollowsItsText();
    void bypassOfSelectedChannel();
    void bypassOfLinkedPair();
    void selectorsSwitchTheirTrack_data();
    void selectorsSwitchTheirTrack();
    void channelNamesStoredAsTyped();
    void sceneMenuTitles();

private:
    MainWindow &openOn(Model model);
    void showMixer();
    void setLinked(int pair, bool on);

    WindowFixture f;
    std::shared_ptr<EmulatedUnit> unit;
    Model model = Model::Tarvik;
};

void TestWindowReloadControls::cleanupTestCase() {
    f.close();
    f.units.unplugAll();
    loadFreshSettings();
}

// A whole reload takes the link some seconds to deliver, so the cases share one window per
// model, each leaving the state it changed as it found it.
MainWindow &TestWindowReloadControls::openOn(Model m) {
    if (!f.window || m != model) {
        f.close();
        f.units.unplugAll();
        loadFreshSettings();
        model = m;
        unit = f.plug(m);
        openLoaded(f);
    }
    unit->clearLog();
    return *f.window;
}

// Links or unlinks a pair as the reload restores it.
void TestWindowReloadControls::setLinked(int pair, bool on) {
    dm.notifyTrackLink(pairTrack(pair), on);
    f.window->initTrackLink();
}

void TestWindowReloadControls::showMixer() {
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    f.ui().stackedWidget->setCurrentWidget(f.ui().Mixer);
}

// Straight lines between the anchors, each value to the nearest tenth, halves away from zero.
void TestWindowReloadControls::faderScaleFollowsItsAnchors() {
    const int at[] = {0, 20, 36, 47, 61, 87, 93, 97, 98, 99, 100};
    const double dB[] = {6.0, 0.0, -5.0, -10.0, -20.0, -40.0, -50.0, -60.0, -78.0, -96.0, -99.9};
    for (int a = 0; a + 1 < int(std::size(at)); ++a) {
        for (int i = at[a]; i <= at[a + 1]; ++i) {
            const double v = dB[a] + (dB[a + 1] - dB[a]) * (i - at[a]) / (at[a + 1] - at[a]);
            const double tenths = std::round(v * 10.0 + (v < 0 ? -1e-9 : 1e-9));
            QCOMPARE(MainWindow::faderScale[i], tenths / 10.0);
            if (i > 0)
                QVERIFY(MainWindow::faderScale[i] < MainWindow::faderScale[i - 1]);
        }
    }
    QCOMPARE(MainWindow::faderScale[24], -1.3);
    QCOMPARE(MainWindow::faderScale[32], -3.8);
}

void TestWindowReloadControls::sliderShowsScale_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("top") << 100 << "6.0 dB";
    QTest::newRow("unity") << 80 << "0.0 dB";
    QTest::newRow("one step below unity") << 79 << "-0.3 dB";
    QTest::newRow("-5") << 64 << "-5.0 dB";
    QTest::newRow("-10") << 53 << "-10.0 dB";
    QTest::newRow("-78") << 2 << "-78.0 dB";
    QTest::newRow("-96") << 1 << "-96.0 dB";
    QTest::newRow("bottom") << 0 << "-infinity";
}

// Slider to box: the box shows the scale's entry of the position, and that level is sent.
void TestWindowReloadControls::sliderShowsScale() {
    QFETCH(int, position);
    QFETCH(QString, text);
    MainWindow &w = openOn(Model::Tarvik);
    const FaderRow &row = w.faderRows()[6];
    row.slider->setValue(position);
    QCOMPARE(row.box->text(), text);
    const double level = MainWindow::faderScale[100 - position];
    QCOMPARE(row.box->value(), level);
    if (!waitLinkDelivered(dm.device()))
        return;
    QCOMPARE(int(unit->state().inputs[6].fader), int(storecodes::faderLevelFromDb(level)));
}

void TestWindowReloadControls::typedValueMovesSlider_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("level");
    QTest::addColumn<int>("code");
    QTest::newRow("top") << "6.0" << 100 << 6.0 << 60;
    QTest::newRow("unity") << "0.0" << 80 << 0.0 << 0;
    QTest::newRow("-5") << "-5.0" << 64 << -5.0 << -50;
    QTest::newRow("bottom") << "-99.9" << 0 << -99.9 << -1270;
    QTest::newRow("+0.1 sits on unity") << "0.1" << 80 << 0.1 << 1;
    QTest::newRow("+0.2 sits on unity") << "0.2" << 80 << 0.2 << 2;
    QTest::newRow("+0.3 is a step") << "0.3" << 81 << 0.3 << 3;
    QTest::newRow("-0.1 keeps its tenth") << "-0.1" << 79 << -0.1 << -1;
    QTest::newRow("-60.1") << "-60.1" << 2 << -60.1 << -601;
    QTest::newRow("-77.9") << "-77.9" << 2 << -77.9 << -779;
    QTest::newRow("-78.1") << "-78.1" << 1 << -78.1 << -781;
    QTest::newRow("-95.9") << "-95.9" << 1 << -95.9 << -959;
    QTest::newRow("-96.1") << "-96.1" << 0 << -96.1 << -961;
    QTest::newRow("-99.8") << "-99.8" << 0 << -99.8 << -998;
}

// Typed to slider and unit: the slider takes the highest position not above the value, the
// box keeps the typed value, which is what is stored and sent.
void TestWindowReloadControls::typedValueMovesSlider() {
    QFETCH(QString, typed);
    QFETCH(int, position);
    QFETCH(double, level);
    QFETCH(int, code);
    MainWindow &w = openOn(Model::Tarvik);
    showMixer();
    const FaderRow &row = w.faderRows()[2];
    type(row.box, typed);
    QCOMPARE(row.slider->value(), position);
    QCOMPARE(row.box->value(), level);
    QVERIFY(!row.box->hasFocus());
    if (level == -99.9)
        QCOMPARE(row.box->text(), QStringLiteral("-infinity"));
    if (!waitLinkDelivered(dm.device()))
        return;
    QCOMPARE(storedMixer(QStringLiteral("Track3"), QStringLiteral("Fader")).toDouble(), level);
    QCOMPARE(int(unit->state().inputs[2].fader), code);
    QCOMPARE(MainWindow::faderTypedGuard, (unsigned char)0);
}

void TestWindowReloadControls::routingByModel_data() {
    QTest::addColumn<Model>("model");
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("output");
    QTest::addColumn<int>("srcType");
    QTest::addColumn<int>("srcNo");
    QTest::newRow("Tarvik OPT B1 is input 13")
        << Model::Tarvik << "cB_LineOut1_Tarvik" << 12 << "LineOut1" << 1 << 4 << 13;
    QTest::newRow("Tarvik MASTER L")
        << Model::Tarvik << "cB_LineOut3_Tarvik" << 20 << "LineOut3" << 3 << 2 << 1;
    QTest::newRow("Tarvik COMPUTER 10")
        << Model::Tarvik << "cB_LineOut8_Tarvik" << 35 << "LineOut8" << 8 << 3 << 10;
    QTest::newRow("Pelvo OPT A1 is input 5")
        << Model::Pelvo << "cB_LineOut1_Pelvo" << 2 << "LineOut1_Pelvo" << 1 << 4 << 5;
    QTest::newRow("Pelvo COMPUTER 4")
        << Model::Pelvo << "cB_LineOut2_Pelvo" << 19 << "LineOut2_Pelvo" << 2 << 3 << 4;
    QTest::newRow("Pelvo AUX 1") << Model::Pelvo << "cB_LineOut1_Pelvo" << 12 << "LineOut1_Pelvo"
                                 << 1 << 5 << 1;
}

void TestWindowReloadControls::routingByModel() {
    QFETCH(Model, model);
    QFETCH(QString, combo);
    QFETCH(int, index);
    QFETCH(QString, key);
    QFETCH(int, output);
    QFETCH(int, srcType);
    QFETCH(int, srcNo);
    MainWindow &w = openOn(model);
    auto *box = w.findChild<QComboBox *>(combo);
    QVERIFY(box);
    QCOMPARE(box->count(), model == Model::Pelvo ? 20 : 36);
    box->setCurrentIndex(index);
    if (!waitLinkDelivered(dm.device()))
        return;
    QCOMPARE(storedMixer(QStringLiteral("LineOutSettings"), key).toInt(), index);
    QCOMPARE(int(unit->state().routes[output - 1].srcType), srcType);
    QCOMPARE(int(unit->state().routes[output - 1].srcNo), srcNo);
    QCOMPARE(unit->outOfRangeCount(), 0);
    const QString arrowName = model == Model::Pelvo
                                  ? QStringLiteral("label_LineOut%1_Arrow_Pelvo").arg(output)
                                  : QStringLiteral("label_LineOut%1_Arrow").arg(output);
    const QString path =
        model == Model::Pelvo ? LineOut::pelvoPicture(index) : LineOut::tarvikPicture(index);
    QCOMPARE(picture(w.findChild<QLabel *>(arrowName)),
             QImage(path).convertToFormat(QImage::Format_ARGB32));
}

void TestWindowReloadControls::lineOutIndexOutsideList_data() {
    QTest::addColumn<Model>("model");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("output");
    QTest::addColumn<int>("defaultIndex");
    QTest::addColumn<int>("srcType");
    QTest::addColumn<int>("srcNo");
    QTest::newRow("Pelvo, stored past the list")
        << Model::Pelvo << "LineOut2_Pelvo" << 20 << 2 << 11 << 2 << 2;
    QTest::newRow("Tarvik, stored past the list")
        << Model::Tarvik << "LineOut4" << 36 << 4 << 23 << 5 << 2;
    QTest::newRow("Tarvik, stored far past the list")
        << Model::Tarvik << "LineOut7" << 300 << 7 << 26 << 3 << 1;
}

// A stored index the model's list does not have is neither shown nor sent: the reload routes
// the output's default source and stores it.
void TestWindowReloadControls::lineOutIndexOutsideList() {
    QFETCH(Model, model);
    QFETCH(QString, key);
    QFETCH(int, stored);
    QFETCH(int, output);
    QFETCH(int, defaultIndex);
    QFETCH(int, srcType);
    QFETCH(int, srcNo);
    MainWindow &w = openOn(model);
    storeIn(settingsName, QStringLiteral("LineOutSettings"), key, stored);
    QVERIFY(dm.replaceCurrentStateWith(dm.currentStateFileName()));
    w.loadOutput_AudioInterface();
    if (!waitLinkDelivered(dm.device()))
        return;
    const QString comboName = model == Model::Pelvo
                                  ? QStringLiteral("cB_LineOut%1_Pelvo").arg(output)
                                  : QStringLiteral("cB_LineOut%1_Tarvik").arg(output);
    auto *box = w.findChild<QComboBox *>(comboName);
    QCOMPARE(box->currentIndex(), defaultIndex);
    QCOMPARE(int(unit->state().routes[output - 1].srcType), srcType);
    QCOMPARE(int(unit->state().routes[output - 1].srcNo), srcNo);
    QCOMPARE(storedMixer(QStringLiteral("LineOutSettings"), key).toInt(), defaultIndex);
    QCOMPARE(unit->outOfRangeCount(), 0);

    // A combo left without a current item has no source: nothing stored, nothing sent.
    box->setCurrentIndex(-1);
    if (!waitLinkDelivered(dm.device()))
        return;
    QCOMPARE(storedMixer(QStringLiteral("LineOutSettings"), key).toInt(), defaultIndex);
    QCOMPARE(int(unit->state().routes[output - 1].srcType), srcType);
    QCOMPARE(int(unit->state().routes[output - 1].srcNo), srcNo);
    QCOMPARE(unit->outOfRangeCount(), 0);
}

// A reload that runs after a plug-in but before the unit has told its name (a scene load at
// that moment) stands in the larger model's page; the smaller model must not be sent its
// routing.
void TestWindowReloadControls::reloadBeforeTheUnitsNameSendsNoRouting() {
    MainWindow &w = openOn(Model::Pelvo);
    unit->unplug();
    UnitFixture::deliverBusEvents();
    QVERIFY(UnitFixture::waitFor([&w] { return w.deviceState == 0; }));
    QVERIFY(UnitFixture::waitFor(
        [this] { return f.ui().label_IntDevice->text() == QLatin1String("No Device"); }));
    unit->clearLog();
    unit->plugIn();
    UnitFixture::deliverBusEvents();
    QCOMPARE(f.ui().label_IntDevice->text(), QStringLiteral("No Device"));
    w.initWindowView();
    if (!openLoaded(f))
        return;
    QVERIFY2(unit->outOfRangeCount() == 0, qPrintable(unit->outOfRange().value(0).reason));
    QCOMPARE(int(unit->state().routes[0].srcType), int(KXMSG_DATA_CH_MASTER));
    QCOMPARE(int(unit->state().routes[1].srcNo), 2);
}

void TestWindowReloadControls::panPositionOffItsTrackFollowsItsText_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("shownAt");
    QTest::addColumn<QString>("shownText");
    QTest::newRow("left, past its track") << 8 << 70 << "L7" << 13 << "L7";
    QTest::newRow("right, below its track") << 9 << 30 << "R5" << 84 << "R5";
    QTest::newRow("right, far past its track") << 19 << 300 << "L20" << 59 << "L20";
    QTest::newRow("right, centred text") << 11 << 150 << "C" << 79 << "C";
    QTest::newRow("left, text no pan label") << 12 << 41 << "L99" << 20 << "C";
}

// A stored pan position that its indicator cannot take (a damaged file) is taken from the
// stored text, the pan the unit is sent: indicators, labels, pictures, store and unit agree.
void TestWindowReloadControls::panPositionOffItsTrackFollowsItsText() {
    QFETCH(int, channel);
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(int, shownAt);
    QFETCH(QString, shownText);
    MainWindow &w = openOn(Model::Tarvik);
    const QString t = track(channel + 1);
    dm.saveSetting(t, QStringLiteral("Pan_pos"), position);
    dm.saveSetting(t, QStringLiteral("Pan_value"), text);
    w.initWindowView();
    if (!waitLinkDelivered(dm.device()))
        return;

    const MonoStrip &m = w.monoStrips()[channel];
    const PairStrip &p = w.pairStrips()[channel / 2];
    const bool even = channel % 2;
    const QImage shownPicture =
        QImage(shownText == QLatin1String("C") ? QStringLiteral(":Resource/track/PAN.png")
                                               : QStringLiteral(":Resource/track/PAN_c.png"))
            .convertToFormat(QImage::Format_ARGB32);
    for (PanControl *knob : {m.pan, even ? p.panR : p.panL}) {
        QCOMPARE(knob->x(), shownAt);
        QCOMPARE(picture(knob), shownPicture);
    }
    QCOMPARE(m.panDisplay->text(), shownText);
    QCOMPARE((even ? p.panDisplayR : p.panDisplayL)->text(), shownText);
    QCOMPARE(storedMixer(t, QStringLiteral("Pan_pos")).toInt(), shownAt);
    QCOMPARE(storedMixer(t, QStringLiteral("Pan_value")).toString(), shownText);
    QCOMPARE(int(unit->state().inputs[channel].pan),
             int(DataManager::exchangePanLabelToNum(shownText)));
    dm.notifyTrackPan(t, even ? 79 : 20, QStringLiteral("C"));
}

// Bypass of the channel being edited takes the effect panel's target away; bypass off gives
// the channel back without selecting it.
void TestWindowReloadControls::bypassOfSelectedChannel() {
    MainWindow &w = openOn(Model::Tarvik);
    showMixer();
    Ui_MainWindow &ui = f.ui();
    const MonoStrip &five = w.monoStrips()[4];
    const MonoStrip &seven = w.monoStrips()[6];
    const QList<QLabel *> values = {ui.label_HighGainDisp, ui.label_LowMidQDisp,
                                    ui.label_ThresholdDisp, ui.label_AttackDisp};

    click(five.select);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track5"));
    click(five.bypass);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("none"));
    QVERIFY(!five.select->isChecked());
    for (QPushButton *b : {five.select, five.phase, five.eq, five.comp})
        QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
    for (QLabel *l : values)
        QVERIFY2(l->isHidden(), qPrintable(l->objectName()));
    QCOMPARE(ui.label_Equalizer->text(), QStringLiteral("Bypass"));
    QCOMPARE(ui.label_Compressor->text(), QStringLiteral("Bypass"));
    if (!waitLinkDelivered(dm.device()))
        return;
    QCOMPARE(storedMixer(QStringLiteral("Track5"), QStringLiteral("TrueBypass")).toBool(), true);
    QCOMPARE(int(unit->state().inputs[4].bypass), 1);

    // Another channel is edited while 5 is switched back.
    click(seven.select);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track7"));
    click(five.bypass);
    for (QPushButton *b : {five.select, five.phase, five.eq, five.comp})
        QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    QVERIFY(!five.select->isChecked());
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track7"));
    for (QLabel *l : values)
        QVERIFY2(!l->isHidden(), qPrintable(l->objectName()));
    QCOMPARE(ui.label_Equalizer->text(), QString());
    QCOMPARE(ui.label_Compressor->text(), QString());
    if (!waitLinkDelivered(dm.device()))
        return;
    QCOMPARE(int(unit->state().inputs[4].bypass), 0);
    QCOMPARE(unit->outOfRangeCount(), 0);
}

// The stereo strip's bypass reaches both channels and greys only the stereo strip.
void TestWindowReloadControls::bypassOfLinkedPair() {
    MainWindow &w = openOn(Model::Tarvik);
    showMixer();
    setLinked(1, true);
    const PairStrip &pair = w.pairStrips()[1];
    QCOMPARE(pair.stack->currentIndex(), 1);
    click(pair.select);
    click(pair.bypass);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("none"));
    for (QPushButton *b : {pair.select, pair.phaseL, pair.phaseR, pair.eq, pair.comp})
        QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
    QVERIFY(!w.monoStrips()[2].bypass->isChecked());
    QVERIFY(!w.monoStrips()[3].bypass->isChecked());
    if (!waitLinkDelivered(dm.device()))
        return;
    QCOMPARE(int(unit->state().inputs[2].bypass), 1);
    QCOMPARE(int(unit->state().inputs[3].bypass), 1);
    QCOMPARE(int(unit->state().inputs[4].bypass), 0);
    QCOMPARE(storedMixer(QStringLiteral("Track4"), QStringLiteral("TrueBypass")).toBool(), true);

    click(pair.bypass);
    for (QPushButton *b : {pair.select, pair.phaseL, pair.phaseR, pair.eq, pair.comp})
        QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    setLinked(1, false);
    if (!waitLinkDelivered(dm.device()))
        return;
    QCOMPARE(int(unit->state().inputs[2].bypass), 0);
    QCOMPARE(int(unit->state().inputs[3].bypass), 0);
}

void TestWindowReloadControls::selectorsSwitchTheirTrack_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("linkPair"); // -1: none
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("eq");
    QTest::addColumn<QList<int>>("inputs");
    QTest::newRow("EQ of channel 3") << "pB_EQ3" << -1 << "Track3" << true << QList<int>{3};
    QTest::newRow("compressor of SP2")
        << "pB_CompSP2" << -1 << "Track12" << false << QList<int>{12};
    QTest::newRow("EQ of linked Adat5_6")
        << "pB_EQAdat5_6" << 8 << "Track17_18" << true << QList<int>{17, 18};
    QTest::newRow("compressor of linked 3_4")
        << "pB_Comp3_4" << 1 << "Track3_4" << false << QList<int>{3, 4};
}

// A switch stores its own track's flag and switches exactly that channel, or both channels
// of a linked pair, at the unit.
void TestWindowReloadControls::selectorsSwitchTheirTrack() {
    QFETCH(QString, button);
    QFETCH(int, linkPair);
    QFETCH(QString, group);
    QFETCH(bool, eq);
    QFETCH(QList<int>, inputs);
    MainWindow &w = openOn(Model::Tarvik);
    showMixer();
    if (linkPair >= 0)
        setLinked(linkPair, true);
    auto *b = w.findChild<QPushButton *>(button);
    QVERIFY(b);
    click(b);
    QVERIFY(b->isChecked());
    click(b);
    QVERIFY(!b->isChecked());
    click(b);
    if (!waitLinkDelivered(dm.device()))
        return;
    QCOMPARE(storedMixer(group, eq ? QStringLiteral("Eq") : QStringLiteral("Comp")).toBool(), true);
    const EmulatedUnit::State s = unit->state();
    for (int n = 1; n <= 20; ++n) {
        const bool on = inputs.contains(n);
        const EmulatedUnit::Input &in = s.inputs[n - 1];
        if (eq)
            for (int band = 0; band < 4; ++band)
                QCOMPARE(bool(in.eq[band].on), on);
        else
            QCOMPARE(bool(in.comp.on), on);
    }
    QCOMPARE(unit->outOfRangeCount(), 0);

    click(b);
    if (linkPair >= 0)
        setLinked(linkPair, false);
    if (!waitLinkDelivered(dm.device()))
        return;
    for (int n : inputs)
        QCOMPARE(
            bool(eq ? unit->state().inputs[n - 1].eq[0].on : unit->state().inputs[n - 1].comp.on),
            false);
}

// Names are stored exactly as typed, the field gives up the focus, and a reload shows them.
void TestWindowReloadControls::channelNamesStoredAsTyped() {
    MainWindow &w = openOn(Model::Tarvik);
    showMixer();
    QLineEdit *three = w.monoStrips()[2].name;
    type(three, QStringLiteral("  Kick!"));
    QCOMPARE(three->text(), QStringLiteral("  Kick"));
    QVERIFY(!three->hasFocus());
    QCOMPARE(storedMixer(QStringLiteral("Track3"), QStringLiteral("Name")).toString(),
             QStringLiteral("  Kick"));

    QLineEdit *twelve = w.monoStrips()[11].name;
    type(twelve, QStringLiteral("Vox"));
    type(twelve, QString());
    QCOMPARE(storedMixer(QStringLiteral("Track12"), QStringLiteral("Name")).toString(), QString());

    three->setText(QStringLiteral("other"));
    w.initWindowView();
    QCOMPARE(three->text(), QStringLiteral("  Kick"));
    QCOMPARE(twelve->text(), QString());
    QCOMPARE(w.monoStrips()[0].name->text(), QString());
}

void TestWindowReloadControls::sceneMenuTitles() {
    MainWindow &w = openOn(Model::Tarvik);
    storeIn(sceneMemorySettingsName, QStringLiteral("SceneMemory"), QStringLiteral("SceneMemory4"),
            QStringLiteral("Live set"));
    w.loadSceneName();
    const QList<QMenu *> menus = {f.ui().menuSceneMemory1, f.ui().menuSceneMemory2,
                                  f.ui().menuSceneMemory3, f.ui().menuSceneMemory4,
                                  f.ui().menuSceneMemory5, f.ui().menuSceneMemory6,
                                  f.ui().menuSceneMemory7, f.ui().menuSceneMemory8,
                                  f.ui().menuSceneMemory9, f.ui().menuSceneMemory10};
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(menus[n - 1]->title(),
                 n == 4 ? QStringLiteral("Live set") : QStringLiteral("SceneMemory%1").arg(n));
    WindowFixture::clearSettings();
    w.loadSceneName();
    QCOMPARE(menus[3]->title(), QStringLiteral("SceneMemory4"));
}

QTEST_MAIN(TestWindowReloadControls)
#include "tst_window_reload_controls.moc"
