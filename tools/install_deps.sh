#!/bin/bash
# Installs, with apt-get, whatever a Debian 12 machine lacks to build, run and test Lumora,
# and any further packages named on the command line.
set -euo pipefail

PACKAGES=(cmake g++ make pkg-config googletest libgtest-dev qt6-base-dev fonts-liberation2 "$@")

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root (or with sudo) to install: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
