"""The master strip, the equaliser, compressor and reverb sections, the mixer page buttons
and the channel-name fields. Rows: name, class, x, y, w, h, further properties."""

from strips import CENTER, RIGHT_VCENTER, LEFT_VCENTER, LEFT_BOTTOM, KNOB_SEND_START, FADER, BOX

R = ":/Resource/"
LEFT_TOP = "Qt::AlignLeft|Qt::AlignTop"
KNOB_S = R + "track/knob_s/knob-s_%s.png"

# Master strip, children of master_ch in creation order; sW_return stands in its place.
MASTER_SHEET = "S1"
MASTER_STACK = (1177, 150, 81, 541)
MASTER_ROWS = [
    ("master", "ChannelControl", 6, 108, 74, 435,
     {"pixmap": R + "track/Tarvik_master.png", "align": CENTER}),
    ("pB_masterMute", "QPushButton", 18, 333, 50, 13,
     {"sheet": "S1", "icon": "mute", "iconSize": (50, 13), "check": False}),
    ("label_LevelMeterMasterL", "QLabel", 51, 468, 6, 1,
     {"pixmap": R + "track/Meter.png", "align": LEFT_BOTTOM}),
    ("label_LevelMeterMasterR", "QLabel", 59, 468, 6, 1,
     {"pixmap": R + "track/Meter.png", "align": LEFT_BOTTOM}),
    ("label_PeakMasterL", "QLabel", 51, 356, 6, 5,
     {"pixmap": R + "track/Peak.png", "align": LEFT_BOTTOM}),
    ("label_PeakMasterR", "QLabel", 59, 356, 6, 5,
     {"pixmap": R + "track/Peak.png", "align": LEFT_BOTTOM}),
    ("label_Send3KnobMaster", "DialControlSend", 30, 235, 26, 26,
     {"sheet": "S1", "pixmap": KNOB_SEND_START, "align": CENTER}),
    ("label_Send1KnobMaster", "DialControlSend", 30, 143, 26, 26,
     {"sheet": "S1", "pixmap": KNOB_SEND_START, "align": CENTER}),
    ("label_Send2DisplayMaster", "QLabel", 45, 198, 30, 20, {"sheet": "S2", "align": RIGHT_VCENTER}),
    ("label_Send4KnobMaster", "DialControlSend", 30, 281, 26, 26,
     {"sheet": "S1", "pixmap": KNOB_SEND_START, "align": CENTER}),
    ("label_Send2KnobMaster", "DialControlSend", 30, 189, 26, 26,
     {"sheet": "S1", "pixmap": KNOB_SEND_START, "align": CENTER}),
    ("label_Send4DisplayMaster", "QLabel", 45, 290, 30, 20, {"sheet": "S2", "align": RIGHT_VCENTER}),
    ("label_Send1DisplayMaster", "QLabel", 45, 152, 30, 20,
     {"font": "gothic9", "sheet": "S2", "align": RIGHT_VCENTER}),
    ("label_Send3DisplayMaster", "QLabel", 45, 244, 30, 20, {"sheet": "S2", "align": RIGHT_VCENTER}),
    ("sW_return", "QStackedWidget", 6, 15, 74, 91, {}),
    ("vS_FaderKnobMaster", "QSlider", 26, 350, 20, 131,
     dict(FADER, singleStep=1)),
    ("dSB_faderDisplayMaster", "QDoubleSpinBox", 17, 485, 50, 18, dict(BOX)),
]
RETURN_DISABLE_ROWS = [
    ("disable_back", "QLabel", 0, 0, 74, 91,
     {"pixmap": R + "track/return_disable.png", "align": LEFT_VCENTER}),
]
RETURN_ENABLE_SHEET = "S10"
RETURN_ENABLE_ROWS = [
    ("label_SendKnobReturn", "DialControlSend", 24, 36, 26, 26,
     {"sheet": "S1", "pixmap": KNOB_SEND_START, "align": CENTER}),
    ("label_SendDisplayReturn", "QLabel", 38, 51, 30, 20, {"sheet": "S2", "align": RIGHT_VCENTER}),
    ("pB_masterReverb", "QPushButton", 12, 7, 50, 15,
     {"sheet": "S1", "icon": "reverb", "iconSize": (50, 15), "check": False}),
    ("enable_back", "QLabel", 0, 0, 74, 91,
     {"pixmap": R + "track/return.png", "align": LEFT_VCENTER}),
]
RETURN_ENABLE_RAISE = ["enable_back", "pB_masterReverb", "label_SendKnobReturn",
                       "label_SendDisplayReturn"]
