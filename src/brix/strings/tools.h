/// @file
/// Number text: turning Extended and Integer values into display text (fixed
/// or exponent form, thousands or lakh grouping, trimmed zeroes, plus sign or
/// brackets) and reading such text back.
///
/// Every routine takes its separators from a TFormatSettings value; only
/// DecimalSeparator and ThousandSeparator are read. The overloads without a
/// settings argument use RegionalSettings(). No routine keeps state.
///
/// Formatting routines never throw: a value that cannot be shown (an infinity
/// or a NaN) gives the empty string. Parsers never throw either: they report
/// failure by returning false and (for floats) a zero value.
///
/// "Trimmed" below always means: every character with a code below 33 (space
/// and all control characters) removed from both ends.
#pragma once

#include "brix/export.h"

#include "brix/classes/formatsettings.h"
#include "brix/classes/globals.h"

#include <QChar>
#include <QString>

namespace Brix {

// ---------------------------------------------------------------------------
// String utilities (total functions: any input, no failure)

/// The one-character string Ch. For ASCII characters the same shared string
/// is returned every time, so code that makes many of them (tape lines, key
/// tokens of a long line) allocates nothing per call.
///   u'+' -> "+";  u'é' -> "é"
BRIX_CORE_EXPORT QString CharString(QChar Ch);

/// S with every character below code 33 removed from both ends.
///   `" \t12\n"` -> "12";  `"\x01" "a b"` -> "a b";  "" -> ""
BRIX_CORE_EXPORT QString TrimControls(const QString &S);

/// S without any occurrence of Ch.  RemoveChar("1,234,5", ',') -> "12345"
BRIX_CORE_EXPORT QString RemoveChar(const QString &S, QChar Ch);

/// RemoveChar(S, Settings.ThousandSeparator), then trimmed.
///   " 1,234.5 " with ',' -> "1234.5"
BRIX_CORE_EXPORT QString StripGroupSeparators(const QString &S, const TFormatSettings &Settings);

/// S without any '\%'.  "12%" -> "12"
BRIX_CORE_EXPORT QString StripPercentSign(const QString &S);

/// S (trimmed) without its sign marks: every '(' and ')' anywhere, then the
/// leading and the trailing runs of '-'; the result is trimmed. Negative
/// tells whether any mark was removed; several marks still mean one negation.
///   "(5)" -> "5", Negative;  "-5" / "5-" / "--5" -> "5", Negative;
///   " 5 " -> "5", not Negative;  "(-)" -> "", Negative
BRIX_CORE_EXPORT QString StripSignMarks(const QString &S, bool &Negative);

/// True when Ch occurs in S.
BRIX_CORE_EXPORT bool CharInText(QChar Ch, const QString &S);

/// The first N characters of S (all of S when shorter, "" when N <= 0).
BRIX_CORE_EXPORT QString LeftChars(const QString &S, qsizetype N);

/// The last N characters of S (all of S when shorter, "" when N <= 0).
BRIX_CORE_EXPORT QString RightChars(const QString &S, qsizetype N);

/// The characters of S after the first N (all of S when N <= 0).
///   CharsAfter("12345", 2) -> "345"
BRIX_CORE_EXPORT QString CharsAfter(const QString &S, qsizetype N);

// ---------------------------------------------------------------------------
// Number to text

/// Inserts Settings.ThousandSeparator into Digits, a string of digits only
/// (callers remove the sign first; other characters are grouped as if they
/// were digits). Up to three digits stay unchanged.
/// Not Lakh, groups of three from the right:  "1234567" -> "1,234,567"
/// Lakh, the last three, then pairs:  "123456" -> "1,23,456",
///   "123456789" -> "12,34,56,789";  "1234" -> "1,234" either way
BRIX_CORE_EXPORT void InsertGroupSeparators(QString &Digits, const TFormatSettings &Settings,
                                            bool Lakh);

///@{
/// Groups the integer part of any number text, for example an entry being
/// typed. Old group separators are removed first and the text is trimmed;
/// only the digits left of the first DecimalSeparator are grouped, and any
/// non-digit character (sign, bracket, letter) starts a new run.
///   "-1234567.891" -> "-1,234,567.891" (Lakh: "-12,34,567.891");
///   "1234567." -> "1,234,567.";  "1,2345" -> "12,345";  "  " -> ""
BRIX_CORE_EXPORT QString GroupNumberText(const QString &S, const TFormatSettings &Settings,
                                         bool Lakh);
BRIX_CORE_EXPORT QString GroupNumberText(const QString &S, bool Lakh);
///@}

///@{
/// Plain decimal text of Value; "" when BlankWhenZero and Value = 0; "+" in
/// front when ShowPlus and Value > 0.
///   -42 -> "-42";  42 with ShowPlus -> "+42";  0 with BlankWhenZero -> ""
BRIX_CORE_EXPORT QString IntegerText(int Value, const TFormatSettings &Settings, bool BlankWhenZero,
                                     bool ShowPlus);
BRIX_CORE_EXPORT QString IntegerText(int Value, bool BlankWhenZero, bool ShowPlus);
///@}

///@{
/// Decimal text of Value with group separators (InsertGroupSeparators);
/// "" when BlankWhenZero and Value = 0; "-" for negative values, "+" for
/// positive ones when ShowPlus.
///   -1234567 -> "-1,234,567" (Lakh: "-12,34,567");  999 -> "999"
BRIX_CORE_EXPORT QString IntegerTextGrouped(int Value, const TFormatSettings &Settings,
                                            bool BlankWhenZero, bool Lakh, bool ShowPlus);
BRIX_CORE_EXPORT QString IntegerTextGrouped(int Value, bool BlankWhenZero, bool Lakh,
                                            bool ShowPlus);
///@}

///@{
/// Fixed-point text of Value with Decimals places (at most 18 are generated;
/// only an exact zero shows more). The exact binary value is first rounded to
/// 18 significant digits (ties to even), and those digits are then rounded to
/// the requested places with ties away from zero, so the representation error
/// of a stored decimal does not decide the rounding.
/// - |Value| < TinyExtended: "" when BlankWhenZero, else "0" when TrimZeroes
///   or Decimals = 0, else "0" and Decimals zeroes ("0.0000").
/// - TrimZeroes drops trailing zeroes and then a trailing DecimalSeparator.
/// - Negative values get "-" or, with Brackets, "(...)"; positive ones "+"
///   when ShowPlus. The sign follows Value, not the rounded digits, so
///   -0.00001 at 4 places gives "-0.0000".
/// - A value of 1e18 or more after rounding has no fixed form: the result is
///   ScientificText(Settings, Decimals, BlankWhenZero, Value, TrimZeroes,
///   ShowPlus).
/// - An infinity or NaN gives "".
///   1.005 at 2 -> "1.01";  2.5 at 0 -> "3";  -2.5 at 0 -> "-3";
///   0.00006 at 4 -> "0.0001";  -3 at 2 with Brackets -> "(3.00)";
///   1234.5 at 4 with TrimZeroes -> "1234.5";  1e18 at 4 -> "1.0000E+18"
BRIX_CORE_EXPORT QString FixedText(const TFormatSettings &Settings, Byte Decimals,
                                   bool BlankWhenZero, Extended Value, bool TrimZeroes,
                                   bool ShowPlus, bool Brackets);
BRIX_CORE_EXPORT QString FixedText(Byte Decimals, bool BlankWhenZero, Extended Value,
                                   bool TrimZeroes, bool ShowPlus, bool Brackets);
///@}

/// The decimal places, at most Decimals, that the fixed form of Value can
/// show without writing a digit past the 18 significant digits it is rounded
/// to: FixedText pads those places with zeroes that stand for no digit of the
/// value. Zeroes within the 18 digits count as shown digits. Decimals itself
/// where no place would be padded: a value of magnitude below 1, a zero, a
/// value that takes the exponent form (1e18 or more after rounding), an
/// infinity or NaN.
///   1/7*1e6 at 18 -> 12 ("142857.142857142857");  0.25 at 18 -> 18;
///   123456789012000000.34 at 18 -> 0;  0.99999999999999999999 at 18 -> 17
///   ("1.00000000000000000");  1/7*1e6 at 4 -> 4;  1e20 at 18 -> 18
BRIX_CORE_EXPORT Byte KnownFixedDecimals(Extended Value, Byte Decimals);

///@{
/// FixedText with the integer digits grouped (InsertGroupSeparators). The
/// exponent form used for values without a fixed form is never grouped.
///   -1234567.891 at 2 -> "-1,234,567.89" (Lakh: "-12,34,567.89");
///   999 at 2 -> "999.00"
BRIX_CORE_EXPORT QString GroupedFixedText(const TFormatSettings &Settings, Byte Decimals,
                                          bool BlankWhenZero, Extended Value, bool TrimZeroes,
                                          bool ShowPlus, bool Brackets, bool Lakh);
BRIX_CORE_EXPORT QString GroupedFixedText(Byte Decimals, bool BlankWhenZero, Extended Value,
                                          bool TrimZeroes, bool ShowPlus, bool Brackets, bool Lakh);
///@}

///@{
/// Exponent form with Decimals + 1 significant digits, at least 2 and at most
/// 18: first digit, DecimalSeparator, the further digits, "E", the exponent's
/// sign and its digits. "" when BlankWhenZero and |Value| < TinyExtended.
/// TrimZeroes (only with Decimals > 0) drops trailing zeroes of the mantissa
/// and then a trailing DecimalSeparator. "-" for negative values (never
/// brackets); "+" in front of positive ones when ShowPlus. An infinity or NaN
/// gives "".
///   12345.678 at 2 -> "1.23E+4";  at 0 -> "1.2E+4";  0.000123 at 4 ->
///   "1.2300E-4";  0 at 3 -> "0.000E+0";  150000 at 4 with TrimZeroes ->
///   "1.5E+5"
BRIX_CORE_EXPORT QString ScientificText(const TFormatSettings &Settings, Byte Decimals,
                                        bool BlankWhenZero, Extended Value, bool TrimZeroes,
                                        bool ShowPlus);
BRIX_CORE_EXPORT QString ScientificText(Byte Decimals, bool BlankWhenZero, Extended Value,
                                        bool TrimZeroes, bool ShowPlus);
///@}

/// The text a settings store keeps for Value: the shortest digits that read
/// back (StoredTextToFloat) as the very same 80-bit value, in fixed form when
/// the decimal exponent lies between -5 and 18 and in exponent form
/// ("1.5E-19", "1.1E+4932") otherwise; never grouped, DecimalSeparator as the
/// separator, "-" before negative values and "-0" for a negative zero.
/// Decimals below 18 cap the decimals where the shortest text has more: the
/// fixed form is then FixedText and the exponent form ScientificText with
/// Decimals places, trimmed (their rounding, ties away from zero); 18 or more
/// never cut a digit. An infinity or NaN gives "".
///   2.5 -> "2.5";  1/3 -> "0.33333333333333333334";  2^-70 ->
///   "8.470329472543003391E-22";  1e18 -> "1000000000000000000";
///   1e19 -> "1E+19";  -1234.5678 at 2 -> "-1234.57";  1e20 at 4 -> "1E+20"
BRIX_CORE_EXPORT QString StoredFloatText(Extended Value, Byte Decimals, QChar DecimalSeparator);

// ---------------------------------------------------------------------------
// Text to number

/// Reads the text a settings store keeps (StoredFloatText, and the fixed text
/// older versions wrote) whatever the region: blanks and control characters
/// around it are ignored; then an optional sign, digits with at most one
/// separator, "." or "," alike, and an optional exponent ("E"/"e", optional
/// sign, digits). A text with both separators, or with more than one (which
/// is grouping), anything else, or a value beyond the Extended range gives
/// false and Value = 0.
///   "1234,5" / "1234.5" -> 1234.5;  "-0" -> -0;  "1.5E-19";  "1,234.5",
///   "1.234.567", "1e", "" -> false
BRIX_CORE_EXPORT bool StoredTextToFloat(const QString &S, Extended &Value);

///@{
/// The exact number codec: the one text in which the program writes an
/// Extended for itself and reads it back (the calculator's record, the tape
/// file, the terminal tool's JSON and its key scripts). Reading what
/// ExactFloatText wrote gives the very same 80-bit value, every bit of it,
/// for every finite value: the extremes (1.18E+4932), the subnormals down to
/// 3.6E-4951, -0.
///
/// ExactFloatText is StoredFloatText(Value, 18, u'.'): the shortest digits
/// that read back as Value, with "." as the separator, in fixed form when
/// the decimal exponent lies between -5 and 18 and in exponent form
/// otherwise; "" for an infinity or NaN. StoredTextToFloat reads it too.
///
/// ExactTextToFloat reads a decimal number in the C locale, rounded once to
/// the nearest Extended: an optional sign, digits with at most one ".", an
/// optional exponent ("E" or "e", optional sign, digits). Anything else
/// (blanks, ",", grouping, "inf", "nan", hexadecimal) and a value beyond the
/// Extended range give false and Value = 0; a value below the smallest
/// subnormal reads as 0 with its sign.
///   1/3 -> "0.33333333333333333334";  1e300 * 1e300 -> "1E+600";
///   "-1e-4950" -> the subnormal nearest to it;  "1,5", " 1", "1e5000" -> false
BRIX_CORE_EXPORT QString ExactFloatText(Extended Value);
BRIX_CORE_EXPORT bool ExactTextToFloat(QStringView Text, Extended &Value);
///@}

///@{
/// Reads S, without group separators and trimmed, as an integer: an optional
/// '+' or '-', then decimal digits, or hexadecimal digits after a "$", "x",
/// "X", "0x" or "0X" prefix. Reading stops at the first character that does
/// not belong; the result is true only when that is the end of the text and
/// the number lies in the int range. Value receives what was read, clamped to
/// the int range (numbers beyond even the 64-bit range also clamp).
///   "1,234" -> 1234, true;  "0x1F" -> 31, true;  "12a" -> 12, false;
///   "3,000,000,000" -> 2147483647, false;  "" -> 0, false
BRIX_CORE_EXPORT bool TextToIntChecked(const QString &S, const TFormatSettings &Settings,
                                       int &Value);
BRIX_CORE_EXPORT bool TextToIntChecked(const QString &S, int &Value);
///@}
///@{
/// The Value of the forms above, whatever the verdict.
BRIX_CORE_EXPORT int TextToIntChecked(const QString &S, const TFormatSettings &Settings);
BRIX_CORE_EXPORT int TextToIntChecked(const QString &S);
///@}

///@{
/// Reads S as a decimal number, tolerant of what users type and paste: '\%'
/// signs and group separators are removed, brackets and leading or trailing
/// '-' mean negative, and an unfinished tail ("12.", "3E", "3E-") is dropped.
/// What remains must be: optional sign, digits with an optional
/// DecimalSeparator part, optional exponent ("E"/"e", optional sign, digits);
/// only ASCII digits count. Failure (nothing left, anything else, a value
/// beyond the Extended range) gives Value = 0 and false.
///   "(1,234.5)", "1,234.5-", "-1234.5%" -> -1234.5;  "12." -> 12;
///   "3E" -> 3;  "" / "-" / "(-)" / "1x" -> 0, false
BRIX_CORE_EXPORT bool TextToFloatChecked(const QString &S, const TFormatSettings &Settings,
                                         Extended &Value);
BRIX_CORE_EXPORT bool TextToFloatChecked(const QString &S, Extended &Value);
///@}

/// The regional TextToFloatChecked, or 0 when it fails.
BRIX_CORE_EXPORT Extended TextToFloatOrZero(const QString &S);

/// The regional TextToFloatChecked, or Default when it fails.
BRIX_CORE_EXPORT Extended TextToFloatOrDefault(const QString &S, Extended Default);

} // namespace Brix
