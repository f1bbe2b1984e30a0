#include "UpdateSoftware.h"

#include "DataManager.h"
#include "Translation.h"

#include <QFont>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QThread>

namespace {

const char *const softwareMajorKey = "mac_software_version_major";
const char *const softwareMinorKey = "mac_software_version_minor";
const char *const softwareUrlJa = "mac_software_url_ja";
const char *const softwareUrlEn = "mac_software_url_en";
const char *const firmwareMajorKey = "firmware_version_major";
const char *const firmwareMinorKey = "firmware_version_minor";
const char *const firmwareUrlJa = "mac_firmware_url_ja";
const char *const firmwareUrlEn = "mac_firmware_url_en";
const char *const messagesKey = "messages";

const QString noDevice = QStringLiteral("No Device");
const QString downloadPartStyle =
    QStringLiteral("color: black; background-image: url(:/Resource/trans.png);");

// A piece of a version text as a number; anything that is not one counts as 0.
int piece(const QString &text) {
    return text.toInt();
}

// A document number member: a whole number in the 32-bit range, else 0.
int documentInt(const QJsonObject &object, const char *key) {
    return object.value(QLatin1String(key)).toInt(0);
}

} // namespace

UpdateSoftware::UpdateSoftware(QObject *parent) : QObject(parent) {
    updateThread = new QThread;
    updateInformation.moveToThread(updateThread);
    connect(&updateInformation, &UpdateInformation::finishedInformation, this,
            &UpdateSoftware::saveInformation);
    connect(updateThread, &QThread::finished, &updateInformation,
            &UpdateInformation::releaseOnThreadEnd, Qt::DirectConnection);
    updateThread->start(QThread::InheritPriority);
    QMetaObject::invokeMethod(&updateInformation, "downloadInformation", Qt::AutoConnection);

    language = translationIndex(QLocale().language());
    const Translation &t = translation[language];

    softwareBox.setWindowTitle(t.updateInformationTitle);
    softwareBox.okButton->setText(t.updateNow);
    softwareBox.noButton->setText(t.updateLater);
    softwareBox.dontShowCheckBox->setText(t.doNotShowAgain);
    connect(softwareBox.okButton, &QPushButton::clicked, this,
            &UpdateSoftware::decideClickedSoftware);
    connect(softwareBox.noButton, &QPushButton::clicked, this, &UpdateSoftware::cancelSoftware);

    firmwareBox.setWindowTitle(t.updateInformationTitle);
    firmwareBox.okButton->setText(t.updateNow);
    firmwareBox.noButton->setText(t.updateLater);
    firmwareBox.dontShowCheckBox->setText(t.doNotShowAgain);
    connect(firmwareBox.okButton, &QPushButton::clicked, this,
            &UpdateSoftware::decideClickedFirmware);
    connect(firmwareBox.noButton, &QPushButton::clicked, this, &UpdateSoftware::cancelFirmware);

    informationBox.setWindowTitle(t.latestInformationTitle);
    informationBox.okButton->setText(t.ok);
    informationBox.dontShowCheckBox->setText(t.doNotShowAgain);
    informationBox.noButton->close();
    informationBox.setWindowModality(Qt::ApplicationModal);
    connect(informationBox.okButton, &QPushButton::clicked, this,
            &UpdateSoftware::decideClickedInformation);

    // The warning icon is drawn by the style when the box is first shown: most runs never
    // show it, and drawing it costs more than the rest of the update service's start.
    msgBoxError.setWindowTitle(t.updateInformationTitle);
    msgBoxError.setTextFormat(Qt::RichText);
    msgBoxError.setStandardButtons(QMessageBox::Ok);
    msgBoxError.setText(t.downloadError);

    connect(&updateInformation, &UpdateInformation::errorDownloadFile, this,
            &UpdateSoftware::showMsgBoxError);
    connect(this, &UpdateSoftware::readiedDownloadFile, &updateInformation,
            &UpdateInformation::downloadFile);
    connect(&updateInformation, &UpdateInformation::startedDownloadFile, this,
            &UpdateSoftware::openDownloadFileInfo);
    connect(&updateInformation, &UpdateInformation::finishedDownloadFile, this,
            &UpdateSoftware::closeDownloadFileInfo);
    connect(this, &UpdateSoftware::stopDownload, &updateInformation,
            &UpdateInformation::cancelDownload);
}

UpdateSoftware::~UpdateSoftware() {
    closeDownloadFileInfo();
    updateThread->exit(0);
    updateThread->wait();
    delete updateThread;
}

void UpdateSoftware::setInstallerTools(InstallerTools *tools) {
    // Read on the worker's thread only after a later queued download request.
    updateInformation.setInstallerTools(tools);
}

void UpdateSoftware::closeAll() {
    softwareBox.close();
    firmwareBox.close();
    informationBox.close();
    emit stopDownload();
}

