#!/usr/bin/env bash
# Checks that need no build: every C++ file is formatted as .clang-format says, and no
# code outside the clock service waits on its own (timers, event loops, event passes or
# sleeps go through player/Clock, so tests and the tour can run on the virtual clock).
set -euo pipefail
cd "$(dirname "$0")/.."
status=0

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
unformatted=()
for f in "${sources[@]}"; do
  if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then unformatted+=("$f"); fi
done
if ((${#unformatted[@]})); then
  echo "check-source: not clang-formatted (run clang-format -i on them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  status=1
fi

pattern='QTimer|QEventLoop|processEvents|(^|[^.>:[:alnum:]_])(usleep|nanosleep|clock_nanosleep|sleep)[[:space:]]*\(|sleep_for|sleep_until|QThread::(m|u)?sleep'
if offenders=$(git ls-files 'app/*' 'player/*' 'dialogs/*' 'light/*' 'matter/*' 'cloud/*' 'periodic/*' 'driver/*' 'media/*' |
  grep -E '\.(cpp|h)$' | grep -vE '^player/Clock\.(cpp|h)$' | xargs grep -nE "$pattern" || true); [ -n "$offenders" ]; then
  echo "check-source: waits outside the clock service (use player/Clock.h):" >&2
  echo "$offenders" >&2
  status=1
fi

[ "$status" -eq 0 ] && echo "check-source: formatting and clock discipline hold"
exit "$status"
