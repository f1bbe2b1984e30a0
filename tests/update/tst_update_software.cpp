// The update check controller: the version rule with its odd cases, the program and firmware
// offers and when each is held back, the latest-information message with its language
// fallback, the boxes' buttons and what they store, the texts in several languages, the
// download window and the error box, and the whole road from the served document to the
// installer's start. Boxes are found among the top-level widgets and clicked; error boxes are
// closed by a watcher as soon as they open.
#include "LoopbackServer.h"
#include "Translation.h"
#include "UpdateSoftware.h"
#include "UpdateTestSupport.h"

#include "DataManager.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace updatetest;

namespace {

QString document(const QJsonObject &information) {
    return QString::fromUtf8(
        QJsonDocument(QJsonObject{{QStringLiteral("OLVANE_version1"), information}}).toJson());
}

QJsonObject program(const QJsonValue &major, const QJsonValue &minor) {
    QJsonObject o;
    if (!major.isUndefined())
        o.insert(QStringLiteral("mac_software_version_major"), major);
    if (!minor.isUndefined())
        o.insert(QStringLiteral("mac_software_version_minor"), minor);
    return o;
}

QJsonObject firmware(int major, int minor) {
    QJsonObject o = program(1, 0);
    o.insert(QStringLiteral("firmware_version_major"), major);
    o.insert(QStringLiteral("firmware_version_minor"), minor);
    return o;
}

QString plain(const QString &html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText();
}

QString offerPlain(int language, bool firmware, const QString &current, const QString &latest) {
    const Translation &t = translation[language];
    return plain((firmware ? t.firmwareReleased : t.softwareReleased) + QStringLiteral("<br>") +
                 t.currentVersionLabel + current + QStringLiteral("<br>") + t.latestVersionLabel +
                 latest);
}

// The controller's three message boxes, in the order it holds them: program, firmware,
// latest information.
QList<InformationBox *> boxesOf(const UpdateSoftware &controller) {
    const auto *begin = reinterpret_cast<const char *>(&controller);
    const auto *end = begin + sizeof(UpdateSoftware);
    QList<InformationBox *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<InformationBox *>(w);
        const auto *at = reinterpret_cast<const char *>(box);
        if (box && at >= begin && at < end)
            boxes << box;
    }
    std::sort(boxes.begin(), boxes.end());
    return boxes;
}

QWidget *downloadWindow() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->findChild<QProgressBar *>())
            return w;
    return nullptr;
}

// Closes every error box as it opens and keeps what it said.
class ErrorBoxWatcher : public QObject {
public:
    ErrorBoxWatcher() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(w);
                if (box && box->isVisible()) {
                    seen << box->windowTitle() + QLatin1Char('|') + box->text();
                    icons << box->icon();
                    box->button(QMessageBox::Ok)->click();
                }
            }
        });
        timer_.start(20);
    }
    QStringList seen;
    QList<QMessageBox::Icon> icons;

private:
    QTimer timer_;
};

} // namespace

class TestUpdateSoftware : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void versionRule_data();
    void versionRule();
    void programOffer_data();
    void programOffer();
    void programBoxButtons_data();
    void programBoxButtons();
    void updateActionOffersAgain();
    void firmwareOffer_data();
    void firmwareOffer();
    void firmwareCheckFollowsModelAndState();
    void firmwareBoxButtons();
    void firmwareBesideOpenProgramBox();
    void latestInformation_data();
    void latestInformation();
    void latestInformationOkStoresOnlyWhenTicked();
    void unusableDocumentsShowNothing_data();
    void unusableDocumentsShowNothing();
    void textsFollowTheSystemLanguage_data();
    void textsFollowTheSystemLanguage();
    void closeAllHidesBoxesAndStopsTheDownload();
    void idleControllerGoesAtOnce();

    void roadFromDocumentToInstaller();
    void cancelClosesTheWindowWithoutErrorBox();
    void failedDownloadShowsTheErrorBoxEachTime();
    void missingDownloadAddressShowsTheErrorBox_data();
    void missingDownloadAddressShowsTheErrorBox();

private:
    // A controller whose own fetch finds nothing; the test hands it the document.
    std::unique_ptr<UpdateSoftware> quietController();

    std::unique_ptr<LoopbackServer> server_;
    std::unique_ptr<ErrorBoxWatcher> errors_;
    std::unique_ptr<QTemporaryDir> tmp_;
    QByteArray savedTmp_;
};

void TestUpdateSoftware::initTestCase() {
    qApp->setQuitOnLastWindowClosed(false);
}

void TestUpdateSoftware::init() {
    clearUpdatePreferences();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    server_ = std::make_unique<LoopbackServer>();
    // Update files come over TLS alone; the document takes the same road.
    QVERIFY(server_->useTrustedTls());
    setUpdateKey(QStringLiteral("JsonUrl"), server_->url(QStringLiteral("/nothing.json")));
    errors_ = std::make_unique<ErrorBoxWatcher>();
    savedTmp_ = qgetenv("TMPDIR");
    tmp_ = std::make_unique<QTemporaryDir>();
    qputenv("TMPDIR", tmp_->path().toLocal8Bit());
}

