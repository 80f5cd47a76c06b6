#include "TrackerModule/ImpulseTrackerWriter.h"

#include "TrackerModule/ByteWriter.h"
#include "TrackerModule/ImpulseTrackerLimits.h"
#include "TrackerModule/PatternPacker.h"

#include <fstream>
#include <limits>
#include <stdexcept>

namespace {

constexpr std::uint16_t formatVersion = 0x0214; // written as, and compatible with, IT 2.14
constexpr std::uint16_t stereo = 0x01;
constexpr std::uint16_t linearSlides = 0x08;
constexpr std::uint8_t fullSeparation = 128;
constexpr std::uint8_t disabledChannel = 0x80;
constexpr std::uint8_t centrePan = 32;
constexpr std::uint8_t endOfSong = 255;
constexpr std::size_t nameLength = 26; // including the terminating zero

enum SampleFlag : std::uint8_t {
    hasData = 0x01,
    sixteenBit = 0x02,
    looped = 0x10,
};
constexpr std::uint8_t signedFrames = 0x01;
constexpr std::size_t samplePointerField = 0x48; // inside a sample header

void WriteName(ByteWriter& out, const std::string& name) {
    out.Text(name, nameLength - 1);
    out.U8(0);
}

void WriteHeader(ByteWriter& out, const TrackerModule& module) {
    out.Text("IMPM", 4);
    WriteName(out, module.title);
    out.U8(module.rowsPerBeat);
    out.U8(module.rowsPerMeasure);
    out.U16(static_cast<std::uint16_t>(module.orders.size() + 1));
    out.U16(0); // no instruments: notes play samples directly
    out.U16(static_cast<std::uint16_t>(module.samples.size()));
    out.U16(static_cast<std::uint16_t>(module.patterns.size()));
    out.U16(formatVersion);
    out.U16(formatVersion);
    out.U16(stereo | linearSlides);
    out.U16(0); // no message, edit history or MIDI configuration
    out.U8(module.globalVolume);
    out.U8(module.mixVolume);
    out.U8(module.initialSpeed);
    out.U8(module.initialTempo);
    out.U8(fullSeparation);
    out.U8(0);  // pitch wheel depth
    out.U16(0); // message length
    out.U32(0); // message offset
    out.U32(0); // reserved
    for (std::size_t channel = 0; channel < ImpulseTrackerLimits::maxChannels; ++channel)
        out.U8(channel < module.channelPans.size() ? module.channelPans[channel]
                                                   : centrePan | disabledChannel);
    for (std::size_t channel = 0; channel < ImpulseTrackerLimits::maxChannels; ++channel)
        out.U8(64);
    for (const std::uint8_t order : module.orders)
        out.U8(order);
    out.U8(endOfSong);
}

// Reserves count parapointers; returns the offset of the first.
std::size_t ReservePointers(ByteWriter& out, std::size_t count) {
    const std::size_t first = out.Size();
    out.Zeros(4 * count);
    return first;
}

std::uint32_t Offset(const ByteWriter& out) {
    if (out.Size() > std::numeric_limits<std::uint32_t>::max())
        throw std::invalid_argument("Impulse Tracker module larger than 4 GiB");
    return static_cast<std::uint32_t>(out.Size());
}

// Writes the header; returns where its sample pointer is to be patched in.
std::size_t WriteSampleHeader(ByteWriter& out, const TrackerSample& sample) {
    const std::size_t start = out.Size();
    out.Text("IMPS", 4);
    out.Zeros(12); // DOS file name
    out.U8(0);
    out.U8(sample.globalVolume);
    out.U8(static_cast<std::uint8_t>(hasData | sixteenBit | (sample.loop ? looped : 0)));
    out.U8(sample.defaultVolume);
    WriteName(out, sample.name);
    out.U8(signedFrames);
    out.U8(centrePan); // default pan, not applied (bit 7 clear)
    out.U32(static_cast<std::uint32_t>(sample.frames.size()));
    out.U32(sample.loop ? sample.loop->begin : 0);
    out.U32(sample.loop ? sample.loop->end : 0);
    out.U32(sample.c5Speed);
    out.U32(0); // sustain loop
    out.U32(0);
    out.U32(0);   // sample pointer, patched once the data is placed
    out.Zeros(4); // no auto-vibrato
    return start + samplePointerField;
}

void WritePattern(ByteWriter& out, const TrackerPattern& pattern) {
    const std::vector<std::uint8_t> packed = PatternPacker::Pack(pattern);
    if (packed.size() > std::numeric_limits<std::uint16_t>::max())
        throw std::invalid_argument("Impulse Tracker pattern packs to more than 64 KiB");
    out.U16(static_cast<std::uint16_t>(packed.size()));
    out.U16(static_cast<std::uint16_t>(pattern.Rows()));
    out.Zeros(4);
    out.Append(packed);
}

} // namespace

std::vector<std::uint8_t> ImpulseTrackerWriter::Serialize(const TrackerModule& module) {
    ImpulseTrackerLimits::Check(module);

    ByteWriter out;
    WriteHeader(out, module);
    const std::size_t samplePointers = ReservePointers(out, module.samples.size());
    const std::size_t patternPointers = ReservePointers(out, module.patterns.size());

    std::vector<std::size_t> dataPointers;
    for (std::size_t i = 0; i < module.samples.size(); ++i) {
        out.PatchU32(samplePointers + 4 * i, Offset(out));
        dataPointers.push_back(WriteSampleHeader(out, module.samples[i]));
    }
    for (std::size_t i = 0; i < module.patterns.size(); ++i) {
        out.PatchU32(patternPointers + 4 * i, Offset(out));
        WritePattern(out, module.patterns[i]);
    }
    for (std::size_t i = 0; i < module.samples.size(); ++i) {
        out.PatchU32(dataPointers[i], Offset(out));
        for (const std::int16_t frame : module.samples[i].frames)
            out.U16(static_cast<std::uint16_t>(frame));
    }
    return out.Take();
}

void ImpulseTrackerWriter::Write(const TrackerModule& module, const std::filesystem::path& file) {
    const std::vector<std::uint8_t> bytes = Serialize(module);
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    if (!stream.flush()) throw std::runtime_error("cannot write " + file.string());
}
