// Settings dump import over a hostile file into a scratch store. Only fw::Error may come out
// (a bad "int" line); the store must stay readable afterwards.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "backup/dump.h"
#include "common/error.h"
#include "fuzz_support.h"
#include "settings/store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string storeFile = fw::fuzz::ScratchPath("settings.db");
  static const std::string dumpFile = fw::fuzz::ScratchPath("dump.reg");
  static std::unique_ptr<fw::Store> store;
  static int runs = 0;
  // A fresh store now and then keeps it from growing for the whole session.
  if (!store || ++runs % 500 == 0) {
    store.reset();
    std::remove(storeFile.c_str());
    store = std::make_unique<fw::Store>(storeFile);
  }
  fw::fuzz::WriteBytes(dumpFile, data, size);
  try {
    fw::ImportSettingsTree(*store, dumpFile);
  } catch (const fw::Error& e) {
    if (std::string(e.what()).empty()) std::abort();
  }
  store->Subkeys("");
  store->Values(fw::kSettingsRoot);
  return 0;
}
