// Equaliser graph: the four band responses summed per column from shape tables around each
// band's own column, in tenths of a pixel, drawn as one filled path around row 38.
#include "DrawEq.h"

#include "ChannelControl.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

signed char DrawEq::cLowGain = 0;
unsigned char DrawEq::cLowFreq = 0;
signed char DrawEq::cHighGain = 0;
unsigned char DrawEq::cHighFreq = 0;
signed char DrawEq::cLowMidGain = 0;
unsigned char DrawEq::cLowMidFreq = 0;
unsigned char DrawEq::cLowMidQ = 0;
signed char DrawEq::cHighMidGain = 0;
unsigned char DrawEq::cHighMidFreq = 0;
unsigned char DrawEq::cHighMidQ = 0;
bool DrawEq::bLowCutFilter = false;

// 45 columns a decade, 1 kHz at column 76.
const unsigned int DrawEq::eqFreqX[66] = {
    9,   13,  17,  21,  24,  27,  29,  31,  35,  39,  42,  45,  47,  49,  52,  55,  58,
    60,  62,  66,  69,  72,  73,  74,  75,  76,  78,  80,  81,  83,  84,  85,  86,  87,
    89,  90,  91,  93,  95,  96,  98,  99,  100, 101, 102, 103, 105, 107, 109, 111, 113,
    114, 115, 117, 119, 121, 123, 125, 126, 128, 129, 130, 131, 133, 134, 135};

namespace {

constexpr int kShapeSize = 405;
constexpr int kCentre = 202;
using Shape = std::array<unsigned int, kShapeSize>;
using Anchors = std::vector<std::pair<int, int>>; // (index, value), ascending

// A shape sampled one entry per column: the fixed entries exactly, straight lines between
// them, rounded half up.
Shape interpolate(const Anchors &anchors) {
    Shape s{};
    auto a = anchors.begin();
    for (auto b = a + 1; b != anchors.end(); a = b, ++b)
        for (int i = a->first; i <= b->first; ++i) {
            const double t = double(i - a->first) / double(b->first - a->first);
            s[size_t(i)] = (unsigned int)std::floor(a->second + t * (b->second - a->second) + 0.5);
        }
    return s;
}

// The fixed entries of the peaking shapes at d = -60, -40, -20, -10, -5, -2, 0, 2, 5, 10,
// 20, 40, 60 columns from the band's own column, per Q step.
constexpr int kPeakD[13] = {-60, -40, -20, -10, -5, -2, 0, 2, 5, 10, 20, 40, 60};
constexpr int kPeakValues[7][13] = {{2, 10, 51, 90, 113, 121, 122, 120, 112, 89, 50, 9, 2},
                                    {1, 4, 22, 56, 95, 117, 121, 115, 91, 55, 21, 3, 1},
                                    {1, 2, 7, 25, 63, 106, 120, 101, 59, 24, 7, 2, 1},
                                    {1, 1, 4, 10, 32, 108, 120, 71, 27, 9, 3, 1, 1},
                                    {1, 1, 2, 4, 14, 84, 120, 37, 11, 3, 2, 1, 1},
                                    {1, 1, 1, 2, 3, 14, 117, 49, 4, 2, 1, 1, 1},
                                    {1, 1, 1, 2, 2, 30, 120, 7, 2, 2, 1, 1, 1}};

Shape peak(int q) {
    Anchors a = {{0, 0}, {134, 0}};
    for (int k = 0; k < 13; ++k) {
        const int i = kCentre + kPeakD[k];
        // One column either side of the centre of Q step 2 holds 118; Q step 5 peaks one
        // column to the right, at 120.
        if (q == 2 && (kPeakD[k] == 0 || kPeakD[k] == 2))
            a.push_back({kCentre + kPeakD[k] - 1, 118});
        if (q == 5 && kPeakD[k] == 2)
            a.push_back({kCentre + 1, 120});
        a.push_back({i, kPeakValues[q][k]});
    }
    a.push_back({270, 0});
    a.push_back({kShapeSize - 1, 0});
    std::sort(a.begin(), a.end());
    return interpolate(a);
}

struct Shapes {
    Shape lowCut = interpolate({{0, 650},
                                {135, 650},
                                {136, 640},
                                {142, 580},
                                {162, 380},
                                {182, 180},
                                {192, 95},
                                {197, 65},
                                {200, 48},
                                {202, 35},
                                {204, 26},
                                {207, 18},
                                {212, 7},
                                {220, 0},
                                {kShapeSize - 1, 0}});
    Shape lowShelf = interpolate(
        {{0, 120},   {135, 120}, {136, 121}, {142, 121}, {162, 121}, {182, 117},         {192, 110},
         {197, 104}, {200, 99},  {202, 96},  {204, 92},  {207, 83},  {212, 70},          {216, 61},
         {217, 57},  {222, 44},  {242, 8},   {262, 3},   {270, 0},   {kShapeSize - 1, 0}});
    Shape highShelf = interpolate({{0, 0},     {135, 0},   {142, 2},
                                   {162, 9},   {182, 41},  {189, 60},
                                   {192, 66},  {197, 80},  {200, 88},
                                   {202, 92},  {204, 95},  {207, 102},
                                   {212, 108}, {222, 116}, {234, 120},
                                   {235, 121}, {242, 121}, {262, 123},
                                   {269, 123}, {270, 120}, {kShapeSize - 1, 120}});
    Shape peaks[7] = {peak(0), peak(1), peak(2), peak(3), peak(4), peak(5), peak(6)};
};

const Shapes &shapes() {
    static const Shapes s;
    return s;
}

unsigned int shapeAt(const unsigned int *shape, int bandColumn, int x) {
    return shape[std::clamp(kCentre - bandColumn + x, 0, kShapeSize - 1)];
}

int column(int step) {
    return int(DrawEq::eqFreqX[std::clamp(step, 0, 65)]);
}

// The gain byte as the graph reads it: (byte + 12, in 8 bits) - 12.
int gainOf(signed char g) {
    return int((unsigned char)(g + 12)) - 12;
}

int term(signed char gain, unsigned int shape) {
    return gainOf(gain) * int(shape) * 39 / 180;
}

} // namespace

