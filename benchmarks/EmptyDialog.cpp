// The yardstick for the driver's start-up: a minimal Qt program that opens an
// empty dialog on the same platform and answers one "state" line.
#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>

#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.resize(400, 300);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n > 0) {
            std::printf("{\"active\":{\"kind\":\"dialog\"}}\n");
            std::fflush(stdout);
        }
        dialog.done(0);
    });
    dialog.exec();
    return 0;
}
