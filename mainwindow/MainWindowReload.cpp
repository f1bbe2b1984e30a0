// The whole-view reload and its restorers, typed fader values and the fader scale, line-out
// selection, channel names, scene-menu names, the EQ/compressor selectors and true bypass.
#include "MainWindow.h"
#include "ui_mainwindow.h"

void MainWindow::initWindowView() {}
