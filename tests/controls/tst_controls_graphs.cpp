// The graphs and meters: equaliser shape tables and response at the points the tables fix,
// the compressor curve table, all three graphs rendered and probed, and the level and
// gain-reduction meters driven from given values.
#include "ControlTables.h"
#include "ControlsFixture.h"
#include "DrawLevelMeter.h"

using namespace ctltest;

namespace {

const QColor kActive(41, 223, 255), kInactive(160, 160, 160), kIdle(80, 80, 80);

QImage render(QWidget &w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}
QColor at(const QImage &img, int x, int y) {
    return QColor(img.pixel(x, y));
}

struct Meters {
    QWidget strip;
    std::vector<std::unique_ptr<QLabel>> bars, lamps;
    levelMeter records[DrawLevelMeter::kMeters];
    Meters() {
        for (int i = 0; i < DrawLevelMeter::kMeters; ++i) {
            bars.push_back(std::make_unique<QLabel>(&strip));
            lamps.push_back(std::make_unique<QLabel>(&strip));
            lamps.back()->hide();
            records[i] = {bars.back().get(), lamps.back().get(), 0, 0};
        }
    }
    void setAll(unsigned short level) {
        for (auto &r : records)
            r.level = level;
    }
    QRect bar(int i) const { return bars[size_t(i)]->geometry(); }
    int top(int i) const { return bar(i).top(); }
};

} // namespace

class TestControlsGraphs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fixture.start(); }
    void init() { fixture.reset(); }

    void eqShapeTablesKeepTheirFixedEntries_data();
    void eqShapeTablesKeepTheirFixedEntries();
    void eqShapesHaveTheirForm();
    void eqFlatAtZeroGain();
    void eqPeakAtItsColumn();
    void eqLowCut();
    void eqRounding();
    void eqHighBandAtItsOwnColumns();
    void eqSumsAreLimited();
    void eqRenderedColours();

    void compressorTable();
    void compressorRendered_data();
    void compressorRendered();
    void compressorStatusOnEveryPaint();

    void reverbRendered();

    void meterFirstUpdate_data();
    void meterFirstUpdate();
    void meterFallsAndRises();
    void meterStereoPartnersFollow();
    void meterFallBackSteps();
    void grMeter();
    void grMeterAtRestStaysStill();

private:
    ControlsFixture fixture;
};

void TestControlsGraphs::eqShapeTablesKeepTheirFixedEntries_data() {
    QTest::addColumn<int>("table");         // 0 low-cut, 1 low shelf, 2 high shelf, 3.. peaks
    QTest::addColumn<QList<int>>("values"); // at d = -60 -40 -20 -10 -5 -2 0 2 5 10 20 40 60
    QTest::newRow("low-cut") << 0 << QList<int>{580, 380, 180, 95, 65, 48, 35, 26, 18, 7, 0, 0, 0};
    QTest::newRow("low shelf") << 1
                               << QList<int>{121, 121, 117, 110, 104, 99, 96, 92, 83, 70, 44, 8, 3};
    QTest::newRow("high shelf") << 2 << QList<int>{2,  9,   41,  66,  80,  88, 92,
                                                   95, 102, 108, 116, 121, 123};
    QTest::newRow("peak 0") << 3
                            << QList<int>{2, 10, 51, 90, 113, 121, 122, 120, 112, 89, 50, 9, 2};
    QTest::newRow("peak 1") << 4 << QList<int>{1, 4, 22, 56, 95, 117, 121, 115, 91, 55, 21, 3, 1};
    QTest::newRow("peak 2") << 5 << QList<int>{1, 2, 7, 25, 63, 106, 120, 101, 59, 24, 7, 2, 1};
    QTest::newRow("peak 3") << 6 << QList<int>{1, 1, 4, 10, 32, 108, 120, 71, 27, 9, 3, 1, 1};
    QTest::newRow("peak 4") << 7 << QList<int>{1, 1, 2, 4, 14, 84, 120, 37, 11, 3, 2, 1, 1};
    QTest::newRow("peak 5") << 8 << QList<int>{1, 1, 1, 2, 3, 14, 117, 49, 4, 2, 1, 1, 1};
    QTest::newRow("peak 6") << 9 << QList<int>{1, 1, 1, 2, 2, 30, 120, 7, 2, 2, 1, 1, 1};
}
void TestControlsGraphs::eqShapeTablesKeepTheirFixedEntries() {
    QFETCH(int, table);
    QFETCH(QList<int>, values);
    const unsigned int *shape = table == 0   ? DrawEq::eqLowCutCurve()
                                : table == 1 ? DrawEq::eqLowShelfCurve()
                                : table == 2 ? DrawEq::eqHighShelfCurve()
                                             : DrawEq::eqPeakCurve(table - 3);
    const int d[] = {-60, -40, -20, -10, -5, -2, 0, 2, 5, 10, 20, 40, 60};
    for (int i = 0; i < 13; ++i)
        QCOMPARE(int(shape[202 + d[i]]), values[i]);
}

