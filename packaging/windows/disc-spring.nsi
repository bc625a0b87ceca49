; The Windows installer: both programs, the browser edition, the README and the licence in
; Program Files, Start-menu entries for the calculator and for the browser edition (it opens in
; the default browser), and an uninstaller. Built by scripts/windows.sh with
;   makensis -DVERSION=… -DDIST=… -DSOURCE=… disc-spring.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define NAME "碟形弹簧的设计计算"
!define WEB_NAME "碟形弹簧设计（浏览器）"
!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\disc-spring"

Name "${NAME}"
OutFile "${DIST}\disc-spring-${VERSION}-setup.exe"
InstallDir "$PROGRAMFILES64\disc-spring"
Icon "${SOURCE}\ui\win32\disc-spring.ico"
UninstallIcon "${SOURCE}\ui\win32\disc-spring.ico"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${DIST}\disc-spring.exe"
  File "${DIST}\disc-spring-batch.exe"
  File "${DIST}\disc-spring.html"
  File "${SOURCE}\README.md"
  File "${SOURCE}\LICENSE"
  SetOutPath "$INSTDIR\docs"  ; the manual the README links to
  File "${SOURCE}\docs\*.md"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\disc-spring.exe"
  CreateShortcut "$SMPROGRAMS\${WEB_NAME}.lnk" "$INSTDIR\disc-spring.html" "" \
    "$INSTDIR\disc-spring.exe" 0
  WriteRegStr HKLM "${KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${KEY}" "Publisher" "Disc spring developers"
  WriteRegStr HKLM "${KEY}" "DisplayIcon" "$INSTDIR\disc-spring.exe"
  WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${NAME}.lnk"
  Delete "$SMPROGRAMS\${WEB_NAME}.lnk"
  Delete "$INSTDIR\disc-spring.exe"
  Delete "$INSTDIR\disc-spring-batch.exe"
  Delete "$INSTDIR\disc-spring.html"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\docs\*.md"
  RMDir "$INSTDIR\docs"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${KEY}"
SectionEnd
