// The value tables of the controls: pan texts, fader rows, knob positions to texts, steps
// and pictures, send levels, meter dots, the monitor level table and the line-out arrows;
// the long ones also in full, entry by entry, against their listed values.
#include "ChannelControl.h"
#include "ControlTables.h"
#include "DialControl.h"
#include "DialControlSend.h"
#include "DrawCompressor.h"
#include "DrawEq.h"
#include "DrawLevelMeter.h"
#include "LineOut.h"
#include "MonitorControl.h"
#include "TranscribedTables.h"
#include "fader.h"

#include <QLabel>
#include <QPixmap>
#include <QtTest>

#include <cmath>
#include <iterator>

using namespace controltables;

class TestControlTables : public QObject {
    Q_OBJECT
private slots:
    void pointerRounding_data();
    void pointerRounding();
    void panTexts_data();
    void panTexts();
    void faderRows_data();
    void faderRows();
    void faderSearch_data();
    void faderSearch();
    void knobPictures_data();
    void knobPictures();
    void eqGains_data();
    void eqGains();
    void eqFrequencies_data();
    void eqFrequencies();
    void eqQ_data();
    void eqQ();
    void compThreshold_data();
    void compThreshold();
    void compRatio_data();
    void compRatio();
    void compNumbers_data();
    void compNumbers();
    void reverb_data();
    void reverb();
    void sendLevels_data();
    void sendLevels();
    void meterDots_data();
    void meterDots();
    void grDots_data();
    void grDots();
    void monitorLevels_data();
    void monitorLevels();
    void monitorTableIsMonotonic();
    void lineOutPictures_data();
    void lineOutPictures();
    void lineOutOutsideLeavesLabel();

    // Every entry of the long tables.
    void faderRowsInFull();
    void panLabelsInFull();
    void knobPicturesInFull();
    void eqGainsInFull();
    void eqFrequenciesInFull();
    void eqQInFull();
    void compThresholdInFull();
    void compRatioInFull();
    void compNumbersInFull();
    void sendLevelsInFull();
    void meterTablesInFull();
    void monitorLevelsInFull();
};

namespace {

using transcribed::Mismatches;

// The 21 knob pictures of a family, named by the clock reading of their pointer: picture k
// points at 7 o'clock plus k half hours.
QVector<QImage> knobArtwork(const char *pattern) {
    QVector<QImage> images;
    for (int k = 0; k <= 20; ++k) {
        const int hour = 7 + k / 2;
        const QString clock = QStringLiteral("%1%2").arg(hour).arg(k % 2 ? "30" : "00");
        // Through a pixmap, as the knobs hold them, so that both sides compare alike.
        images << QPixmap(QString::fromLatin1(pattern).arg(clock))
                      .toImage()
                      .convertToFormat(QImage::Format_ARGB32);
    }
    return images;
}

// Which of the pictures a label shows; -1 when none or another.
int shownPicture(const QLabel &label, const QVector<QImage> &pictures) {
    const QImage shown =
        label.pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32);
    return int(pictures.indexOf(shown));
}

// A listed text of a whole dB level: the number right-aligned in `width` characters.
QString rightAligned(const QString &number, int width) {
    return QString(qMax(0, width - number.size()), QLatin1Char(' ')) + number;
}

// Frequency of a listed text in Hz ("1.2k" is 1200).
double hertz(const QString &text) {
    return text.endsWith(QLatin1Char('k')) ? text.chopped(1).toDouble() * 1000 : text.toDouble();
}

} // namespace

void TestControlTables::pointerRounding_data() {
    QTest::addColumn<double>("v");
    QTest::addColumn<int>("rounded");
    QTest::newRow("2.5") << 2.5 << 3;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("12.5") << 12.5 << 13;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-0.6") << -0.6 << -1;
    QTest::newRow("7.49") << 7.49 << 7;
}
void TestControlTables::pointerRounding() {
    QFETCH(double, v);
    QFETCH(int, rounded);
    QCOMPARE(roundHalfUp(v), rounded);
}

void TestControlTables::panTexts_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "L20";
    QTest::newRow("19") << 19 << "L1";
    QTest::newRow("20") << 20 << "C";
    QTest::newRow("21") << 21 << "R1";
    QTest::newRow("40") << 40 << "R20";
    QTest::newRow("41") << 41 << "Error";
    QTest::newRow("50") << 50 << "Error";
    QTest::newRow("58") << 58 << "Error";
    QTest::newRow("59") << 59 << "L20";
    QTest::newRow("78") << 78 << "L1";
    QTest::newRow("79") << 79 << "C";
    QTest::newRow("80") << 80 << "R1";
    QTest::newRow("99") << 99 << "R20";
    QTest::newRow("100") << 100 << "Error";
    QTest::newRow("-1") << -1 << "Error";
}
void TestControlTables::panTexts() {
    QFETCH(int, position);
    QFETCH(QString, text);
    QCOMPARE(panText(position), text);
}

