#include "skin/trackbar.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "gdiplus/brush_objects.h"
#include "gdiplus/graphics_object.h"
#include "gdiplus/path_object.h"
#include "gdiplus/pen_object.h"
#include "skin/backdrop.h"
#include "skin/control_paint.h"
#include "skin/painters.h"
#include "skin/palette.h"
#include "skin/text_painters.h"

namespace {

using palette::kBlack;
using palette::kWhite;

void PaintOwn(HWND window, HDC dc, DcOrigin origin, Family family) {
  if (family == Family::Trackbar) {
    PaintTrackbar(window, dc, origin);
  } else {
    PaintProgressBar(window, dc, origin);
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
  auto paint = [family](HWND w, HDC dc, DcOrigin origin) { PaintOwn(w, dc, origin, family); };
  switch (message) {
    case WM_MOVE:
      PaintAtOnce(window, paint);
      return false;  // the previous procedure still learns of the move
    case WM_ERASEBKGND:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      result = 1;
      return true;
    case WM_NCPAINT:
      PaintAtOnce(window, paint);
      result = 1;
      return true;
    default:
      result = 0;
      return ServePaint(window, message, wParam, paint);
  }
}

}  // namespace

LRESULT CALLBACK TrackbarWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* record = static_cast<TrackbarRecord*>(FamilyRecordOf(window, Family::Trackbar));
  if (!record) return CallPrevious(window, message, wParam, lParam);
  const WNDPROC previous = record->previous;
  LRESULT painted = 0;
  if (PaintsOwnFace(window, Family::Trackbar, message, wParam, painted)) return painted;
  switch (message) {
    case WM_NCDESTROY:
      record->hover.Forget(window);
      ReleaseControl(window, *record);
      return CallWindowProcW(previous, window, message, wParam, lParam);
    case WM_MOUSEMOVE:
      if (record->hover.Enter(window)) PaintAtOnce(window, PaintTrackbar);
      break;
    case WM_MOUSELEAVE:
      if (record->hover.Leave(window)) PaintAtOnce(window, PaintTrackbar);
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

namespace {

// What a trackbar's picture shows, read from the control before anything is painted; in
// window coordinates.
struct TrackbarFacts {
  RECT channel{}, thumb{};
  std::vector<int> ticks;  // pixel places along the channel
  int selectionFrom = 0, selectionTo = 0;  // pixel places; equal for no selection
};

TrackbarFacts ReadTrackbar(HWND window, const TrackbarRecord& record) {
  TrackbarFacts facts;
  const RECT client = ClientRectInWindow(window);
  const POINT origin{client.left, client.top};
  const int low = static_cast<int>(SendMessageW(window, TBM_GETRANGEMIN, 0, 0));
  const int high = static_cast<int>(SendMessageW(window, TBM_GETRANGEMAX, 0, 0));
  RECT& channel = facts.channel;
  RECT& thumb = facts.thumb;
  SendMessageW(window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  // A vertical trackbar reports its channel as if it lay horizontally.
  if (record.vertical && channel.right - channel.left > channel.bottom - channel.top) {
    channel = RECT{channel.top, channel.left, channel.bottom, channel.right};
  }
  OffsetRect(&channel, origin.x, origin.y);
  OffsetRect(&thumb, origin.x, origin.y);
  const int start = record.vertical ? channel.top : channel.left;
  const int end = record.vertical ? channel.bottom : channel.right;
  const int ticks = static_cast<int>(SendMessageW(window, TBM_GETNUMTICS, 0, 0));
  if (record.tickPlacement != 3 && ticks > 0) {
    const int thumbHalf = record.vertical ? (thumb.bottom - thumb.top) / 2 : (thumb.right - thumb.left) / 2;
    auto place = [&](int value) { return ValueToPixel(value, low, high, start + thumbHalf, end - thumbHalf); };
    facts.ticks.push_back(place(low));
    facts.ticks.push_back(place(high));
    for (int i = 0; i < ticks - 2; ++i) {
      const int value = static_cast<int>(SendMessageW(window, TBM_GETTIC, i, 0));
      if (value >= 0) facts.ticks.push_back(place(value));
    }
  }
  if (record.selectionRange) {
    const int selStart = static_cast<int>(SendMessageW(window, TBM_GETSELSTART, 0, 0));
    const int selEnd = static_cast<int>(SendMessageW(window, TBM_GETSELEND, 0, 0));
    if (selEnd > selStart) {
      facts.selectionFrom = ValueToPixel(selStart, low, high, start, end);
      facts.selectionTo = ValueToPixel(selEnd, low, high, start, end);
    }
  }
  return facts;
}

std::size_t LookOf(const TrackbarFacts& facts) {
  LookHash look;
  look.Add(facts.channel).Add(facts.thumb).Add(facts.selectionFrom).Add(facts.selectionTo);
  for (const int tick : facts.ticks) look.Add(tick);
  return look.Add(static_cast<int>(Engine().accentColour)).Add(Engine().trackbarFrame).Value();
}

void DrawTrackbar(GraphicsObject& g, const TrackbarRecord& record, const TrackbarFacts& facts, int w, int h,
                  bool hot) {
  const RECT& channel = facts.channel;
  const RECT& thumb = facts.thumb;
  g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  if (Engine().trackbarFrame != 0) {
    PathObject frame, inside;
    MakeRoundedPath(frame, 0, 0, fw - 1, fh - 1, 5);
    MakeRoundedPath(inside, 1, 1, fw - 3, fh - 3, 4);
    FillGradient(g, {0, 0}, {0, fh}, ToArgb(kWhite, 160), ToArgb(kBlack, 30), &inside);
    StrokePath(g, frame, ToArgb(kBlack, 30));
  }
  // The channel, at least 4 pixels across so that it reads as a groove.
  RECT groove = channel;
  if (record.vertical) {
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
  FillGradient(g, {gx, gy}, {record.vertical ? gx + gw : gx, record.vertical ? gy : gy + gh}, ToArgb(kBlack, 50),
               ToArgb(kBlack, 30), &channelPath);
  // Ticks at their places, on the side or sides the style asks for.
  PenObject tickPen;
  if (!facts.ticks.empty() && tickPen.CreatePen1(ToArgb(kBlack, 110), 1)) {
    g.SetSmoothingMode(gp::SmoothingModeNone);
    for (const int at : facts.ticks) {
      if (record.vertical) {
        if (record.tickPlacement != 1) g.DrawLineI(tickPen, thumb.left - 5, at, thumb.left - 2, at);
        if (record.tickPlacement != 0) g.DrawLineI(tickPen, thumb.right + 1, at, thumb.right + 4, at);
      } else {
        if (record.tickPlacement != 1) g.DrawLineI(tickPen, at, thumb.top - 5, at, thumb.top - 2);
        if (record.tickPlacement != 0) g.DrawLineI(tickPen, at, thumb.bottom + 1, at, thumb.bottom + 4);
      }
    }
    g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
  }
  // The part of the channel up to the thumb, in the accent colour.
  {
    const float tx = static_cast<float>(thumb.left + thumb.right) / 2;
    const float ty = static_cast<float>(thumb.top + thumb.bottom) / 2;
    PathObject done;
    if (record.vertical) {
      MakeRoundedPath(done, gx, ty, gw, std::max(1.0f, gy + gh - ty), 3);
    } else {
      MakeRoundedPath(done, gx, gy, std::max(1.0f, tx - gx), gh, 3);
    }
    StrokePath(g, done, ToArgb(Engine().accentColour, 200));
  }
  PenObject selection;
  if (facts.selectionTo > facts.selectionFrom && selection.CreatePen1(ToArgb(kWhite, 160), 2)) {
    const float a = static_cast<float>(facts.selectionFrom), span = static_cast<float>(facts.selectionTo - facts.selectionFrom);
    if (record.vertical) {
      g.DrawRectangle(selection, gx - 2, a, gw + 4, span);
    } else {
      g.DrawRectangle(selection, a, gy - 2, span, gh + 4);
    }
  }
  // The thumb: a round knob on the thumb's place, brighter while the mouse is over it.
  const float kx = static_cast<float>(thumb.left), ky = static_cast<float>(thumb.top);
  const float kw = static_cast<float>(thumb.right - thumb.left - 1), kh = static_cast<float>(thumb.bottom - thumb.top - 1);
  if (kw > 0 && kh > 0) {
    PathObject knob;
    knob.CreatePath();
    knob.AddPathEllipse(kx, ky, kw, kh);
    FillSolid(g, knob, ToArgb(kWhite, hot ? 255 : 200));
    FillGradient(g, {kx, ky}, {kx, ky + kh}, ToArgb(kWhite, 0), ToArgb(kBlack, 90), &knob);
    if (hot) FillSolid(g, knob, ToArgb(Engine().accentColour, 60));
    StrokePath(g, knob, ToArgb(kBlack, 50));
  }
}

void DrawProgressBar(GraphicsObject& g, const ProgressRecord& record, int filled, int w, int h) {
  g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  PathObject frame, inside;
  MakeRoundedPath(frame, 0, 0, fw - 1, fh - 1, 5);
  MakeRoundedPath(inside, 1, 1, fw - 3, fh - 3, 1);
  FillGradient(g, {0, 0}, {record.vertical ? fw : 0, record.vertical ? 0 : fh}, ToArgb(kWhite, 160),
               ToArgb(kBlack, 30), &inside);
  StrokePath(g, frame, ToArgb(kBlack, 50));
  if (filled <= 0) return;
  // A vertical bar fills from the bottom up, as the standard one does.
  const float x = 1, y = record.vertical ? static_cast<float>(h - 1 - filled) : 1;
  const float fillW = record.vertical ? fw - 3 : static_cast<float>(filled) - 1;
  const float fillH = record.vertical ? static_cast<float>(filled) - 1 : fh - 3;
  PathObject bar;
  MakeRoundedPath(bar, x, y, std::max(1.0f, fillW), std::max(1.0f, fillH), 3);
  FillGradient(g, {x, y}, {record.vertical ? x + fillW : x, record.vertical ? y : y + fillH}, ToArgb(kWhite, 90),
               ToArgb(Engine().accentColour, 255), &bar);
  StrokePath(g, bar, ToArgb(Engine().accentColour, 150));
}

}  // namespace

void PaintTrackbar(HWND window, HDC dc, DcOrigin origin) {
  auto* record = static_cast<TrackbarRecord*>(FamilyRecordOf(window, Family::Trackbar));
  if (!record || !dc) return;
  const SIZE size = WindowSizeOf(window);
  const int w = size.cx, h = size.cy;
  if (w <= 0 || h <= 0) return;
  const TrackbarFacts facts = ReadTrackbar(window, *record);
  const bool hot = record->hover.Inside();
  const Surface* face = FaceOf(window, record->behind, record->faces, hot ? 1 : 0, LookOf(facts), w, h,
                               [&](GraphicsObject& g) { DrawTrackbar(g, *record, facts, w, h, hot); });
  if (face) CopyWindowPicture(window, dc, origin, face->Dc(), w, h);
}

void PaintProgressBar(HWND window, HDC dc, DcOrigin origin) {
  auto* record = static_cast<ProgressRecord*>(FamilyRecordOf(window, Family::Progress));
  if (!record || !dc) return;
  const SIZE size = WindowSizeOf(window);
  const int w = size.cx, h = size.cy;
  if (w <= 0 || h <= 0) return;
  PBRANGE range{};
  SendMessageW(window, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  const int position = static_cast<int>(SendMessageW(window, PBM_GETPOS, 0, 0));
  const int filled = ProgressFillLength(position, range.iLow, range.iHigh, record->vertical ? h - 2 : w - 2);
  const std::size_t look = LookHash().Add(filled).Add(static_cast<int>(Engine().accentColour)).Value();
  const Surface* face = FaceOf(window, record->behind, record->faces, 0, look, w, h,
                               [&](GraphicsObject& g) { DrawProgressBar(g, *record, filled, w, h); });
  if (face) CopyWindowPicture(window, dc, origin, face->Dc(), w, h);
}
