// What the window's reload suites share: a settings file that changes every kind of mixer
// parameter, the unit state those settings describe (worked out from the stored values by the
// unit's own encodings, not by the window), a comparison that names every field that differs,
// and opening the window until it has loaded the plugged unit.
#pragma once

#include "LinkWait.h"
#include "StoreCodes.h"
#include "StoreUnitFixture.h"
#include "WindowFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(EmulatedUnit::Model)

namespace reloadtest {

using Model = EmulatedUnit::Model;

// A value of the current-state file as a fresh settings object reads it, after the store has
// written what it holds.
inline QVariant storedMixer(const QString &group, const QString &key) {
    dm.flushCurrentState();
    return storedIn(settingsName, group, key);
}

inline QString modelName(Model m) {
    return m == Model::Pelvo ? QStringLiteral("Pelvo") : QStringLiteral("Tarvik");
}

inline QString track(int n) {
    return QStringLiteral("Track%1").arg(n);
}
inline QString pairTrack(int p) {
    return QStringLiteral("Track%1_%2").arg(2 * p + 1).arg(2 * p + 2);
}
inline QString sendName(int k) {
    return QStringLiteral("Send%1").arg(k + 1);
}

// Writes a current-state file in which every kind of parameter differs from its default and
// from track to track, and makes it the store's current state. Pairs 3_4 and Adat1_2 are
// linked, with settings of their own that differ from their channels'.
inline void loadRichSettings(Model model) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("rich.ini"));
    {
        QSettings s(file, QSettings::IniFormat);
        s.setIniCodec("UTF-8");
        const auto put = [&s](const QString &group, const QString &key, const QVariant &v) {
            s.setValue(group + QLatin1Char('/') + key, v);
        };
        static const char *const panTexts[] = {"L20", "L7", "R3", "C", "R20", "L1"};
        for (int n = 1; n <= 20; ++n) {
            const QString t = track(n);
            put(t, "Fader", -1.0 * n - 0.5 * (n % 3));
            const QString pan = QLatin1String(panTexts[n % 6]);
            put(t, "Pan_value", pan);
            put(t, "Pan_pos", n % 2 ? 5 + n : 60 + n);
            put(t, "Mute", n % 3 == 0);
            put(t, "Solo", n == 7);
            put(t, "Phase", n % 4 == 1);
            // Pair 3_4 bypassed by its odd channel, pair Adat1_2 only by its even one.
            put(t, "TrueBypass", n % 5 == 2 || n == 3 || n == 14);
            put(t, "Eq", n % 2 == 0);
            put(t, "Comp", n % 3 != 0);
            put(t, "EqLowCutFilter", n == 1 || n == 3 || n == 8);
            put(t, "EqLowGainPos", 10 + n);
            put(t, "EqLowFreqPos", 30 + n);
            put(t, "EqLowMidGainPos", 100 - n);
            put(t, "EqLowMidFreqPos", 40 + n);
            put(t, "EqLowMidQFreqPos", 5 + n);
            put(t, "EqHighMidGainPos", 70 + n);
            put(t, "EqHighMidFreqPos", 80 + n);
            put(t, "EqHighMidQFreqPos", 60 - n);
            put(t, "EqHighGainPos", 20 + 2 * n);
            put(t, "EqHighFreqPos", 100 + n);
            put(t, "CompThresholdPos", 120 - n);
            put(t, "CompRatioPos", 3 * n);
            put(t, "CompGainPos", 2 * n);
            put(t, "CompAttackPos", 4 * n);
            put(t, "CompReleasePos", 5 * n);
            for (int k = 0; k < 4; ++k) {
                put(t, sendName(k) + "_Point", 1 + (n + k) % 3);
                put(t, sendName(k) + "_Level", 40 + n + k);
                put(t, sendName(k) + "_Value", QStringLiteral("-%1dB").arg(n + 3 * k));
            }
            put(t, "Name", QStringLiteral("ch%1").arg(n));
        }
        for (int p = 0; p < 10; ++p) {
            const bool linked = p == 1 || p == 6;
            put(pairTrack(p), "Link", linked);
            put(pairTrack(p), "Fader", -20.0 - p);
            put(pairTrack(p), "Eq", p == 1);
            put(pairTrack(p), "Comp", p == 6);
        }
        put("TrackMaster", "Fader", -4.5);
        put("TrackMaster", "Mute", true);
        for (int k = 0; k < 4; ++k) {
            put("TrackMaster", sendName(k) + "_Level", 90 + k);
            put("TrackMaster", sendName(k) + "_Value", QStringLiteral("-%1dB").arg(2 + k));
        }
        put("TrackMaster", "Return_Level", 70);
        put("TrackMaster", "Return_Value", QStringLiteral("-9dB"));
        put("Reverb", "Mode", 3);
        put("Reverb", "MasterReverb", true);
        put("Reverb", "RvbPreDelayPos_Live", 33);
        put("Reverb", "RvbTimePos_Live", 44);
        put("Reverb", "RvbDiffPos_Live", 55);
        if (model == Model::Pelvo) {
            put("LineOutSettings", "LineOut1_Pelvo", 2);
            put("LineOutSettings", "LineOut2_Pelvo", 19);
        } else {
            static const int sources[8] = {0, 35, 12, 5, 21, 20, 30, 24};
            for (int k = 0; k < 8; ++k)
                put("LineOutSettings", QStringLiteral("LineOut%1").arg(k + 1), sources[k]);
        }
        s.sync();
    }
    // On a first start the settings folder does not exist yet.
    QDir().mkpath(QFileInfo(dm.currentStateFileName()).absolutePath());
    QVERIFY(dm.replaceCurrentStateWith(file));
    storeIn(clockSourceSettingsName, "Interface", "SampleClockSourceId",
            model == Model::Pelvo ? 2 : 3);
    storeIn(clockSourceSettingsName, "Interface", "Optical_A", 2);
    if (model == Model::Tarvik)
        storeIn(clockSourceSettingsName, "Interface", "Optical_B", 3);
}

