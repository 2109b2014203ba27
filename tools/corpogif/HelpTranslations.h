#pragma once
// corpogif's usage and help in the languages other than English that the program speaks, the
// same text as the English one (kUsage and kHelp in corpogif.cpp) with the same options in the same
// order, and its usage errors. The program picks one with platform::LocalHelp and
// platform::LocalMessage.

#include "platform/UsageMessages.h"
#include "platform/UserLanguage.h"

namespace corpogif {

inline constexpr platform::HelpText kTranslatedHelp[] = {
    {"de",
     "Aufruf: corpogif info DATEI...\n"
     "        corpogif time DATEI [--repeat N] [--encode]\n"
     "        corpogif resave EIN AUS [--salvage]\n"
     "        corpogif frames DATEI AUSORDNER [--background [#]RRGGBB] [--replace]\n"
     "        corpogif --help | --version\n",
     "\n"
     "Zeigt, wie Corpometer eine GIF-Datei liest, abspielt und schreibt.\n"
     "\n"
     "Befehle:\n"
     "  info DATEI...  je DATEI ein JSON-Objekt pro Zeile, in der genannten Reihenfolge:\n"
     "                 der Bildschirm, die Zahl der Wiederholungen, die Paletten und\n"
     "                 die Felder und Pixel-Prüfsummen jedes Bildes; \"complete\": false\n"
     "                 und \"damage\" für eine gekürzte oder beschädigte Datei. DATEI \"-\"\n"
     "                 ist die Standardeingabe. Von beiden wird höchstens 1 GiB gelesen,\n"
     "                 das Höchstmaß für ein GIF.\n"
     "  time DATEI     lädt DATEI immer wieder aus dem Speicher und gibt die mittlere\n"
     "                 Zeit (Median) und die Megapixel pro Sekunde aus\n"
     "  resave EIN AUS lädt EIN und schreibt es nach AUS, wie Corpometer GIFs schreibt;\n"
     "                 ein beschädigtes EIN wird nicht geschrieben\n"
     "  frames DATEI AUSORDNER\n"
     "                 schreibt, was der Banner-Betrachter nach jedem Bild zeigt, als\n"
     "                 AUSORDNER/frame-001.png, frame-002.png, ... (bei einer\n"
     "                 beschädigten DATEI das Gelesene); ein AUSORDNER, der schon\n"
     "                 Bilddateien enthält, wird abgelehnt\n"
     "\n"
     "Optionen:\n"
     "  --repeat N     time: N Ladevorgänge (1 bis 1000000) statt so vieler, wie in\n"
     "                 etwa eine Sekunde passen\n"
     "  --encode       time: misst stattdessen das Schreiben der geladenen Bilder in\n"
     "                 den Speicher\n"
     "  --salvage      resave: schreibt ein beschädigtes EIN, soweit es gelesen wurde,\n"
     "                 verlorene Pixel als Farbe 0 (und meldet trotzdem den Verlust)\n"
     "  --background [#]RRGGBB\n"
     "                 frames: die Farbe hinter den Bildern, sechs Hexadezimalziffern\n"
     "                 für Rot, Grün und Blau (Vorgabe: die Schaltflächenfarbe des\n"
     "                 Fensters)\n"
     "  --replace      frames: entfernt die Bilddateien in AUSORDNER und schreibt dann\n"
     "  -h, --help     gibt diese Hilfe aus und beendet das Programm\n"
     "  --version      gibt die Version aus und beendet das Programm\n"
     "\n"
     "Jeder Befehl nennt eine unvollständige oder beschädigte Datei auf der\n"
     "Standardfehlerausgabe, mit dem ersten Fehler darin.\n"
     "\n"
     "Rückgabewert: 0, wenn jede Datei vollständig geladen (und gespeichert) wurde, 1,\n"
     "wenn eine Datei nicht geladen wurde, unvollständig ist oder nicht gespeichert\n"
     "wurde, 2 bei einem Aufruffehler.\n"},
    {"fr",
     "utilisation : corpogif info FICHIER...\n"
     "              corpogif time FICHIER [--repeat N] [--encode]\n"
     "              corpogif resave ENTRÉE SORTIE [--salvage]\n"
     "              corpogif frames FICHIER DOSSIER [--background [#]RRGGBB] [--replace]\n"
     "              corpogif --help | --version\n",
     "\n"
     "Montre comment Corpometer lit, joue et écrit un fichier GIF.\n"
     "\n"
     "Commandes :\n"
     "  info FICHIER...  un objet JSON par ligne pour chaque FICHIER, dans l’ordre\n"
     "                   donné : l’écran, le nombre de boucles, les palettes, les\n"
     "                   champs et les empreintes des pixels de chaque image ;\n"
     "                   \"complete\": false et \"damage\" pour un fichier tronqué ou\n"
     "                   endommagé. Le FICHIER \"-\" est l’entrée standard. Ni l’un\n"
     "                   ni l’autre n’est lu au-delà de 1 Gio, le plus qu’on lit\n"
     "                   d’un GIF.\n"
     "  time FICHIER     charge FICHIER depuis la mémoire encore et encore, et affiche\n"
     "                   le temps médian et les mégapixels par seconde\n"
     "  resave ENTRÉE SORTIE\n"
     "                   charge ENTRÉE et l’écrit dans SORTIE comme Corpometer écrit\n"
     "                   les GIF ; une ENTRÉE endommagée n’est pas écrite\n"
     "  frames FICHIER DOSSIER\n"
     "                   écrit ce que la visionneuse de la bannière montre après\n"
     "                   chaque image, en DOSSIER/frame-001.png, frame-002.png, ...\n"
     "                   (d’un FICHIER endommagé, ce qui a été lu) ; un DOSSIER qui\n"
     "                   contient déjà des fichiers d’images est refusé\n"
     "\n"
     "Options :\n"
     "  --repeat N       time : N chargements (de 1 à 1000000) au lieu d’autant qu’il\n"
     "                   en tient dans une seconde environ\n"
     "  --encode         time : mesure plutôt l’écriture en mémoire des images chargées\n"
     "  --salvage        resave : écrit une ENTRÉE endommagée telle qu’elle a été lue,\n"
     "                   les pixels perdus en couleur 0 (et signale quand même la perte)\n"
     "  --background [#]RRGGBB\n"
     "                   frames : la couleur derrière les images, six chiffres\n"
     "                   hexadécimaux pour le rouge, le vert et le bleu (par défaut :\n"
     "                   la couleur des boutons de la fenêtre)\n"
     "  --replace        frames : supprime les fichiers d’images du DOSSIER, puis écrit\n"
     "  -h, --help       affiche cette aide et quitte\n"
     "  --version        affiche la version et quitte\n"
     "\n"
     "Chaque commande nomme un fichier incomplet ou endommagé sur la sortie d’erreur,\n"
     "avec le premier défaut qu’il contient.\n"
     "\n"
     "Code de sortie : 0 quand chaque fichier a été chargé en entier (et enregistré),\n"
     "1 quand un fichier n’a pas été chargé, est incomplet ou n’a pas été enregistré,\n"
     "2 pour une erreur d’utilisation.\n"},
    {"es",
     "uso: corpogif info ARCHIVO...\n"
     "     corpogif time ARCHIVO [--repeat N] [--encode]\n"
     "     corpogif resave ENTRADA SALIDA [--salvage]\n"
     "     corpogif frames ARCHIVO CARPETA [--background [#]RRGGBB] [--replace]\n"
     "     corpogif --help | --version\n",
     "\n"
     "Muestra cómo Corpometer lee, reproduce y escribe un archivo GIF.\n"
     "\n"
     "Órdenes:\n"
     "  info ARCHIVO...  un objeto JSON por línea para cada ARCHIVO, en el orden dado:\n"
     "                   la pantalla, el número de repeticiones, las paletas y los\n"
     "                   campos y las sumas de los píxeles de cada fotograma;\n"
     "                   \"complete\": false y \"damage\" para un archivo truncado o\n"
     "                   dañado. El ARCHIVO \"-\" es la entrada estándar. De ninguno\n"
     "                   se lee más de 1 GiB, lo más que se lee de un GIF.\n"
     "  time ARCHIVO     carga ARCHIVO desde la memoria una y otra vez y muestra el\n"
     "                   tiempo mediano y los megapíxeles por segundo\n"
     "  resave ENTRADA SALIDA\n"
     "                   carga ENTRADA y la escribe en SALIDA como Corpometer escribe\n"
     "                   los GIF; una ENTRADA dañada no se escribe\n"
     "  frames ARCHIVO CARPETA\n"
     "                   escribe lo que el visor del banner muestra tras cada\n"
     "                   fotograma como CARPETA/frame-001.png, frame-002.png, ...\n"
     "                   (de un ARCHIVO dañado, lo que se leyó); una CARPETA que ya\n"
     "                   contiene archivos de fotogramas se rechaza\n"
     "\n"
     "Opciones:\n"
     "  --repeat N       time: N cargas (de 1 a 1000000) en lugar de las que quepan\n"
     "                   en un segundo aproximadamente\n"
     "  --encode         time: mide en su lugar la escritura en memoria de los\n"
     "                   fotogramas cargados\n"
     "  --salvage        resave: escribe una ENTRADA dañada hasta donde se leyó, los\n"
     "                   píxeles perdidos con el color 0 (y aun así indica la pérdida)\n"
     "  --background [#]RRGGBB\n"
     "                   frames: el color detrás de los fotogramas, seis dígitos\n"
     "                   hexadecimales de rojo, verde y azul (por defecto: el color de\n"
     "                   los botones de la ventana)\n"
     "  --replace        frames: borra los archivos de fotogramas de CARPETA y luego\n"
     "                   escribe\n"
     "  -h, --help       muestra esta ayuda y termina\n"
     "  --version        muestra la versión y termina\n"
     "\n"
     "Cada orden nombra un archivo incompleto o dañado en la salida de errores, con el\n"
     "primer defecto que contiene.\n"
     "\n"
     "Estado de salida: 0 si cada archivo se cargó completo (y se guardó), 1 si un\n"
     "archivo no se cargó, está incompleto o no se guardó, 2 para un error de uso.\n"},
};

// The usage errors, said whole in the help's language; "%1" stands for the argument.
inline constexpr platform::MessageText kInfoTakesFiles = {
    "info takes one FILE or more", "info braucht eine DATEI oder mehr",
    "info demande un FICHIER ou plus", "info necesita uno o más ARCHIVOS"};
inline constexpr platform::MessageText kTimeTakesFile = {
    "time takes FILE [--repeat N] [--encode]", "time braucht DATEI [--repeat N] [--encode]",
    "time demande FICHIER [--repeat N] [--encode]",
    "time necesita ARCHIVO [--repeat N] [--encode]"};
inline constexpr platform::MessageText kRepeatNeedsCount = {
    "--repeat needs a count from 1", "--repeat braucht eine Anzahl ab 1",
    "--repeat demande un nombre à partir de 1", "--repeat necesita un número a partir de 1"};
inline constexpr platform::MessageText kResaveTakesTwoFiles = {
    "resave takes IN and OUT", "resave braucht EIN und AUS", "resave demande ENTRÉE et SORTIE",
    "resave necesita ENTRADA y SALIDA"};
inline constexpr platform::MessageText kFramesTakesTwo = {
    "frames takes FILE and OUTDIR", "frames braucht DATEI und ZIELORDNER",
    "frames demande FICHIER et DOSSIER", "frames necesita ARCHIVO y CARPETA"};
inline constexpr platform::MessageText kBackgroundNeedsColour = {
    "--background needs a colour as six hex digits, RRGGBB or #RRGGBB",
    "--background braucht eine Farbe aus sechs Hexadezimalziffern, RRGGBB oder #RRGGBB",
    "--background demande une couleur en six chiffres hexadécimaux, RRGGBB ou #RRGGBB",
    "--background necesita un color de seis cifras hexadecimales, RRGGBB o #RRGGBB"};

}  // namespace corpogif
