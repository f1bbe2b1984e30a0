// Compressor graph: the transfer curve from the table of knee and right-edge points, in the
// colour of the selected channel's compressor state.
#include "DrawCompressor.h"

#include "ChannelControl.h"
#include "ControlTables.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>

unsigned char DrawCompressor::cThreshold = 0;
unsigned char DrawCompressor::cRatio = 0;

namespace {

// Knee per threshold step; step 32 ("0") has none.
constexpr unsigned char kKneeX[33] = {20, 21, 21, 23, 24, 25, 26, 28, 28, 30, 31,
                                      32, 34, 35, 36, 38, 39, 40, 42, 43, 44, 46,
                                      47, 48, 50, 51, 52, 54, 55, 59, 60, 62, 65};
constexpr unsigned char kKneeY[33] = {46, 45, 44, 43, 42, 40, 39, 37, 36, 35, 33,
                                      32, 31, 29, 28, 27, 25, 24, 23, 21, 20, 19,
                                      17, 16, 15, 13, 12, 10, 9,  7,  5,  3,  2};

// Right-edge rows of the threshold steps whose every ratio is fixed.
struct EdgeRow {
    int threshold;
    unsigned char y[15];
};
constexpr EdgeRow kEdgeRows[] = {{0, {2, 5, 8, 11, 15, 18, 21, 24, 27, 30, 33, 37, 40, 43, 46}},
                                 {8, {2, 4, 7, 9, 12, 14, 16, 19, 21, 24, 26, 28, 31, 33, 36}},
                                 {16, {2, 4, 5, 7, 8, 10, 12, 13, 15, 17, 19, 20, 22, 23, 25}},
                                 {24, {2, 3, 4, 5, 6, 7, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
                                 {31, {2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3}}};

using Table = std::array<std::array<DrawCompressor::CurvePoint, 15>, 33>;

// The other rows follow the straight rule from 2 (ratio 1:1) to the knee (ratio inf:1).
Table buildTable() {
    Table t{};
    for (int th = 0; th <= 32; ++th)
        for (int r = 0; r <= 14; ++r) {
            DrawCompressor::CurvePoint &p = t[size_t(th)][size_t(r)];
            if (r == 0 || th == 32) {
                p = {65, 2, 65, 2};
                continue;
            }
            const int edge = 2 + controltables::roundHalfUp(r * (kKneeY[th] - 2) / 14.0);
            p = {65, (unsigned char)edge, kKneeX[th], kKneeY[th]};
        }
    for (const EdgeRow &row : kEdgeRows)
        for (int r = 1; r <= 14; ++r)
            t[size_t(row.threshold)][size_t(r)].edgeY = row.y[r];
    return t;
}

} // namespace

DrawCompressor::CurvePoint DrawCompressor::compCurvePoints(int threshold, int ratio) {
    static const Table table = buildTable();
    return table[size_t(std::clamp(threshold, 0, 32))][size_t(std::clamp(ratio, 0, 14))];
}

DrawCompressor::DrawCompressor(QWidget *parent) : QLabel(parent) {}

void DrawCompressor::paintEvent(QPaintEvent *event) {
    QLabel::paintEvent(event);
    drawCompGraph();
}

void DrawCompressor::drawCompGraph() {
    struct State {
        QColor colour;
        const char *status;
    };
    static const State available{QColor(41, 223, 255), "GR_Available"};
    static const State active{QColor(160, 160, 160), "GR_Active"};
    static const State passive{QColor(80, 80, 80), "GR_Passive"};

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const State &state = ChannelControl::selectedCh == QLatin1String("none")
                             ? passive
                             : (ChannelControl::queryIsSelectedChCompOn() ? available : active);
    painter.setPen(QPen(QBrush(state.colour), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
    painter.setBrush(QBrush(state.colour, Qt::SolidPattern));
    emit sig_changeColorComp(QString::fromLatin1(state.status));

    const CurvePoint e = compCurvePoints(cThreshold, cRatio);
    const QPolygonF shape(
        {QPointF(0, 67), QPointF(65, 67), QPointF(65, e.edgeY), QPointF(e.kneeX, e.kneeY)});
    painter.drawPolygon(shape, Qt::OddEvenFill);
    painter.end();
}
