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
;   6  another Zelmora installer is running;
;   7  a file cannot be written, or one it replaces is held open by another program;
;   8  the earlier install's uninstaller cannot be started or fails.
; The uninstaller's exit code (3 when the program is running) shows only when it is run
; as "uninstall.exe /S _?=<install folder>"; without _?= it copies itself away and
; returns at once. An exit code other than 0 is set only where the run fails: a Retry
; that then succeeds ends with 0.
;
; The earlier install stays whole until the new one is complete: the new files are
; written into a staging folder inside the install folder; then every file they replace
; (in the earlier install's folder and in the install folder) must be free to delete;
; only then does the earlier install's own uninstaller run (it deletes the files it
; installed, its shortcuts and its uninstall entry: never ones of the new build), and
; the new files move in (a rename on the same drive), the shortcuts and the entry last.
; A failure before that changes nothing (on a first install: leaves nothing).

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
!define EXIT_FILE 7
!define EXIT_OLD_UNINSTALLER 8
; A file that cannot be written stops the install (Retry or Cancel), never skipped.
AllowSkipFiles off

Var Target ; the install folder
Var Stage  ; the new files, before they move in
Var Old    ; the earlier install's folder, or empty

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
; NSIS's own box for a file it cannot write names its buttons, which Windows labels in
; its own language: say what to do instead.
LangString ^FileError_NoIgnore ${LANG_RUSSIAN} "Не удалось записать файл$\r$\n$0.$\r$\n$\r$\nПроверьте, что на диске есть место и в эту папку можно писать, и повторите попытку. Если отказаться, установка прервётся, ничего не изменив."

; Windows' error code $3 in words, into $4.
Function ErrorText
    ${Select} $3
    ${Case2} 32 33
        StrCpy $4 "его открыла другая программа"
    ${Case} 5
        StrCpy $4 "нет доступа"
    ${Case2} 39 112
        StrCpy $4 "на диске нет места"
    ${Case2} 2 3
        StrCpy $4 "нет такого файла или папки"
    ${Case} 0
        StrCpy $4 "запись не удалась"
    ${CaseElse}
        StrCpy $4 "ошибка Windows $3"
    ${EndSelect}
FunctionEnd

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
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Zelmora сейчас запущена из папки$\r$\n$0.$\r$\n$\r$\nЗакройте программу и повторите попытку. Если отказаться, работа прервётся, ничего не изменив." /SD IDCANCEL IDRETRY retry
            SetErrorLevel ${EXIT_RUNNING}
            Quit
        retry:
    ${Loop}
FunctionEnd
!macroend
!insertmacro WaitClosed ""
!insertmacro WaitClosed "un."

; Removes what this install has written so far: the staging folder, and the install
; folder and the user's programs folder where this install made them (only if empty).
Function RemoveStage
    SetOutPath "$TEMP" ; no longer the working folder of this program
    ${If} $Stage != ""
        RMDir /r "$Stage"
        StrCpy $Stage ""
    ${EndIf}
    RMDir "$Target"
    RMDir "$LOCALAPPDATA\Programs"
FunctionEnd

