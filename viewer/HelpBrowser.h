// A text browser whose pages, pictures and style sheets come out of a CHM.
#pragma once

#include <QTextBrowser>
#include <QUrl>

class ChmArchive;

// Pages of the archive are addressed as chm:/path. The browser resolves a
// page's relative links against its chm: address, so internal links work as
// they would in the help compiler's own viewer.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(const ChmArchive& archive, QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

    static QUrl urlForPath(const QString& path);
    // The archive path ("/dir/page.html") of a chm: address, without its
    // fragment; empty for any other address.
    static QString pathForUrl(const QUrl& url);

private:
    void followLink(const QUrl& url);

    const ChmArchive& m_archive;
};