void TestControlTables::faderRows_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::newRow("top") << 352 << "  6.0 dB";
    QTest::newRow("0 dB") << 365 << "  0.0 dB";
    QTest::newRow("-10") << 385 << "-10.0 dB";
    QTest::newRow("451") << 451 << "-96.0 dB";
    QTest::newRow("452") << 452 << "-infinity";
    QTest::newRow("bottom") << 453 << "-infinity";
}
void TestControlTables::faderRows() {
    QFETCH(int, row);
    QFETCH(QString, text);
    QLabel label;
    fader f;
    QCOMPARE(f.setFaderValue(&label, row), text);
    QCOMPARE(label.text(), text);
}

void TestControlTables::faderSearch_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::newRow("-10.0 dB") << "-10.0 dB" << 385;
    QTest::newRow("12.0 dB") << "12.0 dB" << 352;
    QTest::newRow("  0.0 dB") << "  0.0 dB" << 365;
    QTest::newRow("-96.0 dB") << "-96.0 dB" << 451;
    QTest::newRow("below -96") << "-97.0 dB" << 452;
    QTest::newRow("-infinity") << "-infinity" << 453;
    QTest::newRow("-11 lands on -11") << "-11.0 dB" << 387;
}
void TestControlTables::faderSearch() {
    QFETCH(QString, text);
    QFETCH(int, row);
    fader f;
    QCOMPARE(int(f.searchFaderPosition(text)), row);
    // Drags: one pixel one row, held within the fader.
    unsigned short r = 360;
    f.calFaderPosition(&r, 100, 80);
    QCOMPARE(int(r), 352);
    r = 450;
    f.calFaderPosition(&r, -10, 20); // a screen above the primary one
    QCOMPARE(int(r), 453);
}

void TestControlTables::knobPictures_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("picture");
    QTest::newRow("-5") << -5 << 0;
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("10") << 10 << 0;
    QTest::newRow("11") << 11 << 1;
    QTest::newRow("41") << 41 << 7;
    QTest::newRow("50") << 50 << 7;
    QTest::newRow("61") << 61 << 10;
    QTest::newRow("65") << 65 << 10;
    QTest::newRow("66") << 66 << 11;
    QTest::newRow("81") << 81 << 14;
    QTest::newRow("90") << 90 << 14;
    QTest::newRow("116") << 116 << 20;
    QTest::newRow("127") << 127 << 20;
    QTest::newRow("128") << 128 << kNoPicture;
}
void TestControlTables::knobPictures() {
    QFETCH(int, position);
    QFETCH(int, picture);
    QCOMPARE(knobPicture(position), picture);
}

void TestControlTables::eqGains_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("db");
    for (auto [p, d] : std::initializer_list<std::pair<int, int>>{{-3, -12},
                                                                  {0, -12},
                                                                  {5, -12},
                                                                  {6, -11},
                                                                  {10, -11},
                                                                  {56, -1},
                                                                  {60, -1},
                                                                  {61, 0},
                                                                  {65, 0},
                                                                  {66, 1},
                                                                  {120, 11},
                                                                  {121, 12},
                                                                  {127, 12},
                                                                  {128, 0},
                                                                  {200, 0}})
        QTest::newRow(qPrintable(QString::number(p))) << p << d;
}
void TestControlTables::eqGains() {
    QFETCH(int, position);
    QFETCH(int, db);
    QCOMPARE(eqGainDb(position), db);
}

void TestControlTables::eqFrequencies_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("mid");
    QTest::addColumn<QString>("high");
    QTest::newRow("-4") << -4 << "32"
                        << "32"
                        << "1.7k";
    QTest::newRow("0") << 0 << "32"
                       << "32"
                       << "1.7k";
    QTest::newRow("3") << 3 << "32"
                       << "40"
                       << "1.7k";
    QTest::newRow("4") << 4 << "40"
                       << "50"
                       << "1.8k";
    QTest::newRow("20") << 20 << "80"
                        << "175"
                        << "2.4k";
    QTest::newRow("28") << 28 << "100"
                        << "300"
                        << "2.8k";
    QTest::newRow("54") << 54 << "250"
                        << "1.2k"
                        << "4.0k";
    QTest::newRow("60") << 60 << "350"
                        << "1.5k"
                        << "5.0k";
    QTest::newRow("120") << 120 << "1.5k"
                         << "15.0k"
                         << "17.0k";
    QTest::newRow("127") << 127 << "1.6k"
                         << "18.0k"
                         << "18.0k";
    QTest::newRow("300") << 300 << "1.6k"
                         << "18.0k"
                         << "18.0k";
}
void TestControlTables::eqFrequencies() {
    QFETCH(int, position);
    QFETCH(QString, low);
    QFETCH(QString, mid);
    QFETCH(QString, high);
    QCOMPARE(eqFreqText(eqLowFreqStep(position)), low);
    QCOMPARE(eqFreqText(eqMidFreqStep(position)), mid);
    QCOMPARE(eqFreqText(32 + eqLowFreqStep(position)), high);
}

