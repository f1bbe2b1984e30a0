// The window's shell against emulated units: the interface page's status texts, plugging and
// unplugging, the clock source restored at start and on connection, meters, window events,
// navigation and help links, fonts and the monitor window's close.
#include "PaintCounter.h"
#include "StoreUnitFixture.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHoverEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <functional>

namespace {

const QString kBlack18 = "QLabel{color : black; font-size: 18px; font-family: Arial}";
const QString kRed18 = "QLabel{color : red; font-size: 18px; font-family: Arial}";
const QString kGray18 = "QLabel{color : gray; font-size: 18px; font-family: Arial}";
const QString kGray20 = "QLabel{color : gray; font-size: 20px; font-family: Arial}";
const QString kBlack20 = "QLabel{color : black; font-size: 20px; font-family: Arial}";

QString sheetByName(const QString &name) {
    if (name == "black18")
        return kBlack18;
    if (name == "red18")
        return kRed18;
    if (name == "gray18")
        return kGray18;
    return name;
}

// Visible message boxes of the application.
QList<QMessageBox *> visibleBoxes() {
    QList<QMessageBox *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w))
            if (box->isVisible())
                boxes << box;
    return boxes;
}

// Closes every message box that shows up until it is stopped, so no test can hang on one; counts
// the boxes it closed and keeps their texts.
class BoxCloser : public QObject {
public:
    explicit BoxCloser(int everyMs = 50) {
        connect(&timer, &QTimer::timeout, this, [this] {
            for (QMessageBox *box : visibleBoxes()) {
                texts << box->windowTitle() + "|" + box->text();
                box->done(QMessageBox::Ok);
            }
        });
        timer.start(everyMs);
    }
    QStringList texts;
    QTimer timer;
};

void writeClockSettings(const QString &key, const QVariant &value) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, organizationName,
                clockSourceSettingsName);
    s.beginGroup("Interface");
    s.setValue(key, value);
    s.endGroup();
    s.sync();
}

int storedPanel() {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, organizationName, settingsName);
    return s.value("Panel/MainWindowPanel", -1).toInt();
}

// The elements the unit could not take, for a failure message. Only runs with the larger model
// count them: what the window sends before it knows the model (its first reload and clock
// source, in the larger model's terms) waits in the link and reaches whichever unit comes.
QByteArray rejections(const EmulatedUnit &unit) {
    QStringList lines;
    for (const EmulatedUnit::Rejected &r : unit.outOfRange())
        lines
            << QString("tag %1 value %2: %3").arg(r.element.tag).arg(r.element.value).arg(r.reason);
    return lines.join("; ").toLocal8Bit();
}
#define VERIFY_NOTHING_OUT_OF_RANGE(unit)                                                          \
    QVERIFY2((unit)->outOfRangeCount() == 0, rejections(*(unit)).constData())

// Top row of a meter bar below full scale for a level.
int dotOf(unsigned short level) {
    DrawLevelMeter meter;
    return meter.convertToDot(level);
}

// The window's monitor-control window, whether or not it is shown.
MonitorControl *monitorWindowOf(MainWindow &w) {
    if (auto *monitor = w.findChild<MonitorControl *>())
        return monitor;
    for (QWidget *t : QApplication::topLevelWidgets())
        if (auto *monitor = qobject_cast<MonitorControl *>(t))
            return monitor;
    return nullptr;
}

// The help links' addresses, as the desktop would receive them.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

} // namespace

class TestWindowShell : public QObject {
    Q_OBJECT

private slots:
    void init() { WindowFixture::clearSettings(); }

    void firmwareText_data();
    void firmwareText();
    void sampleRateText_data();
    void sampleRateText();
    void clockSourceText_data();
    void clockSourceText();
    void lockStatus_data();
    void lockStatus();
    void statusFromUnit_data();
    void statusFromUnit();

    void plugging();
    void unplugDuringReload();
    void disconnectBoxDoesNotBlock();
    void emptyNameBeforeConnectionForgetsTheName();
    void routingReachesTheUnitAfterAFailedNameAnswer_data();
    void routingReachesTheUnitAfterAFailedNameAnswer();
    void reloadAfterAFailedNameAnswerRoutesNoOtherModel();
    void saveIntoTheUnitOnlyWhileAUnitIsNamed();

    void clockSourceRestored_data();
    void clockSourceRestored();

    void metersFollowTheUnit();
    void meterSaturates();
    void quietTicksRepaintNothing();
    void lowCutGuardWakesOnlyWhileOn();
    void mixerPageDrawsAsPlainLabels();
    void mixerPageReadiedAfterTheFirstPaint();

    void shiftKey();
    void shiftForgottenOnDeactivation();
    void hoverFilter();
    void geometryWrittenAtDestruction();
    void updateAction();

    void navigationWithoutUnit();
    void navigationPelvo();
    void helpLinks_data();
    void helpLinks();
    void monitorWindowCloseConnectedOnce();
    void fontsAndGraphSlots();
};

// ---- Status texts -----------------------------------------------------------------------------

void TestWindowShell::firmwareText_data() {
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("build");
    QTest::addColumn<QString>("text");
    QTest::newRow("both known") << 102 << 34 << "1.02 0034";
    QTest::newRow("minor padded") << 100 << 7 << "1.00 0007";
    QTest::newRow("two-digit major") << 1234 << 5678 << "12.34 5678";
    QTest::newRow("no version") << 0 << 34 << "No Device";
    QTest::newRow("no build") << 102 << 0 << "No Device";
}

void TestWindowShell::firmwareText() {
    QFETCH(int, version);
    QFETCH(int, build);
    QFETCH(QString, text);
    WindowFixture fx;
    MainWindow &w = fx.open();
    w.slt_RecvFirmVersion((unsigned short)version);
    w.slt_RecvFirmBuld((unsigned short)build);
    QCOMPARE(fx.ui().label_IntFirmVersion->text(), text);
}

void TestWindowShell::sampleRateText_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<uint>("hz");
    QTest::addColumn<QString>("text");
    QTest::newRow("44.1") << 2 << 44100u << "44.1kHz";
    QTest::newRow("48") << 2 << 48000u << "48kHz";
    QTest::newRow("88.2") << 2 << 88200u << "88.2kHz";
    QTest::newRow("96") << 2 << 96000u << "96kHz";
    QTest::newRow("176.4") << 2 << 176400u << "176.4kHz";
    QTest::newRow("192") << 2 << 192000u << "192kHz";
    QTest::newRow("outside the table") << 2 << 32000u << "";
    QTest::newRow("view not loaded") << 1 << 96000u << "";
}

void TestWindowShell::sampleRateText() {
    QFETCH(int, state);
    QFETCH(uint, hz);
    QFETCH(QString, text);
    WindowFixture fx;
    MainWindow &w = fx.open();
    fx.ui().label_IntSampleRate->setText("");
    w.currentSampleRate = 0;
    w.deviceState = (unsigned char)state;
    w.slt_RecvSampleRate(hz);
    QCOMPARE(fx.ui().label_IntSampleRate->text(), text);
    QCOMPARE(w.currentSampleRate, text.isEmpty() ? 0u : hz);
}

