// The effect knobs, the reverb knobs and the send knob: drags driven through the form
// widgets' signals with explicit positions, the texts, pictures and graph inputs each
// position shows, what is stored (read back with a fresh settings object), what reaches the
// unit, the double-click guard, pair mirroring and the cache hand-over.
#include "ControlsFixture.h"

using namespace ctltest;

namespace {

// A knob family as the window wires it: form knob and value label, the working instance.
struct KnobOps {
    const char *name;
    void (DialControl::*press)(QMouseEvent *);
    void (DialControl::*rotate)(QMouseEvent *);
    void (DialControl::*load)(QString);
    const char *positionKey;
    const char *displayKey;
    int band; // the equaliser band the knob sends, -1 for the compressor
};

const KnobOps kOps[] = {
    {"high gain", &DialControl::pressHighGainKnob, &DialControl::rotateHighGainKnob,
     &DialControl::loadEqHighGain, "EqHighGainPos", "EqHighGainValue", kBandHigh},
    {"high-mid gain", &DialControl::pressHighMidGainKnob, &DialControl::rotateHighMidGainKnob,
     &DialControl::loadEqHighMidGain, "EqHighMidGainPos", "EqHighMidGainValue", kBandHighMid},
    {"low-mid gain", &DialControl::pressLowMidGainKnob, &DialControl::rotateLowMidGainKnob,
     &DialControl::loadEqLowMidGain, "EqLowMidGainPos", "EqLowMidGainValue", kBandLowMid},
    {"low gain", &DialControl::pressLowGainKnob, &DialControl::rotateLowGainKnob,
     &DialControl::loadEqLowGain, "EqLowGainPos", "EqLowGainValue", kBandLow},
    {"low freq", &DialControl::pressLowFreqKnob, &DialControl::rotateLowFreqKnob,
     &DialControl::loadEqLowFreq, "EqLowFreqPos", "EqLowFreqText", kBandLow},
    {"low-mid freq", &DialControl::pressLowMidFreqKnob, &DialControl::rotateLowMidFreqKnob,
     &DialControl::loadEqLowMidFreq, "EqLowMidFreqPos", "EqLowMidFreqText", kBandLowMid},
    {"high-mid freq", &DialControl::pressHighMidFreqKnob, &DialControl::rotateHighMidFreqKnob,
     &DialControl::loadEqHighMidFreq, "EqHighMidFreqPos", "EqHighMidFreqText", kBandHighMid},
    {"high freq", &DialControl::pressHighFreqKnob, &DialControl::rotateHighFreqKnob,
     &DialControl::loadEqHighFreq, "EqHighFreqPos", "EqHighFreqText", kBandHigh},
    {"low-mid Q", &DialControl::pressLowMidQKnob, &DialControl::rotateLowMidQKnob,
     &DialControl::loadEqLowMidQ, "EqLowMidQFreqPos", "EqLowMidQFreqText", kBandLowMid},
    {"high-mid Q", &DialControl::pressHighMidQKnob, &DialControl::rotateHighMidQKnob,
     &DialControl::loadEqHighMidQ, "EqHighMidQFreqPos", "EqHighMidQFreqText", kBandHighMid},
    {"threshold", &DialControl::pressCompThresholdKnob, &DialControl::rotateCompThresholdKnob,
     &DialControl::loadCompThreshold, "CompThresholdPos", "CompThresholdText", -1},
    {"ratio", &DialControl::pressCompRatioKnob, &DialControl::rotateCompRatioKnob,
     &DialControl::loadCompRatio, "CompRatioPos", "CompRatioText", -1},
    {"make-up gain", &DialControl::pressCompGainKnob, &DialControl::rotateCompGainKnob,
     &DialControl::loadCompGain, "CompGainPos", "CompGainText", -1},
    {"attack", &DialControl::pressCompAttackKnob, &DialControl::rotateCompAttackKnob,
     &DialControl::loadCompAttack, "CompAttackPos", "CompAttackText", -1},
    {"release", &DialControl::pressCompReleaseKnob, &DialControl::rotateCompReleaseKnob,
     &DialControl::loadCompRelease, "CompReleasePos", "CompReleaseText", -1},
};

int opsIndex(const char *name) {
    for (int i = 0; i < int(std::size(kOps)); ++i)
        if (!strcmp(kOps[i].name, name))
            return i;
    return -1;
}

// One form knob with its value label, wired to a working instance as the window does.
struct FormKnob {
    QWidget form;
    DialControl knob{&form};
    QLabel display{&form};
    DialControl work;
    explicit FormKnob(const KnobOps &ops) {
        QObject::connect(&knob, &DialControl::dialknob_Pressed,
                         [this, &ops](QMouseEvent *e) { (work.*ops.press)(e); });
        QObject::connect(&knob, &DialControl::dialknob_Moved, [this, &ops](QMouseEvent *e) {
            work.dialKnob = &knob;
            work.dialDisplay = &display;
            (work.*ops.rotate)(e);
        });
    }
    void press(double y, Qt::MouseButton b = Qt::LeftButton) {
        auto e = mouse(QEvent::MouseButtonPress, QPointF(9, y), QPointF(300, 300 + y), b);
        QApplication::sendEvent(&knob, e.get());
    }
    void move(double y, Qt::MouseButton b = Qt::LeftButton) {
        auto e = mouse(QEvent::MouseMove, QPointF(9, y), QPointF(300, 300 + y), b);
        QApplication::sendEvent(&knob, e.get());
    }
    void load(const KnobOps &ops, const QString &track) {
        work.dialKnob = &knob;
        work.dialDisplay = &display;
        (work.*ops.load)(track);
    }
    QImage picture(int k) const { return work.knobImages[size_t(k)].toImage(); }
    bool shows(int k) const { return image(&knob) == picture(k); }
};

struct ReverbOps {
    void (DialControl::*press)(QMouseEvent *, QString);
    void (DialControl::*rotate)(QMouseEvent *, QString);
    void (DialControl::*load)(QString);
    const char *key;
};
const ReverbOps kReverbOps[] = {{&DialControl::pressRvbPreDelayKnob,
                                 &DialControl::rotateRvbPreDelayKnob, &DialControl::loadRvbPreDelay,
                                 "RvbPreDelayPos_Room"},
                                {&DialControl::pressRvbTimeKnob, &DialControl::rotateRvbTimeKnob,
                                 &DialControl::loadRvbTime, "RvbTimePos_Room"},
                                {&DialControl::pressRvbDiffKnob, &DialControl::rotateRvbDiffKnob,
                                 &DialControl::loadRvbDiff, "RvbDiffPos_Room"}};

} // namespace

