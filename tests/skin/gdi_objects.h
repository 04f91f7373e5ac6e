#pragma once
// How many GDI objects the process holds now, for leak checks. Under Wine GetGuiResources
// answers 0, so the live, non-stock entries of Wine's GDI handle table are counted instead.
#include <cstddef>

std::size_t LiveGdiObjects();
