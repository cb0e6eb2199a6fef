#include "support/test_folder.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "common/file_io.h"
#include "config/factory_profile.h"

namespace korvane::testing {

TempFolder::TempFolder() {
  // create_directory fails on a name that is taken, so the folder is ours alone.
  std::random_device random;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate = base / ("korvane-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(path_, error);
}

void TempFolder::WriteText(std::string_view name, std::string_view text) const {
  std::ofstream out(File(name), std::ios::binary);
  out << text;
}

std::string TempFolder::ReadText(std::string_view name) const {
  std::ifstream in(File(name), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::map<std::string, std::string> TempFolder::Snapshot() const {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    files[PathToUtf8(entry.path().filename())] = ReadWholeFile(entry.path()).value_or("<unreadable>");
  }
  return files;
}

FactoryFolder::FactoryFolder() {
  if (!WriteFactoryFiles(ProgramFolder(path()))) throw std::runtime_error("cannot write factory files");
}

EnvironmentVariable::EnvironmentVariable(std::string name, const char* value) : name_(std::move(name)) {
  if (const char* previous = std::getenv(name_.c_str())) previous_ = previous;
  Set(value);
}

EnvironmentVariable::~EnvironmentVariable() {
  Set(previous_ ? previous_->c_str() : nullptr);
}

void EnvironmentVariable::Set(const char* value) const {
#ifdef _WIN32
  // An empty value removes the variable there.
  ::_putenv_s(name_.c_str(), value != nullptr ? value : "");
#else
  if (value != nullptr) {
    ::setenv(name_.c_str(), value, 1);
  } else {
    ::unsetenv(name_.c_str());
  }
#endif
}

}  // namespace korvane::testing
