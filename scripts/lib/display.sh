# Sourced: makes sure DISPLAY names a working X server, starting Xvfb when there is none.
# The Xvfb started here keeps running for later commands; stop_display ends it.
qvz_display_num=${QVZ_XVFB_DISPLAY:-77}

# A busy server can miss one query: ask three times before taking it for gone.
display_works() {
  [ -n "${DISPLAY:-}" ] || return 1
  local try
  for try in 1 2 3; do
    xdpyinfo >/dev/null 2>&1 && return 0
    [ $try = 3 ] || sleep 0.2
  done
  return 1
}

# A second screen of 256 colours on the server started here, for programs that refuse such a
# display: QVZ_8BIT_DISPLAY names it when the running server has one.
note_8bit_screen() {
  local d=${DISPLAY%.*}
  if xdpyinfo -display "$d" 2>/dev/null | awk '/^screen #1:/{s=1} s&&/depth of root window/{print $5; exit}' | grep -qx 8
  then export QVZ_8BIT_DISPLAY=$d.1; fi
  return 0
}

ensure_display() {
  if display_works; then note_8bit_screen; return 0; fi
  export DISPLAY=:$qvz_display_num
  if display_works; then note_8bit_screen; return 0; fi
  local lock=/tmp/.qvz-xvfb-$qvz_display_num.lock
  (
    flock 9
    if ! xdpyinfo >/dev/null 2>&1; then
      rm -f /tmp/.X$qvz_display_num-lock /tmp/.X11-unix/X$qvz_display_num
      # The server must not inherit the lock, or the next caller waits for it forever.
      setsid Xvfb ":$qvz_display_num" -screen 0 1280x1024x24 -screen 1 800x600x8 -nolisten tcp </dev/null >/dev/null 2>&1 9>&- &
      echo $! >/tmp/.qvz-xvfb-$qvz_display_num.pid
      for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    fi
  ) 9>"$lock"
  display_works || { echo "no X display could be started" >&2; return 1; }
  note_8bit_screen
}

stop_display() {
  local pidfile=/tmp/.qvz-xvfb-$qvz_display_num.pid
  if [ -f "$pidfile" ]; then
    kill "$(cat "$pidfile")" 2>/dev/null || true
    rm -f "$pidfile"
  fi
}
