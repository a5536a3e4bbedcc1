#!/usr/bin/env bash
# Unpacks the Debian package into a temporary root, as dpkg would lay it out
# under /, and runs the programs from there: they find the shipped data
# relative to themselves, the launcher seeds the user's templates folder on
# first start, and vlreport prepares a shipped template and renders it to PDF.
#   check_unpacked_deb.sh FOLDER_WITH_THE_DEB
set -euo pipefail
debs=("$1"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "expected one .deb in $1"; exit 1; }
deb="${debs[0]}"
root="$(realpath "$(mktemp -d)")"
launcher_pid=""
cleanup() {
  [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

dpkg-deb -x "$deb" "$root"
usr="$root/usr"
id=example.vellora.Vellora
for f in bin/vellora bin/vlreport share/vellora/Vlf/{1,2,3,4,5,6}.vlf share/vellora/help/vluser.html share/vellora/help/vluser.zh_CN.html share/vellora/Samples/addresses.csv share/applications/$id.desktop \
  share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
  share/icons/hicolor/{16x16,32x32,48x48,256x256}/apps/$id.png share/man/man1/vlreport.1.gz; do
  [ -f "$usr/$f" ] || fail "the package lacks /usr/$f"
done
desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >/dev/null || fail "metainfo"

# Every shared library the programs link comes from a package the .deb
# depends on.
depends="$(dpkg-deb -f "$deb" Depends)"
for want in libqt6widgets6 libqt6printsupport6 libjpeg62-turbo libsqlite3-0 libcups2 fonts-wqy-zenhei fonts-liberation; do
  [[ ", $depends," == *", $want "* || ", $depends," == *", $want,"* ]] || fail "Depends lacks $want: $depends"
done
# The libraries named in the programs' dynamic sections, resolved as the
# loader resolves them, and their packages asked of dpkg in one call (under
# both /lib and /usr/lib: with the merged /usr, dpkg knows a file by the one
# its package ships it under).
files=()
for program in "$usr/bin/vellora" "$usr/bin/vlreport"; do
  needed="$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')"
  resolved="$(ldd "$program")"
  for lib in $needed; do
    path="$(awk -v l="$lib" '$1 == l { print $3 }' <<<"$resolved")"
    [ -f "$path" ] || fail "$program needs $lib, which is not found"
    real="$(realpath "$path")"
    files+=("$(basename "$real")")
  done
done
mapfile -t files < <(printf '%s\n' "${files[@]}" | sort -u)
candidates=()
for f in "${files[@]}"; do
  for dir in /lib /usr/lib /lib/x86_64-linux-gnu /usr/lib/x86_64-linux-gnu; do candidates+=("$dir/$f"); done
done
owners="$(dpkg -S "${candidates[@]}" 2>/dev/null || true)"
for f in "${files[@]}"; do
  pkg="$(grep -F "/$f" <<<"$owners" | head -1 | cut -d: -f1)"
  [ -n "$pkg" ] || fail "no package owns $f"
  [[ ", $depends," == *", $pkg "* || ", $depends," == *", $pkg,"* ]] ||
    fail "the programs link $f of $pkg, which Depends lacks: $depends"
done

export QT_QPA_PLATFORM=offscreen
export XDG_DATA_HOME="$root/home/data"
cd "$root"

# vlreport finds the shipped data beside its own folder.
paths="$("$usr/bin/vlreport" paths)"
grep -q "\"DataDir\": \"$usr/share/vellora\"" <<<"$paths" || fail "vlreport paths: $paths"
grep -q "\"UserTemplates\": \"$XDG_DATA_HOME/vellora/Vlf\"" <<<"$paths" || fail "vlreport paths: $paths"

# The output checks on a shipped template: the DL envelope prepared into one
# page of its paper with its text views, and drawn into a one-page PDF of that
# size with the envelope's texts.
out="$("$usr/bin/vlreport" prepare "$usr/share/vellora/Vlf/1.vlf" --json)"
grep -Pzq '"pages": \[\n    \{\n      "paper": 27,\n      "width": 2200,\n      "height": 1100,' <<<"$out" ||
  fail "prepare of the shipped DL template: $out"
grep -q '"class": "TvlMemoView"' <<<"$out" || fail "no text view on the prepared page"
"$usr/bin/vlreport" render "$usr/share/vellora/Vlf/1.vlf" --pdf "$root/1.pdf" >/dev/null || fail "vlreport render"
info="$(pdfinfo "$root/1.pdf")"
grep -Eq '^Pages: +1$' <<<"$info" && grep -Eq '^Page size: +624 x 312 pts' <<<"$info" || fail "the PDF: $info"
pdftotext "$root/1.pdf" - | grep -q '收件人地址' || fail "the PDF lacks the envelope's texts"

# The launcher's first start copies the shipped templates into the user's
# data folder (started outside any folder with Vlf/, stopped once they are there).
"$usr/bin/vellora" >"$root/launcher.log" 2>&1 &
launcher_pid=$!
for _ in $(seq 100); do
  [ -f "$XDG_DATA_HOME/vellora/Vlf/6.vlf" ] && break
  kill -0 "$launcher_pid" 2>/dev/null || break
  sleep 0.1
done
kill "$launcher_pid" 2>/dev/null || true
wait "$launcher_pid" 2>/dev/null || true
launcher_pid=""
for n in 1 2 3 4 5 6; do
  cmp -s "$usr/share/vellora/Vlf/$n.vlf" "$XDG_DATA_HOME/vellora/Vlf/$n.vlf" ||
    fail "the launcher did not seed Vlf/$n.vlf: $(cat "$root/launcher.log")"
done
echo "unpacked package checked"
