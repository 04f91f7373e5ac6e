#pragma once
// The two value types of web access: texts are GBK bytes in std::string (positions 1-based
// in the routines that take them, -1 = absent); byte sets and text arrays are plain vectors.
#include <string>
#include <vector>

#include "runtime/byte_set.h"

using TextArray = std::vector<std::string>;
