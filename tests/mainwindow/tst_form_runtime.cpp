// What the generated form calls at run time: its connection of slots by name, which must
// connect exactly what the toolkit's own would (the form's window has hundreds of such slots),
// and the pictures of the pages that wait until their page is shown.
#include "FormRuntime.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

QStringList *g_warnings = nullptr;

void keepWarning(QtMsgType type, const QMessageLogContext &, const QString &text) {
    if (g_warnings && type == QtWarningMsg)
        g_warnings->append(text);
}

// A window whose slots are named after its children the ways the toolkit knows: an exact
// signature, a signal that takes more than the slot, overloads, a default argument, a name
// that is the start of another name, two children of one name, the window's own signals,
// and slots that match nothing.
class Window : public QWidget {
    Q_OBJECT
public:
    QStringList calls;

    Window() {
        setObjectName("self");
        auto *button = new QPushButton(this);
        button->setObjectName("button");
        auto *box = new QSpinBox(this);
        box->setObjectName("box");
        auto *a = new QCheckBox(this);
        a->setObjectName("a");
        auto *ab = new QCheckBox(this);
        ab->setObjectName("a_b");
        auto *inner = new QWidget(this);
        auto *first = new QPushButton(inner);
        first->setObjectName("dup");
        first->setProperty("which", "first");
        auto *second = new QPushButton(this);
        second->setObjectName("dup");
        second->setProperty("which", "second");
        auto *late = new QPushButton(this);
        late->setObjectName("late");
    }

    void call(const QString &what) {
        const QString which = sender() ? sender()->property("which").toString() : QString();
        calls << (which.isEmpty() ? what : what + " " + which);
    }

signals:
    void ping(int level);

public slots:
    void on_button_clicked() { call("button clicked"); }
    void on_box_valueChanged(int v) { call("box int " + QString::number(v)); }
    void on_box_valueChanged(const QString &t) { call("box text " + t); }
    void on_box_valueChanged() { call("box any"); }
    void on_box_editingFinished() { call("box finished"); }
    void on_a_toggled(bool on) { call(QString("a %1").arg(on)); }
    void on_a_b_toggled(bool on) { call(QString("a_b %1").arg(on)); }
    void on_a_b_stateChanged() { call("a_b state"); }
    void on_dup_clicked() { call("dup"); }
    void on_late_clicked(bool checked = false) { call(QString("late %1").arg(checked)); }
    void on_self_ping(int level) { call("ping " + QString::number(level)); }
    void on_self_objectNameChanged() { call("renamed"); }
    void on_nobody_clicked() { call("nobody"); }
    void on_button_vanished() { call("vanished"); }
    void on_lonely() { call("lonely"); }
    void onButtonClicked() { call("camel"); }
};

struct Run {
    QStringList calls;
    QStringList warnings;
};

Run runWith(const std::function<void(QObject *)> &connect) {
    Run run;
    Window w;
    g_warnings = &run.warnings;
    const QtMessageHandler previous = qInstallMessageHandler(keepWarning);
    connect(&w);
    qInstallMessageHandler(previous);
    g_warnings = nullptr;

    w.findChild<QPushButton *>("button")->click();
    auto *box = w.findChild<QSpinBox *>("box");
    box->setValue(7);
    QMetaObject::invokeMethod(box, "editingFinished");
    w.findChild<QCheckBox *>("a")->setChecked(true);
    w.findChild<QCheckBox *>("a_b")->setChecked(true);
    for (QPushButton *b : w.findChildren<QPushButton *>("dup"))
        b->click();
    w.findChild<QPushButton *>("late")->click();
    emit w.ping(3);
    w.setObjectName("renamed");
    run.calls = w.calls;
    return run;
}

} // namespace

class TestFormRuntime : public QObject {
    Q_OBJECT

private slots:
    void connectsWhatTheToolkitConnects() {
        const Run toolkit = runWith([](QObject *w) { QMetaObject::connectSlotsByName(w); });
        const Run ours = runWith([](QObject *w) { FormRuntime::connectSlotsByName(w); });
        // The fixture reaches each kind of slot, so that the comparison means something.
        QVERIFY(toolkit.calls.contains("button clicked"));
        QVERIFY(toolkit.calls.contains("box text 7"));
        QVERIFY(toolkit.calls.contains("a_b 1"));
        QVERIFY(toolkit.calls.contains("ping 3"));
        QVERIFY(toolkit.calls.contains("renamed"));
        QCOMPARE(toolkit.calls.filter("dup ").size(), 1); // one of the two of that name
        QCOMPARE(toolkit.warnings.size(), 3);
        QCOMPARE(ours.calls, toolkit.calls);
        QCOMPARE(ours.warnings, toolkit.warnings);
    }

    // A page that waits for its picture keeps its lighter sheet until it becomes the current
    // page, and has its whole sheet by the time it is painted.
    void pageTakesItsSheetWhenShown() {
        QStackedWidget stack;
        stack.resize(40, 30);
        auto *start = new QWidget;
        auto *later = new QWidget;
        later->setObjectName("later");
        stack.addWidget(start);
        stack.addWidget(later);
        const QString whole = "#later { background-color: rgb(0, 200, 0); }";
        later->setStyleSheet("QMenu { color: red; }");
        FormRuntime::sheetWhenShown(&stack, later, whole);
        QVERIFY(FormRuntime::sheetWaiting(later));
        stack.show();
        QVERIFY(QTest::qWaitForWindowExposed(&stack));
        QCOMPARE(later->styleSheet(), QString("QMenu { color: red; }"));

        stack.setCurrentWidget(later);
        QCOMPARE(later->styleSheet(), whole);
        QVERIFY(!FormRuntime::sheetWaiting(later));
        QCOMPARE(stack.grab().toImage().pixelColor(20, 15), QColor(0, 200, 0));

        // Given once: a later sheet of the page's own is not replaced on the next showing.
        later->setStyleSheet("");
        stack.setCurrentWidget(start);
        stack.setCurrentWidget(later);
        QCOMPARE(later->styleSheet(), QString());

        // Readied ahead of its showing, as the window does once it has been painted.
        auto *third = new QWidget;
        stack.addWidget(third);
        FormRuntime::sheetWhenShown(&stack, third, "QWidget { color: blue; }");
        FormRuntime::finishSheet(third);
        QCOMPARE(third->styleSheet(), QString("QWidget { color: blue; }"));
        QVERIFY(!FormRuntime::sheetWaiting(third));
    }
};

QTEST_MAIN(TestFormRuntime)
#include "tst_form_runtime.moc"
