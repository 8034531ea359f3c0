#pragma once

// Process-wide settings, read and written on the GUI thread only.

// The values of animation_speed.
enum AnimationSpeed : int { FastSpeed = 0, MediumSpeed = 1, SlowSpeed = 2 };
// An AnimationSpeed. The speed menu writes it; each new animation reads it.
extern int animation_speed;
// True when the next new game's computer players are Experts. The Opponents menu writes it.
extern bool expert_opponents;
// Divides every animation's duration and the pause after each card. Always 1 in the game;
// long tests raise it to play many rounds in little time.
extern int time_divisor;
// True when the game was started without Learning Mode: computer hands are shown face down.
extern bool hide_opponent_cards;
// Developer switch: step mode in the flow and win-count labels on the table. Off in releases.
extern bool debug_mode;
