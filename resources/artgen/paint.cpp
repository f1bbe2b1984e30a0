// Drawing primitives of the panel artwork.
#include "paint.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace art {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Small integer hash; the grain must be the same on every build.
quint32 mix(quint32 x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

int clamp255(int v) {
    return std::max(0, std::min(255, v));
}

QPointF onCircle(const QPointF &c, double radius, double clockDegrees) {
    const double a = clockDegrees * kPi / 180.0;
    return {c.x() + radius * std::sin(a), c.y() - radius * std::cos(a)};
}

} // namespace

QImage blank(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

void brushed(QImage &img, const QRect &r, const QColor &base, int amplitude, quint32 seed,
             bool vertical) {
    const QRect area = r.intersected(img.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            // One streak value per line of brushing: constant along the line, so the grain
            // reads as brushed metal and the pictures stay small.
            const quint32 streak = mix(seed * 7919U + quint32(vertical ? x : y));
            const int d = int(streak % quint32(2 * amplitude + 1)) - amplitude;
            line[x] = qRgb(clamp255(base.red() + d), clamp255(base.green() + d),
                           clamp255(base.blue() + d));
        }
    }
}

void bevel(QPainter &p, const QRect &r, const QColor &light, const QColor &dark) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), light);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), light);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), dark);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), dark);
    p.restore();
}

void recess(QPainter &p, const QRect &r, const QColor &fill) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(r, fill);
    bevel(p, r, ink::edgeDark, ink::edgeLight);
    p.restore();
}

void brushed(QPainter &p, const QRect &r, const QColor &base, int amplitude, quint32 seed,
             bool vertical) {
    QImage tile(r.size(), QImage::Format_ARGB32);
    brushed(tile, tile.rect(), base, amplitude, seed, vertical);
    p.drawImage(r.topLeft(), tile);
}

void namePlate(QPainter &p, const QRect &r, quint32 seed) {
    brushed(p, r, ink::plate, 3, seed, false);
    bevel(p, r, QColor(0xe8, 0xea, 0xed), ink::plateShade);
}

QColor contrastOn(const QColor &lamp) {
    const int luma = (lamp.red() * 299 + lamp.green() * 587 + lamp.blue() * 114) / 1000;
    return luma > 130 ? QColor(0x14, 0x12, 0x10) : QColor(0xff, 0xff, 0xff);
}

void face(QPainter &p, const QRect &r, const QString &caption, FaceState state, const QColor &lamp,
          Font font, int scale) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    QColor rim;
    QColor text;
    QColor shine;
    switch (state) {
    case FaceState::Unlit:
        g.setColorAt(0.0, QColor(0x3a, 0x3d, 0x43));
        g.setColorAt(1.0, QColor(0x26, 0x28, 0x2c));
        rim = QColor(0x0a, 0x0b, 0x0c);
        text = ink::legend;
        shine = QColor(0x55, 0x5a, 0x62);
        break;
    case FaceState::Lit:
        g.setColorAt(0.0, lamp.lighter(135));
        g.setColorAt(0.5, lamp);
        g.setColorAt(1.0, lamp.darker(115));
        rim = lamp.darker(260);
        text = contrastOn(lamp);
        shine = lamp.lighter(170);
        break;
    case FaceState::Disabled:
        g.setColorAt(0.0, QColor(0x1f, 0x20, 0x23));
        g.setColorAt(1.0, QColor(0x18, 0x19, 0x1b));
        rim = QColor(0x0a, 0x0b, 0x0c);
        text = QColor(0x43, 0x46, 0x4b);
        shine = QColor(0x26, 0x28, 0x2b);
        break;
    }
    p.setPen(QPen(rim, 1.0));
    p.setBrush(g);
    p.drawRoundedRect(body, 2.0, 2.0);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(r.left() + 2, r.top() + 1, r.width() - 4, 1), shine);
    if (!caption.isEmpty())
        drawTextCentred(p, r.left() + r.width() / 2.0, r.top() + r.height() / 2.0, caption, font,
                        text, scale);
    p.restore();
}

