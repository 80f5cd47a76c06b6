// Keys and mouse as the window procedure delivers them: per-frame key flags, the game word,
// Escape, the destroy and size messages.
#include "Framework/DXFramework.h"
#include "Framework/KeyHandler.h"
#include "Framework/Mouse.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Input : public ::testing::Test {
protected:
    void Type(const std::string& keys) {
        for (char key : keys) {
            DXFramework::WindowProc(nullptr, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
            DXFramework::WindowProc(nullptr, WM_KEYUP, static_cast<WPARAM>(key), 0);
        }
    }
    bool QuitPosted() {
        MSG msg{};
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message == WM_QUIT) return true;
        return false;
    }

    DXFramework framework{"--nosetup", nullptr, "Lumenvale"};
};

TEST_F(Input, TheGameWordMustBeTypedInARow) {
    const struct {
        const char* keys;
        bool requested;
    } cases[] = {{"TETRIS", true},  {"TTETRIS", false},   {"TETRI", false},
                 {"XTETRIS", true}, {"TETXTETRIS", true}, {"TETRAS", false}};
    for (const auto& c : cases) {
        framework.gameRequested = false;
        Type("X"); // any mismatch starts the word over
        Type(c.keys);
        EXPECT_EQ(framework.gameRequested, c.requested) << c.keys;
    }
}

TEST_F(Input, AHeldKeyRepeatsAndStartsTheWordOver) {
    DXFramework::WindowProc(nullptr, WM_KEYDOWN, 'T', 0);
    DXFramework::WindowProc(nullptr, WM_KEYDOWN, 'T', 0);
    Type("ETRIS");
    EXPECT_FALSE(framework.gameRequested);
}

TEST_F(Input, AShortTapIsSeenAsReleasedOnly) {
    KeyHandler& keys = *KeyHandler::Instance();
    DXFramework::WindowProc(nullptr, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(keys.State(VK_SPACE).pressed, 1);
    EXPECT_EQ(keys.State(VK_SPACE).down, 1);
    DXFramework::WindowProc(nullptr, WM_KEYUP, VK_SPACE, 0);
    const KeyState tapped = keys.State(VK_SPACE);
    EXPECT_EQ(tapped.pressed, 0);
    EXPECT_EQ(tapped.released, 1);
    EXPECT_EQ(tapped.down, 0);
    keys.EndFrame();
    EXPECT_EQ(keys.State(VK_SPACE).released, 0);
    EXPECT_EQ(keys.LastKey(), VK_SPACE);
}

TEST_F(Input, EndOfFrameKeepsTheDownFlag) {
    KeyHandler& keys = *KeyHandler::Instance();
    DXFramework::WindowProc(nullptr, WM_SYSKEYDOWN, VK_LEFT, 0);
    keys.EndFrame();
    EXPECT_EQ(keys.State(VK_LEFT).down, 1);
    EXPECT_EQ(keys.State(VK_LEFT).pressed, 0);
    EXPECT_EQ(keys.State('Q').down, 0) << "an unseen key is all zero";
}

TEST_F(Input, EscapeIsRecordedAndQuits) {
    EXPECT_EQ(DXFramework::WindowProc(nullptr, WM_KEYDOWN, VK_ESCAPE, 0), 0);
    EXPECT_EQ(KeyHandler::Instance()->State(VK_ESCAPE).down, 1);
    EXPECT_TRUE(QuitPosted());
    DXFramework::WindowProc(nullptr, WM_SYSKEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(QuitPosted()) << "only the plain key-down message quits";
}

TEST_F(Input, DestroyQuitsUnlessTheProgramDestroysTheWindow) {
    framework.destroying = true;
    DXFramework::WindowProc(nullptr, WM_DESTROY, 0, 0);
    EXPECT_FALSE(framework.destroying);
    EXPECT_FALSE(QuitPosted());
    DXFramework::WindowProc(nullptr, WM_DESTROY, 0, 0);
    EXPECT_TRUE(QuitPosted());
}

TEST_F(Input, SizeMessagesTrackMinimizing) {
    DXFramework::WindowProc(nullptr, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_TRUE(framework.minimized);
    DXFramework::WindowProc(nullptr, WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_FALSE(framework.minimized);
}

TEST_F(Input, MouseMessagesSetPositionAndButtons) {
    Mouse& mouse = *Mouse::Instance();
    DXFramework::WindowProc(nullptr, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON,
                            static_cast<LPARAM>(321 | (654 << 16)));
    EXPECT_EQ(mouse.x, 321);
    EXPECT_EQ(mouse.y, 654);
    EXPECT_TRUE(mouse.left);
    EXPECT_FALSE(mouse.middle);
    EXPECT_TRUE(mouse.right);
    DXFramework::WindowProc(nullptr, WM_MBUTTONDOWN, MK_MBUTTON, 0);
    EXPECT_FALSE(mouse.left);
    EXPECT_TRUE(mouse.middle);
    EXPECT_EQ(mouse.x, 321) << "buttons leave the position";
}

} // namespace
