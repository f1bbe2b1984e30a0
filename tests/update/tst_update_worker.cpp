// The update worker on its own thread against a server of the test's own on 127.0.0.1: the
// document is fetched once from the stored or built-in address and handed on as text (cut at
// a NUL, redirects not followed, failures silent), over plain HTTP and over TLS with a
// certificate the toolkit trusts or does not; a download is fetched over HTTPS alone, reports
// per-cent progress, can be cancelled without a report, times out after silence, and fails on
// answers that carry no update file.
#include "LoopbackServer.h"
#include "UpdateTestSupport.h"

#include <QProcess>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <memory>

using namespace updatetest;

Q_DECLARE_METATYPE(LoopbackServer::Answer)

class TestUpdateWorker : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void informationAddress_data();
    void informationAddress();
    void documentIsHandedOnAsText_data();
    void documentIsHandedOnAsText();
    void failedDocumentStillLeadsToTheDownloadHandler();
    void documentOverTls_data();
    void documentOverTls();

    void onlyHttpsAddressesAreFetched_data();
    void onlyHttpsAddressesAreFetched();
    void progressPercent_data();
    void progressPercent();
    void downloadReportsProgressInOrder();
    void unknownTotalGivesNegativeProgress();
    void downloadsWithoutUpdateFileFail_data();
    void downloadsWithoutUpdateFileFail();
    void cancelEndsWithoutReport();
    void silenceTimesOutWithReport();
    void steadyProgressNeverTimesOut();
    void secondDownloadIsRefusedWhileOneRuns();
    void temporaryFolderThatCannotBeMadeFails();
    void cancelWithNothingRunningDoesNothing();

private:
    // A worker whose document has arrived, so that its next replies are downloads; the
    // server then answers over TLS that the toolkit trusts, as update files are fetched.
    void makeReady(WorkerRig &rig, LoopbackServer &server);

    QTemporaryDir certificates_;
    // Download folders are made in here and go with it.
    std::unique_ptr<QTemporaryDir> tempRoot_;
    QByteArray savedTmp_;
    QSslCertificate untrusted_;
    QSslKey untrustedKey_;
};

namespace {

LoopbackServer::Answer trickled(const QByteArray &body, int chunk, int pauseMs,
                                bool announceLength = true) {
    LoopbackServer::Answer a;
    a.body = body;
    a.chunk = chunk;
    a.chunkPauseMs = pauseMs;
    a.announceLength = announceLength;
    return a;
}

} // namespace

void TestUpdateWorker::initTestCase() {
    QVERIFY(certificates_.isValid());
    QVERIFY2(QSslSocket::supportsSsl(), "update files are fetched over TLS alone");
    QVERIFY(makeLoopbackCertificate(certificates_.path(), QStringLiteral("untrusted"), &untrusted_,
                                    &untrustedKey_));
}

void TestUpdateWorker::init() {
    clearUpdatePreferences();
    savedTmp_ = qgetenv("TMPDIR");
    tempRoot_ = std::make_unique<QTemporaryDir>();
    QVERIFY(tempRoot_->isValid());
    qputenv("TMPDIR", tempRoot_->path().toLocal8Bit());
}

void TestUpdateWorker::cleanup() {
    QDir::setCurrent(QDir::rootPath());
    if (savedTmp_.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTmp_);
    tempRoot_.reset();
}

void TestUpdateWorker::makeReady(WorkerRig &rig, LoopbackServer &server) {
    QVERIFY(server.useTrustedTls());
    server.answer("/info.json", "{}");
    setUpdateKey(QStringLiteral("JsonUrl"), server.url(QStringLiteral("/info.json")));
    rig.fetchInformation();
    QTRY_COMPARE(rig.documents.size(), 1);
}

void TestUpdateWorker::informationAddress_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("builtIn");
    QTest::newRow("nothing stored") << QVariant() << true;
    QTest::newRow("empty text") << QVariant(QString()) << true;
    QTest::newRow("blanks") << QVariant(QStringLiteral("   ")) << false;
    QTest::newRow("own address") << QVariant(QStringLiteral("http://127.0.0.1:9/u.json")) << false;
}

void TestUpdateWorker::informationAddress() {
    QFETCH(QVariant, stored);
    QFETCH(bool, builtIn);
    setUpdateKey(QStringLiteral("JsonUrl"), stored);
    const QString address = UpdateInformation::informationUrl();
    if (builtIn) {
        const QUrl url(address);
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QCOMPARE(url.host(), QStringLiteral("morvex.example"));
        QCOMPARE(url.path(), QStringLiteral("/download/fw/OLVANE/OLVANE_UpdateInformation.json"));
    } else {
        QCOMPARE(address, stored.toString());
    }
}

