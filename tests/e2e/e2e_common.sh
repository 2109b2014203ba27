# Shared by the real-window test scripts (sourced). The caller sets $out, the artefacts folder.

# Reports a failure with a screenshot of the whole screen beside the other artefacts.
fail() {
  echo "FAIL: $*" >&2
  import -window root "$out/failure.png" 2>/dev/null || true
  exit 1
}

# Prints the id of the main window once it is visible; fails after about 10 s. Polls in
# 10 ms steps so that the start-up measurement stays sharp.
main_window_id() {
  local wid
  for _ in $(seq 1 1000); do
    wid=$(xdotool search --onlyvisible --name '^Corpometer$' 2>/dev/null | head -n1 || true)
    if [ -n "$wid" ]; then
      echo "$wid"
      return 0
    fi
    sleep 0.01
  done
  return 1
}
