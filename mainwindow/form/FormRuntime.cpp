// What the generated form calls while it is built.
#include "FormRuntime.h"

#include <QDebug>
#include <QHash>
#include <QMetaMethod>
#include <QObject>
#include <QStackedWidget>
#include <QVector>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace FormRuntime {

namespace {

// Dynamic property of a page that waits for its whole sheet.
const char *const kWaitingSheet = "_formWaitingSheet";

// The signal of the object that a slot named after it takes, as the toolkit looks for it: the
// signal of that exact signature, else the first whose signature begins with it less the ")",
// with the toolkit's warning when there are several such. Returns a method index, -1 for none.
int signalFor(const QObject *object, const char *slot, const char *signal) {
    const QMetaObject *meta = object->metaObject();
    const int exact = meta->indexOfSignal(signal);
    if (exact >= 0)
        return exact;
    const int length = int(qstrlen(signal)) - 1;
    int first = -1;
    QList<QByteArray> compatible;
    for (int m = 0; m < meta->methodCount(); ++m) {
        const QMetaMethod method = meta->method(m);
        if (method.methodType() == QMetaMethod::Signal &&
            qstrncmp(method.methodSignature().constData(), signal, uint(length)) == 0) {
            if (first < 0)
                first = m;
            compatible.append(method.methodSignature());
        }
    }
    if (compatible.size() > 1)
        qWarning() << "QMetaObject::connectSlotsByName: Connecting slot" << slot
                   << "with the first of the following compatible signals:" << compatible;
    return first;
}

} // namespace

void connectSlotsByName(QObject *window) {
    // The toolkit's candidates in its order: the descendants depth first, then the window.
    QObjectList objects = window->findChildren<QObject *>(QString());
    objects << window;
    QHash<QByteArray, QVector<int>> byName;
    byName.reserve(objects.size());
    for (int i = 0; i < objects.size(); ++i) {
        const QByteArray name = objects.at(i)->objectName().toLatin1();
        if (!name.isEmpty())
            byName[name].append(i);
    }

    const QMetaObject *meta = window->metaObject();
    for (int m = 0; m < meta->methodCount(); ++m) {
        const QMetaMethod slotMethod = meta->method(m);
        const QByteArray signature = slotMethod.methodSignature();
        const char *slot = signature.constData();
        if (qstrncmp(slot, "on_", 3) != 0)
            continue;
        // Every object whose name is the slot's name up to one of its underscores, in the
        // toolkit's order; the first that has the signal named by the rest is connected.
        const int paren = signature.indexOf('(');
        QVector<std::pair<int, int>> candidates; // (place among the objects, name length)
        for (int end = 4; end < paren; ++end) {
            if (slot[end] != '_')
                continue;
            const auto found = byName.constFind(QByteArray::fromRawData(slot + 3, end - 3));
            if (found != byName.constEnd())
                for (int place : *found)
                    candidates.append({place, end - 3});
        }
        std::sort(candidates.begin(), candidates.end());
        bool connected = false;
        for (const auto &c : candidates) {
            QObject *object = objects.at(c.first);
            const int signal = signalFor(object, slot, slot + c.second + 4);
            if (signal >= 0 && QObject::connect(object, object->metaObject()->method(signal),
                                                window, slotMethod)) {
                connected = true;
                break;
            }
        }
        if (connected) {
            // The overloads with default arguments are connected with the slot.
            while (m + 1 < meta->methodCount() &&
                   (meta->method(m + 1).attributes() & QMetaMethod::Cloned))
                ++m;
        } else if (!(slotMethod.attributes() & QMetaMethod::Cloned) &&
                   signature.lastIndexOf('_', paren - 1) > 3) {
            qWarning("QMetaObject::connectSlotsByName: No matching signal for %s", slot);
        }
    }
}

void sheetWhenShown(QStackedWidget *stack, QWidget *page, const QString &sheet) {
    page->setProperty(kWaitingSheet, sheet);
    // The stack shows its new page before it tells; nothing is painted before the event loop
    // runs again.
    QObject::connect(stack, &QStackedWidget::currentChanged, page, [stack, page] {
        if (stack->currentWidget() == page)
            finishSheet(page);
    });
}

void finishSheet(QWidget *page) {
    const QVariant sheet = page->property(kWaitingSheet);
    if (!sheet.isValid())
        return;
    page->setProperty(kWaitingSheet, QVariant());
    page->setStyleSheet(sheet.toString());
}

bool sheetWaiting(const QWidget *page) {
    return page->property(kWaitingSheet).isValid();
}

} // namespace FormRuntime
