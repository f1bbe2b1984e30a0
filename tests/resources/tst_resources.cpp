// The compiled-in resources: every picture the program names is present at the
// size it is used at, both spellings of a path reach it, the states of a control and the
// frames of a knob can be told apart, and the notice names what the program links.
#include "OlvaneResources.h"
#include "catalogue.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QTextCodec>
#include <QtTest>

#include <cmath>

namespace {

struct Named {
    QString path; // below Resource/
    QSize size;   // an invalid size: the picture's size is ours to choose
};

QStringList selectStems() {
    QStringList stems;
    for (int i = 1; i <= 4; ++i)
        stems << QStringLiteral("INPUT%1").arg(i);
    for (const char *bank : {"OPTA", "OPTB"})
        for (int i = 1; i <= 8; ++i)
            stems << QString::fromLatin1(bank) + QString::number(i);
    return stems;
}

QStringList pairStems() {
    return {QStringLiteral("LINK_INPUT1-2"), QStringLiteral("LINK_INPUT3-4"),
            QStringLiteral("LINK_OUTA1-A2"), QStringLiteral("LINK_OUTA3-A4"),
            QStringLiteral("LINK_OUTA5-A6"), QStringLiteral("LINK_OUTA7-A8"),
            QStringLiteral("LINK_OUTB1-B2"), QStringLiteral("LINK_OUTB3-B4"),
            QStringLiteral("LINK_OUTB5-B6"), QStringLiteral("LINK_OUTB7-B8")};
}

// Clock readings of the 21 knob frames: 700, 730, 800, ... 1630, 1700.
QStringList knobClocks() {
    QStringList clocks;
    for (int k = 0; k <= 20; ++k)
        clocks << QString::number((7 + k / 2) * 100 + (k % 2) * 30);
    return clocks;
}

// Line-out arrows in the order of the larger model's source list (left to right).
QStringList routeArrows() {
    QStringList names;
    for (int i = 1; i <= 20; ++i)
        names << QStringLiteral("arrow_AD/arrow_AD-%1.png").arg(i);
    names << QStringLiteral("arrow_ST/arrow_ST-L.png") << QStringLiteral("arrow_ST/arrow_ST-R.png");
    for (int i = 1; i <= 4; ++i)
        names << QStringLiteral("arrow_AUX/arrow_AUX-%1.png").arg(i);
    for (int i = 1; i <= 10; ++i)
        names << QStringLiteral("arrow_comp/arrow_comp-%1.png").arg(i);
    return names;
}

QStringList modeArrows() {
    QStringList names;
    for (const char *n : {"master-L", "master-R", "aux1", "aux2", "aux3", "aux4"})
        names << QStringLiteral("arrow_Gorsa_A-IF/arrow_Gorsa_A-IF_%1.png").arg(n);
    for (int i = 1; i <= 20; ++i)
        names << QStringLiteral("arrow_Gorsa_A-IF/arrow_Gorsa_A-IF_cp%1.png").arg(i);
    for (const char *n :
         {"mauster-L", "mauster-R", "aux1", "aux2", "aux3", "aux4", "solo-L", "solo-R"})
        names << QStringLiteral("arrow_Gorsa_D-Mixer/arrow_Gorsa_D-Mixer_%1.png").arg(n);
    return names;
}

// Every picture the program names, with the size it is shown at.
QVector<Named> namedPictures() {
    QVector<Named> all;
    auto add = [&all](const QString &path, int w, int h) { all.push_back({path, QSize(w, h)}); };
    auto addFree = [&all](const QString &path) { all.push_back({path, QSize()}); };
    add("trans.png", 100, 100);
    add("icon/icon_32x32.png", 32, 32);
    for (const char *page : {"Tarvik_mixer_back.png", "Tarvik_info_back.png",
                             "PELVO_ROUTING_back.png", "Tarvik_ROUTING_back.png"})
        add(page, 1260, 700);
    add("Gorsa_mixer_disable.png", 1260, 115);
    add("track/Tarvik_track_0.png", 58, 511);
    add("track/Tarvik_track_1.png", 58, 511);
    add("track/TrackLink_0.png", 117, 511);
    add("track/TrackLink_1.png", 117, 511);
    add("track/Tarvik_master.png", 74, 435);
    add("track/return.png", 74, 91);
    add("track/return_disable.png", 74, 91);
    add("track/PAN.png", 12, 12);
    add("track/PAN_c.png", 12, 12);
    add("track/Meter.png", 6, 107);
    add("track/Peak.png", 6, 5);
    for (const char *gr : {"track/GR_passive.png", "track/GR_active.png", "track/GR_available.png"})
        add(gr, 5, 63);
    add("track/LCF_off.png", 31, 14);
    add("track/LCF_on.png", 31, 14);
    for (const char *small :
         {"Phase_0", "Phase_1", "PHASE_disable", "THRU_0", "THRU_1", "PRE_1", "POST_1"})
        add(QStringLiteral("track/%1.png").arg(small), 25, 13);
    for (const char *wide :
         {"EQ", "EQ_disable", "COMP", "COMP_disable", "SOLO", "MUTE", "LINK_0", "LINK_1",
          "reverb_Hall_1", "reverb_Rooml_1", "reverb_Live_1", "reverb_Studio_1", "reverb_Plate_1"})
        add(QStringLiteral("track/%1.png").arg(wide), 50, 13);
    add("track/REVERB_1.png", 50, 15);
    addFree("track/Feder.png");
    addFree("track/Feder_master.png");
    for (const QString &stem : selectStems()) {
        add("track/select/" + stem + "_0.png", 50, 15);
        add("track/select/" + stem + "_1.png", 50, 15);
    }
    for (const QString &stem : pairStems()) {
        add("track/select_LINK/" + stem + "_0.png", 84, 15);
        add("track/select_LINK/" + stem + "_1.png", 84, 15);
    }
    for (const QString &clock : knobClocks()) {
        add("track/knob_s/knob-s_" + clock + ".png", 18, 18);
        add("track/knob_send/knob_L_" + clock + ".png", 26, 26);
    }
    for (const char *type : {"hall", "room", "live", "studio", "plate"})
        add(QStringLiteral("Reverb/Rvb_%1.png").arg(type), 91, 80);
    for (const QString &arrow : routeArrows())
        add(arrow, 917, 11);
    for (const QString &arrow : modeArrows())
        all.push_back({arrow, QSize(-1, 17)}); // 17 high, width of its own
    add("monicon/monicon_back_link.png", 640, 480);
    add("monicon/monicon_back.png", 360, 480);
    add("monicon/monicon_link_0.png", 120, 25);
    add("monicon/monicon_link_1.png", 120, 25);
    for (const char *pair : {"12", "34", "56", "78"}) {
        add(QStringLiteral("monicon/monicon_out%1_0.png").arg(pair), 120, 50);
        add(QStringLiteral("monicon/monicon_out%1_1.png").arg(pair), 120, 50);
    }
    add("monicon/MoniConEnable.png", 76, 20);
    addFree("monicon/nob_white.png");
    addFree("monicon/nob_red.png");
    add("update/Download_250x100.png", 250, 100);
    add("update/info_570x160_icon.png", 570, 160);
    return all;
}

QImage load(const QString &path) {
    return QImage(QStringLiteral(":/Resource/") + path);
}

int luma(QRgb c) {
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}

// Mean luminance of an area, composited over black (a clear pixel counts as dark).
double meanLuma(const QImage &img, const QRect &area) {
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = argb.pixel(x, y);
            sum += luma(c) * qAlpha(c) / 255.0;
            ++n;
        }
    return n ? sum / n : 0.0;
}

