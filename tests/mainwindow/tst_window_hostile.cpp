// Settings files that hold garbage in every key: numbers out of range both ways, wrong types,
// empty and huge strings, missing and duplicated groups, a truncated file and a file that is
// not text. The window starts from them and reloads from them (when the unit is plugged again,
// or from a scene made of them); it must not crash, must send the unit nothing it cannot take
// and must show values its controls can show.
#include "WindowFaultKit.h"
#include "tst_window_reload.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace reloadtest;
using namespace faultkit;

namespace {

enum class Kind { Int, Real, Flag, Text };

struct Key {
    QString group, key;
    Kind kind;
};

// Every key the window and the store read from the current-state file.
QVector<Key> mixerKeys() {
    QVector<Key> keys;
    QStringList tracks;
    for (int n = 1; n <= 20; ++n)
        tracks << track(n);
    for (int p = 0; p < 10; ++p)
        tracks << pairTrack(p);
    tracks << QStringLiteral("TrackMaster");
    static const char *const ints[] = {"Fader_pos",        "Pan_pos",           "Return_Level",
                                       "EqLowGainPos",     "EqLowFreqPos",      "EqLowMidGainPos",
                                       "EqLowMidFreqPos",  "EqLowMidQFreqPos",  "EqHighMidGainPos",
                                       "EqHighMidFreqPos", "EqHighMidQFreqPos", "EqHighGainPos",
                                       "EqHighFreqPos",    "CompThresholdPos",  "CompRatioPos",
                                       "CompGainPos",      "CompAttackPos",     "CompReleasePos"};
    static const char *const flags[] = {"Mute", "Solo", "Phase",      "Select",        "Link",
                                        "Eq",   "Comp", "TrueBypass", "EqLowCutFilter"};
    static const char *const texts[] = {
        "Fader_value",        "Pan_value",          "Name",
        "Return_Value",       "EqLowGainValue",     "EqLowMidGainValue",
        "EqHighMidGainValue", "EqHighGainValue",    "EqLowFreqText",
        "EqLowMidFreqText",   "EqHighMidFreqText",  "EqHighFreqText",
        "EqLowMidQFreqText",  "EqHighMidQFreqText", "CompThresholdText",
        "CompRatioText",      "CompGainText",       "CompAttackText",
        "CompReleaseText"};
    for (const QString &t : tracks) {
        keys.push_back({t, QStringLiteral("Fader"), Kind::Real});
        for (const char *k : ints)
            keys.push_back({t, QLatin1String(k), Kind::Int});
        for (const char *k : flags)
            keys.push_back({t, QLatin1String(k), Kind::Flag});
        for (const char *k : texts)
            keys.push_back({t, QLatin1String(k), Kind::Text});
        for (int s = 0; s < 4; ++s) {
            keys.push_back({t, sendName(s) + QStringLiteral("_Point"), Kind::Int});
            keys.push_back({t, sendName(s) + QStringLiteral("_Level"), Kind::Int});
            keys.push_back({t, sendName(s) + QStringLiteral("_Value"), Kind::Text});
        }
    }
    const QString reverb = QStringLiteral("Reverb");
    keys.push_back({reverb, QStringLiteral("Mode"), Kind::Int});
    keys.push_back({reverb, QStringLiteral("MasterReverb"), Kind::Flag});
    keys.push_back({reverb, QStringLiteral("MasterReverbMute"), Kind::Flag});
    for (const char *suffix : {"Hall", "Room", "Live", "Studio", "Plate"}) {
        for (const char *k : {"RvbPreDelayPos_", "RvbTimePos_", "RvbDiffPos_"})
            keys.push_back({reverb, QLatin1String(k) + QLatin1String(suffix), Kind::Int});
        keys.push_back(
            {reverb, QStringLiteral("RvbTimeValue_") + QLatin1String(suffix), Kind::Text});
    }
    for (int k = 1; k <= 8; ++k)
        keys.push_back(
            {QStringLiteral("LineOutSettings"), QStringLiteral("LineOut%1").arg(k), Kind::Int});
    for (int k = 1; k <= 2; ++k)
        keys.push_back({QStringLiteral("LineOutSettings"), QStringLiteral("LineOut%1_Pelvo").arg(k),
                        Kind::Int});
    keys.push_back({QStringLiteral("Misc"), QStringLiteral("Information_Dialog"), Kind::Flag});
    keys.push_back({QStringLiteral("Misc"), QStringLiteral("MixerTrueBypass"), Kind::Flag});
    keys.push_back({QStringLiteral("Misc"), QStringLiteral("PreAmpMode"), Kind::Text});
    keys.push_back({QStringLiteral("Panel"), QStringLiteral("MainWindowPanel"), Kind::Int});
    keys.push_back(
        {QStringLiteral("Interface"), QStringLiteral("AudioPeformanceIndex"), Kind::Int});
    for (const char *k : {"SoftDialog", "FirmDialog", "InfoDialog"})
        keys.push_back({QStringLiteral("Update"), QLatin1String(k), Kind::Text});
    keys.push_back({QStringLiteral("MoniCon"), QStringLiteral("Output"), Kind::Int});
    keys.push_back({QStringLiteral("MoniCon"), QStringLiteral("Master"), Kind::Real});
    for (const char *g : {"MoniCon OUT1_2", "MoniCon OUT3_4", "MoniCon OUT5_6", "MoniCon OUT7_8"}) {
        keys.push_back({QLatin1String(g), QStringLiteral("Mono1"), Kind::Real});
        keys.push_back({QLatin1String(g), QStringLiteral("Mono2"), Kind::Real});
        keys.push_back({QLatin1String(g), QStringLiteral("LINK"), Kind::Flag});
        keys.push_back({QLatin1String(g), QStringLiteral("SOURCE_L"), Kind::Int});
        keys.push_back({QLatin1String(g), QStringLiteral("SOURCE_R"), Kind::Int});
    }
    return keys;
}

QVector<Key> clockKeys() {
    QVector<Key> keys;
    for (const char *k : {"SampleClockSourceId", "Optical_A", "Optical_B"})
        keys.push_back({QStringLiteral("Interface"), QLatin1String(k), Kind::Int});
    return keys;
}

QVector<Key> sceneNameKeys() {
    QVector<Key> keys;
    for (int n = 1; n <= 10; ++n)
        keys.push_back(
            {QStringLiteral("SceneMemory"), QStringLiteral("SceneMemory%1").arg(n), Kind::Text});
    return keys;
}

enum class Style {
    AboveRange,
    BelowRange,
    WrongTypes,
    EmptyAndHugeStrings,
    MissingAndDuplicated,
    Truncated,
    NotText,
    RandomMix
};

using Pool = QVector<QByteArray>;

// Raw INI values: what an old version, another program, a broken disk or a user's editor could
// have left in a key.
const Pool &pool(Style style, Kind kind) {
    static const Pool above[] = {
        {"128", "200", "251", "366", "453", "1000", "32768", "65535", "65536", "2147483647",
         "99999999999"},
        {"6.05", "7", "100", "1270", "1e6", "1e308", "1.7976931348623157e308", "1e400"},
        {"2", "255", "65536"},
        {"99dB", "+127dB", "L99", "R41", "  999 dB", "1e9", "300.0 ms", "16:1", "+99.9 dB"}};
    static const Pool below[] = {
        {"-1", "-2", "-128", "-32768", "-65536", "-2147483648", "-99999999999"},
        {"-99.95", "-100", "-128", "-1270", "-1e6", "-1e308", "-1e400"},
        {"-1", "-2"},
        {"-99dB", "-128dB", "-1000 dB", "L-1", "R-5", "-1e9", "-inf", "-infinityx"}};
    static const Pool wrong[] = {
        {"abc", "12abc", "0x20", "1.5", "true", "@ByteArray(\\x1\\x2)", "\"7\"", "a, b",
         "@Invalid()", "@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x1\\0)", "@Rect(1 2 3 4)",
         "@Size(-1 -1)"},
        {"nan", "NaN", "inf", "-inf", "1,5", "1.5.5",
         "@Variant(\\0\\0\\0\\x6\\x7f\\xf8\\0\\0\\0\\0\\0\\0)", "@Point(1 2)", "true", "(1, 2)"},
        {"maybe", "yes", "2.5", "@Invalid()", "@ByteArray()", "a, b"},
        {"12", "@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)", "1, 2, 3", "@ByteArray(\\xff\\xfe)",
         "\\t\\r\\n", "\\x7\\x1b[31m", "@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x2\\x1)", "C\\0R20"}};
    static const Pool empty = {""};
    switch (style) {
    case Style::AboveRange:
        return above[int(kind)];
    case Style::BelowRange:
        return below[int(kind)];
    case Style::WrongTypes:
        return wrong[int(kind)];
    default:
        return empty;
    }
}

QByteArray hugeValue(std::mt19937 &rng, int size) {
    static const char alphabet[] = "0123456789-+.eLRCdBinf ,:msk&%";
    QByteArray v(size, 'x');
    for (char &c : v)
        c = alphabet[rng() % (sizeof(alphabet) - 1)];
    return v;
}

QByteArray valueFor(Style style, Kind kind, std::mt19937 &rng) {
    if (style == Style::EmptyAndHugeStrings) {
        if (rng() % 2)
            return QByteArray();
        return rng() % 128 == 0 ? hugeValue(rng, 1 << 20) : hugeValue(rng, 1 + int(rng() % 2048));
    }
    if (style == Style::RandomMix || style == Style::MissingAndDuplicated ||
        style == Style::Truncated) {
        static const Style pick[] = {Style::AboveRange, Style::BelowRange, Style::WrongTypes};
        const Style s = pick[rng() % 3];
        if (rng() % 8 == 0)
            return rng() % 2 ? QByteArray() : hugeValue(rng, 1 + int(rng() % 300));
        const Pool &p = pool(s, Kind(rng() % 4 == 0 ? rng() % 4 : unsigned(kind)));
        return p[int(rng() % unsigned(p.size()))];
    }
    const Pool &p = pool(style, kind);
    return p[int(rng() % unsigned(p.size()))];
}

// An INI text with every key of the table holding garbage of the style; for missing and
// duplicated groups some groups are left out, some written twice with other values, and
// groups and keys the program does not know are mixed in.
QByteArray iniText(const QVector<Key> &keys, Style style, std::mt19937 &rng) {
    QVector<QPair<QString, QVector<Key>>> groups;
    for (const Key &k : keys) {
        if (groups.isEmpty() || groups.last().first != k.group)
            groups.push_back({k.group, {}});
        groups.last().second.push_back(k);
    }
    QByteArray out;
    const auto writeGroup = [&](const QString &name, const QVector<Key> &members) {
        out += '[' + name.toUtf8() + "]\n";
        for (const Key &k : members) {
            out += k.key.toUtf8() + '=' + valueFor(style, k.kind, rng) + '\n';
            if (style == Style::MissingAndDuplicated && rng() % 4 == 0)
                out += k.key.toUtf8() + '=' + valueFor(style, k.kind, rng) + '\n';
        }
    };
    const bool shuffle = style == Style::MissingAndDuplicated;
    if (shuffle)
        std::shuffle(groups.begin(), groups.end(), rng);
    for (const auto &g : groups) {
        if (shuffle && rng() % 3 == 0)
            continue; // missing
        writeGroup(g.first, g.second);
        if (shuffle && rng() % 3 == 0)
            writeGroup(g.first, g.second); // duplicated
    }
    if (shuffle) {
        out += "[]\nFader=5\n[Track0]\nFader=-3\n[Track21]\nMute=true\n[Track1_3]\nLink=true\n"
               "[%General]\nTrack1/Fader=999\n[Track1\nFader=7\n=\n==\nFader\n[Reverb]]\nMode=3\n";
    }
    return out;
}

QByteArray notText(std::mt19937 &rng) {
    QByteArray bytes(int(512 + rng() % 16384), '\0');
    for (char &c : bytes)
        c = char(rng() % 256);
    // Bytes that the INI reader gives meaning to, scattered through the noise.
    for (const char *s : {"[Track1]", "\nFader=", "\r\n", "=\\", "@Variant(", "\n[", "\\x"}) {
        const int at = int(rng() % unsigned(bytes.size()));
        bytes.replace(at, int(qstrlen(s)), s);
    }
    return bytes;
}

QString fileOf(const QString &application) {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, organizationName, application)
        .fileName();
}

