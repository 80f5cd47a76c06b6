#include "DataPacker/DataFileReader.h"

#include "DataPacker/ZlibStream.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <span>
#include <stdexcept>

namespace {

// Walks the directory text: tokens separated by white space, numbers of 1 to 8 hex digits.
class DirectoryCursor {
public:
    explicit DirectoryCursor(const std::vector<unsigned char>& directoryText)
        : text(directoryText) {}

    std::size_t Position() const { return position; }

    bool Literal(std::string_view expected) {
        if (text.size() - position < expected.size()) return false;
        for (const char c : expected)
            if (text[position++] != static_cast<unsigned char>(c)) return false;
        return true;
    }

    bool Token(std::string& token, std::size_t maxLength) {
        SkipSpace();
        const std::size_t start = position;
        while (position < text.size() && !IsSpace(text[position]))
            ++position;
        token.assign(text.begin() + static_cast<std::ptrdiff_t>(start),
                     text.begin() + static_cast<std::ptrdiff_t>(position));
        return !token.empty() && token.size() <= maxLength;
    }

    // A number must end at white space or at the end of the file.
    bool Hex(std::uint32_t& value) {
        std::string digits;
        if (!Token(digits, 8)) return false;
        value = 0;
        for (const char c : digits) {
            const int digit = HexDigit(static_cast<unsigned char>(c));
            if (digit < 0) return false;
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        return true;
    }

    void SkipSpace() {
        while (position < text.size() && IsSpace(text[position]))
            ++position;
    }

private:
    static bool IsSpace(unsigned char c) { return std::isspace(c) != 0; }
    static int HexDigit(unsigned char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    const std::vector<unsigned char>& text;
    std::size_t position = 0;
};

constexpr std::size_t maxNameLength = 511;

} // namespace

DataFileReader::DataFileReader(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("could not open " + file.string());
    contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("could not read " + file.string());

    DirectoryCursor cursor(contents);
    std::uint32_t directoryEnd = 0;
    if (!cursor.Literal("0x") || !cursor.Hex(directoryEnd))
        throw std::runtime_error(file.string() + ": no directory header");
    cursor.SkipSpace();
    while (cursor.Position() < directoryEnd) {
        DirectoryEntry entry;
        if (!cursor.Token(entry.name, maxNameLength) || !cursor.Hex(entry.offset) ||
            !cursor.Hex(entry.compressedSize) || !cursor.Hex(entry.size))
            throw std::runtime_error(file.string() + ": directory corrupt at entry #" +
                                     std::to_string(entries.size()) + ", byte " +
                                     std::to_string(cursor.Position()));
        entries.push_back(std::move(entry));
        cursor.SkipSpace();
    }
}

bool DataFileReader::Verify(const DirectoryEntry& entry) const {
    if (entry.offset > contents.size() || entry.compressedSize > contents.size() - entry.offset)
        return false;
    return ZlibStream::InflatesToExactly(
        std::span(contents).subspan(entry.offset, entry.compressedSize), entry.size);
}
