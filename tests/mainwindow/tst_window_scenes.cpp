// Scene memories, the busy window, the initialise commands, save into the unit and the
// notice window, driven through the window's menu actions against an emulated unit. The
// files are read back from disk; a command that fails must leave the current state, the old
// scene and the unit as they were.
#include "DrawEq.h"
#include "EffectsTestKit.h"

#include <QAbstractSlider>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTextBrowser>

#include <unistd.h>

using namespace effectstest;

namespace {

QString fileOf(const QString &application) {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, organizationName, application)
        .fileName();
}
QString sceneFile(int n) {
    return fileOf(settingFile[n]);
}
QString currentFile() {
    return fileOf(settingFile[0]);
}

QByteArray bytesOf(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestWindowScenes : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> fx;
    std::shared_ptr<EmulatedUnit> unit;

    MainWindow &w() { return *fx->window; }
    Ui_MainWindow &ui() { return fx->ui(); }

    // What the user sees of the mixer page: every checked state, slider, fader box, page,
    // name field and value text. The link buttons are left out: they are commands whose
    // checked look only toggles with each click, and the stack page shows the link.
    QStringList mixerView() {
        QWidget *page = ui().stackedWidget->widget(0);
        QStringList out;
        for (QAbstractButton *b : page->findChildren<QAbstractButton *>()) {
            if (b->isCheckable() && !b->objectName().startsWith(QLatin1String("pB_Link")))
                out << b->objectName() + (b->isChecked() ? "=on" : "=off");
        }
        for (QAbstractSlider *s : page->findChildren<QAbstractSlider *>())
            out << s->objectName() + "=" + QString::number(s->value());
        for (QDoubleSpinBox *d : page->findChildren<QDoubleSpinBox *>())
            out << d->objectName() + "=" + QString::number(d->value());
        for (QStackedWidget *s : page->findChildren<QStackedWidget *>())
            out << s->objectName() + "=" + QString::number(s->currentIndex());
        for (QLineEdit *e : page->findChildren<QLineEdit *>())
            out << e->objectName() + "=" + e->text();
        for (QLabel *l : page->findChildren<QLabel *>()) {
            if (l->objectName().endsWith(QLatin1String("Disp")))
                out << l->objectName() + "=" + l->text();
        }
        out.sort();
        return out;
    }

    QStringList unitState() {
        if (!waitLinkDelivered(dm.device()))
            return {QStringLiteral("link did not deliver")};
        return describe(unit->state());
    }

    void typeFader(QDoubleSpinBox *box, const QString &value) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, value);
        QTest::keyClick(box, Qt::Key_Return);
    }

    // Links or unlinks pair 0..9 with its own buttons.
    void setLinked(int pair, bool on) {
        const PairStrip &p = w().pairStrips()[size_t(pair)];
        if ((p.stack->currentIndex() == 1) != on)
            QTest::mouseClick(on ? p.linkOn : p.linkOff, Qt::LeftButton);
        QCOMPARE(p.stack->currentIndex(), on ? 1 : 0);
    }

    // Every kind of mixer parameter, set through the widgets; variant 0 and 1 differ in all.
    void setMixer(int variant) {
        const bool on = variant == 0;
        auto setChecked = [](QPushButton *b, bool state) {
            if (b->isChecked() != state)
                QTest::mouseClick(b, Qt::LeftButton);
        };
        typeFader(ui().dSB_faderDisplay1, on ? QStringLiteral("-10.5") : QStringLiteral("2"));
        typeFader(ui().dSB_faderDisplayMaster, on ? QStringLiteral("-3") : QStringLiteral("-20"));
        setChecked(ui().pB_Mute3, on);
        setChecked(ui().pB_Phase4, on);
        setChecked(ui().pB_EQ5, on);
        setChecked(ui().pB_Comp5, on);
        setChecked(ui().pB_Post2_7, on);
        setChecked(ui().pB_Pre3_8, !on);
        setChecked(ui().pB_masterMute, !on);
        setChecked(ui().pB_masterReverb, true);
        setChecked(on ? ui().pB_RevRoom : ui().pB_RevStudio, true);
        setLinked(4, on);
        // Knobs of channel 5, in opposite directions. A knob of an equaliser or compressor
        // that is off reaches the unit only with the next reload, so both are on at the save.
        setChecked(ui().pB_Analog5, true);
        dragUp(ui().label_HighGainKnob, on ? 9 : -9);
        dragUp(ui().label_LowMidFreqKnob, on ? 7 : -7);
        dragUp(ui().label_ThresholdKnob, on ? -11 : 11);
        dragUp(ui().label_Send2Knob7, on ? 40 : 20);
        dragUp(ui().label_panKnob2, on ? 6 : -6);
        dragUp(ui().label_Send1KnobMaster, on ? -15 : 15);
        dragUp(ui().label_SendKnobReturn, on ? 30 : 10);
        dragUp(ui().label_PreDelayKnob, on ? 12 : -12);
    }

