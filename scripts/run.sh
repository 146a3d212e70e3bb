#!/usr/bin/env bash
# Builds the project (which compiles the demo hint file from help/demo.outline) and opens the
# reader on the demo file. Without a display the reader runs on a virtual one for a few seconds,
# and a screenshot of it is saved beside the build.
set -euo pipefail

# shellcheck source=scripts/setup.sh
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$KLU_ROOT"

klu_install_packages
klu_configure build g++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
klu_build build
demo=build/help/demo.klu
build/cli/klu check "$demo"

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    exec build/app/kluwin "$demo"
fi

shot="$KLU_ROOT/build/kluwin-demo.png"
echo "No display: running the reader on a virtual one for a screenshot."
xvfb-run -a -s "-screen 0 1280x800x24" sh -c "
    build/app/kluwin '$demo' & reader=\$!
    sleep 4
    import -window root '$shot'
    kill \$reader" || true
if [[ -f "$shot" ]]; then
    echo "Screenshot of the reader on the demo file: $shot"
else
    echo "No screenshot could be taken; the demo file's tree:"
    build/cli/klu dump "$demo"
fi
