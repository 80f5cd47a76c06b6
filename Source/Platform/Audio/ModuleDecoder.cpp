#include "Platform/Audio/ModuleDecoder.h"

ModuleDecoder::ModuleDecoder(SoundFile soundFile, DWORD renderRate)
    : file(std::move(soundFile)), module(file.Bytes().data(), file.Bytes().size(), silentLog),
      frequency(renderRate) {}

std::unique_ptr<ModuleDecoder> ModuleDecoder::Open(SoundFile soundFile, DWORD renderRate,
                                                   bool loop) {
    try {
        std::unique_ptr<ModuleDecoder> decoder(new ModuleDecoder(std::move(soundFile), renderRate));
        decoder->module.set_repeat_count(loop ? -1 : 0);
        return decoder;
    } catch (const openmpt::exception&) {
        return nullptr;
    }
}

std::size_t ModuleDecoder::Decode(float* stereo, std::size_t maxFrames) {
    return module.read_interleaved_stereo(static_cast<std::int32_t>(frequency), maxFrames, stereo);
}

void ModuleDecoder::Rewind() {
    module.set_position_seconds(0.0);
}
