# Sourced by the scripts that start programs on a display of their own.
# start_virtual_display FOLDER: starts Xvfb on a free display number (Xvfb writes it into
# FOLDER/display once it accepts connections), exports DISPLAY and sets display_pid; the
# caller's fail() reports a display that does not come up, and the caller kills display_pid.
# Xvfb's own messages go to FOLDER/xvfb.log.
#
# The number is drawn at random from 100-999 rather than searched from :0 upwards: a build
# machine may share its socket namespace with other jobs' displays, and the low numbers are
# the ones they take. -noreset keeps the server as it is when its last client leaves, so a
# program started right after a short-lived probe (xdotool) never meets a resetting server.
start_virtual_display() {
  local folder="$1" number attempt
  for attempt in $(seq 20); do
    number=$(( 100 + RANDOM % 900 ))
    [ -e "/tmp/.X$number-lock" ] && continue
    : >"$folder/display"
    Xvfb ":$number" -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp \
      3>"$folder/display" >"$folder/xvfb.log" 2>&1 &
    display_pid=$!
    for _ in $(seq 300); do
      [ -s "$folder/display" ] && break
      kill -0 "$display_pid" 2>/dev/null || break
      sleep 0.1
    done
    if [ -s "$folder/display" ] && kill -0 "$display_pid" 2>/dev/null; then
      export DISPLAY=":$(tr -d '[:space:]' < "$folder/display")"
      return 0
    fi
    kill "$display_pid" 2>/dev/null || true
    wait "$display_pid" 2>/dev/null || true
    display_pid=""
  done
  cat "$folder/xvfb.log" >&2 2>/dev/null || true
  fail "the virtual display did not start (20 display numbers tried)"
}
