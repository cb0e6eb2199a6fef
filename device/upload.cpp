#include "device/upload.h"

#include <algorithm>
#include <utility>

#include "config/settings_page.h"
#include "keys/key_page.h"

namespace korvane {

bool UploadOutcome::ok() const { return firstFailure() == nullptr; }

const UploadOutcome::Step* UploadOutcome::firstFailure() const {
  auto failed = std::find_if(steps.begin(), steps.end(), [](const Step& step) { return !step.status.ok(); });
  return failed == steps.end() ? nullptr : &*failed;
}

UploadOutcome UploadConfiguration(FeatureProtocol& protocol, MouseConfig& config, const ConfigFiles& files,
                                  const ProfilePair& profile, std::string_view languageCode,
                                  const ButtonLabels& labels) {
  UploadOutcome outcome;
  auto record = [&outcome](std::string name, Status status) {
    outcome.steps.push_back({std::move(name), std::move(status)});
  };
  DeviceMirror& mirror = protocol.mirror();
  Transport& transport = protocol.transport();

  config.profileSlot = 0;
  mirror.activeProfile = 0;

  Command begin = MakeCommand(CMD_UPLOAD_BEGIN);
  record("upload-begin", protocol.SendCommand(begin));
  transport.Sleep(kShortCommandDelay);

  mirror.reportRateByte = config.reportRate;
  Command rate = MakeCommand(CMD_SET_REPORT_RATE, mirror.activeProfile, mirror.reportRateByte);
  record("set-report-rate", protocol.SendCommand(rate));
  transport.Sleep(kShortCommandDelay);

  mirror.settingsPage = BuildSettingsPage(config);
  record("write-settings", protocol.TransferSettingsPage(true));

  mirror.keyPage = BuildKeyPage(config);
  record("write-keys", protocol.WriteKeyPage());

  mirror.macroPages = config.macroData;
  for (int slot = 1; slot <= static_cast<int>(kMacroCount); ++slot) {
    record("write-macro " + std::to_string(slot), protocol.WriteMacroPage(slot));
  }
  record("save-configuration", files.Save(profile, languageCode, config, labels));
  return outcome;
}

}  // namespace korvane
