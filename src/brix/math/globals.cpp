#include "brix/math/globals.h"

namespace Brix {

// The decimal literals must land on the intended 80-bit values; the hex
// forms are the exact bit patterns (π: mantissa C90FDAA22168C235; π/2 from
// its own 20-digit decimal: C90FDAA22168C234).
static_assert(PiExtended == 0xC.90FDAA22168C235p-2L);
static_assert(PiHalfExtended == 0xC.90FDAA22168C234p-3L);
static_assert(Ln2Extended == 0xB.17217F7D1CF79ACp-4L);
static_assert(TinyExtended > 0 && TinyExtended < 1e-3239L && TinyExtended > 1e-3241L);

} // namespace Brix
