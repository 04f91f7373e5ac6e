// Every kind of "Button" window through the installers: which family takes it, and which
// the container registration takes for a group box. A kind is the style's type field; the
// flag bits above it never change what a button is.
#include <windows.h>

#include "tests/skin/skin_fixture.h"

namespace {

enum class Taken { None, PushButton, CheckBox, Radio };

struct Kind {
  const char* name;
  DWORD style;
  Taken taken;
  bool groupBox;  // as a container, framed with its caption
};

const Kind kKinds[] = {
    {"push button", BS_PUSHBUTTON, Taken::PushButton, false},
    {"default push button", BS_DEFPUSHBUTTON, Taken::PushButton, false},
    {"check box", BS_CHECKBOX, Taken::CheckBox, false},
    {"auto check box", BS_AUTOCHECKBOX, Taken::CheckBox, false},
    {"radio button", BS_RADIOBUTTON, Taken::None, false},
    {"three-state", BS_3STATE, Taken::None, false},
    {"auto three-state", BS_AUTO3STATE, Taken::None, false},
    {"group box", BS_GROUPBOX, Taken::None, true},
    {"user button", BS_USERBUTTON, Taken::PushButton, false},
    {"auto radio button", BS_AUTORADIOBUTTON, Taken::Radio, false},
    {"push box", BS_PUSHBOX, Taken::None, false},
    {"owner-drawn", BS_OWNERDRAW, Taken::None, false},
    {"split button", 0xC /* BS_SPLITBUTTON */, Taken::None, false},
    {"command link", 0xE /* BS_COMMANDLINK */, Taken::None, false},
};

// Flag bits that must not change the kind read from a style.
const DWORD kFlags[] = {0, BS_LEFT | BS_MULTILINE, BS_CENTER | BS_VCENTER | BS_FLAT};

}  // namespace

TEST_F(SkinTest, EveryButtonKindGoesToItsOwnFamily) {
  for (const Kind& k : kKinds) {
    for (DWORD flags : kFlags) {
      SCOPED_TRACE(testing::Message() << k.name << " with flags " << std::hex << flags);
      TestWindow window(300, 200);
      HWND button = window.AddChild(L"Button", 10, 40, 120, 30, k.style | flags);
      Skin().ApplySkin(window.Get(), 25);
      const bool push = FamilyRecordOf(button, Family::PushButton) != nullptr;
      const bool checkRadio = FamilyRecordOf(button, Family::CheckRadio) != nullptr;
      EXPECT_EQ(push, k.taken == Taken::PushButton);
      EXPECT_EQ(checkRadio, k.taken == Taken::CheckBox || k.taken == Taken::Radio);
      const DWORD kind = GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK;
      EXPECT_EQ(kind, push ? static_cast<DWORD>(BS_OWNERDRAW) : k.style) << "only push buttons are made owner-drawn";
      EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & flags, flags);

      TestWindow holder(300, 200);
      Skin().ApplySkin(holder.Get(), 25);
      HWND box = holder.AddChild(L"Button", 10, 40, 120, 80, k.style | flags);
      ASSERT_NE(Skin().AddContainer(box), 0);
      const auto* container = static_cast<const ContainerRecord*>(FamilyRecordOf(box, Family::Container));
      ASSERT_NE(container, nullptr);
      EXPECT_EQ(container->isGroupBox, k.groupBox);
    }
  }
}
