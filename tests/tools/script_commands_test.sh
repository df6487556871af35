#!/usr/bin/env bash
# Feeds tools/list-script-commands.awk the bash forms our scripts use and compares
# the commands it reads with the ones bash would run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect() {  # name expected-words <<< script
  local name=$1 expected=$2 got
  cat >"$work/script.sh"
  got=$(awk -f "$root/tools/list-script-commands.awk" "$work/script.sh" | awk '{print $2}' | tr '\n' ' ')
  if [[ "$got" != "$expected " ]]; then
    echo "FAIL $name: expected '$expected', read '${got% }'"
    failures=$((failures + 1))
  fi
}

expect "pipelines, lists and substitutions" "xrandr sed true date ls cat" <<'S'
x=$(xrandr 2>/dev/null | sed -n "s/a/b/p") || true
y="$(date)" ls "$(cat f)"
S

expect "redirections name files, not commands" "wineboot true" <<'S'
wineboot -i </dev/null >"$log" 2>&1 9>&- || true
S

expect "words in quotes over several lines are text" "echo convert" <<'S'
shapes='roundrectangle 9,1 13,16 2,2
polygon 6,16 2,12 1,15 6,22'
echo "see
the log"; convert a.png \
  -draw 'line 1,1 2,2' b.png
S

expect "here-documents, arrays and comments" "cat apt-get" <<'S'
cat >f <<CONF
Section "Device"
CONF
packages=(
  cmake wine
)
# tar would be a command here
apt-get install "${packages[@]}"
S

expect "an array with quotes and arithmetic inside" "xrandr" <<'S'
layout+=(--output "DUMMY$n" --pos "$((1280 + 1024 * (n - 1)))x0")
case $1 in
  *) xrandr "${layout[@]}" ;;
esac
S

expect "tests, case patterns and functions" "grep xdotool exit" <<'S'
helper() { grep -q x f; }
if [[ ! -f $a || $(helper) != b ]]; then helper; fi
case $1 in
  start) xdotool key a ;;
  stop|*) exit 2 ;;
esac
S

expect "words that run the next word" "wineserver cmake" <<'S'
flock 9
LANG=C nice -n 5 env A=1 wineserver -p
exec cmake --build .
S

((failures == 0)) || exit 1
echo "script reader: all cases read as bash runs them"
