#!/usr/bin/env bash
# Checks that need no build: every C++ file is formatted as .clang-format says; no code
# outside the clock service waits on its own (timers, event loops, event passes or sleeps
# go through player/Clock, so tests and the tour can run on the virtual clock); the layers
# include only the layers below them; lesson code works only through its Page; no product or
# tool file grows past 700 lines and no function past 80.
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

# Sizes: a file or a function that has grown past these is doing several things at once and
# reads better split. Tests are exempt: a test file holds many small cases side by side.
max_file_lines=700
max_function_lines=80
mapfile -t sized < <(git ls-files app player dialogs lesson light matter cloud periodic driver tools bench |
  grep -E '\.(cpp|h)$')
long_files=()
for f in "${sized[@]}"; do
  n=$(wc -l <"$f")
  ((n <= max_file_lines)) || long_files+=("$f: $n lines")
done
if ((${#long_files[@]})); then
  echo "check-source: files over $max_file_lines lines (split them by what they hold):" >&2
  printf '  %s\n' "${long_files[@]}" >&2
  status=1
fi
if long_functions=$(awk -v limit="$max_function_lines" -f tools/long-functions.awk "${sized[@]}"); [ -n "$long_functions" ]; then
  echo "check-source: functions over $max_function_lines lines (give their parts names of their own):" >&2
  echo "$long_functions" | sed 's/^/  /' >&2
  status=1
fi

[ "$status" -eq 0 ] && echo "check-source: formatting, clock discipline, layers, lesson rooms and sizes hold"
exit "$status"
