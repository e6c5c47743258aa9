/// @file
/// The general text table: general words and messages, date and time words, astronomy names.
/// Every key has an English International text; other languages hold subsets
/// and fall back to English International.
#pragma once

#include "brix/export.h"

#include "brix/classes/classes.h"
#include "brix/resources/texttable.h"

#include <QString>

namespace Brix {

/// The keys of the general text table, with their fixed ordinals.
enum TBrixResGlobal
{
    egtColor,            ///< 0
    egtColors,           ///< 1
    egtEmpty,            ///< 2
    egtField,            ///< 3
    egtFieldIsNull,      ///< 4
    egtPointerMustBeNil, ///< 5
    egtReason,           ///< 6
    egtTAB,              ///< 7
    egtAbort,            ///< 8
    egtCancel,           ///< 9
    egtFalse,            ///< 10
    egtNo,               ///< 11
    egtOff,              ///< 12
    egtOK,               ///< 13
    egtOn,               ///< 14
    egtTrue,             ///< 15
    egtYes,              ///< 16
    egtError,            ///< 17
    egtFileNotFound,     ///< 18
    egtFolderNotFound,   ///< 19
    egtInfo,             ///< 20
    egtNA,               ///< 21
    egtUnaccept,         ///< 22
    egtUnknownError,     ///< 23
    egtWarning,          ///< 24
    egtDays,             ///< 25
    egtHours,            ///< 26
    egtInvalidDate,      ///< 27
    egtInvalidDateTime,  ///< 28
    egtInvalidDOW,       ///< 29
    egtInvalidMonth,     ///< 30
    egtInvalidTime,      ///< 31
    egtInvalidWeek,      ///< 32
    egtMidnight,         ///< 33
    egtMins,             ///< 34
    egtMonths,           ///< 35
    egtMSecs,            ///< 36
    egtNoon,             ///< 37
    egtNow,              ///< 38
    egtSecs,             ///< 39
    egtToday,            ///< 40
    egtTomorrow,         ///< 41
    egtWeeks,            ///< 42
    egtYears,            ///< 43
    egtYesterday,        ///< 44
    egtGST,              ///< 45
    egtGSTStr,           ///< 46
    egtLST,              ///< 47
    egtLSTStr,           ///< 48
    egtPlanet,           ///< 49
    egtPlanets,          ///< 50
    egtStar,             ///< 51
    egtStars,            ///< 52
    egtUT,               ///< 53
    egtUTStr,            ///< 54
    egtAquarius,         ///< 55
    egtAries,            ///< 56
    egtCancer,           ///< 57
    egtCapricorn,        ///< 58
    egtGemini,           ///< 59
    egtLeo,              ///< 60
    egtLibra,            ///< 61
    egtPisces,           ///< 62
    egtSagittarius,      ///< 63
    egtScorpio,          ///< 64
    egtTaurus,           ///< 65
    egtVirgo,            ///< 66
    egtEarth,            ///< 67
    egtJupiter,          ///< 68
    egtMars,             ///< 69
    egtMercury,          ///< 70
    egtMoon,             ///< 71
    egtNeptune,          ///< 72
    egtPluto,            ///< 73
    egtSaturn,           ///< 74
    egtSun,              ///< 75
    egtUranus,           ///< 76
    egtVenus,            ///< 77
    egtCustomFormat,     ///< 78
};
/// Number of keys of the general table.
constexpr int BrixResGlobalCount = 79;

namespace Internal {
/// Every stored text of the table (defined with the table's data).
BRIX_CORE_EXPORT std::span<const TBrixTextEntry> GlobalStringsEntries();
} // namespace Internal

/// The lookup handler of the general table.
using TBrixGlobalEvent = TBrixTextEvent<TBrixResGlobal>;

/// The general table. Examples: GetName(elEnglishUS, egtColor) == "color",
/// GetName(elFinnish, egtSun) == "Sun" (no Finnish text).
class BRIX_CORE_EXPORT TBrixGlobalStrings
    : public TBrixTextTable<TBrixResGlobal, Internal::GlobalStringsEntries>
{
public:
    TBrixGlobalStrings() = default;

protected:
    ~TBrixGlobalStrings() override = default;
};

/// The shared table, created on first use and freed at program end.
BRIX_CORE_EXPORT TBrixGlobalStrings *GlobalStrings();

/// GlobalStrings()->GetName(Language, Key).
BRIX_CORE_EXPORT QString GlobalText(TBrixLanguage Language, TBrixResGlobal Key);
/// GlobalText(DefaultLanguage, Key): the English International text.
BRIX_CORE_EXPORT QString GlobalText(TBrixResGlobal Key);

} // namespace Brix
