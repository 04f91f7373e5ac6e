#pragma once
// Which control of a skinned window shows its hover look, and the one tracker every family
// uses to learn that the mouse came over a control or left it, each exactly once.
#include <windows.h>

// The family whose control is lit.
enum class HoverOwner : int { None, PushButton, Edit, Trackbar, Combo, List, CheckRadio, UpDown, Header };

// The lit control of one skin window (none: owner None, control nullptr).
struct HoverSpot {
  HoverOwner owner = HoverOwner::None;
  HWND control = nullptr;
};

// Kept in a control's record. A family calls Enter on WM_MOUSEMOVE and Leave on
// WM_MOUSELEAVE, and paints its hover look or its plain look when they say true.
class HoverTracker {
 public:
  explicit HoverTracker(HoverOwner owner) : owner_(owner) {}
  // True on the first move over the control since it was left or forgotten; the control is
  // then its window's lit one. Every move asks for the WM_MOUSELEAVE again, since the
  // system drops the request when the window loses the mouse to a capture or a menu.
  bool Enter(HWND window);
  // True once when the mouse leaves a control it had entered.
  bool Leave(HWND window);
  // The control was repainted without its hover look (a press, its destruction): the next
  // move enters again.
  void Forget(HWND window);
  bool Inside() const { return inside_; }

 private:
  HoverOwner owner_;
  bool inside_ = false;
};
