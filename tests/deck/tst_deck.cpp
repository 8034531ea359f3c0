#include "Card.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

const QString deckPath = QStringLiteral(":/svg/cards/svgcards");

QStringList faceIds()
{
    QStringList ids;
    for (const std::string &id : faceElementIds())
        ids << QString::fromStdString(id);
    return ids;
}

QStringList allIds()
{
    return faceIds() << QStringLiteral("BACK_RED1") << QStringLiteral("BACK_BLUE1");
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QStringList g_messages;

void collectMessages(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_messages << text;
}

bool isInk(QRgb px, bool red)
{
    if (qAlpha(px) < 200)
        return false;
    const int r = qRed(px), g = qGreen(px), b = qBlue(px);
    return red ? (r > 150 && g < 90 && b < 110) : (r < 80 && g < 80 && b < 80);
}

}  // namespace

class TestDeck : public QObject
{
    Q_OBJECT

private slots:
    // Loading must be silent too: QtSvg warns about what it does not understand.
    void initTestCase()
    {
        g_messages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collectMessages);
        const bool loaded = renderer.load(deckPath);
        qInstallMessageHandler(previous);
        QVERIFY(loaded);
        QVERIFY(renderer.isValid());
        QVERIFY2(g_messages.isEmpty(), qPrintable(g_messages.join(QLatin1Char('\n'))));
    }

    void documentSize()
    {
        QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 3060, 1620));
        QCOMPARE(renderer.defaultSize(), QSize(3060, 1620));
    }

    void elementSize_data()
    {
        // A table reads best one row a line.
        // clang-format off
        QTest::addColumn<QString>("id");
        QTest::addColumn<QSizeF>("size");
        for (const QString &id : faceIds())
            QTest::newRow(qPrintable(id)) << id << QSizeF(224, 313);
        QTest::newRow("BACK_RED1") << QStringLiteral("BACK_RED1") << QSizeF(223, 312);
        QTest::newRow("BACK_BLUE1") << QStringLiteral("BACK_BLUE1") << QSizeF(223, 312);
        // clang-format on
    }

    // The table lays cards out by these measurements, so they must be exact.
    void elementSize()
    {
        QFETCH(QString, id);
        QFETCH(QSizeF, size);
        QVERIFY(renderer.elementExists(id));
        const QRectF bounds = renderer.boundsOnElement(id);
        QVERIFY2(qAbs(bounds.width() - size.width()) < 1e-6
                     && qAbs(bounds.height() - size.height()) < 1e-6,
                 qPrintable(QStringLiteral("%1 measures %2 x %3")
                                .arg(id)
                                .arg(bounds.width())
                                .arg(bounds.height())));
    }

    void elementsLieApartOnTheSheet()
    {
        const QRectF sheet(0, 0, 3060, 1620);
        QList<QRectF> seen;
        for (const QString &id : allIds()) {
            const QRectF b = renderer.boundsOnElement(id);
            QVERIFY2(sheet.contains(b), qPrintable(id));
            for (const QRectF &other : std::as_const(seen))
                QVERIFY2(!other.intersects(b), qPrintable(id));
            seen << b;
        }
    }

    // Only what QtSvg draws faithfully: no text or fonts, no filters, masks, clipping,
    // patterns or CSS; every reference points at an element that exists.
    void onlyPlainSvg()
    {
        const QSet<QString> forbiddenElements = {"text",          "tspan",   "textArea", "font",
                                                 "font-face",     "glyph",   "filter",   "mask",
                                                 "clipPath",      "pattern", "style",    "image",
                                                 "foreignObject", "script",  "symbol",   "marker"};
        const QSet<QString> forbiddenAttributes = {"style",  "class", "font-family", "font-size",
                                                   "filter", "mask",  "clip-path",   "font"};
        QXmlStreamReader xml(readAll(deckPath));
        QSet<QString> ids;
        QStringList refs;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString name = xml.name().toString();
            QVERIFY2(!forbiddenElements.contains(name), qPrintable(name));
            for (const QXmlStreamAttribute &a : xml.attributes()) {
                QVERIFY2(!forbiddenAttributes.contains(a.name().toString()),
                         qPrintable(a.name().toString()));
                if (a.name() == QLatin1String("id")) {
                    QVERIFY2(!ids.contains(a.value().toString()), qPrintable(a.value().toString()));
                    ids.insert(a.value().toString());
                }
                if (a.name() == QLatin1String("href"))
                    refs << a.value().toString();
                if (a.value().startsWith(QLatin1String("url(#")))
                    refs << a.value().mid(4, a.value().size() - 5).toString();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(!refs.isEmpty());
        for (const QString &ref : std::as_const(refs))
            QVERIFY2(ref.startsWith(QLatin1Char('#')) && ids.contains(ref.mid(1)), qPrintable(ref));
    }

    // Every card is drawn by one group of plain paths: no <use> to resolve and no nested
    // transforms to apply on each repaint, and no more paths than a court needs now.
    void cardsAreFlatPaths()
    {
        QXmlStreamReader xml(readAll(deckPath));
        const QStringList ids = allIds();
        QString card;
        int depth = 0, paths = 0, cards = 0;
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::StartElement) {
                const QString id = xml.attributes().value(QLatin1String("id")).toString();
                if (card.isEmpty() && ids.contains(id)) {
                    card = id;
                    depth = 0;
                    paths = 0;
                    ++cards;
                    continue;
                }
                if (card.isEmpty())
                    continue;
                ++depth;
                QVERIFY2(xml.name() == QLatin1String("path") && depth == 1,
                         qPrintable(card + QStringLiteral(" holds <") + xml.name().toString()
                                    + QLatin1Char('>')));
                ++paths;
            } else if (token == QXmlStreamReader::EndElement && !card.isEmpty()) {
                if (depth-- == 0) {
                    QVERIFY2(paths <= 64,
                             qPrintable(QStringLiteral("%1 draws %2 paths").arg(card).arg(paths)));
                    card.clear();
                }
            }
        }
        QCOMPARE(cards, int(ids.size()));
    }

    // A gradient filling many rows is drawn by worker threads, and the waiting costs
    // more than the drawing: gradient fills must stay within 25 pixel rows at the card
    // size of a 1080p screen (24, and the overlap with the piece above).
    void gradientFillsAreShort()
    {
        QXmlStreamReader xml(readAll(deckPath));
        int gradientPaths = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement
                || xml.name() != QLatin1String("path"))
                continue;
            if (!xml.attributes().value(QLatin1String("fill")).startsWith(QLatin1String("url(")))
                continue;
            ++gradientPaths;
            const QString d = xml.attributes().value(QLatin1String("d")).toString();
            // Polygons only: every number pair after M or L is a point.
            const QStringList words = d.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            double top = 1e9, bottom = -1e9;
            for (qsizetype i = 0; i + 1 < words.size(); ++i) {
                const QString w = words[i];
                if (w.startsWith(QLatin1Char('M')) || w.startsWith(QLatin1Char('L'))) {
                    bool ok = false;
                    const double y = words[i + 1].toDouble(&ok);
                    QVERIFY2(ok, qPrintable(d));
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                } else {
                    QVERIFY2(w == QLatin1String("Z") || !w.at(0).isLetter(), qPrintable(d));
                }
            }
            const double rows = (bottom - top) * 149 / 312;
            QVERIFY2(rows <= 25, qPrintable(QStringLiteral("%1 rows: %2").arg(rows).arg(d)));
        }
        QVERIFY(gradientPaths > 0);
    }

    void rendersCleanly_data()
    {
        // A table reads best one row a line.
        // clang-format off
        QTest::addColumn<QString>("id");
        for (const QString &id : allIds())
            QTest::newRow(qPrintable(id)) << id;
        // clang-format on
    }

    // At the size of a card on a 1080p screen: no complaints from QtSvg, transparent
    // outside the rounded corners, opaque inside, and for a face the top-left index
    // (the only part of a card that shows in an overlapped hand) in the suit's ink.
    void rendersCleanly()
    {
        QFETCH(QString, id);
        QImage image(106, 149, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        g_messages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collectMessages);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            renderer.render(&p, id, QRectF(0, 0, 106, 149));
        }
        qInstallMessageHandler(previous);
        QVERIFY2(g_messages.isEmpty(), qPrintable(g_messages.join(QLatin1Char('\n'))));

        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(105, 148)), 0);
        QCOMPARE(qAlpha(image.pixel(53, 74)), 255);
        QCOMPARE(qAlpha(image.pixel(1, 74)), 255);
        if (id.startsWith(QLatin1String("BACK")))
            return;
        const bool red = id.endsWith(QLatin1Char('H')) || id.endsWith(QLatin1Char('D'));
        int ink = 0, wrongInk = 0;
        for (int y = 2; y < 42; ++y) {
            for (int x = 2; x < 22; ++x) {
                ink += isInk(image.pixel(x, y), red);
                wrongInk += isInk(image.pixel(x, y), !red);
            }
        }
        QVERIFY2(ink >= 40,
                 qPrintable(QStringLiteral("%1: only %2 index pixels").arg(id).arg(ink)));
        QCOMPARE(wrongInk, 0);
    }

    // The faces must differ from each other where a player looks: the corner index.
    void indicesAreDistinct()
    {
        QSet<QByteArray> seen;
        for (const QString &id : faceIds()) {
            QImage image(106, 149, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter p(&image);
            renderer.render(&p, id, QRectF(0, 0, 106, 149));
            p.end();
            const QImage corner = image.copy(0, 0, 22, 44);
            const QByteArray bytes(reinterpret_cast<const char *>(corner.constBits()),
                                   corner.sizeInBytes());
            QVERIFY2(!seen.contains(bytes), qPrintable(id));
            seen.insert(bytes);
        }
    }

    void generatorIsDeterministic()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString a = dir.filePath(QStringLiteral("a.svg")),
                      b = dir.filePath(QStringLiteral("b.svg"));
        QCOMPARE(QProcess::execute(QStringLiteral(DECKGEN_PATH), {a}), 0);
        QCOMPARE(QProcess::execute(QStringLiteral(DECKGEN_PATH), {b}), 0);
        const QByteArray first = readAll(a);
        QVERIFY(first.size() > 10000);
        QVERIFY(first == readAll(b));
        // The compiled-in deck is what the generator makes now, not a stale copy.
        QVERIFY(first == readAll(deckPath));
        QVERIFY2(first.size() < 500 * 1024, qPrintable(QString::number(first.size())));
    }

    void generatorFailsCleanly()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QProcess gen;
        gen.start(QStringLiteral(DECKGEN_PATH), {});
        QVERIFY(gen.waitForFinished());
        QCOMPARE(gen.exitCode(), 2);
        QVERIFY(gen.readAllStandardError().contains("usage"));

        // An unwritable target leaves neither the target nor a temporary behind.
        const QString target = dir.filePath(QStringLiteral("missing/deck.svg"));
        gen.start(QStringLiteral(DECKGEN_PATH), {target});
        QVERIFY(gen.waitForFinished());
        QCOMPARE(gen.exitCode(), 1);
        QVERIFY(!QFile::exists(target));
        QVERIFY(!QFile::exists(target + QStringLiteral(".tmp")));

        // A lone option is not taken for a file name.
        gen.setWorkingDirectory(dir.path());
        gen.start(QStringLiteral(DECKGEN_PATH), {QStringLiteral("--icon")});
        QVERIFY(gen.waitForFinished());
        QCOMPARE(gen.exitCode(), 2);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("--icon"))));

        // A run that cannot write keeps the previous deck whole.
        const QString existing = dir.filePath(QStringLiteral("deck.svg"));
        QFile keep(existing);
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.write("old");
        keep.close();
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("deck.svg.tmp")));
        QCOMPARE(QProcess::execute(QStringLiteral(DECKGEN_PATH), {existing}), 1);
        QCOMPARE(readAll(existing), QByteArray("old"));
    }

    void iconDocument()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("icon.svg"));
        QCOMPARE(QProcess::execute(QStringLiteral(DECKGEN_PATH), {QStringLiteral("--icon"), path}),
                 0);
        // The committed icon is the generator's current output.
        QCOMPARE(readAll(path), readAll(QStringLiteral(":/icons/tolvanmere.svg")));
        QSvgRenderer icon(path);
        QVERIFY(icon.isValid());
        QCOMPARE(icon.defaultSize(), QSize(256, 256));
    }

private:
    QSvgRenderer renderer;
};

QTEST_MAIN(TestDeck)
#include "tst_deck.moc"
