#include "ui/window_placement.h"

#include <algorithm>
#include <cmath>

namespace kaldora {

QRect CentredInside(QRect frame, QRect available) {
    frame.moveCenter(available.center());
    frame.moveLeft(std::max(available.left(), std::min(frame.left(), available.right() - frame.width() + 1)));
    frame.moveTop(std::max(available.top(), std::min(frame.top(), available.bottom() - frame.height() + 1)));
    return frame;
}

double FittingScaleFactor(QSize frame, QSize available, double scale) {
    if (frame.width() <= available.width() && frame.height() <= available.height()) return 1.0;
    const double fit = std::min(double(available.width()) / frame.width(), double(available.height()) / frame.height());
    // Quarter steps keep the pictures' pixels even.
    const double whole = std::max(0.25, std::floor(scale * fit * 4.0) / 4.0);
    return whole / scale;
}

QRect HelpBeside(QRect mainFrame, QSize helpFrame, QRect available, int gap) {
    const int roomRight = available.right() - mainFrame.right() - gap;
    const int roomLeft = mainFrame.left() - available.left() - gap;
    const int room = std::max(roomRight, roomLeft);
    // Narrower where that keeps the main window clear, down to a readable
    // width; below it, the whole width over the main window's left side, its
    // menu, so that the fields of a type screen stay in view.
    const bool fits = room >= kNarrowestHelp;
    const bool right = fits && roomRight >= roomLeft;
    const int width = fits ? std::min(room, helpFrame.width()) : helpFrame.width();
    QRect place(QPoint(0, mainFrame.top()), QSize(width, helpFrame.height()));
    if (right)
        place.moveLeft(std::min(mainFrame.right() + 1 + gap, available.right() + 1 - width));
    else
        place.moveLeft(std::max(mainFrame.left() - gap - width, available.left()));
    place.moveLeft(std::max(place.left(), available.left()));
    place.moveTop(std::max(available.top(), std::min(place.top(), available.bottom() + 1 - helpFrame.height())));
    return place;
}

}  // namespace kaldora
