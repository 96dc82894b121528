// kaldora-calc from its arguments to its exit status. Two executables run
// it: kaldora-calc itself, which loads no Qt and so starts at once, and the
// protocol writer beside it, which has Qt's fonts and painting for the PDF.
#pragma once

#include <functional>

#include "cli/arguments.h"
#include "model/calc_trace.h"

namespace kaldora::cli {

// Writes the protocol of the case just printed; throws WriteError.
using ProtocolWriter = std::function<void(const Arguments& args, const CalcTrace& trace)>;

// Runs the request of `argv` and says on standard error what stopped it.
// Without a protocol writer, a case that asks for a protocol is handed whole
// to the protocol writer executable, before anything is computed or printed.
int CalcMain(int argc, char* argv[], const ProtocolWriter& writeProtocol);

}  // namespace kaldora::cli
