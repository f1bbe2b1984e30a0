// The message codec: element sizes, capacity edges, error lines and malformed input.
#include "StdoutCapture.h"
#include "kxmsg.h"

#include <QRegularExpression>
#include <QtTest>

#include <cstring>

namespace {

const QRegularExpression kErrorLine(QStringLiteral("^kxtest/kxmsg:\\d+:ERROR$"));

int countMatching(const QStringList &lines, const QRegularExpression &re) {
    int n = 0;
    for (const QString &l : lines)
        n += re.match(l).hasMatch() ? 1 : 0;
    return n;
}

} // namespace

class TestKxmsg : public QObject {
    Q_OBJECT
private slots:
    void elementsPerBuffer_data();
    void elementsPerBuffer();
    void endElementThatNoLongerFits();
    void otherElementWithOneByteLeftFailsSilently();
    void shortRemainderKeepsTagAndType();
    void byteArrayFillsTheRest();
    void byteArrayLongerThanTheRestFails();
    void typedWritersEncodeLittleEndian();
    void typedWriterRestoresRecordAndPrintsTwoLines();
    void readBack_data();
    void readBack();
    void readingMalformedInput_data();
    void readingMalformedInput();
    void readingByteArrayFromZeroedBuffer();
    void remainingArraySize();
};

void TestKxmsg::elementsPerBuffer_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("fits");
    QTest::addColumn<int>("used");
    QTest::newRow("type 1") << 1 << 32 << 64;
    QTest::newRow("type 2") << 2 << 21 << 63;
    QTest::newRow("type 3") << 3 << 16 << 64;
    QTest::newRow("type 4") << 4 << 10 << 60;
}

void TestKxmsg::elementsPerBuffer() {
    QFETCH(int, type);
    QFETCH(int, fits);
    QFETCH(int, used);
    uint8_t buf[64];
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    StdoutCapture out;
    int n = 0;
    while (kxmsg_put(&m, 7, uint8_t(type), 0x11223344u, 0) == 0)
        ++n;
    QCOMPARE(n, fits);
    QCOMPARE(int(m.position), used);
    // Only the element that did not fit may have said so.
    QVERIFY(out.takeLines().size() <= 1);
}

void TestKxmsg::endElementThatNoLongerFits() {
    for (int left : {0, 1}) {
        uint8_t buf[8];
        std::memset(buf, 0xAA, sizeof buf);
        kxmsg_t m;
        kxmsg_init(&m, buf, 8);
        m.position = uint8_t(8 - left);
        StdoutCapture out;
        QCOMPARE(kxmsg_put(&m, 0, KXMSG_TYPE_END, 0, 0), 0);
        QCOMPARE(int(m.position), 8 - left);
        QVERIFY(out.take().isEmpty());
        for (uint8_t b : buf)
            QCOMPARE(int(b), 0xAA);
    }
}

void TestKxmsg::otherElementWithOneByteLeftFailsSilently() {
    uint8_t buf[8] = {};
    kxmsg_t m;
    kxmsg_init(&m, buf, 8);
    m.position = 7;
    StdoutCapture out;
    QCOMPARE(kxmsg_put(&m, 49, KXMSG_TYPE_NONE, 0, 0), 1);
    QCOMPARE(int(m.position), 7);
    QVERIFY(out.take().isEmpty());
}

void TestKxmsg::shortRemainderKeepsTagAndType() {
    uint8_t buf[8] = {};
    kxmsg_t m;
    kxmsg_init(&m, buf, 8);
    m.position = 6;
    StdoutCapture out;
    QCOMPARE(kxmsg_put(&m, 130, KXMSG_TYPE_U8, 5, 0), 1);
    const QStringList lines = out.takeLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY(kErrorLine.match(lines[0]).hasMatch());
    QCOMPARE(int(m.position), 6);
    QCOMPARE(int(buf[6]), 130);
    QCOMPARE(int(buf[7]), 2);
}

