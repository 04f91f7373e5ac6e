#include "app/templates.h"

#include <commctrl.h>

#include "app/captcha.h"
#include "app/detail.h"
#include "app/search.h"
#include "app/startup.h"

namespace {

const FontSpec kHybrid16{"YaHei Consolas Hybrid", 16, Pitch::FixedModern};
const FontSpec kYaHeiUi(int height) { return {"Microsoft YaHei UI", height, Pitch::VariableSwiss}; }
const FontSpec kSystemDefault{};

WindowSpec MakeMainWindow() {
  WindowSpec w;
  w.caption = "Veradin_Veradin Search_2.0.2017";
  w.width = 593;
  w.height = 522;
  w.withIcon = true;
  w.onReady = PrepareMainWindow;
  w.onCreated = ShowDisclaimer;
  w.onSized = LockMainWindowSize;

  w.units.push_back({.name = "透明标签1", .kind = UnitKind::Label, .left = 10, .top = 34, .width = 92,
                     .height = 24, .text = "姓名/名称：", .font = kHybrid16});
  w.units.push_back({.name = "Name", .kind = UnitKind::Edit, .left = 108, .top = 34, .width = 163,
                     .height = 25, .text = "", .font = kHybrid16});
  w.units.push_back({.name = "透明标签3", .kind = UnitKind::Label, .left = 276, .top = 33, .width = 72,
                     .height = 24, .text = "验证码：", .font = kHybrid16});
  w.units.push_back({.name = "Code", .kind = UnitKind::Edit, .left = 343, .top = 32, .width = 96,
                     .height = 25, .text = "", .font = kHybrid16});
  w.units.push_back({.name = "CodeImg", .kind = UnitKind::Picture, .left = 447, .top = 31, .width = 136,
                     .height = 25, .pictureResource = kCaptchaFailurePicture,
                     .onEvent = OnMainCaptchaClicked});
  w.units.push_back({.name = "透明标签2", .kind = UnitKind::Label, .left = 9, .top = 61, .width = 200,
                     .height = 24, .text = "身份证号/组织代码证号：", .font = kHybrid16});
  w.units.push_back({.name = "IDNum", .kind = UnitKind::Edit, .left = 215, .top = 61, .width = 224,
                     .height = 25, .text = "", .font = kHybrid16});
  w.units.push_back({.name = "Query", .kind = UnitKind::Button, .left = 447, .top = 60, .width = 136,
                     .height = 25, .text = "查询", .font = kSystemDefault, .onEvent = FirstPageSearch});
  w.units.push_back({.name = "超级列表框1", .kind = UnitKind::ListView, .left = 5, .top = 88, .width = 584,
                     .height = 406, .font = kHybrid16,
                     // The rows stay in the program (see ResultRows) and the list asks for them;
                     // several rows can be selected together for copying.
                     .style = LVS_REPORT | LVS_AUTOARRANGE | LVS_OWNERDATA,
                     .columns = {{"被执行人\\单位名", 230}, {"立案时间", 100}, {"案号", 150}, {"详细信息", 100}},
                     .listExStyle = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES |
                                    LVS_EX_INFOTIP,
                     .onEvent = OpenRecordDetail});
  w.units.push_back({.name = "时钟1", .kind = UnitKind::Timer, .left = 368, .top = 496, .width = 26,
                     .height = 26, .timerPeriod = 1000, .onEvent = PollEnterKey});
  w.units.push_back({.name = "跳转页码", .kind = UnitKind::Edit, .left = 435, .top = 496, .width = 48,
                     .height = 24, .text = "", .font = kSystemDefault});
  w.units.push_back({.name = "透明标签4", .kind = UnitKind::Label, .left = 488, .top = 496, .width = 100,
                     .height = 24, .text = "N/A", .font = kYaHeiUi(14)});
  return w;
}

WindowSpec MakeDetailWindow() {
  const COLORREF blue = RGB(0, 96, 192);
  WindowSpec w;
  w.width = 304;
  w.height = 424;
  w.onCreated = OnDetailCreated;
  w.units.push_back({.name = "透明标签1", .kind = UnitKind::Label, .parent = "外形框1", .left = 4, .top = 2,
                     .width = 296, .height = 32, .text = "请输入验证码后继续！", .font = kYaHeiUi(19),
                     .textColor = blue, .onEvent = DragDetailWindow});
  w.units.push_back({.name = "编辑框1", .kind = UnitKind::Edit, .parent = "外形框1", .left = 2, .top = 32,
                     .width = 300, .height = 320, .text = "", .font = kYaHeiUi(14),
                     .style = ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_READONLY});
  w.units.push_back({.name = "CodeImg", .kind = UnitKind::Picture, .parent = "外形框1", .left = 4, .top = 357,
                     .width = 116, .height = 38, .pictureResource = kCaptchaFailurePicture,
                     .onEvent = OnDetailCaptchaClicked});
  w.units.push_back({.name = "编辑框2", .kind = UnitKind::Edit, .parent = "外形框1", .left = 122, .top = 360,
                     .width = 96, .height = 32, .text = "", .font = kYaHeiUi(16)});
  w.units.push_back({.name = "按钮1", .kind = UnitKind::Button, .parent = "外形框1", .left = 224, .top = 360,
                     .width = 72, .height = 32, .text = "继续", .font = kSystemDefault,
                     .onEvent = OnContinueClicked});
  w.units.push_back({.name = "透明标签2", .kind = UnitKind::Label, .parent = "外形框1", .left = 0, .top = 395,
                     .width = 304, .height = 24, .text = "查看完后可按“ESC”键退出", .font = kYaHeiUi(16)});
  w.units.push_back({.name = "外形框1", .kind = UnitKind::ShapeBox, .left = 0, .top = 0, .width = 304,
                     .height = 424, .frameColor = blue, .onEvent = DragDetailWindow});
  return w;
}

}  // namespace

const WindowSpec& MainWindowTemplate() {
  static const WindowSpec design = MakeMainWindow();
  return design;
}

const WindowSpec& DetailWindowTemplate() {
  static const WindowSpec design = MakeDetailWindow();
  return design;
}
