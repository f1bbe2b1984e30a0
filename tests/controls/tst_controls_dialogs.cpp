// The scene naming dialog and the monitor-control window: the form as set up, the window
// opened on a fresh file and on a stored state, levels from sliders and typed into boxes,
// a source changed, a pair chosen and linked, and the window closed; checked against the
// emulated unit's log, the settings file read back and the widgets.
#include "ControlsFixture.h"
#include "MonitorControl.h"
#include "SceneMemoryDialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTimer>

using namespace ctltest;

namespace {

// Runs `step` once the event loop turns; closes every modal box left open after a while, so
// a case can fail but never hang.
void soon(std::function<void()> step, int ms = 0) {
    QTimer::singleShot(ms, step);
}
void guardAgainstHanging() {
    QTimer::singleShot(5000, [] {
        while (QWidget *w = QApplication::activeModalWidget())
            w->close();
    });
}

QString assignEvent(bool left, int index, int output) {
    kxmsg_data_ch_t type;
    unsigned char channel;
    if (left)
        DataManager::exchangeOutputSignal_MoniConL((unsigned char)index, type, channel);
    else
        DataManager::exchangeOutputSignal_MoniConR((unsigned char)index, type, channel);
    return QStringLiteral("assign %1:%2>1:%3").arg(int(type)).arg(int(channel)).arg(output);
}
QString faderEvent(int output, int tenths) {
    return QStringLiteral("fader 1:%1 %2").arg(output).arg(tenths);
}

struct Window {
    MonitorControl mc;
    template <class T> T *get(const char *name) {
        T *w = mc.findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    QSlider *slider(const char *n) { return get<QSlider>(n); }
    QDoubleSpinBox *box(const char *n) { return get<QDoubleSpinBox>(n); }
    QComboBox *list(const char *n) { return get<QComboBox>(n); }
    QPushButton *button(const char *n) { return get<QPushButton>(n); }
    int page() { return get<QStackedWidget>("stackedWidget")->currentIndex(); }
    QString caption(const char *n) { return get<QLabel>(n)->text(); }
};

} // namespace

class TestControlsDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fixture.start(); }
    void init() { fixture.reset(); }

    void sceneDialogForm();
    void sceneTypedNameIsAccepted_data();
    void sceneTypedNameIsAccepted();
    void sceneEmptyFieldShowsNoticeAndAccepts();
    void sceneEscapeRejects();

    void monitorFormAfterSetup();
    void monitorFirstOpeningOnFreshFile();
    void monitorOpeningOnStoredState();
    void monitorSliderPositions_data();
    void monitorSliderPositions();
    void monitorUserDragSendsEachStep();
    void monitorTypedLevel();
    void monitorTypedLevelWithFocusReportsOnce();
    void monitorChoosingAPair();
    void monitorLinkAndUnlink();
    void monitorLinkedLeftSourceSetsRightFirst();
    void monitorPairChangeKeepsStoredRightSource();
    void monitorDamagedSourceIsTheFirst_data();
    void monitorDamagedSourceIsTheFirst();
    void monitorClosing();

private:
    ControlsFixture fixture;
};

// --- scene naming dialog ------------------------------------------------------------------

void TestControlsDialogs::sceneDialogForm() {
    SceneMemoryDialog d;
    QCOMPARE(d.windowTitle(), QStringLiteral("Rename the SceneMemory"));
    QCOMPARE(d.promptLabel->text(), QStringLiteral("Enter the name of this SceneMemory:"));
    QCOMPARE(d.okButton->text(), QStringLiteral("&OK"));
    QVERIFY(d.nameEdit->text().isEmpty());
    QCOMPARE(d.getSceneMemoryText(), QStringLiteral("Empty Name"));
    QCOMPARE(d.layout(), static_cast<QLayout *>(d.boxLayout));
    QCOMPARE(d.boxLayout->count(), 3);
    QCOMPARE(d.boxLayout->itemAt(0)->widget(), static_cast<QWidget *>(d.promptLabel));
    QCOMPARE(d.boxLayout->itemAt(1)->widget(), static_cast<QWidget *>(d.nameEdit));
    QCOMPARE(d.boxLayout->itemAt(2)->widget(), static_cast<QWidget *>(d.okButton));
}

