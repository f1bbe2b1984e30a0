// The whole main window against emulated units on the virtual bus: a suite plugs a unit,
// opens the window and drives it through its widgets; what reached the unit is read from the
// unit, what was stored from a fresh settings object, what the user sees from the widgets.
#pragma once

#include "LinkWait.h"
#include "MainWindow.h"
#include "UnitFixture.h"
#include "ui_mainwindow.h"

#include <QSettings>
#include <QtTest>

#include <memory>

class WindowFixture {
public:
    ~WindowFixture() { close(); }

    std::shared_ptr<EmulatedUnit> plug(EmulatedUnit::Model model = EmulatedUnit::Model::Tarvik) {
        return units.plug(model);
    }

    // Builds and shows the window, as main does. The update check reads a local address that
    // does not exist, so no test reaches out to the network.
    MainWindow &open() {
        dm.saveSetting(QStringLiteral("Update"), QStringLiteral("JsonUrl"),
                       QStringLiteral("file:///nonexistent/OLVANE_UpdateInformation.json"));
        window = std::make_unique<MainWindow>();
        window->show();
        return *window;
    }

    // Until the window has connected to the plugged unit (its poll ran the connect procedure
    // and the whole-view reload) and, when `delivered`, everything the reload sent has reached
    // the unit (a reload takes the link some seconds; skip that wait when only the window's
    // side matters).
    bool waitConnected(bool delivered = true, int boundMs = linkwait::kBoundMs) {
        if (!UnitFixture::waitFor(
                [this] { return window->deviceConnected && window->deviceState == 2; }, boundMs))
            return false;
        return !delivered || waitLinkDelivered(dm.device(), boundMs);
    }

    // Plugs a unit, opens the window and waits until it is connected; the unit, or null when
    // the window did not connect within the bound.
    std::shared_ptr<EmulatedUnit>
    openConnected(EmulatedUnit::Model model = EmulatedUnit::Model::Tarvik, bool delivered = true) {
        auto unit = plug(model);
        open();
        return waitConnected(delivered) ? unit : nullptr;
    }

    // Until the window has seen the unit go: disconnected and back on the interface page.
    bool waitDisconnected(int boundMs = linkwait::kBoundMs) {
        return UnitFixture::waitFor([this] { return !window->deviceConnected; }, boundMs);
    }

    void close() {
        window.reset();
        UnitFixture::spin(5);
    }

    Ui_MainWindow &ui() { return *window->form(); }

    // Empties the three settings files, as on a first start.
    static void clearSettings() {
        for (const QString &app :
             {settingsName, clockSourceSettingsName, sceneMemorySettingsName}) {
            QSettings s(QSettings::IniFormat, QSettings::UserScope, organizationName, app);
            s.clear();
            s.sync();
        }
    }

    UnitFixture units;
    std::unique_ptr<MainWindow> window;
};
