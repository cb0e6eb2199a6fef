#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/small_types.h"
#include "config/value_rules.h"
#include "device/hid_backend.h"
#include "device/protocol.h"

namespace korvane {

// An in-process stand-in for the mouse: the same three HID collections (pointer, event interface
// FF01/0001, command interface FF00/FF00) and a small firmware that keeps what it is sent, answers the
// read-back commands and reports stage and macro switches. No device is involved, and nothing waits:
// read-back answers are ready at once, and a read on the command interface with nothing to answer times
// out at once. Its memory lives in a file only when KeepMemoryIn asks for one.
//
// Thread-safe: the reader thread may block on the event interface while another thread presses
// buttons or unplugs the mouse. It must outlive every DeviceLink over its backend.
class EmulatedMouse {
 public:
  // Interface paths, in the order the backend lists them.
  static constexpr const char* kPointerPath = "emulated/pointer";
  static constexpr const char* kEventPath = "emulated/events";
  static constexpr const char* kCommandPath = "emulated/commands";
  static constexpr std::size_t kEventReportLength = 8;

  EmulatedMouse();
  ~EmulatedMouse();
  EmulatedMouse(const EmulatedMouse&) = delete;
  EmulatedMouse& operator=(const EmulatedMouse&) = delete;

  HidBackend& backend();

  // The name of the memory file in a program folder.
  static constexpr std::string_view kMemoryFileName = kEmulatedMouseFileName;
  // Keeps the memory across runs, as a real mouse does while unplugged: reads the file, then writes it
  // whenever the pages, the active profile, the attach or report-rate byte or the stage change. Without
  // the file the mouse starts from its factory pages; a damaged file is reported, and the mouse starts
  // from the factory pages and replaces the file at its first change.
  Status KeepMemoryIn(std::filesystem::path file);
  // The first failed write of the memory file; ok when none failed.
  Status memoryFileStatus() const;
  // The memory file's bytes: a tag, the active profile, attach and report-rate bytes, the stage, then the
  // settings page, the key page and the twelve macro pages.
  std::string MemoryImage() const;

  // The firmware's memory, in the mirror's shape: what an upload sent lands here byte for byte.
  DeviceMirror memory() const;
  void SetActiveProfile(Byte profile);
  // Sensitivity stage 1-4 the mouse is in.
  int stage() const;
  // Frames dropped for a wrong length, report ID, checksum or command.
  std::size_t ignoredFrames() const;

  // The user at the mouse. Each raises an event report (06 07 type value) on the event interface.
  void PressCpiButton();  // next stage (1-4, round), event type 1
  void SwitchMacro(Byte macro);  // event type 9
  void SendEvent(Byte type, Byte value);

  // Unplugging ends every open interface (pending reads fail) and announces the removal of each
  // interface; plugging in announces their arrival. Memory survives, as on the real mouse.
  void Unplug();
  void Plug();
  bool pluggedIn() const;

  // The report descriptors of the three collections.
  static std::span<const Byte> PointerDescriptor();
  static std::span<const Byte> EventDescriptor();
  static std::span<const Byte> CommandDescriptor();

 private:
  class Backend;
  class Device;
  enum class Role { Pointer, Events, Commands };
  struct Watcher;

  // Firmware side of the command interface; mutex_ held.
  void HandleFeature(std::span<const Byte> report);
  void HandleWrite(std::span<const Byte> report);
  void Announce(unsigned type);
  // mutex_ held.
  void ResetToFactory();
  std::string MemoryImageLocked() const;
  void WriteMemoryFile();
  static const char* InterfaceName(Role role);

  mutable std::mutex mutex_;
  std::condition_variable eventQueued_;
  bool plugged_ = true;
  unsigned generation_ = 0;  // handles of an earlier plug-in are dead
  DeviceMirror memory_;
  int stage_ = 1;
  std::size_t ignoredFrames_ = 0;
  std::filesystem::path memoryFile_;
  std::string memoryWritten_;  // the file's bytes as last read or written
  Status memoryFileStatus_ = Status::Ok();
  std::optional<FeatureReport> answer_;
  std::deque<std::vector<Byte>> commandInput_;
  std::deque<std::vector<Byte>> eventInput_;
  // The page a write-settings/keys/macro command announced, filled chunk by chunk.
  DevicePage* blockTarget_ = nullptr;
  DevicePage blockStaging_{};
  std::size_t blockChunks_ = 0;
  std::size_t blockReceived_ = 0;

  std::recursive_mutex watchersMutex_;  // held while notices are delivered
  std::map<int, NoticeCallback> watchers_;
  int nextWatcher_ = 0;

  std::unique_ptr<Backend> backend_;
};

}  // namespace korvane
