#include "test_support/run_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace testing_support {

std::string makeTempDir(const char* prefix) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = ::testing::TempDir() + prefix + "_" + std::to_string(random());
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) return candidate;
    }
    return ::testing::TempDir();
}

}  // namespace testing_support
