# Shared settings of the build, run and test scripts; sourced, not run.
# GLIMWELL_BUILD names the build root (default: build/ in the checkout), so that
# several checkouts or helpers can build side by side.
GLIMWELL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
GLIMWELL_BUILD=${GLIMWELL_BUILD:-$GLIMWELL_ROOT/build}
case "$GLIMWELL_BUILD" in /*) ;; *) GLIMWELL_BUILD=$GLIMWELL_ROOT/$GLIMWELL_BUILD ;; esac
export GLIMWELL_ROOT GLIMWELL_BUILD
export WINEPREFIX=$GLIMWELL_BUILD/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# Debian's interpreter with python3-pil and python3-numpy, whatever python3 comes first on PATH.
export GLIMWELL_PYTHON=/usr/bin/python3

# Starts Xvfb on the first free display from :90 and exports DISPLAY; sets XVFB_PID.
start_xvfb() {
  local n=90
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=:$n
  for _ in $(seq 100); do
    [ -e /tmp/.X11-unix/X$n ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# An English locale: code page 936 is never the system's, so the encoding rules are really exercised.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
