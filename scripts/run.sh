#!/usr/bin/env bash
# Installs what is needed, builds, and starts the desktop program.
# Without a configured port it runs in demo mode against the virtual device.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -n "${QUELDA_DIR:-}" ] && [ -f "${QUELDA_DIR}/PSETTING.TXT" ]; then
  exec build/bin/quelda "$@"
fi
exec build/bin/quelda --demo "$@"
