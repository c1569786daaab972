#pragma once

#include "dalmain/shell/DalmainView.h"

#include <memory>

namespace dalmain {

class MainFrame;

struct StartOptions {
    quenkit::Owner *owner = nullptr;  // shows the start's messages and questions
    ViewOptions view;
};

// Prepares the application object for the program's windows: the Japanese faces, the
// program's pictures. Safe to call more than once.
void prepareApplication();

// Starts the program: checks the data folder, asks once how waste rates are counted, reads
// the input-method switch, and creates and shows the main window. Null when the start ended
// (the user has been told why).
std::unique_ptr<MainFrame> startDalmain(const StartOptions &options);

}  // namespace dalmain
