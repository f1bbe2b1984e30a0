// The channel strips: faders, select, phase, solo, mute, pan, sends and stereo link, each
// family one routine over the strip tables.
#include "MainWindow.h"
#include "ui_mainwindow.h"
