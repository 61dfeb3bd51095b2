#include <vector>
#include <unittest/unittest.h>
#include "robot_library_interface.h"
#include "test/interface_fixtures.h"

using namespace ZEMO::interface;

SUITE(SUITE_ZEMO_ROBOT_PERFORMANCE_VALIDATION) {
  // A screw-driving tool on the flange: the model calls of one control cycle must return.
  TEST_FIXTURE(VireRobotInterface, testScrewLockingApplication) {
    Setup("vire_r5");
    robot->mdlSetGravityVectorInbase({0, 0, -9.81});

    RLInertia tool_inertia;
    tool_inertia.mhi = false;
    tool_inertia.mass = 5.0;
    tool_inertia.center = {0.1, 0.1, 0.1};
    tool_inertia.inertia = {0.1, 0.1, 0.1, 0.1, 0.1, 0.1};
    robot->mdlSetToolInertia(tool_inertia);
    robot->mdlSetToolPose({0, 0.02, 0.2, 0, 0, 0});

    RLJntArray q = {0, 0, 0, 0, 0, 0};
    std::vector<double> jac(6 * dof, 0.0);
    robot->kdCalJacobian(q, true, jac.data());

    RLJntArray qd = {0, 0, 0, 0, 0, 0};
    RLJntArray qdd = {0, 0, 0, 0, 0, 0};
    RLJntArray torque = {0, 0, 0, 0, 0, 0};
    robot->kdCalInverseDynamics(q, qd, qdd, {}, torque);
  }
}
