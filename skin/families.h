#pragma once
// The control families' entry points that the engine calls. Each family lives in its own
// file group and includes only the core (skin_core.h, backdrop.h); this header is the one
// place that names them all.

// Puts every family's installer (and the owner-drawn button painter) in the engine's table.
// A family not built has no entry and installs nothing.
void RegisterFamilies();
