#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: a 64-bit exe under wine64, anything else
# under the 32-bit loader where this kernel runs it. VERADIN_LOCALE picks the locale, and
# so the ANSI code page Wine gives the program (zh_CN.UTF-8: 936, C.UTF-8: 1252).
pe_machine() {  # the machine field of a PE file's header, "" for anything else
  [ -f "$1" ] || return 0
  local at
  at=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 0
  [ -n "$at" ] && od -An -tx2 -j$((at + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}
if [ "$(pe_machine "$1")" = 8664 ] || ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  wine=/usr/lib/wine/wine64
else
  wine=/usr/lib/wine/wine
fi
loc=${VERADIN_LOCALE:-zh_CN.UTF-8}
LANG=$loc LC_ALL=$loc exec "$wine" "$@"
