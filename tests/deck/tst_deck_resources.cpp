#include <QFile>
#include <QTest>
#include <QtEndian>

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
        QTest::addColumn<int>("size");
        for (int size : {16, 32, 48, 64, 128, 256})
            QTest::addRow("%d", size) << size;
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
        QCOMPARE(int(qFromBigEndian<quint32>(data.constData() + 16)), size);
        QCOMPARE(int(qFromBigEndian<quint32>(data.constData() + 20)), size);
    }
};

QTEST_GUILESS_MAIN(TestDeckResources)
#include "tst_deck_resources.moc"