// Puts bytes in place of a settings file and has the settings objects of this process read it
// again (they do so on sync when the file's size or time stamp changed; the time is moved on,
// so that a file of equal size written within the same second counts as changed too).
void placeFile(const QString &application, const QByteArray &bytes) {
    const QString path = fileOf(application);
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QDateTime before = QFileInfo(path).lastModified();
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), qint64(bytes.size()));
    }
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const QDateTime now = QDateTime::currentDateTime();
    f.setFileTime((before.isValid() && before >= now ? before : now).addSecs(2),
                  QFileDevice::FileModificationTime);
    f.close();
    QSettings(QSettings::IniFormat, QSettings::UserScope, organizationName, application).sync();
}

} // namespace

Q_DECLARE_METATYPE(Style)

class TestWindowHostile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsAndReloadsFromGarbage_data();
    void startsAndReloadsFromGarbage();

private:
    // Garbage of the style in every settings file the window reads: the current state (made
    // current through the store, as a scene load does), the clock source, the scene names
    // and the window geometry.
    void writeHostileSettings(Style style, Model model);
    QByteArray hostileState(Style style, Model model);
    // What must hold after each start, reload or scene load.
    void checkSane(const char *stage);

    std::mt19937 rng;
    WindowFixture f;
    std::shared_ptr<EmulatedUnit> unit;
    quint32 seed = 0;
};

