#pragma once
// Painting of picture boxes and their pictures from the program's resources.
#include <windows.h>

#include "pictures/picture_decode.h"

// The box's background is white; a picture is scaled down to fit and centred, never enlarged.
constexpr std::uint32_t kPictureBackground = 0xFFFFFF;

void PaintPictureBox(HWND box, const DecodedPicture& picture);
DecodedPicture DecodePictureResource(const char* resourceName);