void TestUpdateSoftware::cleanup() {
    errors_.reset();
    server_.reset();
    QLocale::setDefault(QLocale::system());
    QDir::setCurrent(QDir::rootPath());
    if (savedTmp_.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTmp_);
    tmp_.reset();
}

std::unique_ptr<UpdateSoftware> TestUpdateSoftware::quietController() {
    auto controller = std::make_unique<UpdateSoftware>();
    // Its own fetch is answered 404 and brings nothing.
    if (!QTest::qWaitFor([this] { return server_->requested().contains("/nothing.json"); }))
        qWarning("the controller did not fetch its document");
    QTest::qWait(50);
    return controller;
}

void TestUpdateSoftware::versionRule_data() {
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("major");
    QTest::addColumn<QString>("minor");
    QTest::addColumn<bool>("newer");
    QTest::newRow("1.05 over 1.00") << "1.00 0059"
                                    << "1"
                                    << "05" << true;
    QTest::newRow("1.50 over 1.00") << "1.00 0059"
                                    << "1"
                                    << "50" << true;
    QTest::newRow("equal") << "1.00 0059"
                           << "1"
                           << "00" << false;
    QTest::newRow("2.00 over 1.00") << "1.00 0059"
                                    << "2"
                                    << "00" << true;
    QTest::newRow("0.99 under 1.00") << "1.00 0059"
                                     << "0"
                                     << "99" << false;
    QTest::newRow("minor 123 read as 12") << "1.00 0059"
                                          << "1"
                                          << "123" << true;
    QTest::newRow("major 10 read as 1") << "1.00 0059"
                                        << "10"
                                        << "00" << false;
    QTest::newRow("major 25 read as 2") << "1.00 0059"
                                        << "25"
                                        << "00" << true;
    QTest::newRow("missing members") << "1.00 0059"
                                     << "0"
                                     << "00" << false;
    QTest::newRow("1.05 under 1.50") << "1.50 0001"
                                     << "1"
                                     << "05" << false;
    QTest::newRow("negative major") << "1.00 0059"
                                    << "-1"
                                    << "05" << false;
    QTest::newRow("negative minor") << "1.00 0059"
                                    << "1"
                                    << "-5" << false;
    QTest::newRow("firmware 1.02 under 1.05") << "1.02 0034"
                                              << "1"
                                              << "05" << true;
    QTest::newRow("two-digit firmware major, minor piece .0") << "10.05 0012"
                                                              << "1"
                                                              << "05" << true;
    QTest::newRow("build part never counts") << "1.05 9999"
                                             << "1"
                                             << "05" << false;
    QTest::newRow("empty current") << ""
                                   << "1"
                                   << "00" << true;
}

void TestUpdateSoftware::versionRule() {
    QFETCH(QString, current);
    QFETCH(QString, major);
    QFETCH(QString, minor);
    QFETCH(bool, newer);
    auto controller = quietController();
    QCOMPARE(controller->checkVersion(&current, &major, &minor), newer);
}

void TestUpdateSoftware::programOffer_data() {
    QTest::addColumn<QJsonObject>("information");
    QTest::addColumn<QString>("declined");
    QTest::addColumn<QString>("offered"); // empty: no box
    QTest::addColumn<bool>("query");

    QTest::newRow("same version") << program(1, 0) << ""
                                  << "" << false;
    QTest::newRow("minor 5") << program(1, 5) << ""
                             << "1.05" << false;
    QTest::newRow("minor 12") << program(1, 12) << ""
                              << "1.12" << false;
    QTest::newRow("major 2") << program(2, 0) << ""
                             << "2.00" << false;
    QTest::newRow("minor 123 shown whole") << program(1, 123) << ""
                                           << "1.123" << false;
    QTest::newRow("major 10 is no news") << program(10, 0) << ""
                                         << "" << false;
    QTest::newRow("members missing") << program(QJsonValue::Undefined, QJsonValue::Undefined) << ""
                                     << "" << false;
    QTest::newRow("numbers as strings") << program(QStringLiteral("2"), QStringLiteral("5")) << ""
                                        << "" << false;
    QTest::newRow("fraction") << program(1.5, 5.5) << ""
                              << "" << false;
    QTest::newRow("declined the same") << program(1, 5) << "1.05"
                                       << "" << true;
    QTest::newRow("declined an older") << program(1, 6) << "1.05"
                                       << "1.06" << false;
    QTest::newRow("declined a newer") << program(1, 10) << "2.00"
                                      << "" << true;
}