void TestControlTables::eqQ_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("picture");
    QTest::newRow("-1") << -1 << "0.25" << 0;
    QTest::newRow("17") << 17 << "0.25" << 0;
    QTest::newRow("18") << 18 << "0.50" << 3;
    QTest::newRow("36") << 36 << "1.00" << 7;
    QTest::newRow("54") << 54 << "2.00" << 10;
    QTest::newRow("72") << 72 << "4.00" << 14;
    QTest::newRow("107") << 107 << "8.00" << 17;
    QTest::newRow("108") << 108 << "16.00" << 20;
    QTest::newRow("127") << 127 << "16.00" << 20;
    QTest::newRow("200") << 200 << "16.00" << 20;
}
void TestControlTables::eqQ() {
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(int, picture);
    QCOMPARE(eqQText(eqQStep(position)), text);
    QCOMPARE(eqQPicture(eqQStep(position)), picture);
}

void TestControlTables::compThreshold_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("text");
    QTest::newRow("-1") << -1 << 0 << "-32";
    QTest::newRow("3") << 3 << 0 << "-32";
    QTest::newRow("39") << 39 << 9 << "-23";
    QTest::newRow("40") << 40 << 10 << "-22";
    QTest::newRow("42") << 42 << 10 << "-22";
    QTest::newRow("43") << 43 << 11 << "-21";
    QTest::newRow("49") << 49 << 12 << "-20";
    QTest::newRow("62") << 62 << 16 << "-16";
    QTest::newRow("71") << 71 << 18 << "-14";
    QTest::newRow("123") << 123 << 31 << "-1";
    QTest::newRow("124") << 124 << 32 << "0";
    QTest::newRow("127") << 127 << 32 << "0";
    QTest::newRow("200") << 200 << 32 << "0";
}
void TestControlTables::compThreshold() {
    QFETCH(int, position);
    QFETCH(int, step);
    QFETCH(QString, text);
    QCOMPARE(compThresholdStep(position), step);
    QCOMPARE(compThresholdText(step), text);
}

void TestControlTables::compRatio_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("picture");
    QTest::newRow("-1") << -1 << "1.0:1" << 0;
    QTest::newRow("5") << 5 << "1.0:1" << 0;
    QTest::newRow("6") << 6 << "1.1:1" << 1;
    QTest::newRow("18") << 18 << "1.5:1" << 4;
    QTest::newRow("83") << 83 << "16.0:1" << 18;
    QTest::newRow("84") << 84 << "inf:1" << 19;
    QTest::newRow("127") << 127 << "inf:1" << 19;
    QTest::newRow("300") << 300 << "inf:1" << 19;
}
void TestControlTables::compRatio() {
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(int, picture);
    QCOMPARE(compRatioText(compRatioStep(position)), text);
    QCOMPARE(compRatioPicture(compRatioStep(position)), picture);
}

void TestControlTables::compNumbers_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("gain");
    QTest::addColumn<int>("attack");
    QTest::addColumn<int>("release");
    QTest::newRow("-1") << -1 << 0 << 0 << 0;
    QTest::newRow("-2") << -2 << 0 << 2 << 10;
    QTest::newRow("0") << 0 << 0 << 2 << 10;
    QTest::newRow("5") << 5 << 0 << 12 << 60;
    QTest::newRow("6") << 6 << 1 << 14 << 70;
    QTest::newRow("98") << 98 << 16 << 198 << 990;
    QTest::newRow("99") << 99 << 16 << 200 << 1000;
    QTest::newRow("119") << 119 << 19 << 200 << 1000;
    QTest::newRow("120") << 120 << 20 << 200 << 1000;
    QTest::newRow("127") << 127 << 20 << 200 << 1000;
}
void TestControlTables::compNumbers() {
    QFETCH(int, position);
    QFETCH(int, gain);
    QFETCH(int, attack);
    QFETCH(int, release);
    QCOMPARE(compGain(position), gain);
    QCOMPARE(compAttack(position), attack);
    QCOMPARE(compRelease(position), release);
}

void TestControlTables::reverb_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("preDelayPicture");
    QTest::addColumn<int>("timePicture");
    QTest::addColumn<int>("diffPicture");
    QTest::addColumn<QString>("time");
    QTest::newRow("0") << 0 << 0 << 0 << 0 << "0.1";
    QTest::newRow("1") << 1 << 0 << 0 << 0 << "0.1";
    QTest::newRow("2") << 2 << 1 << 0 << 0 << "0.2";
    QTest::newRow("4") << 4 << 1 << 1 << 0 << "0.4";
    QTest::newRow("15") << 15 << 2 << 2 << 3 << "1.5";
    QTest::newRow("27") << 27 << 2 << 4 << 5 << "2.7";
    QTest::newRow("99") << 99 << 8 << 16 << 19 << "9.9";
    QTest::newRow("100") << 100 << 8 << 17 << 20 << "10.0";
    QTest::newRow("118") << 118 << 9 << 20 << 20 << "10.0";
    QTest::newRow("128") << 128 << 10 << kNoPicture << 20 << "10.0";
    QTest::newRow("248") << 248 << 19 << kNoPicture << 20 << "10.0";
    QTest::newRow("249") << 249 << 20 << kNoPicture << 20 << "10.0";
    QTest::newRow("250") << 250 << 20 << kNoPicture << 20 << "10.0";
    QTest::newRow("251") << 251 << kNoPicture << kNoPicture << 20 << "10.0";
}
void TestControlTables::reverb() {
    QFETCH(int, position);
    QFETCH(int, preDelayPicture);
    QFETCH(int, timePicture);
    QFETCH(int, diffPicture);
    QFETCH(QString, time);
    QCOMPARE(rvbPreDelayPicture(position), preDelayPicture);
    QCOMPARE(rvbTimePicture(position), timePicture);
    QCOMPARE(rvbDiffPicture(position), diffPicture);
    QCOMPARE(rvbTimeText(position), time);
}

