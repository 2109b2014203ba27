#pragma once
// corpometer's usage and help in the languages other than English that the program speaks, the
// same text as the English one (kUsage and kHelp in main.cpp) with the same options in the same
// order. The program picks one with platform::LocalHelp.

#include "platform/UserLanguage.h"

namespace ui {

inline constexpr platform::HelpText kTranslatedHelp[] = {
    {"de", "Aufruf: corpometer [--help | --version] [Qt-Optionen]\n",
     "\n"
     "Corpometer berechnet den Body-Mass-Index aus Gewicht und Größe.\n"
     "\n"
     "Optionen:\n"
     "  -h, --help      gibt diese Hilfe aus und beendet das Programm\n"
     "  -v, --version   gibt die Version aus und beendet das Programm\n"
     "\n"
     "Auch Qts eigene Optionen wirken, zum Beispiel -platform NAME (xcb, wayland,\n"
     "offscreen) und -style NAME (Fusion, Windows).\n"},
    {"fr", "utilisation : corpometer [--help | --version] [options de Qt]\n",
     "\n"
     "Corpometer calcule l’indice de masse corporelle à partir d’un poids et d’une\n"
     "taille.\n"
     "\n"
     "Options :\n"
     "  -h, --help      affiche cette aide et quitte\n"
     "  -v, --version   affiche la version et quitte\n"
     "\n"
     "Les options propres à Qt fonctionnent aussi, par exemple -platform NOM (xcb,\n"
     "wayland, offscreen) et -style NOM (Fusion, Windows).\n"},
    {"es", "uso: corpometer [--help | --version] [opciones de Qt]\n",
     "\n"
     "Corpometer calcula el índice de masa corporal a partir de un peso y una\n"
     "estatura.\n"
     "\n"
     "Opciones:\n"
     "  -h, --help      muestra esta ayuda y termina\n"
     "  -v, --version   muestra la versión y termina\n"
     "\n"
     "También funcionan las opciones propias de Qt, por ejemplo -platform NOMBRE (xcb,\n"
     "wayland, offscreen) y -style NOMBRE (Fusion, Windows).\n"},
};

}  // namespace ui
