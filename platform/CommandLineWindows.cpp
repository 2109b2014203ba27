#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs windows.h before it
#include <shellapi.h>

#include <cstdio>
#include <filesystem>

#include "platform/CommandLine.h"

namespace platform {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i)
        args.push_back(std::filesystem::path(wide[i]).u8string());
    LocalFree(wide);
    return args;
}

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
}

}  // namespace platform
