#!/usr/bin/env bash
# Source it for logged_step WHAT LOG COMMAND...: runs one step of a script with its output in LOG,
# and on failure says which step failed and shows the end of its log.
logged_step() {
  echo "== $1 (log: $2)"
  mkdir -p "$(dirname "$2")"
  "${@:3}" >"$2" 2>&1 && return
  local status=$?
  echo "FAILED: $1 (exit status $status). Last lines of $2:" >&2
  tail -n 30 "$2" >&2
  return "$status"
}
