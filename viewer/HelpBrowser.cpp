#include "viewer/HelpBrowser.h"

#include <QDesktopServices>
#include <QStringDecoder>

#include "viewer/ChmArchive.h"

namespace {
const QString kScheme = QStringLiteral("chm");
}

HelpBrowser::HelpBrowser(const ChmArchive& archive, QWidget* parent)
    : QTextBrowser(parent), m_archive(archive) {
    // Links leaving the archive go to the desktop's browser; ours are followed
    // here. Qt would otherwise try to load a web page as a resource.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
}

QUrl HelpBrowser::urlForPath(const QString& path) {
    QUrl url;
    url.setScheme(kScheme);
    const qsizetype hash = path.indexOf(u'#');
    QString file = hash < 0 ? path : path.left(hash);
    if (!file.startsWith(u'/')) {
        file.prepend(u'/');
    }
    url.setPath(file);
    if (hash >= 0) {
        url.setFragment(path.mid(hash + 1));
    }
    return url;
}

QString HelpBrowser::pathForUrl(const QUrl& url) {
    if (url.scheme() != kScheme) {
        return {};
    }
    return url.path();
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    QUrl url = name;
    if (url.isRelative()) {
        const QUrl base = document()->baseUrl().isValid() ? document()->baseUrl() : source();
        url = base.resolved(name);
    }
    const QString path = pathForUrl(url);
    if (path.isEmpty()) {
        return {};
    }
    std::optional<QByteArray> contents = m_archive.read(path);
    if (!contents) {
        if (type == QTextDocument::HtmlResource) {
            return tr("<h1>Seite nicht gefunden</h1><p>Die Hilfedatei enth\u00e4lt keine Seite "
                      "\u201e%1\u201c.</p>")
                .arg(path.toHtmlEscaped());
        }
        return {};
    }
    if (type == QTextDocument::StyleSheetResource) {
        return decodeHelpText(*contents);
    }
    return *contents;
}

void HelpBrowser::followLink(const QUrl& url) {
    if (url.scheme() == kScheme) {
        setSource(url);
    } else {
        QDesktopServices::openUrl(url);
    }
}
