// Where the viewer looks for the help file it is asked to show.
#pragma once

#include <QString>
#include <QStringList>

// The places tried for `name`, in order: the name as given (relative to the
// current directory), then, for a name that is not absolute, each of
// `dataDirs` and the viewer's own directory `programDir`.
QStringList helpFileCandidates(const QString& name, const QStringList& dataDirs,
                               const QString& programDir);

// The first candidate that is an existing file, or an empty string.
QString locateHelpFile(const QString& name, const QStringList& dataDirs, const QString& programDir);
