// Turns one catalogue entry into its picture.
#include "catalogue.h"
#include "panels.h"

#include <QPainterPath>

namespace art {
namespace {

void drawFace(QImage &img, const Picture &pic) {
    QPainter p(&img);
    if (pic.opaque)
        p.fillRect(img.rect(), ink::panel);
    // The mono select captions are 15 high in a 13-high button: keep the face inside the
    // rows the button shows.
    QRect r = img.rect();
    if (pic.width == 50 && pic.height == 15 && pic.path.contains(QLatin1String("/select/")))
        r = QRect(0, 1, 50, 13);
    const Font font = pic.width <= 31 ? Font::Small : Font::Large;
    face(p, r, QString(), pic.state, pic.lamp, font);
    const QStringList lines = pic.caption.split(QLatin1Char('\n'));
    const int scale = pic.height >= 50 ? 2 : 1;
    const int lineHeight = textHeight(font, scale) + 2 * scale;
    const double top = r.center().y() + 0.5 - lineHeight * (lines.size() - 1) / 2.0;
    const QColor text = pic.state == FaceState::Lit        ? contrastOn(pic.lamp)
                        : pic.state == FaceState::Disabled ? QColor(0x43, 0x46, 0x4b)
                                                           : ink::legend;
    for (int i = 0; i < lines.size(); ++i)
        drawTextCentred(p, r.left() + r.width() / 2.0, top + i * lineHeight, lines.at(i), font,
                        text, scale);
}

void drawPhaseFace(QImage &img, const Picture &pic) {
    QPainter p(&img);
    face(p, img.rect(), QString(), pic.state, pic.lamp, Font::Small);
    const QColor symbol = pic.state == FaceState::Lit        ? contrastOn(pic.lamp)
                          : pic.state == FaceState::Disabled ? QColor(0x43, 0x46, 0x4b)
                                                             : ink::legend;
    phaseSymbol(p, QRectF(img.rect()).adjusted(6, 1, -6, -1), symbol);
}

void drawPanMarker(QImage &img, bool centred) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor lamp = centred ? ink::green : ink::amber;
    // A pointer that stands on the pan track: a lit cap with a dark index line.
    QPainterPath body;
    body.moveTo(6.0, 11.5);
    body.lineTo(1.0, 5.5);
    body.lineTo(1.0, 1.0);
    body.lineTo(11.0, 1.0);
    body.lineTo(11.0, 5.5);
    body.closeSubpath();
    p.setPen(QPen(lamp.darker(250), 1.0));
    p.setBrush(lamp);
    p.drawPath(body);
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 1.0));
    p.drawLine(QPointF(6.0, 2.0), QPointF(6.0, 8.0));
    if (centred) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe8, 0xff, 0xe8));
        p.drawEllipse(QPointF(3.3, 3.3), 1.0, 1.0);
    }
}

void drawMeter(QImage &img) {
    // Half a dB per row from full scale at the top; the bar grows up from the bottom row,
    // which is therefore always lit. Every third row is the dark gap between segments.
    QPainter p(&img);
    for (int y = 0; y < img.height(); ++y) {
        const int fromBottom = img.height() - 1 - y;
        QColor c = y < 6 ? ink::red : y < 24 ? ink::yellow : ink::green;
        if (fromBottom % 3 == 2)
            c = c.darker(330);
        p.fillRect(QRect(0, y, img.width(), 1), c);
        p.fillRect(QRect(0, y, 1, 1), c.darker(140));
        p.fillRect(QRect(img.width() - 1, y, 1, 1), c.darker(160));
    }
}

void drawPeak(QImage &img) {
    QPainter p(&img);
    p.fillRect(img.rect(), QColor(0xff, 0x2a, 0x1a));
    p.fillRect(QRect(1, 1, img.width() - 2, 1), QColor(0xff, 0x9a, 0x80));
    p.fillRect(QRect(0, img.height() - 1, img.width(), 1), QColor(0xb0, 0x10, 0x08));
}

} // namespace

QImage render(const Picture &pic) {
    QImage img = blank(pic.width, pic.height);
    switch (pic.kind) {
    case Kind::Transparent:
        break;
    case Kind::AppIcon:
        appIcon(img);
        break;
    case Kind::Face:
        drawFace(img, pic);
        break;
    case Kind::PhaseFace:
        drawPhaseFace(img, pic);
        break;
    case Kind::PanMarker:
        drawPanMarker(img, pic.n == 1);
        break;
    case Kind::MeterBar:
        drawMeter(img);
        break;
    case Kind::PeakLamp:
        drawPeak(img);
        break;
    case Kind::Solid:
        img.fill(pic.lamp);
        break;
    case Kind::EffectKnob:
        effectKnob(img, pic.n);
        break;
    case Kind::SendKnob:
        sendKnob(img, pic.n);
        break;
    case Kind::FaderCap:
        faderCap(img, pic.lamp, pic.lamp.darker(150),
                 pic.lamp.lightness() > 150 ? QColor(0x20, 0x20, 0x20) : QColor(0xf4, 0xf4, 0xf4));
        break;
    case Kind::MonoStrip:
        monoStrip(img, pic.n == 1);
        break;
    case Kind::StereoStrip:
        stereoStrip(img, pic.n == 1);
        break;
    case Kind::MasterStrip:
        masterStrip(img);
        break;
    case Kind::ReturnPanel:
        returnPanel(img, pic.n == 1);
        break;
    case Kind::MixerPage:
        mixerPage(img);
        break;
    case Kind::EffectsUnavailable:
        effectsUnavailable(img);
        break;
    case Kind::InterfacePage:
        interfacePage(img);
        break;
    case Kind::RoutingPage:
        routingPage(img, pic.n == 1);
        break;
    case Kind::ReverbScene:
        reverbScene(img, pic.n, pic.caption);
        break;
    case Kind::RouteArrow:
        routeArrow(img, pic.n, pic.lamp);
        break;
    case Kind::ModeArrow:
        modeArrow(img, pic.lamp);
        break;
    case Kind::MonitorPage:
        monitorPage(img, pic.n == 1);
        break;
    case Kind::DownloadWindow:
        downloadWindow(img);
        break;
    case Kind::MessageWindow:
        messageWindow(img);
        break;
    }
    return img;
}

} // namespace art