class TestControlsKnobs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fixture.start(); }
    void init() { fixture.reset(); }

    void framePictures_data();
    void framePictures();
    void dragRules();
    void anyButtonTurnsAKnob();
    void freshTrackShowsDefaults();
    void dragEveryKnob_data();
    void dragEveryKnob();
    void gainDoubleClickGuard();
    void gainLoadOutsideRange();
    void pairMirroringAndCache_data();
    void pairMirroringAndCache();
    void monoKnobWritesOnlyItsTrack();
    void knobReachesTheUnitThroughTheCache();
    void updatesAndGraphInputs();
    void lowCutSequence();
    void reverbKnobs_data();
    void reverbKnobs();
    void reverbTypesKeepTheirOwn();

    void sendPicturesAndTexts_data();
    void sendPicturesAndTexts();
    void sendDrag();
    void sendMoveBeforeAnyPressDoesNothing();
    void sendReturnAndPairAndMaster();
    void sendUpdateCopiesFourSends();
    void sendOneMoveServesBothStrips();

private:
    ControlsFixture fixture;
};

void TestControlsKnobs::framePictures_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("picture");
    QTest::newRow("10") << 10 << 0;
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("11") << 11 << 1;
    QTest::newRow("61") << 61 << 10;
    QTest::newRow("65") << 65 << 10;
    QTest::newRow("66") << 66 << 11;
    QTest::newRow("90") << 90 << 14;
    QTest::newRow("116") << 116 << 20;
    QTest::newRow("127") << 127 << 20;
}
void TestControlsKnobs::framePictures() {
    QFETCH(int, position);
    QFETCH(int, picture);
    DialControl work, knob;
    // The 21 frames are distinct pictures of 18 by 18.
    QCOMPARE(int(work.knobImages.size()), 21);
    for (size_t k = 0; k < 21; ++k) {
        QCOMPARE(work.knobImages[k].size(), QSize(18, 18));
        if (k)
            QVERIFY(work.knobImages[k].toImage() != work.knobImages[k - 1].toImage());
    }
    work.setDialEncImage(&knob, short(position));
    QCOMPARE(image(&knob), work.knobImages[size_t(picture)].toImage());
    QCOMPARE(knob.size(), QSize(18, 18));
    // Above 127 the knob keeps its picture; the size is still fixed.
    knob.setFixedSize(30, 30);
    work.setDialEncImage(&knob, 128);
    QCOMPARE(image(&knob), work.knobImages[size_t(picture)].toImage());
    QCOMPARE(knob.size(), QSize(18, 18));
}

void TestControlsKnobs::dragRules() {
    ChannelControl::selectedCh = QStringLiteral("Track7");
    const KnobOps &ops = kOps[opsIndex("high-mid freq")];
    FormKnob k(ops);
    store("Track7", ops.positionKey, 61);
    k.press(40);
    k.move(35);
    QCOMPARE(int(DialControl::iKnobValue), 66);
    k.move(37);
    QCOMPARE(int(DialControl::iKnobValue), 64);
    QCOMPARE(stored("Track7", ops.positionKey).toInt(), 64);

    store("Track7", ops.positionKey, 5);
    k.press(10);
    k.move(210);
    QCOMPARE(int(DialControl::iKnobValue), 0);
    k.move(207); // the overshoot is dropped: the first pixel up counts at once
    QCOMPARE(int(DialControl::iKnobValue), 3);

    store("Track7", ops.positionKey, 125);
    k.press(20);
    k.move(10);
    QCOMPARE(int(DialControl::iKnobValue), 127);
    k.move(11);
    QCOMPARE(int(DialControl::iKnobValue), 126);

    // Rounding of the local y, also above the knob (negative rows).
    store("Track7", ops.positionKey, 60);
    k.press(12.5); // counts as 13
    k.move(-0.5);  // counts as 0
    QCOMPARE(int(DialControl::iKnobValue), 73);
    k.move(-40.6); // counts as -41
    QCOMPARE(int(DialControl::iKnobValue), 114);
    QCOMPARE(k.display.text(), QStringLiteral("12.0k"));
    QVERIFY(k.shows(19));
    // A purely horizontal move stores the same position again.
    store("Track7", ops.positionKey, 0);
    k.move(-40.6);
    QCOMPARE(stored("Track7", ops.positionKey).toInt(), 114);
}

