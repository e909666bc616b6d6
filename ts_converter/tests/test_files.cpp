#include "test_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>

namespace korvet::test {

namespace {

// Tells apart the files of test processes that run at the same time.
const std::string& processTag() {
    static const std::string tag = [] {
        std::random_device device;
        return std::to_string(device()) + std::to_string(device());
    }();
    return tag;
}

}  // namespace

std::string tempPath(const std::string& name) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string test = info != nullptr ? std::string(info->test_suite_name()) + "_" + info->name() : "korvet";
    for (char& c : test)
        if (c == '/') c = '_';
    const std::string path = ::testing::TempDir() + "korvet_" + processTag() + "_" + test + "_" + name;
    std::remove(path.c_str());
    return path;
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::remove(path.c_str());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {};
    Bytes bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

}  // namespace korvet::test
