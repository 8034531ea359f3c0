#pragma once

// How the computer seats choose their cards: by the decision list, or by the Expert's
// simulated rounds. Calls are the same estimate either way.
enum class Opponents { Standard, Expert };
