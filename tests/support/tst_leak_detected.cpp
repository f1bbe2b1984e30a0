// Proves the leak check of the test command works: this suite leaks on purpose inside a test
// slot and must fail under the sanitizers with the committed suppression file.
#include <QtTest>

class TestLeakDetected : public QObject {
    Q_OBJECT
private slots:
    void leaks() {
        int *lost = new int[16];
        lost[0] = 1;
        QCOMPARE(lost[0], 1);
        lost = nullptr;
    }
};

QTEST_GUILESS_MAIN(TestLeakDetected)
#include "tst_leak_detected.moc"
