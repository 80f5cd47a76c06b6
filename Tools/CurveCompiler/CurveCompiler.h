// Compiles curve text files into the engine's binary curve entries: one file per curve, named
// like the curve, in an output directory that the data packer later packs.
#pragma once

#include "CurveCompiler/CurveDefinition.h"

#include <filesystem>
#include <vector>

// The curves of every file, in file order. Throws CurveSyntaxError for a fault in a file or a
// curve name defined in two files, and std::runtime_error for a file that cannot be read.
std::vector<CurveDefinition> ReadCurveFiles(const std::vector<std::filesystem::path>& files);

// Writes outputDirectory/<name> for each curve, creating the directory. Throws
// std::runtime_error when a file cannot be written.
void WriteCurveEntries(const std::vector<CurveDefinition>& curves,
                       const std::filesystem::path& outputDirectory);
