# Sourced by the scripts that wait for something another process brings about.
# wait_until SECONDS COMMAND [ARGS...] runs the command (its output discarded) every tenth of a
# second until it succeeds, and returns 0; or returns 1 once SECONDS of wall time have passed.
# Waits are for the event itself, with deadlines generous enough for a loaded machine.
# shellcheck shell=bash
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