void TestWindowShell::clockSourceText_data() {
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("internal") << 1u << "Internal";
    QTest::newRow("word") << 2u << "Word";
    QTest::newRow("optical A") << 5u << "Optical A";
    QTest::newRow("optical B") << 6u << "Optical B";
    QTest::newRow("3") << 3u << "None";
    QTest::newRow("4") << 4u << "None";
    QTest::newRow("0") << 0u << "None";
}

void TestWindowShell::clockSourceText() {
    QFETCH(uint, code);
    QFETCH(QString, text);
    WindowFixture fx;
    fx.open().slt_RecvClockSource(kxmsg_data_clocksource_t(code));
    QCOMPARE(fx.ui().label_IntClockSource->text(), text);
}

// One lock report against a given clock source, sample rate, input rate and optical format.
// Expected texts "=" mean the label keeps what it showed before the report.
void TestWindowShell::lockStatus_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<uint>("current"); // the clock source the unit reports
    QTest::addColumn<uint>("rate");    // the shown sample rate
    QTest::addColumn<uint>("inputHz"); // the reported rate of the input the report is about
    QTest::addColumn<int>("format");   // format index of that input's port (optical only)
    QTest::addColumn<uint>("src");
    QTest::addColumn<uint>("lock");
    QTest::addColumn<QString>("clockText");
    QTest::addColumn<QString>("clockSheet");
    QTest::addColumn<QString>("inputLabel");
    QTest::addColumn<QString>("inputText");
    QTest::addColumn<QString>("inputSheet");

    const QString a = "label_IntOptAInputStatus", b = "label_IntOptBInputStatus",
                  word = "label_IntWordInputStatus";
    for (const QString model : {"OLVANE Tarvik", "OLVANE Pelvo"}) {
        const QByteArray m = model.toLatin1();
        auto row = [&](const char *name) { return &QTest::newRow((m + " " + name).constData()); };
        *row("internal current") << model << 1u << 48000u << 48000u << 0 << 1u << 3u << "----------"
                                 << "gray18"
                                 << ""
                                 << ""
                                 << "";
        *row("optical A unlocked")
            << model << 5u << 48000u << 48000u << 0 << 5u << 1u << "Unlocked (or No Signal)"
            << "black18" << a << "Unlocked (or No Signal)"
            << "black18";
        *row("optical A good") << model << 5u << 48000u << 48000u << 0 << 5u << 3u << "Good"
                               << "black18" << a << "Good"
                               << "black18";
        *row("optical A rate mismatch")
            << model << 5u << 48000u << 96000u << 0 << 5u << 3u << "Sample Rate Mismatch"
            << "red18" << a << "Sample Rate Mismatch"
            << "red18";
        *row("optical A no rate yet")
            << model << 5u << 48000u << 0u << 0 << 5u << 3u << "Sample Rate Mismatch"
            << "red18" << a << "Sample Rate Mismatch"
            << "red18";
        *row("optical A phase error")
            << model << 5u << 48000u << 48000u << 0 << 5u << 2u << "Phase Error"
            << "red18" << a << "Phase Error"
            << "red18";
        *row("optical A unknown lock")
            << model << 5u << 48000u << 48000u << 0 << 5u << 9u << ": UNKNOWN"
            << "red18" << a << ": UNKNOWN"
            << "red18";
        *row("optical A manual, current")
            << model << 5u << 48000u << 48000u << 2 << 5u << 3u << "Manually configured"
            << "gray18" << a << "Manually configured"
            << "gray18";
        *row("optical A manual, not current")
            << model << 1u << 48000u << 48000u << 1 << 5u << 3u << "----------"
            << "gray18" << a << "Manually configured"
            << "gray18";
        *row("optical A good, not current")
            << model << 1u << 48000u << 48000u << 0 << 5u << 3u << "----------"
            << "gray18" << a << "Good"
            << "black18";
    }
    // Optical B and word clock: their own labels only on the larger model.
    QTest::newRow("Tarvik optical B good")
        << "OLVANE Tarvik" << 6u << 48000u << 48000u << 0 << 6u << 3u << "Good"
        << "black18" << b << "Good"
        << "black18";
    QTest::newRow("Tarvik optical B manual")
        << "OLVANE Tarvik" << 6u << 48000u << 48000u << 3 << 6u << 3u << "Manually configured"
        << "gray18" << b << "Manually configured"
        << "gray18";
    QTest::newRow("Pelvo optical B, not current")
        << "OLVANE Pelvo" << 1u << 48000u << 48000u << 0 << 6u << 3u << "----------"
        << "gray18" << b << "="
        << "=";
    QTest::newRow("Pelvo optical B current")
        << "OLVANE Pelvo" << 6u << 48000u << 48000u << 0 << 6u << 3u << "Good"
        << "black18" << b << "="
        << "=";
    QTest::newRow("Tarvik word unlocked")
        << "OLVANE Tarvik" << 1u << 48000u << 0u << 0 << 2u << 1u << "----------"
        << "gray18" << word << "Unlocked (or No Signal)"
        << "black18";
    QTest::newRow("Tarvik word current mismatch")
        << "OLVANE Tarvik" << 2u << 44100u << 48000u << 0 << 2u << 3u << "Sample Rate Mismatch"
        << "red18" << word << "Sample Rate Mismatch"
        << "red18";
    QTest::newRow("Pelvo word current")
        << "OLVANE Pelvo" << 2u << 48000u << 48000u << 0 << 2u << 3u << "Good"
        << "black18" << word << "="
        << "=";
}

