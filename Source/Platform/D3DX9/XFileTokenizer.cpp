#include "Platform/D3DX9/XFileTokenizer.h"

#include "Platform/D3DX9/XBinaryTokenizer.h"
#include "Platform/D3DX9/XTextTokenizer.h"

#include <cstring>

namespace {

// "xof " major minor format float-size, e.g. "xof 0303txt 0032".
constexpr std::size_t kHeaderBytes = 16;

bool HasField(const unsigned char* data, std::size_t offset, const char* text) {
    return std::memcmp(data + offset, text, std::strlen(text)) == 0;
}

bool IsVersion3(const unsigned char* data, std::size_t size) {
    return size >= kHeaderBytes && HasField(data, 0, "xof 03") && data[6] >= '0' &&
           data[6] <= '9' && data[7] >= '0' && data[7] <= '9';
}

} // namespace

std::unique_ptr<XTokenizer> XTokenizer::Create(const unsigned char* data, std::size_t size) {
    if (!IsVersion3(data, size)) return nullptr;
    const bool doubles = HasField(data, 12, "0064");
    if (!doubles && !HasField(data, 12, "0032")) return nullptr;
    const unsigned char* body = data + kHeaderBytes;
    const unsigned char* end = data + size;
    if (HasField(data, 8, "txt "))
        return std::make_unique<XTextTokenizer>(reinterpret_cast<const char*>(body),
                                                reinterpret_cast<const char*>(end));
    if (HasField(data, 8, "bin ")) return std::make_unique<XBinaryTokenizer>(body, end, doubles);
    return nullptr;
}

bool XTokenizer::IsCompressed(const unsigned char* data, std::size_t size) {
    return IsVersion3(data, size) && (HasField(data, 8, "tzip") || HasField(data, 8, "bzip"));
}
