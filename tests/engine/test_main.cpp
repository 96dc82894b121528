// Runs the engine tests in the locale of the environment, so that the suite
// can be run once more under a Russian locale with a decimal comma.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (std::setlocale(LC_ALL, "") == nullptr) {
        std::cerr << "the locale of the environment is not installed\n";
        return 1;
    }
    if (std::getenv("KALDORA_EXPECT_COMMA_LOCALE") != nullptr &&
        std::strcmp(std::localeconv()->decimal_point, ",") != 0) {
        std::cerr << "expected a locale with a decimal comma, got '" << std::localeconv()->decimal_point << "'\n";
        return 1;
    }
    return RUN_ALL_TESTS();
}
