#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# The Windows installer and zip under Wine, a case a run, in a Wine prefix that the case
# "prefix" makes ("cleanup" removes it) and each case leaves as it found it:
#   install: a silent install, and a second one over it, put the zip's files, the Start-menu
#     shortcuts (the program's: target, working folder, icon; the guide's: target) and the
#     uninstall entry in place; started through the shortcut, the program shows its core
#     picture, pixel for pixel, where a start in an empty folder shows none (a missing
#     picture is silent); a silent uninstall leaves no file, shortcut or registry value;
#   running: while the program runs, a silent install and uninstall change nothing and exit
#     with 3, a second installer with 6; an interactive one, Retry once it is closed, 0;
#   upgrade: an older build (one more file) upgraded leaves none of its files and is not
#     put back (exit code 5); an install into a folder of the user's (/D=, with a space and
#     Cyrillic) removes the earlier install from its own folder;
#   file_error: a file held open by another program (7) or an earlier uninstaller that does
#     not start (8) stops an upgrade; the earlier install stays whole and starts;
#   old_windows: on Windows 7 the installer installs nothing (exit code 4).
# Usage: wine-packages.sh CASE SETUP_EXE ZIP SOURCE_DIR VERSION VERSION_FULL HOLD_FILE_EXE
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
case=$1 setup=$(realpath "$2") zip=$3 source=$4 version=$5 version_full=$6 hold=$7
here=$(dirname "$(realpath "$0")")
# A Russian Windows, as the program's users have: its ANSI code page (1251) holds the
# Cyrillic folder name below, which Wine writes into the shortcut in that code page.
export LC_ALL=ru_RU.UTF-8
work=$(dirname "$setup")/wine-packages
export WINEPREFIX=$work/prefix
# Wine links the prefix's Desktop and Documents to folders of $HOME: a home of its own.
export HOME=$work/home
wineserver=/usr/lib/wine/wineserver
trap '$wineserver -k 2>/dev/null || true' EXIT
wine() { bash "$here/wine-run.sh" "$@"; }
fail() { echo "FAIL: $*"; exit 1; }
same() { [ "$1" = "$2" ] || fail "$3: '$1', expected '$2'"; }

# A fresh Wine prefix says Windows 7; the installer wants 10 version 1809 or later.
windows_version() { wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f > /dev/null 2>&1; }
case $case in
prefix|cleanup)
    $wineserver -k 2> /dev/null || true
    rm -rf "$work"
    [ "$case" = cleanup ] && exit
    mkdir -p "$HOME"
    wine wineboot --init > /dev/null 2>&1
    windows_version win10
    $wineserver -w;;
esac
user=$(cd "$WINEPREFIX/drive_c/users" && ls | grep -vx Public | head -1)
home_win="C:\\users\\$user"
programs_menu=$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
desktop=$WINEPREFIX/drive_c/users/$user/Desktop
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelmora'

# The prefix's files and folders and its registry, less Wine's own settings. In the
# temporary folder only files count: the uninstaller's copy of itself leaves there an
# empty folder, as on Windows.
snapshot() {
    (cd "$WINEPREFIX" && find drive_c -type f | LC_ALL=C sort
     find drive_c -type d -not -path 'drive_c/users/*/AppData/Local/Temp/*' | LC_ALL=C sort) > "$1.files"
    rm -f "$work/hkcu.reg" "$work/hklm.reg"
    wine reg export HKCU "$work/hkcu.reg" /y > /dev/null 2>&1
    wine reg export 'HKLM\Software' "$work/hklm.reg" /y > /dev/null 2>&1
    $wineserver -w
    cat "$work/hkcu.reg" "$work/hklm.reg" | iconv -f UTF-16 -t UTF-8 \
        | python3 "$here/registry.py" without-wine > "$1.registry"
}
zipped=$work/zip/Zelmora-$version
old_setup=$work/old-setup.exe

# A shortcut's target path, working folder and icon (MS-SHLLINK), a line each.
read_shortcut() {
    python3 "$here/shortcut.py" "$1" > "$work/shortcut"
}

