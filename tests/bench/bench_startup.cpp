// Benchmark of the panel as a person starts it: the demo's own start-up with its emulated unit
// and live meters. Prints the time from process start to the first painted main window, to the
// unit's name on it and to the loaded view; the time of one whole-view reload; the CPU used
// while idle on the start page (the interface page, where nothing on screen changes) and on
// the mixer page with meters running, split by thread, with the paint events of each; the
// resident memory and its private part (anonymous + shared) once settled on the start page,
// and their peaks; and whether the toolkit's OpenGL integration was loaded. The same figures
// of a bare toolkit window (bench_bare_window), started in turn with the panel, tell what the
// machine at hand costs any window. It measures and judges nothing.
//
//   bench_startup [--idle SECONDS] [--runs N] [--reloads N] [--pelvo]
//
// Every start is a new process of this program, timed by the parent from just before it
// spawns the process. Settings live in a temporary folder, and the update check goes to a
// loopback address where nothing answers. The emulated unit runs inside the measured process,
// on the USB worker thread, so its own work counts in the CPU figure and in that thread's
// share (a real unit's would not). Run it on the platform to be measured: offscreen unless
// QT_QPA_PLATFORM says otherwise, e.g. QT_QPA_PLATFORM=xcb under an X server.
#include "DataManager.h"
#include "MainWindow.h"
#include "MeasuredProcess.h"
#include "Panel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

#ifndef OLVANE_BUILD_TYPE
#define OLVANE_BUILD_TYPE "unknown"
#endif
#ifndef OLVANE_BARE_WINDOW
#define OLVANE_BARE_WINDOW "bench_bare_window"
#endif

struct Options {
    double idleSeconds = 30;
    int runs = 5;
    int reloads = 20;
    bool pelvo = false;
    std::string child; // "startup" or "full" in a measured process
};

Options options;

using measured::cpuSeconds;
using measured::report;
using measured::steadyNs;

// --- the measured process --------------------------------------------------------------------

// CPU seconds of each thread of the process, summed by thread name (the GUI thread carries the
// program's name, the USB worker and the update worker are "QThread").
std::map<std::string, double> threadSeconds() {
    std::map<std::string, double> out;
    const double tick = double(sysconf(_SC_CLK_TCK));
    const QString self = QString::number(getpid());
    for (const QString &tid : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs)) {
        if (tid.startsWith(QLatin1Char('.')))
            continue;
        QFile stat(QStringLiteral("/proc/self/task/%1/stat").arg(tid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const int open = line.indexOf('('), close = line.lastIndexOf(')');
        if (open < 0 || close < open)
            continue;
        const QList<QByteArray> fields = line.mid(close + 2).split(' ');
        if (fields.size() < 13)
            continue;
        std::string name =
            tid == self ? std::string("GUI") : line.mid(open + 1, close - open - 1).toStdString();
        std::replace(name.begin(), name.end(), ' ', '_');
        out[name] += (fields[11].toDouble() + fields[12].toDouble()) / tick;
    }
    return out;
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

// The panel left alone for the idle time, its own event loop waiting as it would in exec:
// CPU of the process and of each thread, and paint events, reported under the prefix.
void measureIdle(Probe *probe, const std::string &prefix) {
    const long paints = probe->paints, meterPaints = probe->meterPaints;
    const double cpu = cpuSeconds();
    const auto threads = threadSeconds();
    QElapsedTimer wall;
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(int(options.idleSeconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    const double seconds = wall.nsecsElapsed() / 1e9;
    report((prefix + "_s").c_str(), seconds);
    report((prefix + "_cpu_percent").c_str(), 100.0 * (cpuSeconds() - cpu) / seconds);
    report((prefix + "_paints_per_s").c_str(), (probe->paints - paints) / seconds);
    report((prefix + "_meter_paints_per_s").c_str(), (probe->meterPaints - meterPaints) / seconds);
    for (const auto &t : threadSeconds()) {
        const auto before = threads.find(t.first);
        const double used = t.second - (before == threads.end() ? 0 : before->second);
        if (used > 0)
            report((prefix + "_thread_" + t.first).c_str(), 100.0 * used / seconds);
    }
}

bool glIntegrationLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("xcbglintegrations");
}

void measureTheRest(Probe *probe) {
    MainWindow *window = mainWindow();
    if (!window) {
        QCoreApplication::exit(2);
        return;
    }
    report("gl_integration", glIntegrationLoaded());
    spin(1000); // the first meter rounds and status polls after the connection
    probe->samplePrivate();

    // Idle where the panel starts: the interface page, nothing on it changing.
    spin(2000);
    measureIdle(probe, "idle_start");
    const auto settled = memoryStatus();
    report("settled_rss_kb", settled.count("VmRSS") ? settled.at("VmRSS") : 0);
    report("settled_private_kb", settled.count("RssAnon") && settled.count("RssShmem")
                                     ? settled.at("RssAnon") + settled.at("RssShmem")
                                     : 0);
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
    measureIdle(probe, "idle");
    probe->samplePrivate();
    const auto status = memoryStatus();
    report("peak_rss_kb", status.count("VmHWM") ? status.at("VmHWM") : 0);
    report("peak_private_kb", probe->peakPrivateKb);
    QCoreApplication::exit(0);
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
            probe->findChild<QTimer *>(QStringLiteral("connectTimeout"))->stop();
            if (options.child == "startup")
                QCoreApplication::exit(0);
            else
                QTimer::singleShot(0, probe, [probe] { measureTheRest(probe); });
        }
    });
    poll->start(1);
    // Stopped once connected: the idle periods after it may take longer.
    auto *timeout = new QTimer(probe);
    timeout->setObjectName(QStringLiteral("connectTimeout"));
    timeout->setSingleShot(true);
    QObject::connect(timeout, &QTimer::timeout, probe, [] {
        std::fprintf(stderr, "bench_startup: the unit was not connected within 60 s\n");
        QCoreApplication::exit(2);
    });
    timeout->start(60000);
}

