; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer, made by scripts/windows-package:
;   makensis -INPUTCHARSET UTF8 -DVERSION=… -DSTAGE=<gathered files> -DOUTFILE=<setup.exe> onomatologia.nsi
; For every user of the computer; a silent install is `setup.exe /S /D=C:\folder`.
Unicode true
; Debian's default stub is 32-bit; the program is 64-bit.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"

!define APP "onomatologia"
!define TITLE "Ονοματολογία οργανικών ενώσεων"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define APPLICATION_KEY "Software\Classes\Applications\${APP}.exe"

Name "${TITLE}"
; The line under the pages names the program, not the tool that made the installer.
BrandingText "${TITLE} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1032 "ProductName" "${TITLE}"
VIAddVersionKey /LANG=1032 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1032 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1032 "FileDescription" "${TITLE} ${VERSION}"
VIAddVersionKey /LANG=1032 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${STAGE}\..\icon-pictures\onomatologia.ico"
!define MUI_UNICON "${STAGE}\..\icon-pictures\onomatologia.ico"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\licences\onomatologia-GPL-3.0.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Greek"

Section
  SetShellVarContext all
  SetRegView 64
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${TITLE}.lnk" "$INSTDIR\${APP}.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${TITLE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${APP}.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; "Open with" for a teacher's sets, never the default program for .csv.
  WriteRegStr HKLM "${APPLICATION_KEY}\shell\open\command" "" '"$INSTDIR\${APP}.exe" "%1"'
  WriteRegStr HKLM "${APPLICATION_KEY}" "FriendlyAppName" "${TITLE}"
  WriteRegStr HKLM "${APPLICATION_KEY}\SupportedTypes" ".csv" ""
  WriteRegStr HKLM "Software\Classes\.csv\OpenWithList\${APP}.exe" "" ""
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  Delete "$SMPROGRAMS\${TITLE}.lnk"
  RMDir /r "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${APPLICATION_KEY}"
  DeleteRegKey HKLM "Software\Classes\.csv\OpenWithList\${APP}.exe"
  DeleteRegKey /ifempty HKLM "Software\Classes\.csv\OpenWithList"
  DeleteRegKey /ifempty HKLM "Software\Classes\.csv"
SectionEnd