void TestUpdateSoftware::programOffer() {
    QFETCH(QJsonObject, information);
    QFETCH(QString, declined);
    QFETCH(QString, offered);
    QFETCH(bool, query);
    if (!declined.isEmpty())
        setUpdateKey(QStringLiteral("SoftDialog"), declined);
    auto controller = quietController();
    QVERIFY(!controller->querySoftUpdate());
    controller->saveInformation(document(information));

    InformationBox *box = boxesOf(*controller).value(0);
    QVERIFY(box);
    QCOMPARE(box->isVisible(), !offered.isEmpty());
    if (!offered.isEmpty()) {
        QCOMPARE(box->textMessage->toPlainText(), offerPlain(0, false, "1.00", offered));
        QCOMPARE(box->windowTitle(), QStringLiteral("MORVEX Update Information"));
        QVERIFY(!box->isModal());
    }
    QCOMPARE(controller->querySoftUpdate(), query);
    QVERIFY(!boxesOf(*controller).value(1)->isVisible());
}

void TestUpdateSoftware::programBoxButtons_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("later");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("requested"); // the download asked for, empty for none
    QTest::addColumn<bool>("query");
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("later, ticked")
        << en << true << true << QVariant(QStringLiteral("1.05")) << "" << true;
    QTest::newRow("later, unticked") << en << true << false << QVariant() << "" << true;
    QTest::newRow("now, ticked stores nothing")
        << en << false << true << QVariant() << "/panel_en.dmg" << false;
    QTest::newRow("now, Japanese system") << QLocale(QLocale::Japanese, QLocale::Japan) << false
                                          << false << QVariant() << "/panel_ja.dmg" << false;
    QTest::newRow("now, Chinese system") << QLocale(QLocale::Chinese, QLocale::China) << false
                                         << false << QVariant() << "/panel_en.dmg" << false;
    QTest::newRow("now, French system") << QLocale(QLocale::French, QLocale::France) << false
                                        << false << QVariant() << "/panel_en.dmg" << false;
}

void TestUpdateSoftware::programBoxButtons() {
    QFETCH(QLocale, locale);
    QFETCH(bool, later);
    QFETCH(bool, ticked);
    QFETCH(QVariant, stored);
    QFETCH(QString, requested);
    QFETCH(bool, query);
    QLocale::setDefault(locale);
    server_->answer("/panel_en.dmg", LoopbackServer::stalled());
    server_->answer("/panel_ja.dmg", LoopbackServer::stalled());
    auto controller = quietController();
    QJsonObject information = program(1, 5);
    information.insert(QStringLiteral("mac_software_url_en"), server_->url("/panel_en.dmg"));
    information.insert(QStringLiteral("mac_software_url_ja"), server_->url("/panel_ja.dmg"));
    controller->saveInformation(document(information));
    InformationBox *box = boxesOf(*controller).value(0);
    QVERIFY(box && box->isVisible());
    QSignalSpy asked(controller.get(), &UpdateSoftware::readiedDownloadFile);

    if (ticked)
        box->dontShowCheckBox->click();
    (later ? box->noButton : box->okButton)->click();
    QVERIFY(!box->isVisible());
    QCOMPARE(updateKey(QStringLiteral("SoftDialog")), stored);
    QCOMPARE(controller->querySoftUpdate(), query);
    if (requested.isEmpty()) {
        QCOMPARE(asked.count(), 0);
    } else {
        QCOMPARE(asked.count(), 1);
        QCOMPARE(asked.first().first().toString(), server_->url(requested));
        QTRY_VERIFY(server_->requested().contains(requested.toUtf8()));
        QTRY_VERIFY(downloadWindow());
    }
}

void TestUpdateSoftware::updateActionOffersAgain() {
    auto controller = quietController();
    controller->saveInformation(document(program(1, 5)));
    InformationBox *box = boxesOf(*controller).value(0);
    QVERIFY(box->isVisible());
    box->dontShowCheckBox->click();
    box->noButton->click();
    QCOMPARE(updateKey(QStringLiteral("SoftDialog")).toString(), QStringLiteral("1.05"));
    setUpdateKey(QStringLiteral("FirmDialog"), QStringLiteral("1.07"));

    // What the main window's Update action does.
    dm.setDoNotUpdateSoftDialog(QString());
    dm.setDoNotUpdateFirmDialog(QString());
    controller->checkSoftwareUpdate();

    QVERIFY(box->isVisible());
    QCOMPARE(box->textMessage->toPlainText(), offerPlain(0, false, "1.00", "1.05"));
    QVERIFY(box->dontShowCheckBox->isChecked());
    QCOMPARE(updateKey(QStringLiteral("SoftDialog")), QVariant(QString()));
    QCOMPARE(updateKey(QStringLiteral("FirmDialog")), QVariant(QString()));
}

