#include <string>
#include <vector>
#include <unittest/unittest.h>
#include "test/interface_fixtures.h"
using namespace ZEMO::interface;
SUITE(SUITE_ZEMO_KD_ISSUE) {
  TEST_FIXTURE(VireRobotInterface, testIKInSingularityPose) {
    Setup("vire_r5");
    // Joints 2, 3 and 5 at zero: a singular posture.
    RLJntArray joint_ref = {0, 8.59519e-15, -8.51691e-15, 3.03687, -8.37861e-15, 0};
    RLPose T_ref{}, T_out{};
    robot->kdCalForwardPosition(joint_ref, true, true, T_ref);

    double a_u = 3.0490902032340936;
    double a_l = -3.0490902032340936;
    IKConfigInfo config;
    config.goal = T_ref;
    config.q_ref = joint_ref;
    config.upper_bound = std::vector<double>(6, a_u);
    config.lower_bound = std::vector<double>(6, a_l);
    config.sol_tolerance = {1e-5, 1e-5};
    config.timeout = 200;

    std::vector<RLJntArray> joint_res_all;
    RLJntArray joint_res{};
    bool real_ik = true;
    int ret = robot->kdCalInversePositionAll(config, true, joint_res_all);
    CHECK(ret >= 0);
    ret = robot->kdCalInversePosition(config, real_ik, joint_res);
    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(joint_res, joint_ref, 6, 1e-4);

    // At the singularity the solution nearest the reference is the reference itself.
    robot->kdCalForwardPosition(joint_res, true, true, T_out);

    CHECK_ARRAY_CLOSE(config.goal, T_out, 6, 1e-4);
  }

  // No solution lies inside the window q_ref +/- pi/2: the search must give up with an error.
  // A solver that ignores the bounds finds one and fails.
  TEST_FIXTURE(VireRobotInterface, testInversePositionTimeout) {
    Setup("vire_r5");
    bool real_ik = false;

    // timeout keeps its default: the bounds alone must end the search.
    IKConfigInfo config;
    config.goal = {-0.139684, -0.747838, 0.439066, 3.05165, 0.032435, 1.80417};
    config.q_ref = {0.12427, -0.768758, 0.511241, -0.197806, 1.548436, -0.111537};
    config.upper_bound = {1.695066, 0.802039, 2.082037, 1.372991, 3.054323, 1.459259};
    config.lower_bound = {-1.446526, -2.339554, -1.059556, -1.768602, -0.02236, -1.682334};
    config.sol_tolerance = {0.0001, 0.0001};
    RLJntArray joint_res1{};
    int ret = robot->kdCalInversePosition(config, real_ik, joint_res1);

    CHECK(ret < 0);
  }

  // A reference at the wrist singularity with joint 4 near its limit: both solvers must find a
  // solution of the Subspace request inside the bounds.
  TEST_FIXTURE(VireRobotInterface, testAllInversePositionsError) {
    Setup("vire_r5");
    RLJntArray qref = {0, 0, 0, 3.03687, 0, 0};
    std::vector<double> upper(6, 3.054326);
    std::vector<double> lower(6, -3.054326);
    RLPose pose = {-0.197993, -0.3911388, 0.263248, 3.141563, 7.015e-05, 0.310528};

    IKConfigInfo config;
    config.goal = pose;
    config.q_ref = qref;
    config.upper_bound = upper;
    config.lower_bound = lower;
    config.sol_tolerance = {0.0001, 0.0001};
    config.timeout = 500;
    config.config = Subspace;
    std::vector<RLJntArray> vq;
    int ret = robot->kdCalInversePositionAll(config, true, vq);
    CHECK(ret >= 0);
    // The solution goes into qref itself; config keeps its own copy of the reference.
    ret = robot->kdCalInversePosition(config, true, qref);
    CHECK(ret >= 0);
  }

  // Setting the same tool pose again must leave the tool inertia attached as before; any tool
  // model passes as long as repeating the pose changes nothing.
  TEST_FIXTURE(VireRobotInterface, testCalInverseDynamicsWithTool) {
    Setup("vire_r5");
    RLJntArray joint_pos = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    RLJntArray joint_vel = joint_pos;
    RLJntArray joint_acc = joint_pos;

    RLPose toolpose = {1, 2, 3, M_PI / 2, 0, 0};
    RLInertia toolinertia{false, 10, {0.01, 0.02, 0.03}, {0.0139, 0.014, 0.0224, 0, 0, 0}};
    std::vector<RLWrench> ft_ext;
    RLJntArray joint_torque1{};
    RLJntArray joint_torque2{};

    robot->mdlSetToolPose(toolpose);
    robot->mdlSetToolInertia(toolinertia);
    robot->kdCalInverseDynamics(joint_pos, joint_vel, joint_acc, ft_ext, joint_torque1);
    robot->mdlSetToolPose(toolpose);
    robot->kdCalInverseDynamics(joint_pos, joint_vel, joint_acc, ft_ext, joint_torque2);

    CHECK_ARRAY_CLOSE(joint_torque1, joint_torque2, 6, 1e-4);
  }
}

