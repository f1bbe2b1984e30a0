// Linked with the panel's own main: once the event loop runs (the main window shown), prints
// which OpenGL integration the X11 platform mapped into the process and what the environment
// says about it now, then ends the panel.
#include "DataManager.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTimer>

#include <cstdio>

namespace {

void report() {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, organizationName, settingsName);
    settings.setValue(QStringLiteral("Update/JsonUrl"),
                      QStringLiteral("http://127.0.0.1:9/OLVANE_UpdateInformation.json"));
    settings.sync();
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        QFile maps(QStringLiteral("/proc/self/maps"));
        const QByteArray mapped = maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
        const QByteArray variable = qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION")
                                        ? "\"" + qgetenv("QT_XCB_GL_INTEGRATION") + "\""
                                        : QByteArray("unset");
        std::printf("PROBE glx=%d egl=%d variable=%s\n",
                    int(mapped.contains("libqxcb-glx-integration")),
                    int(mapped.contains("libqxcb-egl-integration")), variable.constData());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(report)