void TestUpdateWorker::documentIsHandedOnAsText_data() {
    QTest::addColumn<LoopbackServer::Answer>("answer");
    QTest::addColumn<QStringList>("documents");

    LoopbackServer::Answer plain;
    plain.body = QByteArray("{\"OLVANE_version1\":{\"messages\":{\"German\":\"Grüße\"}}}");
    QTest::newRow("UTF-8 body")
        << plain
        << QStringList{
               QString::fromUtf8("{\"OLVANE_version1\":{\"messages\":{\"German\":\"Grüße\"}}}")};

    LoopbackServer::Answer nulInside;
    nulInside.body = QByteArray("{\"a\":1}\0trailing", 16);
    QTest::newRow("NUL inside") << nulInside << QStringList{QStringLiteral("{\"a\":1}")};

    LoopbackServer::Answer nulFirst;
    nulFirst.body = QByteArray("\0{\"a\":1}", 8);
    QTest::newRow("NUL first") << nulFirst << QStringList{QString()};

    LoopbackServer::Answer empty;
    QTest::newRow("empty body") << empty << QStringList{QString()};

    LoopbackServer::Answer notJson;
    notJson.body = "<html>maintenance</html>";
    QTest::newRow("not JSON") << notJson << QStringList{QStringLiteral("<html>maintenance</html>")};

    // A redirect is not followed; its body is the document as far as the worker knows.
    LoopbackServer::Answer redirect;
    redirect.status = "302 Found";
    redirect.extraHeaders = "Location: /elsewhere.json\r\n";
    redirect.body = "moved";
    QTest::newRow("302 not followed") << redirect << QStringList{QStringLiteral("moved")};

    LoopbackServer::Answer missing;
    missing.status = "404 Not Found";
    missing.body = "{}";
    QTest::newRow("404") << missing << QStringList();

    LoopbackServer::Answer broken;
    broken.status = "500 Internal Server Error";
    broken.body = "{}";
    QTest::newRow("500") << broken << QStringList();
}

void TestUpdateWorker::documentIsHandedOnAsText() {
    QFETCH(LoopbackServer::Answer, answer);
    QFETCH(QStringList, documents);
    LoopbackServer server;
    server.answer("/info.json", answer);
    server.answer("/elsewhere.json", "{\"followed\":true}");
    setUpdateKey(QStringLiteral("JsonUrl"), server.url(QStringLiteral("/info.json")));

    WorkerRig rig;
    rig.fetchInformation();
    QTRY_COMPARE(server.requested().size(), 1);
    if (documents.isEmpty())
        QTest::qWait(500);
    else
        QTRY_COMPARE(rig.documents.size(), documents.size());
    QTest::qWait(100);
    QCOMPARE(rig.documents, documents);
    QCOMPARE(server.requested(), QList<QByteArray>{"/info.json"});
}

void TestUpdateWorker::failedDocumentStillLeadsToTheDownloadHandler() {
    LoopbackServer server;
    QVERIFY(server.useTrustedTls());
    server.answer("/file.dmg", "payload");
    setUpdateKey(QStringLiteral("JsonUrl"), server.url(QStringLiteral("/missing.json")));
    RecordingTools tools;
    WorkerRig rig(&tools);
    rig.fetchInformation();
    QTRY_COMPARE(server.requested().size(), 1);
    QTest::qWait(300);
    QVERIFY(rig.documents.isEmpty());

    // The next reply is judged as a download, not as a document.
    rig.download(server.url(QStringLiteral("/file.dmg")));
    QTRY_COMPARE(rig.events, (QStringList{QStringLiteral("started"), QStringLiteral("finished")}));
    QTRY_VERIFY(!tools.calls().isEmpty());
    QVERIFY(rig.documents.isEmpty());
    // Nothing asks for the document a second time.
    QCOMPARE(server.requested(), (QList<QByteArray>{"/missing.json", "/file.dmg"}));
}

void TestUpdateWorker::documentOverTls_data() {
    QTest::addColumn<bool>("trusted");
    QTest::newRow("trusted certificate") << true;
    QTest::newRow("untrusted certificate") << false;
}

