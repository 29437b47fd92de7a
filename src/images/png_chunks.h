// The chunk layer of the PNG reader: signature, the chunk list with its CRC checks, and the
// rules about which chunks a file may carry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw::png {

struct Chunk {
  std::string type;       // four letters
  std::string_view data;  // points into the file's bytes (empty for the IDAT entry)
};

struct ChunkList {
  std::vector<Chunk> chunks;  // in file order; one entry marks where the IDAT data begin
  std::string idat;           // the data of every IDAT chunk, joined into one zlib stream
  bool hasIdat = false;
};

// Checks the signature and reads chunks up to IEND or the end of the bytes. Raises the
// reader's messages for a bad signature, an unknown critical chunk and a CRC mismatch; a chunk
// cut short by the end of the file counts as corrupted data. `bytes` must outlive the result.
ChunkList ReadChunks(const std::string& bytes);

std::uint32_t BigEndian32(const char* p);

}  // namespace fw::png
