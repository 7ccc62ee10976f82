// The yardstick of a whole program run: a process that shows a bare main window with one label
// and closes it after its first paint, as the programs do when started for a measurement
// (VERRIX_EXIT_AFTER_PAINT), through the same hook.
#include "evalkit/programrun.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Evaluation Software"));
    window.setCentralWidget(new QLabel(QStringLiteral("Evaluation Software")));
    evalkit::CloseAfterFirstPaint measuring(window);
    window.show();
    return QApplication::exec();
}