void TestUpdateWorker::documentOverTls() {
    QFETCH(bool, trusted);
    LoopbackServer server;
    if (trusted)
        QVERIFY(server.useTrustedTls());
    else
        server.useTls(untrusted_, untrustedKey_);
    server.answer("/info.json", "{\"OLVANE_version1\":{}}");
    setUpdateKey(QStringLiteral("JsonUrl"), server.url(QStringLiteral("/info.json")));
    QVERIFY(server.url(QString()).startsWith(QLatin1String("https://127.0.0.1:")));

    WorkerRig rig;
    rig.fetchInformation();
    if (trusted) {
        QTRY_COMPARE(rig.documents, QStringList{QStringLiteral("{\"OLVANE_version1\":{}}")});
    } else {
        QTRY_VERIFY(server.connections() >= 1);
        QTest::qWait(1000);
        QVERIFY(rig.documents.isEmpty());
        QVERIFY(server.requested().isEmpty());
    }
}

void TestUpdateWorker::onlyHttpsAddressesAreFetched_data() {
    QTest::addColumn<QString>("address"); // {http} and {https} stand for the servers' roots
    QTest::addColumn<bool>("fetched");
    QTest::newRow("https") << "{https}/pkg.dmg" << true;
    QTest::newRow("HTTPS in capitals") << "HTTPS://127.0.0.1:{port}/pkg.dmg" << true;
    QTest::newRow("plain http") << "{http}/pkg.dmg" << false;
    QTest::newRow("local file") << "file://{file}" << false;
    QTest::newRow("inline data") << "data:application/octet-stream;base64,aW1hZ2U=.dmg" << false;
    QTest::newRow("ftp") << "ftp://127.0.0.1:{port}/pkg.dmg" << false;
    QTest::newRow("no scheme") << "127.0.0.1:{port}/pkg.dmg" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks") << "   " << false;
}

void TestUpdateWorker::onlyHttpsAddressesAreFetched() {
    QFETCH(QString, address);
    QFETCH(bool, fetched);
    LoopbackServer secure;
    LoopbackServer plain;
    secure.answer("/pkg.dmg", "image");
    plain.answer("/pkg.dmg", "image");
    const QString local = tempRoot_->path() + QStringLiteral("/local.dmg");
    {
        QFile file(local);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("image");
    }
    RecordingTools tools;
    WorkerRig rig(&tools);
    makeReady(rig, secure);
    address.replace(QStringLiteral("{https}"), secure.url(QString()))
        .replace(QStringLiteral("{http}"), plain.url(QString()))
        .replace(QStringLiteral("{port}"), QString::number(secure.serverPort()))
        .replace(QStringLiteral("{file}"), local);

    rig.download(address);
    if (fetched) {
        QTRY_COMPARE(tools.calls().size(), 3); // the unmounts and the mount
        QCOMPARE(rig.events, (QStringList{QStringLiteral("started"), QStringLiteral("finished")}));
        QCOMPARE(secure.requested().count("/pkg.dmg"), 1);
        return;
    }
    // The error box and nothing else: no download window, no request, nothing stored.
    QTRY_COMPARE(rig.events, QStringList{QStringLiteral("error")});
    QTest::qWait(200);
    QCOMPARE(rig.events, QStringList{QStringLiteral("error")});
    QCOMPARE(secure.requested(), QList<QByteArray>{"/info.json"});
    QVERIFY(plain.requested().isEmpty());
    QVERIFY(tools.calls().isEmpty());
    QCOMPARE(QDir(tempRoot_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("local.dmg")});

    // The refusal holds nothing up: the next address is taken.
    rig.download(secure.url(QStringLiteral("/pkg.dmg")));
    QTRY_COMPARE(tools.calls().size(), 3);
}

void TestUpdateWorker::progressPercent_data() {
    QTest::addColumn<qint64>("received");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<int>("percent");
    QTest::newRow("start") << qint64(0) << qint64(200) << 0;
    QTest::newRow("half") << qint64(100) << qint64(200) << 50;
    QTest::newRow("truncated") << qint64(2) << qint64(3) << 66;
    QTest::newRow("done") << qint64(200) << qint64(200) << 100;
    QTest::newRow("large file") << qint64(3000000000) << qint64(4000000000) << 75;
    QTest::newRow("unknown total") << qint64(1234) << qint64(-1) << -123400;
    QTest::newRow("unknown total, 30 MB")
        << qint64(30000000) << qint64(-1) << std::numeric_limits<int>::min();
    QTest::newRow("beyond int") << qint64(std::numeric_limits<qint64>::max() / 100) << qint64(1)
                                << std::numeric_limits<int>::max();
}

