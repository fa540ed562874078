#!/usr/bin/env bash
# Checks that need no build: every C++ file is formatted as .clang-format says; no code
# outside the clock service waits on its own (timers, event loops, event passes or sleeps
# go through player/Clock, so tests and the tour can run on the virtual clock); the layers
# include only the layers below them; lesson code works only through its Page.
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
if offenders=$(git ls-files 'app/*' 'player/*' 'dialogs/*' 'lesson/*' 'light/*' 'matter/*' 'cloud/*' 'periodic/*' 'driver/*' 'media/*' |
  grep -E '\.(cpp|h)$' | grep -vE '^player/Clock\.(cpp|h)$' | xargs grep -nE "$pattern" || true); [ -n "$offenders" ]; then
  echo "check-source: waits outside the clock service (use player/Clock.h):" >&2
  echo "$offenders" >&2
  status=1
fi

# The layers: each folder includes only itself and the folders below it, so no circle can
# form between them. tests/, bench/ and tools/ stand beside the layers and may include any.
declare -A below=(
  [player]="player"
  [dialogs]="dialogs player"
  [lesson]="lesson dialogs player"
  [light]="light lesson dialogs player"
  [matter]="matter lesson dialogs player"
  [cloud]="cloud lesson dialogs player"
  [periodic]="periodic lesson dialogs player"
  [app]="app cloud periodic light matter lesson dialogs player"
  [driver]="driver app cloud periodic light matter lesson dialogs player"
)
layer_offenders=()
while IFS= read -r f; do
  folder=${f%%/*}
  allowed=" ${below[$folder]} "
  while IFS= read -r inc; do
    target=${inc%%/*}
    [ -d "$target" ] || continue
    [[ $allowed == *" $target "* ]] || layer_offenders+=("$f includes $inc")
  done < <(sed -nE 's/^#include "([^"]+)".*/\1/p' "$f")
done < <(for folder in "${!below[@]}"; do git ls-files "$folder/*"; done | grep -E '\.(cpp|h)$')
if ((${#layer_offenders[@]})); then
  echo "check-source: a layer includes a folder above it or beside it:" >&2
  printf '  %s\n' "${layer_offenders[@]}" >&2
  status=1
fi

# A step's whole room is its Page: lesson files draw, wait, ask and move only through it,
# never through a window, the global counters or a button's handler.
room='gScale|gStep|gSection|gAnswers|gQuestion|_Click\(|#include "lesson/(frmLight|frmMaterial|LessonWindow)\.h"'
if offenders=$(git ls-files 'light/*' 'matter/*' | grep -E '\.(cpp|h)$' | xargs grep -nE "$room" || true); [ -n "$offenders" ]; then
  echo "check-source: lesson code reaching past its Page:" >&2
  echo "$offenders" >&2
  status=1
fi

[ "$status" -eq 0 ] && echo "check-source: formatting, clock discipline, layers and lesson rooms hold"
exit "$status"