void TestControlsGraphs::eqShapesHaveTheirForm() {
    const unsigned int *cut = DrawEq::eqLowCutCurve(), *low = DrawEq::eqLowShelfCurve(),
                       *high = DrawEq::eqHighShelfCurve();
    for (int i = 0; i <= 135; ++i) {
        QCOMPARE(int(cut[i]), 650);
        QCOMPARE(int(low[i]), 120);
        QCOMPARE(int(high[i]), 0);
    }
    QCOMPARE(int(cut[136]), 640);
    QCOMPARE(int(cut[162]), 380);
    QCOMPARE(int(cut[182]), 180);
    QCOMPARE(int(cut[192]), 95);
    QCOMPARE(int(cut[212]), 7);
    for (int i = 220; i < 405; ++i)
        QCOMPARE(int(cut[i]), 0);
    for (int i = 136; i <= 182; ++i)
        QVERIFY(low[i] >= 117 && low[i] <= 121);
    QCOMPARE(int(low[216]), 61);
    QCOMPARE(int(low[217]), 57);
    QCOMPARE(int(high[189]), 60);
    QCOMPARE(int(high[234]), 120);
    for (int i = 235; i <= 269; ++i)
        QVERIFY(high[i] >= 121 && high[i] <= 123);
    for (int i = 270; i < 405; ++i) {
        QCOMPARE(int(low[i]), 0);
        QCOMPARE(int(high[i]), 120);
    }
    // Shelves and the low-cut ramp never turn back; peaks are zero far away, peak at the
    // centre columns and narrow with the Q step.
    for (int i = 1; i < 405; ++i) {
        QVERIFY(cut[i] <= cut[i - 1]);
        QVERIFY(low[i] <= low[i - 1] || i <= 142);
        QVERIFY(high[i] >= high[i - 1] || i >= 270 || (i > 242 && high[i] >= 121));
    }
    int lastWidth = 1000;
    for (int q = 0; q < 7; ++q) {
        const unsigned int *p = DrawEq::eqPeakCurve(q);
        for (int i = 0; i <= 134; ++i)
            QCOMPARE(int(p[i]), 0);
        for (int i = 270; i < 405; ++i)
            QCOMPARE(int(p[i]), 0);
        const auto top = std::max_element(p, p + 405);
        QVERIFY(top - p >= 201 && top - p <= 203);
        QVERIFY(*top >= 120 && *top <= 122);
        const int width = int(std::count_if(p, p + 405, [](unsigned v) { return v >= 60; }));
        QVERIFY2(width <= lastWidth, qPrintable(QString::number(q)));
        lastWidth = width;
    }
    QCOMPARE(int(DrawEq::eqPeakCurve(2)[201]), 118);
    QCOMPARE(int(DrawEq::eqPeakCurve(2)[203]), 118);
    QCOMPARE(int(DrawEq::eqPeakCurve(5)[203]), 120);
    // The axis: 45 columns a decade, 1 kHz at column 76.
    QCOMPARE(int(DrawEq::eqFreqX[0]), 9);
    QCOMPARE(int(DrawEq::eqFreqX[7]), 31);
    QCOMPARE(int(DrawEq::eqFreqX[25]), 76);
    QCOMPARE(int(DrawEq::eqFreqX[31]), 85);
    QCOMPARE(int(DrawEq::eqFreqX[32]), 86);
    QCOMPARE(int(DrawEq::eqFreqX[55]), 121);
    QCOMPARE(int(DrawEq::eqFreqX[63]), 133);
}

