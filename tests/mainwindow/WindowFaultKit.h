// What the hostile-settings and unplug suites share: the visible message boxes, a closer that
// keeps any box from blocking a run, a seeded generator whose seed is printed (and can be
// given again through OLVANE_SEED to repeat a run), and the check that every value the
// window shows lies inside the range of its control.
#pragma once

#include "WindowFixture.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QStackedWidget>
#include <QStringList>
#include <QTimer>

#include <cmath>
#include <random>
#include <vector>

namespace faultkit {

// Visible message boxes of the application.
inline QList<QMessageBox *> visibleBoxes() {
    QList<QMessageBox *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w))
            if (box->isVisible())
                boxes << box;
    return boxes;
}

// Closes every message box but the window's disconnect notice (which does not block) as soon
// as it shows, and keeps the texts of the ones it closed.
class BoxCloser : public QObject {
public:
    explicit BoxCloser(const MainWindow *window = nullptr) : window_(window) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            for (QMessageBox *box : visibleBoxes()) {
                if (window_ && box == window_->disconnectBox)
                    continue;
                texts << box->windowTitle() + QLatin1Char('|') + box->text();
                box->done(QMessageBox::Ok);
            }
        });
        timer_.start(20);
    }
    void watch(const MainWindow *window) { window_ = window; }
    QStringList texts;

private:
    const MainWindow *window_;
    QTimer timer_;
};

// The seed of this run: OLVANE_SEED when set, the clock otherwise; printed so that a failing
// run can be repeated.
inline quint32 runSeed(const char *suite) {
    bool ok = false;
    quint32 seed = qEnvironmentVariable("OLVANE_SEED").toUInt(&ok);
    if (!ok)
        seed = quint32(QDateTime::currentMSecsSinceEpoch());
    qInfo("%s: seed %u (repeat with OLVANE_SEED=%u)", suite, seed, seed);
    return seed;
}

// The faders of the side each pair shows, and the master.
inline std::vector<int> shownFaders(const MainWindow &w) {
    std::vector<int> shown{kMasterFader};
    for (int p = 0; p < kPairStripCount; ++p) {
        const PairStrip &ps = w.pairStrips()[size_t(p)];
        if (ps.stack->currentIndex() == 1)
            shown.push_back(kMonoStripCount + p);
        else
            shown.insert(shown.end(), {ps.odd, ps.odd + 1});
    }
    return shown;
}

// Every control of the window whose value is outside what it can show: faders whose box is not
// a finite level of the scale or whose slider stands elsewhere than the box says, pan
// indicators off their track, combo boxes without a valid item, pages out of the stack, value
// texts no knob produces (too long or holding control characters) and names longer than their
// field takes.
inline QStringList insaneValues(MainWindow &w) {
    QStringList out;
    // A hidden side keeps what it showed last.
    for (int i : shownFaders(w)) {
        const FaderRow &f = w.faderRows()[size_t(i)];
        const double v = f.box->value();
        if (!std::isfinite(v) || v < -99.9 || v > 6.0)
            out << QStringLiteral("%1 box shows %2").arg(f.track).arg(v);
        else if (f.slider->value() != MainWindow::faderPositionFor(v))
            out << QStringLiteral("%1 slider at %2 for %3 dB")
                       .arg(f.track)
                       .arg(f.slider->value())
                       .arg(v);
    }
    for (int i = 0; i < kMonoStripCount; ++i) {
        const MonoStrip &m = w.monoStrips()[size_t(i)];
        const PairStrip &p = w.pairStrips()[size_t(i / 2)];
        const int lo = i % 2 ? 59 : 0, hi = i % 2 ? 99 : 40;
        for (const QWidget *pan : {static_cast<const QWidget *>(m.pan),
                                   static_cast<const QWidget *>(i % 2 ? p.panR : p.panL)})
            if (pan->x() < lo || pan->x() > hi)
                out << QStringLiteral("%1 pan at x %2").arg(m.track).arg(pan->x());
        if (m.name->text().size() > m.name->maxLength())
            out << QStringLiteral("%1 name of %2 characters")
                       .arg(m.track)
                       .arg(m.name->text().size());
    }
    QWidget *root = &w;
    for (QAbstractSlider *s : root->findChildren<QAbstractSlider *>())
        if (s->value() < s->minimum() || s->value() > s->maximum())
            out << QStringLiteral("%1 at %2").arg(s->objectName()).arg(s->value());
    for (QDoubleSpinBox *d : root->findChildren<QDoubleSpinBox *>())
        if (!std::isfinite(d->value()) || d->value() < d->minimum() || d->value() > d->maximum())
            out << QStringLiteral("%1 shows %2").arg(d->objectName()).arg(d->value());
    for (QComboBox *c : root->findChildren<QComboBox *>())
        if (c->count() > 0 && (c->currentIndex() < 0 || c->currentIndex() >= c->count()))
            out << QStringLiteral("%1 at item %2 of %3")
                       .arg(c->objectName())
                       .arg(c->currentIndex())
                       .arg(c->count());
    for (QStackedWidget *s : root->findChildren<QStackedWidget *>())
        if (s->count() > 0 && (s->currentIndex() < 0 || s->currentIndex() >= s->count()))
            out << QStringLiteral("%1 on page %2").arg(s->objectName()).arg(s->currentIndex());
    for (QLabel *l : root->findChildren<QLabel *>()) {
        const QString name = l->objectName();
        if (!name.contains(QLatin1String("Disp")))
            continue;
        const QString text = l->text();
        bool control = false;
        for (QChar c : text)
            control = control || (c.category() == QChar::Other_Control);
        if (text.size() > 16 || control)
            out << QStringLiteral("%1 shows \"%2\"").arg(name, text.left(40));
    }
    return out;
}

// The elements the unit could not take, one a line.
inline QString describeRejected(const EmulatedUnit &unit) {
    QStringList lines;
    for (const EmulatedUnit::Rejected &r : unit.outOfRange())
        lines << QStringLiteral("tag %1 type %2 value %3: %4")
                     .arg(r.element.tag)
                     .arg(r.element.type)
                     .arg(r.element.value)
                     .arg(r.reason);
    return lines.join(QLatin1Char('\n'));
}

} // namespace faultkit
