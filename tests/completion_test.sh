#!/usr/bin/env bash
# qtb-solve's bash completion: the words it offers for command lines typed so far.
#   tests/completion_test.sh COMPLETION-SCRIPT EXAMPLES-FOLDER
set -u
source "$1"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp -r "$2"/. "$folder"
: >"$folder/models/prices.dat"
: >"$folder/notes.txt"
cd "$folder" || exit 1

failures=0
# expect "WORDS OFFERED" WORD... (the last word is the one being completed)
expect() {
    local wanted=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    _qtb_solve
    local got="${COMPREPLY[*]}"
    if [[ $got != "$wanted" ]]; then
        echo "FAIL: $* => '$got', expected '$wanted'"
        failures=$((failures + 1))
    fi
}

expect "--encoding" qtb-solve --enc
expect "--allow-report-path --allow-large-report" qtb-solve --allow
expect "cp1251 utf-8" qtb-solve --encoding ""
expect "utf-8" qtb-solve --encoding = u
expect "cp1251 utf-8" qtb-solve --encoding =
expect "utf-8" qtb-solve --encoding=u
expect "data data+optimal" qtb-solve --tables d
expect "qtb lp mps freemps mathprog" qtb-solve --format ""
expect "dantzig bland" qtb-solve --rule ""
expect "double exact" qtb-solve --arithmetic ""
expect "text latex html" qtb-solve --output ""
expect "" qtb-solve --stop ""
expect "maximize.qtb maximize_ru.qtb mix.qtb models/" qtb-solve m
expect "models/diet.lp models/diet.mps" qtb-solve --json models/diet
expect "models/klee_minty.lp models/klee_minty.mod" qtb-solve models/k
expect "models/prices.dat" qtb-solve --data models/
expect "notes.txt" qtb-solve --report n
expect "models/" qtb-solve --report mo
complete -p qtb-solve >/dev/null || { echo "FAIL: no completion registered"; failures=$((failures + 1)); }
((failures == 0)) && echo "completion: all cases offer what they should"
exit $((failures != 0))