void TestUpdateWorker::progressPercent() {
    QFETCH(qint64, received);
    QFETCH(qint64, total);
    QFETCH(int, percent);
    QCOMPARE(UpdateInformation::progressPercent(received, total), percent);
}

void TestUpdateWorker::downloadReportsProgressInOrder() {
    LoopbackServer server;
    server.answer("/pkg.dmg", trickled(QByteArray(4000, 'd'), 1000, 100));
    RecordingTools tools;
    WorkerRig rig(&tools);
    makeReady(rig, server);

    rig.download(server.url(QStringLiteral("/pkg.dmg")));
    QTRY_COMPARE(rig.events, (QStringList{QStringLiteral("started"), QStringLiteral("finished")}));
    QVERIFY(!rig.progress.isEmpty());
    QCOMPARE(rig.progress.last(), 100);
    for (int i = 0; i < rig.progress.size(); ++i) {
        QVERIFY(rig.progress[i] >= 0 && rig.progress[i] <= 100);
        if (i > 0)
            QVERIFY(rig.progress[i] >= rig.progress[i - 1]);
    }
    QVERIFY2(rig.progress.size() >= 3,
             qPrintable(QStringLiteral("reported on the way: %1").arg(rig.progress.size())));
}

void TestUpdateWorker::unknownTotalGivesNegativeProgress() {
    LoopbackServer server;
    server.answer("/pkg.dmg", trickled(QByteArray(3000, 'z'), 1000, 50, false));
    RecordingTools tools;
    WorkerRig rig(&tools);
    makeReady(rig, server);

    rig.download(server.url(QStringLiteral("/pkg.dmg")));
    QTRY_COMPARE(rig.events, (QStringList{QStringLiteral("started"), QStringLiteral("finished")}));
    // On the way the total is unknown; the toolkit's own last report, made when the body has
    // ended, gives the received size as the total.
    QVERIFY(rig.progress.size() >= 2);
    QCOMPARE(rig.progress.last(), 100);
    for (int i = 0; i + 1 < rig.progress.size(); ++i)
        QVERIFY2(rig.progress[i] < 0, qPrintable(QString::number(rig.progress[i])));
}

void TestUpdateWorker::downloadsWithoutUpdateFileFail_data() {
    QTest::addColumn<LoopbackServer::Answer>("answer");
    LoopbackServer::Answer missing;
    missing.status = "404 Not Found";
    missing.body = "not here";
    QTest::newRow("404") << missing;
    LoopbackServer::Answer redirect;
    redirect.status = "302 Found";
    redirect.extraHeaders = "Location: /real.zip\r\n";
    redirect.body = "moved";
    QTest::newRow("302 with a body") << redirect;
    LoopbackServer::Answer notModified;
    notModified.status = "204 No Content";
    QTest::newRow("empty body") << notModified;
    LoopbackServer::Answer information;
    information.status = "100 Continue";
    information.body = "x";
    information.announceLength = false;
    QTest::newRow("1xx only") << information;
}

void TestUpdateWorker::downloadsWithoutUpdateFileFail() {
    QFETCH(LoopbackServer::Answer, answer);
    LoopbackServer server;
    server.answer("/pkg.zip", answer);
    server.answer("/real.zip", "PK");
    RecordingTools tools;
    WorkerRig rig(&tools);
    makeReady(rig, server);

    rig.download(server.url(QStringLiteral("/pkg.zip")));
    QTRY_COMPARE(rig.events, (QStringList{QStringLiteral("started"), QStringLiteral("finished"),
                                          QStringLiteral("error")}));
    QTest::qWait(100);
    QVERIFY2(tools.calls().isEmpty(), qPrintable(tools.summary().join(QLatin1Char('\n'))));
    QVERIFY(!server.requested().contains("/real.zip"));
}

void TestUpdateWorker::cancelEndsWithoutReport() {
    LoopbackServer server;
    server.answer("/pkg.zip", trickled(QByteArray(100000, 'z'), 100, 50));
    RecordingTools tools;
    WorkerRig rig(&tools);
    makeReady(rig, server);

    rig.download(server.url(QStringLiteral("/pkg.zip")));
    QTRY_VERIFY(!rig.progress.isEmpty());
    rig.cancel();
    QTRY_COMPARE(rig.events, (QStringList{QStringLiteral("started"), QStringLiteral("finished")}));
    QTest::qWait(200);
    QCOMPARE(rig.events.size(), 2);
    QVERIFY(tools.calls().isEmpty());
}