void TestUpdateSoftware::firmwareOffer_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("firmVersion");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<QString>("declined");
    QTest::addColumn<QString>("offered"); // empty: no box
    QTest::addColumn<bool>("query");

    QTest::newRow("Tarvik, newer") << "OLVANE Tarvik"
                                   << "1.02 0034" << 1 << 5 << ""
                                   << "1.05" << false;
    QTest::newRow("Pelvo, minor 12") << "OLVANE Pelvo"
                                     << "1.02 0034" << 1 << 12 << ""
                                     << "1.12" << false;
    QTest::newRow("other model") << "OLVANE Other"
                                 << "1.02 0034" << 1 << 5 << ""
                                 << "" << false;
    QTest::newRow("model in small letters") << "olvane tarvik"
                                            << "1.02 0034" << 1 << 5 << ""
                                            << "" << false;
    QTest::newRow("no version yet") << "OLVANE Tarvik"
                                    << "No Device" << 1 << 5 << ""
                                    << "" << false;
    QTest::newRow("empty version") << "OLVANE Tarvik"
                                   << "" << 1 << 5 << ""
                                   << "" << false;
    QTest::newRow("version beginning with a letter") << "OLVANE Tarvik"
                                                     << "v1.02 0034" << 1 << 5 << ""
                                                     << "" << false;
    QTest::newRow("not newer") << "OLVANE Tarvik"
                               << "1.05 0040" << 1 << 5 << ""
                               << "" << false;
    QTest::newRow("declined the same") << "OLVANE Tarvik"
                                       << "1.02 0034" << 1 << 5 << "1.05"
                                       << "" << true;
    QTest::newRow("declined an older") << "OLVANE Tarvik"
                                       << "1.02 0034" << 1 << 6 << "1.05"
                                       << "1.06" << false;
    QTest::newRow("declined a newer") << "OLVANE Tarvik"
                                      << "1.02 0034" << 1 << 10 << "2.00"
                                      << "" << true;
    QTest::newRow("two-digit firmware major") << "OLVANE Tarvik"
                                              << "10.05 0012" << 1 << 5 << ""
                                              << "1.05" << false;
}

void TestUpdateSoftware::firmwareOffer() {
    QFETCH(QString, model);
    QFETCH(QString, firmVersion);
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(QString, declined);
    QFETCH(QString, offered);
    QFETCH(bool, query);
    if (!declined.isEmpty())
        setUpdateKey(QStringLiteral("FirmDialog"), declined);
    auto controller = quietController();
    controller->saveInformation(document(firmware(major, minor))); // no newer program
    controller->checkFirmwareInformation(model, firmVersion);

    InformationBox *box = boxesOf(*controller).value(1);
    QVERIFY(box);
    QCOMPARE(box->isVisible(), !offered.isEmpty());
    if (!offered.isEmpty())
        QCOMPARE(box->textMessage->toPlainText(),
                 offerPlain(0, true, firmVersion.left(4), offered));
    QCOMPARE(controller->querySoftUpdate(), query);
    QVERIFY(!boxesOf(*controller).value(0)->isVisible());
}

void TestUpdateSoftware::firmwareCheckFollowsModelAndState() {
    auto controller = quietController();
    const QString tarvik = QStringLiteral("OLVANE Tarvik"), pelvo = QStringLiteral("OLVANE Pelvo");
    const QString version = QStringLiteral("1.02 0034");
    InformationBox *box = boxesOf(*controller).value(1);

    // Before the document nothing is checked, but the name is remembered.
    controller->checkFirmwareInformation(tarvik, version);
    QVERIFY(!box->isVisible());
    controller->saveInformation(document(firmware(1, 5)));
    // The program offer has settled: the same name is checked all the same.
    controller->checkFirmwareInformation(tarvik, version);
    QVERIFY(box->isVisible());
    box->noButton->click();
    QVERIFY(!box->isVisible());
    QVERIFY(controller->querySoftUpdate());

    controller->checkFirmwareInformation(tarvik, version);
    QVERIFY2(!box->isVisible(), "the same model after the offer has settled");
    controller->checkFirmwareInformation(pelvo, version);
    QVERIFY2(box->isVisible(), "another model");
    box->noButton->click();
    controller->checkFirmwareInformation(QStringLiteral("No Device"), QStringLiteral("No Device"));
    QVERIFY(!box->isVisible());
    controller->checkFirmwareInformation(pelvo, version);
    QVERIFY2(box->isVisible(), "the model plugged in again");
}

void TestUpdateSoftware::firmwareBoxButtons() {
    server_->answer("/fw_en.dmg", LoopbackServer::stalled());
    auto controller = quietController();
    QJsonObject information = firmware(1, 5);
    information.insert(QStringLiteral("mac_firmware_url_en"), server_->url("/fw_en.dmg"));
    information.insert(QStringLiteral("mac_firmware_url_ja"), server_->url("/fw_ja.dmg"));
    controller->saveInformation(document(information));
    InformationBox *box = boxesOf(*controller).value(1);

    controller->checkFirmwareInformation(QStringLiteral("OLVANE Tarvik"),
                                         QStringLiteral("1.02 0034"));
    QVERIFY(box->isVisible());
    box->noButton->click();
    QVERIFY(!updateKey(QStringLiteral("FirmDialog")).isValid());

    controller->checkFirmwareInformation(QStringLiteral("OLVANE Pelvo"),
                                         QStringLiteral("1.02 0034"));
    QVERIFY(box->isVisible());
    box->dontShowCheckBox->click();
    box->noButton->click();
    QCOMPARE(updateKey(QStringLiteral("FirmDialog")).toString(), QStringLiteral("1.05"));

    // Offered again once the Update action has cleared it; the tick is still there.
    dm.setDoNotUpdateSoftDialog(QString());
    dm.setDoNotUpdateFirmDialog(QString());
    controller->checkSoftwareUpdate();
    controller->checkFirmwareInformation(QStringLiteral("OLVANE Pelvo"),
                                         QStringLiteral("1.02 0034"));
    QVERIFY(box->isVisible());
    QVERIFY(box->dontShowCheckBox->isChecked());
    QSignalSpy asked(controller.get(), &UpdateSoftware::readiedDownloadFile);
    box->okButton->click();
    QCOMPARE(asked.count(), 1);
    QCOMPARE(asked.first().first().toString(), server_->url("/fw_en.dmg"));
    QCOMPARE(updateKey(QStringLiteral("FirmDialog")), QVariant(QString()));
    QVERIFY(!controller->querySoftUpdate()); // under way
    QTRY_VERIFY(downloadWindow());
}

