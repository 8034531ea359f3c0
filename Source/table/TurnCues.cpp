#include "TurnCues.h"

#include "TableConstants.h"

#include <QBrush>
#include <QFont>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QPen>
#include <QTextDocument>

#include <algorithm>

namespace {

// Where the centred text of a label starts and ends, in the label's own coordinates.
QRectF textExtent(const QGraphicsTextItem &label)
{
    const QRectF box = label.boundingRect();
    const qreal text = std::min(label.document()->idealWidth(), box.width());
    return QRectF(box.x() + (box.width() - text) / 2, box.y(), text, box.height());
}

}  // namespace

TurnCues::TurnCues(const Labels &labels, QObject *parent) : QObject(parent), labels(labels)
{
    label_colour = labels[0]->defaultTextColor();
    QFont cue_font = labels[0]->font();
    cue_font.setPointSize(table::cuePointSize);
    cue_font.setBold(true);
    const QColor mark_colour(255, 193, 37);
    for (std::size_t p = 0; p < labels.size(); ++p) {
        // A soft glow behind the text with a firm line under it; both turn with the label.
        auto *glow = new QGraphicsRectItem(labels[p]);
        glow->setFlag(QGraphicsItem::ItemStacksBehindParent);
        glow->setPen(Qt::NoPen);
        glow->setBrush(QColor(mark_colour.red(), mark_colour.green(), mark_colour.blue(), 90));
        auto *underline = new QGraphicsRectItem(glow);
        underline->setPen(Qt::NoPen);
        underline->setBrush(mark_colour.darker(130));
        glow->hide();
        turn_marks[p] = glow;
        turn_underlines[p] = underline;

        auto *cue = new QGraphicsSimpleTextItem(QStringLiteral("+1"), labels[p]);
        QFont trick_font = labels[p]->font();
        trick_font.setBold(true);
        cue->setFont(trick_font);
        cue->setBrush(table::metColour);
        cue->hide();
        trick_cues[p] = cue;
    }

    your_turn_cue = new QGraphicsSimpleTextItem(tr("Your turn"));
    your_turn_cue->setFont(cue_font);
    your_turn_cue->setBrush(table::metColour);
    your_turn_cue->hide();

    trick_cue_fade.setDuration(table::trickCueDuration);
    trick_cue_fade.setStartValue(1.0);
    trick_cue_fade.setEndValue(0.0);
    trick_cue_fade.setEasingCurve(QEasingCurve::InQuad);
    connect(&trick_cue_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant &v) {
        if (trick_winner_position >= 0)
            trick_cues[std::size_t(trick_winner_position)]->setOpacity(v.toDouble());
    });
    connect(&trick_cue_fade, &QVariantAnimation::finished, this, &TurnCues::clearTrickCue);
}

void TurnCues::placeYourTurnCue(const QPointF &pos)
{
    your_turn_cue->setPos(pos);
}

void TurnCues::setYourTurnVisible(bool visible)
{
    your_turn_cue->setVisible(visible);
}

void TurnCues::clearTrickCue()
{
    trick_cue_fade.stop();
    for (std::size_t p = 0; p < labels.size(); ++p) {
        trick_cues[p]->hide();
        labels[p]->setDefaultTextColor(label_colour);
    }
}

void TurnCues::showTurn(int position)
{
    if (position != turn_position)
        clearTurn();
    if (!table::isTablePosition(position))
        return;
    turn_position = position;
    QGraphicsRectItem *glow = turn_marks[std::size_t(position)];
    const QRectF text = textExtent(*labels[std::size_t(position)]);
    const qreal pad = table::turnMarkPadding;
    const QRectF rect = text.adjusted(-pad, 0, pad, 0);
    glow->setRect(rect);
    turn_underlines[std::size_t(position)]->setRect(
        rect.x(), rect.bottom() - table::turnMarkUnderline, rect.width(), table::turnMarkUnderline);
    glow->show();
}

void TurnCues::clearTurn()
{
    for (QGraphicsRectItem *mark : turn_marks)
        mark->hide();
    turn_position = -1;
}

QGraphicsItem *TurnCues::turnMark(int position) const
{
    return table::isTablePosition(position) ? turn_marks[std::size_t(position)] : nullptr;
}

QGraphicsItem *TurnCues::trickCue(int position) const
{
    return table::isTablePosition(position) ? trick_cues[std::size_t(position)] : nullptr;
}

void TurnCues::showTrickWinner()
{
    const int p = trick_winner_position;
    if (!table::isTablePosition(p))
        return;
    clearTrickCue();  // keeps trick_winner_position: the fade reads it
    QGraphicsTextItem &label = *labels[std::size_t(p)];
    label.setDefaultTextColor(table::metColour);
    QGraphicsSimpleTextItem *cue = trick_cues[std::size_t(p)];
    const QRectF text = textExtent(label);
    cue->setPos(text.right() + table::turnMarkPadding,
                text.y() + (text.height() - cue->boundingRect().height()) / 2);
    cue->setOpacity(1.0);
    cue->show();
    trick_cue_fade.start();
}