void TestControlsKnobs::anyButtonTurnsAKnob() {
    ChannelControl::selectedCh = QStringLiteral("Track2");
    const KnobOps &ops = kOps[opsIndex("threshold")];
    FormKnob k(ops);
    QSignalSpy pressed(&k.knob, &DialControl::dialknob_Pressed);
    k.press(50, Qt::RightButton);
    k.move(47, Qt::RightButton);
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(stored("Track2", ops.positionKey).toInt(), 127); // from the default 127, up
    k.move(57, Qt::RightButton);
    QCOMPARE(stored("Track2", ops.positionKey).toInt(), 117);
    QCOMPARE(k.display.text(), QStringLiteral("-2"));
}

void TestControlsKnobs::freshTrackShowsDefaults() {
    const QStringList expected = {"0",    "0",    "0", "0",     "80", "300", "1.2k", "5.0k",
                                  "1.00", "1.00", "0", "1.0:1", "0",  "2",   "10"};
    const int pictures[] = {10, 10, 10, 10, 2, 4, 8, 9, 7, 7, 20, 0, 0, 0, 0};
    for (int i = 0; i < int(std::size(kOps)); ++i) {
        FormKnob k(kOps[i]);
        k.load(kOps[i], QStringLiteral("Track9"));
        QCOMPARE(k.display.text(), expected[i]);
        QVERIFY2(k.shows(pictures[i]), kOps[i].name);
    }
    QCOMPARE(int(DrawEq::cLowFreq), 5);
    QCOMPARE(int(DrawEq::cHighFreq), 15);
    QCOMPARE(int(DrawEq::cLowMidFreq), 14);
    QCOMPARE(int(DrawEq::cHighMidFreq), 27);
    QCOMPARE(int(DrawEq::cLowMidQ), 2);
    QCOMPARE(int(DrawCompressor::cThreshold), 32);
    QCOMPARE(int(DrawCompressor::cRatio), 0);
    QVERIFY(storedGroups().isEmpty()); // loading stores nothing
    QVERIFY(fixture.received().isEmpty());
}

void TestControlsKnobs::dragEveryKnob_data() {
    QTest::addColumn<int>("knob");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("up"); // pixels
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("picture");
    QTest::addColumn<QString>("storedDisplay");
    const auto row = [](const char *tag, const char *knob, int start, int up, int position,
                        const char *text, int picture, const char *display) {
        QTest::newRow(tag) << opsIndex(knob) << start << up << position << QString(text) << picture
                           << QString(display);
    };
    row("gain -12", "high gain", 10, -5, 5, "-12", 0, "-12");
    row("gain -11", "low gain", 10, -4, 6, "-11", 0, "-11");
    row("gain -1", "low-mid gain", 50, 10, 60, "-1", 9, "-1");
    row("gain 12", "high-mid gain", 120, 1, 121, "12", 20, "12");
    row("low freq 32", "low freq", 5, -2, 3, "32", 0, "32");
    row("low freq 40", "low freq", 3, 1, 4, "40", 0, "40");
    row("low freq top", "low freq", 120, 10, 127, "1.6k", 20, "1.6k");
    row("high freq bottom", "high freq", 3, -10, 0, "1.7k", 0, "1.7k");
    row("high freq 5.0k", "high freq", 59, 1, 60, "5.0k", 9, "5.0k");
    row("low-mid top", "low-mid freq", 126, 1, 127, "18.0k", 20, "18.0k");
    row("Q 0.25", "low-mid Q", 18, -1, 17, "0.25", 0, "0.25");
    row("Q 0.50", "high-mid Q", 17, 1, 18, "0.50", 3, "0.50");
    row("Q 8.00", "high-mid Q", 108, -1, 107, "8.00", 17, "8.00");
    row("Q 16.00", "low-mid Q", 107, 1, 108, "16.00", 20, "16.00");
    row("threshold -22", "threshold", 39, 1, 40, "-22", 6, "-22");
    row("threshold -21", "threshold", 42, 1, 43, "-21", 7, "-21");
    row("threshold 0", "threshold", 123, 1, 124, "0", 20, "0");
    row("ratio 1.1", "ratio", 5, 1, 6, "1.1:1", 1, "1.1:1");
    row("ratio 16", "ratio", 84, -1, 83, "16.0:1", 18, "16.0:1");
    row("ratio inf", "ratio", 83, 1, 84, "inf:1", 19, "inf:1");
    row("make-up 1", "make-up gain", 5, 1, 6, "1", 0, "1");
    row("make-up 20", "make-up gain", 119, 8, 127, "20", 20, "20");
    row("attack 198", "attack", 97, 1, 98, "198", 16, "198");
    row("attack 200", "attack", 98, 1, 99, "200", 16, "200");
    row("release 990", "release", 99, -1, 98, "990", 16, "990");
    row("release 1000", "release", 50, 77, 127, "1000", 20, "1000");
}
void TestControlsKnobs::dragEveryKnob() {
    QFETCH(int, knob);
    QFETCH(int, start);
    QFETCH(int, up);
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(int, picture);
    QFETCH(QString, storedDisplay);
    const KnobOps &ops = kOps[knob];
    ChannelControl::selectedCh = QStringLiteral("Track11");
    store("Track11", ops.positionKey, start);
    ChannelControl::eqCache[10].eqOn = 1;
    ChannelControl::compCache[10].compOn = 1;
    FormKnob k(ops);
    k.press(100);
    k.move(100 - up);
    QCOMPARE(k.display.text(), text);
    QVERIFY(k.shows(picture));
    QCOMPARE(k.knob.size(), QSize(18, 18));
    QCOMPARE(stored("Track11", ops.positionKey).toInt(), position);
    QCOMPARE(stored("Track11", ops.displayKey).toString(), storedDisplay);
    // With the channel's equaliser and compressor on, the cache sends the band or the
    // compressor with the unit's code of the new position.
    QCOMPARE(fixture.received().last(),
             ops.band >= 0 ? eqEvent(ChannelControl::eqCache[10], BandType(ops.band))
                           : compEvent(ChannelControl::compCache[10]));
    // The knob's loader shows the same for the stored position.
    FormKnob again(ops);
    again.load(ops, QStringLiteral("Track11"));
    QCOMPARE(again.display.text(), text);
}

