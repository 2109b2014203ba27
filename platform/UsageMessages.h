#pragma once
// The usage errors that the command-line programs word alike, in each language they speak;
// "%1" stands for the argument.

#include "platform/UserLanguage.h"

namespace platform {

inline constexpr MessageText kNoCommand = {"no command given", "kein Befehl angegeben",
                                           "aucune commande indiquée",
                                           "no se indicó ninguna orden"};
inline constexpr MessageText kUnknownCommand = {
    "unknown command %1", "unbekannter Befehl %1", "commande inconnue %1", "orden desconocida %1"};
inline constexpr MessageText kUnknownOption = {
    "unknown option %1", "unbekannte Option %1", "option inconnue %1", "opción desconocida %1"};
inline constexpr MessageText kNeedsValue = {
    "%1 needs a value", "%1 braucht einen Wert", "%1 demande une valeur", "%1 necesita un valor"};

}  // namespace platform
