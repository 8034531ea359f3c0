#include "CardName.h"

#include <QCoreApplication>

QString cardName(const Card &card)
{
    static const char *const values[] = {
        QT_TRANSLATE_NOOP("CardName", "Ace"),   QT_TRANSLATE_NOOP("CardName", "Two"),
        QT_TRANSLATE_NOOP("CardName", "Three"), QT_TRANSLATE_NOOP("CardName", "Four"),
        QT_TRANSLATE_NOOP("CardName", "Five"),  QT_TRANSLATE_NOOP("CardName", "Six"),
        QT_TRANSLATE_NOOP("CardName", "Seven"), QT_TRANSLATE_NOOP("CardName", "Eight"),
        QT_TRANSLATE_NOOP("CardName", "Nine"),  QT_TRANSLATE_NOOP("CardName", "Ten"),
        QT_TRANSLATE_NOOP("CardName", "Jack"),  QT_TRANSLATE_NOOP("CardName", "Queen"),
        QT_TRANSLATE_NOOP("CardName", "King")};
    static const char *const suits[] = {
        QT_TRANSLATE_NOOP("CardName", "Spades"), QT_TRANSLATE_NOOP("CardName", "Hearts"),
        QT_TRANSLATE_NOOP("CardName", "Diamonds"), QT_TRANSLATE_NOOP("CardName", "Clubs")};
    if (card.value < Ace || card.value > King || card.suit < Spades || card.suit > Clubs)
        return QCoreApplication::translate("CardName", "no card");
    //: A card: %1 is its value ("Queen"), %2 its suit ("Spades").
    return QCoreApplication::translate("CardName", "%1 of %2")
        .arg(QCoreApplication::translate("CardName", values[card.value - 1]),
             QCoreApplication::translate("CardName", suits[card.suit - 1]));
}
