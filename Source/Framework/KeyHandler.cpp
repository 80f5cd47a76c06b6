#include "Framework/KeyHandler.h"

#include "Framework/DXFramework.h"

namespace {
// Typing this word opens the hidden game.
constexpr char kGameWord[] = "TETRIS";
} // namespace

void KeyHandler::KeyDown(std::uint32_t code) {
    KeyState& state = keyStates[code];
    state.pressed = 1;
    state.down = 1;
    state.released = 0;
    changedKeys.push_back(code);
    lastKey = static_cast<std::uint8_t>(code & 0xFF);
    StepWord(lastKey);
}

void KeyHandler::KeyUp(std::uint32_t code) {
    KeyState& state = keyStates[code];
    state.released = 1;
    state.down = 0;
    state.pressed = 0;
    changedKeys.push_back(code);
}

void KeyHandler::EndFrame() {
    for (std::uint32_t code : changedKeys) {
        keyStates[code].pressed = 0;
        keyStates[code].released = 0;
    }
    changedKeys.clear();
}

// A mismatching key starts the word over; it is not tried as a new first letter.
void KeyHandler::StepWord(std::uint8_t character) {
    if (character != static_cast<std::uint8_t>(kGameWord[wordPosition])) {
        wordPosition = 0;
        return;
    }
    ++wordPosition;
    if (kGameWord[wordPosition] == '\0')
        if (DXFramework* framework = DXFramework::Instance()) framework->gameRequested = true;
}
