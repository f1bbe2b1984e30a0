// Bitmap lettering for the panel artwork: captions are drawn from glyph tables, not from
// font files, so the pictures come out the same on every build machine and need no display.
#pragma once

#include <QColor>
#include <QString>

class QPainter;

namespace art {

enum class Font {
    Small, // 3x5 legends for the tightest places (25-pixel buttons, scale marks)
    Large, // 5x7 captions
};

// Width in pixels of the text at the given scale (letters are proportional).
int textWidth(const QString &text, Font font, int scale = 1);
int textHeight(Font font, int scale = 1);

// Draws upper-cased text with its top-left corner at (x, y).
void drawText(QPainter &p, int x, int y, const QString &text, Font font, const QColor &colour,
              int scale = 1);

// Draws the text centred on the point (cx, cy) in pixel units (cx, cy may be half pixels).
void drawTextCentred(QPainter &p, double cx, double cy, const QString &text, Font font,
                     const QColor &colour, int scale = 1);

} // namespace art
