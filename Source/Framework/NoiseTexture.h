// The shared noise texture "NOISETEX": the noise volume as a 128^3 L8 dynamic volume texture.
#pragma once

#include "Platform/D3D9/D3D9.h"

// The entry of the packed data file that holds the volume, and the file written when it is
// missing (relative to the working directory).
constexpr const char* kNoiseVolumeEntry = "Data\\noise.bin";
constexpr const char* kNoiseVolumeFile = "Data/noise.bin";

// Creates the texture on the device and fills it from the data file's entry when that holds
// exactly the volume; otherwise generates the volume and writes it to kNoiseVolumeFile (a file
// that cannot be created is reported on standard output). Device calls are guarded; returns
// null when the device was lost before the texture existed.
IDirect3DVolumeTexture9* CreateNoiseTexture(IDirect3DDevice9* device);