; Stops the install at the file $0 that cannot be written (Windows' error code $3),
; leaving everything as it was.
Function FileFailed
    Call ErrorText
    Call RemoveStage
    SetErrorLevel ${EXIT_FILE}
    MessageBox MB_ICONSTOP "Не удалось записать файл$\r$\n$0:$\r$\n$4.$\r$\n$\r$\nУстановка прервана, прежняя установка не изменена." /SD IDOK
    Quit
FunctionEnd

; Waits until the file $0, which the new build replaces, is free to delete: no other
; program holds it open. Asks to close it (Retry, Cancel); $3 is 0 when the file is free
; or not there, else Windows' error code (Cancel, and always in a silent run).
Function WaitFree
    ${Do}
        System::Call 'kernel32::SetLastError(i 0)'
        System::Call 'kernel32::CreateFileW(w r0, i 0x40010000, i 0, p 0, i 3, i 0x80, p 0) p .r1 ?e'
        Pop $3 ; DELETE and GENERIC_WRITE access without sharing
        ${If} $3 = 0
            System::Call 'kernel32::CloseHandle(p r1)'
        ${EndIf}
        ${If} $3 = 2
        ${OrIf} $3 = 3
            StrCpy $3 0
        ${EndIf}
        ${If} $3 = 0
            Return
        ${EndIf}
        Call ErrorText
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Файл$\r$\n$0$\r$\nнельзя заменить: $4.$\r$\n$\r$\nЗакройте программу, в которой он открыт, и повторите попытку. Если отказаться, установка прервётся, ничего не изменив." /SD IDCANCEL IDRETRY retry
            Return
        retry:
    ${Loop}
FunctionEnd

; Locate's calls for each staged file ($R9, in the folder $R8): they stop at the first
; file that fails, leaving it in $R0 and Windows' error code in $R1 (the staging folder
; can go only once Locate has closed it).
!macro StopAt PATH
    ${If} $3 <> 0
        StrCpy $R0 "${PATH}"
        StrCpy $R1 $3
        ClearErrors
        Push StopLocate
        Return
    ${EndIf}
!macroend
; What the file replaces must be free.
Function CheckReplaced
    StrLen $0 $Stage
    StrCpy $5 $R9 "" $0 ; \name in the folder
    ${If} $Old != ""
        StrCpy $0 "$Old$5"
        Call WaitFree
        !insertmacro StopAt $0
    ${EndIf}
    ${If} $Old != $Target
        StrCpy $0 "$Target$5"
        Call WaitFree
        !insertmacro StopAt $0
    ${EndIf}
    ClearErrors
    Push ""
FunctionEnd
; The file moves to its place in the install folder; when it cannot, the user may close
; what holds it and retry (Cancel, and always in a silent run, stops).
Function MoveIn
    StrLen $0 $Stage
    StrCpy $5 $R9 "" $0
    StrCpy $6 $R8 "" $0
    CreateDirectory "$Target$6"
    ${Do}
        System::Call 'kernel32::MoveFileExW(w R9, w "$Target$5", i 1) i .r1 ?e' ; MOVEFILE_REPLACE_EXISTING
        Pop $3
        ${If} $1 <> 0
            StrCpy $3 0
            ${Break}
        ${EndIf}
        StrCpy $0 "$Target$5"
        Call ErrorText
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Файл$\r$\n$0$\r$\nнельзя записать: $4.$\r$\n$\r$\nЗакройте программу, в которой он открыт, и повторите попытку." /SD IDCANCEL IDRETRY retry
            ${Break}
        retry:
    ${Loop}
    !insertmacro StopAt "$Target$5"
    ClearErrors
    Push ""
FunctionEnd

