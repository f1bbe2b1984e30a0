// Reverb graph: pre-delay block, the full-length ramp behind, the reverb-time ramp on top.
#include "DrawReverb.h"

#include <QPainter>
#include <QPolygonF>

unsigned char DrawReverb::cPreDelay = 0;
unsigned char DrawReverb::cReverbTime = 0;
bool DrawReverb::cDrawColor = false;

DrawReverb::DrawReverb(QWidget *parent) : QLabel(parent) {}

void DrawReverb::paintEvent(QPaintEvent *event) {
    QLabel::paintEvent(event);
    drawReverbGraph();
}

namespace {

void fill(QWidget *widget, const QPolygonF &shape, const QColor &colour) {
    QPainter painter(widget);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QBrush(colour), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
    painter.setBrush(QBrush(colour, Qt::SolidPattern));
    painter.drawPolygon(shape);
}

} // namespace

void DrawReverb::drawReverbGraph() {
    const QColor background(80, 80, 80);
    const double pd = cPreDelay, rt = cReverbTime;
    if (cPreDelay != 0)
        fill(this, QPolygonF({QPointF(0, 1), QPointF(0, 49), QPointF(pd, 49), QPointF(pd, 1)}),
             background);
    if (cReverbTime != 200)
        fill(this, QPolygonF({QPointF(pd, 1), QPointF(pd, 49), QPointF(pd + 200, 49)}), background);
    fill(this, QPolygonF({QPointF(pd, 1), QPointF(pd, 49), QPointF(pd + rt, 49)}),
         cDrawColor ? QColor(41, 223, 255) : QColor(160, 160, 160));
}