void TestWindowHostile::initTestCase() {
    seed = runSeed("tst_window_hostile");
}

void TestWindowHostile::init() {
    loadFreshSettings();
}

void TestWindowHostile::cleanup() {
    f.close();
    f.units.unplugAll();
    unit.reset();
    loadFreshSettings();
}

QByteArray TestWindowHostile::hostileState(Style style, Model model) {
    if (style == Style::NotText)
        return notText(rng);
    if (style != Style::Truncated)
        return iniText(mixerKeys(), style, rng);
    // A file that was being written when the disk filled or the machine stopped: a whole
    // settings file cut at a random byte (inside a line, perhaps inside a character).
    loadRichSettings(model);
    dm.notifyChannelName(QStringLiteral("Track2"), QStringLiteral("Größe €"));
    dm.flushCurrentState();
    QFile current(dm.currentStateFileName());
    if (!current.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray whole = current.readAll();
    return whole.left(int(rng() % unsigned(qMax(1, whole.size()))));
}

void TestWindowHostile::writeHostileSettings(Style style, Model model) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("hostile.ini"));
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(hostileState(style, model));
    }
    QDir().mkpath(QFileInfo(dm.currentStateFileName()).absolutePath());
    QVERIFY(dm.replaceCurrentStateWith(file));
    const auto bytesFor = [&](const QVector<Key> &keys) {
        if (style == Style::NotText)
            return notText(rng);
        const QByteArray text =
            iniText(keys, style == Style::Truncated ? Style::RandomMix : style, rng);
        return style == Style::Truncated ? text.left(int(rng() % unsigned(text.size()))) : text;
    };
    placeFile(clockSourceSettingsName, bytesFor(clockKeys()));
    placeFile(sceneMemorySettingsName, bytesFor(sceneNameKeys()));
    placeFile(baseSettingsName, style == Style::NotText ? notText(rng)
                                                        : "[Window]\ngeometry=@ByteArray(" +
                                                              notText(rng).toHex() + ")\n");
}

