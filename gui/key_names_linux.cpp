#include "gui/key_names.h"

#include "keys/keysym_names.h"

namespace korvane {

std::string KeyNameOf(const QKeyEvent& key) {
  const quint32 keysym = key.nativeVirtualKey();
  return keysym == 0 ? std::string() : KeyNameFromKeysym(keysym);
}

}  // namespace korvane