void TestKxmsg::byteArrayFillsTheRest() {
    uint8_t buf[64] = {};
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    m.position = 54;
    const char src[16] = "abcdefghijklmno";
    QCOMPARE(kxmsg_put(&m, 18, KXMSG_TYPE_U8_ARRAY, uint64_t(uintptr_t(src)), 0), 0);
    QCOMPARE(int(m.position), 64);
    QCOMPARE(int(buf[54]), 18);
    QCOMPARE(int(buf[55]), 5);
    QCOMPARE(int(buf[56]), 7);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(buf + 57), 7), QByteArray("abcdefg"));
}

void TestKxmsg::byteArrayLongerThanTheRestFails() {
    uint8_t buf[255] = {};
    kxmsg_t m;
    kxmsg_init(&m, buf, 255);
    StdoutCapture out;
    static const uint8_t src[255] = {};
    // 254 + 3 bytes would wrap an 8-bit size to 1; the element must be refused.
    QCOMPARE(kxmsg_put(&m, 18, KXMSG_TYPE_U8_ARRAY, uint64_t(uintptr_t(src)), 254), 1);
    QCOMPARE(int(m.position), 0);
    QCOMPARE(out.takeLines().size(), 1);
}

void TestKxmsg::typedWritersEncodeLittleEndian() {
    uint8_t buf[64] = {};
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    QCOMPARE(kxmsg_put_u8(&m, 130, 0xFF), 1);
    QCOMPARE(kxmsg_put_u16(&m, 129, uint16_t(int16_t(-1270))), 1);
    QCOMPARE(kxmsg_put_u32(&m, 23, 192000), 1);
    const QByteArray expected = QByteArray::fromHex("8202ff"
                                                    "81030afb"
                                                    "170400ee0200");
    QCOMPARE(QByteArray(reinterpret_cast<char *>(buf), m.position), expected);
    QCOMPARE(kxmsg_put_u8(nullptr, 1, 1), 0);
}

void TestKxmsg::typedWriterRestoresRecordAndPrintsTwoLines() {
    uint8_t buf[64] = {};
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    m.position = 61;
    StdoutCapture out;
    QCOMPARE(kxmsg_put_u16(&m, 129, 7), 0);
    QCOMPARE(int(m.position), 61);
    QCOMPARE(int(m.capacity), 64);
    QCOMPARE(m.data, buf);
    const QStringList lines = out.takeLines();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(countMatching(lines, kErrorLine), 2);

    // With one byte left the reservation is silent and only the writer speaks.
    m.position = 63;
    QCOMPARE(kxmsg_put_u8(&m, 130, 1), 0);
    QCOMPARE(out.takeLines().size(), 1);
}

void TestKxmsg::readBack_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<uint>("tag");
    QTest::addColumn<uint>("type");
    QTest::addColumn<quint64>("value");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("advance");
    QTest::newRow("marker") << QByteArray::fromHex("3101") << 49u << 1u << quint64(0) << 0 << 2;
    QTest::newRow("u8") << QByteArray::fromHex("a10201") << 161u << 2u << quint64(1) << 1 << 3;
    QTest::newRow("u16") << QByteArray::fromHex("3203e803") << 50u << 3u << quint64(1000) << 2 << 4;
    QTest::newRow("u32") << QByteArray::fromHex("18040077010000") << 24u << 4u << quint64(96000)
                         << 4 << 6;
}

