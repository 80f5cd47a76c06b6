#include "Scenes/TetrisScene/TetrisScene.h"

#include "Framework/BASSPlayer.h"
#include "Framework/Timer.h"

void TetrisScene::Start() {
    BASSPlayer* player = BASSPlayer::Instance();
    player->Pause();
    player->Stop();
    player->Init(BASS_MUSIC, "Data\\wcoox.it");
    player->Play();
    Timer::previousTime = Timer::currentTime = Timer::delta = 0.0;
}
