# Sourced by the scripts that start programs on a display of their own.
# start_virtual_display FOLDER: starts Xvfb on a free display number (Xvfb writes it into
# FOLDER/display once it accepts connections), exports DISPLAY and sets display_pid; the
# caller's fail() reports a display that does not come up, and the caller kills display_pid.
start_virtual_display() {
  local folder="$1"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$folder/display" >/dev/null 2>&1 &
  display_pid=$!
  for _ in $(seq 300); do
    [ -s "$folder/display" ] && break
    kill -0 "$display_pid" 2>/dev/null || fail "the virtual display did not start"
    sleep 0.1
  done
  [ -s "$folder/display" ] || fail "the virtual display did not start within 30 s"
  export DISPLAY=":$(tr -d '[:space:]' < "$folder/display")"
}
