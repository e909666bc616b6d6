// Files for the tests: a fresh path per test and name, and whole-file reads and writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvet::test {

using Bytes = std::vector<std::uint8_t>;

// A path in the test temporary directory, named after the running test and `name`, and unique
// to this process; any file left there by an earlier run is removed.
std::string tempPath(const std::string& name);
void writeFile(const std::string& path, const Bytes& bytes);
// The whole file, or nothing when it cannot be read.
Bytes readFile(const std::string& path);

}  // namespace korvet::test
