"""Channel strips of the mixer page: the ten pairs, the mono and stereo strip templates
(written once, on pair 1_2) and the per-page difference tables."""

R = ":/Resource/"
KNOB_SEND_START = R + "track/knob_send/knob_L_700.png"

CENTER = "Qt::AlignCenter"
RIGHT_VCENTER = "Qt::AlignRight|Qt::AlignVCenter"
LEFT_BOTTOM = "Qt::AlignLeft|Qt::AlignBottom"
RIGHT_BOTTOM = "Qt::AlignRight|Qt::AlignBottom"
LEFT_VCENTER = "Qt::AlignLeft|Qt::AlignVCenter"

# Fader slider and value box, the same on every strip.
FADER = {"min": 0, "max": 100, "pageStep": 0, "sliderPosition": 100, "orientation": "Qt::Vertical"}
BOX = {"sheet": "S3", "align": RIGHT_BOTTOM, "buttonSymbols": "QAbstractSpinBox::NoButtons",
       "decimals": 1, "min": -99.9, "max": 6.0, "singleStep": 0.1}

# pair tag, stack x, (odd tag, number), (even tag, number), mono select buttons,
# mono select stems, stereo select button, stereo select stem, fader numbers
PAIRS = [
    ("1_2", 5, ("1", 1), ("2", 2), ("pB_Analog1", "pB_Analog2"), ("INPUT1", "INPUT2"),
     "pB_Analog1_2", "LINK_INPUT1-2", "1_2"),
    ("3_4", 123, ("3", 3), ("4", 4), ("pB_Analog3", "pB_Analog4"), ("INPUT3", "INPUT4"),
     "pB_Analog3_4", "LINK_INPUT3-4", "3_4"),
    ("5_6", 241, ("5", 5), ("6", 6), ("pB_Analog5", "pB_Analog6"), ("OPTA1", "OPTA2"),
     "pB_Analog5_6", "LINK_OUTA1-A2", "5_6"),
    ("7_8", 359, ("7", 7), ("8", 8), ("pB_Analog7", "pB_Analog8"), ("OPTA3", "OPTA4"),
     "pB_Analog7_8", "LINK_OUTA3-A4", "7_8"),
    ("9_10", 477, ("9", 9), ("10", 10), ("pB_Analog9", "pB_Analog10"), ("OPTA5", "OPTA6"),
     "pB_Analog9_10", "LINK_OUTA5-A6", "9_10"),
    ("SP1_2", 595, ("SP1", 11), ("SP2", 12), ("pB_SPDIF1", "pB_SPDIF2"), ("OPTA7", "OPTA8"),
     "pB_SPDIF1_2", "LINK_OUTA7-A8", "11_12"),
    ("Adat1_2", 713, ("Adat1", 13), ("Adat2", 14), ("pB_Adat1", "pB_Adat2"), ("OPTB1", "OPTB2"),
     "pB_Adat1_2", "LINK_OUTB1-B2", "13_14"),
    ("Adat3_4", 831, ("Adat3", 15), ("Adat4", 16), ("pB_Adat3", "pB_Adat4"), ("OPTB3", "OPTB4"),
     "pB_Adat3_4", "LINK_OUTB3-B4", "15_16"),
    ("Adat5_6", 949, ("Adat5", 17), ("Adat6", 18), ("pB_Adat5", "pB_Adat6"), ("OPTB5", "OPTB6"),
     "pB_Adat5_6", "LINK_OUTB5-B6", "17_18"),
    ("Adat7_8", 1067, ("Adat7", 19), ("Adat8", 20), ("pB_Adat7", "pB_Adat8"), ("OPTB7", "OPTB8"),
     "pB_Adat7_8", "LINK_OUTB7-B8", "19_20"),
]

STACK_Y, STACK_W, STACK_H = 150, 116, 531

# Mono page template. Names: {T} strip tag, {N} strip number, {SEL} select button,
# {P} pair tag. Columns: key, name, class, x odd, x even, y, w, h, further properties.
# The key doubles as the text family (texts.py).
_SEND_Y = {1: (107, 122, 136), 2: (154, 169, 182), 3: (201, 216, 229), 4: (248, 263, 276)}


