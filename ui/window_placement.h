// Where the program's windows stand on a screen: pure geometry, so that it
// can be tried on screens the machine does not have.
#pragma once

#include <QRect>
#include <QSize>

namespace kaldora {

// The frame moved fully into the available area, centred where it fits.
QRect CentredInside(QRect frame, QRect available);

// The scale factor to multiply the present one by so that a window frame of
// `frame` (at the present scale) fits the available area: 1 when it fits,
// else the largest quarter step of the whole scale that does.
double FittingScaleFactor(QSize frame, QSize available, double scale);

// The help window's frame beside the main window's: on the side with more
// room, tops aligned, inside the available area; narrowed to that room when
// it is at least kNarrowestHelp wide, else over the main window's menu side.
inline constexpr int kNarrowestHelp = 400;
QRect HelpBeside(QRect mainFrame, QSize helpFrame, QRect available, int gap);

}  // namespace kaldora
