# -*- coding: utf-8 -*-
"""Every visible text of the main window. EMPTY is set as a plain empty string; every other
text goes through the translation call with the context "MainWindow"."""

EMPTY = None
WINDOW_TITLE = "MORVEX OLVANE Pelvo/Tarvik Settings Panel"

ACTION_TEXTS = dict(
    [("actionSave_%d" % n, "Save") for n in range(1, 11)]
    + [("actionLoad_%d" % n, "Load") for n in range(1, 11)]
    + [("actionRename_%d" % n, "Rename") for n in range(1, 11)]
    + [("actionSettings_Reset", "Initialize"), ("actionMinimize", "Minimize"),
       ("actionClose", "Close"), ("actionInitialize_Memory", "Initialize Memory"),
       ("actionInitialize_Reverb", "Initialize Reverb"),
       ("actionSaveIntoTheUnit", "Save into the unit"), ("actionLicense", "License"),
       ("actionUpdate", "- Update"), ("actionProduct_Information", "Product Information"),
       ("actionFAQs", "FAQs")])

MENU_TITLES = dict(
    [("menuFile", "View"), ("menuSceneMemory", "SceneMemory")]
    + [("menuSceneMemory%d" % n, "SceneMemory%d" % n) for n in range(1, 11)]
    + [("menuHelp", "Help"), ("menuAbout", "- About ..."), ("menuMORVEX_Website", "- MORVEX Website")])

NAME_TOOLTIP = ('<html><head/><body><p><span style=" font-weight:400; color:#ff8000;">'
                'After editing, please press the </span><span style=" font-size:10pt; '
                'color:#ff0000;">Enter key</span><span style=" font-weight:400;">.</span>'
                '</p></body></html>')
NAME_WHATS_THIS = "<html><head/><body><p><br/></p></body></html>"

# Strip families (keys of the strip templates) that carry a start text.
FADER_BOX = [("special", "-infinity"), ("suffix", " dB")]
FAMILY_TEXTS = {
    "strip": [("text", EMPTY)],  # the mono strip bodies; stereo and master bodies get none
    "panDisp": [("text", "C")], "panDispL": [("text", "C")], "panDispR": [("text", "C")],
    "disp1": [("text", "0")], "disp2": [("text", "0")], "disp3": [("text", "0")],
    "disp4": [("text", "0")],
    "box": FADER_BOX,
    "nameField": [("tooltip", NAME_TOOLTIP), ("text", EMPTY)],
}

# Classes whose every object gets the empty text.
CLASS_EMPTY = {"QPushButton", "PanControl", "DialControlSend", "DialControl", "DrawEq",
               "DrawCompressor", "DrawReverb"}

PELVO_ITEMS = (["INPUT 1", "INPUT 2"] + ["OPT A%d" % n for n in range(1, 9)]
               + ["MASTER L", "MASTER R"] + ["AUX %d" % n for n in range(1, 5)]
               + ["COMPUTER %d" % n for n in range(1, 5)])
TARVIK_ITEMS = (["INPUT %d" % n for n in range(1, 5)] + ["OPT A%d" % n for n in range(1, 9)]
                + ["OPT B%d" % n for n in range(1, 9)] + ["MASTER L", "MASTER R"]
                + ["AUX %d" % n for n in range(1, 5)] + ["COMPUTER %d" % n for n in range(1, 11)])
OPTICAL_ITEMS = ["Auto -  MORVEX Device", "Manual -  44.1kHz / 48kHz",
                 "Manual -  88.2kHz / 96kHz", "Manual -  176.4kHz / 192kHz"]

BUFFER_TICKS = ("4             8           16          24           32           64        "
                "128         256        512       1024       2048")
MORVEX_URL = ('<html><head/><body><p><a href="https://www.morvex.example/olvane/">'
              '<span style=" font-size:16px; text-decoration: underline; color:#000000;">'
              'Go MORVEX Web Site</span></a></p></body></html>')

C = "\uff1a"  # the full-width colon of the captions