void TestControlsKnobs::gainDoubleClickGuard() {
    ChannelControl::selectedCh = QStringLiteral("Track4");
    const KnobOps &ops = kOps[opsIndex("low-mid gain")];
    FormKnob k(ops);
    QObject::connect(&k.knob, &DialControl::dialknob_DoubleClicked, [&] {
        k.work.dialKnob = &k.knob;
        k.work.dialDisplay = &k.display;
        k.work.doubleClickLowMidGainKnob();
    });
    store("Track4", ops.positionKey, 100);
    QSignalSpy pressed(&k.knob, &DialControl::dialknob_Pressed);
    // press, release, double-click, release, then moves with the button held
    k.press(30);
    auto release = mouse(QEvent::MouseButtonRelease, QPointF(9, 30), QPointF(300, 330));
    QApplication::sendEvent(&k.knob, release.get());
    auto dbl = mouse(QEvent::MouseButtonDblClick, QPointF(9, 30), QPointF(300, 330));
    QApplication::sendEvent(&k.knob, dbl.get());
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(k.display.text(), QStringLiteral("0"));
    QVERIFY(k.shows(10));
    QCOMPARE(int(DrawEq::cLowMidGain), 0);
    QCOMPARE(stored("Track4", ops.positionKey).toInt(), 63);
    QCOMPARE(stored("Track4", ops.displayKey).toInt(), 0);
    k.move(10);
    QCOMPARE(stored("Track4", ops.positionKey).toInt(), 63);
    QCOMPARE(k.display.text(), QStringLiteral("0"));
    // The next press starts from 63.
    k.press(30);
    k.move(20);
    QCOMPARE(stored("Track4", ops.positionKey).toInt(), 73);
    QCOMPARE(k.display.text(), QStringLiteral("2"));
    QCOMPARE(int(DrawEq::cLowMidGain), 2);
    // Frequency knobs have no guard: a double-click does nothing to them.
    const KnobOps &freq = kOps[opsIndex("low-mid freq")];
    FormKnob f(freq);
    DialControl::throughDoubleClick = false;
    f.press(30);
    f.move(20);
    QCOMPARE(stored("Track4", freq.positionKey).toInt(), 38);
}

void TestControlsKnobs::gainLoadOutsideRange() {
    const KnobOps &ops = kOps[opsIndex("high gain")];
    store("Track1", ops.positionKey, 200);
    FormKnob k(ops);
    k.load(kOps[opsIndex("high-mid gain")], QStringLiteral("Track1")); // position 61: picture 10
    k.load(ops, QStringLiteral("Track1"));
    QCOMPARE(k.display.text(), QStringLiteral("0"));
    QVERIFY(k.shows(10));
    QCOMPARE(int(DrawEq::cHighGain), 0);
}

