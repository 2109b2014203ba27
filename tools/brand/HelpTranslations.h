#pragma once
// corpometer-brand's usage and help in the languages other than English that the program speaks,
// the same text as the English one (kUsage and kHelp in corpometer_brand.cpp) with the same options
// in the same order. The program picks one with platform::LocalHelp.

#include "platform/UsageMessages.h"
#include "platform/UserLanguage.h"

namespace brand {

inline constexpr platform::HelpText kTranslatedHelp[] = {
    {"de",
     "Aufruf: corpometer-brand write DATEI [OPTION...]\n"
     "        corpometer-brand show DATEI\n"
     "        corpometer-brand --help | --version\n",
     "\n"
     "Schreibt Corpometers Branding-Datei (3.dat) oder zeigt, was eine solche Datei\n"
     "enthält, so wie das Programm sie liest, eine Zeile Feld=Wert pro Feld. Nicht\n"
     "angegebene Texte behalten die eingebauten Vorgaben; Texte werden in\n"
     "Windows-1252 gespeichert, ein Zeichen außerhalb davon wird abgelehnt.\n"
     "\n"
     "Optionen von write:\n"
     "  --name-text T          die Firmenzeile; && zeigt ein kaufmännisches Und\n"
     "  --title T              die Titelzeile (höchstens drei kurze Zeilen)\n"
     "  --link T               was ein Klick auf die Firmenzeile oder das Banner\n"
     "                         öffnet: eine Web- oder Mail-Adresse oder eine Datei\n"
     "  --banner-file F        die Datei des Banners, relativ zum Ordner von DATEI\n"
     "                         (\\ oder / zwischen Ordnern)\n"
     "  --picture-banner       zeigt die Banner-Datei als festes Bild\n"
     "  --animated-banner      spielt die Banner-Datei als animiertes GIF ab\n"
     "  --name-font-size N     in der Datei gespeichert, nicht angewandt: -32768 bis\n"
     "                         32767\n"
     "  --title-font-size N    in der Datei gespeichert, nicht angewandt: -32768 bis\n"
     "                         32767\n"
     "  --font-name T          in der Datei gespeichert, nicht angewandt\n"
     "  --seed N               die Schlüssel der Verschleierung kommen aus Startwert N\n"
     "                         (0 bis 4294967295) statt vom Zufall: dieselben\n"
     "                         Optionen und derselbe Startwert schreiben dieselben\n"
     "                         Bytes\n"
     "  -h, --help             gibt diese Hilfe aus und beendet das Programm\n"
     "  --version              gibt die Version aus und beendet das Programm\n"
     "\n"
     "write warnt (und schreibt trotzdem), wenn die Banner-Datei nicht neben DATEI\n"
     "liegt oder kein Bild ist, das Corpometer zeigen kann, und wenn der Titel oder der\n"
     "Firmenname für seine Zeile zu lang ist. show nennt die Felder einer beschädigten\n"
     "DATEI, die leer erscheinen.\n"
     "\n"
     "Rückgabewert: 0 bei Erfolg, 1, wenn DATEI nicht geschrieben oder gelesen werden\n"
     "kann oder beschädigt ist, 2 bei einem Aufruffehler.\n"},
    {"fr",
     "utilisation : corpometer-brand write FICHIER [OPTION...]\n"
     "              corpometer-brand show FICHIER\n"
     "              corpometer-brand --help | --version\n",
     "\n"
     "Écrit le fichier de personnalisation de Corpometer (3.dat), ou montre ce qu’un\n"
     "tel fichier contient tel que le programme le lit, une ligne Champ=valeur par\n"
     "champ. Les textes non donnés gardent les valeurs par défaut intégrées ; les\n"
     "textes sont enregistrés en Windows-1252, et un caractère hors de ce jeu est\n"
     "refusé.\n"
     "\n"
     "Options de write :\n"
     "  --name-text T          la ligne de l’entreprise ; && affiche une esperluette\n"
     "  --title T              la ligne du titre (trois lignes courtes au plus)\n"
     "  --link T               ce qu’ouvre un clic sur la ligne de l’entreprise ou\n"
     "                         sur la bannière : une adresse web ou de courriel, ou\n"
     "                         un fichier\n"
     "  --banner-file F        le fichier de la bannière, relatif au dossier de\n"
     "                         FICHIER (\\ ou / entre les dossiers)\n"
     "  --picture-banner       affiche le fichier de la bannière comme image fixe\n"
     "  --animated-banner      joue le fichier de la bannière comme GIF animé\n"
     "  --name-font-size N     gardé dans le fichier, non appliqué : de -32768 à 32767\n"
     "  --title-font-size N    gardé dans le fichier, non appliqué : de -32768 à 32767\n"
     "  --font-name T          gardé dans le fichier, non appliqué\n"
     "  --seed N               les clés de brouillage viennent de la graine N (de 0 à\n"
     "                         4294967295) au lieu du hasard : les mêmes options et\n"
     "                         la même graine écrivent les mêmes octets\n"
     "  -h, --help             affiche cette aide et quitte\n"
     "  --version              affiche la version et quitte\n"
     "\n"
     "write avertit (et écrit quand même) quand le fichier de la bannière n’est pas à\n"
     "côté de FICHIER ou n’est pas une image que Corpometer sait afficher, et quand le\n"
     "titre ou le nom de l’entreprise est trop long pour sa ligne. show nomme les\n"
     "champs d’un FICHIER endommagé qui s’affichent vides.\n"
     "\n"
     "Code de sortie : 0 en cas de succès, 1 quand FICHIER ne peut être écrit ou lu ou\n"
     "est endommagé, 2 pour une erreur d’utilisation.\n"},
    {"es",
     "uso: corpometer-brand write ARCHIVO [OPCIÓN...]\n"
     "     corpometer-brand show ARCHIVO\n"
     "     corpometer-brand --help | --version\n",
     "\n"
     "Escribe el archivo de marca de Corpometer (3.dat), o muestra lo que contiene tal\n"
     "como lo lee el programa, una línea Campo=valor por campo. Los textos que no se\n"
     "indican conservan los valores predeterminados; los textos se guardan en\n"
     "Windows-1252, y se rechaza un carácter que no esté en ese juego.\n"
     "\n"
     "Opciones de write:\n"
     "  --name-text T          la línea de la empresa; && muestra un solo «&»\n"
     "  --title T              la línea del título (tres líneas cortas como máximo)\n"
     "  --link T               lo que abre un clic en la línea de la empresa o en el\n"
     "                         banner: una dirección web o de correo, o un archivo\n"
     "  --banner-file F        el archivo del banner, relativo a la carpeta de\n"
     "                         ARCHIVO (\\ o / entre carpetas)\n"
     "  --picture-banner       muestra el archivo del banner como imagen fija\n"
     "  --animated-banner      reproduce el archivo del banner como GIF animado\n"
     "  --name-font-size N     se guarda en el archivo, no se aplica: de -32768 a\n"
     "                         32767\n"
     "  --title-font-size N    se guarda en el archivo, no se aplica: de -32768 a\n"
     "                         32767\n"
     "  --font-name T          se guarda en el archivo, no se aplica\n"
     "  --seed N               las claves de cifrado salen de la semilla N (de 0 a\n"
     "                         4294967295) en lugar del azar: las mismas opciones y la\n"
     "                         misma semilla escriben los mismos bytes\n"
     "  -h, --help             muestra esta ayuda y termina\n"
     "  --version              muestra la versión y termina\n"
     "\n"
     "write avisa (y escribe igualmente) cuando el archivo del banner no está junto a\n"
     "ARCHIVO o no es una imagen que Corpometer pueda mostrar, y cuando el título o el\n"
     "nombre de la empresa es demasiado largo para su línea. show nombra los campos de\n"
     "un ARCHIVO dañado que se muestran vacíos.\n"
     "\n"
     "Estado de salida: 0 si todo va bien, 1 si ARCHIVO no se puede escribir o leer o\n"
     "está dañado, 2 para un error de uso.\n"},
};

// The usage errors, said whole in the help's language; "%1", "%2", "%3" stand for the option,
// the text given and a limit.
inline constexpr platform::MessageText kWriteNeedsFile = {
    "write needs the FILE to write", "write braucht die DATEI, die geschrieben wird",
    "write demande le FICHIER à écrire", "write necesita el ARCHIVO que escribir"};
inline constexpr platform::MessageText kShowTakesFile = {
    "show takes one FILE", "show braucht eine DATEI", "show demande un FICHIER",
    "show necesita un ARCHIVO"};
inline constexpr platform::MessageText kNotUtf8 = {
    "%1: the text is not UTF-8", "%1: der Text ist kein UTF-8", "%1 : le texte n’est pas en UTF-8",
    "%1: el texto no está en UTF-8"};
inline constexpr platform::MessageText kNotInCodePage = {
    "%1: the text has a character that Windows-1252 cannot store: %2",
    "%1: der Text enthält ein Zeichen, das Windows-1252 nicht speichern kann: %2",
    "%1 : le texte contient un caractère que Windows-1252 ne peut pas enregistrer : %2",
    "%1: el texto tiene un carácter que Windows-1252 no puede guardar: %2"};
inline constexpr platform::MessageText kNotAFontSize = {
    "%1: expected a whole number from -32768 to 32767, got \"%2\"",
    "%1: erwartet eine ganze Zahl von -32768 bis 32767, nicht „%2“",
    "%1 : un nombre entier de -32768 à 32767 est attendu, pas « %2 »",
    "%1: se esperaba un número entero de -32768 a 32767, no «%2»"};
inline constexpr platform::MessageText kNotASeed = {
    "%1: expected a whole number from 0 to 4294967295, got \"%2\"",
    "%1: erwartet eine ganze Zahl von 0 bis 4294967295, nicht „%2“",
    "%1 : un nombre entier de 0 à 4294967295 est attendu, pas « %2 »",
    "%1: se esperaba un número entero de 0 a 4294967295, no «%2»"};
inline constexpr platform::MessageText kTextTooLong = {
    "%1: the text is too long (%2 bytes; at most %3)",
    "%1: der Text ist zu lang (%2 Bytes; höchstens %3)",
    "%1 : le texte est trop long (%2 octets ; %3 au plus)",
    "%1: el texto es demasiado largo (%2 bytes; como mucho %3)"};

}  // namespace brand
