// meshgenerator DATA_DIR: writes the generated X meshes of the data file into DATA_DIR (the
// folder packed as "Data\"), e.g. DATA_DIR/bevelcube.x for "Data\bevelcube.x".
#include "BevelledCube.h"
#include "XFileWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

struct MeshFile {
    const char* fileName;
    const char* meshName;
    std::function<GeneratedMesh()> build;
};

const std::vector<MeshFile>& MeshFiles() {
    static const std::vector<MeshFile> files = {
        {"bevelcube.x", "BevelCube", [] { return BuildBevelledCube(BevelledCubeShape{}); }},
    };
    return files;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: meshgenerator DATA_DIR\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const MeshFile& file : MeshFiles()) {
        const std::filesystem::path path = folder / file.fileName;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << WriteXFile(file.build(), file.meshName);
        out.close();
        if (!out) {
            std::fprintf(stderr, "meshgenerator: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
