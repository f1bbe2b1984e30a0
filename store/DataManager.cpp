// The store's process-wide objects, the settings access, the typed loaders, the device
// queries that only forward to the proxy, and the whole-file handling for the scene memories.
#include "DataManager.h"
#include "StoreSettings.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

// Built in this order during static initialisation and destroyed in reverse: the settings
// objects write back what is pending before `dm` ends the USB worker. `dm` touches neither
// settings object while it is built.
DataManager dm;

namespace {

QSettings clockSourceSettings(QSettings::IniFormat, QSettings::UserScope, organizationName,
                              clockSourceSettingsName);
QSettings mixerSettings(QSettings::IniFormat, QSettings::UserScope, organizationName, settingsName);

// The absent marker of the integer loaders.
constexpr int kAbsent = 365;

} // namespace

namespace storesettings {

QSettings &mixer() {
    return mixerSettings;
}

QSettings &clockSource() {
    return clockSourceSettings;
}

QVariant read(QSettings &settings, const QString &group, const QString &key,
              const QVariant &fallback) {
    settings.setIniCodec("UTF-8");
    settings.beginGroup(group);
    const QVariant value = settings.value(key, fallback);
    settings.endGroup();
    return value;
}

void write(QSettings &settings, const QString &group, const QString &key, const QVariant &value) {
    settings.setIniCodec("UTF-8");
    settings.beginGroup(group);
    settings.setValue(key, value);
    settings.endGroup();
}

} // namespace storesettings

using namespace storesettings;

DataManager::DataManager() = default;

DataManager::~DataManager() = default;

// --- typed loaders ---------------------------------------------------------------------------

unsigned short DataManager::loadSetting(QString group, QString key) {
    return static_cast<unsigned short>(read(mixer(), group, key, kAbsent).toInt());
}

unsigned short DataManager::loadSetting_Upper(QString group, QString key) {
    return static_cast<unsigned short>(read(mixer(), group, key, 453).toInt());
}

bool DataManager::loadSettingBool(QString group, QString key) {
    return read(mixer(), group, key, false).toBool();
}

bool DataManager::loadSettingBool_True(QString group, QString key) {
    return read(mixer(), group, key, true).toBool();
}

QString DataManager::loadSettingString(QString group, QString key) {
    return read(mixer(), group, key, QString()).toString();
}

double DataManager::loadSettingDouble(QString group, QString key) {
    return read(mixer(), group, key, 1000).toDouble();
}

unsigned short DataManager::loadClockSourceSetting(QString group, QString key) {
    return static_cast<unsigned short>(read(clockSource(), group, key, 0).toInt());
}

void DataManager::saveSetting(QString group, QString key, QVariant value) {
    write(mixer(), group, key, value);
}

void DataManager::saveClockSourceSetting(QString group, QString key, QVariant value) {
    write(clockSource(), group, key, value);
}

// --- device frame ----------------------------------------------------------------------------

void DataManager::initializeParameterForKXDevice() {
    kxDevice_.initializeParameter();
}

QString DataManager::getSoftwareVersion() {
    return softwareVersion;
}

bool DataManager::deselect() {
    return kxDevice_.deselect();
}

bool DataManager::queryExistDevice() {
    return kxDevice_.is_selected();
}

void DataManager::getSampleRate() {
    kxDevice_.request_hz();
}

void DataManager::getFirmVersion() {
    kxDevice_.request_version();
}

void DataManager::getDigitalInputStatus() {
    kxDevice_.request_clocklock();
}

void DataManager::getOperatingMode() {
    kxDevice_.request_dspmode();
}

QString DataManager::getDeviceName() {
    std::string name;
    kxDevice_.get_product_name(name);
    if (name.empty())
        return QStringLiteral("No Device");
    return QString::fromUtf8(name.c_str(), int(name.size()));
}

// --- the current-state file as a whole -------------------------------------------------------

QString DataManager::currentStateFileName() {
    return mixer().fileName();
}

void DataManager::flushCurrentState() {
    mixer().sync();
}

namespace {

// The whole content of a file; false when it cannot be read (absent, a folder, no access).
bool readWhole(const QString &file, QByteArray &bytes) {
    if (!QFileInfo(file).isFile())
        return false;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    bytes = in.readAll();
    return in.error() == QFileDevice::NoError;
}

// Writes bytes to a temporary file beside target and puts it in target's place only when it
// is complete, so a failure at any point leaves target as it was.
bool writeWholeAtomically(const QString &target, const QByteArray &bytes) {
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        out.commit();
        return false;
    }
    return out.commit();
}

// The settings object reads a file again on sync only when its size or time stamp changed.
// A replacement of equal size written in the same millisecond would be missed: move its time.
void makeChangeVisible(const QString &file, qint64 oldSize, const QDateTime &oldTime) {
    const QFileInfo now(file);
    if (!now.exists() || now.size() != oldSize || now.lastModified() != oldTime)
        return;
    QFile f(file);
    if (f.open(QIODevice::ReadWrite))
        f.setFileTime(oldTime.addSecs(1), QFileDevice::FileModificationTime);
}

} // namespace

bool DataManager::copyCurrentStateTo(const QString &target) {
    QSettings &settings = mixer();
    settings.sync();
    // A state never written has no file; its copy is an empty file, which reads as defaults.
    QByteArray bytes;
    if (QFileInfo::exists(settings.fileName()) && !readWhole(settings.fileName(), bytes))
        return false;
    return writeWholeAtomically(target, bytes);
}

bool DataManager::replaceCurrentStateWith(const QString &source) {
    QSettings &settings = mixer();
    // Pending writes go to the old file first; otherwise the next sync would merge them into
    // the replacement.
    settings.sync();
    QByteArray bytes;
    if (!readWhole(source, bytes))
        return false;
    const QString file = settings.fileName();
    const QFileInfo before(file);
    const qint64 oldSize = before.exists() ? before.size() : -1;
    const QDateTime oldTime = before.lastModified();
    if (!writeWholeAtomically(file, bytes))
        return false;
    makeChangeVisible(file, oldSize, oldTime);
    settings.sync();
    return true;
}

bool DataManager::removeCurrentState() {
    QSettings &settings = mixer();
    settings.sync();
    const QString file = settings.fileName();
    const bool removed = !QFile::exists(file) || QFile::remove(file);
    settings.sync();
    return removed;
}
