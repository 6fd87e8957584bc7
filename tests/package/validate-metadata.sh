#!/usr/bin/env bash
# The desktop entry and the AppStream metadata pass their validators (desktop-file-utils, appstream).
# Usage: validate-metadata.sh SOURCE_DIR
set -euo pipefail
packaging=$1/packaging
desktop-file-validate "$packaging/org.valmora.Valmora.desktop"
appstreamcli validate --no-net --pedantic "$packaging/org.valmora.Valmora.metainfo.xml"
grep -q '^Categories=Office;Finance;$' "$packaging/org.valmora.Valmora.desktop"
