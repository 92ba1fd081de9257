; SPDX-License-Identifier: GPL-3.0-or-later
; Copyright (C) 2026 Zelmora developers

; The Windows installer: for the current user, no administrator rights, in Russian.
; Made by packaging/windows/make-packages.sh, which defines:
;   VERSION (MAJOR.MINOR), VERSION_FULL (MAJOR.MINOR.BUILD), OUTFILE, ICON, LICENSE_FILE
;   and FILES, a file of two macros listing what is installed (the same list the zip is
;   made from); and SIGN, the command that signs a program in place, when a key is given.
;
; Exit codes of a silent run (/S) besides NSIS's own 0, 1 (cancelled) and 2 (aborted):
;   3  zelmora.exe in the install folder (or the earlier install's) is running: close it;
;   4  Windows is older than 10 version 1809, which Zelmora needs;
;   5  a newer Zelmora is installed: a silent install does not downgrade it;
;   6  another Zelmora installer is running.
; The uninstaller's exit code (3 when the program is running) shows only when it is run
; as "uninstall.exe /S _?=<install folder>"; without _?= it copies itself away and
; returns at once.

Unicode true
Target amd64-unicode
ManifestDPIAware true
ManifestSupportedOS {8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a} ; Windows 10 and 11
ManifestLongPathAware true
!ifdef SIGN
    ; Signed as they are written; a failed signature fails the build.
    !finalize '${SIGN} "%1"' = 0
    !uninstfinalize '${SIGN} "%1"' = 0
!endif
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinVer.nsh"
!include "WordFunc.nsh"
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelmora"
!define EXIT_RUNNING 3
!define EXIT_OLD_WINDOWS 4
!define EXIT_NEWER_INSTALLED 5
!define EXIT_SETUP_RUNNING 6

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

; Windows can neither replace nor delete a running program, so nothing is touched while
; zelmora.exe in the folder $0 is in use: opening it for writing without sharing fails
; then with a sharing violation (error 32). Asks to close it (Retry, Cancel); a silent run
; ends with its own exit code instead.
!macro WaitClosed UN
Function ${UN}WaitClosed
    ${Do}
        System::Call 'kernel32::SetLastError(i 0)'
        System::Call 'kernel32::CreateFileW(w "$0\zelmora.exe", i 0x40000000, i 0, p 0, i 3, i 0x80, p 0) p .r1 ?e'
        Pop $2
        ${If} $2 <> 32
            System::Call 'kernel32::CloseHandle(p r1)'
            Return
        ${EndIf}
        SetErrorLevel ${EXIT_RUNNING}
        ${If} ${Silent}
            Quit
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Zelmora сейчас запущена из папки$\r$\n$0.$\r$\n$\r$\nЗакройте программу и нажмите «Повтор». «Отмена» прервёт работу, ничего не изменив." IDRETRY +2
        Quit
    ${Loop}
FunctionEnd
!macroend
!insertmacro WaitClosed ""
!insertmacro WaitClosed "un."

Section "Zelmora" SectionProgram
    SectionIn RO
    ; An earlier install is removed first, by its own uninstaller and from its own folder,
    ; so that no file of the old build stays behind; neither folder's program may be running.
    StrCpy $0 "$INSTDIR"
    Call WaitClosed
    ReadRegStr $3 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $3 != ""
    ${AndIf} ${FileExists} "$3\uninstall.exe"
        StrCpy $0 "$3"
        Call WaitClosed
        DetailPrint "Удаление прежней установки из $3"
        ExecWait '"$3\uninstall.exe" /S _?=$3' $4
        ${If} $4 <> 0
            SetErrorLevel 2
            MessageBox MB_ICONSTOP "Не удалось удалить прежнюю установку Zelmora из папки $3." /SD IDOK
            Quit
        ${EndIf}
        Delete "$3\uninstall.exe"
        RMDir "$3"
    ${EndIf}

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

Function .onInit
    ; One installer at a time: a second one would race the first for the same files.
    System::Call 'kernel32::CreateMutexW(p 0, i 0, w "Zelmora-setup") p .r0 ?e'
    Pop $1
    ${If} $1 = 183 ; ERROR_ALREADY_EXISTS
        SetErrorLevel ${EXIT_SETUP_RUNNING}
        MessageBox MB_ICONEXCLAMATION "Установка Zelmora уже идёт. Дождитесь её окончания." /SD IDOK
        Abort
    ${EndIf}
    ; Qt 6, and so Zelmora, runs on Windows 10 version 1809 (build 17763) and later.
    ${IfNot} ${AtLeastWin10}
    ${OrIfNot} ${AtLeastBuild} 17763
        SetErrorLevel ${EXIT_OLD_WINDOWS}
        MessageBox MB_ICONSTOP "Zelmora работает в Windows 10 версии 1809 и новее и в Windows 11.$\r$\nНа этом компьютере более старая Windows, поэтому установка невозможна." /SD IDOK
        Abort
    ${EndIf}
    ; A newer build is not replaced by an older one without asking (and never silently).
    ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
    ${If} $2 != ""
        ${VersionCompare} "$2" "${VERSION_FULL}" $3
        ${If} $3 = 1
            SetErrorLevel ${EXIT_NEWER_INSTALLED}
            IfSilent 0 +2
                Abort
            MessageBox MB_YESNO|MB_ICONQUESTION "Уже установлена более новая Zelmora ${VERSION} (сборка $2).$\r$\nЗаменить её более старой сборкой ${VERSION_FULL}?" IDYES +2
                Abort
            SetErrorLevel 0
        ${EndIf}
    ${EndIf}
    ; The earlier install's desktop shortcut is kept.
    ${If} ${FileExists} "$DESKTOP\Zelmora.lnk"
        SectionSetFlags ${SectionDesktop} ${SF_SELECTED}
    ${EndIf}
FunctionEnd

Function StartProgram
    SetOutPath "$INSTDIR" ; the working folder of the program started
    Exec '"$INSTDIR\zelmora.exe"'
FunctionEnd

; Removes what the installer made, and nothing else: files the user put into the folder
; keep the folder. The user's programs folder and the list of uninstallers, which the
; first per-user install makes, go too when nothing else is left in them.
Section "Uninstall"
    StrCpy $0 "$INSTDIR"
    Call un.WaitClosed
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
