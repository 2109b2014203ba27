; The Windows installer of Corpometer, made on Linux by scripts/package-windows.sh:
;   makensis -DVERSION=1.0.0 -DSTAGE=<folder of the programs> -DICON=<corpometer.ico>
;            -DOUTFILE=<setup.exe> corpometer.nsi
;
; For every user (Program Files, needs an administrator) or for the installing user alone
; (the user's own programs folder), as asked on the first page or by /AllUsers or
; /CurrentUser. /S installs without a question. /BRANDING=FOLDER installs the 3.dat of
; FOLDER and the banner it names beside the programs. The uninstaller removes what was
; installed; /REMOVESETTINGS (or its page's box) removes the user's settings too.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
ManifestSupportedOS all

!define PRODUCT "Corpometer"
!define PUBLISHER "The Corpometer developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corpometer"
; Where the calculator keeps a user's last inputs.
!define SETTINGS_KEY "Software\Corpometer"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

; Version information, as in each program.
VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 ${PUBLISHER}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_USE_PROGRAMFILES64
; A second installation goes where the first went.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "$(AllUsersNotPossible)"
!define MULTIUSER_INIT_FUNCTIONQUIT QuitRefused
; The uninstaller finds out for itself which installation it belongs to (un.onInit).
!define MULTIUSER_NOUNINSTALL
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include WordFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\corpometer.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The program's own four languages; the installer speaks the one of the Windows user
; interface, English when it is none of them.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!include "${__FILEDIR__}\messages.nsh"

Var BrandingFolder  ; /BRANDING: the folder of the 3.dat to install, else empty
Var BannerFile      ; the banner that 3.dat names, relative to its folder

; The exit status of a refused command line: nothing was installed.
!define EXIT_REFUSED 2

Function QuitRefused
  SetErrorLevel ${EXIT_REFUSED}
  Quit
FunctionEnd

Function .onInit
  ; /AllUsers without an administrator: said (in a silent run only by the exit status)
  ; before the mode is chosen, where the message would wait for a click even in a silent run.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AllUsers" $1
  ${IfNot} ${Errors}
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
    ${AndIf} $1 != "Power"
      MessageBox MB_OK|MB_ICONSTOP "$(AllUsersNotPossible)" /SD IDOK
      Call QuitRefused
    ${EndIf}
  ${EndIf}
  !insertmacro MULTIUSER_INIT
  ${GetParameters} $0
  ; "/BRANDING=C:\Acme branding", quoted whole (as Windows quotes an argument with a space),
  ; read as /BRANDING="C:\Acme branding", the quoting that GetOptions knows.
  ${WordReplace} $0 '"/BRANDING=' '/BRANDING="' "+" $0
  ClearErrors
  ${GetOptions} $0 "/BRANDING=" $BrandingFolder
  ${If} ${Errors}
    StrCpy $BrandingFolder ""
  ${Else}
    Call CheckBranding
  ${EndIf}
FunctionEnd

; Refuses a branding folder before anything is installed: without 3.dat, with a 3.dat the
; program cannot read, or with a banner that is not there or that the program would not
; show (outside the folder). Finds the banner's name with the package's own corpometer-brand.
Function CheckBranding
  GetFullPathName $BrandingFolder $BrandingFolder
  ${IfNot} ${FileExists} "$BrandingFolder\3.dat"
    MessageBox MB_OK|MB_ICONSTOP "$(BrandingMissing)" /SD IDOK
    SetErrorLevel ${EXIT_REFUSED}
    Quit
  ${EndIf}
  InitPluginsDir
  File "/oname=$PLUGINSDIR\corpometer-brand.exe" "${STAGE}\corpometer-brand.exe"
  nsExec::ExecToStack '"$PLUGINSDIR\corpometer-brand.exe" show "$BrandingFolder\3.dat"'
  Pop $0  ; exit status
  Pop $1  ; what it printed: one Field=value line a field
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "$(BrandingUnreadable)" /SD IDOK
    SetErrorLevel ${EXIT_REFUSED}
    Quit
  ${EndIf}
  ; The value of the BannerFile line, up to the line's end.
  ${WordReplace} "$\n$1$\n" "$\r" "" "+" $1
  ClearErrors
  ${WordFind2X} $1 "$\nBannerFile=" "$\n" "E+1" $BannerFile
  ${If} ${Errors}
    StrCpy $BannerFile ""
  ${EndIf}
  ${WordReplace} $BannerFile "/" "\" "+" $BannerFile
  ${If} $BannerFile == ""
    Return
  ${EndIf}
  ; The program shows a banner only from its 3.dat's folder or a folder below it.
  StrCpy $2 $BannerFile 1
  ${StrStr} $3 "\$BannerFile\" "\..\"
  ${StrStr} $4 $BannerFile ":"
  ${If} $2 == "\"
  ${OrIf} $3 != ""
  ${OrIf} $4 != ""
    MessageBox MB_OK|MB_ICONSTOP "$(BannerOutside)" /SD IDOK
    SetErrorLevel ${EXIT_REFUSED}
    Quit
  ${EndIf}
  ${IfNot} ${FileExists} "$BrandingFolder\$BannerFile"
    MessageBox MB_OK|MB_ICONSTOP "$(BannerMissing)" /SD IDOK
    SetErrorLevel ${EXIT_REFUSED}
    Quit
  ${EndIf}
FunctionEnd

Section "-${PRODUCT}"
  SetOutPath "$INSTDIR"
  File "${STAGE}\corpometer.exe"
  File "${STAGE}\corpogif.exe"
  File "${STAGE}\corpometer-brand.exe"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ${If} $BrandingFolder != ""
    Call InstallBranding
  ${EndIf}

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\corpometer.exe" "" \
    "$INSTDIR\corpometer.exe" 0

  ; The entry of "Apps & features" (SHCTX: the machine's or the user's, as installed).
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\corpometer.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "https://corpometer.org/"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; 3.dat and its banner beside the programs; the uninstall entry remembers them, so that
; the uninstaller removes these and leaves files put there by hand.
Function InstallBranding
  ; A banner of an earlier branding that this one does not name again goes.
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "BannerFile"
  ${If} $0 != ""
  ${AndIf} $0 != $BannerFile
    Push $0
    Call RemoveBanner
  ${EndIf}
  CopyFiles /SILENT "$BrandingFolder\3.dat" "$INSTDIR"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "Branding" 1
  ${If} $BannerFile != ""
    ${GetParent} "$INSTDIR\$BannerFile" $0
    CreateDirectory $0
    CopyFiles /SILENT "$BrandingFolder\$BannerFile" $0
  ${EndIf}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "BannerFile" $BannerFile
FunctionEnd

; Removes the banner named on the stack (relative to the installation folder) and the
; folders it was in, as far as they are empty.
!macro RemoveBannerFunction prefix
Function ${prefix}RemoveBanner
  Exch $0
  Push $1
  Delete "$INSTDIR\$0"
  ${${prefix}GetParent} "$INSTDIR\$0" $1
  ${DoWhile} $1 != $INSTDIR
    RMDir $1
    ${${prefix}GetParent} $1 $1
  ${Loop}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro RemoveBannerFunction ""
!insertmacro RemoveBannerFunction "un."

Section "-un.${PRODUCT}"
  ReadRegDWORD $0 SHCTX "${UNINSTALL_KEY}" "Branding"
  ${If} $0 = 1
    Delete "$INSTDIR\3.dat"
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "BannerFile"
    ${If} $0 != ""
      Push $0
      Call un.RemoveBanner
    ${EndIf}
  ${EndIf}
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\corpometer.exe"
  Delete "$INSTDIR\corpogif.exe"
  Delete "$INSTDIR\corpometer-brand.exe"
  Delete "$INSTDIR\uninstall.exe"
  ; Stays when someone put files of their own in it.
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

; The last inputs of the user who uninstalls, only when asked.
Section /o "un.$(SettingsSection)" UninstallSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd

Function un.onInit
  ; The installation this uninstaller belongs to: the machine's when the machine's entry
  ; names this folder, else the user's own.
  SetShellVarContext current
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "$(AllUsersNeedsAdministrator)" /SD IDOK
      SetErrorLevel ${EXIT_REFUSED}
      Quit
    ${EndIf}
    SetShellVarContext all
  ${EndIf}
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UninstallSettings}
  ${EndIf}
FunctionEnd
