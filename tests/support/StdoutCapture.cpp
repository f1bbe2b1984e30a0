#include "StdoutCapture.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

StdoutCapture::StdoutCapture() {
    std::fflush(stdout);
    char path[] = "/tmp/olvane-stdout-XXXXXX";
    fileFd_ = mkstemp(path);
    if (fileFd_ < 0)
        std::abort();
    unlink(path);
    savedFd_ = dup(STDOUT_FILENO);
    dup2(fileFd_, STDOUT_FILENO);
}

StdoutCapture::~StdoutCapture() {
    // What nobody took (a failure report of the test framework among it) is shown after all.
    const QByteArray rest = take().toUtf8();
    dup2(savedFd_, STDOUT_FILENO);
    if (!rest.isEmpty()) {
        std::fwrite(rest.constData(), 1, size_t(rest.size()), stdout);
        std::fflush(stdout);
    }
    close(savedFd_);
    close(fileFd_);
}

QString StdoutCapture::take() {
    std::fflush(stdout);
    QByteArray out;
    char buf[4096];
    for (;;) {
        ssize_t n = pread(fileFd_, buf, sizeof buf, offset_);
        if (n <= 0)
            break;
        out.append(buf, int(n));
        offset_ += n;
    }
    return QString::fromUtf8(out);
}

QStringList StdoutCapture::takeLines() {
    QStringList lines = take().split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
