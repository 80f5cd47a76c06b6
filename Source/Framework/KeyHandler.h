// Per-key states polled once a frame, and the watch for the typed word that opens the game.
#pragma once

#include "Framework/Singleton.h"

#include <cstdint>
#include <map>
#include <vector>

struct KeyState {
    std::uint8_t down = 0;     // the key is held
    std::uint8_t pressed = 0;  // went down since the last end of frame
    std::uint8_t released = 0; // went up since the last end of frame
};

class KeyHandler : public Singleton<KeyHandler> {
public:
    KeyHandler() : Singleton("KeyHandler") {}

    // Key-down and system-key-down messages, auto-repeat included (virtual-key codes).
    void KeyDown(std::uint32_t code);
    // Key-up and system-key-up messages.
    void KeyUp(std::uint32_t code);
    // The key's record; a code never seen gets an all-zero one.
    KeyState& State(std::uint32_t code) { return keyStates[code]; }
    // Clears the pressed and released flags of the keys touched this frame.
    void EndFrame();
    std::uint8_t LastKey() const { return lastKey; }

private:
    void StepWord(std::uint8_t character);

    std::map<std::uint32_t, KeyState> keyStates;
    std::vector<std::uint32_t> changedKeys;
    std::uint8_t lastKey = 0;
    static inline std::uint32_t wordPosition = 0;
};
