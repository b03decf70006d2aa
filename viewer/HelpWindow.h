// The help viewer's main window: contents and index on the left, the page on
// the right, back and forward above.
#pragma once

#include <QMainWindow>
#include <QUrl>

#include "viewer/Sitemap.h"

class ChmArchive;
class HelpBrowser;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // The archive must outlive the window.
    HelpWindow(const ChmArchive& archive, const QString& fileName, QWidget* parent = nullptr);

    // Shows the archive page `path` ("spielregeln.html", "/a/b.html#x").
    void showPage(const QString& path);
    // The page shown first: the project's default topic, else the first
    // contents entry with a page, else the first HTML file of the archive.
    QString homePage() const;

    HelpBrowser* browser() const { return m_browser; }
    QTreeWidget* contentsTree() const { return m_contents; }
    QListWidget* indexList() const { return m_index; }

private:
    void addContents(QTreeWidgetItem* parent, const std::vector<SitemapEntry>& entries);
    void fillIndex(const std::vector<SitemapEntry>& entries);
    void filterIndex(const QString& text);
    void selectInContents(const QUrl& page);

    const ChmArchive& m_archive;
    std::vector<SitemapEntry> m_contentsEntries;
    HelpBrowser* m_browser;
    QTabWidget* m_tabs;
    QTreeWidget* m_contents;
    QLineEdit* m_indexFilter;
    QListWidget* m_index;
};
