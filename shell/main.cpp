// corvane: the meeting simulator's desktop program.
#include <QApplication>

#include "shell/corvane_main.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return corvane::Main(app);
}
