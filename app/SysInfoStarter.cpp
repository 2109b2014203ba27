#include "SysInfoStarter.h"

#include <QProcess>
#include <QString>
#include <cstdlib>

#include "mRegistry.h"
#include "mSysInfo.h"

namespace {

class DesktopSysInfoStarter : public SysInfoStarter {
  public:
    std::string Locate() override {
        const char* path = std::getenv("PATH");
        return mSysInfo::LocateSystemInfo(mRegistry::QueryPlatformValue, path ? path : "");
    }

    bool Start(const std::string& file) override {
        if (file.empty()) return false;
        // Detached, so the tool outlives this program and never blocks its window.
        return QProcess::startDetached(QString::fromStdString(file), {});
    }
};

}  // namespace

std::unique_ptr<SysInfoStarter> MakeDesktopSysInfoStarter() {
    return std::make_unique<DesktopSysInfoStarter>();
}
