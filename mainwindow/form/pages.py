"""The Interface page and the two output routing pages. Rows: name, class, x, y, w, h,
further properties; a geometry of None means the widget is placed by its layout."""

from strips import RIGHT_VCENTER

R = ":/Resource/"

INTERFACE_PAGE = {"enabled": True, "minSize": (1260, 700), "maxSize": (1260, 700),
                  "font": "arial20", "sheet": "S20"}
WIDGET = ("widget", "QWidget", 100, 100, 1111, 511, {"font": "arial9", "sheet": "S13"})
LAYOUT_WIDGET2 = ("layoutWidget2", "QWidget", 460, 240, 241, 41, {})
BUFFER_ROW = [  # items of horizontalLayout
    ("label_AudioPeformance", "QLabel", None, None, None, None,
     {"enabled": True, "font": "arial", "sheet": "S6"}),
    ("label_BufferSizeDisp", "QLabel", None, None, None, None,
     {"font": "arial", "sheet": "S21", "align": RIGHT_VCENTER}),
]
CLOCK_GROUP = "buttonGroup_ClockSource"
CLOCK_RADIOS = [
    ("rB_Internal", "QRadioButton", 510, 62, 111, 20, {"sheet": "S11", "checked": False}),
    ("rB_Optical_A", "QRadioButton", 510, 92, 301, 20, {"sheet": "S11", "checked": True}),
    ("rB_Optical_B", "QRadioButton", 510, 122, 301, 20, {"sheet": "S11"}),
    ("rB_Word", "QRadioButton", 510, 152, 111, 20, {"sheet": "S11"}),
]
CLOCK_ROWS = [
    ("cB_Optical_A", "QComboBox", 720, 90, 351, 21, {"enabled": True, "font": "arial", "sheet": "S15"}),
    ("cB_Optical_B", "QComboBox", 720, 120, 351, 21, {"enabled": True, "font": "arial", "sheet": "S15"}),
    ("label_SampleClockSource", "QLabel", 460, 8, 211, 49,
     {"enabled": True, "font": "arial", "sheet": "S22"}),
]
LAYOUT_WIDGET3 = ("layoutWidget3", "QWidget", 1, 1, 431, 411, {})
# Status grid rows: caption (column 0, S6), value (column 1, S8).
STATUS_GRID = [
    ("label_DriverVersion", "label_IntDriverVersion"),
    ("label_FirmVersion", "label_IntFirmVersion"),
    ("label_Device", "label_IntDevice"),
    ("label_ClockSource", "label_IntClockSource"),
    ("label_SampleRate", "label_IntSampleRate"),
    ("label_ClockSourceStatus", "label_IntClockSourceStatus"),
    ("label_OptAInputStatus", "label_IntOptAInputStatus"),
    ("label_OptBInputStatus", "label_IntOptBInputStatus"),
    ("label_WordInputStatus", "label_IntWordInputStatus"),
]
BUFFER_ROWS = [
    ("hS_BufferSize", "QSlider", 491, 291, 591, 41,
     {"font": "arial", "sheet": "S10", "max": 10, "singleStep": 1, "value": 7,
      "sliderPosition": 7, "orientation": "Qt::Horizontal", "tick": "QSlider::NoTicks"}),
    ("label_BufferSizeTick", "QLabel", 491, 340, 611, 17, {"font": "arialNormal", "sheet": "S23"}),
]
INTERFACE_ROWS = [
    ("pB_ToMixerFromInterface", "QPushButton", 33, 0, 130, 30, {"sheet": "S9"}),
    ("pB_ToOutputFromInterface", "QPushButton", 324, 0, 130, 30, {"sheet": "S9"}),
    ("label_Interface_Asio", "QLabel", 909, 663, 341, 30, {"sheet": "S12", "align": RIGHT_VCENTER}),
    ("label_Interface_Ostrel", "QLabel", 950, 656, 300, 16, {"sheet": "S12", "align": RIGHT_VCENTER}),
    ("label_Interface_App", "QLabel", 949, 639, 300, 16, {"sheet": "S12", "align": RIGHT_VCENTER}),
    ("label_MorvexURL", "QLabel", 1026, 34, 221, 41,
     {"font": "arialNormal", "sheet": "S24", "textFormat": "Qt::RichText",
      "align": RIGHT_VCENTER, "openLinks": True}),
]

_LINE_OUT = {"font": "arial", "focus": "Qt::WheelFocus", "sheet": "S7"}
_ARROW = {"layoutDir": "Qt::RightToLeft", "sheet": "S1"}
ARROW_ST_L = R + "arrow_ST/arrow_ST-L.png"
ARROW_ST_R = R + "arrow_ST/arrow_ST-R.png"

