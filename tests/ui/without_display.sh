#!/bin/sh
# A window program started with no display: one line on standard error, status 2, no abort.
# (A window of the design tool speaks the system's language: here Chinese.)
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANGUAGE LC_ALL=zh_CN.UTF-8 "$1" 2>&1)
status=$?
lines=$(printf '%s\n' "$out" | wc -l)
if [ "$status" -ne 2 ] || [ "$lines" -ne 1 ] || ! printf '%s' "$out" | grep -q '没有可以打开窗口的显示'; then
  echo "without a display, $1 gave status $status and $lines lines: $out" >&2
  exit 1
fi
