#include <iostream>
#include <string>

#include <unittest/unittest.h>

// The robot description directory, fixed at build time (CMake cache variable ZEMO_URDF_PATH).
std::string urdf_path = ZEMO_URDF_PATH;

int main(int argc, char** argv) {
  std::cout << "urdf path: " << urdf_path << std::endl;
  return UnitTest::RunTests(argc, argv);
}
