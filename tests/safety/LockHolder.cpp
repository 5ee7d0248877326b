// Holds the data folder given as its argument until it is killed: a program
// that ends without letting go of its lock.
#include "safety/InstanceLock.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    InstanceLock lock(QString::fromLocal8Bit(argv[1]));
    if (lock.acquire())
        return 1;
    printf("gesperrt\n");
    fflush(stdout);
    QThread::sleep(120);
    return 0;
}
