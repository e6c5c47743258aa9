// Pasted number text: which texts are numbers in a region that writes "."
// and in one that writes ",", and that everything the number-text routines
// write reads back as the same value.
#include "brix/strings/paste.h"
#include "brix/strings/tools.h"

#include "brix/math/globals.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

inline void PrintTo(const QString &S, std::ostream *Os)
{
    *Os << '"' << S.toStdString() << '"';
}

using namespace Brix;

namespace {

TFormatSettings Region(QChar Decimal, QChar Thousand)
{
    TFormatSettings S = TFormatSettings::Invariant();
    S.DecimalSeparator = Decimal;
    S.ThousandSeparator = Thousand;
    return S;
}

const TFormatSettings EnUS = Region(u'.', u',');
const TFormatSettings DeDE = Region(u',', u'.');

constexpr const char *NotANumber = nullptr;
constexpr const char *AsInEnUS = "";

struct PasteCase
{
    const char16_t *Text;
    // The plain number with "." as its point (the reader writes the region's
    // separator), or NotANumber. De is AsInEnUS where both regions agree.
    const char *EnUS;
    const char *De;
};

// clang-format off
const PasteCase PasteCases[] = {
    // Both marks: the last one is the point when the other groups in threes.
    {u"1,234.5", "1234.5", AsInEnUS},
    {u"1.234,5", "1234.5", AsInEnUS},
    {u"1,234,567.25", "1234567.25", AsInEnUS},
    {u"12,34,567.00", "1234567.00", AsInEnUS},
    {u"12.34.567,00", "1234567.00", AsInEnUS},
    {u"1,2345.6", NotANumber, AsInEnUS},
    {u"1.234,567.8", NotANumber, AsInEnUS},
    {u"1,234.5.6", NotANumber, AsInEnUS},
    // A lone mark: the region's point, else grouping where it can group.
    {u"2.5", "2.5", AsInEnUS},
    {u"2,5", "2.5", AsInEnUS},
    {u"1.234", "1.234", "1234"},
    {u"1,234", "1234", "1.234"},
    {u"0,123", "0.123", AsInEnUS},
    {u"12.3456", "12.3456", AsInEnUS},
    {u"1234.5", "1234.5", AsInEnUS},
    {u".5", ".5", AsInEnUS},
    {u"7.", "7.", AsInEnUS},
    // A mark more than once groups.
    {u"1,234,567", "1234567", AsInEnUS},
    {u"1.234.567", "1234567", AsInEnUS},
    {u"12,34,567", "1234567", AsInEnUS},
    {u"1.2.3", NotANumber, AsInEnUS},
    {u"0.123.456", NotANumber, AsInEnUS},
    {u"1,,234", NotANumber, AsInEnUS},
    // Blanks and apostrophes group; beside them the mark is the point.
    {u"1\u00A0234,5", "1234.5", AsInEnUS},
    {u"1\u202F234\u202F567", "1234567", AsInEnUS},
    {u"1\u2009234.5", "1234.5", AsInEnUS},
    {u"1 234 567,89", "1234567.89", AsInEnUS},
    {u"1 234,567", "1234.567", AsInEnUS},
    {u"1'234.5", "1234.5", AsInEnUS},
    {u"1\u2019234\u2019567", "1234567", AsInEnUS},
    {u"1 2345", NotANumber, AsInEnUS},
    {u"5 6", NotANumber, AsInEnUS},
    {u"1,234 567", NotANumber, AsInEnUS},
    {u"1'234 567", NotANumber, AsInEnUS},
    // Signs, brackets, currency and percent signs, blanks around.
    {u"\u22127", "-7", AsInEnUS},
    {u"+5", "5", AsInEnUS},
    {u"-2.5%", "-2.5", AsInEnUS},
    {u"1,234.5-", "-1234.5", AsInEnUS},
    {u"(1,234.5)", "-1234.5", AsInEnUS},
    {u"( 1.234,5 )", "-1234.5", AsInEnUS},
    {u" \t42\n", "42", AsInEnUS},
    {u"$5", "5", AsInEnUS},
    {u"-$5", "-5", AsInEnUS},
    {u"$-5", "-5", AsInEnUS},
    {u"($5)", "-5", AsInEnUS},
    {u"\u20AC 1.234,50", "1234.50", AsInEnUS},
    {u"1.234,50 \u20AC", "1234.50", AsInEnUS},
    {u"\u00A312", "12", AsInEnUS},
    {u"\u00A51,000", "1000", "1.000"},
    {u"\u20B912,34,567.00", "1234567.00", AsInEnUS},
    {u"12 %", "12", AsInEnUS},
    {u"$5%", NotANumber, AsInEnUS},
    {u"(-5)", NotANumber, AsInEnUS},
    {u"-(5)", NotANumber, AsInEnUS},
    {u"--5", NotANumber, AsInEnUS},
    {u"+5-", NotANumber, AsInEnUS},
    {u"(5", NotANumber, AsInEnUS},
    {u"5)", NotANumber, AsInEnUS},
    // Exponent form; an unfinished exponent adds nothing.
    {u"1.2300E-4", "1.2300E-4", AsInEnUS},
    {u"1,2300E-4", "1.2300E-4", AsInEnUS},
    {u"+1.5E+20", "1.5E20", AsInEnUS},
    {u"1e5", "1E5", AsInEnUS},
    {u"2e\u22123", "2E-3", AsInEnUS},
    {u"1,234E5", "1234E5", "1.234E5"},
    {u"3E-", "3", AsInEnUS},
    {u"1e5e3", NotANumber, AsInEnUS},
    {u"E5", NotANumber, AsInEnUS},
    // Range: beyond Extended is no number, too small is 0; digits are kept.
    {u"1.1e4932", "1.1E4932", AsInEnUS},
    {u"1.2e4932", NotANumber, AsInEnUS},
    {u"1e5000", NotANumber, AsInEnUS},
    {u"-1e5000", NotANumber, AsInEnUS},
    {u"1e-5000", "0", AsInEnUS},
    {u"-0", "0", AsInEnUS},
    {u"12345678901234567890.123456789", "12345678901234567890.123456789", AsInEnUS},
    // Words and other characters.
    {u"", NotANumber, AsInEnUS},
    {u"  ", NotANumber, AsInEnUS},
    {u"-", NotANumber, AsInEnUS},
    {u"$", NotANumber, AsInEnUS},
    {u"hello", NotANumber, AsInEnUS},
    {u"OS: Linux 17.2", NotANumber, AsInEnUS},
    {u"0x10", NotANumber, AsInEnUS},
    {u"12a", NotANumber, AsInEnUS},
    {u"inf", NotANumber, AsInEnUS},
    {u"nan", NotANumber, AsInEnUS},
    {u"1/2", NotANumber, AsInEnUS},
    {u"1 + 2", NotANumber, AsInEnUS},
    {u"\u0663", NotANumber, AsInEnUS},
};
// clang-format on

} // namespace

