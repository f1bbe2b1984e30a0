// Start-up of the panel: the App Nap guard, the application object, one main window, the
// event loop, and the order in which they go again.
#include "Panel.h"

#include "AppNap.h"
#include "MainWindow.h"

#include <QApplication>
#ifdef Q_OS_MACOS
#include <QOperatingSystemVersion>
#endif

int runPanel(int &argc, char **argv) {
    // Every resource picture's load asks for the file's time, and without TZ glibc checks
    // /etc/localtime again each time. The panel shows no times, so a zone change while it
    // runs needs no following.
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");

    // USB polling must not be throttled while the window is in the background. Only macOS
    // 10.9 and later nap applications; elsewhere the guard does nothing.
#ifdef Q_OS_MACOS
    if (QOperatingSystemVersion::current() >= QOperatingSystemVersion::OSXMavericks)
        disableAppNap();
#else
    disableAppNap();
#endif

    QApplication application(argc, argv);
    int result;
    {
        MainWindow window;
        window.show();
        result = application.exec();
    } // the window goes first: its destructor stores the geometry while the application lives
    return result;
}
