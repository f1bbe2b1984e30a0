// Captures what the process writes to standard output (file descriptor 1) while alive, so
// that tests can check the exact error and notice lines of the device layer. What was not
// taken is written to the real standard output at the end, so failure reports stay visible.
#pragma once

#include <QString>
#include <QStringList>

class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture &) = delete;
    StdoutCapture &operator=(const StdoutCapture &) = delete;

    // Everything written since construction or the last take(); capture goes on.
    QString take();
    // The lines of take(), without the final empty one.
    QStringList takeLines();

private:
    int savedFd_ = -1;
    int fileFd_ = -1;
    long offset_ = 0;
};
