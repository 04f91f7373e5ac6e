#include "gdiplus/tool_tip.h"

#include <commctrl.h>

#include <utility>

#include "runtime/gbk_text.h"

ToolTip::ToolTip(ToolTip&& other) noexcept
    : tip_(std::exchange(other.tip_, nullptr)), owner_(std::exchange(other.owner_, nullptr)) {}

ToolTip& ToolTip::operator=(ToolTip&& other) noexcept {
  if (this != &other) {
    Destroy();
    tip_ = std::exchange(other.tip_, nullptr);
    owner_ = std::exchange(other.owner_, nullptr);
  }
  return *this;
}

HWND ToolTip::Create(HWND owner, bool balloon) {
  Destroy();
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  owner_ = owner;
  const DWORD style = TTS_ALWAYSTIP | (balloon ? TTS_BALLOON : 0);
  tip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, L"", style, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
  return tip_;
}

void ToolTip::Destroy() {
  if (tip_ != nullptr && IsWindow(tip_)) DestroyWindow(tip_);
  tip_ = nullptr;
}

LRESULT ToolTip::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return tip_ != nullptr ? SendMessageW(tip_, message, wParam, lParam) : 0;
}

LRESULT ToolTip::SendTool(UINT message, UINT_PTR id, const RECT* rect,
                          const wchar_t* text) const {
  // The record lives for this one message; the control copies what it keeps.
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = owner_;
  tool.uId = id;
  if (rect != nullptr) tool.rect = *rect;
  tool.lpszText = const_cast<wchar_t*>(text);
  return Send(message, 0, reinterpret_cast<LPARAM>(&tool));
}

bool ToolTip::AddTool(const RECT& rect, const std::string& text, UINT_PTR id) {
  const std::wstring wide = GbkToWide(text);
  return SendTool(TTM_ADDTOOLW, id, &rect, wide.c_str()) != 0;
}

bool ToolTip::AddToolCallback(const RECT& rect, UINT_PTR id) {
  return SendTool(TTM_ADDTOOLW, id, &rect, LPSTR_TEXTCALLBACKW) != 0;
}

LRESULT ToolTip::SetTipBkColor(COLORREF colour) { return Send(TTM_SETTIPBKCOLOR, colour, 0); }

LRESULT ToolTip::SetTipTextColor(COLORREF colour) {
  return Send(TTM_SETTIPTEXTCOLOR, colour, 0);
}

LRESULT ToolTip::SetMaxTipWidth(int width) { return Send(TTM_SETMAXTIPWIDTH, 0, width); }

void ToolTip::DelTool(UINT_PTR id) { SendTool(TTM_DELTOOLW, id, nullptr, nullptr); }

void ToolTip::NewToolRect(UINT_PTR id, const RECT& rect) {
  SendTool(TTM_NEWTOOLRECTW, id, &rect, nullptr);
}

void ToolTip::UpdateTipText(UINT_PTR id, const std::string& text) {
  const std::wstring wide = GbkToWide(text);
  SendTool(TTM_UPDATETIPTEXTW, id, nullptr, wide.c_str());
}
