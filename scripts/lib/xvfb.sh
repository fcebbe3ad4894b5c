# Sourced by the scripts that need a display. start_xvfb FIRST LAST starts Xvfb on the first
# free display number in that range and sets xvfb_pid and DISPLAY; without Xvfb it does nothing.
# shellcheck source=wait.sh
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"

start_xvfb() {
  local first=${1:-90} last=${2:-190} n
  command -v Xvfb >/dev/null || return 0
  for n in $(seq "$first" "$last"); do
    { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; } && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    wait_until 30 test -e "/tmp/.X11-unix/X$n" || { echo "Xvfb :$n did not start" >&2; return 1; }
    return 0
  done
  echo "no free display for Xvfb between :$first and :$last" >&2
  return 1
}