def _mono_rows():
    rows = [
        ("strip", "mono{T}", "ChannelControl", -2, 57, 5, 58, 531,
         {"pixmap": R + "track/Tarvik_track_0.png"}),
        ("select", "{SEL}", "QPushButton", -3, 56, 23, 58, 13,
         {"icon": "select", "iconSize": (50, 15), "check": False}),
        ("phase", "pB_Phase{T}", "QPushButton", 2, 61, 41, 25, 13,
         {"icon": "phase", "iconSize": (25, 13), "check": False}),
        ("bypass", "pB_Bypass{N}", "QPushButton", 27, 86, 41, 25, 13,
         {"icon": "bypass", "iconSize": (25, 13), "check": False}),
        ("eq", "pB_EQ{T}", "QPushButton", -2, 57, 59, 58, 13,
         {"icon": "eq", "iconSize": (50, 13), "check": False}),
        ("comp", "pB_Comp{T}", "QPushButton", -2, 57, 74, 58, 13,
         {"icon": "comp", "iconSize": (50, 13), "check": False}),
    ]
    for k in range(1, 5):
        button_y, knob_y, disp_y = _SEND_Y[k]
        rows += [
            ("pre%d" % k, "pB_Pre%d_{T}" % k, "QPushButton", 2, 61, button_y, 25, 13,
             {"icon": "pre", "iconSize": (25, 13), "check": False}),
            ("post%d" % k, "pB_Post%d_{T}" % k, "QPushButton", 27, 86, button_y, 25, 13,
             {"icon": "post", "iconSize": (25, 13), "check": False}),
            ("knob%d" % k, "label_Send%dKnob{T}" % k, "DialControlSend", 14, 73, knob_y, 26, 26,
             {"sheet": "S1", "pixmap": KNOB_SEND_START, "align": CENTER}),
            ("disp%d" % k, "label_Send%dDisplay{T}" % k, "QLabel", 27, 86, disp_y, 30, 20,
             {"sheet": "S2", "align": RIGHT_VCENTER}),
        ]
    rows += [
        ("solo", "pB_Solo{T}", "QPushButton", -2, 57, 294, 58, 13,
         {"icon": "solo", "iconSize": (50, 13), "check": False}),
        ("mute", "pB_Mute{T}", "QPushButton", -2, 57, 310, 58, 13,
         {"icon": "mute", "iconSize": (50, 13), "check": False}),
        ("panKnob", "label_panKnob{T}", "PanControl", 20, 79, 336, 16, 12,
         {"pixmap": R + "track/PAN.png", "align": CENTER}),
        ("panDisp", "label_panDisplay{T}", "QLabel", 20, 80, 348, 30, 20,
         {"sheet": "S2", "align": CENTER}),
        ("fader", "vS_FaderKnob{N}", "QSlider", 10, 70, 350, 20, 131, dict(FADER)),
        ("peak", "label_Peak{T}", "QLabel", 37, 96, 356, 6, 5,
         {"pixmap": R + "track/Peak.png", "align": LEFT_BOTTOM}),
        ("meter", "label_LevelMeter{T}", "QLabel", 37, 96, 468, 6, 1,
         {"pixmap": R + "track/Meter.png", "align": LEFT_BOTTOM}),
        ("box", "dSB_faderDisplay{N}", "QDoubleSpinBox", 2, 61, 485, 50, 18, dict(BOX)),
        ("linkOn", "pB_LinkOn{P}", "QPushButton", 28, None, 508, 58, 13,
         {"icon": "linkOn", "iconSize": (60, 20), "check": True}),
    ]
    return rows


MONO_ROWS = _mono_rows()

