// Emulated units on the virtual bus for a test, unplugged again when the fixture goes, and
// waiting helpers that keep the event loop running (so arrivals and answers are delivered).
#pragma once

#include "EmulatedUnit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>
#include <memory>
#include <vector>

class UnitFixture {
public:
    UnitFixture() = default;
    UnitFixture(const UnitFixture &) = delete;
    UnitFixture &operator=(const UnitFixture &) = delete;
    ~UnitFixture() { unplugAll(); }

    std::shared_ptr<EmulatedUnit> plug(EmulatedUnit::Model model = EmulatedUnit::Model::Tarvik) {
        auto unit = std::make_shared<EmulatedUnit>(model);
        unit->plugIn();
        units_.push_back(unit);
        return unit;
    }

    void unplugAll() {
        for (auto &u : units_)
            u->unplug();
        units_.clear();
        deliverBusEvents();
    }

    // Delivers what the bus has posted to this thread so far (arrivals and removals).
    static void deliverBusEvents() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    // Runs the event loop until the condition holds or the time is up; the condition's value.
    // The default bound is far beyond any working round trip, also under load.
    static bool waitFor(const std::function<bool()> &condition, int timeoutMs = 60000) {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > timeoutMs)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(1);
        }
        return true;
    }

    // Runs the event loop for this long.
    static void spin(int ms) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(1);
        }
    }

private:
    std::vector<std::shared_ptr<EmulatedUnit>> units_;
};
