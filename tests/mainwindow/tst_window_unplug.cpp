// Unplugging at any moment: with the window running, the unit is pulled and plugged again a
// few hundred times at random points (while the reload after a plug is being delivered,
// during a scene load, while meters stream, in the middle of a fader drag, in the middle of a
// transfer), on both models. Nothing may crash or hang, no message box may pile on another,
// the unit is never sent a value it cannot take, and after the last plug the unit holds
// exactly what the settings hold. A unit that comes back having lost its settings (as after
// a power cycle) is given them all again, although none of them has changed.
#include "WindowFaultKit.h"
#include "tst_window_reload.h"

#include <QElapsedTimer>
#include <QFileInfo>

using namespace reloadtest;
using namespace faultkit;

namespace {

enum class Moment { Reload, SceneLoad, Meters, FaderDrag };

const char *momentName(Moment m) {
    static const char *const names[] = {"reload", "scene load", "meters", "fader drag"};
    return names[int(m)];
}

QString sceneFile(int n) {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, organizationName, settingFile[n])
        .fileName();
}

} // namespace

class TestWindowUnplug : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void unplugAtRandomMoments_data();
    void unplugAtRandomMoments();
    void replugOfAUnitThatLostItsSettings_data();
    void replugOfAUnitThatLostItsSettings();

private:
    // Two scenes that differ from each other in every kind of parameter.
    void prepareScenes(Model model);
    // Runs the event loop for a random time below the bound.
    void spinRandom(int boundMs) { UnitFixture::spin(int(rng() % unsigned(boundMs + 1))); }
    // Pulls the unit: at once, or under the next transfer it is sent.
    void pull();
    // Plugs the unit again: at once (perhaps before the window has seen it go) or after the
    // window has shown the disconnect.
    bool replug();
    bool waitConnectedNow() { return f.waitConnected(false, linkwait::kBoundMs); }
    // No more than the one disconnect notice shows, and only that.
    bool boxesSane(QString *why);

    std::mt19937 rng;
    WindowFixture f;
    std::shared_ptr<EmulatedUnit> unit;
    quint32 seed = 0;
    qint64 connectMs = 0;
};

void TestWindowUnplug::initTestCase() {
    seed = runSeed("tst_window_unplug");
}

void TestWindowUnplug::init() {
    loadFreshSettings();
}

void TestWindowUnplug::cleanup() {
    f.close();
    f.units.unplugAll();
    unit.reset();
    loadFreshSettings();
}

void TestWindowUnplug::prepareScenes(Model model) {
    loadRichSettings(model);
    QVERIFY(dm.copyCurrentStateTo(sceneFile(1)));
    // The second scene: every channel of the rich state moved somewhere else.
    for (int n = 1; n <= 20; ++n) {
        const QString t = track(n);
        dm.notifyTrackFader(t, -30.0 + n);
        dm.notifyTrackMute(t, n % 2 == 0);
        dm.notifyTrackPan(t, n % 2 ? 10 : 90,
                          n % 2 ? QStringLiteral("L10") : QStringLiteral("R11"));
        dm.notifyTrackPhase(t, n % 3 == 0);
    }
    dm.notifyTrackLink(pairTrack(1), false);
    dm.notifyTrackLink(pairTrack(4), true);
    dm.notifyReverbMode(5);
    QVERIFY(dm.copyCurrentStateTo(sceneFile(2)));
    QVERIFY(dm.replaceCurrentStateWith(sceneFile(1)));
}

void TestWindowUnplug::pull() {
    if (rng() % 4 == 0 && unit->pluggedIn()) {
        // Under the next request: the removal lands in the middle of a transfer. A quiet link
        // may not send one for a while, so pull it for good if nothing went out.
        unit->unplugDuringNextTransfer();
        UnitFixture::waitFor([this] { return !unit->pluggedIn(); }, 300);
    }
    unit->unplug();
}

