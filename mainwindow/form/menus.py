"""Actions, menus and the menu bar."""

ACTIONS = (["action%s_%d" % (kind, n) for n in range(1, 11) for kind in ("Save", "Load", "Rename")]
           + ["actionSettings_Reset", "actionMinimize", "actionClose", "actionInitialize_Memory",
              "actionInitialize_Reverb", "actionSaveIntoTheUnit", "actionLicense", "actionUpdate",
              "actionProduct_Information", "actionFAQs"])

MENU_BAR_GEOMETRY = (0, 0, 1260, 24)
# menu, parent, in creation order
MENUS = ([("menuFile", "menuBar"), ("menuSceneMemory", "menuBar")]
         + [("menuSceneMemory%d" % n, "menuSceneMemory") for n in range(1, 11)]
         + [("menuHelp", "menuBar"), ("menuAbout", "menuHelp"), ("menuMORVEX_Website", "menuHelp")])

SEP = None
# Entries in the order they are added: an action, a submenu ("menu:" + name) or a separator.
ENTRIES = ([("menuBar", ["menu:menuFile", "menu:menuSceneMemory", "menu:menuHelp"]),
            ("menuFile", ["actionSettings_Reset", "actionInitialize_Reverb", SEP,
                          "actionMinimize", "actionClose"]),
            ("menuSceneMemory", ["menu:menuSceneMemory%d" % n for n in range(1, 11)]
             + [SEP, "actionInitialize_Memory", SEP, "actionSaveIntoTheUnit"])]
           + [("menuSceneMemory%d" % n, ["actionSave_%d" % n, "actionLoad_%d" % n, SEP,
                                         "actionRename_%d" % n]) for n in range(1, 11)]
           + [("menuHelp", ["menu:menuMORVEX_Website", "actionUpdate", "menu:menuAbout"]),
              ("menuAbout", ["actionLicense"]),
              ("menuMORVEX_Website", ["actionProduct_Information", "actionFAQs"])])
