#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's own prefix.
# WINEPREFIX is set by the calling script; the default keeps stray calls out of $HOME.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the prefix of the build tree}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
