#!/bin/bash
# Checks the spelling of the built-in texts written for the program in German, Italian, Brazilian
# Portuguese and Spanish with Debian's hunspell dictionaries, allowing the words of
# core/lang/spelling_words.txt: our names, abbreviations and technical terms, and the elided
# Italian prepositions (dell', nell', all') that the Italian dictionary lacks. That list holds
# words alone, one a line: hunspell would take a comment's words as allowed words too.
# Usage: check_spelling.sh <zd_translation_files>
set -euo pipefail
tool=$1
words=$(dirname "$0")/../../core/lang/spelling_words.txt
status=0
for pair in 2:de_DE 3:it_IT 4:pt_BR 5:es_ES; do
  language=${pair%%:*} dictionary=${pair#*:}
  # Hyphens split words: compounds such as "COM-Port" are checked part by part.
  unknown=$("$tool" --written-texts "$language" | iconv -f CP1252 -t UTF-8 | tr -- '-' ' ' |
    hunspell -d "$dictionary" -p "$words" -l | sort -u)
  if [[ -n $unknown ]]; then
    echo "$dictionary: unknown words:" $unknown
    status=1
  fi
done
exit $status
