# SPDX-License-Identifier: GPL-3.0-or-later
# Completion of qvn's options for bash. The --set keys and column keys come from qvn itself
# (--list-keys, --list-columns), so they always match the installed program.

_qvn_options='--favourite --save-favourite --pairs --prefs --from --set --match-case --pref
--format --columns --changed --debug --sort --rename --yes --undo --undo-script --help
--version --list-keys --list-columns --print0 --quiet --color -f -s -p -y -0 -q -h'

_qvn_set_keys() {
    local word=${1//\\/} key
    word=${word#[\'\"]}
    while IFS= read -r key; do
        [[ $key == "$word"* ]] && COMPREPLY+=("$(printf '%q' "$key")=")
    done < <("${COMP_WORDS[0]}" --list-keys 2>/dev/null | cut -f1)
    compopt -o nospace 2>/dev/null
}

# Comma-separated keys: completes the last one, keeping those already typed.
_qvn_column_list() {
    local cur=$1 head="" key
    [[ $cur == *,* ]] && head=${cur%,*},
    while IFS= read -r key; do
        [[ $head$key == "$cur"* ]] && COMPREPLY+=("$head$key")
    done < <("${COMP_WORDS[0]}" --list-columns 2>/dev/null)
    compopt -o nospace 2>/dev/null
}

_qvn_sort_keys() {
    local key
    while IFS= read -r key; do
        COMPREPLY+=($(compgen -W "$key $key:asc $key:desc" -- "$1"))
    done < <("${COMP_WORDS[0]}" --list-columns 2>/dev/null | head -n 12)
}

_qvn() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    case $prev in
    -s | --set) _qvn_set_keys "$cur"; return ;;
    --format) COMPREPLY=($(compgen -W 'table tsv json' -- "$cur")); return ;;
    --color) COMPREPLY=($(compgen -W 'auto always never' -- "$cur")); return ;;
    --columns) _qvn_column_list "$cur"; return ;;
    --sort) _qvn_sort_keys "$cur"; return ;;
    -f | --favourite | --save-favourite | --pairs | --prefs | --from | --undo-script)
        COMPREPLY=($(compgen -f -- "$cur")); return ;;
    -p | --pref | --debug) return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$_qvn_options" -- "$cur"))
    else
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}
complete -F _qvn qvn