void TestUpdateSoftware::firmwareBesideOpenProgramBox() {
    auto controller = quietController();
    QJsonObject information = firmware(1, 5);
    information.insert(QStringLiteral("mac_software_version_minor"), 5);
    controller->saveInformation(document(information));
    const QList<InformationBox *> boxes = boxesOf(*controller);
    QVERIFY(boxes[0]->isVisible());
    controller->checkFirmwareInformation(QStringLiteral("OLVANE Tarvik"),
                                         QStringLiteral("1.02 0034"));
    QVERIFY(boxes[1]->isVisible());
    QVERIFY(boxes[0]->isVisible());
}

void TestUpdateSoftware::latestInformation_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QJsonValue>("messages");
    QTest::addColumn<QString>("declined");
    QTest::addColumn<QString>("shown"); // empty: no box
    const QLocale de(QLocale::German, QLocale::Germany);
    const QJsonObject both{{"German", "Neue Firmware"}, {"English", "New firmware"}};
    QTest::newRow("German") << de << QJsonValue(both) << ""
                            << "Neue Firmware";
    QTest::newRow("German empty, English")
        << de << QJsonValue(QJsonObject{{"German", ""}, {"English", "New firmware"}}) << ""
        << "New firmware";
    QTest::newRow("German missing, English")
        << de << QJsonValue(QJsonObject{{"English", "New firmware"}}) << ""
        << "New firmware";
    QTest::newRow("German not a string, English")
        << de << QJsonValue(QJsonObject{{"German", 7}, {"English", "New firmware"}}) << ""
        << "New firmware";
    QTest::newRow("Korean by its own name")
        << QLocale(QLocale::Korean)
        << QJsonValue(
               QJsonObject{{"Korean", QString::fromUtf16(u"\uC548\uB155")}, {"English", "Hello"}})
        << "" << QString::fromUtf16(u"\uC548\uB155");
    QTest::newRow("neither language") << de << QJsonValue(QJsonObject{{"French", "Bonjour"}}) << ""
                                      << "";
    QTest::newRow("messages not an object") << de << QJsonValue(QStringLiteral("Hello")) << ""
                                            << "";
    QTest::newRow("declined the same") << de << QJsonValue(both) << "Neue Firmware"
                                       << "";
    QTest::newRow("declined another") << de << QJsonValue(both) << "Neue Firmware!"
                                      << "Neue Firmware";
    QTest::newRow("English declined, falling back to it")
        << de << QJsonValue(QJsonObject{{"German", ""}, {"English", "New firmware"}})
        << "New firmware"
        << "";
    QTest::newRow("English declined, own language shown")
        << de << QJsonValue(QJsonObject{{"German", "Neue"}, {"English", "New firmware"}})
        << "New firmware"
        << "Neue";
    QTest::newRow("HTML message") << de
                                  << QJsonValue(QJsonObject{{"German", "<b>Eins</b><br>Zwei"}})
                                  << ""
                                  << "Eins\nZwei";
}

void TestUpdateSoftware::latestInformation() {
    QFETCH(QLocale, locale);
    QFETCH(QJsonValue, messages);
    QFETCH(QString, declined);
    QFETCH(QString, shown);
    QLocale::setDefault(locale);
    if (!declined.isEmpty())
        setUpdateKey(QStringLiteral("InfoDialog"), declined);
    auto controller = quietController();
    QJsonObject information = program(1, 0);
    information.insert(QStringLiteral("messages"), messages);
    controller->saveInformation(document(information));

    InformationBox *box = boxesOf(*controller).value(2);
    QVERIFY(box);
    QCOMPARE(box->isVisible(), !shown.isEmpty());
    if (shown.isEmpty())
        return;
    // The blank the field is first cleared to stays behind the message.
    QCOMPARE(box->textMessage->toPlainText(), shown + QLatin1Char(' '));
    const QTextBlockFormat format = box->textMessage->document()->firstBlock().blockFormat();
    QCOMPARE(format.lineHeight(), 18.0);
    QCOMPARE(format.lineHeightType(), int(QTextBlockFormat::FixedHeight));
    QCOMPARE(box->windowModality(), Qt::ApplicationModal);
    QVERIFY(box->okButton->isVisible());
    QVERIFY(!box->noButton->isVisible());
    QCOMPARE(box->okButton->text(), QStringLiteral("OK"));
}

