#include "Scenes/WaterScene/WaterScene.h"

#include "Framework/DXFramework.h"
#include "Framework/ModuleHandler.h"
#include "Modules/Water/Water.h"

namespace {

constexpr const char* kSquareTargets[] = {"TextureNormals512", "TextureTemp512a", "TextureTemp512b",
                                          "TextureTemp1024a", "TextureTemp1024b"};

} // namespace

WaterScene::WaterScene(const char* sceneName) : Scene(sceneName), water(new Water("Water")) {
    ModuleHandler::Instance()->Add(water);
}

// The two "1024" targets are 512 x 512 too.
void WaterScene::Enter() {
    for (const char* target : kSquareTargets)
        DeclareRenderTarget(target, {D3DFMT_A8R8G8B8, 512, 512});
    const FrameworkSettings& settings = DXFramework::Instance()->settings;
    DeclareRenderTarget("Col", {D3DFMT_X8R8G8B8, settings.pictureWidth, settings.pictureHeight});
}

void WaterScene::Leave() {
    ReleaseAllTargets();
}

void WaterScene::Update() {
    water->Update();
}

void WaterScene::Render() {
    water->Render({RenderTarget("TextureNormals512"), RenderTarget("TextureTemp512a"),
                   RenderTarget("TextureTemp512b"), RenderTarget("TextureTemp1024a"),
                   RenderTarget("TextureTemp1024b"), RenderTarget("Col")});
}
