#pragma once

#include <initializer_list>

class QWidget;

// Sets the Tab order of a dialog to the given controls, in that order; after
// the last one Tab returns to the first. A radio group stands for its items
// (the arrow keys move between them).
void setTabChain(std::initializer_list<QWidget*> controls);