// Fresh settings folder: no current state, no clock and no scene names.
inline void loadFreshSettings() {
    QVERIFY(dm.removeCurrentState());
    WindowFixture::clearSettings();
}

inline const char *reverbName(unsigned char mode) {
    static const char *const names[] = {"HALL", "ROOM", "LIVE", "STUDIO"};
    return mode >= 1 && mode <= 4 ? names[mode - 1] : "PLATE";
}

// The unit's state as the current settings describe it: each channel its own values, a linked
// pair its pair fader, EQ and compressor switches and its odd channel's knobs and bypass.
inline EmulatedUnit::State expectedState(Model model) {
    using namespace storecodes;
    EmulatedUnit::State s;
    for (int i = 0; i < 20; ++i) {
        const QString t = track(i + 1);
        const int p = i / 2, odd = 2 * p;
        const QString oddTrack = track(odd + 1);
        const bool linked = dm.getTrackLink(pairTrack(p));
        const QString knobs = linked ? oddTrack : t;
        EmulatedUnit::Input &in = s.inputs[i];
        in.fader = faderLevelFromDb(dm.getTrackFaderViewValue(linked ? pairTrack(p) : t));
        in.pan = DataManager::exchangePanLabelToNum(dm.getTrackPanValue(t));
        in.mute = dm.getTrackMute(t);
        in.phase = dm.getTrackPhase(t);
        in.bypass = dm.getTrueBypass(static_cast<unsigned char>(linked ? odd + 1 : i + 1));

        const uint8_t eqOn = linked ? dm.getTrackEq(pairTrack(p)) : dm.getTrackEq(t);
        const bool lowCut = dm.getEqLowCutFilter(linked ? oddTrack : t);
        const auto pos = [](unsigned short v) { return static_cast<unsigned char>(v); };
        const unsigned char lowGain = lowCut ? 255 : pos(dm.getEqLowGainPosition(knobs));
        in.eq[0] = {eqOn, DataManager::exchangeEqGain(lowGain),
                    DataManager::exchangeEqLowFreq(pos(dm.getEqLowFreqPosition(knobs))), 255};
        in.eq[1] = {eqOn, DataManager::exchangeEqGain(pos(dm.getEqLowMidGainPosition(knobs))),
                    DataManager::exchangeEqMidFreq(pos(dm.getEqLowMidFreqPosition(knobs))),
                    DataManager::exchangeEqMidq(pos(dm.getEqLowMidQPosition(knobs)))};
        in.eq[2] = {eqOn, DataManager::exchangeEqGain(pos(dm.getEqHighMidGainPosition(knobs))),
                    DataManager::exchangeEqMidFreq(pos(dm.getEqHighMidFreqPosition(knobs))),
                    DataManager::exchangeEqMidq(pos(dm.getEqHighMidQPosition(knobs)))};
        in.eq[3] = {eqOn, DataManager::exchangeEqGain(pos(dm.getEqHighGainPosition(knobs))),
                    DataManager::exchangeEqHighFreq(pos(dm.getEqHighFreqPosition(knobs))), 255};

        in.comp.on = linked ? dm.getTrackComp(pairTrack(p)) : dm.getTrackComp(t);
        in.comp.threshold =
            DataManager::exchangeCompThreshold(pos(dm.getCompThresholdPosition(knobs)));
        in.comp.ratio = DataManager::exchangeCompRatio(pos(dm.getCompRatioPosition(knobs)));
        in.comp.attack = DataManager::exchangeCompAttack(pos(dm.getCompAttackPosition(knobs)));
        in.comp.release = DataManager::exchangeCompRelease(pos(dm.getCompReleasePosition(knobs)));
        in.comp.gain = DataManager::exchangeCompGain(pos(dm.getCompGainPosition(knobs)));
        in.comp.link = !linked    ? KXMSG_DATA_CH_TYPE_MONO
                       : i == odd ? KXMSG_DATA_CH_TYPE_STEREO_ODD
                                  : KXMSG_DATA_CH_TYPE_STEREO_EVEN;
        for (int k = 0; k < 4; ++k)
            in.sends[k] = {sendPosition(dm.getSendPoint(t, sendName(k))),
                           sendLevelFromText(dm.getSendValue(t, sendName(k)))};
    }
    const QString master = QStringLiteral("TrackMaster");
    const int16_t masterLevel = faderLevelFromDb(dm.getTrackFaderViewValue(master));
    s.masterFader[0] = s.masterFader[1] = masterLevel;
    s.masterMute[0] = s.masterMute[1] = dm.getTrackMute(master);
    for (int k = 0; k < 4; ++k)
        s.masterSends[k] = {KXMSG_DATA_SEND_POS_OFF,
                            sendLevelFromText(dm.getSendValue(master, sendName(k)))};
    s.returnOn = dm.getReverbStatus();
    s.returnLevel = sendLevelFromText(dm.getReturnValue());
    const QString rv = QLatin1String(reverbName(dm.getReverbMode()));
    s.reverbType = DataManager::getRvbType(rv);
    s.reverbPreDelay = static_cast<uint8_t>(dm.getRvbPreDelayPosition(rv));
    s.reverbTime = static_cast<uint8_t>(dm.getRvbTimePosition(rv));
    s.reverbDiffusion = static_cast<uint8_t>(dm.getRvbDiffPosition(rv));

    const bool pelvo = model == Model::Pelvo;
    for (int k = 0; k < (pelvo ? 2 : 8); ++k) {
        const QString key = pelvo ? QStringLiteral("LineOut%1_Pelvo").arg(k + 1)
                                  : QStringLiteral("LineOut%1").arg(k + 1);
        kxmsg_data_ch_t type;
        unsigned char no;
        const auto index = static_cast<unsigned char>(dm.getLineOutSetting(key));
        if (pelvo)
            DataManager::exchangeOutputSignal_Pelvo(index, type, no);
        else
            DataManager::exchangeOutputSignal(index, type, no);
        s.routes[k] = {uint8_t(type), no};
    }
    static const uint8_t sources[] = {
        KXMSG_DATA_CLOCKSOURCE_INTERNAL, KXMSG_DATA_CLOCKSOURCE_INTERNAL,
        KXMSG_DATA_CLOCKSOURCE_OPTICAL_A, KXMSG_DATA_CLOCKSOURCE_OPTICAL_B,
        KXMSG_DATA_CLOCKSOURCE_WORDCLOCK};
    const unsigned short id = dm.getSampleClockSourceId();
    s.clockSource = id <= 4 ? sources[id] : uint8_t(KXMSG_DATA_CLOCKSOURCE_INTERNAL);
    static const uint8_t modes[] = {KXMSG_DATA_ADAT_X1, KXMSG_DATA_ADAT_X1, KXMSG_DATA_ADAT_X2,
                                    KXMSG_DATA_ADAT_X4};
    const unsigned char a = dm.getOpticalInputIndex(QStringLiteral("Optical_A"));
    const unsigned char b = dm.getOpticalInputIndex(QStringLiteral("Optical_B"));
    s.opticalFormat[0] = modes[a <= 3 ? a : 0];
    s.opticalFormat[1] = pelvo ? 0 : modes[b <= 3 ? b : 0];
    return s;
}

