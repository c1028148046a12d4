#!/usr/bin/env bash
# Prints the path of the user's working copy of the sample tile file, copying ORIGINAL there
# first when there is none. Edits go to the copy, so the generated original stays as drawn.
# Delete the copy to start again from the original. The copy has a name of its own: with the
# usual prefix ~/.local, `cmake --install` puts the original in this same folder.
set -euo pipefail
original="$1"
folder="${XDG_DATA_HOME:-$HOME/.local/share}/pelorin"
copy="$folder/pelorin-sample-copy.gb"
if [ ! -f "$copy" ]; then
    mkdir -p "$folder"
    cp "$original" "$copy"
    chmod u+w "$copy"
fi
echo "$copy"
