; The per-user installer of the clock (UTF-8 with a byte order mark).
; scripts/make_dist.py stages the program folder and passes GENERATED (the
; texts, the version and the lists of shipped files) and OUTFILE.
;
; Silent use: quorel-setup.exe /S [/AUTOSTART] [/D=folder]
;   /AUTOSTART also makes the log-in start shortcut.
; The uninstaller: uninstall.exe [/S]. It removes the shipped files and the
; shortcuts, never the user's data folders or settings.

Unicode true
Target amd64-unicode  ; the 32-bit stub would need a 32-bit system layer under wine
SetCompressor /SOLID lzma
SetDateSave off  ; no file times in the installer: two builds give the same bytes
RequestExecutionLevel user
ManifestDPIAware true

!include "${GENERATED}"
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\quorel"
!define PROGRAM "quorel.exe"
!define MENU_SHORTCUT "$SMPROGRAMS\${PRODUCT_NAME}\${PRODUCT_NAME}.lnk"
; The clock's log-in start shortcut, as the settings page names it.
!define STARTUP_SHORTCUT "$SMSTARTUP\${PRODUCT_NAME}.lnk"
; A running clock owns this mutex; its hidden main window takes WM_CLOSE.
!define CLOCK_MUTEX "quorel mutex by yoveta inc."
!define CLOCK_MAIN_WINDOW "QuorelMainWnd"

Name "${PRODUCT_NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\quorel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText " "
ShowInstDetails hide
ShowUninstDetails hide

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; Asks every running clock to close and waits until it has ended, so that no
; file is locked when it is replaced or removed. When one does not end, the user
; may close it and retry; a silent run gives up with exit code 2.
!macro CLOCK_FUNCTIONS un
Function ${un}ClockRunning  ; $R0 = 1 while a clock runs
  Push $R1
  StrCpy $R0 0
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${CLOCK_MUTEX}") p.R1'
  ${If} $R1 != 0
    System::Call 'kernel32::CloseHandle(p R1)'
    StrCpy $R0 1
  ${EndIf}
  ; A second clock (when two may run) holds no mutex but has its window.
  FindWindow $R1 "${CLOCK_MAIN_WINDOW}"
  ${If} $R1 != 0
    StrCpy $R0 1
  ${EndIf}
  Pop $R1
FunctionEnd

Function ${un}CloseRunningClock
  Push $R0
  Push $R1
  Push $R2
  ${Do}
    Call ${un}ClockRunning
    ${If} $R0 == 0
      ${ExitDo}
    ${EndIf}
    StrCpy $R1 0
    ${Do}
      FindWindow $R1 "${CLOCK_MAIN_WINDOW}" "" 0 $R1
      ${If} $R1 == 0
        ${ExitDo}
      ${EndIf}
      System::Call 'user32::PostMessageW(p R1, i 0x0010, p 0, p 0)'  ; WM_CLOSE
    ${Loop}
    ; The clock says goodbye before it ends: give it up to 20 seconds.
    StrCpy $R2 0
    ${Do}
      Sleep 250
      IntOp $R2 $R2 + 1
      Call ${un}ClockRunning
      ${If} $R0 == 0
      ${OrIf} $R2 >= 80
        ${ExitDo}
      ${EndIf}
    ${Loop}
    ${If} $R0 == 0
      Sleep 500  ; the process lets go of its files as it ends
      ${ExitDo}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${TEXT_CLOSE_FAILED}" /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
    retry:
  ${Loop}
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd
!macroend
!insertmacro CLOCK_FUNCTIONS ""
!insertmacro CLOCK_FUNCTIONS "un."

Section "${TEXT_SECTION_PROGRAM}" SecProgram
  SectionIn RO
  Call CloseRunningClock
  !insertmacro INSTALL_FILES
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT_NAME}"
  SetOutPath "$INSTDIR"  ; the working folder of the Start-menu shortcut
  CreateShortcut "${MENU_SHORTCUT}" "$INSTDIR\${PROGRAM}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Yoveta Inc."
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${ESTIMATED_SIZE_KB}
SectionEnd

; The same shortcut the settings page makes: target the program, no arguments,
; no working folder, no icon of its own, shown normally, the page's description.
Section /o "${TEXT_SECTION_AUTOSTART}" SecAutostart
  CreateShortcut /NoWorkingDir "${STARTUP_SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "" "" SW_SHOWNORMAL "" "${STARTUP_DESCRIPTION}"
SectionEnd

; Unticking the choice on the components page takes the log-in start away, as the page does.
Section "-AutostartOff"
  ${IfNot} ${SectionIsSelected} ${SecAutostart}
    Delete "${STARTUP_SHORTCUT}"
  ${EndIf}
SectionEnd

Function .onInit
  ; An existing log-in start stays on unless the user unticks it.
  ${If} ${FileExists} "${STARTUP_SHORTCUT}"
    !insertmacro SelectSection ${SecAutostart}
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTOSTART" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecAutostart}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningClock
  !insertmacro UNINSTALL_FILES
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"  ; only when the user kept nothing of their own in it
  Delete "${MENU_SHORTCUT}"
  RMDir "$SMPROGRAMS\${PRODUCT_NAME}"
  Delete "${STARTUP_SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
