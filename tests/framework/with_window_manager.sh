#!/usr/bin/env bash
# Runs a test program on a private X server with a window manager (openbox)
# of its own, so that the frames and focus changes a manager brings stay
# away from the tests that share the suite's server.
#   with_window_manager.sh PROGRAM [ARGS...]
set -euo pipefail
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  openbox --sm-disable >/dev/null 2>&1 &
  manager=$!
  status=0
  "$@" || status=$?
  kill "$manager" 2>/dev/null || true
  wait "$manager" 2>/dev/null || true
  exit "$status"' with_window_manager "$@"
