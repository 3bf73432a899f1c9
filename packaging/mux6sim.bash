# bash completion for mux6sim: its options as its own --help names them, so
# the completion cannot drift from the program.
_mux6sim() {
    local cur="${COMP_WORDS[COMP_CWORD]}"
    COMPREPLY=()
    [[ $cur == -* ]] || return 0
    local optionen
    optionen=$("${COMP_WORDS[0]}" --help 2>/dev/null | grep -oE -- '(^|[ ,])--?[a-z][a-z0-9-]*' |
        tr -d ' ,' | sort -u)
    COMPREPLY=($(compgen -W "$optionen" -- "$cur"))
    return 0
}
# Option values are files, addresses or numbers: the default completion gives files.
complete -o default -F _mux6sim mux6sim
