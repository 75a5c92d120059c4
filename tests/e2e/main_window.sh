#!/usr/bin/env bash
# The main window on the sample machine, used like a person would: the start-up scan and its
# count, the all-drivers scan from the menu, details of a clicked row, and the About window.
source "$(dirname "$0")/lib.sh"

rows() { dk_wine "$DK_PROBE" rows TfrmMain 2>>"$DK_LOG" | tr -d '\r'; }
status() { dk_probe | sed -n 's/^  child msctls_statusbar32 "\(.*\)" .*/\1/p'; }

dir=$(dk_workdir)
rm -f "$dir"/plugin/*.dll
dk_start "$dir"
dk_wait_for '^window TfrmMain "Driver Keeper"' 90
dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\."'

# Start-up lists the recommended drivers only, and the status counts them.
recommended=$(rows)
count=$(printf '%s\n' "$recommended" | grep -c '^row ')
[ "$count" -gt 0 ] || dk_fail "no rows at start-up"
[ "$(status)" = "$count drivers found." ] || dk_fail "status '$(status)' for $count rows"
if printf '%s\n' "$recommended" | grep -v '|Recommended|' | grep -q '^row '; then
  dk_fail "a row that is not recommended at start-up"
fi
printf '%s\n' "$recommended" | grep -q '^row [0-9]* \[ \] Sorrel NX2 1TB NVMe SSD|Disk drives|Recommended|\\SYSTEM\\CurrentControlSet\\Control\\Class\\{' ||
  dk_fail "the sample's NVMe drive is missing or its row is wrong"
dk_screenshot main_window-startup

# A click on a row selects it; the details fill in (seen on the screenshot).
row=$(printf '%s\n' "$recommended" | grep -m1 'Sorrel NX2' | cut -d' ' -f2)
dk_wine "$DK_PROBE" click-row TfrmMain "$row"
sleep 1
dk_screenshot main_window-details

# Scan Driver > Scan all drivers, through the keyboard.
dk_wine "$DK_PROBE" focus TfrmMain
dk_key alt Down Down Return
dk_wait_for "child msctls_statusbar32 \"[0-9]+ drivers found\.\"" 30
all=$(rows)
all_count=$(printf '%s\n' "$all" | grep -c '^row ')
[ "$all_count" -gt "$count" ] || dk_fail "all drivers: $all_count rows, recommended: $count"
[ "$(status)" = "$all_count drivers found." ] || dk_fail "status '$(status)' for $all_count rows"
printf '%s\n' "$all" | grep -q '|Microsoft|' || dk_fail "no Microsoft rows in the full scan"
dk_screenshot main_window-all

# Help > About... opens the About window over the main window; OK closes it.
dk_wine "$DK_PROBE" focus TfrmMain
dk_key alt Right Right Down Up Return
dk_wait_for '^window TFormAbout "About Driver Keeper"' 30
dk_probe | grep -A20 '^window TFormAbout' | grep -q 'child Button "OK"' || dk_fail "no OK button"
dk_screenshot main_window-about
dk_press OK "About Driver Keeper"
for _ in $(seq 20); do dk_probe | grep -q '^window TFormAbout' || break; sleep 0.5; done
dk_probe | grep -q '^window TFormAbout' && dk_fail "the About window did not close"

dk_wine "$DK_PROBE" close TfrmMain
dk_wait_exit
[ "$DK_EXIT_CODE" = 0 ] || dk_fail "exit code $DK_EXIT_CODE"
echo "main_window: ok"
