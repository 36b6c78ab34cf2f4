; The per-user installer of Lumetta. installer/CMakeLists.txt builds it with makensis and defines:
;   VERSION                       the product's version (the project VERSION in CMakeLists.txt)
;   EDITOR_EXE, AGENT_EXE, MANUAL the built programs and the help file
;   CONTENT                       the generated macros that install and remove dist/'s files
;   ICON, OUTFILE                 the installer's icon and the file to write
; No administrator: the programs go to the user's own folder and every registry value to HKCU.
; Silent with /S; /D=FOLDER (last, unquoted) chooses the folder. Exit code 2 when the folder cannot
; be written or a running program would not end; nothing is changed then. An install into another
; folder than the installed copy's takes that copy away first.

Target amd64-unicode
Unicode true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include "${CONTENT}"

!define APP_KEY "Software\Orvaneware\Lumetta"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumetta"
!define UNINSTALLER "Uninstall.exe"
!define MANUAL_LINK "$SMPROGRAMS\Lumetta Manual.lnk"
!define EDITOR_LINK "$SMPROGRAMS\Lumetta.lnk"

Name "Lumetta"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Lumetta"
; An upgrade offers the folder of the installed copy.
InstallDirRegKey HKCU "${APP_KEY}" "InstallDir"
BrandingText "Lumetta ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\lmtsedit.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Lumetta"
; The sign-in entry is written with the files; the box only takes it away again when cleared.
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show my framed photos when I sign in"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION SignInKept
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE FinishLeave
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Orvaneware"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Lumetta"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Lumetta setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright Orvaneware"

; ---- ending the running programs ------------------------------------------------------------------
; Windows neither overwrites nor deletes a running program. Each program ends on WM_CLOSE to its
; main window; its process is then waited for, at most 10 s. Only the programs of one folder are
; ended: another copy's go on running. The editor goes first: it would start the agent again.
!macro END_PROGRAMS_FUNCTIONS un
; $R3 a window. $R5 on return: a handle to its process when that runs from the folder $R7, else 0.
Function ${un}ProcessInFolder
  Push $R4
  Push $R8
  System::Call "user32::GetWindowThreadProcessId(p R3, *i .R4)"
  ; SYNCHRONIZE and PROCESS_QUERY_LIMITED_INFORMATION: its file is read, and the process waited for,
  ; as the file stays locked until it has ended.
  System::Call "kernel32::OpenProcess(i 0x00101000, i 0, i R4) p .R5"
  ${If} $R5 P<> 0
    System::Call "kernel32::QueryFullProcessImageNameW(p R5, i 0, w .R8, *i ${NSIS_MAX_STRLEN}) i .R4"
    ${GetParent} $R8 $R8
    ${If} $R4 = 0
    ${OrIf} $R8 != $R7
      System::Call "kernel32::CloseHandle(p R5)"
      StrCpy $R5 0
    ${EndIf}
  ${EndIf}
  Pop $R8
  Pop $R4
FunctionEnd

; $R0 window class, $R1 window title ("" for any), $R7 the folder. $R2 on return: 1 when no such
; program of that folder runs any more.
Function ${un}EndProgram
  Push $R3
  Push $R4
  Push $R5
  Push $R6
  StrCpy $R2 1
  StrCpy $R6 0
  ${Do}
    StrCpy $R3 0
    ${Do}
      FindWindow $R3 "$R0" "$R1" 0 $R3
      ${IfThen} $R3 = 0 ${|} ${ExitDo} ${|}
      Call ${un}ProcessInFolder
      ${IfThen} $R5 P<> 0 ${|} ${ExitDo} ${|}
    ${Loop}
    ${IfThen} $R3 = 0 ${|} ${ExitDo} ${|}
    ${If} $R6 = 3
      ; Asked three times and a window is still there: it refuses to end.
      System::Call "kernel32::CloseHandle(p R5)"
      StrCpy $R2 0
      ${ExitDo}
    ${EndIf}
    IntOp $R6 $R6 + 1
    SendMessage $R3 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    System::Call "kernel32::WaitForSingleObject(p R5, i 10000) i .R4"
    System::Call "kernel32::CloseHandle(p R5)"
    ${If} $R4 <> 0
      StrCpy $R2 0
      ${ExitDo}
    ${EndIf}
  ${Loop}
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
FunctionEnd

