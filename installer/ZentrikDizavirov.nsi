; The Windows installer of Zentrik Dizavirov, built by makensis from the program and the data
; folder's files as the build lays them out:
;   makensis -INPUTCHARSET UTF8 -DPROGRAM=ZentrikDizavirov.exe -DDATA=data-folder \
;            -DOUTFILE=ZentrikDizavirov-Setup.exe ZentrikDizavirov.nsi
; It installs for the user who runs it, without administrator rights, into that user's own
; programs folder, where the program also keeps what it saves (a standard user may not write in
; Program Files). The program finds the same folder through the shell, so the folder is not
; offered for change.
; The program's own files (the program, sounds, pictures, flags, factory translations) are
; replaced at every install; the files a user may change (settings, databases, translations) are
; written only where there are none, and events are never touched. The uninstaller removes only
; what is the program's own.

!ifndef PROGRAM | DATA | OUTFILE
  !error "Give PROGRAM, DATA and OUTFILE with -D"
!endif

Unicode true
; A 64-bit program.
Target amd64-unicode

!define NAME "Zentrik Dizavirov"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZentrikDizavirov"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
RequestExecutionLevel user
ShowInstDetails show

Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The program's own files, listed when the installer is made, for the uninstaller to remove one by
; one: a user's own pictures may stand beside them in the same folders.
!tempfile OWN_FILES
!system 'sh "${__FILEDIR__}/own_files.sh" "${DATA}" "${OWN_FILES}"' = 0

Section "Install"
  SetRegView 64
  SetShellVarContext current

  ; The program's own files, replaced by every install. The factory translations (".usine")
  ; bring the new version's built-in texts; the user's own (".trans") are kept below.
  SetOverwrite on
  SetOutPath "$INSTDIR"
  File "/oname=ZentrikDizavirov.exe" "${PROGRAM}"
  File /r /x "*.rg" /x "*.bd" /x "*.bd1" /x "Private" /x "Translation" "${DATA}/*"
  SetOutPath "$INSTDIR\Translation"
  File "${DATA}/Translation/*.usine"

  ; What the user may have changed: written only where there is none yet. The reference
  ; databases come empty where the user has none, so that no window reports one missing.
  SetOverwrite off
  SetOutPath "$INSTDIR"
  File /nonfatal "${DATA}/*.rg"
  File /nonfatal /r "${DATA}/*.bd"
  File /nonfatal "${DATA}/*.bd1"
  File /nonfatal /r "${DATA}/Private"
  File /nonfatal /r "${DATA}/Translation"
  SetOverwrite on

  ; The shortcut (starting in the folder) and the uninstall entry of this user only.
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\ZentrikDizavirov.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ZentrikDizavirov.exe"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetRegView 64
  SetShellVarContext current

  Delete "$INSTDIR\ZentrikDizavirov.exe"
  !include "${OWN_FILES}"
  ; Made by the program from a JPEG picture: nothing of the user's.
  Delete "$INSTDIR\Images\ConvertionJPEG.bmp"
  ; Folders go only once empty: what the user made stays.
  RMDir "$INSTDIR\sons"
  RMDir "$INSTDIR\images"
  RMDir "$INSTDIR\Images"
  RMDir "$INSTDIR\paysDrapeaux"

  Delete "$SMPROGRAMS\${NAME}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