double lumaSpread(const QImage &img, const QRect &area) {
    const double mean = meanLuma(img, area);
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    double sq = 0;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const double d = luma(argb.pixel(x, y)) - mean;
            sq += d * d;
            ++n;
        }
    return std::sqrt(sq / n);
}

// Mean absolute difference per channel, 0 to 255.
double difference(const QImage &a, const QImage &b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c) {
            const QRgb p = x.pixel(c, r);
            const QRgb q = y.pixel(c, r);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * x.width() * x.height());
}

bool isDirectoryToSkip(const QString &path) {
    const QString name = QFileInfo(path).fileName();
    return name.startsWith(QLatin1Char('.')) || name.startsWith(QLatin1String("build")) ||
           QFile::exists(path + QStringLiteral("/CMakeCache.txt"));
}

// Resource paths written in the program's sources, style sheets and forms.
QSet<QString> pathsInSources(const QString &root) {
    static const QRegularExpression pattern(
        QStringLiteral(":/?Resource/([A-Za-z0-9_./-]+\\.(?:png|txt))"));
    static const QStringList suffixes = {"cpp", "h", "hpp", "ui", "qrc", "qss", "css"};
    QSet<QString> found;
    QStringList dirs = {root};
    while (!dirs.isEmpty()) {
        const QString dir = dirs.takeLast();
        const QFileInfoList entries =
            QDir(dir).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
        for (const QFileInfo &e : entries) {
            if (e.isDir()) {
                if (!isDirectoryToSkip(e.filePath()))
                    dirs << e.filePath();
                continue;
            }
            if (!suffixes.contains(e.suffix()))
                continue;
            QFile f(e.filePath());
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(f.readAll());
            auto it = pattern.globalMatch(text);
            while (it.hasNext())
                found.insert(it.next().captured(1));
        }
    }
    return found;
}

