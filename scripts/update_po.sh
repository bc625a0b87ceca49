#!/bin/sh
# Brings the catalogues up to the code: extracts every phrase (P("key", "中文")) into
# "$pot"/disc-spring.pot, with the catalogue's texts of how sure its rows are (data/din2093.tsv,
# its "sureness" column), and merges it into each po/LANG.po, where new phrases wait untranslated
# and changed ones are marked fuzzy for a translator. With --check it changes nothing and fails
# when a catalogue lacks a phrase's translation or is not one gettext can compile (a test).
set -eu
cd "$(dirname "$0")/.."
pot=build/po
if [ "${1:-}" = --check ]; then
    pot=$(mktemp -d)
    trap 'rm -rf "$pot"' EXIT
fi
mkdir -p "$pot"
xgettext --language=C++ --from-code=UTF-8 --keyword= --keyword=P:1c,2 --add-location=file \
    --sort-by-file --package-name=disc-spring -o "$pot"/code.pot \
    rows/*.cpp rows/*.h design/*.cpp design/*.h batch/*.cpp batch/*.h tools/*.cpp tools/*.h \
    curve/*.cpp curve/*.h web/*.cpp web/*.h
{
    printf 'msgid ""\nmsgstr "Content-Type: text/plain; charset=UTF-8\\n"\n'
    grep -v '^#' data/din2093.tsv | tail -n +2 | cut -f11 | sort -u | grep -v '^$' |
        sed 's/\\/\\\\/g; s/"/\\"/g; s/.*/\n#: data\/din2093.tsv\nmsgctxt "sureness"\nmsgid "&"\nmsgstr ""/'
} > "$pot"/data.pot
msgcat --use-first -o "$pot"/disc-spring.pot "$pot"/code.pot "$pot"/data.pot
for po in po/*.po; do
    if [ "${1:-}" = --check ]; then
        msgfmt --check -o /dev/null "$po"
        msgcmp "$po" "$pot"/disc-spring.pot
        continue
    fi
    msgmerge --quiet --update --backup=none --no-wrap --add-location=file "$po" "$pot"/disc-spring.pot
done
