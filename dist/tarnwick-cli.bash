# bash completion for tarnwick-cli: its commands, options and the captions of the folders.
_tarnwick_cli() {
  local cur prev command i
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  command=
  for ((i = 1; i < COMP_CWORD; i++)); do
    case ${COMP_WORDS[i]} in
      list|survey|size|export) command=${COMP_WORDS[i]}; break ;;
    esac
  done

  if [[ -z $command ]]; then
    COMPREPLY=($(compgen -W "list survey size export --help" -- "$cur"))
    return
  fi
  case $prev in
    --csv|--compare) compopt -o filenames; COMPREPLY=($(compgen -f -- "$cur")); return ;;
    --threads) COMPREPLY=($(compgen -W "1 2 4 8" -- "$cur")); return ;;
  esac
  case $command in
    list) COMPREPLY=($(compgen -W "--json --help" -- "$cur")) ;;
    size)
      if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--bytes --json --disk-usage --count-links-once --counts --threads --errors --help" -- "$cur"))
      else
        compopt -o dirnames; COMPREPLY=($(compgen -d -- "$cur"))
      fi ;;
    survey|export)
      if [[ $cur == -* ]]; then
        local options="--all --help"
        [[ $command == survey ]] &&
          options+=" --csv --json --compare --disk-usage --count-links-once --counts --threads --errors"
        [[ $command == export ]] && options+=" --threads --errors"
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
      else
        # The program itself names its folders; captions hold blanks, so each is one quoted word.
        local IFS=$'\n' caption
        local captions=($("${COMP_WORDS[0]}" list --captions 2>/dev/null))
        local typed=${cur#[\"\']}
        COMPREPLY=()
        for caption in "${captions[@]}"; do
          [[ ${caption,,} == "${typed,,}"* ]] && COMPREPLY+=("$(printf '%q' "$caption")")
        done
      fi ;;
  esac
}
complete -F _tarnwick_cli tarnwick-cli