void TestWindowShell::lockStatus() {
    QFETCH(QString, model);
    QFETCH(uint, current);
    QFETCH(uint, rate);
    QFETCH(uint, inputHz);
    QFETCH(int, format);
    QFETCH(uint, src);
    QFETCH(uint, lock);
    QFETCH(QString, clockText);
    QFETCH(QString, clockSheet);
    QFETCH(QString, inputLabel);
    QFETCH(QString, inputText);
    QFETCH(QString, inputSheet);

    WindowFixture fx;
    MainWindow &w = fx.open();
    Ui_MainWindow &ui = fx.ui();
    w.slt_RecvDeviceName(model);
    QCOMPARE(w.isOLVANE_Pelvo(), model == "OLVANE Pelvo");

    // Every input has a known rate that this row does not test; the report's own input gets
    // the row's rate.
    for (uint s : {2u, 5u, 6u})
        w.slt_RecvClockHz(kxmsg_data_clocksource_t(s), s == src ? inputHz : rate);
    if (src == 5)
        ui.cB_Optical_A->setCurrentIndex(format);
    if (src == 6)
        ui.cB_Optical_B->setCurrentIndex(format);
    // The user's choice of clock source matches what the unit reports.
    switch (current) {
    case 5:
        ui.rB_Optical_A->click();
        break;
    case 6:
        ui.rB_Optical_B->click();
        break;
    case 2:
        ui.rB_Word->click();
        break;
    default:
        ui.rB_Internal->click();
        break;
    }
    w.slt_RecvClockSource(kxmsg_data_clocksource_t(current));
    w.currentSampleRate = rate;

    QLabel *input = inputLabel.isEmpty() ? nullptr : w.findChild<QLabel *>(inputLabel);
    const QString inputTextBefore = input ? input->text() : QString();
    const QString inputSheetBefore = input ? input->styleSheet() : QString();

    w.slt_RecvDigitalInputStatus(kxmsg_data_clocksource_t(src), kxmsg_data_clocklock_t(lock));

    QCOMPARE(ui.label_IntClockSourceStatus->text(), clockText);
    QCOMPARE(ui.label_IntClockSourceStatus->styleSheet(), sheetByName(clockSheet));
    QCOMPARE(ui.label_ClockSourceStatus->styleSheet(), current == 1 ? kGray20 : kBlack20);
    if (input) {
        QCOMPARE(input->text(), inputText == "=" ? inputTextBefore : inputText);
        QCOMPARE(input->styleSheet(),
                 inputSheet == "=" ? inputSheetBefore : sheetByName(inputSheet));
    }
}

// What a plugged unit reports reaches the interface page.
void TestWindowShell::statusFromUnit_data() {
    QTest::addColumn<bool>("pelvo");
    QTest::newRow("Tarvik") << false;
    QTest::newRow("Pelvo") << true;
}

void TestWindowShell::statusFromUnit() {
    QFETCH(bool, pelvo);
    WindowFixture fx;
    auto unit = fx.plug(pelvo ? EmulatedUnit::Model::Pelvo : EmulatedUnit::Model::Tarvik);
    unit->setVersion(103, 61);
    fx.open();
    QVERIFY(fx.waitConnected(false));
    Ui_MainWindow &ui = fx.ui();
    QVERIFY(UnitFixture::waitFor([&] {
        return ui.label_IntFirmVersion->text() == "1.03 0061" &&
               ui.label_IntSampleRate->text() == "48kHz" &&
               ui.label_IntOptAInputStatus->text() == "Good";
    }));
    QCOMPARE(ui.label_IntDevice->text(), pelvo ? "OLVANE Pelvo" : "OLVANE Tarvik");
    QCOMPARE(fx.window->isOLVANE_Pelvo(), pelvo);
    QCOMPARE(ui.label_IntClockSource->text(), "Internal");
    QCOMPARE(ui.label_IntClockSourceStatus->text(), "----------");
    QCOMPARE(ui.label_IntClockSourceStatus->styleSheet(), kGray18);
    QCOMPARE(ui.label_IntOptAInputStatus->styleSheet(), kBlack18);
    QCOMPARE(ui.label_IntDriverVersion->text(), "1.00 0059");
    QCOMPARE(ui.stackedWidget->currentIndex(), int(kPanelInterface));
    if (!pelvo)
        QVERIFY(UnitFixture::waitFor(
            [&] { return ui.label_IntOptBInputStatus->text() == "Unlocked (or No Signal)"; }));
}

// ---- Plugging ---------------------------------------------------------------------------------

void TestWindowShell::plugging() {
    BoxCloser closer(400);
    WindowFixture fx;
    MainWindow &w = fx.open();
    Ui_MainWindow &ui = fx.ui();
    UnitFixture::spin(300);
    QVERIFY(!w.deviceConnected);
    QCOMPARE(ui.label_IntDevice->text(), "No Device");
    QCOMPARE(ui.stackedWidget->currentIndex(), int(kPanelInterface));

    auto tarvik = fx.plug(EmulatedUnit::Model::Tarvik);
    QVERIFY(fx.waitConnected(false));
    QCOMPARE(ui.label_IntDevice->text(), "OLVANE Tarvik");
    QVERIFY(UnitFixture::waitFor([&] { return ui.label_IntSampleRate->text() == "48kHz"; }));
    // The larger model at 48 kHz shows every strip.
    for (QWidget *stack : {ui.sW_channel3_4, ui.sW_channelAdat1_2, ui.sW_channelAdat7_8})
        QVERIFY(!stack->isHidden());

    // The user goes to the mixer; unplugging brings the interface page back.
    ui.pB_ToMixerFromInterface->click();
    QCOMPARE(ui.stackedWidget->currentIndex(), int(kPanelMixer));
    tarvik->unplug();
    QVERIFY(fx.waitDisconnected());
    QCOMPARE(ui.stackedWidget->currentIndex(), int(kPanelInterface));
    QCOMPARE(storedPanel(), int(kPanelMixer)); // the return is not stored
    QCOMPARE(ui.label_IntDevice->text(), "No Device");
    QCOMPARE(ui.label_IntSampleRate->text(), "");
    for (QLabel *l : {ui.label_IntClockSourceStatus, ui.label_IntOptAInputStatus,
                      ui.label_IntOptBInputStatus}) {
        QCOMPARE(l->text(), "----------");
        QCOMPARE(l->styleSheet(), kGray18);
    }
    QCOMPARE(w.deviceState, (unsigned char)0);

    auto pelvo = fx.plug(EmulatedUnit::Model::Pelvo);
    QVERIFY(fx.waitConnected(false));
    QCOMPARE(ui.label_IntDevice->text(), "OLVANE Pelvo");
    QVERIFY(w.isOLVANE_Pelvo());
    // The smaller model has no second analog pair and no optical B inputs.
    for (QWidget *stack : {ui.sW_channel3_4, ui.sW_channelAdat1_2, ui.sW_channelAdat7_8})
        QVERIFY(stack->isHidden());
    QVERIFY(!ui.sW_channel1_2->isHidden());
    QVERIFY(!ui.sW_channelSP1_2->isHidden());
    // The first rate report after the reconnection is shown again.
    QVERIFY(UnitFixture::waitFor([&] { return ui.label_IntSampleRate->text() == "48kHz"; }));
    QVERIFY(closer.texts.contains(
        "USB Disconnected|- OLVANE Pelvo/Tarvik -\n Please insert USB cable"));
}

// A unit that goes while the reload's messages are still on their way: the window returns to
// "no unit" without hanging, and the next unit is connected as usual.
void TestWindowShell::unplugDuringReload() {
    BoxCloser closer(200);
    WindowFixture fx;
    MainWindow &w = fx.open();
    auto unit = fx.plug(EmulatedUnit::Model::Tarvik);
    unit->setRequestDelayMs(20);
    QVERIFY(UnitFixture::waitFor([&] { return w.deviceConnected; }, linkwait::kBoundMs));
    QVERIFY(dm.device().traffic().valuesPending || dm.device().traffic().inFlight);
    unit->unplug();
    QVERIFY(fx.waitDisconnected());
    QCOMPARE(fx.ui().label_IntDevice->text(), "No Device");
    QCOMPARE(fx.ui().stackedWidget->currentIndex(), int(kPanelInterface));

    auto again = fx.plug(EmulatedUnit::Model::Pelvo);
    QVERIFY(fx.waitConnected(false));
    QCOMPARE(fx.ui().label_IntDevice->text(), "OLVANE Pelvo");
}

