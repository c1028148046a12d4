#pragma once

#include <QString>

// Where the user guide is, found from the program's own folder at run time: installed, it
// lies in <prefix>/share/doc/pelorin beside <prefix>/bin; a program started from its build
// tree has none installed and names the source tree's guide. The first of the two that
// exists is returned; the installed place when neither does.
[[nodiscard]] QString userGuidePath(const QString& programDir, const QString& sourceGuide);
