// Channel strips: selection moving between strips with its pictures and signals, the name
// maps, the strip buttons, the pan drag, the equaliser and compressor caches with stereo
// link mirroring on both channels of a pair, the EQ, compressor and low-cut buttons, the
// send points and the label fader path; checked against the unit's log, the settings file
// and the widgets.
#include "ControlsFixture.h"

#include <QPushButton>

using namespace ctltest;

namespace {

EqParameter eqRecord(int channel, int base, bool on) {
    EqParameter r{};
    r.eqOn = on;
    r.channel = (unsigned char)channel;
    unsigned char *knobs = &r.lowGain;
    for (int i = 0; i < 10; ++i)
        knobs[i] = (unsigned char)(base + 3 * i);
    return r;
}

CompParameter compRecord(int channel, int base, bool on) {
    return CompParameter{(unsigned char)on,         0,
                         (unsigned char)channel,    (unsigned char)base,
                         (unsigned char)(base + 6), (unsigned char)(base + 12),
                         (unsigned char)(base + 2), (unsigned char)(base + 4)};
}

bool sameEq(const EqParameter &a, const EqParameter &b) {
    return !memcmp(&a, &b, sizeof a);
}

// Strip backgrounds and select buttons of a few strips, as the form holds them.
struct Strips {
    QWidget form;
    ChannelControl track1{&form}, track2{&form}, pair1_2{&form};
    QPushButton select1{&form}, select2{&form}, select1_2{&form};
    Strips() {
        for (QPushButton *b : {&select1, &select2, &select1_2})
            b->setCheckable(true);
    }
    // As the window loads the previous selection from the selected name.
    void loadPrevious(ChannelControl &work) {
        const QString s = ChannelControl::selectedCh;
        if (s == QLatin1String("none")) {
            work.prevStripLabel = nullptr;
            work.prevSelectButton = nullptr;
        } else if (s == QLatin1String("Track1")) {
            work.prevStripLabel = &track1;
            work.prevSelectButton = &select1;
        } else if (s == QLatin1String("Track2")) {
            work.prevStripLabel = &track2;
            work.prevSelectButton = &select2;
        } else if (s == QLatin1String("Track1_2")) {
            work.prevStripLabel = &pair1_2;
            work.prevSelectButton = &select1_2;
        }
    }
    void clickMono(ChannelControl &work, const QString &track, ChannelControl &strip,
                   QPushButton &button) {
        button.setChecked(!button.isChecked());
        work.trackCh = track;
        work.stripLabel = &strip;
        loadPrevious(work);
        work.clicked_channel(button.isChecked());
    }
    void clickPair(ChannelControl &work) {
        select1_2.setChecked(!select1_2.isChecked());
        work.stereoCh = QStringLiteral("Track1_2");
        work.stripLabel = &pair1_2;
        loadPrevious(work);
        work.clicked_channel_st(select1_2.isChecked());
    }
};

QImage picture(const char *name) {
    return QImage(QStringLiteral(":Resource/track/") + QLatin1String(name));
}

} // namespace

class TestControlsStrips : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fixture.start(); }
    void init() { fixture.reset(); }

    void selectionMovesBetweenStrips();
    void uncheckingTheSelectedStripClearsIt();
    void firstSelectionTouchesNoPreviousStrip();
    void initSelectedChannelUsesTheKindOfTheSelection();
    void nameMaps_data();
    void nameMaps();
    void selectedChannelQueries();

    void phaseSoloMute();
    void panDrag_data();
    void panDrag();
    void panDoubleClickOnStereoRight();

    void eqOnSendsCachedBands();
    void eqOnLinkedPairSendsBothRecords();
    void knobWithEqOffSendsLater();
    void linkMirroringOnBothChannels_data();
    void linkMirroringOnBothChannels();
    void compressorMirroring();
    void linkingCopiesWithoutSending();
    void lowCutButton();
    void namesWithoutRecordStoreOnly();
    void wholeRecordLoadersKeepFlagsAsBits();
    void sendPoints_data();
    void sendPoints();
    void labelFader();

private:
    ControlsFixture fixture;
};

