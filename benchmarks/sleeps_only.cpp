// The floor for an upload: only the waits, in milliseconds as given, one after another.
#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(argv[i])));
  return 0;
}
