; The per-user file types: a ProgID of ours under HKCU\Software\Classes, and the extension's
; default value naming it; and the thumbnail handler's class, named by the extension's ShellEx key.
; Expects UNINSTALL_KEY and THUMBNAIL_DLL; uses $0 and $1.

!define CLASSES "Software\Classes"
; The ShellEx key of Explorer's thumbnail handlers: the IThumbnailProvider interface.
!define THUMBNAIL_PROVIDER "ShellEx\{e357fccd-a995-4576-b01f-234630154e96}"

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

; Shows EXTENSION's thumbnails in Explorer with the handler's class CLSID, the DLL beside the
; programs. A handler of another program is kept in the uninstall key to be given back.
!macro RegisterThumbnails EXTENSION CLSID
  ReadRegStr $0 HKCU "${CLASSES}\${EXTENSION}\${THUMBNAIL_PROVIDER}" ""
  ${If} $0 != ""
  ${AndIf} $0 != "${CLSID}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "PreviousThumbnails${EXTENSION}" "$0"
  ${EndIf}
  WriteRegStr HKCU "${CLASSES}\CLSID\${CLSID}" "" "$(THUMBNAILS)"
  WriteRegStr HKCU "${CLASSES}\CLSID\${CLSID}\InprocServer32" "" "$INSTDIR\${THUMBNAIL_DLL}"
  WriteRegStr HKCU "${CLASSES}\CLSID\${CLSID}\InprocServer32" "ThreadingModel" "Apartment"
  WriteRegStr HKCU "${CLASSES}\${EXTENSION}\${THUMBNAIL_PROVIDER}" "" "${CLSID}"
!macroend

; Removes the class. The extension's handler goes back to the one before, or its key goes; but
; only while it still names our class. The keys above go only when nothing else is left in them.
; Before DissociateFileType, which removes the extension's key when it is left empty.
!macro UnregisterThumbnails EXTENSION CLSID
  ReadRegStr $0 HKCU "${CLASSES}\${EXTENSION}\${THUMBNAIL_PROVIDER}" ""
  ${If} $0 == "${CLSID}"
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "PreviousThumbnails${EXTENSION}"
    ${If} $1 != ""
      WriteRegStr HKCU "${CLASSES}\${EXTENSION}\${THUMBNAIL_PROVIDER}" "" "$1"
    ${Else}
      DeleteRegKey HKCU "${CLASSES}\${EXTENSION}\${THUMBNAIL_PROVIDER}"
      DeleteRegKey /ifempty HKCU "${CLASSES}\${EXTENSION}\ShellEx"
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKCU "${CLASSES}\CLSID\${CLSID}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\CLSID"
!macroend
