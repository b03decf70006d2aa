// The contents (.hhc) and index (.hhk) files of a help project: HTML lists
// whose items are <OBJECT type="text/sitemap"> blocks of <param> tags.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

struct SitemapEntry {
    QString name;
    // The page the entry leads to, as written (relative to the archive's
    // root, possibly with a #fragment); empty for a heading without a page.
    QString local;
    std::vector<SitemapEntry> children;
};

// Parses a sitemap. Nesting follows the <UL> lists: an entry's children are
// the items of a list that follows it before the next item of its own list.
// Tags and parameter names are matched without regard to case; unknown tags
// are ignored and an unbalanced list ends where the text ends, so that a
// sloppy file still shows what it can.
std::vector<SitemapEntry> parseSitemap(const QByteArray& bytes);
