#include "brix/calcwindows/tapedocument.h"

#include "brix/classes/formatsettings.h"
#include "brix/classes/globals.h"
#include "brix/resources/calculator.h"
#include "brix/strings/paste.h"
#include "brix/strings/tools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>

namespace Brix {

namespace {

const QByteArray Header1 = QByteArrayLiteral("LumoPocketo tape 1");
const QByteArray Header2 = QByteArrayLiteral("LumoPocketo tape 2");
const QByteArray Edited = QByteArrayLiteral("edited");

// The kinds' words in the file, in the order of TBrixCalcLineKind.
const char *const KindWords[] = {"text", "number", "result", "error"};

QByteArray KindWord(TBrixCalcLineKind Kind)
{
    return KindWords[std::clamp(int(Kind), 0, int(std::size(KindWords)) - 1)];
}

std::optional<TBrixCalcLineKind> KindOf(QByteArrayView Word)
{
    for (int I = 0; I < int(std::size(KindWords)); ++I)
        if (Word == KindWords[I])
            return TBrixCalcLineKind(I);
    return std::nullopt;
}

// The shown text in the file's last field: no line ends, no tabs.
QString Escaped(const QString &Text)
{
    QString Result;
    Result.reserve(Text.size());
    for (const QChar C : Text) {
        switch (C.unicode()) {
        case u'\\':
            Result += u"\\\\";
            break;
        case u'\t':
            Result += u"\\t";
            break;
        case u'\n':
            Result += u"\\n";
            break;
        case u'\r':
            Result += u"\\r";
            break;
        default:
            Result += C;
        }
    }
    return Result;
}

QString Unescaped(const QString &Text)
{
    QString Result;
    Result.reserve(Text.size());
    for (qsizetype I = 0; I < Text.size(); ++I) {
        if (Text[I] != u'\\' || I + 1 == Text.size()) {
            Result += Text[I];
            continue;
        }
        switch (Text[++I].unicode()) {
        case u't':
            Result += u'\t';
            break;
        case u'n':
            Result += u'\n';
            break;
        case u'r':
            Result += u'\r';
            break;
        default:
            Result += Text[I]; // "\\" and anything unknown: the character
        }
    }
    return Result;
}

// ---- Format 1: kinds and numbers read from the shown text ----

// The part of a shown line that may hold its number: the line without an
// operator word before it on the same line ("- 5.0000", "= 17.0000"): a first
// word without digits before a blank. Operator: that word, or "".
QString NumberPart(const QString &Line, QString &Operator)
{
    Operator.clear();
    const qsizetype Blank = Line.indexOf(u' ');
    if (Blank <= 0 || Blank + 1 >= Line.size())
        return Line;
    const QStringView Word = QStringView(Line).first(Blank);
    // A blank that groups digits ("1 234.5") has a digit before it.
    if (std::any_of(Word.begin(), Word.end(), [](QChar C) { return C.isDigit(); }))
        return Line;
    Operator = Word.toString();
    return Line.mid(Blank + 1);
}

// The number Text shows, or nothing when it shows none. A format 1 file
// was written in the user's region: its numbers read as a paste there would.
std::optional<Extended> ValueOf(const QString &Text)
{
    const TFormatSettings &Region = RegionalSettings();
    std::optional<QString> Plain = PastedNumberText(Text, Region);
    Extended Value = 0;
    if (!Plain || !StoredTextToFloat(Plain->replace(Region.DecimalSeparator, u'.'), Value))
        return std::nullopt;
    return Value;
}

bool IsErrorLine(const QString &Line)
{
    static const QStringList ErrorLines = [] {
        QStringList Lines;
        auto Texts = CreateOwned<TBrixCalculatorStrings>();
        for (int L = elEnglishInt; L < elUSER; ++L)
            Lines.append(Texts->GetName(TBrixLanguage(L), ectPaperErrLine));
        return Lines;
    }();
    return ErrorLines.contains(Line);
}

// One calculation of a format 1 file: its shown lines.
TBrixTapeCalculation FromShown(const QStringList &Shown)
{
    TBrixTapeCalculation Lines;
    for (qsizetype I = 0; I < Shown.size(); ++I) {
        TBrixCalcRecordLine Line;
        Line.Text = Shown[I];
        QString Operator;
        const std::optional<Extended> Value = ValueOf(NumberPart(Line.Text, Operator));
        Line.Value = Value.value_or(0);
        if (IsErrorLine(Line.Text))
            Line.Kind = lkError;
        else if (!Value)
            Line.Kind = lkText;
        else if (Operator == u"=" || (I > 0 && Shown[I - 1].trimmed() == u"="))
            Line.Kind = lkResult;
        else
            Line.Kind = lkNumber;
        Lines.append(Line);
    }
    return Lines;
}

// One line of a format 2 file, or nothing when it is none.
std::optional<TBrixCalcRecordLine> FromFields(const QByteArray &Row)
{
    const QList<QByteArray> Fields = Row.split('\t');
    if (Fields.size() != 4)
        return std::nullopt;
    const std::optional<TBrixCalcLineKind> Kind = KindOf(Fields[0]);
    if (!Kind || !(Fields[1].isEmpty() || Fields[1] == Edited))
        return std::nullopt;
    TBrixCalcRecordLine Line;
    Line.Kind = *Kind;
    Line.Edited = Fields[1] == Edited;
    Line.Text = Unescaped(QString::fromUtf8(Fields[3]));
    // Every digit, read back to the same bits; beyond the range of a double
    // too ("1E+600").
    if (!Fields[2].isEmpty() && !StoredTextToFloat(QString::fromUtf8(Fields[2]), Line.Value))
        return std::nullopt;
    return Line;
}

} // namespace

QList<TBrixTapeCalculation> TBrixTapeDocument::Calculations() const
{
    QList<TBrixTapeCalculation> All = FKept;
    if (!FCurrent.isEmpty())
        All.append(FCurrent);
    return All;
}

bool TBrixTapeDocument::Follow(const TBrixCalcRecord &Record)
{
    bool Ended = false;
    if (FSerial != Record.Serial) {
        if (!FCurrent.isEmpty()) {
            FKept.append(FCurrent);
            Trim();
            Ended = true;
        }
        FSerial = Record.Serial;
    }
    const bool Changed = Ended || FCurrent != Record.Lines;
    FCurrent = Record.Lines;
    if (Changed)
        Tell(Ended ? tcEnded : tcCurrent);
    return Ended;
}

void TBrixTapeDocument::Restore(const QList<TBrixTapeCalculation> &Kept,
                                const TBrixCalcRecord &Record)
{
    FKept = Kept;
    FCurrent = Record.Lines;
    FSerial = Record.Serial;
    Tell(tcRestored);
}

void TBrixTapeDocument::Clear(const TBrixCalcRecord &Record)
{
    FKept.clear();
    FCurrent = Record.Lines;
    FSerial = Record.Serial;
    Tell(tcCleared);
}

int TBrixTapeDocument::AddObserver(TBrixTapeObserver Observer)
{
    FObservers.emplace_back(FNextObserver, std::move(Observer));
    return FNextObserver++;
}

void TBrixTapeDocument::RemoveObserver(int Id)
{
    std::erase_if(FObservers, [Id](const auto &O) { return O.first == Id; });
}

void TBrixTapeDocument::Tell(TBrixTapeChange Change) const
{
    // A copy: an observer may add or remove observers.
    const auto Observers = FObservers;
    for (const auto &O : Observers)
        if (O.second)
            O.second(Change);
}

void TBrixTapeDocument::Trim()
{
    if (FKept.size() > Limit)
        FKept.remove(0, FKept.size() - Limit);
}

// ---- The file ----

QString TBrixTapeDocument::DefaultFile()
{
    QString State = qEnvironmentVariable("XDG_STATE_HOME");
    // The variable counts only as an absolute path.
    if (!QDir::isAbsolutePath(State))
        State = QDir::homePath() + QStringLiteral("/.local/state");
    return State + QStringLiteral("/lumopocketo/tape");
}

QString TBrixTapeDocument::Parse(const QByteArray &Data, QList<TBrixTapeCalculation> &Calculations)
{
    Calculations.clear();
    QList<QByteArray> Rows = Data.split('\n');
    for (QByteArray &Row : Rows)
        if (Row.endsWith('\r'))
            Row.chop(1);
    const bool Format1 = Rows.first() == Header1;
    if (!Format1 && Rows.first() != Header2)
        return QStringLiteral("not a tape file of this version");
    QStringList Shown;
    TBrixTapeCalculation Lines;
    const auto End = [&] {
        if (Format1 && !Shown.isEmpty())
            Calculations.append(FromShown(Shown));
        else if (!Lines.isEmpty())
            Calculations.append(Lines);
        Shown.clear();
        Lines.clear();
    };
    for (qsizetype I = 1; I < Rows.size(); ++I) {
        if (Rows[I].isEmpty()) {
            End();
        } else if (Format1) {
            Shown.append(QString::fromUtf8(Rows[I]));
        } else if (const auto Line = FromFields(Rows[I])) {
            Lines.append(*Line);
        } else {
            Calculations.clear();
            return QStringLiteral("line %1 is no tape line").arg(I + 1);
        }
    }
    End();
    return QString();
}

QString TBrixTapeDocument::Load()
{
    if (FFile.isEmpty() || !QFileInfo::exists(FFile))
        return QString();
    QFile File(FFile);
    if (!File.open(QIODevice::ReadOnly)) {
        FUnreadable = true;
        return File.errorString();
    }
    QList<TBrixTapeCalculation> Read;
    const QString Reason = Parse(File.readAll(), Read);
    if (!Reason.isEmpty()) {
        FUnreadable = true;
        return Reason;
    }
    FKept = std::move(Read);
    Trim();
    Tell(tcLoaded);
    return QString();
}

QByteArray TBrixTapeDocument::Serialized() const
{
    QByteArray Data = Header2 + '\n';
    const QList<TBrixTapeCalculation> All = Calculations();
    for (qsizetype I = std::max<qsizetype>(0, All.size() - Limit); I < All.size(); ++I) {
        for (const TBrixCalcRecordLine &Line : All[I]) {
            Data +=
                KindWord(Line.Kind) + '\t' + (Line.Edited ? Edited : QByteArray()) + '\t' +
                (Line.HasValue() ? StoredFloatText(Line.Value, 18, u'.').toUtf8() : QByteArray()) +
                '\t' + Escaped(Line.Text).toUtf8() + '\n';
        }
        Data += '\n';
    }
    return Data;
}

QString TBrixTapeDocument::Save() const
{
    if (FFile.isEmpty() || FUnreadable)
        return QString();
    QDir().mkpath(QFileInfo(FFile).absolutePath());
    QSaveFile File(FFile);
    if (!File.open(QIODevice::WriteOnly))
        return File.errorString();
    // Only the user reads the tape: set before any content is written.
    File.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    File.write(Serialized());
    if (!File.commit())
        return File.errorString();
    return QString();
}

} // namespace Brix
