#!/usr/bin/env bash
# Builds the Debian package from the build tree, lists its contents and checks
# the desktop entry: what a clean machine gets from `make package`.
set -euo pipefail
build="$1"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" > "$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb="$(ls "$out"/*.deb)"
dpkg-deb -c "$deb" | awk '{print $NF}' > "$out/contents"
prefix="$(sed -n 's/^set(CPACK_PACKAGING_INSTALL_PREFIX "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")"

fail=0
need() {
  if ! grep -qx "\.$prefix/$1" "$out/contents"; then
    echo "missing from the package: $prefix/$1"
    fail=1
  fi
}
need bin/vendara
need bin/vendara-cli
need share/applications/vendara.desktop
need share/mime/packages/vendara.xml
need share/icons/hicolor/scalable/apps/vendara.svg
need share/icons/hicolor/scalable/mimetypes/application-x-vendara-slip.svg
need share/vendara/vendara.ini
need share/vendara-help/index.html
need share/vendara-help/keywords.html
for topic in 24 25 26 27 28 29 33 36 37 39 42 999; do
  need "share/vendara-help/topic$topic.html"
done
if ! grep -q "^\.$prefix/share/vendara/Dat/" "$out/contents"; then
  echo "missing from the package: the Dat folder"
  fail=1
fi

depends="$(dpkg-deb -f "$deb" Depends)"
for dep in libqt6widgets6 libqt6network6 libqt6svg6 fonts-ipafont-gothic qt6-translations-l10n; do
  if [[ "$depends" != *"$dep"* ]]; then
    echo "Depends lacks $dep: $depends"
    fail=1
  fi
done
suggests="$(dpkg-deb -f "$deb" Suggests)"
[ "$suggests" = "ibus-mozc | fcitx5-mozc" ] || { echo "Suggests is not the Japanese input methods: $suggests"; fail=1; }

mkdir "$out/root"
dpkg-deb -x "$deb" "$out/root"
desktop-file-validate "$out/root$prefix/share/applications/vendara.desktop" || fail=1
grep -q '<glob pattern="\*.pvq"/>' "$out/root$prefix/share/mime/packages/vendara.xml" || { echo "no *.pvq glob"; fail=1; }
grep -q '^MimeType=application/x-vendara-slip;$' "$out/root$prefix/share/applications/vendara.desktop" || fail=1
exit $fail