# Checks an install in the Windows folder $1 (Unix path $2).
check_install() {
    local folder_win=$1 folder=$2
    same "$(cd "$folder" && find . -type f | LC_ALL=C sort)" \
         "$( (cd "$zipped" && find . -type f; echo ./uninstall.exe) | LC_ALL=C sort)" "the installed files"
    diff -r --exclude=uninstall.exe "$zipped" "$folder" > /dev/null || fail "the installed files differ from the zip's"

    # The shortcuts: the program's, started in its folder, and the guide's.
    [ -f "$programs_menu/Zelmora.lnk" ] || fail "no Start-menu shortcut"
    [ ! -e "$desktop/Zelmora.lnk" ] || fail "a desktop shortcut nobody asked for"
    read_shortcut "$programs_menu/Zelmora.lnk"
    same "$(sed -n 1p "$work/shortcut")" "$folder_win\\zelmora.exe" "the shortcut's target"
    same "$(sed -n 2p "$work/shortcut")" "$folder_win" "the shortcut's working folder"
    same "$(sed -n 3p "$work/shortcut")" "$folder_win\\zelmora.exe" "the shortcut's icon"
    read_shortcut "$programs_menu/Руководство Zelmora.lnk"
    same "$(sed -n 1p "$work/shortcut")" "$folder_win\\doc\\guide.ru.html" "the guide's shortcut"

    # The uninstall entry, exported in Unicode (reg's console output is in the OEM code page).
    rm -f "$work/entry.reg"
    wine reg export "$uninstall_key" "$work/entry.reg" /y > /dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$work/entry.reg" | python3 "$here/registry.py" values > "$work/entry"
    value() { sed -n "s/^$1=//p" "$work/entry"; }
    same "$(value DisplayName)" "Zelmora $version" DisplayName
    same "$(value DisplayIcon)" "$folder_win\\zelmora.exe,0" DisplayIcon
    same "$(value DisplayVersion)" "$version_full" DisplayVersion
    # The program's own version resource says the same (its strings are UTF-16).
    strings -e l "$folder/zelmora.exe" | grep -x "$version_full" > /dev/null || fail "zelmora.exe's version resource is not $version_full"
    same "$(value Publisher)" "Zelmora developers" Publisher
    same "$(value InstallLocation)" "$folder_win" InstallLocation
    same "$(value UninstallString)" "\"$folder_win\\uninstall.exe\"" UninstallString
    same "$(value QuietUninstallString)" "\"$folder_win\\uninstall.exe\" /S" QuietUninstallString
    same "$(value NoModify)" "0x1" NoModify
    same "$(value NoRepair)" "0x1" NoRepair
    local size=$(($(value EstimatedSize))) actual=$(($(du -sb "$folder" | cut -f1) / 1024))
    ((size > actual * 95 / 100 && size <= actual)) || fail "EstimatedSize $size KB for $actual KB"
    same "$(wc -l < "$work/entry")" 10 "the number of values in the uninstall entry"
}

# Uninstalls silently from the Windows folder $1 and checks that nothing is left.
check_uninstall() {
    wine "$1\\uninstall.exe" /S
    $wineserver -w # the uninstaller runs on from a copy in the temporary folder,
    wine wineboot -r > /dev/null 2>&1 # which Windows deletes at the next restart
    $wineserver -w
    snapshot "$work/after"
    diff "$work/before.files" "$work/after.files" || fail "files or folders left behind (above)"
    diff "$work/before.registry" "$work/after.registry" || fail "registry entries left behind (above)"
}

# Waits for a window whose title starts with $1 and prints its id.
window() {
    local id=
    for _ in $(seq 240); do
        id=$(xwininfo -root -tree | sed -n "s/^ *\(0x[0-9a-f]*\) \"$1.*/\1/p" | head -1)
        [ -n "$id" ] && break
        sleep 0.25
    done
    [ -n "$id" ] || fail "no window \"$1\" within a minute"
    echo "$id"
}

# Starts a program with the shell, the way Explorer does, and captures its main window.
capture() {
    local picture=$1 id
    shift
    (cd "$work" && wine start "$@")
    id=$(window "Zelmora $version\"")
    sleep 2 # the splash has gone and the window is drawn
    import -window "$id" "$picture"
    $wineserver -k
    $wineserver -w
}