# Differences between the mono pages: stack sheet, link-on x, select x (odd, even),
# meter x (odd, even) and y, send value label x (odd, even), send 1 value label y
# (odd, even), and the rest.
MONO_DIFFS = {
    "1_2": ("S13", 28, (-3, 56), (37, 96, 468), (27, 86), (136, 136), {"bypassEvenIcon": "bypassNormal"}),
    "3_4": ("S1", 28, (-2, 57), (37, 96, 468), (28, 87), (136, 136), {}),
    "5_6": ("S1", 28, (-1, 58), (37, 96, 468), (28, 87), (136, 137), {"stripOddWidth": 60}),
    "7_8": ("S1", 28, (-2, 57), (37, 96, 478), (28, 87), (136, 136), {}),
    "9_10": ("S1", 28, (-2, 57), (37, 96, 478), (28, 87), (136, 136), {}),
    "SP1_2": ("S1", 27, (-1, 58), (38, 97, 478), (28, 87), (135, 135), {}),
    "Adat1_2": ("S1", 27, (-2, 57), (37, 96, 468), (28, 87), (135, 135), {}),
    "Adat3_4": ("S1", 27, (-1, 58), (39, 98, 478), (27, 86), (135, 135), {}),
    "Adat5_6": ("S1", 27, (-2, 57), (37, 96, 468), (28, 87), (135, 135), {}),
    "Adat7_8": ("S1", 27, (-1, 58), (37, 96, 468), (29, 87), (135, 135), {}),
}

# Raise order of a mono page; ".o" odd strip, ".e" even strip. Creation follows the same
# order but for the send knobs and value labels (MONO_CREATE_SENDS).
MONO_RAISE = """
strip.o strip.e linkOn phase.o phase.e eq.o eq.e comp.o comp.e solo.o solo.e mute.o mute.e
panKnob.o panDisp.o panDisp.e panKnob.e select.o select.e meter.o meter.e peak.o peak.e
pre1.o pre2.o pre3.o pre4.o post3.o post4.o post2.o post1.o
pre3.e post1.e post3.e pre4.e post4.e pre2.e post2.e pre1.e
knob1.o disp1.o knob2.o knob3.o knob4.o knob4.e knob2.e knob3.e knob1.e
disp4.o disp2.o disp3.o disp3.e disp1.e disp4.e disp2.e
box.o fader.o box.e fader.e bypass.o bypass.e
""".split()
MONO_CREATE_SENDS = """
knob1.o disp1.o disp2.o knob2.o disp3.o knob3.o disp4.o knob4.o
knob4.e knob2.e disp3.e disp1.e knob3.e disp4.e knob1.e disp2.e
""".split()


def mono_create_order():
    sends = [k for k in MONO_RAISE if k.startswith(("knob", "disp"))]
    first = MONO_RAISE.index(sends[0])
    rest = [k for k in MONO_RAISE[first:] if k not in sends]
    return MONO_RAISE[:first] + MONO_CREATE_SENDS + rest


