#!/usr/bin/env bash
# Release files, used as a person would: the zip and the installer are the same bytes when made
# again; the zip unpacks to a folder whose program backs up beside itself; the silent install
# puts the program into Program Files with a Start menu shortcut and an entry under installed
# programs; the program started from that shortcut backs up into the user's documents, and
# "Browse backup folder..." opens the folder it wrote; a newer version installed over it keeps
# the settings, backups and packages; the uninstaller takes away everything the installer put
# there, keeps the backups and packages and says where they are, silent or not.
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
# The user's documents, a folder of the prefix's own (cmake/wine-run sees to that).
profile=$(dk_wine cmd /c echo %USERPROFILE% 2>>"$DK_LOG" | tr -d '\r')
documents=$(dk_wine winepath -u "$profile\\Documents" 2>>"$DK_LOG")
[ -d "$documents" ] && [ ! -L "$documents" ] || dk_fail "the documents folder is not the prefix's"
kept="$documents/Driver Keeper"
settings=$(dk_wine winepath -u "$profile\\AppData\\Roaming\\Driver Keeper" 2>>"$DK_LOG")
# What an earlier, failed run left behind.
rm -rf "$kept" "$settings"

# Backs up every driver (F11) in the program's window and closes it.
backup_all() {
  dk_wine "$DK_PROBE" focus TfrmMain
  dk_key F11
  dk_wait_for 'child Static "Finished' 300
  dk_press OK
}
close_program() {
  dk_wine "$DK_PROBE" close TfrmMain
  for _ in $(seq 40); do dk_probe | grep -q '^window TfrmMain' || return 0; sleep 0.5; done
  dk_fail "the program did not close"
}
files_of() { (cd "$1" && find . -type f -exec sha1sum {} + | sort); }
# A text as an extended regular expression that matches just that text.
literal() { printf '%s' "$1" | sed 's/[][\\.*^$(){}?+|]/\\&/g'; }

unzip -q "$DK_ZIP" -d "$tmp/unpacked"
dk_start "$tmp/unpacked/$top"
dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\."' 90
backup_all
dk_wine "$DK_PROBE" close TfrmMain
dk_wait_exit
[ "$DK_EXIT_CODE" = 0 ] || dk_fail "the unpacked program did not exit cleanly"
[ -n "$(ls -A "$tmp/unpacked/$top/BackUp/Drivers")" ] || dk_fail "no backup beside the unpacked program"
[ ! -e "$kept" ] || dk_fail "the unpacked program wrote into the documents"

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

# Started from the shortcut, in the program's folder, the installed program makes its folder in
# the user's documents and backs up there; nothing is written beside it.
dk_wine start "$shortcut" >>"$DK_LOG" 2>&1
dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\."' 90
dk_screenshot install-started
backup_all
[ -n "$(ls -A "$kept/BackUp/Drivers")" ] || dk_fail "no backup in the documents"
[ "$(cd "$installed" && find . -type f | cut -c3- | sort)" = \
  "$(printf '%s\nuninstall.exe\n' "$shipped" | sort)" ] ||
  dk_fail "the program wrote beside itself: $(cd "$installed" && find . | tr '\n' ' ')"
# "Browse backup folder..." (Backup menu, its last item) hands the shell the folder the backup
# wrote; the shell's verb for folders records what it was given.
verb='HKLM\Software\Classes\Folder\shell\open\command'
opened="$drive/users/Public/opened.txt"
rm -f "$opened"
dk_wine reg add "$verb" /ve /d 'cmd.exe /c echo %1>C:\users\Public\opened.txt' /f >>"$DK_LOG" 2>&1
dk_wine "$DK_PROBE" focus TfrmMain
dk_key alt Right Down Down Down Down Return
for _ in $(seq 40); do [ -s "$opened" ] && break; sleep 0.5; done
browsed=$(tr -d '\r' <"$opened" 2>/dev/null | sed 's/ *$//') || true
dk_wine reg delete "$verb" /ve /f >>"$DK_LOG" 2>&1 || true
[ "$browsed" = "$profile\\Documents\\Driver Keeper\\BackUp\\" ] ||
  dk_fail "Browse backup folder... opened '$browsed'"
close_program

