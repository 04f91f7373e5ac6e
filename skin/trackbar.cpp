#include "skin/trackbar.h"

#include <commctrl.h>

#include <algorithm>

#include "gdiplus/brush_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "gdiplus/pen_object.h"
#include "skin/backdrop.h"
#include "skin/family_painters.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

template <typename Record>
Record* RecordIn(int skinIndex, Family family, int index) {
  SkinWindow* skin = SkinWindowAt(skinIndex);
  if (!skin) return nullptr;
  auto& list = skin->List(family);
  if (index < 1 || index > static_cast<int>(list.size()) || !list[index - 1]->window) return nullptr;
  return static_cast<Record*>(list[index - 1].get());
}

// The client area's offset inside the window rectangle.
POINT ClientOrigin(HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  return POINT{origin.x - outer.left, origin.y - outer.top};
}

void PaintOwnNow(HWND window, Family family) {
  const int skinIndex = SkinIndexOf(window);
  const int index = ListIndexOf(window);
  if (family == Family::Trackbar) {
    PaintTrackbar(skinIndex, index);
  } else {
    PaintProgressBar(skinIndex, index);
  }
}

void CopyToWindow(HWND window, HDC backdrop, int w, int h) {
  if (HDC dc = GetWindowDC(window)) {
    BitBlt(dc, 0, 0, w, h, backdrop, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
  }
}

template <typename Record>
void Install(int skinIndex, HWND parent, const wchar_t* className, Family family, WNDPROC procedure,
             void (*fill)(Record&, LONG_PTR)) {
  if (!EngineRunning() || !Engine().tintSwitch) return;
  for (HWND child = FindWindowExW(parent, nullptr, className, nullptr); child;
       child = FindWindowExW(parent, child, className, nullptr)) {
    if (FindInFamilyList(skinIndex, family, child)) continue;
    auto owned = std::make_unique<Record>();
    Record& record = *owned;
    fill(record, GetWindowLongPtrW(child, GWL_STYLE));
    const int index = AddFamilyRecord(skinIndex, family, std::move(owned));
    if (index) SubclassControl(child, record, skinIndex, index, procedure);
  }
}

}  // namespace

int TickPlacementOf(LONG_PTR style) {
  if (style & TBS_NOTICKS) return 3;
  if (style & TBS_TOP) return 0;
  if (style & TBS_BOTH) return 2;
  return 1;
}

int ValueToPixel(int value, int low, int high, int start, int end) {
  if (high <= low) return start;
  value = std::clamp(value, low, high);
  return start + static_cast<int>(static_cast<long long>(value - low) * (end - start) / (high - low));
}

int ProgressFillLength(int position, int low, int high, int innerLength) {
  if (high <= low || innerLength <= 0) return 0;
  position = std::clamp(position, low, high);
  return static_cast<int>(static_cast<long long>(position - low) * innerLength / (high - low));
}

void InstallTrackbars(int skinIndex, HWND parent) {
  Install<TrackbarRecord>(skinIndex, parent, TRACKBAR_CLASSW, Family::Trackbar, TrackbarWndProc,
                          [](TrackbarRecord& r, LONG_PTR style) {
                            r.vertical = (style & TBS_VERT) != 0;
                            r.tickPlacement = TickPlacementOf(style);
                            r.selectionRange = (style & TBS_ENABLESELRANGE) != 0;
                          });
}

void InstallProgressBars(int skinIndex, HWND parent) {
  Install<ProgressRecord>(skinIndex, parent, PROGRESS_CLASSW, Family::Progress, ProgressWndProc,
                          [](ProgressRecord& r, LONG_PTR style) { r.vertical = (style & PBS_VERTICAL) != 0; });
}