MASTER_CH_RAISE = [
    "master", "pB_masterMute", "label_LevelMeterMasterL", "label_LevelMeterMasterR",
    "label_PeakMasterL", "label_PeakMasterR", "label_Send3KnobMaster", "label_Send1KnobMaster",
    "label_Send4KnobMaster", "label_Send2KnobMaster", "label_Send3DisplayMaster",
    "label_Send1DisplayMaster", "label_Send2DisplayMaster", "label_Send4DisplayMaster",
    "sW_return", "vS_FaderKnobMaster", "dSB_faderDisplayMaster"]


def _knob(name, x, y, frame):
    return (name, "DialControl", x, y, 18, 18,
            {"sheet": "S1", "pixmap": KNOB_S % frame, "align": CENTER})


def _disp(name, x, y, w):
    return (name, "QLabel", x, y, w, 11, {"sheet": "S4", "align": CENTER})


# Equaliser knobs and value displays, in creation order.
EQ_ROWS = [
    _knob("label_HighGainKnob", 228, 51, "1200"), _disp("label_HighGainDisp", 253, 59, 29),
    _knob("label_HighMidGainKnob", 228, 77, "1200"), _disp("label_HighMidGainDisp", 253, 85, 29),
    _knob("label_LowMidGainKnob", 228, 103, "1200"), _disp("label_LowMidGainDisp", 253, 111, 29),
    _knob("label_LowGainKnob", 228, 129, "1200"), _disp("label_LowGainDisp", 253, 137, 29),
    _knob("label_HighFreqKnob", 308, 51, "1130"), _disp("label_HighFreqDisp", 333, 59, 30),
    _disp("label_HighMidFreqDisp", 333, 85, 30), _knob("label_HighMidFreqKnob", 308, 77, "1100"),
    _disp("label_LowMidFreqDisp", 333, 111, 30), _knob("label_LowMidFreqKnob", 308, 103, "900"),
    _disp("label_LowFreqDisp", 333, 138, 30), _knob("label_LowFreqKnob", 308, 129, "800"),
    _disp("label_HighMidQDisp", 413, 85, 30), _knob("label_HighMidQKnob", 388, 77, "1030"),
    _disp("label_LowMidQDisp", 413, 111, 30), _knob("label_LowMidQKnob", 388, 103, "1030"),
]
EQ_GRAPH = ("label_Equalizer", "DrawEq", 22, 67, 136, 77, {"sheet": "S19", "align": LEFT_TOP})
LOW_CUT = ("pB_LowCutFilter", "QPushButton", 410, 135, 31, 14,
           {"icon": "lowCut", "iconSize": (31, 14), "checked": False})

# Compressor knobs and value displays, in creation order (each display before its knob).
COMP_ROWS = [
    _disp("label_ThresholdDisp", 638, 70, 30), _knob("label_ThresholdKnob", 607, 70, "1700"),
    _disp("label_RatioDisp", 713, 70, 35), _knob("label_RatioKnob", 689, 70, "700"),
    _disp("label_GainDisp", 799, 70, 30), _knob("label_GainKnob", 769, 70, "700"),
    _disp("label_AttackDisp", 638, 123, 30), _knob("label_AttackKnob", 607, 123, "700"),
    _disp("label_ReleaseDisp", 715, 123, 30), _knob("label_ReleaseKnob", 689, 123, "700"),
]
COMP_GRAPH = ("label_Compressor", "DrawCompressor", 479, 69, 63, 69,
              {"sheet": "S18", "align": LEFT_TOP})
