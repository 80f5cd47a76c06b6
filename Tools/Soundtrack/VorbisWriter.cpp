#include "VorbisWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <stdexcept>
#include <system_error>

namespace soundtrack {

namespace {

// A fixed stream serial number keeps the output byte-for-byte reproducible.
constexpr int streamSerial = 0x4c756d65;
constexpr std::size_t chunkFrames = 1024;

} // namespace

struct VorbisWriter::Encoder {
    vorbis_info info{};
    vorbis_comment comment{};
    vorbis_dsp_state dsp{};
    vorbis_block block{};
    ogg_stream_state stream{};

    Encoder() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~Encoder() {
        if (started) {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    bool started = false;
};

VorbisWriter::VorbisWriter(const std::filesystem::path& file, int sampleRate, float quality)
    : target(file), partial(file.string() + ".part"), encoder(std::make_unique<Encoder>()) {
    if (vorbis_encode_init_vbr(&encoder->info, 2, sampleRate, quality) != 0)
        throw std::runtime_error("the Vorbis encoder refuses quality " + std::to_string(quality) +
                                 " at " + std::to_string(sampleRate) + " Hz");
    out.open(partial, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot create " + partial.string());

    vorbis_comment_add_tag(&encoder->comment, "TITLE", "Lumenvale");
    vorbis_analysis_init(&encoder->dsp, &encoder->info);
    vorbis_block_init(&encoder->dsp, &encoder->block);
    ogg_stream_init(&encoder->stream, streamSerial);
    encoder->started = true;

    ogg_packet identification;
    ogg_packet comments;
    ogg_packet codebooks;
    vorbis_analysis_headerout(&encoder->dsp, &encoder->comment, &identification, &comments,
                              &codebooks);
    ogg_stream_packetin(&encoder->stream, &identification);
    ogg_stream_packetin(&encoder->stream, &comments);
    ogg_stream_packetin(&encoder->stream, &codebooks);
    // The headers get pages of their own, as decoders expect.
    ogg_page page;
    while (ogg_stream_flush(&encoder->stream, &page) != 0)
        WritePage(page.header, page.header_len, page.body, page.body_len);
}

VorbisWriter::~VorbisWriter() {
    if (!finished) {
        out.close();
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
    }
}

void VorbisWriter::Write(std::span<const float> left, std::span<const float> right) {
    for (std::size_t done = 0; done < left.size(); done += chunkFrames) {
        const std::size_t frames = std::min(chunkFrames, left.size() - done);
        float** buffer = vorbis_analysis_buffer(&encoder->dsp, static_cast<int>(frames));
        std::copy_n(left.begin() + static_cast<std::ptrdiff_t>(done), frames, buffer[0]);
        std::copy_n(right.begin() + static_cast<std::ptrdiff_t>(done), frames, buffer[1]);
        vorbis_analysis_wrote(&encoder->dsp, static_cast<int>(frames));
        Drain();
    }
}

void VorbisWriter::Finish() {
    vorbis_analysis_wrote(&encoder->dsp, 0); // end of stream
    Drain();
    ogg_page page;
    while (ogg_stream_flush(&encoder->stream, &page) != 0)
        WritePage(page.header, page.header_len, page.body, page.body_len);
    out.close();
    if (!out) throw std::runtime_error("cannot write " + partial.string());
    std::filesystem::rename(partial, target);
    finished = true;
}

void VorbisWriter::Drain() {
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&encoder->dsp, &encoder->block) == 1) {
        vorbis_analysis(&encoder->block, nullptr);
        vorbis_bitrate_addblock(&encoder->block);
        while (vorbis_bitrate_flushpacket(&encoder->dsp, &packet) == 1) {
            ogg_stream_packetin(&encoder->stream, &packet);
            while (ogg_stream_pageout(&encoder->stream, &page) != 0)
                WritePage(page.header, page.header_len, page.body, page.body_len);
        }
    }
}

void VorbisWriter::WritePage(const unsigned char* header, long headerLength,
                             const unsigned char* body, long bodyLength) {
    out.write(reinterpret_cast<const char*>(header), headerLength);
    out.write(reinterpret_cast<const char*>(body), bodyLength);
    if (!out) throw std::runtime_error("cannot write " + partial.string());
}

} // namespace soundtrack