// The disconnect box: shown after the meters are cleared, never blocking the poll, never twice,
// one box reused; a unit plugged while it shows is connected.
void TestWindowShell::disconnectBoxDoesNotBlock() {
    // A safety net only: the test closes the box itself.
    BoxCloser safety(120000);
    WindowFixture fx;
    auto unit = fx.openConnected(EmulatedUnit::Model::Tarvik, false);
    QVERIFY(unit);
    MainWindow &w = *fx.window;
    unit->setMeter(KXMSG_DATA_CH_MIXER_INPUT, 1, 20000);
    unit->setGrMeter(1000);
    QVERIFY(UnitFixture::waitFor([&] { return w.meterLevels[0] == 20000; }));
    w.grMeterLevel = 1000;

    unit->unplug();
    bool clearedWhenShown = false;
    QVERIFY(UnitFixture::waitFor([&] {
        if (visibleBoxes().isEmpty())
            return false;
        clearedWhenShown = std::all_of(w.meterLevels.begin(), w.meterLevels.end(),
                                       [](uint32_t v) { return v == 0; }) &&
                           w.grMeterLevel == 32767;
        return true;
    }));
    QVERIFY(clearedWhenShown);
    QMessageBox *box = visibleBoxes().first();
    QCOMPARE(box->windowTitle(), "USB Disconnected");

    // The poll goes on while the box shows: ticks pass, no second box appears.
    UnitFixture::spin(350);
    QCOMPARE(visibleBoxes().size(), 1);

    // A unit plugged in while the box shows is connected.
    auto next = fx.plug(EmulatedUnit::Model::Pelvo);
    QVERIFY(fx.waitConnected(false));
    QCOMPARE(fx.ui().label_IntDevice->text(), "OLVANE Pelvo");
    QCOMPARE(visibleBoxes().size(), 1);
    box->done(QMessageBox::Ok);
    QVERIFY(visibleBoxes().isEmpty());

    // A second unplug shows the same box again.
    next->unplug();
    QVERIFY(UnitFixture::waitFor([] { return visibleBoxes().size() == 1; }));
    QCOMPARE(visibleBoxes().first(), box);
    box->done(QMessageBox::Ok);
}

// A name that arrived while no unit was present is forgotten by an empty name report, so a
// smaller unit plugged next is connected after its own name: never as the larger model.
void TestWindowShell::emptyNameBeforeConnectionForgetsTheName() {
    writeClockSettings("SampleClockSourceId", 3); // optical B, which the smaller unit lacks
    WindowFixture fx;
    MainWindow &w = fx.open();
    w.slt_RecvDeviceName("OLVANE Tarvik");
    QCOMPARE(w.deviceState, (unsigned char)1);
    w.slt_RecvDeviceName(QString());
    QCOMPARE(w.deviceState, (unsigned char)0);
    QCOMPARE(fx.ui().label_IntDevice->text(), "No Device");

    auto unit = fx.plug(EmulatedUnit::Model::Pelvo);
    QVERIFY(fx.waitConnected());
    QCOMPARE(fx.ui().label_IntDevice->text(), "OLVANE Pelvo");
    QCOMPARE(unit->state().clockSource, (uint8_t)KXMSG_DATA_CLOCKSOURCE_INTERNAL);
    QVERIFY(fx.ui().rB_Internal->isChecked());
}

// A transfer that fails while the unit is connected leaves "No Device" on the page until the
// next name answer; the unit is still the one that named itself, and routing chosen meanwhile,
// on the page or by the monitor window's close, reaches it.
void TestWindowShell::routingReachesTheUnitAfterAFailedNameAnswer_data() {
    QTest::addColumn<bool>("monitorClose");
    QTest::newRow("chosen on the page") << false;
    QTest::newRow("restored by the monitor window's close") << true;
}

void TestWindowShell::routingReachesTheUnitAfterAFailedNameAnswer() {
    QFETCH(bool, monitorClose);
    WindowFixture fx;
    auto unit = fx.openConnected(EmulatedUnit::Model::Tarvik);
    QVERIFY(unit);
    MainWindow &w = *fx.window;
    Ui_MainWindow &ui = fx.ui();
    const auto routeIsComputer10 = [&unit] {
        const EmulatedUnit::Route r = unit->state().routes[0];
        return r.srcType == KXMSG_DATA_CH_PLAYBACK && r.srcNo == 10;
    };
    MonitorControl *monitor = nullptr;
    if (monitorClose) {
        ui.cB_LineOut1_Tarvik->setCurrentIndex(35); // COMPUTER 10
        QVERIFY(waitLinkDelivered(dm.device()));
        QVERIFY(routeIsComputer10());
        QTest::mouseClick(ui.pB_MoniconEnable, Qt::LeftButton);
        monitor = monitorWindowOf(w);
        QVERIFY(monitor && monitor->isVisible());
        QVERIFY(waitLinkDelivered(dm.device()));
        QVERIFY2(!routeIsComputer10(), "the monitor window routes line out 1 itself");
    }

    unit->failNextIn();
    QVERIFY(UnitFixture::waitFor([&] { return ui.label_IntDevice->text() == "No Device"; }));
    QVERIFY(w.deviceConnected);
    if (monitorClose)
        monitor->reject();
    else
        ui.cB_LineOut1_Tarvik->setCurrentIndex(35);
    QVERIFY(waitLinkDelivered(dm.device()));
    dm.flushCurrentState();
    QCOMPARE(storedIn(settingsName, "LineOutSettings", "LineOut1").toInt(), 35);
    QVERIFY(routeIsComputer10());
    QCOMPARE(unit->outOfRangeCount(), 0);
}

// A reload while the smaller unit's name answer has failed (a scene load in that moment) stands
// in the larger model's page; the unit, which named itself as the smaller model, is sent none
// of that page's routing.
void TestWindowShell::reloadAfterAFailedNameAnswerRoutesNoOtherModel() {
    WindowFixture fx;
    auto unit = fx.openConnected(EmulatedUnit::Model::Pelvo);
    QVERIFY(unit);
    MainWindow &w = *fx.window;
    unit->clearLog();
    unit->failNextIn();
    QVERIFY(UnitFixture::waitFor([&] { return fx.ui().label_IntDevice->text() == "No Device"; }));
    QVERIFY(w.deviceConnected);
    w.initWindowView();
    QVERIFY(waitLinkDelivered(dm.device()));
    VERIFY_NOTHING_OUT_OF_RANGE(unit);
    QCOMPARE(int(unit->state().routes[0].srcType), int(KXMSG_DATA_CH_MASTER));
    QCOMPARE(int(unit->state().routes[1].srcNo), 2);
}

