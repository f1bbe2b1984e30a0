// Benchmark of the panel as a person starts it: the demo's own start-up with its emulated unit
// and live meters. Prints the time from process start to the first painted main window, to the
// unit's name on it and to the loaded view; the time of one whole-view reload; the CPU used
// while idle on the mixer page with meters running; and the peak resident memory with its
// private part. It measures and judges nothing.
//
//   bench_startup [--idle SECONDS] [--runs N] [--reloads N] [--pelvo]
//
// Every start is a new process of this program, timed by the parent from just before it
// spawns the process. Settings live in a temporary folder, and the update check goes to a
// loopback address where nothing answers. The emulated unit runs inside the measured process,
// so its own work counts in the CPU figure (a real unit's would not).
#include "DataManager.h"
#include "MainWindow.h"
#include "Panel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

#ifndef OLVANE_BUILD_TYPE
#define OLVANE_BUILD_TYPE "unknown"
#endif

struct Options {
    double idleSeconds = 30;
    int runs = 5;
    int reloads = 20;
    bool pelvo = false;
    std::string child; // "startup" or "full" in a measured process
};

Options options;

qint64 steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// One figure for the parent, on the measured process's standard output.
void report(const char *key, double value) {
    std::printf("BENCH %s=%.6f\n", key, value);
    std::fflush(stdout);
}

// --- the measured process --------------------------------------------------------------------

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage); // every thread of the process
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Fields of /proc/self/status in kB.
std::map<std::string, double> memoryStatus() {
    std::map<std::string, double> out;
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const int colon = line.indexOf(':');
        if (colon > 0)
            out[line.left(colon).toStdString()] =
                line.mid(colon + 1).trimmed().split(' ').value(0).toDouble();
    }
    return out;
}

class Probe : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (!watched->isWidgetType())
            return false;
        if (event->type() == QEvent::Show && !shown && watched->inherits("MainWindow")) {
            shown = true;
            report("show_ns", double(steadyNs()));
        }
        if (event->type() != QEvent::Paint)
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        if (!widget->window()->inherits("MainWindow"))
            return false;
        ++paints;
        if (widget->objectName().startsWith(QLatin1String("label_LevelMeter")))
            ++meterPaints;
        if (!firstPaint) {
            firstPaint = true;
            // Every widget of this frame is painted before a queued call runs.
            QTimer::singleShot(0, this, [this] {
                report("paint_ns", double(steadyNs()));
                painted = true;
            });
        }
        return false;
    }

    bool shown = false, firstPaint = false, painted = false;
    long paints = 0, meterPaints = 0;
    double peakPrivateKb = 0;

    void samplePrivate() {
        const auto status = memoryStatus();
        const double now = status.count("RssAnon") && status.count("RssShmem")
                               ? status.at("RssAnon") + status.at("RssShmem")
                               : 0;
        peakPrivateKb = std::max(peakPrivateKb, now);
    }
};

MainWindow *mainWindow() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<MainWindow *>(w))
            return window;
    return nullptr;
}

QString labelText(const char *name) {
    MainWindow *window = mainWindow();
    const auto *label = window ? window->findChild<QLabel *>(QLatin1String(name)) : nullptr;
    return label ? label->text() : QString();
}