private slots:
    void initTestCase() {
        WindowFixture::clearSettings();
        fx = std::make_unique<WindowFixture>();
        unit = fx->plug();
        fx->open();
        QVERIFY(waitLoaded(w()));
        QTest::mouseClick(ui().pB_ToMixerFromInterface, Qt::LeftButton);
    }
    void cleanupTestCase() { fx.reset(); }
    void init() {
        // Each case starts without a countdown, so that a busy window is the case's own.
        if (w().progressCountdown)
            w().progressCountdown = 1;
        QVERIFY(UnitFixture::waitFor([this] { return w().progressCountdown == 0; }));
    }

    void sceneRoundTrip();
    void loadOfNeverSavedSlotChangesNothing();
    void saveIntoUnwritableSceneKeepsEverything_data();
    void saveIntoUnwritableSceneKeepsEverything();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void saveWritesPendingChangesAndDefaults();
    void loadDeselectsStripHiddenByLink();
    void lowCutFollowsLoadAndInitialise_data();
    void lowCutFollowsLoadAndInitialise();
    void busyWindowCountsDownOnce();
    void renameShowsAmpersand();
    void initialise();
    void initialiseCancelled();
    void initialiseThatCannotDelete();
    void initialiseMemory();
    void initialiseMemoryThatCannotDelete();
    void initialiseReverb_data();
    void initialiseReverb();
    void saveIntoTheUnit();
    void saveIntoTheUnitWithoutUnit();
    void noticeWindow();
};

void TestWindowScenes::sceneRoundTrip() {
    // Channel 5 stays selected: after the load its knobs show the loaded values.
    setMixer(0);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track5"));
    const QStringList savedUnit = unitState();
    const QStringList savedView = mixerView();
    {
        BoxAnswerer boxes;
        ui().actionSave_3->trigger();
        QVERIFY2(boxes.texts.isEmpty(), "a save asks nothing");
    }
    QVERIFY(QFileInfo(sceneFile(3)).isFile());

    setMixer(1);
    QVERIFY(unitState() != savedUnit);
    QVERIFY(mixerView() != savedView);

    BoxAnswerer boxes;
    ui().actionLoad_3->trigger();
    QVERIFY(boxes.texts.isEmpty());
    QCOMPARE(unitState(), savedUnit);
    QCOMPARE(mixerView(), savedView);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track5"));
    QCOMPARE(unit->outOfRangeCount(), 0);
    QTest::mouseClick(ui().pB_Analog5, Qt::LeftButton);
}

void TestWindowScenes::loadOfNeverSavedSlotChangesNothing() {
    QFile::remove(sceneFile(5));
    dm.notifySceneMemoryName(QStringLiteral("SceneMemory5"), QStringLiteral("named only"));
    dm.flushCurrentState();
    const QByteArray current = bytesOf(currentFile());
    const QStringList state = unitState();
    const QStringList view = mixerView();
    BoxAnswerer boxes;
    ui().actionLoad_5->trigger();
    QCOMPARE(boxes.texts, QStringList{QStringLiteral("This scene memory does not exist.")});
    QCOMPARE(bytesOf(currentFile()), current);
    QCOMPARE(unitState(), state);
    QCOMPARE(mixerView(), view);
    QCOMPARE(w().progressCountdown, 0);
    QVERIFY(ui().menuBar->isEnabled());
}

void TestWindowScenes::saveIntoUnwritableSceneKeepsEverything_data() {
    QTest::addColumn<bool>("folder");
    QTest::newRow("scene path is a folder") << true;
    QTest::newRow("settings folder without write permission") << false;
}

