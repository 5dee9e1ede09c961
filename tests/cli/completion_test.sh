#!/usr/bin/env bash
# The bash completion of korvane-cli, driven as bash drives it, against the built program.
# Usage: completion_test.sh KORVANE_CLI COMPLETION_SCRIPT
set -uo pipefail
source /usr/share/bash-completion/bash_completion || { echo "bash-completion is not installed"; exit 1; }
source "$2"
PATH=$(cd "$(dirname "$1")" && pwd):$PATH
cd "$(mktemp -d)" && touch a.lin b.json c.argdown d.png e.txt
failed=0
expect() {
  local want=$1; shift
  COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="${COMP_WORDS[*]}"; COMP_POINT=${#COMP_LINE}; COMPREPLY=()
  _korvane_cli
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
  if [[ $got != "$want" ]]; then
    echo "FAIL [$*]: want '$want', got '$got'"; failed=1
  fi
}
expect "delete-connection delete-exception delete-statement" korvane-cli del
expect "render" korvane-cli ren
expect "a.lin" korvane-cli eval ''
expect "b.json c.argdown" korvane-cli import ''
expect "aif argdown aspic dot graphml" korvane-cli export a.lin --format ''
expect "aif argdown" korvane-cli import b.json --output x.lin --format ''
expect "dialectical map statements" korvane-cli render a.lin --view ''
expect "1 2 3 4" korvane-cli render a.lin --scale ''
expect "d.png" korvane-cli render a.lin --output ''
expect "--output" korvane-cli delete-statement a.lin S --o
expect "--scale --structure-only" korvane-cli render a.lin --s
exit $failed
