#pragma once
// The program's small windows (the batch's preview, progress and captcha pause, the export's
// progress): a captioned window centred over its owner, standard controls in the program's
// font, and one handler for their commands. The window owns its font and handler and frees
// them when it is destroyed.
#include <windows.h>

#include <functional>
#include <string>

// Called with the control's id; the close box and Esc arrive as IDCANCEL, and the window's
// destruction (by whoever) as kDestroyed.
inline constexpr int kDestroyed = -1;
// A tick of a timer set on the window (SetTimer with the window and no procedure).
inline constexpr int kTimerTick = -2;
using CommandHandler = std::function<void(HWND window, int id)>;

HWND CreateSmallWindow(HWND owner, const wchar_t* className, const std::wstring& title, int clientWidth,
                       int clientHeight, CommandHandler onCommand);
HWND AddControl(HWND window, const wchar_t* controlClass, const std::wstring& text, DWORD style, int id, int x, int y,
                int width, int height);

// Runs the window modally over its owner (the owner disabled) until it is destroyed.
void RunModal(HWND window);

void SetControlText(HWND window, int id, const std::wstring& text);
std::wstring ControlText(HWND window, int id);
