#include "terminal.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <histedit.h>
#include <sys/stat.h>
#include <unistd.h>

namespace LumoCli {

namespace {

// Set by SIGINT while a line is read; the read returns and the line is
// dropped.
volatile std::sig_atomic_t Interrupted = 0;

void OnInterrupt(int)
{
    Interrupted = 1;
}

char *Prompt(EditLine *)
{
    static char Text[] = "> ";
    return Text;
}

constexpr int HistorySize = 1000;

} // namespace

QString HistoryFile()
{
    QString State = qEnvironmentVariable("XDG_STATE_HOME");
    if (State.isEmpty() || !QDir::isAbsolutePath(State))
        State = QDir::homePath() + QStringLiteral("/.local/state");
    const QString Folder = State + QStringLiteral("/lumopocketo");
    const QByteArray Path = QFile::encodeName(Folder);
    if (!QDir(Folder).exists()) {
        // Parents as usual, the folder itself private.
        if (!QDir().mkpath(State) || (::mkdir(Path.constData(), 0700) != 0 && errno != EEXIST))
            return QString();
    }
    return Folder + QStringLiteral("/history");
}

struct TerminalReader::Private
{
    EditLine *Editor = nullptr;
    History *Lines = nullptr;
    QByteArray Path; // the history file, encoded; empty for none
    std::FILE *Out = nullptr;
    struct sigaction OldInterrupt = {};
};

TerminalReader::TerminalReader(std::FILE *In, std::FILE *Out, std::FILE *Err,
                               const QString &HistoryPath)
    : D(std::make_unique<Private>())
{
    D->Out = Out;
    // Multibyte characters on the line need the user's character type.
    std::setlocale(LC_CTYPE, "");

    // No SA_RESTART: Ctrl+C must interrupt the read.
    struct sigaction Action = {};
    Action.sa_handler = OnInterrupt;
    sigemptyset(&Action.sa_mask);
    sigaction(SIGINT, &Action, &D->OldInterrupt);

    HistEvent Event;
    D->Lines = history_init();
    history(D->Lines, &Event, H_SETSIZE, HistorySize);
    history(D->Lines, &Event, H_SETUNIQUE, 1);
    D->Editor = el_init("lumopocketo-cli", In, Out, Err);
    el_set(D->Editor, EL_PROMPT, Prompt);
    el_set(D->Editor, EL_EDITOR, "emacs");
    el_set(D->Editor, EL_HIST, history, D->Lines);
    // The user's own bindings, from ~/.editrc.
    el_source(D->Editor, nullptr);

    if (!HistoryPath.isEmpty()) {
        D->Path = QFile::encodeName(HistoryPath);
        history(D->Lines, &Event, H_LOAD, D->Path.constData());
    }
}

TerminalReader::~TerminalReader()
{
    el_end(D->Editor);
    history_end(D->Lines);
    sigaction(SIGINT, &D->OldInterrupt, nullptr);
}

std::optional<QString> TerminalReader::ReadLine()
{
    for (;;) {
        Interrupted = 0;
        int Count = 0;
        const char *Line = el_gets(D->Editor, &Count);
        if (Interrupted) {
            // Ctrl+C: whatever was typed is dropped; a fresh prompt follows.
            std::fputc('\n', D->Out);
            std::fflush(D->Out);
            el_reset(D->Editor);
            continue;
        }
        if (!Line || Count <= 0) {
            // Ctrl+D: the shell's prompt goes on a line of its own.
            std::fputc('\n', D->Out);
            std::fflush(D->Out);
            return std::nullopt;
        }
        QString Text = QString::fromLocal8Bit(Line, Count);
        while (Text.endsWith(u'\n') || Text.endsWith(u'\r'))
            Text.chop(1);
        return Text;
    }
}

void TerminalReader::Remember(const QString &Line)
{
    HistEvent Event;
    history(D->Lines, &Event, H_ENTER, Line.toLocal8Bit().constData());
    if (D->Path.isEmpty())
        return;
    // Created private; an existing file is made private as well.
    const int Fd = ::open(D->Path.constData(), O_WRONLY | O_CREAT, 0600);
    if (Fd >= 0) {
        ::fchmod(Fd, 0600);
        ::close(Fd);
    }
    history(D->Lines, &Event, H_SAVE, D->Path.constData());
}

} // namespace LumoCli
