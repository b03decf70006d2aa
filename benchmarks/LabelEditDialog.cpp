// The yardstick for the driver's start-up: the least a Qt program does to
// show a window like the game's main window and answer one "state" line. It
// opens a dialog of the main window's size (759 x 480 pixels offscreen, the
// 276 x 183 dialog units of its template in its font) holding one label and
// one edit box in the main window's font, Liberation Sans at 14 points
// (19 pixels, as the game asks for it), and answers the first line it reads.
// EmptyDialog.cpp, beside it, shows what Qt alone costs.
#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QSocketNotifier>

#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QDialog dialog;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(19);
    dialog.setFont(font);
    dialog.setFixedSize(759, 480);
    QLabel label(QStringLiteral("Schreibe einen Buchstaben:"), &dialog);
    label.setGeometry(22, 71, 525, 26);
    QLineEdit edit(&dialog);
    edit.setGeometry(553, 66, 66, 34);
    // Answers the first line, and stays open like the driver until the
    // input ends, so that its peak memory includes the painted window.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    bool answered = false;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            dialog.done(0);
        } else if (!answered) {
            answered = true;
            std::printf("{\"active\":{\"kind\":\"dialog\"},\"text\":\"%s\"}\n",
                        edit.text().toUtf8().constData());
            std::fflush(stdout);
        }
    });
    dialog.exec();
    return 0;
}
