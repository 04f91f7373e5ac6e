#pragma once
// Unit fonts: GB2312 character set, normal weight, height in pixels. A face the system does
// not have falls back to the system's Chinese face, so Chinese never shows as boxes.
#include <windows.h>

#include "runtime/handles.h"
#include "runtime/window_template.h"

UniqueFont CreateUnitFont(const FontSpec& design);
bool FontFaceInstalled(const wchar_t* face);
