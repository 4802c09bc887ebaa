#!/usr/bin/env bash
# CTest's emulator for the Windows build: runs a Windows program under Wine in the session
# wine-session.sh started (its prefix, its Xvfb).
#   wine-run.sh SESSION_DIR PROGRAM.exe [ARGUMENTS...]
set -euo pipefail

session=${1:?session folder}
shift
if [ ! -f "$session/env" ]; then
  echo "no Wine session in $session: run the tests through ctest, whose wine_session" \
    "fixture starts one, or start one with cmake/wine-session.sh start $session" >&2
  exit 1
fi
# shellcheck source=/dev/null
. "$session/env"
exec "$(command -v wine64 || echo /usr/lib/wine/wine64)" "$@"
