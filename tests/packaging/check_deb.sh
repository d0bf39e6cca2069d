#!/usr/bin/env bash
# Makes the Debian package of a build folder with CPack and checks it as apt and a user meet it: lintian
# has nothing to warn about, the dependencies are dpkg-shlibdeps' plus the font, every file is in place, and
# the program taken out of the package finds its libraries and starts.
# usage: check_deb.sh <build-dir> <scratch-dir> <version> <packaging-source-dir>
set -euo pipefail
build=$1 scratch=$2 version=$3 packaging=$4

# Empty: the unpacked program must open its window and still be running after a few seconds. Set to
# --version once the command line has it: the program must then print "pellmarsh <version>" and exit 0.
probe_option=--version
startup_seconds=5

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

manual_warnings=$(groff -man -ww -z "$packaging/pellmarsh.1" 2>&1)
[ -z "$manual_warnings" ] || fail "groff warns about the manual page: $manual_warnings"

rm -rf "$scratch"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch.cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$scratch.cpack.log")"
deb="$scratch/pellmarsh_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb"

lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings (above)"

info=$(dpkg-deb --info "$deb")
echo "$info"
depends=$(sed -n 's/^ Depends: //p' <<<"$info")
# Versioned library dependencies come from dpkg-shlibdeps' reading of the binary, not from a written list.
for needed in 'fonts-liberation' 'libc6 \(>= [0-9.]+\)' 'libqt6widgets6 \(>= [0-9.]+\)' 'libstdc\+\+6 \(>= [0-9]+\)'; do
    grep -Eq "(^|, )$needed(,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
summary=$(sed -n 's:.*<summary>\(.*\)</summary>.*:\1:p' "$packaging/org.pellmarsh.Pellmarsh.metainfo.xml")
grep -qxF " Description: $summary" <<<"$info" || fail "the synopsis is not the metainfo's summary"
grep -Eqx ' Section: (math|misc)' <<<"$info" || fail "no Section math or misc"
grep -Eqx ' Maintainer: .+ <.+@.+>' <<<"$info" || fail "no maintainer with an address"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in usr/bin/pellmarsh \
    usr/share/applications/org.pellmarsh.Pellmarsh.desktop \
    usr/share/metainfo/org.pellmarsh.Pellmarsh.metainfo.xml \
    usr/share/icons/hicolor/16x16/apps/org.pellmarsh.Pellmarsh.png \
    usr/share/icons/hicolor/32x32/apps/org.pellmarsh.Pellmarsh.png \
    usr/share/icons/hicolor/scalable/apps/org.pellmarsh.Pellmarsh.svg \
    usr/share/man/man1/pellmarsh.1.gz \
    usr/share/doc/pellmarsh/copyright \
    usr/share/doc/pellmarsh/changelog.gz; do
    grep -qxF "./$path" <<<"$contents" || fail "the package lacks /$path"
done

dpkg-deb -x "$deb" "$scratch/root"
head -n1 "$scratch/root/usr/share/doc/pellmarsh/copyright" | grep -qxF \
    'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not in Debian's machine-readable format"
program="$scratch/root/usr/bin/pellmarsh"
unresolved=$(ldd "$program" | grep 'not found' || true)
[ -z "$unresolved" ] || fail "unresolved libraries: $unresolved"

if [ -z "$probe_option" ]; then
    status=0
    QT_QPA_PLATFORM=offscreen timeout "$startup_seconds" "$program" || status=$?
    # timeout's own status 124: the window was still up when it was told to go.
    [ "$status" -eq 124 ] || fail "the unpacked program ended by itself within ${startup_seconds} s, status $status"
else
    printed=$(QT_QPA_PLATFORM=offscreen timeout 60 "$program" "$probe_option") ||
        fail "the unpacked program $probe_option failed"
    [ "$printed" = "pellmarsh $version" ] || fail "$probe_option printed: $printed"
fi
echo "packaging_deb: $deb checked"
