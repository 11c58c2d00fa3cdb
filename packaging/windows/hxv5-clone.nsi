; The Windows installer of the HX-V5 Clone utility, made by scripts/windows/package.sh, which
; defines VERSION (0.10.0), APPDIR (the installation: the two programs with the Qt libraries,
; plugins and MinGW runtime they load), FILES (the uninstaller's list of those files) and OUTFILE.
;
; It installs for all users into Program Files, puts "HX-V5 Clone" in the Start menu, lets clone
; files (.TV5) open in the program with its icon, and registers its uninstaller. /S installs and
; uninstalls silently.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"

!define NAME "HX-V5 Clone"
!define PROGID "HXV5Clone.CloneFile"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\HX-V5 Clone"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${NAME}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${NAME} ${VERSION} installer"
VIAddVersionKey /LANG=1033 "CompanyName" "The HX-V5 Clone developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "The HX-V5 Clone developers"

!define MUI_ICON "${APPDIR}\..\hxv5-clone.ico"
!define MUI_UNICON "${APPDIR}\..\hxv5-clone.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\hxv5-clone.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "${NAME} needs 64-bit Windows."
        Abort
    ${EndIf}
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section "Install"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${APPDIR}\*.*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\hxv5-clone.exe"

    ; Clone files open in the program and show its icon.
    WriteRegStr HKLM "Software\Classes\.TV5" "" "${PROGID}"
    WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Tormel HX-V5 Clone File"
    WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" '"$INSTDIR\hxv5-clone.exe",0'
    WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\hxv5-clone.exe" "%1"'

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The HX-V5 Clone developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\hxv5-clone.exe",0'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; The shell learns of the new file type.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\${NAME}.lnk"
    ; Only what the installer put there: the folder may hold the user's own files.
    !include "${FILES}"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    ; The file type stays when another program has taken it over since.
    ReadRegStr $0 HKLM "Software\Classes\.TV5" ""
    ${If} $0 == "${PROGID}"
        DeleteRegKey HKLM "Software\Classes\.TV5"
    ${EndIf}
    DeleteRegKey HKLM "Software\Classes\${PROGID}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
