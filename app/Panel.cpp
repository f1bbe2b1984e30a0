// Start-up of the panel: the App Nap guard, the application object, one main window, the
// event loop, and the order in which they go again.
#include "Panel.h"

#include "AppNap.h"
#include "MainWindow.h"

#include <QApplication>
#ifdef Q_OS_MACOS
#include <QOperatingSystemVersion>
#endif

namespace {

// No widget of the panel draws with OpenGL, yet the X11 platform loads its OpenGL integration,
// and with it the system's GL driver (tens of MiB, tens of ms), when it makes the first
// window. Unless the user has chosen an integration, the panel asks for none.
const char kGlIntegration[] = "QT_XCB_GL_INTEGRATION";

// True when the choice is the panel's own and the environment must be given back.
bool chooseNoGlIntegration() {
    if (qEnvironmentVariableIsSet(kGlIntegration))
        return false;
    qputenv(kGlIntegration, "none");
    return true;
}

} // namespace

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

    const bool ownGlChoice = chooseNoGlIntegration();
    QApplication application(argc, argv);
    int result;
    {
        MainWindow window;
        window.show();
        // The platform read the choice when it made this first window and keeps it; the
        // programs the panel starts get the user's environment as it was.
        if (ownGlChoice)
            qunsetenv(kGlIntegration);
        result = application.exec();
    } // the window goes first: its destructor stores the geometry while the application lives
    return result;
}
