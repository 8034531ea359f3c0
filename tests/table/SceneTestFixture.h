#pragma once

// The fixture of the table's scene tests: a fresh game state and scene for every test
// function, Fast animations, hidden hands and no debug labels until a test says so.

#include "GameScene.h"
#include "GameState.h"
#include "Settings.h"

#include <QObject>

#include <cstdlib>
#include <memory>

class SceneTestFixture : public QObject
{
protected:
    std::unique_ptr<GameState> state;
    std::unique_ptr<GameScene> scene;

    // For the test's init() and cleanup() slots.
    void setUpScene()
    {
        animation_speed = FastSpeed;
        hide_opponent_cards = true;
        debug_mode = false;
        state = std::make_unique<GameState>();
        scene = std::make_unique<GameScene>(*state);
    }

    void tearDownScene()
    {
        scene.reset();
        state.reset();
        animation_speed = MediumSpeed;
    }

    void newGame(unsigned seed, bool hidden)
    {
        std::srand(seed);
        hide_opponent_cards = hidden;
        state->startNewGame();
        scene->layoutTable(*state);
    }
};