// The strip pictures start 2 pixels left of their strip page and 15 rows below its top;
// these are the places of the buttons whose Off picture is transparent, in those pictures.
struct UnderFace {
    const char *background;
    const char *face;
    QPoint at;
};

const UnderFace kFacesOverArtwork[] = {
    {"track/Tarvik_track_0.png", "track/EQ.png", {4, 44}},
    {"track/Tarvik_track_0.png", "track/COMP.png", {4, 59}},
    {"track/Tarvik_track_0.png", "track/PRE_1.png", {4, 92}},
    {"track/Tarvik_track_0.png", "track/POST_1.png", {29, 233}},
    {"track/Tarvik_track_0.png", "track/SOLO.png", {4, 279}},
    {"track/Tarvik_track_0.png", "track/MUTE.png", {4, 295}},
    {"track/TrackLink_0.png", "track/EQ.png", {34, 44}},
    {"track/TrackLink_0.png", "track/PRE_1.png", {34, 139}},
    {"track/TrackLink_0.png", "track/SOLO.png", {34, 279}},
    {"track/TrackLink_0.png", "track/MUTE.png", {34, 295}},
    {"track/Tarvik_master.png", "track/MUTE.png", {12, 225}},
    {"track/return.png", "track/REVERB_1.png", {12, 7}},
    {"Tarvik_mixer_back.png", "track/reverb_Hall_1.png", {1199, 63}},
    {"Tarvik_mixer_back.png", "track/reverb_Rooml_1.png", {1199, 80}},
    {"Tarvik_mixer_back.png", "track/reverb_Live_1.png", {1199, 97}},
    {"Tarvik_mixer_back.png", "track/reverb_Studio_1.png", {1199, 114}},
    {"Tarvik_mixer_back.png", "track/reverb_Plate_1.png", {1199, 131}},
    {"Tarvik_ROUTING_back.png", "monicon/MoniConEnable.png", {1094, 209}},
};

} // namespace

class TestResources : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void namedPicturesHaveTheirSizes();
    void storedPicturesAreTheirDrawings();
    void treeHoldsTheNamedFilesAndNoOthers();
    void pathsWrittenInTheSourcesExist();
    void bothSpellingsNameTheSameFile();
    void transparentPictureIsClearEverywhere();
    void opaquePicturesHideWhatLiesUnder_data();
    void opaquePicturesHideWhatLiesUnder();
    void gainReductionBarsAreSolid_data();
    void gainReductionBarsAreSolid();
    void knobFramesTurnHalfAnHourEach_data();
    void knobFramesTurnHalfAnHourEach();
    void statesOfOneControlDiffer_data();
    void statesOfOneControlDiffer();
    void litFaceIsBrighterThanTheUnlitFaceUnderIt_data();
    void litFaceIsBrighterThanTheUnlitFaceUnderIt();
    void pageBackgroundsShowTheirPageButtons_data();
    void pageBackgroundsShowTheirPageButtons();
    void meterShowsItsBottomRowLit();
    void arrowsRunFromTheirSourceColumnToTheOutput();
    void interfaceCornerTextsLieOnThePlainPlate();
    void monitorCaptionPlatesKeepToTheirPages_data();
    void monitorCaptionPlatesKeepToTheirPages();
    void noticeNamesTheLinkedLibrariesOnSeparatePages();
};