const unsigned int *DrawEq::eqLowCutCurve() {
    return shapes().lowCut.data();
}
const unsigned int *DrawEq::eqLowShelfCurve() {
    return shapes().lowShelf.data();
}
const unsigned int *DrawEq::eqHighShelfCurve() {
    return shapes().highShelf.data();
}
const unsigned int *DrawEq::eqPeakCurve(int qStep) {
    return shapes().peaks[std::clamp(qStep, 0, 6)].data();
}

DrawEq::DrawEq(QWidget *parent) : QLabel(parent) {}

short DrawEq::calcEqGraph(unsigned short x) {
    const int xl = column(cLowFreq);
    const int xlm = column(cLowMidFreq);
    const int xhm = column(cHighMidFreq);
    // The high band's steps start at 1.7 kHz, entry 32 of the column table.
    const int xh = column(32 + cHighFreq);
    const int sum =
        term(cLowGain, shapeAt(bLowCutFilter ? eqLowCutCurve() : eqLowShelfCurve(), xl, x)) +
        term(cHighGain, shapeAt(eqHighShelfCurve(), xh, x)) +
        term(cHighMidGain, shapeAt(eqPeakCurve(cHighMidQ), xhm, x)) +
        term(cLowMidGain, shapeAt(eqPeakCurve(cLowMidQ), xlm, x));
    int q = sum / 10;
    if (sum - 10 * q > 4)
        ++q;
    if (std::abs(q) >= 40)
        q = q > 0 ? 39 : -39;
    return short(q);
}

void DrawEq::paintEvent(QPaintEvent *event) {
    QLabel::paintEvent(event);
    drawEqGraph();
}

void DrawEq::drawEqGraph() {
    QPainterPath path;
    const int first = 38 - calcEqGraph(1);
    path.moveTo(0, first);
    for (int x = 1; x <= 135; ++x)
        path.lineTo(x, 38 - calcEqGraph((unsigned short)x));
    path.lineTo(135, 38);
    path.lineTo(0, 38);
    path.lineTo(0, first);

    QColor colour(80, 80, 80);
    if (ChannelControl::selectedCh != QLatin1String("none"))
        colour =
            ChannelControl::queryIsSelectedChEqOn() ? QColor(41, 223, 255) : QColor(160, 160, 160);
    QPainter painter(this);
    painter.setPen(QPen(colour, 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(QBrush(colour, Qt::SolidPattern));
    painter.drawPath(path);
}
