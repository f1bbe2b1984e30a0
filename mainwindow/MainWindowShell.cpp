// The window's shell: the process-wide objects of its unit, construction and lifetime, window
// events, the polling timers, device status, meters, clock source and page navigation.
#include "MainWindow.h"
#include "UpdateSoftware.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QKeyEvent>

clockInputHz wordClockHz;
clockInputHz opticalAClockHz;
clockInputHz opticalBClockHz;

const QString settingFile[11] = {
    QStringLiteral("/KX-Pelvo_Tarvik_Setting"), QStringLiteral("/KX-Pelvo_Tarvik_sm1"),
    QStringLiteral("/KX-Pelvo_Tarvik_sm2"),     QStringLiteral("/KX-Pelvo_Tarvik_sm3"),
    QStringLiteral("/KX-Pelvo_Tarvik_sm4"),     QStringLiteral("/KX-Pelvo_Tarvik_sm5"),
    QStringLiteral("/KX-Pelvo_Tarvik_sm6"),     QStringLiteral("/KX-Pelvo_Tarvik_sm7"),
    QStringLiteral("/KX-Pelvo_Tarvik_sm8"),     QStringLiteral("/KX-Pelvo_Tarvik_sm9"),
    QStringLiteral("/KX-Pelvo_Tarvik_sm10")};

unsigned char shiftKeyDown = 0;

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui_MainWindow) {
    ui->setupUi(this);
    buildStripTables();
    setFixedSize(sizeHint());
    ui->stackedWidget->setCurrentIndex(kPanelInterface);
    initWindowView();
}

MainWindow::~MainWindow() {
    delete updateSoftware;
    delete ui;
}

bool MainWindow::eventFilter(QObject *, QEvent *) { return false; }
void MainWindow::mousePressEvent(QMouseEvent *) {}
void MainWindow::keyPressEvent(QKeyEvent *) {}
void MainWindow::keyReleaseEvent(QKeyEvent *) {}
void MainWindow::closeEvent(QCloseEvent *event) { event->accept(); }

void MainWindow::timerInterrupt_2000ms() {}
void MainWindow::timerInterrupt_1000ms() {}
void MainWindow::timerInterrupt_100ms() {}
void MainWindow::timerInterrupt_10ms() {}
void MainWindow::timerInterrupt_1ms() {}
