// The value tables of the controls: pan texts, fader rows, knob positions to texts, steps
// and pictures, send levels, meter dots, the monitor level table and the line-out arrows.
#include "ControlTables.h"
#include "LineOut.h"
#include "fader.h"

#include <QLabel>
#include <QPixmap>
#include <QtTest>

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
};

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
    QCOMPARE(label.pixmap(Qt::ReturnByValue).toImage().convertToFormat(expected.format()),
             expected);
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

QTEST_MAIN(TestControlTables)
#include "tst_controls_tables.moc"