; $R7 the folder. $R2 on return: 1 when neither program runs from it any more.
Function ${un}EndPrograms
  Push $R0
  Push $R1
  StrCpy $R0 "TLMTSEditorWndClass"
  StrCpy $R1 ""
  Call ${un}EndProgram
  ${If} $R2 = 1
    StrCpy $R0 "TLMTAgentWndClass"
    StrCpy $R1 "LMTAgentWndClass"
    Call ${un}EndProgram
  ${EndIf}
  ${If} $R2 <> 1
    MessageBox MB_OK|MB_ICONSTOP "Lumetta is still running and did not end when asked.$\r$\n$\r$\nClose the Lumetta window, choose Exit in a framed photo's menu, and try again." /SD IDOK
  ${EndIf}
  Pop $R1
  Pop $R0
FunctionEnd

; ---- taking a copy away ---------------------------------------------------------------------------
; Takes away the copy in the folder $R7, whose programs have ended: its files, the sign-in and the
; Uninstall entries where they name that folder, and, when it is the registered copy (InstallDir),
; InstallDir and the Start menu shortcuts. Another copy's entries stay, and so do the photo sets.
Function ${un}RemoveCopy
  Push $R8
  ReadRegStr $R8 HKCU "${RUN_KEY}" "Lumetta"
  ${IfThen} $R8 == '"$R7\lmtagent.exe"' ${|} DeleteRegValue HKCU "${RUN_KEY}" "Lumetta" ${|}
  ReadRegStr $R8 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${IfThen} $R8 == $R7 ${|} DeleteRegKey HKCU "${UNINSTALL_KEY}" ${|}
  ReadRegStr $R8 HKCU "${APP_KEY}" "InstallDir"
  ${If} $R8 == "$R7\"
  ${OrIf} $R8 == ""
    DeleteRegValue HKCU "${APP_KEY}" "InstallDir"
    Delete "${EDITOR_LINK}"
    Delete "${MANUAL_LINK}"
  ${EndIf}

  Delete "$R7\lmtsedit.exe"
  Delete "$R7\lmtagent.exe"
  Delete "$R7\manual.chm"
  !insertmacro LUMETTA_DELETE_CONTENT $R7
  Delete "$R7\${UNINSTALLER}"
  RMDir "$R7"
  Pop $R8
FunctionEnd
!macroend
!insertmacro END_PROGRAMS_FUNCTIONS ""
!insertmacro END_PROGRAMS_FUNCTIONS "un."

; ---- the install folder ---------------------------------------------------------------------------
; Whether $INSTDIR can be made and written, tried without leaving anything behind: the folders made
; for the trial are taken away again. $R0 on return: 1 when it can.
Function FolderWritable
  Push $R1
  Push $R2
  ; The nearest folder that exists already.
  StrCpy $R1 $INSTDIR
  ${DoUntil} ${FileExists} "$R1\*.*"
    ${GetParent} $R1 $R1
    ${IfThen} $R1 == "" ${|} ${ExitDo} ${|}
  ${Loop}
  StrCpy $R0 0
  ClearErrors
  CreateDirectory "$INSTDIR"
  ${IfNot} ${Errors}
    FileOpen $R2 "$INSTDIR\lumetta-setup.tmp" w
    ${IfNot} ${Errors}
      FileClose $R2
      Delete "$INSTDIR\lumetta-setup.tmp"
      StrCpy $R0 1
    ${EndIf}
  ${EndIf}
  StrCpy $R2 $INSTDIR
  ${DoWhile} $R2 != $R1
    ${IfThen} $R2 == "" ${|} ${ExitDo} ${|}
    RMDir "$R2"
    ${GetParent} $R2 $R2
  ${Loop}
  Pop $R2
  Pop $R1
FunctionEnd

Function RefuseFolder
  MessageBox MB_OK|MB_ICONSTOP "Lumetta cannot be installed in $\"$INSTDIR$\": that folder cannot be created or written to.$\r$\n$\r$\nChoose a folder of your own, for example $\"$LOCALAPPDATA\Programs\Lumetta$\"." /SD IDOK
FunctionEnd

; $R0 on return: 1 when the folder can be written; else the user has been told.
Function CheckFolder
  Call FolderWritable
  ${IfThen} $R0 <> 1 ${|} Call RefuseFolder ${|}
FunctionEnd

Function DirectoryLeave
  Push $R0
  Call CheckFolder
  ${If} $R0 <> 1
    Pop $R0
    Abort
  ${EndIf}
  Pop $R0
FunctionEnd

