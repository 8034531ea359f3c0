// The table's layout as a function of the card sizes, checked by what a player sees rather
// than by its numbers: hands apart, played cards landing clear of them, the human at the
// bottom, each label beside its own hand and clear of every card.

#include "TableConstants.h"
#include "TableGeometry.h"

#include <QPolygonF>
#include <QTest>
#include <QTransform>

#include <vector>

namespace {

// About a 30-point line of a label at the view's 96 dots per inch.
constexpr double labelHeight = 56;

QPolygonF tilted(QPointF pos, QSizeF size, double angle)
{
    return QTransform()
        .translate(pos.x(), pos.y())
        .rotate(angle)
        .map(QPolygonF(QRectF(QPointF(), size)));
}

struct Table {
    std::vector<std::vector<QPolygonF>> hands;  // per table position, its 13 cards
    std::vector<QPolygonF> labels;
};

Table laidOut(const table::HandSizes &sizes)
{
    const table::TableGeometry geometry = table::tableGeometry(sizes);
    Table laid;
    for (int p = 0; p < table::tablePositions; ++p) {
        std::vector<QPolygonF> cards;
        for (int i = 0; i < table::cardsPerHand; ++i)
            cards.push_back(tilted(geometry.hands[std::size_t(p)].card(i),
                                   sizes.first[std::size_t(p)], table::cardRotation));
        laid.hands.push_back(cards);
        const table::LabelPlace &label = geometry.labels[std::size_t(p)];
        laid.labels.push_back(
            tilted(label.pos, QSizeF(label.text_width, labelHeight), label.rotation));
    }
    return laid;
}

bool overlaps(const std::vector<QPolygonF> &cards, const QPolygonF &shape)
{
    for (const QPolygonF &card : cards)
        if (card.intersects(shape))
            return true;
    return false;
}

QPointF centre(const std::vector<QPolygonF> &cards)
{
    return (cards.front().boundingRect().center() + cards.back().boundingRect().center()) / 2;
}

}  // namespace

class TestTableGeometry : public QObject
{
    Q_OBJECT

private slots:
    void aTableAsPlayersSeeIt_data();
    void aTableAsPlayersSeeIt();
};

void TestTableGeometry::aTableAsPlayersSeeIt_data()
{
    QTest::addColumn<QSizeF>("opponents");
    QTest::addColumn<QSizeF>("human");
    const QSizeF face(224, 313);
    const QSizeF back(223.4, 312.6);  // a back is a little smaller than a face
    QTest::newRow("Learning Mode") << face << face;
    QTest::newRow("hidden hands") << back << face;
    QTest::newRow("all backs") << back << back;
}

void TestTableGeometry::aTableAsPlayersSeeIt()
{
    QFETCH(QSizeF, opponents);
    QFETCH(QSizeF, human);
    for (const double left_before : {opponents.width(), human.width()}) {
        table::HandSizes sizes = table::uniformSizes(opponents);
        sizes.first[table::humanPosition] = sizes.last[table::humanPosition] = human;
        sizes.left_width_before = left_before;
        const Table laid = laidOut(sizes);

        for (int p = 0; p < table::tablePositions; ++p) {
            const std::vector<QPolygonF> &hand = laid.hands[std::size_t(p)];
            for (int q = 0; q < table::tablePositions; ++q) {
                if (q != p)
                    for (const QPolygonF &card : laid.hands[std::size_t(q)])
                        QVERIFY2(!overlaps(hand, card), "two hands overlap");
                QVERIFY2(!overlaps(laid.hands[std::size_t(q)], laid.labels[std::size_t(p)]),
                         "a label lies over cards");
                // A card played from any seat lands clear of every hand.
                QVERIFY2(!overlaps(hand, tilted(table::trickPositions[std::size_t(q)], human, 0)),
                         "a played card covers a hand");
            }
            // Each label stands nearer its own hand than any other.
            const QPointF label = laid.labels[std::size_t(p)].boundingRect().center();
            for (int q = 0; q < table::tablePositions; ++q)
                QVERIFY((label - centre(hand)).manhattanLength()
                        <= (label - centre(laid.hands[std::size_t(q)])).manhattanLength());
        }
        // The human at the bottom, the others round the table in their places.
        const auto at = [&](int p) { return centre(laid.hands[std::size_t(p)]); };
        QVERIFY(at(table::Bottom).y() > at(table::Left).y()
                && at(table::Left).y() > at(table::Top).y());
        QVERIFY(at(table::Bottom).y() > at(table::Right).y()
                && at(table::Right).y() > at(table::Top).y());
        QVERIFY(at(table::Left).x() < at(table::Top).x()
                && at(table::Top).x() < at(table::Right).x());
        QVERIFY(at(table::Left).x() < at(table::Bottom).x()
                && at(table::Bottom).x() < at(table::Right).x());
    }
}

QTEST_APPLESS_MAIN(TestTableGeometry)
#include "tst_tablegeometry.moc"
