// Read access to a compiled HTML help file (CHM) through libchm.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

struct chmFile;

class ChmArchive {
public:
    // Opens the file at `fileName`; returns nullptr when it is missing or is
    // not a CHM file libchm can read.
    static std::unique_ptr<ChmArchive> open(const QString& fileName);
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    // The contents of the internal file `path` ("/index.html" or
    // "index.html"; a leading '/' is optional), or nothing if there is none.
    std::optional<QByteArray> read(const QString& path) const;
    bool contains(const QString& path) const;

    // Every ordinary file of the archive, as "/name", in archive order. The
    // archive's own bookkeeping files (those starting with '#' or '$') are
    // left out.
    QStringList files() const;

    // What the help project said about itself. Each may be empty: the
    // #SYSTEM file is optional, so callers fall back on the files().
    QString title() const { return m_title; }
    QString defaultTopic() const { return m_defaultTopic; }
    QString contentsFile() const { return m_contentsFile; }
    QString indexFile() const { return m_indexFile; }

private:
    explicit ChmArchive(chmFile* handle);
    void readSystemFile();

    chmFile* m_handle;
    QString m_title;
    QString m_defaultTopic;
    QString m_contentsFile;
    QString m_indexFile;
};

// Help compilers store text in the project's own encoding and do not record
// which one it was. UTF-8 is taken when the bytes are valid UTF-8, else the
// Windows code page the format was made for.
QString decodeHelpText(const QByteArray& bytes);
