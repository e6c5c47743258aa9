#include "brix/calcwindows/tapedocument.h"

#include "brix/classes/formatsettings.h"
#include "brix/classes/globals.h"
#include "brix/resources/calculator.h"
#include "brix/strings/paste.h"
#include "brix/strings/tools.h"

#include "brix/calculator/keys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QUuid>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace Brix {

namespace {

const QByteArray Header1 = QByteArrayLiteral("LumoPocketo tape 1");
const QByteArray Header2 = QByteArrayLiteral("LumoPocketo tape 2");
const QByteArray Header3 = QByteArrayLiteral("LumoPocketo tape 3");
const QByteArray Edited = QByteArrayLiteral("edited");
const QByteArray CalculationWord = QByteArrayLiteral("calculation");

// The kinds' words in the file, in the order of TBrixCalcLineKind.
const char *const KindWords[] = {"text", "number", "result", "error", "operator"};

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

// The key of a line by its name in the key table; "" for ckResult, the key
// of a line that has none.
QByteArray KeyWord(TBrixCalcKey Key)
{
    return Key == ckResult ? QByteArray() : QByteArray(KeyInfo(Key).Name);
}

// A name this version does not know reads as none.
TBrixCalcKey KeyOf(const QByteArray &Word)
{
    static const QHash<QByteArray, TBrixCalcKey> ByName = [] {
        QHash<QByteArray, TBrixCalcKey> Names;
        for (const TBrixKeyInfo &Info : Keys())
            Names.insert(Info.Name, Info.Key);
        return Names;
    }();
    return ByName.value(Word, ckResult);
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
        if (!Line.HasValue())
            Line.Value = 0;
        Lines.append(Line);
    }
    return Lines;
}

// One tape line of a format 2 file (kind, edited, number, text) or of a
// format 3 file (kind, edited, key, number, text); nothing when it is none.
std::optional<TBrixCalcRecordLine> FromFields(const QByteArray &Row, bool Format3)
{
    const QList<QByteArray> Fields = Row.split('\t');
    if (Fields.size() != (Format3 ? 5 : 4))
        return std::nullopt;
    const std::optional<TBrixCalcLineKind> Kind = KindOf(Fields[0]);
    if (!Kind || !(Fields[1].isEmpty() || Fields[1] == Edited))
        return std::nullopt;
    const QByteArray &Number = Fields[Format3 ? 3 : 2];
    TBrixCalcRecordLine Line;
    Line.Kind = *Kind;
    Line.Key = Format3 ? KeyOf(Fields[2]) : ckResult;
    Line.Edited = Fields[1] == Edited;
    Line.Text = Unescaped(QString::fromUtf8(Fields.last()));
    // Every digit, read back to the same bits; beyond the range of a double
    // too ("1E+600", and "1e+600" as an earlier writer spelled it).
    Extended Value = 0;
    if (!Number.isEmpty() && !StoredTextToFloat(QString::fromUtf8(Number), Value))
        return std::nullopt;
    if (Format3) {
        // A number exactly where the kind has one.
        if (Number.isEmpty() == Line.HasValue())
            return std::nullopt;
    } else if (Number.isEmpty() && Line.HasValue()) {
        Line.Kind = lkText; // no number known: it shows its text
    }
    Line.Value = Line.HasValue() ? Value : 0;
    return Line;
}

// Names a calculation of a file without identities: the file's bytes and its
// place (from 1) in the file.
QString ReadId(const QByteArray &Data, qsizetype Place)
{
    // The namespace of these names, made once for them.
    static const QUuid Namespace(QStringLiteral("{3b6d7a52-0c8e-4f1b-9a57-c2e4d1f08a36}"));
    return QUuid::createUuidV5(Namespace, Data).toString(QUuid::WithoutBraces) + u'/' +
           QString::number(Place);
}

