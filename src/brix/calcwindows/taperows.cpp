#include "brix/calcwindows/taperows.h"

#include <QStringList>

#include <algorithm>

namespace Brix {

namespace {

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
// ("+ 1 234.5"), a word without them belongs to the operator.
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

} // namespace

QList<TBrixTapeRow> TapeRows(const TBrixTapeCalculation &Lines)
{
    QList<TBrixTapeRow> Rows;
    // An operator written before a number (or a result, or an error) on the
    // same line goes to the row of the number before it when that row still
    // lacks one, else it is a row of its own.
    const auto AddHeldOperator = [&Rows](const QString &Operator, int Line) {
        if (Operator.isEmpty())
            return;
        if (!Rows.isEmpty() && Rows.last().Kind == lkNumber && Rows.last().Operator.isEmpty()) {
            Rows.last().Operator = Operator;
            return;
        }
        TBrixTapeRow Row;
        Row.Operator = Operator;
        Row.Line = Line;
        Rows.append(Row);
    };

    for (qsizetype I = 0; I < Lines.size(); ++I) {
        const TBrixCalcRecordLine &L = Lines[I];
        TBrixTapeRow Row;
        Row.Kind = L.Kind;
        Row.Value = L.Value;
        Row.Edited = L.Edited;
        Row.Line = int(I);
        switch (L.Kind) {
        case lkNumber:
        case lkResult: {
            const TSplit Split = SplitNumber(L.Text);
            AddHeldOperator(Split.Operator, int(I));
            Row.Number = Split.Number;
            // A number takes the operator written after it; a total does not.
            if (L.Kind == lkNumber && I + 1 < Lines.size() &&
                (Lines[I + 1].Kind == lkText || Lines[I + 1].Kind == lkOperator)) {
                Row.Operator = Lines[I + 1].Text;
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
            Row.Operator = L.Text;
            break;
        }
        Rows.append(Row);
    }
    return Rows;
}

} // namespace Brix
