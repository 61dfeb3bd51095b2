#include <unittest/unittest.h>
#include "test/interface_fixtures.h"
using namespace ZEMO;
using namespace ZEMO::interface;
SUITE(SUITE_ZEMO_RS_INITIAL) {
  TEST_FIXTURE(VireRobotInterface, testInitialRobotState) {
    Setup("vire_r5");
    // Right after loading a model the state starts over.
    int ret = robot->rsInitialRobotState();
    CHECK(ret >= 0);
  }
}

// Feedback with values the caller leaves at zero must be taken as it is.
SUITE(SUITE_ZEMO_RS_UPDATE_STATE) {
  TEST_FIXTURE(VireRobotInterface, testUpdateJointPVA) {
    Setup("vire_r5");
    robot->rsInitialRobotState();
    RLJntArray q{}, qd{}, qdd{};
    // Measured velocity and acceleration, not derived from the positions.
    int ret = robot->rsUpdateJointPVA(q, qd, qdd, false);
    CHECK(ret >= 0);
  }

  TEST_FIXTURE(VireRobotInterface, testUpdateJointCT) {
    Setup("vire_r5");
    // Without rsInitialRobotState: a loaded model comes with an initial state.
    RLJntArray current{}, temperature{}, friction{};
    int ret = robot->rsUpdateJointCT(current, temperature, friction);
    CHECK(ret >= 0);
  }

  TEST_FIXTURE(VireRobotInterface, testUpdateFTSensorData) {
    Setup("vire_r5");
    // Forces then moments, in the end sensor's own frame.
    double ftData[6] = {1.1, 1.1, 1.1, 1.1, 1.1, 1.1};
    robot->rsUpdateFTSensorData(FTSensorType::END, ftData);
  }

  TEST_FIXTURE(VireRobotInterface, testSetExternalForceEstimationGain) {
    Setup("vire_r5");
    RLJntArray gain{};
    robot->rsSetExternalForceEstimationGain(gain);
  }
}

// Reading the state must work before any feedback arrived: without a sensor reading the
// wrench at the tool point is zero.
SUITE(SUITE_ZEMO_RS_GET_STATE) {
  TEST_FIXTURE(VireRobotInterface, testGetTCPWrench) {
    Setup("vire_r5");
    RLWrench tcpWrench = robot->rsGetTCPWrench();
    (void)tcpWrench;
  }
}

// The model's collision and distance queries, called where the state is kept.
SUITE(SUITE_ZEMO_RS_COLLISION) {
  TEST_FIXTURE(VireRobotInterface, testCheckRobotCollision) {
    Setup("vire_r5");
    double data[6] = {-9.4892e-07, -0.261799, 1.74533, 0.436333, 1.5708, 0};
    RLJntArray joint{};
    for (unsigned int i = 0; i < dof && i < joint.size(); ++i) joint[i] = data[i];
    CollisionResult result;
    bool checkSelf = true;
    // The arm is folded but free of self-collision in this pose.
    robot->mdlCheckRobotCollision(joint, checkSelf, result);
    // Only the outcome counts, not the status.
    CHECK(result.collision == false);
  }

  TEST_FIXTURE(VireRobotInterface, testCalMinimunDistance) {
    Setup("vire_r5");
    RLJntArray joint{};
    bool checkSelf = true;
    DistanceResult result;
    double threshold = 0.0;
    robot->mdlCalMinimunDistance(joint, threshold, checkSelf, result);
  }
}
