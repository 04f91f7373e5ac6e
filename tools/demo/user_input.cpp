#include "tools/demo/user_input.h"

void MoveCursorTo(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  SetCursorPos(p.x, p.y);
}

void LeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof(INPUT));
}

void ClickAt(HWND window, int x, int y, bool doubleClick) {
  MoveCursorTo(window, x, y);
  // The place goes with every button event: Wine may still report the cursor where it was
  // when the buttons arrive right after the move, and the click would land there.
  POINT p{x, y};
  ClientToScreen(window, &p);
  const LONG dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  const LONG dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  const int clicks = doubleClick ? 2 : 1;
  for (int i = 0; i < clicks; ++i) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[0].mi.dx = input[1].mi.dx = dx;
    input[0].mi.dy = input[1].mi.dy = dy;
    SendInput(2, input, sizeof(INPUT));
  }
}

void PressKey(WORD virtualKey) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = virtualKey;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}
