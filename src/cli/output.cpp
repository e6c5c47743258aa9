#include "output.h"

#include <QByteArray>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace LumoCli {

namespace {

// The first failing write's errno of each file that failed.
QHash<std::FILE *, int> &Failures()
{
    static QHash<std::FILE *, int> F;
    return F;
}

void Remember(std::FILE *File)
{
    if (!Failures().contains(File))
        Failures().insert(File, errno);
}

// Standard output is left to its buffer, so that a pipe of many lines is not
// written a line at a time; it is flushed before more input is waited for and
// before a message goes to standard error (FlushOutput). Everything else is
// flushed at once.
void Written(std::FILE *File, const QByteArray &Bytes, bool LineEnd)
{
    bool Ok = std::fwrite(Bytes.constData(), 1, size_t(Bytes.size()), File) == size_t(Bytes.size());
    if (Ok && LineEnd)
        Ok = std::fputc('\n', File) != EOF;
    if (Ok && File != stdout)
        Ok = std::fflush(File) == 0;
    if (!Ok)
        Remember(File);
}

bool IsControl(char16_t Ch)
{
    return (Ch < 0x20 && Ch != u'\t') || (Ch >= 0x7f && Ch <= 0x9f);
}

} // namespace

QString EscapeControls(const QString &Text)
{
    if (std::none_of(Text.cbegin(), Text.cend(), [](QChar Ch) { return IsControl(Ch.unicode()); }))
        return Text;
    QString Out;
    Out.reserve(Text.size() + 8);
    for (QChar Ch : Text) {
        if (IsControl(Ch.unicode()))
            Out += QStringLiteral("\\x%1").arg(Ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            Out += Ch;
    }
    return Out;
}

void Print(std::FILE *File, const QString &Line)
{
    Written(File, EscapeControls(Line).toUtf8(), true);
}

void Write(std::FILE *File, const QString &Text)
{
    Written(File, Text.toUtf8(), false);
}

void PrintUsageError(std::FILE *Err, const QString &Message)
{
    Print(Err, QStringLiteral("lumopocketo-cli: ") + Message);
}

void FlushOutput(std::FILE *File)
{
    if (std::fflush(File) != 0)
        Remember(File);
}

bool WriteFailed(std::FILE *File)
{
    return Failures().contains(File) || std::ferror(File);
}

int FinishOutput(std::FILE *Out, std::FILE *Err, int Status)
{
    // Output written past the last Print (the terminal's own line ends) is
    // flushed here.
    FlushOutput(Out);
    if (!WriteFailed(Out))
        return Status;
    const int Errno = Failures().value(Out, EIO);
    if (Errno != EPIPE)
        PrintUsageError(Err, QStringLiteral("cannot write the output: %1")
                                 .arg(QString::fromLocal8Bit(std::strerror(Errno))));
    return Status == 0 ? 1 : Status;
}

void GuardStandardFiles()
{
    for (int Fd = STDIN_FILENO; Fd <= STDERR_FILENO; ++Fd) {
        if (::fcntl(Fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // Opened for reading only: reads give end of file, writes fail.
        const int Stand = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (Stand >= 0 && Stand != Fd) {
            ::dup2(Stand, Fd);
            ::close(Stand);
        }
    }
}

} // namespace LumoCli
