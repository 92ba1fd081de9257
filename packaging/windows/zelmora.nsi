; SPDX-License-Identifier: GPL-3.0-or-later
; Copyright (C) 2026 Zelmora developers

; The Windows installer: for the current user, no administrator rights, in Russian.
; Made by packaging/windows/make-packages.sh, which defines:
;   VERSION (MAJOR.MINOR), VERSION_FULL (MAJOR.MINOR.BUILD), OUTFILE, ICON, LICENSE_FILE and FILES, a file
;   of two macros listing what is installed (the same list the zip is made from).

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelmora"

Name "Zelmora ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "Zelmora ${VERSION_FULL}"
; The user's own programs folder; an earlier install is replaced where it is.
InstallDir "$LOCALAPPDATA\Programs\Zelmora"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION_FULL}.0"
VIFileVersion "${VERSION_FULL}.0"
VIAddVersionKey /LANG=1049 "ProductName" "Zelmora"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION_FULL}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION_FULL}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка Zelmora ${VERSION}"
VIAddVersionKey /LANG=1049 "CompanyName" "Zelmora developers"
VIAddVersionKey /LANG=1049 "LegalCopyright" "© 2026 Zelmora developers. GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
; The GPL asks for no acceptance to install or run the program: the page informs.
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Zelmora — свободная программа: её можно использовать, изучать, изменять и распространять на условиях GNU GPL версии 3 или более поздней."
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Запустить Zelmora"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Russian"

Section "Zelmora" SectionProgram
    SectionIn RO
    !insertmacro ZelmoraInstallFiles
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The program loads its pictures from its working folder: the shortcut starts it in
    ; the install folder (the working folder is the output path at this point).
    CreateShortcut "$SMPROGRAMS\Zelmora.lnk" "$INSTDIR\zelmora.exe" "" "$INSTDIR\zelmora.exe" 0
    CreateShortcut "$SMPROGRAMS\Руководство Zelmora.lnk" "$INSTDIR\doc\guide.ru.html"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zelmora ${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zelmora.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION_FULL}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Zelmora developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Ярлык на рабочем столе" SectionDesktop
    SetOutPath "$INSTDIR"
    CreateShortcut "$DESKTOP\Zelmora.lnk" "$INSTDIR\zelmora.exe" "" "$INSTDIR\zelmora.exe" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} "Программа, её картинки, руководство, лицензия и ярлыки в меню «Пуск»."
    !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktop} "Ярлык Zelmora на рабочем столе."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function StartProgram
    SetOutPath "$INSTDIR" ; the working folder of the program started
    Exec '"$INSTDIR\zelmora.exe"'
FunctionEnd

; Removes what the installer made, and nothing else: files the user put into the folder
; keep the folder. The user's programs folder and the list of uninstallers, which the
; first per-user install makes, go too when nothing else is left in them.
Section "Uninstall"
    Delete "$SMPROGRAMS\Zelmora.lnk"
    Delete "$SMPROGRAMS\Руководство Zelmora.lnk"
    Delete "$DESKTOP\Zelmora.lnk"
    !insertmacro ZelmoraDeleteFiles
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    RMDir "$LOCALAPPDATA\Programs"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
SectionEnd
