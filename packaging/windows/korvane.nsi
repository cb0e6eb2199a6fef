; The Korvane installer for 64-bit Windows: the programs into Program Files, the factory files and the skin
; into its "data" folder, a Start-menu entry and an uninstaller. Each user's profiles live in
; %APPDATA%\korvane, which the program seeds from the data folder at its first start; the uninstaller
; leaves them there.
; scripts/package-windows.sh defines VERSION, OUTFILE and FILES (the generated lists of what to install
; and what to remove).
; A 64-bit installer for the 64-bit program: it runs where the program does, without 32-bit support.
Target amd64-unicode
SetCompressor /SOLID lzma

!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvane"

Name "Tellurix Korvane ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Korvane"
RequestExecutionLevel admin

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!include "${FILES}"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Korvane"
  SetShellVarContext all
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tellurix Korvane.lnk" "$INSTDIR\korvane.exe"
  WriteRegStr HKLM "${KEY}" "DisplayName" "Tellurix Korvane"
  WriteRegStr HKLM "${KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${KEY}" "DisplayIcon" "$INSTDIR\korvane.exe"
  WriteRegStr HKLM "${KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes; the folder itself only when nothing else is left in it.
Section "Uninstall"
  SetShellVarContext all
  !insertmacro RemoveFiles
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tellurix Korvane.lnk"
  DeleteRegKey HKLM "${KEY}"
SectionEnd
