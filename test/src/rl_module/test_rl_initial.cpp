#include <fstream>
#include <iostream>
#include <iterator>
#include <unittest/unittest.h>
#include "robot_library_interface.h"
SUITE(SUITE_ZEMO_RL_INITIALL) {
  TEST(testCreateInterfaceCase1) {
    std::string robot_name_ref = "vire_r5";
    // Creates the instance and loads the model in one step.
    ZEMOIntfacePtr robot1 = CreateZEMOIntfacePtrFromFile(robot_name_ref.c_str(), urdf_path.c_str());

    std::string robot_name = robot1->mdlGetRobotName();

    // The factory loaded the model it was given.
    CHECK_ARRAY_EQUAL(robot_name_ref, robot_name, robot_name.size());
  }

  TEST(testCreateInterfaceCase2) {
    using namespace ZEMO::interface;
    ZEMOIntfacePtr robot2 = CreateZEMOIntfacePtr();
    std::string urdf_file = urdf_path;
    std::string robot_name = "vire_r5";
    int ret = robot2->rlInitialRobot(robot_name, urdf_file);

    // A pose close to zero, free of self-collision.
    RLJntArray joint = {-0.0143431, 0.0491329, -0.0657296, -0.0633004, -0.0799256, 0.230762};
    CollisionResult result;
    bool checkSelf = true;

    robot2->mdlCheckRobotCollision(joint, checkSelf, result);

    CHECK(result.collision == false);

    // Loading by name from the description directory succeeded.
    CHECK(ret >= 0);
    std::string robot_name_ref = "vire_r5";
    std::string robot_name_get = robot2->mdlGetRobotName();
    CHECK_ARRAY_EQUAL(robot_name_ref, robot_name_get, robot_name_get.size());
  }

  TEST(testCreateInterfaceCaseDelayInitialization) {
    ZEMOIntfacePtr robot3 = CreateZEMOIntfacePtr();
    robot3->rlSetLogLevel(ZEMO::interface::LogLevel::WARN);

    // Without a model the planner refuses its settings.
    int ret = robot3->tpSetCycleTime(0.005);
    CHECK(ret < 0);

    // The caller reads both description files itself.
    std::string urdf_file = urdf_path + "urdf/vire_r5.urdf";
    std::ifstream urdf_stream(urdf_file);
    if (urdf_stream.fail()) {
      std::cout << "File does not exist.\n" << std::endl;
    }
    std::string urdfModel((std::istreambuf_iterator<char>(urdf_stream)),
                          std::istreambuf_iterator<char>());

    std::string srdf_file = urdf_path + "urdf/vire_r5.srdf";
    std::ifstream srdf_stream(srdf_file);
    if (srdf_stream.fail()) {
      std::cout << "File does not exist.\n" << std::endl;
    }
    std::string srdfModel((std::istreambuf_iterator<char>(srdf_stream)),
                          std::istreambuf_iterator<char>());

    // An empty text (missing file) must be refused here.
    ret = robot3->rlInitialRobotFromString(urdfModel, srdfModel);
    CHECK(ret >= 0);
    // Loading into an instance that already holds a model succeeds too.
    ret = robot3->rlInitialRobotFromString(urdfModel, srdfModel);
    CHECK(ret >= 0);

    std::string robot_name_ref = "vire_r5";
    std::string robot_name = robot3->mdlGetRobotName();
    CHECK_ARRAY_EQUAL(robot_name_ref, robot_name, robot_name.size());
  }
}
