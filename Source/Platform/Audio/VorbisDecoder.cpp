#include "Platform/Audio/VorbisDecoder.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

std::unique_ptr<VorbisDecoder> VorbisDecoder::Open(SoundFile soundFile) {
    std::unique_ptr<VorbisDecoder> decoder(new VorbisDecoder(std::move(soundFile)));
    const ov_callbacks callbacks{&Read, &Seek, nullptr, &Tell};
    // On failure libvorbisfile clears the handle itself.
    if (ov_open_callbacks(decoder.get(), &decoder->vorbis, nullptr, 0, callbacks) != 0)
        return nullptr;
    const vorbis_info* info = ov_info(&decoder->vorbis, -1);
    decoder->frequency = static_cast<DWORD>(info->rate);
    decoder->channels = static_cast<DWORD>(info->channels);
    return decoder;
}

VorbisDecoder::~VorbisDecoder() {
    ov_clear(&vorbis);
}

std::size_t VorbisDecoder::Read(void* destination, std::size_t size, std::size_t count,
                                void* opaque) {
    auto& self = *static_cast<VorbisDecoder*>(opaque);
    const auto bytes = self.file.Bytes();
    if (size == 0) return 0;
    const std::size_t items = std::min(count, (bytes.size() - self.readPosition) / size);
    std::memcpy(destination, bytes.data() + self.readPosition, items * size);
    self.readPosition += items * size;
    return items;
}

int VorbisDecoder::Seek(void* opaque, ogg_int64_t offset, int whence) {
    auto& self = *static_cast<VorbisDecoder*>(opaque);
    const auto size = static_cast<ogg_int64_t>(self.file.Bytes().size());
    ogg_int64_t base = 0;
    if (whence == SEEK_CUR) base = static_cast<ogg_int64_t>(self.readPosition);
    if (whence == SEEK_END) base = size;
    const ogg_int64_t target = base + offset;
    if (target < 0 || target > size) return -1;
    self.readPosition = static_cast<std::size_t>(target);
    return 0;
}

long VorbisDecoder::Tell(void* opaque) {
    return static_cast<long>(static_cast<VorbisDecoder*>(opaque)->readPosition);
}

std::size_t VorbisDecoder::Decode(float* stereo, std::size_t maxFrames) {
    std::size_t written = 0;
    while (written < maxFrames) {
        float** pcm = nullptr;
        int section = 0;
        const int wanted = static_cast<int>(std::min<std::size_t>(maxFrames - written, INT_MAX));
        const long frames = ov_read_float(&vorbis, &pcm, wanted, &section);
        if (frames == OV_HOLE) continue; // a gap in damaged data: decoding goes on after it
        if (frames <= 0) break;
        // Mono plays on both sides; beyond stereo, the first two channels play. Each link of
        // a chained file has its own channel count.
        const int right = ov_info(&vorbis, section)->channels > 1 ? 1 : 0;
        for (long frame = 0; frame < frames; ++frame, ++written) {
            stereo[written * 2] = pcm[0][frame];
            stereo[written * 2 + 1] = pcm[right][frame];
        }
    }
    return written;
}

void VorbisDecoder::Rewind() {
    ov_pcm_seek(&vorbis, 0);
}
