// The tooltip wrapper against a real tooltip control, read back through its own messages.
#include "gdiplus/tool_tip.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

class ToolTipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override { DestroyWindow(owner_); }

  TOOLINFOW Tool(UINT_PTR id, wchar_t* text = nullptr) const {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = owner_;
    tool.uId = id;
    tool.lpszText = text;
    return tool;
  }
  std::wstring TextOf(const ToolTip& tip, UINT_PTR id) const {
    wchar_t buffer[80] = {};
    TOOLINFOW tool = Tool(id, buffer);
    SendMessageW(tip.GetTipWindow(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    return buffer;
  }
  static LRESULT Count(const ToolTip& tip) {
    return SendMessageW(tip.GetTipWindow(), TTM_GETTOOLCOUNT, 0, 0);
  }

  HWND owner_ = nullptr;
};

TEST_F(ToolTipTest, StyleIsAlwaysTipWithBalloonOnRequest) {
  const struct {
    bool balloon;
    LONG_PTR style;
  } cases[] = {{false, 0x01}, {true, 0x41}};
  for (const auto& c : cases) {
    ToolTip tip;
    HWND window = tip.Create(owner_, c.balloon);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window, tip.GetTipWindow());
    EXPECT_EQ(tip.Owner(), owner_);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    EXPECT_STREQ(className, TOOLTIPS_CLASSW);
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & 0x41, c.style);
    EXPECT_EQ(GetParent(window), nullptr);
  }
}

TEST_F(ToolTipTest, UpdateTipTextChangesTheShownText) {
  ToolTip tip;
  ASSERT_NE(tip.Create(owner_), nullptr);
  ASSERT_TRUE(tip.AddTool(RECT{0, 0, 26, 18}, "关闭", 1));
  ASSERT_TRUE(tip.AddTool(RECT{26, 0, 52, 18}, "最小化", 2));
  EXPECT_EQ(Count(tip), 2);
  EXPECT_EQ(TextOf(tip, 1), L"关闭");
  tip.UpdateTipText(1, "最大化");
  EXPECT_EQ(TextOf(tip, 1), L"最大化");
  EXPECT_EQ(TextOf(tip, 2), L"最小化") << "the other tool keeps its text";
}

TEST_F(ToolTipTest, DeletingAnUnknownToolChangesNothing) {
  ToolTip tip;
  ASSERT_NE(tip.Create(owner_), nullptr);
  ASSERT_TRUE(tip.AddTool(RECT{0, 0, 10, 10}, "帮助", 7));
  tip.DelTool(8);
  EXPECT_EQ(Count(tip), 1);
  EXPECT_EQ(TextOf(tip, 7), L"帮助");
  tip.DelTool(7);
  EXPECT_EQ(Count(tip), 0);
}

TEST_F(ToolTipTest, NewToolRectMovesTheToolAndCallbackToolsAskTheOwner) {
  ToolTip tip;
  ASSERT_NE(tip.Create(owner_), nullptr);
  ASSERT_TRUE(tip.AddTool(RECT{0, 0, 10, 10}, "主菜单", 3));
  tip.NewToolRect(3, RECT{5, 6, 70, 80});
  TOOLINFOW tool = Tool(3);
  ASSERT_TRUE(SendMessageW(tip.GetTipWindow(), TTM_GETTOOLINFOW, 0,
                           reinterpret_cast<LPARAM>(&tool)));
  EXPECT_EQ(tool.rect.left, 5);
  EXPECT_EQ(tool.rect.bottom, 80);
  EXPECT_EQ(tool.uFlags & TTF_SUBCLASS, static_cast<UINT>(TTF_SUBCLASS));

  ASSERT_TRUE(tip.AddToolCallback(RECT{0, 0, 5, 5}, 4));
  wchar_t buffer[80] = {};
  TOOLINFOW callback = Tool(4, buffer);
  ASSERT_TRUE(SendMessageW(tip.GetTipWindow(), TTM_GETTOOLINFOW, 0,
                           reinterpret_cast<LPARAM>(&callback)));
  EXPECT_EQ(callback.lpszText, LPSTR_TEXTCALLBACKW);
}

TEST_F(ToolTipTest, ColoursAndWidthReachTheControl) {
  ToolTip tip;
  ASSERT_NE(tip.Create(owner_), nullptr);
  tip.SetTipBkColor(RGB(1, 2, 3));
  tip.SetTipTextColor(RGB(200, 100, 50));
  EXPECT_EQ(SendMessageW(tip.GetTipWindow(), TTM_GETTIPBKCOLOR, 0, 0), RGB(1, 2, 3));
  EXPECT_EQ(SendMessageW(tip.GetTipWindow(), TTM_GETTIPTEXTCOLOR, 0, 0), RGB(200, 100, 50));
  EXPECT_EQ(tip.SetMaxTipWidth(200), -1) << "the previous width: none";
  EXPECT_EQ(SendMessageW(tip.GetTipWindow(), TTM_GETMAXTIPWIDTH, 0, 0), 200);
}

TEST_F(ToolTipTest, TheWrapperOwnsItsWindow) {
  HWND window = nullptr;
  {
    ToolTip tip;
    window = tip.Create(owner_);
    ASSERT_TRUE(IsWindow(window));
    ToolTip moved(std::move(tip));
    EXPECT_EQ(tip.GetTipWindow(), nullptr);
    EXPECT_EQ(moved.GetTipWindow(), window);
    // A second Create replaces the first window.
    HWND second = moved.Create(owner_, true);
    EXPECT_FALSE(IsWindow(window));
    window = second;
  }
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(ToolTipTest, AnEmptyWrapperDoesNothing) {
  ToolTip tip;
  EXPECT_FALSE(tip.AddTool(RECT{0, 0, 1, 1}, "x", 1));
  EXPECT_FALSE(tip.AddToolCallback(RECT{0, 0, 1, 1}, 1));
  EXPECT_EQ(tip.SetTipBkColor(0), 0);
  EXPECT_EQ(tip.SetMaxTipWidth(10), 0);
  tip.DelTool(1);
  tip.NewToolRect(1, RECT{});
  tip.UpdateTipText(1, "x");
  EXPECT_EQ(tip.GetTipWindow(), nullptr);
}

}  // namespace
