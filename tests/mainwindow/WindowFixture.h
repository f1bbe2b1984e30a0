// The whole main window against emulated units on the virtual bus: a suite plugs a unit,
// opens the window and drives it through its widgets; what reached the unit is read from the
// unit, what was stored from a fresh settings object, what the user sees from the widgets.
#pragma once

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

    // Builds and shows the window, as main does.
    MainWindow &open() {
        window = std::make_unique<MainWindow>();
        window->show();
        return *window;
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