void TestControlsStrips::selectionMovesBetweenStrips() {
    Strips s;
    ChannelControl work;
    QStringList signalsSeen;
    connect(&work, &ChannelControl::signal_setLowCutFilterEnable, [&] { signalsSeen << "enable"; });
    connect(&work, &ChannelControl::signal_setLowCutFilterDisable,
            [&] { signalsSeen << "disable"; });
    connect(&work, &ChannelControl::signal_doCompressorRepaint, [&] { signalsSeen << "comp"; });

    s.clickPair(work);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track1_2"));
    QVERIFY(work.stereoSelected);
    QCOMPARE(image(&s.pair1_2),
             picture("TrackLink_1.png").convertToFormat(image(&s.pair1_2).format()));
    QCOMPARE(signalsSeen, QStringList({"disable", "enable"}));

    signalsSeen.clear();
    s.clickMono(work, QStringLiteral("Track2"), s.track2, s.select2);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track2"));
    QVERIFY(!work.stereoSelected);
    QVERIFY(!s.select1_2.isChecked());
    QVERIFY(s.select2.isChecked());
    QCOMPARE(image(&s.pair1_2),
             picture("TrackLink_0.png").convertToFormat(image(&s.pair1_2).format()));
    QCOMPARE(image(&s.track2),
             picture("Tarvik_track_1.png").convertToFormat(image(&s.track2).format()));
    QCOMPARE(signalsSeen, QStringList({"disable", "enable", "comp"}));
    // Only the strip just clicked stores its flag.
    QCOMPARE(stored("Track2", "Select").toBool(), true);
    QCOMPARE(stored("Track1_2", "Select").toBool(), true);

    s.clickMono(work, QStringLiteral("Track1"), s.track1, s.select1);
    QCOMPARE(image(&s.track2),
             picture("Tarvik_track_0.png").convertToFormat(image(&s.track2).format()));
    QCOMPARE(image(&s.track1),
             picture("Tarvik_track_1.png").convertToFormat(image(&s.track1).format()));
    QVERIFY(!s.select2.isChecked());
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("Track1"));
    QVERIFY(fixture.received().isEmpty());
}

void TestControlsStrips::uncheckingTheSelectedStripClearsIt() {
    Strips s;
    ChannelControl work;
    QPushButton lowCut;
    connect(&work, &ChannelControl::signal_setLowCutFilterEnable,
            [&] { lowCut.setCheckable(true); });
    connect(&work, &ChannelControl::signal_setLowCutFilterDisable, [&] {
        lowCut.setChecked(false);
        lowCut.setCheckable(false);
    });
    s.clickMono(work, QStringLiteral("Track2"), s.track2, s.select2);
    lowCut.setChecked(true);
    s.clickMono(work, QStringLiteral("Track2"), s.track2, s.select2);
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("none"));
    QVERIFY(!lowCut.isChecked());
    QVERIFY(!lowCut.isCheckable());
    QCOMPARE(stored("Track2", "Select").toBool(), false);
    QCOMPARE(image(&s.track2),
             picture("Tarvik_track_0.png").convertToFormat(image(&s.track2).format()));
}

void TestControlsStrips::firstSelectionTouchesNoPreviousStrip() {
    Strips s;
    ChannelControl work;
    QSignalSpy disable(&work, &ChannelControl::signal_setLowCutFilterDisable);
    QSignalSpy enable(&work, &ChannelControl::signal_setLowCutFilterEnable);
    s.clickMono(work, QStringLiteral("Track1"), s.track1, s.select1);
    QCOMPARE(disable.count(), 1);
    QCOMPARE(enable.count(), 1);
    QVERIFY(image(&s.track2).isNull());
    QVERIFY(image(&s.pair1_2).isNull());
}

void TestControlsStrips::initSelectedChannelUsesTheKindOfTheSelection() {
    Strips s;
    ChannelControl work;
    s.clickPair(work);
    s.loadPrevious(work);
    work.initSelectedChannel();
    QCOMPARE(ChannelControl::selectedCh, QStringLiteral("none"));
    QVERIFY(!s.select1_2.isChecked());
    QCOMPARE(image(&s.pair1_2),
             picture("TrackLink_0.png").convertToFormat(image(&s.pair1_2).format()));
}

