#include <unittest/memory_out_stream.h>

namespace UnitTest {

void MemoryOutStream::Clear() {
  str(std::string());
  clear();
}

const char* MemoryOutStream::GetText() const {
  m_text = str();
  return m_text.c_str();
}

}  // namespace UnitTest
