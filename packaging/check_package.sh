#!/usr/bin/env bash
# Checks a built package without installing it: its control data and
# contents, lintian, the desktop entry, the AppStream metadata and the
# manual pages.
set -euo pipefail
deb=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
dpkg-deb --extract "$deb" "$work"

for f in usr/bin/kaldora usr/bin/kaldora-calc usr/libexec/kaldora/kaldora-calc-protocol \
         usr/share/kaldora/RiriRuvu.html \
         usr/share/applications/io.github.kaldora.kaldora.desktop \
         usr/share/metainfo/io.github.kaldora.kaldora.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/io.github.kaldora.kaldora.svg \
         usr/share/man/man1/kaldora.1.gz usr/share/man/man1/kaldora-calc.1.gz \
         usr/share/doc/kaldora/copyright usr/share/doc/kaldora/changelog.gz; do
  [ -e "$work/$f" ] || { echo "missing from the package: /$f" >&2; exit 1; }
done

desktop-file-validate "$work/usr/share/applications/io.github.kaldora.kaldora.desktop"
# Clean down to the pedantic notes: any of them fails.
metainfo=$(appstreamcli validate --pedantic --no-net "$work/usr/share/metainfo/io.github.kaldora.kaldora.metainfo.xml")
echo "$metainfo"
[ "$(tail -1 <<<"$metainfo")" = "✔ Validation was successful." ] || { echo "metainfo is not clean" >&2; exit 1; }
for page in kaldora kaldora-calc; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$work/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$page(1): $warnings" >&2; exit 1; }
done

# Errors and warnings fail; every tag down to the pedantic ones is listed.
lintian -EvI --pedantic --fail-on error,warning --tag-display-limit 0 "$deb"
echo "package checked: $deb"
