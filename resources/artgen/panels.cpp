// The large layouts of the artwork. Every coordinate here is the place of a widget on the
// picture (a strip picture's origin is the strip's top-left pixel), so a control drawn unlit
// lies exactly under the button that shows its lit face.
#include "panels.h"

#include "catalogue.h"
#include "paint.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <initializer_list>

namespace art {
namespace {

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------------------------------
// Shared helpers

void groove(QPainter &p, int x1, int x2, int y) {
    p.fillRect(QRect(x1, y, x2 - x1 + 1, 1), ink::edgeDark);
    p.fillRect(QRect(x1, y + 1, x2 - x1 + 1, 1), QColor(0x33, 0x36, 0x3b));
}

void unlit(QPainter &p, const QRect &r, const QString &caption) {
    face(p, r, caption, FaceState::Unlit, QColor(), r.width() <= 31 ? Font::Small : Font::Large);
}

void display(QPainter &p, const QRect &r) {
    recess(p, r, QColor(0x0b, 0x0a, 0x08));
}

void smallText(QPainter &p, int x, int y, const QString &t, const QColor &c = ink::legendDim) {
    drawText(p, x, y, t, Font::Small, c);
}

void smallRight(QPainter &p, int right, int y, const QString &t, const QColor &c = ink::legendDim) {
    drawText(p, right - textWidth(t, Font::Small) + 1, y, t, Font::Small, c);
}

void smallCentred(QPainter &p, double cx, double cy, const QString &t,
                  const QColor &c = ink::legendDim) {
    drawTextCentred(p, cx, cy, t, Font::Small, c);
}

// Body of a strip module: vertical brushing, raised edges, a header band that lights up
// while the strip is the selected channel.
void stripBody(QImage &img, bool selected, const QColor &accent, quint32 seed) {
    const QColor base = selected ? QColor(0x33, 0x37, 0x3e) : ink::panel;
    brushed(img, img.rect(), base, 3, seed, true);
    QPainter p(&img);
    bevel(p, img.rect().adjusted(0, 0, 0, 0));
    const QColor band = selected ? ink::cyan : accent.darker(330);
    p.fillRect(QRect(1, 1, img.width() - 2, 4), band);
    if (selected) {
        p.setPen(QPen(ink::cyan, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(img.rect().adjusted(1, 1, -2, -2));
    }
}

// Fader scale: handle centre row for each scale index (position 100 - index), with the marks
// of the fader table (+6, 0, -5, -10, -20, -40, -60 dB and off).
struct Mark {
    int index;
    const char *label;
};
const Mark kFaderMarks[] = {{0, "6"},   {20, "0"},  {36, "5"},  {47, "10"},
                            {61, "20"}, {87, "40"}, {97, "60"}, {100, ""}};

void faderSlot(QPainter &p, int left, int right, int slotLeft, int top, int travel) {
    // top: handle centre at position 100; travel: pixels between the two ends.
    recess(p, QRect(slotLeft, top - 3, 5, travel + 7), QColor(0x04, 0x04, 0x05));
    for (const Mark &m : kFaderMarks) {
        const int y = top + int(std::lround(m.index * travel / 100.0));
        const QColor tick = m.index == 20 ? ink::legend : ink::legendDim;
        p.fillRect(QRect(right - 5, y, 5, 1), tick);
        if (left >= 0)
            smallRight(p, right - 7, y - 2, m.label, tick);
    }
}

// Unlit peak lamps and meter ladders behind the bars (the bars cover them while lit).
void meterSlot(QPainter &p, const QRect &bay, std::initializer_list<int> ladders, int peakTop,
               int meterTop, int meterBottom) {
    recess(p, bay, QColor(0x05, 0x05, 0x06));
    for (const int col : ladders) {
        p.fillRect(QRect(col, peakTop, 6, 5), QColor(0x3a, 0x0c, 0x0a));
        for (int y = meterTop; y <= meterBottom; ++y) {
            if ((meterBottom - y) % 3 == 2)
                continue;
            const int row = y - meterTop;
            const QColor c = row < 6    ? QColor(0x36, 0x10, 0x0e)
                             : row < 24 ? QColor(0x33, 0x2c, 0x0a)
                                        : QColor(0x0e, 0x2a, 0x16);
            p.fillRect(QRect(col, y, 6, 1), c);
        }
    }
}

void panTrack(QPainter &p, int left, int right, int centre, int y) {
    p.fillRect(QRect(left, y, right - left + 1, 2), ink::well);
    p.fillRect(QRect(left, y + 2, right - left + 1, 1), QColor(0x36, 0x39, 0x3f));
    p.fillRect(QRect(centre - 1, y - 5, 2, 3), ink::legend);
    p.fillRect(QRect(centre - 1, y + 4, 2, 3), ink::legend);
    p.fillRect(QRect(left, y - 3, 1, 2), ink::legendDim);
    p.fillRect(QRect(right, y - 3, 1, 2), ink::legendDim);
}

void sendRow(QPainter &p, int knobX, int knobY, int number, int labelX) {
    knobWell(p, QPointF(knobX + 13, knobY + 13), 13.0);
    smallText(p, labelX, knobY + 11, QString::number(number));
}

void tabs(QImage &img, int active) {
    brushed(img, QRect(0, 0, img.width(), 32), QColor(0x15, 0x16, 0x18), 2, 901, false);
    QPainter p(&img);
    p.fillRect(QRect(0, 31, img.width(), 1), ink::edgeDark);
    const char *words[] = {"MIXER", "INTERFACE", "ROUTING"};
    const int xs[] = {33, 178, 323};
    for (int i = 0; i < 3; ++i) {
        const QRect r(xs[i], 2, 130, 28);
        if (i == active) {
            face(p, r, QString(), FaceState::Unlit, QColor(), Font::Large);
            p.fillRect(QRect(r.left() + 3, r.bottom() - 2, r.width() - 6, 2), ink::amber);
            drawTextCentred(p, r.center().x() + 0.5, r.center().y() - 0.5, words[i], Font::Large,
                            QColor(0xf0, 0xf2, 0xf5), 2);
        } else {
            face(p, r, QString(), FaceState::Disabled, QColor(), Font::Large);
            drawTextCentred(p, r.center().x() + 0.5, r.center().y() + 0.5, words[i], Font::Large,
                            ink::legendDim, 2);
        }
    }
    // Maker's mark in the top-right corner.
    const QString mark = QStringLiteral("MORVEX");
    drawText(p, 1248 - textWidth(mark, Font::Large, 2), 8, mark, Font::Large, ink::amber, 2);
}

// ---------------------------------------------------------------------------------------
// Effects strip (equaliser, compressor, reverb), 1260 x 115, drawn at page row 40.

constexpr int kStripTop = 40;
int ey(int pageY) {
    return pageY - kStripTop;
}

struct KnobPlace {
    int x;
    int y;
    int displayX;
    int displayY;
    int displayWidth;
    const char *caption;
    const char *unit;
};

void knobWithDisplay(QPainter &p, const KnobPlace &k) {
    knobWell(p, QPointF(k.x + 9, ey(k.y) + 9), 10.5);
    display(p, QRect(k.displayX - 1, ey(k.displayY) - 1, k.displayWidth + 2, 13));
    if (k.unit[0])
        smallText(p, k.displayX + k.displayWidth + 2, ey(k.displayY) + 3, k.unit);
    if (k.caption[0])
        smallText(p, k.x, ey(k.y) - 9, k.caption, ink::legend);
}

const KnobPlace kEqKnobs[] = {
    {228, 51, 253, 59, 29, "", "DB"},   {228, 77, 253, 85, 29, "", "DB"},
    {228, 103, 253, 111, 29, "", "DB"}, {228, 129, 253, 137, 29, "", "DB"},
    {308, 51, 333, 59, 30, "", "HZ"},   {308, 77, 333, 85, 30, "", "HZ"},
    {308, 103, 333, 111, 30, "", "HZ"}, {308, 129, 333, 138, 30, "", "HZ"},
    {388, 77, 413, 85, 30, "", ""},     {388, 103, 413, 111, 30, "", ""},
};

const KnobPlace kCompKnobs[] = {
    {607, 70, 638, 70, 30, "THRESHOLD", "DB"}, {689, 70, 713, 70, 35, "RATIO", ""},
    {769, 70, 799, 70, 30, "GAIN", "DB"},      {607, 123, 638, 123, 30, "ATTACK", "MS"},
    {689, 123, 715, 123, 30, "RELEASE", "MS"},
};

const KnobPlace kReverbKnobs[] = {
    {873, 131, 897, 136, 30, "PRE DELAY", "MS"},
    {955, 131, 979, 136, 30, "TIME", "S"},
    {1039, 131, 1066, 136, 30, "DIFFUSION", ""},
};

void sectionPanel(QImage &img, const QRect &r, quint32 seed, const QString &title, int titleX) {
    brushed(img, r, QColor(0x2a, 0x2c, 0x31), 3, seed, false);
    QPainter p(&img);
    bevel(p, r);
    drawText(p, titleX, ey(45), title, Font::Large, ink::amber);
}

void equaliser(QImage &img) {
    sectionPanel(img, QRect(6, 1, 448, 113), 11, QStringLiteral("EQUALIZER"), 22);
    QPainter p(&img);
    // Graph field: 0 dB on row 38, 2.6 pixels a dB, 45 columns a decade with 1 kHz at 76.
    const int gx = 22;
    const int gy = ey(67);
    recess(p, QRect(gx - 1, gy - 1, 138, 79), QColor(0x06, 0x08, 0x0c));
    for (int f : {20,  30,  40,  50,  60,   70,   80,   90,   200,  300,  400,  500,
                  600, 700, 800, 900, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000}) {
        const int col = int(std::lround(76 + 45 * std::log10(f / 1000.0)));
        if (col >= 1 && col <= 135)
            p.fillRect(QRect(gx + col, gy, 1, 77), ink::grid);
    }
    for (int col : {31, 76, 121})
        p.fillRect(QRect(gx + col, gy, 1, 77), ink::gridBright);
    for (int row : {7, 22, 54, 69})
        p.fillRect(QRect(gx, gy + row, 136, 1), ink::grid);
    p.fillRect(QRect(gx, gy + 38, 136, 1), ink::gridBright);
    smallRight(p, gx - 3, gy + 7 - 2, QStringLiteral("+12"));
    smallRight(p, gx - 3, gy + 38 - 2, QStringLiteral("0"));
    smallRight(p, gx - 3, gy + 69 - 2, QStringLiteral("-12"));
    smallCentred(p, gx + 31.5, ey(148), QStringLiteral("100"));
    smallCentred(p, gx + 76.5, ey(148), QStringLiteral("1K"));
    smallCentred(p, gx + 121.5, ey(148), QStringLiteral("10K"));
    // Band names beside the rows, parameter names above the columns.
    const char *bands[] = {"HIGH", "HI-MID", "LO-MID", "LOW"};
    const int rows[] = {51, 77, 103, 129};
    for (int i = 0; i < 4; ++i) {
        const QString b = bands[i];
        drawText(p, 220 - textWidth(b, Font::Large), ey(rows[i]) + 5, b, Font::Large, ink::legend);
    }
    smallCentred(p, 255.5, ey(46), QStringLiteral("GAIN"), ink::legend);
    smallCentred(p, 335.5, ey(46), QStringLiteral("FREQ"), ink::legend);
    smallCentred(p, 415.5, ey(46), QStringLiteral("Q"), ink::legend);
    for (const KnobPlace &k : kEqKnobs)
        knobWithDisplay(p, k);
    // The unlit low-cut face; the button covers it with its own opaque faces.
    p.fillRect(QRect(410, ey(135), 31, 14), ink::panel);
    face(p, QRect(410, ey(135), 31, 14), QStringLiteral("LCF"), FaceState::Unlit, QColor(),
         Font::Small);
}

void compressor(QImage &img) {
    sectionPanel(img, QRect(460, 1, 393, 113), 12, QStringLiteral("COMPRESSOR"), 479);
    QPainter p(&img);
    const int gx = 479;
    const int gy = ey(69);
    recess(p, QRect(gx - 1, gy - 1, 65, 71), QColor(0x06, 0x08, 0x0c));
    for (int i = 1; i < 4; ++i) {
        p.fillRect(QRect(gx + 16 * i, gy, 1, 69), ink::grid);
        p.fillRect(QRect(gx, gy + 2 + 16 * i, 63, 1), ink::grid);
    }
    // The 1:1 line the curve leaves above its knee.
    p.save();
    p.setClipRect(QRect(gx, gy, 63, 69));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(ink::gridBright, 1.0, Qt::DashLine));
    p.drawLine(QPointF(gx, gy + 67), QPointF(gx + 65, gy + 2));
    p.restore();
    smallCentred(p, gx + 31.5, ey(143), QStringLiteral("IN"));
    smallRight(p, gx - 3, gy + 1, QStringLiteral("0"));
    smallRight(p, gx - 3, gy + 62, QStringLiteral("-"));
    // Gain-reduction slot: the bar hangs from its top row.
    recess(p, QRect(568, ey(72), 7, 65), QColor(0x04, 0x04, 0x05));
    for (int i = 0; i <= 7; ++i)
        p.fillRect(QRect(576, ey(73) + 9 * i, 3, 1), ink::legendDim);
    smallCentred(p, 571.5, ey(66), QStringLiteral("GR"), ink::legend);
    for (const KnobPlace &k : kCompKnobs)
        knobWithDisplay(p, k);
}

void reverb(QImage &img) {
    sectionPanel(img, QRect(861, 1, 397, 113), 13, QStringLiteral("REVERB"), 873);
    QPainter p(&img);
    recess(p, QRect(872, ey(62), 222, 51), QColor(0x06, 0x08, 0x0c));
    for (int x = 873; x < 1093; x += 20)
        p.fillRect(QRect(x, ey(63), 1, 49), ink::grid);
    p.fillRect(QRect(873, ey(110), 220, 1), ink::gridBright);
    recess(p, QRect(1103, ey(61), 92, 83), QColor(0x06, 0x08, 0x0c));
    smallText(p, 1199, ey(55), QStringLiteral("TYPE"), ink::legend);
    const char *types[] = {"HALL", "ROOM", "LIVE", "STUDIO", "PLATE"};
    for (int i = 0; i < 5; ++i)
        unlit(p, QRect(1199, ey(63 + 17 * i), 50, 13), types[i]);
    for (const KnobPlace &k : kReverbKnobs)
        knobWithDisplay(p, k);
}

QImage effectsStrip() {
    QImage img = blank(1260, 115);
    brushed(img, img.rect(), QColor(0x1b, 0x1c, 0x1f), 2, 10, false);
    equaliser(img);
    compressor(img);
    reverb(img);
    return img;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Routing pages

struct Column {
    int column; // source column (index of the larger model's list)
    const char *label;
};

static const Column kLargerInputs[] = {
    {0, "1"},   {1, "2"},   {2, "3"},   {3, "4"},   {4, "A1"},  {5, "A2"},  {6, "A3"},
    {7, "A4"},  {8, "A5"},  {9, "A6"},  {10, "A7"}, {11, "A8"}, {12, "B1"}, {13, "B2"},
    {14, "B3"}, {15, "B4"}, {16, "B5"}, {17, "B6"}, {18, "B7"}, {19, "B8"},
};

// The smaller model's inputs take the first ten columns (its list has no inputs 3 and 4).
static const Column kSmallerInputs[] = {
    {0, "1"},  {1, "2"},  {2, "A1"}, {3, "A2"}, {4, "A3"},
    {5, "A4"}, {6, "A5"}, {7, "A6"}, {8, "A7"}, {9, "A8"},
};

struct Group {
    int first;
    int last;
    const char *name;
};

static void routeColumn(QPainter &p, int x, int top, int bottom, const QColor &lamp) {
    p.fillRect(QRect(x - 1, top, 2, bottom - top + 1), lamp.darker(340));
}

void routingPage(QImage &img, bool larger) {
    brushed(img, img.rect(), QColor(0x1d, 0x1f, 0x22), 2, larger ? 41 : 42, false);
    tabs(img, 2);
    QPainter p(&img);
    drawText(p, 40, 44, QStringLiteral("OUTPUT ROUTING"), Font::Large, ink::amber);
    drawText(p, 40 + textWidth(QStringLiteral("OUTPUT ROUTING  "), Font::Large), 44,
             larger ? QStringLiteral("OLVANE TARVIK") : QStringLiteral("OLVANE PELVO"), Font::Large,
             ink::legendDim);

    const int inputs = larger ? 20 : 10;
    const int computers = larger ? 10 : 4;
    const int lineOuts = larger ? 8 : 2;
    const int firstRow = larger ? 376 : 483;
    const int bottom = larger ? 584 : 533;
    const Column *cols = larger ? kLargerInputs : kSmallerInputs;

    // Inputs block.
    const int inRight = sourceColumnX(inputs - 1) + 16;
    brushed(p, QRect(40, 64, inRight - 40, 52), QColor(0x2a, 0x2c, 0x31), 3, 43, false);
    bevel(p, QRect(40, 64, inRight - 40, 52));
    const Group largerGroups[] = {{0, 3, "ANALOG"}, {4, 11, "OPTICAL A"}, {12, 19, "OPTICAL B"}};
    const Group smallerGroups[] = {{0, 1, "ANALOG"}, {2, 9, "OPTICAL A"}};
    const Group *groups = larger ? largerGroups : smallerGroups;
    const int groupCount = larger ? 3 : 2;
    for (int g = 0; g < groupCount; ++g) {
        const int a = sourceColumnX(groups[g].first);
        const int b = sourceColumnX(groups[g].last);
        smallCentred(p, (a + b) / 2.0, 71, groups[g].name, ink::legend);
        p.fillRect(QRect(a - 6, 76, b - a + 12, 1), ink::legendDim);
    }
    for (int i = 0; i < inputs; ++i) {
        const int x = sourceColumnX(cols[i].column);
        smallCentred(p, x, 84, cols[i].label, ink::legend);
        knobWell(p, QPointF(x, 100), 5.0);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(0x70, 0x75, 0x7d), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(x, 100), 4.0, 4.0);
        p.setRenderHint(QPainter::Antialiasing, false);
        routeColumn(p, x, 106, bottom, ink::cyan);
        // Tap into the mixer bus.
        p.fillRect(QRect(x - 2, 128, 4, 4), ink::cyan.darker(200));
    }
    p.fillRect(QRect(sourceColumnX(0), 129, 470 - sourceColumnX(0), 2), ink::cyan.darker(250));
    smallText(p, sourceColumnX(0), 134, QStringLiteral("TO MIXER"));

    // Mixer and computer blocks with the buses that leave them.
    auto block = [&](const QRect &r, const QString &a, const QString &b, quint32 seed) {
        brushed(p, r, QColor(0x2a, 0x2c, 0x31), 3, seed, false);
        bevel(p, r);
        drawTextCentred(p, r.center().x() + 0.5, r.top() + 30, a, Font::Large, ink::legend, 2);
        if (!b.isEmpty())
            drawTextCentred(p, r.center().x() + 0.5, r.top() + 52, b, Font::Large, ink::legendDim);
    };
    block(QRect(470, 118, 160, 150), QStringLiteral("MIXER"), QString(), 44);
    block(QRect(640, 118, 220, 150), QStringLiteral("COMPUTER"), QStringLiteral("PLAYBACK"), 45);
    p.fillRect(QRect(466, 126, 4, 8), ink::cyan.darker(200));
    smallCentred(p, 500.5, 250, QStringLiteral("MASTER"), ink::legend);
    smallCentred(p, 580.5, 250, QStringLiteral("AUX"), ink::legend);
    const char *masterLabels[] = {"L", "R"};
    for (int i = 0; i < 2; ++i) {
        const int x = sourceColumnX(20 + i);
        routeColumn(p, x, 268, bottom, ink::amber);
        smallCentred(p, x, 259, masterLabels[i], ink::legend);
    }
    for (int i = 0; i < 4; ++i) {
        const int x = sourceColumnX(22 + i);
        routeColumn(p, x, 268, bottom, ink::green);
        smallCentred(p, x, 259, QString::number(i + 1), ink::legend);
    }
    for (int i = 0; i < computers; ++i) {
        const int x = sourceColumnX(26 + i);
        routeColumn(p, x, 268, bottom, ink::magenta);
        smallCentred(p, x, 259, QString::number(i + 1), ink::legend);
    }

    // Source names again just above the line-out rows.
    const int captionY = firstRow - 16;
    for (int i = 0; i < inputs; ++i)
        smallCentred(p, sourceColumnX(cols[i].column), captionY, cols[i].label);
    smallCentred(p, sourceColumnX(20), captionY, QStringLiteral("L"));
    smallCentred(p, sourceColumnX(21), captionY, QStringLiteral("R"));
    for (int i = 0; i < 4; ++i)
        smallCentred(p, sourceColumnX(22 + i), captionY, QString::number(i + 1));
    for (int i = 0; i < computers; ++i)
        smallCentred(p, sourceColumnX(26 + i), captionY, QString::number(i + 1));

    // Line-out rows: the arrow labels start 9 rows above the arrow's centre line; the
    // source boxes stand at a fixed pitch of 27 pixels.
    const int largerArrowRows[] = {376, 402, 429, 456, 484, 510, 537, 564};
    const int smallerArrowRows[] = {483, 510};
    const int *arrowRows = larger ? largerArrowRows : smallerArrowRows;
    const int comboTop = larger ? 376 : 484;
    drawText(p, 997, comboTop - 20, QStringLiteral("LINE OUTPUTS"), Font::Large, ink::amber);
    for (int k = 0; k < lineOuts; ++k) {
        const int centre = arrowRows[k] + 9;
        for (int x = 40; x < 905; x += 4)
            p.fillRect(QRect(x, centre, 1, 1), QColor(0x3a, 0x3e, 0x44));
        const int top = comboTop + 27 * k;
        const QRect field(914, top - 3, 334, 24);
        brushed(p, field, QColor(0x2a, 0x2c, 0x31), 3, 50 + quint32(k), false);
        bevel(p, field);
        p.fillRect(QRect(914, centre - 1, 8, 3), ink::legendDim);
        drawText(p, 1126, top + 5, QStringLiteral("LINE OUT %1").arg(k + 1), Font::Large,
                 ink::legend);
        knobWell(p, QPointF(1234, top + 9), 7.0);
    }

    if (larger) {
        // Monitor-select box with its enable button (the button lies over it).
        const QRect box(940, 150, 308, 92);
        brushed(p, box, QColor(0x2a, 0x2c, 0x31), 3, 60, false);
        bevel(p, box);
        drawText(p, 952, 160, QStringLiteral("MONITOR CONTROL"), Font::Large, ink::amber);
        smallText(p, 952, 176, QStringLiteral("LEVELS AND SOURCES OF LINE OUT 1-8"), ink::legend);
        smallText(p, 952, 215, QStringLiteral("OPEN THE MONITOR WINDOW"), ink::legendDim);
        face(p, QRect(1094, 209, 76, 20), QStringLiteral("ENABLE"), FaceState::Unlit, QColor(),
             Font::Large);
    }
}

// ---------------------------------------------------------------------------------------
// Monitor-control window

static int monitorHandleRow(int index) {
    return 140 + int(std::lround(index * 285.0 / 127.0));
}

static void monitorFader(QPainter &p, double centreX) {
    const int left = int(std::floor(centreX)) - 1;
    recess(p, QRect(left - 1, 135, 6, 312), QColor(0x04, 0x04, 0x05));
    // Marks at 0, -5, -10, -20, -30, -40 and -60 dB and off, by the level table's indexes.
    const Mark marks[] = {{0, "0"},   {24, "5"},   {41, "10"},  {63, "20"},
                          {83, "30"}, {104, "40"}, {121, "60"}, {127, "-"}};
    for (const Mark &m : marks) {
        const int y = monitorHandleRow(m.index);
        const QColor c = m.index == 0 ? ink::legend : ink::legendDim;
        p.fillRect(QRect(left - 12, y, 8, 1), c);
        p.fillRect(QRect(left + 8, y, 8, 1), c);
        smallRight(p, left - 15, y - 2, m.label, c);
    }
}

void monitorPage(QImage &img, bool twoFaders) {
    brushed(img, img.rect(), QColor(0x20, 0x22, 0x25), 3, twoFaders ? 70 : 71, true);
    QPainter p(&img);
    bevel(p, img.rect());
    // Source column.
    const QRect source(10, 20, 140, 180);
    brushed(p, source, QColor(0x2a, 0x2c, 0x31), 3, 72, false);
    bevel(p, source);
    namePlate(p, QRect(30, 30, 91, 21), 73);
    smallText(p, 22, 64, QStringLiteral("LINK SOURCES"), ink::legend);
    groove(p, 160, 160, 20);
    p.fillRect(QRect(160, 20, 1, 440), ink::edgeDark);
    p.fillRect(QRect(161, 20, 1, 440), QColor(0x33, 0x36, 0x3b));
    if (twoFaders) {
        // The second caption reaches past the page's right edge at 360, where the divider
        // runs: both plates keep to the page, centred on their captions.
        namePlate(p, QRect(189, 30, 74, 21), 74);
        namePlate(p, QRect(285, 30, 74, 21), 75);
        monitorFader(p, 221.5);
        monitorFader(p, 320.5);
    } else {
        namePlate(p, QRect(200, 30, 91, 21), 76);
        monitorFader(p, 244.5);
    }
    if (img.width() < 640)
        return;
    p.fillRect(QRect(360, 20, 1, 440), ink::edgeDark);
    p.fillRect(QRect(361, 20, 1, 440), QColor(0x33, 0x36, 0x3b));
    namePlate(p, QRect(370, 30, 111, 31), 77);
    monitorFader(p, 420.5);
    p.fillRect(QRect(490, 20, 1, 440), ink::edgeDark);
    p.fillRect(QRect(491, 20, 1, 440), QColor(0x33, 0x36, 0x3b));
    namePlate(p, QRect(520, 30, 91, 21), 78);
    const QRect outputs(497, 80, 132, 294);
    brushed(p, outputs, QColor(0x2a, 0x2c, 0x31), 3, 79, false);
    bevel(p, outputs);
    drawText(p, 503, 455, QStringLiteral("MONITOR"), Font::Large, ink::amber);
}

// ---------------------------------------------------------------------------------------
// Reverb type scenes

void reverbScene(QImage &img, int type, const QString &word) {
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, img.height());
    g.setColorAt(0.0, QColor(0x0c, 0x16, 0x1e));
    g.setColorAt(1.0, QColor(0x05, 0x08, 0x0b));
    p.fillRect(img.rect(), g);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor line(0x86, 0xd8, 0xff);
    const QColor faint(0x86, 0xd8, 0xff, 90);
    p.setPen(QPen(line, 1.2));
    p.setBrush(Qt::NoBrush);
    switch (type) {
    case 0: { // hall: a long vaulted hall with columns
        QPainterPath vault;
        vault.moveTo(8, 52);
        vault.lineTo(8, 28);
        vault.cubicTo(8, 4, 83, 4, 83, 28);
        vault.lineTo(83, 52);
        p.drawPath(vault);
        for (int x : {20, 34, 57, 71})
            p.drawLine(QPointF(x, 26), QPointF(x, 52));
        p.drawLine(QPointF(4, 52.5), QPointF(87, 52.5));
        p.setPen(QPen(faint, 1.0));
        for (int r = 8; r <= 24; r += 8)
            p.drawArc(QRectF(45.5 - r, 36 - r, 2 * r, 2 * r), 30 * 16, 120 * 16);
        break;
    }
    case 1: { // room: a small room in perspective
        const QRectF back(31, 20, 29, 22);
        p.drawRect(back);
        p.drawLine(QPointF(8, 6), back.topLeft());
        p.drawLine(QPointF(83, 6), back.topRight());
        p.drawLine(QPointF(8, 56), back.bottomLeft());
        p.drawLine(QPointF(83, 56), back.bottomRight());
        p.drawRect(QRectF(14, 26, 9, 22));
        p.setPen(QPen(faint, 1.0));
        p.drawLine(QPointF(8, 6), QPointF(8, 56));
        p.drawLine(QPointF(83, 6), QPointF(83, 56));
        break;
    }
    case 2: { // live: a stage under spotlights, the audience in front
        p.setPen(Qt::NoPen);
        for (int x : {22, 45, 68}) {
            QPainterPath beam;
            beam.moveTo(x, 6);
            beam.lineTo(x - 12, 40);
            beam.lineTo(x + 12, 40);
            beam.closeSubpath();
            p.setBrush(QColor(0xff, 0xd8, 0x6a, 70));
            p.drawPath(beam);
            p.setBrush(QColor(0xff, 0xd8, 0x6a));
            p.drawEllipse(QPointF(x, 6), 2.5, 2.5);
        }
        p.setPen(QPen(line, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(8, 40, 75, 6));
        for (int x = 10; x <= 82; x += 9)
            p.drawArc(QRectF(x - 4, 50, 8, 8), 0, 180 * 16);
        break;
    }
    case 3: { // studio: a microphone in front of the control-room window
        p.drawRect(QRectF(48, 10, 34, 22));
        p.setPen(QPen(faint, 1.0));
        p.drawLine(QPointF(52, 28), QPointF(60, 14));
        p.drawLine(QPointF(58, 28), QPointF(66, 14));
        p.setPen(QPen(line, 1.2));
        p.drawRoundedRect(QRectF(18, 12, 12, 20), 6, 6);
        for (int y = 17; y <= 27; y += 3)
            p.drawLine(QPointF(19.5, y), QPointF(28.5, y));
        p.drawArc(QRectF(14, 18, 20, 20), 180 * 16, 180 * 16);
        p.drawLine(QPointF(24, 38), QPointF(24, 52));
        p.drawLine(QPointF(14, 56), QPointF(24, 52));
        p.drawLine(QPointF(34, 56), QPointF(24, 52));
        p.setPen(Qt::NoPen);
        p.setBrush(ink::red);
        p.drawEllipse(QPointF(76, 42), 3, 3);
        break;
    }
    default: { // plate: a metal plate hung on springs in its frame
        p.setPen(QPen(faint, 1.0));
        p.drawRect(QRectF(5, 4, 81, 53));
        p.setPen(QPen(line, 1.2));
        const QRectF plate(18, 14, 55, 33);
        QLinearGradient sheen(plate.topLeft(), plate.bottomRight());
        sheen.setColorAt(0.0, QColor(0x86, 0xd8, 0xff, 70));
        sheen.setColorAt(0.5, QColor(0x86, 0xd8, 0xff, 15));
        sheen.setColorAt(1.0, QColor(0x86, 0xd8, 0xff, 60));
        p.setBrush(sheen);
        p.drawRect(plate);
        const QPointF corners[4][2] = {{{5, 4}, plate.topLeft()},
                                       {{86, 4}, plate.topRight()},
                                       {{5, 57}, plate.bottomLeft()},
                                       {{86, 57}, plate.bottomRight()}};
        for (const auto &c : corners) {
            QPainterPath spring;
            spring.moveTo(c[0]);
            const QPointF d = c[1] - c[0];
            const double len = std::hypot(d.x(), d.y());
            const QPointF normal(-d.y() * 2.2 / len, d.x() * 2.2 / len);
            for (int s = 1; s <= 6; ++s) {
                const QPointF m = c[0] + d * (s / 7.0);
                spring.lineTo(m + ((s % 2) ? normal : -normal));
            }
            spring.lineTo(c[1]);
            p.setBrush(Qt::NoBrush);
            p.drawPath(spring);
        }
        break;
    }
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(0, 61, img.width(), 1), QColor(0x26, 0x3a, 0x48));
    drawTextCentred(p, img.width() / 2.0, 70.5, word, Font::Large, ink::amber);
}

// ---------------------------------------------------------------------------------------
// Light windows of the update service

void messageWindow(QImage &img) {
    QImage metal = blank(img.width(), img.height());
    brushed(metal, metal.rect(), QColor(0xcd, 0xd0, 0xd4), 4, 80, false);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(metal));
    p.drawRoundedRect(QRectF(img.rect()), 5.0, 5.0);
    p.setPen(QPen(QColor(0x8c, 0x90, 0x96), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(img.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 5.0, 5.0);
    // Emblem: a fader panel with a gear, left of the message area.
    const QRectF tile(21, 19, 44, 44);
    p.setPen(QPen(QColor(0x0a, 0x0b, 0x0c), 1.0));
    p.setBrush(QColor(0x26, 0x28, 0x2c));
    p.drawRoundedRect(tile, 5, 5);
    const int caps[] = {38, 26, 46};
    for (int i = 0; i < 3; ++i) {
        const double x = 31 + 12 * i;
        p.fillRect(QRectF(x - 1, 25, 2, 32), QColor(0x05, 0x05, 0x06));
        p.setBrush(i == 1 ? ink::amber : QColor(0xd8, 0xda, 0xde));
        p.drawRoundedRect(QRectF(x - 4, caps[i] - 3, 8, 6), 1.5, 1.5);
    }
    const QPointF gc(62, 58);
    QPainterPath gear;
    for (int t = 0; t < 16; ++t) {
        const double a = t * kPi / 8.0;
        const double r = (t % 2 == 0) ? 11.0 : 8.5;
        const QPointF q(gc.x() + r * std::cos(a), gc.y() + r * std::sin(a));
        if (t == 0)
            gear.moveTo(q);
        else
            gear.lineTo(q);
    }
    gear.closeSubpath();
    gear.addEllipse(gc, 3.5, 3.5);
    p.setBrush(ink::amber.darker(110));
    p.setPen(QPen(QColor(0x5a, 0x38, 0x06), 1.0));
    p.drawPath(gear);
}

void downloadWindow(QImage &img) {
    brushed(img, img.rect(), QColor(0xcd, 0xd0, 0xd4), 4, 81, false);
    QPainter p(&img);
    bevel(p, img.rect(), QColor(0xee, 0xf0, 0xf2), QColor(0x8c, 0x90, 0x96));
    p.setRenderHint(QPainter::Antialiasing, true);
    // A download mark in the free corner beside the Cancel button.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x43, 0x48));
    QPainterPath arrow;
    arrow.moveTo(24, 66);
    arrow.lineTo(30, 66);
    arrow.lineTo(30, 76);
    arrow.lineTo(35, 76);
    arrow.lineTo(27, 85);
    arrow.lineTo(19, 76);
    arrow.lineTo(24, 76);
    arrow.closeSubpath();
    p.drawPath(arrow);
    p.drawRect(QRectF(15, 88, 24, 3));
}

// ---------------------------------------------------------------------------------------
// Strips

void monoStrip(QImage &img, bool selected) {
    stripBody(img, selected, ink::cyan, selected ? 21 : 20);
    QPainter p(&img);
    recess(p, QRect(2, 7, 54, 15));
    recess(p, QRect(3, 25, 52, 15));
    unlit(p, QRect(4, 44, 50, 13), QStringLiteral("EQ"));
    unlit(p, QRect(4, 59, 50, 13), QStringLiteral("COMP"));
    groove(p, 2, 55, 76);
    smallCentred(p, 29, 83.5, QStringLiteral("SEND"));
    for (int k = 0; k < 4; ++k) {
        unlit(p, QRect(4, 92 + 47 * k, 25, 13), QStringLiteral("PRE"));
        unlit(p, QRect(29, 92 + 47 * k, 25, 13), QStringLiteral("POST"));
        sendRow(p, 16, 107 + 47 * k, k + 1, 5);
    }
    groove(p, 2, 55, 275);
    unlit(p, QRect(4, 279, 50, 13), QStringLiteral("SOLO"));
    unlit(p, QRect(4, 295, 50, 13), QStringLiteral("MUTE"));
    groove(p, 2, 55, 311);
    smallText(p, 3, 316, QStringLiteral("L"));
    smallText(p, 52, 316, QStringLiteral("R"));
    smallCentred(p, 30, 318.5, QStringLiteral("PAN"));
    panTrack(p, 10, 50, 30, 326);
    // Fader: the slider stands at x 12 (odd strip) or 13 (even strip) of this picture, its
    // 30-pixel cap travelling 101 rows from centre row 350 down to 451.
    faderSlot(p, 2, 18, 20, 350, 101);
    // The bars stand at x 37 to 39 of the page (39 to 41 here) on the different pages.
    meterSlot(p, QRect(38, 339, 10, 117), {39}, 341, 347, 453);
    display(p, QRect(3, 469, 52, 20));
    groove(p, 2, 55, 491);
}

void stereoStrip(QImage &img, bool selected) {
    stripBody(img, selected, ink::blue, selected ? 23 : 22);
    QPainter p(&img);
    recess(p, QRect(15, 6, 86, 17));
    recess(p, QRect(3, 25, 86, 15));
    unlit(p, QRect(34, 44, 50, 13), QStringLiteral("EQ"));
    unlit(p, QRect(34, 59, 50, 13), QStringLiteral("COMP"));
    groove(p, 2, 114, 76);
    smallCentred(p, 59, 83.5, QStringLiteral("SEND"));
    for (int k = 0; k < 4; ++k) {
        unlit(p, QRect(34, 92 + 47 * k, 25, 13), QStringLiteral("PRE"));
        unlit(p, QRect(59, 92 + 47 * k, 25, 13), QStringLiteral("POST"));
        sendRow(p, 46, 107 + 47 * k, k + 1, 36);
    }
    groove(p, 2, 114, 275);
    unlit(p, QRect(34, 279, 50, 13), QStringLiteral("SOLO"));
    unlit(p, QRect(34, 295, 50, 13), QStringLiteral("MUTE"));
    groove(p, 2, 114, 311);
    smallCentred(p, 30, 318.5, QStringLiteral("PAN L"));
    smallCentred(p, 89, 318.5, QStringLiteral("PAN R"));
    panTrack(p, 10, 50, 30, 326);
    panTrack(p, 69, 109, 89, 326);
    faderSlot(p, 26, 43, 45, 350, 101);
    meterSlot(p, QRect(64, 339, 18, 117), {65, 76}, 341, 347, 453);
    smallText(p, 66, 458, QStringLiteral("L"));
    smallText(p, 78, 458, QStringLiteral("R"));
    display(p, QRect(33, 469, 52, 20));
    groove(p, 2, 114, 491);
}

void masterStrip(QImage &img) {
    stripBody(img, false, ink::red, 24);
    QPainter p(&img);
    smallCentred(p, 37, 16.5, QStringLiteral("AUX SEND"), ink::legend);
    for (int k = 0; k < 4; ++k)
        sendRow(p, 24, 35 + 46 * k, k + 1, 10);
    groove(p, 2, 71, 218);
    unlit(p, QRect(12, 225, 50, 13), QStringLiteral("MUTE"));
    faderSlot(p, 4, 26, 28, 257, 101);
    meterSlot(p, QRect(44, 246, 16, 117), {45, 53}, 248, 254, 360);
    smallText(p, 46, 365, QStringLiteral("L"));
    smallText(p, 55, 365, QStringLiteral("R"));
    display(p, QRect(10, 376, 52, 20));
    groove(p, 2, 71, 398);
    drawTextCentred(p, 37, 411.5, QStringLiteral("MASTER"), Font::Large, ink::legend);
}

void returnPanel(QImage &img, bool enabled) {
    stripBody(img, false, ink::magenta, 25);
    QPainter p(&img);
    face(p, QRect(12, 7, 50, 15), QStringLiteral("REVERB"),
         enabled ? FaceState::Unlit : FaceState::Disabled, QColor(), Font::Large);
    knobWell(p, QPointF(37, 49), 13.0);
    if (!enabled) {
        // No knob stands here while the reverb is unavailable: an empty, capped well.
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(0x30, 0x33, 0x38), 1.0));
        p.setBrush(QColor(0x14, 0x15, 0x17));
        p.drawEllipse(QPointF(37, 49), 7.5, 7.5);
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    smallCentred(p, 37, 81.5, QStringLiteral("RETURN"), enabled ? ink::legend : ink::legendDim);
    p.end();
    if (!enabled)
        darken(img, 0.55);
}

// ---------------------------------------------------------------------------------------
// Pages

void mixerPage(QImage &img) {
    brushed(img, img.rect(), QColor(0x1b, 0x1c, 0x1f), 2, 30, false);
    tabs(img, 0);
    QPainter p(&img);
    p.drawImage(0, kStripTop, effectsStrip());
    // The strips' bay and the channel-name row beneath it.
    p.fillRect(QRect(0, 156, 1260, 520), QColor(0x12, 0x13, 0x15));
    for (int n = 1; n <= 20; ++n) {
        const int x = n == 14 ? 769 : 4 + 59 * (n - 1);
        const int w = n == 14 ? 60 : 58;
        recess(p, QRect(x, 676, w, 16), QColor(0x0a, 0x0a, 0x0b));
    }
}

void effectsUnavailable(QImage &img) {
    QPainter p(&img);
    p.drawImage(0, 0, effectsStrip());
    p.end();
    darken(img, 0.4);
}

void interfacePage(QImage &img) {
    brushed(img, img.rect(), QColor(0x1b, 0x1c, 0x1f), 2, 31, false);
    tabs(img, 1);
    // A light plate carries the status and settings, whose texts are black.
    const QRect plate(8, 34, 1244, 660);
    QPainter p(&img);
    namePlate(p, plate, 32);
    auto engraved = [&p](const QRect &r) {
        p.setPen(QColor(0x8e, 0x92, 0x99));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
        p.setPen(QColor(0xea, 0xec, 0xef));
        p.drawRect(r.translated(1, 1));
    };
    // Status grid: nine rows of the grid layout (411 pixels, 6 between rows), every other
    // row shaded so a caption reads across to its value.
    const double pitch = (411.0 + 6.0) / 9.0;
    for (int row = 1; row < 9; row += 2) {
        const int top = 101 + int(std::lround(row * pitch)) - 3;
        p.fillRect(QRect(94, top, 447, int(std::lround(pitch))), QColor(0, 0, 0, 18));
    }
    engraved(QRect(92, 92, 450, 428));
    engraved(QRect(550, 100, 650, 185));
    engraved(QRect(550, 330, 665, 140));
    p.fillRect(QRect(930, 633, 318, 1), QColor(0x8e, 0x92, 0x99));
    p.fillRect(QRect(930, 634, 318, 1), QColor(0xea, 0xec, 0xef));
    // Screw heads near the plate's corners. The right-hand corners carry the link to the web
    // site and the title lines, so the screws sit below the link and above the rule over the
    // title, the left-hand ones level with them.
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const QPointF c :
         {QPointF(20, 104), QPointF(1240, 104), QPointF(20, 623), QPointF(1240, 623)}) {
        QRadialGradient g(c + QPointF(-1.5, -1.5), 6.0);
        g.setColorAt(0.0, QColor(0xf2, 0xf3, 0xf5));
        g.setColorAt(1.0, QColor(0x8a, 0x8e, 0x94));
        p.setPen(QPen(QColor(0x6a, 0x6e, 0x74), 1.0));
        p.setBrush(g);
        p.drawEllipse(c, 5.0, 5.0);
        p.drawLine(c + QPointF(-3, 0), c + QPointF(3, 0));
    }
}

void routeArrow(QImage &img, int column, const QColor &lamp) {
    // The picture is drawn flush with its label's right edge at page x 911, so picture x is
    // page x + 5; the line starts at the source's column and ends in the head at the right.
    const double start = sourceColumnX(column) + 5;
    const double end = img.width() - 1;
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(lamp.red(), lamp.green(), lamp.blue(), 70));
    p.drawRect(QRectF(start, 3.0, end - 11 - start, 5.0));
    p.setBrush(lamp);
    p.drawRect(QRectF(start, 4.0, end - 11 - start, 3.0));
    p.drawEllipse(QPointF(start, 5.5), 3.5, 3.5);
    // The head's blunt tip meets the picture's right edge, where the output's field begins.
    QPainterPath head;
    head.moveTo(end - 12, 0.5);
    head.lineTo(end + 1, 4.0);
    head.lineTo(end + 1, 7.0);
    head.lineTo(end - 12, 10.5);
    head.closeSubpath();
    p.drawPath(head);
}

void modeArrow(QImage &img, const QColor &lamp) {
    const double end = img.width() - 1;
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(lamp);
    p.drawRect(QRectF(4.0, 7.0, end - 14 - 4.0, 3.0));
    p.drawEllipse(QPointF(4.5, 8.5), 4.0, 4.0);
    QPainterPath head;
    head.moveTo(end - 15, 1.5);
    head.lineTo(end + 0.5, 8.5);
    head.lineTo(end - 15, 15.5);
    head.closeSubpath();
    p.drawPath(head);
}

void appIcon(QImage &img) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient g(0, 0, 0, 32);
    g.setColorAt(0.0, QColor(0x3a, 0x3d, 0x43));
    g.setColorAt(1.0, QColor(0x16, 0x17, 0x1a));
    p.setPen(QPen(ink::amber, 1.0));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    const double caps[] = {19.5, 10.5, 15.5};
    for (int i = 0; i < 3; ++i) {
        const double x = 9.5 + 6.5 * i;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x05, 0x05, 0x06));
        p.drawRect(QRectF(x - 0.75, 6, 1.5, 20));
        p.setBrush(i == 1 ? ink::amber : QColor(0xe0, 0xe2, 0xe6));
        p.drawRoundedRect(QRectF(x - 2.75, caps[i] - 2, 5.5, 4), 1, 1);
    }
}

} // namespace art
