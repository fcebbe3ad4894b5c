; Nexolant's installer: installs for the current user only, into a folder that user can write
; to, because the program runs as the invoking user and keeps its data files beside itself.
;   makensis -DVERSION=2.0 -DTARGET=amd64-unicode|x86-unicode -DSTAGE=folder-of-program-files
;            -DICON=nexolant.ico -DOUTFILE=setup.exe nexolant.nsi
; The installer never writes Nexolant.ini, Quarantine.ini or the Quarantine folder, so an upgrade
; keeps the user's settings and quarantine; the uninstaller deletes the quarantine only when the
; user says so.

Unicode true
Target ${TARGET}
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Nexolant"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "Nexolant ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Nexolant"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Nexolant ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Nexolant"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Nexolant ${VERSION} setup"
VIAddVersionKey "CompanyName" "The Nexolant developers"
VIAddVersionKey "LegalCopyright" "Copyright (c) the Nexolant developers"

!include "MUI2.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Setup will install Nexolant ${VERSION} for you alone, in a folder of your own; it needs no administrator rights.$\r$\n$\r$\nInstalling over an earlier version keeps your settings and your quarantine.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\Nexolant.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Nexolant"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/License.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; A running Nexolant keeps its executable open, and would write Nexolant.ini back when it
; closes: ask the user to close it first.
!macro WaitForNexolantToClose
  again:
    FindWindow $0 "NexolantForm" "Nexolant"
    StrCmp $0 0 closed
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Nexolant is running. Please close it, then click Retry." /SD IDCANCEL IDRETRY again
    Quit
  closed:
!macroend

Function .onInit
  !insertmacro WaitForNexolantToClose
FunctionEnd

Function un.onInit
  !insertmacro WaitForNexolantToClose
FunctionEnd

Section "Nexolant"
  SetOutPath "$INSTDIR"
  File "${STAGE}/Nexolant.exe"
  File "${STAGE}/nexscan.exe"
  ; The shipped Reference.dat replaces an updated one: the record of the update and the file it
  ; kept describe what is replaced, and the program counts the shipped version again.
  Delete "$INSTDIR\Reference.ver"
  Delete "$INSTDIR\Reference.old"
  File "${STAGE}/Reference.dat"
  File "${STAGE}/Nexolant.chm"
  File "${STAGE}/Readme.txt"
  File "${STAGE}/License.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Nexolant.lnk" "$INSTDIR\Nexolant.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Nexolant"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Nexolant developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Nexolant.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\Nexolant.exe"
  Delete "$INSTDIR\nexscan.exe"
  Delete "$INSTDIR\Reference.dat"
  Delete "$INSTDIR\Reference.ver"
  Delete "$INSTDIR\Reference.old"
  Delete "$INSTDIR\Nexolant.chm"
  Delete "$INSTDIR\Readme.txt"
  Delete "$INSTDIR\License.txt"
  Delete "$INSTDIR\Nexolant.ini"
  Delete "$SMPROGRAMS\Nexolant.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Nexolant"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; The quarantined files may be harmless files the user wants back; a silent uninstall keeps them.
  IfFileExists "$INSTDIR\Quarantine.ini" ask_quarantine
  IfFileExists "$INSTDIR\Quarantine\*.*" ask_quarantine keep_quarantine
  ask_quarantine:
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Delete the quarantine as well?$\r$\n$\r$\nThe files in it were removed by Nexolant's repairs; some may be harmless files you want back. Click No to keep the Quarantine folder and Quarantine.ini in $INSTDIR." \
      /SD IDNO IDNO keep_quarantine
    RMDir /r "$INSTDIR\Quarantine"
    Delete "$INSTDIR\Quarantine.ini"
  keep_quarantine:

  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
