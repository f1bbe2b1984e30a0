// The large layouts: channel strips, master strip, the four pages, the effects strip, the
// monitor-control window and the update windows. Coordinates follow the widgets that sit on
// each picture, so every drawn control lies exactly under its widget.
#pragma once

#include <QColor>
#include <QImage>

namespace art {

void monoStrip(QImage &img, bool selected);
void stereoStrip(QImage &img, bool selected);
void masterStrip(QImage &img);
void returnPanel(QImage &img, bool enabled);
void mixerPage(QImage &img);
void effectsUnavailable(QImage &img);
void interfacePage(QImage &img);
void routingPage(QImage &img, bool larger);
void monitorPage(QImage &img, bool twoFaders);
void downloadWindow(QImage &img);
void messageWindow(QImage &img);
void reverbScene(QImage &img, int type, const QString &word);
void routeArrow(QImage &img, int column, const QColor &lamp);
void modeArrow(QImage &img, const QColor &lamp);
void appIcon(QImage &img);

} // namespace art
