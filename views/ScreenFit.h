#pragma once
// Every window and dialog opens within the part of its screen that windows may use (its
// available geometry, without panels and docks), whatever size was saved, asked for or
// scaled up: moved in first, and made smaller where it still does not fit.

#include <QMargins>
#include <QRect>

class QWidget;

// The geometry (frame excluded) of a window that wants `wanted`, with a frame of `frame`
// around it, fitted inside `available`: shrunk to what is left inside the frame, but never
// below `minimum`, then moved in.
QRect FitOnScreen(const QRect& wanted, const QMargins& frame, const QRect& available,
                  const QSize& minimum);

// Fits the top-level window onto the available geometry of the screen it opens on.
void FitToScreen(QWidget* window);

// From now on every window and dialog of the application is fitted as it shows.
void FitEveryWindowAsItShows();
