; The installer's own texts in the program's four languages (the pages' texts come with
; NSIS's Modern UI).

LangString SettingsSection ${LANG_ENGLISH} "My Corpometer settings (last inputs)"
LangString SettingsSection ${LANG_GERMAN} "Meine Corpometer-Einstellungen (letzte Eingaben)"
LangString SettingsSection ${LANG_FRENCH} "Mes réglages de Corpometer (dernières saisies)"
LangString SettingsSection ${LANG_SPANISH} "Mis ajustes de Corpometer (últimos datos)"

LangString AllUsersNotPossible ${LANG_ENGLISH} \
  "Installing $(^Name) for every user of this computer needs an administrator."
LangString AllUsersNotPossible ${LANG_GERMAN} \
  "Die Installation von $(^Name) für alle Benutzer dieses Computers erfordert einen Administrator."
LangString AllUsersNotPossible ${LANG_FRENCH} \
  "Installer $(^Name) pour tous les utilisateurs de cet ordinateur demande un administrateur."
LangString AllUsersNotPossible ${LANG_SPANISH} \
  "Instalar $(^Name) para todos los usuarios de este equipo requiere un administrador."

LangString AllUsersNeedsAdministrator ${LANG_ENGLISH} \
  "$(^Name) is installed for every user of this computer: removing it needs an administrator."
LangString AllUsersNeedsAdministrator ${LANG_GERMAN} \
  "$(^Name) ist für alle Benutzer dieses Computers installiert: das Entfernen erfordert einen Administrator."
LangString AllUsersNeedsAdministrator ${LANG_FRENCH} \
  "$(^Name) est installé pour tous les utilisateurs de cet ordinateur : le supprimer demande un administrateur."
LangString AllUsersNeedsAdministrator ${LANG_SPANISH} \
  "$(^Name) está instalado para todos los usuarios de este equipo: quitarlo requiere un administrador."

LangString BrandingMissing ${LANG_ENGLISH} \
  "There is no 3.dat in the branding folder $BrandingFolder. Nothing was installed."
LangString BrandingMissing ${LANG_GERMAN} \
  "Im Branding-Ordner $BrandingFolder liegt keine 3.dat. Es wurde nichts installiert."
LangString BrandingMissing ${LANG_FRENCH} \
  "Le dossier de personnalisation $BrandingFolder ne contient pas de 3.dat. Rien n'a été installé."
LangString BrandingMissing ${LANG_SPANISH} \
  "La carpeta de personalización $BrandingFolder no contiene ningún 3.dat. No se ha instalado nada."

LangString BrandingUnreadable ${LANG_ENGLISH} \
  "$BrandingFolder\3.dat cannot be read as a branding file. Nothing was installed."
LangString BrandingUnreadable ${LANG_GERMAN} \
  "$BrandingFolder\3.dat ist keine lesbare Branding-Datei. Es wurde nichts installiert."
LangString BrandingUnreadable ${LANG_FRENCH} \
  "$BrandingFolder\3.dat n'est pas un fichier de personnalisation lisible. Rien n'a été installé."
LangString BrandingUnreadable ${LANG_SPANISH} \
  "$BrandingFolder\3.dat no es un archivo de personalización legible. No se ha instalado nada."

LangString BannerMissing ${LANG_ENGLISH} \
  "The banner $BannerFile that 3.dat names is not in $BrandingFolder. Nothing was installed."
LangString BannerMissing ${LANG_GERMAN} \
  "Das Banner $BannerFile, das 3.dat nennt, fehlt in $BrandingFolder. Es wurde nichts installiert."
LangString BannerMissing ${LANG_FRENCH} \
  "La bannière $BannerFile nommée par 3.dat n'est pas dans $BrandingFolder. Rien n'a été installé."
LangString BannerMissing ${LANG_SPANISH} \
  "El banner $BannerFile que nombra 3.dat no está en $BrandingFolder. No se ha instalado nada."

LangString BannerOutside ${LANG_ENGLISH} \
  "The banner $BannerFile that 3.dat names is outside its folder, and Corpometer would not show it. Nothing was installed."
LangString BannerOutside ${LANG_GERMAN} \
  "Das Banner $BannerFile, das 3.dat nennt, liegt außerhalb ihres Ordners; Corpometer würde es nicht zeigen. Es wurde nichts installiert."
LangString BannerOutside ${LANG_FRENCH} \
  "La bannière $BannerFile nommée par 3.dat est hors de son dossier, et Corpometer ne l'afficherait pas. Rien n'a été installé."
LangString BannerOutside ${LANG_SPANISH} \
  "El banner $BannerFile que nombra 3.dat está fuera de su carpeta, y Corpometer no lo mostraría. No se ha instalado nada."