bool TestWindowUnplug::replug() {
    if (rng() % 3 != 0 && !f.waitDisconnected()) {
        QTest::qFail("the window did not see the unit go", __FILE__, __LINE__);
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    unit->plugIn();
    // The unit tells its name in the answer to the 1 s poll; ask at once instead of waiting for
    // the next tick, so the run spends its time on plugs and not on the poll's period.
    UnitFixture::spin(int(rng() % 30));
    f.window->timerInterrupt_1000ms();
    const bool connected = waitConnectedNow();
    connectMs += clock.elapsed();
    if (!connected) {
        QTest::qFail("the window did not connect the unit plugged in again", __FILE__, __LINE__);
        return false;
    }
    return true;
}

bool TestWindowUnplug::boxesSane(QString *why) {
    const QList<QMessageBox *> boxes = visibleBoxes();
    for (QMessageBox *b : boxes)
        if (b != f.window->disconnectBox) {
            *why = QStringLiteral("a box \"%1\" shows").arg(b->text());
            return false;
        }
    if (boxes.size() > 1) {
        *why = QStringLiteral("%1 boxes show").arg(boxes.size());
        return false;
    }
    return true;
}

void TestWindowUnplug::unplugAtRandomMoments_data() {
    QTest::addColumn<Model>("model");
    QTest::addColumn<int>("cycles");
    QTest::newRow("Pelvo") << Model::Pelvo << 100;
    QTest::newRow("Tarvik") << Model::Tarvik << 100;
}

void TestWindowUnplug::unplugAtRandomMoments() {
    QFETCH(Model, model);
    QFETCH(int, cycles);
    rng.seed(seed ^ quint32(qHash(QLatin1String(QTest::currentDataTag()))));
    prepareScenes(model);
    if (QTest::currentTestFailed())
        return;
    unit = f.plug(model);
    f.open();
    BoxCloser safety(f.window.get());
    QVERIFY(f.waitConnected());
    MainWindow &w = *f.window;
    unit->setLiveMeters(true);

    int counts[4] = {};
    for (int cycle = 0; cycle < cycles; ++cycle) {
        const auto moment = Moment(rng() % 4);
        ++counts[int(moment)];
        const QByteArray where = QStringLiteral("cycle %1 (%2)")
                                     .arg(cycle)
                                     .arg(QLatin1String(momentName(moment)))
                                     .toLocal8Bit();
        switch (moment) {
        case Moment::Reload:
            // The replug above ran the reload; its values are still on their way.
            spinRandom(250);
            pull();
            break;
        case Moment::SceneLoad:
            w.loadSceneMemory(static_cast<unsigned char>(1 + rng() % 2));
            spinRandom(150);
            pull();
            break;
        case Moment::Meters:
            spinRandom(300);
            pull();
            break;
        case Moment::FaderDrag: {
            const std::vector<int> shown = shownFaders(w);
            const FaderRow &row = w.faderRows()[size_t(shown[rng() % shown.size()])];
            const int steps = 4 + int(rng() % 12), at = int(rng() % unsigned(steps));
            row.slider->setSliderDown(true);
            for (int s = 0; s < steps; ++s) {
                if (s == at)
                    pull();
                row.slider->setSliderPosition(int(rng() % 101));
                spinRandom(20);
            }
            row.slider->setSliderDown(false);
            break;
        }
        }
        QString why;
        QVERIFY2(boxesSane(&why), qPrintable(QString::fromLocal8Bit(where) + ": " + why));
        if (!replug()) {
            qInfo("%s", where.constData());
            return;
        }
        QVERIFY2(boxesSane(&why), qPrintable(QString::fromLocal8Bit(where) + ": " + why));
    }
    qInfo("moments: %d reloads, %d scene loads, %d with meters, %d fader drags; %lld ms a "
          "plug on average until the window had reloaded",
          counts[0], counts[1], counts[2], counts[3], connectMs / qMax(1, cycles));

    QVERIFY(waitLinkDelivered(dm.device()));
    const QStringList diff = stateDifferences(unit->state(), expectedState(model), model);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(QLatin1Char('\n'))));
    QVERIFY2(unit->outOfRangeCount() == 0, qPrintable(describeRejected(*unit)));
    QVERIFY2(safety.texts.isEmpty(), qPrintable(safety.texts.join(QLatin1String("; "))));
}

void TestWindowUnplug::replugOfAUnitThatLostItsSettings_data() {
    QTest::addColumn<Model>("model");
    QTest::newRow("Pelvo") << Model::Pelvo;
    QTest::newRow("Tarvik") << Model::Tarvik;
}

// Everything the window sends equals what it sent the unit before, so only a reload that
// forgets what it last sent reaches a unit that starts again from its power-on state.
void TestWindowUnplug::replugOfAUnitThatLostItsSettings() {
    QFETCH(Model, model);
    loadRichSettings(model);
    if (QTest::currentTestFailed())
        return;
    unit = f.plug(model);
    if (!openLoaded(f))
        return;
    QStringList diff = stateDifferences(unit->state(), expectedState(model), model);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(QLatin1Char('\n'))));
    const auto storedBytes = [] {
        dm.flushCurrentState();
        QFile file(dm.currentStateFileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray settingsBefore = storedBytes();
    QVERIFY(!settingsBefore.isEmpty());

    unit->unplug();
    QVERIFY(f.waitDisconnected());
    // A new emulated unit of the same model: every setting at its power-on value.
    auto restarted = f.plug(model);
    f.window->timerInterrupt_1000ms();
    QVERIFY(waitConnectedNow());
    QVERIFY(waitLinkDelivered(dm.device()));

    QCOMPARE(storedBytes(), settingsBefore);
    diff = stateDifferences(restarted->state(), expectedState(model), model);
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(QLatin1Char('\n'))));
    QVERIFY2(restarted->outOfRangeCount() == 0, qPrintable(describeRejected(*restarted)));
}

QTEST_MAIN(TestWindowUnplug)
#include "tst_window_unplug.moc"