void phaseSymbol(QPainter &p, const QRectF &r, const QColor &colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const double d = std::min(r.width(), r.height()) - 4.0;
    const QPointF c = r.center();
    p.setPen(QPen(colour, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, d / 2.0 - 0.5, d / 2.0 - 0.5);
    p.drawLine(QPointF(c.x() - d / 2.0, c.y() + d / 2.0),
               QPointF(c.x() + d / 2.0, c.y() - d / 2.0));
    p.restore();
}

void knobWell(QPainter &p, const QPointF &centre, double radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient g(centre, radius);
    g.setColorAt(0.0, QColor(0x05, 0x05, 0x06));
    g.setColorAt(0.8, QColor(0x0c, 0x0d, 0x0f));
    g.setColorAt(1.0, QColor(0x30, 0x33, 0x38));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

double knobAngle(int frame) {
    return 210.0 + 15.0 * frame;
}

void effectKnob(QImage &img, int frame) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(img.width() / 2.0, img.height() / 2.0);
    QRadialGradient body(c + QPointF(-2.5, -3.0), 10.0);
    body.setColorAt(0.0, QColor(0x4a, 0x4d, 0x53));
    body.setColorAt(0.6, QColor(0x22, 0x24, 0x27));
    body.setColorAt(1.0, QColor(0x0e, 0x0f, 0x10));
    p.setPen(QPen(QColor(0x05, 0x05, 0x06), 1.0));
    p.setBrush(body);
    p.drawEllipse(c, 8.0, 8.0);
    p.setPen(QPen(ink::orangePointer, 1.8, Qt::SolidLine, Qt::RoundCap));
    const double a = knobAngle(frame);
    p.drawLine(onCircle(c, 2.0, a), onCircle(c, 7.0, a));
}

void sendKnob(QImage &img, int frame) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(img.width() / 2.0, img.height() / 2.0);
    // The scale ring: the dots up to the knob's setting are lit.
    p.setPen(Qt::NoPen);
    for (int k = 0; k <= 20; ++k) {
        p.setBrush(k <= frame ? ink::cyan : QColor(0x4c, 0x50, 0x56));
        p.drawEllipse(onCircle(c, 11.6, knobAngle(k)), 0.95, 0.95);
    }
    QRadialGradient skirt(c, 9.5);
    skirt.setColorAt(0.0, QColor(0x2c, 0x2e, 0x32));
    skirt.setColorAt(0.85, QColor(0x1a, 0x1b, 0x1e));
    skirt.setColorAt(1.0, QColor(0x06, 0x06, 0x07));
    p.setBrush(skirt);
    p.drawEllipse(c, 9.5, 9.5);
    QRadialGradient cap(c + QPointF(-2.5, -3.0), 9.0);
    cap.setColorAt(0.0, QColor(0x6a, 0x6e, 0x75));
    cap.setColorAt(0.7, QColor(0x33, 0x36, 0x3b));
    cap.setColorAt(1.0, QColor(0x1c, 0x1e, 0x21));
    p.setPen(QPen(QColor(0x08, 0x08, 0x09), 0.8));
    p.setBrush(cap);
    p.drawEllipse(c, 7.2, 7.2);
    p.setPen(QPen(ink::orangePointer, 2.0, Qt::SolidLine, Qt::RoundCap));
    const double a = knobAngle(frame);
    p.drawLine(onCircle(c, 2.2, a), onCircle(c, 8.4, a));
}

void faderCap(QImage &img, const QColor &top, const QColor &bottom, const QColor &line) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body = QRectF(img.rect()).adjusted(1.5, 0.5, -1.5, -0.5);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0.0, top.lighter(130));
    g.setColorAt(0.45, top);
    g.setColorAt(0.55, bottom);
    g.setColorAt(1.0, bottom.darker(140));
    p.setPen(QPen(QColor(0x05, 0x05, 0x06), 1.0));
    p.setBrush(g);
    p.drawRoundedRect(body, 2.5, 2.5);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Grip ridges above and below the centre line.
    const int mid = img.height() / 2;
    for (int y = 4; y < img.height() - 4; y += 3) {
        if (std::abs(y - mid) < 3)
            continue;
        p.fillRect(QRect(3, y, img.width() - 6, 1), QColor(0, 0, 0, 90));
        p.fillRect(QRect(3, y + 1, img.width() - 6, 1), QColor(255, 255, 255, 40));
    }
    p.fillRect(QRect(2, mid - 1, img.width() - 4, 2), line);
}

void darken(QImage &img, double factor) {
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = line[x];
            line[x] = qRgba(int(qRed(c) * factor), int(qGreen(c) * factor), int(qBlue(c) * factor),
                            qAlpha(c));
        }
    }
}

} // namespace art