// Renames From to To unless something of that name exists: never replaces
// anything. Returns 0, or the error number.
int RenameNoReplace(const QString &From, const QString &To)
{
    const QByteArray F = QFile::encodeName(From);
    const QByteArray T = QFile::encodeName(To);
    if (::renameat2(AT_FDCWD, F.constData(), AT_FDCWD, T.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    // A file system without that flag: a second name, then the first goes.
    if (::link(F.constData(), T.constData()) != 0)
        return errno;
    ::unlink(F.constData());
    return 0;
}

// Moves Path to the first free name of Path.unreadable, Path.unreadable.1,
// ..., readable and writable by the user only; returns that name, or ""
// and why it could not be moved.
QString MovedAside(const QString &Path, QString &Failure)
{
    const QString Base = Path + QStringLiteral(".unreadable");
    for (int N = 0; N < 1000; ++N) {
        const QString To = N == 0 ? Base : Base + u'.' + QString::number(N);
        const int Error = RenameNoReplace(Path, To);
        if (Error == EEXIST || Error == ENOTEMPTY)
            continue;
        if (Error != 0) {
            Failure = qt_error_string(Error);
            return QString();
        }
        if (QFileInfo(To).isFile())
            QFile::setPermissions(To, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return To;
    }
    Failure = QStringLiteral("every name for it is taken");
    return QString();
}

} // namespace

QList<TBrixTapeCalculation> TBrixTapeDocument::Calculations() const
{
    QList<TBrixTapeCalculation> All = FKept;
    if (!FCurrent.isEmpty())
        All.append(FCurrent);
    return All;
}

TBrixTapeDocument::TBrixTapeDocument()
    : FSession(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

QString TBrixTapeDocument::CurrentId() const
{
    return FSession + u'/' + QString::number(FNextNumber);
}

QString TBrixTapeDocument::NewId()
{
    const QString Id = CurrentId();
    ++FNextNumber;
    return Id;
}

bool TBrixTapeDocument::Follow(const TBrixCalcRecord &Record)
{
    bool Ended = false;
    if (FSerial != Record.Serial) {
        if (!FCurrent.isEmpty()) {
            FCurrent.Id = NewId();
            FKept.append(FCurrent);
            Trim();
            Ended = true;
        }
        FSerial = Record.Serial;
    }
    // The lines alone (Current has no identity yet).
    const QList<TBrixCalcRecordLine> &Lines = FCurrent;
    const bool Changed = Ended || Lines != Record.Lines;
    FCurrent = Record.Lines;
    if (Changed)
        Tell(Ended ? tcEnded : tcCurrent);
    return Ended;
}

void TBrixTapeDocument::Restore(const QList<TBrixTapeCalculation> &Kept,
                                const TBrixCalcRecord &Record)
{
    FKept = Kept;
    for (TBrixTapeCalculation &Calculation : FKept)
        if (Calculation.Id.isEmpty())
            Calculation.Id = NewId();
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
    const int Format = Rows.first() == Header1   ? 1
                       : Rows.first() == Header2 ? 2
                       : Rows.first() == Header3 ? 3
                                                 : 0;
    if (Format == 0)
        return QStringLiteral("not a tape file of this version");
    QStringList Shown;
    TBrixTapeCalculation Lines;
    // Format 3: a calculation began (its identity read) and has not ended.
    bool Open = false;
    const auto End = [&] {
        if (Format == 1 && !Shown.isEmpty())
            Calculations.append(FromShown(Shown));
        else if (!Lines.isEmpty())
            Calculations.append(Lines);
        Shown.clear();
        Lines = TBrixTapeCalculation(); // its identity too
        Open = false;
    };
    const auto Damaged = [&](qsizetype I) {
        Calculations.clear();
        return QStringLiteral("line %1 is no tape line").arg(I + 1);
    };
    for (qsizetype I = 1; I < Rows.size(); ++I) {
        const QByteArray &Row = Rows[I];
        if (Row.isEmpty()) {
            End();
        } else if (Format == 1) {
            Shown.append(QString::fromUtf8(Row));
        } else if (Format == 3 && Row.startsWith(CalculationWord + '\t')) {
            End();
            if (Row.count('\t') != 1)
                return Damaged(I);
            Lines.Id = Unescaped(QString::fromUtf8(Row.mid(CalculationWord.size() + 1)));
            Open = true;
        } else if (Format == 3 && !Open) {
            return Damaged(I); // a tape line outside a calculation
        } else if (const auto Line = FromFields(Row, Format == 3)) {
            Lines.append(*Line);
        } else {
            return Damaged(I);
        }
    }
    End();
    // Calculations written without an identity get one from the file.
    for (qsizetype I = 0; I < Calculations.size(); ++I)
        if (Calculations[I].Id.isEmpty())
            Calculations[I].Id = ReadId(Data, I + 1);
    return QString();
}

TBrixTapeLoad TBrixTapeDocument::Load()
{
    TBrixTapeLoad Result;
    if (FFile.isEmpty() || !QFileInfo::exists(FFile))
        return Result;
    QFile File(FFile);
    QList<TBrixTapeCalculation> Read;
    if (!File.open(QIODevice::ReadOnly))
        Result.Reason = File.errorString();
    else
        Result.Reason = Parse(File.readAll(), Read);
    File.close();
    if (!Result.Reason.isEmpty()) {
        // Kept beside it as it is; the tape goes on in a new file.
        Result.MovedTo = MovedAside(FFile, Result.MoveFailure);
        FUnreadable = Result.MovedTo.isEmpty();
        return Result;
    }
    FUnreadable = false;
    FKept = std::move(Read);
    Trim();
    Tell(tcLoaded);
    return Result;
}

QByteArray TBrixTapeDocument::Serialize(const QList<TBrixTapeCalculation> &Calculations)
{
    QByteArray Data = Header3 + '\n';
    for (const TBrixTapeCalculation &Calculation : Calculations) {
        if (Calculation.isEmpty())
            continue;
        Data += CalculationWord + '\t' + Escaped(Calculation.Id).toUtf8() + '\n';
        for (const TBrixCalcRecordLine &Line : Calculation) {
            const QByteArray Number =
                Line.HasValue() ? StoredFloatText(Line.Value, 18, u'.').toUtf8() : QByteArray();
            // A number that cannot be written (an infinity): the line shows
            // its text alone.
            const TBrixCalcLineKind Kind = Line.HasValue() && Number.isEmpty() ? lkText : Line.Kind;
            Data += KindWord(Kind) + '\t' + (Line.Edited ? Edited : QByteArray()) + '\t' +
                    KeyWord(Line.Key) + '\t' + Number + '\t' + Escaped(Line.Text).toUtf8() + '\n';
        }
        Data += '\n';
    }
    return Data;
}

QByteArray TBrixTapeDocument::Serialized() const
{
    QList<TBrixTapeCalculation> All = FKept;
    if (!FCurrent.isEmpty()) {
        All.append(FCurrent);
        All.last().Id = CurrentId();
    }
    if (All.size() > Limit)
        All.remove(0, All.size() - Limit);
    return Serialize(All);
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
    const QByteArray Data = Serialized();
    // Every byte written and flushed before the new file takes the old one's
    // place: commit() would put a file whose last bytes did not reach the disk
    // in its place.
    if (File.write(Data) != Data.size() || !File.flush()) {
        const QString Reason = File.errorString();
        File.cancelWriting();
        return Reason;
    }
    if (!File.commit())
        return File.errorString();
    return QString();
}

} // namespace Brix