void TestControlTables::sendLevels_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("picture");
    QTest::newRow("-3 as 0") << -3 << "-inf." << 0;
    QTest::newRow("0") << 0 << "-inf." << 0;
    QTest::newRow("1") << 1 << "-98dB" << 0;
    QTest::newRow("4") << 4 << "-91dB" << 0;
    QTest::newRow("5") << 5 << "-89dB" << 1;
    QTest::newRow("28") << 28 << "-42dB" << 5;
    QTest::newRow("29") << 29 << "-42dB" << 5;
    QTest::newRow("64") << 64 << "-18dB" << 10;
    QTest::newRow("79") << 79 << " -9dB" << 12;
    QTest::newRow("100") << 100 << " -1dB" << 16;
    QTest::newRow("101") << 101 << "  0dB" << 16;
    QTest::newRow("102") << 102 << "  0dB" << 16;
    QTest::newRow("104") << 104 << "  0dB" << 16;
    QTest::newRow("105") << 105 << "  1dB" << 17;
    QTest::newRow("122") << 122 << "  5dB" << 19;
    QTest::newRow("123") << 123 << "  5dB" << 20;
    QTest::newRow("125") << 125 << "  6dB" << 20;
    QTest::newRow("127") << 127 << "  6dB" << 20;
    QTest::newRow("200 as 127") << 200 << "  6dB" << 20;
}
void TestControlTables::sendLevels() {
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(int, picture);
    QCOMPARE(sendText(position), text);
    QCOMPARE(sendText(position).size(), 5);
    QCOMPARE(sendPicture(position), picture);
}

void TestControlTables::meterDots_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("dot");
    QTest::newRow("silence") << 0 << 106;
    QTest::newRow("72") << 72 << 106;
    QTest::newRow("73") << 73 << 104;
    QTest::newRow("81") << 81 << 104;
    QTest::newRow("82") << 82 << 102;
    QTest::newRow("26027") << 26027 << 4;
    QTest::newRow("26028") << 26028 << 2;
    QTest::newRow("29203") << 29203 << 2;
    QTest::newRow("29204") << 29204 << 0;
    QTest::newRow("32767") << 32767 << 0;
    QTest::newRow("32768") << 32768 << 0;
    QTest::newRow("65535") << 65535 << 0;
}
void TestControlTables::meterDots() {
    QFETCH(int, level);
    QFETCH(int, dot);
    QCOMPARE(int(levelDot((unsigned short)level)), dot);
    QCOMPARE(int(levelThreshold(0)), 32);
    QCOMPARE(int(levelThreshold(9)), 92);
    QCOMPARE(int(levelThreshold(36)), 2067);
    QCOMPARE(int(levelThreshold(37)), 2319);
    QCOMPARE(int(levelThreshold(60)), 32768);
}

void TestControlTables::grDots_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("dot");
    QTest::newRow("deep") << 100 << 0;
    QTest::newRow("2066") << 2066 << 0;
    QTest::newRow("2067") << 2067 << 3;
    QTest::newRow("29203") << 29203 << 61;
    QTest::newRow("29204") << 29204 << 62;
    QTest::newRow("no reduction") << 32767 << 62;
    QTest::newRow("full scale is no reduction") << 32768 << 62;
    QTest::newRow("65535 is no reduction") << 65535 << 62;
}
void TestControlTables::grDots() {
    QFETCH(int, value);
    QFETCH(int, dot);
    QCOMPARE(int(grDot((unsigned short)value)), dot);
}

void TestControlTables::monitorLevels_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("level");
    QTest::newRow("0") << 0 << 0.0;
    QTest::newRow("15") << 15 << -3.1;
    QTest::newRow("24") << 24 << -5.0;
    QTest::newRow("41") << 41 << -10.0;
    QTest::newRow("63") << 63 << -20.0;
    QTest::newRow("83") << 83 << -30.0;
    QTest::newRow("104") << 104 << -40.0;
    QTest::newRow("120") << 120 << -57.8;
    QTest::newRow("121") << 121 << -60.0;
    QTest::newRow("126") << 126 << -96.0;
    QTest::newRow("127") << 127 << -99.9;
}
void TestControlTables::monitorLevels() {
    QFETCH(int, index);
    QFETCH(double, level);
    QCOMPARE(moniConLevel(index), level);
    QCOMPARE(moniConPosition(level), 127 - index);
    // A five-character text of the level reads back as the same value.
    QCOMPARE(QStringLiteral("%1").arg(level, 5, 'f', 1).toDouble(), level);
}

