// The yardstick for bench_startup: a bare toolkit window of the panel's size, started and
// measured the same way, so that the panel's figures can be read against what any window of
// the toolkit costs on the machine at hand. It reports its first painted frame, then the CPU used
// over the idle time while it repaints itself ten times a second (the panel's meter rate). The
// toolkit's own defaults apply: no platform choices.
//
//   bench_bare_window --child SECONDS     (started by bench_startup)
#include "MeasuredProcess.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using measured::cpuSeconds;
using measured::report;
using measured::steadyNs;

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint && !seen) {
            seen = true;
            // The frame is on its way once the paint event has been handled.
            QTimer::singleShot(0, this, [] { report("paint_ns", double(steadyNs())); });
        }
        return false;
    }
    bool seen = false;
};

} // namespace

int main(int argc, char **argv) {
    if (argc != 3 || std::strcmp(argv[1], "--child") != 0 || std::atof(argv[2]) <= 0) {
        std::fprintf(stderr, "usage: %s --child SECONDS (started by bench_startup)\n", argv[0]);
        return 2;
    }
    const double idleSeconds = std::atof(argv[2]);
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(1260, 722); // the panel's window: its pages and the menu bar
    FirstPaint probe;
    window.installEventFilter(&probe);
    window.show();

    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, &window, [&window] { window.update(); });
    double cpu = 0;
    QElapsedTimer wall;
    // Settled for a second after the first frame, as the panel is before its idle periods.
    QTimer::singleShot(1000, &window, [&] {
        repaint.start(100);
        cpu = cpuSeconds();
        wall.start();
        QTimer::singleShot(int(idleSeconds * 1000), &window, [&] {
            report("idle_cpu_percent", 100.0 * (cpuSeconds() - cpu) / (wall.nsecsElapsed() / 1e9));
            QCoreApplication::exit(0);
        });
    });
    return app.exec();
}
