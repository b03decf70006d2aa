#include "viewer/HelpFileLocator.h"

#include <QDir>
#include <QFileInfo>

QStringList helpFileCandidates(const QString& name, const QStringList& dataDirs,
                               const QString& programDir) {
    QStringList candidates{name};
    if (name.isEmpty() || QDir::isAbsolutePath(name)) {
        return candidates;
    }
    for (const QString& dir : dataDirs) {
        if (!dir.isEmpty()) {
            candidates.append(QDir(dir).filePath(name));
        }
    }
    if (!programDir.isEmpty()) {
        candidates.append(QDir(programDir).filePath(name));
    }
    candidates.removeDuplicates();
    return candidates;
}

QString locateHelpFile(const QString& name, const QStringList& dataDirs,
                       const QString& programDir) {
    for (const QString& candidate : helpFileCandidates(name, dataDirs, programDir)) {
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return {};
}