// Save into the unit is offered only while a unit has named itself since it was plugged in.
void TestWindowShell::saveIntoTheUnitOnlyWhileAUnitIsNamed() {
    BoxCloser closer(200);
    WindowFixture fx;
    MainWindow &w = fx.open();
    QAction *save = fx.ui().actionSaveIntoTheUnit;
    QVERIFY(!save->isEnabled());
    // The window's polls make the link let go of an earlier case's unit.
    QVERIFY(UnitFixture::waitFor([] { return !dm.queryExistDevice(); }));
    QVERIFY(!save->isEnabled());

    // A name with no unit connected, then an empty one: not offered.
    w.slt_RecvDeviceName("OLVANE Tarvik");
    QVERIFY(save->isEnabled());
    w.slt_RecvDeviceName(QString());
    QVERIFY(!save->isEnabled());

    auto unit = fx.plug(EmulatedUnit::Model::Pelvo);
    QVERIFY(fx.waitConnected(false));
    QVERIFY(save->isEnabled());
    // A failed name answer while connected keeps it.
    w.slt_RecvDeviceName(QString());
    QVERIFY(save->isEnabled());

    unit->unplug();
    QVERIFY(fx.waitDisconnected());
    QVERIFY(!save->isEnabled());
    save->trigger();
    QVERIFY(closer.texts.filter("Save mixer settings?").isEmpty());
}

// ---- Clock source -----------------------------------------------------------------------------

// The stored clock source and optical formats, restored at start and sent on connection.
void TestWindowShell::clockSourceRestored_data() {
    QTest::addColumn<bool>("pelvo");
    QTest::addColumn<QVariant>("stored"); // invalid: never stored
    QTest::addColumn<int>("formatA");     // stored format of optical port A
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("unitSource");
    QTest::addColumn<int>("shownFormatA");
    QTest::addColumn<int>("unitFormatA");
    QTest::newRow("never stored") << false << QVariant() << 0 << "rB_Internal" << 1 << 0
                                  << int(KXMSG_DATA_ADAT_X1);
    QTest::newRow("2, manual 88.2/96")
        << false << QVariant(2) << 2 << "rB_Optical_A" << 5 << 2 << int(KXMSG_DATA_ADAT_X2);
    QTest::newRow("3") << false << QVariant(3) << 3 << "rB_Optical_B" << 6 << 3
                       << int(KXMSG_DATA_ADAT_X4);
    QTest::newRow("4") << false << QVariant(4) << 0 << "rB_Word" << 2 << 0
                       << int(KXMSG_DATA_ADAT_X1);
    QTest::newRow("7, format 7") << false << QVariant(7) << 7 << "rB_Internal" << 1 << 0
                                 << int(KXMSG_DATA_ADAT_X1);
    QTest::newRow("2, format 300")
        << false << QVariant(2) << 300 << "rB_Optical_A" << 5 << 0 << int(KXMSG_DATA_ADAT_X1);
    QTest::newRow("Pelvo 3") << true << QVariant(3) << 1 << "rB_Internal" << 1 << 1
                             << int(KXMSG_DATA_ADAT_X1);
    QTest::newRow("Pelvo 4") << true << QVariant(4) << 0 << "rB_Internal" << 1 << 0
                             << int(KXMSG_DATA_ADAT_X1);
}

void TestWindowShell::clockSourceRestored() {
    QFETCH(bool, pelvo);
    QFETCH(QVariant, stored);
    QFETCH(int, formatA);
    QFETCH(QString, button);
    QFETCH(int, unitSource);
    QFETCH(int, shownFormatA);
    QFETCH(int, unitFormatA);
    if (stored.isValid())
        writeClockSettings("SampleClockSourceId", stored);
    writeClockSettings("Optical_A", formatA);
    WindowFixture fx;
    auto unit = fx.openConnected(pelvo ? EmulatedUnit::Model::Pelvo : EmulatedUnit::Model::Tarvik);
    QVERIFY(unit);
    QVERIFY(fx.window->findChild<QRadioButton *>(button)->isChecked());
    QCOMPARE(int(unit->state().clockSource), unitSource);
    QCOMPARE(fx.ui().cB_Optical_A->currentIndex(), shownFormatA);
    QCOMPARE(int(unit->state().opticalFormat[0]), unitFormatA);
    QCOMPARE(fx.ui().label_ClockSourceStatus->styleSheet(), unitSource == 1 ? kGray20 : kBlack20);
    if (!pelvo)
        VERIFY_NOTHING_OUT_OF_RANGE(unit);
}

// ---- Meters -----------------------------------------------------------------------------------

void TestWindowShell::metersFollowTheUnit() {
    WindowFixture fx;
    auto unit = fx.openConnected(EmulatedUnit::Model::Tarvik, false);
    QVERIFY(unit);
    MainWindow &w = *fx.window;
    Ui_MainWindow &ui = fx.ui();
    // Input 1 at full scale, input 2 at a quarter, master right at half.
    unit->setMeter(KXMSG_DATA_CH_MIXER_INPUT, 1, 32768);
    unit->setMeter(KXMSG_DATA_CH_MIXER_INPUT, 2, 8192);
    unit->setMeter(KXMSG_DATA_CH_MASTER, 2, 16384);
    const int top = 362;
    QVERIFY(UnitFixture::waitFor([&] {
        return ui.label_LevelMeter1->geometry().top() == top + dotOf(32768) &&
               ui.label_LevelMeter2->geometry().top() == top + dotOf(8192) &&
               ui.label_LevelMeterMasterR->geometry().top() == top + dotOf(16384);
    }));
    // The stereo strip's meters show the same inputs.
    QCOMPARE(ui.label_LevelMeter1_2_L->geometry().top(), ui.label_LevelMeter1->geometry().top());
    QCOMPARE(ui.label_LevelMeter1_2_R->geometry().top(), ui.label_LevelMeter2->geometry().top());
    // Full scale lights the peak lamps, and they go out a second or two after the peak.
    QVERIFY(!ui.label_Peak1->isHidden());
    QVERIFY(ui.label_Peak2->isHidden());
    unit->setMeter(KXMSG_DATA_CH_MIXER_INPUT, 1, 100);
    QVERIFY(UnitFixture::waitFor([&] { return ui.label_Peak1->isHidden(); }, 5000));
    QCOMPARE(w.levelMeterTable[0].meterBar, ui.label_LevelMeter1);
    QCOMPARE(w.levelMeterTable[39].peakLamp, ui.label_PeakAdat7_8_R);

    w.initLevelMeter();
    for (const levelMeter &m : w.levelMeterTable)
        QVERIFY(m.peakLamp->isHidden());
}

