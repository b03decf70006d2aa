#include "viewer/Sitemap.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocumentFragment>

#include "viewer/ChmArchive.h"

namespace {

// Attribute values may hold entities (&amp;, &auml;); Qt's HTML reader knows
// them all.
QString unescape(const QString& value) {
    if (!value.contains(u'&')) {
        return value;
    }
    QString html = value;
    html.replace(u'<', u"&lt;"_qs).replace(u'>', u"&gt;"_qs);
    return QTextDocumentFragment::fromHtml(html).toPlainText();
}

QString attribute(const QString& tag, const QString& name) {
    static const QRegularExpression attributes(
        uR"re((\w+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re"_qs);
    for (auto it = attributes.globalMatch(tag); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(1).compare(name, Qt::CaseInsensitive) == 0) {
            for (int group = 2; group <= 4; ++group) {
                if (match.capturedStart(group) >= 0) {
                    return unescape(match.captured(group));
                }
            }
        }
    }
    return {};
}

}  // namespace

// A stack of open lists is kept; an object is appended to the innermost one,
// and a <UL> opens a list for the children of the last entry appended there.
std::vector<SitemapEntry> parseSitemap(const QByteArray& bytes) {
    QString text;
    {
        QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
        text = decoder.isValid() ? decoder(bytes) : decodeHelpText(bytes);
    }
    std::vector<SitemapEntry> top;
    std::vector<std::vector<SitemapEntry>*> lists;
    bool inObject = false;
    bool isSitemapObject = false;
    SitemapEntry current;

    static const QRegularExpression tags(uR"re(<\s*(/?)\s*(\w+)([^>]*)>)re"_qs);
    for (auto it = tags.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const bool closing = !match.captured(1).isEmpty();
        const QString name = match.captured(2).toLower();
        const QString rest = match.captured(3);
        if (name == u"ul") {
            if (closing) {
                if (!lists.empty()) {
                    lists.pop_back();
                }
            } else if (lists.empty()) {
                lists.push_back(&top);
            } else if (lists.back()->empty()) {
                // A list nested without an item to hang it on: its items join
                // the enclosing list rather than being lost.
                lists.push_back(lists.back());
            } else {
                lists.push_back(&lists.back()->back().children);
            }
        } else if (name == u"object") {
            if (!closing) {
                inObject = true;
                isSitemapObject =
                    attribute(rest, u"type"_qs).compare(u"text/sitemap"_qs, Qt::CaseInsensitive) ==
                    0;
                current = SitemapEntry{};
            } else if (inObject) {
                inObject = false;
                if (isSitemapObject && !current.name.isEmpty()) {
                    (lists.empty() ? top : *lists.back()).push_back(std::move(current));
                }
            }
        } else if (name == u"param" && inObject && isSitemapObject) {
            const QString param = attribute(rest, u"name"_qs).toLower();
            const QString value = attribute(rest, u"value"_qs);
            if (param == u"name" && current.name.isEmpty()) {
                current.name = value;
            } else if (param == u"local" && current.local.isEmpty()) {
                current.local = value;
            }
        }
    }
    return top;
}
