#pragma once
// Finding the system-information tool the About window starts.
//
// Where there is a registry, the tool's place is looked up there first: the value "PATH"
// of "SOFTWARE\Microsoft\Shared Tools\MSINFO", then the folder in the value "MSINFO" of
// "SOFTWARE\Microsoft\Shared Tools Location" with "MSINFO32.EXE" in it; on Windows that is
// all. Elsewhere those look-ups fail, and the first of these programs found on PATH is used
// instead:
//   hardinfo2, hardinfo   System Profiler and Benchmark (GTK)
//   kinfocenter           KDE's Info Center
//   lshw-gtk              the graphical front end of the hardware lister
//   cpu-x                 processor, memory and system summary
//   gnome-system-monitor  GNOME's monitor, whose first page describes the system

#include <string>
#include <vector>

#include "app/core/Registry.h"

namespace core {

#if !defined(_WIN32)
// The programs above, in the order they are tried.
const std::vector<std::string>& SystemInfoPrograms();

// The full name of the first of `programs` that is an executable file in one of the
// folders of `pathVariable` (the PATH environment variable's value), or empty. Programs
// are tried in the order given, each through all folders in PATH order. Empty entries in
// PATH are skipped rather than read as the current folder.
std::string FindOnPath(const std::vector<std::string>& programs, const std::string& pathVariable);
#endif

// The file name of the system-information tool: the registry's answer through `query`,
// else (not on Windows) the first of SystemInfoPrograms() on `pathVariable`; empty when
// there is none.
std::string LocateSystemInfo(const core::ValueQuery& query, const std::string& pathVariable);

}  // namespace core
