# SPDX-License-Identifier: GPL-3.0-or-later
# Completion of qvn's options for fish; the --set keys and column keys come from qvn itself.

function __qvn_set_keys
    qvn --list-keys 2>/dev/null | while read -l -d \t key kind values default
        printf '%s=\t%s %s\n' $key $kind $values
    end
end

function __qvn_columns
    set -l token (commandline -ct)
    set -l head (string replace -r '[^,]*$' '' -- $token)
    for key in (qvn --list-columns 2>/dev/null)
        echo $head$key
    end
end

complete -c qvn -s f -l favourite -r -F -d 'Load a favourites file first'
complete -c qvn -l save-favourite -r -F -d 'Write the settings as a favourites file'
complete -c qvn -l pairs -r -F -d 'Import rename pairs (- for standard input)'
complete -c qvn -l prefs -r -F -d 'Read a preferences file'
complete -c qvn -l from -r -F -d 'Read paths from a file (- for standard input)'
complete -c qvn -s s -l set -x -a '(__qvn_set_keys)' -d 'Set SECTION/KEY=VALUE'
complete -c qvn -s p -l pref -x -d 'Set a preference KEY=VALUE'
complete -c qvn -l match-case -d 'Tick Match Case of the replacements'
complete -c qvn -l format -x -a 'table tsv json' -d 'Output format'
complete -c qvn -l columns -x -a '(__qvn_columns)' -d 'Columns to print'
complete -c qvn -l changed -d 'Only entries whose name changes'
complete -c qvn -l debug -x -d 'Trace the name of one row'
complete -c qvn -l sort -x -a '(qvn --list-columns 2>/dev/null | head -n 12)' -d 'Sort the list'
complete -c qvn -l rename -d 'Rename after the preview'
complete -c qvn -s y -l yes -d 'Answer Yes to every question'
complete -c qvn -l undo -d 'Reverse the last run'
complete -c qvn -l undo-script -r -F -d 'Write the undo script of the run'
complete -c qvn -s 0 -l print0 -d 'NUL-ended rows of tab-separated columns'
complete -c qvn -s q -l quiet -d 'Print only errors'
complete -c qvn -l color -x -a 'auto always never' -d 'Colour in the table'
complete -c qvn -l list-keys -d 'List every --set key'
complete -c qvn -l list-columns -d 'List every column key'
complete -c qvn -s h -l help -d 'Print the help'
complete -c qvn -l version -d 'Print the version'
