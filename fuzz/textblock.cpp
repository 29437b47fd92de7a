// Text-block file operations over a hostile file. The input's first line names the section,
// the rest is the file. Whatever the file holds, a section written twice reads back as
// written (the second write also settles a header that was the file's last line).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/error.h"
#include "fuzz_support.h"
#include "settings/textblock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string file = fw::fuzz::ScratchPath("gallery.dat");
  std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t nl = input.find('\n');
  std::string section = nl == std::string::npos ? input : input.substr(0, nl);
  std::string content = nl == std::string::npos ? "" : input.substr(nl + 1);
  if (section.size() > 64) section.resize(64);
  fw::fuzz::WriteBytes(file, reinterpret_cast<const std::uint8_t*>(content.data()),
                       content.size());

  fw::ReadSection(file, section);
  const std::vector<std::string> lines{"<p>first</p>", "", "second"};
  fw::WriteSection(file, section, lines);
  fw::WriteSection(file, section, lines);
  if (section.find_first_of("\r\n") == std::string::npos &&
      fw::ReadSection(file, section) != "<p>first</p>\r\n\r\nsecond\r\n")
    std::abort();
  fw::DeleteSection(file, section);
  fw::ReadSection(file, section);
  return 0;
}
