// hh.exe: the help viewer the game starts with the name of its help file.
// It carries the Windows viewer's name because the game finds it by that name.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextStream>
#include <cstdio>

#include "viewer/ChmArchive.h"
#include "viewer/HelpFileLocator.h"
#include "viewer/HelpWindow.h"
#include "viewer/LinkChecker.h"

namespace {

// The installed data folder, both as configured and as found from the
// executable; the second keeps an installation movable to another prefix.
QStringList dataDirs() {
    return {QStringLiteral(LEXODROM_HELP_DATADIR),
            QDir(QCoreApplication::applicationDirPath())
                .filePath(QStringLiteral(LEXODROM_HELP_DATADIR_FROM_PROGRAM))};
}

int reportMissing(const QString& name, const QStringList& tried, bool quiet) {
    const QString text =
        QObject::tr("Die Hilfedatei \u201e%1\u201c kann nicht ge\u00f6ffnet werden.").arg(name);
    const QString details = QObject::tr("Gesucht wurde in:\n%1").arg(tried.join(u'\n'));
    if (quiet) {
        QTextStream(stderr) << "hh.exe: " << text << '\n' << details << '\n';
    } else {
        QMessageBox box(QMessageBox::Critical, QObject::tr("Hilfe"), text, QMessageBox::Ok);
        box.setInformativeText(details);
        box.exec();
    }
    return 2;
}

int dumpLinks(const ChmArchive& archive) {
    const LinkReport report = checkLinks(archive);
    QTextStream out(stdout);
    for (const BrokenLink& link : report.broken) {
        out << "broken: " << link.from << " -> " << link.target << '\n';
    }
    out << report.pages << " pages, " << report.links << " links, " << report.broken.size()
        << " broken\n";
    return report.broken.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("hh.exe"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QObject::tr("Zeigt eine HTML-Hilfedatei (CHM) an."));
    parser.addHelpOption();
    const QCommandLineOption dumpLinksOption(
        QStringLiteral("dump-links"),
        QObject::tr("Alle Verweise pr\u00fcfen, defekte ausgeben und mit Fehler enden, "
                    "wenn es welche gibt."));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QObject::tr("Das Fenster mit SEITE (sonst der Startseite) als PNG in DATEI speichern."),
        QObject::tr("DATEI"));
    parser.addOption(dumpLinksOption);
    parser.addOption(screenshotOption);
    parser.addPositionalArgument(QObject::tr("hilfedatei"), QObject::tr("Die CHM-Datei."));
    parser.addPositionalArgument(QObject::tr("seite"), QObject::tr("Seite f\u00fcr --screenshot."),
                                 QObject::tr("[seite]"));
    parser.process(app);

    const QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty() || arguments.size() > 2) {
        parser.showHelp(1);
    }
    const bool batch = parser.isSet(dumpLinksOption) || parser.isSet(screenshotOption);
    const QString name = arguments.front();
    const QString fileName =
        locateHelpFile(name, dataDirs(), QCoreApplication::applicationDirPath());
    std::unique_ptr<ChmArchive> archive = fileName.isEmpty() ? nullptr : ChmArchive::open(fileName);
    if (!archive) {
        return reportMissing(
            name, helpFileCandidates(name, dataDirs(), QCoreApplication::applicationDirPath()),
            batch);
    }
    if (parser.isSet(dumpLinksOption)) {
        return dumpLinks(*archive);
    }

    HelpWindow window(*archive, fileName);
    window.showPage(arguments.size() > 1 ? arguments[1] : window.homePage());
    window.show();
    if (parser.isSet(screenshotOption)) {
        QApplication::processEvents();
        const QString target = parser.value(screenshotOption);
        if (!window.grab().save(target, "PNG")) {
            QTextStream(stderr) << "hh.exe: cannot write " << target << '\n';
            return 1;
        }
        return 0;
    }
    return QApplication::exec();
}
