// Line input for the command-line calculator on a terminal: a prompt, line
// editing and a history kept across sessions.
#pragma once

#include <QString>

#include <cstdio>
#include <memory>
#include <optional>

namespace LumoCli {

// The history file: $XDG_STATE_HOME/lumopocketo/history, or
// ~/.local/state/lumopocketo/history when XDG_STATE_HOME is unset or not an
// absolute path. Creates the folder (mode 0700) when missing; "" when it
// cannot be created.
QString HistoryFile();

class TerminalReader
{
public:
    // Reads from In (a terminal) and prompts on Out. HistoryPath "" keeps no
    // history file; otherwise the history is loaded from it and written back,
    // mode 0600, after every remembered line.
    TerminalReader(std::FILE *In, std::FILE *Out, std::FILE *Err, const QString &HistoryPath);
    ~TerminalReader();
    TerminalReader(const TerminalReader &) = delete;
    TerminalReader &operator=(const TerminalReader &) = delete;

    // The next line, without its line end; nothing at the end of input
    // (Ctrl+D on an empty line). Ctrl+C drops the line being typed and
    // prompts again.
    std::optional<QString> ReadLine();

    // Adds Line to the history (Up recalls it) and to the history file.
    void Remember(const QString &Line);

private:
    struct Private;
    std::unique_ptr<Private> D;
};

} // namespace LumoCli
