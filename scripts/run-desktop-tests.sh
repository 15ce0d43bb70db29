#!/usr/bin/env bash
# The end-to-end desktop suite (see tests/desktop/run.sh); arguments pick cases.
exec "$(dirname "$0")/../tests/desktop/run.sh" "$@"
