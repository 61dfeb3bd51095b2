#include <vector>
#include <unittest/unittest.h>
#include "test/interface_fixtures.h"
using namespace ZEMO::interface;
SUITE(SUITE_ZEMO_KD_KINEMATICS) {
  TEST_FIXTURE(VireRobotInterface, testKdCalForwardPosition) {
    Setup("vire_r5");
    RLJntArray q = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    bool real_fk = false;
    bool tool_in_base = true;
    RLPose T_ref = {
        -0.424915927341309, -0.48687058574014, 0.411360972073454, -3.141589761044286, 0, -1.5708};
    RLPose T_out{};
    robot->kdCalForwardPosition(q, real_fk, tool_in_base, T_out);

    CHECK_ARRAY_CLOSE(T_ref, T_out, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdCalForwardPositions) {
    Setup("vire_r5");
    RLJntArray q = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    RLPose T_ref = {
        -0.424915927341309, -0.48687058574014, 0.411360972073454, -3.141589761044286, 0, -1.5708};
    std::vector<RLPose> T_out, T_add;
    robot->kdCalForwardPositions(q, false, T_out, T_add);
    // Entry dof is the flange; a shorter list is reported instead of read past its end.
    CHECK(T_out.size() > dof);
    if (T_out.size() > dof) CHECK_ARRAY_CLOSE(T_ref, T_out[dof], 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdCalForwardVelocity) {
    Setup("vire_r5");
    RLJntArray q = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    RLJntArray qd = q;
    RLTwist out_ref = {0.224047773469802, -0.172389635549398, -0.806478713391551,
                       2.205124764888592, -0.268793696454444, 5.769879537e-06};
    RLTwist out{};
    robot->kdCalForwardVelocity(q, qd, out);

    CHECK_ARRAY_CLOSE(out_ref, out, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdCalForwardVelocities) {
    Setup("vire_r5");
    RLJntArray q = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    RLJntArray qd = q;
    std::vector<RLTwist> out_ref = {
        {0, 0, 0, 0, 0, 0.6641},
        {0.0635396, 0.0497322, 0, 0.242226, -0.309476, 0.6641},
        {0.0108546, -0.123273, -0.0614056, 0.957562, -1.22342, 0.6641},
        {0.156826, -0.326068, -0.645473, 0.968164, -1.23696, 0.6641},
        {0.198781, -0.379671, -0.80648, 2.20512, -0.268797, 0.664106},
        {0.224048, -0.17239, -0.806479, 2.20512, -0.268794, 5.76988e-06},
        {0.224048, -0.17239, -0.806479, 2.20512, -0.268794, 5.76988e-06}};
    std::vector<RLTwist> out;
    robot->kdCalForwardVelocities(q, qd, out);

    // One twist per link frame and one for the flange.
    CHECK(out.size() > dof);
    for (size_t i = 0; i <= dof && i < out.size() && i < out_ref.size(); ++i) {
      CHECK_ARRAY_CLOSE(out[i], out_ref[i], 6, 1e-4);
    }
  }

  TEST_FIXTURE(VireRobotInterface, testKdSpaceTransform) {
    Setup("vire_r5");
    RLJntArray q = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    RLJntArray qd = q;
    RLJntArray qdd = q;
    RLPose T_ref = {
        -0.424915927341309, -0.48687058574014, 0.411360972073454, -3.141589761044286, 0, -1.5708};
    RLTwist out_vel_ref = {0.224047773469802, -0.172389635549398, -0.806478713391551,
                           2.205124764888592, -0.268793696454444, 5.769879537e-06};
    RLTwist out_acc_ref = {1.1983336, 0.64049983, -0.416421, 2.5621317, 2.6600472, 2.4674261};
    RLPose T_out{};
    RLTwist v_out{}, a_out{};
    int ret = robot->kdSpaceTransform(q, qd, qdd, T_out, v_out, a_out);

    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(T_ref, T_out, 6, 1e-4);
    CHECK_ARRAY_CLOSE(out_vel_ref, v_out, 6, 1e-4);
    CHECK_ARRAY_CLOSE(out_acc_ref, a_out, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdCalInverseVelocity) {
    Setup("vire_r5");
    RLJntArray q = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    RLTwist v_in = {0.224047773469802, -0.172389635549398, -0.806478713391551,
                    2.205124764888592, -0.268793696454444, 5.769879537e-06};
    RLJntArray qd_ref = q;
    RLJntArray qdot_out{};
    int ret = robot->kdCalInverseVelocity(q, v_in, qdot_out);

    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(qdot_out, qd_ref, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdCalInverseAcceleration) {
    Setup("vire_r5");
    RLJntArray q = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    RLTwist v_in = {0.224047773469802, -0.172389635549398, -0.806478713391551,
                    2.205124764888592, -0.268793696454444, 5.769879537e-06};
    RLTwist a_in = {1.1983336, 0.64049983, -0.416421, 2.5621317, 2.6600472, 2.4674261};
    RLJntArray qd_ref = q;
    RLJntArray qdd_ref = q;
    RLJntArray qdot_out{}, qdotdot_out{};
    int ret = robot->kdCalInverseAcceleration(q, v_in, a_in, qdot_out, qdotdot_out);
    CHECK(ret >= 0);
    // The twist and acceleration came from q, qd = q and qdd = q.
    CHECK_ARRAY_CLOSE(qdot_out, qd_ref, 6, 1e-4);
    CHECK_ARRAY_CLOSE(qdotdot_out, qdd_ref, 6, 1e-4);
  }
  extern const std::array<double, 36> jac_ref;  // at the end of the file: it outgrows the test
  TEST_FIXTURE(VireRobotInterface, testKdCalJacobian) {
    Setup("vire_r5");
    RLJntArray q = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};

    // In the base frame each column is the flange twist of a unit rate of its joint.
    bool in_base = true;
    double jac[36] = {0};

    robot->kdCalJacobian(q, in_base, jac);

    // Joint 1 turns about the base z axis: its column is (-y, x, 0, 0, 0, 1) with (x, y) the
    // flange position, so a transposed result or one in the flange frame fails on the first
    // row already.
    CHECK_ARRAY_CLOSE(jac_ref, jac, 36, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdCalJacobianDeterminant) {
    Setup("vire_r5");
    RLJntArray q = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};

    // q is well away from a singular posture.
    double jacobianDet_ref = -0.089289613773873;
    double jacobianDet = robot->kdCalJacobianDeterminant(q, true);

    CHECK_CLOSE(jacobianDet_ref, jacobianDet, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdGetRobotConfiguration) {
    Setup("vire_r5");
    RLJntArray q = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};

    RobotConfiguration config_ref = LUN;

    RobotConfiguration config = robot->kdGetRobotConfiguration(q);
    CHECK(config_ref == config);
  }
}

SUITE(SUITE_ZEMO_KD_INVERSE_POSITION) {
  const std::vector<std::string> robot_names = {"vire_r5", "vire_W3",   "vire_W6",
                                                "vire_U6", "vire_P12Z", "vire_Q3"};

  TEST_FIXTURE(VireRobotInterface, testKdCalInversePosition) {
    RLJntArray q = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};

    bool real_fk = false;

    // A model named on the command line runs once. Without one the body runs once per entry of
    // robot_names, always on the first model: load, solve, compensate, solve again.
    const std::vector<std::string>& para = UnitTest::GetInputPara();

    std::string robot_name = para.empty() ? robot_names[0] : para[0];
    size_t index = para.empty() ? 0 : 255;

    do {
      // Each pass reloads the model, which drops the compensation of the pass before.
      Setup(robot_name);

      RLPose T_ref{};
      RLPose T_out{};

      RLJntArray joint_res{};

      // From the second pass on real_fk is still true: the compensated chain of a reloaded
      // model, which has no compensation yet.
      robot->kdCalForwardPosition(q, real_fk, true, T_ref);

      // Seeded with q itself; empty bounds and weights mean the model's limits, equal weights.
      IKConfigInfo config;

      config.goal = T_ref;
      config.q_ref = q;
      config.config = NONE;

      config.upper_bound = {};
      config.lower_bound = {};
      config.weight_js = {};

      // Nominal model: the solution must reach the pose again.
      real_fk = false;

      int ret = robot->kdCalInversePosition(config, real_fk, joint_res);

      CHECK(ret >= 0);

      robot->kdCalForwardPosition(joint_res, real_fk, true, T_out);
      // Any branch that reaches the pose passes, not only q itself.
      CHECK_ARRAY_CLOSE(T_ref, T_out, 6, 1e-4);

      // The compensation set of the model-parameter tests, small errors on every member.
      real_fk = true;
      DHPara robotdhparaerror{};
      robotdhparaerror.modified = true;
      robotdhparaerror.alpha = {0, 0.000173, -0.009247, 0.003407, -0.000162, 0.002527};
      robotdhparaerror.a = {0, -0.00125, 0.001242, -0.000533, -0.000463, 0.000104};
      robotdhparaerror.d = {0, 0.000084, -0.000084, 0.000084, 0.000273, -0.001966};
      robotdhparaerror.theta = {0.001, 0.0373, -0.0127, -0.03307, -0.0218, 0.0126};
      robotdhparaerror.beta = {0, 0, 0, 0, 0, 0};
      ret = robot->mdlSetRobotDHPara(robotdhparaerror);
      CHECK(ret >= 0);

      // Compensated model: target and check both go through the compensated chain.
      robot->kdCalForwardPosition(q, true, true, T_ref);
      config.goal = T_ref;
      config.timeout = 200000;
      config.sol_tolerance = {1e-5, 1e-5};
      ret = robot->kdCalInversePosition(config, real_fk, joint_res);
      CHECK(ret >= 0);
      robot->kdCalForwardPosition(joint_res, true, true, T_out);
      CHECK_ARRAY_CLOSE(T_ref, T_out, 6, 1e-4);

      // index starts at 255 with a model on the command line: that pass is the only one.
      ++index;
    } while (index < robot_names.size());
  }

  TEST_FIXTURE(VireRobotInterface, testKdCalInversePositionAll) {
    RLJntArray q = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    // A tool reaching out of the flange, turned against it: the tool point is not the flange.
    RLPose tool_pose = {-0.021836, -0.020454, 0.0389728, 1.5708, 0, -1.5708};
    bool real_fk = false;

    double timeout = 200000;

    // A model named on the command line runs once; without one the body repeats on the first.
    const std::vector<std::string>& para = UnitTest::GetInputPara();
    std::string robot_name = para.empty() ? robot_names[0] : para[0];
    size_t index = para.empty() ? 0 : 255;
    do {
      // Each pass reloads the model, which drops the tool of the pass before.
      Setup(robot_name);

      RLPose T_ref{};
      RLPose T_out{};
      std::vector<RLJntArray> joint_res;

      // Without a tool the goal is the flange pose at q.
      robot->kdCalForwardPosition(q, real_fk, true, T_ref);

      // Empty bounds and weights mean the model's limits and equal weights.
      IKConfigInfo config;

      config.goal = T_ref;
      config.q_ref = q;

      config.upper_bound = {};
      config.lower_bound = {};
      config.weight_js = {};
      config.config = NONE;
      config.timeout = timeout;

      // Every branch the solver lists is checked, not only the one nearest q.
      int ret = robot->kdCalInversePositionAll(config, real_fk, joint_res);

      CHECK(ret >= 0);
      // q itself is a solution, so the list cannot be empty.
      CHECK(joint_res.size() > 0);

      for (size_t i = 0; i < joint_res.size(); ++i) {
        T_out = {};
        robot->kdCalForwardPosition(joint_res[i], real_fk, true, T_out);

        // One failure line per solution that misses the goal.
        CHECK_ARRAY_CLOSE(T_ref, T_out, 6, 1e-4);
      }

      // With a tool the goal is the tool point.
      robot->mdlSetToolPose(tool_pose);

      robot->kdCalForwardPosition(q, real_fk, true, T_ref);
      config.goal = T_ref;

      ret = robot->kdCalInversePositionAll(config, real_fk, joint_res);
      CHECK(ret >= 0);
      CHECK(joint_res.size() > 0);

      for (size_t i = 0; i < joint_res.size(); ++i) {
        T_out = {};
        robot->kdCalForwardPosition(joint_res[i], real_fk, true, T_out);
        CHECK_ARRAY_CLOSE(T_ref, T_out, 6, 1e-4);
      }

      ++index;
    } while (index < robot_names.size());
  }
}

// Base-frame Jacobian of vire_r5 at q, row by row.
namespace SuiteSUITE_ZEMO_KD_KINEMATICS {
const std::array<double, 36> jac_ref = [] {
  // Rows vx, vy, vz, wx, wy, wz; columns joints 1 to 6.
  const double rows[6][6] = {
      {0.48687058574014, -0.2278636111917, -0.0689312483115955, 0.0740226475246494,
       0.0579369618345739, 0},
      {-0.424915927341309, -0.178347825481479, -0.0539521785852604, 0.0579371938913785,
       -0.0740223510384526, 0},
      {0, -0.634692324256803, 0.478444061920827, -0.102499654718029, 0, 0},
      {0, 0.61635065780815, -0.616350657808149, 0.616350657808149, -0.787471819566323, 0},
      {0, -0.787471819571635, 0.787471819571635, -0.787471819571635, -0.616350657803991,
       5.1565278883332e-06},
      {1, 0, 0, 0, -3.67320510369848e-06, -0.999999999986508}};
  std::array<double, 36> flat{};
  for (int k = 0; k < 36; ++k) flat[k] = rows[k / 6][k % 6];
  return flat;
}();
}  // namespace SuiteSUITE_ZEMO_KD_KINEMATICS
