#!/usr/bin/env bash
# Release files, used as a person would: the zip and the installer are the same bytes when made
# again; the zip unpacks to a folder whose program starts; the silent install puts the program
# into Program Files with a Start menu shortcut and an entry under installed programs; the
# program started from that shortcut backs up into its own folder; the silent uninstall takes
# away everything the installer put there, and the backups stay.
# Arguments: the definitions that Release.cmake is run with, apart from its output folders.
source "$(dirname "$0")/lib.sh"
# Wine would otherwise turn the Start menu shortcut into a menu entry of this machine's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

tmp=$(mktemp -d "$DK_OUT/release.XXXXXX")
for run in a b; do
  cmake "$@" -DWORK_DIR="$tmp/$run" -DDIST_DIR="$tmp/$run" -P "$DK_RELEASE_SCRIPT" >>"$DK_LOG" 2>&1 ||
    dk_fail "making the release files failed"
  # Made a second later, a file time taken from the clock would show.
  sleep 1
done
for file in "$(basename "$DK_ZIP")" "$(basename "$DK_SETUP")"; do
  cmp -s "$tmp/a/$file" "$tmp/b/$file" || dk_fail "$file differs when made again"
done

# What ships: the program folder as it runs, the README and the licences, and no symbols.
shipped=$(printf '%s\n' DriverKeeper.com DriverKeeper.exe README.txt help/index.html icon.ico lamecore.dll \
  licences/winpthreads.txt licences/zlib.txt plugin/DriverListExport.dll plugin/DriverPackages.dll)
top=$(basename "$DK_ZIP" .zip)
[ "$(unzip -Z1 "$DK_ZIP" | sort)" = "$(printf '%s\n' "$shipped" | sed "s|^|$top/|")" ] ||
  dk_fail "the zip holds: $(unzip -Z1 "$DK_ZIP" | tr '\n' ' ')"
unzip -q "$DK_ZIP" -d "$tmp/unpacked"
dk_start "$tmp/unpacked/$top"
dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\."' 90
dk_wine "$DK_PROBE" close TfrmMain
dk_wait_exit
[ "$DK_EXIT_CODE" = 0 ] || dk_fail "the unpacked program did not exit cleanly"

drive=$DK_PREFIX/drive_c
installed="$drive/Program Files/Driver Keeper"
shortcut='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Driver Keeper.lnk'
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\DriverKeeper'
value() { dk_wine reg query "$key" /v "$1" 2>>"$DK_LOG" | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z]* *//p"; }
# Backups that an earlier, failed run left behind.
rm -rf "$installed"

dk_wine "$DK_SETUP" /S >>"$DK_LOG" 2>&1 || dk_fail "the silent install failed"
[ "$(cd "$installed" && find . -type f | cut -c3- | sort)" = \
  "$(printf '%s\nuninstall.exe\n' "$shipped" | sort)" ] ||
  dk_fail "installed: $(cd "$installed" && find . -type f | tr '\n' ' ')"
cmp -s "$installed/DriverKeeper.exe" "$tmp/unpacked/$top/DriverKeeper.exe" ||
  dk_fail "the installed program is not the zip's"
[ -f "$(dk_wine winepath -u "$shortcut" 2>>"$DK_LOG")" ] || dk_fail "no Start menu shortcut"
# The console program, as a person types it in the program folder: cmd runs DriverKeeper.com,
# waits for it and shows the window program's lines for the same command.
printf '@echo off\r\ncd /d "C:\\Program Files\\Driver Keeper"\r\nDriverKeeper /?\r\necho code=%%ERRORLEVEL%%\r\n' \
  >"$tmp/usage.cmd"
usage=$(cd "$tmp" && dk_wine cmd /c usage.cmd 2>>"$DK_LOG" | tr -d '\r')
expected=$( (dk_wine "$installed/DriverKeeper.exe" /? 2>>"$DK_LOG" || true) | tr -d '\r')
[ -n "$expected" ] && [ "$usage" = "$(printf '%s\ncode=0' "$expected")" ] ||
  dk_fail "DriverKeeper /? in the program folder: $usage"
version=$(basename "$DK_ZIP" | sed -E 's/^DriverKeeper-(.*)-win64\.zip$/\1/')
folder='C:\Program Files\Driver Keeper'
while IFS='|' read -r name expected; do
  [ "$(value "$name")" = "$expected" ] || dk_fail "$name is '$(value "$name")', not '$expected'"
done <<END
DisplayName|Driver Keeper
DisplayVersion|$version
Publisher|Driver Keeper developers
DisplayIcon|$folder\\DriverKeeper.exe
UninstallString|"$folder\\uninstall.exe"
QuietUninstallString|"$folder\\uninstall.exe" /S
END
# The size shown under installed programs is the program folder's, in kilobytes.
bytes=$(unzip -Zt "$DK_ZIP" | sed -E 's/^[0-9]+ files, ([0-9]+) bytes uncompressed.*/\1/')
[ "$(($(value EstimatedSize)))" = "$(((bytes + 1023) / 1024))" ] ||
  dk_fail "EstimatedSize is $(value EstimatedSize) for $bytes bytes"

# Started from the shortcut, the program runs in its folder and backs up there.
dk_wine start "$shortcut" >>"$DK_LOG" 2>&1
dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\."' 90
dk_screenshot install-started
dk_wine "$DK_PROBE" focus TfrmMain
dk_key F11
dk_wait_for 'child Static "Finished' 300
dk_press OK
dk_wine "$DK_PROBE" close TfrmMain
for _ in $(seq 40); do dk_probe | grep -q '^window TfrmMain' || break; sleep 0.5; done
[ -n "$(ls -A "$installed/BackUp/Drivers")" ] || dk_fail "no backup beside the installed program"
backups=$(cd "$installed/BackUp" && find . -type f -exec sha1sum {} + | sort)

# The uninstaller hands over to a copy of itself at once; removing the key is its last step.
dk_wine "$folder\\uninstall.exe" /S >>"$DK_LOG" 2>&1 || dk_fail "the silent uninstall failed"
for _ in $(seq 60); do dk_wine reg query "$key" >/dev/null 2>&1 || break; sleep 0.5; done
[ "$(cd "$installed" && find . -mindepth 1 -maxdepth 1)" = ./BackUp ] ||
  dk_fail "left after uninstalling: $(cd "$installed" && find . | tr '\n' ' ')"
[ "$(cd "$installed/BackUp" && find . -type f -exec sha1sum {} + | sort)" = "$backups" ] ||
  dk_fail "the uninstaller changed the backups"
[ ! -e "$(dk_wine winepath -u "$shortcut" 2>>"$DK_LOG")" ] || dk_fail "the shortcut stayed"
if dk_wine reg query "$key" >/dev/null 2>&1; then dk_fail "the uninstall key stayed"; fi
rm -rf "$installed" "$tmp"
echo "install: ok"
