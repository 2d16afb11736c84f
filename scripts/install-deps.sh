#!/usr/bin/env bash
# Installs everything Meridan needs to build, test and run on Debian 12.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq \
  cmake make g++ libgtest-dev \
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-webengine-dev \
  libgl-dev zlib1g-dev xvfb xauth imagemagick fonts-wqy-microhei transtermhp xdotool \
  snakemake genometools tabix bedtools mmseqs2 libbigwig-dev >/dev/null
# The SLURM test (workflow/test-slurm.sh, not part of CI) also needs: slurm-wlm munge
