// Any sequence of feature reports, output reports and reads on the emulated mouse's interfaces, with
// buttons, unplugging and plugging in between: its firmware model must take whatever a host sends.
#include <cstdint>
#include <memory>
#include <vector>

#include "device/emulated_mouse.h"
#include "device/protocol.h"
#include "fuzz_input.h"

using namespace korvane;
using fuzz::MouseStep;
using fuzz::Require;

namespace {

struct Handles {
  std::shared_ptr<HidDevice> commands;
  std::shared_ptr<HidDevice> events;
};

Handles Open(EmulatedMouse& mouse) {
  Handles handles;
  std::vector<HidInterface> interfaces;
  Require(mouse.backend().Enumerate(interfaces).ok());
  for (const HidInterface& interface : interfaces) {
    if (interface.path == EmulatedMouse::kCommandPath) {
      Require(mouse.backend().Open(interface, OpenMode::Commands, handles.commands).ok());
    } else if (interface.path == EmulatedMouse::kEventPath) {
      Require(mouse.backend().Open(interface, OpenMode::Events, handles.events).ok());
    }
  }
  Require(handles.commands && handles.events);
  return handles;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteStream input(data, size);
  EmulatedMouse mouse;
  Handles handles = Open(mouse);
  std::size_t ignored = 0;

  while (!input.empty()) {
    const auto step = static_cast<MouseStep>(input.Next() % static_cast<Byte>(MouseStep::kCount));
    switch (step) {
      case MouseStep::SetFeature: {
        const std::vector<Byte> report = input.Take(input.Next());
        (void)handles.commands->SetFeature(report);
        break;
      }
      case MouseStep::GetFeature: {
        std::vector<Byte> report(input.Next(), 0);
        (void)handles.commands->GetFeature(report);
        break;
      }
      case MouseStep::Write: {
        const std::vector<Byte> report = input.Take(input.Next());
        (void)handles.commands->Write(report);
        break;
      }
      case MouseStep::ReadCommands:
      case MouseStep::ReadEvents: {
        std::vector<Byte> report(input.Next(), 0);
        HidDevice& device = step == MouseStep::ReadCommands ? *handles.commands : *handles.events;
        const ReadResult result = device.Read(report, std::chrono::milliseconds(0));
        Require(result.length <= report.size());
        break;
      }
      case MouseStep::Button: {
        const Byte press = input.Next();
        if (press == 0) {
          mouse.PressCpiButton();
        } else {
          mouse.SwitchMacro(press);
        }
        Require(mouse.stage() >= 1 && mouse.stage() <= 4);
        break;
      }
      case MouseStep::Unplug: mouse.Unplug(); break;
      case MouseStep::Plug:
        if (!mouse.pluggedIn()) {
          mouse.Plug();
          handles = Open(mouse);
        }
        break;
      case MouseStep::kCount: break;
    }
    Require(mouse.ignoredFrames() >= ignored);
    ignored = mouse.ignoredFrames();
  }
  return 0;
}