void TestWindowScenes::saveIntoUnwritableSceneKeepsEverything() {
    QFETCH(bool, folder);
    if (!folder && geteuid() == 0)
        QSKIP("permissions do not bind the superuser");
    QFile::remove(sceneFile(4));
    QDir().rmpath(sceneFile(4) + "/inside");
    ui().actionSave_4->trigger();
    const QByteArray oldScene = bytesOf(sceneFile(4));
    QVERIFY(!oldScene.isEmpty());
    const QString dir = QFileInfo(sceneFile(4)).absolutePath();
    const QFile::Permissions mode = QFile::permissions(dir);
    if (folder) {
        QVERIFY(QFile::remove(sceneFile(4)));
        QVERIFY(QDir().mkpath(sceneFile(4) + "/inside"));
    }
    QTest::mouseClick(ui().pB_MuteSP1, Qt::LeftButton);
    const QStringList state = unitState();
    if (!folder)
        QVERIFY(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    BoxAnswerer boxes;
    ui().actionSave_4->trigger();
    QFile::setPermissions(dir, mode);
    QCOMPARE(boxes.texts.size(), 1);
    QCOMPARE(boxes.icons.first(), QMessageBox::Warning);
    if (folder) {
        QVERIFY(QFileInfo::exists(sceneFile(4) + "/inside"));
        QVERIFY(QDir().rmpath(sceneFile(4) + "/inside"));
    } else {
        QCOMPARE(bytesOf(sceneFile(4)), oldScene);
    }
    QCOMPARE(unitState(), state);
    QCOMPARE(dm.getTrackMute(QStringLiteral("Track11")), ui().pB_MuteSP1->isChecked());
    QTest::mouseClick(ui().pB_MuteSP1, Qt::LeftButton);
}

void TestWindowScenes::failedLoadChangesNothing_data() {
    QTest::addColumn<bool>("folder");
    QTest::newRow("scene replaced by a folder") << true;
    QTest::newRow("settings folder without write permission") << false;
}

void TestWindowScenes::failedLoadChangesNothing() {
    QFETCH(bool, folder);
    if (!folder && geteuid() == 0)
        QSKIP("permissions do not bind the superuser");
    QFile::remove(sceneFile(6));
    QDir().rmpath(sceneFile(6) + "/inside");
    if (folder) {
        QVERIFY(QDir().mkpath(sceneFile(6) + "/inside"));
    } else {
        ui().actionSave_6->trigger();
        QTest::mouseClick(ui().pB_MuteSP2, Qt::LeftButton); // differs from the scene
    }
    dm.flushCurrentState();
    const QByteArray current = bytesOf(currentFile());
    const QStringList state = unitState();
    const QStringList view = mixerView();
    const QString dir = QFileInfo(currentFile()).absolutePath();
    const QFile::Permissions mode = QFile::permissions(dir);
    if (!folder)
        QVERIFY(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    BoxAnswerer boxes;
    ui().actionLoad_6->trigger();
    QFile::setPermissions(dir, mode);
    QCOMPARE(boxes.texts.size(), 1);
    QCOMPARE(boxes.icons.first(), QMessageBox::Warning);
    QCOMPARE(bytesOf(currentFile()), current);
    QCOMPARE(unitState(), state);
    QCOMPARE(mixerView(), view);
    QCOMPARE(w().progressCountdown, 0);
    QVERIFY(ui().menuBar->isEnabled());
    if (folder)
        QVERIFY(QDir().rmpath(sceneFile(6) + "/inside"));
    else
        QTest::mouseClick(ui().pB_MuteSP2, Qt::LeftButton);
}

void TestWindowScenes::saveWritesPendingChangesAndDefaults() {
    // Changed just before the save, not yet on disk: still in the scene.
    typeFader(ui().dSB_faderDisplay2, QStringLiteral("-7.5"));
    ui().actionSave_7->trigger();
    QSettings scene(sceneFile(7), QSettings::IniFormat);
    QCOMPARE(scene.value(QStringLiteral("Track2/Fader")).toDouble(), -7.5);

    // Without a current-state file the scene holds the defaults, and loads as them.
    QVERIFY(dm.removeCurrentState());
    ui().actionSave_8->trigger();
    QVERIFY(QFileInfo(sceneFile(8)).isFile());
    typeFader(ui().dSB_faderDisplay2, QStringLiteral("-30"));
    BoxAnswerer boxes;
    ui().actionLoad_8->trigger();
    QVERIFY(boxes.texts.isEmpty());
    QCOMPARE(ui().dSB_faderDisplay2->value(), dm.getTrackFaderViewValue(QStringLiteral("Track2")));
    QCOMPARE(ui().dSB_faderDisplay2->value(), 0.0);
    QCOMPARE(int(unit->state().inputs[1].fader), 0);
}

// A scene that links or unlinks the selected strip's pair hides that strip: it is deselected.
void TestWindowScenes::loadDeselectsStripHiddenByLink() {
    setLinked(0, true);
    QCOMPARE(ui().sW_channel1_2->currentIndex(), 1);
    ui().actionSave_9->trigger();
    setLinked(0, false);
    QCOMPARE(ui().sW_channel1_2->currentIndex(), 0);
    QTest::mouseClick(ui().pB_Analog1, Qt::LeftButton);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track1"));
    ui().actionLoad_9->trigger();
    QCOMPARE(ui().sW_channel1_2->currentIndex(), 1);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("none"));
    QVERIFY(!ui().pB_Analog1->isChecked());
    QVERIFY(!ui().pB_LowCutFilter->isCheckable());
    setLinked(0, false);
}

void TestWindowScenes::lowCutFollowsLoadAndInitialise_data() {
    QTest::addColumn<bool>("initialise");
    QTest::addColumn<bool>("stereo");
    QTest::addColumn<QString>("before"); // what the cut went through before the save
    QTest::newRow("load, mono") << false << false << "";
    QTest::newRow("load, stereo") << false << true << "";
    QTest::newRow("load, stereo, channel cut before the link") << false << true << "channel cut";
    QTest::newRow("load, stereo, cut on and off") << false << true << "on and off";
    QTest::newRow("initialise, mono") << true << false << "";
    QTest::newRow("initialise, stereo") << true << true << "";
}

// A load keeps the selected strip: the low cut button, the low gain knob, the graph, the store
// and the unit take the loaded cut, and the next click switches from there. An initialise
// clears the selection and leaves nothing of the cut.
void TestWindowScenes::lowCutFollowsLoadAndInitialise() {
    QFETCH(bool, initialise);
    QFETCH(bool, stereo);
    QFETCH(QString, before);
    const PairStrip &pair = w().pairStrips()[1];
    const MonoStrip &three = w().monoStrips()[2];
    QPushButton *lowCut = ui().pB_LowCutFilter;
    auto setChecked = [](QPushButton *b, bool state) {
        if (b->isChecked() != state)
            QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(b->isChecked(), state);
    };
    setLinked(1, false);
    if (before == QLatin1String("channel cut")) {
        setChecked(three.select, true);
        setChecked(lowCut, true);
        setChecked(three.select, false);
    }
    setLinked(1, stereo);
    const QString track = stereo ? pair.track : three.track;
    setChecked(stereo ? pair.select : three.select, true);
    QCOMPARE(ChannelControl::selectedCh, track);
    // The unit hears of the cut only while the equaliser is on.
    setChecked(stereo ? pair.eq : three.eq, true);
    setChecked(lowCut, false);
    dragUp(ui().label_LowGainKnob, 8);
    if (before == QLatin1String("on and off")) {
        setChecked(lowCut, true);
        setChecked(lowCut, false);
    }
    const QVariant gain = stored(track, "EqLowGainPos");
    const QString gainText = ui().label_LowGainDisp->text();
    const QStringList savedUnit = unitState();
    if (!initialise)
        ui().actionSave_2->trigger();
    setChecked(lowCut, true);
    QVERIFY(unitState() != savedUnit);

    const auto lowBandCut = [this](int input) {
        return unit->state().inputs[input].eq[0].gain == 255;
    };
    if (initialise) {
        BoxAnswerer boxes(QMessageBox::Ok);
        ui().actionSettings_Reset->trigger();
        QCOMPARE(boxes.texts.size(), 1);
        QCOMPARE(ChannelControl::selectedCh, QStringLiteral("none"));
        QVERIFY(!lowCut->isChecked());
        QVERIFY(!lowCut->isCheckable());
        QVERIFY(!DrawEq::bLowCutFilter);
        QVERIFY(!stored(track, "EqLowCutFilter").toBool());
        w().timerInterrupt_10ms();
        QVERIFY(ui().label_LowGainDisp->text() != QLatin1String("---"));
        QVERIFY(waitLinkDelivered(dm.device()));
        QVERIFY(!lowBandCut(2));
        QVERIFY(!lowBandCut(3));
        // The channel selected again shows its cut off.
        setChecked(three.select, true);
        QVERIFY(lowCut->isCheckable());
        QVERIFY(!lowCut->isChecked());
        setChecked(three.select, false);
        return;
    }

    BoxAnswerer boxes;
    ui().actionLoad_2->trigger();
    QVERIFY(boxes.texts.isEmpty());
    QCOMPARE(ChannelControl::selectedCh, track);
    QVERIFY(lowCut->isCheckable());
    QVERIFY(!lowCut->isChecked());
    QVERIFY(!DrawEq::bLowCutFilter);
    w().timerInterrupt_10ms();
    QCOMPARE(ui().label_LowGainDisp->text(), gainText);
    QVERIFY(!stored(track, "EqLowCutFilter").toBool());
    QCOMPARE(stored(track, "EqLowGainPos"), gain);
    QCOMPARE(unitState(), savedUnit);

    // The next click switches the cut on, in the window, the store and the unit.
    QTest::mouseClick(lowCut, Qt::LeftButton);
    QVERIFY(lowCut->isChecked());
    QVERIFY(DrawEq::bLowCutFilter);
    QVERIFY(stored(track, "EqLowCutFilter").toBool());
    QVERIFY(waitLinkDelivered(dm.device()));
    QVERIFY(lowBandCut(2));
    QCOMPARE(lowBandCut(3), stereo);

    setChecked(lowCut, false);
    setChecked(stereo ? pair.select : three.select, false);
    setLinked(1, false);
}

void TestWindowScenes::busyWindowCountsDownOnce() {
    ui().actionSave_10->trigger();
    QSignalSpy steps(&w(), &MainWindow::sig_initProgressBarCountChange);
    QSignalSpy done(&w(), &MainWindow::sig_initProgressBarCountFinish);
    ui().actionLoad_10->trigger();
    auto busyWindows = [this] {
        QList<QWidget *> found;
        for (QWidget *t : QApplication::topLevelWidgets()) {
            if (t != &w() && t->findChild<QProgressBar *>())
                found << t;
        }
        return found;
    };
    QCOMPARE(busyWindows().size(), 1);
    QWidget *busy = busyWindows().first();
    QProgressBar *bar = busy->findChild<QProgressBar *>();
    QVERIFY(busy->isVisible());
    QCOMPARE(busy->windowTitle(), QStringLiteral("Now Loading..."));
    QCOMPARE(busy->size(), QSize(250, 100));
    QVERIFY(bar->value() <= 0);
    QVERIFY(!ui().menuBar->isEnabled());
    QVERIFY(UnitFixture::waitFor([&] { return !done.isEmpty(); }, 15000));
    QCOMPARE(done.size(), 1);
    QList<int> counts;
    for (const auto &s : steps)
        counts << s.at(0).toInt();
    QCOMPARE(counts, (QList<int>{9, 8, 7, 6, 5, 4, 3, 2, 1}));
    QCOMPARE(bar->value(), 9);
    QVERIFY(!busy->isVisible());
    QVERIFY(ui().menuBar->isEnabled());

    // A second countdown uses the same window, starts empty, and each signal arrives once.
    steps.clear();
    ui().actionLoad_10->trigger();
    QCOMPARE(busyWindows(), QList<QWidget *>{busy});
    QVERIFY(busy->isVisible());
    QVERIFY(bar->value() <= 0);
    QVERIFY(UnitFixture::waitFor([&] { return !steps.isEmpty(); }, 3000));
    QCOMPARE(bar->value(), 10 - steps.first().at(0).toInt());
    // Closing the main window closes it too.
    w().close();
    QVERIFY(!busy->isVisible());
    w().show();
    w().progressCountdown = 0;
    ui().menuBar->setEnabled(true);
}

void TestWindowScenes::renameShowsAmpersand() {
    BoxAnswerer boxes;
    QString typed = QStringLiteral("Rock & Roll");
    boxes.onDialog = [&typed](QDialog *d) {
        auto *edit = d->findChild<QLineEdit *>();
        edit->setText(typed);
        QTest::mouseClick(d->findChild<QPushButton *>(), Qt::LeftButton);
    };
    ui().actionRename_2->trigger();
    QCOMPARE(ui().menuSceneMemory2->title(), QStringLiteral("Rock && Roll"));
    QCOMPARE(dm.getSceneMemoryName(QStringLiteral("SceneMemory2")), QStringLiteral("Rock & Roll"));
    // A dialog closed without OK changes nothing.
    boxes.onDialog = [](QDialog *d) { d->reject(); };
    ui().actionRename_2->trigger();
    QCOMPARE(ui().menuSceneMemory2->title(), QStringLiteral("Rock && Roll"));
    QCOMPARE(dm.getSceneMemoryName(QStringLiteral("SceneMemory2")), QStringLiteral("Rock & Roll"));
    // The titles read back by every reload keep the "&" too.
    w().loadSceneName();
    QCOMPARE(ui().menuSceneMemory2->title(), QStringLiteral("Rock && Roll"));
}

void TestWindowScenes::initialise() {
    QTest::mouseClick(ui().pB_Mute2, Qt::LeftButton);
    QVERIFY(ui().pB_Mute2->isChecked());
    typeFader(ui().dSB_faderDisplay3, QStringLiteral("-12"));
    ui().actionSave_1->trigger();
    const QByteArray scene = bytesOf(sceneFile(1));
    dm.notifySceneMemoryName(QStringLiteral("SceneMemory1"), QStringLiteral("Keep"));
    QTest::mouseClick(ui().pB_Analog3, Qt::LeftButton);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track3"));

    BoxAnswerer boxes(QMessageBox::Ok);
    ui().actionSettings_Reset->trigger();
    QCOMPARE(boxes.texts,
             QStringList{QStringLiteral("This operation initializes MIXER Panel & "
                                        "ROUTING Panel parameters.<br>Are you sure?")});
    // The busy window counts down ten seconds, less than the reload may take to reach the
    // unit on a loaded machine: look for it before waiting on the unit.
    QWidget *busy = nullptr;
    for (QWidget *t : QApplication::topLevelWidgets()) {
        if (t != &w() && t->findChild<QProgressBar *>() && t->isVisible())
            busy = t;
    }
    QVERIFY(busy);
    QCOMPARE(busy->windowTitle(), QStringLiteral("Now Initializing..."));
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("none"));
    QVERIFY(!ui().pB_Mute2->isChecked());
    QCOMPARE(ui().dSB_faderDisplay3->value(), 0.0);
    QVERIFY(!stored("Track2", "Mute").toBool());
    QCOMPARE(unitState().filter(QStringLiteral("in2.mute=")), QStringList{"in2.mute=0"});
    QCOMPARE(int(unit->state().inputs[2].fader), 0);
    QCOMPARE(bytesOf(sceneFile(1)), scene);
    QCOMPARE(dm.getSceneMemoryName(QStringLiteral("SceneMemory1")), QStringLiteral("Keep"));
}

