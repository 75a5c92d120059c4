#!/usr/bin/env bash
# The bundled sample machine arrives whole in the test prefix: every driver instance of the
# registry file is there next to Wine's own class keys, both scans give the rows that
# samples/machine/README.md promises, and the INF and driver files lie where the backup looks.
source "$(dirname "$0")/lib.sh"

class_root='HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class'
dump="$DK_OUT/sample_machine-class.txt"
dk_wine reg query "$class_root" /s 2>>"$DK_LOG" | tr -d '\r' >"$dump" || dk_fail "reg query failed"

# Prints the rows a scan in the given mode gives on this registry, one per line:
# caption TAB type TAB action TAB class\instance. Keys come in the order the registry enumerates
# them, which is the order reg query prints them in.
scan_rows() {
  perl -e '
    my ($mode, $root) = @ARGV[0, 1];
    my (@classes, %subkeys, %vals, $key);
    open my $in, "<", $ARGV[2] or die;
    while (<$in>) {
      chomp;
      if (index($_, "$root\\") == 0) {
        $key = substr($_, length($root) + 1);
        my @parts = split /\\/, $key;
        if (@parts == 1) { push @classes, $key }
        elsif (@parts == 2) { push @{$subkeys{$parts[0]}}, $parts[1] }
        next;
      }
      $vals{$key}{$1} = [$2, $3] if defined $key && /^    (.+?)    (REG_[A-Z_]+)    (.*)$/;
    }
    sub text { my ($k, $n, $d) = @_; my $v = $vals{$k}{$n};
               return $v && $v->[0] =~ /^REG_(EXPAND_)?SZ$/ ? $v->[1] : $d }
    my %seen;
    for my $c (@classes) {
      for my $i (@{$subkeys{$c} || []}) {
        next if length $i > 4;
        my $desc = text("$c\\$i", "DriverDesc", "");
        my $prov = text("$c\\$i", "ProviderName", "Microsoft");
        next if $desc eq "" || ($mode == 1 && $prov eq "Microsoft") || $seen{$desc}++;
        print join("\t", $desc, text($c, "(Default)", ""),
                   $prov eq "Microsoft" ? "Microsoft" : "Recommended", "$c\\$i"), "\n";
      }
    }' "$1" "$class_root" "$dump"
}

# --- the import: all 62 instance keys of the sample -------------------------------------------
instances=$(grep -cE '^HKEY_LOCAL_MACHINE\\.*\\Class\\\{[^}]+\}\\[^\\]{1,4}$' "$dump" || true)
[ "$instances" -ge 62 ] || dk_fail "only $instances instance keys below the class root"
vendors='Marlowe|Sorrel|Orrin|Korvo|Veltra|Gantry|Halden|Quillon|Bluefen|Tessaly'
# 30 instances and 4 of the longer subkeys hold a description that names one of these vendors.
ours=$(grep -cE "^    DriverDesc    REG_SZ    .*($vendors)" "$dump" || true)
[ "$ours" = 34 ] || dk_fail "expected 34 descriptions naming the sample's vendors, found $ours"
grep -qx '    ProviderName    REG_SZ    microsoft' "$dump" || dk_fail "lower-case provider missing"
grep -qx '    ProviderName    REG_DWORD    0x1' "$dump" || dk_fail "numeric ProviderName missing"
grep -qx '    DriverDesc    REG_SZ      Halden PrintMaster 5/6 Series: PCL6  ' "$dump" ||
  dk_fail "the description with blanks around it lost them"
grep -qx '    DriverDesc    REG_SZ    ' "$dump" || dk_fail "the empty description is missing"
grep -qE '\\\{e0cbf06c-cd8b-4647-bb8a-263b43f0f974\}\\Properties$' "$dump" ||
  dk_fail "the Bluetooth class lost its Properties subkey"

# --- the scans promised by the README ----------------------------------------------------------
scan_rows 1 >"$DK_OUT/sample_machine-mode1.tsv"
scan_rows 2 >"$DK_OUT/sample_machine-mode2.tsv"
m1=$(wc -l <"$DK_OUT/sample_machine-mode1.tsv")
m2=$(wc -l <"$DK_OUT/sample_machine-mode2.tsv")
[ "$m1" = 30 ] || dk_fail "recommended scan: expected 30 rows, got $m1"
[ "$m2" = 52 ] || dk_fail "all-drivers scan: expected 52 rows, got $m2"

