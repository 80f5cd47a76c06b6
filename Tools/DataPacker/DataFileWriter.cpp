#include "DataPacker/DataFileWriter.h"

#include "DataPacker/ZlibStream.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace {

// Every number in the directory is 8 hexadecimal digits and a line feed.
void AppendHex(std::string& text, std::uint32_t value) {
    char digits[10];
    std::snprintf(digits, sizeof digits, "%08x\n", value);
    text += digits;
}

constexpr std::size_t headerLength = 11;  // "0x", 8 digits, line feed
constexpr std::size_t numbersLength = 27; // offset, compressed size, size

} // namespace

void DataFileWriter::CheckName(const std::string& name) {
    const bool hasSpace = std::any_of(name.begin(), name.end(), [](char c) {
        return c == '\0' || std::isspace(static_cast<unsigned char>(c)) != 0;
    });
    if (name.empty() || name.size() > maxNameLength || hasSpace)
        throw std::invalid_argument("entry name \"" + name +
                                    "\" must be 1 to 511 bytes without white space");
}

void DataFileWriter::Add(const std::string& name, std::span<const unsigned char> bytes) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::invalid_argument("entry \"" + name + "\" is larger than 4 GiB");
    CheckName(name);
    entries[name] = {ZlibStream::Deflate(bytes), static_cast<std::uint32_t>(bytes.size())};
}

void DataFileWriter::AddCompressed(const std::string& name, std::vector<unsigned char> payload,
                                   std::uint32_t size) {
    CheckName(name);
    entries[name] = {std::move(payload), size};
}

std::vector<unsigned char> DataFileWriter::Serialize() const {
    std::uint64_t directoryLength = headerLength;
    for (const auto& [name, payload] : entries)
        directoryLength += name.size() + 1 + numbersLength;

    std::string directory;
    directory.reserve(directoryLength);
    directory += "0x";
    AppendHex(directory, static_cast<std::uint32_t>(directoryLength));
    std::uint64_t offset = directoryLength;
    for (const auto& [name, payload] : entries) {
        if (offset + payload.stream.size() > std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("data file would exceed 4 GiB at entry \"" + name + "\"");
        directory += name;
        directory += '\n';
        AppendHex(directory, static_cast<std::uint32_t>(offset));
        AppendHex(directory, static_cast<std::uint32_t>(payload.stream.size()));
        AppendHex(directory, payload.size);
        offset += payload.stream.size();
    }

    std::vector<unsigned char> file(directory.begin(), directory.end());
    file.reserve(offset);
    for (const auto& [name, payload] : entries)
        file.insert(file.end(), payload.stream.begin(), payload.stream.end());
    return file;
}

void DataFileWriter::Write(const std::filesystem::path& file) const {
    const std::vector<unsigned char> bytes = Serialize();
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("could not write " + file.string());
}
