/// @file
/// The calculator text table: calculator key captions, calculation-history ("paper") tokens, key
/// hints, list texts and the windows' messages. Every key has an English International text;
/// other languages hold subsets and fall back to English International.
#pragma once

#include "brix/export.h"

#include "brix/classes/classes.h"
#include "brix/resources/texttable.h"

#include <QString>

namespace Brix {

/// The keys of the calculator text table (captions, hints and messages of
/// the calculator windows and engine), with their fixed ordinals.
enum TBrixResCalc
{
    ectACKey,           ///< 0
    ectANDKey,          ///< 1
    ectCalculator,      ///< 2
    ectCKey,            ///< 3
    ectClKey,           ///< 4
    ectCosKey,          ///< 5
    ectDegAbbrev,       ///< 6
    ectExpKey,          ///< 7
    ectGraAbbrev,       ///< 8
    ectHypKey,          ///< 9
    ectInvAbbrev,       ///< 10
    ectLg2Key,          ///< 11
    ectLnKey,           ///< 12
    ectLogKey,          ///< 13
    ectMAddKey,         ///< 14
    ectMCKey,           ///< 15
    ectMODKey,          ///< 16
    ectMRKey,           ///< 17
    ectMSubtractKey,    ///< 18
    ectNANDKey,         ///< 19
    ectNEGKey,          ///< 20
    ectNORKey,          ///< 21
    ectNOTKey,          ///< 22
    ectORKey,           ///< 23
    ectRadAbbrev,       ///< 24
    ectROLKey,          ///< 25
    ectRORKey,          ///< 26
    ectSHLKey,          ///< 27
    ectSHRKey,          ///< 28
    ectSinKey,          ///< 29
    ectTanKey,          ///< 30
    ectUnknownFunction, ///< 31
    ectXNORKey,         ///< 32
    ectXORKey,          ///< 33
    ectErrorMsg,        ///< 34
    ectErrorSeparator,  ///< 35
    ect10toXPaper,      ///< 36
    ectAbsPaper,        ///< 37
    ectAddPaper,        ///< 38
    ectANDPaper,        ///< 39
    ectArccosPaper,     ///< 40
    ectArcoshPaper,     ///< 41
    ectArcsinPaper,     ///< 42
    ectArctanPaper,     ///< 43
    ectArsinhPaper,     ///< 44
    ectArtanhPaper,     ///< 45
    ectCeilingPaper,    ///< 46
    ectCoshPaper,       ///< 47
    ectCosPaper,        ///< 48
    ectDividePaper,     ///< 49
    ectEtoXPaper,       ///< 50
    ectFloorPaper,      ///< 51
    ectFPDivPaper,      ///< 52
    ectFPIntDivPaper,   ///< 53
    ectFPModPaper,      ///< 54
    ectFPRemPaper,      ///< 55
    ectGammaPaper,      ///< 56
    ectInvertPaper,     ///< 57
    ectInvLog2Paper,    ///< 58
    ectLnGammaPaper,    ///< 59
    ectLnPaper,         ///< 60
    ectLog2Paper,       ///< 61
    ectLogPaper,        ///< 62
    ectMemAddPaper,     ///< 63
    ectMemClrPaper,     ///< 64
    ectMemRecPaper,     ///< 65
    ectMemSubPaper,     ///< 66
    ectMODPaper,        ///< 67
    ectMultiplyPaper,   ///< 68
    ectNANDPaper,       ///< 69
    ectNEGPaper,        ///< 70
    ectNORPaper,        ///< 71
    ectNOTPaper,        ///< 72
    ectORPaper,         ///< 73
    ectPaperErrLine,    ///< 74
    ectPaperLine,       ///< 75
    ectROLPaper,        ///< 76
    ectRORPaper,        ///< 77
    ectRoundPaper,      ///< 78
    ectSHLPaper,        ///< 79
    ectSHRPaper,        ///< 80
    ectSignPaper,       ///< 81
    ectSinhPaper,       ///< 82
    ectSinPaper,        ///< 83
    ectSqrtPaper,       ///< 84
    ectSquarePaper,     ///< 85
    ectSubtractPaper,   ///< 86
    ectTanhPaper,       ///< 87
    ectTanPaper,        ///< 88
    ectXNORPaper,       ///< 89
    ectXORPaper,        ///< 90
    ectXpaper,          ///< 91
    ectXpwrInvYPaper,   ///< 92
    ectXpwrYPaper,      ///< 93
    ectACHint,          ///< 94
    ectAddHint,         ///< 95
    ectANDHint,         ///< 96
    ectBackspaceHint,   ///< 97
    ectBaseHint,        ///< 98
    ectBitsHint,        ///< 99
    ectCancelHint,      ///< 100
    ectChangeSignHint,  ///< 101
    ectClearHint,       ///< 102
    ectCopyHint,        ///< 103
    ectCosHint,         ///< 104
    ectDecimalsHint,    ///< 105
    ectDivideHint,      ///< 106
    ectExitHint,        ///< 107
    ectExpHint,         ///< 108
    ectHypHint,         ///< 109
    ectInvertHint,      ///< 110
    ectInvHint,         ///< 111
    ectLg2Hint,         ///< 112
    ectLnHint,          ///< 113
    ectLogHint,         ///< 114
    ectMAddHint,        ///< 115
    ectMCHint,          ///< 116
    ectMemoryHint,      ///< 117
    ectMODHint,         ///< 118
    ectMRHint,          ///< 119
    ectMSubtractHint,   ///< 120
    ectMultiplyHint,    ///< 121
    ectNANDHint,        ///< 122
    ectNaturalHint,     ///< 123
    ectNEGHint,         ///< 124
    ectNORHint,         ///< 125
    ectNOTHint,         ///< 126
    ectORHint,          ///< 127
    ectPasteHint,       ///< 128
    ectPercentHint,     ///< 129
    ectPiHint,          ///< 130
    ectPowerHint,       ///< 131
    ectRadHint,         ///< 132
    ectROLHint,         ///< 133
    ectRootHint,        ///< 134
    ectRORHint,         ///< 135
    ectSHLHint,         ///< 136
    ectSHRHint,         ///< 137
    ectSinHint,         ///< 138
    ectSquareHint,      ///< 139
    ectSubtractHint,    ///< 140
    ectTanHint,         ///< 141
    ectValueHint,       ///< 142
    ectXNORHint,        ///< 143
    ectXORHint,         ///< 144
    ectComboBin,        ///< 145
    ectComboDec,        ///< 146
    ectComboHex,        ///< 147
    ectComboOct,        ///< 148
    ectCombo16Bits,     ///< 149
    ectCombo32Bits,     ///< 150
    ectCombo64Bits,     ///< 151
    ectCombo8Bits,      ///< 152
    ectSpacingByte,     ///< 153
    ectSpacingDWord,    ///< 154
    ectSpacingNone,     ///< 155
    ectSpacingWord,     ///< 156
    ectChangeClear,     ///< 157
    ectChangeExtend,    ///< 158
    ectChangeTruncate,  ///< 159
    ectPasteNotANumber, ///< 160: the value display's description after a rejected paste
    ectTapeName,        ///< 161: the tape's name for screen readers
    ectTapeUseNumber,   ///< 162: tape menu: put the row's number into the calculator
    ectTapeEditNumber,  ///< 163: tape menu: edit the row's number
    ectTapeCopy,        ///< 164: tape menu: copy the selected rows
    ectTapeSave,        ///< 165: tape menu
    ectTapePrint,       ///< 166: tape menu
    ectTapeClear,       ///< 167: tape menu
    ectTapeSaveFailed,  ///< 168: message after Save tape… failed
    ectTapeTextFiles,   ///< 169: file type of Save tape…
    ectTapeCsvFiles,    ///< 170: file type of Save tape…
    ectTapePlus,        ///< 171: screen readers: a row's operator +
    ectTapeMinus,       ///< 172: screen readers: a row's operator -
    ectTapeTimes,       ///< 173: screen readers: a row's operator *
    ectTapeDividedBy,   ///< 174: screen readers: a row's operator /
    ectTapeEquals,      ///< 175: screen readers: a row's operator =
    ectTapeTotal,       ///< 176: screen readers: a total row
    ectTapeEdited,      ///< 177: screen readers: an edited number
    ectTapeError,       ///< 178: screen readers: an error row
};
/// Number of keys of the calculator table.
constexpr int BrixResCalcCount = 179;

namespace Internal {
/// Every stored text of the table (defined with the table's data).
BRIX_CORE_EXPORT std::span<const TBrixTextEntry> CalculatorStringsEntries();
} // namespace Internal

/// The lookup handler of the calculator table.
using TBrixCalcEvent = TBrixTextEvent<TBrixResCalc>;

/// The calculator table. Examples: GetName(elGerman, ectCalculator) == "Rechner",
/// GetName(elGerman, ectACKey) == "AC" (no German text).
class BRIX_CORE_EXPORT TBrixCalculatorStrings
    : public TBrixTextTable<TBrixResCalc, Internal::CalculatorStringsEntries>
{
public:
    TBrixCalculatorStrings() = default;

protected:
    ~TBrixCalculatorStrings() override = default;
};

} // namespace Brix
