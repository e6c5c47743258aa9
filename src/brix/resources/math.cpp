#include "brix/resources/math.h"

namespace Brix {

TBrixMathStrings *MathStrings()
{
    return Internal::SharedTextTable<TBrixMathStrings>();
}

QString MathText(TBrixLanguage Language, TBrixResMath Key)
{
    return MathStrings()->GetName(Language, Key);
}

QString MathText(TBrixResMath Key)
{
    return MathText(DefaultLanguage, Key);
}

} // namespace Brix
