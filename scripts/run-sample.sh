#!/usr/bin/env bash
# Sets up the machine, builds, lays out a sample 7.12 installation in sample/ with the
# program installed into its program folder, and starts the wizard on it. Without a
# display the wizard runs under Xvfb and is gone through as a user would: the 7.12 files
# converted, the agreement accepted, "Установить" pressed; a picture of each page goes
# to sample/pictures/ and the run log to the terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
scripts/build.sh

rm -rf sample
eval "$(build/bin/make-installation "$PWD/sample" --release 7.12 --stamp 7.12.4)"
program_folder="$PWD/sample/Program"
cmake --install build --prefix "$program_folder"
cmake --install build --prefix "$program_folder" --component tour

if [ -n "${DISPLAY:-}" ]; then
    exec "$program_folder/zuruzod8e"
fi
xvfb-run -a -s "-screen 0 1280x1024x24" "$program_folder/wizard-tour" "$PWD/sample/pictures"
echo "Pictures of the pages: $PWD/sample/pictures"
