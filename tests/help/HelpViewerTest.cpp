// The help viewer's parts on two help files made by chmcmd at build time: the
// game's own Lexodrom.chm and a small fixture with known faults.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "viewer/ChmArchive.h"
#include "viewer/HelpBrowser.h"
#include "viewer/HelpFileLocator.h"
#include "viewer/HelpWindow.h"
#include "viewer/LinkChecker.h"
#include "viewer/Sitemap.h"

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "help_test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

std::unique_ptr<ChmArchive> openHelp() {
    return ChmArchive::open(QStringLiteral(LEXODROM_CHM));
}
std::unique_ptr<ChmArchive> openFixture() {
    return ChmArchive::open(QStringLiteral(LEXODROM_FIXTURE_CHM));
}

QStringList names(const std::vector<SitemapEntry>& entries) {
    QStringList result;
    for (const SitemapEntry& entry : entries) {
        result.append(entry.name);
    }
    return result;
}

}  // namespace

TEST(SitemapTest, NestsListsUnderThePrecedingEntry) {
    const auto entries = parseSitemap(R"(<ul>
        <li><object type="text/sitemap"><param name="Name" value="A"><param name="Local" value="a.html"></object>
        <ul><li><OBJECT TYPE="text/sitemap"><PARAM NAME="name" VALUE="A1"></OBJECT>
            <ul><li><object type="text/sitemap"><param name="Name" value="A1x"><param name="Local" value="x.html#t"></object></ul>
        </ul>
        <li><object type="text/sitemap"><param name="Name" value="B"><param name="Local" value='b.html'></object>
        </ul>)");
    ASSERT_EQ(names(entries), QStringList({"A", "B"}));
    EXPECT_EQ(entries[0].local, "a.html");
    EXPECT_EQ(entries[1].local, "b.html");
    ASSERT_EQ(names(entries[0].children), QStringList({"A1"}));
    EXPECT_TRUE(entries[0].children[0].local.isEmpty());
    ASSERT_EQ(names(entries[0].children[0].children), QStringList({"A1x"}));
    EXPECT_EQ(entries[0].children[0].children[0].local, "x.html#t");
}

// Sitemaps written by hand or by other tools are often not well formed; what
// can be read must still come through.
TEST(SitemapTest, ToleratesWhatHandWrittenFilesContain) {
    const auto entries = parseSitemap(
        "<object type=\"text/site properties\"><param name=\"Name\" value=\"props\"></object>"
        "<ul><ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Stra&szlig;e &amp; "
        "Weg\"><param name=\"Name\" value=\"second\"><param name=Local value=s.html></object>"
        "<li><object type=\"text/sitemap\"><param name=\"Local\" value=\"nameless.html\"></object>"
        "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"open\">");
    ASSERT_EQ(names(entries), QStringList({QString::fromUtf8("Straße & Weg")}));
    EXPECT_EQ(entries[0].local, "s.html");
}

TEST(SitemapTest, ReadsWindows1252WhenTheFileSaysSo) {
    const auto entries = parseSitemap(
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
        "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" "
        "value=\"\xC4rger\x80\"></object>"
        "</ul>");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, QString::fromUtf8("Ärger€"));
}

TEST(ChmArchiveTest, ReadsTheProjectSettingsAndFiles) {
    const auto help = openHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->title(), "Lexodrom-Hilfe");
    EXPECT_EQ(help->defaultTopic(), "index.html");
    EXPECT_TRUE(help->contains(help->contentsFile()));
    EXPECT_TRUE(help->contains(help->indexFile()));
    const QStringList files = help->files();
    for (const char* page :
         {"/index.html", "/spielregeln.html", "/punkte.html", "/style.css", "/lexodrom.png"}) {
        EXPECT_TRUE(files.contains(page)) << page;
    }
    for (const QString& file : files) {
        EXPECT_FALSE(file.startsWith("/#") || file.startsWith("/$")) << file.toStdString();
    }
    const auto rules = help->read("spielregeln.html");
    ASSERT_TRUE(rules.has_value());
    EXPECT_TRUE(QString::fromUtf8(*rules).contains(QString::fromUtf8("Wer ein Wort vollendet")));
    EXPECT_EQ(help->read("/spielregeln.html"), rules);
    EXPECT_FALSE(help->read("/nicht-da.html").has_value());
    EXPECT_FALSE(help->contains("nicht-da.html"));
}