// A meter value above 16 bits shows full scale, not the wrapped low bits.
void TestWindowShell::meterSaturates() {
    WindowFixture fx;
    auto unit = fx.openConnected(EmulatedUnit::Model::Tarvik, false);
    QVERIFY(unit);
    MainWindow &w = *fx.window;
    unit->setRequestDelayMs(200); // keeps the unit's own answer from overwriting the value
    w.slt_RecvLevelMeter(KXMSG_DATA_CH_MIXER_INPUT, 3, 70000);
    w.slt_RecvLevelMeter(KXMSG_DATA_CH_MASTER, 1, 0x10000);
    w.timerInterrupt_100ms();
    // Input 3 feeds records 4 (its mono strip) and 6 (the stereo strip's left side).
    QCOMPARE(w.levelMeterTable[4].level, (unsigned short)0xFFFF);
    QCOMPARE(w.levelMeterTable[6].level, (unsigned short)0xFFFF);
    QCOMPARE(w.levelMeterTable[40].level, (unsigned short)0xFFFF);
    QCOMPARE(fx.ui().label_LevelMeter3->geometry().top(), 362 + dotOf(0xFFFF));
    QVERIFY(!fx.ui().label_Peak3->isHidden());
    // Numbers outside the lists are dropped.
    w.slt_RecvLevelMeter(KXMSG_DATA_CH_MIXER_INPUT, 23, 5);
    w.slt_RecvLevelMeter(KXMSG_DATA_CH_LINEOUT, 1, 5);
    QCOMPARE(w.meterLevels[2], 70000u);
    unit->setRequestDelayMs(0);
}

// With nothing changing, the timers repaint nothing; a changed meter repaints only its bars.
void TestWindowShell::quietTicksRepaintNothing() {
    WindowFixture fx;
    auto unit = fx.openConnected();
    QVERIFY(unit);
    MainWindow &w = *fx.window;
    Ui_MainWindow &ui = fx.ui();
    unit->setMeter(KXMSG_DATA_CH_MIXER_INPUT, 5, 4000);
    // Let the status labels, meters and decays settle.
    QVERIFY(UnitFixture::waitFor([&] {
        return ui.label_IntOptAInputStatus->text() == "Good" &&
               ui.label_LevelMeter5->geometry().top() == 362 + dotOf(4000);
    }));
    UnitFixture::spin(1500);

    // The interface page through two status polls, then the mixer page through its meter
    // ticks: nothing changes, nothing is painted.
    PaintCounter counter;
    const QList<QWidget *> all = w.findChildren<QWidget *>();
    for (QWidget *c : all)
        c->installEventFilter(&counter);
    UnitFixture::spin(2200);
    QCOMPARE(counter.total(), 0);
    ui.stackedWidget->setCurrentIndex(kPanelMixer);
    UnitFixture::spin(500);
    counter.paints.clear();
    UnitFixture::spin(1200);
    QCOMPARE(counter.total(), 0);

    unit->setMeter(KXMSG_DATA_CH_MIXER_INPUT, 5, 32000);
    QVERIFY(UnitFixture::waitFor(
        [&] { return ui.label_LevelMeter5->geometry().top() == 362 + dotOf(32000); }));
    UnitFixture::spin(300);
    QVERIFY(counter.paints.value(ui.label_LevelMeter5) > 0);
    // The rise repaints the bar and its lamp alone: not the strip's picture, its stack, the
    // page or the window beneath.
    QStringList painted;
    for (auto it = counter.paints.constBegin(); it != counter.paints.constEnd(); ++it)
        painted << it.key()->objectName();
    painted.sort();
    QCOMPARE(painted, (QStringList{"label_LevelMeter5", "label_Peak5"}));
    for (int r = 0; r < MainWindow::kMeterRecordCount; ++r) {
        QLabel *bar = w.levelMeterTable[r].meterBar;
        if (bar == ui.label_LevelMeter5 || bar == ui.label_LevelMeter5_6_L)
            continue;
        QVERIFY2(counter.paints.value(bar) == 0, qPrintable(bar->objectName()));
    }
    for (QWidget *c : all)
        c->removeEventFilter(&counter);
}

// The low-band guard's 10 ms tick runs only while the low-cut filter is on, whichever way the
// filter goes off; while on it still overwrites what the equaliser writes.
void TestWindowShell::lowCutGuardWakesOnlyWhileOn() {
    WindowFixture fx;
    auto unit = fx.openConnected();
    QVERIFY(unit);
    MainWindow &w = *fx.window;
    Ui_MainWindow &ui = fx.ui();
    const auto guardRunning = [&w] {
        for (const QTimer *t : w.findChildren<QTimer *>())
            if (t->isActive() && t->interval() <= 10)
                return true;
        return false;
    };
    QVERIFY(!guardRunning());

    QTest::mouseClick(ui.pB_Analog3, Qt::LeftButton);
    QVERIFY(ui.pB_LowCutFilter->isCheckable());
    for (int round = 0; round < 2; ++round) {
        QTest::mouseClick(ui.pB_LowCutFilter, Qt::LeftButton);
        QVERIFY(ui.pB_LowCutFilter->isChecked());
        QVERIFY(guardRunning());
        ui.label_LowGainDisp->setText("+3");
        QVERIFY(UnitFixture::waitFor([&] { return ui.label_LowGainDisp->text() == "---"; }));
        if (round == 0)
            QTest::mouseClick(ui.pB_LowCutFilter, Qt::LeftButton); // off by the user
        else
            w.setLowCutFilterDisable(); // off with the button made uncheckable, no signal
        QVERIFY(!ui.pB_LowCutFilter->isChecked());
        QVERIFY(UnitFixture::waitFor([&] { return !guardRunning(); }));
        ui.label_LowGainDisp->setText("+3");
        UnitFixture::spin(100);
        QCOMPARE(ui.label_LowGainDisp->text(), QString("+3"));
        w.setLowCutFilterEnable();
    }
    ChannelControl::selectedCh = QStringLiteral("none"); // the selection outlives the window
}