TEST(PastedNumberText, ReadsTheTableInBothRegions)
{
    for (const PasteCase &C : PasteCases) {
        const QString Text = QString::fromUtf16(C.Text);
        for (const TFormatSettings *Settings : {&EnUS, &DeDE}) {
            const bool De = Settings == &DeDE;
            SCOPED_TRACE((De ? "de_DE: " : "en_US: ") + Text.toStdString());
            const char *Expected = De && C.De != AsInEnUS ? C.De : C.EnUS;
            const std::optional<QString> Read = PastedNumberText(Text, *Settings);
            if (!Expected) {
                EXPECT_FALSE(Read.has_value()) << "read as " << Read->toStdString();
                continue;
            }
            ASSERT_TRUE(Read.has_value());
            EXPECT_EQ(*Read,
                      QString::fromLatin1(Expected).replace(u'.', Settings->DecimalSeparator));
            Extended Value = 0;
            EXPECT_TRUE(TextToFloatChecked(*Read, *Settings, Value))
                << "the engine's reader takes the result";
        }
    }
}

// Whatever the number-text routines write for the displays (grouped in
// thousands or the Indian way, trimmed, with a plus sign or brackets, in
// exponent form) is read back as the value that text stands for.
TEST(PastedNumberText, ReadsBackWhatTheProgramWrites)
{
    const Extended Values[] = {0,           7,        -7,           0.5L,
                               1234.5L,     -1234.5L, 1234567.125L, 0.000123L,
                               12345678.9L, 1e20L,    -2.5e-30L,    999.999L};
    for (const TFormatSettings *Settings : {&EnUS, &DeDE}) {
        for (Extended V : Values) {
            QStringList Written;
            for (int Flags = 0; Flags < 16; ++Flags) {
                const bool Trim = Flags & 1, Plus = Flags & 2, Brackets = Flags & 4,
                           Lakh = Flags & 8;
                for (Byte Decimals : {Byte(0), Byte(2), Byte(4)}) {
                    Written << FixedText(*Settings, Decimals, false, V, Trim, Plus, Brackets)
                            << GroupedFixedText(*Settings, Decimals, false, V, Trim, Plus, Brackets,
                                                Lakh)
                            << ScientificText(*Settings, Decimals, false, V, Trim, Plus);
                }
            }
            Written << StoredFloatText(V, 18, Settings->DecimalSeparator);
            for (const QString &Text : Written) {
                SCOPED_TRACE(QString(Settings->DecimalSeparator).toStdString() +
                             " region: " + Text.toStdString());
                Extended Expected = 0, Read = 1;
                ASSERT_TRUE(TextToFloatChecked(Text, *Settings, Expected));
                const std::optional<QString> Number = PastedNumberText(Text, *Settings);
                ASSERT_TRUE(Number.has_value());
                ASSERT_TRUE(TextToFloatChecked(*Number, *Settings, Read));
                EXPECT_EQ(Read, Expected);
            }
        }
    }
}
