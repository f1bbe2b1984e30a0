// The update windows' texts and the message window: the table chosen for each system
// language, the particular characters of the tables (blank runs, the Chinese colon, the
// German dash, the English titles of the Japanese table, the closing link), and the fixed
// 570 x 160 message window with its form texts, silent check box and painted picture.
#include "InformationBox.h"
#include "Translation.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QSignalSpy>
#include <QUrl>
#include <QtTest>

class TestUpdateTexts : public QObject {
    Q_OBJECT

private slots:
    void tableForLanguage_data();
    void tableForLanguage();
    void exactCharacters_data();
    void exactCharacters();
    void everyRecordIsFilled();
    void downloadErrorEndsWithTheSiteLink_data();
    void downloadErrorEndsWithTheSiteLink();

    void freshBoxShowsItsFormTexts();
    void boxKeepsItsSize();
    void checkBoxIsSilent();
    void longMessageShowsNoScrollBars();
    void hiddenNoButtonLeavesTheRowRightAligned();
    void boxPaintsItsPicture();
    void presetObjectNameIsKept();
};

void TestUpdateTexts::tableForLanguage_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("index");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << 0;
    QTest::newRow("British English") << QLocale(QLocale::English, QLocale::UnitedKingdom) << 0;
    QTest::newRow("Korean") << QLocale(QLocale::Korean) << 0;
    QTest::newRow("Portuguese") << QLocale(QLocale::Portuguese, QLocale::Brazil) << 0;
    QTest::newRow("C locale") << QLocale::c() << 0;
    QTest::newRow("French, Canada") << QLocale(QLocale::French, QLocale::Canada) << 1;
    QTest::newRow("Spanish, Mexico") << QLocale(QLocale::Spanish, QLocale::Mexico) << 2;
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << 3;
    QTest::newRow("Swiss German") << QLocale(QLocale::German, QLocale::Switzerland) << 3;
    QTest::newRow("Austrian German") << QLocale(QLocale::German, QLocale::Austria) << 3;
    QTest::newRow("Italian, Switzerland") << QLocale(QLocale::Italian, QLocale::Switzerland) << 4;
    QTest::newRow("Japanese") << QLocale(QLocale::Japanese, QLocale::Japan) << 5;
    QTest::newRow("Chinese, simplified")
        << QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China) << 6;
    QTest::newRow("Chinese, traditional")
        << QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan) << 6;
}

void TestUpdateTexts::tableForLanguage() {
    QFETCH(QLocale, locale);
    QFETCH(int, index);
    QCOMPARE(translationIndex(locale.language()), index);
}

// Written with escapes, so that a fault in the source's encoding shows.
void TestUpdateTexts::exactCharacters_data() {
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Chinese current label, U+FE30 and no blank")
        << translation[6].currentVersionLabel
        << QString::fromUtf16(u"\u76EE\u524D\u7248\u672C\uFE30");
    QTest::newRow("Chinese latest label") << translation[6].latestVersionLabel
                                          << QString::fromUtf16(u"\u6700\u65B0\u7248\u672C\uFE30");
    QTest::newRow("German title with an en dash")
        << translation[3].latestInformationTitle
        << QString::fromUtf16(u"MORVEX \u2013 Neueste Informationen");
    QTest::newRow("French label, blank before the colon")
        << translation[1].currentVersionLabel << QStringLiteral("Version actuelle : ");
    QTest::newRow("French latest label")
        << translation[1].latestVersionLabel << QString::fromUtf16(u"Derni\u00E8re version : ");
    QTest::newRow("German latest label")
        << translation[3].latestVersionLabel << QStringLiteral("Neue Version: ");
    QTest::newRow("Japanese current label")
        << translation[5].currentVersionLabel
        << QString::fromUtf16(u"\u73FE\u5728\u306E\u30D0\u30FC\u30B8\u30E7\u30F3: ");
    QTest::newRow("Japanese update title in English")
        << translation[5].updateInformationTitle << QStringLiteral("MORVEX Update Information");
    QTest::newRow("Japanese latest title in English")
        << translation[5].latestInformationTitle << QStringLiteral("MORVEX Latest Information");
    QTest::newRow("Italian later")
        << translation[4].updateLater << QString::fromUtf16(u"Aggiorna pi\u00F9 tardi");
    QTest::newRow("Spanish title") << translation[2].latestInformationTitle
                                   << QString::fromUtf16(u"\u00DAltimas novedades de MORVEX");
    QTest::newRow("English program message")
        << translation[0].softwareReleased
        << QStringLiteral("<font size=+1><b>The newest version of the Settings Panel has been "
                          "released.</b></font><br>");
    QTest::newRow("English downloading")
        << translation[0].downloading << QStringLiteral("<b>Downloading</b>");
}

void TestUpdateTexts::exactCharacters() {
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

void TestUpdateTexts::everyRecordIsFilled() {
    for (int i = 0; i < translationCount; ++i) {
        const Translation &t = translation[i];
        const QString rows[] = {t.ok,
                                t.cancel,
                                t.updateNow,
                                t.updateLater,
                                t.doNotShowAgain,
                                t.updateInformationTitle,
                                t.currentVersionLabel,
                                t.latestVersionLabel,
                                t.softwareReleased,
                                t.firmwareReleased,
                                t.latestInformationTitle,
                                t.downloadError,
                                t.downloading};
        for (const QString &row : rows)
            QVERIFY2(!row.isEmpty(), qPrintable(QString::number(i)));
        QCOMPARE(t.ok, QStringLiteral("OK"));
        for (const QString *message : {&t.softwareReleased, &t.firmwareReleased}) {
            QVERIFY(message->startsWith(QLatin1String("<font size=+1><b>")));
            QVERIFY(message->endsWith(QLatin1String("</b></font><br>")));
        }
        QVERIFY(t.downloading.startsWith(QLatin1String("<b>")));
        if (i != 6) {
            QVERIFY(t.currentVersionLabel.endsWith(QLatin1String(": ")));
            QVERIFY(t.latestVersionLabel.endsWith(QLatin1String(": ")));
        }
        QVERIFY(!t.currentVersionLabel.contains(QChar(0xFF1A)));
    }
}

void TestUpdateTexts::downloadErrorEndsWithTheSiteLink_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < translationCount; ++i)
        QTest::newRow(qPrintable(QString::number(i))) << i;
}

