; The per-user file types: a ProgID of ours under HKCU\Software\Classes, and the extension's
; default value naming it. Expects UNINSTALL_KEY; uses $0 and $1.

!define CLASSES "Software\Classes"

; Opens EXTENSION with "$INSTDIR\EXE" "%1", shown as DESCRIPTION with the program's icon. A type
; that belonged to another program is taken over, and that program's ProgID is kept in the
; uninstall key to be given back.
!macro AssociateFileType EXTENSION PROGID DESCRIPTION EXE
  ReadRegStr $0 HKCU "${CLASSES}\${EXTENSION}" ""
  ${If} $0 != ""
  ${AndIf} $0 != "${PROGID}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Previous${EXTENSION}" "$0"
  ${EndIf}
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "${DESCRIPTION}"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\${EXE}" "%1"'
  WriteRegStr HKCU "${CLASSES}\${EXTENSION}" "" "${PROGID}"
!macroend

; Removes the ProgID. The extension goes back to the program it belonged to before, or loses its
; default value; but only while it still names our ProgID: one that another program has taken
; since is left to it. The extension's key goes only when nothing else is left in it.
!macro DissociateFileType EXTENSION PROGID
  ReadRegStr $0 HKCU "${CLASSES}\${EXTENSION}" ""
  ${If} $0 == "${PROGID}"
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "Previous${EXTENSION}"
    ${If} $1 != ""
      WriteRegStr HKCU "${CLASSES}\${EXTENSION}" "" "$1"
    ${Else}
      DeleteRegValue HKCU "${CLASSES}\${EXTENSION}" ""
      DeleteRegKey /ifempty HKCU "${CLASSES}\${EXTENSION}"
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
!macroend
