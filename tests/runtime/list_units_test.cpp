// The list-view services, from the window thread and from a worker as the program uses them.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "runtime/ui_thread.h"
#include "runtime/units.h"
#include "runtime/window.h"

namespace {

WindowSpec ListWindow() {
  WindowSpec w;
  w.caption = "list";
  w.width = 300;
  w.height = 200;
  w.units.push_back({.name = "list", .kind = UnitKind::ListView, .left = 0, .top = 0, .width = 300,
                     .height = 200, .style = LVS_REPORT, .columns = {{"a", 80}, {"b", 80}, {"c", 80}}});
  return w;
}

class ListUnits : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartUiThread());
    window = LoadWindow(spec);
    ASSERT_NE(window, nullptr);
    list = FindUnit(window, "list");
    ASSERT_NE(list, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window);
    StopUiThread();
  }
  // Runs `work` on a worker while this (window) thread keeps serving it.
  template <typename Work>
  void OnWorker(Work work) {
    bool done = false;
    std::thread worker([&] {
      work();
      done = true;
    });
    while (!done) {
      PumpPendingMessages();
      Sleep(1);
    }
    worker.join();
  }

  const WindowSpec spec = ListWindow();
  HWND window = nullptr, list = nullptr;
};

}  // namespace

TEST_F(ListUnits, RowsAppendAtTheEndAndCellsReadBack) {
  EXPECT_EQ(ListAppendRow(list), 0);
  EXPECT_EQ(ListAppendRow(list), 1);
  ListSetCell(list, 1, 2, "案号");
  EXPECT_EQ(ListGetCell(list, 1, 2), "案号");
  EXPECT_EQ(ListGetCell(list, 0, 2), "");
  EXPECT_EQ(ListGetCell(list, -1, 0), "");  // no row selected
  EXPECT_EQ(ListSelectedRow(list), -1);
  // A cell longer than any first guess at its size comes back whole.
  const std::string longText(5000, 'x');
  ListSetCell(list, 0, 0, longText);
  EXPECT_EQ(ListGetCell(list, 0, 0), longText);
  ListDeleteAllRows(list);
  EXPECT_EQ(ListRowCount(list), 0);
}

TEST_F(ListUnits, WorkerFillsRowsThroughTheWindowThread) {
  OnWorker([&] {
    ListAppendRows(list, {{"王五", "2017年09月18日", "(2017)京0105执12087号"}, {"李四"}, {}});
    ListSetCell(list, 1, 1, "2018年01月02日");
  });
  ASSERT_EQ(ListRowCount(list), 3);
  EXPECT_EQ(ListGetCell(list, 0, 2), "(2017)京0105执12087号");
  EXPECT_EQ(ListGetCell(list, 1, 0), "李四");
  EXPECT_EQ(ListGetCell(list, 1, 1), "2018年01月02日");
  EXPECT_EQ(ListGetCell(list, 1, 2), "");  // a row gets only the cells it was given
  EXPECT_EQ(ListGetCell(list, 2, 0), "");
}

TEST_F(ListUnits, ServicesOnAWindowThatIsGoneDoNothing) {
  DestroyWindow(window);
  EXPECT_EQ(FindUnit(window, "list"), nullptr);
  EXPECT_EQ(ListAppendRow(list), -1);
  EXPECT_EQ(ListGetCell(list, 0, 0), "");
  EXPECT_EQ(ListRowCount(list), 0);
  ListAppendRows(list, {{"x"}});  // no crash, nothing to fill
}