// The meter bars and strip pictures take shortcuts in painting: opaque strips, bars painted
// without the style machinery. After meters have moved for a while, what the screen shows is
// what a full repaint of the window gives, and that is what plain labels without the
// shortcuts give.
void TestWindowShell::mixerPageDrawsAsPlainLabels() {
    WindowFixture fx;
    auto unit = fx.openConnected();
    QVERIFY(unit);
    MainWindow &w = *fx.window;
    Ui_MainWindow &ui = fx.ui();
    ui.stackedWidget->setCurrentIndex(kPanelMixer);
    QTest::mouseClick(ui.pB_LinkOn3_4, Qt::LeftButton); // a stereo strip in view
    QTest::mouseClick(ui.pB_Analog5, Qt::LeftButton);   // a selected strip's picture
    unit->setLiveMeters(true);
    UnitFixture::spin(2500); // bars rise, fall and light their lamps
    unit->setLiveMeters(false);
    for (int n = 1; n <= 20; ++n)
        unit->setMeter(KXMSG_DATA_CH_MIXER_INPUT, n, uint16_t(n * 1500));
    QVERIFY(UnitFixture::waitFor([&] {
        return ui.label_LevelMeter9->geometry().top() == 362 + dotOf(9 * 1500) &&
               ui.label_LevelMeter3_4_R->geometry().top() == 362 + dotOf(4 * 1500);
    }));
    UnitFixture::spin(300);
    QCoreApplication::processEvents();
    const QImage screen =
        w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage rendered = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(screen.size(), rendered.size());
    QVERIFY(screen == rendered);

    QObject *barPainter = w.findChild<QObject *>(QStringLiteral("meterBarPainter"));
    QVERIFY(barPainter);
    for (const levelMeter &m : w.levelMeterTable)
        for (QLabel *l : {m.meterBar, m.peakLamp}) {
            l->removeEventFilter(barPainter);
            l->setAttribute(Qt::WA_OpaquePaintEvent, false);
        }
    for (ChannelControl *strip : w.findChildren<ChannelControl *>()) {
        strip->clearMask();
        strip->setAttribute(Qt::WA_OpaquePaintEvent, false);
    }
    const QImage plain = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(plain == rendered);
    ChannelControl::selectedCh = QStringLiteral("none");
}

// The mixer page takes its picture and styles its children once the window has been painted,
// before anyone switches to it; the routing pages take theirs when first shown.
void TestWindowShell::mixerPageReadiedAfterTheFirstPaint() {
    WindowFixture fx;
    MainWindow &w = fx.open();
    Ui_MainWindow &ui = fx.ui();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(ui.Mixer->styleSheet().contains("Tarvik_mixer_back.png"));
    const auto unpolished = [&ui] {
        QStringList names;
        for (const QWidget *child : ui.Mixer->findChildren<QWidget *>())
            if (!child->testAttribute(Qt::WA_WState_Polished))
                names << child->objectName();
        return names;
    };
    QTRY_COMPARE(unpolished(), QStringList());
    QCOMPARE(ui.stackedWidget->currentWidget(), ui.Interface);
    QVERIFY(!ui.Routing_Tarvik->styleSheet().contains("background-image"));
    ui.stackedWidget->setCurrentWidget(ui.Routing_Tarvik);
    QVERIFY(ui.Routing_Tarvik->styleSheet().contains("Tarvik_ROUTING_back.png"));
}

// ---- Window events ----------------------------------------------------------------------------

void TestWindowShell::shiftKey() {
    WindowFixture fx;
    MainWindow &w = fx.open();
    shiftKeyDown = 0;
    QTest::keyPress(&w, Qt::Key_Shift);
    QCOMPARE(shiftKeyDown, (unsigned char)1);
    QTest::keyPress(&w, Qt::Key_A);
    QTest::keyRelease(&w, Qt::Key_A);
    QCOMPARE(shiftKeyDown, (unsigned char)1);
    QTest::keyRelease(&w, Qt::Key_Shift);
    QCOMPARE(shiftKeyDown, (unsigned char)0);
}

// A Shift release that went to another window must not leave Shift held.
void TestWindowShell::shiftForgottenOnDeactivation() {
    WindowFixture fx;
    MainWindow &w = fx.open();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyPress(&w, Qt::Key_Shift);
    QCOMPARE(shiftKeyDown, (unsigned char)1);
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(shiftKeyDown, (unsigned char)0);
}

void TestWindowShell::hoverFilter() {
    WindowFixture fx;
    MainWindow &w = fx.open();
    QSlider *slider = fx.ui().hS_BufferSize;
    QVERIFY(slider->isHidden());
    for (QEvent::Type type : {QEvent::HoverEnter, QEvent::HoverLeave, QEvent::HoverMove}) {
        QHoverEvent hover(type, QPointF(5, 5), QPointF(4, 4));
        QVERIFY(QCoreApplication::sendEvent(slider, &hover)); // swallowed by the window
        QVERIFY(static_cast<QObject &>(w).eventFilter(slider, &hover));
    }
    QEvent other(QEvent::StyleChange);
    QVERIFY(!static_cast<QObject &>(w).eventFilter(slider, &other));
    QCOMPARE(slider->styleSheet(),
             "QSlider::handle:horizontal {background-color: white; border: 1px solid black}");
}

void TestWindowShell::geometryWrittenAtDestruction() {
    QSettings s(organizationName, baseSettingsName);
    s.remove("Window");
    s.sync();
    WindowFixture fx;
    MainWindow &w = fx.open();
    const QByteArray geometry = w.saveGeometry();
    fx.close();
    QSettings after(organizationName, baseSettingsName);
    QCOMPARE(after.value("Window/geometry").toByteArray(), geometry);
    // The next start ignores it: the form's fixed size.
    MainWindow &again = fx.open();
    QCOMPARE(again.size(), again.sizeHint());
}

void TestWindowShell::updateAction() {
    WindowFixture fx;
    MainWindow &w = fx.open();
    QAction *update = fx.ui().actionUpdate;
    QVERIFY(!update->isEnabled());
    dm.setDoNotUpdateSoftDialog("1.00 0060");
    dm.setDoNotUpdateFirmDialog("1.03");
    update->setEnabled(true);
    update->trigger();
    QVERIFY(!update->isEnabled());
    QCOMPARE(dm.getDoNotUpdateSoftDialog(), QString());
    QCOMPARE(dm.getDoNotUpdateFirmDialog(), QString());
    // Exactly one connection runs doUpdate.
    QVERIFY(QObject::disconnect(update, &QAction::triggered, &w, &MainWindow::doUpdate));
    QVERIFY(!QObject::disconnect(update, &QAction::triggered, &w, &MainWindow::doUpdate));
}

// ---- Navigation -------------------------------------------------------------------------------

