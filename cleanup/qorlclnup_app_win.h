// The application of the cleanup program: common controls, the main dialog, the end.
#pragma once

#include <windows.h>

namespace qorlclnup {

class CQORLCLNUPApp {
 public:
  explicit CQORLCLNUPApp(HINSTANCE instance) : instance_(instance) {}
  // Shows the main dialog modally and returns the exit code of the program.
  int InitInstance();

 private:
  HINSTANCE instance_;
};

}  // namespace qorlclnup