void TestControlsDialogs::sceneTypedNameIsAccepted_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("a name") << "Live Set";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("untrimmed") << " Mix 2 ";
}
void TestControlsDialogs::sceneTypedNameIsAccepted() {
    QFETCH(QString, typed);
    SceneMemoryDialog d;
    guardAgainstHanging();
    soon([&] {
        d.nameEdit->setText(typed);
        QTest::mouseClick(d.okButton, Qt::LeftButton);
    });
    QCOMPARE(d.exec(), int(QDialog::Accepted));
    QCOMPARE(d.getSceneMemoryText(), typed);
    QVERIFY(d.nameEdit->text().isEmpty());
    QVERIFY(storedGroups().isEmpty()); // the dialog stores nothing
}

void TestControlsDialogs::sceneEmptyFieldShowsNoticeAndAccepts() {
    SceneMemoryDialog d;
    QString title, text;
    int buttons = 0;
    guardAgainstHanging();
    soon([&] {
        soon(
            [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (!box)
                    return;
                title = box->windowTitle();
                text = box->text();
                buttons = box->buttons().size();
                QCOMPARE(box->parentWidget(), static_cast<QWidget *>(&d));
                box->button(QMessageBox::Ok)->click();
            },
            50);
        QTest::mouseClick(d.okButton, Qt::LeftButton);
    });
    QCOMPARE(d.exec(), int(QDialog::Accepted));
    QCOMPARE(title, QStringLiteral("Enpty Field"));
    QCOMPARE(text, QStringLiteral("Please enter the name"));
    QCOMPARE(buttons, 1);
    QCOMPARE(d.getSceneMemoryText(), QStringLiteral("Empty Name"));
}

