// Turns directory trees of asset files into data-file entries.
#pragma once

#include "DataPacker/DataFileWriter.h"

#include <filesystem>
#include <string>
#include <vector>

namespace AssetTree {

// The entry name of a file at a path relative to its root: the engine spells the separator as a
// backslash, so "Data/event/Scenes" becomes "Data\event\Scenes".
std::string EntryName(const std::filesystem::path& relative);

// Adds every regular file under root, replacing entries of the same name added before, except
// those under the excluded folders (paths relative to the root: sources that other tools turn
// into entries). A root that does not exist adds nothing. Returns the number of files added.
std::size_t AddFiles(DataFileWriter& writer, const std::filesystem::path& root,
                     const std::vector<std::filesystem::path>& excluded = {});

} // namespace AssetTree
