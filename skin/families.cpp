#include "skin/families.h"

#include "skin/edit_box.h"
#include "skin/header.h"
#include "skin/list_control.h"
#include "skin/push_button.h"
#include "skin/skin_core.h"

void RegisterFamilies() {
  for (int f = 0; f < kFamilyCount; ++f) InstallerFor(static_cast<Family>(f)) = nullptr;
  OwnerDrawnButtonPainter() = PaintOwnerDrawnButton;
  InstallerFor(Family::PushButton) = InstallPushButtons;
  InstallerFor(Family::Edit) = InstallEditAndComboBoxes;
  InstallerFor(Family::ListControl) = InstallListControls;
  InstallerFor(Family::Header) = InstallHeaders;
  InstallerFor(Family::CheckRadio) = InstallCheckAndRadioButtons;
  InstallerFor(Family::Combo) = InstallComboBoxes;
  InstallerFor(Family::Trackbar) = InstallTrackbars;
  InstallerFor(Family::Progress) = InstallProgressBars;
  InstallerFor(Family::UpDown) = InstallUpDowns;
}
