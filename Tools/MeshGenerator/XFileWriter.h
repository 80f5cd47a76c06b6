// Writes a generated mesh as a text X file ("xof 0303txt 0032"): one Mesh with its normals,
// texture coordinates and material list. Floats are written in their shortest exact form, so
// reading the file gives back the very same numbers.
#pragma once

#include "GeneratedMesh.h"

#include <string>

std::string WriteXFile(const GeneratedMesh& mesh, const std::string& meshName);