void TestControlsKnobs::pairMirroringAndCache_data() {
    QTest::addColumn<int>("knob");
    QTest::addColumn<QString>("pair");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("display");
    QTest::newRow("high gain") << opsIndex("high gain") << "Track3_4" << 61 << 4 << 65 << "0";
    QTest::newRow("low-mid freq") << opsIndex("low-mid freq") << "Track3_4" << 28 << 4 << 32
                                  << "400";
    QTest::newRow("attack") << opsIndex("attack") << "Track5_6" << 0 << 10 << 10 << "22";
    QTest::newRow("high-mid Q") << opsIndex("high-mid Q") << "Track19_20" << 36 << 20 << 56
                                << "2.00";
}
void TestControlsKnobs::pairMirroringAndCache() {
    QFETCH(int, knob);
    QFETCH(QString, pair);
    QFETCH(int, start);
    QFETCH(int, up);
    QFETCH(int, position);
    QFETCH(QString, display);
    const KnobOps &ops = kOps[knob];
    ChannelControl::selectedCh = pair;
    store(pair, ops.positionKey, start);
    const QString odd = ChannelControl::exChangeToMonoOdd(pair);
    const QString even = ChannelControl::exChangeToMonoEven(pair);
    const int index = ChannelControl::exChangeToChParam(pair) - 1;
    FormKnob k(ops);
    k.press(50);
    k.move(50 - up);
    for (const QString &track : {pair, odd, even}) {
        QCOMPARE(stored(track, ops.positionKey).toInt(), position);
        QCOMPARE(stored(track, ops.displayKey).toString(), display);
    }
    // The cache record of the odd track took the position (the link is not set).
    const unsigned char *eq = &ChannelControl::eqCache[index].lowGain;
    const unsigned char *comp = &ChannelControl::compCache[index].threshold;
    bool found = false;
    for (int i = 0; i < 10; ++i)
        found = found || eq[i] == position;
    for (int i = 0; i < 5; ++i)
        found = found || comp[i] == position;
    QVERIFY(found);
    QCOMPARE(int(knob < 10 ? ChannelControl::eqCache[index].channel
                           : ChannelControl::compCache[index].channel),
             index + 1);
    QCOMPARE(int(ChannelControl::eqCache[index + 1].channel), 0);
}

void TestControlsKnobs::monoKnobWritesOnlyItsTrack() {
    const KnobOps &ops = kOps[opsIndex("low-mid freq")];
    ChannelControl::selectedCh = QStringLiteral("Track7");
    FormKnob k(ops);
    k.press(0);
    k.move(-2);
    QCOMPARE(storedGroups(), QStringList({"Track7"}));
    QCOMPARE(int(ChannelControl::eqCache[6].lowMidFreq), 30);
    QCOMPARE(int(ChannelControl::eqCache[6].channel), 7);
}

void TestControlsKnobs::knobReachesTheUnitThroughTheCache() {
    ChannelControl::eqCache[2].eqOn = 1;
    ChannelControl::compCache[2].compOn = 1;
    ChannelControl::selectedCh = QStringLiteral("Track3_4");
    FormKnob gain(kOps[opsIndex("high gain")]);
    gain.press(50);
    gain.move(46);
    FormKnob ratio(kOps[opsIndex("ratio")]);
    ratio.press(50);
    ratio.move(20);
    const QStringList got = fixture.received();
    QCOMPARE(got.size(), 2);
    QCOMPARE(got[0], QStringLiteral("eq 3 b4 on1 g%1 f%2 q255")
                         .arg(DataManager::exchangeEqGain(65))
                         .arg(DataManager::exchangeEqHighFreq(0)));
    QVERIFY(got[1].startsWith(QStringLiteral("comp 3 on1 t%1 r%2 ")
                                  .arg(DataManager::exchangeCompThreshold(0))
                                  .arg(DataManager::exchangeCompRatio(30))));
}

void TestControlsKnobs::updatesAndGraphInputs() {
    DialControl work;
    store("Track1", "EqLowMidFreqPos", 127);
    store("Track1", "EqHighMidQFreqPos", 127);
    store("Track1", "EqLowFreqPos", 127);
    store("Track1", "EqHighFreqPos", 60);
    store("Track1", "CompRatioPos", 84);
    store("Track1", "CompThresholdPos", 0);
    store("Track1", "EqHighGainPos", 127);
    work.updateEqLowMidFreq(QStringLiteral("Track1"), QStringLiteral("Track2"));
    work.updateEqHighMidQ(QStringLiteral("Track1"), QStringLiteral("Track2"));
    QCOMPARE(int(DrawEq::cLowMidFreq), 0);
    QCOMPARE(int(DrawEq::cHighMidQ), 0);
    work.updateEqLowFreq(QStringLiteral("Track1"), QStringLiteral("Track2"));
    work.updateEqHighFreq(QStringLiteral("Track1"), QStringLiteral("Track2"));
    work.updateCompRatio(QStringLiteral("Track1"), QStringLiteral("Track2"));
    work.updateCompThreshold(QStringLiteral("Track1"), QStringLiteral("Track2"));
    work.updateEqHighGain(QStringLiteral("Track1"), QStringLiteral("Track2"));
    QCOMPARE(int(DrawEq::cLowFreq), 31);
    QCOMPARE(int(DrawEq::cHighFreq), 15);
    QCOMPARE(int(DrawCompressor::cRatio), 14);
    QCOMPARE(int(DrawCompressor::cThreshold), 0);
    QCOMPARE(int(DrawEq::cHighGain), 12);
    QCOMPARE(stored("Track2", "EqLowMidFreqText").toString(), QStringLiteral("18.0k"));
    QCOMPARE(stored("Track2", "EqHighMidQFreqText").toString(), QStringLiteral("16.00"));
    QCOMPARE(stored("Track2", "CompRatioText").toString(), QStringLiteral("inf:1"));
    QCOMPARE(stored("Track2", "EqHighGainValue").toInt(), 12);
    QVERIFY(fixture.received().isEmpty());
    // The value labels of the mid knobs move the graph inputs.
    QLabel label;
    DialControl::setMidFreqEncValue(&label, 127, 2);
    DialControl::setQEncValue(&label, 127, 3);
    QCOMPARE(int(DrawEq::cLowMidFreq), 63);
    QCOMPARE(int(DrawEq::cHighMidQ), 6);
    QCOMPARE(DialControl::calMidFreqExchangeValue(0, 1), QStringLiteral("32"));
    QCOMPARE(int(DrawEq::cHighMidFreq), 0);
}

