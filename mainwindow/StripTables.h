// The naming rules of the mixer's strips as lists, so that the window's widget tables, its
// named slots and its tests are all written once from the same rows.
//
// Mono strips in strip order: X(tag, track number, select button suffix). The tag names the
// strip's widgets (pB_Solo<tag>, label_Send1Knob<tag>), the track number its fader, box,
// true-bypass button and name field (vS_FaderKnob<n>, pB_Bypass<n>, lineEdit_ch<n>), the
// select suffix its select button (pB_<select>).
#pragma once

#define OLVANE_MONO_STRIPS(X)                                                                  \
    X(1, 1, Analog1)                                                                           \
    X(2, 2, Analog2)                                                                           \
    X(3, 3, Analog3)                                                                           \
    X(4, 4, Analog4)                                                                           \
    X(5, 5, Analog5)                                                                           \
    X(6, 6, Analog6)                                                                           \
    X(7, 7, Analog7)                                                                           \
    X(8, 8, Analog8)                                                                           \
    X(9, 9, Analog9)                                                                           \
    X(10, 10, Analog10)                                                                        \
    X(SP1, 11, SPDIF1)                                                                         \
    X(SP2, 12, SPDIF2)                                                                         \
    X(Adat1, 13, Adat1)                                                                        \
    X(Adat2, 14, Adat2)                                                                        \
    X(Adat3, 15, Adat3)                                                                        \
    X(Adat4, 16, Adat4)                                                                        \
    X(Adat5, 17, Adat5)                                                                        \
    X(Adat6, 18, Adat6)                                                                        \
    X(Adat7, 19, Adat7)                                                                        \
    X(Adat8, 20, Adat8)

// Stereo pairs in strip order: X(odd tag, even tag, last, pair index, odd track, even track,
// odd select suffix). The pair's tag is <odd tag>_<last> (1_2, SP1_2, Adat7_8), its fader
// and box are numbered <odd track>_<even track> (vS_FaderKnob11_12), its select button is
// pB_<odd select>_<last> (pB_SPDIF1_2). A macro argument cannot be a number followed by
// "_", so the pair tag is always pasted from its parts: odd##_##last.
#define OLVANE_PAIRS(X)                                                                        \
    X(1, 2, 2, 0, 1, 2, Analog1)                                                               \
    X(3, 4, 4, 1, 3, 4, Analog3)                                                               \
    X(5, 6, 6, 2, 5, 6, Analog5)                                                               \
    X(7, 8, 8, 3, 7, 8, Analog7)                                                               \
    X(9, 10, 10, 4, 9, 10, Analog9)                                                            \
    X(SP1, SP2, 2, 5, 11, 12, SPDIF1)                                                          \
    X(Adat1, Adat2, 2, 6, 13, 14, Adat1)                                                       \
    X(Adat3, Adat4, 4, 7, 15, 16, Adat3)                                                       \
    X(Adat5, Adat6, 6, 8, 17, 18, Adat5)                                                       \
    X(Adat7, Adat8, 8, 9, 19, 20, Adat7)

// The four sends of every strip: X(send number).
#define OLVANE_SENDS(X) X(1) X(2) X(3) X(4)

// Scene memories: X(number).
#define OLVANE_SCENES(X) X(1) X(2) X(3) X(4) X(5) X(6) X(7) X(8) X(9) X(10)
