// The effect sources of the data build: the effects (*.fx) and include files (*.fxh) of one
// folder, compiled through the effect framework and written as the data file's entries.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

class EffectFolder {
public:
    // Reads every *.fx and *.fxh file of the folder.
    explicit EffectFolder(const std::filesystem::path& folder);

    // Compiles the effects in name order on the device; the first fault as
    // "file(line): error: text", the effect's own file named by its file name. Needs a device.
    std::optional<std::string> Compile() const;
    // Writes each effect as OShaders/<name>o and each include as Shaders/<name> below output,
    // in place of what those two folders held.
    void Write(const std::filesystem::path& output) const;

    std::size_t EffectCount() const { return effects.size(); }

private:
    std::map<std::string, std::string> effects;  // file name -> text
    std::map<std::string, std::string> includes; // file name -> text
};
