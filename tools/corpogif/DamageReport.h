#pragma once
// How every corpogif command says that a GIF lost something: one line on standard error with
// the file and the first thing wrong with it.

#include <ostream>
#include <string>

namespace corpogif {

// Writes "corpogif: PATH: incomplete: DAMAGE" and returns true when `damage` (the load's
// report) is not empty; a complete file gets no line and false.
inline bool ReportDamage(const std::string& path, const std::string& damage, std::ostream& err,
                         const std::string& consequence = std::string()) {
    if (damage.empty()) return false;
    err << "corpogif: " << path << ": incomplete: " << damage;
    if (!consequence.empty()) err << "; " << consequence;
    err << "\n";
    return true;
}

}  // namespace corpogif
