#pragma once

#include <array>

// The parts of the round summary that assistive technology sees, in their reading order:
// the standings, the human's call, then the buttons.
enum class SummaryElement { Standings, Call, Increase, Decrease, EndGame, Continue, Review };

inline constexpr std::array<SummaryElement, 7> allSummaryElements = {
    SummaryElement::Standings, SummaryElement::Call,    SummaryElement::Increase,
    SummaryElement::Decrease,  SummaryElement::EndGame, SummaryElement::Continue,
    SummaryElement::Review};
