#include "Art.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace deckgen {

namespace {

// The upper half of the court panel, in card units. The figure is a bust facing the
// player, drawn flat with a thin dark outline like a printed woodcut.
constexpr double kLeft = 45, kRight = 179, kTop = 19, kMid = 156.5;
constexpr double kCx = 112;

constexpr const char *kLine = "#2a211b";
constexpr const char *kSkin = "#f6d9b8";
constexpr const char *kGold = "#e2ad2c";
constexpr const char *kGoldDark = "#a8741a";
constexpr const char *kBlue = "#2c5aa6";
constexpr const char *kCream = "#fbf5e6";
constexpr const char *kErmine = "#fdfcf7";

std::string fill(const Path &p, const std::string &colour, double outline = 0.9)
{
    std::string attrs = "fill=\"" + colour + "\"";
    if (outline > 0)
        attrs += std::string(" stroke=\"") + kLine + "\" stroke-width=\"" + num(outline) + "\" stroke-linejoin=\"round\"";
    return pathEl(p, attrs);
}

std::string line(const Path &p, const std::string &colour, double width)
{
    return pathEl(p, "fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" + num(width) +
                         "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"");
}

// Where a ray from c at the given angle leaves the rectangle, c being inside it.
Pt rayExit(Pt c, double degrees, double x0, double y0, double x1, double y1)
{
    const Pt d = Affine::rotate(degrees).map({1, 0});
    double t = 1e9;
    if (d.x > 1e-9)
        t = std::min(t, (x1 - c.x) / d.x);
    if (d.x < -1e-9)
        t = std::min(t, (x0 - c.x) / d.x);
    if (d.y > 1e-9)
        t = std::min(t, (y1 - c.y) / d.y);
    if (d.y < -1e-9)
        t = std::min(t, (y0 - c.y) / d.y);
    return {c.x + t * d.x, c.y + t * d.y};
}

double angleOf(Pt c, Pt p)
{
    double a = std::atan2(p.y - c.y, p.x - c.x) * 180.0 / 3.14159265358979323846;
    return a < 0 ? a + 360 : a;
}

std::string panel(char suit)
{
    std::string s;
    s += pathEl(Path().rect(kLeft, kTop, kRight - kLeft, kMid - kTop), std::string("fill=\"") + kCream + "\"");
    // A faint sunburst behind the figure gives the panel depth without competing with
    // it; each ray is cut to the panel by hand, corners included.
    const Pt c{kCx, 84};
    const Pt corners[] = {{kRight, kMid}, {kLeft, kMid}, {kLeft, kTop}, {kRight, kTop}};
    Path rays;
    for (int i = 0; i < 18; ++i) {
        const double a0 = i * 20.0 + 5, a1 = a0 + 10;
        std::vector<Pt> poly{c, rayExit(c, a0, kLeft, kTop, kRight, kMid)};
        for (const Pt &k : corners) {
            const double a = angleOf(c, k);
            if (a > a0 && a < a1)
                poly.push_back(k);
        }
        poly.push_back(rayExit(c, a1, kLeft, kTop, kRight, kMid));
        rays.polygon(poly);
    }
    s += pathEl(rays, std::string("fill=\"") + (isRed(suit) ? "#f6e4cf" : "#e9e6dc") + "\"");
    return s;
}

Path robe()
{
    Path p;
    p.M(kLeft + 1, kMid).L(kLeft + 1, 136)
        .C(52, 121, 72, 114, 93, 111)
        .L(104, 104).L(120, 104).L(131, 111)
        .C(152, 114, 172, 121, kRight - 1, 136)
        .L(kRight - 1, kMid).Z();
    return p;
}

const char *sheen(const std::string &colour)
{
    if (colour == kBlue)
        return "#6c8fd0";
    return colour == suitInk('H') ? "#e8576a" : "#585d6b";
}

// The robe with its folds and a gold hem along the middle of the card.
std::string robeWithHem(const std::string &colour)
{
    std::string s = fill(robe(), colour);
    Path folds;
    folds.M(66, 124).C(62, 134, 62, 142, 64, 149).M(82, 117).C(80, 128, 81, 138, 84, 149);
    s += line(folds.withMirror(kCx), sheen(colour), 1.2);
    s += fill(Path().rect(kLeft + 1, 149.5, kRight - kLeft - 2, 4), kGold, 0.6);
    Path dots;
    for (int i = 0; i < 13; ++i)
        dots.circle(kLeft + 7 + i * 10, 151.5, 0.9);
    s += pathEl(dots, std::string("fill=\"") + kLine + "\"");
    return s;
}

// The head is drawn a little larger than the body, as on a printed court card.
std::string headGroup(const std::string &content)
{
    constexpr double k = 1.16, ox = kCx, oy = 104;
    return "<g transform=\"matrix(" + num(k) + " 0 0 " + num(k) + " " + num(ox * (1 - k)) + " " +
           num(oy * (1 - k)) + ")\">" + content + "</g>";
}

std::string neckAndHead()
{
    std::string s;
    s += fill(Path().rect(104.5, 94, 15, 14), kSkin, 0.8);
    s += fill(Path().ellipse(kCx, 83, 14.5, 18), kSkin, 0.9);
    return s;
}

std::string faceFeatures(bool lashes)
{
    std::string s;
    Path eyes;
    eyes.ellipse(106.2, 81.5, 1.9, 1.4).ellipse(117.8, 81.5, 1.9, 1.4);
    s += pathEl(eyes, std::string("fill=\"") + kLine + "\"");
    Path brows;
    brows.M(103, 77.5).Q(106, 75.5, 109.5, 77).M(114.5, 77).Q(118, 75.5, 121, 77.5);
    s += line(brows, kLine, 0.9);
    s += line(Path().M(111.6, 84).C(110.8, 87, 110.2, 88.5, 111, 89.8).Q(112, 90.6, 113.4, 89.8), "#b7805c", 0.9);
    s += line(Path().M(108.5, 94.5).Q(112, 96.8, 115.5, 94.5), "#b8323a", 1.3);
    if (lashes) {
        Path l;
        l.M(103.8, 80.6).L(102.6, 79.6).M(120.2, 80.6).L(121.4, 79.6);
        s += line(l, kLine, 0.7);
    }
    return s;
}

std::string hand(double x, double y)
{
    return fill(Path().ellipse(x, y, 6, 5), kSkin, 0.8);
}

std::string suitBadge(char suit, double x, double y)
{
    return pathEl(suitShape(suit).mapped(Affine::scale(0.17, 0.17).then(Affine::translate(x, y))),
                  std::string("fill=\"") + suitInk(suit) + "\"");
}

// King: a crown of three points, a white beard, ermine on the shoulders and a sword.
std::string king(char suit)
{
    const std::string ink = suitInk(suit);
    std::string s;
    s += robeWithHem(ink);
    // Ermine collar: a white band over the shoulders with the black tails of the fur.
    Path collar;
    collar.M(kLeft + 1, 139).C(56, 125, 74, 118, 94, 114.5)
        .L(104, 108).L(120, 108).L(130, 114.5)
        .C(150, 118, 168, 125, kRight - 1, 139)
        .L(kRight - 1, 147).C(166, 134, 148, 127, 128, 124)
        .L(112, 140).L(96, 124)
        .C(76, 127, 58, 134, kLeft + 1, 147).Z();
    s += fill(collar, kErmine, 0.8);
    Path tails;
    for (Pt t : {Pt{58, 133}, Pt{74, 124.5}, Pt{150, 124.5}, Pt{166, 133}, Pt{104, 118}, Pt{120, 118}})
        tails.M(t.x, t.y - 2).L(t.x + 1.6, t.y + 2.6).L(t.x - 1.6, t.y + 2.6).Z();
    s += pathEl(tails, std::string("fill=\"") + kLine + "\"");
    // Chain of office.
    s += line(Path().M(96, 124).Q(112, 148, 128, 124), kGold, 2.2);
    s += fill(Path().circle(112, 137, 3.2), kGold, 0.7);

    std::string head = neckAndHead();
    // Grey hair at the temples, under the crown.
    Path hair;
    hair.M(97.5, 70).C(94, 76, 95, 88, 98.5, 92).L(100.5, 80).Z();
    head += fill(hair.withMirror(kCx), "#d9d4ca", 0.8);
    head += faceFeatures(false);
    Path beard;
    beard.M(98.3, 87).C(99, 104, 106, 113, 112, 116).C(118, 113, 125, 104, 125.7, 87)
        .C(122, 95, 118, 98, 112, 98).C(106, 98, 102, 95, 98.3, 87).Z();
    head += fill(beard, "#e4dfd4", 0.8);
    head += line(Path().M(106, 103).Q(108, 108, 111, 111).M(118, 103).Q(116, 108, 113, 111), "#bdb5a6", 0.7);
    Path moustache;
    moustache.M(112, 91.5).C(108, 90, 104, 91, 101.5, 95).C(105, 93.5, 109, 94, 112, 93.5)
        .C(115, 94, 119, 93.5, 122.5, 95).C(120, 91, 116, 90, 112, 91.5).Z();
    head += fill(moustache, "#cfc8bb", 0.6);
    Path crown;
    crown.M(96.5, 70).L(94, 49).L(103.5, 58.5).L(112, 45).L(120.5, 58.5).L(130, 49).L(127.5, 70).Z();
    head += fill(crown, kGold, 0.9);
    head += fill(Path().rect(96, 64.5, 32, 6.5), kGoldDark, 0.8);
    Path gems;
    gems.circle(104, 67.7, 1.9).circle(112, 67.7, 1.9).circle(120, 67.7, 1.9);
    gems.circle(94, 48, 2.4).circle(112, 44, 2.6).circle(130, 48, 2.4);
    head += pathEl(gems, std::string("fill=\"") + (isRed(suit) ? kBlue : "#c8102e") + "\"");
    s += headGroup(head);

    // The sword, upright in the right hand.
    Path blade;
    blade.M(158, 119).L(158, 40).L(161, 30).L(164, 40).L(164, 119).Z();
    s += fill(blade, "#e3e7ee", 0.8);
    s += line(Path().M(161, 40).L(161, 115), "#aeb5c2", 0.8);
    s += fill(Path().rect(150, 118, 22, 4.5), kGold, 0.8);
    s += fill(Path().rect(158.5, 122.5, 5, 16), "#6b3f22", 0.7);
    s += hand(161, 131);
    s += suitBadge(suit, 58, 33);
    return s;
}

// Queen: long hair, a coronet of pearls, a square-necked gown and a flower.
std::string queen(char suit)
{
    const std::string ink = suitInk(suit);
    const char *hairColour = isRed(suit) ? "#b8782e" : "#6a3d1f";
    std::string s;
    // Hair falls behind the head down to the shoulders.
    Path hair;
    hair.M(112, 63).C(96, 63, 92, 76, 93, 90).C(93.5, 100, 91, 106, 87, 112)
        .L(104, 112).L(104, 96).Z();
    s += headGroup(fill(hair.withMirror(kCx), hairColour, 0.8));
    s += robeWithHem(ink);
    // Bodice in blue with a gold edge, square at the neck.
    Path bodice;
    bodice.M(97, 113).L(127, 113).L(124, 149.5).L(100, 149.5).Z();
    s += fill(bodice, kBlue, 0.8);
    s += line(Path().M(97, 113).L(127, 113), kGold, 2.4);
    s += line(Path().M(112, 116).L(112, 149), kGold, 1.6);
    Path lacing;
    for (double y = 121; y < 146; y += 7)
        lacing.M(107, y).L(112, y + 3).L(117, y);
    s += line(lacing, kGold, 0.9);
    // Puffed sleeves.
    Path sleeve;
    sleeve.M(kLeft + 1, 140).C(52, 128, 66, 120, 80, 118).C(84, 126, 82, 136, 76, 146)
        .C(64, 146, 54, 146, kLeft + 1, 149.5).Z();
    s += fill(sleeve.withMirror(kCx), ink, 0.8);
    Path sleeveLines;
    sleeveLines.M(56, 134).Q(64, 131, 72, 136).M(168, 134).Q(160, 131, 152, 136);
    s += line(sleeveLines, kGold, 1.4);

    std::string head = neckAndHead();
    Path fringe;
    fringe.M(97.7, 77).C(98, 66, 105, 63.5, 112, 63.5).C(119, 63.5, 126, 66, 126.3, 77)
        .C(121, 72, 116, 70.5, 112, 71.5).C(108, 70.5, 103, 72, 97.7, 77).Z();
    head += fill(fringe, hairColour, 0.8);
    head += faceFeatures(true);
    head += line(Path().M(104.5, 105).Q(112, 112, 119.5, 105), "#fdfcf7", 2);
    Path coronet;
    coronet.M(98, 67).L(98, 60).C(101, 56, 104, 56, 105, 60).C(107, 53, 117, 53, 119, 60)
        .C(120, 56, 123, 56, 126, 60).L(126, 67).Z();
    head += fill(coronet, kGold, 0.8);
    Path pearls;
    pearls.circle(101.5, 56.5, 2).circle(112, 52.5, 2.6).circle(122.5, 56.5, 2);
    pearls.circle(105, 64, 1.2).circle(112, 64, 1.4).circle(119, 64, 1.2);
    head += fill(pearls, "#fdfcf7", 0.6);
    s += headGroup(head);

    // The flower, held up in the left hand.
    s += line(Path().M(65, 127).C(66, 108, 62, 90, 65, 62), "#3d7a3a", 2);
    Path leaves;
    leaves.M(64.5, 100).C(57, 96, 54, 90, 55, 86).C(61, 88, 64, 93, 64.5, 100).Z();
    leaves.M(65, 86).C(72, 83, 75, 78, 75, 73).C(69, 75, 66, 80, 65, 86).Z();
    s += fill(leaves, "#4f9a48", 0.7);
    Path petals;
    for (int i = 0; i < 5; ++i) {
        const Pt c = Affine::rotate(i * 72.0 - 90).map({6.5, 0});
        petals.circle(65 + c.x, 57 + c.y, 5.2);
    }
    s += fill(petals, isRed(suit) ? ink : std::string(kBlue), 0.7);
    s += fill(Path().circle(65, 57, 3.4), kGold, 0.6);
    s += hand(65, 128);
    s += suitBadge(suit, 166, 33);
    return s;
}

// Jack: a young face with a bob of hair, a feathered beret, a striped tunic and a halberd.
std::string jack(char suit)
{
    const std::string ink = suitInk(suit);
    std::string s;
    s += robeWithHem(kBlue);
    Path stripes;
    stripes.M(70, 115.6).L(80, 113.7).L(84, 149.5).L(72, 149.5).Z();
    stripes.M(100, 110).L(106, 104).L(108, 149.5).L(98, 149.5).Z();
    s += fill(stripes.withMirror(kCx), ink, 0.6);
    Path collar;
    collar.M(98, 109).L(112, 121).L(126, 109).L(128, 113).L(112, 127).L(96, 113).Z();
    s += fill(collar, kGold, 0.8);

    std::string head = neckAndHead();
    Path hair;
    hair.M(112, 66.5).C(101, 66.5, 95, 72, 95.5, 82).C(95.8, 88, 95, 93, 93.5, 97)
        .C(97, 97, 99, 95, 99.5, 92).C(99, 84, 100, 77, 104, 75).C(108, 76, 111, 75.5, 112, 74).Z();
    head += fill(hair.withMirror(kCx), "#8a5527", 0.8);
    head += faceFeatures(false);
    // A plume swept back over the beret.
    Path plume;
    plume.M(120, 63).C(118, 52, 130, 40, 150, 36)
        .C(147, 40, 151, 42, 147, 46).C(150, 48, 146, 51, 144, 52)
        .C(146, 55, 141, 57, 138, 58).C(138, 61, 132, 62.5, 126, 64).Z();
    head += fill(plume, kErmine, 0.8);
    Path barbs;
    barbs.M(122, 62).C(126, 52, 136, 43, 148, 38);
    barbs.M(128, 54).L(137, 53).M(133, 48).L(142, 47).M(127, 58.5).L(134, 59.5);
    head += line(barbs, "#b9b2a4", 0.8);
    // Beret: a soft crown tilted to the right over a gold band.
    Path beret;
    beret.M(95, 70).C(92, 60, 101, 53, 114, 53.5).C(127, 54, 135, 60, 131, 68).Z();
    head += fill(beret, ink, 0.8);
    head += fill(Path().M(94, 71.5).C(96, 66, 128, 65, 131, 68.5).C(131, 72, 96, 74.5, 94, 71.5).Z(), kGold, 0.8);
    head += fill(Path().circle(113, 53.8, 2.2), kGold, 0.6);
    s += headGroup(head);

    // The halberd in the left hand.
    s += fill(Path().rect(61.5, 38, 3.6, 104), "#7a4a26", 0.7);
    Path blade;
    blade.M(63.3, 26).L(66.5, 38).L(60, 38).Z();
    blade.M(65, 40).C(74, 38, 78, 44, 79, 52).C(74, 50, 69, 51, 65, 54).Z();
    blade.M(61.5, 42).L(54, 46).L(61.5, 48).Z();
    s += fill(blade, "#d8dde6", 0.8);
    s += hand(63.3, 125);
    s += suitBadge(suit, 166, 33);
    return s;
}

} // namespace

std::string courtHalf(char rank, char suit)
{
    std::string s = panel(suit);
    switch (rank) {
    case 'K':
        s += king(suit);
        break;
    case 'Q':
        s += queen(suit);
        break;
    default:
        s += jack(suit);
        break;
    }
    return s;
}

std::string courtFrame(char suit)
{
    std::string s;
    s += pathEl(Path().rect(kLeft, kTop, kRight - kLeft, 2 * (kMid - kTop)),
                std::string("fill=\"none\" stroke=\"") + suitInk(suit) + "\" stroke-width=\"1.6\"");
    s += pathEl(Path().rect(kLeft + 2.6, kTop + 2.6, kRight - kLeft - 5.2, 2 * (kMid - kTop) - 5.2),
                std::string("fill=\"none\" stroke=\"") + kGold + "\" stroke-width=\"1\"");
    s += pathEl(Path().M(kLeft, kMid).L(kRight, kMid),
                std::string("fill=\"none\" stroke=\"") + suitInk(suit) + "\" stroke-width=\"1.2\"");
    return s;
}

std::string aceOfSpades()
{
    const std::string ink = suitInk('S');
    std::string s;
    // An oval cartouche, ink outside and gold within, with small gold diamonds at the
    // four points of the compass.
    s += pathEl(Path().ellipse(kCx, 156.5, 80, 108), "fill=\"none\" stroke=\"" + ink + "\" stroke-width=\"1.4\"");
    s += pathEl(Path().ellipse(kCx, 156.5, 75.5, 103.5),
                std::string("fill=\"#fbf5e6\" stroke=\"") + kGold + "\" stroke-width=\"2.4\"");
    Path diamonds;
    for (Pt c : {Pt{kCx, 48.5}, Pt{kCx, 264.5}, Pt{32, 156.5}, Pt{192, 156.5}})
        diamonds.polygon({{c.x, c.y - 6}, {c.x + 4.5, c.y}, {c.x, c.y + 6}, {c.x - 4.5, c.y}});
    s += pathEl(diamonds, std::string("fill=\"") + kGold + "\" stroke=\"" + ink + "\" stroke-width=\"0.8\"");
    // Scrolls curling away from the foot of the spade.
    Path scroll;
    scroll.M(104, 214).C(92, 222, 76, 222, 70, 212).C(65, 203, 74, 196, 80, 202).C(84, 206, 80, 211, 76, 209);
    scroll.M(106, 100).C(92, 88, 78, 92, 74, 102).C(71, 110, 79, 114, 83, 109).C(86, 105, 82, 101, 79, 103);
    s += line(scroll.withMirror(kCx), ink, 1.6);
    // The spade itself, with a white line inside its edge and a gold heart of its own.
    const Affine place = Affine::scale(1.12, 1.12).then(Affine::translate(kCx, 150));
    s += pathEl(suitShape('S').mapped(place), "fill=\"" + ink + "\"");
    s += pathEl(suitShape('S').mapped(Affine::scale(0.86, 0.86).then(Affine::translate(0, -2)).then(place)),
                "fill=\"none\" stroke=\"#fbf5e6\" stroke-width=\"1.6\"");
    s += pathEl(suitShape('S').mapped(Affine::scale(0.26, 0.26).then(Affine::translate(0, -2)).then(place)),
                std::string("fill=\"") + kGold + "\"");
    return s;
}

} // namespace deckgen
