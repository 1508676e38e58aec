// The program's start-up, in two halves around the creation of the QApplication, so that the
// program and its start-up benchmark go through the very same steps.
#pragma once

class QApplication;

namespace rt {

// Before the QApplication exists: the web engine's sandbox as root, and the GL sharing it needs.
void prepare_start_up();
// Once it exists: the program's names, its default font and its icon.
void dress_application(QApplication& app);

}  // namespace rt
