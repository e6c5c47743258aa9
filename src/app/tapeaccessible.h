// The tape as screen readers see it: a window holding a list, one item for
// each of the calculation's lines (rather than a filler around one block of
// text). Moving through the lines announces the line reached.
#pragma once

class QPlainTextEdit;
class QWidget;

// Window: the tape's window; Lines: the view of its lines inside it.
void MakeTapeAccessible(QWidget &Window, QPlainTextEdit &Lines);