// --- the parent --------------------------------------------------------------------------------

// Starts a measured process and collects its figures; the start time is taken just before
// the spawn.
std::map<std::string, double> spawnMeasured(const char *program, std::vector<std::string> args,
                                            double *startNs) {
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

// This program as a measured panel.
std::map<std::string, double> measure(const char *self, const char *mode, double *startNs) {
    std::vector<std::string> args = {self, "--child", mode};
    args.push_back("--idle");
    args.push_back(std::to_string(options.idleSeconds));
    args.push_back("--reloads");
    args.push_back(std::to_string(options.reloads));
    if (options.pelvo)
        args.push_back("--pelvo");
    return spawnMeasured("/proc/self/exe", args, startNs); // this program, however started
}

// The bare toolkit window that the panel's figures are read against.
std::map<std::string, double> measureBare(double idleSeconds, double *startNs) {
    return spawnMeasured(OLVANE_BARE_WINDOW,
                         {OLVANE_BARE_WINDOW, "--child", std::to_string(idleSeconds)}, startNs);
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

// The figures of one idle period: CPU of the process and of each thread, paint events.
void idleLines(std::map<std::string, double> &f, const std::string &prefix, const char *where,
               const char *goal) {
    std::printf("%-38s %.2f %% of one core over %.1f s  %s\n",
                ("idle CPU, " + std::string(where)).c_str(), f[prefix + "_cpu_percent"],
                f[prefix + "_s"], goal);
    const std::string thread = prefix + "_thread_";
    std::string split;
    for (const auto &kv : f)
        if (kv.first.compare(0, thread.size(), thread) == 0) {
            char part[96];
            std::snprintf(part, sizeof part, "%s%s %.2f %%", split.empty() ? "" : ", ",
                          kv.first.substr(thread.size()).c_str(), kv.second);
            split += part;
        }
    std::printf("%-38s %s\n", "  by thread", split.c_str());
    std::printf("%-38s %.1f paint events/s, %.1f of them meter bars\n", "  repaints",
                f[prefix + "_paints_per_s"], f[prefix + "_meter_paints_per_s"]);
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
    std::vector<double> app, shown, paint, named, connected, barePaint;
    // Each panel start is followed by a bare window's, so both meet the same machine load.
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
        auto bare = measureBare(0.1, &start);
        if (bare.count("failed") || !bare.count("paint_ns")) {
            std::fprintf(stderr, "bench_startup: bare window start %d failed\n", i + 1);
            return 1;
        }
        barePaint.push_back((bare["paint_ns"] - start) / 1e6);
    }
    line("start to the application object", spread(app), "");
    line("start to the window shown", spread(shown), "");
    line("start to first painted window", spread(paint), "(goal <= 220 ms)");
    line("start to the unit's name shown", spread(named), "");
    line("start to the view loaded for the unit", spread(connected), "");
    line("bare window: start to first paint", spread(barePaint), "");

    double start = 0;
    auto f = measure(self, "full", &start);
    if (f.count("failed") || !f.count("idle_cpu_percent")) {
        std::fprintf(stderr, "bench_startup: the measuring run failed\n");
        return 1;
    }
    line("whole-view reload (initWindowView)",
         {f["reload_min_ms"], f["reload_median_ms"], f["reload_max_ms"]}, "(goal <= 50 ms)");
    std::printf("%-38s %s\n", "toolkit's OpenGL integration",
                f["gl_integration"] ? "loaded" : "not loaded");
    idleLines(f, "idle_start", "start page", "(goal <= 1 %)");
    idleLines(f, "idle", "mixer page, meters running", "(goal <= 1.5 %)");
    std::printf("%-38s %.1f MiB  (goal <= 80 MiB)\n", "resident memory, settled",
                f["settled_rss_kb"] / 1024);
    std::printf("%-38s %.1f MiB  (goal <= 35 MiB)\n", "anon + shmem, settled",
                f["settled_private_kb"] / 1024);
    std::printf("%-38s %.1f MiB\n", "peak resident memory", f["peak_rss_kb"] / 1024);
    std::printf("%-38s %.1f MiB\n", "peak private memory (anon + shmem)",
                f["peak_private_kb"] / 1024);

    auto bare = measureBare(options.idleSeconds, &start);
    if (bare.count("failed") || !bare.count("idle_cpu_percent")) {
        std::fprintf(stderr, "bench_startup: the bare window's idle run failed\n");
        return 1;
    }
    std::printf("%-38s %.2f %% of one core over %.1f s\n", "bare window repainting 10 times/s",
                bare["idle_cpu_percent"], options.idleSeconds);
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