void TestUpdateSoftware::latestInformationOkStoresOnlyWhenTicked() {
    QString longMessage;
    for (int i = 0; i < 40; ++i)
        longMessage += QStringLiteral("News line %1<br>").arg(i);
    QJsonObject information = program(1, 0);
    information.insert(QStringLiteral("messages"), QJsonObject{{"English", longMessage}});

    {
        auto controller = quietController();
        controller->saveInformation(document(information));
        InformationBox *box = boxesOf(*controller).value(2);
        QVERIFY(box->isVisible());
        QScrollBar *bar = box->textMessage->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->minimum());
        QVERIFY(box->textMessage->toPlainText().startsWith(QLatin1String("News line 0")));
        box->okButton->click();
        QVERIFY(!box->isVisible());
        QVERIFY(!updateKey(QStringLiteral("InfoDialog")).isValid());
    }
    {
        auto controller = quietController();
        controller->saveInformation(document(information));
        InformationBox *box = boxesOf(*controller).value(2);
        QVERIFY2(box->isVisible(), "shown again at the next start");
        box->dontShowCheckBox->click();
        box->okButton->click();
        QCOMPARE(updateKey(QStringLiteral("InfoDialog")).toString(), longMessage);
    }
    {
        auto controller = quietController();
        controller->saveInformation(document(information));
        QVERIFY(!boxesOf(*controller).value(2)->isVisible());
    }
}

void TestUpdateSoftware::unusableDocumentsShowNothing_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("not JSON") << QByteArray("<html>");
    QTest::newRow("array at the top") << QByteArray("[{\"OLVANE_version1\":{}}]");
    QTest::newRow("no version object")
        << QByteArray("{\"other\":{\"mac_software_version_major\":2}}");
    QTest::newRow("version member not an object") << QByteArray("{\"OLVANE_version1\":[2]}");
}

void TestUpdateSoftware::unusableDocumentsShowNothing() {
    QFETCH(QByteArray, body);
    server_->answer("/info.json", body);
    setUpdateKey(QStringLiteral("JsonUrl"), server_->url(QStringLiteral("/info.json")));
    UpdateSoftware controller;
    QTRY_VERIFY(server_->requested().contains("/info.json"));
    QTest::qWait(300);
    for (InformationBox *box : boxesOf(controller))
        QVERIFY(!box->isVisible());
    QVERIFY(!controller.querySoftUpdate());
    // The firmware check never runs without the version object.
    controller.checkFirmwareInformation(QStringLiteral("OLVANE Tarvik"),
                                        QStringLiteral("0.01 0001"));
    QVERIFY(!boxesOf(controller).value(1)->isVisible());
}

void TestUpdateSoftware::textsFollowTheSystemLanguage_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("currentLine"); // the second line of the program offer
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << 0
                             << "MORVEX Update Information"
                             << "Current Version: 1.00";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << 3
                            << "MORVEX Update-Information"
                            << "Aktuelle Version: 1.00";
    QTest::newRow("Japanese") << QLocale(QLocale::Japanese, QLocale::Japan) << 5
                              << "MORVEX Update Information"
                              << QString::fromUtf16(
                                     u"\u73FE\u5728\u306E\u30D0\u30FC\u30B8\u30E7\u30F3: 1.00");
    QTest::newRow("Chinese") << QLocale(QLocale::Chinese, QLocale::China) << 6
                             << QString::fromUtf16(u"MORVEX\u66F4\u65B0\u4FE1\u606F")
                             << QString::fromUtf16(u"\u76EE\u524D\u7248\u672C\uFE301.00");
    QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << 1
                            << QString::fromUtf16(u"Informations de mise \u00E0 jour MORVEX")
                            << "Version actuelle : 1.00";
}