# Started through its shortcut, the program finds its pictures; started in an empty
# folder it finds none. The two windows differ where the core picture is, and there the
# first shows one of the program's pictures exactly (drawn over the window's background).
check_picture_shown() {
    capture "$work/installed.png" "$home_win\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Zelmora.lnk"
    local box position background shown= picture
    box=$(magick "$work/installed.png" "$work/empty.png" -compose difference -composite \
          -fill white +opaque black -format '%@' info: 2> /dev/null)
    position=${box#*+}
    for picture in "$source"/img/*.png; do
        [[ $picture == *@2x.png ]] && continue
        [ "$box" = "$(identify -format '%wx%h' "$picture")+$position" ] || continue
        background=$(magick "$work/empty.png" -format "%[pixel:p{${position%+*},${position#*+}}]" info:)
        magick "$picture" -background "$background" -flatten "$work/expected.png"
        magick "$work/installed.png" -crop "$box" +repage "$work/shown.png"
        if [ "$(compare -metric AE "$work/shown.png" "$work/expected.png" null: 2>&1)" = 0 ]; then
            shown=$picture
        fi
    done
    [ -n "$shown" ] || fail "no core picture in the window started through the shortcut (difference: $box)"
    echo "started through the shortcut: ${shown#"$source"/} shown at $box"
}

status() { local code=0; wine "$@" > /dev/null 2>&1 || code=$?; echo "$code"; } # its exit code
# While the installed program runs, a silent install over it and a silent uninstall exit
# with 3 and leave the install whole.
check_running_refused() {
    (cd "$work" && wine start /d "$1" "$1\\zelmora.exe")
    window "Zelmora $version\"" > /dev/null
    same "$(status "$setup" /S)" 3 "a silent install over the running program: exit code"
    same "$(status "$1\\uninstall.exe" /S "_?=$1")" 3 "a silent uninstall of the running program: exit code"
    $wineserver -k
    $wineserver -w
    check_install "$1" "$2"
}

default_win="$home_win\\AppData\\Local\\Programs\\Zelmora"
default=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Zelmora
own_win='C:\Расчёты Zelmora' own=$WINEPREFIX/drive_c/Расчёты\ Zelmora
# A case that failed may have left its install behind: the next one starts without it.
[ ! -e "$default/uninstall.exe" ] || wine "$default_win\\uninstall.exe" /S "_?=$default_win"
[ ! -e "$own/uninstall.exe" ] || wine "$own_win\\uninstall.exe" /S "_?=$own_win"
case $case in
prefix)
    snapshot "$work/before"
    # The zip: one folder, Zelmora-MAJOR.MINOR.
    mkdir "$work/zip"
    unzip -q "$zip" -d "$work/zip"
    same "$(ls "$work/zip")" "Zelmora-$version" "the zip's top folder"
    # An older build with one more file, made from the same list by the same script.
    echo "only in the older build" > "$work/old-only.txt"
    { cat "$(dirname "$setup")/package-files.txt"; printf '%s\told-only.txt\ttext\n' "$work/old-only.txt"; } > "$work/old-files.txt"
    bash "$source/packaging/windows/make-packages.sh" "$work/old-files.txt" "$work/old" "Zelmora-$version" "$version" \
        "${version_full%.*}.$((${version_full##*.} - 1))" "$work/old.zip" "$old_setup" > /dev/null
    mkdir "$WINEPREFIX/drive_c/empty"
    cp "$zipped/zelmora.exe" "$WINEPREFIX/drive_c/empty/"
    capture "$work/empty.png" /d 'C:\empty' 'C:\empty\zelmora.exe'
    rm -r "$WINEPREFIX/drive_c/empty"
    ;;

install)
    wine "$setup" /S
    wine "$setup" /S # over the first one
    $wineserver -w
    check_install "$default_win" "$default"
    echo "silent install: files, shortcut and uninstall entry in place"
    check_picture_shown
    check_uninstall "$default_win"
    echo "silent uninstall: nothing left";;

running)
    wine "$setup" /S
    check_running_refused "$default_win" "$default"
    echo "install and uninstall while the program runs: exit code 3, nothing changed"
    # An interactive installer, left on its first page.
    (cd "$work" && wine start /unix "$setup")
    window "Установка Zelmora" > /dev/null
    same "$(status "$setup" /S)" 6 "a second installer: exit code"
    $wineserver -k
    $wineserver -w
    rm -r "$WINEPREFIX"/drive_c/users/*/AppData/Local/Temp/ns*.tmp # the killed installer's plugins
    check_install "$default_win" "$default"
    echo "a second installer while one runs: exit code 6"
    # Interactively: Retry once the program is closed (ended); the last page starts it.
    bash "$here/wine-run.sh" "$default_win\\zelmora.exe" & program=$!
    window "Zelmora $version\"" > /dev/null
    wine "$setup" & installer=$!
    main=$(window "Установка Zelmora $version")
    for _ in 1 2 3 4; do # the welcome, licence, components and folder pages
        sleep 1
        timeout 10 xdotool windowfocus --sync "$main" key Return
    done
    box=$(window "Установка Zelmora $version\"")
    kill "$program"
    timeout 10 xdotool windowfocus --sync "$box" key Return # Retry
    for _ in $(seq 60); do # Next and Finish, as the pages come
        sleep 1
        kill -0 "$installer" 2> /dev/null || break
        # (a window that closes meanwhile would keep --sync waiting for ever)
        timeout 5 xdotool windowfocus --sync "$main" key Return 2> /dev/null || true
    done
    code=0 && wait "$installer" || code=$?
    same "$code" 0 "Retry after closing the program: exit code"
    window "Zelmora $version\"" > /dev/null
    $wineserver -k
    $wineserver -w
    check_install "$default_win" "$default"
    echo "an interactive install over the running program: Retry once it is closed, exit code 0"
    check_uninstall "$default_win"
    echo "silent uninstall: nothing left";;

upgrade)
    wine "$old_setup" /S
    [ -f "$default/old-only.txt" ] || fail "the older build did not install its own file"
    wine "$setup" /S
    $wineserver -w
    check_install "$default_win" "$default"
    same "$(status "$old_setup" /S)" 5 "a silent downgrade: exit code"
    check_install "$default_win" "$default"
    echo "upgrade from the older build: none of its files left; downgrade refused with exit code 5"
    # /D= takes the rest of the command line as it stands, spaces and all, so the command
    # line is given to cmd whole (Wine would quote an argument with a space).
    wine cmd /c "Z:${setup//\//\\} /S /D=$own_win"
    $wineserver -w
    [ ! -e "$default" ] || fail "the earlier install was left in $default_win"
    check_install "$own_win" "$own"
    check_picture_shown
    check_uninstall "$own_win"
    echo "install into $own_win: the earlier install removed from its own folder; uninstall: the same";;

file_error)
    # The guide of the older build held open without sharing, as a browser may.
    wine "$old_setup" /S
    bash "$here/wine-run.sh" "$hold" "$default_win\\doc\\guide.ru.html" > "$work/held" &
    for ((i = 0; i < 120; i++)); do grep -q held "$work/held" && break; sleep 0.25; done
    grep -q held "$work/held" || fail "hold_file did not hold the guide"
    same "$(status "$setup" /S)" 7 "an upgrade with a file held open: exit code"
    $wineserver -k
    $wineserver -w
    check_old() {
        same "$(cd "$default" && find . | LC_ALL=C sort)" \
             "$( (cd "$work/old/Zelmora-$version" && find .; echo ./uninstall.exe) | LC_ALL=C sort)" "the earlier install's files"
        diff -r --exclude=uninstall.exe "$work/old/Zelmora-$version" "$default" || fail "the earlier install changed"
    }
    check_old
    capture "$work/old.png" /d "$default_win" "$default_win\\zelmora.exe"
    echo "an upgrade with a file held open: exit code 7, the earlier install whole and starting"
    mv "$default/uninstall.exe" "$work/"
    cp "$default/README.txt" "$default/uninstall.exe" # not a program
    same "$(status "$setup" /S)" 8 "an upgrade whose earlier uninstaller does not start: exit code"
    check_old
    mv "$work/uninstall.exe" "$default/"
    check_uninstall "$default_win"
    echo "an upgrade whose earlier uninstaller does not start: exit code 8, the earlier install whole";;

old_windows)
    windows_version win7
    same "$(status "$setup" /S)" 4 "a silent install on Windows 7: exit code"
    [ ! -e "$default" ] || fail "an install on Windows 7"
    echo "Windows 7: nothing installed, exit code 4"
    windows_version win10;;
esac
