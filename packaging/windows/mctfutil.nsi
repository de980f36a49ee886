; The Windows installer, built by scripts/windows-dist.sh:
;   makensis -DVERSION=<x.y> -DVERSION4=<x.y.0.0> -DSTAGE=<folder> -DOUTFILE=<setup.exe> -DICON=<.ico>
;            -DLICENSE=<LICENSE.txt> mctfutil.nsi
; STAGE holds files.nsh (a File line for each file of the zip) and
; unfiles.nsh (the matching Delete and RMDir lines).
;
; Installs for the current user (no administrator rights) into
; %LOCALAPPDATA%\Programs\mctfutil, or the folder /D= names; /S installs and
; uninstalls without a window. The Start-menu entry starts mctfutil with
; --user-settings, so its settings live in %APPDATA%\mctfutil and survive an
; update or an uninstall.
; A 64-bit installer for a 64-bit program: it needs no 32-bit Windows (or
; Wine) layer either.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define NAME "mctfutil"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\mctfutil.exe"
!define MUI_FINISHPAGE_RUN_PARAMETERS "--user-settings"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION4}"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${NAME} ${VERSION} setup"
VIAddVersionKey "LegalCopyright" "MIT licence"

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  !include "${STAGE}/files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The shortcut starts in the program's folder; the settings go to
  ; %APPDATA%\mctfutil all the same.
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\mctfutil.exe" "--user-settings" \
                 "$INSTDIR\mctfutil.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\mctfutil.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes: a config.dmc or server files the
; user left in the folder stay, and with them the folder.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${NAME}.lnk"
  !include "${STAGE}/unfiles.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
