// How the command-line calculator writes: every line goes through Print,
// which keeps control characters from the input off the terminal and
// remembers when the output could not be written, so that the run can end
// with that error instead of a false success.
#pragma once

#include <QString>

#include <cstdio>

namespace LumoCli {

// Text with its control characters (C0 other than tab, DEL and C1) written
// as \xHH, so that input echoed in a message cannot drive the terminal.
//   "\x1b[31m" -> "\\x1b[31m"      "a\tb" -> "a\tb"
QString EscapeControls(const QString &Text);

// Writes Line (escaped as above) and a line end to File; flushes it unless it
// is standard output, which FlushOutput flushes.
void Print(std::FILE *File, const QString &Line);

// Writes Text as it is (several lines, such as the usage text), flushed as
// Print.
void Write(std::FILE *File, const QString &Text);

// "lumopocketo-cli: " and Message on Err.
void PrintUsageError(std::FILE *Err, const QString &Message);

// Flushes File, remembering a failure for WriteFailed and FinishOutput.
void FlushOutput(std::FILE *File);

// Whether a write to File has failed.
bool WriteFailed(std::FILE *File);

// The exit status after the output to Out is complete: Status when all of it
// was written; otherwise 1 (2 stays 2) with the reason on Err. A reader that
// went away (a broken pipe) is not reported.
int FinishOutput(std::FILE *Out, std::FILE *Err, int Status);

// Gives each of the standard file descriptors that is closed a stand-in that
// fails every write, so that a file the program opens later cannot take its
// number and receive its output.
void GuardStandardFiles();

} // namespace LumoCli
