// Helper of the frame suite: a process that changes the store without ever running an event
// loop or creating an application object, and returns from main at once. What it changed
// must be in the files after it ended, written back when the store's objects went away.
#include "DataManager.h"

#include <cstdio>

int main(int argc, char **argv) {
    if (argc < 2)
        return 2;
    dm.notifyChannelName(QStringLiteral("Track17"), QString::fromUtf8(argv[1]));
    dm.notifySampleClockSourceId(3, 9);
    std::printf("%s\n", qPrintable(dm.getSoftwareVersion()));
    return 0;
}