# Stereo page template. Names: {P} pair tag, {F} fader numbers, {SEL} select button.
def _stereo_rows():
    rows = [
        ("st", "st{P}", "ChannelControl", -2, 5, 117, 531,
         {"pixmap": R + "track/TrackLink_0.png", "align": CENTER}),
        ("linkOff", "pB_LinkOff{P}", "QPushButton", 28, 508, 58, 13,
         {"sheet": "S1", "icon": "linkOff", "iconSize": (60, 20), "check": True, "flat": False}),
        ("select", "{SEL}", "QPushButton", 14, 22, 84, 15,
         {"icon": "select", "iconSize": (84, 15), "check": False}),
        ("phaseL", "pB_Phase{P}_L", "QPushButton", 2, 41, 25, 13,
         {"icon": "phase", "iconSize": (25, 13), "check": False}),
        ("bypass", "pB_Bypass{F}", "QPushButton", 27, 41, 25, 13,
         {"enabled": True, "icon": "bypass", "iconSize": (25, 13), "check": False}),
        ("phaseR", "pB_Phase{P}_R", "QPushButton", 61, 41, 25, 13,
         {"icon": "phase", "iconSize": (25, 13), "check": False}),
        ("eq", "pB_EQ{P}", "QPushButton", 28, 59, 58, 13,
         {"icon": "eq", "iconSize": (50, 13), "check": False}),
        ("comp", "pB_Comp{P}", "QPushButton", 28, 74, 58, 13,
         {"icon": "comp", "iconSize": (50, 13), "check": False}),
    ]
    for k in range(1, 5):
        button_y, knob_y, disp_y = _SEND_Y[k]
        if k == 1:
            disp_y = 135
        rows += [
            ("pre%d" % k, "pB_Pre%d_{P}" % k, "QPushButton", 32, button_y, 25, 13,
             {"icon": "pre", "iconSize": (25, 13), "check": False}),
            ("post%d" % k, "pB_Post%d_{P}" % k, "QPushButton", 57, button_y, 25, 13,
             {"icon": "post", "iconSize": (25, 13), "check": False}),
            ("knob%d" % k, "label_Send%dKnob{P}" % k, "DialControlSend", 44, knob_y, 26, 26,
             {"sheet": "S1", "pixmap": KNOB_SEND_START, "align": CENTER}),
            ("disp%d" % k, "label_Send%dDisplay{P}" % k, "QLabel", 62, disp_y, 30, 20,
             {"sheet": "S2", "align": RIGHT_VCENTER}),
        ]
    rows += [
        ("solo", "pB_Solo{P}", "QPushButton", 28, 294, 58, 13,
         {"icon": "solo", "iconSize": (50, 13), "check": False}),
        ("mute", "pB_Mute{P}", "QPushButton", 28, 310, 58, 13,
         {"icon": "mute", "iconSize": (50, 13), "check": False}),
        ("panKnobL", "label_panKnob{P}_L", "PanControl", 20, 336, 16, 12,
         {"pixmap": R + "track/PAN.png", "align": CENTER}),
        ("panKnobR", "label_panKnob{P}_R", "PanControl", 79, 336, 16, 12,
         {"pixmap": R + "track/PAN.png", "align": CENTER}),
        ("panDispL", "label_panDisplay{P}_L", "QLabel", 0, 348, 30, 20,
         {"sheet": "S2", "align": CENTER}),
        ("panDispR", "label_panDisplay{P}_R", "QLabel", 80, 348, 30, 20,
         {"sheet": "S2", "align": CENTER}),
        ("fader", "vS_FaderKnob{F}", "QSlider", 35, 350, 20, 131, dict(FADER)),
        ("peakL", "label_Peak{P}_L", "QLabel", 63, 356, 6, 5,
         {"pixmap": R + "track/Peak.png", "align": LEFT_BOTTOM}),
        ("peakR", "label_Peak{P}_R", "QLabel", 74, 356, 6, 5,
         {"pixmap": R + "track/Peak.png", "align": LEFT_BOTTOM}),
        ("meterL", "label_LevelMeter{P}_L", "QLabel", 63, 468, 6, 1,
         {"pixmap": R + "track/Meter.png", "align": LEFT_BOTTOM}),
        ("meterR", "label_LevelMeter{P}_R", "QLabel", 74, 468, 6, 1,
         {"pixmap": R + "track/Meter.png", "align": LEFT_BOTTOM}),
        ("box", "dSB_faderDisplay{F}", "QDoubleSpinBox", 32, 485, 50, 18, dict(BOX)),
    ]
    return rows


STEREO_ROWS = _stereo_rows()

# The one difference between the stereo pages: the link-off button's x.
STEREO_LINK_OFF_X = {"Adat3_4": 27, "Adat7_8": 27}

STEREO_CREATE = """
linkOff st eq comp solo mute phaseL phaseR select panKnobL panKnobR panDispL panDispR
meterL meterR peakL peakR knob4 knob2 disp3 disp1 knob3 disp4 knob1 disp2
post4 post2 pre4 post3 pre2 pre3 pre1 post1 box fader bypass
""".split()
STEREO_RAISE = """
st linkOff eq comp solo mute phaseL phaseR select panKnobL panKnobR panDispL panDispR
meterL meterR peakL peakR knob4 knob2 knob3 knob1 post4 post2 pre4 post3 pre2 pre3 pre1 post1
disp1 disp4 disp2 disp3 box fader bypass
""".split()
