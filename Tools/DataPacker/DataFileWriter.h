// Writes the engine's packed data file: a text directory, then one zlib stream per entry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

class DataFileWriter {
public:
    // Entry names are at most this many bytes long, as the engine's directory reader expects.
    static constexpr std::size_t maxNameLength = 511;

    // Stores the bytes compressed under name, replacing an earlier entry of that name. Throws
    // std::invalid_argument for a name the directory cannot hold (empty, too long, containing
    // white space) or bytes beyond 32-bit sizes.
    void Add(const std::string& name, std::span<const unsigned char> bytes);
    // Stores a payload as given, with the inflated size the directory is to declare for it.
    void AddCompressed(const std::string& name, std::vector<unsigned char> payload,
                       std::uint32_t size);

    std::size_t EntryCount() const { return entries.size(); }

    // The whole file: the directory in byte-wise name order, then the payloads in that order.
    // Throws std::length_error when the payloads do not fit 32-bit offsets.
    std::vector<unsigned char> Serialize() const;
    // Serialize() written to file; throws std::runtime_error when the file cannot be written.
    void Write(const std::filesystem::path& file) const;

private:
    struct Payload {
        std::vector<unsigned char> stream;
        std::uint32_t size;
    };

    static void CheckName(const std::string& name);

    std::map<std::string, Payload> entries;
};
