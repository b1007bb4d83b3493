#!/usr/bin/env bash
# Proves that tools/setup.sh installs every program the run, test and benchmark scripts call:
# each external command found in the scripts (and the host tools the interface tests start) must
# be in setup.sh's command table, and the table's package must be in setup.sh's install lists or
# be one of Debian's essential packages, which every system has.
#   tools/check-setup.sh        # prints what is missing; exit status 1 when anything is
source "$(dirname "${BASH_SOURCE[0]}")/errors.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

scripts=(tools/*.sh tools/testbed/*.sh tests/*.sh tests/*/*.sh)

# The first word of every simple command. A scanner drops comments, quoted texts (an awk or sed
# program spans lines) and here-documents; the rest is split at the shell's command separators
# and keywords are skipped. Variables, project paths and function calls are filtered out below.
command_words() {
    local f
    for f in "$@"; do
        awk -v RS='\001' '
            {
                s = $0; out = ""; n = length(s); i = 1
                while (i <= n) {
                    # Plain text up to the next character that may start a quote, comment or
                    # here-document goes over as it is.
                    if (match(substr(s, i), /[\\\047"#<]/) == 0) { out = out substr(s, i); break }
                    out = out substr(s, i, RSTART - 1); i += RSTART - 1
                    c = substr(s, i, 1)
                    if (c == "\\") { out = out " "; i += 2; continue }
                    if (c == "\047") { j = index(substr(s, i + 1), "\047"); out = out "Q"; i += j + 1; continue }
                    if (c == "\"") {
                        j = i + 1
                        while (j <= n && substr(s, j, 1) != "\"") j += (substr(s, j, 1) == "\\") ? 2 : 1
                        # A command substitution inside the quotes still runs a command.
                        quoted = substr(s, i + 1, j - i - 1); subs = ""
                        while (match(quoted, /\$\([A-Za-z_.\/-]+/)) {
                            subs = subs "\n" substr(quoted, RSTART + 2, RLENGTH - 2) "\n"
                            quoted = substr(quoted, RSTART + RLENGTH)
                        }
                        out = out "Q" subs; i = j + 1; continue
                    }
                    if (c == "#" && (i == 1 || substr(s, i - 1, 1) ~ /[ \t\n]/)) {
                        while (i <= n && substr(s, i, 1) != "\n") i++
                        continue
                    }
                    if (substr(s, i, 2) == "<<" && substr(s, i, 3) != "<<<") {
                        rest = substr(s, i + 2)
                        if (match(rest, /^-?[ \t]*\047?[A-Za-z_]+\047?/)) {
                            tag = substr(rest, RSTART, RLENGTH); gsub(/[-\047 \t]/, "", tag)
                            eol = index(rest, "\n")
                            out = out substr(rest, RLENGTH + 1, eol - RLENGTH - 1) "\n"
                            body = substr(rest, eol + 1)
                            if (match(body, "(^|\n)[ \t]*" tag "(\n|$)")) { i = i + 2 + eol + RSTART + RLENGTH - 1; continue }
                            break
                        }
                    }
                    out = out c; i++
                }
                gsub(/[A-Za-z_][A-Za-z_0-9]*\+?=\([^)]*\)/, "", out)     # arrays
                gsub(/\$\{[^}]*\}|\{[A-Za-z_]+\}[<>]/, "V", out)          # expansions, fd variables
                gsub(/\(\([^)]*\)\)/, "", out)                          # arithmetic
                print out
            }' "$f"
    done | awk '
        {
            line = $0
            sub(/^[ \t]*[*A-Za-z0-9_.| \t-]+\)/, "", line)    # a case pattern
            gsub(/\$\(|`|\|\||&&|;;|[;|&(){}!]/, "\n", line)
            n = split(line, parts, "\n")
            for (i = 1; i <= n; i++) {
                m = split(parts[i], w, /[ \t]+/)
                for (j = 1; j <= m; j++) {
                    word = w[j]
                    if (word == "" || word ~ /^[A-Za-z_][A-Za-z_0-9]*(\[[^]]*\])?\+?=/) continue
                    if (word == "command" && w[j + 1] == "-v") { if (w[j + 2] !~ /^[QV]+$/) print w[j + 2]; break }
                    if (word == "for" || word ~ /^[QV]+$/) break
                    if (word ~ /^(if|then|else|elif|do|while|until|time|exec)$/) continue
                    if (word == "timeout") { print word; while (w[j + 1] ~ /^-/) j++; j++; continue }
                    # check DESCRIPTION COMMAND... of the test scripts: the command is the third word.
                    if (word == "check" && w[j + 1] ~ /^[QV]+$/) { j++; continue }
                    print word
                    break
                }
            }
        }'
}

# Shell builtins and keywords: no package provides them.
builtins='fi done esac case for in local export declare readonly return exit set unset shift source
trap wait read eval printf echo cd pwd kill test true false break continue type hash getopts let
umask ulimit mapfile readarray pushd popd jobs fg bg disown times command builtin'

# Functions the scripts define, and the variables they assign (an arithmetic expression's
# parentheses leave those at the start of a piece).
functions=$(grep -hoE '^[[:space:]]*[A-Za-z_][A-Za-z_0-9-]*\(\)' "${scripts[@]}" | tr -d ' \t()' | sort -u)
variables=$(grep -hoE '(^|[[:space:](;])[A-Za-z_][A-Za-z_0-9]*\+?=' "${scripts[@]}" | tr -d ' \t(;+=' | sort -u)
used=$(
    {
        command_words "${scripts[@]}"
        # The interface tests start host programs by their full path.
        grep -hoE 'L"/usr/s?bin/[A-Za-z0-9_.+-]+' tests/ui/*.cpp | sed 's|.*/||'
    } | grep -E '^[A-Za-z][A-Za-z0-9_.+-]*$' | grep -vxF -f <(printf '%s\n' $functions $variables $builtins) | sort -u
)

table=$(tools/setup.sh --table)
listed=" $(tools/setup.sh --packages | tr '\n' ' ') "
# Essential packages are installed on every Debian system; dpkg-query fails for the table's
# packages that are not installed yet (a fresh machine before tools/setup.sh), which are not
# essential either.
essential=" $({ dpkg-query -W -f='${Essential} ${Package}\n' $(awk '{ print $2 }' <<<"$table" | sort -u) 2>/dev/null || true; } |
    awk '$1 == "yes" { printf "%s ", $2 }') "
missing=0
for cmd in $used; do
    pkg=$(awk -v c="$cmd" '$1 == c { print $2 }' <<<"$table")
    if [[ -z $pkg ]]; then
        echo "check-setup: '$cmd' is called by the scripts but not in setup.sh's command table" >&2
        missing=1
    elif [[ $listed != *" $pkg "* && $essential != *" $pkg "* ]]; then
        echo "check-setup: '$cmd' comes from $pkg, which setup.sh does not install and is not essential" >&2
        missing=1
    fi
done
# A table entry no script calls any more is a stale row.
while read -r cmd _; do
    grep -qxF -- "$cmd" <<<"$used" || { echo "check-setup: setup.sh's command table names '$cmd', which no script calls" >&2; missing=1; }
done <<<"$table"
[[ $missing -eq 0 ]] || exit 1
echo "check-setup: the $(wc -w <<<"$used") external commands of the scripts come from packages setup.sh installs"