row() { sed -n "${2}p" "$DK_OUT/sample_machine-mode$1.tsv"; }
expect_row() {
  [ "$(row "$1" "$2")" = "$3" ] || dk_fail "mode $1 row $2: got '$(row "$1" "$2")', expected '$3'"
}
usb='Universal Serial Bus controllers'
expect_row 1 1 "Marlowe USB 3.2 eXtensible Host Controller	$usb	Recommended	{36fc9e60-c465-11cf-8056-444553540000}\\0000"
expect_row 1 2 "Generic USB Hub	$usb	Recommended	{36fc9e60-c465-11cf-8056-444553540000}\\0003"
# Two vendors' drivers share this description: the list shows the first one only.
expect_row 1 15 "USB Serial Adapter	Ports (COM & LPT)	Recommended	{4d36e978-e325-11ce-bfc1-08002be10318}\\0004"
expect_row 1 26 "Orrin Gamepad G1	Human Interface Devices	Recommended	{745a17a0-74d3-11d0-b6fe-00a0c90f57da}\\0006"
# The first "Generic Bluetooth Adapter" is a Microsoft one, so the recommended scan lists the
# second, from the class without a description.
expect_row 1 28 "Generic Bluetooth Adapter		Recommended	{e0cbf06c-cd8b-4647-bb8a-263b43f0f974}\\0001"
expect_row 1 30 "Tessaly Control Panel Extension	Extensions	Recommended	{e2f84ce7-8efa-411c-aa69-97454ca4cb57}\\0002"
expect_row 2 2 "USB Root Hub (USB 3.0)	$usb	Microsoft	{36fc9e60-c465-11cf-8056-444553540000}\\0001"
expect_row 2 5 "Generic Bluetooth Adapter	$usb	Microsoft	{36fc9e60-c465-11cf-8056-444553540000}\\0005"
# Wine's own adapter: no provider, and its class key has no description.
expect_row 2 9 "Wine Adapter		Microsoft	{4D36E968-E325-11CE-BFC1-08002BE10318}\\0000"
expect_row 2 20 "Orrin Trackball T2	Mice and other pointing devices	Microsoft	{4d36e96f-e325-11ce-bfc1-08002be10318}\\0002"
expect_row 2 27 "Veltra Virtual Miniport	Network adapters	Recommended	{4d36e972-e325-11ce-bfc1-08002be10318}\\Temp"
expect_row 2 31 "Gantry Legacy Serial Port (COM4)	Ports (COM & LPT)	Microsoft	{4d36e978-e325-11ce-bfc1-08002be10318}\\0003"
if grep -qE 'Properties|Configuration|Setup Helper' "$DK_OUT/sample_machine-mode2.tsv"; then
  dk_fail "a subkey longer than 4 characters was taken for an instance"
fi

# --- the files ----------------------------------------------------------------------------------
win="$DK_PREFIX/drive_c/windows"
for f in inf/oem5.inf inf/oem12.inf inf/oem25.inf inf/oem44.inf inf/tgmon.inf \
         system32/drivers/vltwx6.sys system32/drivers/korvohda.sys system32/korvoapo.dll \
         system32/HaldenUI.dll system32/OrrinKeys.exe system32/qlncamfw system32/korvofx.dat \
         help/hldnpm.hlp help/tgdisp.chm system32/spool/drivers/color/qlnscan.icm \
         nview/tgdesk.tvp nview/tgwall.tvp; do
  [ -f "$win/$f" ] || dk_fail "missing C:\\windows\\$f"
  grep -q "^Sample driver file\|^; oem" "$win/$f" || dk_fail "C:\\windows\\$f is not the sample's"
done
[ ! -e "$win/system32/hldn210.ini" ] || dk_fail "hldn210.ini must stay uninstalled"
[ ! -e "$win/inf/oem13.inf" ] || dk_fail "oem13.inf must stay missing"

# Wine itself sees the INF files where the program looks for them.
listing=$(dk_wine cmd /c dir /b 'C:\windows\inf\oem*.inf' 2>>"$DK_LOG" | tr -d '\r')
for n in 5 6 7 8 12 18 19 21 22 25 27 28 30 31 33 40 41 42 43 44 45 46; do
  grep -qix "oem$n.inf" <<<"$listing" || dk_fail "Wine does not list oem$n.inf"
done
echo "sample_machine: ok"
