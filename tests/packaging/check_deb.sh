#!/usr/bin/env bash
# Makes the Debian package of a build folder with CPack and checks it as apt and a user meet it: lintian
# has nothing to warn about, the dependencies are dpkg-shlibdeps' plus the font, every file is in place, and
# the program taken out of the package finds its libraries and runs.
# usage: check_deb.sh <build-dir> <scratch-dir> <version> <packaging-source-dir>
set -euo pipefail
build=$1 scratch=$2 version=$3 packaging=$4
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

warnings=$(groff -man -ww -z "$packaging/pellmarsh.1" 2>&1)
[ -z "$warnings" ] || fail "groff warns about the manual page: $warnings"
rm -rf "$scratch"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch.log" 2>&1 || fail "cpack: $(cat "$scratch.log")"
deb="$scratch/pellmarsh_${version}_$(dpkg --print-architecture).deb"
lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings (above)"

info=$(dpkg-deb --info "$deb")
echo "$info"
# Versioned library dependencies come from dpkg-shlibdeps' reading of the binary, not from a written list.
for needed in 'Depends: fonts-liberation, libc6 \(>= [0-9.]+\)' 'libqt6widgets6 \(>= [0-9.]+\)' 'Section: math' \
    "Description: $(sed -n 's:.*<summary>\(.*\)</summary>.*:\1:p' "$packaging"/*.metainfo.xml)$" 'Maintainer: .+ <.+@.+>'; do
    grep -Eq "$needed" <<<"$info" || fail "the control file lacks $needed"
done
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in bin/pellmarsh share/applications/org.pellmarsh.Pellmarsh.desktop \
    share/metainfo/org.pellmarsh.Pellmarsh.metainfo.xml share/icons/hicolor/{16x16,32x32}/apps/org.pellmarsh.Pellmarsh.png \
    share/icons/hicolor/scalable/apps/org.pellmarsh.Pellmarsh.svg share/man/man1/pellmarsh.1.gz \
    share/doc/pellmarsh/{copyright,changelog.gz}; do
    grep -qxF "./usr/$path" <<<"$contents" || fail "the package lacks /usr/$path"
done

dpkg-deb -x "$deb" "$scratch/root"
grep -qxF 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$scratch/root/usr/share/doc/pellmarsh/copyright" || fail "the copyright file is not machine-readable"
! ldd "$scratch/root/usr/bin/pellmarsh" | grep 'not found' || fail "unresolved libraries (above)"
printed=$(QT_QPA_PLATFORM=offscreen timeout 60 "$scratch/root/usr/bin/pellmarsh" --version) || fail "--version failed"
[ "$printed" = "pellmarsh $version" ] || fail "--version printed: $printed"
echo "packaging_deb: $deb checked"
