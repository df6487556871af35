#!/usr/bin/env bash
# Draws the house from its includes: one arrow per pair of folders where a file of
# the first includes a file of the second, each folder on its floor (the table
# below, lowest first). Fails when an arrow runs up to a higher floor, when a
# folder has no floor yet, when a program's folder includes the simulator, or when
# files include each other round in a circle, except the application object and its
# main window, which know each other by design.
#   tools/check-includes.sh          check; print only problems
#   tools/check-includes.sh --draw   also print every arrow
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# folder floor. Ports (and the maker library's portable records) and the simulator
# sit low, the portable cores above them; nothing portable may include ui/ or an
# adapter, which therefore sit above every core; then the window classes; the
# programs' composition on top.
floors='
resources/controller     0
resources/launcher       0
platform                10
platform/minfolib       12
sim                     15
monitor                 20
shell                   30
modes                   40
calmira                 40
match                   40
launcher                40
ctl                     45
ui                      50
platform/win32          50
platform/pugixml        50
sim/dll                 55
sim/tool                55
shell/win               60
modes/win               70
calmira/win             70
match/win               70
launcher/win            70
ctl/linux               75
ctl/win                 75
controller              80
tools/discovery_report  80
'
# Pairs of files (without extension) allowed to include each other: each
# program's application object and its main window, and the framework's.
pairs='
shell/win/vistrel_app shell/win/vistrel_dlg
launcher/win/launcher_app launcher/win/launcher_dlg
ui/application ui/dialog
'
# Circles between files that were there when this check came, printed rather than
# failed until their folders' owners untied them; all are untied, and a new one fails.
known='
'

draw=
[[ ${1:-} == --draw ]] && draw=1

# Every folder of the programs, the simulator and the tools; the tests sit on top of
# everything and are not drawn.
folders=$(find . -mindepth 1 -maxdepth 1 -type d ! -name '.*' ! -name build ! -name tests ! -name bench \
  ! -name cmake -printf '%f\n' | sort)
# shellcheck disable=SC2086
sources=$(find $folders -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.rc' \) | sort)

# shellcheck disable=SC2086
{ echo "$floors" | sed 's/^/F /'; echo "$pairs" | sed 's/^/P /'; echo "$known" | sed 's/^/K /'
  echo "$sources" | sed 's/^/S /'; } |
awk -v draw="$draw" '
function dir(path) { sub(/\/[^\/]*$/, "", path); return path }
function stem(path) { sub(/\.[^.\/]*$/, "", path); return path }
# The controls are the framework'"'"'s own part, and the access operations are members
# of the monitor list: each is drawn as one folder with its parent.
function folder(path) {
  path = dir(path)
  return path == "ui/controls" ? "ui" : path == "monitor/access" ? "monitor" : path
}
function add(level, a, b) {
  if (a == b || ((level SUBSEP a SUBSEP b) in linked)) return
  linked[level, a, b] = 1
  links[level, a] = links[level, a] " " b
  edges[level] = edges[level] "\n" a " " b
}
# The way back from b to a along the links of one level, "" when there is none.
function way_back(level, a, b,    head, tail, node, count, j, t, path) {
  for (t in seen) delete seen[t]
  head = 1; tail = 1; queue[1] = b; seen[b] = 1
  while (head <= tail) {
    node = queue[head++]
    count = split(links[level, node], next_nodes, " ")
    for (j = 1; j <= count; j++) {
      t = next_nodes[j]
      if ((node " " t) in allowed || t in seen) continue
      seen[t] = node; queue[++tail] = t
      if (t == a) {
        path = a
        for (t = a; t != b; t = seen[t]) path = seen[t] " -> " path
        return path
      }
    }
  }
  return ""
}
# The members of a circle, sorted, as one string: the same circle found from
# each of its links is reported once.
function members(list,    count, names, i, j, t, result) {
  gsub(/ -> /, " ", list)
  count = split(list, names, " ")
  for (i = 2; i <= count; i++)
    for (j = i; j > 1 && names[j - 1] > names[j]; j--) { t = names[j]; names[j] = names[j - 1]; names[j - 1] = t }
  result = ""
  for (i = 1; i <= count; i++) if (i == 1 || names[i] != names[i - 1]) result = result " " names[i]
  return result
}
function circles(level, what,    count, k, ends, path, key) {
  count = split(edges[level], pairs_of_level, "\n")
  for (k = 1; k <= count; k++) {
    if (split(pairs_of_level[k], ends, " ") != 2 || (pairs_of_level[k] in allowed)) continue
    path = way_back(level, ends[1], ends[2])
    if (path == "") continue
    key = members(path)
    if (key in circle_seen) continue
    circle_seen[key] = 1
    if (key in known) { print "check-includes: known circle of " what ": " ends[1] " -> " path; continue }
    print "check-includes: circle of " what ": " ends[1] " -> " path > "/dev/stderr"
    problems++
  }
}
FNR == NR {
  if ($1 == "F" && NF == 3) floor[$2] = $3
  else if ($1 == "P" && NF == 3) { allowed[$2 " " $3] = 1; allowed[$3 " " $2] = 1 }
  else if ($1 == "S" && NF == 2) exists[$2] = 1
  else if ($1 == "K" && NF > 2) { $1 = ""; known[members($0)] = 1 }
  next
}
# Second input on: the sources themselves.
/^[ \t]*#[ \t]*include[ \t]*"/ {
  target = $0
  sub(/^[^"]*"/, "", target); sub(/".*/, "", target)
  local = dir(FILENAME) "/" target
  if (local in exists) target = local
  else if (!(target in exists)) next
  a = folder(FILENAME); b = folder(target)
  if (a != b) arrow[a " " b]++
  add("folders", a, b)
  add("files", stem(FILENAME), stem(target))
}
END {
  problems = 0
  for (key in arrow) {
    split(key, ends, " ")
    for (i = 1; i <= 2; i++)
      if (!(ends[i] in floor) && !(ends[i] in reported)) {
        reported[ends[i]] = 1
        print "check-includes: folder " ends[i] " has no floor in tools/check-includes.sh" > "/dev/stderr"
        problems++
      }
    up = (ends[1] in floor) && (ends[2] in floor) && floor[ends[2]] + 0 > floor[ends[1]] + 0
    # The simulator is the oracle of the tests: the programs never build on it.
    if (ends[2] ~ /^sim(\/|$)/ && ends[1] !~ /^sim(\/|$)/) {
      print "check-includes: " ends[1] " includes the simulator (" arrow[key] " includes)" > "/dev/stderr"
      problems++
    }
    if (up) {
      print "check-includes: arrow runs up: " ends[1] " -> " ends[2] " (" arrow[key] " includes)" > "/dev/stderr"
      problems++
    }
    if (draw) printf "%3d %-22s -> %-22s %3d%s\n", floor[ends[1]], ends[1], ends[2], arrow[key], up ? "  UP" : "" | "sort -k1,1nr -k2,2 -k4,4"
  }
  if (draw) close("sort -k1,1nr -k2,2 -k4,4")
  circles("folders", "folders")
  circles("files", "files")
  exit problems > 0
}
' - $sources
