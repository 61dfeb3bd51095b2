#include <unittest/unittest.h>
#include "robot_library_interface.h"
#include "test/interface_fixtures.h"
SUITE(SUITE_ZEMO_MDL_ROBOT_PARA) {
  TEST_FIXTURE(VireRobotInterface, testGetRobotName) {
    Setup("vire_r5");
    std::string robot_name_ref = "vire_r5";
    std::string robot_name = robot->mdlGetRobotName();

    CHECK_ARRAY_EQUAL(robot_name_ref, robot_name, robot_name.size());
  }
  using namespace ZEMO::interface;
  TEST_FIXTURE(VireRobotInterface, testSetGravityVectorInbase) {
    Setup("vire_r5");
    Array3d gravity_direc_vector = {0, 0, -9.81};
    robot->mdlSetGravityVectorInbase(gravity_direc_vector);
    Array3d gravity_get = robot->mdlGetGravityVectorInbase();

    CHECK_ARRAY_CLOSE(gravity_direc_vector, gravity_get, 3, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testGetRobotDOF) {
    Setup("vire_r5");
    unsigned robot_dof_get = robot->mdlGetRobotDOF();

    // The model is a six-axis arm.
    CHECK_EQUAL(6, robot_dof_get);
  }

  TEST_FIXTURE(VireRobotInterface, testGetRobotDHPara) {
    Setup("vire_r5");
    DHPara dhparameter_ref{};
    dhparameter_ref.alpha = {0, -M_PI / 2, M_PI, M_PI, -M_PI / 2, M_PI / 2};
    dhparameter_ref.a = {0, 0, 0.408, 0.376, 0, 0};
    dhparameter_ref.d = {0.122, 0.1215, 0, 0, 0.1025, 0.094};
    dhparameter_ref.theta = {M_PI, -M_PI / 2, 0, -M_PI / 2, 0, 0};
    dhparameter_ref.beta = {0, 0, 0, 0, 0, 0};

    DHPara dhparameter_get = robot->mdlGetRobotDHPara(false);

    CHECK_ARRAY_CLOSE(dhparameter_ref.a, dhparameter_get.a, 6, 1e-8);
    CHECK_ARRAY_CLOSE(dhparameter_ref.alpha, dhparameter_get.alpha, 6, 1e-8);
    CHECK_ARRAY_CLOSE(dhparameter_ref.beta, dhparameter_get.beta, 6, 1e-8);
    CHECK_ARRAY_CLOSE(dhparameter_ref.d, dhparameter_get.d, 6, 1e-8);
    CHECK_ARRAY_CLOSE(dhparameter_ref.theta, dhparameter_get.theta, 6, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testSetRobotDHParaError) {
    Setup("vire_r5");
    DHPara robotdhparaerror{};
    robotdhparaerror.modified = true;
    robotdhparaerror.alpha = {0, 0.000173, -0.009247, 0.003407, -0.000162, 0.002527};
    robotdhparaerror.a = {0, -0.00125, 0.001242, -0.000533, -0.000463, 0.000104};
    robotdhparaerror.d = {0, 0.000084, -0.000084, 0.000084, 0.000273, -0.001966};
    robotdhparaerror.theta = {0.001, 0.0373, -0.0127, -0.03307, -0.0218, 0.0126};
    robotdhparaerror.beta = {0, 0, 0, 0, 0, 0};

    DHPara dhparameter_before = robot->mdlGetRobotDHPara(false);
    robot->mdlSetRobotDHPara(robotdhparaerror);
    DHPara dhparameter_get = robot->mdlGetRobotDHPara(true);

    DHPara dhparameter_ref{};
    for (unsigned i = 0; i < dof; ++i) {
      dhparameter_ref.a[i] = dhparameter_before.a[i] + robotdhparaerror.a[i];
      dhparameter_ref.alpha[i] = dhparameter_before.alpha[i] + robotdhparaerror.alpha[i];
      dhparameter_ref.beta[i] = dhparameter_before.beta[i] + robotdhparaerror.beta[i];
      dhparameter_ref.d[i] = dhparameter_before.d[i] + robotdhparaerror.d[i];
      dhparameter_ref.theta[i] = dhparameter_before.theta[i] + robotdhparaerror.theta[i];
    }

    // The compensated set is the nominal one plus the compensation, member by member.
    CHECK_ARRAY_CLOSE(dhparameter_ref.a, dhparameter_get.a, 6, 1e-8);
    CHECK_ARRAY_CLOSE(dhparameter_ref.alpha, dhparameter_get.alpha, 6, 1e-8);
    CHECK_ARRAY_CLOSE(dhparameter_ref.beta, dhparameter_get.beta, 6, 1e-8);
    CHECK_ARRAY_CLOSE(dhparameter_ref.d, dhparameter_get.d, 6, 1e-8);
    CHECK_ARRAY_CLOSE(dhparameter_ref.theta, dhparameter_get.theta, 6, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testSetJointRotorInertia) {
    Setup("vire_r5");
    RLJntArray joint_rotor = {0, 0, 2.03837, 0.192493, 0.141161, 0.14611};
    robot->mdlSetJointRotorInertia(joint_rotor);
    RLJntArray joint_rotor_get = robot->mdlGetJointRotorInertia();

    // Rotor inertias are stored as given, joints 1 and 2 included.
    CHECK_ARRAY_CLOSE(joint_rotor, joint_rotor_get, 6, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testSetSegmentPara) {
    Setup("vire_r5");
    std::string seg_name = "wrist3_Link";
    RLInertia inertia_set;
    inertia_set.mhi = false;
    inertia_set.mass = 1;
    inertia_set.center = {1, 2, 3};
    inertia_set.inertia = {0.2, -0.01, 0.05, 0.22, 0.1, 0.5};
    RLInertia inertia_get;
    int ret = robot->mdlSetSegmentPara(seg_name, inertia_set);
    CHECK(ret >= 0);
    ret = robot->mdlGetSegmentPara(seg_name, inertia_get);
    CHECK(ret >= 0);

    CHECK(inertia_get.mhi == inertia_set.mhi);
    CHECK_CLOSE(inertia_set.mass, inertia_get.mass, 1e-8);
    CHECK_ARRAY_CLOSE(inertia_set.center, inertia_get.center, 3, 1e-8);
    CHECK_ARRAY_CLOSE(inertia_set.inertia, inertia_get.inertia, 6, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testSetDynamicPara) {
    Setup("vire_r5");
    const int N = 4;
    std::vector<double> dyn_para[N];
    // Form 0: per link m, m*cx, m*cy, m*cz, XX, XY, XZ, YY, YZ, ZZ about the link frame origin.
    dyn_para[0] = {
        0,        0, 0,         0,         0, 0,         0,         0,         0, 0,
        4.80128,  0, 4.59188,   0.100428,  0, -2.14945,  0.058067,  -0.207697, 0, 0.166301,
        4.14606,  0, 1.9569,    -0.047254, 0, -0.670036, -0.064804, -0.041111, 0, 0.096918,
        0.619464, 0, -0.000507, 0.147181,  0, 0.191504,  -0.059601, 0.184088,  0, -0.018878,
        0.036473, 0, -0.034803, -0.075407, 0, 0.043757,  0.000833,  -0.030615, 0, -0.00388,
        0.084474, 0, 0.021004,  0.02445,   0, -0.009733, -0.003285, -0.005408, 0, 0.0058,
        0.037652};

    // Form 1: another parameter set of the same arm, rotor inertias included.
    dyn_para[1] = {1,         4.80128,   20.1054,   9.28229,   0.40721,   4.59188,   0.100428,
                   -2.14945,  0.058067,  -0.207697, 0.166301,  4.14606,   8.89745,   11.7701,
                   -0.162258, 1.9569,    -0.047254, -0.670036, -0.064804, -0.041111, 0.096918,
                   0.619464,  2.03837,   12.2774,   7.716,     0.176549,  -0.000507, 0.147181,
                   0.191504,  -0.059601, 0.184088,  -0.018878, 0.036473,  0.192493,  1.29888,
                   2.64646,   -0.512115, -0.034803, -0.075407, 0.043757,  0.000833,  -0.030615,
                   -0.00388,  0.084474,  0.141161,  1.99213,   1.89257,   -0.279314, 0.021004,
                   0.02445,   -0.009733, -0.003285, -0.005408, 0.0058,    0.037652,  0.14611,
                   1.76834,   2.6431,    -0.032999};

    // Form 2: the reduced set.
    dyn_para[2] = {2,         4.80128,  0,         0,         -2.14945,  0.058067,  -0.207697,
                   0.166301,  4.14606,  4.59188,   0.100428,  -0.670036, -0.064804, -0.041111,
                   0.096918,  0.619464, 1.9569,    -0.047254, 0.191504,  -0.059601, 0.184088,
                   -0.018878, 0.036473, -0.000507, 0.147181,  0.043757,  0.000833,  -0.030615,
                   -0.00388,  0.084474, -0.034803, -0.075407, -0.009733, -0.003285, -0.005408,
                   0.0058,    0.037652, 0.021004,  0.02445,   1.8016,    0.179,     0.1661,
                   0.1025};
    // Form 10 carries the same values as form 0.
    dyn_para[3] = dyn_para[0];
    dyn_para[3][0] = 10;

    // Whichever form was set, the getter returns the form-0 vector of the same arm.
    for (int i = 0; i < N; ++i) {
      int ret = robot->mdlSetDynamicPara(dyn_para[i]);
      std::vector<double> robot_link_dynpara = robot->mdlGetDynamicPara();
      CHECK(ret >= 0);
      CHECK_ARRAY_CLOSE(dyn_para[0], robot_link_dynpara, dyn_para[0].size(), 1e-8);
    }
  }

  TEST_FIXTURE(VireRobotInterface, testSetJointStartStopTorque) {
    Setup("vire_r5");
    RLJntArray JointStartStopTorque = {207, 207, 207, 34, 34, 34};
    robot->mdlSetJointStartStopTorque(JointStartStopTorque);
    RLJntArray JointStartStopTorque_get = {0, 0, 0, 0, 0, 0};
    robot->mdlGetJointStartStopTorque(JointStartStopTorque_get);

    CHECK_ARRAY_CLOSE(JointStartStopTorque, JointStartStopTorque_get, 6, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testGetJointMaximumVelocity) {
    Setup("vire_r5");
    RLJntArray vel_limit = {2.5964, 2.5964, 2.5964, 3.1105, 3.1105, 3.1105};
    RLJntArray vel_limit_get = robot->mdlGetJointMaximumVelocity();

    // Speed limits of the model's description, in rad/s.
    CHECK_ARRAY_CLOSE(vel_limit, vel_limit_get, 6, 1e-8);
  }
}
