// The strips' faders, select and phase buttons on the whole window against an emulated unit:
// dragged, typed and clicked as a person does, read back from the widgets, the settings file
// and the unit.
#include "StripsFixture.h"

#include <cmath>

namespace {

// The fader levels the unit holds for the channels a fader addresses: one input for a mono
// strip, both inputs of a pair, both sides of the master bus.
QVector<int> unitLevels(const EmulatedUnit::State &s, int fader) {
    if (fader < kMonoStripCount)
        return {s.inputs[fader].fader};
    if (fader < kMasterFader) {
        const int odd = 2 * (fader - kMonoStripCount);
        return {s.inputs[odd].fader, s.inputs[odd + 1].fader};
    }
    return {s.masterFader[0], s.masterFader[1]};
}

// The unit's level for a box value: tenths of a dB toward zero, -99.9 as minus infinity.
int levelOf(double dB) {
    const int tenths = int(std::trunc(dB * 10.0));
    return tenths == -999 ? -1270 : tenths;
}

QVector<int> both(int level, int count) {
    return QVector<int>(count, level);
}

// Shows the page that holds a fader: the stereo page of a pair, as a linked pair shows it.
void showFader(StripsFixture &f, int fader) {
    if (fader >= kMonoStripCount && fader < kMasterFader)
        f.pair(fader - kMonoStripCount).stack->setCurrentIndex(1);
}

void addFaderRows() {
    QTest::addColumn<int>("fader");
    for (int i = 0; i < kFaderCount; ++i) {
        const QByteArray name =
            i < kMonoStripCount ? QByteArray("Track") + QByteArray::number(i + 1)
            : i < kMasterFader  ? QByteArray("pair ") + QByteArray::number(i - kMonoStripCount)
                                : QByteArray("TrackMaster");
        QTest::newRow(name.constData()) << i;
    }
}

} // namespace

class TestWindowStrips : public QObject {
    Q_OBJECT

    StripsFixture f;

private slots:
    void initTestCase() { QVERIFY(f.open()); }
    void init() { f.unit->clearLog(); }
    void cleanup() { f.release(); }
    void cleanupTestCase() { f.close(); }

    void sliderDragShowsAndSendsTheStep_data() { addFaderRows(); }
    void sliderDragShowsAndSendsTheStep() {
        QFETCH(int, fader);
        const FaderRow &row = f.fader(fader);
        const int channels = fader < kMonoStripCount ? 1 : 2;
        showFader(f, fader);
        QVector<QVariant> monoKeys;
        for (int c = 0; c < kMonoStripCount; ++c)
            monoKeys << storedIn(settingsName, f.fader(c).track, QStringLiteral("Fader"));

        dragFader(row.slider, 400);
        QCOMPARE(row.slider->value(), 0);
        QCOMPARE(row.box->text(), QStringLiteral("-infinity"));
        QVERIFY(f.settle());
        QCOMPARE(unitLevels(f.unit->state(), fader), both(-1270, channels));

        dragFader(row.slider, -400);
        QCOMPARE(row.slider->value(), 100);
        QCOMPARE(row.box->value(), 6.0);
        QCOMPARE(row.box->text(), QStringLiteral("6.0 dB"));
        QVERIFY(f.settle());
        QCOMPARE(unitLevels(f.unit->state(), fader), both(60, channels));

        // A step in between: the box shows that step's level, and the box is what is sent.
        dragFader(row.slider, 40);
        const int position = row.slider->value();
        QVERIFY(position > 0 && position < 100);
        QCOMPARE(row.box->value(), MainWindow::faderScale[100 - position]);
        QVERIFY(f.settle());
        QCOMPARE(unitLevels(f.unit->state(), fader), both(levelOf(row.box->value()), channels));
        QCOMPARE(storedIn(settingsName, row.track, QStringLiteral("Fader")).toDouble(),
                 row.box->value());
        // A pair's or the master's fader is its own key; the mono strips keep theirs.
        for (int c = 0; c < kMonoStripCount; ++c)
            if (c != fader)
                QCOMPARE(storedIn(settingsName, f.fader(c).track, QStringLiteral("Fader")),
                         monoKeys[c]);
        QCOMPARE(f.unit->outOfRangeCount(), 0);
    }

