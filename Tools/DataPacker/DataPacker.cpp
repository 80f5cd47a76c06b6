// datapacker: builds basefile.dat from asset trees, or lists and checks an existing one.
//
//   datapacker --output FILE --root DIR [--root DIR ...] [--exclude FOLDER ...]
//   datapacker --list FILE

#include "DataPacker/AssetTree.h"
#include "DataPacker/DataFileReader.h"
#include "DataPacker/DataFileWriter.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int usageError = 2;

int Usage() {
    std::fputs(
        "usage: datapacker --output FILE --root DIR [--root DIR ...] [--exclude FOLDER ...]\n"
        "       datapacker --list FILE\n",
        stderr);
    return usageError;
}

int Pack(const std::string& output, const std::vector<std::string>& roots,
         const std::vector<std::filesystem::path>& excluded) {
    DataFileWriter writer;
    for (const std::string& root : roots)
        if (AssetTree::AddFiles(writer, root, excluded) == 0)
            std::fprintf(stderr, "datapacker: no files under %s\n", root.c_str());
    writer.Write(output);
    return 0;
}

int List(const std::string& file) {
    const DataFileReader reader(file);
    std::size_t broken = 0;
    for (const DirectoryEntry& entry : reader.Entries()) {
        const bool sound = reader.Verify(entry);
        if (!sound) ++broken;
        std::printf("%s\t0x%08x\t%u\t%u\t%s\n", entry.name.c_str(), entry.offset,
                    entry.compressedSize, entry.size, sound ? "ok" : "BROKEN");
    }
    if (broken != 0) {
        std::fprintf(stderr, "datapacker: %zu of %zu entries do not inflate to their size\n",
                     broken, reader.Entries().size());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    std::string output;
    std::string list;
    std::vector<std::string> roots;
    std::vector<std::filesystem::path> excluded;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i + 1 == args.size()) return Usage();
        const std::string value(args[++i]);
        if (args[i - 1] == "--output")
            output = value;
        else if (args[i - 1] == "--root")
            roots.push_back(value);
        else if (args[i - 1] == "--exclude")
            excluded.emplace_back(value);
        else if (args[i - 1] == "--list")
            list = value;
        else
            return Usage();
    }
    const bool packing = !output.empty() && !roots.empty();
    if (packing == !list.empty()) return Usage();

    try {
        return packing ? Pack(output, roots, excluded) : List(list);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "datapacker: %s\n", error.what());
        return 1;
    }
}
