// The fonts the forms are designed in, mapped once to the closest families installed here.
#pragma once

#include <QFont>

namespace qn {

// The forms are laid out in the pixel metrics of an 11-pixel Tahoma. Where Tahoma is missing, the
// closest humanist sans that is installed stands in; the choice is made once per process.
QFont DesignFont(int APixelSize = 11, bool ABold = false);

// The fixed-pitch font of links and figures (Consolas where installed).
QFont DesignMonoFont(int APixelSize = 11);

} // namespace qn
