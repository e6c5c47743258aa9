#include "brix/resources/globals.h"

namespace Brix {

TBrixGlobalStrings *GlobalStrings()
{
    return Internal::SharedTextTable<TBrixGlobalStrings>();
}

QString GlobalText(TBrixLanguage Language, TBrixResGlobal Key)
{
    return GlobalStrings()->GetName(Language, Key);
}

QString GlobalText(TBrixResGlobal Key)
{
    return GlobalText(DefaultLanguage, Key);
}

} // namespace Brix
