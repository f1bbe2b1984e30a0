// Drawing primitives shared by every picture of the panel artwork: the palette, brushed
// metal, bevels, wells, button faces, lamps and the two knob kinds.
#pragma once

#include "pixelfont.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

namespace art {

namespace ink {
// Dark console panel.
const QColor panel(0x24, 0x26, 0x2a);
const QColor panelDeep(0x17, 0x18, 0x1b);
const QColor edgeLight(0x3e, 0x42, 0x48);
const QColor edgeDark(0x0b, 0x0c, 0x0e);
const QColor well(0x0c, 0x0d, 0x0f);
const QColor legend(0xb4, 0xb9, 0xc1);
const QColor legendDim(0x70, 0x75, 0x7d);
const QColor grid(0x2c, 0x31, 0x38);
const QColor gridBright(0x46, 0x4d, 0x57);
// Light name plates, for the places where the toolkit writes black text.
const QColor plate(0xc6, 0xc9, 0xce);
const QColor plateShade(0x94, 0x98, 0x9f);
const QColor plateText(0x22, 0x24, 0x27);
// Lamp colours of the lit states.
const QColor amber(0xff, 0xa8, 0x1c);
const QColor yellow(0xff, 0xd8, 0x2a);
const QColor red(0xf0, 0x34, 0x2a);
const QColor green(0x3c, 0xdc, 0x6a);
const QColor cyan(0x36, 0xc4, 0xff);
const QColor blue(0x3a, 0x86, 0xff);
const QColor magenta(0xf0, 0x5c, 0xc8);
const QColor orangePointer(0xff, 0x96, 0x14);
} // namespace ink

// A blank picture of the given size: fully transparent.
QImage blank(int w, int h);

// Fills r with the base colour and a fine brushed grain; the grain runs along the brushing
// direction, so a strip brushed vertically shows streaks from top to bottom.
void brushed(QImage &img, const QRect &r, const QColor &base, int amplitude, quint32 seed,
             bool vertical);

// One-pixel raised edge: light top and left, dark bottom and right.
void bevel(QPainter &p, const QRect &r, const QColor &light = ink::edgeLight,
           const QColor &dark = ink::edgeDark);

// A sunken field: dark fill, dark top/left lip and a faint lower/right highlight.
void recess(QPainter &p, const QRect &r, const QColor &fill = ink::well);

// The same grain drawn through a painter that is already at work on the picture.
void brushed(QPainter &p, const QRect &r, const QColor &base, int amplitude, quint32 seed,
             bool vertical);

// A light engraved name plate (for black toolkit text).
void namePlate(QPainter &p, const QRect &r, quint32 seed);

enum class FaceState { Unlit, Lit, Disabled };

// A push-button face filling r: unlit (dark, grey legend), lit (lamp colour, legend in
// contrast) or disabled (darker, faint legend). An empty caption leaves the face plain.
void face(QPainter &p, const QRect &r, const QString &caption, FaceState state, const QColor &lamp,
          Font font, int scale = 1);

// Legend colour that reads on a lit face of the given lamp colour.
QColor contrastOn(const QColor &lamp);

// Phase-invert symbol (a circle crossed by a slash) centred in r.
void phaseSymbol(QPainter &p, const QRectF &r, const QColor &colour);

// The round knob well the page artwork places under every knob picture.
void knobWell(QPainter &p, const QPointF &centre, double radius);

// Clock angle of knob frame k: 7 o'clock plus k half hours, in degrees clockwise from 12.
double knobAngle(int frame);

// The 18x18 effect knob and the 26x26 send knob at frame 0..20.
void effectKnob(QImage &img, int frame);
void sendKnob(QImage &img, int frame);

// Vertical fader cap (body colours from top to bottom), centred in the picture.
void faderCap(QImage &img, const QColor &top, const QColor &bottom, const QColor &line);

// Darkens every pixel of img (alpha kept), used for the unavailable states.
void darken(QImage &img, double factor);

} // namespace art
