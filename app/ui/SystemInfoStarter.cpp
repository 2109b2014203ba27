#include "app/ui/SystemInfoStarter.h"

#include <QProcess>
#include <QString>
#include <cstdlib>

#include "app/core/Registry.h"
#include "app/core/SystemInfo.h"
#include "platform/Registry.h"

namespace ui {

namespace {

class DesktopSysInfoStarter : public SystemInfoStarter {
  public:
    std::string Locate() override {
        const char* path = std::getenv("PATH");
        return core::LocateSystemInfo(platform::ReadRegistryValue, path ? path : "");
    }

    bool Start(const std::string& file) override {
        if (file.empty()) return false;
        // Detached, so the tool outlives this program and never blocks its window.
        return QProcess::startDetached(QString::fromStdString(file), {});
    }
};

}  // namespace

std::unique_ptr<SystemInfoStarter> MakeDesktopSystemInfoStarter() {
    return std::make_unique<DesktopSysInfoStarter>();
}

}  // namespace ui
