#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "filebytesource.h"

using Reads = QVector<QPair<qint64, qint64>>; // position, length
Q_DECLARE_METATYPE(Reads)

// The window in front of the file: every read hands out exactly the file's
// bytes, wherever it lies against the window, and a walk that moves forward
// is served by few reads of the file.
class TestFileByteSource : public QObject
{
    Q_OBJECT
private:
    static constexpr qint64 W = FileByteSource::WindowSize;
    static constexpr qint64 A = FileByteSource::Alignment;
    // Not a multiple of the alignment, so the last window is a short one.
    static constexpr qint64 FileSize = 3 * W + 1234;

    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_content;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_content.resize(int(FileSize));
        quint32 x = 2463534242u;
        for (char &c : m_content) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            c = char(x);
        }
        m_path = m_dir.filePath(QStringLiteral("bytes.bin"));
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(m_content), FileSize);
    }

    void readsGiveTheFileBytes_data()
    {
        QTest::addColumn<Reads>("reads");
        QTest::addColumn<int>("maxFileReads");

        Reads fields;
        for (qint64 p = 8; p < 108; p += 4)
            fields.append({p, 4});
        QTest::newRow("fields in one page") << fields << 1;
        QTest::newRow("across the first page's edge") << Reads{{A - 3, 8}} << 2;
        QTest::newRow("across a full window's edge") << Reads{{10, 8}, {A, 8}, {2 * A, 8}, {3 * A + 10, 20}, {W - 2, 4}} << 5;

        Reads walk;
        for (qint64 p = 0; p < 2 * W; p += 8)
            walk.append({p, 8});
        // 4 + 8 + 16 + 32 + 64 + 64 KiB.
        QTest::newRow("forward walk grows the window") << walk << 6;

        Reads skipping;
        for (qint64 p = 100; p < FileSize; p += 3000)
            skipping.append({p, 100});
        QTest::newRow("forward skips") << skipping << 8;

        QTest::newRow("cut by the end of the file") << Reads{{FileSize - 5, 20}, {FileSize - 1, 1}} << 1;
        QTest::newRow("at and past the end") << Reads{{FileSize, 4}, {FileSize + 100, 4}} << 0;
        QTest::newRow("whole last window") << Reads{{FileSize - 1234, 1234}, {FileSize - 2000, 2000}} << 3;

        Reads backwards;
        for (qint64 p = FileSize - 312; p > 0; p -= 20000)
            backwards.append({p, 312});
        QTest::newRow("backwards, records apart") << backwards << backwards.size() * 2;
        QTest::newRow("back into the window") << Reads{{5000, 16}, {4200, 16}, {4100, 200}} << 2;

        QTest::newRow("large read, then a field in it") << Reads{{1000, W / 2 + 1}, {1500, 4}, {1000, W / 2 + 1}} << 3;
        QTest::newRow("empty read") << Reads{{100, 0}} << 0;
    }

    void readsGiveTheFileBytes()
    {
        QFETCH(Reads, reads);
        QFETCH(int, maxFileReads);
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        FileByteSource source(&file);
        QCOMPARE(source.size(), FileSize);

        quint64 handedOut = 0;
        for (const auto &read : reads) {
            const qint64 expected = qBound<qint64>(0, FileSize - read.first, read.second);
            QByteArray got(int(read.second), '\0');
            QVERIFY(source.seek(read.first));
            const qint64 n = source.read(got.data(), read.second);
            QCOMPARE(n, expected);
            QCOMPARE(got.left(int(n)), m_content.mid(int(read.first), int(n)));
            QCOMPARE(source.pos(), read.first + n);
            handedOut += quint64(n);
        }
        QCOMPARE(source.bytesRead(), handedOut);
        QVERIFY2(source.fileReads() <= maxFileReads, qPrintable(QString::number(source.fileReads())));
        QVERIFY(source.bytesFetched() >= handedOut || source.fileReads() == 0);
    }

    // Records far apart, forward or back, cost the page they lie in, not a
    // growing window each.
    void recordsApartCostAPageEach()
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        FileByteSource source(&file);
        int records = 0;
        char record[312];
        for (qint64 p = 1000; p + 312 <= FileSize; p += 3 * A + 100, ++records) {
            QVERIFY(source.seek(p));
            QCOMPARE(source.read(record, 312), qint64(312));
            QCOMPARE(QByteArray(record, 312), m_content.mid(int(p), 312));
        }
        QCOMPARE(source.fileReads(), records);
        QVERIFY2(source.bytesFetched() <= quint64(records) * 2 * A, qPrintable(QString::number(source.bytesFetched())));
    }

    // A file that shrank after it was opened ends the read early instead of
    // handing out stale or made-up bytes.
    void fileCutAfterOpening()
    {
        const QString path = m_dir.filePath(QStringLiteral("shrinks.bin"));
        QVERIFY(QFile::copy(m_path, path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        FileByteSource source(&file);
        QVERIFY(QFile::resize(path, W + 10));
        QByteArray got(100, '\0');
        QVERIFY(source.seek(W - 20));
        QCOMPARE(source.read(got.data(), 100), qint64(30));
        QCOMPARE(got.left(30), m_content.mid(int(W - 20), 30));
        QVERIFY(source.seek(2 * W));
        QCOMPARE(source.read(got.data(), 100), qint64(0));
    }

    void closedFileGivesNothing()
    {
        QFile file(m_path);
        FileByteSource source(&file);
        char b[4];
        QCOMPARE(source.read(b, 4), qint64(0));
        QCOMPARE(source.fileReads(), 0);
    }
};

QTEST_GUILESS_MAIN(TestFileByteSource)
#include "tst_filebytesource.moc"