void TestWindowScenes::initialiseCancelled() {
    QTest::mouseClick(ui().pB_Mute2, Qt::LeftButton);
    dm.flushCurrentState();
    const QByteArray current = bytesOf(currentFile());
    const QStringList state = unitState();
    BoxAnswerer boxes(QMessageBox::Cancel);
    ui().actionSettings_Reset->trigger();
    ui().actionInitialize_Memory->trigger();
    ui().actionInitialize_Reverb->trigger();
    QCOMPARE(boxes.texts.size(), 3);
    QCOMPARE(bytesOf(currentFile()), current);
    QCOMPARE(unitState(), state);
    QVERIFY(ui().pB_Mute2->isChecked());
    QCOMPARE(w().progressCountdown, 0);
    QTest::mouseClick(ui().pB_Mute2, Qt::LeftButton);
}

// A current state that cannot be deleted is kept whole: a warning, and nothing reloaded.
void TestWindowScenes::initialiseThatCannotDelete() {
    if (geteuid() == 0)
        QSKIP("permissions do not bind the superuser");
    QTest::mouseClick(ui().pB_Mute2, Qt::LeftButton);
    QTest::mouseClick(ui().pB_Analog4, Qt::LeftButton);
    dm.flushCurrentState();
    const QByteArray current = bytesOf(currentFile());
    const QStringList state = unitState();
    const QStringList view = mixerView();
    const QString dir = QFileInfo(currentFile()).absolutePath();
    const QFile::Permissions mode = QFile::permissions(dir);
    QVERIFY(QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    BoxAnswerer boxes(QMessageBox::Ok);
    ui().actionSettings_Reset->trigger();
    QFile::setPermissions(dir, mode);
    QCOMPARE(boxes.texts.size(), 2);
    QCOMPARE(boxes.icons.last(), QMessageBox::Warning);
    QCOMPARE(bytesOf(currentFile()), current);
    QCOMPARE(unitState(), state);
    QCOMPARE(mixerView(), view);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track4"));
    QCOMPARE(w().progressCountdown, 0);
    QTest::mouseClick(ui().pB_Analog4, Qt::LeftButton);
    QTest::mouseClick(ui().pB_Mute2, Qt::LeftButton);
}

void TestWindowScenes::initialiseMemory() {
    ui().actionSave_1->trigger();
    ui().actionSave_2->trigger();
    dm.notifySceneMemoryName(QStringLiteral("SceneMemory1"), QStringLiteral("One"));
    w().loadSceneName();
    dm.flushCurrentState();
    const QByteArray current = bytesOf(currentFile());
    {
        BoxAnswerer boxes(QMessageBox::Ok);
        ui().actionInitialize_Memory->trigger();
        QCOMPARE(boxes.texts,
                 (QStringList{QStringLiteral("This operation initializes ALL Scene Memories.<br>"
                                             "Are you sure?"),
                              QStringLiteral("Scene Memory file has been initialized.")}));
    }
    for (int n = 1; n <= 10; ++n)
        QVERIFY2(!QFileInfo::exists(sceneFile(n)), qPrintable(sceneFile(n)));
    QVERIFY(!QFileInfo::exists(fileOf(sceneMemorySettingsName)));
    QCOMPARE(ui().menuSceneMemory1->title(), QStringLiteral("SceneMemory1"));
    QCOMPARE(ui().menuSceneMemory2->title(), QStringLiteral("SceneMemory2"));
    QCOMPARE(bytesOf(currentFile()), current);
    BoxAnswerer boxes;
    ui().actionLoad_1->trigger();
    QCOMPARE(boxes.texts, QStringList{QStringLiteral("This scene memory does not exist.")});
}

// A scene that survives the deletion is reported, never passed off as initialised.
void TestWindowScenes::initialiseMemoryThatCannotDelete() {
    QFile::remove(sceneFile(3));
    QVERIFY(QDir().mkpath(sceneFile(3) + "/inside"));
    BoxAnswerer boxes(QMessageBox::Ok);
    ui().actionInitialize_Memory->trigger();
    QCOMPARE(boxes.texts.size(), 2);
    QCOMPARE(boxes.icons.last(), QMessageBox::Warning);
    QVERIFY(boxes.texts.last() != QLatin1String("Scene Memory file has been initialized."));
    QVERIFY(QDir().rmpath(sceneFile(3) + "/inside"));
}

void TestWindowScenes::initialiseReverb_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("preDelay");
    QTest::addColumn<int>("time");
    QTest::addColumn<QString>("timeText");
    QTest::addColumn<int>("diffusion");
    QTest::newRow("HALL") << "pB_RevHall"
                          << "HALL" << 90 << 27 << "2.7" << 20;
    QTest::newRow("ROOM") << "pB_RevRoom"
                          << "ROOM" << 25 << 14 << "1.4" << 60;
    QTest::newRow("LIVE") << "pB_RevLive"
                          << "LIVE" << 6 << 26 << "2.6" << 50;
    QTest::newRow("STUDIO") << "pB_RevStudio"
                            << "STUDIO" << 60 << 4 << "0.4" << 70;
    QTest::newRow("PLATE") << "pB_RevPlate"
                           << "PLATE" << 42 << 27 << "2.7" << 50;
}

