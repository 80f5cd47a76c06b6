#include "Platform/Win32/VirtualKeys.h"

#include "Platform/Win32/Windows.h"

#include <algorithm>
#include <iterator>

namespace {

struct KeyCode {
    SDL_Keycode sdl;
    int virtualKey;
};

// Keys whose code is not their character.
constexpr KeyCode kNamedKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},  {SDLK_TAB, VK_TAB},       {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_SPACE, VK_SPACE},
    {SDLK_LSHIFT, VK_SHIFT},    {SDLK_RSHIFT, VK_SHIFT},  {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},   {SDLK_LALT, VK_MENU},     {SDLK_RALT, VK_MENU},
    {SDLK_PAUSE, 0x13},         {SDLK_CAPSLOCK, 0x14},    {SDLK_PAGEUP, 0x21},
    {SDLK_PAGEDOWN, 0x22},      {SDLK_END, 0x23},         {SDLK_HOME, 0x24},
    {SDLK_LEFT, VK_LEFT},       {SDLK_UP, VK_UP},         {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},       {SDLK_PRINTSCREEN, 0x2C}, {SDLK_INSERT, 0x2D},
    {SDLK_DELETE, 0x2E},        {SDLK_LGUI, 0x5B},        {SDLK_RGUI, 0x5C},
    {SDLK_KP_0, 0x60},          {SDLK_KP_1, 0x61},        {SDLK_KP_2, 0x62},
    {SDLK_KP_3, 0x63},          {SDLK_KP_4, 0x64},        {SDLK_KP_5, 0x65},
    {SDLK_KP_6, 0x66},          {SDLK_KP_7, 0x67},        {SDLK_KP_8, 0x68},
    {SDLK_KP_9, 0x69},          {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D},      {SDLK_KP_PERIOD, 0x6E},   {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_NUMLOCKCLEAR, 0x90},  {SDLK_SCROLLLOCK, 0x91},  {SDLK_SEMICOLON, 0xBA},
    {SDLK_EQUALS, 0xBB},        {SDLK_COMMA, 0xBC},       {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},        {SDLK_SLASH, 0xBF},       {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB},   {SDLK_BACKSLASH, 0xDC},   {SDLK_RIGHTBRACKET, 0xDD},
    {SDLK_QUOTE, 0xDE},
};

int NamedKey(SDL_Keycode code) {
    const auto found = std::find_if(std::begin(kNamedKeys), std::end(kNamedKeys),
                                    [&](const KeyCode& entry) { return entry.sdl == code; });
    return found != std::end(kNamedKeys) ? found->virtualKey : 0;
}

} // namespace

int VirtualKeyFromSDL(const SDL_Keysym& key) {
    const SDL_Keycode code = key.sym;
    if (code >= SDLK_a && code <= SDLK_z) return 'A' + (code - SDLK_a);
    if (code >= SDLK_0 && code <= SDLK_9) return '0' + (code - SDLK_0);
    if (code >= SDLK_F1 && code <= SDLK_F12) return VK_F1 + (code - SDLK_F1);
    if (const int named = NamedKey(code); named != 0) return named;
    // Layouts without Latin letters: the letter key at that position, as Windows falls back to.
    if (key.scancode >= SDL_SCANCODE_A && key.scancode <= SDL_SCANCODE_Z) {
        return 'A' + (key.scancode - SDL_SCANCODE_A);
    }
    return 0;
}
