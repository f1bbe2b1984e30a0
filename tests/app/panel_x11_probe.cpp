// Linked with the panel's own main: once the main window has been painted, prints
// which OpenGL integration the X11 platform mapped into the process, whether the window's
// picture lies in memory shared with the server, and what the environment says about both
// now, then ends the panel.
#include "DataManager.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

// Runs its job once, on the turn of the event loop after the first paint event.
class PaintWatch : public QObject {
public:
    PaintWatch(QObject *parent, std::function<void()> job) : QObject(parent), job(std::move(job)) {}
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint && job) {
            QTimer::singleShot(0, this, job);
            job = nullptr;
        }
        return false;
    }

private:
    std::function<void()> job;
};

void report() {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, organizationName, settingsName);
    settings.setValue(QStringLiteral("Update/JsonUrl"),
                      QStringLiteral("http://127.0.0.1:9/OLVANE_UpdateInformation.json"));
    settings.sync();
    // After the window's first paint, when its picture has been sent to the server.
    auto *firstPaint = new PaintWatch(QCoreApplication::instance(), [] {
        const auto read = [](const char *path) {
            QFile file{QString::fromLatin1(path)};
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const auto variable = [](const char *name) -> QByteArray {
            return qEnvironmentVariableIsSet(name) ? "\"" + qgetenv(name) + "\"" : "unset";
        };
        const QByteArray mapped = read("/proc/self/maps");
        // A window picture in memory shared with the server is a writable shared mapping.
        bool shared = false;
        for (const QByteArray &line : mapped.split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() < 2 || fields[1] != "rw-s")
                continue;
            const QList<QByteArray> range = fields[0].split('-');
            if (range.size() == 2 &&
                range[1].toULongLong(nullptr, 16) - range[0].toULongLong(nullptr, 16) >= 1 << 20)
                shared = true;
        }
        std::printf("PROBE glx=%d egl=%d gl=%s shm=%d noshm=%s\n",
                    int(mapped.contains("libqxcb-glx-integration")),
                    int(mapped.contains("libqxcb-egl-integration")),
                    variable("QT_XCB_GL_INTEGRATION").constData(), int(shared),
                    variable("QT_XCB_NO_MITSHM").constData());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    QCoreApplication::instance()->installEventFilter(firstPaint);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(report)
