// What stops kaldora-calc, by the exit status it ends with: arguments or a
// table header it cannot use (2), an output it could not write (3).
#pragma once

#include <string>

namespace kaldora::cli {

struct ArgumentError {
    std::string message;
};

struct WriteError {
    std::string target;  // a file's path, or "standard output"
    std::string reason;  // the system's, e.g. "No space left on device"
};

}  // namespace kaldora::cli
