#!/usr/bin/env bash
# Start-up: the title comes from the stored configuration; a missing configuration or icon file
# stops start-up with an error box that names the file, and no main window appears.
source "$(dirname "$0")/lib.sh"

title='E2E Title 4711 (x) - ok'
dir=$(dk_workdir)
printf '[SYSTEM]\r\nName=%s\r\n' "$title" | dk_write_config "$dir/lamecore.dll"
dk_start "$dir"
dk_wait_for "^window TfrmMain \"$(printf '%s' "$title" | sed 's/[][().*^$|+?{}\\]/\\&/g')\""
dk_screenshot startup-title
dk_key alt+F4
dk_wait_exit
[ "$DK_EXIT_CODE" = 0 ] || dk_fail "the program did not exit cleanly"

for missing in lamecore.dll icon.ico; do
  dir=$(dk_workdir)
  rm "$dir/$missing"
  dk_start "$dir"
  dk_wait_for "child Static \"Cannot open file \\\".*\\\\$missing\\\"\. .+\""
  dk_screenshot "startup-missing-$missing"
  if dk_probe | grep -q '^window TfrmMain'; then dk_fail "a main window appeared"; fi
  dk_key Return
  dk_wait_exit
  [ "$DK_EXIT_CODE" != 0 ] || dk_fail "start-up without $missing reported success"
done
echo "startup: ok"
