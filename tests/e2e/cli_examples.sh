#!/usr/bin/env bash
# End to end: every lumopocketo-cli command line that --help, the manual page
# and the README show is run, and must print what the text shows after it;
# and the bash completion, which reads --help, still finds its words there.
#   bash tests/e2e/cli_examples.sh <build folder>
#
# An example is a line "$ COMMAND" followed by the lines it prints (standard
# output and standard error together, in order) up to the next "$ " line or
# the end of the example block. An output line may end in a note after two or
# more blanks, "(...)", which is not output; a note "exit status N" gives the
# status the command must end with (otherwise 0).
set -u
build=$(cd "${1:?usage: cli_examples.sh <build folder>}" && pwd)
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cli=$build/src/cli/lumopocketo-cli
[ -x "$cli" ] || { echo "FAIL: $cli is not built"; exit 1; }

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
make_work
export HOME=$work XDG_STATE_HOME=$work/state
# "lumopocketo-cli" and "build/src/cli/lumopocketo-cli" both name the built program.
mkdir -p "$work/bin" "$work/build/src/cli"
ln -s "$cli" "$work/bin/lumopocketo-cli"
ln -s "$cli" "$work/build/src/cli/lumopocketo-cli"
export PATH=$work/bin:$PATH

# The example blocks of each document, one line each, a blank line after
# every block.
help_blocks() {
  "$cli" --help | sed -n '/^Examples:$/,/^$/p' | sed -e '1d' -e 's/^  //'
  echo
}
man_blocks() {
  sed -n '/^\.SH EXAMPLES/,/^\.SH/p' "$src/docs/man/lumopocketo-cli.1" |
    sed -n '/^\.nf/,/^\.fi/{/^\.nf/d;s/^\.fi$//;p}' |
    sed -e 's/\\-/-/g' -e "s/\\\\(aq/'/g" -e 's/\\(dq/"/g' -e 's/\\e/\\/g'
}
readme_blocks() {
  sed -n '/^## The command-line calculator/,/^## [^T]/p' "$src/README.md" |
    awk '/^    / { print substr($0, 5); inblock = 1; next }
         inblock { print ""; inblock = 0 }'
}

# Runs the examples read from standard input; $1 names the document.
run_examples() {
  local doc=$1 line cmd= expected= status=0 count=0
  run_one() {
    [ -n "$cmd" ] || return 0
    count=$((count + 1))
    local got rc
    got=$(cd "$work" && bash -c "$cmd" 2>&1 </dev/null)
    rc=$?
    check "$doc: \`$cmd\` prints what the text shows (got '$got')" test "$got" = "$expected"
    check "$doc: \`$cmd\` exits with status $status (got $rc)" test "$rc" = "$status"
  }
  while IFS= read -r line; do
    if [[ $line == '$ '* ]]; then
      run_one
      cmd=${line#\$ } expected= status=0
      [[ $cmd == *lumopocketo-cli* ]] || cmd=
    elif [ -z "$line" ]; then
      run_one
      cmd=
    elif [ -n "$cmd" ]; then
      if [[ $line =~ ^(.*[^ ])\ \ +\((.*)\)$ ]]; then
        line=${BASH_REMATCH[1]}
        [[ ${BASH_REMATCH[2]} =~ exit\ status\ ([0-9]+) ]] && status=${BASH_REMATCH[1]}
      fi
      expected+=${expected:+$'\n'}$line
    fi
  done
  run_one
  # A document whose examples the reader no longer finds must not pass.
  check "$doc: its examples are found (found $count)" test "$count" -ge 3
}

run_examples "--help" < <(help_blocks)
run_examples "manual page" < <(man_blocks)
run_examples "README" < <(readme_blocks)

# The completion's replies for the word before the cursor.
complete_word() {
  bash -c 'source "$1"; COMP_LINE="lumopocketo-cli $2"; COMP_POINT=${#COMP_LINE}
           COMP_WORDS=(lumopocketo-cli "$2"); _lumopocketo_cli; echo "${COMPREPLY[*]}"' \
    _ "$src/src/cli/lumopocketo-cli.bash-completion" "$1"
}
for pair in "--prefix=|on off" "--angle=r|rad" "--tr|--trace --trim" "sq|sqrt" "val|value:"; do
  word=${pair%%|*} want=${pair#*|}
  got=$(complete_word "$word")
  check "completion of '$word' gives '$want' (got '$got')" test "$got" = "$want"
done

finish