void TestResources::initTestCase() {
    // Linking the library registers the tree before main(); the explicit call is harmless.
    QVERIFY(QFile::exists(QStringLiteral(":/Resource/trans.png")));
    olvaneInitResources();
    olvaneInitResources();
    QVERIFY(QFile::exists(QStringLiteral(":/Resource/LICENSE.txt")));
}

void TestResources::namedPicturesHaveTheirSizes() {
    for (const Named &n : namedPictures()) {
        const QImage img = load(n.path);
        QVERIFY2(!img.isNull(), qPrintable(n.path));
        if (n.size.width() > 0)
            QVERIFY2(img.width() == n.size.width(), qPrintable(n.path));
        if (n.size.height() > 0)
            QVERIFY2(img.height() == n.size.height(), qPrintable(n.path));
    }
}

// A picture of few colours is stored with a table of them, which the panel decodes several
// times faster at start-up; however it is stored, it decodes into exactly what was drawn.
void TestResources::storedPicturesAreTheirDrawings() {
    int tabled = 0;
    for (const art::Picture &pic : art::catalogue()) {
        const QImage drawn = art::render(pic).convertToFormat(QImage::Format_ARGB32);
        const QString path = QStringLiteral(":/Resource/") + pic.path;
        QVERIFY2(QImage(path).convertToFormat(QImage::Format_ARGB32) == drawn, qPrintable(path));
        QSet<QRgb> colours;
        for (int y = 0; y < drawn.height() && colours.size() <= 256; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(drawn.constScanLine(y));
            for (int x = 0; x < drawn.width(); ++x)
                colours.insert(line[x]);
        }
        const bool fewColours = colours.size() <= 256;
        QVERIFY2((QImageReader(path).imageFormat() == QImage::Format_Indexed8) == fewColours,
                 qPrintable(path));
        tabled += fewColours;
    }
    QVERIFY(tabled > 200); // nearly all of them: the pictures are drawn in flat colours
}

