#pragma once
// Finding the system-information tool the About window starts.
//
// Where there is a registry, the tool's place is looked up there first: the value "PATH"
// of "SOFTWARE\Microsoft\Shared Tools\MSINFO", then the folder in the value "MSINFO" of
// "SOFTWARE\Microsoft\Shared Tools Location" with "MSINFO32.EXE" in it. Then the first of
// these programs found on PATH is used, where programs are looked for on PATH (not on
// Windows):
//   hardinfo2, hardinfo   System Profiler and Benchmark (GTK)
//   kinfocenter           KDE's Info Center
//   lshw-gtk              the graphical front end of the hardware lister
//   cpu-x                 processor, memory and system summary
//   gnome-system-monitor  GNOME's monitor, whose first page describes the system

#include <string>
#include <vector>

#include "app/core/Registry.h"

namespace core {

// The programs above, in the order they are tried.
const std::vector<std::string>& SystemInfoPrograms();

// The file name of the system-information tool: the registry's answer through `query`,
// else the first of SystemInfoPrograms() that platform::FindOnPath finds on `pathVariable`;
// empty when there is none.
std::string LocateSystemInfo(const core::ValueQuery& query, const std::string& pathVariable);

}  // namespace core