# A newer version installed over this one keeps the settings, the backups and the packages.
newer=$(echo "$version" | awk -F. -v OFS=. '{ $NF = $NF + 1; print }')
cmake "$@" -DVERSION="$newer" -DWORK_DIR="$tmp/newer" -DDIST_DIR="$tmp/newer" \
  -P "$DK_RELEASE_SCRIPT" >>"$DK_LOG" 2>&1 || dk_fail "making the newer installer failed"
mkdir -p "$settings" "$kept/Packages/Sorrel NX2 NVMe"
printf '[Skin]\r\nName=Night Ember\r\n' >"$settings/settings.ini"
printf '[Package]\r\n' >"$kept/Packages/Sorrel NX2 NVMe/package.ini"
before=$(files_of "$kept"; files_of "$settings")
dk_wine "$tmp/newer/DriverKeeper-$newer-win64-setup.exe" /S >>"$DK_LOG" 2>&1 ||
  dk_fail "the silent upgrade failed"
[ "$(value DisplayVersion)" = "$newer" ] || dk_fail "upgraded to '$(value DisplayVersion)'"
[ "$(cd "$installed" && find . -type f | cut -c3- | sort)" = \
  "$(printf '%s\nuninstall.exe\n' "$shipped" | sort)" ] ||
  dk_fail "upgraded: $(cd "$installed" && find . -type f | tr '\n' ' ')"
[ "$(files_of "$kept"; files_of "$settings")" = "$before" ] || dk_fail "the upgrade changed the user's files"

# The uninstaller, as a person runs it: its last page says where the backups and packages are.
dk_wine "$folder\\uninstall.exe" >>"$DK_LOG" 2>&1 &
dk_press Uninstall
where="$profile\\Documents\\Driver Keeper"
dk_wait_for "$(literal "Your driver backups were kept in $where\\BackUp.")" 60
dk_wait_for "$(literal "Your driver packages were kept in $where\\Packages.")" 5
dk_screenshot uninstall-finished
dk_press Finish
for _ in $(seq 60); do dk_wine reg query "$key" >/dev/null 2>&1 || break; sleep 0.5; done
[ ! -e "$installed" ] || dk_fail "left after uninstalling: $(cd "$installed" && find . | tr '\n' ' ')"
[ "$(files_of "$kept"; files_of "$settings")" = "$before" ] || dk_fail "the uninstaller changed the user's files"

# Installed again into a folder of the user's choice: the newer version finds it and goes there,
# and the silent uninstall keeps the backups all the same.
# No blank in it: wine would quote the argument, and the installer takes /D= only unquoted.
chosen='C:\Tools\Keeper'
other=$(dk_wine winepath -u "$chosen" 2>>"$DK_LOG")
rm -rf "$other"
dk_wine "$DK_SETUP" /S "/D=$chosen" >>"$DK_LOG" 2>&1 || dk_fail "the silent install failed"
dk_wine "$tmp/newer/DriverKeeper-$newer-win64-setup.exe" /S >>"$DK_LOG" 2>&1 ||
  dk_fail "the silent upgrade failed"
[ ! -e "$installed" ] && [ "$(value InstallLocation)" = "$chosen" ] &&
  [ "$(value DisplayVersion)" = "$newer" ] &&
  cmp -s "$other/DriverKeeper.exe" "$tmp/unpacked/$top/DriverKeeper.exe" ||
  dk_fail "upgraded elsewhere than into $chosen"
# The uninstaller hands over to a copy of itself at once; removing the key is its last step.
dk_wine "$chosen\\uninstall.exe" /S >>"$DK_LOG" 2>&1 || dk_fail "the silent uninstall failed"
for _ in $(seq 60); do dk_wine reg query "$key" >/dev/null 2>&1 || break; sleep 0.5; done
[ ! -e "$other" ] || dk_fail "left after uninstalling: $(cd "$other" && find . | tr '\n' ' ')"
[ "$(files_of "$kept"; files_of "$settings")" = "$before" ] || dk_fail "the silent uninstall changed the user's files"
[ ! -e "$(dk_wine winepath -u "$shortcut" 2>>"$DK_LOG")" ] || dk_fail "the shortcut stayed"
if dk_wine reg query "$key" >/dev/null 2>&1; then dk_fail "the uninstall key stayed"; fi
rm -rf "$installed" "$(dirname "$other")" "$kept" "$settings" "$tmp"
echo "install: ok"
