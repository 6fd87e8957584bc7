#!/usr/bin/env bash
# The closure check passes on the real setup list and, given the list as it was before Qt OpenGL's
# development files were added, fails naming the package and the file Qt Charts took from it; given
# the list without `file`, which CPack's DEB generator runs, it names that program and its package.
# Usage: check-setup-closure-test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
check=$source_dir/scripts/check-setup-closure

"$check" "$build_dir" > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sed 's/ libqt6opengl6-dev//' "$source_dir/scripts/setup" > "$work/setup"
if VALMORA_SETUP_SCRIPT="$work/setup" "$check" "$build_dir" > "$work/out"; then
    echo "the check passed on a list without libqt6opengl6-dev"
    exit 1
fi
grep -Eq "/cmake/Qt6[A-Za-z]+/[^ ]+ \(Qt6[A-Za-z]*_DIR\).* dal pacchetto libqt6opengl6-dev, che scripts/setup non installa: aggiungere libqt6opengl6-dev" "$work/out" || {
    echo "the failure does not name the file and the package:"
    cat "$work/out"
    exit 1
}

sed 's/ file / /' "$source_dir/scripts/setup" > "$work/setup"
if VALMORA_SETUP_SCRIPT="$work/setup" "$check" "$build_dir" > "$work/out"; then
    echo "the check passed on a list without file"
    exit 1
fi
grep -Fq "/usr/bin/file (programma file) dal pacchetto file, che scripts/setup non installa: aggiungere file" "$work/out" || {
    echo "the failure does not name the program and the package:"
    cat "$work/out"
    exit 1
}