void TestKxmsg::readBack() {
    QFETCH(QByteArray, bytes);
    QFETCH(uint, tag);
    QFETCH(uint, type);
    QFETCH(quint64, value);
    QFETCH(int, length);
    QFETCH(int, advance);
    uint8_t buf[64] = {};
    std::memcpy(buf, bytes.constData(), size_t(bytes.size()));
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    uint32_t t = 0, ty = 0;
    uint64_t v = 0;
    uint8_t l = 0;
    QCOMPARE(kxmsg_get(&m, &t, &ty, &v, &l), 0);
    QCOMPARE(t, tag);
    QCOMPARE(ty, type);
    QCOMPARE(v, value);
    QCOMPARE(int(l), length);
    QCOMPARE(int(m.position), advance);
    // Zeros follow: an end element, and reading stays there.
    QCOMPARE(kxmsg_get(&m, nullptr, nullptr, nullptr, nullptr), 1);
    QCOMPARE(kxmsg_get(&m, nullptr, nullptr, nullptr, nullptr), 1);
    QCOMPARE(int(m.position), advance);
}

void TestKxmsg::readingMalformedInput_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("line");
    QTest::newRow("all zero") << QByteArray(64, 0) << 64 << QString();
    QTest::newRow("type 6") << QByteArray::fromHex("1206") << 64
                            << QStringLiteral("^kxtest/kxmsg:\\d+:ERROR 0x6$");
    QTest::newRow("type 255") << QByteArray::fromHex("12ff") << 64
                              << QStringLiteral("^kxtest/kxmsg:\\d+:ERROR 0xff$");
    QTest::newRow("array longer than buffer")
        << QByteArray::fromHex("1205ff616263") << 64 << QString();
    QTest::newRow("u16 cut by capacity") << QByteArray::fromHex("3203e8") << 3 << QString();
    QTest::newRow("one byte") << QByteArray::fromHex("31") << 1 << QString();
}

void TestKxmsg::readingMalformedInput() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, capacity);
    QFETCH(QString, line);
    uint8_t buf[64] = {};
    std::memcpy(buf, bytes.constData(), size_t(bytes.size()));
    kxmsg_t m;
    kxmsg_init(&m, buf, uint8_t(capacity));
    uint32_t tag = 77, type = 77;
    uint64_t value = 77;
    uint8_t length = 77;
    StdoutCapture out;
    QCOMPARE(kxmsg_get(&m, &tag, &type, &value, &length), 1);
    QCOMPARE(int(m.position), 0);
    // A failed read leaves the out values untouched.
    QCOMPARE(tag, 77u);
    QCOMPARE(type, 77u);
    QCOMPARE(value, quint64(77));
    QCOMPARE(int(length), 77);
    const QStringList lines = out.takeLines();
    if (line.isEmpty()) {
        QVERIFY2(lines.isEmpty(), qPrintable(lines.join('|')));
    } else {
        QCOMPARE(lines.size(), 1);
        QVERIFY2(QRegularExpression(line).match(lines[0]).hasMatch(), qPrintable(lines[0]));
    }
}

void TestKxmsg::readingByteArrayFromZeroedBuffer() {
    uint8_t buf[64] = {18, 5, 3, 'a', 'b', 'c'};
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    uint32_t tag = 0, type = 0;
    uint64_t value = 0;
    uint8_t length = 0;
    QCOMPARE(kxmsg_get(&m, &tag, &type, &value, &length), 0);
    QCOMPARE(tag, 18u);
    QCOMPARE(type, 5u);
    QCOMPARE(int(length), 3);
    QCOMPARE(reinterpret_cast<uint8_t *>(uintptr_t(value)), buf + 3);
    QCOMPARE(kxmsg_get(&m, &tag, &type, &value, &length), 1);
}

void TestKxmsg::remainingArraySize() {
    uint8_t buf[64];
    kxmsg_t m;
    kxmsg_init(&m, buf, 64);
    QCOMPARE(int(kxmsg_remain_u8_array_put_size(&m)), 61);
    m.position = 61;
    QCOMPARE(int(kxmsg_remain_u8_array_put_size(&m)), 0);
    m.position = 62;
    QCOMPARE(int(kxmsg_remain_u8_array_put_size(&m)), 0);
}

QTEST_APPLESS_MAIN(TestKxmsg)
#include "tst_kxmsg.moc"