void TestControlsKnobs::lowCutSequence() {
    ChannelControl::selectedCh = QStringLiteral("Track1_2");
    store("Track1_2", "EqLowGainPos", 90);
    store("Track1_2", "EqLowFreqPos", 44);
    QWidget form;
    DialControl gainKnob(&form), freqKnob(&form);
    QLabel gainText(&form), freqText(&form);
    DialControl work;
    for (bool on : {true, false}) {
        work.setLowCutFilterStatus(on);
        QCOMPARE(DrawEq::bLowCutFilter, on);
        work.dialKnob = &gainKnob;
        work.dialDisplay = &gainText;
        work.setLowCutFilterGain();
        work.dialKnob = &freqKnob;
        work.dialDisplay = &freqText;
        work.setLowCutFilterFreq();
        QCOMPARE(gainText.text(), QStringLiteral("-12"));
        QCOMPARE(image(&gainKnob), work.knobImages[0].toImage());
        QCOMPARE(int(DrawEq::cLowGain), -12);
        QCOMPARE(stored("Track1_2", "EqLowGainPos").toInt(), 0);
        QCOMPARE(stored("Track1_2", "EqLowGainValue").toInt(), -12);
        QCOMPARE(freqText.text(), QStringLiteral("200"));
        QCOMPARE(int(DrawEq::cLowFreq), 11);
    }
    QCOMPARE(storedGroups(), QStringList({"Track1_2"})); // the mono tracks are not touched
    QVERIFY(fixture.received().isEmpty());
}

void TestControlsKnobs::reverbKnobs_data() {
    QTest::addColumn<int>("knob"); // 0 pre-delay, 1 time, 2 diffusion
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("picture");
    QTest::addColumn<int>("graph"); // pre-delay or time graph input, -1 none
    QTest::newRow("time 0.1") << 1 << 2 << 1 << 3 << "0.3" << 0 << 6;
    QTest::newRow("time stops at 1") << 1 << 5 << -20 << 1 << "0.1" << 0 << 2;
    QTest::newRow("time 2.7") << 1 << 26 << 1 << 27 << "2.7" << 4 << 54;
    QTest::newRow("time 10.0") << 1 << 95 << 30 << 100 << "10.0" << 17 << 200;
    QTest::newRow("pre-delay 250") << 0 << 240 << 40 << 250 << "250" << 20 << 25;
    QTest::newRow("pre-delay 249") << 0 << 248 << 1 << 249 << "249" << 20 << 24;
    QTest::newRow("pre-delay 9") << 0 << 10 << -1 << 9 << "9" << 1 << 0;
    QTest::newRow("pre-delay 0") << 0 << 3 << -9 << 0 << "0" << 0 << 0;
    QTest::newRow("diffusion 100") << 2 << 90 << 30 << 100 << "100" << 20 << -1;
    QTest::newRow("diffusion 99") << 2 << 100 << -1 << 99 << "99" << 19 << -1;
    QTest::newRow("diffusion 0") << 2 << 1 << -5 << 0 << "0" << 0 << -1;
}
void TestControlsKnobs::reverbKnobs() {
    QFETCH(int, knob);
    QFETCH(int, start);
    QFETCH(int, up);
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(int, picture);
    QFETCH(int, graph);
    const ReverbOps &ops = kReverbOps[knob];
    store("Reverb", ops.key, start);
    const QString type = QStringLiteral("ROOM");
    QWidget form;
    DialControl knobWidget(&form);
    QLabel display(&form);
    DialControl work;
    work.dialKnob = &knobWidget;
    work.dialDisplay = &display;
    auto p = pressAt(60);
    auto m = moveTo(60 - up);
    (work.*ops.press)(p.get(), type);
    (work.*ops.rotate)(m.get(), type);
    QCOMPARE(display.text(), text);
    QCOMPARE(image(&knobWidget), work.knobImages[size_t(picture)].toImage());
    QCOMPARE(stored("Reverb", ops.key).toInt(), position);
    if (knob == 0)
        QCOMPARE(int(DrawReverb::cPreDelay), graph);
    if (knob == 1) {
        QCOMPARE(int(DrawReverb::cReverbTime), graph);
        QCOMPARE(stored("Reverb", "RvbTimeValue_Room").toString(), text);
    }
    // The reverb is on by default: the unit gets the type with all three positions.
    fixture.settle();
    const EmulatedUnit::State s = fixture.unit().state();
    QCOMPARE(int(s.reverbType), 2);
    const int sent[] = {s.reverbPreDelay, s.reverbTime, s.reverbDiffusion};
    QCOMPARE(sent[knob], position);
    // Loading draws the same without storing.
    QLabel again;
    work.dialDisplay = &again;
    (work.*ops.load)(type);
    QCOMPARE(again.text(), text);
}

