#include "skin/families.h"

#include "skin/skin_core.h"

void RegisterFamilies() {
  for (int f = 0; f < kFamilyCount; ++f) InstallerFor(static_cast<Family>(f)) = nullptr;
  OwnerDrawnButtonPainter() = nullptr;
  InstallerFor(Family::CheckRadio) = InstallCheckAndRadioButtons;
  InstallerFor(Family::Combo) = InstallComboBoxes;
  InstallerFor(Family::Trackbar) = InstallTrackbars;
  InstallerFor(Family::Progress) = InstallProgressBars;
  InstallerFor(Family::UpDown) = InstallUpDowns;
}
