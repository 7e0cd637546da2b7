; The Windows installer: the program folder under Program Files, a Start-menu entry and an
; uninstaller listed in Add/Remove Programs. /S installs and uninstalls silently. Installing over
; an earlier version replaces the program in place and keeps the player's record.
; scripts/build-windows.sh makes it with: makensis -DVERSION=1.2.3 -DSTAGE=<program folder>
;   -DFILES=<file list> -DOUTFILE=<setup.exe> vexoids.nsi
; where the file list, generated from the program folder, deletes exactly what was installed.
; A 64-bit installer: the game is 64-bit, and so Wine without its 32-bit half runs it too.
Target amd64-unicode
SetCompressor /SOLID lzma

!include MUI2.nsh
!include x64.nsh

!define TITLE "Devi Vavaz Vexoids From Hell"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vexoids"
!define SETTINGS_KEY "Software\Vexoids"

Name "${TITLE}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vexoids"
; An upgrade goes where the last version went.
InstallDirRegKey HKLM "${SETTINGS_KEY}" "InstallDir"
RequestExecutionLevel admin
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${TITLE}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${TITLE} installer"
VIAddVersionKey "LegalCopyright" "The Vexoids developers"

!insertmacro MUI_PAGE_LICENSE "${STAGE}\licences\vexoids.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${TITLE} needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Section "Game"
  SetOutPath "$INSTDIR"
  File /r /x scores.dat "${STAGE}\*.*"
  ; The record of an earlier install stays; only a new install gets the first one.
  SetOverwrite off
  File "${STAGE}\scores.dat"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\uninstall.exe"
  SetShellVarContext all
  CreateShortCut "$SMPROGRAMS\${TITLE}.lnk" "$INSTDIR\vexoids.exe"

  WriteRegStr HKLM "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${TITLE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Vexoids developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vexoids.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  ; A record the game kept beside itself (the folder could be written) moves to the player's
  ; folder, where the game looks when it is installed again; one already there is the player's.
  SetShellVarContext current
  ${If} ${FileExists} "$INSTDIR\scores.dat"
  ${AndIfNot} ${FileExists} "$APPDATA\vexoids\scores.dat"
    CreateDirectory "$APPDATA\vexoids"
    CopyFiles /SILENT "$INSTDIR\scores.dat" "$APPDATA\vexoids\scores.dat"
  ${EndIf}
  Delete "$INSTDIR\scores.dat"
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  ; A folder that is some process's working folder cannot be removed: the uninstaller leaves its
  ; own, and gives the one it was started from (which runs it from a copy) up to 10 s to end.
  SetOutPath "$TEMP"
  StrCpy $0 0
  ${Do}
    ClearErrors
    RMDir "$INSTDIR"
    ${IfNot} ${Errors}
    ${OrIf} $0 >= 20
      ${Break}
    ${EndIf}
    Sleep 500
    IntOp $0 $0 + 1
  ${Loop}

  SetShellVarContext all
  Delete "$SMPROGRAMS\${TITLE}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
SectionEnd
