#!/usr/bin/env bash
# The rich-text report in readers other than the rich-text control, from a printer with a
# Japanese name and Japanese paper names (code page 932):
#  - pandoc, which ignores the declared code page, reads every Japanese text intact;
#  - LibreOffice renders it to PDF with every item line whole and its words in the text report's
#    columns. pdftotext reads the PDF on a grid of half-width cells (4.5 points, half the 9-point
#    report font); there a word starts at the column where the text report has it, counted in the
#    code page's bytes (a double-byte character fills two cells), after the page's margin.
#   tests/rtf-readers.sh build/native
source "$(dirname "${BASH_SOURCE[0]}")/../tools/errors.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:?usage: tests/rtf-readers.sh NATIVE_BUILD_FOLDER}
tool=$build/console/ostrel-report
fixture=$root/tests/fixtures/printers/japanese-office.json
printer=事務所プリンタ

fail() { printf 'rtf-readers: %s\n' "$*" >&2; exit 1; }
for command in pandoc soffice pdftotext iconv; do
    command -v "$command" >/dev/null || fail "$command is missing (tools/setup.sh installs it)"
done
[[ -x $tool ]] || fail "$tool is not built"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" --printers "$fixture" -o "$work/report.rtf" "$printer" || fail "ostrel-report could not write the RTF"
"$tool" --printers "$fixture" "$printer" >"$work/report.txt" || fail "ostrel-report could not write the text report"

status=0
pandoc -f rtf -t plain --wrap=none "$work/report.rtf" >"$work/pandoc.txt" || fail "pandoc could not read the RTF"
for text in "$printer" "Ａ４ 普通紙" "はがき" "封筒 長形３号" "自動選択" "二階の事務所"; do
    grep -qF -- "$text" "$work/pandoc.txt" || { echo "rtf-readers: pandoc lost \"$text\"" >&2; status=1; }
done

# A private profile: the user's own is neither read nor changed.
timeout 300 soffice -env:UserInstallation="file://$work/profile" --headless --convert-to pdf \
    --outdir "$work" "$work/report.rtf" >"$work/soffice.log" 2>&1 ||
    fail "LibreOffice could not convert the RTF: $(tail -n 3 "$work/soffice.log")"
pdftotext -layout -fixed 4.5 "$work/report.pdf" "$work/pdf.txt" || fail "pdftotext could not read the PDF"

# One line per text line: its words, a tab, and the column each word starts at. A column is a
# character, or a byte where LC_ALL=C.
word_columns() {
    local line rest column word words columns
    while IFS= read -r line; do
        rest=$line column=0 words='' columns=''
        while [[ -n $rest ]]; do
            if [[ $rest == " "* ]]; then
                rest=${rest:1}
                column=$((column + 1))
                continue
            fi
            word=${rest%% *}
            words+=" $word" columns+=" $column"
            column=$((column + ${#word}))
            rest=${rest:${#word}}
        done
        printf '%s\t%s\n' "${words# }" "${columns# }"
    done
}
# The text report's item lines in its code page's bytes; pdftotext writes a double-byte character
# as one character and pads to the cell of the next word.
grep -a ' : ' "$work/report.txt" | tr -d '\r' | (export LC_ALL=C; word_columns) | iconv -f CP932 -t UTF-8 \
    >"$work/expected.txt" || fail "the text report has no item lines"
tr -d '\f' <"$work/pdf.txt" | (export LC_ALL=C.UTF-8; word_columns) >"$work/shown.txt"
# The margin is where the first item line's label starts.
misaligned=$(awk -F'\t' '
    NR == FNR { shown[$1] = $2; next }
    FNR == 1 && ($1 in shown) { split(shown[$1], s, " "); split($2, e, " "); margin = s[1] - e[1] }
    {
        if (!($1 in shown)) { print "missing or wrapped: " $1; next }
        n = split(shown[$1], s, " "); split($2, e, " ")
        for (i = 1; i <= n; ++i) if (s[i] - margin != e[i]) { print "columns " shown[$1] " (margin " margin "), not " $2 ": " $1; next }
    }' "$work/shown.txt" "$work/expected.txt")
if [[ -n $misaligned ]]; then
    echo "rtf-readers: LibreOffice shows $(printf '%s\n' "$misaligned" | wc -l) of $(wc -l <"$work/expected.txt") item lines other than the text report:" >&2
    printf '%s\n' "$misaligned" | head -n 8 >&2
    status=1
fi
[[ $status -eq 0 ]] && echo "rtf-readers: pandoc keeps the Japanese texts"
[[ -z $misaligned ]] && echo "rtf-readers: LibreOffice keeps the columns of $(wc -l <"$work/expected.txt") item lines"
exit $status
