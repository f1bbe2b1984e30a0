// The App Nap guard off macOS: there is no throttling of background applications to prevent,
// so there is no activity to begin or end.
#include "AppNap.h"

void disableAppNap() {}

void enableAppNap() {}
