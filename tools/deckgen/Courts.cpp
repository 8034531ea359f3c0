#include "Art.h"

#include <algorithm>
#include <vector>

namespace deckgen {

namespace {

// The upper half of the court panel, in card units. The figure is a bust facing the
// player, drawn in flat colour; the card shows it twice, the second copy turned.
constexpr double panelLeft = 45, panelRight = 179, panelTop = 19, panelMid = 156.5;
constexpr double courtCentreX = 112;

constexpr const char *lineInk = "#2a211b";
constexpr const char *skinInk = "#f6d9b8";
constexpr const char *goldInk = "#e2ad2c";
constexpr const char *goldDarkInk = "#a8741a";
constexpr const char *blueInk = "#2c5aa6";
constexpr const char *ermineInk = "#fdfcf7";
constexpr const char *steelInk = "#dfe4ec";
constexpr const char *woodInk = "#7a4a26";

// The head is drawn a little larger than the body, as on a printed court card,
// growing from the base of the neck.
constexpr double headScale = 1.16;
const Affine headPlace = Affine::translate(-courtCentreX, -104)
                             .then(Affine::scale(headScale, headScale))
                             .then(Affine::translate(courtCentreX, 104));

// The figures are flat colour without stroked outlines, which cost several times a
// fill on every repaint. Where a light shape needs an edge against the panel, it is
// laid over a dark copy of itself grown by about one unit all round.
Path grown(const Path &p, double by = 0.9)
{
    Pt lo, hi;
    p.bounds(lo, hi);
    const double cx = (lo.x + hi.x) / 2, cy = (lo.y + hi.y) / 2;
    const double sx = 1 + 2 * by / std::max(1.0, hi.x - lo.x),
                 sy = 1 + 2 * by / std::max(1.0, hi.y - lo.y);
    return p.mapped(
        Affine::translate(-cx, -cy).then(Affine::scale(sx, sy)).then(Affine::translate(cx, cy)));
}

void edged(Canvas &c, const Path &p, const std::string &colour)
{
    c.fill(grown(p), lineInk);
    c.fill(p, colour);
}

// The panel is flat cream, warmer behind the red suits; a gradient here would cost more
// than the whole figure.
void panel(Canvas &c, char suit)
{
    c.fill(Path().rect(panelLeft, panelTop, panelRight - panelLeft, panelMid - panelTop),
           isRed(suit) ? "#f8ead8" : "#f0ece1");
}

Path robe()
{
    Path p;
    p.M(panelLeft + 1, panelMid)
        .L(panelLeft + 1, 136)
        .C(52, 121, 72, 114, 93, 111)
        .L(104, 104)
        .L(120, 104)
        .L(131, 111)
        .C(152, 114, 172, 121, panelRight - 1, 136)
        .L(panelRight - 1, panelMid)
        .Z();
    return p;
}

// A gold hem along the middle of the card: with the other half it makes a double band.
Path hem()
{
    return Path().rect(panelLeft + 1, 149.5, panelRight - panelLeft - 2, 4);
}

// Neck, then head and hand with their dark edges; the head in head coordinates.
void skin(Canvas &c, Pt handAt)
{
    const Path head = Path().ellipse(courtCentreX, 83, 14.5, 18).mapped(headPlace);
    const Path hand = Path().ellipse(handAt.x, handAt.y, 6, 5);
    c.fill(Path().rect(104.5, 94, 15, 14).mapped(headPlace), skinInk);
    c.fill(grown(head), lineInk).fill(grown(hand), lineInk);
    c.fill(head, skinInk).fill(hand, skinInk);
}

Path eyes()
{
    return Path().ellipse(106.2, 81.5, 1.9, 1.4).ellipse(117.8, 81.5, 1.9, 1.4).mapped(headPlace);
}

Path brows()
{
    return Path()
        .M(103, 77.5)
        .Q(106, 75.5, 109.5, 77)
        .M(114.5, 77)
        .Q(118, 75.5, 121, 77.5)
        .mapped(headPlace);
}

// Nose and mouth share one warm line.
Path noseAndMouth()
{
    return Path()
        .M(111.6, 84)
        .C(110.8, 87, 110.2, 88.5, 111, 89.8)
        .Q(112, 90.6, 113.4, 89.8)
        .M(108.5, 94.5)
        .Q(112, 96.8, 115.5, 94.5)
        .mapped(headPlace);
}

void suitBadge(Canvas &c, char suit, double x, double y)
{
    c.fill(suitShape(suit).mapped(Affine::scale(0.17, 0.17).then(Affine::translate(x, y))),
           suitInk(suit));
}

// King: a crown of three points, a white beard, ermine on the shoulders and a sword.
void king(Canvas &c, char suit)
{
    const std::string ink = suitInk(suit);
    c.fill(robe(), ink);
    Path collar;
    collar.M(panelLeft + 1, 139)
        .C(56, 125, 74, 118, 94, 114.5)
        .L(104, 108)
        .L(120, 108)
        .L(130, 114.5)
        .C(150, 118, 168, 125, panelRight - 1, 139)
        .L(panelRight - 1, 147)
        .C(166, 134, 148, 127, 128, 124)
        .L(112, 140)
        .L(96, 124)
        .C(76, 127, 58, 134, panelLeft + 1, 147)
        .Z();
    c.fill(collar.mapped(Affine::translate(0, -1)), lineInk).fill(collar, ermineInk);
    c.line(Path().M(96, 124).Q(112, 148, 128, 124), goldInk, 2.2);
    // The sword, upright in the right hand.
    const Path blade = Path().M(158, 119).L(158, 40).L(161, 30).L(164, 40).L(164, 119).Z();
    edged(c, blade, steelInk);
    c.fill(Path().rect(158.5, 122.5, 5, 16), "#6b3f22");
    skin(c, {161, 131});
    Path hair;
    hair.M(97.5, 70).C(94, 76, 95, 88, 98.5, 92).L(100.5, 80).Z();
    c.fill(hair.withMirror(courtCentreX).mapped(headPlace), "#bdb6a9");
    Path beard;
    beard.M(98.3, 87)
        .C(99, 104, 106, 113, 112, 116)
        .C(118, 113, 125, 104, 125.7, 87)
        .C(122, 95, 118, 98, 112, 98)
        .C(106, 98, 102, 95, 98.3, 87)
        .Z();
    beard.M(112, 91.5)
        .C(108, 90, 104, 91, 101.5, 95)
        .C(105, 93.5, 109, 94, 112, 93.5)
        .C(115, 94, 119, 93.5, 122.5, 95)
        .C(120, 91, 116, 90, 112, 91.5)
        .Z();
    c.fill(beard.mapped(headPlace), "#e2ddd2");
    c.line(Path()
               .M(106, 103)
               .Q(108, 108, 111, 111)
               .M(118, 103)
               .Q(116, 108, 113, 111)
               .M(101.5, 95)
               .C(105, 93.5, 109, 94, 112, 93.5)
               .C(115, 94, 119, 93.5, 122.5, 95)
               .mapped(headPlace),
           "#a79f91", 0.8);
    // Ink details: the eyes, and the black tails of the ermine.
    Path tails;
    for (Pt t :
         {Pt{58, 133}, Pt{74, 124.5}, Pt{150, 124.5}, Pt{166, 133}, Pt{104, 118}, Pt{120, 118}})
        tails.M(t.x, t.y - 2).L(t.x + 1.6, t.y + 2.6).L(t.x - 1.6, t.y + 2.6).Z();
    c.fill(eyes(), lineInk).fill(tails, lineInk);
    c.line(brows(), lineInk, 1);
    c.line(noseAndMouth(), "#a9583e", 1.1);
    // Everything gold at once: crown, sword guard, medallion and hem.
    c.fill(Path()
               .M(96.5, 70)
               .L(94, 49)
               .L(103.5, 58.5)
               .L(112, 45)
               .L(120.5, 58.5)
               .L(130, 49)
               .L(127.5, 70)
               .Z()
               .mapped(headPlace),
           goldInk)
        .fill(Path().rect(150, 118, 22, 4.5), goldInk)
        .fill(Path().circle(112, 137, 3.2), goldInk)
        .fill(hem(), goldInk);
    c.fill(Path().rect(96, 64.5, 32, 6.5).mapped(headPlace), goldDarkInk);
    Path gems;
    gems.circle(104, 67.7, 1.9).circle(112, 67.7, 1.9).circle(120, 67.7, 1.9);
    gems.circle(94, 48, 2.4).circle(112, 44, 2.6).circle(130, 48, 2.4);
    c.fill(gems.mapped(headPlace), isRed(suit) ? blueInk : "#c8102e");
    suitBadge(c, suit, 58, 33);
}

// Queen: long hair, a coronet of pearls, a square-necked gown and a flower.
void queen(Canvas &c, char suit)
{
    const std::string ink = suitInk(suit);
    const char *hairColour = isRed(suit) ? "#b8782e" : "#6a3d1f";
    Path hair;
    hair.M(112, 63)
        .C(96, 63, 92, 76, 93, 90)
        .C(93.5, 100, 91, 106, 87, 112)
        .L(104, 112)
        .L(104, 96)
        .Z();
    c.fill(hair.withMirror(courtCentreX).mapped(headPlace), hairColour);
    c.fill(robe(), ink);
    c.fill(Path().M(97, 113).L(127, 113).L(124, 149.5).L(100, 149.5).Z(), blueInk);
    // Puffed sleeves, then all the gold lines of the gown at once.
    Path sleeve;
    sleeve.M(panelLeft + 1, 140)
        .C(52, 128, 66, 120, 80, 118)
        .C(84, 126, 82, 136, 76, 146)
        .C(64, 146, 54, 146, panelLeft + 1, 149.5)
        .Z();
    c.fill(sleeve.withMirror(courtCentreX), isRed(suit) ? "#a80f27" : "#2e3340");
    Path lacing;
    lacing.M(97, 113).L(127, 113).M(112, 116).L(112, 149);
    for (double y = 121; y < 146; y += 7)
        lacing.M(107, y).L(112, y + 3).L(117, y);
    lacing.M(56, 134).Q(64, 131, 72, 136).M(168, 134).Q(160, 131, 152, 136);
    c.line(lacing, goldInk, 1.5);
    // The flower's stem and leaves, then the hand that holds it.
    c.line(Path().M(65, 127).C(66, 108, 62, 90, 65, 62), "#3d7a3a", 2);
    Path leaves;
    leaves.M(64.5, 100).C(57, 96, 54, 90, 55, 86).C(61, 88, 64, 93, 64.5, 100).Z();
    leaves.M(65, 86).C(72, 83, 75, 78, 75, 73).C(69, 75, 66, 80, 65, 86).Z();
    c.fill(leaves, "#4f9a48");
    skin(c, {65, 128});
    c.fill(Path()
               .M(97.7, 77)
               .C(98, 66, 105, 63.5, 112, 63.5)
               .C(119, 63.5, 126, 66, 126.3, 77)
               .C(121, 72, 116, 70.5, 112, 71.5)
               .C(108, 70.5, 103, 72, 97.7, 77)
               .Z()
               .mapped(headPlace),
           hairColour);
    c.fill(eyes(), lineInk);
    Path browsAndLashes = brows();
    browsAndLashes.append(
        Path().M(103.8, 80.6).L(102.6, 79.6).M(120.2, 80.6).L(121.4, 79.6).mapped(headPlace));
    c.line(browsAndLashes, lineInk, 0.9);
    c.line(noseAndMouth(), "#b8323a", 1.1);
    c.line(Path().M(104.5, 105).Q(112, 112, 119.5, 105).mapped(headPlace), ermineInk, 2.2);
    // Flower head, coronet, its centre and the hem in gold, then pearls.
    Path petals;
    for (int i = 0; i < 5; ++i) {
        const Pt p = Affine::rotate(i * 72.0 - 90).map({6.5, 0});
        petals.circle(65 + p.x, 57 + p.y, 5.2);
    }
    c.fill(petals, isRed(suit) ? ink : std::string(blueInk));
    c.fill(Path()
               .M(98, 67)
               .L(98, 60)
               .C(101, 56, 104, 56, 105, 60)
               .C(107, 53, 117, 53, 119, 60)
               .C(120, 56, 123, 56, 126, 60)
               .L(126, 67)
               .Z()
               .mapped(headPlace),
           goldInk)
        .fill(Path().circle(65, 57, 3.4), goldInk)
        .fill(hem(), goldInk);
    Path pearls;
    pearls.circle(101.5, 56.5, 2).circle(112, 52.5, 2.6).circle(122.5, 56.5, 2);
    pearls.circle(105, 64, 1.2).circle(112, 64, 1.4).circle(119, 64, 1.2);
    c.fill(pearls.mapped(headPlace), ermineInk);
    suitBadge(c, suit, 166, 33);
}

// Jack: a young face with a bob of hair, a feathered beret, a striped tunic and a halberd.
void jack(Canvas &c, char suit)
{
    const std::string ink = suitInk(suit);
    c.fill(robe(), blueInk);
    Path stripes;
    stripes.M(70, 115.6).L(80, 113.7).L(84, 149.5).L(72, 149.5).Z();
    stripes.M(100, 110).L(106, 104).L(108, 149.5).L(98, 149.5).Z();
    c.fill(stripes.withMirror(courtCentreX), ink);
    c.fill(Path().rect(61.5, 38, 3.6, 104), woodInk);
    skin(c, {63.3, 125});
    Path hair;
    hair.M(112, 66.5)
        .C(101, 66.5, 95, 72, 95.5, 82)
        .C(95.8, 88, 95, 93, 93.5, 97)
        .C(97, 97, 99, 95, 99.5, 92)
        .C(99, 84, 100, 77, 104, 75)
        .C(108, 76, 111, 75.5, 112, 74)
        .Z();
    c.fill(hair.withMirror(courtCentreX).mapped(headPlace), "#8a5527");
    c.fill(eyes(), lineInk);
    c.line(brows(), lineInk, 1);
    c.line(noseAndMouth(), "#a9583e", 1.1);
    // A plume swept back over the beret.
    Path plume;
    plume.M(120, 63)
        .C(118, 52, 130, 40, 150, 36)
        .C(147, 40, 151, 42, 147, 46)
        .C(150, 48, 146, 51, 144, 52)
        .C(146, 55, 141, 57, 138, 58)
        .C(138, 61, 132, 62.5, 126, 64)
        .Z();
    edged(c, plume.mapped(headPlace), ermineInk);
    Path barbs;
    barbs.M(122, 62).C(126, 52, 136, 43, 148, 38);
    barbs.M(128, 54).L(137, 53).M(133, 48).L(142, 47).M(127, 58.5).L(134, 59.5);
    c.line(barbs.mapped(headPlace), "#b9b2a4", 0.9);
    c.fill(Path()
               .M(95, 70)
               .C(92, 60, 101, 53, 114, 53.5)
               .C(127, 54, 135, 60, 131, 68)
               .Z()
               .mapped(headPlace),
           ink);
    // Gold: the beret's band and button, the collar and the hem.
    c.fill(Path()
               .M(94, 71.5)
               .C(96, 66, 128, 65, 131, 68.5)
               .C(131, 72, 96, 74.5, 94, 71.5)
               .Z()
               .mapped(headPlace),
           goldInk)
        .fill(Path().circle(113, 53.8, 2.2).mapped(headPlace), goldInk)
        .fill(Path().M(98, 109).L(112, 121).L(126, 109).L(128, 113).L(112, 127).L(96, 113).Z(),
              goldInk)
        .fill(hem(), goldInk);
    Path blade;
    blade.M(63.3, 26).L(66.5, 38).L(60, 38).Z();
    blade.M(65, 40).C(74, 38, 78, 44, 79, 52).C(74, 50, 69, 51, 65, 54).Z();
    blade.M(61.5, 42).L(54, 46).L(61.5, 48).Z();
    c.fill(blade.mapped(Affine::translate(0.6, 0.6)), "#6d7482").fill(blade, steelInk);
    suitBadge(c, suit, 166, 33);
}

}  // namespace

Canvas court(char rank, char suit)
{
    Canvas half;
    panel(half, suit);
    switch (rank) {
    case 'K':
        king(half, suit);
        break;
    case 'Q':
        queen(half, suit);
        break;
    default:
        jack(half, suit);
        break;
    }
    // The lower half is the upper turned about the card's centre, drawn where it lies.
    Canvas c;
    c.append(half).append(half, Affine::rotate(180).then(Affine::translate(faceW, faceH)));

    // Frame lines are filled bars, not strokes: the same look, drawn faster. The ink
    // goes last so that it lies over the seam between the halves.
    const double h = 2 * (panelMid - panelTop);
    auto ring = [](double x, double y, double w, double h, double t) {
        return Path()
            .rect(x, y, w, t)
            .rect(x, y + h - t, w, t)
            .rect(x, y + t, t, h - 2 * t)
            .rect(x + w - t, y + t, t, h - 2 * t);
    };
    c.fill(ring(panelLeft + 2.1, panelTop + 2.1, panelRight - panelLeft - 4.2, h - 4.2, 1),
           goldInk);
    c.fill(ring(panelLeft - 0.8, panelTop - 0.8, panelRight - panelLeft + 1.6, h + 1.6, 1.6)
               .rect(panelLeft, panelMid - 0.6, panelRight - panelLeft, 1.2),
           suitInk(suit));
    return c;
}

Canvas aceOfSpades()
{
    const std::string ink = suitInk('S');
    Canvas c;
    // An oval cartouche, ink outside and gold within, with small gold diamonds at the
    // four points of the compass.
    c.fillEvenOdd(
        Path().ellipse(courtCentreX, 156.5, 80.7, 108.7).ellipse(courtCentreX, 156.5, 79.3, 107.3),
        ink);
    c.fill(Path().ellipse(courtCentreX, 156.5, 75.5, 103.5), "#fbf5e6");
    c.fillEvenOdd(
        Path().ellipse(courtCentreX, 156.5, 76.7, 104.7).ellipse(courtCentreX, 156.5, 74.3, 102.3),
        goldInk);
    Path diamonds;
    for (Pt d : {Pt{courtCentreX, 48.5}, Pt{courtCentreX, 264.5}, Pt{32, 156.5}, Pt{192, 156.5}})
        diamonds.polygon({{d.x, d.y - 6}, {d.x + 4.5, d.y}, {d.x, d.y + 6}, {d.x - 4.5, d.y}});
    edged(c, diamonds, goldInk);
    // Scrolls curling away from the spade.
    Path scroll;
    scroll.M(104, 214)
        .C(92, 222, 76, 222, 70, 212)
        .C(65, 203, 74, 196, 80, 202)
        .C(84, 206, 80, 211, 76, 209);
    scroll.M(106, 100)
        .C(92, 88, 78, 92, 74, 102)
        .C(71, 110, 79, 114, 83, 109)
        .C(86, 105, 82, 101, 79, 103);
    c.line(scroll.withMirror(courtCentreX), ink, 1.6);
    // The spade itself, with a cream line inside its edge and a gold spade at its heart.
    const Affine place = Affine::scale(1.12, 1.12).then(Affine::translate(courtCentreX, 150));
    c.fill(suitShape('S').mapped(place), ink);
    // The inner line is the ring between two slightly different copies of the spade.
    Path ring =
        suitShape('S').mapped(Affine::scale(0.87, 0.87).then(Affine::translate(0, -2)).then(place));
    ring.append(suitShape('S').mapped(
        Affine::scale(0.84, 0.84).then(Affine::translate(0, -2)).then(place)));
    c.fillEvenOdd(ring, "#fbf5e6");
    c.fill(
        suitShape('S').mapped(Affine::scale(0.26, 0.26).then(Affine::translate(0, -2)).then(place)),
        goldInk);
    return c;
}

}  // namespace deckgen