# Objects with texts of their own, by name.
NAMED = {
    # master section and reverb return
    "label_Send1DisplayMaster": [("text", "0")], "label_Send2DisplayMaster": [("text", "0")],
    "label_Send3DisplayMaster": [("text", "0")], "label_Send4DisplayMaster": [("text", "0")],
    "label_SendDisplayReturn": [("text", "0")],
    "disable_back": [("text", EMPTY)], "enable_back": [("text", EMPTY)],
    "dSB_faderDisplayMaster": FADER_BOX,
    # equaliser
    "label_HighGainDisp": [("text", "0")], "label_HighMidGainDisp": [("text", "0")],
    "label_LowMidGainDisp": [("text", "0")], "label_LowGainDisp": [("text", "0")],
    "label_HighFreqDisp": [("text", "5.0k")], "label_HighMidFreqDisp": [("text", "1.2k")],
    "label_LowMidFreqDisp": [("text", "300")], "label_LowFreqDisp": [("text", "80")],
    "label_HighMidQDisp": [("text", "1.00")], "label_LowMidQDisp": [("text", "1.00")],
    # compressor
    "label_ThresholdDisp": [("text", "0")], "label_RatioDisp": [("text", "1.0" + C + "1")],
    "label_GainDisp": [("text", "0")], "label_AttackDisp": [("text", "2")],
    "label_ReleaseDisp": [("text", "10")],
    # reverb
    "label_PreDelayDisp": [("text", "0")], "label_ReverbTimeDisp": [("text", "0.1")],
    "label_ReverbDiffDisp": [("text", "0")],
    "label_RvbPicture": [("text", EMPTY)], "label_ReverbDisable": [("text", EMPTY)],
    # channel-name fields: the first one alone offers what's-this help
    "lineEdit_ch1": [("tooltip", NAME_TOOLTIP), ("whatsThis", NAME_WHATS_THIS), ("text", EMPTY)],
    # interface page
    "label_AudioPeformance": [("text", "Buffer Size " + C)],
    "label_BufferSizeDisp": [("text", "256 Samples")],
    "rB_Internal": [("text", "INTERNAL")],
    "rB_Optical_A": [("text", "OPTICAL  A           Rate")],
    "rB_Optical_B": [("text", "OPTICAL  B          Rate")],
    "rB_Word": [("text", "WORD")],
    "cB_Optical_A": [("items", OPTICAL_ITEMS)],
    "cB_Optical_B": [("items", OPTICAL_ITEMS)],
    "label_SampleClockSource": [("text", "Sample Clock Source " + C)],
    "label_DriverVersion": [("text", "Software Version " + C)],
    "label_IntDriverVersion": [("text", "1.00 0001")],
    "label_FirmVersion": [("text", "Firmware Version " + C)],
    "label_IntFirmVersion": [("text", "No Device")],
    "label_Device": [("text", "Device " + C)],
    "label_IntDevice": [("text", "No Device")],
    "label_ClockSource": [("text", "Clock Source " + C)],
    "label_IntClockSource": [("text", "No Signal")],
    "label_SampleRate": [("text", "Sample Rate " + C)],
    "label_IntSampleRate": [("text", "No Device")],
    "label_ClockSourceStatus": [("text", "Clock Source Status " + C)],
    "label_IntClockSourceStatus": [("text", "No Signal")],
    "label_OptAInputStatus": [("text", "OPTICAL A Input Status " + C)],
    "label_IntOptAInputStatus": [("text", "No Signal")],
    "label_OptBInputStatus": [("text", "OPTICAL B Input Status " + C)],
    "label_IntOptBInputStatus": [("text", "No Signal")],
    "label_WordInputStatus": [("text", "WORD Input Status " + C)],
    "label_IntWordInputStatus": [("text", "No Signal")],
    "label_BufferSizeTick": [("text", BUFFER_TICKS)],
    "label_Interface_Asio": [("text", "Low-latency audio driver technology licensed from its owner")],
    "label_Interface_Ostrel": [("text", "Copyright (C) MORVEX. All rights reserved.")],
    "label_Interface_App": [("text", WINDOW_TITLE)],
    "label_MorvexURL": [("text", MORVEX_URL)],
    # output pages
    "cB_LineOut1_Pelvo": [("items", PELVO_ITEMS), ("current", "MASTER L")],
    "cB_LineOut2_Pelvo": [("items", PELVO_ITEMS), ("current", "MASTER R")],
    "cB_LineOut1_Tarvik": [("items", TARVIK_ITEMS), ("current", "MASTER L")],
    "cB_LineOut2_Tarvik": [("items", TARVIK_ITEMS), ("current", "MASTER R")],
    "cB_LineOut3_Tarvik": [("items", TARVIK_ITEMS), ("current", "AUX 1")],
    "cB_LineOut4_Tarvik": [("items", TARVIK_ITEMS), ("current", "AUX 2")],
    "cB_LineOut5_Tarvik": [("items", TARVIK_ITEMS), ("current", "AUX 3")],
    "cB_LineOut6_Tarvik": [("items", TARVIK_ITEMS), ("current", "AUX 4")],
    "cB_LineOut7_Tarvik": [("items", TARVIK_ITEMS), ("current", "COMPUTER 1")],
    "cB_LineOut8_Tarvik": [("items", TARVIK_ITEMS), ("current", "COMPUTER 2")],
    "label_LineOut1_Arrow_Pelvo": [("text", EMPTY)], "label_LineOut2_Arrow_Pelvo": [("text", EMPTY)],
}
NAMED.update({"label_LineOut%d_Arrow" % n: [("text", EMPTY)] for n in range(1, 9)})
NAMED.update({name: [("text", text)] for name, text in ACTION_TEXTS.items()})
NAMED.update({name: [("menuTitle", text)] for name, text in MENU_TITLES.items()})