void TestControlsGraphs::eqFlatAtZeroGain() {
    DrawEq::cLowFreq = 10;
    DrawEq::cHighMidFreq = 40;
    DrawEq::cLowMidQ = 6;
    for (int x = 1; x <= 135; ++x)
        QCOMPARE(int(DrawEq::calcEqGraph((unsigned short)x)), 0);
    DrawEq graph;
    graph.resize(136, 77);
    const QImage img = render(graph);
    for (int x = 1; x < 135; ++x) {
        QCOMPARE(at(img, x, 38), kIdle);
        QVERIFY(at(img, x, 37) != kIdle);
        QVERIFY(at(img, x, 39) != kIdle);
    }
}

void TestControlsGraphs::eqPeakAtItsColumn() {
    DrawEq::cHighMidFreq = 30; // column 84
    DrawEq::cHighMidQ = 2;
    DrawEq::cHighMidGain = 12;
    const int x = int(DrawEq::eqFreqX[30]);
    QCOMPARE(int(DrawEq::calcEqGraph((unsigned short)x)), 31);
    QCOMPARE(int(DrawEq::calcEqGraph((unsigned short)(x - 1))), 31);
    QCOMPARE(int(DrawEq::calcEqGraph((unsigned short)(x + 1))), 31);
    DrawEq graph;
    graph.resize(136, 77);
    QImage img = render(graph);
    QCOMPARE(at(img, x, 7), kIdle);
    QCOMPARE(at(img, x, 20), kIdle); // filled down to the 0 dB line
    QVERIFY(at(img, x, 5) != kIdle);
    DrawEq::cHighMidGain = -12;
    QCOMPARE(int(DrawEq::calcEqGraph((unsigned short)x)), -31);
    img = render(graph);
    QCOMPARE(at(img, x, 69), kIdle);
    QCOMPARE(at(img, x, 50), kIdle);
    QVERIFY(at(img, x, 72) != kIdle);
}

void TestControlsGraphs::eqLowCut() {
    DrawEq::bLowCutFilter = true;
    DrawEq::cLowGain = -12;
    DrawEq::cLowFreq = 31; // column 85
    const int xl = int(DrawEq::eqFreqX[31]);
    for (int x = 1; x <= xl - 67; ++x)
        QCOMPARE(int(DrawEq::calcEqGraph((unsigned short)x)), -39); // -1690 tenths, limited
    QCOMPARE(int(DrawEq::calcEqGraph((unsigned short)xl)), -9);     // -91 tenths
    DrawEq graph;
    graph.resize(136, 77);
    const QImage img = render(graph);
    QCOMPARE(at(img, 5, 76), kIdle);
    QCOMPARE(at(img, 5, 40), kIdle);
    // The same settings as a shelf cut.
    DrawEq::bLowCutFilter = false;
    QCOMPARE(int(DrawEq::calcEqGraph(1)), -31);
}

void TestControlsGraphs::eqRounding() {
    // Low shelf 10 columns right of its column has shape 70: 1 dB gives 15 tenths.
    DrawEq::cLowFreq = 7; // column 31
    DrawEq::cLowGain = 1;
    QCOMPARE(int(DrawEq::calcEqGraph(41)), 2); // 15 rounds up: row 36
    DrawEq::cLowGain = -1;
    QCOMPARE(int(DrawEq::calcEqGraph(41)), -1); // -15 is cut toward zero: row 39
    DrawEq graph;
    graph.resize(136, 77);
    const QImage img = render(graph);
    QCOMPARE(at(img, 41, 39), kIdle);
    QVERIFY(at(img, 41, 40) != kIdle);
}

