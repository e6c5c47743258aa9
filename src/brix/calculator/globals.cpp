#include "brix/calculator/globals.h"

namespace Brix {

// The ordinals are stored in settings files; they must never move.
static_assert(amDegrees == 0 && amRadians == 1 && amGradiants == 2);
static_assert(ctCustom == 0 && ctStandard == 1 && ctScientific == 2);

} // namespace Brix
