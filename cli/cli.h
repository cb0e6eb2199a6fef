#pragma once

#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "common/status.h"
#include "config/program_folder.h"

namespace korvane::cli {

// What every command gets: the program folder, whether to use the emulated mouse, and where to print:
// results to out, notes about what was done differently from what was asked to err.
struct Context {
  ProgramFolder folder;
  bool emulate = false;
  std::ostream& out;
  std::ostream& err;
};

using Args = std::vector<std::string>;

// A command's words after its name. Options are taken out as they are read; what stays is positional.
class ArgReader {
 public:
  explicit ArgReader(Args args) : args_(std::move(args)) {}

  // Removes "--name VALUE" and returns VALUE; "" when absent. Fails when the value is missing or empty.
  Status TakeOption(std::string_view name, std::string& value);
  // Removes "--name" and says whether it was there.
  bool TakeFlag(std::string_view name);
  // Fails on any word that still starts with "--".
  Status RejectUnknownOptions();
  const Args& rest() const { return args_; }

  // Whether a failure of the calls above was a misuse of the options (exit status 2).
  bool misused() const { return misused_; }

 private:
  Status Misuse(std::string message);

  Args args_;
  bool misused_ = false;
};

// "--name VALUE" at words[at]: the value, or a failure when it is missing or empty.
Status OptionValue(std::span<const std::string> words, std::size_t at, std::string& value);

// Parses a whole decimal number in [low, high]; "what" names it in the error.
Status ParseNumber(std::string_view text, long low, long high, std::string_view what, long& value);

// Runs korvanectl with its arguments (without the program name); returns the exit status. Errors go to
// err as one line.
int Run(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace korvane::cli
