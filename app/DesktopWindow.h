#pragma once
// What the desktop is asked for the timer window beyond Qt's flags: to keep
// it off taskbars and pagers, above other windows, and to move it with the
// pointer.
class QWidget;
class QPoint;
#include <QStringList>

namespace kestrova {

// Writes the window's initial states (above, skip taskbar, skip pager) on
// its native window; call before the window is first shown. Does nothing
// where the platform has no such states.
void SetDesktopStates(QWidget* window);

// Tells the window manager to end a move of `window` that it was asked to
// start (X11 only; does nothing elsewhere or when no move is under way).
void CancelSystemMove(QWidget* window);

// The _NET_WM_STATE atoms the window carries now, by name (X11 only; empty
// elsewhere). For checks.
QStringList DesktopStates(QWidget* window);

} // namespace kestrova
