// Changing a top-level window's flags without hiding it.
#pragma once

#include <Qt>

class QWidget;

namespace qn {

// Sets or clears AFlag on the top-level AWindow. A window that is shown keeps its place and stays
// shown: the flag goes to the native window directly where the platform allows it, else the
// window is shown again at its old geometry.
void SetWindowFlagLive(QWidget* AWindow, Qt::WindowType AFlag, bool AOn);

} // namespace qn
