// The generator's geometry, checked without rendering.
#include "Art.h"

#include <QTest>

#include <cmath>
#include <string>

using namespace deckgen;

namespace {

struct Box {
    Pt lo, hi;
};

Box boxOf(const Path &p)
{
    Box b;
    p.bounds(b.lo, b.hi);
    return b;
}

}  // namespace

class TestDeckgen : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data()
    {
        // A table reads best one row a line.
        // clang-format off
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << 224.0 << "224";
        QTest::newRow("one decimal") << 311.8 << "311.8";
        QTest::newRow("rounded") << 0.5523 << "0.55";
        QTest::newRow("trailing zero") << 1.10 << "1.1";
        QTest::newRow("negative") << -17.25 << "-17.25";
        QTest::newRow("negative zero") << -0.001 << "0";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("round up") << 9.999 << "10";
        // clang-format on
    }

    // Numbers must be short, locale-free and stable, or the output would change
    // from one run or machine to the next.
    void numbers()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(num(value)), text);
    }

    void affineComposition()
    {
        // Scale, then move: a point at (1, 2) lands at (2·1 + 10, 2·2 + 20).
        const Affine m = Affine::scale(2, 2).then(Affine::translate(10, 20));
        const Pt p = m.map({1, 2});
        QCOMPARE(p.x, 12.0);
        QCOMPARE(p.y, 24.0);
        // A half turn about the origin, then back into the grid, mirrors both axes.
        const Pt q = Affine::rotate(180).then(Affine::translate(60, 100)).map({10, 20});
        QVERIFY(std::abs(q.x - 50) < 1e-9 && std::abs(q.y - 80) < 1e-9);
        const Pt r = Affine::mirrorX(112).map({100, 5});
        QCOMPARE(r.x, 124.0);
        QCOMPARE(r.y, 5.0);
    }

    void pathText()
    {
        Path p;
        p.M(0, 0).L(10, 0).Q(10, 10, 0, 10).Z();
        QCOMPARE(QString::fromStdString(p.str()),
                 QStringLiteral("M0 0 L10 0 C10 6.67 6.67 10 0 10 Z"));
        const Path mirrored = Path().M(100, 1).L(110, 2).withMirror(112);
        QCOMPARE(QString::fromStdString(mirrored.str()),
                 QStringLiteral("M100 1 L110 2 M124 1 L114 2"));
    }

    void glyphs_data()
    {
        // A table reads best one row a line.
        // clang-format off
        QTest::addColumn<QString>("value");
        for (const char *v : {"A", "2", "3", "4", "5", "6", "7", "8", "9", "J", "Q", "K"})
            QTest::newRow(v) << QString::fromLatin1(v);
        // clang-format on
    }

    // With its stroke, every index glyph must stay inside its 60 × 100 grid, or the
    // index would crowd the card's edge; and each must draw something.
    void glyphs()
    {
        QFETCH(QString, value);
        const Path g = glyph(value.toStdString());
        QVERIFY(!g.empty());
        const Box b = boxOf(g);
        const double half = glyphStroke / 2;
        QVERIFY2(b.lo.x - half >= -1.5 && b.hi.x + half <= glyphW + 1.5, qPrintable(value));
        QVERIFY2(b.lo.y - half >= -0.01 && b.hi.y + half <= glyphH + 0.01, qPrintable(value));
        // Tall enough to read: the ink spans nearly the whole height.
        QVERIFY2(b.hi.y - b.lo.y >= 80, qPrintable(value));
    }

    void tenIsWiderButBounded()
    {
        const Box b = boxOf(glyph("10"));
        const double half = glyphStroke / 2;
        QVERIFY(b.hi.x - b.lo.x > glyphW - 2 * half);
        QVERIFY(b.lo.x - half >= -15 && b.hi.x + half <= glyphW + 15);
        QVERIFY(glyph("T").empty());
    }

    void suits_data()
    {
        // A table reads best one row a line.
        // clang-format off
        QTest::addColumn<char>("suit");
        for (char s : {'S', 'H', 'D', 'C'})
            QTest::newRow(std::string(1, s).c_str()) << s;
        // clang-format on
    }

    // Pips are placed by their centre and scaled from a 100-unit box: a shape that
    // strays out of it would collide with its neighbours on the ten.
    void suits()
    {
        QFETCH(char, suit);
        const Box b = boxOf(suitShape(suit));
        QVERIFY(b.lo.x >= -50 && b.hi.x <= 50 && b.lo.y >= -50 && b.hi.y <= 50);
        QVERIFY(b.hi.x - b.lo.x >= 75 && b.hi.y - b.lo.y >= 90);
        // Symmetric about the vertical axis.
        QVERIFY(std::abs(b.lo.x + b.hi.x) < 1e-9);
        QCOMPARE(isRed(suit), suit == 'H' || suit == 'D');
    }

    void unknownSuitDrawsNothing() { QVERIFY(suitShape('X').empty()); }

    // A fine line becomes a band as wide as the stroke, its ends pushed out as far as a
    // round cap would reach, one closed outline per subpath.
    void fineLineOutline()
    {
        const Path flat = Path().M(0, 0).L(10, 0).fineLineOutline(2);
        QCOMPARE(QString::fromStdString(flat.str()),
                 QStringLiteral("M0 -1 L10 -1 L11 0 L10 1 L0 1 L-1 0 Z"));
        // A right angle: the corner's offsets keep both edges a half width from the line.
        const Path corner = Path().M(0, 0).L(10, 0).L(10, 10).fineLineOutline(2);
        QCOMPARE(QString::fromStdString(corner.str()),
                 QStringLiteral("M0 -1 L11 -1 L11 10 L10 11 L9 10 L9 1 L0 1 L-1 0 Z"));
        const Path two = Path().M(0, 0).L(5, 0).M(0, 10).C(3, 12, 6, 12, 9, 10).fineLineOutline(1);
        QCOMPARE(QString::fromStdString(two.str()).count(QLatin1Char('Z')), 2);
        const Box b = boxOf(two);
        QVERIFY(b.lo.x >= -0.51 && b.hi.x <= 9.51 && b.lo.y >= -0.51 && b.hi.y <= 12.05);
    }

    // Shapes of one colour share an element only where that cannot change the picture:
    // nothing drawn between them may come near the later one.
    void canvasJoinsOnlyWhatLayeringAllows()
    {
        const Path left = Path().rect(10, 10, 10, 10), right = Path().rect(60, 10, 10, 10);
        Canvas apart;
        apart.fill(left, "#111111")
            .fill(Path().rect(30, 10, 10, 10), "#222222")
            .fill(right, "#111111");
        QCOMPARE(apart.elements(), size_t(2));
        QVERIFY(QString::fromStdString(apart.str())
                    .startsWith(QStringLiteral(
                        "<path fill=\"#111111\" d=\"M10 10 L20 10 L20 20 L10 20 Z M60 10")));

        // Over something in between, the shape must stay above it.
        Canvas over;
        over.fill(left, "#111111")
            .fill(Path().rect(50, 5, 30, 20), "#222222")
            .fill(right, "#111111");
        QCOMPARE(over.elements(), size_t(3));

        // Even a clear gap narrower than an antialiased edge counts as near.
        Canvas close;
        close.fill(left, "#111111")
            .fill(Path().rect(21, 10, 10, 10), "#222222")
            .fill(Path().rect(32, 10, 10, 10), "#111111");
        QCOMPARE(close.elements(), size_t(3));

        // Styles must match exactly, and rings (even-odd) never share.
        Canvas styles;
        styles.fill(left, "#111111")
            .line(right, "#111111", 1)
            .fillEvenOdd(Path().rect(100, 10, 5, 5), "#111111");
        styles.fillEvenOdd(Path().rect(120, 10, 5, 5), "#111111");
        QCOMPARE(styles.elements(), size_t(4));
    }

    // A tall path costs the rasteriser more than the elements it saves.
    void canvasKeepsJoinedPathsShort()
    {
        Canvas c;
        c.fill(Path().rect(10, 10, 10, 10), "#111111")
            .fill(Path().rect(10, 200, 10, 10), "#111111");
        QCOMPARE(c.elements(), size_t(2));
        // Side by side they join.
        c.fill(Path().rect(40, 200, 10, 10), "#111111");
        QCOMPARE(c.elements(), size_t(2));
    }

    // A court's lower half is its upper half turned: mapped, in the same order, and
    // each half's shapes kept apart from the other's.
    void canvasAppendsMapped()
    {
        Canvas half;
        half.fill(Path().rect(50, 20, 20, 20), "#111111")
            .fill(Path().rect(55, 25, 5, 5), "#222222");
        Canvas both;
        both.append(half).append(half, Affine::rotate(180).then(Affine::translate(faceW, faceH)));
        QCOMPARE(both.elements(), size_t(4));
        const QString svg = QString::fromStdString(both.str());
        // The turned dark square comes after the light one it lies on.
        const qsizetype square = svg.indexOf(QStringLiteral("M174 293 L154 293"));
        const qsizetype dot = svg.indexOf(QStringLiteral("M169 288 L164 288"));
        QVERIFY2(square > 0 && dot > square, qPrintable(svg));
    }
};

QTEST_GUILESS_MAIN(TestDeckgen)
#include "tst_deckgen.moc"
