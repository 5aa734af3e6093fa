#include <QApplication>

#include "startup/module1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return startup::RunProgram(platform::ProductionServices());
}
