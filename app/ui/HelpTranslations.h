#pragma once
// corpometer's usage, help and command-line messages in the languages other than English that
// the program speaks, the same text as the English one (kUsage and kHelp in main.cpp) with the
// same options in the same order. The program picks one with platform::LocalHelp and
// platform::LocalMessage.

#include "platform/UsageMessages.h"
#include "platform/UserLanguage.h"

namespace ui {

inline constexpr platform::HelpText kTranslatedHelp[] = {
    {"de", "Aufruf: corpometer [--help | --version | --screenshot DATEI.png] [Qt-Optionen]\n",
     "\n"
     "Corpometer berechnet den Body-Mass-Index aus Gewicht und Größe.\n"
     "\n"
     "Optionen:\n"
     "  -h, --help          gibt diese Hilfe aus und beendet das Programm\n"
     "  -v, --version       gibt die Version aus und beendet das Programm\n"
     "  --screenshot DATEI  zeichnet das Fenster mit dem gefundenen Branding in die\n"
     "                      PNG-Datei DATEI und beendet das Programm, ohne etwas zu\n"
     "                      zeigen (ohne Bildschirm)\n"
     "\n"
     "Auch Qts eigene Optionen wirken, zum Beispiel -platform NAME (xcb, wayland,\n"
     "offscreen) und -style NAME (Fusion, Windows).\n"},
    {"fr",
     "utilisation : corpometer [--help | --version | --screenshot FICHIER.png] [options de Qt]\n",
     "\n"
     "Corpometer calcule l’indice de masse corporelle à partir d’un poids et d’une\n"
     "taille.\n"
     "\n"
     "Options :\n"
     "  -h, --help            affiche cette aide et quitte\n"
     "  -v, --version         affiche la version et quitte\n"
     "  --screenshot FICHIER  dessine la fenêtre avec la personnalisation trouvée dans\n"
     "                        le fichier PNG FICHIER et quitte sans rien afficher (sans\n"
     "                        écran)\n"
     "\n"
     "Les options propres à Qt fonctionnent aussi, par exemple -platform NOM (xcb,\n"
     "wayland, offscreen) et -style NOM (Fusion, Windows).\n"},
    {"es", "uso: corpometer [--help | --version | --screenshot ARCHIVO.png] [opciones de Qt]\n",
     "\n"
     "Corpometer calcula el índice de masa corporal a partir de un peso y una\n"
     "estatura.\n"
     "\n"
     "Opciones:\n"
     "  -h, --help            muestra esta ayuda y termina\n"
     "  -v, --version         muestra la versión y termina\n"
     "  --screenshot ARCHIVO  dibuja la ventana con la personalización que encuentre en\n"
     "                        el archivo PNG ARCHIVO y termina sin mostrar nada (sin\n"
     "                        pantalla)\n"
     "\n"
     "También funcionan las opciones propias de Qt, por ejemplo -platform NOMBRE (xcb,\n"
     "wayland, offscreen) y -style NOMBRE (Fusion, Windows).\n"},
};

// What is wrong with the command line or the session, "%1" standing for the argument.
inline constexpr platform::MessageText kUnexpectedArgument = {
    "unexpected argument '%1'", "unerwartetes Argument „%1“", "argument inattendu « %1 »",
    "argumento inesperado «%1»"};
inline constexpr platform::MessageText kUnknownOption = {
    "unknown option '%1'", "unbekannte Option „%1“", "option inconnue « %1 »",
    "opción desconocida «%1»"};
inline constexpr platform::MessageText kNeedsEqualsValue = {
    "%1 needs =VALUE", "%1 braucht =WERT", "%1 demande =VALEUR", "%1 necesita =VALOR"};
inline constexpr platform::MessageText kNoDisplay = {
    "no display to open the window on: neither DISPLAY nor WAYLAND_DISPLAY is set",
    "keine Anzeige, auf der sich das Fenster öffnen ließe: weder DISPLAY noch "
    "WAYLAND_DISPLAY ist gesetzt",
    "aucun écran où ouvrir la fenêtre : ni DISPLAY ni WAYLAND_DISPLAY n’est défini",
    "no hay pantalla en la que abrir la ventana: no está definida ni DISPLAY ni "
    "WAYLAND_DISPLAY"};
inline constexpr platform::MessageText kCannotWriteScreenshot = {
    "cannot write %1", "%1 kann nicht geschrieben werden", "impossible d’écrire %1",
    "no se puede escribir %1"};

}  // namespace ui
