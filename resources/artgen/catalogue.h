// The catalogue of every compiled-in picture: its name under Resource/, its size and what
// it shows. Families (knob frames, select captions, arrows) are expanded from their rules.
#pragma once

#include "paint.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QVector>

namespace art {

enum class Kind {
    Transparent,
    AppIcon,
    Face,      // a button face with a caption
    PhaseFace, // a button face with the phase symbol
    PanMarker, // n: 1 centred, 0 off centre
    MeterBar,
    PeakLamp,
    Solid,      // one colour, lamp
    EffectKnob, // n: frame
    SendKnob,   // n: frame
    FaderCap,   // lamp: cap colour
    MonoStrip,  // n: 1 selected
    StereoStrip,
    MasterStrip,
    ReturnPanel, // n: 1 enabled
    MixerPage,
    EffectsUnavailable,
    InterfacePage,
    RoutingPage, // n: 0 smaller model, 1 larger model
    ReverbScene, // n: reverb type 0..4
    RouteArrow,  // n: source column, lamp: bus colour
    ModeArrow,   // n: index in its set, lamp: bus colour
    MonitorPage, // n: 0 linked (one fader), 1 mono (two faders)
    DownloadWindow,
    MessageWindow,
};

struct Picture {
    QString path; // below Resource/
    int width;
    int height;
    Kind kind;
    QString caption;
    FaceState state = FaceState::Unlit;
    QColor lamp;
    int n = 0;
    bool opaque = false; // the face must hide what lies under it
};

QVector<Picture> catalogue();

QImage render(const Picture &picture);

// Page x of the start of the arrow of each line-out source column (shared by both models:
// the inputs keep their column, so one arrow picture serves both routing pages).
int sourceColumnX(int column);

} // namespace art
