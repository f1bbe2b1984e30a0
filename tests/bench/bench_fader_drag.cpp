// Benchmark: one fader dragged over 127 positions at one position per millisecond against an
// emulated unit. Prints how many messages went out, how long after the last change its value
// reached the unit, and the link's own time per message beyond the two 10 ms pauses.
#include "EmulatedUnit.h"
#include "QKXDevice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

void spinUntil(const std::function<bool()> &done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QThread::usleep(100);
    }
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int rounds = 5;
    // The device layer's notice lines are not part of the figures.
    std::fflush(stdout);
    const int realStdout = dup(STDOUT_FILENO);
    FILE *report = fdopen(realStdout, "w");
    std::freopen("/dev/null", "w", stdout);

    auto unit = std::make_shared<EmulatedUnit>();
    unit->plugIn();
    QKXDevice dev;
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> sendTimes;
    QObject::connect(&dev, &QKXDevice::sig_kx_send, &dev,
                     [&](QByteArray) { sendTimes.push_back(clock.nsecsElapsed()); });

    double totalMessages = 0, totalLatencyMs = 0, totalOverheadMs = 0, worstLatencyMs = 0;
    for (int round = 0; round < rounds; ++round) {
        dev.kx_recv();
        spinUntil([&] { return dev.traffic().idle(); }, 30000); // ready, nothing pending
        unit->clearLog();
        sendTimes.clear();
        const short first = short(round % 2 ? 60 : -1270);
        QElapsedTimer drag;
        drag.start();
        short level = first;
        for (int pos = 0; pos < 127; ++pos) {
            while (drag.nsecsElapsed() < qint64(pos) * 1000000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            level = short(first + (round % 2 ? -10 : 10) * pos);
            dev.set_fader(KXMSG_DATA_CH_MIXER_INPUT, 1, level);
        }
        const qint64 lastChange = clock.nsecsElapsed();
        spinUntil([&] { return unit->state().inputs[0].fader == level; }, 5000);
        const double latencyMs = double(clock.nsecsElapsed() - lastChange) / 1e6;
        const int messages = unit->messages().size();
        double perMessageMs = 0;
        if (sendTimes.size() > 1)
            perMessageMs =
                double(sendTimes.back() - sendTimes.front()) / 1e6 / double(sendTimes.size() - 1);
        // The worker pauses 10 ms after every request; what is left between two messages is
        // the link's own time (packing, queued delivery, waking the threads).
        const auto requests = unit->requests();
        double ownMs = 0;
        int spans = 0;
        for (int i = 0, prev = -1; i < requests.size(); ++i) {
            if (requests[i].bRequest != KXCTL_REQUEST_OUT)
                continue;
            if (prev >= 0) {
                ownMs += double(requests[i].atNs - requests[prev].atNs) / 1e6 - 10.0 * (i - prev);
                ++spans;
            }
            prev = i;
        }
        if (spans)
            ownMs /= spans;
        totalMessages += messages;
        totalLatencyMs += latencyMs;
        worstLatencyMs = std::max(worstLatencyMs, latencyMs);
        totalOverheadMs += ownMs;
        std::fprintf(report,
                     "round %d: %d messages, last value at the unit %.2f ms after the last "
                     "change, %.2f ms between messages, %.3f ms of it the link's own\n",
                     round + 1, messages, latencyMs, perMessageMs, ownMs);
    }
    std::fprintf(report,
                 "mean over %d drags: %.1f messages, latency %.2f ms (worst %.2f ms), the "
                 "link's own time %.3f ms per message beyond the worker's pauses\n",
                 rounds, totalMessages / rounds, totalLatencyMs / rounds, worstLatencyMs,
                 totalOverheadMs / rounds);
    std::fclose(report);
    unit->unplug();
    return 0;
}
