// The mixer's groups: every instrument plays into one of them.
#pragma once

namespace soundtrack {

enum class Bus { Drums, Bass, Chords, Lead, Effects };

inline constexpr int busCount = 5;

} // namespace soundtrack
