#include "Prompter.h"

void Prompter::printPreview(const std::function<void(QPrinter&)>&) {}