void TestControlTables::monitorTableIsMonotonic() {
    for (int i = 1; i < 128; ++i)
        QVERIFY2(moniConLevel(i) < moniConLevel(i - 1), qPrintable(QString::number(i)));
    QCOMPARE(moniConPosition(-3.0), 112);  // between entries: the lower one
    QCOMPARE(moniConPosition(-58.9), 6);   // no -58.9 entry: -60.0
    QCOMPARE(moniConPosition(-120.0), -1); // the slider clamps it to 0
}

void TestControlTables::lineOutPictures_data() {
    QTest::addColumn<bool>("tarvik");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("picture");
    QTest::newRow("P 0") << false << 0 << ":Resource/arrow_AD/arrow_AD-1.png";
    QTest::newRow("P 2 is OPT A1") << false << 2 << ":Resource/arrow_AD/arrow_AD-3.png";
    QTest::newRow("P 9") << false << 9 << ":Resource/arrow_AD/arrow_AD-10.png";
    QTest::newRow("P 10") << false << 10 << ":Resource/arrow_ST/arrow_ST-L.png";
    QTest::newRow("P 11") << false << 11 << ":Resource/arrow_ST/arrow_ST-R.png";
    QTest::newRow("P 12") << false << 12 << ":Resource/arrow_AUX/arrow_AUX-1.png";
    QTest::newRow("P 15") << false << 15 << ":Resource/arrow_AUX/arrow_AUX-4.png";
    QTest::newRow("P 16") << false << 16 << ":Resource/arrow_comp/arrow_comp-1.png";
    QTest::newRow("P 19") << false << 19 << ":Resource/arrow_comp/arrow_comp-4.png";
    QTest::newRow("T 19") << true << 19 << ":Resource/arrow_AD/arrow_AD-20.png";
    QTest::newRow("T 20") << true << 20 << ":Resource/arrow_ST/arrow_ST-L.png";
    QTest::newRow("T 21") << true << 21 << ":Resource/arrow_ST/arrow_ST-R.png";
    QTest::newRow("T 22") << true << 22 << ":Resource/arrow_AUX/arrow_AUX-1.png";
    QTest::newRow("T 26") << true << 26 << ":Resource/arrow_comp/arrow_comp-1.png";
    QTest::newRow("T 35") << true << 35 << ":Resource/arrow_comp/arrow_comp-10.png";
}
void TestControlTables::lineOutPictures() {
    QFETCH(bool, tarvik);
    QFETCH(int, index);
    QFETCH(QString, picture);
    QLabel label;
    LineOut lineOut;
    if (tarvik)
        lineOut.setLineOut_Tarvik(&label, index);
    else
        lineOut.setLineOut_Pelvo(&label, index);
    const QImage expected(picture);
    QVERIFY(!expected.isNull());
    QCOMPARE(expected.size(), QSize(917, 11));
    QVERIFY(!label.pixmap(Qt::ReturnByValue).isNull());
    // Compared pixel for pixel: the file may keep its colours in a table of its own order.
    QCOMPARE(label.pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32),
             expected.convertToFormat(QImage::Format_ARGB32));
}

void TestControlTables::lineOutOutsideLeavesLabel() {
    LineOut lineOut;
    QLabel label;
    lineOut.setLineOut_Pelvo(&label, 5);
    const QImage before = label.pixmap(Qt::ReturnByValue).toImage();
    for (int index : {20, -1, 36})
        lineOut.setLineOut_Pelvo(&label, index);
    QCOMPARE(label.pixmap(Qt::ReturnByValue).toImage(), before);
    lineOut.setLineOut_Tarvik(&label, 36);
    lineOut.setLineOut_Tarvik(&label, -1);
    QCOMPARE(label.pixmap(Qt::ReturnByValue).toImage(), before);
    // The pictures of the two other modes exist under their names.
    for (int i = 0; i <= 25; ++i)
        QVERIFY2(!QImage(LineOut::audioInterfaceModePicture(i)).isNull(),
                 qPrintable(QString::number(i)));
    for (int i = 0; i <= 7; ++i)
        QVERIFY2(!QImage(LineOut::digitalMixerModePicture(i)).isNull(),
                 qPrintable(QString::number(i)));
    QVERIFY(LineOut::audioInterfaceModePicture(26).isEmpty());
    QVERIFY(LineOut::digitalMixerModePicture(8).isEmpty());
}

// --- every entry of the long tables ---------------------------------------------------------

