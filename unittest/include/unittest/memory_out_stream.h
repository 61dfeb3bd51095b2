#pragma once

#include <sstream>
#include <string>

namespace UnitTest {

// String stream with default formatting whose text stays valid until the next call.
class MemoryOutStream : public std::ostringstream {
 public:
  MemoryOutStream() = default;
  MemoryOutStream(const MemoryOutStream&) = delete;
  MemoryOutStream& operator=(const MemoryOutStream&) = delete;

  void Clear();
  const char* GetText() const;

 private:
  mutable std::string m_text;
};

}  // namespace UnitTest