void TestControlsGraphs::eqHighBandAtItsOwnColumns() {
    DrawEq::cHighGain = 12;
    DrawEq::cHighFreq = 0;                      // 1.7 kHz, column 86
    QCOMPARE(int(DrawEq::calcEqGraph(86)), 24); // shape 92 at the band's own column
    QCOMPARE(int(DrawEq::calcEqGraph(73)), 16); // 13 columns below: shape 60
    DrawEq::cHighFreq = 31;                     // 18.0 kHz, column 133
    QCOMPARE(int(DrawEq::calcEqGraph(133)), 24);
}

void TestControlsGraphs::eqSumsAreLimited() {
    DrawEq::cLowGain = DrawEq::cHighGain = DrawEq::cLowMidGain = DrawEq::cHighMidGain = 12;
    DrawEq::cLowFreq = 31;
    DrawEq::cLowMidFreq = DrawEq::cHighMidFreq = 31;
    QCOMPARE(int(DrawEq::calcEqGraph(85)), 39);
    DrawEq::cLowGain = DrawEq::cHighGain = DrawEq::cLowMidGain = DrawEq::cHighMidGain = -12;
    QCOMPARE(int(DrawEq::calcEqGraph(85)), -39);
    DrawEq graph;
    graph.resize(136, 77);
    const QImage img = render(graph);
    QCOMPARE(at(img, 85, 76), kIdle);
    // A gain byte outside -12..12 is read as (byte + 12, in 8 bits) - 12.
    DrawEq::cLowGain = DrawEq::cHighGain = DrawEq::cLowMidGain = 0;
    DrawEq::cHighMidGain = -13; // read as 243
    QCOMPARE(int(DrawEq::calcEqGraph(85)), 39);
}

void TestControlsGraphs::eqRenderedColours() {
    DrawEq::cHighMidFreq = 30;
    DrawEq::cHighMidQ = 2;
    DrawEq::cHighMidGain = 12;
    DrawEq graph;
    graph.resize(136, 77);
    QCOMPARE(at(render(graph), 84, 20), kIdle);
    ChannelControl::selectedCh = QStringLiteral("Track3");
    QCOMPARE(at(render(graph), 84, 20), kInactive);
    ChannelControl::eqCache[2].eqOn = 1;
    QCOMPARE(at(render(graph), 84, 20), kActive);
    ChannelControl::selectedCh = QStringLiteral("Track3_4");
    QCOMPARE(at(render(graph), 84, 20), kActive);
}

void TestControlsGraphs::compressorTable() {
    using CP = DrawCompressor::CurvePoint;
    const auto same = [](CP a, CP b) {
        return a.edgeX == b.edgeX && a.edgeY == b.edgeY && a.kneeX == b.kneeX && a.kneeY == b.kneeY;
    };
    for (int t = 0; t <= 32; ++t)
        QVERIFY(same(DrawCompressor::compCurvePoints(t, 0), CP{65, 2, 65, 2}));
    for (int r = 0; r <= 14; ++r)
        QVERIFY(same(DrawCompressor::compCurvePoints(32, r), CP{65, 2, 65, 2}));
    QVERIFY(same(DrawCompressor::compCurvePoints(0, 14), CP{65, 46, 20, 46}));
    QVERIFY(same(DrawCompressor::compCurvePoints(16, 5), CP{65, 10, 39, 25}));
    const int rows[5][15] = {{2, 5, 8, 11, 15, 18, 21, 24, 27, 30, 33, 37, 40, 43, 46},
                             {2, 4, 7, 9, 12, 14, 16, 19, 21, 24, 26, 28, 31, 33, 36},
                             {2, 4, 5, 7, 8, 10, 12, 13, 15, 17, 19, 20, 22, 23, 25},
                             {2, 3, 4, 5, 6, 7, 7, 8, 9, 10, 11, 12, 13, 14, 15},
                             {2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3}};
    const int rowT[5] = {0, 8, 16, 24, 31};
    for (int i = 0; i < 5; ++i)
        for (int r = 0; r <= 14; ++r)
            QCOMPARE(int(DrawCompressor::compCurvePoints(rowT[i], r).edgeY), rows[i][r]);
    for (int t = 0; t < 32; ++t) {
        const int knee = DrawCompressor::compCurvePoints(t, 14).kneeY;
        QCOMPARE(int(DrawCompressor::compCurvePoints(t, 14).edgeY), knee);
        for (int r = 1; r <= 14; ++r) {
            const CP p = DrawCompressor::compCurvePoints(t, r);
            QCOMPARE(int(p.edgeX), 65);
            QCOMPARE(int(p.kneeY), knee);
            QVERIFY(p.edgeY >= DrawCompressor::compCurvePoints(t, r - 1).edgeY);
            QVERIFY(std::abs(p.edgeY - (2 + std::floor(r * (knee - 2) / 14.0 + 0.5))) <= 1);
        }
    }
    QCOMPARE(int(DrawCompressor::compCurvePoints(29, 3).kneeX), 59);
}

