// The comparison program of the start-up benchmark: a bare Qt Widgets program that shows
// one empty window of the opening screen's size.

#include "bench/startup_probe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(790, 534);
    new startupprobe::FirstPaint(&window);
    window.show();
    return app.exec();
}
