#pragma once

#include <string>
#include <vector>

#include "common/status.h"
#include "config/label_file.h"
#include "config/mouse_config.h"
#include "device/protocol.h"
#include "profile/config_files.h"

namespace korvane {

// The outcome of every step of one upload, in the order the steps ran.
struct UploadOutcome {
  struct Step {
    std::string name;  // "upload-begin", "set-report-rate", "write-settings", "write-keys",
                       // "write-macro 1" … "write-macro 12", "save-configuration" (record and labels)
    Status status;
  };
  std::vector<Step> steps;

  bool ok() const;
  // The first failed step, or nullptr.
  const Step* firstFailure() const;
};

// Programs the whole mouse from the record and then saves the record and the labels into the profile's
// pair. Sets profileSlot and the mirror's active profile to 0 first; every step runs whatever the outcome
// of the earlier ones, as the mouse expects the full sequence. The caller checks that the link is
// connected.
UploadOutcome UploadConfiguration(FeatureProtocol& protocol, MouseConfig& config, const ConfigFiles& files,
                                  const ProfilePair& profile, std::string_view languageCode,
                                  const ButtonLabels& labels);

}  // namespace korvane
