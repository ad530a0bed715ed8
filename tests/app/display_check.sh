#!/bin/sh
# Runs vesmer against a display that does not exist: one line on standard error, exit status 2,
# no abort and no core dump.
vesmer="$1"
fail() { echo "FAIL: $*"; exit 1; }

display=:97
while [ -e "/tmp/.X11-unix/X${display#:}" ]; do display=":$(( ${display#:} + 1 ))"; done
err=$(env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY="$display" "$vesmer" 2>&1 >/dev/null); status=$?
[ "$status" -eq 2 ] || fail "exit status $status: $err"
[ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "more than one line: $err"
case "$err" in "vesmer: "*"DISPLAY=$display"*) ;; *) fail "message: $err" ;; esac
echo "unreachable display check passed"
