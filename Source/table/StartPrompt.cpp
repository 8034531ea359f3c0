#include "StartPrompt.h"

#include "TableConstants.h"

#include <QFont>
#include <QTextDocument>
#include <QTextOption>

namespace {

constexpr qreal promptWidth = 900;     // scene units; long translations wrap inside it
const QColor promptColour(0, 40, 45);  // the table's teal, near black: read on the cloth

}  // namespace

StartPrompt::StartPrompt()
{
    QFont font = this->font();
    font.setPointSize(table::labelPointSize);
    font.setBold(true);
    setFont(font);
    setDefaultTextColor(promptColour);
    setPlainText(tr("Press Ctrl+N or click New Game to start."));
    setTextWidth(promptWidth);
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(Qt::AlignHCenter);
    document()->setDefaultTextOption(option);

    // Centred on the middle of the four places a trick's cards land.
    QPointF middle;
    for (const QPointF &place : table::trickPositions)
        middle += place / table::tablePositions;
    setPos(middle - QPointF(promptWidth / 2, boundingRect().height() / 2));
}
