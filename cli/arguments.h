// The command line of kaldora-calc.
#pragma once

#include <string>
#include <vector>

#include <optional>

#include "cli/errors.h"
#include "cli/table_columns.h"
#include "engine/case_run.h"

namespace kaldora::cli {

struct Arguments {
    enum class Mode { OneCase, Table, Template, Help, Version } mode = Mode::OneCase;
    bool json = false;
    CaseInput input;           // one case
    std::string tablePath;     // a table of cases; "-" for standard input
    std::string workbookPath;  // the results as a workbook instead of CSV
    std::string protocolPath;  // the calculation protocol of one case, as PDF
    // Who and what the protocol is for.
    std::string object, section, executor, checker;
    std::string organisation, project, document;  // optional
    Titles templateTitles = Titles::English;
};

// Throws ArgumentError naming the problem.
Arguments ParseArguments(const std::vector<std::string>& args);

extern const char kUsage[];

}  // namespace kaldora::cli
