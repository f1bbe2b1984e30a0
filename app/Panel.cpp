// Start-up of the panel: the App Nap guard, the application object, one main window, the
// event loop, and the order in which they go again.
#include "Panel.h"

#include "AppNap.h"
#include "MainWindow.h"

#include <QApplication>
#ifdef Q_OS_MACOS
#include <QOperatingSystemVersion>
#endif

#include <vector>

namespace {

// Choices the panel makes for the X11 platform where the user has made none; a variable the
// user set is left as it is.
struct PlatformChoice {
    const char *variable;
    const char *value;
};
constexpr PlatformChoice kPlatformChoices[] = {
    // No widget of the panel draws with OpenGL, yet the platform loads its OpenGL integration,
    // and with it the system's GL driver (tens of MiB, tens of ms), for the first window.
    {"QT_XCB_GL_INTEGRATION", "none"},
    // Shared memory makes every flush of the window a round trip with the server, answered by
    // an event that wakes the panel; the meters flush ten times a second, a few kilobytes
    // each, which cost less to send than that.
    {"QT_XCB_NO_MITSHM", "1"},
};

// Makes the panel's choices; returns the variables to give back once the platform has read
// them.
std::vector<const char *> choosePlatform() {
    std::vector<const char *> own;
    for (const PlatformChoice &c : kPlatformChoices)
        if (!qEnvironmentVariableIsSet(c.variable)) {
            qputenv(c.variable, c.value);
            own.push_back(c.variable);
        }
    return own;
}

} // namespace

int runPanel(int &argc, char **argv) {
    // Every resource picture's load asks for the file's time, and without TZ glibc checks
    // /etc/localtime again each time. The panel shows no times, so a zone change while it
    // runs needs no following.
    if (!qEnvironmentVariableIsSet("TZ")) {
        qputenv("TZ", ":/etc/localtime");
    }

    // USB polling must not be throttled while the window is in the background. Only macOS
    // 10.9 and later nap applications; elsewhere the guard does nothing.
#ifdef Q_OS_MACOS
    if (QOperatingSystemVersion::current() >= QOperatingSystemVersion::OSXMavericks)
        disableAppNap();
#else
    disableAppNap();
#endif

    const std::vector<const char *> ownChoices = choosePlatform();
    QApplication application(argc, argv);
    int result;
    {
        MainWindow window;
        window.show();
        // The platform read the choices by the time it made this first window and keeps them;
        // the programs the panel starts get the user's environment as it was.
        for (const char *variable : ownChoices)
            qunsetenv(variable);
        result = application.exec();
    } // the window goes first: its destructor stores the geometry while the application lives
    return result;
}
