#!/bin/sh
# Runs vesmer-cli as a process: exit statuses, the streams they write to, a full device, and
# with "pdf" as second argument the PDF module.
cli="$1"
fail() { echo "FAIL: $*"; exit 1; }

out=$("$cli" --today 2026-12-06) || fail "defaults exit $?"
[ "$(printf '%s\n' "$out" | tail -n 1)" = "現在の年齢は46歳と339日です。" ] || fail "last line: $out"

"$cli" --today 2026-12-06 --raw | od -An -c | tr -d ' \n' | grep -q '\\r\\n' || fail "raw has no CR LF"
[ "$("$cli" --today 2026-12-06 --raw | tail -c 2 | od -An -tx1 | tr -d ' \n')" = "8142" ] \
    || fail "raw does not end with the sentence's last character"

err=$("$cli" --month 13 2>&1 >/dev/null); status=$?
[ "$status" -eq 3 ] || fail "refusal exit $status"
case "$err" in 月は1から12*) ;; *) fail "refusal message: $err" ;; esac

"$cli" --bogus >/dev/null 2>&1; status=$?
[ "$status" -eq 2 ] || fail "usage exit $status"

if [ -w /dev/full ]; then
    "$cli" >/dev/full 2>/dev/null; status=$?
    [ "$status" -eq 1 ] || fail "a full device was reported as success ($status)"
fi
if [ "$2" = pdf ]; then
    dir=$(mktemp -d)
    trap 'rm -rf "$dir"' EXIT
    out=$("$cli" --today 2026-12-06 --resume wareki --pdf "$dir/学歴.pdf" 2>&1) ||
        fail "--pdf exit $?: $out"
    [ -z "$out" ] || fail "--pdf said: $out"
    [ "$(head -c 5 "$dir/学歴.pdf")" = "%PDF-" ] || fail "--pdf wrote no PDF"
    err=$("$cli" --resume wareki --pdf "$dir/none/a.pdf" 2>&1 >/dev/null); status=$?
    [ "$status" -eq 1 ] && [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] ||
        fail "unwritable --pdf: $status $err"
fi
echo "vesmer-cli process checks passed"
