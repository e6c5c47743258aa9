#include "placement.h"

#include <QGuiApplication>
#include <QWidget>

QRect KeptWithin(const QRect &Frame, const QRect &Area)
{
    QRect Kept = Frame;
    // The right and bottom edges first, so that a frame too large for the
    // area ends with its top-left corner (title bar, close box) inside.
    if (Kept.right() > Area.right())
        Kept.moveRight(Area.right());
    if (Kept.bottom() > Area.bottom())
        Kept.moveBottom(Area.bottom());
    if (Kept.left() < Area.left())
        Kept.moveLeft(Area.left());
    if (Kept.top() < Area.top())
        Kept.moveTop(Area.top());
    return Kept;
}

QRect TapeBeside(const QRect &Window, const QSize &Tape, const QRect &Area)
{
    const int RoomRight = Area.right() - Window.right();
    const int RoomLeft = Window.left() - Area.left();
    QRect Frame(QPoint(0, Window.top()), Tape);
    if (RoomRight >= Tape.width() || RoomRight >= RoomLeft)
        Frame.moveLeft(Window.right() + 1);
    else
        Frame.moveRight(Window.left() - 1);
    return KeptWithin(Frame, Area);
}

QMargins FrameMargins(const QWidget &Window)
{
    const QRect Outer = Window.frameGeometry();
    const QRect Inner = Window.geometry();
    return {Inner.left() - Outer.left(), Inner.top() - Outer.top(), Outer.right() - Inner.right(),
            Outer.bottom() - Inner.bottom()};
}

bool CanPlaceWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