void TestControlsGraphs::compressorRendered_data() {
    QTest::addColumn<int>("threshold");
    QTest::addColumn<int>("ratio");
    QTest::addColumn<QPoint>("inside");
    QTest::addColumn<QPoint>("outside");
    QTest::newRow("start: diagonal") << 0 << 0 << QPoint(50, 60) << QPoint(30, 20);
    QTest::newRow("threshold 0 dB: diagonal") << 32 << 9 << QPoint(50, 30) << QPoint(20, 30);
    QTest::newRow("knee at 20,46, flat") << 0 << 14 << QPoint(40, 50) << QPoint(40, 42);
    QTest::newRow("knee at 20,46, left") << 0 << 14 << QPoint(10, 62) << QPoint(10, 50);
    QTest::newRow("16 and 5") << 16 << 5 << QPoint(55, 22) << QPoint(55, 10);
}
void TestControlsGraphs::compressorRendered() {
    QFETCH(int, threshold);
    QFETCH(int, ratio);
    QFETCH(QPoint, inside);
    QFETCH(QPoint, outside);
    DrawCompressor::cThreshold = (unsigned char)threshold;
    DrawCompressor::cRatio = (unsigned char)ratio;
    DrawCompressor graph;
    graph.resize(63, 69);
    const QImage img = render(graph);
    QCOMPARE(at(img, inside.x(), inside.y()), kIdle);
    QVERIFY(at(img, outside.x(), outside.y()) != kIdle);
}

void TestControlsGraphs::compressorStatusOnEveryPaint() {
    DrawCompressor graph;
    graph.resize(63, 69);
    QSignalSpy status(&graph, &DrawCompressor::sig_changeColorComp);
    render(graph);
    render(graph);
    QCOMPARE(status.count(), 2);
    QCOMPARE(status.at(1).at(0).toString(), QStringLiteral("GR_Passive"));
    ChannelControl::selectedCh = QStringLiteral("Track7_8");
    QImage img = render(graph);
    QCOMPARE(status.last().at(0).toString(), QStringLiteral("GR_Active"));
    QCOMPARE(at(img, 50, 60), kInactive);
    ChannelControl::compCache[6].compOn = 1;
    img = render(graph);
    QCOMPARE(status.last().at(0).toString(), QStringLiteral("GR_Available"));
    QCOMPARE(at(img, 50, 60), kActive);
}

void TestControlsGraphs::reverbRendered() {
    DrawReverb graph;
    graph.resize(220, 49);
    // Before any load: only the background ramp, from x 0 to x 200.
    QImage img = render(graph);
    QCOMPARE(at(img, 10, 45), kIdle);
    QCOMPARE(at(img, 150, 47), kIdle);
    QVERIFY(at(img, 150, 10) != kIdle);
    DrawReverb::cPreDelay = 10;
    DrawReverb::cReverbTime = 100;
    DrawReverb::cDrawColor = true;
    img = render(graph);
    QCOMPARE(at(img, 5, 10), kIdle);    // pre-delay block
    QCOMPARE(at(img, 20, 45), kActive); // the ramp
    QCOMPARE(at(img, 150, 47), kIdle);  // where the longest time would end
    QVERIFY(at(img, 215, 47) != kIdle && at(img, 215, 47) != kActive);
    DrawReverb::cDrawColor = false;
    img = render(graph);
    QCOMPARE(at(img, 20, 45), kInactive);
    DrawReverb::cReverbTime = 200;
    DrawReverb::cPreDelay = 0;
    DrawReverb::cDrawColor = true;
    img = render(graph);
    QCOMPARE(at(img, 150, 47), kActive);
    QCOMPARE(at(img, 2, 10), kActive); // no block at pre-delay 0
}

