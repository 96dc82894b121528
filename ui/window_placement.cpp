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
    const int roomRight = available.right() - mainFrame.right();
    const int roomLeft = mainFrame.left() - available.left();
    QRect place(QPoint(0, mainFrame.top()), helpFrame);
    if (roomRight >= roomLeft)
        place.moveLeft(std::min(mainFrame.right() + 1 + gap, available.right() + 1 - helpFrame.width()));
    else
        place.moveLeft(std::max(mainFrame.left() - gap - helpFrame.width(), available.left()));
    place.moveLeft(std::max(place.left(), available.left()));
    place.moveTop(std::max(available.top(), std::min(place.top(), available.bottom() + 1 - helpFrame.height())));
    return place;
}

}  // namespace kaldora