void TestControlsKnobs::reverbTypesKeepTheirOwn() {
    DialControl work;
    QLabel display;
    DialControl knob;
    work.dialKnob = &knob;
    work.dialDisplay = &display;
    auto p = pressAt(10);
    auto m = moveTo(0);
    work.pressRvbTimeKnob(p.get(), QStringLiteral("HALL"));
    work.rotateRvbTimeKnob(m.get(), QStringLiteral("HALL"));
    QCOMPARE(display.text(), QStringLiteral("3.7"));
    work.loadRvbTime(QStringLiteral("ROOM"));
    QCOMPARE(display.text(), QStringLiteral("1.4"));
    QCOMPARE(int(DrawReverb::cReverbTime), 28);
    work.loadRvbPreDelay(QStringLiteral("STUDIO"));
    QCOMPARE(display.text(), QStringLiteral("60"));
    QCOMPARE(int(DrawReverb::cPreDelay), 6);
    QVERIFY(!stored("Reverb", "RvbTimePos_Room").isValid());
    // The knobs never touch the equaliser gains' guard.
    DialControl::throughDoubleClick = true;
    work.pressRvbDiffKnob(p.get(), QStringLiteral("LIVE"));
    QVERIFY(DialControl::throughDoubleClick);
}

void TestControlsKnobs::sendPicturesAndTexts_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("picture");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << 0 << "-inf.";
    QTest::newRow("4") << 4 << 0 << "-91dB";
    QTest::newRow("5") << 5 << 1 << "-89dB";
    QTest::newRow("101") << 101 << 16 << "  0dB";
    QTest::newRow("104") << 104 << 16 << "  0dB";
    QTest::newRow("122") << 122 << 19 << "  5dB";
    QTest::newRow("123") << 123 << 20 << "  5dB";
    QTest::newRow("127") << 127 << 20 << "  6dB";
    QTest::newRow("stored 200 as 127") << 200 << 20 << "  6dB";
}
void TestControlsKnobs::sendPicturesAndTexts() {
    QFETCH(int, position);
    QFETCH(int, picture);
    QFETCH(QString, text);
    store("Track3", "Send2_Level", position);
    QWidget form;
    DialControlSend knob(&form);
    QLabel display(&form);
    DialControlSend work;
    QCOMPARE(int(work.knobImages.size()), 21);
    QCOMPARE(work.knobImages[0].size(), QSize(26, 26));
    work.sendKnob = &knob;
    work.sendDisplay = &display;
    work.loadSendKnob(QStringLiteral("Track3"), QStringLiteral("Send2"));
    QCOMPARE(image(&knob), work.knobImages[size_t(picture)].toImage());
    QCOMPARE(knob.size(), QSize(26, 26));
    QCOMPARE(display.text(), text);
    QVERIFY(fixture.received().isEmpty());
}

void TestControlsKnobs::sendDrag() {
    store("Track3", "Send1_Level", 100);
    QWidget form;
    DialControlSend knob(&form);
    QLabel display(&form);
    DialControlSend work;
    // Wired as the window does: every send knob's signals drive the working instance.
    connect(&knob, &DialControlSend::sendDialKnob_Pressed, [&](QMouseEvent *e) {
        work.pressSendKnob(e, QStringLiteral("Track3"), QStringLiteral("Send1"));
    });
    connect(&knob, &DialControlSend::sendDialKnob_Moved, [&](QMouseEvent *e) {
        work.sendKnob = &knob;
        work.sendDisplay = &display;
        work.rotateSendKnob(e, QStringLiteral("Track3"), QStringLiteral("Send1"));
    });
    QSignalSpy released(&knob, &DialControlSend::sendDialKnob_Released);
    auto send = [&](QEvent::Type t, double y) {
        auto e = mouse(t, QPointF(13, y), QPointF(0, y));
        QApplication::sendEvent(&knob, e.get());
    };
    send(QEvent::MouseButtonPress, 250);
    send(QEvent::MouseMove, 50);
    QCOMPARE(display.text(), QStringLiteral("  6dB"));
    QCOMPARE(stored("Track3", "Send1_Level").toInt(), 127);
    QCOMPARE(stored("Track3", "Send1_Value").toString(), QStringLiteral("  6dB"));
    send(QEvent::MouseMove, 400); // below 0
    QCOMPARE(display.text(), QStringLiteral("-inf."));
    QCOMPARE(image(&knob), work.knobImages[0].toImage());
    send(QEvent::MouseMove, 398.5); // rounds to 399: one up
    QCOMPARE(display.text(), QStringLiteral("-98dB"));
    QCOMPARE(stored("Track3", "Send1_Level").toInt(), 1);
    send(QEvent::MouseButtonRelease, 398);
    QCOMPARE(released.count(), 1);
    const QStringList sends = fixture.received().filter("send");
    QCOMPARE(sends.first(), QStringLiteral("send 4:3>5:1 p1 l6"));
    QCOMPARE(sends.last(), QStringLiteral("send 4:3>5:1 p1 l-98"));
}

