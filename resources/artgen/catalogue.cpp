// The picture tables: names, sizes and contents of the compiled-in artwork.
#include "catalogue.h"

namespace art {
namespace {

struct FaceRow {
    const char *path;
    int width;
    int height;
    Kind kind;
    const char *caption;
    FaceState state;
    QColor lamp;
    bool opaque;
};

// Button faces that carry a word or a symbol. The Off pictures of the solo, mute, EQ,
// compressor, pre, post and reverb-type buttons are the transparent picture: their unlit
// faces are part of the strip and page artwork underneath.
const FaceRow kFaces[] = {
    {"track/Phase_0.png", 25, 13, Kind::PhaseFace, "", FaceState::Unlit, ink::amber, false},
    {"track/Phase_1.png", 25, 13, Kind::PhaseFace, "", FaceState::Lit, ink::amber, false},
    {"track/PHASE_disable.png", 25, 13, Kind::PhaseFace, "", FaceState::Disabled, ink::amber,
     false},
    {"track/THRU_0.png", 25, 13, Kind::Face, "THRU", FaceState::Unlit, ink::red, false},
    {"track/THRU_1.png", 25, 13, Kind::Face, "THRU", FaceState::Lit, ink::red, false},
    {"track/EQ.png", 50, 13, Kind::Face, "EQ", FaceState::Lit, ink::green, false},
    {"track/EQ_disable.png", 50, 13, Kind::Face, "EQ", FaceState::Disabled, ink::green, false},
    {"track/COMP.png", 50, 13, Kind::Face, "COMP", FaceState::Lit, ink::cyan, false},
    {"track/COMP_disable.png", 50, 13, Kind::Face, "COMP", FaceState::Disabled, ink::cyan, false},
    {"track/PRE_1.png", 25, 13, Kind::Face, "PRE", FaceState::Lit, ink::blue, false},
    {"track/POST_1.png", 25, 13, Kind::Face, "POST", FaceState::Lit, ink::amber, false},
    {"track/SOLO.png", 50, 13, Kind::Face, "SOLO", FaceState::Lit, ink::yellow, false},
    {"track/MUTE.png", 50, 13, Kind::Face, "MUTE", FaceState::Lit, ink::red, false},
    {"track/LINK_0.png", 50, 13, Kind::Face, "LINK", FaceState::Unlit, ink::blue, false},
    {"track/LINK_1.png", 50, 13, Kind::Face, "LINK", FaceState::Lit, ink::blue, false},
    {"track/REVERB_1.png", 50, 15, Kind::Face, "REVERB", FaceState::Lit, ink::magenta, false},
    {"track/reverb_Hall_1.png", 50, 13, Kind::Face, "HALL", FaceState::Lit, ink::amber, false},
    {"track/reverb_Rooml_1.png", 50, 13, Kind::Face, "ROOM", FaceState::Lit, ink::amber, false},
    {"track/reverb_Live_1.png", 50, 13, Kind::Face, "LIVE", FaceState::Lit, ink::amber, false},
    {"track/reverb_Studio_1.png", 50, 13, Kind::Face, "STUDIO", FaceState::Lit, ink::amber, false},
    {"track/reverb_Plate_1.png", 50, 13, Kind::Face, "PLATE", FaceState::Lit, ink::amber, false},
    {"track/LCF_off.png", 31, 14, Kind::Face, "LCF", FaceState::Unlit, ink::blue, true},
    {"track/LCF_on.png", 31, 14, Kind::Face, "LCF", FaceState::Lit, ink::blue, true},
    {"monicon/monicon_link_1.png", 120, 25, Kind::Face, "LINK", FaceState::Unlit, ink::blue, false},
    {"monicon/monicon_link_0.png", 120, 25, Kind::Face, "LINK", FaceState::Lit, ink::blue, false},
    {"monicon/MoniConEnable.png", 76, 20, Kind::Face, "ENABLE", FaceState::Lit, ink::green, false},
};

struct PlainRow {
    const char *path;
    int width;
    int height;
    Kind kind;
    int n;
    QColor lamp;
};

const PlainRow kPlain[] = {
    {"trans.png", 100, 100, Kind::Transparent, 0, {}},
    {"icon/icon_32x32.png", 32, 32, Kind::AppIcon, 0, {}},
    {"Tarvik_mixer_back.png", 1260, 700, Kind::MixerPage, 0, {}},
    {"Tarvik_info_back.png", 1260, 700, Kind::InterfacePage, 0, {}},
    {"PELVO_ROUTING_back.png", 1260, 700, Kind::RoutingPage, 0, {}},
    {"Tarvik_ROUTING_back.png", 1260, 700, Kind::RoutingPage, 1, {}},
    {"Gorsa_mixer_disable.png", 1260, 115, Kind::EffectsUnavailable, 0, {}},
    {"track/Tarvik_track_0.png", 58, 511, Kind::MonoStrip, 0, {}},
    {"track/Tarvik_track_1.png", 58, 511, Kind::MonoStrip, 1, {}},
    {"track/TrackLink_0.png", 117, 511, Kind::StereoStrip, 0, {}},
    {"track/TrackLink_1.png", 117, 511, Kind::StereoStrip, 1, {}},
    {"track/Tarvik_master.png", 74, 435, Kind::MasterStrip, 0, {}},
    {"track/return.png", 74, 91, Kind::ReturnPanel, 1, {}},
    {"track/return_disable.png", 74, 91, Kind::ReturnPanel, 0, {}},
    {"track/PAN.png", 12, 12, Kind::PanMarker, 1, {}},
    {"track/PAN_c.png", 12, 12, Kind::PanMarker, 0, {}},
    {"track/Meter.png", 6, 107, Kind::MeterBar, 0, {}},
    {"track/Peak.png", 6, 5, Kind::PeakLamp, 0, {}},
    // The three gain-reduction bars have the colours the compressor section names.
    {"track/GR_passive.png", 5, 63, Kind::Solid, 0, QColor(80, 80, 80)},
    {"track/GR_active.png", 5, 63, Kind::Solid, 0, QColor(160, 160, 160)},
    {"track/GR_available.png", 5, 63, Kind::Solid, 0, QColor(41, 223, 255)},
    {"track/Feder.png", 20, 30, Kind::FaderCap, 0, QColor(0x3a, 0x3d, 0x42)},
    {"track/Feder_master.png", 20, 30, Kind::FaderCap, 0, QColor(0xc8, 0x2c, 0x24)},
    {"monicon/nob_white.png", 29, 40, Kind::FaderCap, 0, QColor(0xd8, 0xda, 0xde)},
    {"monicon/nob_red.png", 29, 40, Kind::FaderCap, 0, QColor(0xc8, 0x2c, 0x24)},
    {"monicon/monicon_back_link.png", 640, 480, Kind::MonitorPage, 1, {}},
    {"monicon/monicon_back.png", 360, 480, Kind::MonitorPage, 0, {}},
    {"update/Download_250x100.png", 250, 100, Kind::DownloadWindow, 0, {}},
    {"update/info_570x160_icon.png", 570, 160, Kind::MessageWindow, 0, {}},
};

// Reverb type pictures, in the order of the type buttons.
const char *const kReverbScenes[] = {"hall", "room", "live", "studio", "plate"};
const char *const kReverbWords[] = {"HALL", "ROOM", "LIVE", "STUDIO", "PLATE"};

// Channel-select captions: file stem and the caption of the mono strips' select buttons.
struct Caption {
    const char *stem;
    const char *words;
};

const Caption kMonoSelect[] = {
    {"INPUT1", "INPUT 1"}, {"INPUT2", "INPUT 2"}, {"INPUT3", "INPUT 3"}, {"INPUT4", "INPUT 4"},
    {"OPTA1", "OPT A1"},   {"OPTA2", "OPT A2"},   {"OPTA3", "OPT A3"},   {"OPTA4", "OPT A4"},
    {"OPTA5", "OPT A5"},   {"OPTA6", "OPT A6"},   {"OPTA7", "OPT A7"},   {"OPTA8", "OPT A8"},
    {"OPTB1", "OPT B1"},   {"OPTB2", "OPT B2"},   {"OPTB3", "OPT B3"},   {"OPTB4", "OPT B4"},
    {"OPTB5", "OPT B5"},   {"OPTB6", "OPT B6"},   {"OPTB7", "OPT B7"},   {"OPTB8", "OPT B8"},
};

const Caption kPairSelect[] = {
    {"LINK_INPUT1-2", "INPUT 1-2"}, {"LINK_INPUT3-4", "INPUT 3-4"}, {"LINK_OUTA1-A2", "OPT A1-A2"},
    {"LINK_OUTA3-A4", "OPT A3-A4"}, {"LINK_OUTA5-A6", "OPT A5-A6"}, {"LINK_OUTA7-A8", "OPT A7-A8"},
    {"LINK_OUTB1-B2", "OPT B1-B2"}, {"LINK_OUTB3-B4", "OPT B3-B4"}, {"LINK_OUTB5-B6", "OPT B5-B6"},
    {"LINK_OUTB7-B8", "OPT B7-B8"},
};

// Line-out arrows of the routing pages: folder, name stem, count, first source column and
// the colour of the bus family.
struct ArrowSet {
    const char *folder;
    const char *stem;
    int count;
    int firstColumn;
    QColor lamp;
};

const ArrowSet kRouteArrows[] = {
    {"arrow_AD", "arrow_AD-", 20, 0, ink::cyan},
    {"arrow_AUX", "arrow_AUX-", 4, 22, ink::green},
    {"arrow_comp", "arrow_comp-", 10, 26, ink::magenta},
};

// The two alternative mode sets (17 pixels high, one width per index; nothing shows them).
struct ModeArrow {
    const char *name;
    QColor lamp;
};

const ModeArrow kInterfaceModeArrows[] = {
    {"master-L", ink::amber}, {"master-R", ink::amber}, {"aux1", ink::green},
    {"aux2", ink::green},     {"aux3", ink::green},     {"aux4", ink::green},
};

const ModeArrow kMixerModeArrows[] = {
    {"mauster-L", ink::amber}, {"mauster-R", ink::amber}, {"aux1", ink::green},
    {"aux2", ink::green},      {"aux3", ink::green},      {"aux4", ink::green},
    {"solo-L", ink::yellow},   {"solo-R", ink::yellow},
};

constexpr int kComputerModeArrows = 20;

// Width of the mode arrow at index i of a set: one column pitch more per source.
int modeArrowWidth(int index) {
    return 200 + 24 * index;
}

// Clock reading in the name of knob frame k: 700, 730, 800, ... 1700.
int clockNumber(int frame) {
    return (7 + frame / 2) * 100 + (frame % 2) * 30;
}

} // namespace

int sourceColumnX(int column) {
    if (column < 20)
        return 60 + 20 * column;
    if (column < 22)
        return 490 + 20 * (column - 20);
    if (column < 26)
        return 550 + 20 * (column - 22);
    return 650 + 20 * (column - 26);
}

QVector<Picture> catalogue() {
    QVector<Picture> all;
    for (const PlainRow &r : kPlain)
        all.push_back({r.path, r.width, r.height, r.kind, {}, FaceState::Unlit, r.lamp, r.n});
    for (const FaceRow &r : kFaces)
        all.push_back({r.path, r.width, r.height, r.kind, r.caption, r.state, r.lamp, 0, r.opaque});
    for (int pair = 0; pair < 4; ++pair) {
        const QString nums = QString::number(2 * pair + 1) + QString::number(2 * pair + 2);
        const QString words = QStringLiteral("LINE OUT\n%1-%2").arg(2 * pair + 1).arg(2 * pair + 2);
        // In this set _0 is the chosen (lit) pair and _1 the others.
        all.push_back({"monicon/monicon_out" + nums + "_0.png", 120, 50, Kind::Face, words,
                       FaceState::Lit, ink::amber});
        all.push_back({"monicon/monicon_out" + nums + "_1.png", 120, 50, Kind::Face, words,
                       FaceState::Unlit, ink::amber});
    }
    for (int frame = 0; frame <= 20; ++frame) {
        const QString clock = QString::number(clockNumber(frame));
        all.push_back({"track/knob_s/knob-s_" + clock + ".png",
                       18,
                       18,
                       Kind::EffectKnob,
                       {},
                       FaceState::Unlit,
                       {},
                       frame});
        all.push_back({"track/knob_send/knob_L_" + clock + ".png",
                       26,
                       26,
                       Kind::SendKnob,
                       {},
                       FaceState::Unlit,
                       {},
                       frame});
    }
    for (const Caption &c : kMonoSelect) {
        all.push_back({QStringLiteral("track/select/%1_0.png").arg(c.stem), 50, 15, Kind::Face,
                       c.words, FaceState::Unlit, ink::cyan});
        all.push_back({QStringLiteral("track/select/%1_1.png").arg(c.stem), 50, 15, Kind::Face,
                       c.words, FaceState::Lit, ink::cyan});
    }
    for (const Caption &c : kPairSelect) {
        all.push_back({QStringLiteral("track/select_LINK/%1_0.png").arg(c.stem), 84, 15, Kind::Face,
                       c.words, FaceState::Unlit, ink::cyan});
        all.push_back({QStringLiteral("track/select_LINK/%1_1.png").arg(c.stem), 84, 15, Kind::Face,
                       c.words, FaceState::Lit, ink::cyan});
    }
    for (int t = 0; t < 5; ++t)
        all.push_back({QStringLiteral("Reverb/Rvb_%1.png").arg(kReverbScenes[t]),
                       91,
                       80,
                       Kind::ReverbScene,
                       kReverbWords[t],
                       FaceState::Unlit,
                       {},
                       t});
    for (const ArrowSet &s : kRouteArrows) {
        for (int i = 0; i < s.count; ++i)
            all.push_back({QStringLiteral("%1/%2%3.png").arg(s.folder, s.stem).arg(i + 1),
                           917,
                           11,
                           Kind::RouteArrow,
                           {},
                           FaceState::Lit,
                           s.lamp,
                           s.firstColumn + i});
    }
    all.push_back(
        {"arrow_ST/arrow_ST-L.png", 917, 11, Kind::RouteArrow, {}, FaceState::Lit, ink::amber, 20});
    all.push_back(
        {"arrow_ST/arrow_ST-R.png", 917, 11, Kind::RouteArrow, {}, FaceState::Lit, ink::amber, 21});
    int index = 0;
    for (const ModeArrow &a : kInterfaceModeArrows) {
        all.push_back({QStringLiteral("arrow_Gorsa_A-IF/arrow_Gorsa_A-IF_%1.png").arg(a.name),
                       modeArrowWidth(index),
                       17,
                       Kind::ModeArrow,
                       {},
                       FaceState::Lit,
                       a.lamp,
                       index});
        ++index;
    }
    for (int cp = 1; cp <= kComputerModeArrows; ++cp) {
        all.push_back({QStringLiteral("arrow_Gorsa_A-IF/arrow_Gorsa_A-IF_cp%1.png").arg(cp),
                       modeArrowWidth(index),
                       17,
                       Kind::ModeArrow,
                       {},
                       FaceState::Lit,
                       ink::magenta,
                       index});
        ++index;
    }
    index = 0;
    for (const ModeArrow &a : kMixerModeArrows) {
        all.push_back({QStringLiteral("arrow_Gorsa_D-Mixer/arrow_Gorsa_D-Mixer_%1.png").arg(a.name),
                       modeArrowWidth(index),
                       17,
                       Kind::ModeArrow,
                       {},
                       FaceState::Lit,
                       a.lamp,
                       index});
        ++index;
    }
    return all;
}

} // namespace art
