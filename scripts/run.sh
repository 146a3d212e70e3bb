#!/usr/bin/env bash
# Builds the project (which compiles the demo hint file from help/demo.outline) and shows the
# demo file's tree with `klu dump`.
set -euo pipefail

# shellcheck source=scripts/setup.sh
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$KLU_ROOT"

klu_install_packages
klu_configure build g++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
klu_build build
build/cli/klu check build/help/demo.klu
build/cli/klu dump build/help/demo.klu
