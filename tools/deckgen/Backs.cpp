#include "Art.h"

namespace deckgen {

std::string backRed()
{
    std::string s;
    s += roundRect(0, 0, kBackW, kBackH, kCorner, "fill=\"#8c8f96\"");
    s += roundRect(1, 1, kBackW - 2, kBackH - 2, kCorner - 1, "fill=\"#fffefa\"");
    s += roundRect(8, 8, kBackW - 16, kBackH - 16, 7, "fill=\"#b3122a\"");
    s += roundRect(24, 24, kBackW - 48, kBackH - 48, 4, "fill=\"#fbf3e4\"");
    return s;
}

std::string backBlue()
{
    std::string s;
    s += roundRect(0, 0, kBackW, kBackH, kCorner, "fill=\"#8c8f96\"");
    s += roundRect(1, 1, kBackW - 2, kBackH - 2, kCorner - 1, "fill=\"#fffefa\"");
    s += roundRect(8, 8, kBackW - 16, kBackH - 16, 7, "fill=\"#1d3f8a\"");
    return s;
}

} // namespace deckgen
