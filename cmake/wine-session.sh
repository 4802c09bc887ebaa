#!/usr/bin/env bash
# Starts or stops the Wine session the Windows build's tests run in (see wine-run.sh):
#   wine-session.sh start SESSION_DIR    a fresh Wine prefix made offline in a temporary folder,
#                                        its wineserver kept running, and an Xvfb of its own
#   wine-session.sh stop SESSION_DIR     ends both and removes the prefix
# Making a prefix takes a quarter of a minute, so CTest makes one per test run (a fixture), not
# one per test. Without Mono, Gecko and the debugger (winedbg would wait for a person at a crash),
# and with WINEDEBUG=-all, Wine stays quiet and a crashing test simply fails.
set -euo pipefail

action=${1:?start or stop}
session=${2:?session folder}
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

stop() {
  [ -f "$session/env" ] || return 0
  # shellcheck source=/dev/null
  . "$session/env"
  WINEPREFIX=$WINEPREFIX "$wineserver" -k 2>/dev/null || true
  if [ -f "$session/xvfb.pid" ]; then kill "$(cat "$session/xvfb.pid")" 2>/dev/null || true; fi
  case $WINEPREFIX in */sledway-wine.*) rm -rf "$WINEPREFIX" ;; esac
  rm -f "$session/env" "$session/xvfb.pid" "$session/display"
}

start() {
  stop  # what an interrupted run left behind
  mkdir -p "$session"
  local prefix display
  prefix=$(mktemp -d "${TMPDIR:-/tmp}/sledway-wine.XXXXXX")

  # Xvfb writes its display number to descriptor 5 once it accepts clients. Every descriptor
  # is redirected, so CTest does not wait on the server as if it were part of the test.
  : >"$session/display"
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$session/display" \
    >/dev/null 2>&1 </dev/null &
  echo $! >"$session/xvfb.pid"
  for _ in $(seq 100); do
    [ -s "$session/display" ] && break
    sleep 0.1
  done
  display=:$(tr -d '[:space:]' <"$session/display")
  [ "$display" != ":" ] || { echo "Xvfb did not start" >&2; exit 1; }

  cat >"$session/env" <<ENV
export WINEPREFIX=$prefix
export DISPLAY=$display
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export WINEARCH=win64
ENV
  # shellcheck source=/dev/null
  . "$session/env"
  local begin=$SECONDS
  # The server stays up between tests, so each test starts in a fraction of a second.
  "$wineserver" -p >/dev/null 2>&1 </dev/null
  "$wine64" wineboot --init >/dev/null 2>&1 </dev/null
  # Xvfb runs no window manager, and Wine waits two seconds for one to withdraw each window it
  # hides unless it leaves the windows unmanaged.
  "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
  echo "Wine prefix $prefix made in $((SECONDS - begin)) s, display $display"
}

case $action in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop SESSION_DIR" >&2; exit 2 ;;
esac