void TestControlsStrips::nameMaps_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("odd");
    QTest::addColumn<QString>("even");
    QTest::newRow("Track1") << "Track1" << 0 << 1 << "NotStereo"
                            << "NotStereo";
    QTest::newRow("Track20") << "Track20" << 19 << 20 << "NotStereo"
                             << "NotStereo";
    QTest::newRow("Track1_2") << "Track1_2" << 0 << 1 << "Track1"
                              << "Track2";
    QTest::newRow("Track5_6") << "Track5_6" << 4 << 5 << "Track5"
                              << "Track6";
    QTest::newRow("Track19_20") << "Track19_20" << 18 << 19 << "Track19"
                                << "Track20";
    QTest::newRow("TrackMaster") << "TrackMaster" << 255 << 21 << "NotStereo"
                                 << "NotStereo";
    QTest::newRow("Reverb") << "Reverb" << 255 << 22 << "NotStereo"
                            << "NotStereo";
    QTest::newRow("Send1") << "Send1" << 255 << 255 << "NotStereo"
                           << "NotStereo";
    QTest::newRow("track1 case") << "track1" << 255 << 255 << "NotStereo"
                                 << "NotStereo";
    QTest::newRow("Track21_22") << "Track21_22" << 255 << 255 << "NotStereo"
                                << "NotStereo";
}
void TestControlsStrips::nameMaps() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(int, channel);
    QFETCH(QString, odd);
    QFETCH(QString, even);
    unsigned char i = 7;
    ChannelControl::exchangeChannel(name, i);
    QCOMPARE(int(i), index);
    QCOMPARE(int(ChannelControl::exChangeToChParam(name)), channel);
    QCOMPARE(ChannelControl::exChangeToMonoOdd(name), odd);
    QCOMPARE(ChannelControl::exChangeToMonoEven(name), even);
}

void TestControlsStrips::selectedChannelQueries() {
    QVERIFY(!ChannelControl::queryIsSelectedChEqOn());
    ChannelControl::eqCache[4].eqOn = 1;
    ChannelControl::compCache[5].compOn = 1;
    ChannelControl::selectedCh = QStringLiteral("Track5_6");
    QVERIFY(ChannelControl::queryIsSelectedChEqOn());
    QVERIFY(!ChannelControl::queryIsSelectedChCompOn());
    ChannelControl::selectedCh = QStringLiteral("Track6");
    QVERIFY(!ChannelControl::queryIsSelectedChEqOn());
    QVERIFY(ChannelControl::queryIsSelectedChCompOn());
    ChannelControl::selectedCh = QStringLiteral("TrackMaster");
    QVERIFY(!ChannelControl::queryIsSelectedChEqOn());
}

void TestControlsStrips::phaseSoloMute() {
    ChannelControl work;
    work.trackCh = QStringLiteral("Track2");
    work.stereoCh = QStringLiteral("Track1_2_R");
    work.trackType = kTrackEven;
    work.clicked_phase(true);
    work.clicked_solo(true);
    work.clicked_mute(true);
    work.trackType = kTrackMaster;
    work.stereoCh = QStringLiteral("TrackMaster");
    work.clicked_mute(true);
    QCOMPARE(stored("Track2", "Phase").toBool(), true);
    QCOMPARE(stored("Track1_2_R", "Phase").toBool(), true);
    QCOMPARE(stored("Track2", "Solo").toBool(), true);
    QCOMPARE(stored("Track2", "Mute").toBool(), true);
    QCOMPARE(stored("TrackMaster", "Mute").toBool(), true);
    const QStringList got = fixture.received();
    QCOMPARE(got.filter("phase"), QStringList({"phase 4:2 1"}));
    QVERIFY(got.contains("mute 4:2 1"));
    QVERIFY(got.contains("mute 2:1 1"));
}