    void typedValueMovesTheSliderAndStands_data() { addFaderRows(); }
    void typedValueMovesTheSliderAndStands() {
        QFETCH(int, fader);
        const FaderRow &row = f.fader(fader);
        const int channels = fader < kMonoStripCount ? 1 : 2;
        showFader(f, fader);
        QVector<double> boxes;
        for (int other = 0; other < kFaderCount; ++other)
            boxes << f.fader(other).box->value();

        typeInto(row.box, QStringLiteral("-1.0"));
        QCOMPARE(row.slider->value(), 76);
        QCOMPARE(row.box->value(), -1.0);
        QVERIFY(!row.box->hasFocus());
        QVERIFY(f.settle());
        QCOMPARE(unitLevels(f.unit->state(), fader), both(-10, channels));
        QCOMPARE(storedIn(settingsName, row.track, QStringLiteral("Fader")).toDouble(), -1.0);
        // No other fader's box moved.
        for (int other = 0; other < kFaderCount; ++other)
            if (other != fader)
                QCOMPARE(f.fader(other).box->value(), boxes[other]);
    }

    void shiftReleaseSnapsToZero_data() { addFaderRows(); }
    void shiftReleaseSnapsToZero() {
        QFETCH(int, fader);
        const FaderRow &row = f.fader(fader);
        const int channels = fader < kMonoStripCount ? 1 : 2;
        showFader(f, fader);

        dragFader(row.slider, 50);
        QVERIFY(row.slider->value() != 80);
        QTest::keyPress(f.w, Qt::Key_Shift);
        dragFader(row.slider, -30);
        QTest::keyRelease(f.w, Qt::Key_Shift);
        QCOMPARE(row.box->value(), 0.0);
        QCOMPARE(row.slider->value(), 80);
        QVERIFY(f.settle());
        QCOMPARE(unitLevels(f.unit->state(), fader), both(0, channels));
        QCOMPARE(storedIn(settingsName, row.track, QStringLiteral("Fader")).toDouble(), 0.0);

        // Without Shift the release adds nothing: the last step's level stands.
        dragFader(row.slider, 30);
        QCOMPARE(row.box->value(), MainWindow::faderScale[100 - row.slider->value()]);
    }

    // A typed value that leaves its slider where it stands must not keep the echo guard up:
    // the next key step of another fader still shows and sends that fader's new level.
    void typedValueLeavesNoGuardBehind_data() { addFaderRows(); }
    void typedValueLeavesNoGuardBehind() {
        QFETCH(int, fader);
        const FaderRow &row = f.fader(fader);
        const FaderRow &next = f.fader((fader + 1) % kFaderCount);
        showFader(f, fader);
        showFader(f, (fader + 1) % kFaderCount);
        typeInto(row.box, QStringLiteral("-20.0"));
        QCOMPARE(row.slider->value(), 39);

        // -19.9 lies above the step of -20.0 and below the next: the slider stays at 39.
        typeInto(row.box, QStringLiteral("-19.9"));
        QCOMPARE(row.slider->value(), 39);
        QCOMPARE(row.box->value(), -19.9);

        const int before = next.slider->value();
        QTest::keyClick(next.slider, Qt::Key_Down);
        QCOMPARE(next.slider->value(), before - 1);
        QCOMPARE(next.box->value(), MainWindow::faderScale[100 - next.slider->value()]);
        QVERIFY(f.settle());
        const int nextIndex = (fader + 1) % kFaderCount;
        const int channels = nextIndex < kMonoStripCount ? 1 : 2;
        QCOMPARE(unitLevels(f.unit->state(), nextIndex),
                 both(levelOf(next.box->value()), channels));
    }

