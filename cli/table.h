// A table of cases in, a table of results out, both CSV.
#pragma once

#include <cstdio>
#include <string>

namespace kaldora::cli {

// Reads the cases from `in`, computes each from the start state and writes
// one result row per case. A row that cannot be calculated gets its error in
// its own row. Throws ArgumentError when the table as a whole is unusable.
void RunTable(std::FILE* in, std::FILE* out, std::FILE* progress);

}  // namespace kaldora::cli
