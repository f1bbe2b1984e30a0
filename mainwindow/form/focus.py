"""The keyboard focus chain, as segments and the per-pair rules they expand."""

from strips import PAIRS

_PAIR = {p[0]: p for p in PAIRS}

# Pair 1_2 is split over several segments; these are its pieces in the chain.
PAIR12_MONO_HEAD = """
pB_Analog2 pB_Pre2_1 pB_Pre3_1 pB_Pre4_1 pB_Post3_1 pB_Post4_1 pB_Post2_1 pB_Post1_1
pB_Pre3_2 pB_Post1_2 pB_Post3_2 pB_Pre4_2 pB_Post4_2 pB_Pre2_2 pB_Post2_2 pB_Pre1_2
dSB_faderDisplay1 vS_FaderKnob1 dSB_faderDisplay2 vS_FaderKnob2 pB_Bypass1 pB_Bypass2
pB_Phase1 pB_LinkOn1_2""".split()
PAIR12_STEREO = """
pB_EQ1_2 pB_Comp1_2 pB_Solo1_2 pB_Mute1_2 pB_Phase1_2_L pB_Phase1_2_R pB_Analog1_2
pB_Post4_1_2 pB_Post2_1_2 pB_Pre4_1_2 pB_Post3_1_2 pB_Pre2_1_2 pB_Pre3_1_2 pB_Pre1_1_2
pB_Post1_1_2 dSB_faderDisplay1_2 vS_FaderKnob1_2 pB_Bypass1_2""".split()
PAIR12_MONO_TAIL = """
pB_Phase2 pB_EQ1 pB_EQ2 pB_Comp1 pB_Comp2 pB_Solo1 pB_Mute1 pB_Mute2 pB_Solo2""".split()

# Send buttons of one mono strip in chain order ("Pre3" is pB_Pre3_ + strip tag).
MONO_SENDS = "Pre3 Post1 Post3 Pre4 Post4 Pre2 Post2 Pre1".split()
MONO_SENDS_EVEN_3_4 = "Post3 Post4 Pre1 Pre2 Pre4 Post1 Post2 Pre3".split()
STEREO_SENDS = "Post4 Post2 Post1 Pre3 Pre1 Pre4 Pre2 Post3".split()

# Where a pair's mono page departs from the usual order.
MONO_RULES = {
    "3_4": {"evenSends": MONO_SENDS_EVEN_3_4, "fadersOddFirst": True, "bypassEvenFirst": True},
    "SP1_2": {"boxesEvenFirst": True},
    "Adat3_4": {"boxesEvenFirst": True},
    "Adat5_6": {"evenSendsFirst": True},
    "Adat7_8": {"boxesEvenFirst": True},
}


def mono_segment(pair):
    tag, _, (odd, n_odd), (even, n_even), (sel_odd, sel_even) = _PAIR[pair][:5]
    rule = MONO_RULES.get(pair, {})
    chain = ["pB_LinkOn" + pair]
    for role in ("Phase", "EQ", "Comp", "Solo", "Mute"):
        chain += ["pB_%s%s" % (role, odd), "pB_%s%s" % (role, even)]
    chain += [sel_odd, sel_even]
    odd_sends = ["pB_%s_%s" % (s, odd) for s in MONO_SENDS]
    even_sends = ["pB_%s_%s" % (s, even) for s in rule.get("evenSends", MONO_SENDS)]
    chain += even_sends + odd_sends if rule.get("evenSendsFirst") else odd_sends + even_sends
    boxes = ["dSB_faderDisplay%d" % n_odd, "dSB_faderDisplay%d" % n_even]
    chain += boxes[::-1] if rule.get("boxesEvenFirst") else boxes
    faders = ["vS_FaderKnob%d" % n_even, "vS_FaderKnob%d" % n_odd]
    chain += faders[::-1] if rule.get("fadersOddFirst") else faders
    bypass = ["pB_Bypass%d" % n_odd, "pB_Bypass%d" % n_even]
    chain += bypass[::-1] if rule.get("bypassEvenFirst") else bypass
    return chain


def stereo_segment(pair):
    select, fader = _PAIR[pair][6], _PAIR[pair][8]
    chain = ["pB_LinkOff" + pair] + ["pB_%s%s" % (r, pair) for r in ("EQ", "Comp", "Solo", "Mute")]
    chain += ["pB_Phase%s_L" % pair, "pB_Phase%s_R" % pair, select]
    chain += ["pB_%s_%s" % (s, pair) for s in STEREO_SENDS]
    return chain + ["dSB_faderDisplay" + fader, "vS_FaderKnob" + fader, "pB_Bypass" + fader]


def _pairs(*pairs):
    return [w for p in pairs for w in mono_segment(p) + stereo_segment(p)]


def chain():
    """The whole chain, segment by segment."""
    return ([("cB_LineOut%d_Tarvik" % n) for n in range(1, 9)]
            + ["pB_MoniconEnable", "pB_ToMixerFromRoutingTarvik", "pB_ToInformationFromRoutingTarvik"]
            + ["cB_LineOut1_Pelvo", "cB_LineOut2_Pelvo"]
            + PAIR12_MONO_HEAD + PAIR12_STEREO
            + ["pB_ToOutputFromMixer"]
            + _pairs("3_4", "5_6", "7_8", "9_10")
            + ["pB_masterMute", "pB_masterReverb", "vS_FaderKnobMaster", "dSB_faderDisplayMaster"]
            + _pairs("SP1_2", "Adat1_2", "Adat3_4")
            + ["pB_LowCutFilter"]
            + _pairs("Adat5_6", "Adat7_8")
            + ["pB_RevHall", "pB_RevRoom", "pB_RevLive", "pB_RevStudio", "pB_RevPlate"]
            + ["rB_Internal", "rB_Optical_A", "rB_Optical_B", "rB_Word", "cB_Optical_A",
               "cB_Optical_B", "hS_BufferSize"]
            + ["pB_ToMixerFromInterface", "pB_ToOutputFromInterface"]
            + ["pB_Analog1", "pB_Pre1_1"]
            + ["pB_ToInformationFromRoutingPelvo", "pB_ToMixerFromRoutingPelvo"]
            + ["pB_ToInterfaceFromMixer"]
            + ["pB_LinkOff1_2"]
            + PAIR12_MONO_TAIL)
