#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <unittest/unittest.h>
#include "robot_library_interface.h"
#include "test/interface_fixtures.h"
SUITE(SUITE_ZEMO_RL_LOG) {
  // Prints what the library hands to its log handler.
  void f(const int& level, const char* filename, const int& line, const std::string& message);
  TEST_FIXTURE(VireRobotInterface, testSetLogLevel) {
    Setup("vire_r5");
    robot->rlSetLogLevel(ZEMO::interface::LogLevel::ERROR);
  }

  // The library may call the handler at any later time, from any thread.
  TEST_FIXTURE(VireRobotInterface, testSetLogHandler) {
    Setup("vire_r5");
    ZEMO::LogHandler logFunc = f;
    robot->rlSetLogHandler(logFunc);
  }

  void f(const int& level, const char* filename, const int& line, const std::string& message) {
    std::cout << "level: " << level << " filename: " << filename << " line: " << line
              << " message: " << message << std::endl;
  }
}

SUITE(SUITE_ZEMO_RL_ERROR) {
  TEST_FIXTURE(VireRobotInterface, testGetErrDescription) {
    Setup("vire_r5");
    // E_ROBOT_DOF_DISMATCH
    int errCode = -20001;
    std::string error_message = robot->rlGetErrDescription(errCode);
  }
}

// Version number and module version text of the library.
SUITE(SUITE_ZEMO_VERISON) {
  TEST_FIXTURE(VireRobotInterface, testGetZEMOVerisonNumber) {
    Setup("vire_r5");
    int res = robot->rlGetVersionNumber();
    std::cout << "zemo version: " << res << std::endl;
  }

  // The module version text also goes to a file and to the environment, without line breaks.
  TEST_FIXTURE(VireRobotInterface, testModuleVersion) {
    Setup("vire_r5");
    std::string res = robot->rlGetModuleVersion(1);
    std::cout << "zemo version: " << res << std::endl;

    std::string::size_type pos = res.find('\n');
    while (pos != std::string::npos) {
      res.erase(pos, 1);
      pos = res.find('\n', pos);
    }

    // A file that cannot be created is skipped rather than written through a null stream.
    FILE* fp = fopen("ZEMO_MODULE_VERSION.txt", "w+");
    if (fp != nullptr) {
      fprintf(fp, "%s", res.c_str());
      fclose(fp);
    }

    std::string para_name = "ZEMO_MODULE_VERSION";
    setenv(para_name.c_str(), res.c_str(), 1);
    const char* p = getenv(para_name.c_str());
    printf("%s \n", p != nullptr ? p : "");
  }
}