; NSIS takes /D= only when the path is a valid folder path (no part of it an existing file, say) and
; otherwise installs into the default folder without a word: a requested folder not taken is refused.
Function .onInit
  System::Call "kernel32::GetCommandLineW() w .R0"
  StrLen $R1 $R0
  StrCpy $R2 0
  ${DoWhile} $R2 < $R1
    StrCpy $R3 $R0 4 $R2
    ${If} $R3 == " /D="
      IntOp $R2 $R2 + 4
      StrCpy $R3 $R0 "" $R2
      StrCpy $R4 $R3 "" -1
      ${IfThen} $R4 == "\" ${|} StrCpy $R3 $R3 -1 ${|}
      ${If} $R3 != $INSTDIR
        StrCpy $INSTDIR $R3
        Call RefuseFolder
        SetErrorLevel 2
        Quit
      ${EndIf}
      ${ExitDo}
    ${EndIf}
    IntOp $R2 $R2 + 1
  ${Loop}
FunctionEnd

; ---- the finish page ------------------------------------------------------------------------------
Function SignInKept
FunctionEnd

Function FinishLeave
  ${NSD_GetState} $mui.FinishPage.ShowReadme $0
  ${If} $0 <> ${BST_CHECKED}
    DeleteRegValue HKCU "${RUN_KEY}" "Lumetta"
  ${EndIf}
FunctionEnd

; ---- install --------------------------------------------------------------------------------------
Section "Lumetta"
  Call CheckFolder
  ${If} $R0 <> 1
    SetErrorLevel 2
    Abort "The folder cannot be written."
  ${EndIf}
  ; An installed copy in another folder (R9) is taken away first, as its uninstaller would, but for
  ; the language chosen: afterwards there is one copy.
  ReadRegStr $R9 HKCU "${APP_KEY}" "InstallDir"
  StrCpy $0 $R9 "" -1
  ${IfThen} $0 == "\" ${|} StrCpy $R9 $R9 -1 ${|}
  ${IfThen} $R9 == $INSTDIR ${|} StrCpy $R9 "" ${|}
  StrCpy $R7 $INSTDIR
  Call EndPrograms
  ${If} $R2 = 1
  ${AndIf} $R9 != ""
    StrCpy $R7 $R9
    Call EndPrograms
  ${EndIf}
  ${If} $R2 <> 1
    SetErrorLevel 2
    Abort "Lumetta is still running."
  ${EndIf}
  ${If} $R9 != ""
    StrCpy $R7 $R9
    Call RemoveCopy
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "${EDITOR_EXE}"
  File "${AGENT_EXE}"
  File "${MANUAL}"
  !insertmacro LUMETTA_INSTALL_CONTENT
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; The programs add "Frameset\" and file names to InstallDir as it stands: it ends with a backslash.
  WriteRegStr HKCU "${APP_KEY}" "InstallDir" "$INSTDIR\"
  ReadRegStr $0 HKCU "${APP_KEY}" "Language"
  ${If} $0 == ""
    WriteRegStr HKCU "${APP_KEY}" "Language" "english.lng"
  ${EndIf}
  WriteRegStr HKCU "${RUN_KEY}" "Lumetta" '"$INSTDIR\lmtagent.exe"'

  CreateShortcut "${EDITOR_LINK}" "$INSTDIR\lmtsedit.exe"
  CreateShortcut "${MANUAL_LINK}" "$INSTDIR\manual.chm"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Lumetta"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Orvaneware"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\lmtsedit.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

  ; The stored framed photos come back at once, not only at the next sign-in.
  Exec '"$INSTDIR\lmtagent.exe"'
SectionEnd

; ---- uninstall ------------------------------------------------------------------------------------
; The user's photo sets (PhotoSets) stay: they are the user's data.
; The uninstaller of a copy that is no longer the registered one (another copy was installed
; elsewhere since) leaves that other copy's programs, entries and language alone.
Section "Uninstall"
  StrCpy $R7 $INSTDIR
  Call un.EndPrograms
  ${If} $R2 <> 1
    SetErrorLevel 2
    Abort "Lumetta is still running."
  ${EndIf}

  Call un.RemoveCopy
  ; The language chosen goes with the last registered copy.
  ReadRegStr $0 HKCU "${APP_KEY}" "InstallDir"
  ${IfThen} $0 == "" ${|} DeleteRegValue HKCU "${APP_KEY}" "Language" ${|}
  DeleteRegKey /ifempty HKCU "${APP_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Orvaneware"
SectionEnd
