#include <unittest/unittest.h>
#include "test/interface_fixtures.h"
using namespace ZEMO::interface;
SUITE(SUITE_ZEMO_KD_DYNAMICS) {
  TEST_FIXTURE(VireRobotInterface, testKdCalTcpWrenchFromEndSensor) {
    Setup("vire_r5");
    RLJntArray joint_pos = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    RLJntArray joint_vel = joint_pos;
    RLJntArray joint_acc = joint_pos;
    RLWrench ft_sensor = {-22.0025, 7.6498, -53.7775, -117.2313, -13.0462, 44.2201};
    // No tool, no sensor offset and no payload: the tool-point wrench is the reading itself.
    RLWrench RLWrench =
        robot->kdCalTcpWrenchFromEndSensor(ft_sensor, joint_pos, joint_vel, joint_acc);
    CHECK_ARRAY_CLOSE(ft_sensor, RLWrench, 6, 1e-4);
  }
  extern const std::vector<double> link_para;  // at the end of the file: it outgrows the tests
  TEST_FIXTURE(VireRobotInterface, testKdCalInertiaMatrix) {
    Setup("vire_r5");
    RLJntArray q = {M_PI / 2, M_PI / 2, M_PI / 2, 0, 0, 0};

    // Computed before the parameters below are set: the model's own parameters.
    DoubleVecVec M;
    robot->kdCalInertiaMatrix(q, M);
    robot->mdlSetDynamicPara(link_para);

    DoubleVecVec M_ref = {
        {4.12335, -0.209565, 0.209565, -0.0267481, 0.00682738, -1.68123e-05},
        {-0.209565, 4.76, -0.892506, 0.0940904, -0.0147005, 0.000200313},
        {0.209565, -0.892506, 2.89251, -0.0940904, 0.0147005, -0.000200313},
        {-0.0267481, 0.0940904, -0.0940904, 0.171098, -0.00315742, 0.000168668},
        {0.00682738, -0.0147005, 0.0147005, -0.00315742, 0.153091, -6.58655e-06},
        {-1.68123e-05, 0.000200313, -0.000200313, 0.000168668, -6.58655e-06, 0.15016}};

    // A matrix of another shape is reported rather than read past its end.
    bool shape_ok = M.size() == M_ref.size();
    for (size_t i = 0; shape_ok && i < M.size(); ++i) shape_ok = M[i].size() == M_ref[i].size();
    CHECK(shape_ok);
    for (size_t i = 0; shape_ok && i < M_ref.size(); ++i) {
      CHECK_ARRAY_CLOSE(M_ref[i], M[i], M_ref[i].size(), 1e-4);
    }
  }

  TEST_FIXTURE(VireRobotInterface, testKdCalInverseDynamics) {
    Setup("vire_r5");
    RLJntArray joint_pos = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    RLJntArray joint_vel = joint_pos;
    RLJntArray joint_acc = joint_pos;

    // The reading of the tool-point test, applied below as a wrench at the end.
    RLWrench ft_sensor = {-22.0025, 7.6498, -53.7775, -117.2313, -13.0462, 44.2201};

    // One wrench per link frame and one at the end, all zero for now.
    std::vector<RLWrench> ft_ext(7, RLWrench{});
    RLJntArray joint_torque{};

    RLJntArray joint_torque_ref = {3.78783, -39.9948, 18.0068, -0.373297, -0.235099, 0.0940828};
    RLJntArray joint_torque_with_ft_ref = {61.0809, 80.5938, -91.3385, 88.7059, 84.3659, -44.126};

    // Set before the call: the references belong to these parameters, not to the model's own.
    robot->mdlSetDynamicPara(link_para);

    robot->kdCalInverseDynamics(joint_pos, joint_vel, joint_acc, ft_ext, joint_torque);

    CHECK_ARRAY_CLOSE(joint_torque_ref, joint_torque, 6, 1e-4);

    // The sensor wrench acting at the end changes every joint torque.
    ft_ext[6] = ft_sensor;
    robot->kdCalInverseDynamics(joint_pos, joint_vel, joint_acc, ft_ext, joint_torque);
    CHECK_ARRAY_CLOSE(joint_torque_with_ft_ref, joint_torque, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdCalForwardDynamics) {
    Setup("vire_r5");
    RLJntArray joint_pos = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    RLJntArray joint_vel = joint_pos;
    RLJntArray joint_acc = joint_pos;

    std::vector<RLWrench> ft_ext(7, RLWrench{});
    RLJntArray joint_torque{};
    RLJntArray joint_acc_fd{};

    // Forward dynamics undoes inverse dynamics on the model's own parameters.
    robot->kdCalInverseDynamics(joint_pos, joint_vel, joint_acc, ft_ext, joint_torque);
    robot->kdCalForwardDynamics(joint_pos, joint_vel, joint_torque, ft_ext, joint_acc_fd);

    CHECK_ARRAY_CLOSE(joint_acc, joint_acc_fd, 6, 1e-4);
  }

  // Inverse dynamics equals M qdd + C + G: the library against itself, for any arm chosen.
  TEST_FIXTURE(VireRobotInterface, testKdMatrixCoriolisGravityTorque) {
    std::pair<int, int> type = getTestType();
    Setup(getRobotType(type.second));

    RLJntArray joint_pos = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    RLJntArray joint_vel = joint_pos;
    RLJntArray joint_acc = joint_pos;

    // No external wrench: the torque is made of the inertia, velocity and gravity parts only.
    std::vector<RLWrench> ft_ext(7, RLWrench{});
    RLJntArray joint_torque{};

    robot->kdCalInverseDynamics(joint_pos, joint_vel, joint_acc, ft_ext, joint_torque);

    // Entries beyond a short matrix stay zero, which fails the comparison below.
    DoubleVecVec M;
    robot->kdCalInertiaMatrix(joint_pos, M);

    RLJntArray Mqdd{};
    for (size_t i = 0; i < M.size() && i < Mqdd.size(); ++i) {
      for (size_t j = 0; j < M[0].size() && j < M[i].size() && j < joint_acc.size(); ++j) {
        Mqdd[i] += M[i][j] * joint_acc[j];
      }
    }

    // Each part computed on its own.
    RLJntArray C{};
    RLJntArray G{};
    robot->kdCalCoriolisTorque(joint_pos, joint_vel, C);
    robot->kdCalGravityTorque(joint_pos, G);

    RLJntArray T2{};

    for (size_t i = 0; i < 6; ++i) T2[i] = Mqdd[i] + C[i] + G[i];

    CHECK_ARRAY_CLOSE(joint_torque, T2, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdCalFriction) {
    Setup("vire_r5");

    RLJntArray joint_pos = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    RLJntArray joint_vel = joint_pos;
    // Joint temperatures [deg C]: the law depends on them.
    RLJntArray joint_temp = {27, 28, 30, 28, 28, 26};

    RLJntArray joint_friction_ref = {17.85821433264617, 18.83920036577009,  -22.16213547930947,
                                     2.885014109265702, -5.623928375104409, 4.394094888128388};
    // One row per parameter of the law, one column per joint.
    DoubleVecVec vtl = {
        {1.2, 1.2, 1.2, 0.383027, 0.380754, 0.308901},                                // Fs
        {0.965393, 1.02084, 0.952576, 0.299988, 0.279588, 0.215934},                  // Fc
        {0.01, 0.01, 0.01, 0.2, 0.191372, 0.2},                                       // Vs
        {1, 1, 1, 1.77955, 2.15673, 2.12209},                                         // Miu
        {0.0106353, 0.0143901, 0.00773749, -0.00234212, -0.00257394, 0.0106474},      // Fv0
        {1.09511, 1.1815, 1.35258, 0.276982, 0.238387, 0.362387},                     // Fv1
        {0.322476, 0.330829, 0.403993, 0.0411784, 0.0414097, 0.0828178},              // Fv2
        {0.0438091, 0.0426326, 0.049139, 0.00273699, 0.00398666, 0.00856892},         // Fv3
        {0.999999, 1, 1, 0.348209, 0.388313, 0.372769},                               // Ft1
        {-0.0251141, -0.0243667, -0.0245146, -0.00795552, -0.00837804, -0.00858568},  // Ft2
        {4000, 4000, 4000, 1000, 1000, 1000},                                         // Ft3
        {0.001491, 0.001491, 0.001491, 0.01002, 0.01002, 0.01002},                    // c1
        {-0.006469, -0.006469, -0.006469, 0.005259, 0.005259, 0.005259}};             // c2

    // Entry i holds column i of the table, in the row order above.
    std::vector<FrictionParam> friction_para(dof);
    for (size_t i = 0; i < dof && i < 6; ++i) {
      friction_para[i].type = FrictionType::VTL_Model;
      for (const std::vector<double>& row : vtl) friction_para[i].para.push_back(row[i]);
    }

    robot->mdlSetFrictionPara(friction_para);
    // The load below comes from these parameters.
    robot->mdlSetDynamicPara(link_para);

    // The gravity torque serves as the joint load.
    RLJntArray joint_grav{}, joint_friction{};
    robot->kdCalGravityTorque(joint_pos, joint_grav);

    robot->kdCalFriction(joint_pos, joint_vel, joint_temp, joint_grav, joint_friction);

    CHECK_ARRAY_CLOSE(joint_friction, joint_friction_ref, 6, 1e-4);
  }

  TEST(ALL) {
    // The decomposition test again on two more arms, each a test with its own fixture.
    UnitTest::SetInputPara({"0", "40"});
    TestVireRobotInterfacetestKdMatrixCoriolisGravityTorque vire_w3;
    vire_w3.Run();
    UnitTest::SetInputPara({"0", "41"});
    TestVireRobotInterfacetestKdMatrixCoriolisGravityTorque vire_w6;
    vire_w6.Run();
  }

  // Form 0: the tag 0, then per link m, m cx, m cy, m cz, XX, XY, XZ, YY, YZ, ZZ.
  const std::vector<double> link_para = [] {
    const double links[6][10] = {
        {5.05, 0, 0.01919, 0.00303, 0.0148747, 0, 0, 0.0143018, -1.1514e-05, 0.00957292},
        {11.28, 2.30112, 0, 0.221088, 0.0348333, 0, -0.045102, 0.924262, 0, 0.909428},
        {2.88, 0.777312, 0, 0.285696, 0.031641, 0, -0.0771094, 0.295638, 0, 0.266297},
        {1.62, 0, -0.161514, -0.12636, 0.028259, 0, 0, 0.0111561, -0.0125981, 0.0183029},
        {1.62, 0, -0.004536, -0.00486, 0.00232728, 0, 0, 0.00131458, -1.3608e-05, 0.0022127},
        {0.5, 0, 0, -0.0221, 0.00237077, 0, 0, 0.00237564, 0, 0.00224092}};
    std::vector<double> para = {0};
    for (const auto& link : links) para.insert(para.end(), std::begin(link), std::end(link));
    return para;
  }();
}
