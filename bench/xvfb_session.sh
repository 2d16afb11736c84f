# Shared by the screenshot scripts (sourced, not run): a private settings
# store, Xvfb at 1600 x 1000 (with openbox unless told otherwise), cleaned up
# on exit, and starting the workbench with its window in focus.
#
#   start_session DISPLAY [nowm]   sets settings, DISPLAY; traps EXIT
#   start_meridan RUNDIR LOG       sets app (pid) and win (window id)
#   stop_meridan

app=""
session_pids=()

start_session() {
  settings=$(mktemp -d)
  export XDG_CONFIG_HOME="$settings"
  mkdir -p "$settings/Quenby"
  Xvfb "$1" -screen 0 1600x1000x24 >/dev/null 2>&1 &
  session_pids+=($!)
  export DISPLAY=$1
  sleep 2
  if [ "${2:-}" != nowm ]; then
    openbox >/dev/null 2>&1 &
    session_pids+=($!)
    sleep 1
  fi
  trap end_session EXIT
}

end_session() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  for pid in "${session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$settings"
}

start_meridan() {
  "$1/meridan" > "$2" 2>&1 &
  app=$!
  win=""
  for _ in $(seq 1 100); do
    win=$(xdotool search --onlyvisible --name "Meridan" 2>/dev/null | head -1 || true)
    [ -n "$win" ] && break
    sleep 0.2
  done
  [ -n "$win" ] || { echo "no window"; exit 1; }
  xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
  sleep 1
}

stop_meridan() {
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  app=""
}
