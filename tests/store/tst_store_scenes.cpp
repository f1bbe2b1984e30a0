// The whole-file copies of the current state that the scene memories are made of: a copy or
// a replacement that cannot be completed reports it and leaves both files as they were.
#include "StoreFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <unistd.h>

using namespace storetest;

namespace {

QByteArray bytesOf(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeScene(const QString &file, const QString &name) {
    QSettings s(file, QSettings::IniFormat);
    s.setValue(QStringLiteral("Track6/Name"), name);
    s.setValue(QStringLiteral("Track6/Fader"), -12.0);
}

} // namespace

class TestStoreScenes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { fixture.start(); }
    void init() { fixture.reset(); }

    void copyOverSceneReplacesItWhole();
    void copyWithoutCurrentFileSavesDefaults();
    void copyThatCannotBeWrittenKeepsTheOldScene_data();
    void copyThatCannotBeWrittenKeepsTheOldScene();
    void replaceThatCannotReadTheSceneChangesNothing_data();
    void replaceThatCannotReadTheSceneChangesNothing();
    void replaceIntoUnwritableFolderChangesNothing();

private:
    StoreFixture fixture;
};

void TestStoreScenes::copyOverSceneReplacesItWhole() {
    QTemporaryDir dir;
    const QString scene = dir.filePath(QStringLiteral("scene.ini"));
    {
        QFile old(scene);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4096, 'x')); // longer than the state: nothing of it may remain
    }
    dm.notifyChannelName(QStringLiteral("Track6"), QStringLiteral("Piano"));
    QVERIFY(dm.copyCurrentStateTo(scene));
    dm.flushCurrentState();
    QCOMPARE(bytesOf(scene), bytesOf(dm.currentStateFileName()));
    // Only the scene lies in the folder: the temporary copy has taken its place.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{QStringLiteral("scene.ini")});
}

// A scene saved before anything was ever stored is a scene of defaults, not an empty slot.
void TestStoreScenes::copyWithoutCurrentFileSavesDefaults() {
    QVERIFY(dm.removeCurrentState());
    QVERIFY(!QFileInfo::exists(dm.currentStateFileName()));
    QTemporaryDir dir;
    const QString scene = dir.filePath(QStringLiteral("scene.ini"));
    writeScene(scene, QStringLiteral("old"));
    QVERIFY(dm.copyCurrentStateTo(scene));
    QVERIFY(QFileInfo(scene).isFile());
    dm.notifyChannelName(QStringLiteral("Track6"), QStringLiteral("changed"));
    QVERIFY(dm.replaceCurrentStateWith(scene));
    QCOMPARE(dm.getChannelName(QStringLiteral("Track6")),
             dm.getChannelName(QStringLiteral("Track7")));
    QCOMPARE(dm.getTrackFaderViewValue(QStringLiteral("Track6")), 0.0);
}

void TestStoreScenes::copyThatCannotBeWrittenKeepsTheOldScene_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("scene path is a folder") << "folder";
    QTest::newRow("folder of the scene is missing") << "missing";
    QTest::newRow("folder without write permission") << "read-only";
}

void TestStoreScenes::copyThatCannotBeWrittenKeepsTheOldScene() {
    QFETCH(QString, what);
    QTemporaryDir dir;
    QString scene = dir.filePath(QStringLiteral("scene.ini"));
    QByteArray old;
    if (what == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("scene.ini/inside")));
    } else if (what == QLatin1String("missing")) {
        scene = dir.filePath(QStringLiteral("gone/scene.ini"));
    } else {
        if (geteuid() == 0)
            QSKIP("permissions do not bind the superuser");
        writeScene(scene, QStringLiteral("old"));
        old = bytesOf(scene);
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    dm.notifyChannelName(QStringLiteral("Track6"), QStringLiteral("new"));
    QVERIFY(!dm.copyCurrentStateTo(scene));
    if (what == QLatin1String("folder"))
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("scene.ini/inside"))));
    if (!old.isEmpty()) {
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        QCOMPARE(bytesOf(scene), old);
    }
    // The current state itself is untouched by a failed save.
    QCOMPARE(dm.getChannelName(QStringLiteral("Track6")), QStringLiteral("new"));
}

void TestStoreScenes::replaceThatCannotReadTheSceneChangesNothing_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("scene is a folder") << "folder";
    QTest::newRow("scene is missing") << "missing";
    QTest::newRow("scene cannot be read") << "unreadable";
}

void TestStoreScenes::replaceThatCannotReadTheSceneChangesNothing() {
    QFETCH(QString, what);
    QTemporaryDir dir;
    const QString scene = dir.filePath(QStringLiteral("scene.ini"));
    if (what == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("scene.ini/inside")));
    } else if (what == QLatin1String("unreadable")) {
        if (geteuid() == 0)
            QSKIP("permissions do not bind the superuser");
        writeScene(scene, QStringLiteral("scene"));
        QVERIFY(QFile::setPermissions(scene, QFileDevice::WriteOwner));
    }
    dm.notifyChannelName(QStringLiteral("Track6"), QStringLiteral("kept"));
    dm.notifyTrackFader(QStringLiteral("Track6"), -3.0);
    dm.flushCurrentState();
    const QByteArray before = bytesOf(dm.currentStateFileName());
    QVERIFY(!dm.replaceCurrentStateWith(scene));
    QCOMPARE(bytesOf(dm.currentStateFileName()), before);
    QCOMPARE(dm.getChannelName(QStringLiteral("Track6")), QStringLiteral("kept"));
    QCOMPARE(dm.getTrackFaderViewValue(QStringLiteral("Track6")), -3.0);
}

void TestStoreScenes::replaceIntoUnwritableFolderChangesNothing() {
    if (geteuid() == 0)
        QSKIP("permissions do not bind the superuser");
    QTemporaryDir dir;
    const QString scene = dir.filePath(QStringLiteral("scene.ini"));
    writeScene(scene, QStringLiteral("scene"));
    dm.notifyChannelName(QStringLiteral("Track6"), QStringLiteral("kept"));
    dm.flushCurrentState();
    const QString folder = QFileInfo(dm.currentStateFileName()).absolutePath();
    const QByteArray before = bytesOf(dm.currentStateFileName());
    const QFile::Permissions mode = QFile::permissions(folder);
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool replaced = dm.replaceCurrentStateWith(scene);
    QFile::setPermissions(folder, mode);
    QVERIFY(!replaced);
    QCOMPARE(bytesOf(dm.currentStateFileName()), before);
    QCOMPARE(dm.getChannelName(QStringLiteral("Track6")), QStringLiteral("kept"));
}

QTEST_GUILESS_MAIN(TestStoreScenes)
#include "tst_store_scenes.moc"
