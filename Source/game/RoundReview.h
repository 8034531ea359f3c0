#pragma once

#include "Card.h"
#include "GameRules.h"
#include "SeatCard.h"

#include <array>
#include <vector>

struct RoundRecord;

// A finished round looked back on: each trick as it was played, and each of the human's
// cards against the card the Expert would have played in that position. The positions
// are rebuilt from the round's record alone, and each is judged exactly as the coach's
// hint judged it then (the same seed, the same budget), so the review's card is the card
// the hint showed. Nothing here draws from rand().
class RoundReview
{
public:
    // A card that cost less than this is sampling noise, not a slip.
    static constexpr double noticeableCost = 0.25;

    struct Trick {
        int number = 0;               // 1 to 13
        std::vector<SeatCard> plays;  // in play order; the first seat led
        int winner = -1;
        std::array<int, rules::playerCount> tricks_after{};  // each seat's tricks so far
    };

    struct Decision {
        int trick = 0;  // the trick's number
        Card played;
        Card expert;      // the Expert's card, the hint of the time
        double cost = 0;  // what the card played gives up against the Expert's, in points
        bool noticeable() const { return cost >= noticeableCost; }
    };

    // The human's call against the coach's best call for the hand as dealt.
    struct Call {
        bool called = false;  // the first round has no calls
        int call = 0;
        int tricks = 0;
        int suggested = 0;
        double suggested_expected = 0;  // the coach's expected score of its call
        double call_expected = 0;       // and of the call made
        bool differs() const { return called && call != suggested; }
    };

    // Reviews the record's round; a record without a full deal and thirteen tricks (one
    // no game leaves) gives an empty review.
    explicit RoundReview(const RoundRecord &record);

    unsigned round() const { return round_number; }
    int human() const { return human_seat; }
    const std::vector<Trick> &tricks() const { return trick_list; }
    const std::vector<Decision> &decisions() const { return decision_list; }
    const Call &call() const { return call_line; }

    // The noticeable costs added up, and the trick of the largest (0 when none is).
    double totalCost() const;
    int biggestSlip() const;

private:
    void replayTricks(const RoundRecord &record);
    void judgeDecisions(const RoundRecord &record);
    void judgeCall(const RoundRecord &record);

    unsigned round_number = 0;
    int human_seat = 0;
    std::vector<Trick> trick_list;
    std::vector<Decision> decision_list;
    Call call_line;
};
