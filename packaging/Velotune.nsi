; Velotune's installer and uninstaller (NSIS). scripts/package.sh builds it
; from the Release tree:
;
;   makensis -DVERSION=1.0.0 -DFILES_DIR=<folder with Velotune.exe and help\>
;            -DHELPER=<UninstallHelper.exe> -DOUTFILE=<VelotuneSetup-1.0.0.exe>
;            [-DTARGET=amd64-unicode] Velotune.nsi
;
; Velotune is a 32-bit program for Windows 95 to 2000, so its installer is
; built on NSIS's ANSI x86 stub, the one that also runs on Windows 9x. TARGET
; names another stub for the 64-bit test tree's Velotune.exe.
;
; The installer puts Velotune.exe and its help pages into
; Program Files\Orvalis\Velotune, a shortcut into the Start menu's programs
; and the uninstaller under the system's Uninstall key. The uninstaller ends
; a running Velotune, puts the user's own TCP/IP values back when Velotune's
; test or best values are still in effect (it asks first), removes the
; start-up entry and the program's files, and keeps LogFile.txt, the user's
; results, unless the user asks to remove it. The program's registry key
; stays: it holds the backup of the user's values and the dial-up profiles.
;
; Silent mode (/S) answers both questions with their defaults: the user's
; TCP/IP values are put back, LogFile.txt is kept.

!ifndef TARGET
  !define TARGET x86-ansi
!endif
Target ${TARGET}

!include LogicLib.nsh

!define PRODUCT "Velotune"
!define COMPANY "Orvalis"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velotune"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
!define HELPER_EXE "$PLUGINSDIR\UninstallHelper.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${COMPANY}\${PRODUCT}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COMPANY}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Runs the helper (packed into the installer and the uninstaller, unpacked
; into their temporary folder) with one command; its exit code goes on the
; stack, then its output.
!macro RunHelper COMMAND
  InitPluginsDir
  SetOutPath "$PLUGINSDIR"
  File "/oname=${HELPER_EXE}" "${HELPER}"
  nsExec::ExecToStack '"${HELPER_EXE}" ${COMMAND}'
!macroend

; Files in use cannot be replaced or removed: a running Velotune is ended
; first, as a user would end it.
!macro EndRunningVelotune
  DetailPrint "Ending a running ${PRODUCT}..."
  !insertmacro RunHelper end
  Pop $0
  Pop $1
  DetailPrint $1
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is still running and could not be ended.$\n$\nPlease close it, then try again." /SD IDOK
    Abort
  ${EndIf}
!macroend

Section "${PRODUCT}"
  SetShellVarContext all
  !insertmacro EndRunningVelotune
  SetOutPath "$INSTDIR\help"
  File "${FILES_DIR}\help\*.htm"
  SetOutPath "$INSTDIR"
  File "${FILES_DIR}\Velotune.exe"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Velotune.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Velotune.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The helper checks the restore mark Velotune sets before it writes a test
; or best value, and restores with the program's own verified restore.
!macro RestoreUserValues
  !insertmacro RunHelper check
  Pop $0
  Pop $1
  ${If} $0 == 1
    MessageBox MB_YESNO|MB_ICONQUESTION "Test or best values that ${PRODUCT} wrote are still in effect in your TCP/IP settings.$\n$\nPut your own TCP/IP settings back now?" /SD IDYES IDNO keep_values
    DetailPrint "Putting your own TCP/IP settings back..."
    !insertmacro RunHelper restore
    Pop $0
    Pop $1
    ${If} $0 != 0
      MessageBox MB_OK|MB_ICONEXCLAMATION "Your own TCP/IP settings could not all be put back:$\n$1" /SD IDOK
    ${EndIf}
  keep_values:
  ${EndIf}
!macroend

Section "Uninstall"
  SetShellVarContext all
  !insertmacro EndRunningVelotune
  !insertmacro RestoreUserValues

  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  Delete /REBOOTOK "$INSTDIR\Velotune.exe"
  Delete "$INSTDIR\help\*.htm"
  RMDir "$INSTDIR\help"
  ${If} ${FileExists} "$INSTDIR\LogFile.txt"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Also remove your tune-up results (LogFile.txt)?" /SD IDNO IDNO keep_log
    Delete "$INSTDIR\LogFile.txt"
  keep_log:
  ${EndIf}
  Delete "$INSTDIR\Uninstall.exe"
  ; Removed only when empty: LogFile.txt, when kept, keeps its folder.
  SetOutPath "$TEMP"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES\${COMPANY}"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
