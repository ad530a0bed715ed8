#!/bin/sh
# Runs Tosvel's command line as a process: output that cannot be written is reported, in
# Japanese, with exit status 1.
tosvel="$1"
fail() { echo "FAIL: $*"; exit 1; }

[ -w /dev/full ] || { echo "no /dev/full: nothing to check"; exit 0; }
err=$("$tosvel" --to-wareki 1989-01-08 2>&1 >/dev/full); status=$?
[ "$status" -eq 1 ] || fail "a full device was reported as success ($status)"
[ "$err" = "Tosvel: 出力を書き込めませんでした。" ] || fail "message: $err"
echo "Tosvel output check passed"
