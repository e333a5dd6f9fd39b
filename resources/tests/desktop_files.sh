#!/usr/bin/env bash
# The desktop entry and the AppStream metadata pass Debian's validators and
# say what the program is.
set -euo pipefail
dir=$1 id=$2
desktop=$dir/$id.desktop metainfo=$dir/$id.metainfo.xml
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refused $metainfo"

key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Name)" = Kestrova ] || fail "Name is '$(key Name)'"
[ "$(key Comment)" = "200msec高精度タイマー" ] || fail "Comment is '$(key Comment)'"
[ "$(key Icon)" = "$id" ] || fail "Icon is '$(key Icon)', not the application id"
[ "$(key Exec)" = kestrova ] || fail "Exec is '$(key Exec)'"
for category in Utility Clock; do
  case ";$(key Categories)" in *";$category;"*) ;; *) fail "Categories lack $category: $(key Categories)";; esac
done

grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "launchable"
grep -q '<release version="0.2.0.0"' "$metainfo" || fail "release version"
grep -q '<summary>200msec高精度タイマー</summary>' "$metainfo" || fail "summary"
echo "desktop entry and metainfo: ok"
