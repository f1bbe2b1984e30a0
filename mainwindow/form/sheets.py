"""Style sheets of the main window form, each applied verbatim to the widgets that name it."""

# A sheet of bare declarations applies to its widget and to every descendant, the lists that
# the combo boxes open included. So each page names itself: its picture stays on the page and
# is not drawn again inside a list.
LINE_OUT_FIELD = "rgb(76, 76, 76)"


def page_picture(page, picture):
    return "#%s { background-image: url(:/Resource/%s); }" % (page, picture)


# The page stack makes every background transparent, which the style also takes for the
# face and the ring of a radio button's indicator: an unchecked one would show nothing.
PLAIN_RADIOS = "QRadioButton { background: none; }"
# The same transparency would leave the context menus of the mixer's name and level fields
# without a face: they take the face the style gives the window's own menus.
PLAIN_MENUS = "QMenu { background-color: palette(base); }"
# The lists of the line outputs follow the sheets of the page, not that of their own box:
# they take the box's grey here, so its white items stay readable.
LINE_OUT_LISTS = "QComboBox QAbstractItemView { background-color: %s; }" % LINE_OUT_FIELD

SHEETS = {
    "S1": 'background-image: url(:/Resource/trans.png);',
    "S2": 'color: rgb(255, 170, 0);\nfont: 9pt "MS UI Gothic";',
    "S3": 'color: rgb(255, 170, 0);\nfont: 9pt "Arial";\n'
          'background-image: url(:/Resource/trans.png);\nfont-size:12px;',
    "S4": 'background-image: url(:/Resource/trans.png);\ncolor: rgb(255, 170, 0);\n'
          'font: 9pt "Arial";\nfont-size:11px;',
    "S5": 'background-image: url(:/Resource/trans.png);\ncolor: rgb(255, 170, 0);',
    "S6": 'color: rgb(0,0,0);\nfont-size: 20px\n',
    "S7": 'selection-background-color: rgb(0, 128, 255);\nbackground-color: %s;\n'
          'color: rgb(255, 255, 255);\nbackground-image: url(:/Resource/trans.png);\n'
          'font-size:10px;' % LINE_OUT_FIELD,
    "S8": 'color: rgb(0,0,0);\nfont-size: 18px\n',
    "S9": 'background-color: rgba(255, 255, 255, 0);\n'
          'background-image: url(:/Resource/trans.png);',
    "S10": '',
    "S11": 'color: rgb(0,0,0);\nfont: 9pt "Arial";\nfont-size: 15px\n',
    "S12": 'background-image: url(:/Resource/trans.png);\ncolor: rgb(0,0,0);\nfont-size: 12px;',
    "S13": 'background-image: url(:/Resource/trans.png);\n',
    "S14": 'background-image: url(:/Resource/trans.png);\ncolor: rgb(255, 170, 0);\n',
    "S15": 'background-color: rgb(255, 255, 255);\n'
           'selection-background-color: rgb(0, 128, 255);\nfont-size: 15px',
    "S16": 'background-color: rgba(255, 255, 255, 0);\nfont-family: Arial;\n',
    "S18": 'background-image: url(:/Resource/trans.png);\ncolor: rgb(170, 170, 255);\n'
           'font: 12pt "Meiryo UI";\nfont-size: 15px;',
    "S19": 'background-image: url(:/Resource/trans.png);\ncolor: rgb(170, 170, 255);\n'
           'font: 12pt "Meiryo UI";\nfont-size: 16px;',
    "S21": 'color: rgb(0,0,0);\nfont-size: 17px\n',
    "S22": 'color: rgb(0, 0, 0);\nfont-size: 20px',
    "S23": 'background-image: url(:/Resource/trans.png);\nfont: 11pt "Arial";\n'
           'color: rgb(0,0,0);\nfont-size:14px',
    "S24": 'background-image: url(:/Resource/trans.png);\nfont: 12pt "Arial";\n'
           'font-size: 15px\n\n\n',
}

# The sheets of the pages, by id: the rule that gives the page its picture and the rules for
# what lies on it. A page that the window does not start on takes its picture only when it
# is first shown, so that the picture is not decoded, nor held, before it is needed. Joined,
# the two are the page's sheet.
PAGE_SHEETS = {
    "S17": (page_picture("Mixer", "Tarvik_mixer_back.png"), PLAIN_MENUS),
    "S20": (page_picture("Interface", "Tarvik_info_back.png"), PLAIN_RADIOS),
    "S25": (page_picture("Routing_Pelvo", "PELVO_ROUTING_back.png"), LINE_OUT_LISTS),
    "S26": (page_picture("Routing_Tarvik", "Tarvik_ROUTING_back.png"), LINE_OUT_LISTS),
}
SHEETS.update({k: "\n".join(parts) for k, parts in PAGE_SHEETS.items()})

# Icon sets: (file, mode, state) in the order the files are added.
R = ":/Resource/"
TRANS = R + "trans.png"
ICONS = {
    "phase": [(R + "track/Phase_0.png", "Normal", "Off"), (R + "track/Phase_1.png", "Normal", "On"),
              (R + "track/PHASE_disable.png", "Disabled", "Off"),
              (R + "track/PHASE_disable.png", "Disabled", "On")],
    "bypass": [(R + "track/THRU_0.png", "Normal", "Off"), (R + "track/THRU_1.png", "Normal", "On"),
               (TRANS, "Disabled", "Off"), (TRANS, "Disabled", "On")],
    "bypassNormal": [(R + "track/THRU_0.png", "Normal", "Off"),
                     (R + "track/THRU_1.png", "Normal", "On")],
    "eq": [(TRANS, "Normal", "Off"), (R + "track/EQ.png", "Normal", "On"),
           (R + "track/EQ_disable.png", "Disabled", "Off"),
           (R + "track/EQ_disable.png", "Disabled", "On")],
    "comp": [(TRANS, "Normal", "Off"), (R + "track/COMP.png", "Normal", "On"),
             (R + "track/COMP_disable.png", "Disabled", "Off"),
             (R + "track/COMP_disable.png", "Disabled", "On")],
    "pre": [(TRANS, "Normal", "Off"), (R + "track/PRE_1.png", "Normal", "On")],
    "post": [(TRANS, "Normal", "Off"), (R + "track/POST_1.png", "Normal", "On")],
    "solo": [(TRANS, "Normal", "Off"), (R + "track/SOLO.png", "Normal", "On")],
    "mute": [(TRANS, "Normal", "Off"), (R + "track/MUTE.png", "Normal", "On")],
    "linkOn": [(R + "track/LINK_0.png", "Normal", "On")],
    "linkOff": [(R + "track/LINK_1.png", "Normal", "On")],
    "reverb": [(TRANS, "Normal", "Off"), (R + "track/REVERB_1.png", "Normal", "On")],
    "lowCut": [(R + "track/LCF_off.png", "Normal", "Off"), (R + "track/LCF_on.png", "Normal", "On")],
    "moniCon": [(TRANS, "Normal", "Off"), (R + "monicon/MoniConEnable.png", "Normal", "On")],
    "window": [(R + "icon/icon_32x32.png", "Normal", "Off")],
}


def select_icon(folder, stem):
    """The two-state caption set of a channel-select button."""
    base = R + "track/" + folder + "/" + stem
    return [(base + "_0.png", "Normal", "Off"), (base + "_1.png", "Normal", "On")]


def type_icon(face):
    """A reverb type button: transparent while off, its lit face while on."""
    return [(TRANS, "Normal", "Off"), (R + "track/" + face, "Normal", "On")]