bool UpdateSoftware::querySoftUpdate() {
    return (updateState == 2 || updateState == 3) &&
           (!latestSoftwareVersion.isEmpty() || !latestFirmwareVersion.isEmpty());
}

// --- update document and version rule -------------------------------------------------------

bool UpdateSoftware::checkVersion(const QString *current, const QString *major,
                                  const QString *minor) {
    const int currentMajor = piece(current->left(1));
    const int publishedMajor = piece(major->left(1));
    if (currentMajor < publishedMajor)
        return true;
    if (currentMajor != publishedMajor)
        return false;
    return piece(current->mid(2, 2)) < piece(minor->left(2));
}

void UpdateSoftware::latestTexts(const char *majorKey, const char *minorKey, QString *major,
                                 QString *minor) const {
    *major = QString::number(documentInt(jsonObject, majorKey));
    *minor = QString::number(documentInt(jsonObject, minorKey));
    if (minor->size() == 1)
        minor->prepend(QLatin1Char('0'));
}

bool UpdateSoftware::declined(const QString &declinedVersion, const QString &major,
                              const QString &minor) {
    // Offered only when newer than the declined version, by the same rule as above.
    return !checkVersion(&declinedVersion, &major, &minor);
}

QString UpdateSoftware::offerText(const QString &released, const QString &current,
                                  const QString &latest) const {
    const Translation &t = translation[language];
    return released + QStringLiteral("<br>") + t.currentVersionLabel + current.left(4) +
           QStringLiteral("<br>") + t.latestVersionLabel + latest;
}

QString UpdateSoftware::downloadUrl(const char *japaneseKey, const char *internationalKey) const {
    const char *key = QLocale().language() == QLocale::Japanese ? japaneseKey : internationalKey;
    return jsonObject.value(QLatin1String(key)).toString();
}

// --- program offer ---------------------------------------------------------------------------

void UpdateSoftware::checkSoftwareUpdate() {
    updateState = 0;
    QString major, minor;
    latestTexts(softwareMajorKey, softwareMinorKey, &major, &minor);
    if (!checkVersion(&softwareVersion, &major, &minor)) {
        updateState = 2;
        return;
    }
    latestSoftwareVersion = major + QLatin1Char('.') + minor;
    if (declined(dm.getDoNotUpdateSoftDialog(), major, minor)) {
        updateState = 2;
        return;
    }
    softwareBox.textMessage->setText(
        offerText(translation[language].softwareReleased, softwareVersion, latestSoftwareVersion));
    softwareBox.show();
}

void UpdateSoftware::decideClickedSoftware() {
    softwareBox.close();
    updateState = 0;
    emit readiedDownloadFile(downloadUrl(softwareUrlJa, softwareUrlEn));
}

void UpdateSoftware::cancelSoftware() {
    updateState = 2;
    softwareBox.close();
    if (softwareBox.dontShowCheckBox->checkState() == Qt::Checked)
        dm.setDoNotUpdateSoftDialog(latestSoftwareVersion);
}

// --- firmware offer --------------------------------------------------------------------------

void UpdateSoftware::checkFirmwareInformation(QString model, QString firmVersion) {
    const QString previousModel = modelName;
    modelName = model;
    if (jsonObject.isEmpty())
        return;
    // Once the program offer has settled every call checks; otherwise only a new model does.
    if (updateState != 2 && model == previousModel)
        return;
    if (model != pelvoModelName && model != tarvikModelName)
        return;
    if (firmVersion == noDevice)
        return;
    if (firmVersion.isEmpty() || !firmVersion.at(0).isDigit())
        return;

    QString major, minor;
    latestTexts(firmwareMajorKey, firmwareMinorKey, &major, &minor);
    if (!checkVersion(&firmVersion, &major, &minor)) {
        updateState = 3;
        return;
    }
    latestFirmwareVersion = major + QLatin1Char('.') + minor;
    if (declined(dm.getDoNotUpdateFirmDialog(), major, minor)) {
        updateState = 3;
        return;
    }
    updateState = 1;
    firmwareBox.textMessage->setText(
        offerText(translation[language].firmwareReleased, firmVersion, latestFirmwareVersion));
    firmwareBox.show();
}

void UpdateSoftware::decideClickedFirmware() {
    firmwareBox.close();
    updateState = 1;
    emit readiedDownloadFile(downloadUrl(firmwareUrlJa, firmwareUrlEn));
}

void UpdateSoftware::cancelFirmware() {
    updateState = 3;
    firmwareBox.close();
    if (firmwareBox.dontShowCheckBox->checkState() == Qt::Checked)
        dm.setDoNotUpdateFirmDialog(latestFirmwareVersion);
}

// --- document arrival and the latest information ---------------------------------------------

void UpdateSoftware::saveInformation(QString str) {
    jsonDocument = QJsonDocument::fromJson(str.toUtf8());
    jsonObject = jsonDocument.object().value(versionKey).toObject();
    showInformationMassage();
    checkSoftwareUpdate();
}

