/// @file
/// Shared types of the library: the numeric aliases, the event types, the text
/// languages and the colour type that every layer uses.
#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <limits>

namespace Brix {

class TObject;

/// The 80-bit extended type in which every calculator value is held.
using Extended = long double;
static_assert(std::numeric_limits<long double>::digits == 64,
              "Extended must be the 80-bit x87 extended type");
/// The fixed-size number types the library's interfaces use: 64-bit
/// floating point, signed 64-bit, and unsigned 8, 16 and 32-bit integers.
///@{
using Double = double;
using Int64 = qint64;
using Byte = quint8;
using Word = quint16;
using Cardinal = quint32;
///@}

/// Notifications are plain callables; an empty one is never called.
using TNotifyEvent = std::function<void(TObject *Sender)>;

/// The text languages, in their fixed order (ordinals 0 to 14).
enum TBrixLanguage
{
    elEnglishInt,
    elEnglishUS,
    elBrazPort,
    elChineseSimplified,
    elCzech,
    elDanish,
    elFinnish,
    elFrench,
    elGerman,
    elNorwegian,
    elPolish,
    elRussian,
    elSpanish,
    elSwedish,
    elUSER
};
/// Number of languages.
constexpr int BrixLanguageCount = elUSER + 1;

/// A handler may change the language in place.
using TBrixLanguageChangeEvent = std::function<void(TObject *Sender, TBrixLanguage &Language)>;

/// The library-wide initial language; nothing changes it.
inline constexpr TBrixLanguage DefaultLanguage = elEnglishInt;

/// A 32-bit colour: plain colours 0x00BBGGRR, system colours 0xFF000000 plus
/// the system colour index.
using TColor = qint32;
/// No colour (a state switched off), and the built-in colour of a state.
///@{
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
///@}

/// The version text every library class shows.
inline const QString BrixVersionText = QStringLiteral("1.0.0 (Beta 14)");

/// Positive currency layout (S = currency symbol, V = the amount); the value
/// is the CurrencyFormat code of TFormatSettings. Codes of 4 or more read as
/// cfUnknown.
enum TBrixCurrencyFormat
{
    cfSymbolValue,      ///< SV
    cfValueSymbol,      ///< VS
    cfSymbolSpaceValue, ///< S V
    cfValueSpaceSymbol, ///< V S
    cfUnknown
};

/// Negative currency layout; the value is the NegCurrFormat code of
/// TFormatSettings. Codes of 16 or more read as ncfUnknown.
enum TNegativeCurrencyFormat
{
    ncfBracketsSymbolValue,      ///< (SV)
    ncfNegativeSymbolValue,      ///< -SV
    ncfSymbolNegativeValue,      ///< S-V
    ncfSymbolValueNegative,      ///< SV-
    ncfBracketsValueSymbol,      ///< (VS)
    ncfNegativeValueSymbol,      ///< -VS
    ncfValueNegativeSymbol,      ///< V-S
    ncfValueSymbolNegative,      ///< VS-
    ncfNegativeValueSpaceSymbol, ///< -V S
    ncfNegativeSymbolSpaceValue, ///< -S V
    ncfValueSpaceSymbolNegative, ///< V S-
    ncfSymbolSpaceValueNegative, ///< S V-
    ncfSymbolSpaceNegativeValue, ///< S -V
    ncfValueNegativeSpaceSymbol, ///< V- S
    ncfBracketsSymbolSpaceValue, ///< (S V)
    ncfBracketsValueSpaceSymbol, ///< (V S)
    ncfUnknown
};

} // namespace Brix