void TestUpdateTexts::downloadErrorEndsWithTheSiteLink() {
    QFETCH(int, index);
    const QString text = translation[index].downloadError;
    // Exactly sixteen blanks after the second line break.
    const int second = text.indexOf(QLatin1String("<br>"), text.indexOf(QLatin1String("<br>")) + 1);
    QVERIFY(second > 0);
    const QString after = text.mid(second + 4);
    QVERIFY(after.startsWith(QString(16, QLatin1Char(' '))));
    QVERIFY(after.at(16) != QLatin1Char(' '));

    const QString site = index == 5 ? makerWebsiteJapanese : makerWebsite;
    QVERIFY(text.endsWith(QStringLiteral("<br><a href=\"") + site + QStringLiteral("\">") + site +
                          QStringLiteral("</a>")));
    QCOMPARE(QUrl(site).host(), QStringLiteral("morvex.example"));
    QVERIFY(makerWebsite != makerWebsiteJapanese);
}

void TestUpdateTexts::freshBoxShowsItsFormTexts() {
    InformationBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("Form"));
    QCOMPARE(box.okButton->text(), QStringLiteral("Update now"));
    QCOMPARE(box.noButton->text(), QStringLiteral("Update later"));
    QCOMPARE(box.dontShowCheckBox->text(), QStringLiteral("Do not show the same message again"));
    QVERIFY(box.textMessage->toPlainText().isEmpty());
    QVERIFY(!box.dontShowCheckBox->isChecked());
    QCOMPARE(box.objectName(), QStringLiteral("InformationBox"));
    // Title bar with the title alone; the toolkit adds the window type of a top-level.
    QCOMPARE(int(box.windowFlags() & ~Qt::WindowType_Mask), 0x2003000);
    QVERIFY(box.isWindow());
}

void TestUpdateTexts::boxKeepsItsSize() {
    InformationBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.resize(800, 400);
    QTest::qWait(20);
    QCOMPARE(box.size(), QSize(570, 160));
    QCOMPARE(box.textMessage->geometry(), QRect(90, 15, 461, 105));
    QCOMPARE(box.horizontalLayoutWidget->geometry(), QRect(10, 120, 551, 31));
    QVERIFY(box.okButton->height() <= 22);
    QVERIFY(box.noButton->height() <= 22);
}

void TestUpdateTexts::checkBoxIsSilent() {
    InformationBox box;
    box.show();
    QSignalSpy toggled(box.dontShowCheckBox, &QCheckBox::toggled);
    QSignalSpy state(box.dontShowCheckBox, &QCheckBox::stateChanged);
    box.dontShowCheckBox->click();
    QCOMPARE(box.dontShowCheckBox->checkState(), Qt::Checked);
    QCOMPARE(toggled.count(), 0);
    QCOMPARE(state.count(), 0);
}

void TestUpdateTexts::longMessageShowsNoScrollBars() {
    InformationBox box;
    QString text;
    for (int i = 0; i < 60; ++i)
        text += QStringLiteral("A long line of the maker's news that goes on and on %1<br>").arg(i);
    box.textMessage->setText(text);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(box.textMessage->verticalScrollBar()->maximum() > 0); // it is longer than the area
    QVERIFY(!box.textMessage->verticalScrollBar()->isVisible());
    QVERIFY(!box.textMessage->horizontalScrollBar()->isVisible());
}

void TestUpdateTexts::hiddenNoButtonLeavesTheRowRightAligned() {
    InformationBox box;
    box.noButton->hide();
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const int rowWidth = box.horizontalLayoutWidget->width();
    QCOMPARE(box.dontShowCheckBox->geometry().right(), rowWidth - 1);
    QVERIFY(box.okButton->geometry().right() < box.dontShowCheckBox->geometry().left());
    QVERIFY(box.dontShowCheckBox->geometry().left() - box.okButton->geometry().right() < 20);
}

void TestUpdateTexts::boxPaintsItsPicture() {
    InformationBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage picture = QImage(QStringLiteral(":/Resource/update/info_570x160_icon.png"))
                               .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(picture.size(), QSize(570, 160));
    // The emblem, left of the message area, and a point behind the transparent message area.
    for (const QPoint &p : {QPoint(45, 45), QPoint(30, 100), QPoint(300, 60)})
        QCOMPARE(shown.pixel(p), picture.pixel(p));
}

void TestUpdateTexts::presetObjectNameIsKept() {
    QWidget host;
    host.setObjectName(QStringLiteral("latestInformation"));
    Ui_InformationBox form;
    form.setupUi(&host);
    QCOMPARE(host.objectName(), QStringLiteral("latestInformation"));
    QCOMPARE(host.size(), QSize(570, 160));
}

QTEST_MAIN(TestUpdateTexts)
#include "tst_update_texts.moc"
