#pragma once
// Writes pictures as PNG files with their alpha, for the desktop's icon theme, which reads
// no Targa files.

#include <filesystem>

#include "tools/imagegen/image.h"

// False when the file can't be written.
bool writePng(const std::filesystem::path& file, const Image& image);
