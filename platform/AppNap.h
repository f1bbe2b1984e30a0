// The App Nap guard: keeps the system from throttling the panel's USB polling while its
// window is hidden. Only macOS naps applications; elsewhere both functions do nothing.
#pragma once

// Begins the activity that keeps the process awake; it lasts until the process ends.
void disableAppNap();
// Ends that activity, if one was begun. Nothing in the panel calls it.
void enableAppNap();
