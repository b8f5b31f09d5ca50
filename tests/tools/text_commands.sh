#!/usr/bin/env bash
# q7tctl texts, xml and defaults, end to end. Run from the source root.
set -euo pipefail
q7tctl=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The shipped language file: 135 keys in load order, none empty.
texts=$("$q7tctl" texts data/language.xml)
[ "$(wc -l <<<"$texts")" -eq 135 ] || fail "texts: line count"
[ "$(head -n 1 <<<"$texts" | cut -d= -f1)" = str_program_title ] || fail "texts: first key"
[ "$(tail -n 1 <<<"$texts" | cut -d= -f1)" = str_led_spectrum ] || fail "texts: last key"
if grep -q '=$' <<<"$texts"; then fail "texts: an empty text"; fi

# Escapes keep each text on one line; a missing file gives empty texts, status 0.
printf '<l><config><str_ok>a\\b\tc\r\nd</str_ok><str_tips>Gr\xc3\xb6\xc3\x9fe</str_tips></config></l>' >"$dir/l.xml"
texts=$("$q7tctl" texts "$dir/l.xml")
grep -qx 'str_ok=a\\\\b\\tc\\r\\nd' <<<"$texts" || fail "texts: escapes"
grep -qx 'str_tips=Größe' <<<"$texts" || fail "texts: UTF-8 output"
texts=$("$q7tctl" texts "$dir/absent.xml")
[ "$(grep -c '=$' <<<"$texts")" -eq 135 ] || fail "texts: missing file"

# xml: the load result, then the reader's notes.
[ "$("$q7tctl" xml data/language.xml | head -n 1)" = well-formed ] || fail "xml: shipped file"
printf '<a></a><b/>' >"$dir/two.xml"
out=$("$q7tctl" xml "$dir/two.xml")
[ "$(sed -n 1p <<<"$out")" = "not well-formed" ] || fail "xml: two roots"
[[ "$(sed -n 2p <<<"$out")" == *"Root element has sibling" ]] || fail "xml: note"
[ "$(wc -l <<<"$out")" -eq 2 ] || fail "xml: two lines"

# defaults: the names of the default functions come from the language file.
out=$("$q7tctl" defaults)
grep -q 'button 0 (left): type 1 str_click.*"Left click"' <<<"$out" || fail "defaults: left button"
grep -qx 'lift height: 128' <<<"$out" || fail "defaults: lift height"
grep -q 'button 0 (left): type 1 str_click.*""' <<<"$("$q7tctl" defaults "$dir/absent.xml")" || fail "defaults: no texts"

# Usage errors: status 2 and a usage text on stderr.
for args in "" "texts" "texts a b" "xml" "nonsense" "defaults a b"; do
  status=0
  # shellcheck disable=SC2086
  "$q7tctl" $args >/dev/null 2>"$dir/err" || status=$?
  [ "$status" -eq 2 ] || fail "usage: '$args' gave $status"
  grep -q '^usage:' "$dir/err" || fail "usage: '$args' printed no usage"
done
echo ok
