// One-shot zlib streams (RFC 1950), as the engine's data file stores its entries.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace ZlibStream {

// The bytes as one zlib stream at the best compression level.
std::vector<unsigned char> Deflate(std::span<const unsigned char> bytes);

// Whether the stream is complete, passes its Adler-32 check and inflates to exactly size bytes.
// Bytes after the end of the stream are ignored, as the engine's one-shot inflation ignores them.
bool InflatesToExactly(std::span<const unsigned char> stream, std::uint64_t size);

} // namespace ZlibStream