void TestControlsDialogs::sceneEscapeRejects() {
    SceneMemoryDialog d;
    guardAgainstHanging();
    soon([&] {
        d.nameEdit->setText(QStringLiteral("Unused"));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    QCOMPARE(d.exec(), int(QDialog::Rejected));
    QCOMPARE(d.getSceneMemoryText(), QStringLiteral("Empty Name"));
}

// --- monitor control ----------------------------------------------------------------------

void TestControlsDialogs::monitorFormAfterSetup() {
    Window w;
    QCOMPARE(w.mc.objectName(), QStringLiteral("MonitorControl"));
    QCOMPARE(w.mc.windowTitle(), QStringLiteral("Monitor Control"));
    QCOMPARE(w.mc.maximumSize(), QSize(640, 480));
    QCOMPARE(w.page(), 0);
    for (const char *s : {"vS_mcMono1", "vS_mcMono2", "vS_mcStereo", "vS_mcMaster"}) {
        QCOMPARE(w.slider(s)->value(), 127);
        QCOMPARE(w.slider(s)->maximum(), 127);
        QCOMPARE(w.slider(s)->orientation(), Qt::Vertical);
    }
    QVERIFY(w.slider("vS_mcMaster")->styleSheet().contains("nob_red.png"));
    QVERIFY(w.slider("vS_mcMono2")->styleSheet().contains("nob_white.png"));
    QCOMPARE(w.list("cB_mcSourceL")->count(), 18);
    QCOMPARE(w.list("cB_mcSourceR")->count(), 18);
    QCOMPARE(w.list("cB_mcSourceL")->currentIndex(), 0);
    QCOMPARE(w.list("cB_mcSourceL")->itemText(0), QStringLiteral("MASTER L"));
    QCOMPARE(w.list("cB_mcSourceR")->itemText(7), QStringLiteral("COMPUTER 10"));
    QCOMPARE(w.list("cB_mcSourceL")->itemText(10), QStringLiteral("OPTICAL A1"));
    QCOMPARE(w.list("cB_mcSourceR")->itemText(17), QStringLiteral("OPTICAL B8"));
    QCOMPARE(w.caption("label_mcMonitor"), QStringLiteral("MONITOR\nMASTER"));
    QCOMPARE(w.caption("label_mcMono1"), QStringLiteral("LINE OUT 1"));
    QCOMPARE(w.caption("label_mcStereo"), QStringLiteral("LINE OUT 1-2"));
    QVERIFY(w.button("pB_mcLink")->isChecked());
    QVERIFY(w.button("pB_mcLineOut3_4")->isChecked());
    QCOMPARE(w.button("pB_mcLineOut1_2")->geometry(), QRect(503, 91, 120, 50));
    QCOMPARE(w.button("pB_mcLink")->iconSize(), QSize(120, 25));
    QDoubleSpinBox *box = w.box("dSB_mcMono1View");
    QCOMPARE(box->text(), QStringLiteral("0.0 dB"));
    box->setValue(-96.0);
    QCOMPARE(box->text(), QStringLiteral("-inf."));
    box->setValue(-12.34);
    QCOMPARE(box->text(), QStringLiteral("-12.3 dB"));
    QVERIFY(fixture.received().isEmpty()); // setting a box by program runs nothing
    // The pair buttons form one exclusive group.
    w.button("pB_mcLineOut7_8")->setChecked(true);
    QVERIFY(!w.button("pB_mcLineOut3_4")->isChecked());
}

void TestControlsDialogs::monitorFirstOpeningOnFreshFile() {
    Window w;
    w.mc.loadParameter();
    QVERIFY(w.button("pB_mcLineOut1_2")->isChecked());
    QVERIFY(!w.button("pB_mcLink")->isChecked());
    QCOMPARE(w.page(), 0);
    QCOMPARE(w.caption("label_mcMono1"), QStringLiteral("LINEOUT 1"));
    QCOMPARE(w.caption("label_mcMono2"), QStringLiteral("LINEOUT 2"));
    QCOMPARE(w.caption("label_mcStereo"), QStringLiteral("LINEOUT 1-2"));
    const QStringList got = fixture.received();
    QVERIFY(got.contains(QStringLiteral("assign 2:1>1:1")));
    QVERIFY(got.contains(QStringLiteral("assign 2:2>1:2")));
    for (int out : {1, 2, 9})
        QVERIFY2(got.contains(faderEvent(out, 0)), qPrintable(got.join(", ")));
    for (int out = 3; out <= 8; ++out)
        QVERIFY2(got.contains(faderEvent(out, -1270)), qPrintable(got.join(", ")));
    QCOMPARE(storedGroups(), QStringList({"MoniCon", "MoniCon OUT1_2"}));
    QCOMPARE(storedKeys("MoniCon"), QStringList({"Master", "Output"}));
    QCOMPARE(storedKeys("MoniCon OUT1_2"), QStringList({"Mono1", "Mono2"}));
    QCOMPARE(stored("MoniCon OUT1_2", "Mono1").toDouble(), 0.0);
    QCOMPARE(w.slider("vS_mcMono1")->value(), 127);
}

void TestControlsDialogs::monitorOpeningOnStoredState() {
    store("MoniCon", "Output", 2);
    store("MoniCon", "Master", -3.0);
    store("MoniCon OUT5_6", "Mono1", -12.3);
    store("MoniCon OUT5_6", "Mono2", -99.9);
    store("MoniCon OUT5_6", "SOURCE_L", 4);
    store("MoniCon OUT5_6", "SOURCE_R", 9);
    store("MoniCon OUT1_2", "Mono1", -20.0);
    Window w;
    w.mc.loadParameter();
    QVERIFY(w.button("pB_mcLineOut5_6")->isChecked());
    QCOMPARE(w.caption("label_mcMono2"), QStringLiteral("LINEOUT 6"));
    QCOMPARE(w.list("cB_mcSourceL")->currentIndex(), 4);
    QCOMPARE(w.list("cB_mcSourceR")->currentIndex(), 9);
    QVERIFY(w.list("cB_mcSourceR")->isEnabled());
    QCOMPARE(w.box("dSB_mcMono1View")->value(), -12.3);
    QCOMPARE(w.slider("vS_mcMono1")->value(), 127 - 46); // -12.7 at or below -12.3
    // "Off" comes back as off: the slider at the bottom, the box at its end.
    QCOMPARE(w.slider("vS_mcMono2")->value(), 0);
    QCOMPARE(w.box("dSB_mcMono2View")->text(), QStringLiteral("-inf."));
    QCOMPARE(w.slider("vS_mcMaster")->value(), 112);
    const QStringList got = fixture.received();
    QVERIFY(got.contains(assignEvent(true, 4, 5)));
    QVERIFY(got.contains(assignEvent(false, 9, 6)));
    QVERIFY(got.contains(faderEvent(5, -123)));
    QVERIFY2(got.contains(faderEvent(6, -1270)), qPrintable(got.join(", ")));
    QVERIFY(!got.contains(faderEvent(6, -960)));
    QVERIFY(got.contains(faderEvent(9, -30)));
    for (int out : {1, 2, 3, 4, 7, 8})
        QVERIFY(got.contains(faderEvent(out, -1270)));
    QCOMPARE(stored("MoniCon OUT5_6", "Mono2").toDouble(), -99.9);
    QCOMPARE(stored("MoniCon OUT5_6", "Mono1").toDouble(), -12.3);
    QCOMPARE(stored("MoniCon", "Master").toDouble(), -3.0);
    QCOMPARE(stored("MoniCon OUT1_2", "Mono1").toDouble(), -20.0);
}

void TestControlsDialogs::monitorSliderPositions_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("tenths");
    QTest::addColumn<QString>("box");
    QTest::newRow("0 is off") << 0 << -1270 << "-inf.";
    QTest::newRow("1 is -96.0") << 1 << -960 << "-inf.";
    QTest::newRow("6 is -60.0") << 6 << -600 << "-60.0 dB";
    QTest::newRow("7 is -57.8") << 7 << -578 << "-57.8 dB";
    QTest::newRow("112 is -3.1") << 112 << -31 << "-3.1 dB";
    QTest::newRow("126 is -0.2") << 126 << -2 << "-0.2 dB";
}
void TestControlsDialogs::monitorSliderPositions() {
    QFETCH(int, position);
    QFETCH(int, tenths);
    QFETCH(QString, box);
    Window w;
    w.mc.loadParameter();
    fixture.clearLog();
    w.slider("vS_mcMono2")->setValue(position);
    QCOMPARE(w.box("dSB_mcMono2View")->text(), box);
    QCOMPARE(fixture.received(), QStringList({faderEvent(2, tenths)}));
    QCOMPARE(stored("MoniCon OUT1_2", "Mono2").toDouble(),
             MonitorControl::levelOfPosition(position));
    // The master row sends to output 9.
    fixture.clearLog();
    w.slider("vS_mcMaster")->setValue(position);
    QCOMPARE(fixture.received(), QStringList({faderEvent(9, tenths)}));
    QCOMPARE(stored("MoniCon", "Master").toDouble(), MonitorControl::levelOfPosition(position));
}

void TestControlsDialogs::monitorUserDragSendsEachStep() {
    Window w;
    w.mc.loadParameter();
    fixture.clearLog();
    QSlider *s = w.slider("vS_mcMono1");
    s->setSliderDown(true);
    for (int p : {126, 125, 124}) {
        s->setSliderPosition(p); // moved, then value changed: the second is dropped as unchanged
        fixture.settle();
    }
    s->setSliderDown(false);
    QCOMPARE(fixture.received(),
             QStringList({faderEvent(1, -2), faderEvent(1, -4), faderEvent(1, -6)}));
}

void TestControlsDialogs::monitorTypedLevel() {
    Window w;
    w.mc.loadParameter();
    fixture.clearLog();
    QDoubleSpinBox *box = w.box("dSB_mcMono1View");
    box->setValue(-3.0);
    QMetaObject::invokeMethod(box, "editingFinished");
    QCOMPARE(w.slider("vS_mcMono1")->value(), 112);
    QCOMPARE(box->value(), -3.0);
    QCOMPARE(fixture.received(), QStringList({faderEvent(1, -30)}));
    QCOMPARE(stored("MoniCon OUT1_2", "Mono1").toDouble(), -3.0);
    // A typed level at the slider's own table position is sent as typed too.
    w.slider("vS_mcMono1")->setValue(111);
    w.slider("vS_mcMono1")->setValue(112);
    QCOMPARE(box->value(), -3.1);
    fixture.clearLog();
    box->setValue(-3.0);
    QMetaObject::invokeMethod(box, "editingFinished");
    QCOMPARE(w.slider("vS_mcMono1")->value(), 112);
    QCOMPARE(box->value(), -3.0);
    QCOMPARE(fixture.received(), QStringList({faderEvent(1, -30)}));
    QCOMPARE(stored("MoniCon OUT1_2", "Mono1").toDouble(), -3.0);
    // The stereo row sends its typed level to both outputs.
    w.button("pB_mcLink")->click();
    fixture.clearLog();
    QDoubleSpinBox *stereo = w.box("dSB_mcStereoView");
    stereo->setValue(-7.0);
    QMetaObject::invokeMethod(stereo, "editingFinished");
    QCOMPARE(w.slider("vS_mcStereo")->value(), 127 - 31); // -7.1 at or below -7.0
    QCOMPARE(fixture.received(), QStringList({faderEvent(1, -70), faderEvent(2, -70)}));
}

// Return ends the edit while the box still has the focus; clearing the focus reports the
// end again inside the handler. The typed level is still what is sent and stored.
void TestControlsDialogs::monitorTypedLevelWithFocusReportsOnce() {
    Window w;
    w.mc.loadParameter();
    w.mc.show();
    QApplication::setActiveWindow(&w.mc);
    QVERIFY(QTest::qWaitForWindowActive(&w.mc));
    QSlider *slider = w.slider("vS_mcMono1");
    slider->setValue(112); // -3.1
    fixture.clearLog();
    QDoubleSpinBox *box = w.box("dSB_mcMono1View");
    box->setFocus();
    QVERIFY(box->hasFocus());
    int reports = 0;
    connect(box, &QDoubleSpinBox::editingFinished, [&] { ++reports; });
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("-3.0"));
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(reports >= 1);
    QVERIFY(!box->hasFocus());
    QCOMPARE(slider->value(), 112);
    QCOMPARE(box->value(), -3.0);
    QCOMPARE(stored("MoniCon OUT1_2", "Mono1").toDouble(), -3.0);
    QCOMPARE(fixture.received(), QStringList({faderEvent(1, -30)}));
    w.mc.hide();
}

