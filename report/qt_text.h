// The program's texts are UTF-8 in the Qt-free layers; this is where they
// become Qt strings.
#pragma once

#include <QString>
#include <string_view>

namespace kaldora {

inline QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace kaldora
