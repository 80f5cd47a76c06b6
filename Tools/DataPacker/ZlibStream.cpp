#include "DataPacker/ZlibStream.h"

#include <array>
#include <limits>
#include <stdexcept>
#include <zlib.h>

namespace ZlibStream {

std::vector<unsigned char> Deflate(std::span<const unsigned char> bytes) {
    uLongf length = compressBound(static_cast<uLong>(bytes.size()));
    std::vector<unsigned char> stream(length);
    if (compress2(stream.data(), &length, bytes.data(), static_cast<uLong>(bytes.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib could not compress an entry");
    stream.resize(length);
    return stream;
}

bool InflatesToExactly(std::span<const unsigned char> stream, std::uint64_t size) {
    if (stream.size() > std::numeric_limits<uInt>::max())
        throw std::invalid_argument("zlib stream longer than zlib can take at once");
    z_stream inflater{};
    if (inflateInit(&inflater) != Z_OK) throw std::runtime_error("zlib could not start inflating");
    inflater.next_in = const_cast<Bytef*>(stream.data());
    inflater.avail_in = static_cast<uInt>(stream.size());

    // The output is only counted, so that a hostile size allocates nothing.
    std::array<unsigned char, 64 * 1024> sink;
    std::uint64_t produced = 0;
    int result = Z_OK;
    while (result == Z_OK && produced <= size) {
        inflater.next_out = sink.data();
        inflater.avail_out = static_cast<uInt>(sink.size());
        result = inflate(&inflater, Z_NO_FLUSH);
        produced += sink.size() - inflater.avail_out;
    }
    inflateEnd(&inflater);
    return result == Z_STREAM_END && produced == size;
}

} // namespace ZlibStream
