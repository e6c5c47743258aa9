#include "tapedocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

const QByteArray Header = QByteArrayLiteral("LumoPocketo tape 1");

// The number of leading lines A and B share.
qsizetype CommonStart(const QStringList &A, const QStringList &B)
{
    const auto [EndA, EndB] = std::mismatch(A.begin(), A.end(), B.begin(), B.end());
    return EndA - A.begin();
}

} // namespace

const QString TTapeDocument::Rule = QString(16, QChar(0x2500)); // ────

void TTapeDocument::Attach(const QStringList &EngineLines)
{
    FSeen = EngineLines;
    FAttached = true;
}

bool TTapeDocument::Update(const QStringList &Lines, bool InError, bool Undone)
{
    if (Lines == FSeen)
        return false;
    // An all clear taken back: the calculation it ended goes on.
    if (Undone && Current().isEmpty() && FCalculations.size() > 1 && !FSeenAtBreak.isEmpty() &&
        CommonStart(FSeenAtBreak, Lines) == FSeenAtBreak.size()) {
        FCalculations.removeLast();
        Current() += Lines.mid(FSeenAtBreak.size());
        FSeen = Lines;
        FSeenAtBreak.clear();
        return true;
    }
    const qsizetype Shared = CommonStart(FSeen, Lines);
    // Lines appended: the calculation goes on.
    if (Shared == FSeen.size()) {
        Current() += Lines.mid(Shared);
        FSeen = Lines;
        return false;
    }
    if (Undone) {
        // Lines taken back: off the current calculation as far as it has
        // them (the lines before it belong to ended calculations or to the
        // start).
        if (Shared == Lines.size()) {
            const qsizetype Drop = std::min(FSeen.size() - Shared, Current().size());
            Current().resize(Current().size() - Drop);
            FSeen = Lines;
            return false;
        }
    }
    // The engine's error state empties its tape and writes the error's
    // lines: they stay with the calculation they ended.
    if (InError) {
        Current() += Lines;
        FSeen = Lines;
        return false;
    }
    // An all clear came between: a new calculation begins (with the lines
    // written since, when several keys came at once).
    bool Ended = false;
    if (!Current().isEmpty()) {
        FSeenAtBreak = FSeen;
        FCalculations.append(QStringList());
        Trim();
        Ended = true;
    }
    Current() += Lines;
    FSeen = Lines;
    return Ended;
}

void TTapeDocument::Trim()
{
    // The current calculation counts once it has a line.
    const qsizetype Kept = Current().isEmpty() ? Limit + 1 : Limit;
    if (FCalculations.size() > Kept)
        FCalculations.remove(0, FCalculations.size() - Kept);
}

QString TTapeDocument::NumberPart(const QString &Line)
{
    // A blank that groups digits ("1 234.5", "-1 234") has a digit before it.
    const qsizetype Blank = Line.indexOf(u' ');
    if (Blank <= 0 || Blank + 1 >= Line.size())
        return Line;
    const QStringView Word = QStringView(Line).first(Blank);
    if (std::any_of(Word.begin(), Word.end(), [](QChar C) { return C.isDigit(); }))
        return Line;
    return Line.mid(Blank + 1);
}

QString TTapeDocument::Text() const
{
    QStringList Parts;
    for (const QStringList &Calculation : FCalculations)
        if (!Calculation.isEmpty())
            Parts.append(Calculation.join(u'\n'));
    QString Result = Parts.join(u'\n' + Rule + u'\n');
    // After an all clear the rule already marks the new calculation.
    if (FCalculations.last().isEmpty() && !Result.isEmpty())
        Result += u'\n' + Rule;
    return Result;
}

// ---- The file ----

QString TTapeDocument::DefaultFile()
{
    QString State = qEnvironmentVariable("XDG_STATE_HOME");
    // The variable counts only as an absolute path.
    if (!QDir::isAbsolutePath(State))
        State = QDir::homePath() + QStringLiteral("/.local/state");
    return State + QStringLiteral("/lumopocketo/tape");
}

QString TTapeDocument::Load()
{
    if (FFile.isEmpty() || !QFileInfo::exists(FFile))
        return QString();
    QFile File(FFile);
    if (!File.open(QIODevice::ReadOnly)) {
        FUnreadable = true;
        return File.errorString();
    }
    const QList<QByteArray> Rows = File.readAll().split('\n');
    if (Rows.first() != Header) {
        FUnreadable = true;
        return QStringLiteral("not a tape file of this version");
    }
    QList<QStringList> Read{QStringList()};
    for (qsizetype I = 1; I < Rows.size(); ++I) {
        if (Rows[I].isEmpty()) {
            if (!Read.last().isEmpty())
                Read.append(QStringList());
        } else {
            Read.last().append(QString::fromUtf8(Rows[I]));
        }
    }
    // The session goes on in a new calculation after the kept ones.
    if (!Read.last().isEmpty())
        Read.append(QStringList());
    FCalculations = std::move(Read);
    Trim();
    return QString();
}

QByteArray TTapeDocument::Serialized() const
{
    QByteArray Data = Header + '\n';
    const qsizetype Count =
        std::count_if(FCalculations.begin(), FCalculations.end(),
                      [](const QStringList &Calculation) { return !Calculation.isEmpty(); });
    qsizetype Skip = std::max<qsizetype>(0, Count - Limit);
    for (const QStringList &Calculation : FCalculations) {
        if (Calculation.isEmpty() || Skip-- > 0)
            continue;
        for (const QString &Line : Calculation)
            Data += Line.toUtf8() + '\n';
        Data += '\n';
    }
    return Data;
}

QString TTapeDocument::Save() const
{
    if (FFile.isEmpty() || FUnreadable)
        return QString();
    QDir().mkpath(QFileInfo(FFile).absolutePath());
    QSaveFile File(FFile);
    if (!File.open(QIODevice::WriteOnly))
        return File.errorString();
    // Only the user reads the tape: before any content is written.
    File.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    File.write(Serialized());
    if (!File.commit())
        return File.errorString();
    return QString();
}
