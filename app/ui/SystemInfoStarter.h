#pragma once
// How the About window finds and starts the system-information tool. The desktop's own
// starter is used by the program; tests put in one that records what it was asked.

#include <memory>
#include <string>

namespace ui {

class SystemInfoStarter {
  public:
    virtual ~SystemInfoStarter() = default;
    // The tool's file name, or empty when there is no tool.
    virtual std::string Locate() = 0;
    // Starts the file as a program of its own with a normal window; false when it could
    // not be started.
    virtual bool Start(const std::string& file) = 0;
};

// Looks the tool up in the registry where there is one, else on PATH (SystemInfo), and
// starts it as a detached process.
std::unique_ptr<SystemInfoStarter> MakeDesktopSystemInfoStarter();

}  // namespace ui
