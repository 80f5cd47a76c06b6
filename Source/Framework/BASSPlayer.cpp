#include "Framework/BASSPlayer.h"

void BASSPlayer::Play() {
    playStart = std::chrono::steady_clock::now();
    playing = true;
}

void BASSPlayer::Pause() {
    playing = false;
}

double BASSPlayer::GetBassTime() const {
    if (!playing) return 0.0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - playStart).count();
}
