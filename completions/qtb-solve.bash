# bash completion for qtb-solve: its options, their enumerated values, and the files each takes.

_qtb_solve_files() {
    # $1: an extended pattern of the names offered (folders are always offered)
    local cur=$2 IFS=$'\n' name
    local -a names
    COMPREPLY=()
    while IFS= read -r name; do
        [[ -n $name ]] && names+=("$name")
    done < <(compgen -f -X "!$1" -- "$cur"; compgen -d -- "$cur")
    for name in "${names[@]}"; do
        if [[ -d $name ]]; then COMPREPLY+=("$name/"); else COMPREPLY+=("$name"); fi
    done
    # Deduplicated: a folder that matched the pattern too is offered once.
    mapfile -t COMPREPLY < <(printf '%s\n' "${COMPREPLY[@]}" | sort -u)
    compopt -o nospace -o filenames 2>/dev/null
}

_qtb_solve() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local options="--tables --print --accuracy --report --format --data --model-time-limit
        --model-memory-limit --stop --write-qtb --write-dual --plot --arithmetic --rule --method --start --integer --nodes --cuts --report-notes
        --sensitivity --dual --output --encoding --json --overwrite --allow-report-path --time-limit --allow-large-report
        --variants --seed --size --out --sense --rows --artificial --iterations --numbers --template --force
        --help --version"
    shopt -s extglob
    # --name=value is completed as --name value; bash splits it into "--name" "=" "value".
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = ]] && ((COMP_CWORD >= 2)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $cur == --*=* ]]; then
        prev=${cur%%=*}
        cur=${cur#*=}
    fi
    local values=
    case $prev in
        --tables) values="all data optimal data+optimal none" ;;
        --format) values="qtb lp mps freemps mathprog" ;;
        --arithmetic) values="double exact" ;;
        --rule) values="dantzig bland" ;;
        --method) values="big-m two-phase dual potentials" ;;
        --start) values="northwest least-cost vogel" ;;
        --integer) values="branch gomory relax" ;;
        --output) values="text latex html" ;;
        --encoding) values="cp1251 utf-8" ;;
        --sense) values="max min" ;;
        --rows) values="le ge eq le,ge le,eq ge,eq le,ge,eq" ;;
        --artificial) values="yes no" ;;
        --numbers) values="integer decimal" ;;
        --template) _qtb_solve_files '*.@(qtb|lp|mps|mod)' "$cur"; return ;;
        --out)  # folders only, each with its slash
            mapfile -t COMPREPLY < <(compgen -d -- "$cur" | sed 's|$|/|')
            compopt -o nospace -o filenames 2>/dev/null
            return
            ;;
        --data) _qtb_solve_files '*.dat' "$cur"; return ;;
        --plot) _qtb_solve_files '*.svg' "$cur"; return ;;
        --write-qtb) _qtb_solve_files '*.qtb' "$cur"; return ;;
        --write-dual) _qtb_solve_files '*.lp' "$cur"; return ;;
        --report) _qtb_solve_files '*.@(txt|tex|html)' "$cur"; return ;;
        --print | --accuracy | --stop | --nodes | --cuts | --time-limit | --model-time-limit | --model-memory-limit | --variants | --seed | \
            --size | --iterations)
            COMPREPLY=()
            return
            ;;
    esac
    if [[ -n $values ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$values" -- "$cur")
        return
    fi
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
        return
    fi
    _qtb_solve_files '*.@(qtb|qtt|lp|mps|mod)' "$cur"
}

complete -F _qtb_solve qtb-solve