// Every field of the mixer, routing and clock state that differs, by name.
inline QStringList stateDifferences(const EmulatedUnit::State &got, const EmulatedUnit::State &want,
                                    Model model) {
    QStringList out;
    const auto cmp = [&out](const QString &what, int g, int w) {
        if (g != w)
            out << QStringLiteral("%1: unit %2, settings %3").arg(what).arg(g).arg(w);
    };
    for (int i = 0; i < 20; ++i) {
        const EmulatedUnit::Input &g = got.inputs[i], &w = want.inputs[i];
        const QString in = QStringLiteral("input %1 ").arg(i + 1);
        cmp(in + "fader", g.fader, w.fader);
        cmp(in + "pan", g.pan, w.pan);
        cmp(in + "mute", g.mute, w.mute);
        cmp(in + "solo", g.solo, w.solo);
        cmp(in + "phase", g.phase, w.phase);
        cmp(in + "true bypass", g.bypass, w.bypass);
        for (int b = 0; b < 4; ++b) {
            const QString band = in + QStringLiteral("eq band %1 ").arg(b + 1);
            cmp(band + "on", g.eq[b].on, w.eq[b].on);
            cmp(band + "gain", g.eq[b].gain, w.eq[b].gain);
            cmp(band + "freq", g.eq[b].freq, w.eq[b].freq);
            cmp(band + "q", g.eq[b].q, w.eq[b].q);
        }
        cmp(in + "comp on", g.comp.on, w.comp.on);
        cmp(in + "comp threshold", g.comp.threshold, w.comp.threshold);
        cmp(in + "comp ratio", g.comp.ratio, w.comp.ratio);
        cmp(in + "comp attack", g.comp.attack, w.comp.attack);
        cmp(in + "comp release", g.comp.release, w.comp.release);
        cmp(in + "comp gain", g.comp.gain, w.comp.gain);
        cmp(in + "comp link", g.comp.link, w.comp.link);
        for (int k = 0; k < 4; ++k) {
            cmp(in + QStringLiteral("send %1 point").arg(k + 1), g.sends[k].pos, w.sends[k].pos);
            cmp(in + QStringLiteral("send %1 level").arg(k + 1), g.sends[k].level,
                w.sends[k].level);
        }
    }
    for (int c = 0; c < 2; ++c) {
        cmp(QStringLiteral("master %1 fader").arg(c + 1), got.masterFader[c], want.masterFader[c]);
        cmp(QStringLiteral("master %1 mute").arg(c + 1), got.masterMute[c], want.masterMute[c]);
    }
    for (int k = 0; k < 4; ++k) {
        cmp(QStringLiteral("master send %1 point").arg(k + 1), got.masterSends[k].pos,
            want.masterSends[k].pos);
        cmp(QStringLiteral("master send %1 level").arg(k + 1), got.masterSends[k].level,
            want.masterSends[k].level);
    }
    cmp("return on", got.returnOn, want.returnOn);
    cmp("return level", got.returnLevel, want.returnLevel);
    cmp("reverb type", got.reverbType, want.reverbType);
    cmp("reverb pre-delay", got.reverbPreDelay, want.reverbPreDelay);
    cmp("reverb time", got.reverbTime, want.reverbTime);
    cmp("reverb diffusion", got.reverbDiffusion, want.reverbDiffusion);
    for (int k = 0; k < (model == Model::Pelvo ? 2 : 8); ++k) {
        cmp(QStringLiteral("line out %1 source type").arg(k + 1), got.routes[k].srcType,
            want.routes[k].srcType);
        cmp(QStringLiteral("line out %1 source").arg(k + 1), got.routes[k].srcNo,
            want.routes[k].srcNo);
    }
    cmp("clock source", got.clockSource, want.clockSource);
    cmp("optical A format", got.opticalFormat[0], want.opticalFormat[0]);
    if (model == Model::Tarvik)
        cmp("optical B format", got.opticalFormat[1], want.opticalFormat[1]);
    return out;
}

// Opens the window on a plugged unit and waits until it has connected the unit, reloaded the
// view and the unit has received everything the reload sent.
inline bool openLoaded(WindowFixture &f) {
    MainWindow &w = f.window ? *f.window : f.open();
    if (!UnitFixture::waitFor([&w] { return w.deviceState == 2; })) {
        QTest::qFail("the window did not load the plugged unit", __FILE__, __LINE__);
        return false;
    }
    return waitLinkDelivered(dm.device());
}

} // namespace reloadtest