namespace {

// The messages a trackbar and a progress bar answer alike: both are painted whole by the
// engine, never by the system. False for any other message.
bool PaintsOwnFace(HWND window, Family family, UINT message, WPARAM wParam, LRESULT& result) {
  switch (message) {
    case WM_MOVE:
      PaintOwnNow(window, family);
      return false;  // the previous procedure still learns of the move
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      EndPaint(window, &ps);
      PaintOwnNow(window, family);
      result = 0;
      return true;
    }
    case WM_ERASEBKGND:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      result = 1;
      return true;
    case WM_NCPAINT:
      PaintOwnNow(window, family);
      result = 1;
      return true;
    default:
      return false;
  }
}

}  // namespace

LRESULT CALLBACK TrackbarWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* record = static_cast<TrackbarRecord*>(FamilyRecordOf(window, Family::Trackbar));
  if (!record) return CallPrevious(window, message, wParam, lParam);
  const WNDPROC previous = record->previous;
  SkinWindow* skin = SkinWindowAt(SkinIndexOf(window));
  const int index = ListIndexOf(window);
  LRESULT painted = 0;
  if (PaintsOwnFace(window, Family::Trackbar, message, wParam, painted)) return painted;
  switch (message) {
    case WM_NCDESTROY:
      ReleaseControl(window, *record);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    case WM_MOUSEMOVE: {
      TrackLeave(window);
      if (skin) {
        skin->hotControl = index;
        if (skin->lastHotControl != index || skin->hotKind != kHotKindTrackbar) {
          record->hot = true;
          PaintOwnNow(window, Family::Trackbar);
          skin->lastHotControl = index;
          skin->hotKind = kHotKindTrackbar;
        }
      }
      break;
    }
    case WM_MOUSELEAVE:
      if (skin) skin->lastHotControl = 0;
      record->hot = false;
      PaintOwnNow(window, Family::Trackbar);
      break;
    default:
      break;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

LRESULT CALLBACK ProgressWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* record = static_cast<ProgressRecord*>(FamilyRecordOf(window, Family::Progress));
  if (!record) return CallPrevious(window, message, wParam, lParam);
  const WNDPROC previous = record->previous;
  LRESULT painted = 0;
  if (PaintsOwnFace(window, Family::Progress, message, wParam, painted)) return painted;
  switch (message) {
    case WM_NCDESTROY:
      ReleaseControl(window, *record);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    default:
      break;
  }
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

void PaintTrackbar(int skinIndex, int trackbarIndex) {
  TrackbarRecord* record = RecordIn<TrackbarRecord>(skinIndex, Family::Trackbar, trackbarIndex);
  if (!record) return;
  HWND window = record->window;
  RECT outer{};
  GetWindowRect(window, &outer);
  const int w = outer.right - outer.left, h = outer.bottom - outer.top;
  if (w <= 0 || h <= 0) return;
  HDC backdrop = PaintBackdrop(window, RECT{0, 0, w, h});
  if (!backdrop) return;
  const POINT origin = ClientOrigin(window);
  const int low = static_cast<int>(SendMessageW(window, TBM_GETRANGEMIN, 0, 0));
  const int high = static_cast<int>(SendMessageW(window, TBM_GETRANGEMAX, 0, 0));
  RECT channel{}, thumb{};
  SendMessageW(window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  // A vertical trackbar reports its channel as if it lay horizontally.
  if (record->vertical && channel.right - channel.left > channel.bottom - channel.top) {
    channel = RECT{channel.top, channel.left, channel.bottom, channel.right};
  }
  OffsetRect(&channel, origin.x, origin.y);
  OffsetRect(&thumb, origin.x, origin.y);
  {
    GraphicsObject g;
    if (g.CreateFromHDC(backdrop)) {
      g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
      const float fw = static_cast<float>(w), fh = static_cast<float>(h);
      if (Engine().thirdVeil != 0) {
        PathObject frame, inside;
        MakeRoundedPath(frame, 0, 0, fw - 1, fh - 1, 5);
        MakeRoundedPath(inside, 1, 1, fw - 3, fh - 3, 4);
        FillGradient(g, &inside, 0, 0, 0, fh, ToArgb(kWhite, 160), ToArgb(kBlack, 30));
        OutlinePath(g, frame, ToArgb(kBlack, 30));
      }
      // The channel, at least 4 pixels across so that it reads as a groove.
      RECT groove = channel;
      if (record->vertical) {
        const int mid = (groove.left + groove.right) / 2;
        groove.left = std::min<LONG>(groove.left, mid - 2);
        groove.right = std::max<LONG>(groove.right, mid + 2);
      } else {
        const int mid = (groove.top + groove.bottom) / 2;
        groove.top = std::min<LONG>(groove.top, mid - 2);
        groove.bottom = std::max<LONG>(groove.bottom, mid + 2);
      }
      const float gx = static_cast<float>(groove.left), gy = static_cast<float>(groove.top);
      const float gw = static_cast<float>(groove.right - groove.left), gh = static_cast<float>(groove.bottom - groove.top);
      PathObject channelPath;
      MakeRoundedPath(channelPath, gx, gy, gw, gh, 3);
      FillGradient(g, &channelPath, gx, gy, record->vertical ? gx + gw : gx, record->vertical ? gy : gy + gh,
                   ToArgb(kBlack, 50), ToArgb(kBlack, 30));
      // Ticks at their places, on the side or sides the style asks for.
      const int ticks = static_cast<int>(SendMessageW(window, TBM_GETNUMTICS, 0, 0));
      PenObject tickPen;
      if (record->tickPlacement != 3 && ticks > 0 && tickPen.CreatePen1(ToArgb(kBlack, 110), 1)) {
        g.SetSmoothingMode(gp::SmoothingModeNone);
        auto drawTick = [&](int at) {
          if (record->vertical) {
            const int y = at;
            if (record->tickPlacement != 1) g.DrawLineI(tickPen, thumb.left - 5, y, thumb.left - 2, y);
            if (record->tickPlacement != 0) g.DrawLineI(tickPen, thumb.right + 1, y, thumb.right + 4, y);
          } else {
            const int x = at;
            if (record->tickPlacement != 1) g.DrawLineI(tickPen, x, thumb.top - 5, x, thumb.top - 2);
            if (record->tickPlacement != 0) g.DrawLineI(tickPen, x, thumb.bottom + 1, x, thumb.bottom + 4);
          }
        };
        const int start = record->vertical ? channel.top : channel.left;
        const int end = record->vertical ? channel.bottom : channel.right;
        const int thumbHalf = record->vertical ? (thumb.bottom - thumb.top) / 2 : (thumb.right - thumb.left) / 2;
        drawTick(ValueToPixel(low, low, high, start + thumbHalf, end - thumbHalf));
        drawTick(ValueToPixel(high, low, high, start + thumbHalf, end - thumbHalf));
        for (int i = 0; i < ticks - 2; ++i) {
          const int value = static_cast<int>(SendMessageW(window, TBM_GETTIC, i, 0));
          if (value >= 0) drawTick(ValueToPixel(value, low, high, start + thumbHalf, end - thumbHalf));
        }
        g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
      }
      // The part of the channel up to the thumb, in the accent colour.
      {
        const float tx = static_cast<float>(thumb.left + thumb.right) / 2;
        const float ty = static_cast<float>(thumb.top + thumb.bottom) / 2;
        PathObject done;
        if (record->vertical) {
          MakeRoundedPath(done, gx, ty, gw, std::max(1.0f, gy + gh - ty), 3);
        } else {
          MakeRoundedPath(done, gx, gy, std::max(1.0f, tx - gx), gh, 3);
        }
        OutlinePath(g, done, ToArgb(Engine().accentColour, 200));
      }
      if (record->selectionRange) {
        const int selStart = static_cast<int>(SendMessageW(window, TBM_GETSELSTART, 0, 0));
        const int selEnd = static_cast<int>(SendMessageW(window, TBM_GETSELEND, 0, 0));
        if (selEnd > selStart) {
          PenObject selection;
          if (selection.CreatePen1(ToArgb(kWhite, 160), 2)) {
            if (record->vertical) {
              const int a = ValueToPixel(selStart, low, high, channel.top, channel.bottom);
              const int b = ValueToPixel(selEnd, low, high, channel.top, channel.bottom);
              g.DrawRectangle(selection, gx - 2, static_cast<float>(a), gw + 4, static_cast<float>(b - a));
            } else {
              const int a = ValueToPixel(selStart, low, high, channel.left, channel.right);
              const int b = ValueToPixel(selEnd, low, high, channel.left, channel.right);
              g.DrawRectangle(selection, static_cast<float>(a), gy - 2, static_cast<float>(b - a), gh + 4);
            }
          }
        }
      }
      // The thumb: a round knob on the thumb's place, brighter while the mouse is over it.
      const float kx = static_cast<float>(thumb.left), ky = static_cast<float>(thumb.top);
      const float kw = static_cast<float>(thumb.right - thumb.left - 1), kh = static_cast<float>(thumb.bottom - thumb.top - 1);
      if (kw > 0 && kh > 0) {
        PathObject knob;
        knob.CreatePath();
        knob.AddPathEllipse(kx, ky, kw, kh);
        FillPathSolid(g, knob, ToArgb(kWhite, record->hot ? 255 : 200));
        FillGradient(g, &knob, kx, ky, kx, ky + kh, ToArgb(kWhite, 0), ToArgb(kBlack, 90));
        if (record->hot) FillPathSolid(g, knob, ToArgb(Engine().accentColour, 60));
        OutlinePath(g, knob, ToArgb(kBlack, 50));
      }
    }
  }
  CopyToWindow(window, backdrop, w, h);
  ReleaseBackdrop(backdrop);
}

void PaintProgressBar(int skinIndex, int progressIndex) {
  ProgressRecord* record = RecordIn<ProgressRecord>(skinIndex, Family::Progress, progressIndex);
  if (!record) return;
  HWND window = record->window;
  RECT outer{};
  GetWindowRect(window, &outer);
  const int w = outer.right - outer.left, h = outer.bottom - outer.top;
  if (w <= 0 || h <= 0) return;
  HDC backdrop = PaintBackdrop(window, RECT{0, 0, w, h});
  if (!backdrop) return;
  {
    GraphicsObject g;
    if (g.CreateFromHDC(backdrop)) {
      g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
      const float fw = static_cast<float>(w), fh = static_cast<float>(h);
      PathObject frame, inside;
      MakeRoundedPath(frame, 0, 0, fw - 1, fh - 1, 5);
      MakeRoundedPath(inside, 1, 1, fw - 3, fh - 3, 1);
      FillGradient(g, &inside, 0, 0, record->vertical ? fw : 0, record->vertical ? 0 : fh, ToArgb(kWhite, 160),
                   ToArgb(kBlack, 30));
      OutlinePath(g, frame, ToArgb(kBlack, 50));
      PBRANGE range{};
      SendMessageW(window, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
      const int position = static_cast<int>(SendMessageW(window, PBM_GETPOS, 0, 0));
      const int inner = record->vertical ? h - 2 : w - 2;
      const int filled = ProgressFillLength(position, range.iLow, range.iHigh, inner);
      if (filled > 0) {
        // A vertical bar fills from the bottom up, as the standard one does.
        const float x = 1, y = record->vertical ? static_cast<float>(h - 1 - filled) : 1;
        const float fillW = record->vertical ? fw - 3 : static_cast<float>(filled) - 1;
        const float fillH = record->vertical ? static_cast<float>(filled) - 1 : fh - 3;
        PathObject bar;
        MakeRoundedPath(bar, x, y, std::max(1.0f, fillW), std::max(1.0f, fillH), 3);
        FillGradient(g, &bar, x, y, record->vertical ? x + fillW : x, record->vertical ? y : y + fillH,
                     ToArgb(kWhite, 90), ToArgb(Engine().accentColour, 255));
        OutlinePath(g, bar, ToArgb(Engine().accentColour, 150));
      }
    }
  }
  CopyToWindow(window, backdrop, w, h);
  ReleaseBackdrop(backdrop);
}
