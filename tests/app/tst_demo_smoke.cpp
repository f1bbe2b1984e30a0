// The demo as a person starts it, headless: the demo's own main, start-up and emulated unit,
// plus a probe that watches the window until its interface page shows the unit's name and
// firmware version, then ends the event loop. Started with --pelvo it expects the smaller
// model. It prints one PASS or FAIL line; a bounded wait keeps it from hanging.
#include "DataManager.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QSettings>
#include <QStackedWidget>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kPollMs = 20;
constexpr int kTimeoutMs = 240000;
const char *const kFirmware = "1.02 0059"; // version 102, build 59 of the emulated unit

QMainWindow *mainWindow() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->inherits("MainWindow"))
            return static_cast<QMainWindow *>(w);
    return nullptr;
}

QString labelText(QWidget *window, const char *name) {
    const auto *label = window ? window->findChild<QLabel *>(QLatin1String(name)) : nullptr;
    return label ? label->text() : QStringLiteral("(no label)");
}

// What the interface page shows: page, device name, firmware.
QString seen() {
    QMainWindow *window = mainWindow();
    if (!window)
        return QStringLiteral("no main window");
    const auto *pages = window->findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    return QStringLiteral("visible %1, page %2, device \"%3\", firmware \"%4\"")
        .arg(window->isVisible())
        .arg(pages ? pages->currentWidget()->objectName() : QStringLiteral("(none)"))
        .arg(labelText(window, "label_IntDevice"), labelText(window, "label_IntFirmVersion"));
}

void watch() {
    // The update check runs at start; keep it on this machine, where nothing answers it.
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, organizationName, settingsName);
    settings.setIniCodec("UTF-8");
    settings.setValue(QStringLiteral("Update/JsonUrl"),
                      QStringLiteral("http://127.0.0.1:9/OLVANE_UpdateInformation.json"));
    settings.sync();

    const bool pelvo = QCoreApplication::arguments().contains(QStringLiteral("--pelvo"));
    const QString expected =
        QStringLiteral("visible 1, page Interface, device \"%1\", firmware \"%2\"")
            .arg(pelvo ? QStringLiteral("OLVANE Pelvo") : QStringLiteral("OLVANE Tarvik"),
                 QLatin1String(kFirmware));
    auto *poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [expected] {
        if (seen() != expected)
            return;
        std::printf("PASS: the demo shows %s\n", qPrintable(expected));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    poll->start(kPollMs);
    QTimer::singleShot(kTimeoutMs, QCoreApplication::instance(), [expected] {
        std::printf("FAIL: expected %s; the window shows %s\n", qPrintable(expected),
                    qPrintable(seen()));
        std::fflush(stdout);
        QCoreApplication::exit(1);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watch)
