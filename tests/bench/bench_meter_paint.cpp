// Benchmark of what a meter tick costs the GUI thread on the mixer page: the main window (no
// unit attached) with the mixer page shown, its 42 meter records driven by a level driver of
// their own with moving levels, and each tick painted before the next. Prints the CPU time of
// one tick (the driver's geometry changes and the repaint they cause) and the paint events it
// delivers. Being CPU time of the GUI thread alone, the figure hardly depends on the load of
// the machine. It measures and judges nothing.
//
//   bench_meter_paint [--ticks N]
#include "MainWindow.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QStackedWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

double threadCpuUs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}

class PaintCount : public QObject {
public:
    long paints = 0;
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Levels like a live signal's: a slow wave per input with a little noise, now and then a peak.
unsigned short levelAt(int input, int tick, unsigned &noise) {
    noise ^= noise << 13;
    noise ^= noise >> 17;
    noise ^= noise << 5;
    const double dB = -20.0 + 14.0 * std::sin(tick / (5.0 + input % 7) + input * 1.7) +
                      (noise % 1000) / 250.0 - 2.0;
    return (unsigned short)std::min(32767.0, 32768.0 * std::pow(10.0, std::min(dB, 0.0) / 20.0));
}

// Runs until nothing is pending: the repaint of the tick happens here.
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char **argv) {
    int ticks = 600;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--ticks") && i + 1 < argc)
            ticks = std::max(10, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr, "usage: %s [--ticks N]\n", argv[0]);
            return 2;
        }
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    // The window builds its meter table on its first 100 ms tick.
    QElapsedTimer wait;
    wait.start();
    while (!window.levelMeterTable[0].meterBar && wait.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!window.levelMeterTable[0].meterBar) {
        std::fprintf(stderr, "bench_meter_paint: no meter table\n");
        return 1;
    }
    window.form()->stackedWidget->setCurrentIndex(kPanelMixer);
    for (int i = 0; i < 20; ++i)
        settle();

    PaintCount count;
    app.installEventFilter(&count);
    DrawLevelMeter driver;
    std::array<levelMeter, MainWindow::kMeterRecordCount> records = window.levelMeterTable;
    unsigned noise = 0x2545F491u;
    std::vector<double> tickUs;
    long paints = 0;
    for (int tick = 0; tick < ticks + 20; ++tick) {
        for (int k = 0; k < 10; ++k) {
            records[4 * k].level = records[4 * k + 2].level = levelAt(2 * k, tick, noise);
            records[4 * k + 1].level = records[4 * k + 3].level = levelAt(2 * k + 1, tick, noise);
        }
        records[40].level = levelAt(20, tick, noise);
        records[41].level = levelAt(21, tick, noise);
        const long before = count.paints;
        const double start = threadCpuUs();
        driver.notifyLevelMeterValue(records.data());
        settle();
        if (tick >= 20) { // the first ticks fill the driver's history
            tickUs.push_back(threadCpuUs() - start);
            paints += count.paints - before;
        }
    }
    std::sort(tickUs.begin(), tickUs.end());
    double sum = 0;
    for (double us : tickUs)
        sum += us;
    std::printf("Meter tick on the mixer page: %d ticks, platform %s\n", ticks,
                qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("%-38s median %7.1f us  mean %7.1f us  p90 %7.1f us\n", "GUI thread CPU per tick",
                tickUs[tickUs.size() / 2], sum / tickUs.size(), tickUs[tickUs.size() * 9 / 10]);
    std::printf("%-38s %.1f\n", "paint events per tick", double(paints) / ticks);
    std::printf("%-38s %.2f %% of one core\n", "at ten ticks a second", sum / tickUs.size() / 1e3);
    return 0;
}
