#!/usr/bin/env bash
# The backup commands on the sample machine, used like a person would: F9 with nothing checked
# warns; Select All then F9 copies every listed driver's files and its INF below the program's
# folder; after a scan of all drivers, F10 backs up only the rows marked "Recommended".
source "$(dirname "$0")/lib.sh"

rows() { dk_wine "$DK_PROBE" rows TfrmMain 2>>"$DK_LOG" | tr -d '\r'; }
status() { dk_probe | sed -n 's/^  child msctls_statusbar32 "\(.*\)" .*/\1/p'; }
# The folder name a device gets: the nine characters / \ * : ? " < > | removed, then trimmed.
folder_of() { printf '%s' "$1" | tr -d '/\\*:?"<>|' | sed 's/^[[:space:]]*//; s/[[:space:]]*$//'; }
captions() { sed -n 's/^row [0-9]* \[.\] \([^|]*\)|.*/\1/p'; }
# Folder names compare without regard to case, as the file system does. A device whose name is
# nothing but removed characters has its files copied into "BackUp\Drivers" itself.
expected_folders() {
  while IFS= read -r c; do folder_of "$c"; echo; done | grep -v '^$' | tr '[:upper:]' '[:lower:]' |
    sort -u
}
backed_up() {
  (cd "$1/BackUp/Drivers" && find . -mindepth 1 -maxdepth 1 -type d | cut -c3- |
    tr '[:upper:]' '[:lower:]' | sort)
}
wait_gone() {
  for _ in $(seq 40); do dk_probe | grep -q "$1" || return 0; sleep 0.5; done
  dk_fail "still there: $1"
}

dir=$(dk_workdir)
dk_start "$dir"
dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\."' 90
before=$(status)

# F9 with rows but nothing checked: a warning, and nothing else changes.
dk_wine "$DK_PROBE" focus TfrmMain
dk_key F9
dk_wait_for 'child Static "You have not selected any driver\."' 30
dk_screenshot backup-none-selected
dk_press OK
wait_gone 'You have not selected any driver'
[ "$(status)" = "$before" ] || dk_fail "the status changed to '$(status)'"
[ ! -e "$dir/BackUp" ] || dk_fail "the warning made a backup folder"

# Select All checks every row; F9 then backs them all up.
dk_press "Select All" "Driver Keeper"
sleep 1
list=$(rows)
if printf '%s\n' "$list" | grep -q '^row [0-9]* \[ \]'; then dk_fail "Select All left a row unchecked"; fi
dk_wine "$DK_PROBE" focus TfrmMain
dk_key F9
# Some INF files of the sample are not installed: the box then says how many copies failed.
dk_wait_for 'child Static "Finished' 300
dk_screenshot backup-finished
dk_press OK
wait_gone 'child Static "Finished'
[ "$(status)" = "Finished!" ] || dk_fail "status after the backup: '$(status)'"
diff <(printf '%s\n' "$list" | captions | expected_folders) <(backed_up "$dir") >&2 ||
  dk_fail "the backup folders differ from the checked rows"
nvme="$dir/BackUp/Drivers/Sorrel NX2 1TB NVMe SSD"
[ "$(cd "$nvme" && ls -1 | sort | tr '\n' ' ')" = "oem30.inf sorrelnx.sys " ] ||
  dk_fail "NVMe backup holds: $(ls "$nvme")"
grep -q 'Sample driver file sorrelnx.sys' "$nvme/sorrelnx.sys" || dk_fail "sorrelnx.sys is not a copy"
[ -d "$dir/BackUp/Drivers/Korvo SPDIF Output" ] || dk_fail "no folder for Korvo S/PDIF Output"
dk_wine "$DK_PROBE" close TfrmMain
dk_wait_exit

# After a scan of all drivers, F10 backs up the recommended rows only.
dir=$(dk_workdir)
dk_start "$dir"
dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\."' 90
recommended_count=$(rows | grep -c '^row ')
dk_wine "$DK_PROBE" focus TfrmMain
dk_key alt Down Down Return
for _ in $(seq 60); do
  [ "$(rows | grep -c '^row ')" -gt "$recommended_count" ] && break
  sleep 0.5
done
list=$(rows)
printf '%s\n' "$list" | grep -q '|Microsoft|' || dk_fail "the full scan shows no Microsoft rows"
dk_wine "$DK_PROBE" focus TfrmMain
dk_key F10
dk_wait_for 'child Static "Finished' 300
dk_press OK
diff <(printf '%s\n' "$list" | grep '|Recommended|' | captions | expected_folders) \
  <(backed_up "$dir") >&2 || dk_fail "F10 backed up other rows than the recommended ones"
dk_wine "$DK_PROBE" close TfrmMain
dk_wait_exit
echo "backup: ok"
