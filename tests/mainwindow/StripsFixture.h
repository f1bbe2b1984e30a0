// The channel-strip suites: one emulated unit and one window for the whole suite (a window
// takes seconds to load a unit), opened on empty settings and shown on the mixer page, with
// helpers that press, drag and type on the strip widgets as a person would. Cases leave the
// window as they found it, or work on strips no other case of the suite needs.
#pragma once

#include "LinkWait.h"
#include "StoreUnitFixture.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

// ---- Input as a person gives it ---------------------------------------------------------------

inline void sendMouse(QWidget *target, QEvent::Type type, QPoint local, QPoint global,
                      Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, local, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void click(QAbstractButton *button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

class StripsFixture {
public:
    // Once per suite: empty settings, no selection, no link, a window that has loaded the unit,
    // and a clear log. False (with a failure reported) when the window never loads.
    bool open() {
        WindowFixture::clearSettings();
        ChannelControl::selectedCh = QStringLiteral("none");
        for (bool &linked : ChannelControl::linkedCh)
            linked = false;
        shiftKeyDown = 0;
        MainWindow::faderTypedGuard = 0;
        unit = windows.openConnected();
        if (!unit) {
            QTest::qFail("the window did not load the unit", __FILE__, __LINE__);
            return false;
        }
        w = windows.window.get();
        ui().stackedWidget->setCurrentIndex(kPanelMixer);
        unit->clearLog();
        return true;
    }

    void close() { windows.close(); }

    // After a case: Shift up and nothing selected, as a person leaves it.
    void release() {
        shiftKeyDown = 0;
        const QString selected = ChannelControl::selectedCh;
        for (int i = 0; i < kMonoStripCount; ++i)
            if (mono(i).track == selected)
                click(mono(i).select);
        for (int p = 0; p < kPairStripCount; ++p)
            if (pair(p).track == selected)
                click(pair(p).select);
    }

    // The window asks for meters all the time, so the link never rests: wait until every value
    // set so far has reached the unit.
    bool settle() { return waitLinkDelivered(dm.device()); }

    Ui_MainWindow &ui() { return windows.ui(); }
    const MonoStrip &mono(int i) { return w->monoStrips()[size_t(i)]; }
    const PairStrip &pair(int p) { return w->pairStrips()[size_t(p)]; }
    const FaderRow &fader(int f) { return w->faderRows()[size_t(f)]; }

    // Elements with this tag that reached the unit since the log was cleared.
    int countTag(uint8_t tag) const {
        const auto log = unit->elements();
        return int(std::count_if(log.begin(), log.end(),
                                 [tag](const EmulatedUnit::Element &e) { return e.tag == tag; }));
    }

    WindowFixture windows;
    std::shared_ptr<EmulatedUnit> unit;
    MainWindow *w = nullptr;
};

// A drag with explicit positions in the widget as it stood at the press: press at `from`, a
// move to each point in turn, release at the last. The screen position follows the same
// points, so a widget that moves itself under the pointer is still dragged by the distance.
inline void drag(QWidget *target, QPoint from, const QVector<QPoint> &through) {
    const QPoint origin = target->mapToGlobal(from);
    sendMouse(target, QEvent::MouseButtonPress, from, origin, Qt::LeftButton, Qt::LeftButton);
    QPoint last = from;
    for (const QPoint &p : through) {
        sendMouse(target, QEvent::MouseMove, p, origin + (p - from), Qt::NoButton, Qt::LeftButton);
        last = p;
    }
    sendMouse(target, QEvent::MouseButtonRelease, last, origin + (last - from), Qt::LeftButton,
              Qt::NoButton);
}

// A double-click as the toolkit delivers it: press, release, double-click, release.
inline void doubleClick(QWidget *target, QPoint at) {
    const QPoint g = target->mapToGlobal(at);
    sendMouse(target, QEvent::MouseButtonPress, at, g, Qt::LeftButton, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, at, g, Qt::LeftButton, Qt::NoButton);
    sendMouse(target, QEvent::MouseButtonDblClick, at, g, Qt::LeftButton, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, at, g, Qt::LeftButton, Qt::NoButton);
}

// Types a value over the whole text of a fader box and confirms it with Return.
inline void typeInto(QDoubleSpinBox *box, const QString &text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

// The centre of a slider's handle, where a person grabs it.
inline QPoint handleCentre(QSlider *slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.upsideDown = slider->orientation() == Qt::Vertical;
    return slider->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
        .center();
}

// Grabs a fader's handle and drags it vertically by dy pixels (up negative), in steps.
inline void dragFader(QSlider *slider, int dy) {
    const QPoint from = handleCentre(slider);
    QVector<QPoint> through;
    const int steps = 4;
    for (int i = 1; i <= steps; ++i)
        through << from + QPoint(0, dy * i / steps);
    drag(slider, from, through);
}

inline QImage pictureOf(const QLabel *label) {
    return label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32);
}

inline QImage resourceImage(const QString &path) {
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}
