#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "console/console_scan.h"
#include "platform/console_stream.h"
#include "quarantine/quarantine_world.h"

namespace nexolant {

// Keeps what the scanner writes; OnWrite sees each piece as it comes.
class RecordedStream : public platform::ConsoleStream {
 public:
  platform::Outcome Write(std::string_view utf8) override {
    text.append(utf8);
    if (OnWrite) {
      OnWrite(utf8);
    }
    return {};
  }
  std::string text;
  std::function<void(std::string_view)> OnWrite;
};

// One run of nexscan over a world's services and program folder: a second process beside the
// world's window, with its own view of the folder's lock.
struct NexscanRun {
  explicit NexscanRun(QuarantineWorld& world) : world(world), lock(&world.folderLock) {}

  ExitCode Run(const std::vector<std::string>& arguments) {
    return RunConsoleScanner(arguments, {.files = world.files,
                                         .registry = world.registry,
                                         .processes = world.processes,
                                         .clock = world.clock,
                                         .locale = world.locale,
                                         .evidence = world.evidence,
                                         .shortcuts = world.shortcuts,
                                         .tasks = world.tasks,
                                         .serviceControl = world.serviceControl,
                                         .folderLock = lock,
                                         .out = out,
                                         .err = err,
                                         .interrupted = interrupted,
                                         .programFolder = QuarantineWorld::kFolder});
  }

  QuarantineWorld& world;
  FakeFolderLock lock;
  RecordedStream out;
  RecordedStream err;
  std::atomic<bool> interrupted = false;
};

}  // namespace nexolant
