// How long the window pauses so that a player sees what happened. The clock moves by these
// pauses, and the computer's fouls are rolled from the clock, so a game played without the
// window (the match command) pauses its clock by the same amounts.
#pragma once

namespace velk {

// A miss: the counter blinks this many times, lit and then plain for this long each.
inline constexpr int MISS_BLINKS = 3;
inline constexpr double MISS_BLINK_SECONDS = 0.1;
// The computer's move stands this long before its sound.
inline constexpr double COM_MOVE_PAUSE_SECONDS = 0.5;
// The window's computer at 公正 answers no sooner than this after it starts to think (its search
// takes less), so that its thinking time tells nothing of its pieces.
inline constexpr double HONEST_THINK_SECONDS = 0.5;

}  // namespace velk