void TestControlsStrips::panDrag_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("start");
    QTest::addColumn<double>("pressX");
    QTest::addColumn<QList<double>>("moves");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("centrePicture");
    QTest::newRow("fast left stops short of 0")
        << 0 << 3 << 100.0 << QList<double>{95} << 3 << "L17" << false;
    QTest::newRow("then counts from the new x")
        << 0 << 3 << 100.0 << QList<double>{95, 93} << 1 << "L19" << false;
    QTest::newRow("right clamps at 40")
        << 0 << 38 << 100.0 << QList<double>{110} << 40 << "R20" << false;
    QTest::newRow("even left raised to 59")
        << 1 << 60 << 100.0 << QList<double>{90} << 59 << "L20" << false;
    QTest::newRow("even right clamps at 99")
        << 1 << 95 << 100.0 << QList<double>{130} << 99 << "R20" << false;
    QTest::newRow("even centre") << 1 << 79 << 100.0 << QList<double>{100} << 79 << "C" << true;
    QTest::newRow("even R1") << 1 << 79 << 100.0 << QList<double>{101} << 80 << "R1" << false;
    QTest::newRow("halves round up")
        << 0 << 20 << 100.0 << QList<double>{101.5} << 22 << "R2" << false;
    QTest::newRow("screen left of the primary")
        << 0 << 20 << -500.0 << QList<double>{-497, -499} << 21 << "R1" << false;
    QTest::newRow("crossing x 0") << 0 << 20 << -2.0 << QList<double>{3} << 25 << "R5" << false;
}
void TestControlsStrips::panDrag() {
    QFETCH(int, kind);
    QFETCH(int, start);
    QFETCH(double, pressX);
    QFETCH(QList<double>, moves);
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(bool, centrePicture);
    const QString track = kind == 0 ? QStringLiteral("Track1") : QStringLiteral("Track2");
    store(track, "Pan_pos", start);
    QWidget form;
    PanControl mono(&form), stereo(&form);
    QLabel monoText(&form), stereoText(&form);
    ChannelControl work;
    // The form's indicator signals drive the working instance, as the window wires them.
    connect(&mono, &PanControl::panknob_Pressed, [&](QMouseEvent *e) {
        work.trackType = kTrackType(kind);
        work.trackCh = track;
        work.panKnob_Pressed(e);
    });
    connect(&mono, &PanControl::panknob_Moved, [&](QMouseEvent *e) {
        work.trackType = kTrackType(kind);
        work.panKnob = &mono;
        work.panKnobSt = &stereo;
        work.panDisplay = &monoText;
        work.panDisplaySt = &stereoText;
        work.panKnob_Moved(e);
    });
    auto press = mouse(QEvent::MouseButtonPress, QPointF(4, 4), QPointF(pressX, 300));
    QApplication::sendEvent(&mono, press.get());
    for (double x : moves) {
        auto move = mouse(QEvent::MouseMove, QPointF(4, 4), QPointF(x, 300));
        QApplication::sendEvent(&mono, move.get());
    }
    QCOMPARE(mono.geometry(), QRect(position, 336, 16, 12));
    QCOMPARE(stereo.geometry(), QRect(position, 336, 16, 12));
    QCOMPARE(monoText.text(), text);
    QCOMPARE(stereoText.text(), text);
    const QImage expected = picture(centrePicture ? "PAN.png" : "PAN_c.png");
    QCOMPARE(image(&mono), expected.convertToFormat(image(&mono).format()));
    QCOMPARE(image(&stereo), expected.convertToFormat(image(&stereo).format()));
    QCOMPARE(stored(track, "Pan_pos").toInt(), position);
    QCOMPARE(stored(track, "Pan_value").toString(), text);
    const int unitPan = DataManager::exchangePanLabelToNum(text);
    QCOMPARE(fixture.received().filter("pan").last(),
             QStringLiteral("pan 4:%1 %2").arg(kind + 1).arg(unitPan));
}

