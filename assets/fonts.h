// The window's fonts. The families the design names are Windows fonts; on
// Linux they are replaced by metric-compatible or close free ones, all from
// Debian's font packages. Sizes are character heights in pixels.
#pragma once

#include <QFont>

namespace kaldora {

enum class Face { Arial, ArialBlack, ArialNarrow, SansSerif };

QFont DesignFont(Face face, int pixelHeight, bool bold = false);

// The report's fonts, in points.
QFont ReportFont(double points, bool bold = false, bool underline = false);

// The report's family when it is not installed with Cyrillic letters (its
// pages would print as boxes), else empty.
QString MissingReportFont();

}  // namespace kaldora