void TestResources::treeHoldsTheNamedFilesAndNoOthers() {
    QSet<QString> expected;
    for (const Named &n : namedPictures())
        expected.insert(n.path);
    expected.insert(QStringLiteral("LICENSE.txt"));
    QSet<QString> present;
    QDirIterator it(QStringLiteral(":/Resource"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        present.insert(it.next().mid(int(strlen(":/Resource/"))));
    const QSet<QString> missing = expected - present;
    const QSet<QString> extra = present - expected;
    QVERIFY2(missing.isEmpty(), qPrintable(QStringList(missing.values()).join(' ')));
    QVERIFY2(extra.isEmpty(), qPrintable(QStringList(extra.values()).join(' ')));
    QCOMPARE(present.size(), 241);
}

void TestResources::pathsWrittenInTheSourcesExist() {
    const QSet<QString> paths = pathsInSources(QStringLiteral(OLVANE_SOURCE_DIR));
    QVERIFY(!paths.isEmpty());
    for (const QString &p : paths) {
        const QString full = QStringLiteral(":/Resource/") + p;
        if (p.endsWith(QLatin1String(".png")))
            QVERIFY2(!QImage(full).isNull(), qPrintable(full));
        else
            QVERIFY2(QFile::exists(full), qPrintable(full));
    }
}

void TestResources::bothSpellingsNameTheSameFile() {
    QDirIterator it(QStringLiteral(":/Resource"), QDir::Files, QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString withSlash = it.next();
        const QString without = QStringLiteral(":") + withSlash.mid(2);
        QFile a(withSlash);
        QFile b(without);
        QVERIFY2(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly), qPrintable(without));
        QVERIFY2(a.readAll() == b.readAll(), qPrintable(without));
        if (withSlash.endsWith(QLatin1String(".png")))
            QVERIFY2(QImage(withSlash) == QImage(without), qPrintable(without));
        ++files;
    }
    QCOMPARE(files, 241);
}

void TestResources::transparentPictureIsClearEverywhere() {
    const QImage img = load(QStringLiteral("trans.png")).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(img.size(), QSize(100, 100));
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            QVERIFY2(qAlpha(img.pixel(x, y)) == 0,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
}

void TestResources::opaquePicturesHideWhatLiesUnder_data() {
    QTest::addColumn<QString>("path");
    for (const char *p : {"Tarvik_mixer_back.png",
                          "Tarvik_info_back.png",
                          "PELVO_ROUTING_back.png",
                          "Tarvik_ROUTING_back.png",
                          "Gorsa_mixer_disable.png",
                          "track/LCF_off.png",
                          "track/LCF_on.png",
                          "track/Tarvik_track_0.png",
                          "track/Tarvik_track_1.png",
                          "track/TrackLink_0.png",
                          "track/TrackLink_1.png",
                          "track/Tarvik_master.png",
                          "track/return.png",
                          "track/return_disable.png",
                          "track/Meter.png",
                          "track/Peak.png",
                          "monicon/monicon_back_link.png",
                          "monicon/monicon_back.png",
                          "update/Download_250x100.png",
                          "Reverb/Rvb_hall.png",
                          "Reverb/Rvb_plate.png"})
        QTest::newRow(p) << QString::fromLatin1(p);
}

void TestResources::opaquePicturesHideWhatLiesUnder() {
    QFETCH(QString, path);
    const QImage img = load(path).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!img.isNull());
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            QVERIFY2(qAlpha(img.pixel(x, y)) == 255,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
}

void TestResources::gainReductionBarsAreSolid_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("passive") << "track/GR_passive.png" << QColor(80, 80, 80);
    QTest::newRow("active") << "track/GR_active.png" << QColor(160, 160, 160);
    QTest::newRow("available") << "track/GR_available.png" << QColor(41, 223, 255);
}

void TestResources::gainReductionBarsAreSolid() {
    QFETCH(QString, path);
    QFETCH(QColor, colour);
    const QImage img = load(path).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            QCOMPARE(img.pixel(x, y), colour.rgba());
}

void TestResources::knobFramesTurnHalfAnHourEach_data() {
    QTest::addColumn<QString>("stem");
    QTest::newRow("effect knob") << "track/knob_s/knob-s_";
    QTest::newRow("send knob") << "track/knob_send/knob_L_";
}

void TestResources::knobFramesTurnHalfAnHourEach() {
    QFETCH(QString, stem);
    const QStringList clocks = knobClocks();
    QImage previous;
    for (int k = 0; k < clocks.size(); ++k) {
        const QImage img =
            load(stem + clocks.at(k) + ".png").convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!img.isNull());
        if (k > 0)
            QVERIFY2(img != previous, qPrintable(clocks.at(k)));
        previous = img;
        // The orange pointer: where its pixels lie, seen from the knob's centre.
        double sx = 0;
        double sy = 0;
        double weight = 0;
        const double cx = img.width() / 2.0;
        const double cy = img.height() / 2.0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                if (qAlpha(c) > 128 && qRed(c) > 170 && qGreen(c) > 70 && qGreen(c) < 200 &&
                    qBlue(c) < 100) {
                    sx += x + 0.5 - cx;
                    sy += y + 0.5 - cy;
                    weight += 1;
                }
            }
        QVERIFY2(weight > 0, qPrintable(clocks.at(k)));
        sx /= weight;
        sy /= weight;
        QVERIFY2(std::hypot(sx, sy) > 2.0, qPrintable(clocks.at(k)));
        // Clock angle, clockwise from 12: 7 o'clock is 210 degrees, each frame 15 more.
        const double angle = std::fmod(std::atan2(sx, -sy) * 180.0 / M_PI + 360.0, 360.0);
        const double expected = std::fmod(210.0 + 15.0 * k, 360.0);
        double off = std::fabs(angle - expected);
        off = std::min(off, 360.0 - off);
        QVERIFY2(
            off < 8.0,
            qPrintable(
                QStringLiteral("%1: %2 against %3").arg(clocks.at(k)).arg(angle).arg(expected)));
    }
}