    // After the reload put the stored levels back, one step of the slider sends the level of
    // the step it then shows.
    void stepAfterReloadSendsTheShownLevel() {
        const FaderRow &row = f.fader(4);
        typeInto(row.box, QStringLiteral("-7.5"));
        QVERIFY(f.settle());
        f.w->initWindowView();
        QVERIFY(f.settle());
        QCOMPARE(row.box->value(), -7.5);
        const int before = row.slider->value();
        QCOMPARE(before, 58);

        // With page step 0 the toolkit bounds a wheel turn to nothing, so the step is a key.
        QTest::keyClick(row.slider, Qt::Key_Up);
        QVERIFY(row.slider->value() != before);
        QCOMPARE(row.box->value(), MainWindow::faderScale[100 - row.slider->value()]);
        QVERIFY(f.settle());
        QCOMPARE(unitLevels(f.unit->state(), 4), both(levelOf(row.box->value()), 1));
    }

    // Positions outside the slider's range read the scale at the index held within it, and a
    // level below the scale's last entry is the bottom step, never the top.
    void positionsAndLevelsOutsideTheScale() {
        QDoubleSpinBox *box = f.fader(0).box;
        f.w->sliderValueChanged(300, box);
        QCOMPARE(box->value(), -99.9);
        f.w->sliderValueChanged(65535, box);
        QCOMPARE(box->value(), -99.9);
        f.w->sliderValueChanged(150, box);
        QCOMPARE(box->value(), MainWindow::faderScale[50]);
        QCOMPARE(MainWindow::faderLevelAt(0), -99.9);
        QCOMPARE(MainWindow::faderLevelAt(100), 6.0);

        QCOMPARE(MainWindow::faderPositionFor(-99.9), 0);
        QCOMPARE(MainWindow::faderPositionFor(-100.0), 0);
        QCOMPARE(MainWindow::faderPositionFor(-1e9), 0);
        QCOMPARE(MainWindow::faderPositionFor(std::nan("")), 0);
    }

    // ---- Select ----------------------------------------------------------------------------

    void selectMovesTheSelection_data() {
        QTest::addColumn<int>("strip");
        QTest::addColumn<int>("before");
        // Strips 0..19 mono, 20..29 stereo; each row selects one while another is selected.
        for (int s = 0; s < kMonoStripCount + kPairStripCount; ++s) {
            const int before = (s + 11) % (kMonoStripCount + kPairStripCount);
            QTest::newRow(QByteArray::number(s).constData()) << s << before;
        }
    }
    void selectMovesTheSelection() {
        QFETCH(int, strip);
        QFETCH(int, before);
        auto button = [&](int s) {
            return s < kMonoStripCount ? f.mono(s).select : f.pair(s - kMonoStripCount).select;
        };
        auto widget = [&](int s) -> QLabel * {
            return s < kMonoStripCount ? f.mono(s).strip : f.pair(s - kMonoStripCount).strip;
        };
        auto track = [&](int s) {
            return s < kMonoStripCount ? f.mono(s).track : f.pair(s - kMonoStripCount).track;
        };
        auto picture = [&](int s, bool selected) {
            const bool stereo = s >= kMonoStripCount;
            return resourceImage(QStringLiteral(":Resource/track/%1_%2.png")
                                     .arg(stereo ? "TrackLink" : "Tarvik_track")
                                     .arg(selected ? 1 : 0));
        };
        for (int s : {strip, before})
            if (s >= kMonoStripCount)
                f.pair(s - kMonoStripCount).stack->setCurrentIndex(1);

        // The track's stored threshold, which the panel shows once the strip is selected.
        storeIn(settingsName, track(strip), QStringLiteral("CompThresholdPos"), 5);
        QLabel expected;
        DialControl::setCompThresholdEncValue(&expected, 5);

        click(button(before));
        QCOMPARE(ChannelControl::selectedCh, track(before));
        click(button(strip));
        QVERIFY(button(strip)->isChecked());
        QVERIFY(!button(before)->isChecked());
        QCOMPARE(ChannelControl::selectedCh, track(strip));
        QCOMPARE(pictureOf(widget(strip)), picture(strip, true));
        QCOMPARE(pictureOf(widget(before)), picture(before, false));
        QCOMPARE(f.ui().label_ThresholdDisp->text(), expected.text());
        QVERIFY(f.ui().label_ThresholdDisp->isVisibleTo(f.w));
        QCOMPARE(storedIn(settingsName, track(strip), QStringLiteral("Select")).toBool(), true);

        // The same button again: nothing selected, the panel keeps what it showed.
        click(button(strip));
        QCOMPARE(ChannelControl::selectedCh, QStringLiteral("none"));
        QVERIFY(!button(strip)->isChecked());
        QCOMPARE(pictureOf(widget(strip)), picture(strip, false));
        QCOMPARE(f.ui().label_ThresholdDisp->text(), expected.text());
        QVERIFY(!f.ui().pB_LowCutFilter->isChecked());
        QCOMPARE(storedIn(settingsName, track(strip), QStringLiteral("Select")).toBool(), false);
    }