void TestControlsKnobs::sendMoveBeforeAnyPressDoesNothing() {
    DialControlSend work, knob;
    QLabel display;
    work.sendKnob = &knob;
    work.sendDisplay = &display;
    auto m = moveTo(-20);
    work.rotateSendKnob(m.get(), QStringLiteral("Track1"), QStringLiteral("Send1"));
    QVERIFY(display.text().isEmpty());
    QVERIFY(storedGroups().isEmpty());
    QVERIFY(fixture.received().isEmpty());
}

void TestControlsKnobs::sendReturnAndPairAndMaster() {
    DialControlSend work, knob;
    QLabel display;
    work.sendKnob = &knob;
    work.sendDisplay = &display;
    store("TrackMaster", "Return_Level", 90);
    auto p = pressAt(50);
    auto m = moveTo(45);
    work.pressSendKnob(p.get(), QStringLiteral("Track9"), QStringLiteral("Return"));
    QCOMPARE(int(DialControlSend::iKnobValueSend), 90);
    work.rotateSendKnob(m.get(), QStringLiteral("TrackMaster"), QStringLiteral("Return"));
    QCOMPARE(stored("TrackMaster", "Return_Level").toInt(), 95);
    QCOMPARE(display.text(), QStringLiteral(" -3dB"));
    fixture.settle();
    QCOMPARE(fixture.unit().state().returnLevel, -3);

    // A stereo strip's knob shows the level and stores nothing.
    fixture.clearLog();
    work.pressSendKnob(p.get(), QStringLiteral("Track1_2"), QStringLiteral("Send3"));
    work.rotateSendKnob(m.get(), QStringLiteral("Track1_2"), QStringLiteral("Send3"));
    QCOMPARE(display.text(), QStringLiteral("-89dB"));
    QVERIFY(!stored("Track1_2", "Send3_Level").isValid());
    QVERIFY(fixture.received().isEmpty());

    // Fresh master sends start at 0 dB, channel sends at minus infinity.
    work.loadSendKnob(QStringLiteral("TrackMaster"), QStringLiteral("Send4"));
    QCOMPARE(display.text(), QStringLiteral("  0dB"));
    work.loadSendKnob(QStringLiteral("Track8"), QStringLiteral("Send4"));
    QCOMPARE(display.text(), QStringLiteral("-inf."));
    work.pressSendKnob(p.get(), QStringLiteral("TrackMaster"), QStringLiteral("Send4"));
    QCOMPARE(int(DialControlSend::iKnobValueSend), 102);
}

void TestControlsKnobs::sendUpdateCopiesFourSends() {
    for (int i = 1; i <= 4; ++i) {
        store("Track5", QStringLiteral("Send%1_Level").arg(i), 100 + i);
        store("Track5", QStringLiteral("Send%1_Value").arg(i), QStringLiteral("  0dB"));
    }
    store("TrackMaster", "Return_Level", 11);
    DialControlSend work;
    work.updateSendKnob(QStringLiteral("Track5"), QStringLiteral("Track6"));
    for (int i = 1; i <= 4; ++i) {
        QCOMPARE(stored("Track6", QStringLiteral("Send%1_Level").arg(i)).toInt(), 100 + i);
        QCOMPARE(stored("Track6", QStringLiteral("Send%1_Value").arg(i)).toString(),
                 QStringLiteral("  0dB"));
    }
    QVERIFY(!stored("Track6", "Send1_Point").isValid());
    QCOMPARE(fixture.received().filter("send").size(), 4);
    QVERIFY(fixture.received().filter("send").first().startsWith("send 4:6>5:1"));
}

// The window turns a mono knob and its counterpart on the linked stereo strip with one
// move: the first call consumes the movement, the second shows the same position.
void TestControlsKnobs::sendOneMoveServesBothStrips() {
    store("Track1", "Send2_Level", 60);
    QWidget form;
    DialControlSend mono(&form), stereo(&form);
    QLabel monoText(&form), stereoText(&form);
    DialControlSend work;
    auto p = pressAt(30);
    auto m = moveTo(20);
    work.pressSendKnob(p.get(), QStringLiteral("Track1"), QStringLiteral("Send2"));
    work.sendKnob = &mono;
    work.sendDisplay = &monoText;
    work.rotateSendKnob(m.get(), QStringLiteral("Track1"), QStringLiteral("Send2"));
    work.sendKnob = &stereo;
    work.sendDisplay = &stereoText;
    work.rotateSendKnob(m.get(), QStringLiteral("Track1_2"), QStringLiteral("Send2"));
    QCOMPARE(monoText.text(), QStringLiteral("-15dB"));
    QCOMPARE(stereoText.text(), QStringLiteral("-15dB"));
    QCOMPARE(image(&stereo), image(&mono));
    QCOMPARE(stored("Track1", "Send2_Level").toInt(), 70);
    QCOMPARE(fixture.received().filter("send"), QStringList({"send 4:1>5:2 p1 l-15"}));
}

QTEST_MAIN(TestControlsKnobs)
#include "tst_controls_knobs.moc"
