; Installer for the 64-bit Windows desktop program, built by davo.sh windows:
;   makensis -DVERSION=0.1.0 -DQUELLE=<program folder> -DLISTE=<uninstall list>
;            -DAUSGABE=<Setup.exe> installer.nsi
; QUELLE holds the complete program folder (programs, Qt, runtime, samples,
; LICENSE.txt). LISTE is generated from the same folder: one Delete per file
; and one RMDir per folder, so the uninstaller removes exactly what was
; installed and leaves anything the user put there (configuration, own files).

; A 64-bit installer for a 64-bit program (it also runs under a 64-bit-only Wine).
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define PRODUKT "ZQ-Davozedizarorevodo"
!define HERSTELLER "ZQ-Soft"
!define PROGRAMM "davozedizarorevodo.exe"
!define UNINST_SCHLUESSEL "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUKT}"

Name "${PRODUKT} ${VERSION}"
OutFile "${AUSGABE}"
InstallDir "$PROGRAMFILES64\${PRODUKT}"
InstallDirRegKey HKLM "${UNINST_SCHLUESSEL}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUKT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "${PRODUKT}"
VIAddVersionKey /LANG=1031 "CompanyName" "${HERSTELLER}"
VIAddVersionKey /LANG=1031 "FileDescription" "${PRODUKT} Setup"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ABORTWARNING
!define MUI_ICON "zq-davozedizarorevodo.ico"
!define MUI_UNICON "zq-davozedizarorevodo.ico"
!define MUI_LICENSEPAGE_TEXT_TOP "Das Programm ist freie Software unter der GNU General Public License, Version 3 oder neuer (GPL-3.0-or-later)."
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAMM}"
!define MUI_FINISHPAGE_RUN_TEXT "${PRODUKT} jetzt starten"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${QUELLE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "German"

Section "Programm" SecProgramm
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${QUELLE}/*"
  WriteUninstaller "$INSTDIR\Deinstallieren.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUKT}"
  CreateShortcut "$SMPROGRAMS\${PRODUKT}\${PRODUKT}.lnk" "$INSTDIR\${PROGRAMM}"
  CreateShortcut "$SMPROGRAMS\${PRODUKT}\${PRODUKT} deinstallieren.lnk" "$INSTDIR\Deinstallieren.exe"

  WriteRegStr HKLM "${UNINST_SCHLUESSEL}" "DisplayName" "${PRODUKT}"
  WriteRegStr HKLM "${UNINST_SCHLUESSEL}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_SCHLUESSEL}" "Publisher" "${HERSTELLER}"
  WriteRegStr HKLM "${UNINST_SCHLUESSEL}" "DisplayIcon" "$INSTDIR\${PROGRAMM}"
  WriteRegStr HKLM "${UNINST_SCHLUESSEL}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_SCHLUESSEL}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
  WriteRegStr HKLM "${UNINST_SCHLUESSEL}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
  WriteRegDWORD HKLM "${UNINST_SCHLUESSEL}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_SCHLUESSEL}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUKT}\${PRODUKT}.lnk"
  Delete "$SMPROGRAMS\${PRODUKT}\${PRODUKT} deinstallieren.lnk"
  RMDir "$SMPROGRAMS\${PRODUKT}"

  ; Only what was installed; a folder stays when the user left files in it.
  !include "${LISTE}"
  Delete "$INSTDIR\Deinstallieren.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${UNINST_SCHLUESSEL}"
SectionEnd
