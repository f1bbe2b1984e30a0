// What the generated form calls while it is built: the connection of the window's slots named
// after the form's objects, and the pictures of the pages that the window does not start on.
#pragma once

#include <QString>

class QObject;
class QStackedWidget;
class QWidget;

namespace FormRuntime {

// Connects every slot of the window named "on_<object name>_<signal>" to that signal of the
// window's descendant of that name, with the automatic connection type, exactly as the
// toolkit's QMetaObject::connectSlotsByName does (the same objects, signals, order and
// warnings), but finds each slot's object by its name instead of comparing every slot with
// every descendant.
void connectSlotsByName(QObject *window);

// Gives the page of the stack its whole sheet once it becomes the stack's current page, before
// it is painted; until then it keeps the sheet it has (the sheet without the page's picture).
// Decoding a page's picture is most of what polishing a page costs, and a page may never be
// shown.
void sheetWhenShown(QStackedWidget *stack, QWidget *page, const QString &sheet);

// Gives the page the whole sheet that waits for it now, if any.
void finishSheet(QWidget *page);

// Whether the page still waits for its whole sheet.
bool sheetWaiting(const QWidget *page);

} // namespace FormRuntime
