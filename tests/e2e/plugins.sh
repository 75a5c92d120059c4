#!/usr/bin/env bash
# Plug-ins, used like a person would: without a library in "plugin\" there is no Plugin menu
# (F12 opens nothing); with the shipped Driver List Exporter, F12 opens the plug-in manager,
# which lists it and shows its about box, and the Plugin menu runs it.
source "$(dirname "$0")/lib.sh"

wait_gone() {
  for _ in $(seq 40); do dk_probe | grep -q "$1" || return 0; sleep 0.5; done
  dk_fail "still there: $1"
}

dir=$(dk_workdir)
[ -f "$dir/plugin/DriverListExport.dll" ] || dk_fail "the build shipped no plug-in"
mkdir -p "$dir/spare" && mv "$dir"/plugin/*.dll "$dir/spare/"
dk_start "$dir"
dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\."' 90
dk_wine "$DK_PROBE" focus TfrmMain
dk_key F12
sleep 3
if dk_probe | grep -q '^window TfrmPlugin'; then dk_fail "F12 worked without a plug-in menu"; fi
dk_wine "$DK_PROBE" close TfrmMain
dk_wait_exit

mv "$dir"/spare/*.dll "$dir/plugin/"
dk_start "$dir"
dk_wait_for 'child msctls_statusbar32 "[0-9]+ drivers found\."' 90
dk_wine "$DK_PROBE" focus TfrmMain
dk_key F12
dk_wait_for '^window TfrmPlugin "Plugin"' 30
listing=$(dk_wine "$DK_PROBE" rows TfrmPlugin | tr -d '\r')
echo "$listing" | grep -q '^row 0 \[ \] DriverListExport\.dll|Driver List Exporter|.*\\plugin\\DriverListExport\.dll$' ||
  dk_fail "plug-in manager rows: $listing"
dk_wine "$DK_PROBE" click-row TfrmPlugin 0
sleep 1
dk_screenshot plugins-manager
dk_press About Plugin
dk_wait_for 'window .* "About Driver List Exporter"' 30
dk_press OK "About Driver List Exporter"
wait_gone 'About Driver List Exporter'
dk_press Close Plugin
wait_gone '^window TfrmPlugin'

# Plugin > Driver List Exporter runs the plug-in's own window.
dk_wine "$DK_PROBE" focus TfrmMain
dk_key alt Right Right Down Down Return
dk_wait_for '^window DkDriverListExporter ' 30
dk_screenshot plugins-run
dk_wine "$DK_PROBE" close DkDriverListExporter
wait_gone '^window DkDriverListExporter'
dk_wine "$DK_PROBE" close TfrmMain
dk_wait_exit
[ "$DK_EXIT_CODE" = 0 ] || dk_fail "exit code $DK_EXIT_CODE"
echo "plugins: ok"