// Runs the event loop for a while without leaving the caller.
void spin(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void measureTheRest(Probe *probe) {
    MainWindow *window = mainWindow();
    if (!window) {
        QCoreApplication::exit(2);
        return;
    }
    spin(1000); // the first meter rounds and status polls after the connection
    probe->samplePrivate();

    std::vector<double> reloads;
    for (int i = 0; i < options.reloads; ++i) {
        QElapsedTimer clock;
        clock.start();
        window->initWindowView();
        reloads.push_back(clock.nsecsElapsed() / 1e6);
        spin(100); // let the link carry what the reload sent
    }
    std::sort(reloads.begin(), reloads.end());
    report("reload_min_ms", reloads.front());
    report("reload_median_ms", reloads[reloads.size() / 2]);
    report("reload_max_ms", reloads.back());
    probe->samplePrivate();

    // Idle as a person leaves it: the mixer page with its meters in view.
    if (auto *toMixer = window->findChild<QPushButton *>(QStringLiteral("pB_ToMixerFromInterface")))
        toMixer->click();
    spin(2000);
    const long paints = probe->paints, meterPaints = probe->meterPaints;
    const double cpu = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(int(options.idleSeconds * 1000), probe, [=] {
        const double seconds = wall.nsecsElapsed() / 1e9;
        report("idle_s", seconds);
        report("idle_cpu_percent", 100.0 * (cpuSeconds() - cpu) / seconds);
        report("idle_paints_per_s", (probe->paints - paints) / seconds);
        report("idle_meter_paints_per_s", (probe->meterPaints - meterPaints) / seconds);
        probe->samplePrivate();
        const auto status = memoryStatus();
        report("peak_rss_kb", status.count("VmHWM") ? status.at("VmHWM") : 0);
        report("peak_private_kb", probe->peakPrivateKb);
        QCoreApplication::exit(0);
    });
}

// Runs as the application object is built, before the window exists.
void startProbe() {
    if (options.child.empty())
        return;
    report("app_ns", double(steadyNs()));
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, organizationName, settingsName);
    settings.setIniCodec("UTF-8");
    settings.setValue(QStringLiteral("Update/JsonUrl"),
                      QStringLiteral("http://127.0.0.1:9/OLVANE_UpdateInformation.json"));
    settings.sync();

    auto *probe = new Probe;
    probe->setParent(QCoreApplication::instance());
    qApp->installEventFilter(probe);
    const QString name =
        options.pelvo ? QStringLiteral("OLVANE Pelvo") : QStringLiteral("OLVANE Tarvik");
    auto *poll = new QTimer(probe);
    auto named = std::make_shared<bool>(false);
    QObject::connect(poll, &QTimer::timeout, probe, [=] {
        if (!*named && labelText("label_IntDevice") == name) {
            *named = true;
            report("unit_ns", double(steadyNs()));
        }
        // The rate is shown only once the view has been loaded for the connected unit.
        if (*named && probe->painted && !labelText("label_IntSampleRate").isEmpty()) {
            report("connected_ns", double(steadyNs()));
            poll->stop();
            if (options.child == "startup")
                QCoreApplication::exit(0);
            else
                QTimer::singleShot(0, probe, [probe] { measureTheRest(probe); });
        }
    });
    poll->start(1);
    QTimer::singleShot(60000, probe, [] {
        std::fprintf(stderr, "bench_startup: the unit was not connected within 60 s\n");
        QCoreApplication::exit(2);
    });
}

// --- the parent --------------------------------------------------------------------------------

