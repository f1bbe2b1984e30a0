// Registration of the generated resource tree.
#include "OlvaneResources.h"

#include <QtGlobal>

#include <mutex>

// Referenced by the linker option of the `resources` target, so that a static link keeps
// this object and with it the resource tree and its registration before main().
extern "C" {
extern const int olvane_resources_anchor;
const int olvane_resources_anchor = 1;
}

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerTree() {
    Q_INIT_RESOURCE(olvane);
}

void olvaneInitResources() {
    static std::once_flag once;
    std::call_once(once, registerTree);
}

namespace {
struct RegisterAtStart {
    RegisterAtStart() { olvaneInitResources(); }
};
const RegisterAtStart registerAtStart;
} // namespace
