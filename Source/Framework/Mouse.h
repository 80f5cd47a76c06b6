// The pointer position and button states, fed by the window procedure.
#pragma once

#include "Framework/Singleton.h"

#include <cstdint>

class Mouse : public Singleton<Mouse> {
public:
    Mouse() : Singleton("Mouse") {}

    void SetPosition(std::uint16_t newX, std::uint16_t newY) {
        x = newX;
        y = newY;
    }
    void SetButtons(bool leftDown, bool middleDown, bool rightDown) {
        left = leftDown;
        middle = middleDown;
        right = rightDown;
    }

    std::uint16_t x = 0;
    std::uint16_t y = 0;
    bool left = false;
    bool middle = false;
    bool right = false;
};