// Starts this program as a measured process and collects its figures; the start time is
// taken just before the spawn.
std::map<std::string, double> measure(const char *self, const char *mode, double *startNs) {
    static const char program[] = "/proc/self/exe"; // this program, however it was started
    std::vector<std::string> args = {self, "--child", mode};
    args.push_back("--idle");
    args.push_back(std::to_string(options.idleSeconds));
    args.push_back("--reloads");
    args.push_back(std::to_string(options.reloads));
    if (options.pelvo)
        args.push_back("--pelvo");
    std::vector<char *> argv;
    for (auto &a : args)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid;
    *startNs = double(steadyNs());
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::map<std::string, double> figures;
    if (spawned != 0) {
        close(out[0]);
        return figures;
    }
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, size_t(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    size_t pos = 0;
    while ((pos = text.find("BENCH ", pos)) != std::string::npos) {
        const size_t eq = text.find('=', pos), end = text.find('\n', pos);
        figures[text.substr(pos + 6, eq - pos - 6)] = std::atof(text.substr(eq + 1, end).c_str());
        pos = end;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        figures["failed"] = 1;
    return figures;
}

struct Spread {
    double min, median, max;
};

Spread spread(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v.front(), v[v.size() / 2], v.back()};
}

void line(const char *what, const Spread &s, const char *goal) {
    std::printf("%-38s min %7.1f ms  median %7.1f ms  max %7.1f ms  %s\n", what, s.min, s.median,
                s.max, goal);
}

int runParent(const char *self) {
    QTemporaryDir config;
    if (!config.isValid()) {
        std::fprintf(stderr, "bench_startup: no temporary folder\n");
        return 1;
    }
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    if (!getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    std::printf("Panel start-up benchmark: %s, %s build, platform %s, %d starts, %.0f s idle\n",
                options.pelvo ? "Pelvo" : "Tarvik", OLVANE_BUILD_TYPE, getenv("QT_QPA_PLATFORM"),
                options.runs, options.idleSeconds);
    std::vector<double> app, shown, paint, named, connected;
    for (int i = 0; i < options.runs; ++i) {
        double start = 0;
        auto f = measure(self, "startup", &start);
        if (f.count("failed") || !f.count("paint_ns") || !f.count("connected_ns")) {
            std::fprintf(stderr, "bench_startup: start %d failed\n", i + 1);
            return 1;
        }
        app.push_back((f["app_ns"] - start) / 1e6);
        shown.push_back((f["show_ns"] - start) / 1e6);
        paint.push_back((f["paint_ns"] - start) / 1e6);
        named.push_back((f["unit_ns"] - start) / 1e6);
        connected.push_back((f["connected_ns"] - start) / 1e6);
    }
    line("start to the application object", spread(app), "");
    line("start to the window shown", spread(shown), "");
    line("start to first painted window", spread(paint), "(goal <= 300 ms)");
    line("start to the unit's name shown", spread(named), "");
    line("start to the view loaded for the unit", spread(connected), "");

    double start = 0;
    auto f = measure(self, "full", &start);
    if (f.count("failed") || !f.count("idle_cpu_percent")) {
        std::fprintf(stderr, "bench_startup: the measuring run failed\n");
        return 1;
    }
    line("whole-view reload (initWindowView)",
         {f["reload_min_ms"], f["reload_median_ms"], f["reload_max_ms"]}, "(goal <= 50 ms)");
    std::printf("%-38s %.2f %% of one core over %.1f s  (goal <= 1 %%)\n",
                "idle CPU, mixer page, meters running", f["idle_cpu_percent"], f["idle_s"]);
    std::printf("%-38s %.1f paint events/s, %.1f of them meter bars\n", "repaints while idle",
                f["idle_paints_per_s"], f["idle_meter_paints_per_s"]);
    std::printf("%-38s %.1f MiB  (goal <= 110 MB)\n", "peak resident memory",
                f["peak_rss_kb"] / 1024);
    std::printf("%-38s %.1f MiB  (goal <= 40 MB)\n", "peak private memory (anon + shmem)",
                f["peak_private_kb"] / 1024);
    return 0;
}

bool parse(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--idle" && hasValue)
            options.idleSeconds = std::atof(argv[++i]);
        else if (a == "--runs" && hasValue)
            options.runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--reloads" && hasValue)
            options.reloads = std::max(1, std::atoi(argv[++i]));
        else if (a == "--child" && hasValue)
            options.child = argv[++i];
        else if (a == "--pelvo")
            options.pelvo = true;
        else
            return false;
    }
    return options.idleSeconds > 0;
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startProbe)

int main(int argc, char **argv) {
    if (!parse(argc, argv)) {
        std::fprintf(stderr, "usage: %s [--idle SECONDS] [--runs N] [--reloads N] [--pelvo]\n",
                     argv[0]);
        return 2;
    }
    if (options.child.empty())
        return runParent(argv[0]);
    return runPanel(argc, argv);
}