void TestControlsStrips::panDoubleClickOnStereoRight() {
    store("Track2", "Pan_pos", 90);
    QWidget form;
    PanControl stereoRight(&form), mono2(&form);
    QLabel t1(&form), t2(&form);
    ChannelControl work;
    connect(&stereoRight, &PanControl::panknob_DoubleClicked, [&] {
        work.trackType = kTrackEven;
        work.trackCh = QStringLiteral("Track2");
        work.panKnob = &mono2;
        work.panKnobSt = &stereoRight;
        work.panDisplay = &t1;
        work.panDisplaySt = &t2;
        work.panKnob_DoubleClicked();
    });
    QSignalSpy pressed(&stereoRight, &PanControl::panknob_Pressed);
    auto dbl = mouse(QEvent::MouseButtonDblClick, QPointF(3, 3), QPointF(10, 10));
    QApplication::sendEvent(&stereoRight, dbl.get());
    QCOMPARE(pressed.count(), 0);
    QCOMPARE(mono2.geometry().topLeft(), QPoint(79, 336));
    QCOMPARE(stereoRight.geometry().topLeft(), QPoint(79, 336));
    QCOMPARE(t1.text(), QStringLiteral("C"));
    QCOMPARE(t2.text(), QStringLiteral("C"));
    QCOMPARE(stored("Track2", "Pan_pos").toInt(), 79);
    QCOMPARE(fixture.received().filter("pan"), QStringList({"pan 4:2 20"}));
}

void TestControlsStrips::eqOnSendsCachedBands() {
    ChannelControl::setEqParam(2, eqRecord(3, 10, false));
    ChannelControl::eqCache[2].lowCutOn = 1;
    ChannelControl work;
    work.trackType = kTrackOdd;
    work.trackCh = QStringLiteral("Track3");
    work.stereoCh = QStringLiteral("Track3_4_L");
    ChannelControl::selectedCh = QStringLiteral("Track3");
    QSignalSpy repaint(&work, &ChannelControl::signal_doEqualizerRepaint);
    work.clicked_eq(true);
    QCOMPARE(int(ChannelControl::eqCache[2].lowGain), 255);
    QCOMPARE(stored("Track3", "Eq").toBool(), true);
    QCOMPARE(fixture.received(), allBands(ChannelControl::eqCache[2]));
    QVERIFY(fixture.received().first().contains(" g255 "));
    QCOMPARE(repaint.count(), 1);
}

void TestControlsStrips::eqOnLinkedPairSendsBothRecords() {
    ChannelControl::setEqParam(4, eqRecord(5, 20, false));
    ChannelControl::setEqParam(5, eqRecord(6, 30, false));
    ChannelControl::setLinkedCh(kLinkCh5_6, true);
    ChannelControl work;
    work.trackType = kTrackStereo;
    work.stereoCh = QStringLiteral("Track5_6");
    QSignalSpy repaint(&work, &ChannelControl::signal_doEqualizerRepaint);
    work.clicked_eq(true);
    QVERIFY(ChannelControl::eqCache[4].eqOn && ChannelControl::eqCache[5].eqOn);
    QCOMPARE(fixture.received(),
             allBands(ChannelControl::eqCache[4]) + allBands(ChannelControl::eqCache[5]));
    QCOMPARE(stored("Track5_6", "Eq").toBool(), true);
    QCOMPARE(repaint.count(), 0); // not the selected channel
}

void TestControlsStrips::knobWithEqOffSendsLater() {
    ChannelControl::setEqParam(6, eqRecord(7, 0, false));
    ChannelControl::setEqParamHighGain(7, 100);
    QCOMPARE(int(ChannelControl::eqCache[6].highGain), 100);
    QVERIFY(fixture.received().isEmpty());
    ChannelControl work;
    work.trackType = kTrackOdd;
    work.trackCh = QStringLiteral("Track7");
    work.clicked_eq(true);
    const QStringList got = fixture.received();
    QCOMPARE(got.size(), 4);
    QCOMPARE(got.last(), eqEvent(ChannelControl::eqCache[6], kBandHigh));
    QVERIFY(got.last().contains(QStringLiteral(" g%1 ").arg(DataManager::exchangeEqGain(100))));
}

