// Windows virtual-key codes for SDL keys.
#pragma once

#include <SDL_keyboard.h>

// The virtual-key code of the key, or 0 for keys without one. Letters give their upper-case
// code whatever the shift state; the left and right modifier keys share VK_SHIFT, VK_CONTROL
// and VK_MENU as in the wParam of Win32's key messages.
int VirtualKeyFromSDL(const SDL_Keysym& key);
