// Build-time artwork generator: draws every compiled-in picture from the catalogue, writes
// the open-source notice and the resource collection file that lists them all.
//
//   olvane_artgen OUTDIR NOTICE [LICENCE_TEXT...]
//
// Pictures go to OUTDIR/Resource/..., the notice to OUTDIR/Resource/LICENSE.txt and the
// collection file to OUTDIR/olvane.qrc. Only QImage is used, so no display is needed.
#include "catalogue.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>
#include <QVector>

#include <cstdio>

namespace {

bool fail(const QString &what) {
    std::fprintf(stderr, "olvane_artgen: %s\n", qPrintable(what));
    return false;
}

// Writes data only when it differs, so an unchanged picture keeps its time stamp.
bool writeIfChanged(const QString &path, const QByteArray &data) {
    QFile old(path);
    if (old.open(QIODevice::ReadOnly) && old.readAll() == data)
        return true;
    old.close();
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit())
        return fail("cannot write " + path);
    return true;
}

QByteArray readAll(const QString &path, bool *ok) {
    QFile f(path);
    *ok = f.open(QIODevice::ReadOnly);
    return *ok ? f.readAll() : QByteArray();
}

// The notice, then each licence text on pages of its own: a form feed on a line of its own
// separates the pages, as the notice window expects.
bool writeNotice(const QString &target, const QString &noticePath, const QStringList &licences) {
    bool ok = false;
    QByteArray text = readAll(noticePath, &ok);
    if (!ok)
        return fail("cannot read " + noticePath);
    for (const QString &path : licences) {
        const QByteArray licence = readAll(path, &ok);
        if (!ok)
            return fail("cannot read " + path);
        if (!text.endsWith('\n'))
            text += '\n';
        text += "\f\n";
        text += licence;
    }
    return writeIfChanged(target, text);
}

// True when no pixel lets anything through.
bool fullyOpaque(const QImage &img) {
    if (!img.hasAlphaChannel())
        return true;
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

// The picture with a table of its colours, or a null image when it has more than a table holds.
QImage withPalette(const QImage &img) {
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    QImage indexed(argb.size(), QImage::Format_Indexed8);
    QHash<QRgb, int> index;
    QVector<QRgb> table;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) {
            auto found = index.constFind(line[x]);
            if (found == index.constEnd()) {
                if (table.size() == 256)
                    return QImage();
                found = index.insert(line[x], table.size());
                table.append(line[x]);
            }
            out[x] = uchar(*found);
        }
    }
    indexed.setColorTable(table);
    return indexed;
}

// A picture of at most 256 colours is stored with a palette: one byte a pixel and no row
// filters to undo decode several times faster, into the same pixels. Any other opaque picture
// is stored without an alpha channel, so the panel decodes it straight into the screen's format.
QByteArray png(const QImage &img) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    const QImage indexed = withPalette(img);
    if (!indexed.isNull())
        indexed.save(&buffer, "PNG");
    else if (fullyOpaque(img))
        img.convertToFormat(QImage::Format_RGB32).save(&buffer, "PNG");
    else
        img.save(&buffer, "PNG");
    return data;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: olvane_artgen OUTDIR NOTICE [LICENCE_TEXT...]\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QString noticePath = QString::fromLocal8Bit(argv[2]);
    QStringList licences;
    for (int i = 3; i < argc; ++i)
        licences << QString::fromLocal8Bit(argv[i]);

    const QDir root(outDir);
    QStringList files;
    for (const art::Picture &pic : art::catalogue()) {
        const QString rel = QStringLiteral("Resource/") + pic.path;
        const QString path = root.filePath(rel);
        const QImage img = art::render(pic);
        if (!QDir().mkpath(QFileInfo(path).path()) || img.size() != QSize(pic.width, pic.height) ||
            !writeIfChanged(path, png(img))) {
            fail("cannot make " + rel);
            return 1;
        }
        files << rel;
    }
    const QString notice = QStringLiteral("Resource/LICENSE.txt");
    if (!writeNotice(root.filePath(notice), noticePath, licences))
        return 1;
    files << notice;
    files.sort();
    if (files.removeDuplicates() != 0) {
        fail("a picture name appears twice in the catalogue");
        return 1;
    }

    QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString &f : files)
        qrc += "    <file>" + f.toUtf8() + "</file>\n";
    qrc += "</qresource>\n</RCC>\n";
    // Written on every run (not only when it changes): its time stamp tells the build that
    // the pictures it lists may have changed and the tree must be compiled again.
    QSaveFile out(root.filePath(QStringLiteral("olvane.qrc")));
    if (!out.open(QIODevice::WriteOnly) || out.write(qrc) != qrc.size() || !out.commit()) {
        fail("cannot write the collection file");
        return 1;
    }
    return 0;
}
