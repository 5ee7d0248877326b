#pragma once

class QWidget;

// Windows are designed at 96 pixels per inch and grow with the screen:
// new size = (ppi * 100 / 96) * size / 100, in integer arithmetic.
int scaledLength(int length, int pixelsPerInch);

// Scales the window's width and height by the pixels per inch of its screen.
void scaleWindow(QWidget& window);
