#pragma once

class QWidget;

// The chores every dialog of the library does for its window.

// Registers the library's window icons (both resource files) the first time
// any dialog asks; later calls cost nothing.
void initDialogResources();

// Places a window centred on the available area of its screen, frame
// included; dialogs call it as they are shown, when the frame is known.
void centreOnScreen(QWidget* window);
