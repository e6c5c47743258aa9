/// @file
/// Pasted number text: reading a number as people copy it from documents, web
/// pages and other programs (and as this library writes it) into the plain
/// decimal text that TextToFloatChecked reads exactly.
#pragma once

#include "brix/export.h"

#include "brix/classes/formatsettings.h"

#include <QString>

#include <optional>

namespace Brix {

/// Reads Text, pasted in a region whose separators are Settings'
/// DecimalSeparator and ThousandSeparator, as one number. The result is the
/// number as plain decimal text: an optional "-", digits with at most one
/// Settings.DecimalSeparator, and an optional exponent ("E", optional "-",
/// digits), every digit of Text kept, so TextToFloatChecked with Settings
/// reads the very value the text names. Text that is not one number gives
/// nothing.
///
/// What is read:
/// - blanks and control characters around the number;
/// - one sign in front ("+", "-" or the typographic minus U+2212), or a "-"
///   behind, or accounting brackets around the number ("(1,234.5)" is
///   -1234.5); a sign inside brackets is not a number;
/// - one currency sign ($ € £ ¥ ₹) or percent sign at either end, outside or
///   inside the sign ("-$5", "$-5", "5 %"); the value is the number itself;
/// - digits grouped in threes ("1,234,567") or the Indian way
///   ("12,34,567") with one kind of mark: ",", ".", the region's thousands
///   separator, apostrophes ("1'234.5") or blanks (space, no-break spaces
///   U+00A0 and U+202F, thin space U+2009); the first group does not start
///   with 0;
/// - the decimal point, "." or ",": where both occur, the one that comes last
///   (once), when the other only groups the digits ("1,234.5" and "1.234,5"
///   are both 1234.5 in any region); a mark that occurs more than once
///   groups; a single mark beside blank or apostrophe grouping is the point;
///   otherwise a single mark is the point when it is the region's decimal
///   separator, and where it is the other mark it groups when it separates
///   groups of three ("1.234" is 1234 where "," is the point) and is the
///   point otherwise ("2.5" is 2,5);
/// - an exponent after the mantissa, "E" or "e" with an optional sign and
///   digits ("1.2300E-4", "1e5"); the mantissa follows the rules above, so a
///   typed entry shown grouped ("1,234E5") reads back as it was typed. An "E"
///   that no digit follows ("3E", "3E-", as an entry being typed shows) adds
///   nothing.
///
/// Not a number: empty text, letters or other characters ("hello",
/// "0x10", "OS: Linux 17.2"), several numbers, marks that do not group
/// ("1.2.3", "1,2345.6"), and a value beyond the Extended range ("1e5000").
/// A value too small for Extended reads as 0 ("1e-5000" gives "0").
///   "$5" -> "5";  "−7" -> "-7";  "1 234,5" -> "1234.5" (Settings with ".");
///   "(1,234.5)" -> "-1234.5";  "1.2300E-4" -> "1.2300E-4";  "hello" -> none
BRIX_CORE_EXPORT std::optional<QString> PastedNumberText(const QString &Text,
                                                         const TFormatSettings &Settings);

} // namespace Brix
