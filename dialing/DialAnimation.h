// The pictures and the count shared by the dial view and the dial status
// dialog: seven dialing frames per picture that wrap, two connected pairs
// shown by turns, and one process-wide count of connected ticks that each
// connected animation starts afresh.
#pragma once

namespace dialanimation {

constexpr int kFrameCount = 7;
constexpr int kConnectedTicks = 8;
constexpr int kConnectedTicksNt4 = 9;

// The next dialing frame after `frame`, wrapping from the seventh to the first.
inline int NextFrame(int frame) { return (frame + 1) % kFrameCount; }

// Ticks a connected animation lasts on the running system.
int ConnectedTickLimit();

// The process-wide count: restarted by each connected animation, counted by
// each of its ticks; true once the animation has reached its end (at least
// the limit, so an interrupted count can neither cut one short nor overrun).
void RestartConnectedTicks();
bool CountConnectedTick();
int ConnectedTicks();

}  // namespace dialanimation
