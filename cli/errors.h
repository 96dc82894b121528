// What stops kaldora-calc, by the exit status it ends with: arguments or a
// table header it cannot use (2), an input it cannot read (2), an output it
// could not write (3).
#pragma once

#include <string>

namespace kaldora::cli {

struct ArgumentError {
    std::string message;
};

// The table's file could not be read: the system's reason; the file is
// named where it was opened.
struct ReadError {
    std::string reason;
};

// An input that cannot be used as it stands, said in one line without a hint
// on the arguments (a missing file, the output being the input).
struct InputError {
    std::string message;
};

struct WriteError {
    std::string target;  // a file's path, or "standard output"
    std::string reason;  // the system's, e.g. "No space left on device"
};

}  // namespace kaldora::cli