void TestControlsDialogs::monitorChoosingAPair() {
    store("MoniCon OUT3_4", "Mono1", -6.2);
    store("MoniCon OUT3_4", "Mono2", -8.8);
    store("MoniCon OUT3_4", "SOURCE_L", 8);
    store("MoniCon OUT3_4", "SOURCE_R", 8);
    Window w;
    w.mc.loadParameter();
    w.slider("vS_mcMono1")->setValue(100);
    const double pair0 = stored("MoniCon OUT1_2", "Mono1").toDouble();
    fixture.clearLog();
    w.button("pB_mcLineOut3_4")->click();
    QVERIFY(w.button("pB_mcLineOut3_4")->isChecked());
    QVERIFY(!w.button("pB_mcLineOut1_2")->isChecked());
    QCOMPARE(w.caption("label_mcStereo"), QStringLiteral("LINEOUT 3-4"));
    QCOMPARE(stored("MoniCon", "Output").toInt(), 1);
    const QStringList got = fixture.received();
    QVERIFY(got.contains(assignEvent(true, 8, 3)));
    QVERIFY(got.contains(assignEvent(false, 8, 4)));
    QVERIFY(got.contains(faderEvent(3, -62)));
    QVERIFY(got.contains(faderEvent(4, -88)));
    QVERIFY(got.contains(faderEvent(1, -1270)));
    QVERIFY(got.contains(faderEvent(2, -1270)));
    // Pairs 5-6 and 7-8 were muted already; the unit keeps them so.
    const EmulatedUnit::State state = fixture.unit().state();
    for (int out : {1, 2, 5, 6, 7, 8})
        QCOMPARE(int(state.outputFader[out - 1]), -1270);
    // Muting a pair leaves its stored levels.
    QCOMPARE(stored("MoniCon OUT1_2", "Mono1").toDouble(), pair0);
    QCOMPARE(w.list("cB_mcSourceL")->currentIndex(), 8);
}

