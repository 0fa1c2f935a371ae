; The per-user installer of Kolorowisko. Built by installer/CMakeLists.txt, which defines:
;   VERSION   the version shown to the user ("1.0"), VERSION4 the same as four numbers ("1.0.0.0")
;   EXE       the built kolorowisko.exe, ICON the program's icon, OUTFILE the installer to write
;   TARGET    x86-unicode for the 32-bit program as it ships, amd64-unicode for a 64-bit build
Target ${TARGET}
; Everything goes under the user's own profile and HKCU: no administrator rights, no UAC prompt.
RequestExecutionLevel user
SetCompressor /SOLID lzma
; File times are not stored, so two builds of the same files give the same installer.
SetDateSave off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Kolorowisko"
!define PUBLISHER "Kolorowisko"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kolorowisko"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SCHEME_KEY "Software\Classes\kolorowisko"
; The running program's tray window, and the message that makes it quit.
!define TRAY_CLASS "KolorowiskoMainWindow"
!define TRAY_TITLE "KolorowiskO"
!define WM_STOP_REQUEST 1148
!define SYNCHRONIZE 0x00100000
!define WAIT_OBJECT_0 0
; The program answers between two of its own actions, and a wallpaper download can take a while.
!define STOP_TIMEOUT_MS 30000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kolorowisko"
; An update goes where the first installation went, also when that was chosen with /D=.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartInstalledCopy

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used when the system's is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Polish"

; Started through the shell, the program runs at the user's own level even when the installer was
; run as administrator: an elevated copy would refuse the links of the user's browser.
Function StartInstalledCopy
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\kolorowisko.exe"'
FunctionEnd

LangString StillRunning ${LANG_ENGLISH} \
  "Kolorowisko is running and did not close. Close it (Wyjście in its tray menu) and try again."
LangString StillRunning ${LANG_POLISH} \
  "Kolorowisko działa i nie dało się go zamknąć. Zamknij go (Wyjście w menu ikony w zasobniku) i spróbuj ponownie."
LangString DeleteData ${LANG_ENGLISH} \
  "Delete your Kolorowisko settings and stored wallpapers as well?$\r$\n$\r$\n$LOCALAPPDATA\kolorowisko"
LangString DeleteData ${LANG_POLISH} \
  "Usunąć również ustawienia i zapisane tapety programu Kolorowisko?$\r$\n$\r$\n$LOCALAPPDATA\kolorowisko"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Kolorowisko setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "© ${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "kolorowisko-setup.exe"
VIAddVersionKey /LANG=${LANG_POLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_POLISH} "FileDescription" "Instalator programu Kolorowisko"
VIAddVersionKey /LANG=${LANG_POLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_POLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_POLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_POLISH} "LegalCopyright" "© ${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_POLISH} "OriginalFilename" "kolorowisko-setup.exe"

; Asks a running copy to quit and waits for its process: its file can be replaced or deleted only
; once the process is gone (a silent run would otherwise skip the file and still report success).
!macro STOP_RUNNING_COPY UN
Function ${UN}StopRunningCopy
  Push $0
  Push $1
  Push $2
  ${Do}
    FindWindow $0 "${TRAY_CLASS}" "${TRAY_TITLE}"
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    StrCpy $1 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
    SendMessage $0 ${WM_STOP_REQUEST} 0 0 /TIMEOUT=${STOP_TIMEOUT_MS}
    StrCpy $1 -1
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i ${STOP_TIMEOUT_MS}) i .r1'
      System::Call 'kernel32::CloseHandle(p r2)'
    ${Else}
      ; Without a handle only the window tells: the program destroys it as it quits.
      Sleep 1000
      FindWindow $2 "${TRAY_CLASS}" "${TRAY_TITLE}"
      ${If} $2 = 0
        StrCpy $1 ${WAIT_OBJECT_0}
      ${EndIf}
    ${EndIf}
    ${If} $1 <> ${WAIT_OBJECT_0}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY +2
      Abort
    ${EndIf}
  ${Loop}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro STOP_RUNNING_COPY ""
!insertmacro STOP_RUNNING_COPY "un."

Section
  Call StopRunningCopy
  SetOutPath "$INSTDIR"
  File "/oname=kolorowisko.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Kolorowisko.lnk" "$INSTDIR\kolorowisko.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kolorowisko.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The user's settings and wallpapers live in $LOCALAPPDATA\kolorowisko, outside the installation:
; an update never touches them, and the uninstaller removes them only when the user says so.
Section "Uninstall"
  Call un.StopRunningCopy
  Delete "$INSTDIR\kolorowisko.exe"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Kolorowisko.lnk"

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Written by the program itself: the start with Windows and its URL scheme.
  DeleteRegValue HKCU "${RUN_KEY}" "KolorowiskO"
  DeleteRegKey HKCU "${SCHEME_KEY}"

  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(DeleteData)" /SD IDNO IDNO keep_data
    RMDir /r "$LOCALAPPDATA\kolorowisko"
  keep_data:
SectionEnd
