// The update check on the GUI thread: owns the worker and its thread, the three message boxes
// and the error box, keeps the update document and the check state that orders the program
// offer before the firmware offer, and answers the main window whether the Update action may
// be enabled.
#pragma once

#include "InformationBox.h"
#include "UpdateInformation.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QObject>
#include <QString>

class InstallerTools;
class QProgressBar;
class QPushButton;
class QThread;
class QWidget;

class UpdateSoftware : public QObject {
    Q_OBJECT

public:
    explicit UpdateSoftware(QObject *parent = nullptr);
    ~UpdateSoftware() override;
    UpdateSoftware(const UpdateSoftware &) = delete;
    UpdateSoftware &operator=(const UpdateSoftware &) = delete;

    void closeAll();
    bool querySoftUpdate();
    void checkSoftwareUpdate();
    void checkFirmwareInformation(QString model, QString firmVersion);

    // True when the published version (latest major and minor texts) is newer than
    // `current`; only the first digit of a major takes part.
    bool checkVersion(const QString *current, const QString *major, const QString *minor);

    // The tools the worker's installer chain uses; set before the first download.
    void setInstallerTools(InstallerTools *tools);

signals:
    void readiedDownloadFile(QString url);
    void stopDownload();

public slots:
    void saveInformation(QString str);
    void openDownloadFileInfo();
    void closeDownloadFileInfo();

private slots:
    void decideClickedSoftware();
    void decideClickedFirmware();
    void decideClickedInformation();
    void cancelSoftware();
    void cancelFirmware();
    void cancelDownload();
    void showMsgBoxError();
    void enableCanselButton(int);

private:
    void showInformationMassage();
    // The latest version text "major.minor" of a document pair, minor at least two digits.
    void latestTexts(const char *majorKey, const char *minorKey, QString *major,
                     QString *minor) const;
    // Whether an offer of the latest version is held back by a declined one.
    bool declined(const QString &declinedVersion, const QString &major, const QString &minor);
    QString offerText(const QString &released, const QString &current, const QString &latest) const;
    QString downloadUrl(const char *japaneseKey, const char *internationalKey) const;

    int language;
    UpdateInformation updateInformation;
    QThread *updateThread;
    QMessageBox msgBoxError;
    InformationBox softwareBox;
    InformationBox firmwareBox;
    InformationBox informationBox;
    QWidget *downloadWindow = nullptr;
    QPushButton *downloadCancelButton = nullptr;
    QProgressBar *downloadProgressBar = nullptr;
    QJsonDocument jsonDocument;
    QJsonObject jsonObject;
    QString informationMessage;
    QString latestSoftwareVersion;
    QString latestFirmwareVersion;
    QString modelName;
    // 0 program offer under way, 1 firmware offer under way, 2 program offer settled,
    // 3 finished. Nothing reads it before the document's arrival first writes it.
    int updateState = 3;
};
