#include "Art.h"

namespace deckgen {

std::string courtHalf(char rank, char suit)
{
    const std::string ink = suitInk(suit);
    std::string s;
    s += pathEl(Path().rect(45, 19, 134, 137.5), "fill=\"#fbf4e2\"");
    s += pathEl(Path().M(45, 156.5).L(45, 19).L(179, 19).L(179, 156.5),
                "fill=\"none\" stroke=\"" + ink + "\" stroke-width=\"2\"");
    const Path g = glyph(std::string(1, rank)).mapped(Affine::scale(0.8, 0.8).then(Affine::translate(88, 40)));
    s += pathEl(g, "fill=\"none\" stroke=\"" + ink + "\" stroke-width=\"12\" stroke-linecap=\"round\" stroke-linejoin=\"round\"");
    return s;
}

std::string aceOfSpades()
{
    return "<use xlink:href=\"#pip-S\" transform=\"translate(112 156.5) scale(1.3)\"/>";
}

} // namespace deckgen