void TestControlsGraphs::meterFirstUpdate_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("dot");
    QTest::addColumn<bool>("lamp");
    QTest::newRow("silence") << 50 << 106 << false;
    QTest::newRow("73") << 73 << 104 << false;
    QTest::newRow("81") << 81 << 104 << false;
    QTest::newRow("26028") << 26028 << 2 << false;
    QTest::newRow("29203") << 29203 << 2 << false;
    QTest::newRow("29204") << 29204 << 0 << true;
    QTest::newRow("32767") << 32767 << 0 << true;
    QTest::newRow("40000") << 40000 << 0 << true;
}
void TestControlsGraphs::meterFirstUpdate() {
    QFETCH(int, level);
    QFETCH(int, dot);
    QFETCH(bool, lamp);
    Meters m;
    m.setAll((unsigned short)level);
    DrawLevelMeter driver;
    driver.notifyLevelMeterValue(m.records);
    const int columns[] = {37, 96, 63, 74};
    for (int i = 0; i < 40; ++i) {
        QCOMPARE(m.bar(i),
                 QRect(QPoint(columns[i % 4], 362 + dot), QPoint(columns[i % 4] + 5, 468)));
        QCOMPARE(!m.lamps[size_t(i)]->isHidden(), lamp);
        QCOMPARE(int(m.records[i].peakHold), lamp ? 2 : 0);
    }
    QCOMPARE(m.bar(40), QRect(QPoint(51, 362 + dot), QPoint(56, 468)));
    QCOMPARE(m.bar(41), QRect(QPoint(59, 362 + dot), QPoint(64, 468)));
    QCOMPARE(!m.lamps[41]->isHidden(), lamp);
}

void TestControlsGraphs::meterFallsAndRises() {
    Meters m;
    DrawLevelMeter driver;
    m.setAll(32768);
    driver.notifyLevelMeterValue(m.records);
    QCOMPARE(m.top(0), 362);
    m.setAll(0);
    QList<int> tops;
    for (int tick = 0; tick < 15; ++tick) {
        driver.notifyLevelMeterValue(m.records);
        tops << m.top(0);
    }
    // 8 pixels a tick until the shown dot has passed the level, then the exact level.
    QCOMPARE(tops.mid(0, 3), QList<int>({370, 378, 386}));
    QCOMPARE(tops[13], 468);
    QCOMPARE(m.top(41), 468);
    QCOMPARE(m.bar(0).height(), 1);
    m.setAll(32767);
    driver.notifyLevelMeterValue(m.records);
    QCOMPARE(m.top(0), 362); // rises at once
    QCOMPARE(m.top(40), 362);
    // From dot 0 toward dot 4: first to dot 8, then set to 4.
    m.setAll(26000);
    driver.notifyLevelMeterValue(m.records);
    QCOMPARE(m.top(1), 370);
    driver.notifyLevelMeterValue(m.records);
    QCOMPARE(m.top(1), 366);
}

void TestControlsGraphs::meterStereoPartnersFollow() {
    Meters m;
    DrawLevelMeter driver;
    m.setAll(32767);
    driver.notifyLevelMeterValue(m.records);
    // Pair 3: odd mono falls to silence, even mono stays; the stereo bars follow their side.
    m.records[12].level = m.records[14].level = 0;
    driver.notifyLevelMeterValue(m.records);
    QCOMPARE(m.top(12), 370);
    QCOMPARE(m.top(14), 370);
    QCOMPARE(m.top(13), 362);
    QCOMPARE(m.top(15), 362);
    QCOMPARE(m.bar(14).left(), 63);
    QCOMPARE(m.bar(15).left(), 74);
    for (int i = 0; i < 14; ++i)
        driver.notifyLevelMeterValue(m.records);
    QCOMPARE(m.top(12), 468);
    QCOMPARE(m.top(14), 468);
}

