#!/usr/bin/env bash
# `make dist`: from the release builds of both architectures, dist/ receives
#   Rimfold-<version>-win64.zip, Rimfold-<version>-win32.zip  (exe, both guides, images, licence)
#   Rimfold-<version>-x64.msi                                  (per-user installer, wixl)
# The version is res/version.txt's, as in the exe's version resource.
set -euo pipefail
cd "$(dirname "$0")/.."
version="$(head -n 1 res/version.txt)"
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "dist: bad version '$version'" >&2; exit 1; }
# The guide's pictures must all be there before anything is packed.
scripts/check-docs.sh

rm -rf dist build/dist
mkdir -p dist
stage() {  # stage ARCH DIR: what a user unpacks or installs
  mkdir -p "$2/images"
  cp "build/$1/Rimfold.exe" "$2/"
  cp docs/Rimfold.html docs/Rimfold.en.html "$2/"
  cp docs/images/*.png "$2/images/"
  # Notepad before Windows 10 1809 shows LF-only text as one line.
  sed 's/\r*$/\r/' LICENSE >"$2/LICENSE.txt"
  # Fixed times make the archives the same from one build of the same files to the next.
  find "$2" -exec touch -d "@$(git log -1 --format=%ct 2>/dev/null || echo 0)" {} +
}
for arch in win64 win32; do
  dir="build/dist/$arch/Rimfold-$version"
  stage "$arch" "$dir"
  (cd "build/dist/$arch" && zip -q -X -r "../../../dist/Rimfold-$version-$arch.zip" "Rimfold-$version")
done

msi="build/dist/msi"
stage win64 "$msi"
cp build/win64/installer_actions.dll res/rimfold.ico "$msi/"
images=""
for f in docs/images/*.png; do
  name="$(basename "$f")"
  images+="<File Id=\"img_${name//[^A-Za-z0-9]/_}\" Name=\"$name\" Source=\"images/$name\" />"
done
sed "s|<!-- images -->|$images|" res/rimfold.wxs >"$msi/rimfold.wxs"
(cd "$msi" && wixl -a x64 -D Version="$version" -o "../../../dist/Rimfold-$version-x64.msi" rimfold.wxs)
scripts/msi-texts.sh "dist/Rimfold-$version-x64.msi"

ls -l dist
