// Effects, sends and scenes: strips by sample rate, low cut, reverb, master section, effect
// knobs, send pre/post, scene memories, initialise, save into the unit and the notice window.
#include "MainWindow.h"
#include "ui_mainwindow.h"
