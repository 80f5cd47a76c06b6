#include "DataPacker/AssetTree.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace AssetTree {

std::string EntryName(const std::filesystem::path& relative) {
    std::string name = relative.generic_string();
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

namespace {

bool IsUnder(const std::filesystem::path& relative, const std::filesystem::path& folder) {
    const auto [mismatch, unused] =
        std::mismatch(folder.begin(), folder.end(), relative.begin(), relative.end());
    return mismatch == folder.end();
}

} // namespace

std::size_t AddFiles(DataFileWriter& writer, const std::filesystem::path& root,
                     const std::vector<std::filesystem::path>& excluded) {
    if (!std::filesystem::exists(root)) return 0;
    std::size_t added = 0;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        if (!item.is_regular_file()) continue;
        const std::filesystem::path relative = item.path().lexically_relative(root);
        if (std::any_of(excluded.begin(), excluded.end(),
                        [&](const auto& folder) { return IsUnder(relative, folder); }))
            continue;
        std::ifstream in(item.path(), std::ios::binary);
        const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in),
                                               std::istreambuf_iterator<char>()};
        if (!in && !in.eof()) throw std::runtime_error("could not read " + item.path().string());
        writer.Add(EntryName(relative), bytes);
        ++added;
    }
    return added;
}

} // namespace AssetTree
