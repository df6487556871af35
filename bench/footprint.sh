#!/usr/bin/env bash
# Idle footprint of the controller beside a trivial tray program (hidden window,
# one icon, 100 ms timer), both started in one Wine run on the default desk:
# start-to-tray time, then after IDLE seconds (default 60) private memory and
# working set (from /proc), and the CPU each used over those seconds. The private
# memory of the simulator's stand-in DLL images (dxva2.dll, minfolib.dll) is
# shown apart: a real machine has the system's own instead.
#   bench/footprint.sh [IDLE_SECONDS]    after: cmake --build --preset mingw
# Needs DISPLAY (an X server of tools/xserver.sh); uses its own Wine prefix.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
idle=${1:-60}
bin=$root/build/mingw/bin
for program in trivial_tray.exe tray_start_time.exe vistrelddcci.exe dxva2.dll minfolib.dll; do
  [[ -f $bin/$program ]] || { echo "footprint.sh: $bin/$program is missing; build the mingw preset" >&2; exit 1; }
done
export VISTREL_WINEPREFIX=${VISTREL_WINEPREFIX:-$root/build/wineprefix-bench}
export WINEPREFIX=$VISTREL_WINEPREFIX
work=$(mktemp -d)
cp "$root/sim/configs/default-desk.json" "$work/desk.json"
export VISTREL_SIM_CONFIG=$work/desk.json
finish() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

# Prefix and server up before anything is timed.
"$root/tools/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1

# The Linux process of a running Windows program of ours, by its file name.
process_of() {
  local name=$1 pid windows_path
  windows_path="Z:${bin//\//\\}\\$name"
  for pid in $(pgrep -f "$name" || true); do
    case $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null) in
      "$windows_path"* | "$bin/$name"*) echo "$pid"; return 0 ;;
    esac
  done
  return 1
}

# Starts a program and waits for its tray icon; prints "PID MILLISECONDS".
start_and_time() {
  local exe=$1 line pid=
  line=$("$root/tools/wine-run.sh" "$bin/tray_start_time.exe" "$bin/$exe" </dev/null 2>/dev/null | tr -d '\r') ||
    { echo "footprint.sh: no tray icon from $exe" >&2; return 1; }
  for _ in $(seq 100); do pid=$(process_of "$exe") && break; sleep 0.05; done
  echo "${pid:-0} ${line%% *}"
}

kilobytes() { sed -n "s/^$2: *\([0-9]*\) kB/\1/p" "/proc/$1/smaps_rollup"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# The image size a PE file asks for (SizeOfImage of its optional header).
image_size() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1")
  od -An -tu4 -j $((header + 80)) -N4 "$1" | tr -d ' '
}
# Private memory of the given DLL images. Wine maps only some of an image's
# sections from its file; the rest are anonymous mappings without a name, so an
# image is taken as every mapping from its header page up to its image size.
image_private_kb() {
  local pid=$1 name images=""
  shift
  for name in "$@"; do images="$images $name=$(image_size "$bin/$name")"; done
  awk -v images="$images" '
    function hex(text,   i, n) {
      n = 0
      for (i = 1; i <= length(text); i++) n = n * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
      return n
    }
    BEGIN { count = split(images, pairs, " ") }
    /^[0-9a-f]+-[0-9a-f]+ / {
      split($1, range, "-")
      start = hex(range[1])
      if (FNR == NR) {
        for (i = 1; i <= count; i++) {
          split(pairs[i], pair, "=")
          if ($3 == "00000000" && tolower($NF) ~ tolower(pair[1]) "$") { low[i] = start; high[i] = start + pair[2] }
        }
        next
      }
      mine = 0
      for (i in low) if (start >= low[i] && start < high[i]) mine = 1
      next
    }
    FNR != NR && mine && /^Private_(Clean|Dirty):/ { sum += $2 }
    END { print sum + 0 }' "/proc/$pid/smaps" "/proc/$pid/smaps"
}

read -r base_pid base_tray < <(start_and_time trivial_tray.exe)
read -r ctl_pid ctl_tray < <(start_and_time vistrelddcci.exe)
((base_pid > 0 && ctl_pid > 0)) || { echo "footprint.sh: a program did not start" >&2; exit 1; }
base_cpu=$(cpu_ticks "$base_pid") ctl_cpu=$(cpu_ticks "$ctl_pid")
sleep "$idle"
hz=$(getconf CLK_TCK)
report() {  # name pid tray-ms cpu-ticks-before
  local pid=$2 private rss ticks
  private=$(($(kilobytes "$pid" Private_Dirty) + $(kilobytes "$pid" Private_Clean)))
  rss=$(kilobytes "$pid" Rss)
  ticks=$(($(cpu_ticks "$pid") - $4))
  awk -v n="$1" -v p="$private" -v r="$rss" -v t="$ticks" -v hz="$hz" -v s="$idle" -v ms="$3" \
    'BEGIN { printf "%-14s %8.1f MB %8.1f MB %7.2f%% %8d ms\n", n, p / 1024, r / 1024, 100 * t / hz / s, ms }'
}
printf '%-14s %11s %11s %8s %11s\n' program private "working set" "CPU" "to tray"
report trivial-tray "$base_pid" "$base_tray" "$base_cpu"
report vistrelddcci "$ctl_pid" "$ctl_tray" "$ctl_cpu"
standin=$(image_private_kb "$ctl_pid" dxva2.dll minfolib.dll)
own=$(($(kilobytes "$ctl_pid" Private_Dirty) + $(kilobytes "$ctl_pid" Private_Clean) - standin))
base=$(($(kilobytes "$base_pid" Private_Dirty) + $(kilobytes "$base_pid" Private_Clean)))
awk -v d="$standin" -v o="$own" -v b="$base" 'BEGIN {
  printf "stand-in DLL images: %.1f MB private; controller without them: %.1f MB (baseline + %.1f MB)\n",
         d / 1024, o / 1024, (o - b) / 1024 }'
# Where the rest lives: the largest private mappings of the controller.
echo "largest private regions of vistrelddcci (kB, mapping):"
awk '/^[0-9a-f]+-[0-9a-f]+ / { name = (NF >= 6 ? $NF : "[anonymous]"); range = $1 }
     /^Private_(Clean|Dirty):/ { size[range " " name] += $2 }
     END { for (k in size) if (size[k] >= 512) print size[k], k }' "/proc/$ctl_pid/smaps" | sort -rn | head -8
