; The installer of one Windows build of Driver Keeper. Release.cmake runs makensis on it with
; DK_VERSION, DK_ARCH (win64 or win32), DK_SIZE_KB, DK_ICON, DK_OUTFILE and the two generated
; lists DK_INSTALL_LIST and DK_UNINSTALL_LIST: what goes into the program folder and what the
; uninstaller takes away again. DK_WIZARD is the picture beside the last pages.
Unicode true
!if ${DK_ARCH} == win64
  ; A 64-bit installer for the 64-bit program: it installs into the 64-bit Program Files and
  ; registers itself in the 64-bit registry without any redirection.
  Target amd64-unicode
  !define DK_PROGRAM_FILES "$PROGRAMFILES64"
  !define DK_BITS 64
  !define DK_SHORTCUT "Driver Keeper"
!else
  Target x86-unicode
  !define DK_PROGRAM_FILES "$PROGRAMFILES"
  !define DK_BITS 32
  ; Both programs may be installed side by side on 64-bit Windows: each has its own shortcut.
  !define DK_SHORTCUT "Driver Keeper (32-bit)"
!endif

!define DK_NAME "Driver Keeper"
!define DK_PUBLISHER "Driver Keeper developers"
!define DK_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\DriverKeeper"

Name "${DK_NAME} ${DK_VERSION}"
BrandingText "${DK_NAME} ${DK_VERSION} (${DK_BITS}-bit)"
OutFile "${DK_OUTFILE}"
InstallDir "${DK_PROGRAM_FILES}\${DK_NAME}"
; A newer version goes where the installed one is, over it: the user's settings, backups and
; packages lie outside the program folder and stay as they are.
InstallDirRegKey HKLM "${DK_UNINSTALL_KEY}" "InstallLocation"
; Program Files and the machine-wide uninstall list need an administrator.
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; No file times in the installer: the same files always make the same installer.
SetDateSave off
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${DK_VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${DK_NAME}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${DK_VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${DK_VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${DK_PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${DK_NAME} ${DK_VERSION} (${DK_BITS}-bit) Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "The Driver Keeper developers"

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${DK_ICON}"
!define MUI_UNICON "${DK_ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${DK_WIZARD}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${DK_WIZARD}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\DriverKeeper.exe"
!insertmacro MUI_PAGE_FINISH

; The uninstaller's last page tells where driver backups and packages were left behind.
Var BackupsKept
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${DK_NAME} has been removed from your computer.$BackupsKept"
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

Section
  SetShellVarContext all
  !include "${DK_INSTALL_LIST}"
  ; The uninstaller beside the program is also what tells the program that it was installed.
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut starts the program in its own folder. Started there, an installed copy makes
  ; the documents folder "Driver Keeper" of the user who runs it its current folder, and writes
  ; its backups and packages into it.
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\${DK_SHORTCUT}.lnk" "$INSTDIR\DriverKeeper.exe"

  WriteRegStr HKLM "${DK_UNINSTALL_KEY}" "DisplayName" "${DK_NAME}"
  WriteRegStr HKLM "${DK_UNINSTALL_KEY}" "DisplayVersion" "${DK_VERSION}"
  WriteRegStr HKLM "${DK_UNINSTALL_KEY}" "Publisher" "${DK_PUBLISHER}"
  WriteRegStr HKLM "${DK_UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\DriverKeeper.exe"
  WriteRegStr HKLM "${DK_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${DK_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${DK_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${DK_UNINSTALL_KEY}" "EstimatedSize" ${DK_SIZE_KB}
  WriteRegDWORD HKLM "${DK_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${DK_UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; A line of the uninstaller's last page for a folder of the user's files that stays.
!macro KeptFolder FOLDER WHAT
  ${If} ${FileExists} "${FOLDER}\*.*"
    StrCpy $BackupsKept "$BackupsKept$\r$\n$\r$\nYour ${WHAT} were kept in ${FOLDER}. Delete that folder yourself when you no longer need them."
  ${EndIf}
!macroend

; Takes away exactly what the installer put there. Driver backups (BackUp\) and driver packages
; (Packages\) are the user's and stay, in silent mode too: those in the user's documents, and
; those an earlier version wrote into the program folder together with the folder that holds
; them.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${DK_SHORTCUT}.lnk"
  !include "${DK_UNINSTALL_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${DK_UNINSTALL_KEY}"
  ; The documents of the user who uninstalls; another user's stay as well, unseen from here.
  SetShellVarContext current
  !insertmacro KeptFolder "$DOCUMENTS\${DK_NAME}\BackUp" "driver backups"
  !insertmacro KeptFolder "$DOCUMENTS\${DK_NAME}\Packages" "driver packages"
  !insertmacro KeptFolder "$INSTDIR\BackUp" "driver backups"
  !insertmacro KeptFolder "$INSTDIR\Packages" "driver packages"
SectionEnd
