// The serial debug port: a sink that receives each formatted text whole.
// Off until a test installs a sink or VELLUM_SERIAL names "stderr" or a file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include <host/runtime.h>

#include "internal.h"

namespace {

std::mutex serial_lock;
HostSerialSink sink = nullptr;
void* sink_data = nullptr;

void write_to_stream(const char* text, size_t length, void* stream) {
  std::fwrite(text, 1, length, static_cast<FILE*>(stream));
  std::fflush(static_cast<FILE*>(stream));
}

// The sink named by the environment, set up once at start.
__attribute__((constructor)) void sink_from_environment() {
  const char* setting = std::getenv("VELLUM_SERIAL");
  if (!setting || !*setting) return;
  FILE* stream = std::strcmp(setting, "stderr") == 0 ? stderr : std::fopen(setting, "a");
  if (!stream) return;
  sink = write_to_stream;
  sink_data = stream;
}

}  // namespace

namespace host {
void serial_write(const char* text, size_t length) {
  std::lock_guard<std::mutex> guard(serial_lock);
  if (sink) sink(text, length, sink_data);
}
}  // namespace host

extern "C" void HostSetSerialSink(HostSerialSink newSink, void* userData) {
  std::lock_guard<std::mutex> guard(serial_lock);
  sink = newSink;
  sink_data = userData;
}
