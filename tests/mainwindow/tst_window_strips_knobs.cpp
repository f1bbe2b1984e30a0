// The strips' pan indicators and send knobs on the whole window against an emulated unit:
// dragged with explicit positions, read back from the pictures, the value labels, the
// settings file and the unit.
#include "StripsFixture.h"
#include "kxctl.h"

namespace {

// The unit's pan code of a pan text: "L20" .. "C" .. "R20" as 0 .. 20 .. 40.
int panCode(const QString &text) {
    if (text == QLatin1String("C"))
        return 20;
    const int n = text.mid(1).toInt();
    return text.startsWith(QLatin1Char('L')) ? 20 - n : 20 + n;
}

// The unit's send level in whole dB of a knob text: "-inf." is minus infinity.
int sendDb(const QString &text) {
    return text == QLatin1String("-inf.") ? -127 : text.left(3).trimmed().toInt();
}

} // namespace

class TestWindowStripsKnobs : public QObject {
    Q_OBJECT

    StripsFixture f;

    struct PanView {
        PanControl *own, *mono, *stereo;
        QLabel *ownDisplay, *monoDisplay, *stereoDisplay;
        int centre;
    };
    PanView panView(int channel, bool stereoView) {
        const PairStrip &p = f.pair(channel / 2);
        const bool even = channel % 2;
        PanView v;
        v.mono = f.mono(channel).pan;
        v.stereo = even ? p.panR : p.panL;
        v.monoDisplay = f.mono(channel).panDisplay;
        v.stereoDisplay = even ? p.panDisplayR : p.panDisplayL;
        v.own = stereoView ? v.stereo : v.mono;
        v.ownDisplay = stereoView ? v.stereoDisplay : v.monoDisplay;
        v.centre = even ? 79 : 20;
        if (stereoView)
            p.stack->setCurrentIndex(1);
        return v;
    }

private slots:
    void initTestCase() { QVERIFY(f.open()); }
    void init() { f.unit->clearLog(); }
    void cleanup() { f.release(); }
    void cleanupTestCase() { f.close(); }

    // ---- Pan -------------------------------------------------------------------------------