TEST(ChmArchiveTest, DecodesAUtf8TitleAndRefusesWhatIsNoHelpFile) {
    const auto fixture = openFixture();
    ASSERT_NE(fixture, nullptr);
    EXPECT_EQ(fixture->title(), QString::fromUtf8("Prüfhilfe"));

    EXPECT_EQ(ChmArchive::open(QStringLiteral("/nonexistent/Lexodrom.chm")), nullptr);
    QTemporaryDir dir;
    QFile text(dir.filePath("text.chm"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("This is not a compiled help file, only some text.\n");
    text.close();
    EXPECT_EQ(ChmArchive::open(text.fileName()), nullptr);
}

TEST(LinkCheckerTest, FindsEveryBrokenLinkAndNoOther) {
    const auto fixture = openFixture();
    ASSERT_NE(fixture, nullptr);
    const LinkReport report = checkLinks(*fixture);
    QStringList broken;
    for (const BrokenLink& link : report.broken) {
        broken.append(link.from + " -> " + link.target);
    }
    broken.sort();
    EXPECT_EQ(broken, QStringList({"/fixture.hhc -> gone.html", "/start.html -> missing.html",
                                   "/start.html -> sub/page.html#nirgends",
                                   "/sub/page.html -> missing.png"}));
}

TEST(LinkCheckerTest, TheGameHelpHasNoBrokenLink) {
    const auto help = openHelp();
    ASSERT_NE(help, nullptr);
    const LinkReport report = checkLinks(*help);
    EXPECT_TRUE(report.broken.empty());
    // Every page of the help must have been read, or "no broken link" means
    // nothing.
    EXPECT_EQ(report.pages, 11);
    EXPECT_GT(report.links, 9 * 2);
}

TEST(HelpFileLocatorTest, TriesTheNameThenTheDataFoldersThenTheProgramFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir(root.path()).mkpath("cwd");
    QDir(root.path()).mkpath("data");
    QDir(root.path()).mkpath("program");
    const QString data = root.filePath("data");
    const QString program = root.filePath("program");
    auto touch = [](const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root.filePath("cwd")));

    EXPECT_EQ(locateHelpFile("Lexodrom.chm", {data}, program), QString());
    touch(program + "/Lexodrom.chm");
    EXPECT_EQ(locateHelpFile("Lexodrom.chm", {"/nonexistent", data}, program),
              program + "/Lexodrom.chm");
    touch(data + "/Lexodrom.chm");
    EXPECT_EQ(locateHelpFile("Lexodrom.chm", {"/nonexistent", data}, program),
              data + "/Lexodrom.chm");
    touch(root.filePath("cwd/Lexodrom.chm"));
    EXPECT_EQ(locateHelpFile("Lexodrom.chm", {data}, program), "Lexodrom.chm");
    // A directory of that name is not the help file.
    QDir(root.path()).mkpath("cwd/Other.chm");
    touch(data + "/Other.chm");
    EXPECT_EQ(locateHelpFile("Other.chm", {data}, program), data + "/Other.chm");
    // An absolute name means exactly that file.
    EXPECT_EQ(helpFileCandidates(data + "/Missing.chm", {data}, program),
              QStringList({data + "/Missing.chm"}));

    QDir::setCurrent(previous);
}

TEST(HelpWindowTest, ShowsContentsIndexAndTheDefaultTopic) {
    application();
    const auto help = openHelp();
    ASSERT_NE(help, nullptr);
    HelpWindow window(*help, "Lexodrom.chm");
    EXPECT_EQ(window.windowTitle(), "Lexodrom-Hilfe");
    EXPECT_EQ(window.homePage(), "index.html");

    QTreeWidget* tree = window.contentsTree();
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Lexodrom");
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 6);
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(0), "Spielregeln");
    EXPECT_EQ(tree->topLevelItem(2)->text(0), "Lizenz");
    EXPECT_GE(window.indexList()->count(), 20);

    window.showPage(window.homePage());
    EXPECT_EQ(window.browser()->documentTitle(), QString::fromUtf8("Lexodrom – Hilfe"));
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
}

// A page's relative links and pictures are resolved against the page, and
// the history walks back and forth over what was shown.
TEST(HelpWindowTest, FollowsRelativeLinksAndRemembersTheWay) {
    application();
    const auto fixture = openFixture();
    ASSERT_NE(fixture, nullptr);
    HelpWindow window(*fixture, "fixture.chm");
    HelpBrowser* browser = window.browser();

    window.showPage("sub/page.html");
    EXPECT_EQ(browser->documentTitle(), "Unterseite");
    EXPECT_EQ(HelpBrowser::pathForUrl(browser->source()), "/sub/page.html");
    const QVariant up = browser->loadResource(QTextDocument::HtmlResource, QUrl("../start.html"));
    EXPECT_TRUE(QString::fromUtf8(up.toByteArray()).contains(QString::fromUtf8("Größe")));

    browser->setSource(browser->source().resolved(QUrl("../start.html")));
    EXPECT_EQ(browser->documentTitle(), "Start");
    EXPECT_TRUE(browser->isBackwardAvailable());
    browser->backward();
    EXPECT_EQ(browser->documentTitle(), "Unterseite");
    browser->forward();
    EXPECT_EQ(browser->documentTitle(), "Start");

    window.showPage("missing.html");
    EXPECT_TRUE(browser->toPlainText().contains("Seite nicht gefunden"));
}

TEST(HelpWindowTest, LoadsPicturesAndStyleSheetsFromTheArchive) {
    application();
    const auto help = openHelp();
    ASSERT_NE(help, nullptr);
    HelpWindow window(*help, "Lexodrom.chm");
    window.showPage("index.html");
    const QVariant picture =
        window.browser()->loadResource(QTextDocument::ImageResource, QUrl("lexodrom.png"));
    const QImage image = QImage::fromData(picture.toByteArray());
    EXPECT_EQ(image.size(), QSize(48, 48));
    const QVariant css =
        window.browser()->loadResource(QTextDocument::StyleSheetResource, QUrl("style.css"));
    EXPECT_TRUE(css.toString().contains("h1"));
}
