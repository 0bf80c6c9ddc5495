#!/usr/bin/env bash
# qtb-solve's bash completion: the words it offers for command lines typed so far; with the
# program, that it offers exactly the options of the program's help, which the manual page names too.
#   tests/completion_test.sh COMPLETION-SCRIPT EXAMPLES-FOLDER [QTB-SOLVE MANUAL-PAGE]
set -u
source "$1"
solver=${3:+$(realpath "$3")}
manual=${4:+$(realpath "$4")}
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
expect "branch gomory relax" qtb-solve --integer ""
expect "" qtb-solve --nodes ""
expect "text latex html" qtb-solve --output ""
expect "northwest least-cost vogel" qtb-solve --start ""
expect "transport/open_forbidden_ru.qtt transport/profit.qtt transport/transport.qtt" qtb-solve transport/
expect "" qtb-solve --stop ""
expect "maximize.qtb maximize_ru.qtb mix.qtb models/" qtb-solve m
expect "models/diet.lp models/diet.mps" qtb-solve --json models/diet
expect "models/klee_minty.lp models/klee_minty.mod" qtb-solve models/k
expect "models/prices.dat" qtb-solve --data models/
expect "notes.txt" qtb-solve --report n
expect "models/" qtb-solve --report mo
expect "max min" qtb-solve --sense ""
expect "integer decimal" qtb-solve --numbers ""
expect "models/" qtb-solve --out mo
expect "mix.qtb" qtb-solve --template mi
if [[ -n $solver ]]; then
    # The option lines of the help's list of options: "  --name ..." or "  -h, --help".
    helped=$("$solver" --help | sed -n '/^Параметры:$/,/^  Параметр можно/s/^  \(-h, \)\?\(--[a-z-]*\).*/\2/p' |
        sort | tr '\n' ' ')
    COMP_WORDS=(qtb-solve --)
    COMP_CWORD=1
    COMPREPLY=()
    _qtb_solve
    offered=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
    if [[ $helped != "$offered" ]]; then
        echo "FAIL: the completion offers '$offered', the help names '$helped'"
        failures=$((failures + 1))
    fi
    for option in $helped; do
        if ! grep -qF -- "${option//-/\\-}" "$manual"; then
            echo "FAIL: the manual page does not name $option"
            failures=$((failures + 1))
        fi
    done
fi
complete -p qtb-solve >/dev/null || { echo "FAIL: no completion registered"; failures=$((failures + 1)); }
((failures == 0)) && echo "completion: all cases offer what they should"
exit $((failures != 0))
