#include "brix/calcwindows/taperows.h"

#include "brix/classes/component.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

namespace Brix {

const QString TapeRule = QString(16, QChar(0x2500)); // ────────────────
const QString TapeEditedMark = QStringLiteral("\u270E"); // ✎

namespace {

// ---- The engine's tape texts ----

// The library's calculator table, for the texts of every language.
const TBrixCalculatorStrings &LibraryTexts()
{
    static const TOwned<TBrixCalculatorStrings> Texts = CreateOwned<TBrixCalculatorStrings>();
    return *Texts;
}

// The engine's tape texts of the keys, in every language: for each, its key,
// and whether it shows what the key's symbol shows (the power, not the
// inverse power the same key gives after Inv).
struct TTapeTexts
{
    QHash<QString, TBrixCalcKey> Keys;
    QHash<QString, TBrixCalcKey> Symbols;
    // The error line and the error message, of every language.
    QStringList ErrorLines, ErrorMessages;

    TTapeTexts()
    {
        struct TPaper
        {
            TBrixResCalc Text;
            TBrixCalcKey Key;
            bool Symbol;
        };
        static const TPaper Papers[] = {
            {ectAddPaper, ckAdd, true},
            {ectSubtractPaper, ckSubtract, true},
            {ectMultiplyPaper, ckMultiply, true},
            {ectDividePaper, ckDivide, true},
            {ectXpwrYPaper, ckPower, true},
            {ectXpwrInvYPaper, ckPower, false},
            {ectSqrtPaper, ckSqRoot, true},
            {ectSquarePaper, ckSquare, true},
            {ectInvertPaper, ckInvert, true},
            {ectMemAddPaper, ckMemoryAdd, true},
            {ectMemSubPaper, ckMemorySubtract, true},
            {ectMemRecPaper, ckMemoryRecall, true},
            {ectMemClrPaper, ckMemoryClear, true},
            {ectSinPaper, ckSin, false},
            {ectArcsinPaper, ckSin, false},
            {ectSinhPaper, ckSin, false},
            {ectArsinhPaper, ckSin, false},
            {ectCosPaper, ckCos, false},
            {ectArccosPaper, ckCos, false},
            {ectCoshPaper, ckCos, false},
            {ectArcoshPaper, ckCos, false},
            {ectTanPaper, ckTan, false},
            {ectArctanPaper, ckTan, false},
            {ectTanhPaper, ckTan, false},
            {ectArtanhPaper, ckTan, false},
            {ectLogPaper, ckLog, false},
            {ect10toXPaper, ckLog, false},
            {ectLnPaper, ckLN, false},
            {ectEtoXPaper, ckLN, false},
            {ectLog2Paper, ckLg2, false},
            {ectInvLog2Paper, ckLg2, false},
        };
        const TBrixCalculatorStrings &Texts = LibraryTexts();
        for (int L = 0; L < BrixLanguageCount; ++L) {
            const auto Language = TBrixLanguage(L);
            for (const TPaper &Paper : Papers) {
                const QString Text = Texts.GetName(Language, Paper.Text);
                Keys.insert(Text, Paper.Key);
                if (Paper.Symbol)
                    Symbols.insert(Text, Paper.Key);
            }
            ErrorLines.append(Texts.GetName(Language, ectPaperErrLine));
            ErrorMessages.append(Texts.GetName(Language, ectErrorMsg));
        }
        // The keys whose tape text is a character of their own.
        static const std::pair<const char16_t *, TBrixCalcKey> Characters[] = {
            {u"+", ckAdd},         {u"-", ckSubtract},       {u"*", ckMultiply},
            {u"/", ckDivide},      {u"=", ckEquals},         {u"%", ckPercent},
            {u"(", ckLeftBracket}, {u")", ckRightBracket},   {u"+/-", ckChangeSign},
            {u"^", ckPower},       {u"\u2212", ckSubtract},  {u"\u00D7", ckMultiply},
            {u"\u00F7", ckDivide}, {u"\u00B1", ckChangeSign}};
        for (const auto &[Text, Key] : Characters) {
            Keys.insert(QString::fromUtf16(Text), Key);
            Symbols.insert(QString::fromUtf16(Text), Key);
        }
    }
};

const TTapeTexts &TapeTexts()
{
    static const TTapeTexts Texts;
    return Texts;
}

// The key whose symbol Row's operator shows, or ckResult: the text shows
// the key's symbol when it is the key's own tape text (the power's "x ^ y",
// not the inverse power's "x ^ 1/y" of the same key).
TBrixCalcKey SymbolKey(const TBrixTapeRow &Row)
{
    switch (Row.OperatorKey) {
    case ckAdd:
    case ckSubtract:
    case ckMultiply:
    case ckDivide:
    case ckEquals:
    case ckPercent:
    case ckLeftBracket:
    case ckRightBracket:
    case ckChangeSign:
    case ckInvert:
        return Row.OperatorKey;
    case ckPower:
    case ckSqRoot:
    case ckSquare:
        // Inv turns these keys into another function (the square root into
        // the square): the text says which.
        if (Row.Operator.isEmpty())
            return Row.OperatorKey;
        return TapeTexts().Symbols.value(Row.Operator.trimmed(), ckResult);
    default:
        return ckResult;
    }
}

// ---- Lines written by earlier versions ----

// A word of a shown number: it holds a digit, and no letter but the exponent
// mark, nor a slash or caret ("1 234.5", "-3.0000", "(2.0000)", "10%",
// "1.5E-7"; not "1/y" of "x ^ 1/y", not "log2").
bool IsNumberWord(QStringView Word)
{
    bool Digit = false;
    for (const QChar C : Word) {
        if (C.isDigit())
            Digit = true;
        else if ((C.isLetter() && C != u'E' && C != u'e') || C == u'/' || C == u'^')
            return false;
    }
    return Digit;
}

// A word of symbols alone ("=", "+", "*").
bool IsSymbolWord(QStringView Word)
{
    return !Word.isEmpty() &&
           std::none_of(Word.begin(), Word.end(), [](QChar C) { return C.isLetterOrNumber(); });
}

struct TSplit
{
    QString Operator;
    QString Number;
};

// Splits a number line written with the operator held before it on the same
// line ("+ 5.0000", "x ^ y 3.0000", "= 17.0000") into the two. The number is
// the run of number words at the end: a blank inside a number groups digits
// ("+ 1 234.5"), a word without them belongs to the operator. A number the
// engine writes now has no such words and stays whole.
TSplit SplitNumber(const QString &Text)
{
    const QStringList Words = Text.split(u' ');
    qsizetype First = Words.size();
    while (First > 0 && IsNumberWord(Words[First - 1]))
        --First;
    if (First == 0 || First == Words.size())
        return {QString(), Text};
    return {Words.first(First).join(u' ').trimmed(), Words.sliced(First).join(u' ')};
}

// Splits an error line written with the operator held before it ("= Error!")
// into the two: a first word of symbols before the error's one word. The
// error's banner ("- - - - ERROR - - - -") stays whole.
TSplit SplitError(const QString &Text)
{
    const qsizetype Blank = Text.indexOf(u' ');
    if (Blank <= 0 || Blank + 1 >= Text.size())
        return {QString(), Text};
    const QString Rest = Text.mid(Blank + 1);
    if (!IsSymbolWord(QStringView(Text).first(Blank)) || Rest.contains(u' '))
        return {QString(), Text};
    return {Text.left(Blank), Rest};
}

// The key of an operator line: its own, or for a text line (of an earlier
// version) the key whose tape text it shows.
TBrixCalcKey OperatorKeyOf(const TBrixCalcRecordLine &Line)
{
    if (Line.Kind == lkOperator && Line.Key != ckResult)
        return Line.Key;
    return TapeTextKey(Line.Text);
}

// A number takes the line after it as its operator: an operator line, or a
// text line of an earlier version that shows an operator or a function.
bool IsOperatorOfNumber(const TBrixCalcRecordLine &Line)
{
    return Line.Kind == lkOperator || (Line.Kind == lkText && TapeTextKey(Line.Text) != ckResult);
}

QString Trimmed(const QString &Text)
{
    return Text.trimmed();
}

} // namespace

// ---- Rows ----

TBrixCalcKey TapeTextKey(const QString &Text)
{
    return TapeTexts().Keys.value(Text.trimmed(), ckResult);
}

QList<TBrixTapeRow> TapeRows(const TBrixTapeCalculation &Lines)
{
    QList<TBrixTapeRow> Rows;
    // An operator held before a number (or a result, or an error) on the
    // same line goes to the row of the number before it when that row still
    // lacks one, else it is a row of its own.
    const auto AddHeldOperator = [&Rows](const QString &Operator, int Line) {
        if (Operator.isEmpty())
            return;
        if (!Rows.isEmpty() && Rows.last().Kind == lkNumber && Rows.last().Operator.isEmpty()) {
            Rows.last().Operator = Operator;
            Rows.last().OperatorKey = TapeTextKey(Operator);
            return;
        }
        TBrixTapeRow Row;
        Row.Operator = Operator;
        Row.OperatorKey = TapeTextKey(Operator);
        Row.Line = Line;
        Rows.append(Row);
    };

    for (qsizetype I = 0; I < Lines.size(); ++I) {
        const TBrixCalcRecordLine &L = Lines[I];
        TBrixTapeRow Row;
        Row.Kind = L.Kind;
        Row.Edited = L.Edited;
        Row.Line = int(I);
        switch (L.Kind) {
        case lkNumber:
        case lkResult: {
            const TSplit Split = SplitNumber(L.Text);
            AddHeldOperator(Split.Operator, int(I));
            Row.Number = Split.Number;
            Row.Value = L.Value;
            // A number takes the operator written after it; a total does not.
            if (L.Kind == lkNumber && I + 1 < Lines.size() && IsOperatorOfNumber(Lines[I + 1])) {
                Row.Operator = Trimmed(Lines[I + 1].Text);
                Row.OperatorKey = OperatorKeyOf(Lines[I + 1]);
                ++I;
            }
            break;
        }
        case lkError: {
            const TSplit Split = SplitError(L.Text);
            AddHeldOperator(Split.Operator, int(I));
            Row.Number = Split.Number;
            break;
        }
        case lkText:
        case lkOperator:
            Row.Operator = L.Kind == lkOperator ? Trimmed(L.Text) : L.Text;
            Row.OperatorKey = OperatorKeyOf(L);
            break;
        }
        Rows.append(Row);
    }
    return Rows;
}

// ---- Renderings ----

namespace {

// The operators the keys show as a symbol: as the key shows it, and in ASCII.
struct TOperatorSymbol
{
    TBrixCalcKey Key;
    const char16_t *Shown;
    const char16_t *Ascii; // nullptr: the engine's text
};

constexpr TOperatorSymbol OperatorSymbols[] = {
    {ckAdd, u"+", u"+"},
    {ckSubtract, u"\u2212", u"-"}, // −
    {ckMultiply, u"\u00D7", u"*"}, // ×
    {ckDivide, u"\u00F7", u"/"},   // ÷
    {ckEquals, u"=", u"="},
    {ckPercent, u"%", u"%"},
    {ckLeftBracket, u"(", u"("},
    {ckRightBracket, u")", u")"},
    {ckChangeSign, u"\u00B1", u"+/-"}, // ±
    {ckPower, u"x\u02B8", u"^"},       // xʸ
    {ckSqRoot, u"\u221A", nullptr},    // √
    {ckSquare, u"x\u00B2", nullptr},   // x²
    {ckInvert, u"1/x", nullptr},
};

const TOperatorSymbol *SymbolOf(const TBrixTapeRow &Row)
{
    const TBrixCalcKey Key = SymbolKey(Row);
    for (const TOperatorSymbol &Symbol : OperatorSymbols)
        if (Symbol.Key == Key)
            return &Symbol;
    return nullptr;
}

} // namespace

QString TapeShownOperator(const TBrixTapeRow &Row)
{
    const TOperatorSymbol *Symbol = SymbolOf(Row);
    return Symbol ? QString::fromUtf16(Symbol->Shown) : Row.Operator;
}

QString TapeAsciiOperator(const TBrixTapeRow &Row)
{
    const TOperatorSymbol *Symbol = SymbolOf(Row);
    return Symbol && Symbol->Ascii ? QString::fromUtf16(Symbol->Ascii) : Row.Operator;
}

namespace {

// The number as shown, after the edited mark when it was edited.
QString MarkedNumber(const TBrixTapeRow &Row)
{
    return Row.Edited ? TapeEditedMark + u' ' + Row.Number : Row.Number;
}

} // namespace

QString TapeRowText(const TBrixTapeRow &Row)
{
    if (Row.Number.isEmpty())
        return TapeShownOperator(Row);
    const QString Operator = TapeShownOperator(Row);
    return Operator.isEmpty() ? MarkedNumber(Row) : MarkedNumber(Row) + u' ' + Operator;
}

QString TapeRowsText(const QList<QList<TBrixTapeRow>> &Groups)
{
    qsizetype Width = 0;
    for (const QList<TBrixTapeRow> &Rows : Groups)
        for (const TBrixTapeRow &Row : Rows)
            if (Row.HasValue() && !Row.Number.isEmpty())
                Width = std::max(Width, MarkedNumber(Row).size());

    QString Text;
    bool First = true;
    for (const QList<TBrixTapeRow> &Rows : Groups) {
        if (Rows.isEmpty())
            continue;
        if (!First)
            Text += TapeRule + u'\n';
        First = false;
        for (const TBrixTapeRow &Row : Rows) {
            const QString Operator = TapeShownOperator(Row);
            if (Row.Number.isEmpty()) {
                Text += Operator.rightJustified(Width) + u'\n';
                continue;
            }
            // A total under a rule as wide as it.
            if (Row.Kind == lkResult)
                Text += QString(Row.Number.size(), u'-').rightJustified(Width) + u'\n';
            Text += MarkedNumber(Row).rightJustified(Width);
            if (!Operator.isEmpty())
                Text += u' ' + Operator;
            Text += u'\n';
        }
    }
    return Text;
}

QString TapeSpokenRow(const TBrixTapeRow &Row, const std::function<QString(TBrixResCalc)> &Word)
{
    QString Said;
    if (Row.Kind == lkError) {
        // The error's line and message as the reader's word for an error;
        // a reason after it as it was written.
        const TTapeTexts &Texts = TapeTexts();
        QString Error = Row.Number.trimmed();
        if (Texts.ErrorLines.contains(Error) || Texts.ErrorMessages.contains(Error))
            Error.clear();
        for (const QString &Message : Texts.ErrorMessages)
            if (!Message.isEmpty() && Error.startsWith(Message)) {
                Error.remove(0, Message.size());
                break;
            }
        while (!Error.isEmpty() && (Error.front().isSpace() || Error.front() == u'-' ||
                                    Error.front() == u':' || Error.front() == u','))
            Error.remove(0, 1);
        Said = Error.isEmpty() ? Word(ectTapeError)
                               : Word(ectTapeError) + QStringLiteral(", ") + Error;
    } else {
        QString Operator;
        switch (SymbolKey(Row)) {
        case ckAdd:
            Operator = Word(ectTapePlus);
            break;
        case ckSubtract:
            Operator = Word(ectTapeMinus);
            break;
        case ckMultiply:
            Operator = Word(ectTapeTimes);
            break;
        case ckDivide:
            Operator = Word(ectTapeDividedBy);
            break;
        case ckEquals:
            Operator = Word(ectTapeEquals);
            break;
        default:
            Operator = Row.Operator.trimmed();
            break;
        }
        if (Row.Kind == lkResult)
            Said = (Word(ectTapeTotal) + u' ' + Row.Number).trimmed();
        else if (Row.Number.isEmpty())
            Said = Operator;
        else
            Said = (Row.Number + u' ' + Operator).trimmed();
    }
    if (Row.Edited)
        Said += QStringLiteral(", ") + Word(ectTapeEdited);
    return Said;
}

QString TapeSpokenRow(const TBrixTapeRow &Row, TBrixLanguage Language)
{
    const TBrixCalculatorStrings &Texts = LibraryTexts();
    return TapeSpokenRow(
        Row, [&Texts, Language](TBrixResCalc Key) { return Texts.GetName(Language, Key); });
}

} // namespace Brix
