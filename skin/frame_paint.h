#pragma once
// Painting a skinned top-level window: back buffer and caches, rounded region, caption
// layout, caption buttons, title, and the move and border resize. Internal to skin/.
#include <windows.h>

#include <string>

class GraphicsObject;
struct SkinWindow;

inline constexpr int kFrameBorder = 3;

// The record of a skinned top-level window, found through its own index property (and its
// index), or nullptr for any other window.
SkinWindow* SkinnedWindow(HWND window, int* index = nullptr);

// Composes the whole picture into the back buffer; with `present` it reaches the screen
// through `dc` (or a DC of the window without its children when `dc` is null).
void PaintWholeWindow(int skinIndex, HDC dc, bool present);
// Copies the cached picture into `dc`, leaving the children's places alone.
void PaintFromBackBuffer(int skinIndex, HDC dc);
void ApplyWindowRegion(int skinIndex);

// The strip's left edge for a client width: right of it lie the buttons, inside the
// client area and clear of the frame border.
int CaptionStripLeft(int clientRight, int stripWidth);
void LayOutCaption(int skinIndex);
int HitTestCaptionButton(int skinIndex, int x, int y);
int FindMaximizeButton(int skinIndex);
void PaintCaptionButton(int skinIndex, int button, GraphicsObject* graphics, bool pressed, int alpha);
void PaintCaptionTitle(int skinIndex, GraphicsObject* graphics, const std::string* text);
void DrawShadedText(GraphicsObject& graphics, const std::string& text, float x, float y, float width,
                    float height, COLORREF textColour, COLORREF shadeColour, const std::string& face,
                    float size, int style, int offset = 1);

// The border zone a point lies in: 0 for none, else the WMSZ_* value (1..8).
int ResizeZone(int x, int y, int width, int height);
// Starts the move or resize a press asks for; true when it did, and then the press is
// nothing else (in particular no press on a caption button).
bool StartMoveOrResize(int skinIndex, LPARAM lParam, const RECT& client);
void SetBorderCursor(int skinIndex, LPARAM lParam, const RECT& client);
void InvalidateSkinnedChildren(int skinIndex);
