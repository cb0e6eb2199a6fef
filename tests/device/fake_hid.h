#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/hid_backend.h"

namespace korvane::testing {

// An interface whose reads hand out scripted reports and then block until interrupted.
class FakeDevice : public HidDevice {
 public:
  Status SetFeature(std::span<const Byte>) override { return Status::Ok(); }
  Status GetFeature(std::span<Byte>) override { return Status::Ok(); }
  Status Write(std::span<const Byte>) override { return Status::Ok(); }
  ReadResult Read(std::span<Byte> report, std::optional<std::chrono::milliseconds>) override {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return interrupted_ || !reports_.empty(); });
    if (std::exchange(interrupted_, false)) return {Status::Failure("interrupted", kReadInterrupted)};
    std::vector<Byte> next = std::move(reports_.front());
    reports_.pop_front();
    if (next.empty()) return {Status::Failure("gone", ENODEV)};
    const std::size_t length = std::min(report.size(), next.size());
    std::copy_n(next.begin(), length, report.begin());
    return {Status::Ok(), length};
  }
  void Interrupt() override {
    std::lock_guard lock(mutex_);
    interrupted_ = true;
    changed_.notify_all();
  }
  // An empty report stands for a read error.
  void Push(std::vector<Byte> report) {
    std::lock_guard lock(mutex_);
    reports_.push_back(std::move(report));
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::vector<Byte>> reports_;
  bool interrupted_ = false;
};

// Collects what another thread delivers through a callback and lets the test wait for it.
template <typename T>
class Inbox {
 public:
  std::function<void(const T&)> Callback() {
    return [this](const T& item) {
      std::lock_guard lock(mutex_);
      items_.push_back(item);
      changed_.notify_all();
    };
  }
  // The items once `count` have arrived, or whatever came within a deadline no loaded machine reaches.
  std::vector<T> WaitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::seconds(20), [&] { return items_.size() >= count; });
    return items_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<T> items_;
};

// A backend over a fixed list that records what was opened.
class FakeBackend : public HidBackend {
 public:
  Status Enumerate(std::vector<HidInterface>& list) override {
    list = interfaces;
    return enumerateStatus;
  }
  Status Open(const HidInterface& interface, OpenMode mode, std::shared_ptr<HidDevice>& device) override {
    opened.push_back(interface.path + (mode == OpenMode::Commands ? " commands" : " events"));
    if (interface.path == failingPath) return Status::Failure("cannot open " + interface.path, failingError);
    auto fake = std::make_shared<FakeDevice>();
    devices.push_back(fake);
    device = fake;
    return Status::Ok();
  }
  Status WatchDevices(NoticeCallback, std::unique_ptr<DeviceWatch>&) override { return Status::Ok(); }

  std::vector<HidInterface> interfaces;
  Status enumerateStatus;
  std::string failingPath;
  int failingError = EACCES;
  std::vector<std::string> opened;
  std::vector<std::shared_ptr<FakeDevice>> devices;
};

inline HidInterface MakeInterface(std::string path, std::uint16_t vendor, std::uint16_t product, HidCaps caps) {
  HidInterface interface;
  interface.path = std::move(path);
  interface.attributes = HidAttributes{vendor, product};
  interface.caps = caps;
  return interface;
}

// The same interface as interface `number` of the physical device `device`.
inline HidInterface At(HidInterface interface, std::string device, unsigned number) {
  interface.device = std::move(device);
  interface.interfaceNumber = number;
  return interface;
}

inline const HidCaps kEventCaps{0xFF01, 0x0001, 8, 0, 0};
inline const HidCaps kCommandCaps{0xFF00, 0xFF00, 65, 65, 9};
inline const HidCaps kPointerCaps{0x0001, 0x0002, 5, 0, 0};

}  // namespace korvane::testing