void TestResources::statesOfOneControlDiffer_data() {
    QTest::addColumn<QStringList>("states");
    auto row = [](const char *name, const QStringList &states) { QTest::newRow(name) << states; };
    row("phase", {"track/Phase_0.png", "track/Phase_1.png", "track/PHASE_disable.png"});
    row("bypass", {"track/THRU_0.png", "track/THRU_1.png"});
    row("equaliser", {"track/EQ.png", "track/EQ_disable.png"});
    row("compressor", {"track/COMP.png", "track/COMP_disable.png"});
    row("link", {"track/LINK_0.png", "track/LINK_1.png"});
    row("low cut", {"track/LCF_off.png", "track/LCF_on.png"});
    row("pan", {"track/PAN.png", "track/PAN_c.png"});
    row("mono strip", {"track/Tarvik_track_0.png", "track/Tarvik_track_1.png"});
    row("stereo strip", {"track/TrackLink_0.png", "track/TrackLink_1.png"});
    row("return", {"track/return.png", "track/return_disable.png"});
    row("gain reduction",
        {"track/GR_passive.png", "track/GR_active.png", "track/GR_available.png"});
    row("fader caps", {"track/Feder.png", "track/Feder_master.png"});
    row("monitor caps", {"monicon/nob_white.png", "monicon/nob_red.png"});
    row("monitor link", {"monicon/monicon_link_0.png", "monicon/monicon_link_1.png"});
    for (const char *pair : {"12", "34", "56", "78"})
        QTest::newRow(qPrintable(QStringLiteral("monitor pair %1").arg(pair)))
            << QStringList{QStringLiteral("monicon/monicon_out%1_0.png").arg(pair),
                           QStringLiteral("monicon/monicon_out%1_1.png").arg(pair)};
    for (const QString &stem : selectStems())
        QTest::newRow(qPrintable("select " + stem))
            << QStringList{"track/select/" + stem + "_0.png", "track/select/" + stem + "_1.png"};
    for (const QString &stem : pairStems())
        QTest::newRow(qPrintable("select " + stem)) << QStringList{
            "track/select_LINK/" + stem + "_0.png", "track/select_LINK/" + stem + "_1.png"};
}

void TestResources::statesOfOneControlDiffer() {
    QFETCH(QStringList, states);
    for (int i = 0; i < states.size(); ++i)
        for (int j = i + 1; j < states.size(); ++j) {
            const QImage a = load(states.at(i));
            const QImage b = load(states.at(j));
            QCOMPARE(a.size(), b.size());
            // Visibly different: on average at least 8 levels apart per channel.
            QVERIFY2(difference(a, b) >= 8.0, qPrintable(states.at(i) + " / " + states.at(j) +
                                                         ": " + QString::number(difference(a, b))));
        }
}

void TestResources::litFaceIsBrighterThanTheUnlitFaceUnderIt_data() {
    QTest::addColumn<QString>("unlit");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QString>("lit");
    // Controls with a picture for each state.
    auto pair = [](const QString &unlit, const QString &lit) {
        const QImage img = load(lit);
        QTest::newRow(qPrintable(lit)) << unlit << img.rect() << lit;
    };
    pair("track/Phase_0.png", "track/Phase_1.png");
    pair("track/THRU_0.png", "track/THRU_1.png");
    pair("track/LINK_0.png", "track/LINK_1.png");
    pair("track/LCF_off.png", "track/LCF_on.png");
    pair("track/EQ_disable.png", "track/EQ.png");
    pair("track/COMP_disable.png", "track/COMP.png");
    pair("monicon/monicon_link_1.png", "monicon/monicon_link_0.png");
    pair("monicon/monicon_out12_1.png", "monicon/monicon_out12_0.png");
    pair("track/select/INPUT1_0.png", "track/select/INPUT1_1.png");
    pair("track/select_LINK/LINK_OUTB7-B8_0.png", "track/select_LINK/LINK_OUTB7-B8_1.png");
    // Controls whose Off picture is transparent: the artwork under them is the unlit face.
    for (const UnderFace &u : kFacesOverArtwork) {
        const QImage img = load(u.face);
        QTest::newRow(qPrintable(QStringLiteral("%1 on %2").arg(u.face, u.background)))
            << QString::fromLatin1(u.background) << QRect(u.at, img.size())
            << QString::fromLatin1(u.face);
    }
}

