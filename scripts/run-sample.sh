#!/usr/bin/env bash
# Sets up the machine, builds, lays out a sample installation in sample/ and runs the program on it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
scripts/build.sh
rm -rf sample
eval "$(build/bin/make-installation "$PWD/sample" --release 8 --stamp 8.0.0)"
build/bin/zuruzod8e
