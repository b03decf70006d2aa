// Checks that every link inside a help file leads somewhere.
#pragma once

#include <QString>
#include <QStringList>

class ChmArchive;

struct BrokenLink {
    QString from;    // the archive file holding the link ("/index.html")
    QString target;  // the link as written
};

struct LinkReport {
    int pages = 0;  // HTML pages and sitemaps read
    int links = 0;  // internal links checked
    std::vector<BrokenLink> broken;
};

// Follows every href and src of every HTML page, every entry of the
// contents and index, and the default topic. An internal link is broken when
// its file is not in the archive, or when it names a #fragment that its page
// does not define (as name= or id=). Links to other schemes (http:, mailto:)
// are not followed.
LinkReport checkLinks(const ChmArchive& archive);