// A linked pair mirrors a knob onto the other channel of the same pair, from either side,
// and never past the last record.
void TestControlsStrips::linkMirroringOnBothChannels_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("partner");
    QTest::newRow("odd 3 to 4") << 3 << 4;
    QTest::newRow("even 4 to 3") << 4 << 3;
    QTest::newRow("even 20 to 19") << 20 << 19;
    QTest::newRow("odd 19 to 20") << 19 << 20;
}
void TestControlsStrips::linkMirroringOnBothChannels() {
    QFETCH(int, channel);
    QFETCH(int, partner);
    const int a = channel - 1, b = partner - 1;
    ChannelControl::setLinkedCh(kLinkChParam((std::min(a, b)) / 2), true);
    EqParameter r0 = eqRecord(channel, 10, true), p0 = eqRecord(partner, 40, false);
    r0.linked = p0.linked = 1;
    ChannelControl::setEqParam((unsigned char)a, r0);
    ChannelControl::setEqParam((unsigned char)b, p0);
    const int neighbour = channel % 2 == 0 && channel < 20 ? channel : -1; // the next pair's
    if (neighbour >= 0)
        ChannelControl::setEqParam((unsigned char)neighbour, eqRecord(neighbour + 1, 90, true));
    const EqParameter neighbourBefore = ChannelControl::eqCache[neighbour >= 0 ? neighbour : 0];

    ChannelControl::setEqParamLowMidQ((unsigned char)channel, 99);
    const EqParameter &r = ChannelControl::eqCache[a];
    const EqParameter &p = ChannelControl::eqCache[b];
    QCOMPARE(int(r.lowMidQ), 99);
    QCOMPARE(int(p.lowMidQ), 99);
    QCOMPARE(int(p.channel), partner);
    QCOMPARE(int(p.lowMidGain), int(r.lowMidGain));
    QCOMPARE(int(p.lowMidFreq), int(r.lowMidFreq));
    QCOMPARE(int(p.highGain), 40 + 3 * 8); // other bands untouched
    if (neighbour >= 0)
        QVERIFY(sameEq(ChannelControl::eqCache[neighbour], neighbourBefore));
    // Only the record whose equaliser is on sends.
    QCOMPARE(fixture.received(), QStringList({eqEvent(r, kBandLowMid)}));

    ChannelControl::eqCache[b].eqOn = 1;
    ChannelControl::setEqParamHighFreq((unsigned char)channel, 77);
    QCOMPARE(fixture.received(),
             QStringList({eqEvent(r, kBandLowMid), eqEvent(r, kBandHigh), eqEvent(p, kBandHigh)}));
}

void TestControlsStrips::compressorMirroring() {
    ChannelControl::setCompParam(9, compRecord(10, 30, true));
    ChannelControl::setCompParam(8, compRecord(9, 60, true));
    ChannelControl::compCache[8].linked = ChannelControl::compCache[9].linked = 1;
    ChannelControl::setCompParamAttack(10, 50);
    const CompParameter &r = ChannelControl::compCache[9], &p = ChannelControl::compCache[8];
    QCOMPARE(int(p.channel), 9);
    for (auto f : {&CompParameter::threshold, &CompParameter::ratio, &CompParameter::gain,
                   &CompParameter::attack, &CompParameter::release})
        QCOMPARE(int(p.*f), int(r.*f));
    QCOMPARE(int(p.attack), 50);
    const QStringList got = fixture.received();
    QCOMPARE(got.size(), 2);
    QVERIFY(got[0].startsWith("comp 10 on1"));
    QVERIFY(got[1].startsWith("comp 9 on1"));
    QVERIFY(got[0].contains(QStringLiteral(" a%1 ").arg(DataManager::exchangeCompAttack(50))));
    // Compressor off for the stereo strip switches and sends both records.
    fixture.clearLog();
    ChannelControl work;
    work.trackType = kTrackStereo;
    work.stereoCh = QStringLiteral("Track9_10");
    ChannelControl::selectedCh = QStringLiteral("Track9_10");
    QSignalSpy repaint(&work, &ChannelControl::signal_doCompressorRepaint);
    work.clicked_comp(false);
    QCOMPARE(stored("Track9_10", "Comp").toBool(), false);
    QVERIFY(!ChannelControl::compCache[8].compOn && !ChannelControl::compCache[9].compOn);
    const QStringList off = fixture.received();
    QCOMPARE(off.size(), 2);
    QVERIFY(off[0].startsWith("comp 9 on0"));
    QVERIFY(off[1].startsWith("comp 10 on0"));
    QCOMPARE(repaint.count(), 1);
}

