#include "skin/hover.h"

#include "skin/skin_core.h"

namespace {

void AskForLeave(HWND window) {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window;
  TrackMouseEvent(&track);
}

HoverSpot* SpotOf(HWND window) {
  SkinWindow* skin = SkinWindowAt(SkinIndexOf(window));
  return skin ? &skin->hover : nullptr;
}

void Clear(HWND window) {
  HoverSpot* spot = SpotOf(window);
  if (spot && spot->control == window) *spot = HoverSpot{};
}

}  // namespace

bool HoverTracker::Enter(HWND window) {
  AskForLeave(window);
  if (HoverSpot* spot = SpotOf(window)) *spot = HoverSpot{owner_, window};
  if (inside_) return false;
  inside_ = true;
  return true;
}

bool HoverTracker::Leave(HWND window) {
  if (!inside_) return false;
  inside_ = false;
  Clear(window);
  return true;
}

void HoverTracker::Forget(HWND window) {
  inside_ = false;
  Clear(window);
}