void TestUpdateSoftware::textsFollowTheSystemLanguage() {
    QFETCH(QLocale, locale);
    QFETCH(int, index);
    QFETCH(QString, title);
    QFETCH(QString, currentLine);
    QLocale::setDefault(locale);
    server_->answer("/missing.dmg", QByteArray()); // empty body: a failed download
    auto controller = quietController();
    QJsonObject information = program(1, 5);
    information.insert(QStringLiteral("messages"), QJsonObject{{"English", "News"}});
    information.insert(QStringLiteral("mac_software_url_en"), server_->url("/missing.dmg"));
    information.insert(QStringLiteral("mac_software_url_ja"), server_->url("/missing.dmg"));
    controller->saveInformation(document(information));
    const Translation &t = translation[index];

    const QList<InformationBox *> boxes = boxesOf(*controller);
    QCOMPARE(boxes[0]->windowTitle(), title);
    QCOMPARE(boxes[1]->windowTitle(), title);
    QCOMPARE(boxes[0]->okButton->text(), t.updateNow);
    QCOMPARE(boxes[0]->noButton->text(), t.updateLater);
    QCOMPARE(boxes[0]->dontShowCheckBox->text(), t.doNotShowAgain);
    QCOMPARE(boxes[0]->textMessage->toPlainText().split(QLatin1Char('\n')).value(2), currentLine);
    QCOMPARE(boxes[2]->windowTitle(), t.latestInformationTitle);
    QCOMPARE(boxes[2]->okButton->text(), QStringLiteral("OK"));
    QCOMPARE(boxes[2]->dontShowCheckBox->text(), t.doNotShowAgain);

    boxes[2]->okButton->click();
    boxes[0]->okButton->click();
    QTRY_COMPARE(errors_->seen.size(), 1);
    QCOMPARE(errors_->seen.first(), title + QLatin1Char('|') + t.downloadError);
    QCOMPARE(errors_->icons.first(), QMessageBox::Warning);
}

void TestUpdateSoftware::closeAllHidesBoxesAndStopsTheDownload() {
    server_->answer("/fw_en.dmg", LoopbackServer::stalled());
    auto controller = quietController();
    QJsonObject information = firmware(1, 5);
    information.insert(QStringLiteral("mac_software_version_minor"), 5);
    information.insert(QStringLiteral("mac_firmware_url_en"), server_->url("/fw_en.dmg"));
    information.insert(QStringLiteral("messages"), QJsonObject{{"English", "News"}});
    controller->saveInformation(document(information));
    const QList<InformationBox *> boxes = boxesOf(*controller);
    controller->checkFirmwareInformation(QStringLiteral("OLVANE Tarvik"),
                                         QStringLiteral("1.02 0034"));
    QVERIFY(boxes[0]->isVisible() && boxes[1]->isVisible() && boxes[2]->isVisible());
    boxes[1]->okButton->click(); // the firmware download runs
    QTRY_VERIFY(downloadWindow());
    boxes[1]->show();

    controller->closeAll();
    for (InformationBox *box : boxes)
        QVERIFY(!box->isVisible());
    QTRY_VERIFY(!downloadWindow());
    QTest::qWait(200);
    QVERIFY(errors_->seen.isEmpty());
    // Nothing was settled by it: the firmware offer is still under way.
    QVERIFY(!controller->querySoftUpdate());
    controller->closeAll(); // nothing open, nothing running
}

void TestUpdateSoftware::idleControllerGoesAtOnce() {
    auto controller = quietController();
    controller->saveInformation(document(program(1, 5)));
    QElapsedTimer clock;
    clock.start();
    controller.reset();
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    // Its windows went with it.
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<InformationBox *>(w));
}

void TestUpdateSoftware::roadFromDocumentToInstaller() {
    LoopbackServer::Answer package;
    package.body = QByteArray(3000, 'p');
    package.chunk = 1000;
    package.chunkPauseMs = 400;
    server_->answer("/OLVANE_installer.dmg", package);
    QJsonObject information = program(1, 5);
    information.insert(QStringLiteral("mac_software_url_en"),
                       server_->url("/OLVANE_installer.dmg"));
    information.insert(QStringLiteral("messages"), QJsonObject{{"English", "<b>Hello</b>"}});
    server_->answer("/info.json", document(information).toUtf8());
    setUpdateKey(QStringLiteral("JsonUrl"), server_->url(QStringLiteral("/info.json")));

    RecordingTools tools;
    tools.appearsAt(QStringLiteral("/Volumes/OLVANE_Pelvo_Tarvik_Installer/"
                                   "OLVANE_Pelvo_Tarvik_Installer.pkg"),
                    1);
    UpdateSoftware controller;
    controller.setInstallerTools(&tools);
    QList<InformationBox *> boxes;
    QTRY_VERIFY((boxes = boxesOf(controller)).size() == 3 && boxes[2]->isVisible() &&
                boxes[0]->isVisible());
    QCOMPARE(boxes[2]->textMessage->toPlainText(), QStringLiteral("Hello "));
    boxes[2]->okButton->click();
    boxes[0]->okButton->click();

    QWidget *window = nullptr;
    QTRY_VERIFY((window = downloadWindow()));
    QCOMPARE(window->windowTitle(), QStringLiteral("MORVEX Update Information"));
    QCOMPARE(window->size(), QSize(250, 100));
    QCOMPARE(int(window->windowFlags() & ~Qt::WindowType_Mask), 0x2003000);
    auto *cancel = window->findChild<QPushButton *>();
    auto *bar = window->findChild<QProgressBar *>();
    QCOMPARE(window->findChild<QLabel *>()->text(), QStringLiteral("<b>Downloading</b>"));
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    QVERIFY2(!cancel->isEnabled(), "no progress yet");
    QCOMPARE(bar->value(), bar->minimum() - 1); // no value set
    QTRY_VERIFY(cancel->isEnabled());
    QTRY_VERIFY(bar->value() >= 33);

    QCOMPARE(runUntilQuit(15000), 0);
    QVERIFY(!downloadWindow());
    QVERIFY(errors_->seen.isEmpty());
    const QStringList calls = tools.summary();
    QCOMPARE(calls.size(), 4);
    QVERIFY(calls[2].startsWith(QLatin1String("start hdiutil mount ")));
    QVERIFY(calls[2].endsWith(QLatin1String("/temp.dmg")));
    QCOMPARE(calls[3], QStringLiteral("detached open /System/Library/CoreServices/installer.app "
                                      "/Volumes/OLVANE_Pelvo_Tarvik_Installer/"
                                      "OLVANE_Pelvo_Tarvik_Installer.pkg"));
    QCOMPARE(server_->requested().count("/info.json"), 1);
}

