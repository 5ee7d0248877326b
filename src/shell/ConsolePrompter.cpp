#include "ConsolePrompter.h"

#include <cstdio>

void say(const QString& text) {
    fprintf(stderr, "%s\n", qPrintable(text));
}
