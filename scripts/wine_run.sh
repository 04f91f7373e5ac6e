#!/usr/bin/env bash
# Runs a Windows program of the build under Wine. VERADIN_LOCALE picks the locale, and so
# the ANSI code page Wine gives the program (zh_CN.UTF-8: 936, C.UTF-8: 1252).
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  wine=/usr/lib/wine/wine
else
  wine=/usr/lib/wine/wine64
fi
loc=${VERADIN_LOCALE:-zh_CN.UTF-8}
LANG=$loc LC_ALL=$loc exec "$wine" "$@"
