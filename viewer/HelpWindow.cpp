#include "viewer/HelpWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "viewer/ChmArchive.h"
#include "viewer/HelpBrowser.h"

namespace {

// Each contents and index item keeps the page it leads to.
constexpr int kPageRole = Qt::UserRole;

QString firstLocal(const std::vector<SitemapEntry>& entries) {
    for (const SitemapEntry& entry : entries) {
        if (!entry.local.isEmpty()) {
            return entry.local;
        }
        QString inner = firstLocal(entry.children);
        if (!inner.isEmpty()) {
            return inner;
        }
    }
    return {};
}

std::vector<SitemapEntry> readSitemap(const ChmArchive& archive, QString file,
                                      const QString& suffix) {
    if (file.isEmpty() || !archive.contains(file)) {
        file.clear();
        for (const QString& candidate : archive.files()) {
            if (candidate.endsWith(suffix, Qt::CaseInsensitive)) {
                file = candidate;
                break;
            }
        }
    }
    if (file.isEmpty()) {
        return {};
    }
    return parseSitemap(archive.read(file).value_or(QByteArray()));
}

}  // namespace

HelpWindow::HelpWindow(const ChmArchive& archive, const QString& fileName, QWidget* parent)
    : QMainWindow(parent), m_archive(archive) {
    const QString title =
        archive.title().isEmpty() ? QFileInfo(fileName).fileName() : archive.title();
    setWindowTitle(title);

    m_browser = new HelpBrowser(archive);
    m_contents = new QTreeWidget;
    m_contents->setHeaderHidden(true);
    m_contents->setAccessibleName(tr("Inhalt"));
    m_indexFilter = new QLineEdit;
    m_indexFilter->setAccessibleName(tr("Stichwort suchen"));
    m_indexFilter->setPlaceholderText(tr("Stichwort"));
    m_index = new QListWidget;
    m_index->setAccessibleName(tr("Index"));

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(0, 0, 0, 0);
    auto* filterLabel = new QLabel(tr("&Stichwort:"));
    filterLabel->setBuddy(m_indexFilter);
    indexLayout->addWidget(filterLabel);
    indexLayout->addWidget(m_indexFilter);
    indexLayout->addWidget(m_index);

    m_tabs = new QTabWidget;
    m_tabs->addTab(m_contents, tr("&Inhalt"));
    m_tabs->addTab(indexPage, tr("In&dex"));

    auto* splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({250, 610});
    setCentralWidget(splitter);

    QToolBar* toolBar = addToolBar(tr("Navigation"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* back = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("&Zurück"));
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    QAction* forward =
        toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("&Vorwärts"));
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    QAction* home =
        toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("S&tartseite"));
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(home, &QAction::triggered, this, [this] { showPage(homePage()); });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::selectInContents);

    m_contentsEntries = readSitemap(archive, archive.contentsFile(), u".hhc"_qs);
    addContents(nullptr, m_contentsEntries);
    m_contents->expandAll();
    fillIndex(readSitemap(archive, archive.indexFile(), u".hhk"_qs));

    auto openItemPage = [this](const QVariant& page) {
        if (!page.toString().isEmpty()) {
            showPage(page.toString());
        }
    };
    connect(m_contents, &QTreeWidget::itemActivated, this,
            [openItemPage](QTreeWidgetItem* item) { openItemPage(item->data(0, kPageRole)); });
    connect(m_contents, &QTreeWidget::itemClicked, this,
            [openItemPage](QTreeWidgetItem* item) { openItemPage(item->data(0, kPageRole)); });
    connect(m_index, &QListWidget::itemActivated, this,
            [openItemPage](QListWidgetItem* item) { openItemPage(item->data(kPageRole)); });
    connect(m_index, &QListWidget::itemClicked, this,
            [openItemPage](QListWidgetItem* item) { openItemPage(item->data(kPageRole)); });
    connect(m_indexFilter, &QLineEdit::textChanged, this, &HelpWindow::filterIndex);
    connect(m_indexFilter, &QLineEdit::returnPressed, this, [this, openItemPage] {
        if (QListWidgetItem* item = m_index->currentItem()) {
            openItemPage(item->data(kPageRole));
        }
    });

    resize(860, 600);
}

QString HelpWindow::homePage() const {
    if (!m_archive.defaultTopic().isEmpty()) {
        return m_archive.defaultTopic();
    }
    QString first = firstLocal(m_contentsEntries);
    if (!first.isEmpty()) {
        return first;
    }
    for (const QString& file : m_archive.files()) {
        if (file.endsWith(u".html"_qs, Qt::CaseInsensitive) ||
            file.endsWith(u".htm"_qs, Qt::CaseInsensitive)) {
            return file;
        }
    }
    return {};
}

void HelpWindow::showPage(const QString& path) {
    m_browser->setSource(HelpBrowser::urlForPath(path));
}

void HelpWindow::addContents(QTreeWidgetItem* parent, const std::vector<SitemapEntry>& entries) {
    for (const SitemapEntry& entry : entries) {
        auto* item =
            parent == nullptr ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(parent);
        item->setText(0, entry.name);
        item->setData(0, kPageRole, entry.local);
        item->setIcon(0, style()->standardIcon(entry.children.empty() ? QStyle::SP_FileIcon
                                                                      : QStyle::SP_DirOpenIcon));
        addContents(item, entry.children);
    }
}

void HelpWindow::fillIndex(const std::vector<SitemapEntry>& entries) {
    for (const SitemapEntry& entry : entries) {
        auto* item = new QListWidgetItem(entry.name, m_index);
        item->setData(kPageRole, entry.local);
        // Sub-keywords are listed indented under their keyword.
        for (const SitemapEntry& child : entry.children) {
            auto* sub = new QListWidgetItem(u"    "_qs + child.name, m_index);
            sub->setData(kPageRole, child.local);
        }
    }
}

// Typing in the keyword field jumps to the first keyword starting with the
// text, as the Windows viewer does, rather than hiding the others.
void HelpWindow::filterIndex(const QString& text) {
    for (int row = 0; row < m_index->count(); ++row) {
        if (m_index->item(row)->text().trimmed().startsWith(text, Qt::CaseInsensitive)) {
            m_index->setCurrentRow(row);
            m_index->scrollToItem(m_index->item(row), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

// Called as the page changes, before the browser's history knows the new
// page, so the page comes from the signal rather than from source().
void HelpWindow::selectInContents(const QUrl& page) {
    const QString current = HelpBrowser::pathForUrl(page);
    for (QTreeWidgetItemIterator it(m_contents); *it != nullptr; ++it) {
        const QString local = (*it)->data(0, kPageRole).toString();
        if (!local.isEmpty() && HelpBrowser::pathForUrl(HelpBrowser::urlForPath(local))
                                        .compare(current, Qt::CaseInsensitive) == 0) {
            m_contents->setCurrentItem(*it);
            return;
        }
    }
}