void TestUpdateSoftware::cancelClosesTheWindowWithoutErrorBox() {
    server_->answer("/big.zip", [] {
        LoopbackServer::Answer a;
        a.body = QByteArray(200000, 'b');
        a.chunk = 100;
        a.chunkPauseMs = 50;
        return a;
    }());
    auto controller = quietController();
    QJsonObject information = program(1, 5);
    information.insert(QStringLiteral("mac_software_url_en"), server_->url("/big.zip"));
    controller->saveInformation(document(information));
    boxesOf(*controller).value(0)->okButton->click();

    QWidget *window = nullptr;
    QTRY_VERIFY((window = downloadWindow()));
    auto *cancel = window->findChild<QPushButton *>();
    QTRY_VERIFY(cancel->isEnabled());
    QVERIFY(!controller->querySoftUpdate());
    cancel->click();
    QVERIFY(controller->querySoftUpdate()); // finished, a newer program known
    QTRY_VERIFY(!downloadWindow());
    QTest::qWait(300);
    QVERIFY(errors_->seen.isEmpty());
}

void TestUpdateSoftware::failedDownloadShowsTheErrorBoxEachTime() {
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    auto controller = quietController();
    QJsonObject information = program(1, 5);
    information.insert(QStringLiteral("mac_software_url_en"), server_->url("/gone.zip"));
    controller->saveInformation(document(information));
    InformationBox *box = boxesOf(*controller).value(0);

    for (int attempt = 1; attempt <= 2; ++attempt) {
        QVERIFY(box->isVisible());
        box->okButton->click();
        QTRY_COMPARE(errors_->seen.size(), attempt);
        QVERIFY(!downloadWindow());
        QVERIFY(controller->querySoftUpdate());
        dm.setDoNotUpdateSoftDialog(QString());
        dm.setDoNotUpdateFirmDialog(QString());
        controller->checkSoftwareUpdate();
    }
    QCOMPARE(errors_->seen[0], translation[1].updateInformationTitle + QLatin1Char('|') +
                                   translation[1].downloadError);
    QCOMPARE(errors_->seen[1], errors_->seen[0]);
    QCOMPARE(server_->requested().count("/gone.zip"), 2);
}

void TestUpdateSoftware::missingDownloadAddressShowsTheErrorBox_data() {
    QTest::addColumn<bool>("firmwareOffer");
    QTest::addColumn<QString>("address"); // empty: the member is missing
    QTest::newRow("program, address missing") << false << "";
    QTest::newRow("program, address empty") << false << "{empty}";
    QTest::newRow("program, plain http") << false << "http://127.0.0.1:9/panel.dmg";
    QTest::newRow("firmware, address missing") << true << "";
    QTest::newRow("firmware, address empty") << true << "{empty}";
}

void TestUpdateSoftware::missingDownloadAddressShowsTheErrorBox() {
    QFETCH(bool, firmwareOffer);
    QFETCH(QString, address);
    auto controller = quietController();
    QJsonObject information = firmwareOffer ? firmware(1, 5) : program(1, 5);
    const char *const key = firmwareOffer ? "mac_firmware_url_en" : "mac_software_url_en";
    if (!address.isEmpty())
        information.insert(QLatin1String(key),
                           address == QLatin1String("{empty}") ? QString() : address);
    controller->saveInformation(document(information));
    if (firmwareOffer)
        controller->checkFirmwareInformation(QStringLiteral("OLVANE Tarvik"),
                                             QStringLiteral("1.02 0034"));
    InformationBox *box = boxesOf(*controller).value(firmwareOffer ? 1 : 0);
    QVERIFY(box && box->isVisible());
    const QList<QByteArray> before = server_->requested();

    box->okButton->click();
    QTRY_COMPARE(errors_->seen.size(), 1);
    QCOMPARE(errors_->seen.first(), translation[0].updateInformationTitle + QLatin1Char('|') +
                                        translation[0].downloadError);
    QVERIFY(!downloadWindow());
    QCOMPARE(server_->requested(), before);
    QVERIFY(controller->querySoftUpdate());
}

QTEST_MAIN(TestUpdateSoftware)
#include "tst_update_software.moc"
