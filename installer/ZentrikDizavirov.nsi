; The Windows installer of Zentrik Dizavirov, built by makensis from the program and the data
; folder's files as the build lays them out:
;   makensis -INPUTCHARSET UTF8 -DPROGRAM=ZentrikDizavirov.exe -DDATA=data-folder \
;            -DOUTFILE=ZentrikDizavirov-Setup.exe ZentrikDizavirov.nsi
; The program's own files (the program, sounds, pictures, flags) are replaced at every install;
; the files a user may change (settings, databases, translations) are written only where there
; are none, and events are never touched. The uninstaller removes only what is the program's own.

!ifndef PROGRAM | DATA | OUTFILE
  !error "Give PROGRAM, DATA and OUTFILE with -D"
!endif

Unicode true
; A 64-bit program, installed where 64-bit programs go.
Target amd64-unicode

!define NAME "Zentrik Dizavirov"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZentrikDizavirov"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
RequestExecutionLevel admin
ShowInstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The program's own files, listed when the installer is made, for the uninstaller to remove one by
; one: a user's own pictures may stand beside them in the same folders.
!tempfile OWN_FILES
!system 'sh "${__FILEDIR__}/own_files.sh" "${DATA}" "${OWN_FILES}"' = 0

Section "Install"
  SetRegView 64
  SetShellVarContext all

  ; The program's own files, replaced by every install.
  SetOverwrite on
  SetOutPath "$INSTDIR"
  File "/oname=ZentrikDizavirov.exe" "${PROGRAM}"
  File /r /x "*.rg" /x "*.bd" /x "Private" /x "Translation" "${DATA}/*"

  ; What the user may have changed: written only where there is none yet.
  SetOverwrite off
  SetOutPath "$INSTDIR"
  File /nonfatal "${DATA}/*.rg"
  File /nonfatal /r "${DATA}/*.bd"
  File /nonfatal /r "${DATA}/Private"
  File /nonfatal /r "${DATA}/Translation"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\ZentrikDizavirov.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ZentrikDizavirov.exe"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetRegView 64
  SetShellVarContext all

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
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