void TestControlsDialogs::monitorLinkAndUnlink() {
    Window w;
    w.mc.loadParameter();
    w.list("cB_mcSourceL")->setCurrentIndex(4);
    w.slider("vS_mcMono1")->setValue(90);
    w.slider("vS_mcMono2")->setValue(20);
    fixture.clearLog();
    w.button("pB_mcLink")->click();
    QCOMPARE(w.page(), 1);
    QCOMPARE(w.slider("vS_mcStereo")->value(), 90);
    QCOMPARE(w.slider("vS_mcMono2")->value(), 90);
    QCOMPARE(w.list("cB_mcSourceR")->currentIndex(), 4);
    QVERIFY(!w.list("cB_mcSourceR")->isEnabled());
    QCOMPARE(stored("MoniCon OUT1_2", "LINK").toBool(), true);
    QCOMPARE(stored("MoniCon OUT1_2", "SOURCE_R").toInt(), 4);
    const double level90 = MonitorControl::levelOfPosition(90);
    QCOMPARE(stored("MoniCon OUT1_2", "Mono2").toDouble(), level90);
    QStringList got = fixture.received();
    QVERIFY(got.contains(assignEvent(false, 4, 2)));
    QVERIFY(got.contains(faderEvent(2, int(std::lround(level90 * 10)))));
    // Unlinking copies the stereo slider to both mono sliders.
    w.slider("vS_mcStereo")->setValue(60);
    fixture.clearLog();
    w.button("pB_mcLink")->click();
    QCOMPARE(w.page(), 0);
    QVERIFY(w.list("cB_mcSourceR")->isEnabled());
    QCOMPARE(w.slider("vS_mcMono1")->value(), 60);
    QCOMPARE(w.slider("vS_mcMono2")->value(), 60);
    QCOMPARE(stored("MoniCon OUT1_2", "LINK").toBool(), false);
    const double level60 = MonitorControl::levelOfPosition(60);
    QCOMPARE(stored("MoniCon OUT1_2", "Mono1").toDouble(), level60);
    QCOMPARE(stored("MoniCon OUT1_2", "Mono2").toDouble(), level60);
}

