#pragma once

#include <chrono>
#include <memory>

#include "common/status.h"
#include "device/hid_backend.h"
#include "device/hidraw_backend.h"

namespace korvane {

// Watches the /dev folder for hidraw nodes appearing and disappearing and announces them, on a thread
// of its own, as arrival and removal notices named by HidrawInterfaceName. An arrival is announced
// once the node has existed for settleTime; a removal at once, under the name its arrival had (sysfs
// no longer tells it). Destroying the watch stops and joins the thread.
Status StartHotplugWatcher(const HidrawRoots& roots, NoticeCallback callback, std::chrono::milliseconds settleTime,
                           std::unique_ptr<DeviceWatch>& watch);

}  // namespace korvane
