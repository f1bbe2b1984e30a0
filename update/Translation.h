// The fixed texts of the update windows in seven languages, and the names the update service
// matches against the unit and the update document.
#pragma once

#include <QLocale>
#include <QString>

// One language's texts; the update windows read every text from the chosen record when they
// set it.
struct Translation {
    QString ok;
    QString cancel;
    QString updateNow;
    QString updateLater;
    QString doNotShowAgain;
    QString updateInformationTitle;
    QString currentVersionLabel;
    QString latestVersionLabel;
    QString softwareReleased;
    QString firmwareReleased;
    QString latestInformationTitle;
    QString downloadError;
    QString downloading;
};

extern const QString pelvoModelName;
extern const QString tarvikModelName;
extern const QString versionKey;

// The maker's web sites named at the end of the download-error message.
extern const QString makerWebsite;
extern const QString makerWebsiteJapanese;

constexpr int translationCount = 7;
// 0 English, 1 French, 2 Spanish, 3 German, 4 Italian, 5 Japanese, 6 Chinese.
extern const Translation translation[translationCount];

// The record index for a system language; languages without a record of their own read
// English.
int translationIndex(QLocale::Language language);