Section "Zelmora" SectionProgram
    SectionIn RO
    StrCpy $Target "$INSTDIR"
    ; Neither folder's program may be running.
    StrCpy $0 "$INSTDIR"
    Call WaitClosed
    ReadRegStr $Old HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} ${FileExists} "$Old\uninstall.exe"
        StrCpy $0 "$Old"
        Call WaitClosed
    ${Else}
        StrCpy $Old ""
    ${EndIf}

    ; The new files, into a staging folder of a name of its own (a file name no other
    ; program has, made by Windows, becomes the folder).
    CreateDirectory "$INSTDIR"
    System::Call 'kernel32::GetTempFileNameW(w "$INSTDIR", w "new", i 0, w .r1) i .r2 ?e'
    Pop $3
    ${If} $2 = 0
        StrCpy $0 "$INSTDIR"
        Call FileFailed
    ${EndIf}
    Delete "$1"
    CreateDirectory "$1"
    StrCpy $Stage "$1"
    StrCpy $INSTDIR "$Stage" ; where the list below writes
    !insertmacro ZelmoraInstallFiles
    ClearErrors
    WriteUninstaller "$Stage\uninstall.exe"
    StrCpy $INSTDIR "$Target"
    SetOutPath "$INSTDIR" ; the working folder: not in the staging folder, which goes
    ${If} ${Errors}
        StrCpy $0 "$Stage\uninstall.exe"
        StrCpy $3 0
        Call FileFailed
    ${EndIf}
    StrCpy $R0 ""
    ClearErrors
    ${Locate} "$Stage" "/L=F" CheckReplaced
    ${If} ${Errors} ; the staged files could not be listed: nothing is known to be free
        StrCpy $0 "$Stage"
        StrCpy $3 0
        Call FileFailed
    ${EndIf}
    ${If} $R0 != "" ; Cancel (a silent run's too): the box has said why
        Call RemoveStage
        SetErrorLevel ${EXIT_FILE}
        Quit
    ${EndIf}

    ; The earlier install is removed by its own uninstaller, from its own folder, so that
    ; no file of the old build stays behind.
    ${If} $Old != ""
        DetailPrint "Удаление прежней установки из $Old"
        ClearErrors
        ExecWait '"$Old\uninstall.exe" /S _?=$Old' $4 ; sets $4 only when it starts
        ${If} ${Errors}
            StrCpy $4 ${EXIT_OLD_UNINSTALLER}
            StrCpy $5 "она не запускается"
        ${ElseIf} $4 = ${EXIT_RUNNING} ; the program was started meanwhile: its code
            StrCpy $5 "Zelmora запущена из этой папки"
        ${ElseIf} $4 <> 0
            StrCpy $5 "код завершения $4"
            StrCpy $4 ${EXIT_OLD_UNINSTALLER}
        ${EndIf}
        ${If} $4 <> 0
            Call RemoveStage
            SetErrorLevel $4
            MessageBox MB_ICONSTOP "Не удалось удалить прежнюю установку Zelmora программой$\r$\n$Old\uninstall.exe:$\r$\n$5.$\r$\n$\r$\nУстановка прервана." /SD IDOK
            Quit
        ${EndIf}
        Delete "$Old\uninstall.exe"
        RMDir "$Old"
    ${EndIf}
    StrCpy $R0 ""
    ClearErrors
    ${Locate} "$Stage" "/L=F" MoveIn
    ${If} ${Errors}
        StrCpy $R0 "$Stage"
        StrCpy $R1 0
    ${EndIf}
    ${If} $R0 != "" ; the earlier install is gone by now: say so, and how to finish
        StrCpy $0 $R0
        StrCpy $3 $R1
        Call ErrorText
        Call RemoveStage
        SetErrorLevel ${EXIT_FILE}
        MessageBox MB_ICONSTOP "Не удалось записать файл$\r$\n$0:$\r$\n$4.$\r$\n$\r$\nПрежняя установка уже удалена, новая установлена не полностью. Закройте программу, в которой открыт этот файл, и запустите установку ещё раз." /SD IDOK
        Quit
    ${EndIf}
    RMDir /r "$Stage" ; its empty folders
    StrCpy $Stage ""

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
            ReadRegStr $4 HKCU "${UNINSTALL_KEY}" "DisplayName"
            MessageBox MB_YESNO|MB_ICONQUESTION "Уже установлена более новая $4 (сборка $2).$\r$\nЗаменить её более старой сборкой ${VERSION_FULL}?" /SD IDNO IDYES downgrade
                SetErrorLevel ${EXIT_NEWER_INSTALLED}
                Abort
            downgrade:
        ${EndIf}
    ${EndIf}
    ; The earlier install's desktop shortcut is kept.
    ${If} ${FileExists} "$DESKTOP\Zelmora.lnk"
        SectionSetFlags ${SectionDesktop} ${SF_SELECTED}
    ${EndIf}
FunctionEnd

; A file of the new build could not be written (the error box's Cancel, or a silent
; run's): the earlier install is not touched yet.
Function .onInstFailed
    ${If} $Stage != ""
        Call RemoveStage
        SetErrorLevel ${EXIT_FILE}
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
