// Font lists: exact first-entry lookup, the pitch/family/type decoding, the
// shared lists and a linear build.
#include "brix/widgets/fontlists.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

using namespace Brix;

namespace {

TBrixEnumLogFont Face(const QString &Name, Byte CharSet)
{
    TBrixEnumLogFont F;
    F.FaceName = Name;
    F.CharSet = CharSet;
    return F;
}

} // namespace

TEST(FontList, FirstReportOfAFaceIsKeptAndLookupIsExact)
{
    TBrixFontList List;
    List.AddEnumeratedFont(Face(QStringLiteral("Arial"), 0), {}, 4);
    List.AddEnumeratedFont(Face(QStringLiteral("Arial"), 204), {}, 4);
    List.AddEnumeratedFont(Face(QStringLiteral("Arial"), 161), {}, 4);
    List.AddEnumeratedFont(Face(QStringLiteral("arial"), 0), {}, 1);
    ASSERT_EQ(List.Count(), 2);
    EXPECT_EQ(List.GetItem(0)->EnumLogFontEx().CharSet, 0);
    EXPECT_EQ(List.FontIndex(QStringLiteral("Arial")), 0);
    EXPECT_EQ(List.FontIndex(QStringLiteral("arial")), 1);
    EXPECT_EQ(List.FontIndex(QStringLiteral("Arial ")), -1);

    // A renamed entry is found under its new name; the first match wins.
    TBrixFontItem *Added = List.Add();
    EXPECT_EQ(List.FontIndex(QString()), 2);
    TBrixEnumLogFont Renamed = Added->EnumLogFontEx();
    Renamed.FaceName = QStringLiteral("Arial");
    Added->SetEnumLogFontEx(Renamed);
    EXPECT_EQ(List.FontIndex(QStringLiteral("Arial")), 0);
    EXPECT_EQ(List.FontIndex(QString()), -1);
    TBrixEnumLogFont First = List.GetItem(0)->EnumLogFontEx();
    First.FaceName = QStringLiteral("Other");
    List.GetItem(0)->SetEnumLogFontEx(First);
    EXPECT_EQ(List.FontIndex(QStringLiteral("Arial")), 2);
}

// Long face names are kept whole: faces that share their first 31 (or 32)
// characters stay apart, and each is found by its full name only.
TEST(FontList, LongFaceNamesStayWhole)
{
    const QString Stem = QStringLiteral("Noto Sans Canadian Aboriginal Extra"); // 35 characters
    const QString Bold = Stem + QStringLiteral(" Bold");
    const QString Light = Stem + QStringLiteral(" Light");
    TBrixFontList List;
    List.AddEnumeratedFont(Face(Bold, 0), {}, 4);
    List.AddEnumeratedFont(Face(Light, 0), {}, 4);
    ASSERT_EQ(List.Count(), 2);
    EXPECT_EQ(List.GetItem(1)->FontName(), Light);
    EXPECT_EQ(List.FontIndex(Bold), 0);
    EXPECT_EQ(List.FontIndex(Light), 1);
    EXPECT_EQ(List.FontIndex(Stem.left(31)), -1);
    EXPECT_EQ(List.FontIndex(Stem.left(32)), -1);
}

TEST(FontList, PitchFamilyAndTypeDecoding)
{
    struct Row
    {
        const char *Name;
        Byte PitchAndFamily;
        TBrixFontPitch Pitch;
        TBrixFontFamily Family;
    };
    const Row Rows[] = {
        {"fixed modern", 0x31, efpFixed, effModern},
        {"variable unknown", 0x02, efpVariable, effUnknown},
        {"default roman", 0x10, efpDefault, effRoman},
        {"variable swiss", 0x22, efpVariable, effSwiss},
        {"script", 0x40, efpDefault, effScript},
        {"decorative pitch 3", 0x53, efpDefault, effDecorative},
        {"unknown family", 0x61, efpFixed, effUnknown},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(TBrixFontItem::PitchOf(R.PitchAndFamily), R.Pitch);
        EXPECT_EQ(TBrixFontItem::FamilyOf(R.PitchAndFamily), R.Family);
    }
    TBrixFontList List;
    TBrixFontItem *Item = List.Add();
    const std::pair<int, TBrixFontType> Types[] = {
        {1, eftRaster}, {2, eftDevice}, {4, eftTrueType}, {6, eftOther}, {0, eftOther}};
    for (const auto &[Bits, Type] : Types) {
        Item->SetFontTypeInt(Bits);
        EXPECT_EQ(Item->FontType(), Type) << Bits;
    }
}

TEST(FontList, SharedListsAreBuilt)
{
    // The screen list holds at least the installed DejaVu faces, each once.
    const TBrixFontList &Screen = ScreenFonts();
    ASSERT_GT(Screen.Count(), 0);
    for (int I = 0; I < Screen.Count(); ++I)
        EXPECT_EQ(Screen.FontIndex(Screen.GetItem(I)->FontName()), I);
    // No printer service: the printer list stays empty.
    EXPECT_EQ(PrinterFonts().Count(), 0);
}

TEST(FontList, BuildingIsLinear)
{
    // 60,000 distinct faces: a linear search per report would need about
    // 1.8e9 name comparisons; with the index this takes well under a second.
    constexpr int N = 60000;
    QElapsedTimer Timer;
    Timer.start();
    TBrixFontList List;
    for (int I = 0; I < N; ++I)
        List.AddEnumeratedFont(Face(QStringLiteral("Face %1").arg(I), 0), {}, 4);
    ASSERT_EQ(List.Count(), N);
    EXPECT_EQ(List.FontIndex(QStringLiteral("Face 59999")), N - 1);
    EXPECT_LT(Timer.elapsed(), 10000);
}
