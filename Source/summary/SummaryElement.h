#pragma once

#include <array>

// The parts of the round summary that assistive technology sees, in their reading order:
// the standings, the human's call, then the four buttons.
enum class SummaryElement { Standings, Call, Increase, Decrease, EndGame, Continue };

inline constexpr std::array<SummaryElement, 6> allSummaryElements = {
    SummaryElement::Standings, SummaryElement::Call,    SummaryElement::Increase,
    SummaryElement::Decrease,  SummaryElement::EndGame, SummaryElement::Continue};
