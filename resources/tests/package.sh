#!/usr/bin/env bash
# cmake --install lays the files out as the freedesktop conventions say, and
# the Debian package holds them, declares what it needs, and installs and
# removes cleanly (into a private dpkg root, leaving the machine alone).
set -euo pipefail
build=$1 id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

expected=(
  usr/bin/kestrova
  usr/share/applications/$id.desktop
  usr/share/metainfo/$id.metainfo.xml
  usr/share/icons/hicolor/16x16/apps/$id.png
  usr/share/icons/hicolor/32x32/apps/$id.png
  usr/share/icons/hicolor/scalable/apps/$id.svg
)

# 1. cmake --install into a staging folder.
DESTDIR=$work/stage cmake --install "$build" --prefix /usr > /dev/null
(cd "$work/stage" && find . -type f | sed 's|^\./||' | sort) > "$work/installed"
printf '%s\n' "${expected[@]}" | sort > "$work/expected"
diff -u "$work/expected" "$work/installed" || fail "installed files differ"
for size in 16 32; do
  file "$work/stage/usr/share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -q "PNG image data, $size x $size" \
    || fail "icon ${size}x${size} is not a ${size}x${size} PNG"
done

# 2. The package.
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" > "$work/cpack.log" 2>&1) \
  || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/pkg/kestrova_0.2.0.0_*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' | grep -v '/$' | sort > "$work/contents"
diff -u "$work/expected" "$work/contents" || fail "package contents differ"
[ "$(dpkg-deb -f "$deb" Package)" = kestrova ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = 0.2.0.0 ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
for need in qt6-qpa-plugins libqt6widgets6 libqt6gui6 libqt6core6 libxcb1; do
  case ", $depends," in *", $need"[\ ,]*) ;; *) fail "Depends lacks $need: $depends";; esac
done
echo "Depends: $depends"
# Every dependency can be had here.
apt-get -s -q install "$deb" > "$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "dependencies cannot be met"; }

# 3. Install and remove into a private root.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkgr=(dpkg --root="$root" --force-not-root --force-depends --force-script-chrootless --log=/dev/null)
"${dpkgr[@]}" -i "$deb" > "$work/install.log" 2>&1 || { cat "$work/install.log"; fail "install"; }
for f in "${expected[@]}"; do [ -f "$root/$f" ] || fail "not installed: $f"; done
"${dpkgr[@]}" -r kestrova > "$work/remove.log" 2>&1 || { cat "$work/remove.log"; fail "remove"; }
left=$(cd "$root" && find usr -type f 2>/dev/null || true)
[ -z "$left" ] || fail "left behind after removal: $left"
echo "install, package, install and remove: ok"
