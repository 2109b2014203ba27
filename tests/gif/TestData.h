#pragma once
// Where the public GIF suites live, and finding a file in a suite by its base name (the
// reference dumps flatten the suites' sub-folders).

#include <cstdint>
#include <string>
#include <vector>

std::string GifSuitesDir();
// The path of NAME in the suite's folder tree; empty when there is none.
std::string FindInSuite(const std::string& suite, const std::string& name);
// Every .gif file of every suite.
std::vector<std::string> AllSuiteGifs();
std::vector<std::uint8_t> ReadBytes(const std::string& path);
