#include "platform/CommandLine.h"

namespace platform {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

void UseBinaryStandardStreams() {}  // they are

}  // namespace platform
