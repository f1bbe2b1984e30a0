// Private to the store: its two long-lived settings objects and the one access sequence
// (codec, group, one key, group closed) that every read and write of a key goes through.
#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

namespace storesettings {

QSettings &mixer();       // the current-state file "KX-Pelvo_Tarvik_Setting"
QSettings &clockSource(); // "KX-Pelvo_Tarvik_Setting_ClockSource"

QVariant read(QSettings &settings, const QString &group, const QString &key,
              const QVariant &fallback);
void write(QSettings &settings, const QString &group, const QString &key, const QVariant &value);

} // namespace storesettings
