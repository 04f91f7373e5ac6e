#pragma once
// Registered containers (group boxes, panels) and colour-keyed controls: parents inside a
// skinned window whose children are skinned too, painted over the skin background.
#include <windows.h>

#include <optional>

#include "skin/skin_core.h"

struct ColorKeyedRecord : ControlRecord {
  COLORREF key = 0;
};

// Registers a container and skins its children; its 1-based index, or 0 outside a skinned
// window. A container already registered keeps its record and gives its index again.
int AddContainer(HWND window, bool drawBackground = true, int value = 0, int alpha = 255, bool border = false);
LRESULT CALLBACK ContainerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The container's picture into `dc`, or into a DC of the container without its children.
void PaintContainer(int skinIndex, int containerIndex, HDC dc);
void PaintGroupBox(ContainerRecord& container, HDC memory, int width, int height);
// Where a group box's caption lies: x for a text of width tw in a box of width w.
int GroupBoxCaptionX(LONG_PTR style, int width, int textWidth);
void DockContainerChildren(int skinIndex, int containerIndex);
bool SetContainerAlpha(HWND window, int alpha);

int AddColorKeyedControl(HWND window, std::optional<COLORREF> key, int value, int alpha);
LRESULT CALLBACK ColorKeyedWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
