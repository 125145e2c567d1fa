#!/usr/bin/env bash
# The installed program: an install into a temporary prefix, moved elsewhere afterwards,
# must run on its own (relative run paths, plug-ins and samples found from the program's
# place), the desktop files must validate, the thumbnailer's Exec line must work as a file
# manager runs it, and the Debian package must build and hold the files.
# Usage: install_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir="$1"
build_dir="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
# "WxH" of a PNG file from its header, or "no PNG".
png_size() {
  local head
  head="$(od -An -tx1 -N24 "$1" 2>/dev/null | tr -d ' \n')"
  if [ "${head:0:16}" != "89504e470d0a1a0a" ]; then echo "no PNG"; return; fi
  echo "$((16#${head:32:8}))x$((16#${head:40:8}))"
}
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
version="$(sed -n 's/^set(KESTREL_BUILD_NUMBER \([0-9]*\))$/\1/p' "$source_dir/CMakeLists.txt")"
release="$(sed -n 's/^project(Kestrel VERSION \([0-9.]*\) .*/\1/p' "$source_dir/CMakeLists.txt")"

# Install, then move: nothing may point back at the build tree or the first prefix.
cmake --install "$build_dir" --prefix "$work/first" >/dev/null
mv "$work/first" "$work/moved"
p="$work/moved"
for f in bin/kestrel bin/kestrel-cli lib/kestrel/libnimbus.so lib/kestrel/libtessera.so \
         lib/kestrel/libkestrel_video_encoders.so lib/kestrel/libnimbus_glyphs.so \
         lib/kestrel/Plug-Ins/lithoreader.so lib/kestrel/Plug-Ins/picturereader.so \
         share/kestrel/Samples/terrain.stl share/applications/org.halvard.Kestrel.desktop \
         share/metainfo/org.halvard.Kestrel.metainfo.xml share/mime/packages/kestrel.xml \
         share/thumbnailers/kestrel.thumbnailer share/icons/hicolor/scalable/apps/org.halvard.Kestrel.svg; do
  [ -e "$p/$f" ] || fail "not installed: $f"
done
for size in 16 22 24 32 48 64 128 256; do
  icon="$p/share/icons/hicolor/${size}x${size}/apps/org.halvard.Kestrel.png"
  [ "$(png_size "$icon")" = "${size}x${size}" ] \
    || fail "icon ${size}x${size} missing or of another size"