void TestControlsGraphs::meterFallBackSteps() {
    Meters m;
    DrawLevelMeter driver;
    driver.notifyLevelMeterValue(m.records);
    m.bars[4]->setGeometry(QRect(37, 464, 6, 5));
    m.bars[6]->setGeometry(QRect(63, 400, 6, 69));
    driver.notifyLevelMeterDecayTime(4);
    QCOMPARE(m.bar(4).height(), 3);
    QCOMPARE(m.top(6), 402); // the partner moves by the main bar's step
    driver.notifyLevelMeterDecayTime(4);
    QCOMPARE(m.bar(4).height(), 1);
    driver.notifyLevelMeterDecayTime(4);
    QCOMPARE(m.bar(4).height(), 0);
    driver.notifyLevelMeterDecayTime(4);
    QCOMPARE(m.bar(4).height(), 0);
    QCOMPARE(m.top(6), 405);
    // The masters have no partner.
    m.bars[40]->setGeometry(QRect(51, 362, 6, 107));
    const QRect other = m.bar(42 - 1);
    driver.notifyLevelMeterDecayTime(40);
    QCOMPARE(m.top(40), 370);
    QCOMPARE(m.bar(41), other);
}

void TestControlsGraphs::grMeter() {
    QWidget panel;
    QLabel bar(&panel);
    DrawLevelMeter driver;
    const auto update = [&](unsigned short v) {
        driver.notifyGRMeterValue(levelMeter{&bar, nullptr, v, 0});
    };
    update(32767);
    QVERIFY(bar.isHidden());
    update(1000);
    QVERIFY(!bar.isHidden());
    QCOMPARE(bar.geometry(), QRect(569, 73, 5, 63));
    QList<int> heights;
    update(32767);
    heights << bar.height();
    for (int i = 0; i < 9; ++i) {
        update(32767);
        heights << bar.height();
    }
    QCOMPARE(heights, QList<int>({55, 47, 39, 31, 23, 15, 7, 3, 1, 1}));
    QVERIFY(bar.isHidden());
    // From 10 toward 4 the fall passes below; the next update sets 4 at once.
    const unsigned short fourHigh = 26027; // dot 59
    driver.grLast = 10;
    bar.setGeometry(QRect(569, 73, 5, 10));
    bar.show();
    update(fourHigh);
    QCOMPARE(bar.height(), 2);
    QVERIFY(!bar.isHidden());
    update(fourHigh);
    QCOMPARE(bar.height(), 4);
    // The unit's full-scale value means no reduction.
    update(1000);
    update(32768);
    QCOMPARE(bar.height(), 55);
    driver.grLast = 1;
    update(32768);
    QVERIFY(bar.isHidden());
}

// An update that leaves the gain-reduction bar as it is neither shows nor hides it, so the
// compressor graph beneath is not repainted ten times a second while nothing is reduced.
void TestControlsGraphs::grMeterAtRestStaysStill() {
    struct Events : QObject {
        QStringList seen;
        bool eventFilter(QObject *watched, QEvent *e) override {
            if (e->type() == QEvent::Paint || e->type() == QEvent::Show ||
                e->type() == QEvent::Hide)
                seen << watched->objectName() + QString::number(int(e->type()));
            return false;
        }
    } events;
    QWidget panel;
    panel.setObjectName("panel");
    panel.resize(640, 200);
    QLabel bar(&panel);
    bar.setObjectName("bar");
    DrawLevelMeter driver;
    const auto update = [&](unsigned short v) {
        driver.notifyGRMeterValue(levelMeter{&bar, nullptr, v, 0});
        QCoreApplication::processEvents();
    };
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    for (unsigned short rest : {32767, 1000}) {
        update(rest);
        update(rest);
        QCoreApplication::processEvents();
        panel.installEventFilter(&events);
        bar.installEventFilter(&events);
        for (int tick = 0; tick < 5; ++tick)
            update(rest);
        panel.removeEventFilter(&events);
        bar.removeEventFilter(&events);
        QVERIFY2(events.seen.isEmpty(), qPrintable(events.seen.join(' ')));
        QCOMPARE(bar.isHidden(), rest == 32767);
    }
}

QTEST_MAIN(TestControlsGraphs)
#include "tst_controls_graphs.moc"
