#!/usr/bin/env bash
# Checks that a fresh Debian machine can run our scripts: every command a script
# runs (read by tools/list-script-commands.awk) is listed in tools/commands.txt,
# the listed package really owns that command here, and tools/install-deps.sh
# installs it (or it is part of every Debian system). Run after install-deps.sh.
# Exits 1 and names each problem otherwise.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

declare -A owner installer
while read -r command package via; do
  [[ -z $command || $command == \#* ]] && continue
  owner[$command]=$package installer[$command]=$via
done <tools/commands.txt

# The package list of install-deps.sh: the words of its packages=( ... ) array.
installed_by_us=" $(sed -n '/^packages=(/,/^)/p' tools/install-deps.sh | sed 's/#.*//; s/packages=(//; s/)//' | tr -s ' \n' '  ') "

problems=0
problem() { echo "check-commands: $*" >&2; problems=$((problems + 1)); }

# Whether a package owns a command: follow the links one at a time
# (alternatives), and try the /bin form of /usr/bin paths (merged /usr).
owns() {
  local package=$1 path=$2 step candidate next lists
  lists=$(ls /var/lib/dpkg/info/"$package".list /var/lib/dpkg/info/"$package":*.list 2>/dev/null || true)
  [[ -n $lists ]] || return 1
  for step in 1 2 3 4 5; do
    for candidate in "$path" "${path#/usr}"; do
      # shellcheck disable=SC2086
      grep -Fxq "$candidate" $lists && return 0
    done
    [[ -L $path ]] || return 1
    next=$(readlink "$path")
    [[ $next == /* ]] || next=$(dirname "$path")/$next
    path=$next
  done
  return 1
}

scripts=$(find tools tests bench sim launcher resources .ci -path '*/build' -prune -o \
  -type f \( -name '*.sh' -o -path '.ci/*' \) -print 2>/dev/null | sort)
declare -A seen
external=0
for script in $scripts; do
  while read -r where command; do
    [[ -n ${seen[$command]:-} ]] && continue
    seen[$command]=$where
    case $(type -t "$command" || true) in builtin|keyword) continue ;; esac
    external=$((external + 1))
    if [[ -z ${owner[$command]:-} ]]; then
      problem "$where runs '$command', which tools/commands.txt does not list (add it with its package, and the package to install-deps.sh)"
    fi
  done < <(awk -f tools/list-script-commands.awk "$script")
done

for command in $(printf '%s\n' "${!owner[@]}" | sort); do
  package=${owner[$command]} via=${installer[$command]}
  if [[ $via == - ]]; then
    priority=$(dpkg-query -W -f='${Priority}' "$package" 2>/dev/null || true)
    [[ $priority == required ]] || problem "'$command' comes from $package, which is not in every Debian system: install-deps.sh must install it"
  elif [[ $installed_by_us != *" $via "* ]]; then
    problem "'$command' needs the package $via, which tools/install-deps.sh does not install"
  # apt-cache's output is taken whole before grep reads it: with pipefail, grep -q
  # leaving at the first match would make apt-cache die of SIGPIPE now and then.
  elif [[ $via != "$package" ]] && ! grep -q "Depends: $package\$" <<<"$(apt-cache depends "$via" 2>/dev/null)"; then
    problem "'$command' comes from $package, which $via does not bring"
  fi
  paths=$(type -ap "$command" || true)
  if [[ -z $paths ]]; then
    problem "'$command' is not installed (run tools/install-deps.sh)"
    continue
  fi
  owned=
  for path in $paths; do owns "$package" "$path" && owned=$path && break; done
  [[ -n $owned ]] || problem "'$command' ($(tr '\n' ' ' <<<"$paths")) does not belong to $package as tools/commands.txt says"
done

if ((problems)); then
  echo "check-commands: $problems problem(s)" >&2
  exit 1
fi
echo "check-commands: $external commands in $(wc -w <<<"$scripts") scripts, each from a package install-deps.sh installs"