done
run_path() { readelf -d "$1" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p; s/.*(RPATH).*\[\(.*\)\]/\1/p'; }
# An empty entry of a run path is the current directory: the loader would take libraries
# from wherever the program is started.
searches_current_dir() { [ -n "$1" ] && case ":$1:" in *::*) true ;; *) false ;; esac; }
for elf in "$build_dir"/bin/kestrel "$build_dir"/bin/kestrel-cli "$build_dir"/bin/*.so "$build_dir"/bin/Plug-Ins/*.so; do
  [ -f "$elf" ] || continue
  if searches_current_dir "$(run_path "$elf")"; then
    fail "$(basename "$elf") in the build tree has the run path $(run_path "$elf"), with the current directory in it"
  fi
done
for elf in "$p"/bin/* "$p"/lib/kestrel/*.so* "$p"/lib/kestrel/Plug-Ins/*.so; do
  runpath="$(run_path "$elf")"
  case "$runpath" in
    *"$build_dir"* | *"$work/first"*) fail "$(basename "$elf") keeps the run path $runpath" ;;
  esac
  searches_current_dir "$runpath" && fail "$(basename "$elf") has the run path $runpath, with the current directory in it"
  if ldd "$elf" | grep -q "not found"; then fail "$(basename "$elf"): $(ldd "$elf" | grep 'not found' | head -n 1)"; fi
done
ldd "$p/bin/kestrel-cli" | grep -q "$p/bin/../lib/kestrel/libnimbus.so" || fail "kestrel-cli does not take the installed libnimbus"
pass "installed tree complete and relocatable"

# Versions and help, with no display needed.
[ "$("$p/bin/kestrel-cli" --version)" = "kestrel-cli $release.$version" ] || fail "kestrel-cli --version: $("$p/bin/kestrel-cli" --version)"
[ "$(env -u DISPLAY "$p/bin/kestrel" --version)" = "Kestrel $release.$version" ] || fail "kestrel --version"
env -u DISPLAY "$p/bin/kestrel" --help | grep -q "^Usage: kestrel" || fail "kestrel --help"
"$p/bin/kestrel-cli" --help | grep -q "^Usage:" || fail "kestrel-cli --help"
pass "versions $release.$version"

# The plug-ins of the installed tree, not of the build tree.
plugins="$("$p/bin/kestrel-cli" --plugins-folder)"
[ "$(realpath "$plugins")" = "$(realpath "$p/lib/kestrel/Plug-Ins")" ] || fail "kestrel-cli looks for plug-ins in $plugins"
info="$("$p/bin/kestrel-cli" info "$p/share/kestrel/Samples/terrain.stl")" || fail "installed kestrel-cli info of the STL sample"
grep -q '"kind": *"model"' <<<"$info" || fail "the STL sample is not read as a model: $info"
pass "installed kestrel-cli reads the STL sample through the installed importer"
info="$("$p/bin/kestrel-cli" info "$p/share/kestrel/Samples/checker.gif")" || fail "installed kestrel-cli info of the GIF sample"
grep -q '"width": *64' <<<"$info" || fail "the GIF sample is not decoded: $info"
pass "installed kestrel-cli decodes the GIF sample through FreeImage, loaded when needed"
! ldd "$p/bin/kestrel-cli" | grep -q libfontconfig || fail "kestrel-cli loads the font libraries at every start"
! ldd "$p/bin/kestrel-cli" | grep -q libEGL || fail "kestrel-cli loads libEGL at every start"
console_err="$("$p/bin/kestrel-cli" render "$p/share/kestrel/Samples/terrain.stl" -o "$work/console.png" --size 160x120 \
  --console 2>&1 >/dev/null)" && [ -s "$work/console.png" ] || fail "installed kestrel-cli render --console: $console_err"
! grep -q "No font" <<<"$console_err" || fail "the installed engine does not find its glyph module: $console_err"
pass "installed kestrel-cli prints the console's text through the glyph module, loaded when needed"

# The video encoders are a module found beside the engine, loaded only to record.
for program in kestrel kestrel-cli; do
  ! ldd "$p/bin/$program" | grep -q libavcodec || fail "$program loads the video encoders at every start"
  ! ldd "$p/bin/$program" | grep -q libfreeimage || fail "$program loads FreeImage at every start"
done
"$p/bin/kestrel-cli" video "$p/share/kestrel/Samples/arm.ms3d" -o "$work/arm.avi" --size 32x24 --end 3 >/dev/null 2>&1 \
  && [ -s "$work/arm.avi" ] || fail "installed kestrel-cli video of the arm sample"
pass "installed kestrel-cli records a video through the installed encoder module"

# The viewer starts from the installed tree and keeps running in a window (under Xvfb); its
# settings go to a scratch home.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$XDG_CONFIG_HOME"
if [ -n "${DISPLAY:-}" ]; then
  set +e
  timeout 6 "$p/bin/kestrel" "$p/share/kestrel/Samples/terrain.stl" >"$work/viewer.log" 2>&1
  code=$?
  set -e
  [ "$code" -eq 124 ] || { fail "the installed viewer ended with $code"; cat "$work/viewer.log" >&2; }
  pass "installed viewer runs"
else
  echo "skipped: the installed viewer's window (no X display)"
fi
# Where no OpenGL context can be made (off screen, without an X server), the viewer says so
# and ends, instead of crashing when its window is first shown.
set +e
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen timeout 6 "$p/bin/kestrel" \
  "$p/share/kestrel/Samples/terrain.stl" >"$work/no-gl.log" 2>&1
code=$?
set -e
[ "$code" -eq 1 ] && grep -q "could not create an OpenGL context" "$work/no-gl.log" \
  || { fail "the viewer without OpenGL ended with $code"; cat "$work/no-gl.log" >&2; }
pass "the viewer without OpenGL says so and ends"

# The thumbnailer's Exec line, exactly as a file manager runs it.
exec_line="$(sed -n 's/^Exec=//p' "$p/share/thumbnailers/kestrel.thumbnailer")"
for input in terrain.stl arm.ms3d pyramid.md2; do
  out="$work/thumb-$input.png"
  command="${exec_line//%s/128}"
  command="${command//%i/\'$p/share/kestrel/Samples/$input\'}"
  command="${command//%o/\'$out\'}"
  env -u DISPLAY PATH="$p/bin:$PATH" sh -c "$command" || fail "thumbnailer on $input: $command"
  size="$(png_size "$out")"
  [ "$size" = "128x128" ] || fail "thumbnail of $input: $size"
done
mkfifo "$work/pipe.stl"
if timeout 10 "$p/bin/kestrel-cli" thumbnail --size 64 "$work/pipe.stl" "$work/pipe.png" 2>/dev/null; then
  fail "a FIFO was thumbnailed"
elif [ $? -eq 124 ]; then
  fail "the thumbnailer hung on a FIFO"
fi
pass "thumbnailer"

# The desktop files.
desktop-file-validate "$p/share/applications/org.halvard.Kestrel.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$p/share/metainfo/org.halvard.Kestrel.metainfo.xml" >"$work/appstream.log" 2>&1 \
  || { fail "appstreamcli validate"; cat "$work/appstream.log" >&2; }
xmllint --noout "$p/share/mime/packages/kestrel.xml" || fail "xmllint kestrel.xml"
# The MIME database compiled from our package file tells the types by content.
mkdir -p "$work/mime/packages"
cp "$p/share/mime/packages/kestrel.xml" /usr/share/mime/packages/freedesktop.org.xml "$work/mime/packages/"
update-mime-database "$work/mime" >/dev/null 2>&1 || fail "update-mime-database"
grep -q "^application/x-kestrel-kxm3$" "$work/mime/types" || fail "the native type is not in the compiled database"
# Each model type told by its content alone (no extension), MS3D ASCII among .txt files.
samples="$p/share/kestrel/Samples"
mkdir -p "$work/typed"
"$p/bin/kestrel-cli" convert "$samples/terrain.stl" "$work/typed/native.kxm3" >/dev/null || fail "convert to .kxm3"
cp "$work/typed/native.kxm3" "$work/typed/native"
cp "$samples/arm.ms3d" "$work/typed/ms3d"
cp "$samples/pyramid.md2" "$work/typed/md2"
cp "$samples/walk.bvh" "$work/typed/bvh"
cp "$samples/tiles.off" "$work/typed/off"
cp "$samples/arm.txt" "$work/typed/arm.txt"
echo "plain words" >"$work/typed/plain.txt"
content_type() {
  XDG_DATA_DIRS="$work" XDG_DATA_HOME="$work/no-data" gio info -a standard::content-type "$1" 2>/dev/null |
    sed -n 's/.*standard::content-type: //p'
}
for pair in native.kxm3=application/x-kestrel-kxm3 native=application/x-kestrel-kxm3 ms3d=model/x-ms3d \
            md2=model/x-md2 bvh=model/x-bvh off=model/x-off arm.txt=model/x-ms3d-ascii plain.txt=text/plain; do
  file="${pair%%=*}"
  want="${pair#*=}"
  got="$(content_type "$work/typed/$file")"
  [ "$got" = "$want" ] || fail "$file is typed $got, not $want"
done
pass "desktop, metainfo and MIME files"

# The Debian package.
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 \
  || { fail "cpack"; tail -n 30 "$work/cpack.log" >&2; }
deb="$(ls "$work"/package/kestrel_*.deb 2>/dev/null | head -n 1)"
if [ -n "$deb" ]; then
  contents="$(dpkg-deb --contents "$deb")"
  for f in ./usr/bin/kestrel ./usr/bin/kestrel-cli ./usr/lib/kestrel/libnimbus.so ./usr/lib/kestrel/libtessera.so \
           ./usr/lib/kestrel/libkestrel_video_encoders.so ./usr/lib/kestrel/libnimbus_glyphs.so \
           ./usr/lib/kestrel/Plug-Ins/lithoreader.so \
           ./usr/share/kestrel/Samples/terrain.stl \
           ./usr/share/applications/org.halvard.Kestrel.desktop ./usr/share/metainfo/org.halvard.Kestrel.metainfo.xml \
           ./usr/share/mime/packages/kestrel.xml ./usr/share/thumbnailers/kestrel.thumbnailer \
           ./usr/share/icons/hicolor/48x48/apps/org.halvard.Kestrel.png; do
    grep -q " $f\( \|$\)" <<<"$contents" || grep -q " $f -> " <<<"$contents" || fail "the package lacks $f"
  done
  [ "$(dpkg-deb -f "$deb" Package)" = "kestrel" ] || fail "package name"
  [ "$(dpkg-deb -f "$deb" Version)" = "$release-$version" ] || fail "package version $(dpkg-deb -f "$deb" Version)"
  depends="$(dpkg-deb -f "$deb" Depends)"
  grep -q "libc6" <<<"$depends" && grep -q "libqt6widgets6" <<<"$depends" || fail "package dependencies: $depends"
  grep -q "libavcodec" <<<"$depends" || fail "the package does not name the encoders its video module needs: $depends"
  grep -q "libfontconfig1" <<<"$depends" && grep -q "libfreetype6" <<<"$depends" \
    || fail "the package does not name the font libraries its glyph module needs: $depends"
  grep -q "libfreeimage3" <<<"$depends" || fail "the package does not name FreeImage, loaded for GIF and DDS: $depends"
  dpkg-deb -f "$deb" Description | grep -q "kestrel-cli" || fail "package long description"
  pass "package $(basename "$deb")"
else
  fail "no package written"
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "install test passed"
