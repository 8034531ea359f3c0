#pragma once

// Where the computer player's random choices come from. The game draws from the C
// library's rand(), seeded once, so that a seed replays a game card for card; anything
// that merely advises (the coach) passes a generator of its own and leaves the game's
// sequence where it was.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // One value in 0..RAND_MAX. This base draws rand() itself.
    virtual int next();

    // The game's own source: rand().
    static RandomSource &library();
};
