// The demo's unit: one emulated Tarvik (a Pelvo when the demo is started with --pelvo) on the
// virtual USB bus, plugged in before the mixer store's device object is built, so the demo
// starts as the panel does with a unit already connected: the USB worker finds it at once and
// the main window's constructor sends it the stored state. Its meters move with a live signal
// that follows its own faders and mutes, so a person trying the panel sees them work.
#include "EmulatedUnit.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

// The command line as the kernel holds it: before main nothing else hands it out.
bool startedWithPelvo() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t start = all.find('\0'); // skip the program name
    while (start != std::string::npos && start + 1 < all.size()) {
        const size_t end = all.find('\0', start + 1);
        if (all.compare(start + 1, end - start - 1, "--pelvo") == 0)
            return true;
        start = end;
    }
    return false;
}

struct DemoUnit {
    DemoUnit() {
        auto unit = std::make_shared<EmulatedUnit>(
            startedWithPelvo() ? EmulatedUnit::Model::Pelvo : EmulatedUnit::Model::Tarvik);
        unit->setLiveMeters(true);
        unit->setKeepLog(false); // nobody reads it, and it would grow for as long as the demo runs
        unit->plugIn();          // the bus keeps it for the rest of the process
    }
};

// Built ahead of every object of ordinary priority, the store's device object among them.
const DemoUnit demoUnit __attribute__((init_priority(1000)));

} // namespace
