#include "Settings.h"

int animation_speed = 0;  // the speed menu selects Medium while the window is built
int time_divisor = 1;
bool hide_opponent_cards = true;
bool debug_mode = false;
