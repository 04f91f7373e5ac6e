// The window procedure of a skinned top-level window: painting, caption buttons with their
// hover fade, move and resize, the children's colours, and the release at the end.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "runtime/gbk_text.h"
#include "runtime/gdiplus_session.h"
#include "skin/backdrop.h"
#include "skin/caption_band.h"
#include "skin/frame_paint.h"
#include "skin/skin.h"
#include "skin/skin_core.h"

namespace {

constexpr UINT kFadeInterval = 20;

UINT_PTR FadeTimerId(HWND window) { return reinterpret_cast<UINT_PTR>(window); }

// The monitor the window is on and the part of it a maximized window may cover; a taskbar
// on any side is left out of the latter.
MONITORINFO MonitorOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
    info.rcMonitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    info.dwFlags = MONITORINFOF_PRIMARY;
  }
  // The system's work area is the primary monitor's; Wine keeps a changed one only there.
  RECT work{};
  if ((info.dwFlags & MONITORINFOF_PRIMARY) && SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) &&
      !IsRectEmpty(&work)) {
    info.rcWork = work;
  }
  return info;
}

void FadeStep(int index, SkinWindow& record) {
  if (record.fadeIn.button && record.fadeIn.step <= 7) {
    ++record.fadeIn.step;
    PaintCaptionButton(index, record.fadeIn.button, nullptr, false, record.fadeIn.step * 30);
  }
  if (record.fadeOut.button && record.fadeOut.step <= 7) {
    ++record.fadeOut.step;
    PaintCaptionButton(index, record.fadeOut.button, nullptr, false, 240 - record.fadeOut.step * 30);
  }
  const bool fadeOutEnded = !record.fadeOut.button || record.fadeOut.step > 7;
  if ((!record.mouseInside || !record.fadeTimerRunning) && fadeOutEnded) {
    record.fadeTimerRunning = false;
    KillTimer(record.window, FadeTimerId(record.window));
    record.hoveredButton = 0;
    record.fadeIn = {};
    record.fadeOut = {};
  }
}

void OnMouseMove(int index, SkinWindow& record, LPARAM lParam) {
  RECT client{};
  GetClientRect(record.window, &client);
  if (!record.mouseInside) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = record.window;
    track.dwHoverTime = 1;
    TrackMouseEvent(&track);
  }
  const int x = XOf(lParam), y = YOf(lParam);
  if (record.captionActive) {
    const bool overStrip = x >= record.stripLeft - 2 && x <= record.stripLeft + record.stripWidth && y >= 0 && y <= 22;
    if (overStrip) {
      if (!record.fadeTimerRunning) SetTimer(record.window, FadeTimerId(record.window), kFadeInterval, nullptr);
      record.fadeTimerRunning = true;
    } else {
      record.fadeTimerRunning = false;
    }
  }
  const int hit = HitTestCaptionButton(index, x, y);
  if (record.hoveredButton && hit != record.hoveredButton) {
    if (record.fadeOut.step < 8) PaintCaptionButton(index, record.fadeOut.button, nullptr, false, 0);
    record.fadeOut = {record.hoveredButton, 0};
  }
  if (hit != record.hoveredButton) {
    record.fadeIn = {hit, 0};
    record.hoveredButton = hit;
  }
  if (!record.maximized) SetBorderCursor(index, lParam, client);
}

void OnMouseLeave(int index, SkinWindow& record) {
  record.mouseInside = false;
  if (!record.hoveredButton || !record.captionActive) return;
  if (record.fadeOut.step <= 7 && record.fadeIn.step <= 7) {
    PaintCaptionButton(index, record.fadeOut.button, nullptr, false, 0);
    record.fadeIn = {};
  }
  record.fadeOut = {record.hoveredButton, 0};
  record.hoveredButton = 0;
}

// The button a press went down on; a release over the same button clicks it.
int& PressedButton(SkinWindow& record) { return record.pressedButton; }

// Withdraws a press on a caption button whose button-up will not come to this window (the
// capture went elsewhere, the mode was cancelled, the window lost activation).
void LetGoOfPress(int index, SkinWindow& record) {
  const int pressed = PressedButton(record);
  if (!pressed) return;
  PressedButton(record) = 0;
  PaintCaptionButton(index, pressed, nullptr, false, 0);
  if (GetCapture() == record.window) ReleaseCapture();
}

}  // namespace

