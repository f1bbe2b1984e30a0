// One process-wide store of the panel's decoded pictures, by resource path. Every control that
// shows artwork takes it from here, so the 21 frames of a knob are decoded once for the
// hundred and more knobs of the window instead of once per knob, and a picture shown again is
// not looked up again (each lookup of a resource file asks its time, a costly local-time
// conversion). The first use also makes room in the toolkit's own picture cache for the
// window's backgrounds, which style sheets load through it.
#pragma once

#include <QPixmap>
#include <QString>

#include <vector>

namespace artwork {

// The picture at a resource path, decoded on first use; a null pixmap where the path names
// no picture (asked again, it is looked up again).
QPixmap pixmap(const QString &path);

// The frames of a rotary knob: `pattern` with %1 replaced by the clock reading of the
// pointer, frame k pointing at 7 o'clock plus k half hours (700, 730, 800 .. 1700).
constexpr int kKnobFrames = 21;
std::vector<QPixmap> knobFrames(const char *pattern);

} // namespace artwork
