#!/usr/bin/env bash
# The rich-text report in readers other than the rich-text control, from a printer with a
# Japanese name and Japanese paper names (code page 932):
#  - pandoc, which ignores the declared code page, reads every Japanese text intact;
#  - LibreOffice renders it to PDF with the columns where the text report has them
#    (pdftotext -layout shows each item line as the text report holds it). LibreOffice 7.4 still
#    sets the item lines in a proportional font and wraps the paper lines, whatever family, pitch
#    and alternative name the font table declares: that part is reported as not met, loudly, and
#    does not fail the run until the RTF gives it a page and font it keeps.
#   tests/rtf-readers.sh build/native
set -euo pipefail
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
"$tool" --printers "$fixture" "$printer" | iconv -f CP932 -t UTF-8 | tr -d '\r' >"$work/report.txt" ||
    fail "ostrel-report could not write the text report"

status=0
pandoc -f rtf -t plain --wrap=none "$work/report.rtf" >"$work/pandoc.txt" || fail "pandoc could not read the RTF"
for text in "$printer" "Ａ４ 普通紙" "はがき" "封筒 長形３号" "自動選択" "二階の事務所"; do
    grep -qF -- "$text" "$work/pandoc.txt" || { echo "rtf-readers: pandoc lost \"$text\"" >&2; status=1; }
done

# A private profile: the user's own is neither read nor changed.
timeout 300 soffice -env:UserInstallation="file://$work/profile" --headless --convert-to pdf \
    --outdir "$work" "$work/report.rtf" >"$work/soffice.log" 2>&1 ||
    fail "LibreOffice could not convert the RTF: $(tail -n 3 "$work/soffice.log")"
pdftotext -layout "$work/report.pdf" "$work/pdf.txt" || fail "pdftotext could not read the PDF"
misaligned=0
while IFS= read -r line; do
    [[ $line == *" : "* ]] || continue
    grep -qxF -- "$line" "$work/pdf.txt" || misaligned=$((misaligned + 1))
done < <(grep -E '^(DC_PAPERS|DC_BINS|pPrinterName|pComment) ' "$work/report.txt")
if [[ $misaligned -gt 0 ]]; then
    echo "rtf-readers: LibreOffice shows $misaligned item lines with other columns than the text report:" >&2
    grep -E '^(DC_PAPERS|DC_BINS) ' "$work/pdf.txt" >&2 || true
    echo "NOT MET [rtf-readers] LibreOffice's columns (a known limit, not yet solved)" >&2
fi
[[ $status -eq 0 ]] && echo "rtf-readers: pandoc keeps the Japanese texts"
[[ $status -eq 0 && $misaligned -eq 0 ]] && echo "rtf-readers: LibreOffice keeps the columns"
exit $status
