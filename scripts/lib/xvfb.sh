# with_xvfb COMMAND...: runs the command with DISPLAY naming a private Xvfb server, stopped afterwards.
with_xvfb() {
  local numberFile pid display status=0
  numberFile=$(mktemp)
  # Xvfb picks a free display and writes its number once it accepts connections.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" 2>/dev/null &
  pid=$!
  for _ in $(seq 100); do
    [[ -s "$numberFile" ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  display=$(tr -d '[:space:]' <"$numberFile")
  rm -f "$numberFile"
  if [[ -z "$display" ]]; then
    echo "Xvfb did not start" >&2
    kill "$pid" 2>/dev/null || true
    return 1
  fi
  DISPLAY=":$display" "$@" || status=$?
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  return "$status"
}
