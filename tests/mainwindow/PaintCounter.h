// Counts the paint events each watched widget receives, for suites that check what a change
// repaints.
#pragma once

#include <QEvent>
#include <QHash>
#include <QObject>

class PaintCounter : public QObject {
public:
    QHash<QObject *, int> paints;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++paints[watched];
        return false;
    }
    int total() const {
        int n = 0;
        for (int v : paints)
            n += v;
        return n;
    }
};
