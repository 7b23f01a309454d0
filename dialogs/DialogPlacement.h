#pragma once

class QWidget;

// Puts a window in the middle of the available area of the screen it is on.
void centreOnScreen(QWidget *window);
