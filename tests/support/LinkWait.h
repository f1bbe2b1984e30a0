// Waiting on the device link by what the link itself states, never by quiet time: a message
// still on its way under load must not pass for silence, and a check that nothing was sent
// must not run while something is about to be. Each wait has a generous bound that only a
// real fault reaches; reaching it fails the running test with the link's state.
#pragma once

#include "QKXDevice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QThread>
#include <QtTest>

#include <functional>

namespace linkwait {

// A round of the link takes some tens of milliseconds; a whole reload of the mixer behind the
// main window takes some seconds, and under sanitizers on a loaded machine several times that.
constexpr int kBoundMs = 120000;

inline QString describe(const QKXDevice::Traffic &t) {
    return QStringLiteral("ready %1, in flight %2, requests pending %3, values pending %4, "
                          "messages sent %5, send results %6")
        .arg(t.ready)
        .arg(t.inFlight)
        .arg(t.requestsPending)
        .arg(t.valuesPending)
        .arg(t.messagesSent)
        .arg(t.messagesDone);
}

// Runs the event loop until the condition holds; on the bound fails the running test. What
// is already posted is delivered before the first look, so that a change queued on its way
// to the store is not missed by a link that happens to be idle.
inline bool until(const QKXDevice &dev, const char *what,
                  const std::function<bool(const QKXDevice::Traffic &)> &condition, int boundMs) {
    QElapsedTimer clock;
    clock.start();
    QCoreApplication::sendPostedEvents();
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (condition(dev.traffic()))
            return true;
        if (clock.elapsed() > boundMs) {
            const QByteArray message =
                QStringLiteral("the link did not become %1 within %2 ms (%3)")
                    .arg(QLatin1String(what))
                    .arg(boundMs)
                    .arg(describe(dev.traffic()))
                    .toLocal8Bit();
            QTest::qFail(message.constData(), __FILE__, __LINE__);
            return false;
        }
        QThread::msleep(1);
    }
}

} // namespace linkwait

// Until the link is idle: the unit's last answer said ready, no message or read is in flight
// and nothing is pending, so the unit has received everything asked for and the next change
// goes out at once.
inline bool waitLinkIdle(const QKXDevice &dev, int boundMs = linkwait::kBoundMs) {
    return linkwait::until(
        dev, "idle", [](const QKXDevice::Traffic &t) { return t.idle(); }, boundMs);
}

// Until the unit has received every value set so far, also while queries keep the link busy
// (the main window asks for meters again with every meter answer, so its link never rests):
// no value waits to be packed, and every message sent by then has its send result.
inline bool waitLinkDelivered(const QKXDevice &dev, int boundMs = linkwait::kBoundMs) {
    QElapsedTimer clock;
    clock.start();
    if (!linkwait::until(
            dev, "free of pending values",
            [](const QKXDevice::Traffic &t) { return !t.valuesPending; }, boundMs))
        return false;
    const quint64 carried = dev.traffic().messagesSent;
    return linkwait::until(
        dev, "done with the messages that carry the values",
        [carried](const QKXDevice::Traffic &t) { return t.messagesDone >= carried; },
        int(qMax<qint64>(0, boundMs - clock.elapsed())));
}

// Until no message or read is in flight, with values left pending: for a unit that stays
// busy, after which nothing goes out until something asks the link again.
inline bool waitLinkQuiet(const QKXDevice &dev, int boundMs = linkwait::kBoundMs) {
    return linkwait::until(
        dev, "quiet", [](const QKXDevice::Traffic &t) { return !t.inFlight; }, boundMs);
}

// In a test function: wait, and end the function when the bound was reached (the failure has
// been reported).
#define WAIT_LINK_IDLE(dev)                                                                        \
    do {                                                                                           \
        if (!waitLinkIdle(dev))                                                                    \
            return;                                                                                \
    } while (false)
#define WAIT_LINK_DELIVERED(dev)                                                                   \
    do {                                                                                           \
        if (!waitLinkDelivered(dev))                                                               \
            return;                                                                                \
    } while (false)
#define WAIT_LINK_QUIET(dev)                                                                       \
    do {                                                                                           \
        if (!waitLinkQuiet(dev))                                                                   \
            return;                                                                                \
    } while (false)
