; The Windows installer of Lexodrom, made with makensis from the release's
; files. The build defines:
;   RELEASE  the release, e.g. 1.6      VERSION  the file version, a.b.c.d
;   FILES    the folder holding lexodrom.exe, Lexodrom.chm, LICENSE.txt, README.txt
;   OUTFILE  the installer to write
;
; The game goes to Program Files. It keeps hs.dat in its working directory,
; so the Start-menu entry starts it in the player's %APPDATA%\Lexodrom, which
; the installer creates. The uninstaller removes what the installer put in
; place and leaves that folder and hs.dat alone: a player's scores are theirs.
; "Hilfe" starts hh.exe on Lexodrom.chm without a folder, in that working
; directory; Windows's HTML Help looks a help file named so up in its
; registry key "HTML Help", where the installer enters the game's folder.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Lexodrom"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lexodrom"
!define HTML_HELP_KEY "Software\Microsoft\Windows\HTML Help"

Name "${PRODUCT} ${RELEASE}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${RELEASE}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${RELEASE} Setup"
VIAddVersionKey "LegalCopyright" "GNU GPL 3"

LoadLanguageFile "${NSISDIR}\Contrib\Language files\German.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\English.nlf"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section "Lexodrom"
    SetOutPath "$INSTDIR"
    File "${FILES}\lexodrom.exe"
    File "${FILES}\Lexodrom.chm"
    File "${FILES}\LICENSE.txt"
    File "${FILES}\README.txt"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    ; The shortcut's working directory is the output path when it is made.
    SetShellVarContext current
    CreateDirectory "$APPDATA\${PRODUCT}"
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    SetOutPath "$APPDATA\${PRODUCT}"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\lexodrom.exe" "" \
        "$INSTDIR\lexodrom.exe" 0
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\Lexodrom deinstallieren.lnk" "$INSTDIR\Uninstall.exe"
    SetOutPath "$INSTDIR"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${RELEASE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${RELEASE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Die Lexodrom-Entwickler"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lexodrom.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

    WriteRegStr HKLM "${HTML_HELP_KEY}" "Lexodrom.chm" "$INSTDIR"
SectionEnd

Section "Uninstall"
    Delete "$INSTDIR\lexodrom.exe"
    Delete "$INSTDIR\Lexodrom.chm"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    SetShellVarContext current
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Lexodrom deinstallieren.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    ; $APPDATA\Lexodrom stays: it holds the player's hs.dat.

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegValue HKLM "${HTML_HELP_KEY}" "Lexodrom.chm"
SectionEnd
