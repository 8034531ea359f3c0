#include "Settings.h"

int animation_speed = FastSpeed;  // Fast until the window's speed menu selects Medium
bool expert_opponents = false;
int time_divisor = 1;
bool hide_opponent_cards = true;
bool debug_mode = false;
