#include "viewer/LinkChecker.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QUrl>
#include <map>

#include "viewer/ChmArchive.h"
#include "viewer/HelpBrowser.h"
#include "viewer/Sitemap.h"

namespace {

bool isHtml(const QString& path) {
    return path.endsWith(u".html"_qs, Qt::CaseInsensitive) ||
           path.endsWith(u".htm"_qs, Qt::CaseInsensitive);
}

QString decodeHtml(const QByteArray& bytes) {
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    return decoder.isValid() ? decoder(bytes) : decodeHelpText(bytes);
}

QStringList attributeValues(const QString& html, const QRegularExpression& pattern) {
    QStringList values;
    for (auto it = pattern.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        for (int group = 2; group <= 4; ++group) {
            if (match.capturedStart(group) >= 0) {
                values.append(match.captured(group));
                break;
            }
        }
    }
    return values;
}

QStringList linksOf(const QString& html) {
    static const QRegularExpression links(
        uR"re(\b(href|src)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>"']+)))re"_qs,
        QRegularExpression::CaseInsensitiveOption);
    return attributeValues(html, links);
}

QSet<QString> anchorsOf(const QString& html) {
    static const QRegularExpression anchors(
        uR"re(\b(name|id)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>"']+)))re"_qs,
        QRegularExpression::CaseInsensitiveOption);
    const QStringList values = attributeValues(html, anchors);
    return QSet<QString>(values.begin(), values.end());
}

class Checker {
public:
    explicit Checker(const ChmArchive& archive) : m_archive(archive) {}

    void check(const QString& from, const QString& link, const QUrl& base) {
        if (link.isEmpty()) {
            m_report.broken.push_back({from, link});
            return;
        }
        const QUrl url = base.resolved(QUrl(link));
        if (url.scheme() != HelpBrowser::urlForPath(u"/"_qs).scheme()) {
            return;
        }
        ++m_report.links;
        const QString path = HelpBrowser::pathForUrl(url);
        if (!m_archive.contains(path)) {
            m_report.broken.push_back({from, link});
            return;
        }
        if (url.hasFragment() && !url.fragment().isEmpty() &&
            !anchors(path).contains(url.fragment())) {
            m_report.broken.push_back({from, link});
        }
    }

    void checkSitemap(const QString& file, const std::vector<SitemapEntry>& entries) {
        for (const SitemapEntry& entry : entries) {
            if (!entry.local.isEmpty()) {
                check(file, entry.local, HelpBrowser::urlForPath(u"/"_qs));
            }
            checkSitemap(file, entry.children);
        }
    }

    const QSet<QString>& anchors(const QString& path) {
        auto found = m_anchors.find(path);
        if (found == m_anchors.end()) {
            found = m_anchors
                        .emplace(path,
                                 anchorsOf(decodeHtml(m_archive.read(path).value_or(QByteArray()))))
                        .first;
        }
        return found->second;
    }

    LinkReport& report() { return m_report; }

private:
    const ChmArchive& m_archive;
    std::map<QString, QSet<QString>> m_anchors;
    LinkReport m_report;
};

}  // namespace

LinkReport checkLinks(const ChmArchive& archive) {
    Checker checker(archive);
    const QStringList files = archive.files();
    for (const QString& file : files) {
        if (isHtml(file)) {
            ++checker.report().pages;
            const QString html = decodeHtml(archive.read(file).value_or(QByteArray()));
            for (const QString& link : linksOf(html)) {
                checker.check(file, link, HelpBrowser::urlForPath(file));
            }
        }
    }
    for (const QString& file : files) {
        if (file.endsWith(u".hhc"_qs, Qt::CaseInsensitive) ||
            file.endsWith(u".hhk"_qs, Qt::CaseInsensitive)) {
            ++checker.report().pages;
            checker.checkSitemap(file, parseSitemap(archive.read(file).value_or(QByteArray())));
        }
    }
    if (!archive.defaultTopic().isEmpty()) {
        checker.check(u"#SYSTEM"_qs, archive.defaultTopic(), HelpBrowser::urlForPath(u"/"_qs));
    }
    return checker.report();
}
