// Where the program's windows go on the screen: a window kept within the
// screen's free area, and the tape beside the calculator on the side where
// it fits. All rectangles are frames (the window with its border and title
// bar) in the screen's coordinates.
#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// Frame moved (not resized) so that it lies within Area; a frame larger than
// Area keeps its top-left corner in Area.
QRect KeptWithin(const QRect &Frame, const QRect &Area);

// The tape's frame beside the window's frame Window: its top at the window's
// top, at the window's right when it fits there within Area, else at its
// left when it fits there, else on the side with more room, kept within Area
// (over the window where no side has room enough).
QRect TapeBeside(const QRect &Window, const QSize &Tape, const QRect &Area);

// The thickness of a window's frame on each side (none before it is shown).
QMargins FrameMargins(const QWidget &Window);

// Whether the program may place its windows and keep them on top: not on a
// Wayland compositor, which decides both itself.
bool CanPlaceWindows();