void TestWindowShell::navigationWithoutUnit() {
    // The link lets go of an earlier suite's unit on its own time.
    QVERIFY(UnitFixture::waitFor([] { return !dm.queryExistDevice(); }));
    shiftKeyDown = 0;
    WindowFixture fx;
    fx.open();
    Ui_MainWindow &ui = fx.ui();
    QCOMPARE(ui.stackedWidget->currentIndex(), int(kPanelInterface));

    for (QPushButton *b : {ui.pB_ToMixerFromInterface, ui.pB_ToOutputFromInterface}) {
        BoxCloser closer(30);
        QVERIFY(!dm.queryExistDevice());
        QCOMPARE(shiftKeyDown, (unsigned char)0);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(closer.texts,
                 QStringList{"MORVEX OLVANE Settings Panel|Please connect the device."});
        QCOMPARE(ui.stackedWidget->currentIndex(), int(kPanelInterface));
        QCOMPARE(storedPanel(), -1);
    }

    // Shift held lets the user through; without a unit the output page is the larger model's.
    QTest::keyPress(fx.window.get(), Qt::Key_Shift);
    QTest::mouseClick(ui.pB_ToOutputFromInterface, Qt::LeftButton);
    QTest::keyRelease(fx.window.get(), Qt::Key_Shift);
    QCOMPARE(ui.stackedWidget->currentIndex(), int(kPanelRoutingTarvik));
    QCOMPARE(storedPanel(), int(kPanelRoutingTarvik));

    const struct {
        QPushButton *button;
        int page;
    } steps[] = {{ui.pB_ToMixerFromRoutingTarvik, kPanelMixer},
                 {ui.pB_ToOutputFromMixer, kPanelRoutingTarvik},
                 {ui.pB_ToInformationFromRoutingTarvik, kPanelInterface}};
    for (const auto &s : steps) {
        QTest::mouseClick(s.button, Qt::LeftButton);
        QCOMPARE(ui.stackedWidget->currentIndex(), s.page);
        QCOMPARE(storedPanel(), s.page);
    }
}

void TestWindowShell::navigationPelvo() {
    WindowFixture fx;
    QVERIFY(fx.openConnected(EmulatedUnit::Model::Pelvo, false));
    Ui_MainWindow &ui = fx.ui();
    const struct {
        QPushButton *button;
        int page;
    } steps[] = {{ui.pB_ToOutputFromInterface, kPanelRoutingPelvo},
                 {ui.pB_ToMixerFromRoutingPelvo, kPanelMixer},
                 {ui.pB_ToInterfaceFromMixer, kPanelInterface},
                 {ui.pB_ToMixerFromInterface, kPanelMixer},
                 {ui.pB_ToOutputFromMixer, kPanelRoutingPelvo},
                 {ui.pB_ToInformationFromRoutingPelvo, kPanelInterface}};
    for (const auto &s : steps) {
        QTest::mouseClick(s.button, Qt::LeftButton);
        QCOMPARE(ui.stackedWidget->currentIndex(), s.page);
        QCOMPARE(storedPanel(), s.page);
    }
}

void TestWindowShell::helpLinks_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("path");
    QTest::newRow("product, no unit") << "en_US"
                                      << ""
                                      << "actionProduct_Information"
                                      << "/int/product/OLVANE_Tarvik/top";
    QTest::newRow("faq, Japanese, Pelvo") << "ja_JP"
                                          << "OLVANE Pelvo"
                                          << "actionFAQs"
                                          << "/jp/product/OLVANE_Pelvo/faq";
    QTest::newRow("faq, German, Tarvik") << "de_DE"
                                         << "OLVANE Tarvik"
                                         << "actionFAQs"
                                         << "/int/product/OLVANE_Tarvik/faq";
}

void TestWindowShell::helpLinks() {
    QFETCH(QString, locale);
    QFETCH(QString, model);
    QFETCH(QString, action);
    QFETCH(QString, path);
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    const QLocale saved;
    QLocale::setDefault(QLocale(locale));
    WindowFixture fx;
    MainWindow &w = fx.open();
    if (!model.isEmpty())
        w.slt_RecvDeviceName(model);
    w.findChild<QAction *>(action)->trigger();
    QLocale::setDefault(saved);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first().scheme(), "https");
    QCOMPARE(catcher.urls.first().path(), path);
}

// Each close of the monitor window restores the routing once and leaves no connection behind.
void TestWindowShell::monitorWindowCloseConnectedOnce() {
    WindowFixture fx;
    auto unit = fx.openConnected(EmulatedUnit::Model::Tarvik, false);
    QVERIFY(unit);
    MainWindow &w = *fx.window;
    Ui_MainWindow &ui = fx.ui();
    QTest::keyPress(&w, Qt::Key_Shift);
    QTest::keyRelease(&w, Qt::Key_Shift);
    ui.pB_ToOutputFromInterface->click();
    QCOMPARE(ui.stackedWidget->currentIndex(), int(kPanelRoutingTarvik));
    MonitorControl *monitor = monitorWindowOf(w);
    QVERIFY(monitor);

    for (int round = 0; round < 2; ++round) {
        QTest::mouseClick(ui.pB_MoniconEnable, Qt::LeftButton);
        QVERIFY(monitor->isVisible());
        // A second press while it is open must not add a second connection.
        w.on_pB_MoniconEnable_released();
        monitor->reject();
        QVERIFY(!monitor->isVisible());
        QVERIFY(!ui.pB_MoniconEnable->isChecked());
        QVERIFY(!QObject::disconnect(monitor, &QDialog::rejected, &w,
                                     &MainWindow::slt_CloseMoniconWindow));
    }
}

void TestWindowShell::fontsAndGraphSlots() {
    WindowFixture fx;
    MainWindow &w = fx.open();
    Ui_MainWindow &ui = fx.ui();
    QVERIFY(ui.lineEdit_ch1->styleSheet().contains("font-size:15px"));
    QVERIFY(ui.lineEdit_ch20->styleSheet().contains("QToolTip"));
    const QString value = "QLabel{color: rgb(255, 170, 0); font-size:11px}";
    QCOMPARE(ui.label_Send1Display1->styleSheet(), value);
    QCOMPARE(ui.label_Send4DisplayAdat7_8->styleSheet(), value);
    QCOMPARE(ui.label_panDisplaySP1_2_R->styleSheet(), value);
    QCOMPARE(ui.label_SendDisplayReturn->styleSheet(), value);
    QVERIFY(ui.label_Send1DisplaySP1_2->styleSheet() != value);
    QCOMPARE(ui.dSB_faderDisplayMaster->styleSheet(),
             "QDoubleSpinBox{color: rgb(255, 170, 0); font-size:11px}");
    QVERIFY(ui.label_Interface_Asio->isHidden());
    for (QWidget *hidden : {static_cast<QWidget *>(ui.label_ReverbDisable),
                            static_cast<QWidget *>(ui.label_WordInputStatus),
                            static_cast<QWidget *>(ui.label_IntWordInputStatus),
                            static_cast<QWidget *>(ui.label_BufferSizeDisp)})
        QVERIFY(hidden->isHidden());

    const auto picture = [](const char *name) {
        return QPixmap(QString(":Resource/track/%1.png").arg(name)).toImage();
    };
    const auto shown = [&] { return ui.label_GRMeter->pixmap(Qt::ReturnByValue).toImage(); };
    w.slt_changeColorComp("GR_Active");
    QCOMPARE(shown(), picture("GR_active"));
    w.slt_changeColorComp("GR_Available");
    QCOMPARE(shown(), picture("GR_available"));
    w.slt_changeColorComp("gr_active");
    QCOMPARE(shown(), picture("GR_passive"));
    w.slt_changeColorComp("");
    QCOMPARE(shown(), picture("GR_passive"));
}

QTEST_MAIN(TestWindowShell)
#include "tst_window_shell.moc"
