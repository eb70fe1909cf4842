#!/usr/bin/env bash
# Makes a man page from its template in resources/man/. @VERSION@ and @DATE@ are filled in;
# a line @OPTIONS@ or @SETTINGS@ becomes the option or setting list of `quillaran-web --help`,
# one tagged paragraph per entry, so that the pages list exactly what the program accepts,
# with the ranges it checks. The build runs it; by hand:
#
#   scripts/man-page.sh build/quillaran-web resources/man/quillaran-web.1.in out.1 2.3.1 2026-12-08
set -euo pipefail

[ $# -eq 5 ] || { echo "usage: $0 QUILLARAN_WEB TEMPLATE OUTPUT VERSION DATE" >&2; exit 2; }
program="$1" template="$2" output="$3" version="$4" date="$5"

help="$(mktemp)"
trap 'rm -f "$help" "$output.new"' EXIT
"$program" --help >"$help"
grep -q '^Options:$' "$help" && grep -q '^Settings' "$help" ||
  { echo "$0: $program --help has no option or setting list" >&2; exit 1; }

# In the help text a list starts after its heading line and ends at an empty line. An entry
# starts two spaces in: its term, two or more spaces, its text; deeper lines go on with the
# text. Options are set in bold with their argument in italics, settings in bold.
# In the template, .PD 0 before a list sets it without space between its entries.
awk -v version="$version" -v date="$date" '
  # Dashes of options are minus signs, so that a copied option works; other hyphens stay.
  function troff(text,    words, count, i, line) {
    gsub(/\\/, "\\e", text)
    count = split(text, words, " ")
    line = ""
    for (i = 1; i <= count; i++) {
      if (words[i] ~ /^[(\047"]*-/) gsub(/-/, "\\-", words[i])
      line = line (i > 1 ? " " : "") words[i]
    }
    return line ~ /^[.\047]/ ? "\\&" line : line
  }
  function term(text,    word, rest) {
    word = text; rest = ""
    if (match(text, / /)) { word = substr(text, 1, RSTART - 1); rest = substr(text, RSTART + 1) }
    return "\\fB" troff(word) "\\fR" (rest == "" ? "" : " \\fI" troff(rest) "\\fR")
  }
  FNR == NR {
    if ($0 == "Options:") { list = "OPTIONS"; next }
    if ($0 ~ /^Settings/) { list = "SETTINGS"; next }
    if ($0 == "") { list = ""; next }
    if (list == "") next
    text = $0
    sub(/^ +/, "", text)
    if ($0 ~ /^  [^ ]/) {
      entry = text
      text = ""
      if (match(entry, /  +/)) {
        text = substr(entry, RSTART + RLENGTH)
        entry = substr(entry, 1, RSTART - 1)
      }
      entries[list] = entries[list] ".TP\n" term(entry) "\n"
      if (length(entry) + 2 > indent[list]) indent[list] = length(entry) + 2
    }
    if (text != "") entries[list] = entries[list] troff(text) "\n"
    next
  }
  # The first entry sets the indent of the list: every term fits before its text.
  $0 == "@OPTIONS@" || $0 == "@SETTINGS@" {
    list = substr($0, 2, length($0) - 2)
    printf ".TP %dn\n%s", indent[list], substr(entries[list], 5)
    next
  }
  {
    gsub(/@VERSION@/, version)
    gsub(/@DATE@/, date)
    print
  }
' "$help" "$template" >"$output.new"
mv "$output.new" "$output"