void TestControlsStrips::linkingCopiesWithoutSending() {
    ChannelControl::setEqParam(2, eqRecord(3, 5, true));
    ChannelControl::setEqParam(3, eqRecord(4, 50, false));
    ChannelControl::eqCache[3].lowCutOn = 1;
    ChannelControl::setCompParam(2, compRecord(3, 11, true));
    ChannelControl::setCompParam(3, compRecord(4, 70, false));
    ChannelControl::setLinkedCh(kLinkCh3_4, true);
    QVERIFY(ChannelControl::checkLinkedCh(kLinkCh3_4));
    const EqParameter &a = ChannelControl::eqCache[2], &b = ChannelControl::eqCache[3];
    QCOMPARE(int(b.eqOn), 1);
    QCOMPARE(int(b.lowCutOn), 1);
    QCOMPARE(int(b.channel), 4);
    QVERIFY(!memcmp(&a.lowGain, &b.lowGain, 10));
    QVERIFY(a.linked && b.linked);
    QCOMPARE(int(ChannelControl::compCache[3].threshold), 11);
    QCOMPARE(int(ChannelControl::compCache[3].compOn), 1);
    QCOMPARE(int(ChannelControl::compCache[3].channel), 4);
    ChannelControl::setLinkedCh(kLinkCh3_4, false);
    QVERIFY(!a.linked && !b.linked && !ChannelControl::compCache[2].linked);
    QCOMPARE(int(b.lowGain), 5);                         // unlinking changes only the flags
    ChannelControl::setLinkedCh(kLinkChParam(10), true); // no such pair
    QVERIFY(fixture.received().isEmpty());
}

void TestControlsStrips::lowCutButton() {
    ChannelControl::setEqParam(0, eqRecord(1, 30, true));
    ChannelControl::setEqParam(1, eqRecord(2, 60, false));
    ChannelControl work;
    work.trackType = kTrackStereo;
    work.stereoCh = QStringLiteral("Track1_2");
    work.clicked_lcf(true);
    // The pair stores the flag under its own name only.
    QCOMPARE(stored("Track1_2", "EqLowCutFilter").toString(), QStringLiteral("true"));
    QVERIFY(!stored("Track1", "EqLowCutFilter").isValid());
    QCOMPARE(int(ChannelControl::eqCache[0].lowGain), 255);
    QCOMPARE(int(ChannelControl::eqCache[1].lowGain), 255);
    QCOMPARE(int(ChannelControl::eqCache[1].lowCutOn), 0);
    QCOMPARE(fixture.received(), QStringList({eqEvent(ChannelControl::eqCache[0], kBandLow),
                                              eqEvent(ChannelControl::eqCache[1], kBandLow)}));
    fixture.clearLog();
    work.clicked_lcf(false);
    QCOMPARE(stored("Track1_2", "EqLowCutFilter").toString(), QStringLiteral("false"));
    QCOMPARE(int(ChannelControl::eqCache[0].lowGain), 0);
    QVERIFY(fixture.received().first().startsWith("eq 1 b1 on1 g" +
                                                  QString::number(DataManager::exchangeEqGain(0))));
    // EQ off: only the flag is stored.
    fixture.clearLog();
    work.trackType = kTrackOdd;
    work.trackCh = QStringLiteral("Track2");
    work.clicked_lcf(true);
    QCOMPARE(int(ChannelControl::eqCache[1].lowCutOn), 1);
    QCOMPARE(stored("Track2", "EqLowCutFilter").toString(), QStringLiteral("true"));
    QVERIFY(fixture.received().isEmpty());
}

void TestControlsStrips::namesWithoutRecordStoreOnly() {
    EqParameter before[20];
    std::copy(std::begin(ChannelControl::eqCache), std::end(ChannelControl::eqCache), before);
    ChannelControl work;
    work.trackType = kTrackMaster;
    work.trackCh = QStringLiteral("TrackMaster");
    work.stereoCh = QStringLiteral("TrackMaster");
    work.clicked_eq(true);
    work.clicked_comp(true);
    work.clicked_lcf(true);
    work.trackType = kTrackStereo;
    work.stereoCh = QStringLiteral("Track21_22");
    work.clicked_eq(true);
    QCOMPARE(stored("TrackMaster", "Eq").toBool(), true);
    QCOMPARE(stored("TrackMaster", "Comp").toBool(), true);
    QCOMPARE(stored("Track21_22", "Eq").toBool(), true);
    for (int i = 0; i < 20; ++i)
        QVERIFY(sameEq(ChannelControl::eqCache[i], before[i]));
    for (unsigned char c : {0, 21, 22, 255})
        ChannelControl::setEqParamHighGain(c, 9);
    QVERIFY(fixture.received().isEmpty());
}

