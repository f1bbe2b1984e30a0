// A unit unplugged and plugged again a thousand times while transfers run: nothing may crash,
// touch a released device or hang, and the link must come back to the last unit.
#include "QKXDevice.h"
#include "StdoutCapture.h"
#include "UnitFixture.h"

#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <thread>

class TestReplug : public QObject {
    Q_OBJECT
private slots:
    void thousandReplugsDuringTransfers();
};

void TestReplug::thousandReplugsDuringTransfers() {
    StdoutCapture out;
    QKXDevice dev;
    QString lastName;
    int failures = 0;
    // As the window does: an empty name means the unit went, so select afresh.
    connect(&dev, &QKXDevice::sig_recv_productname, &dev, [&](QString name) {
        lastName = name;
        if (name.isEmpty()) {
            ++failures;
            dev.deselect();
        }
    });

    int reached = 0;
    for (int i = 0; i < 1000; ++i) {
        auto unit = std::make_shared<EmulatedUnit>();
        if (i % 4 == 1)
            unit->unplugDuringNextTransfer();
        unit->plugIn();
        std::atomic<bool> gone{false};
        std::atomic<bool> pull{i % 50 != 0};
        // The cable comes out from another thread at a moment of its own.
        std::thread puller([unit, &gone, &pull, i] {
            while (!pull)
                QThread::usleep(200);
            QThread::usleep(unsigned((i * 7919) % 15000));
            unit->unplug();
            gone = true;
        });
        QElapsedTimer clock;
        clock.start();
        while (!gone) {
            dev.set_fader(KXMSG_DATA_CH_MIXER_INPUT, 1, short(-(i % 1270)));
            dev.request_version();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            QThread::usleep(500);
            // Every fiftieth unit is held until the link has reached it, so that some
            // unplugs surely fall among transfers to a selected unit.
            if (!pull && (!unit->messages().isEmpty() || clock.elapsed() > 5000))
                pull = true;
        }
        puller.join();
        reached += unit->messages().isEmpty() ? 0 : 1;
        out.take();
    }
    QVERIFY(failures > 0);
    QVERIFY(reached >= 20);

    // The last unit is found again and answers.
    auto last = std::make_shared<EmulatedUnit>(EmulatedUnit::Model::Pelvo);
    last->plugIn();
    QVERIFY(UnitFixture::waitFor(
        [&] {
            dev.request_version();
            return lastName == QStringLiteral("OLVANE Pelvo");
        },
        20000));
    // Every released unit's device is closed; only the last one stays open.
    QVERIFY(UnitFixture::waitFor([] { return usbhost::virtualbus::openInterfaces() == 1; }));
    last->unplug();
    QVERIFY(UnitFixture::waitFor([] { return usbhost::virtualbus::openInterfaces() == 0; }));
    out.take();
}

QTEST_GUILESS_MAIN(TestReplug)
#include "tst_replug.moc"
