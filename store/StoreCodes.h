// Private to the store: conversions of the window's values and texts into the unit's codes,
// shared by the notify operations.
#pragma once

#include <QString>

#include <cstdint>

namespace storecodes {

// Fader and monitor level in tenths of a dB from a dB value; -99.9 dB is minus infinity.
int16_t faderLevelFromDb(double dB);
// Fader level from a fader label such as " -6.0 dB" or "-infinity".
int16_t faderLevelFromText(const QString &text);
// Send and return level in whole dB from a send label such as " -9dB" or "-inf."; a level
// beyond the unit's range as the nearest one it takes.
int8_t sendLevelFromText(const QString &text);
// Send position as the unit takes it: 1..3 as stored, off (1) otherwise.
uint8_t sendPosition(unsigned stored);

} // namespace storecodes