void TestControlsDialogs::monitorLinkedLeftSourceSetsRightFirst() {
    Window w;
    w.mc.loadParameter();
    w.button("pB_mcLink")->click();
    fixture.clearLog();
    w.list("cB_mcSourceL")->setCurrentIndex(11);
    QCOMPARE(w.list("cB_mcSourceR")->currentIndex(), 11);
    QCOMPARE(fixture.received(),
             QStringList({assignEvent(false, 11, 2), assignEvent(true, 11, 1)}));
    QCOMPARE(stored("MoniCon OUT1_2", "SOURCE_L").toInt(), 11);
    QCOMPARE(stored("MoniCon OUT1_2", "SOURCE_R").toInt(), 11);
    // Unlinked, the right list is its own.
    w.button("pB_mcLink")->click();
    fixture.clearLog();
    w.list("cB_mcSourceR")->setCurrentIndex(2);
    QCOMPARE(fixture.received(), QStringList({assignEvent(false, 2, 2)}));
    QCOMPARE(w.list("cB_mcSourceL")->currentIndex(), 11);
}

void TestControlsDialogs::monitorPairChangeKeepsStoredRightSource() {
    store("MoniCon OUT1_2", "LINK", true);
    store("MoniCon OUT7_8", "SOURCE_L", 3);
    store("MoniCon OUT7_8", "SOURCE_R", 7);
    Window w;
    w.mc.loadParameter();
    QVERIFY(w.button("pB_mcLink")->isChecked());
    QCOMPARE(w.page(), 1);
    fixture.clearLog();
    w.button("pB_mcLineOut7_8")->click();
    QVERIFY(!w.button("pB_mcLink")->isChecked());
    QCOMPARE(w.page(), 0);
    QCOMPARE(w.list("cB_mcSourceL")->currentIndex(), 3);
    QCOMPARE(w.list("cB_mcSourceR")->currentIndex(), 7);
    QCOMPARE(stored("MoniCon OUT7_8", "SOURCE_R").toInt(), 7);
    const QStringList got = fixture.received();
    QVERIFY(got.contains(assignEvent(false, 7, 8)));
    QVERIFY(!got.contains(assignEvent(false, 3, 8)));
}