void UpdateSoftware::showInformationMassage() {
    const QLocale locale;
    const QJsonObject messages = jsonObject.value(QLatin1String(messagesKey)).toObject();
    informationMessage = messages.value(QLocale::languageToString(locale.language())).toString();
    if (informationMessage.isEmpty())
        informationMessage = messages.value(QLocale::languageToString(QLocale::English)).toString();
    const QString declinedMessage = dm.getDoNotUpdateInfoDialog();
    if (declinedMessage == informationMessage || informationMessage.isEmpty())
        return;

    QTextBrowser *field = informationBox.textMessage;
    field->setText(QStringLiteral(" "));
    QTextCursor cursor = field->textCursor();
    cursor.movePosition(QTextCursor::Start, QTextCursor::MoveAnchor);
    QTextBlockFormat format = cursor.blockFormat();
    format.setLineHeight(18, QTextBlockFormat::FixedHeight);
    cursor.setBlockFormat(format);
    cursor.insertBlock();
    cursor.insertHtml(informationMessage);
    // Drop the empty first block, so the message starts on the first line.
    cursor.movePosition(QTextCursor::Start, QTextCursor::MoveAnchor);
    cursor.deleteChar();

    QScrollBar *bar = field->verticalScrollBar();
    informationBox.show();
    bar->setValue(bar->minimum());
}

void UpdateSoftware::decideClickedInformation() {
    informationBox.close();
    if (informationBox.dontShowCheckBox->checkState() == Qt::Checked)
        dm.setDoNotUpdateInfoDialog(informationMessage);
}

// --- download and error windows --------------------------------------------------------------

void UpdateSoftware::openDownloadFileInfo() {
    // One window per download; a window still open is closed and deleted first.
    closeDownloadFileInfo();
    const Translation &t = translation[language];

    downloadWindow = new QWidget;
    auto *label = new QLabel(downloadWindow);
    label->setStyleSheet(downloadPartStyle);
    label->setText(t.downloading);
    QFont font = label->font();
    font.setPointSize(11);
    label->setFont(font);
    label->setGeometry(10, 10, 230, 20);

    downloadProgressBar = new QProgressBar(downloadWindow);
    downloadProgressBar->setStyleSheet(downloadPartStyle);
    downloadProgressBar->setRange(0, 100);
    downloadProgressBar->setGeometry(10, 40, 230, 20);

    downloadCancelButton = new QPushButton(downloadWindow);
    downloadCancelButton->setStyleSheet(downloadPartStyle);
    downloadCancelButton->setText(t.cancel);
    downloadCancelButton->setMinimumHeight(20);
    downloadCancelButton->setEnabled(false);
    downloadCancelButton->setGeometry(140, 70, 100, 20);

    downloadWindow->setFixedSize(250, 100);
    downloadWindow->setStyleSheet(QStringLiteral(
        "color: black; background-image: url(:/Resource/update/Download_250x100.png)"));
    downloadWindow->setWindowTitle(t.updateInformationTitle);
    downloadWindow->setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint);

    connect(downloadCancelButton, &QPushButton::clicked, this, &UpdateSoftware::cancelDownload);
    connect(downloadCancelButton, &QPushButton::clicked, &updateInformation,
            &UpdateInformation::cancelDownload);
    connect(&updateInformation, &UpdateInformation::progressValueChanged, downloadProgressBar,
            &QProgressBar::setValue);
    connect(&updateInformation, &UpdateInformation::progressValueChanged, this,
            &UpdateSoftware::enableCanselButton);
    downloadWindow->show();
}

void UpdateSoftware::enableCanselButton(int) {
    if (downloadCancelButton)
        downloadCancelButton->setEnabled(true);
}

void UpdateSoftware::closeDownloadFileInfo() {
    if (!downloadWindow)
        return;
    disconnect(downloadCancelButton, &QPushButton::clicked, this, &UpdateSoftware::cancelDownload);
    disconnect(downloadCancelButton, &QPushButton::clicked, &updateInformation,
               &UpdateInformation::cancelDownload);
    disconnect(&updateInformation, &UpdateInformation::progressValueChanged, downloadProgressBar,
               &QProgressBar::setValue);
    disconnect(&updateInformation, &UpdateInformation::progressValueChanged, this,
               &UpdateSoftware::enableCanselButton);
    downloadWindow->close();
    delete downloadWindow;
    downloadWindow = nullptr;
    downloadCancelButton = nullptr;
    downloadProgressBar = nullptr;
}

void UpdateSoftware::cancelDownload() {
    updateState = 3;
}

void UpdateSoftware::showMsgBoxError() {
    updateState = 3;
    if (msgBoxError.icon() != QMessageBox::Warning)
        msgBoxError.setIcon(QMessageBox::Warning);
    msgBoxError.exec();
}