    void panDragMovesBothViewsOfOneChannel_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("stereoView");
        for (int c = 0; c < kMonoStripCount; ++c) {
            QTest::newRow(QByteArray("mono " + QByteArray::number(c)).constData()) << c << false;
            QTest::newRow(QByteArray("stereo " + QByteArray::number(c)).constData()) << c << true;
        }
    }
    void panDragMovesBothViewsOfOneChannel() {
        QFETCH(int, channel);
        QFETCH(bool, stereoView);
        const PanView v = panView(channel, stereoView);
        const QString track = f.mono(channel).track;
        const QString partner = f.mono(channel ^ 1).track;
        const QVariant partnerPan = storedIn(settingsName, partner, QStringLiteral("Pan_pos"));
        const QImage centrePicture = resourceImage(QStringLiteral(":Resource/track/PAN.png"));
        const QImage offPicture = resourceImage(QStringLiteral(":Resource/track/PAN_c.png"));
        const QPoint grip(8, 6);

        // Back to the centre first: the double-click shows no value label.
        doubleClick(v.own, grip);
        QVERIFY(v.ownDisplay->isHidden());
        QCOMPARE(v.mono->x(), v.centre);
        QCOMPARE(v.stereo->x(), v.centre);
        QCOMPARE(pictureOf(v.mono), centrePicture);
        QCOMPARE(v.monoDisplay->text(), QStringLiteral("C"));
        QCOMPARE(v.stereoDisplay->text(), QStringLiteral("C"));

        // Five pixels right, in one move: both indicators and both labels, one stored pan.
        const QPoint origin = v.own->mapToGlobal(grip);
        sendMouse(v.own, QEvent::MouseButtonPress, grip, origin, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(!v.ownDisplay->isHidden());
        sendMouse(v.own, QEvent::MouseMove, grip + QPoint(5, 0), origin + QPoint(5, 0),
                  Qt::NoButton, Qt::LeftButton);
        sendMouse(v.own, QEvent::MouseButtonRelease, grip, origin + QPoint(5, 0), Qt::LeftButton,
                  Qt::NoButton);
        QVERIFY(v.ownDisplay->isHidden());
        QCOMPARE(v.mono->pos(), QPoint(v.centre + 5, 336));
        QCOMPARE(v.stereo->pos(), QPoint(v.centre + 5, 336));
        QCOMPARE(v.monoDisplay->text(), QStringLiteral("R5"));
        QCOMPARE(v.stereoDisplay->text(), QStringLiteral("R5"));
        QCOMPARE(pictureOf(v.mono), offPicture);
        QCOMPARE(pictureOf(v.stereo), offPicture);
        QCOMPARE(storedIn(settingsName, track, QStringLiteral("Pan_pos")).toInt(), v.centre + 5);
        QCOMPARE(storedIn(settingsName, track, QStringLiteral("Pan_value")).toString(),
                 QStringLiteral("R5"));
        QVERIFY(f.settle());
        QCOMPARE(int(f.unit->state().inputs[channel].pan), 25);

        // A vertical drag leaves the pan where it is.
        drag(v.own, grip, {grip + QPoint(0, 8), grip + QPoint(0, -8)});
        QCOMPARE(v.mono->x(), v.centre + 5);
        QCOMPARE(v.stereoDisplay->text(), QStringLiteral("R5"));
        QCOMPARE(storedIn(settingsName, track, QStringLiteral("Pan_pos")).toInt(), v.centre + 5);

        // The end stops: far right is R20; far left, step by step, is L20.
        drag(v.own, grip, {grip + QPoint(100, 0)});
        QCOMPARE(v.mono->x(), v.centre + 20);
        QCOMPARE(v.stereoDisplay->text(), QStringLiteral("R20"));
        QVector<QPoint> left;
        for (int i = 1; i <= 12; ++i)
            left << grip - QPoint(10 * i, 0);
        drag(v.own, grip, left);
        QCOMPARE(v.mono->x(), v.centre - 20);
        QCOMPARE(v.monoDisplay->text(), QStringLiteral("L20"));
        QVERIFY(f.settle());
        QCOMPARE(int(f.unit->state().inputs[channel].pan), 0);

        // The pair's own key and the partner's pan are left alone.
        QVERIFY(!storedIn(settingsName, f.pair(channel / 2).track, QStringLiteral("Pan_pos"))
                     .isValid());
        QCOMPARE(storedIn(settingsName, partner, QStringLiteral("Pan_pos")), partnerPan);
        QCOMPARE(f.unit->outOfRangeCount(), 0);
    }

    // A leftward step longer than the position leaves it where it is.
    void panStepPastTheLeftEndKeepsThePosition() {
        const PanView v = panView(2, false);
        const QPoint grip(8, 6);
        doubleClick(v.own, grip);
        drag(v.own, grip, {grip - QPoint(17, 0), grip - QPoint(22, 0), grip - QPoint(25, 0)});
        QCOMPARE(v.mono->x(), 0);
        drag(v.own, grip, {grip + QPoint(3, 0)});
        QCOMPARE(v.mono->x(), 3);
        QCOMPARE(v.monoDisplay->text(), QStringLiteral("L17"));
        drag(v.own, grip, {grip - QPoint(5, 0)});
        QCOMPARE(v.mono->x(), 3);
        QCOMPARE(v.monoDisplay->text(), QStringLiteral("L17"));
        QCOMPARE(
            storedIn(settingsName, QStringLiteral("Track3"), QStringLiteral("Pan_pos")).toInt(), 3);
        QVERIFY(f.settle());
        QCOMPARE(int(f.unit->state().inputs[2].pan), panCode(QStringLiteral("L17")));
    }

    // The button held after a double-click drags on from the centre, not from where the
    // indicator stood before it.
    void panDragAfterDoubleClickGoesOnFromTheCentre_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("stereoView");
        QTest::newRow("odd strip") << 8 << false;
        QTest::newRow("even strip") << 9 << false;
        QTest::newRow("stereo L") << 12 << true;
        QTest::newRow("stereo R") << 19 << true;
    }
    void panDragAfterDoubleClickGoesOnFromTheCentre() {
        QFETCH(int, channel);
        QFETCH(bool, stereoView);
        const PanView v = panView(channel, stereoView);
        const QString track = f.mono(channel).track;
        const QPoint grip(8, 6);
        doubleClick(v.own, grip);
        drag(v.own, grip, {grip + QPoint(10, 0)});
        QCOMPARE(v.mono->x(), v.centre + 10);

        const QPoint g = v.own->mapToGlobal(grip);
        sendMouse(v.own, QEvent::MouseButtonPress, grip, g, Qt::LeftButton, Qt::LeftButton);
        sendMouse(v.own, QEvent::MouseButtonRelease, grip, g, Qt::LeftButton, Qt::NoButton);
        sendMouse(v.own, QEvent::MouseButtonDblClick, grip, g, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(v.mono->x(), v.centre);
        sendMouse(v.own, QEvent::MouseMove, grip + QPoint(3, 0), g + QPoint(3, 0), Qt::NoButton,
                  Qt::LeftButton);
        sendMouse(v.own, QEvent::MouseButtonRelease, grip + QPoint(3, 0), g + QPoint(3, 0),
                  Qt::LeftButton, Qt::NoButton);

        QCOMPARE(v.mono->x(), v.centre + 3);
        QCOMPARE(v.stereo->x(), v.centre + 3);
        QCOMPARE(v.monoDisplay->text(), QStringLiteral("R3"));
        QCOMPARE(v.stereoDisplay->text(), QStringLiteral("R3"));
        QCOMPARE(pictureOf(v.own), resourceImage(QStringLiteral(":Resource/track/PAN_c.png")));
        QCOMPARE(storedIn(settingsName, track, QStringLiteral("Pan_pos")).toInt(), v.centre + 3);
        QCOMPARE(storedIn(settingsName, track, QStringLiteral("Pan_value")).toString(),
                 QStringLiteral("R3"));
        QVERIFY(f.settle());
        QCOMPARE(int(f.unit->state().inputs[channel].pan), panCode(QStringLiteral("R3")));
        doubleClick(v.own, grip);
    }

    // ---- Sends -----------------------------------------------------------------------------

    void sendDragSetsItsChannels_data() {
        QTest::addColumn<int>("strip");
        QTest::addColumn<int>("send");
        for (int s = 0; s < kMonoStripCount + kPairStripCount; ++s)
            QTest::newRow(QByteArray::number(s).constData()) << s << s % 4;
    }
    void sendDragSetsItsChannels() {
        QFETCH(int, strip);
        QFETCH(int, send);
        const bool stereo = strip >= kMonoStripCount;
        const int pairIndex = stereo ? strip - kMonoStripCount : strip / 2;
        const PairStrip &p = f.pair(pairIndex);
        const MonoStrip &odd = f.mono(p.odd), &even = f.mono(p.odd + 1);
        DialControlSend *knob = stereo ? p.sendKnob[send] : f.mono(strip).sendKnob[send];
        QLabel *display = stereo ? p.sendDisplay[send] : f.mono(strip).sendDisplay[send];
        const QString level = QStringLiteral("Send%1_Level").arg(send + 1);
        if (stereo)
            p.stack->setCurrentIndex(1);

        // The two channels start apart, so that a stereo turn shows that it starts from the
        // odd channel's level.
        dm.notifySendLevel(odd.track, QStringLiteral("Send%1").arg(send + 1), 40,
                           QStringLiteral("-10dB"));
        dm.notifySendLevel(even.track, QStringLiteral("Send%1").arg(send + 1), 70,
                           QStringLiteral(" -5dB"));
        const QImage oddBefore = pictureOf(odd.sendKnob[send]);
        const QImage evenBefore = pictureOf(even.sendKnob[send]);
        const QImage stereoBefore = pictureOf(p.sendKnob[send]);
        const bool isOdd = !stereo && strip % 2 == 0;
        const int start = stereo || isOdd ? 40 : 70;

        const QPoint grip(13, 13);
        sendMouse(knob, QEvent::MouseButtonPress, grip, knob->mapToGlobal(grip), Qt::LeftButton,
                  Qt::LeftButton);
        QVERIFY(!display->isHidden());
        drag(knob, grip, {grip - QPoint(0, 4), grip - QPoint(0, 10)});
        QVERIFY(display->isHidden());
        const QString text = display->text();
        QVERIFY(f.settle());
        const auto state = f.unit->state();

        auto storedLevel = [&](const MonoStrip &m) {
            return storedIn(settingsName, m.track, level).toInt();
        };
        if (stereo) {
            // Both channels take the odd level plus the movement; the pair keeps no level.
            QCOMPARE(storedLevel(odd), start + 10);
            QCOMPARE(storedLevel(even), start + 10);
            QCOMPARE(pictureOf(odd.sendKnob[send]), pictureOf(knob));
            QCOMPARE(pictureOf(even.sendKnob[send]), pictureOf(knob));
            QCOMPARE(int(state.inputs[p.odd].sends[send].level), sendDb(text));
            QCOMPARE(int(state.inputs[p.odd + 1].sends[send].level), sendDb(text));
        } else if (isOdd) {
            // The stereo knob follows the odd channel; the even one is left alone.
            QCOMPARE(storedLevel(odd), start + 10);
            QCOMPARE(storedLevel(even), 70);
            QCOMPARE(pictureOf(p.sendKnob[send]), pictureOf(knob));
            QCOMPARE(p.sendDisplay[send]->text(), text);
            QCOMPARE(pictureOf(even.sendKnob[send]), evenBefore);
            QCOMPARE(int(state.inputs[p.odd].sends[send].level), sendDb(text));
        } else {
            QCOMPARE(storedLevel(even), start + 10);
            QCOMPARE(storedLevel(odd), 40);
            QCOMPARE(pictureOf(p.sendKnob[send]), stereoBefore);
            QCOMPARE(pictureOf(odd.sendKnob[send]), oddBefore);
            QCOMPARE(int(state.inputs[p.odd + 1].sends[send].level), sendDb(text));
        }
        QVERIFY(!storedIn(settingsName, p.track, level).isValid());

        // A sideways drag leaves the level where it is.
        drag(knob, grip, {grip + QPoint(6, 0)});
        QCOMPARE(display->text(), text);
        QCOMPARE(storedIn(settingsName, stereo ? odd.track : f.mono(strip).track, level).toInt(),
                 start + 10);

        // The end stops: the top is "  6dB", the clamp keeps no memory of the overshoot, and
        // the bottom is minus infinity at the unit.
        drag(knob, grip, {grip - QPoint(0, 200)});
        QCOMPARE(display->text(), QStringLiteral("  6dB"));
        drag(knob, grip, {grip + QPoint(0, 1)});
        const int top =
            storedIn(settingsName, stereo ? odd.track : f.mono(strip).track, level).toInt();
        QCOMPARE(top, 126);
        drag(knob, grip, {grip + QPoint(0, 300)});
        QCOMPARE(display->text(), QStringLiteral("-inf."));
        QVERIFY(f.settle());
        const int channel = stereo ? p.odd : strip;
        QCOMPARE(int(f.unit->state().inputs[channel].sends[send].level), -127);
        QCOMPARE(f.unit->outOfRangeCount(), 0);
    }

    // Pressing and letting go without a move stores and sends nothing.
    void sendPressWithoutMoveChangesNothing() {
        DialControlSend *knob = f.mono(5).sendKnob[1];
        dm.notifySendLevel(f.mono(5).track, QStringLiteral("Send2"), 33, QStringLiteral("-12dB"));
        QVERIFY(f.settle());
        f.unit->clearLog();
        drag(knob, QPoint(13, 13), {});
        QVERIFY(f.settle());
        QCOMPARE(storedIn(settingsName, f.mono(5).track, QStringLiteral("Send2_Level")).toInt(),
                 33);
        QCOMPARE(f.countTag(KXCTL_TAG_SEND_LEVEL), 0);
    }
};

QTEST_MAIN(TestWindowStripsKnobs)
#include "tst_window_strips_knobs.moc"
