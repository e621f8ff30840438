; One installation's programs and folders, for the installer (which takes over an earlier
; installation) and the uninstaller alike. Expects UNINSTALL_KEY; the functions take the
; installation's folder in $R0 and use $1 to $3.

; The outermost folder the installation made, kept in the uninstall entry next to
; InstallLocation; no value when the installation's folder existed before.
!define FIRST_NEW_FOLDER "FirstNewFolder"

; Sets $1 to FILE's name when the program runs: a running program's file cannot be opened for
; writing. FileOpen's "a" keeps the file as it is.
!macro FindRunningProgram FILE
  ${If} ${FileExists} "$R0\${FILE}"
    ClearErrors
    FileOpen $2 "$R0\${FILE}" a
    ${If} ${Errors}
      StrCpy $1 "${FILE}"
    ${Else}
      FileClose $2
    ${EndIf}
  ${EndIf}
!macroend

!macro InstallationFunctions UN
  ; Returns once no program of the installation runs. Until then it asks to close the program,
  ; Retry or Cancel; Cancel, and a silent run at once, abort with nothing changed.
  Function ${UN}CloseRunningPrograms
    ${Do}
      StrCpy $1 ""
      !insertmacro FindRunningProgram "kestrel.exe"
      !insertmacro FindRunningProgram "plover.exe"
      ${If} $1 == ""
        Return
      ${EndIf}
      ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
          "$(PROGRAM_RUNNING)$\r$\n$\r$\n$(CLOSE_IT)" /SD IDCANCEL IDCANCEL`
        Abort
      ${EndIf}
    ${Loop}
  FunctionEnd

  ; Deletes the installation's four files, then its folder and the folders above it that the
  ; installation made, each only while empty: a user's files keep their folder.
  Function ${UN}RemovePrograms
    Delete "$R0\kestrel.exe"
    Delete "$R0\plover.exe"
    Delete "$R0\${THUMBNAIL_DLL}"
    ; The uninstaller that started this copy of itself may still be ending.
    ${For} $2 1 50
      Delete "$R0\uninstall.exe"
      ${IfNot} ${FileExists} "$R0\uninstall.exe"
        ${Break}
      ${EndIf}
      Sleep 100
    ${Next}
    ; Only a record that is the folder or holds it: one written for another place is not ours.
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "${FIRST_NEW_FOLDER}"
    StrLen $2 "$1\"
    StrCpy $3 "$R0\" $2
    ${If} $1 != ""
    ${AndIf} $3 == "$1\"
      StrCpy $3 "$R0"
      ${Do}
        RMDir "$3"
        ${If} $3 == $1
          ${ExitDo}
        ${EndIf}
        ${GetParent} "$3" $3
      ${Loop}
    ${EndIf}
  FunctionEnd
!macroend

!insertmacro InstallationFunctions ""
!insertmacro InstallationFunctions "un."

; Before installing into $INSTDIR: the registered installation's programs must not run; one in
; another folder is removed, with the folders it made, and the folders that $INSTDIR needs are
; recorded as this installation's own. Installing again into the same folder keeps the record:
; the first installation made those folders.
Function TakeOver
  ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 == $INSTDIR
    Call CloseRunningPrograms
    Return
  ${ElseIf} $R0 != ""
    Call CloseRunningPrograms
    Call RemovePrograms
  ${EndIf}
  StrCpy $1 ""
  StrCpy $2 "$INSTDIR"
  ${DoUntil} ${FileExists} "$2\*.*"
    StrCpy $1 $2
    ${GetParent} "$2" $2
  ${Loop}
  ${If} $1 == ""
    DeleteRegValue HKCU "${UNINSTALL_KEY}" "${FIRST_NEW_FOLDER}"
  ${Else}
    WriteRegStr HKCU "${UNINSTALL_KEY}" "${FIRST_NEW_FOLDER}" $1
  ${EndIf}
FunctionEnd
