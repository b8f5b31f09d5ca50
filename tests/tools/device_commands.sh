#!/usr/bin/env bash
# q7tctl profile, plan and macro, end to end on temporary files.
set -euo pipefail
q7tctl=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$q7tctl" profile new "Work" "$dir/p.cfg"
[ "$(stat -c %s "$dir/p.cfg")" -eq 22589 ] || fail "profile new: size"
show=$("$q7tctl" profile show "$dir/p.cfg")
grep -qx 'name: "Work"' <<<"$show" || fail "profile show: name"
grep -qx 'magic: 8080BABA (valid)' <<<"$show" || fail "profile show: magic"
grep -q '^dpi levels: 500 1000 2000 (table 02040880808080800204088080808080)$' <<<"$show" || fail "profile show: dpi"

plan=$("$q7tctl" plan "$dir/p.cfg")
[ "$(wc -l <<<"$plan")" -eq 45 ] || fail "plan: line count"
[ "$(sed -n 17p <<<"$plan")" = "setting 1201004000000000" ] || fail "plan: button table header"
[ "$(tail -n 1 <<<"$plan")" = "sleep 700" ] || fail "plan: final pause"
mkdir "$dir/macros"
[ "$("$q7tctl" plan "$dir/p.cfg" --macros "$dir/macros")" = "$plan" ] || fail "plan --macros with no macros"
if "$q7tctl" plan "$dir/p.cfg" --macros "$dir/none" >/dev/null 2>&1; then fail "plan: missing folder accepted"; fi
head -c 100 /dev/zero >"$dir/bad.cfg"
if "$q7tctl" plan "$dir/bad.cfg" >/dev/null 2>&1; then fail "plan: invalid profile accepted"; fi

# A macro record: press A, 100 ms, release A; repeat 1.
{
  printf '\x4c\x00\x00\x00\x10\x00\xe8\xe8\x34\xab\x12\x00\x00\x00\x00\x00\x01\x00\x00\x00A\x00'
  head -c 38 /dev/zero
  printf '\x03\x00\x00\x00\x41\x00\x00\xc0\x64\x00\x00\xa0\x41\x00\x00\xe0'
} >"$dir/macros/0012ab34.bin"
encoded=$("$q7tctl" macro encode "$dir/macros/0012ab34.bin")
[ "$(sed -n 1p <<<"$encoded")" = "entries 3" ] || fail "macro encode: count"
[ "$(sed -n 2p <<<"$encoded")" = "00010B0481040000000000000000000000000000000000000000000000000000" ] || fail "macro encode: first line"
[ "$(wc -l <<<"$encoded")" -eq 17 ] || fail "macro encode: 16 lines of 32 bytes"
echo ok
