#include "Art.h"

namespace deckgen {

bool isRed(char suit)
{
    return suit == 'H' || suit == 'D';
}

const char *suitInk(char suit)
{
    // A warm crimson and a soft black: both hold up against the white card and read
    // apart from each other at thumbnail size.
    return isRed(suit) ? "#cc1431" : "#17181c";
}

Path suitShape(char suit)
{
    Path p;
    switch (suit) {
    case 'H':
        p.M(0, 47)
            .C(-9, 35, -49, 12, -49, -15)
            .C(-49, -35, -35, -46, -23, -46)
            .C(-11, -46, -3, -38, 0, -27)
            .C(3, -38, 11, -46, 23, -46)
            .C(35, -46, 49, -35, 49, -15)
            .C(49, 12, 9, 35, 0, 47)
            .Z();
        break;
    case 'D':
        p.M(0, -50)
            .C(11, -31, 24, -15, 39, 0)
            .C(24, 15, 11, 31, 0, 50)
            .C(-11, 31, -24, 15, -39, 0)
            .C(-24, -15, -11, -31, 0, -50)
            .Z();
        break;
    case 'S':
        p.M(0, -49)
            .C(9, -35, 48, -15, 48, 9)
            .C(48, 25, 36, 33, 24.5, 33)
            .C(14.5, 33, 7, 28.5, 3.5, 21)
            .C(4.5, 33, 8.5, 42, 17, 48)
            .L(-17, 48)
            .C(-8.5, 42, -4.5, 33, -3.5, 21)
            .C(-7, 28.5, -14.5, 33, -24.5, 33)
            .C(-36, 33, -48, 25, -48, 9)
            .C(-48, -15, -9, -35, 0, -49)
            .Z();
        break;
    case 'C':
        p.circle(0, -24, 22.5);
        p.circle(-24.5, 10, 22.5);
        p.circle(24.5, 10, 22.5);
        p.circle(0, 5, 11);
        p.M(3.5, 12)
            .C(4.5, 30, 8.5, 41, 17, 48)
            .L(-17, 48)
            .C(-8.5, 41, -4.5, 30, -3.5, 12)
            .Z();
        break;
    default:
        break;
    }
    return p;
}

} // namespace deckgen
