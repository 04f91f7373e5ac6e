#pragma once
// A tooltip control for one owner window: rectangles of the owner ("tools") that show a
// tip. Texts are GBK and reach the control through the wide messages.
#include <string>

#include <windows.h>

class ToolTip {
 public:
  ToolTip() = default;
  ToolTip(const ToolTip&) = delete;
  ToolTip& operator=(const ToolTip&) = delete;
  ToolTip(ToolTip&& other) noexcept;
  ToolTip& operator=(ToolTip&& other) noexcept;
  // The tooltip window has no parent, so nothing else would destroy it.
  ~ToolTip() { Destroy(); }

  // Makes the tooltip window (TTS_ALWAYSTIP, with TTS_BALLOON for balloon tips) for
  // `owner`; a window made before is destroyed. Gives the new window, or null.
  HWND Create(HWND owner, bool balloon = false);
  void Destroy();

  bool AddTool(const RECT& rect, const std::string& text, UINT_PTR id);
  // The owner supplies the text on demand (TTN_GETDISPINFO).
  bool AddToolCallback(const RECT& rect, UINT_PTR id);
  // These give what the control answers.
  LRESULT SetTipBkColor(COLORREF colour);
  LRESULT SetTipTextColor(COLORREF colour);
  // Longer tips wrap at `width` pixels.
  LRESULT SetMaxTipWidth(int width);
  void DelTool(UINT_PTR id);
  void NewToolRect(UINT_PTR id, const RECT& rect);
  void UpdateTipText(UINT_PTR id, const std::string& text);

  HWND GetTipWindow() const { return tip_; }
  HWND Owner() const { return owner_; }

 private:
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;
  LRESULT SendTool(UINT message, UINT_PTR id, const RECT* rect, const wchar_t* text) const;

  HWND tip_ = nullptr;
  HWND owner_ = nullptr;
};