    void selectLoadsTheStoredLowCut() {
        storeIn(settingsName, QStringLiteral("Track3"), QStringLiteral("EqLowCutFilter"), true);
        f.ui().label_Equalizer->setText(QStringLiteral("Bypass"));
        click(f.mono(2).select);
        QVERIFY(f.ui().pB_LowCutFilter->isChecked());
        QCOMPARE(f.ui().label_Equalizer->text(), QString());
        click(f.mono(3).select);
        QVERIFY(!f.ui().pB_LowCutFilter->isChecked());
    }

    // ---- Phase -----------------------------------------------------------------------------

    void phaseMirrorsAndReachesOneInput_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("stereoHalf");
        for (int c = 0; c < kMonoStripCount; ++c) {
            QTest::newRow(QByteArray("mono " + QByteArray::number(c)).constData()) << c << false;
            QTest::newRow(QByteArray("half " + QByteArray::number(c)).constData()) << c << true;
        }
    }
    void phaseMirrorsAndReachesOneInput() {
        QFETCH(int, channel);
        QFETCH(bool, stereoHalf);
        const PairStrip &p = f.pair(channel / 2);
        QPushButton *monoButton = f.mono(channel).phase;
        QPushButton *half = channel % 2 ? p.phaseR : p.phaseL;
        const QString halfName = p.track + (channel % 2 ? "_R" : "_L");
        if (stereoHalf)
            p.stack->setCurrentIndex(1);

        click(stereoHalf ? half : monoButton);
        QVERIFY(monoButton->isChecked());
        QVERIFY(half->isChecked());
        QVERIFY(f.settle());
        const auto state = f.unit->state();
        for (int c = 0; c < kMonoStripCount; ++c)
            QCOMPARE(int(state.inputs[c].phase), c == channel ? 1 : 0);
        QCOMPARE(storedIn(settingsName, f.mono(channel).track, "Phase").toBool(), true);
        QCOMPARE(storedIn(settingsName, halfName, "Phase").toBool(), true);
        // The partner's half is left alone.
        QPushButton *otherHalf = channel % 2 ? p.phaseL : p.phaseR;
        QVERIFY(!otherHalf->isChecked());

        click(stereoHalf ? half : monoButton);
        QVERIFY(!monoButton->isChecked());
        QVERIFY(!half->isChecked());
        QVERIFY(f.settle());
        QCOMPARE(int(f.unit->state().inputs[channel].phase), 0);
        QCOMPARE(storedIn(settingsName, halfName, "Phase").toBool(), false);
        QCOMPARE(f.unit->outOfRangeCount(), 0);
    }
};

QTEST_MAIN(TestWindowStrips)
#include "tst_window_strips.moc"
