// The panel started on a real X display (a private Xvfb): it loads no OpenGL integration of
// the toolkit unless the user's environment asks for one, keeps its window's picture in its own
// memory rather than in memory shared with the server, and leaves the environment as the user
// set it for the programs it starts.
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestPanelX11 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void platformChoices_data();
    void platformChoices();

private:
    QProcess server;
    QString display;
};

void TestPanelX11::initTestCase() {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        QSKIP("Xvfb is not installed");
    // The server picks a free display and writes its number on the descriptor named.
    server.start(xvfb,
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                  QStringLiteral("1280x800x24")});
    QVERIFY2(server.waitForStarted(10000), qPrintable(server.errorString()));
    while (!server.canReadLine())
        QVERIFY2(server.waitForReadyRead(30000), "Xvfb named no display");
    display = QStringLiteral(":") + QString::fromLatin1(server.readLine().trimmed());
}

void TestPanelX11::cleanupTestCase() {
    if (server.state() != QProcess::NotRunning) {
        server.terminate();
        if (!server.waitForFinished(10000))
            server.kill();
    }
}

void TestPanelX11::platformChoices_data() {
    QTest::addColumn<QString>("gl");    // what the user set, "-" for nothing
    QTest::addColumn<QString>("noShm"); // likewise
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing chosen") << "-"
                                    << "-"
                                    << "PROBE glx=0 egl=0 gl=unset shm=0 noshm=unset";
    QTest::newRow("user chose glx") << "xcb_glx"
                                    << "-"
                                    << "PROBE glx=1 egl=0 gl=\"xcb_glx\" shm=0 noshm=unset";
    QTest::newRow("user chose none") << "none"
                                     << "-"
                                     << "PROBE glx=0 egl=0 gl=\"none\" shm=0 noshm=unset";
    QTest::newRow("user set no shm") << "-"
                                     << "1"
                                     << "PROBE glx=0 egl=0 gl=unset shm=0 noshm=\"1\"";
}

void TestPanelX11::platformChoices() {
    QFETCH(QString, gl);
    QFETCH(QString, noShm);
    QFETCH(QString, expected);
    QTemporaryDir config;
    QVERIFY(config.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    // The system's GL driver, once loaded, keeps allocations to the end: not the panel's.
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    const struct {
        QString name, value;
    } chosen[] = {{QStringLiteral("QT_XCB_GL_INTEGRATION"), gl},
                  {QStringLiteral("QT_XCB_NO_MITSHM"), noShm}};
    for (const auto &c : chosen) {
        env.remove(c.name);
        if (c.value != QLatin1String("-"))
            env.insert(c.name, c.value);
    }
    QProcess panel;
    panel.setProcessEnvironment(env);
    panel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    panel.start(QCoreApplication::applicationDirPath() + QStringLiteral("/panel_x11_probe"),
                QStringList());
    QVERIFY2(panel.waitForStarted(10000), qPrintable(panel.errorString()));
    if (!panel.waitForFinished(120000)) {
        panel.kill();
        panel.waitForFinished();
        QFAIL("the panel did not end");
    }
    QCOMPARE(panel.exitCode(), 0);
    QString probe;
    for (const QByteArray &line : panel.readAllStandardOutput().split('\n'))
        if (line.startsWith("PROBE "))
            probe = QString::fromLatin1(line.trimmed());
    QCOMPARE(probe, expected);
}

QTEST_GUILESS_MAIN(TestPanelX11)
#include "tst_panel_x11.moc"
