#include "SoundFixtures.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <ogg/ogg.h>
#include <stdexcept>
#include <string>
#include <vorbis/vorbisenc.h>

namespace SoundFixtures {

namespace {

class OggWriter {
public:
    explicit OggWriter(Bytes& target) : out(target) { ogg_stream_init(&stream, 1); }
    ~OggWriter() { ogg_stream_clear(&stream); }
    OggWriter(const OggWriter&) = delete;
    OggWriter& operator=(const OggWriter&) = delete;

    void Add(ogg_packet& packet) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0)
            Append();
    }
    // Ends the current page, as the headers need before any audio.
    void Flush() {
        while (ogg_stream_flush(&stream, &page) != 0)
            Append();
    }

private:
    void Append() {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    }

    Bytes& out;
    ogg_stream_state stream{};
    ogg_page page{};
};

class VorbisEncoder {
public:
    VorbisEncoder(long frequency, int channels) {
        vorbis_info_init(&info);
        if (vorbis_encode_init_vbr(&info, channels, frequency, 0.3f) != 0)
            throw std::runtime_error("vorbis_encode_init_vbr refused the format");
        vorbis_comment_init(&comment);
        vorbis_analysis_init(&dsp, &info);
        vorbis_block_init(&dsp, &block);
    }
    ~VorbisEncoder() {
        vorbis_block_clear(&block);
        vorbis_dsp_clear(&dsp);
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    VorbisEncoder(const VorbisEncoder&) = delete;
    VorbisEncoder& operator=(const VorbisEncoder&) = delete;

    void Headers(OggWriter& writer) {
        ogg_packet identification, comments, codebooks;
        vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
        writer.Add(identification);
        writer.Add(comments);
        writer.Add(codebooks);
        writer.Flush();
    }
    float** Buffer(int frames) { return vorbis_analysis_buffer(&dsp, frames); }
    // frames 0 ends the stream.
    void Wrote(int frames, OggWriter& writer) {
        vorbis_analysis_wrote(&dsp, frames);
        ogg_packet packet;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0)
                writer.Add(packet);
        }
    }

private:
    vorbis_info info{};
    vorbis_comment comment{};
    vorbis_dsp_state dsp{};
    vorbis_block block{};
};

void Put16(Bytes& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<unsigned char>(value);
    bytes[at + 1] = static_cast<unsigned char>(value >> 8);
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    Put16(bytes, at, static_cast<std::uint16_t>(value));
    Put16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

void PutText(Bytes& bytes, std::size_t at, const char* text) {
    std::memcpy(bytes.data() + at, text, std::strlen(text));
}

} // namespace

Bytes SineOgg(long frequency, int channels, double seconds, float amplitude) {
    Bytes ogg;
    OggWriter writer(ogg);
    VorbisEncoder encoder(frequency, channels);
    encoder.Headers(writer);
    const auto total = static_cast<long>(seconds * static_cast<double>(frequency));
    constexpr int chunk = 1024;
    for (long start = 0; start < total; start += chunk) {
        const int frames = static_cast<int>(std::min<long>(chunk, total - start));
        float** buffer = encoder.Buffer(frames);
        for (int i = 0; i < frames; ++i) {
            const double t = static_cast<double>(start + i) / static_cast<double>(frequency);
            const auto value =
                static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * sineHz * t));
            for (int channel = 0; channel < channels; ++channel)
                buffer[channel][i] = value;
        }
        encoder.Wrote(frames, writer);
    }
    encoder.Wrote(0, writer);
    writer.Flush();
    return ogg;
}

Bytes SquareWaveModule() {
    // Impulse Tracker layout: header, order list, offsets, then a sample header, a pattern
    // and the sample's data.
    constexpr std::size_t headerSize = 0xC0;
    constexpr std::uint16_t orderCount = 2;
    constexpr std::size_t sampleHeaderAt = headerSize + orderCount + 4 + 4;
    constexpr std::size_t sampleHeaderSize = 0x50;
    constexpr std::size_t patternAt = sampleHeaderAt + sampleHeaderSize;
    constexpr std::uint16_t rows = 32;
    // Row 0, channel 1: note C-5 with sample 1; every row ends with a 0.
    const Bytes patternData = [] {
        Bytes data = {0x81, 0x03, 60, 1, 0};
        data.resize(data.size() + rows - 1, 0);
        return data;
    }();
    const std::size_t sampleDataAt = patternAt + 8 + patternData.size();
    constexpr std::uint32_t sampleLength = 64;

    Bytes module(sampleDataAt + sampleLength, 0);
    PutText(module, 0, "IMPM");
    PutText(module, 4, "square");
    Put16(module, 32, orderCount);
    Put16(module, 34, 0); // instruments
    Put16(module, 36, 1); // samples
    Put16(module, 38, 1); // patterns
    Put16(module, 40, 0x0214);
    Put16(module, 42, 0x0214);
    Put16(module, 44, 0x0009); // stereo, linear slides, no instruments
    module[48] = 128;          // global volume
    module[49] = 48;           // mixing volume
    module[50] = 3;            // speed: ticks per row
    module[51] = 250;          // tempo
    module[52] = 128;          // panning separation
    for (std::size_t channel = 0; channel < 64; ++channel) {
        module[64 + channel] = 32;  // centre
        module[128 + channel] = 64; // full volume
    }
    module[headerSize] = 0;       // order 0: pattern 0
    module[headerSize + 1] = 255; // end of song
    Put32(module, headerSize + orderCount, static_cast<std::uint32_t>(sampleHeaderAt));
    Put32(module, headerSize + orderCount + 4, static_cast<std::uint32_t>(patternAt));

    PutText(module, sampleHeaderAt, "IMPS");
    module[sampleHeaderAt + 17] = 64;   // global volume
    module[sampleHeaderAt + 18] = 0x11; // has data, loops
    module[sampleHeaderAt + 19] = 64;   // volume
    module[sampleHeaderAt + 46] = 0x01; // signed samples
    module[sampleHeaderAt + 47] = 32;
    Put32(module, sampleHeaderAt + 48, sampleLength);
    Put32(module, sampleHeaderAt + 52, 0);
    Put32(module, sampleHeaderAt + 56, sampleLength);
    Put32(module, sampleHeaderAt + 60, 8363 * 4);
    Put32(module, sampleHeaderAt + 72, static_cast<std::uint32_t>(sampleDataAt));

    Put16(module, patternAt, static_cast<std::uint16_t>(patternData.size()));
    Put16(module, patternAt + 2, rows);
    std::memcpy(module.data() + patternAt + 8, patternData.data(), patternData.size());

    for (std::uint32_t i = 0; i < sampleLength; ++i)
        module[sampleDataAt + i] = static_cast<unsigned char>(i < sampleLength / 2 ? 0x60 : 0xA0);
    return module;
}

Bytes Noise(std::size_t count) {
    Bytes bytes(count);
    std::uint32_t state = 12345;
    for (auto& byte : bytes) {
        state = state * 214013u + 2531011u;
        byte = static_cast<unsigned char>(state >> 16);
    }
    return bytes;
}

} // namespace SoundFixtures