void TestWindowHostile::checkSane(const char *stage) {
    MainWindow &w = *f.window;
    QVERIFY2(unit->outOfRangeCount() == 0,
             qPrintable(QStringLiteral("%1: the unit was sent what it cannot take:\n%2")
                            .arg(QLatin1String(stage), describeRejected(*unit))));
    const QStringList insane = insaneValues(w);
    QVERIFY2(insane.isEmpty(), qPrintable(QStringLiteral("%1: the window shows\n%2")
                                              .arg(QLatin1String(stage), insane.join('\n'))));
}

void TestWindowHostile::startsAndReloadsFromGarbage_data() {
    QTest::addColumn<Style>("startStyle");
    QTest::addColumn<Style>("reloadStyle");
    QTest::addColumn<Model>("model");
    QTest::addColumn<bool>("sceneLoad");
    // Every style once at a start or a reload (a reload takes the link seconds to deliver, so
    // each row does two); both models, both ways of reloading.
    QTest::newRow("numbers above range, then below, Tarvik, replug")
        << Style::AboveRange << Style::BelowRange << Model::Tarvik << false;
    QTest::newRow("wrong types, then empty and huge strings, Pelvo, scene load")
        << Style::WrongTypes << Style::EmptyAndHugeStrings << Model::Pelvo << true;
    QTest::newRow("missing and duplicated groups, then random mix, Tarvik, scene load")
        << Style::MissingAndDuplicated << Style::RandomMix << Model::Tarvik << true;
    QTest::newRow("truncated file, then not text, Pelvo, replug")
        << Style::Truncated << Style::NotText << Model::Pelvo << false;
}