// A damaged file may hold a source outside the lists. The window shows, sends and stores the
// first source in its place, never "no source"; a damaged key that no list change rewrites is
// left as it was and reads as the first source. On the stereo page the right list follows the
// left one, so only a damaged left source matters there.
void TestControlsDialogs::monitorDamagedSourceIsTheFirst_data() {
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("damaged");
    QTest::addColumn<bool>("linked");
    QTest::addColumn<bool>("fromAnotherPair"); // the lists showed another source before
    QTest::newRow("left below range") << false << -2 << false << false;
    QTest::newRow("left just past the end") << false << 18 << false << false;
    QTest::newRow("left huge") << false << 1000000 << false << false;
    QTest::newRow("right below range") << true << -5 << false << false;
    QTest::newRow("right just past the end") << true << 18 << false << false;
    QTest::newRow("right huge") << true << 1000000 << false << false;
    QTest::newRow("linked, left just past the end") << false << 18 << true << false;
    QTest::newRow("chosen pair, left huge") << false << 1000000 << false << true;
    QTest::newRow("chosen pair, right just past the end") << true << 18 << false << true;
    QTest::newRow("linked chosen pair, left below range") << false << -1 << true << true;
}

void TestControlsDialogs::monitorDamagedSourceIsTheFirst() {
    QFETCH(bool, right);
    QFETCH(int, damaged);
    QFETCH(bool, linked);
    QFETCH(bool, fromAnotherPair);
    const char *key = right ? "SOURCE_R" : "SOURCE_L";
    const int output = right ? 6 : 5;
    store("MoniCon", "Output", fromAnotherPair ? 0 : 2);
    store("MoniCon OUT1_2", "SOURCE_L", 5);
    store("MoniCon OUT1_2", "SOURCE_R", 5);
    store("MoniCon OUT5_6", "LINK", linked);
    store("MoniCon OUT5_6", key, damaged);
    Window w;
    w.mc.loadParameter();
    if (fromAnotherPair) {
        QCOMPARE(w.list("cB_mcSourceL")->currentIndex(), 5);
        fixture.clearLog();
        w.button("pB_mcLineOut5_6")->click();
    }
    QCOMPARE(w.page(), linked ? 1 : 0);
    for (const char *list : {"cB_mcSourceL", "cB_mcSourceR"})
        QCOMPARE(w.list(list)->currentIndex(), 0);
    QCOMPARE(stored("MoniCon OUT5_6", key).toInt(), fromAnotherPair ? 0 : damaged);
    const QStringList got = fixture.received();
    QVERIFY2(got.contains(assignEvent(!right, 0, output)), qPrintable(got.join(", ")));
    QVERIFY2(!got.contains(QStringLiteral("assign 0:0>1:%1").arg(output)),
             qPrintable(got.join(", ")));
    const EmulatedUnit::Route route = fixture.unit().state().routes[output - 1];
    QCOMPARE(int(route.srcType), int(KXMSG_DATA_CH_MASTER));
    QCOMPARE(int(route.srcNo), right ? 2 : 1);
}

