// kaldora-calc: the calculations of the window from a script, one case or a
// whole table of cases.
#include "cli/calc_main.h"

int main(int argc, char* argv[]) { return kaldora::cli::CalcMain(argc, argv, {}); }