void TestResources::litFaceIsBrighterThanTheUnlitFaceUnderIt() {
    QFETCH(QString, unlit);
    QFETCH(QRect, area);
    QFETCH(QString, lit);
    const QImage under = load(unlit);
    const QImage face = load(lit);
    QVERIFY(under.rect().contains(area));
    // The unlit face carries its caption (not a plain patch) ...
    QVERIFY2(lumaSpread(under, area) > 10.0, qPrintable(QString::number(lumaSpread(under, area))));
    // ... and the lit face is clearly brighter.
    const double dark = meanLuma(under, area);
    const double bright = meanLuma(face, face.rect());
    QVERIFY2(bright > dark + 40.0,
             qPrintable(QStringLiteral("%1 against %2").arg(bright).arg(dark)));
}

void TestResources::pageBackgroundsShowTheirPageButtons_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QRect>("button");
    QTest::newRow("mixer to interface") << "Tarvik_mixer_back.png" << QRect(180, 0, 130, 30);
    QTest::newRow("mixer to output") << "Tarvik_mixer_back.png" << QRect(322, 0, 130, 30);
    QTest::newRow("interface to mixer") << "Tarvik_info_back.png" << QRect(33, 0, 130, 30);
    QTest::newRow("interface to output") << "Tarvik_info_back.png" << QRect(324, 0, 130, 30);
    QTest::newRow("smaller to mixer") << "PELVO_ROUTING_back.png" << QRect(32, 0, 130, 30);
    QTest::newRow("smaller to interface") << "PELVO_ROUTING_back.png" << QRect(176, 0, 130, 30);
    QTest::newRow("larger to mixer") << "Tarvik_ROUTING_back.png" << QRect(33, 0, 130, 30);
    QTest::newRow("larger to interface") << "Tarvik_ROUTING_back.png" << QRect(177, 0, 130, 30);
}

void TestResources::pageBackgroundsShowTheirPageButtons() {
    QFETCH(QString, page);
    QFETCH(QRect, button);
    const QImage img = load(page);
    // A drawn tab with its word, not the plain page: the area has edges and lettering.
    QVERIFY2(lumaSpread(img, button) > 12.0, qPrintable(QString::number(lumaSpread(img, button))));
}

void TestResources::meterShowsItsBottomRowLit() {
    // The bar starts 1 pixel high and shows the picture's bottom row; it fills upward from
    // there with the top, full-scale end in another colour.
    const QImage img =
        load(QStringLiteral("track/Meter.png")).convertToFormat(QImage::Format_ARGB32);
    const QRgb bottom = img.pixel(2, img.height() - 1);
    const QRgb top = img.pixel(2, 0);
    QVERIFY(luma(bottom) > 80);
    QVERIFY(luma(top) > 50);
    QVERIFY(qRed(top) > qGreen(top));
    QVERIFY(qGreen(bottom) > qRed(bottom));
}

void TestResources::arrowsRunFromTheirSourceColumnToTheOutput() {
    int lastStart = -1;
    for (const QString &name : routeArrows()) {
        const QImage img = load(name).convertToFormat(QImage::Format_ARGB32);
        const int centre = img.height() / 2;
        int start = -1;
        for (int x = 0; x < img.width() && start < 0; ++x)
            if (qAlpha(img.pixel(x, centre)) > 128)
                start = x;
        // Visible in the label (its 36 left-most columns are cut off) and left of the end.
        QVERIFY2(start >= 36 && start < img.width() - 20, qPrintable(name));
        // Each source's arrow starts further right than the one before it in the list.
        QVERIFY2(start > lastStart, qPrintable(name));
        lastStart = start;
        // Clear left of the start, so the routing diagram shows through.
        for (int x = 0; x < start - 5; ++x)
            for (int y = 0; y < img.height(); ++y)
                QVERIFY2(qAlpha(img.pixel(x, y)) == 0, qPrintable(name));
        // Unbroken to the right edge, where the output's field begins.
        for (int x = start; x < img.width(); ++x)
            QVERIFY2(qAlpha(img.pixel(x, centre)) > 128, qPrintable(name));
    }
}