PELVO_SHEET = "S25"
PELVO_ROWS = [
    ("cB_LineOut1_Pelvo", "QComboBox", 997, 484, 120, 18, dict(_LINE_OUT)),
    ("cB_LineOut2_Pelvo", "QComboBox", 997, 511, 120, 18, dict(_LINE_OUT)),
    ("label_LineOut1_Arrow_Pelvo", "QLabel", 31, 483, 881, 20, dict(_ARROW, pixmap=ARROW_ST_L)),
    ("label_LineOut2_Arrow_Pelvo", "QLabel", 31, 510, 881, 20, dict(_ARROW, pixmap=ARROW_ST_R)),
    ("pB_ToInformationFromRoutingPelvo", "QPushButton", 176, 0, 130, 30, {"sheet": "S9"}),
    ("pB_ToMixerFromRoutingPelvo", "QPushButton", 32, 0, 130, 30, {"sheet": "S9"}),
]

TARVIK_SHEET = "S26"
# line output: arrow y, arrow picture, combo y
TARVIK_LINES = [
    (1, 376, ARROW_ST_L, 376),
    (2, 402, ARROW_ST_R, 403),
    (3, 429, R + "arrow_AUX/arrow_AUX-1.png", 430),
    (4, 456, R + "arrow_AUX/arrow_AUX-2.png", 457),
    (5, 484, R + "arrow_AUX/arrow_AUX-3.png", 484),
    (6, 510, R + "arrow_AUX/arrow_AUX-4.png", 511),
    (7, 537, R + "arrow_comp/arrow_comp-1.png", 538),
    (8, 564, R + "arrow_comp/arrow_comp-2.png", 565),
]
TARVIK_COMBO_ORDER = [2, 1, 3, 4, 5, 6, 7, 8]


def tarvik_rows():
    rows = [("label_LineOut%d_Arrow" % n, "QLabel", 31, ay, 881, 20, dict(_ARROW, pixmap=pic))
            for n, ay, pic, _ in TARVIK_LINES]
    combo_y = {n: cy for n, _, _, cy in TARVIK_LINES}
    rows += [("cB_LineOut%d_Tarvik" % n, "QComboBox", 997, combo_y[n], 120, 18, dict(_LINE_OUT))
             for n in TARVIK_COMBO_ORDER]
    rows += [
        ("pB_ToMixerFromRoutingTarvik", "QPushButton", 33, 0, 130, 30, {"sheet": "S9"}),
        ("pB_ToInformationFromRoutingTarvik", "QPushButton", 177, 0, 130, 30, {"sheet": "S9"}),
        ("pB_MoniconEnable", "QPushButton", 1094, 209, 76, 20,
         {"sheet": "S1", "icon": "moniCon", "iconSize": (76, 20), "check": False}),
    ]
    return rows


# Start indexes after the texts, in this order.
START_INDEXES = [
    ("stackedWidget", 1),
    ("sW_channel1_2", 0), ("sW_channel3_4", 0), ("sW_channel5_6", 0), ("sW_channel7_8", 0),
    ("sW_channel9_10", 0), ("sW_master", 1), ("sW_return", 1), ("sW_channelSP1_2", 0),
    ("sW_channelAdat1_2", 0), ("sW_channelAdat3_4", 0), ("sW_channelAdat5_6", 0),
    ("sW_channelAdat7_8", 0),
    ("cB_LineOut1_Pelvo", 10), ("cB_LineOut2_Pelvo", 11), ("cB_LineOut2_Tarvik", 21),
    ("cB_LineOut1_Tarvik", 20), ("cB_LineOut3_Tarvik", 22), ("cB_LineOut4_Tarvik", 23),
    ("cB_LineOut5_Tarvik", 24), ("cB_LineOut6_Tarvik", 25), ("cB_LineOut7_Tarvik", 26),
    ("cB_LineOut8_Tarvik", 27),
]

# Fonts: family and the properties set on top of it.
FONTS = {
    "arial": [("Family", '"Arial"')],
    "arial9": [("Family", '"Arial"'), ("PointSize", "9")],
    "arial20": [("Family", '"Arial"'), ("PointSize", "20")],
    "arialNormal": [("Family", '"Arial"'), ("Italic", "false"), ("Weight", "50")],
    "gothic9": [("Family", '"MS UI Gothic"'), ("PointSize", "9"), ("Bold", "false"),
                ("Italic", "false"), ("Weight", "50")],
}
