#!/bin/sh
# Makes the locales the Windows tests run Wine in, into the folder $1 (for
# LOCPATH): German, whose ANSI code page is 1252, and Russian, whose ANSI
# code page (1251) is not. Wine takes its locale, and so its code pages and
# the language of the system's own texts, from the locale it runs in.
set -eu
mkdir -p "$1"
for name in de_DE ru_RU; do
    localedef -i "$name" -f UTF-8 "$1/$name.UTF-8" 2>/dev/null || test -d "$1/$name.UTF-8"
done
test -d "$1/de_DE.UTF-8" && test -d "$1/ru_RU.UTF-8"
