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

std::size_t AddFiles(DataFileWriter& writer, const std::filesystem::path& root) {
    if (!std::filesystem::exists(root)) return 0;
    std::size_t added = 0;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        if (!item.is_regular_file()) continue;
        std::ifstream in(item.path(), std::ios::binary);
        const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in),
                                               std::istreambuf_iterator<char>()};
        if (!in && !in.eof()) throw std::runtime_error("could not read " + item.path().string());
        writer.Add(EntryName(item.path().lexically_relative(root)), bytes);
        ++added;
    }
    return added;
}

} // namespace AssetTree