void TestResources::interfaceCornerTextsLieOnThePlainPlate() {
    // The labels in the page's right-hand corners, where the form puts them and where the
    // window moves the title and the rights notice.
    const QRect texts[] = {
        {1026, 34, 221, 41}, // link to the web site
        {949, 639, 300, 16}, // title
        {949, 649, 300, 16}, // title, moved
        {950, 656, 300, 16}, // rights notice
        {950, 666, 300, 16}, // rights notice, moved
        {909, 663, 341, 30}, // credit line
    };
    const QImage img =
        load(QStringLiteral("Tarvik_info_back.png")).convertToFormat(QImage::Format_RGB32);
    // The plate is brushed along its rows: under a text nothing but the plate means one
    // colour in each row.
    for (const QRect &r : texts)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                QVERIFY2(img.pixel(x, y) == img.pixel(r.left(), y),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
}

void TestResources::monitorCaptionPlatesKeepToTheirPages_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QVector<QRect>>("captions");
    // The stacked pages end at x 360; the dialog's picture shows right of that on both.
    const QRect page(0, 0, 360, 480);
    const QRect source(30, 30, 91, 21);
    QTest::newRow("window and two-fader page")
        << "monicon/monicon_back_link.png"
        << QVector<QRect>{source, QRect(180, 30, 91, 21) & page, QRect(276, 30, 91, 21) & page,
                          QRect(370, 30, 111, 31), QRect(520, 30, 91, 21)};
    QTest::newRow("linked page") << "monicon/monicon_back.png"
                                 << QVector<QRect>{source, QRect(200, 30, 91, 21)};
}

// A light caption plate lies only where a caption shows, so none runs across the edge of
// the stacked pages and under the divider there.
void TestResources::monitorCaptionPlatesKeepToTheirPages() {
    QFETCH(QString, picture);
    QFETCH(QVector<QRect>, captions);
    const QImage img = load(picture).convertToFormat(QImage::Format_RGB32);
    for (int y = 20; y < 63; ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (luma(img.pixel(x, y)) < 120)
                continue;
            bool under = false;
            for (const QRect &c : captions)
                under = under || c.contains(x, y);
            QVERIFY2(under, qPrintable(QStringLiteral("plate at %1,%2").arg(x).arg(y)));
        }
}

void TestResources::noticeNamesTheLinkedLibrariesOnSeparatePages() {
    QFile f(QStringLiteral(":/Resource/LICENSE.txt"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QTextCodec::ConverterState state;
    const QString text =
        QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    QCOMPARE(state.invalidChars, 0);
    // Our notice is the first page; each licence text starts a page of its own (the texts
    // carry page breaks of their own as well).
    const QStringList pages = text.split(QChar(0x0c));
    QVERIFY(pages.size() >= 4);
    for (const QString &page : pages)
        QVERIFY(!page.trimmed().isEmpty());
    const QString notice = pages.at(0);
    QVERIFY(notice.contains(QLatin1String("Qt 5")));
    QVERIFY(notice.contains(QLatin1String("GNU Lesser General Public License, version 3")));
    QVERIFY(notice.contains(QLatin1String("libusb-1.0")));
    QVERIFY(notice.contains(QLatin1String("GNU Lesser General Public License, version 2.1")));
    auto startsWith = [](const QString &page, const char *title, const char *version) {
        const QString head = page.trimmed().left(200);
        return head.startsWith(QLatin1String(title)) && head.contains(QLatin1String(version));
    };
    QVERIFY(startsWith(pages.at(1), "GNU LESSER GENERAL PUBLIC LICENSE", "Version 3"));
    QVERIFY(startsWith(pages.at(2), "GNU GENERAL PUBLIC LICENSE", "Version 3"));
    QVERIFY(startsWith(pages.at(3), "GNU LESSER GENERAL PUBLIC LICENSE", "Version 2.1"));
    // With the page breaks removed, as the notice window shows it, every page still reads.
    QString shown = text;
    shown.remove(QChar(0x0c));
    QVERIFY(shown.contains(QLatin1String("libusb-1.0")));
    QCOMPARE(shown.size(), text.size() - (pages.size() - 1));
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
