// For suites that drive the global store against one emulated unit plugged for the whole
// suite: the store made ready, empty settings files and a forgetful proxy before each case,
// a wait until the link is idle, and fresh settings objects for reading back.
#pragma once

#include "DataManager.h"
#include "LinkWait.h"
#include "UnitFixture.h"

#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// A value as a fresh settings object on one of the store's files reads it.
inline QVariant storedIn(const QString &application, const QString &group, const QString &key) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, organizationName, application);
    s.setIniCodec("UTF-8");
    return s.value(group + QLatin1Char('/') + key);
}

// Writes a value as another part of the program or an earlier run would have.
inline void storeIn(const QString &application, const QString &group, const QString &key,
                    const QVariant &value) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, organizationName, application);
    s.setIniCodec("UTF-8");
    s.setValue(group + QLatin1Char('/') + key, value);
}

class StoreUnitFixture {
public:
    // Plugs the unit and waits for its first answer, after which each change goes out at once.
    void start() {
        unit_ = units_.plug();
        QSignalSpy hz(&dm.device(), &QKXDevice::sig_recv_hz);
        QVERIFY(UnitFixture::waitFor([&] {
            dm.getSampleRate();
            return !hz.isEmpty();
        }));
        settle();
    }

    // Before each case: nothing in flight, the proxy's memory of sent values and the
    // settings files empty, the log clear.
    void reset() {
        settle();
        dm.initializeParameterForKXDevice();
        for (const QString &app :
             {settingsName, clockSourceSettingsName, sceneMemorySettingsName}) {
            QSettings s(QSettings::IniFormat, QSettings::UserScope, organizationName, app);
            s.clear();
            s.sync();
        }
        unit_->clearLog();
    }

    // Waits until the unit has received everything that is on its way and the link is idle;
    // fails the running test when it does not come to rest.
    bool settle() { return waitLinkIdle(dm.device()); }

    EmulatedUnit &unit() { return *unit_; }

protected:
    UnitFixture units_;
    std::shared_ptr<EmulatedUnit> unit_;
};
