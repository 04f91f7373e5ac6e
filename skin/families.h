#pragma once
// The control families' entry points that the engine calls. Each family lives in its own
// file group and includes only the core (skin_core.h, backdrop.h); this header is the one
// place that names them all.

// Puts every family's installer (and the owner-drawn button painter) in the engine's table.
// A family not built has no entry and installs nothing.
void RegisterFamilies();

#include <windows.h>

// Check boxes and auto radio buttons (check_radio.cpp).
void InstallCheckAndRadioButtons(int skinIndex, HWND parent);
// Combo boxes of the three styles (combo_box.cpp); their edit fields go to the edit installer.
void InstallComboBoxes(int skinIndex, HWND parent);
// Trackbars and progress bars (trackbar.cpp).
void InstallTrackbars(int skinIndex, HWND parent);
void InstallProgressBars(int skinIndex, HWND parent);
// Up-down controls (up_down.cpp).
void InstallUpDowns(int skinIndex, HWND parent);
