#!/usr/bin/env bash
# Makes the demo's downloaded archives from the demo generator's sets, into
# demo/archives/ (or the folder given):
#   three-new-sets.zip   three set folders side by side, for primary slot 1,
#                        the knife and the soldiers, none of them in the demo
#                        library of three sets per slot
#   demo-library.7z      a whole set library of four sets per slot, slot
#                        folders and mod.ini inside the folder modsetup/
# and checks each with modsetup-check, which must find nothing refused.
# Builds the generator and the check first; needs bsdtar (libarchive-tools).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

out=${1:-$repo_root/demo/archives}
install_packages "${build_packages[@]}" libarchive-tools || exit 1
build_project build make_demo_library modsetup-check || exit 1

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
"$repo_root/build/make_demo_library" "$work/three/modsetup" 3 >/dev/null &&
    "$repo_root/build/make_demo_library" "$work/four/modsetup" 4 >/dev/null ||
    { echo "the demo generator failed" >&2; exit 1; }

# The fourth set of a slot folder: the one the library of three lacks.
fourth_set() {
    comm -13 <(ls "$work/three/modsetup/$1") <(ls "$work/four/modsetup/$1") | head -n 1
}
mkdir -p "$work/sets" "$out" || exit 1
for folder in 1 knife gostek; do
    set_name=$(fourth_set "$folder")
    [ -n "$set_name" ] || { echo "no fourth set in the slot folder $folder" >&2; exit 1; }
    cp -r "$work/four/modsetup/$folder/$set_name" "$work/sets/" || exit 1
done
rm -f "$out/three-new-sets.zip" "$out/demo-library.7z"
(cd "$work/sets" && bsdtar --format zip --options zip:compression=deflate -cf "$out/three-new-sets.zip" -- *) &&
    (cd "$work/four" && bsdtar --format 7zip --options 7zip:compression=lzma2 -cf "$out/demo-library.7z" modsetup) ||
    { echo "packing failed" >&2; exit 1; }

status=0
for archive in "$out/three-new-sets.zip" "$out/demo-library.7z"; do
    say "checking $archive"
    "$repo_root/build/modsetup-check" --quiet "$archive" || status=1
done
exit $status