LRESULT CALLBACK SkinEngine::FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const int index = FindSkinWindow(window);  // the same as its Hw_lbID, without asking the server
  SkinWindow* record = SkinWindowAt(index);
  if (!record || record->window != window) return CallPrevious(window, message, wParam, lParam);
  LRESULT answered = 0;
  if (AnswerChildMessage(index, message, wParam, lParam, answered)) return answered;

  switch (message) {
    case WM_SIZE:
      record->hoveredButton = 0;
      if (Engine().oneShot) {
        record->needsFullRepaint = false;
        Engine().oneShot = false;
      } else {
        record->needsFullRepaint = true;
      }
      DockWindows(*record, LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_SETTEXT:
      if (record->showTitle && record->captionActive && lParam && record->backBuffer.Dc()) {
        const std::string text = WideToGbk(reinterpret_cast<const wchar_t*>(lParam));
        PaintCaptionTitle(index, nullptr, &text);
      }
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (dc && !record->minimized) {
        if (record->needsFullRepaint) {
          PaintWholeWindow(index, dc, true);
        } else {
          PaintFromBackBuffer(index, dc);
        }
      }
      EndPaint(window, &ps);
      return 0;
    }
    case WM_QUERYOPEN:
      record->minimized = false;
      break;
    case WM_ERASEBKGND:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return 1;
    case WM_SHOWWINDOW:
      if (wParam == 1) {
        if (record->minimized) {
          record->minimized = false;
        } else {
          // Painted by the WM_PAINT that showing brings, never outside one.
          record->needsFullRepaint = true;
          InvalidateRect(window, nullptr, FALSE);
        }
      }
      break;
    case WM_ACTIVATEAPP: {
      const bool wasActive = record->appActive;
      record->appActive = wParam != 0;
      if (!wParam && wasActive && Engine().deactivated) Engine().deactivated();
      break;
    }
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (info) {
        const MONITORINFO monitor = MonitorOf(window);
        const RECT& work = monitor.rcWork;
        info->ptMaxPosition = {work.left - monitor.rcMonitor.left, work.top - monitor.rcMonitor.top};
        info->ptMaxSize = {work.right - work.left, work.bottom - work.top};
        if (record->maximized) {
          info->ptMaxTrackSize = info->ptMaxSize;
        } else {
          info->ptMaxTrackSize = {record->screenWidth, record->screenHeight};
        }
        info->ptMinTrackSize = {record->minTrackWidth, record->minTrackHeight};
      }
      break;
    }
    case WM_WINDOWPOSCHANGED:
      if (record->hasMaximize) {
        RECT client{};
        GetClientRect(window, &client);
        const MONITORINFO monitor = MonitorOf(window);
        const RECT& screen = monitor.rcMonitor;
        const RECT& work = monitor.rcWork;
        const bool coversScreen =
            client.right == screen.right - screen.left && client.bottom == screen.bottom - screen.top;
        if (coversScreen && !EqualRect(&screen, &work)) {
          record->maximized = true;
          SetWindowPos(window, nullptr, work.left, work.top, work.right - work.left, work.bottom - work.top,
                       SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
        } else if (coversScreen) {
          record->maximized = true;
        }
      }
      LayOutCaption(index);
      break;
    case WM_NCDESTROY: {
      const auto previous = record->previous;
      KillTimer(window, FadeTimerId(window));
      ReleaseSkinWindow(window);
      RemovePropA(window, kPropListIndex);
      RemovePropA(window, kPropPrevious);
      RemovePropA(window, kPropBackBitmap);
      RemovePropA(window, kPropBackBitmapOut);
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                      : DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE:
          record->maximized = true;
          record->needsFullRepaint = true;
          break;
        case SC_RESTORE:
          // Restoring from maximized ends that state too, so the button maximizes again.
          if (!record->minimized) record->maximized = false;
          record->needsFullRepaint = true;
          record->minimized = false;
          break;
        case SC_MINIMIZE:
          record->needsFullRepaint = true;
          record->minimized = true;
          break;
        default:
          break;
      }
      break;
    case WM_TIMER:
      if (wParam == FadeTimerId(window)) FadeStep(index, *record);
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(index, *record, lParam);
      break;
    case WM_LBUTTONDOWN: {
      RECT client{};
      GetClientRect(window, &client);
      record->fadeIn = {};
      LetGoOfPress(index, *record);
      if (record->captionActive) {
        // One rule decides a press: a move or resize, else a caption button, never both.
        if (!record->maximized && !record->minimized && StartMoveOrResize(index, lParam, client)) {
          // The move or resize loop has run and taken the button-up: look the record up again.
          record = SkinWindowAt(index);
          if (!record || record->window != window) return 0;
          break;
        }
        const int hit = HitTestCaptionButton(index, XOf(lParam), YOf(lParam));
        PressedButton(*record) = hit;
        if (hit) {
          SetCapture(window);
          PaintCaptionButton(index, hit, nullptr, true, 0);
        }
      }
      break;
    }
    case WM_LBUTTONUP: {
      const int pressed = PressedButton(*record);
      PressedButton(*record) = 0;
      if (pressed && GetCapture() == window) ReleaseCapture();
      if (pressed >= 1 && pressed <= static_cast<int>(record->buttons.size()) && record->captionActive) {
        // Released off the button, the press is withdrawn, as with any button.
        if (HitTestCaptionButton(index, XOf(lParam), YOf(lParam)) != pressed) {
          PaintCaptionButton(index, pressed, nullptr, false, 0);
          break;
        }
        PaintCaptionButton(index, pressed, nullptr, false, 0);
        const WNDPROC previous = record->previous;
        CaptionButtonAction(index, pressed);
        if (!IsWindow(window)) return 0;  // closed: nothing of the record is left
        return CallWindowProcW(previous, window, message, wParam, lParam);
      }
      break;
    }
    case WM_LBUTTONDBLCLK:
      if (YOf(lParam) <= record->captionHeight && record->borderResize) {
        if (const int maximize = FindMaximizeButton(index)) {
          const WNDPROC previous = record->previous;
          CaptionButtonAction(index, maximize);
          if (!IsWindow(window)) return 0;
          return CallWindowProcW(previous, window, message, wParam, lParam);
        }
      }
      break;
    case WM_CANCELMODE:
      LetGoOfPress(index, *record);
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window) LetGoOfPress(index, *record);
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) LetGoOfPress(index, *record);
      break;
    case WM_MOUSEHOVER:
      record->mouseInside = true;
      break;
    case WM_MOUSELEAVE:
      OnMouseLeave(index, *record);
      break;
    default:
      break;
  }
  return CallWindowProcW(record->previous, window, message, wParam, lParam);
}
