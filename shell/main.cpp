// corvane: the meeting simulator's desktop program.
#include <QApplication>
#include <iostream>

#include "shell/command_line.h"
#include "shell/corvane_main.h"

namespace {

int Answer(const corvane::CommandLineReply& reply) {
  (reply.error ? std::cerr : std::cout) << reply.text;
  return reply.error ? 2 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Help and version before Qt starts, so they work without a display; unknown options once Qt
  // has taken its own (-style, -platform, ...).
  if (const auto reply =
          corvane::CommandLineInfo({argv + 1, argv + argc}, CORVANE_VERSION, false)) {
    return Answer(*reply);
  }
  QApplication app(argc, argv);
  if (const auto reply = corvane::CommandLineInfo({argv + 1, argv + argc}, CORVANE_VERSION, true)) {
    return Answer(*reply);
  }
  return corvane::Main(app);
}
