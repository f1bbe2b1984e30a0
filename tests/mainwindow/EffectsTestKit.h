// Helpers of the effects and scenes suites: answering the window's modal boxes from a timer,
// dragging a knob, waiting for the window to have loaded a plugged unit, and the emulated
// unit's whole state as text, so that two states compare with a readable difference.
#pragma once

#include "LinkWait.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace effectstest {

// Answers every modal box that opens while it lives: a message box with the given button
// (its text is kept), any other dialog through the handler or by rejecting it.
class BoxAnswerer {
public:
    explicit BoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok) : answer_(answer) {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    std::function<void(QDialog *)> onDialog;
    QStringList texts;  // texts of the message boxes, in order
    QStringList titles; // their window titles
    QList<QMessageBox::Icon> icons;

private:
    void poll() {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == last_)
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            last_ = box;
            texts << box->text();
            titles << box->windowTitle();
            icons << box->icon();
            QAbstractButton *button = box->button(answer_);
            if (button)
                button->click();
            else
                box->reject();
            return;
        }
        if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            last_ = dialog;
            if (onDialog)
                onDialog(dialog);
            else
                dialog->reject();
        }
    }

    QMessageBox::StandardButton answer_;
    QTimer timer_;
    QPointer<QWidget> last_;
};

// A drag of dy pixels upward on a knob: press, one move, release.
inline void dragUp(QWidget *knob, int dy) {
    const QPoint start(knob->width() / 2, knob->height() / 2 + 20);
    QTest::mousePress(knob, Qt::LeftButton, Qt::NoModifier, start);
    QMouseEvent move(QEvent::MouseMove, start - QPoint(0, dy), knob->mapToGlobal(start),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(knob, &move);
    QTest::mouseRelease(knob, Qt::LeftButton, Qt::NoModifier, start - QPoint(0, dy));
}

inline void doubleClick(QWidget *knob) {
    const QPoint at(knob->width() / 2, knob->height() / 2);
    QTest::mousePress(knob, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(knob, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(knob, Qt::LeftButton, Qt::NoModifier, at);
}

// Until the window has loaded the plugged unit and the unit has every value of that load.
inline bool waitLoaded(MainWindow &w) {
    if (!UnitFixture::waitFor([&w] { return w.deviceState == 2; }))
        return false;
    return waitLinkDelivered(dm.device());
}

inline QVariant stored(const QString &group, const QString &key) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, organizationName, settingsName);
    s.setIniCodec("UTF-8");
    return s.value(group + QLatin1Char('/') + key);
}

// Every field of the unit's mixer state, one "name=value" per item.
inline QStringList describe(const EmulatedUnit::State &s) {
    QStringList out;
    auto add = [&out](const QString &name, int v) {
        out << QStringLiteral("%1=%2").arg(name).arg(v);
    };
    for (int i = 0; i < 20; ++i) {
        const auto &in = s.inputs[i];
        const QString c = QStringLiteral("in%1.").arg(i + 1);
        add(c + "fader", in.fader);
        add(c + "pan", in.pan);
        add(c + "mute", in.mute);
        add(c + "solo", in.solo);
        add(c + "phase", in.phase);
        add(c + "bypass", in.bypass);
        for (int b = 0; b < 4; ++b) {
            const QString e = c + QStringLiteral("eq%1.").arg(b);
            add(e + "on", in.eq[b].on);
            add(e + "gain", in.eq[b].gain);
            add(e + "freq", in.eq[b].freq);
            add(e + "q", in.eq[b].q);
        }
        add(c + "comp.on", in.comp.on);
        add(c + "comp.threshold", in.comp.threshold);
        add(c + "comp.ratio", in.comp.ratio);
        add(c + "comp.attack", in.comp.attack);
        add(c + "comp.release", in.comp.release);
        add(c + "comp.gain", in.comp.gain);
        add(c + "comp.link", in.comp.link);
        for (int k = 0; k < 4; ++k) {
            add(c + QStringLiteral("send%1.pos").arg(k + 1), in.sends[k].pos);
            add(c + QStringLiteral("send%1.level").arg(k + 1), in.sends[k].level);
        }
    }
    for (int m = 0; m < 2; ++m) {
        add(QStringLiteral("master%1.fader").arg(m), s.masterFader[m]);
        add(QStringLiteral("master%1.mute").arg(m), s.masterMute[m]);
    }
    for (int k = 0; k < 4; ++k) {
        add(QStringLiteral("masterSend%1.pos").arg(k + 1), s.masterSends[k].pos);
        add(QStringLiteral("masterSend%1.level").arg(k + 1), s.masterSends[k].level);
    }
    for (int o = 0; o < 9; ++o)
        add(QStringLiteral("out%1.fader").arg(o), s.outputFader[o]);
    for (int r = 0; r < 20; ++r) {
        add(QStringLiteral("route%1.type").arg(r), s.routes[r].srcType);
        add(QStringLiteral("route%1.no").arg(r), s.routes[r].srcNo);
    }
    add("reverb.type", s.reverbType);
    add("reverb.preDelay", s.reverbPreDelay);
    add("reverb.time", s.reverbTime);
    add("reverb.diffusion", s.reverbDiffusion);
    add("return.level", s.returnLevel);
    add("return.on", s.returnOn);
    return out;
}

} // namespace effectstest
