#pragma once
// Bytes as the program hands them around: replies, pictures, UTF-16 data, GDI+ property items.
#include <vector>

using ByteSet = std::vector<unsigned char>;