void TestUpdateWorker::silenceTimesOutWithReport() {
    LoopbackServer server;
    server.answer("/pkg.zip", LoopbackServer::stalled());
    RecordingTools tools;
    WorkerRig rig(&tools);
    rig.worker.setDownloadTimeout(300);
    makeReady(rig, server);

    QElapsedTimer clock;
    clock.start();
    rig.download(server.url(QStringLiteral("/pkg.zip")));
    QTRY_COMPARE(rig.events, (QStringList{QStringLiteral("started"), QStringLiteral("finished"),
                                          QStringLiteral("error")}));
    QVERIFY(clock.elapsed() >= 250);
    QVERIFY(tools.calls().isEmpty());
}

void TestUpdateWorker::steadyProgressNeverTimesOut() {
    LoopbackServer server;
    // About 1.5 s in all, never more than 100 ms of silence.
    server.answer("/pkg.dmg", trickled(QByteArray(1500, 'd'), 100, 100));
    RecordingTools tools;
    WorkerRig rig(&tools);
    rig.worker.setDownloadTimeout(500);
    makeReady(rig, server);

    QElapsedTimer clock;
    clock.start();
    rig.download(server.url(QStringLiteral("/pkg.dmg")));
    QTRY_COMPARE_WITH_TIMEOUT(rig.events.size(), 2, 10000);
    QVERIFY(clock.elapsed() > 500);
    QCOMPARE(rig.events, (QStringList{QStringLiteral("started"), QStringLiteral("finished")}));
    QTRY_VERIFY(!tools.calls().isEmpty());
}

void TestUpdateWorker::secondDownloadIsRefusedWhileOneRuns() {
    LoopbackServer server;
    server.answer("/first.zip", LoopbackServer::stalled());
    server.answer("/second.dmg", "image");
    RecordingTools tools;
    WorkerRig rig(&tools);
    makeReady(rig, server);

    rig.download(server.url(QStringLiteral("/first.zip")));
    QTRY_COMPARE(rig.events, QStringList{QStringLiteral("started")});
    rig.download(server.url(QStringLiteral("/second.dmg")));
    QTest::qWait(300);
    QCOMPARE(rig.events, QStringList{QStringLiteral("started")});
    QVERIFY(!server.requested().contains("/second.dmg"));

    // Once the first has ended, a new one is taken.
    rig.cancel();
    QTRY_COMPARE(rig.events.size(), 2);
    rig.download(server.url(QStringLiteral("/second.dmg")));
    QTRY_COMPARE(rig.events.size(), 4);
    QVERIFY(server.requested().contains("/second.dmg"));
}

void TestUpdateWorker::temporaryFolderThatCannotBeMadeFails() {
    LoopbackServer server;
    server.answer("/pkg.zip", "PK");
    RecordingTools tools;
    WorkerRig rig(&tools);
    makeReady(rig, server);

    // No folder can be made in the process file system, not even by root.
    qputenv("TMPDIR", "/proc");
    rig.download(server.url(QStringLiteral("/pkg.zip")));
    QTRY_COMPARE(rig.events.size(), 3);
    qputenv("TMPDIR", tempRoot_->path().toLocal8Bit());
    QCOMPARE(rig.events, (QStringList{QStringLiteral("started"), QStringLiteral("finished"),
                                      QStringLiteral("error")}));
    QVERIFY(tools.calls().isEmpty());
}

void TestUpdateWorker::cancelWithNothingRunningDoesNothing() {
    LoopbackServer server;
    server.answer("/pkg.dmg", "image");
    RecordingTools tools;
    WorkerRig rig(&tools);
    rig.cancel(); // before the document and before any manager
    makeReady(rig, server);
    rig.cancel();
    rig.download(server.url(QStringLiteral("/pkg.dmg")));
    QTRY_COMPARE(rig.events.size(), 2);
    rig.cancel(); // after the end
    QTRY_COMPARE(tools.calls().size(), 3);
    QTest::qWait(100);
    QCOMPARE(rig.events, (QStringList{QStringLiteral("started"), QStringLiteral("finished")}));
}

QTEST_GUILESS_MAIN(TestUpdateWorker)
#include "tst_update_worker.moc"
