#include "brix/widgets/edits_numeric.h"

#include "brix/classes/formatsettings.h"
#include "brix/formatters/components.h"
#include "brix/strings/tools.h"
#include "brix/widgets/uictrls.h"

#include <QKeyEvent>
#include <QPointer>

#include <limits>

namespace Brix {

namespace {

int SignOf(int Value)
{
    return Value < 0 ? -1 : (Value > 0 ? 1 : 0);
}

// -Value without overflow: the most negative Integer has no positive
// counterpart, so it turns into the largest one.
int Negated(int Value)
{
    return Value == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : -Value;
}

} // namespace

TBrixIntEdit::TBrixIntEdit(QWidget *Parent, TComponent *AOwner)
    : TBrixBaseEdit(Parent, AOwner), FBoundsChecking(std::make_unique<TBrixIntegerBounds>())
{
    InstallBoundsErrorText();
    SetAllowAllChars(false);
    FNumeric = true;
    resize(80, height());
    DisplayText();
}

TBrixIntEdit::~TBrixIntEdit()
{
    FBoundsChecking->SetOnBoundsError(nullptr);
    FBoundsChecking->SetFormatter(nullptr);
}

bool TBrixIntEdit::AcceptsChar(QChar Key) const
{
    if (AllowAllChars())
        return true;
    if ((Key >= u'0' && Key <= u'9') || Key == u'+')
        return true;
    if (Key == u'-')
        return FAllowNegatives;
    const TBrixInputSection *Input = ActiveInputSettings();
    if (!Input || !Input->AllowThousandsSeparators())
        return false;
    TBrixFormatter *Fmt = Formatter();
    if (Fmt && Fmt->FormatSettings() && Fmt->FormatSettings()->Active())
        return Key == Fmt->FormatSettings()->ThousandSeparator();
    return Key == RegionalSettings().ThousandSeparator;
}

void TBrixIntEdit::FilterKey(QChar &Key)
{
    TBrixBaseEdit::FilterKey(Key);
    // A read-only edit keeps its value: the minus key is no way around that.
    if (Key != u'-' || AllowAllChars() || !FAllowNegatives || ReadOnly())
        return;
    const TBrixInputSection *Input = ActiveInputSettings();
    if (!Input || !Input->NegativeToggle())
        return;
    if (!QLineEdit::text().isEmpty()) {
        UpdateValue();
        if (FValue != 0) {
            FValue = Negated(FValue);
            SignChanged(SignOf(FValue));
            DisplayText();
        }
    }
    Key = QChar();
}

QString TBrixIntEdit::TextOfValue(int Value) const
{
    if (FBlankOverride && Value == 0)
        return QString();
    TBrixFormatter *Fmt = Formatter();
    if (Fmt && Fmt->IntegerSettings() && Fmt->IntegerSettings()->Active())
        return Fmt->IntToStr(Value);
    return IntegerText(Value, false, false);
}

void TBrixIntEdit::ValueToText()
{
    if (Null())
        return;
    FStrValue = TextOfValue(FValue);
}

int TBrixIntEdit::TextToInteger(const QString &Value) const
{
    TBrixFormatter *Fmt = Formatter();
    if (Fmt && Fmt->IntegerSettings() && Fmt->IntegerSettings()->Active())
        return Fmt->StrToInt(Value);
    return TextToIntChecked(Value);
}

void TBrixIntEdit::TextToValue()
{
    if (Null())
        return;
    FValue = TextToInteger(FStrValue);
    SignChanged(SignOf(FValue));
}

void TBrixIntEdit::ReformatThousands()
{
    TBrixFormatter *Fmt = Formatter();
    if (!Fmt || !Fmt->IntegerSettings() || !Fmt->IntegerSettings()->ShowThousands())
        return;
    const QString Trimmed = QLineEdit::text().trimmed();
    if (Trimmed.isEmpty() || Trimmed == u"+" || Trimmed == u"-")
        return;
    const int Caret = cursorPosition();
    const int Length = QLineEdit::text().length();
    UpdateValue();
    DisplayText();
    const int NewCaret = Caret + int(QLineEdit::text().length()) - Length;
    setCursorPosition(qBound(0, NewCaret, int(QLineEdit::text().length())));
    deselect();
}

void TBrixIntEdit::SetAsInteger(int Value)
{
    if (!FAllowNegatives && Value < 0)
        Value = Negated(Value);
    // Compared with what is shown, not only with FValue: typed text reaches
    // FValue only through UpdateValue, so after typing "150" FValue may
    // still hold the old 0 while the box shows 150.
    if (!Null() && Value == FValue && QLineEdit::text() == TextOfValue(Value))
        return;
    FValue = Value;
    if (Null())
        SetNullState(false, false);
    SignChanged(SignOf(FValue));
    DisplayText();
}

int TBrixIntEdit::AsInteger() const
{
    return Null() ? 0 : FValue;
}

void TBrixIntEdit::SetAllowNegatives(bool Value)
{
    if (Value == FAllowNegatives)
        return;
    FAllowNegatives = Value;
    if (!FAllowNegatives && FValue < 0) {
        FValue = Negated(FValue);
        SignChanged(SignOf(FValue));
        DisplayText();
    }
}

void TBrixIntEdit::SetBlankOverride(bool Value)
{
    if (Value == FBlankOverride)
        return;
    FBlankOverride = Value;
    DisplayText();
}

std::optional<int> TBrixIntEdit::AsNullable() const
{
    if (Null())
        return std::nullopt;
    return AsInteger();
}

void TBrixIntEdit::SetAsNullable(std::optional<int> Value)
{
    if (!Value)
        SetNull(true);
    else
        SetAsInteger(*Value);
}

QVariant TBrixIntEdit::AsVariant() const
{
    return Null() ? QVariant() : QVariant(AsInteger());
}

void TBrixIntEdit::SetAsVariant(const QVariant &Value)
{
    if (Value.isNull()) {
        SetNull(true);
        return;
    }
    bool Ok = false;
    const int Number = Value.toInt(&Ok);
    // A variant that is no integer (a text such as "abc") converts as its
    // text would.
    SetAsInteger(Ok ? Number : TextToInteger(Value.toString()));
}

void TBrixIntEdit::SetFormatter(TBrixFormatter *Value)
{
    if (Value == Formatter())
        return;
    FBoundsChecking->SetFormatter(Value);
    TBrixBaseEdit::SetFormatter(Value);
}

void TBrixIntEdit::DoExit()
{
    if (!Null() && FBoundsChecking->Active()) {
        UpdateValue();
        int Value = FValue;
        const bool Ok = FBoundsChecking->InBounds(Value);
        FValue = Value;
        if (!Ok && FBoundsChecking->ForceBounds()) {
            SignChanged(SignOf(FValue));
            DisplayText();
        }
    }
    TBrixBaseEdit::DoExit();
}

void TBrixIntEdit::keyReleaseEvent(QKeyEvent *Event)
{
    const QPointer<TBrixIntEdit> Guard(this);
    TBrixBaseEdit::keyReleaseEvent(Event);
    if (!Guard)
        return;
    const int Key = Event->key();
    if (Key >= Qt::Key_0 && Key <= Qt::Key_9 && !(Event->modifiers() & Qt::KeypadModifier) &&
        (Event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        const TBrixInputSection *Input = ActiveInputSettings();
        if (Input && Input->AutoThousands())
            ReformatThousands();
    }
}

} // namespace Brix
