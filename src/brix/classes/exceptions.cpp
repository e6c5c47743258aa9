#include "brix/classes/exceptions.h"

namespace Brix {

EOverflow::EOverflow() : EMathError(QStringLiteral("Floating point overflow")) {}
EZeroDivide::EZeroDivide() : EMathError(QStringLiteral("Floating point division by zero")) {}
EInvalidOp::EInvalidOp() : EMathError(QStringLiteral("Invalid floating point operation")) {}

} // namespace Brix