// Requests for a given arm configuration, inverse kinematics of other arms and of a
// DH-compensated model.
SUITE(SUITE_ZEMO_KD_IK_ASSGIN_CONFIG) {
  TEST_FIXTURE(VireRobotInterface, testInversePositionAllOfP12Z) {
    Setup("vire_P12Z");
    RLPose T_ref = {-0.158046, -0.0565, 0.596252, -0.139627, -1.52656e-16, -1.5708};
    RLPose T_out{};
    // Neither a reference nor a tolerance: the defaults apply.
    IKConfigInfo config;
    config.goal = T_ref;
    config.timeout = 1000;
    std::vector<RLJntArray> joint_res;
    int ret = robot->kdCalInversePositionAll(config, false, joint_res);

    // Every listed solution must reach the goal; an empty list leaves only the status.
    for (size_t i = 0; i < joint_res.size(); ++i) {
      robot->kdCalForwardPosition(joint_res[i], false, true, T_out);
      CHECK_ARRAY_CLOSE(config.goal, T_out, 6, 1e-4);
    }
    CHECK(ret >= 0);
  }

  // A step straight down from a posture of the U6 arm; every listed solution must reach it.
  TEST_FIXTURE(VireRobotInterface, testInversePositionAllOfU6) {
    Setup("vire_U6");

    RLJntArray q_current = {-0, -0.12728, -1.321171, 0.376933, -1.570762, -0.000019};
    RLPose T_out{}, T_out2{};

    robot->kdCalForwardPosition(q_current, false, true, T_out);
    // The same orientation, 0.1 m lower.
    double dz = 0.1;
    RLPose T_tar = T_out;
    T_tar[2] -= dz;

    // No reference and the default tolerance.
    IKConfigInfo config;
    config.goal = T_tar;
    config.timeout = 1000;
    std::vector<RLJntArray> joint_res;

    int ret = robot->kdCalInversePositionAll(config, false, joint_res);

    for (size_t i = 0; i < joint_res.size(); ++i) {
      robot->kdCalForwardPosition(joint_res[i], false, true, T_out2);
      CHECK_ARRAY_CLOSE(config.goal, T_out2, 6, 1e-4);
    }
    CHECK(ret >= 0);
  }

  // The Subspace request at a wrist-singular posture.
  TEST_FIXTURE(VireRobotInterface, testInversePositionOfR5) {
    Setup("vire_r5");
    // Joint 5 at zero, joint 4 near its limit.
    RLJntArray joint_ref = {0, -5.55112e-17, 0, 3.03687, 2.22045e-16, 0};
    RLPose T_ref{}, T_out{};
    robot->kdCalForwardPosition(joint_ref, false, true, T_ref);

    IKConfigInfo config;
    config.goal = T_ref;
    config.q_ref = joint_ref;
    config.config = Subspace;
    config.timeout = 500;
    bool real_ik = true;
    RLJntArray joint_res{};
    std::vector<RLJntArray> joint_res_all;
    int ret = robot->kdCalInversePosition(config, real_ik, joint_res);
    CHECK(ret >= 0);

    // The full list for the same request.
    ret = robot->kdCalInversePositionAll(config, real_ik, joint_res_all);
    CHECK(ret >= 0);

    // The single solution reaches the goal on the nominal model.
    robot->kdCalForwardPosition(joint_res, false, true, T_out);

    CHECK_ARRAY_CLOSE(config.goal, T_out, 6, 1e-4);
  }

  // The compensated inverse finds joints whose compensated pose is the nominal target.
  TEST_FIXTURE(VireRobotInterface, testDHCompensationIncre) {
    Setup("vire_r5");

    RLJntArray joint_ref = {-2.1016259,     -0.842232995, 1.04719755,
                            2.165085998553, 1.396000031,  -0.00272899681841};
    RLPose T_ref{}, T_out{};
    // The target is the pose of the nominal model.
    robot->kdCalForwardPosition(joint_ref, false, true, T_ref);

    // Only the two link lengths are off.
    double da2 = 0.00007175;
    double da3 = 0.00010688;

    DHPara robotdhparaerror{};
    robotdhparaerror.modified = true;
    robotdhparaerror.a[2] = da2;
    robotdhparaerror.a[3] = da3;

    int ret = robot->mdlSetRobotDHPara(robotdhparaerror);
    CHECK(ret >= 0);

    IKConfigInfo config;
    config.goal = T_ref;
    config.q_ref = joint_ref;
    config.timeout = 400000000;

    bool real_ik = true;
    RLJntArray joint_res{};
    ret = robot->kdCalInversePosition(config, real_ik, joint_res);
    CHECK(ret >= 0);

    // Through the compensated chain the solution lands on the nominal target.
    robot->kdCalForwardPosition(joint_res, true, true, T_out);
    CHECK_ARRAY_CLOSE(T_ref, T_out, 6, 1e-4);
  }

  // With the reference equal to the expected answer, the solver must return that very branch.
  TEST_FIXTURE(VireRobotInterface, testInversePositionOfR10) {
    Setup("vire_r10");

    const std::vector<std::string>& para = UnitTest::GetInputPara();
    int data_type = para.empty() ? 0 : std::stoi(para[0]);

    // Four neighbouring targets along a path, each with the joints that reach it.
    RLPose T_ref{};
    RLJntArray joint_ref{};
    switch (data_type) {
      case 1:
        T_ref = {0.37146, 0.4036, -0.16863, 2.3162, 0, 1.48901};
        joint_ref = {1.34069, -1.13239, 2.38349, 2.10383, 0.757223, 1.35396};
        break;

      case 2:
        T_ref = {0.37186, 0.40369, -0.16864, 2.31623, 0, 1.49619};
        joint_ref = {1.33973, -1.13418, 2.38253, 2.11314, 0.758573, 1.34229};
        break;

      case 3:
        T_ref = {0.37225, 0.40378, -0.16865, 2.31625, 0, 1.50336};
        joint_ref = {1.33879, -1.13595, 2.38158, 2.12237, 0.759976, 1.33069};
        break;

      // Data set 0, also taken for an unknown data type.
      default:
        T_ref = {0.37107, 0.40351, -0.16862, 2.3162, 0, 1.48184};
        joint_ref = {1.34161, -1.13057, 2.38442, 2.09448, 0.755978, 1.36561};
        break;
    }

    // Subspace asks for the branch of the reference itself.
    IKConfigInfo config;
    config.goal = T_ref;
    config.q_ref = joint_ref;
    config.config = Subspace;
    config.timeout = 500;

    bool real_ik = true;
    RLJntArray joint_res{};

    int ret = robot->kdCalInversePosition(config, real_ik, joint_res);
    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(joint_ref, joint_res, 6, 1e-4);
  }
}