void TestControlTables::faderRowsInFull() {
    Mismatches m;
    fader f;
    QLabel label;
    for (int row = 352; row <= 453; ++row) {
        const bool infinite = row >= 452;
        const int db = infinite ? 0 : transcribed::faderRowDb[row - 352];
        const QString listed = infinite ? QStringLiteral("-infinity")
                                        : rightAligned(QString::number(db) + ".0", 5) + " dB";
        const QString key = QStringLiteral("row %1").arg(row);
        m.check(key, f.setFaderValue(&label, row), listed);
        m.check(key + " label", label.text(), listed);
        // Back from the text: the first row of that level.
        int first = row;
        while (!infinite && first > 352 && transcribed::faderRowDb[first - 1 - 352] == db)
            --first;
        m.check(key + " searched", int(f.searchFaderPosition(listed)), infinite ? 453 : first);
        // The rows never rise in level going down.
        if (row > 352 && row <= 451)
            m.check(key + " falls", db <= transcribed::faderRowDb[row - 353], true);
    }
    VERIFY_ALL_ENTRIES(m);
}

void TestControlTables::panLabelsInFull() {
    Mismatches m;
    for (int i = 0; i <= 40; ++i) {
        // The rule of the labels: L20 to L1, C, R1 to R20.
        const QString rule = i < 20    ? QStringLiteral("L%1").arg(20 - i)
                             : i == 20 ? QStringLiteral("C")
                                       : QStringLiteral("R%1").arg(i - 20);
        m.check(QStringLiteral("label %1 rule").arg(i), QString(transcribed::panLabels[i]), rule);
    }
    for (int x = -2; x <= 101; ++x) {
        QString listed = QStringLiteral("Error");
        if (x >= 0 && x <= 40)
            listed = transcribed::panLabels[x]; // odd track, centre 20
        else if (x >= 59 && x <= 99)
            listed = transcribed::panLabels[x - 59]; // even track, centre 79
        m.check(QStringLiteral("position %1").arg(x), ChannelControl::calPanExchangeValue(short(x)),
                listed);
    }
    VERIFY_ALL_ENTRIES(m);
}

void TestControlTables::knobPicturesInFull() {
    const QVector<QImage> pictures = knobArtwork(":/Resource/track/knob_s/knob-s_%1.png");
    for (int k = 0; k <= 20; ++k)
        QVERIFY2(!pictures[k].isNull() && pictures.indexOf(pictures[k]) == k,
                 qPrintable(QStringLiteral("picture %1 missing or not distinct").arg(k)));
    const QVector<int> listed = transcribed::expand(transcribed::knobPictures, -3, 127, -1);
    Mismatches m;
    DialControl working(nullptr);
    DialControl knob(nullptr);
    for (int p = -3; p <= 127; ++p) {
        working.setDialEncImage(&knob, short(p));
        m.check(QStringLiteral("position %1").arg(p), shownPicture(knob, pictures), listed[p + 3]);
        m.check(QStringLiteral("position %1 size").arg(p), knob.size(), QSize(18, 18));
    }
    // Above 127 the knob keeps what it shows.
    working.setDialEncImage(&knob, 50);
    working.setDialEncImage(&knob, 128);
    m.check("position 128", shownPicture(knob, pictures), 7);
    // The rule: five positions a picture from 11 on, but ten for 7 and 14 and twelve for 20.
    for (int picture = 1; picture <= 20; ++picture) {
        const int width = int(listed.count(picture));
        const int rule = picture == 7 || picture == 14 ? 10 : picture == 20 ? 12 : 5;
        m.check(QStringLiteral("width of picture %1").arg(picture), width, rule);
    }
    VERIFY_ALL_ENTRIES(m);
}

void TestControlTables::eqGainsInFull() {
    const QVector<int> listed = transcribed::expand(transcribed::eqGainDb, -3, 130, 0);
    Mismatches m;
    QLabel label;
    for (int p = -3; p <= 130; ++p) {
        const QString key = QStringLiteral("position %1").arg(p);
        const int db = listed[p + 3];
        m.check(key, int(DialControl::calGainExchangeValue(short(p), 255)), db);
        DialControl::setGainEncValue(&label, short(p));
        m.check(key + " text", label.text(), QString::number(db));
        if (p >= 0 && p <= 127) // the rule: floor((p - 61) / 5) within -12..12
            m.check(key + " rule", db, qBound(-12, int(std::floor((p - 61) / 5.0)), 12));
    }
    VERIFY_ALL_ENTRIES(m);
}

