// The command line of kaldora-calc.
#pragma once

#include <string>
#include <vector>

#include <optional>

#include "engine/case_run.h"

namespace kaldora::cli {

struct Arguments {
    enum class Mode { OneCase, Table, Help, Version } mode = Mode::OneCase;
    bool json = false;
    CaseInput input;        // one case
    std::string tablePath;  // a table of cases; "-" for standard input
};

// Throws ArgumentError naming the problem.
Arguments ParseArguments(const std::vector<std::string>& args);

struct ArgumentError {
    std::string message;
};

// Option flag values as a table cell may give them: 1/0, yes/no, да/нет;
// empty keeps the initial flag. Throws ArgumentError otherwise.
std::optional<bool> ParseFlag(const std::string& name, const std::string& text);

extern const char kUsage[];

}  // namespace kaldora::cli