void TestWindowScenes::initialiseReverb() {
    QFETCH(QString, button);
    QFETCH(QString, type);
    QFETCH(int, preDelay);
    QFETCH(int, time);
    QFETCH(QString, timeText);
    QFETCH(int, diffusion);
    for (const char *t : {"HALL", "ROOM", "LIVE", "STUDIO", "PLATE"}) {
        dm.notifyRvbPreDelayPosition(200, QLatin1String(t));
        dm.notifyRvbTimePosition(77, QStringLiteral("7.7"), QLatin1String(t));
        dm.notifyRvbDiffPosition(99, QLatin1String(t));
    }
    QTest::mouseClick(ui().pB_RevRoom, Qt::LeftButton);
    const bool masterReverb = ui().pB_masterReverb->isChecked();
    BoxAnswerer boxes(QMessageBox::Ok);
    ui().actionInitialize_Reverb->trigger();
    QCOMPARE(boxes.texts,
             QStringList{QStringLiteral("This operation initializes Reverb Parameters.<br>Are "
                                        "you sure?")});
    QVERIFY(ui().pB_RevHall->isChecked());
    QCOMPARE(w().checkReverbMode(), QStringLiteral("HALL"));
    QCOMPARE(stored("Reverb", "Mode").toInt(), 1);
    QCOMPARE(ui().pB_masterReverb->isChecked(), masterReverb);

    QTest::mouseClick(w().findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(int(dm.getRvbPreDelayPosition(type)), preDelay);
    QCOMPARE(int(dm.getRvbTimePosition(type)), time);
    QCOMPARE(int(dm.getRvbDiffPosition(type)), diffusion);
    QCOMPARE(ui().label_PreDelayDisp->text(), QString::number(preDelay));
    QVERIFY2(ui().label_ReverbTimeDisp->text().contains(timeText),
             qPrintable(ui().label_ReverbTimeDisp->text()));
    QCOMPARE(ui().label_ReverbDiffDisp->text(), QString::number(diffusion));
}

void TestWindowScenes::saveIntoTheUnit() {
    // Messages go out all the time (the window polls); two more after a command have carried
    // whatever that command left pending.
    auto twoMoreMessages = [] {
        const quint64 done = dm.device().traffic().messagesDone;
        return UnitFixture::waitFor(
            [done] { return dm.device().traffic().messagesDone >= done + 2; });
    };
    const int before = unit->state().configSaves;
    {
        BoxAnswerer boxes(QMessageBox::Cancel);
        ui().actionSaveIntoTheUnit->trigger();
        QCOMPARE(boxes.texts.size(), 1);
    }
    QVERIFY(twoMoreMessages());
    QCOMPARE(unit->state().configSaves, before);
    const QStringList state = unitState();
    BoxAnswerer boxes(QMessageBox::Ok);
    ui().actionSaveIntoTheUnit->trigger();
    QCOMPARE(boxes.texts,
             QStringList{QStringLiteral("Save mixer settings?<p>Current Mixer Configuration and "
                                        "levels will be saved into the unit.")});
    QVERIFY(UnitFixture::waitFor([&] { return unit->state().configSaves > before; }));
    QVERIFY(twoMoreMessages());
    QCOMPARE(unit->state().configSaves, before + 1);
    QCOMPARE(unitState(), state);
}

// Without a unit nothing waits in the link: a unit plugged in later never stores the state
// it woke up with.
void TestWindowScenes::saveIntoTheUnitWithoutUnit() {
    fx->units.unplugAll();
    QVERIFY(UnitFixture::waitFor([] { return !dm.queryExistDevice(); }));
    {
        BoxAnswerer boxes(QMessageBox::Ok);
        ui().actionSaveIntoTheUnit->trigger();
        QVERIFY(boxes.texts.isEmpty());
    }
    unit = fx->plug();
    QVERIFY(UnitFixture::waitFor([this] { return w().deviceState == 2; }));
    QVERIFY(waitLinkDelivered(dm.device()));
    const quint64 done = dm.device().traffic().messagesDone;
    QVERIFY(
        UnitFixture::waitFor([done] { return dm.device().traffic().messagesDone >= done + 2; }));
    QCOMPARE(unit->state().configSaves, 0);
}

void TestWindowScenes::noticeWindow() {
    QFile resource(QStringLiteral(":/Resource/LICENSE.txt"));
    QVERIFY(resource.open(QIODevice::ReadOnly));
    QString expected = QString::fromUtf8(resource.readAll());
    // The notice puts a form feed between its texts; the window shows them without.
    QVERIFY(!expected.isEmpty());
    QVERIFY(expected.contains(QChar(0x0c)));
    expected.remove(QChar(0x0c));

    BoxAnswerer boxes;
    QString title, shown;
    QSize size;
    bool modal = false;
    boxes.onDialog = [&](QDialog *d) {
        title = d->windowTitle();
        size = d->size();
        modal = d->isModal();
        if (auto *b = d->findChild<QTextBrowser *>())
            shown = b->toPlainText();
        d->accept();
    };
    ui().actionLicense->trigger();
    QCOMPARE(title, QStringLiteral("License Information"));
    QCOMPARE(size, QSize(650, 400));
    QVERIFY(modal);
    QCOMPARE(shown, expected);
}

QTEST_MAIN(TestWindowScenes)
#include "tst_window_scenes.moc"