void TestControlTables::eqFrequenciesInFull() {
    Mismatches m;
    for (int code = 1; code < 64; ++code)
        m.check(QStringLiteral("code %1 rises").arg(code),
                hertz(transcribed::eqFrequencies[code]) >
                    hertz(transcribed::eqFrequencies[code - 1]),
                true);
    for (int p = -2; p <= 130; ++p) {
        const QString key = QStringLiteral("position %1").arg(p);
        // Steps of four positions for the shelves, of two for the mid bands; held at the ends.
        const int shelf = qBound(0, p / 4, 31), mid = qBound(0, p / 2, 63);
        m.check(key + " low", DialControl::calLowFreqExchangeValue(short(p)),
                QString(transcribed::eqFrequencies[p < 0 ? 0 : shelf]));
        m.check(key + " low graph", int(DrawEq::cLowFreq), p < 0 ? 0 : shelf);
        m.check(key + " high", DialControl::calHighFreqExchangeValue(short(p)),
                QString(transcribed::eqFrequencies[32 + (p < 0 ? 0 : shelf)]));
        m.check(key + " high graph", int(DrawEq::cHighFreq), p < 0 ? 0 : shelf);
        m.check(key + " mid", DialControl::calMidFreqExchangeValue(short(p), 2),
                QString(transcribed::eqFrequencies[p < 0 ? 0 : mid]));
        m.check(key + " mid graph", int(DrawEq::cLowMidFreq), p < 0 ? 0 : mid);
    }
    VERIFY_ALL_ENTRIES(m);
}

void TestControlTables::eqQInFull() {
    const QVector<QImage> pictures = knobArtwork(":/Resource/track/knob_s/knob-s_%1.png");
    Mismatches m;
    for (int step = 1; step < 7; ++step) // each Q twice the one before
        m.check(QStringLiteral("Q %1 doubles").arg(step),
                QString(transcribed::eqQ[step]).toDouble(),
                2 * QString(transcribed::eqQ[step - 1]).toDouble());
    DialControl working(nullptr);
    DialControl knob(nullptr);
    for (int p = -2; p <= 130; ++p) {
        const QString key = QStringLiteral("position %1").arg(p);
        const int step = qBound(0, p / 18, 6); // steps of 18 positions, the last one wider
        m.check(key, DialControl::calQExchangeValue(short(p), 3), QString(transcribed::eqQ[step]));
        m.check(key + " graph", int(DrawEq::cHighMidQ), step);
        working.setDialEncImage_Q(&knob, short(p));
        m.check(key + " picture", shownPicture(knob, pictures), transcribed::eqQPictures[step]);
    }
    VERIFY_ALL_ENTRIES(m);
}

void TestControlTables::compThresholdInFull() {
    const QVector<QString> listed = transcribed::expand(transcribed::thresholdSteps);
    QCOMPARE(listed.size(), 128);
    Mismatches m;
    for (int p = -2; p <= 130; ++p) {
        const QString text = listed[qBound(0, p, 127)];
        m.check(QStringLiteral("position %1").arg(p),
                DialControl::calCompThresholdExchangeValue(short(p)), text);
        m.check(QStringLiteral("position %1 graph").arg(p), int(DrawCompressor::cThreshold),
                text.toInt() + 32);
    }
    // The rule: steps of four positions, three for -22, -20, -16 and -14 dB.
    for (int db = -32; db <= 0; ++db) {
        const int width = int(listed.count(QString::number(db)));
        const bool narrow = db == -22 || db == -20 || db == -16 || db == -14;
        m.check(QStringLiteral("width of %1 dB").arg(db), width, narrow ? 3 : 4);
    }
    VERIFY_ALL_ENTRIES(m);
}

void TestControlTables::compRatioInFull() {
    const QVector<QImage> pictures = knobArtwork(":/Resource/track/knob_s/knob-s_%1.png");
    const QVector<QString> listed = transcribed::expand(transcribed::ratioSteps);
    QCOMPARE(listed.size(), 128);
    Mismatches m;
    DialControl working(nullptr);
    DialControl knob(nullptr);
    for (int p = -2; p <= 130; ++p) {
        const QString key = QStringLiteral("position %1").arg(p);
        const int step = qBound(0, p / 6, 14); // six positions a step, the last to the end
        m.check(key, DialControl::calCompRatioExchangeValue(short(p)), listed[qBound(0, p, 127)]);
        m.check(key + " rule", listed[qBound(0, p, 127)],
                QString(transcribed::ratioSteps[step].texts[0]));
        m.check(key + " graph", int(DrawCompressor::cRatio), step);
        working.setDialEncImage_Ratio(&knob, short(p));
        m.check(key + " picture", shownPicture(knob, pictures), transcribed::ratioPictures[step]);
    }
    VERIFY_ALL_ENTRIES(m);
}

void TestControlTables::compNumbersInFull() {
    Mismatches m;
    for (int p = 0; p <= 130; ++p) {
        const QString key = QStringLiteral("position %1").arg(p);
        // Gain counts the bounds 6, 12, ..., 120 not above the position.
        int gain = 0;
        for (int bound = 6; bound <= 120 && bound <= p; bound += 6)
            ++gain;
        m.check(key + " gain", int(DialControl::calCompGainExchangeValue(short(p))), gain);
        m.check(key + " attack", int(DialControl::calCompAttackExchangeValue(short(p))),
                qMin(2 * p + 2, 200));
        m.check(key + " release", int(DialControl::calCompReleaseExchangeValue(short(p))),
                qMin(10 * p + 10, 1000));
    }
    VERIFY_ALL_ENTRIES(m);
}