// The window starts from garbage of one style, then reloads from garbage of another: after the
// unit was plugged again, or from a scene memory file of garbage loaded through the menu's
// routine.
void TestWindowHostile::startsAndReloadsFromGarbage() {
    QFETCH(Style, startStyle);
    QFETCH(Style, reloadStyle);
    QFETCH(Model, model);
    QFETCH(bool, sceneLoad);
    rng.seed(seed ^ quint32(qHash(QLatin1String(QTest::currentDataTag()))));
    BoxCloser boxes;

    writeHostileSettings(startStyle, model);
    if (QTest::currentTestFailed())
        return;
    // The smaller unit is plugged before the window starts, so the start's own reload meets a
    // unit that has not told its model yet; the larger one arrives after the start (a link
    // spends seconds on each reload, and the suite's time is kept short).
    if (model == Model::Pelvo)
        unit = f.plug(model);
    f.open();
    boxes.watch(f.window.get());
    {
        const QStringList insane = insaneValues(*f.window);
        QVERIFY2(insane.isEmpty(), qPrintable("start: the window shows\n" + insane.join('\n')));
    }
    if (!unit)
        unit = f.plug(model);
    QVERIFY2(f.waitConnected(), "the window did not load the unit from the hostile files");
    checkSane("start");
    if (QTest::currentTestFailed())
        return;

    if (sceneLoad) {
        const QByteArray scene = hostileState(reloadStyle, model);
        const QString path = fileOf(settingFile[1]);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(out.write(scene), qint64(scene.size()));
        out.close();
        unit->clearLog();
        f.window->loadSceneMemory(1);
        QVERIFY(waitLinkDelivered(dm.device()));
        checkSane("scene load");
    } else {
        unit->unplug();
        UnitFixture::deliverBusEvents();
        QVERIFY(f.waitDisconnected());
        writeHostileSettings(reloadStyle, model);
        if (QTest::currentTestFailed())
            return;
        unit->clearLog();
        unit->plugIn();
        QVERIFY2(f.waitConnected(), "the window did not reload the unit from the hostile files");
        checkSane("reload after a replug");
    }
    if (!boxes.texts.isEmpty())
        qInfo("boxes closed: %s", qPrintable(boxes.texts.join(QLatin1String("; "))));
}

QTEST_MAIN(TestWindowHostile)
#include "tst_window_hostile.moc"
