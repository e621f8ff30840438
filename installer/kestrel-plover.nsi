; The Windows installer of Kestrel and Plover: per user, without administrator rights.
; Built by the windows_package target (installer/CMakeLists.txt), which passes
;   makensis -DVERSION=1.0.0 -DPROGRAMS=<folder of the two .exe and the DLL> -DICON=...
;            -DOUTFILE=... -DNSL_THUMBNAILS={CLSID} -DNLM_THUMBNAILS={CLSID} -DTHUMBNAIL_DLL=<name>
; It installs both programs and the thumbnail handler into %LOCALAPPDATA%\Programs\Kestrel and
; Plover, adds Start menu entries and the .nsl and .nlm file types with their thumbnails under
; HKCU\Software\Classes, and registers an
; uninstaller that takes back exactly that. Installing into another folder first removes the
; installation there was.

Unicode true
; The programs are 64-bit, so the installer may be too; it then sees the registry's native view.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Integration.nsh
!include file-types.nsh

!define PRODUCT "Kestrel and Plover"
!define PUBLISHER "Kestrel & Plover"
!define UNINSTALL_KEYS "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_KEYS}\KestrelPlover"
!include installation.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Polish"

LangString NSL_TYPE ${LANG_ENGLISH} "Nokia startup logo"
LangString NSL_TYPE ${LANG_POLISH} "Logo startowe Nokii"
LangString NLM_TYPE ${LANG_ENGLISH} "LogoManager logo"
LangString NLM_TYPE ${LANG_POLISH} "Logo LogoManagera"
LangString THUMBNAILS ${LANG_ENGLISH} "${PRODUCT} thumbnails"
LangString THUMBNAILS ${LANG_POLISH} "Miniatury ${PRODUCT}"
LangString PROGRAM_RUNNING ${LANG_ENGLISH} "$1 is running from $R0."
LangString PROGRAM_RUNNING ${LANG_POLISH} "$1 działa z folderu $R0."
LangString CLOSE_IT ${LANG_ENGLISH} "Close it and choose Retry, or choose Cancel to stop."
LangString CLOSE_IT ${LANG_POLISH} "Zamknij go i wybierz Ponów albo Anuluj, aby przerwać."

Section
  Call TakeOver
  SetOutPath "$INSTDIR"
  File "${PROGRAMS}/kestrel.exe"
  File "${PROGRAMS}/plover.exe"
  File "${PROGRAMS}/${THUMBNAIL_DLL}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Started from the Start menu, the viewers open at the user's documents.
  SetOutPath "$DOCUMENTS"
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Kestrel.lnk" "$INSTDIR\kestrel.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Plover.lnk" "$INSTDIR\plover.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kestrel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; Both run in place, to ask about running programs first and end with a telling exit status
  ; (see un.onInit).
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" _?=$INSTDIR'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  !insertmacro AssociateFileType ".nsl" "KestrelPlover.nsl" "$(NSL_TYPE)" "kestrel.exe"
  !insertmacro AssociateFileType ".nlm" "KestrelPlover.nlm" "$(NLM_TYPE)" "plover.exe"
  !insertmacro RegisterThumbnails ".nsl" "${NSL_THUMBNAILS}"
  !insertmacro RegisterThumbnails ".nlm" "${NLM_THUMBNAILS}"
  ${NotifyShell_AssocChanged}
SectionEnd

; Started in place (_?=, as the uninstall entry's command lines do), the uninstaller first asks
; to close a running program, before any page, and ends with an exit status that tells whether
; it goes on: non-zero when the user cancels, or at once when silent. Otherwise it starts itself
; again, and that copies itself to the temporary folder to do the work, as an uninstaller must
; to delete its own file.
Function un.onInit
  ${If} $EXEDIR == $INSTDIR
    StrCpy $R0 "$INSTDIR"
    Call un.CloseRunningPrograms
    ; The copy starts in the temporary folder: a process's working folder cannot be removed.
    SetOutPath "$TEMP"
    ClearErrors
    ${If} ${Silent}
      Exec '"$EXEPATH" /S'
    ${Else}
      Exec '"$EXEPATH"'
    ${EndIf}
    ${If} ${Errors}
      Abort
    ${EndIf}
    SetErrorLevel 0
    Quit
  ${EndIf}
FunctionEnd

Section Uninstall
  StrCpy $R0 "$INSTDIR"
  Call un.CloseRunningPrograms
  !insertmacro UnregisterThumbnails ".nsl" "${NSL_THUMBNAILS}"
  !insertmacro UnregisterThumbnails ".nlm" "${NLM_THUMBNAILS}"
  !insertmacro DissociateFileType ".nsl" "KestrelPlover.nsl"
  !insertmacro DissociateFileType ".nlm" "KestrelPlover.nlm"
  ${NotifyShell_AssocChanged}

  Delete "$SMPROGRAMS\${PRODUCT}\Kestrel.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Plover.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  Call un.RemovePrograms
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; A fresh profile has no per-user uninstall list until an installer like this one makes it.
  DeleteRegKey /ifempty HKCU "${UNINSTALL_KEYS}"
SectionEnd