GR_METER = ("label_GRMeter", "QLabel", 574, 73, 5, 0,
            {"enabled": True, "pixmap": R + "track/GR_passive.png", "align": LEFT_BOTTOM})

# Reverb section, in creation order; the type buttons join buttonGroup_Reverb.
REVERB_GROUP = "buttonGroup_Reverb"
REVERB_TYPES = [
    ("pB_RevHall", 63, "reverb_Hall_1.png", True),
    ("pB_RevRoom", 80, "reverb_Rooml_1.png", False),
    ("pB_RevLive", 97, "reverb_Live_1.png", False),
    ("pB_RevStudio", 114, "reverb_Studio_1.png", False),
    ("pB_RevPlate", 131, "reverb_Plate_1.png", False),
]
REVERB_TYPE_X, REVERB_TYPE_SIZE = 1199, (50, 13)
REVERB_ROWS = [
    _knob("label_PreDelayKnob", 873, 131, "700"),
    _knob("label_ReverbTimeKnob", 955, 131, "700"),
    _disp("label_PreDelayDisp", 897, 136, 30),
    _disp("label_ReverbTimeDisp", 979, 136, 30),
    ("label_RvbPicture", "QLabel", 1104, 62, 90, 81,
     {"sheet": "S1", "pixmap": R + "Reverb/Rvb_hall.png", "scaled": True}),
    ("label_Reverb", "DrawReverb", 873, 63, 220, 49, {"sheet": "S1"}),
    _knob("label_ReverbDiffKnob", 1039, 131, "700"),
    _disp("label_ReverbDiffDisp", 1066, 136, 30),
    ("label_ReverbDisable", "QLabel", 859, 40, 401, 115,
     {"enabled": True, "layoutDir": "Qt::RightToLeft", "sheet": "S10",
      "pixmap": R + "Gorsa_mixer_disable.png"}),
]

# Mixer page buttons over the page tabs.
PAGE_BUTTON = {"sheet": "S9"}
MIXER_BUTTONS = {
    "pB_ToInterfaceFromMixer": (180, 0, 130, 30),
    "pB_ToOutputFromMixer": (322, 0, 130, 30),
}

# Channel-name fields: field N at x 4 + 59 (N - 1), but field 14.
NAME_Y, NAME_W, NAME_H = 676, 58, 16
NAME_EXCEPTIONS = {14: (769, 60)}
NAME_SHEET = {1: "S14", 2: "S14"}  # others S5
NAME_FIRST_RUN = [1, 2, 4, 3, 6, 7, 5, 8, 15, 16, 14, 10, 11, 13, 9, 12]
NAME_SECOND_RUN = [18, 17, 20, 19]


def name_field(n):
    x, w = NAME_EXCEPTIONS.get(n, (4 + 59 * (n - 1), NAME_W))
    return ("lineEdit_ch%d" % n, "QLineEdit", x, NAME_Y, w, NAME_H,
            {"font": "arial", "focus": "Qt::ClickFocus", "sheet": NAME_SHEET.get(n, "S5"),
             "maxLength": 6, "frame": False, "align": CENTER})


# Children of the Mixer page in creation order.
MIXER_CHILDREN = [
    ("button", "pB_ToInterfaceFromMixer"),
    ("pair", "1_2"),
    ("button", "pB_ToOutputFromMixer"),
    ("pair", "3_4"), ("pair", "5_6"), ("pair", "7_8"), ("pair", "9_10"),
    ("master",),
    ("rows", "EQ_ROWS"),
    ("rows", "COMP_ROWS"),
    ("names", NAME_FIRST_RUN),
    ("row", "COMP_GRAPH"),
    ("pair", "SP1_2"), ("pair", "Adat1_2"), ("pair", "Adat3_4"),
    ("row", "EQ_GRAPH"), ("row", "LOW_CUT"),
    ("row", "GR_METER"),
    ("pair", "Adat5_6"), ("pair", "Adat7_8"),
    ("names", NAME_SECOND_RUN),
    ("reverb",),
]
# The overlay lies beneath every other child of the page; the rest follow creation order.
MIXER_RAISE_FIRST = ["label_ReverbDisable"]