void TestControlTables::sendLevelsInFull() {
    const QVector<QString> listed = transcribed::expand(transcribed::sendTexts);
    QCOMPARE(listed.size(), 128);
    const QVector<int> pictureOf = transcribed::expand(transcribed::sendPictures, -3, 127, -1);
    const QVector<QImage> pictures = knobArtwork(":/Resource/track/knob_send/knob_L_%1.png");
    for (int k = 0; k <= 20; ++k)
        QVERIFY2(!pictures[k].isNull() && pictures.indexOf(pictures[k]) == k,
                 qPrintable(QStringLiteral("send picture %1 missing or not distinct").arg(k)));
    Mismatches m;
    DialControlSend working(nullptr);
    DialControlSend knob(nullptr);
    QLabel label;
    for (int p = -3; p <= 127; ++p) {
        const QString key = QStringLiteral("position %1").arg(p);
        const QString text = listed[qMax(0, p)];
        m.check(key, working.setSendEncValue(&label, short(p)), text);
        m.check(key + " label", label.text(), text);
        working.setSendDialEncImage(&knob, short(p));
        m.check(key + " picture", shownPicture(knob, pictures), pictureOf[p + 3]);
        if (p < 1)
            continue;
        // The rule of the texts: a whole dB number right-aligned in three characters and
        // "dB", never falling as the position rises.
        const int db = text.left(3).trimmed().toInt();
        m.check(key + " form", text, rightAligned(QString::number(db), 3) + "dB");
        if (p > 1)
            m.check(key + " rises", db >= listed[p - 1].left(3).trimmed().toInt(), true);
    }
    VERIFY_ALL_ENTRIES(m);
}

void TestControlTables::meterTablesInFull() {
    Mismatches m;
    DrawLevelMeter meter;
    const int *t = transcribed::meterThresholds;
    for (int i = 0; i <= 60; ++i) {
        const QString key = QStringLiteral("threshold %1").arg(i);
        // The rule: floor(32768 x 10^((i - 60) / 20)).
        m.check(key + " rule", t[i], int(std::floor(32768.0L * std::pow(10.0L, (i - 60) / 20.0L))));
        m.check(key, int(levelThreshold(i)), t[i]);
        // A level just below a threshold shows the dot of that entry, the threshold itself
        // the next one: 106 up to entry 7, then two pixels a dB.
        const auto dot = [](int entry) {
            return entry > 60 ? 0 : entry <= 7 ? 106 : 2 * (60 - entry);
        };
        m.check(key + " below", int(meter.convertToDot(ushort(t[i] - 1))), dot(i));
        if (i < 60)
            m.check(key + " at", int(meter.convertToDot(ushort(t[i]))), dot(i + 1));
    }
    m.check("silence", int(meter.convertToDot(0)), 106);
    m.check("full scale", int(meter.convertToDot(32768)), 0);
    for (int k = 0; k <= 24; ++k) {
        const int threshold = t[36 + k];
        const QString key = QStringLiteral("reduction threshold %1").arg(k);
        m.check(key + " below", int(meter.convertToDotForGRMeter(ushort(threshold - 1))),
                transcribed::grDots[k]);
        if (k < 24)
            m.check(key + " at", int(meter.convertToDotForGRMeter(ushort(threshold))),
                    transcribed::grDots[k + 1]);
    }
    m.check("deepest reduction", int(meter.convertToDotForGRMeter(0)), 0);
    VERIFY_ALL_ENTRIES(m);
}

void TestControlTables::monitorLevelsInFull() {
    Mismatches m;
    const double *level = transcribed::monitorLevels;
    for (int i = 0; i < 128; ++i) {
        const QString key = QStringLiteral("index %1").arg(i);
        const int position = 127 - i;
        m.check(key, MonitorControl::levelOfPosition(position), level[i]);
        m.check(key + " position", moniConPosition(level[i]), position);
        // A level between this entry and the one above lands on this entry.
        if (i > 0)
            m.check(key + " between", moniConPosition((level[i] + level[i - 1]) / 2), position);
        m.check(key + " text", QStringLiteral("%1").arg(level[i], 5, 'f', 1).toDouble(), level[i]);
        if (i > 0)
            m.check(key + " falls", level[i] < level[i - 1], true);
    }
    // The rule: straight lines between the anchors, each entry rounded to a tenth of a dB.
    const auto &anchors = transcribed::monitorAnchors;
    for (size_t a = 1; a < std::size(anchors); ++a)
        for (int i = anchors[a - 1].index; i <= anchors[a].index; ++i) {
            const double line = anchors[a - 1].dB + (anchors[a].dB - anchors[a - 1].dB) *
                                                        (i - anchors[a - 1].index) /
                                                        (anchors[a].index - anchors[a - 1].index);
            if (std::abs(level[i] - line) > 0.05 + 1e-9)
                m.fail(QStringLiteral("index %1: %2 is off the line at %3")
                           .arg(i)
                           .arg(level[i])
                           .arg(line));
        }
    m.check("off", level[127], -99.9);
    VERIFY_ALL_ENTRIES(m);
}

QTEST_MAIN(TestControlTables)
#include "tst_controls_tables.moc"
