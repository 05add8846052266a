#pragma once

#include "DialogTemplate.h"

class CDialog;

// The category dialog both programs show as their dialog 152: a group box
// "Catagories" with one automatic radio button per category in two columns
// of seven, ordered by control id, "< &Back" (IDCANCEL) and the default
// button "F&inish" (IDOK). Only the width differs between the programs.
namespace categorychoice {
inline constexpr int kTemplateId = 152;
inline constexpr int kAfterLifeId = 1015;

DialogTemplate Template(int widthUnits);
// Checks "&After Life" and clears every other category button.
void CheckAfterLife(CDialog& dialog);
// The number of the checked category button (its id less 981), looked at in
// the order of the ids; `current` when none is checked.
int CheckedCategory(const CDialog& dialog, int current);
} // namespace categorychoice
