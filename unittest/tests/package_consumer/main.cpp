#include <unittest/unittest.h>

std::string urdf_path = "/";

SUITE(CONSUMER) {
  TEST(Works) {
    CHECK_EQUAL(2, 1 + 1);
  }
}

int main(int argc, char** argv) {
  return UnitTest::RunTests(argc, argv);
}
