#include "TestData.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::string GifSuitesDir() {
    return CORPOMETER_GIF_SUITES_DIR;
}

std::string FindInSuite(const std::string& suite, const std::string& name) {
    const fs::path root = fs::path(GifSuitesDir()) / suite;
    if (!fs::exists(root)) return {};
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file() && entry.path().filename() == name)
            return entry.path().string();
    return {};
}

std::vector<std::string> AllSuiteGifs() {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(GifSuitesDir()))
        if (entry.is_regular_file() && entry.path().extension() == ".gif")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}
