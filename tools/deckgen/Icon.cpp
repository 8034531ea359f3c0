#include "Deck.h"

#include "Art.h"

namespace deckgen {

// Two fanned cards on a teal tile: bold enough to read at 16 pixels.
std::string iconDocument()
{
    std::string s;
    s += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    s += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" "
         "width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n";
    s += "<defs><radialGradient id=\"tile\" gradientUnits=\"userSpaceOnUse\" cx=\"110\" cy=\"90\" "
         "r=\"190\">"
         "<stop offset=\"0\" stop-color=\"#38c6d6\"/><stop offset=\"1\" stop-color=\"#006f7e\"/>"
         "</radialGradient></defs>\n";
    s += roundRect(6, 6, 244, 244, 46, "fill=\"url(#tile)\"") + "\n";

    const double cw = 112, ch = 156;
    auto card = [&](double angle, double cx, double cy, const std::string &art) {
        std::string g =
            "<g transform=\"rotate(" + num(angle) + " " + num(cx) + " " + num(cy + 70) + ")\">";
        g += roundRect(cx - cw / 2 - 3, cy - ch / 2 - 3, cw + 6, ch + 6, 17,
                       "fill=\"#0b4f59\" fill-opacity=\"0.35\"");
        g += roundRect(cx - cw / 2, cy - ch / 2, cw, ch, 14, "fill=\"#ffffff\"");
        g += art;
        g += "</g>\n";
        return g;
    };
    const Path heart =
        suitShape('H').mapped(Affine::scale(0.78, 0.78).then(Affine::translate(104, 112)));
    const Path spade =
        suitShape('S').mapped(Affine::scale(0.86, 0.86).then(Affine::translate(150, 136)));
    s += card(-16, 104, 114, pathEl(heart, std::string("fill=\"") + suitInk('H') + "\""));
    s += card(13, 150, 136, pathEl(spade, std::string("fill=\"") + suitInk('S') + "\""));
    s += "</svg>\n";
    return s;
}

}  // namespace deckgen
