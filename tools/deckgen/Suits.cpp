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
        p.M(0, 48)
            .C(-7, 37, -45, 15, -45.5, -13)
            .C(-46, -34, -33, -46, -21.5, -46)
            .C(-10.5, -46, -3, -39, 0, -29)
            .C(3, -39, 10.5, -46, 21.5, -46)
            .C(33, -46, 46, -34, 45.5, -13)
            .C(45, 15, 7, 37, 0, 48)
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
        p.M(0, -50)
            .C(8, -37, 44, -20, 44, 5)
            .C(44, 21, 33.5, 30, 22.5, 30)
            .C(13.5, 30, 7, 26, 3.5, 19)
            .C(4.5, 32, 8.5, 41, 16.5, 48)
            .L(-16.5, 48)
            .C(-8.5, 41, -4.5, 32, -3.5, 19)
            .C(-7, 26, -13.5, 30, -22.5, 30)
            .C(-33.5, 30, -44, 21, -44, 5)
            .C(-44, -20, -8, -37, 0, -50)
            .Z();
        break;
    case 'C':
        p.circle(0, -24, 22.5);
        p.circle(-24.5, 10, 22.5);
        p.circle(24.5, 10, 22.5);
        p.circle(0, 5, 11);
        p.M(3.5, 12).C(4.5, 30, 8.5, 41, 17, 48).L(-17, 48).C(-8.5, 41, -4.5, 30, -3.5, 12).Z();
        break;
    default:
        break;
    }
    return p;
}

}  // namespace deckgen