void TestControlsDialogs::monitorClosing() {
    Window w;
    w.mc.loadParameter();
    w.slider("vS_mcMono1")->setValue(50);
    w.slider("vS_mcMaster")->setValue(40);
    const double mono1 = stored("MoniCon OUT1_2", "Mono1").toDouble();
    const QString boxText = w.box("dSB_mcMono1View")->text();
    QSignalSpy rejected(&w.mc, &QDialog::rejected);
    w.mc.show();
    QTest::keyClick(&w.mc, Qt::Key_Escape);
    QCOMPARE(rejected.count(), 1);
    fixture.clearLog();
    w.mc.setAllFader_0dB();
    const QStringList got = fixture.received();
    for (int out : {1, 3, 4, 5, 6, 7, 8, 9}) // output 2 was at 0 dB already
        QVERIFY2(got.contains(faderEvent(out, 0)), qPrintable(got.join(", ")));
    const EmulatedUnit::State state = fixture.unit().state();
    for (int out = 1; out <= 9; ++out)
        QCOMPARE(int(state.outputFader[out - 1]), 0);
    for (const char *s : {"vS_mcMono1", "vS_mcMono2", "vS_mcStereo", "vS_mcMaster"})
        QCOMPARE(w.slider(s)->value(), 127);
    QCOMPARE(w.box("dSB_mcMono1View")->text(), boxText);
    QCOMPARE(stored("MoniCon OUT1_2", "Mono1").toDouble(), mono1);
    // The sliders' slots are connected again, once each. A level typed between two table
    // entries shows it: with no connection nothing is sent, and a second connection runs the
    // row's slot again after the marker is spent, which sends and stores the table entry
    // below the typed level.
    struct Row {
        const char *box, *slider;
        double typed;
        QVector<int> outputs;
        const char *group;
        QStringList keys;
    };
    const Row rows[] = {
        {"dSB_mcMasterView", "vS_mcMaster", -3.0, {9}, "MoniCon", {"Master"}},
        {"dSB_mcMono1View", "vS_mcMono1", -7.0, {1}, "MoniCon OUT1_2", {"Mono1"}},
        {"dSB_mcMono2View", "vS_mcMono2", -12.0, {2}, "MoniCon OUT1_2", {"Mono2"}},
        {"dSB_mcStereoView", "vS_mcStereo", -14.3, {1, 2}, "MoniCon OUT1_2", {"Mono1", "Mono2"}},
    };
    for (const Row &row : rows) {
        fixture.clearLog();
        QDoubleSpinBox *box = w.box(row.box);
        box->setValue(row.typed);
        QMetaObject::invokeMethod(box, "editingFinished");
        QVERIFY2(w.slider(row.slider)->value() < 127, row.slider);
        QCOMPARE(box->value(), row.typed);
        const int tenths = int(std::lround(row.typed * 10));
        QStringList sent;
        for (int out : row.outputs)
            sent << faderEvent(out, tenths);
        QCOMPARE(fixture.received(), sent);
        for (const QString &key : row.keys)
            QCOMPARE(stored(row.group, key).toDouble(), row.typed);
    }
}

QTEST_MAIN(TestControlsDialogs)
#include "tst_controls_dialogs.moc"
