#include <QFile>
#include <QTest>

namespace {

// Bytes assembled by hand: the data come from files and are bounds-checked first.
quint32 bigEndian32(const QByteArray &d, qsizetype at)
{
    return quint32(quint8(d[at])) << 24 | quint32(quint8(d[at + 1])) << 16
           | quint32(quint8(d[at + 2])) << 8 | quint32(quint8(d[at + 3]));
}

quint32 littleEndian(const QByteArray &d, qsizetype at, int bytes)
{
    quint32 v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | quint8(d[at + i]);
    return v;
}

}  // namespace

class TestDeckResources : public QObject
{
    Q_OBJECT

private slots:
    void deckIsCompiledIn()
    {
        QFile deck(QStringLiteral(":/svg/cards/svgcards"));
        QVERIFY(deck.exists());
        QVERIFY(deck.open(QIODevice::ReadOnly));
        const QByteArray head = deck.read(512);
        QVERIFY(head.contains("<svg"));
        QVERIFY(head.contains("viewBox=\"0 0 3060 1620\""));
    }

    void iconSvgIsCompiledIn()
    {
        QFile icon(QStringLiteral(":/icons/tolvanmere.svg"));
        QVERIFY(icon.open(QIODevice::ReadOnly));
        QVERIFY(icon.readAll().contains("<svg"));
    }

    void iconPngs_data()
    {
        // A table reads best one row a line.
        // clang-format off
        QTest::addColumn<int>("size");
        for (int size : {16, 32, 48, 64, 128, 256})
            QTest::addRow("%d", size) << size;
        // clang-format on
    }

    // Each PNG must be the size its name promises, read from the PNG header itself.
    void iconPngs()
    {
        QFETCH(int, size);
        QFile png(QStringLiteral(":/icons/tolvanmere-%1.png").arg(size));
        QVERIFY2(png.open(QIODevice::ReadOnly), qPrintable(png.fileName()));
        const QByteArray data = png.readAll();
        QVERIFY(data.size() > 24);
        QCOMPARE(data.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
        QCOMPARE(data.mid(12, 4), QByteArray("IHDR"));
        QCOMPARE(int(bigEndian32(data, 16)), size);
        QCOMPARE(int(bigEndian32(data, 20)), size);
    }

    // The Windows icon group: an ICO whose entries are PNG images of the sizes that
    // their directory entries announce, each lying wholly inside the file.
    void windowsIcon()
    {
        QFile ico(QStringLiteral(WINDOWS_ICO));
        QVERIFY(ico.open(QIODevice::ReadOnly));
        const QByteArray data = ico.readAll();
        QVERIFY(data.size() > 6);
        const auto u16 = [&](int at) { return int(littleEndian(data, at, 2)); };
        const auto u32 = [&](int at) { return qint64(littleEndian(data, at, 4)); };
        QCOMPARE(u16(0), 0);
        QCOMPARE(u16(2), 1);
        const int count = u16(4);
        QVERIFY(count >= 4);
        QVERIFY(data.size() >= 6 + 16 * count);
        QList<int> sizes;
        for (int i = 0; i < count; ++i) {
            const int entry = 6 + 16 * i;
            const int size = quint8(data[entry]) == 0 ? 256 : quint8(data[entry]);
            const qint64 length = u32(entry + 8), offset = u32(entry + 12);
            QVERIFY(offset >= 6 + 16 * count && offset + length <= data.size());
            const QByteArray png = data.mid(offset, length);
            QVERIFY(png.size() > 24);
            QCOMPARE(png.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
            QCOMPARE(int(bigEndian32(png, 16)), size);
            sizes << size;
        }
        QVERIFY(sizes.contains(16) && sizes.contains(32) && sizes.contains(48)
                && sizes.contains(256));

        QFile rc(QStringLiteral(WINDOWS_RC));
        QVERIFY(rc.open(QIODevice::ReadOnly));
        QVERIFY(rc.readAll().contains("IDI_ICON1 ICON \"tolvanmere.ico\""));
    }
};

QTEST_GUILESS_MAIN(TestDeckResources)
#include "tst_deck_resources.moc"