void TestControlsStrips::wholeRecordLoadersKeepFlagsAsBits() {
    EqParameter e = eqRecord(8, 1, false);
    e.eqOn = 7;
    e.linked = 2;
    e.lowCutOn = 9;
    ChannelControl::setEqParam(7, e);
    QCOMPARE(int(ChannelControl::eqCache[7].eqOn), 1);
    QCOMPARE(int(ChannelControl::eqCache[7].linked), 1);
    QCOMPARE(int(ChannelControl::eqCache[7].lowCutOn), 1);
    CompParameter c = compRecord(8, 1, false);
    c.compOn = 4;
    ChannelControl::setCompParam(7, c);
    QCOMPARE(int(ChannelControl::compCache[7].compOn), 1);
    QVERIFY(fixture.received().isEmpty());
}

void TestControlsStrips::sendPoints_data() {
    QTest::addColumn<int>("point");
    QTest::newRow("off") << 1;
    QTest::newRow("pre") << 2;
    QTest::newRow("post") << 3;
}
void TestControlsStrips::sendPoints() {
    QFETCH(int, point);
    using Set = void (*)(QString, QString);
    const Set set[] = {nullptr, &ChannelControl::setSendPositionOff,
                       &ChannelControl::setSendPositionPre, &ChannelControl::setSendPositionPost};
    set[point](QStringLiteral("Track7"), QStringLiteral("Send2"));
    QCOMPARE(stored("Track7", "Send2_Point").toInt(), point);
    QCOMPARE(fixture.received().filter("send"),
             QStringList({QStringLiteral("send 4:7>5:2 p%1 l-127").arg(point)}));
}

void TestControlsStrips::labelFader() {
    store("Track1", "Fader_pos", 360);
    QWidget form;
    fader cap(&form);
    QLabel value(&form);
    ChannelControl work;
    work.trackType = kTrackOdd;
    work.trackCh = QStringLiteral("Track1");
    work.faderKnob = &cap;
    work.faderValue = &value;
    QSignalSpy pressed(&cap, &fader::Faderknob_Pressed);
    connect(&cap, &fader::Faderknob_Pressed, [&](QMouseEvent *e) { work.faderKnob_Pressed(e); });
    connect(&cap, &fader::Faderknob_Moved, [&](QMouseEvent *e) { work.faderKnob_Moved(e); });
    auto press = mouse(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(40, 500));
    auto move = mouse(QEvent::MouseMove, QPointF(3, 3), QPointF(40, 480));
    QApplication::sendEvent(&cap, press.get());
    QApplication::sendEvent(&cap, move.get());
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(cap.geometry(), QRect(12, 352, 20, 30));
    QCOMPARE(value.text(), QStringLiteral("  6.0 dB"));
    QCOMPARE(stored("Track1", "Fader_pos").toInt(), 352);
    QCOMPARE(stored("Track1", "Fader_value").toString(), QStringLiteral("  6.0 dB"));
    work.faderKnob_DoubleClicked();
    QCOMPARE(cap.geometry(), QRect(12, 365, 20, 30));
    QCOMPARE(value.text(), QStringLiteral("  0.0 dB"));
    QCOMPARE(stored("Track1", "Fader_pos").toInt(), 365);
    work.faderKnob_SetPosition(QStringLiteral("-10.0 dB"));
    QCOMPARE(cap.geometry().top(), 385);
    QCOMPARE(value.text(), QStringLiteral("  0.0 dB"));
    QCOMPARE(stored("Track1", "Fader_pos").toInt(), 385);
    QCOMPARE(fixture.received().filter("fader").last(), QStringLiteral("fader 4:1 -100"));
}

QTEST_MAIN(TestControlsStrips)
#include "tst_controls_strips.moc"
