#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/path_text.h"
#include "profile/config_files.h"

namespace korvane::testing {

// A fresh temporary folder, removed with everything in it when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path File(std::string_view name) const { return path_ / PathFromUtf8(name); }

  void WriteText(std::string_view name, std::string_view text) const;
  std::string ReadText(std::string_view name) const;
  // Every file of the folder with its bytes ("<unreadable>" for what cannot be read).
  std::map<std::string, std::string> Snapshot() const;

 private:
  std::filesystem::path path_;
};

// A program folder filled with the factory files.
class FactoryFolder : public TempFolder {
 public:
  FactoryFolder();
};

// Makes every write past the given size fail (EFBIG) while it lives, as a full disk would; works for root.
// Linux only: where Supported() is false, the object does nothing.
class FileSizeLimit {
 public:
  static bool Supported();
  explicit FileSizeLimit(std::size_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  unsigned long long previous_;
};

// Sets an environment variable (value null: unsets it) while it lives, and puts back what was there.
class EnvironmentVariable {
 public:
  EnvironmentVariable(std::string name, const char* value);
  ~EnvironmentVariable();
  EnvironmentVariable(const EnvironmentVariable&) = delete;
  EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

 private:
  void Set(const char* value) const;  // nullptr removes the variable

  std::string name_;
  std::optional<std::string> previous_;
};

struct ShownMessage {
  std::string text;
  std::string caption;
  bool operator==(const ShownMessage&) const = default;
};

class RecordingMessages : public MessageSink {
 public:
  void ShowMessage(std::string_view text, std::string_view caption) override {
    shown.push_back({std::string(text), std::string(caption)});
  }
  std::vector<ShownMessage> shown;
};

}  // namespace korvane::testing
