#include <vector>
#include <unittest/unittest.h>
#include "robot_library_interface.h"
#include "test/interface_fixtures.h"

using namespace ZEMO::interface;

SUITE(SUITE_ZEMO_FC_SET_PARA) {
  TEST_FIXTURE(VireRobotInterface, testSetSelectVector) {
    Setup("vire_r5");
    DescribeSpace space = CARTESIAN;
    std::vector<int> value = {1, 1, 1, 1, 0, 0};
    robot->fcSetSelectVector(space, value.data());
    const int* valueGet = robot->fcGetSelectVector(space);
    CHECK_ARRAY_EQUAL(value, valueGet, 6);
  }

  TEST_FIXTURE(VireRobotInterface, testSetSensitivity) {
    Setup("vire_r5");
    double Kp[6] = {1.1};
    robot->fcSetSensitivity(Kp);
  }

  TEST_FIXTURE(VireRobotInterface, testSetThreshold) {
    Setup("vire_r5");
    double threshold[6] = {1.1};
    DescribeSpace space = CARTESIAN;
    robot->fcSetThreshold(space, threshold);
    const double* thresholdGet = robot->fcGetThreshold(space);
    CHECK_ARRAY_CLOSE(threshold, thresholdGet, 6, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testSetLimit) {
    Setup("vire_r5");
    double data[6] = {1.1};
    DescribeSpace space = CARTESIAN;
    robot->fcSetLimit(space, data);
    const double* dataGet = robot->fcGetLimit(space);
    CHECK_ARRAY_CLOSE(data, dataGet, 6, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testSetStiffness) {
    Setup("vire_r5");
    double stiffness[6] = {1.1};
    DescribeSpace space = CARTESIAN;
    robot->fcSetStiffness(space, stiffness);
    const double* stiffnessGet = robot->fcGetStiffness(space);
    CHECK_ARRAY_CLOSE(stiffness, stiffnessGet, 6, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testSetDamp) {
    Setup("vire_r5");
    robot->rlSetLogLevel(LogLevel::INFO);
    double damp[6] = {0.5, 0.5, 0.5, 0.5, 0.5, 0.5};
    DescribeSpace space = CARTESIAN;
    robot->fcSetDamp(space, damp);
    const double* dampGet = robot->fcGetDamp(space);
    CHECK_ARRAY_CLOSE(damp, dampGet, 6, 1e-8);

    // Changing the friction model and the control mode must keep the stored damping.
    double Fs[6] = {1.2, 1.2, 1.2, 0.383027, 0.380754, 0.308901};
    double Fc[6] = {0.965393, 1.02084, 0.952576, 0.299988, 0.279588, 0.215934};
    double Vs[6] = {0.01, 0.01, 0.01, 0.2, 0.191372, 0.2};
    double Miu[6] = {1.0, 1.0, 1.0, 1.77955, 2.15673, 2.12209};
    double Fv0[6] = {0.0106353, 0.0143901, 0.00773749, -0.00234212, -0.00257394, 0.0106474};
    double Fv1[6] = {1.09511, 1.1815, 1.35258, 0.276982, 0.238387, 0.362387};
    double Fv2[6] = {0.322476, 0.330829, 0.403993, 0.0411784, 0.0414097, 0.0828178};
    double Fv3[6] = {0.0438091, 0.0426326, 0.049139, 0.00273699, 0.00398666, 0.00856892};
    double Ft1[6] = {0.999999, 1.0, 1.0, 0.348209, 0.388313, 0.372769};
    double Ft2[6] = {-0.0251141, -0.0243667, -0.0245146, -0.00795552, -0.00837804, -0.00858568};
    double Ft3[6] = {4000, 4000, 4000, 1000, 1000, 1000};
    double c1[6] = {0.001491, 0.001491, 0.001491, 0.01002, 0.01002, 0.01002};
    double c2[6] = {-0.006469, -0.006469, -0.006469, 0.005259, 0.005259, 0.005259};
    std::vector<FrictionParam> friction_para(dof);
    for (unsigned i = 0; i < dof && i < 6; ++i) {
      friction_para[i].type = FrictionType::VTL_Model;
      friction_para[i].para = {Fs[i],  Fc[i],  Vs[i],  Miu[i], Fv0[i], Fv1[i], Fv2[i],
                               Fv3[i], Ft1[i], Ft2[i], Ft3[i], c1[i],  c2[i]};
    }
    robot->mdlSetFrictionPara(friction_para);
    robot->mcSetControlType(JOINT_TOR);

    space = JOINT;
    robot->fcSetDamp(space, damp);
    dampGet = robot->fcGetDamp(space);
    CHECK_ARRAY_CLOSE(damp, dampGet, 6, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testSetMass) {
    Setup("vire_r5");
    // The mass of the admittance goes through the stiffness pair.
    double mass[6] = {1.1};
    DescribeSpace space = CARTESIAN;
    robot->fcSetStiffness(space, mass);
    const double* massGet = robot->fcGetStiffness(space);
    CHECK_ARRAY_CLOSE(mass, massGet, 6, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testSetOverEstimatedDis) {
    Setup("vire_r5");
    robot->fcSetOverEstimatedDis(1.1);
  }

  TEST_FIXTURE(VireRobotInterface, testSetMaxAdjustSpeed) {
    Setup("vire_r5");
    double dis[6] = {1.1};
    robot->fcSetMaxAdjustSpeed(dis, true);
  }

  TEST_FIXTURE(VireRobotInterface, testEnableSingularityConsistent) {
    Setup("vire_r5");
    bool flag = true;
    Array6d value = {1.1, 1.1, 1.1, 1.1, 1.1, 1.1};
    robot->fcEnableSingularityConsistent(flag, value);
  }

  TEST_FIXTURE(VireRobotInterface, testAddVirtualForce) {
    Setup("vire_r5");
    std::vector<double> force = {1.1, 1.1, 1.1, 1.1, 1.1, 1.1};
    robot->fcAddVirtualForce(CoordType(0), force.data());
  }

  TEST_FIXTURE(VireRobotInterface, testSetForceLoopPIDVGains) {
    Setup("vire_r5");
    double P[6] = {1.1};
    double I[6] = {1.1};
    double D[6] = {1.1};
    double V[6] = {1.1};
    robot->fcSetForceLoopPIDVGains(P, I, D, V);
  }

  TEST_FIXTURE(VireRobotInterface, testSetDampingCoe) {
    Setup("vire_r5");
    std::vector<double> damping = {40, 40, 40, 5, 5, 5};
    std::vector<double> ref_damping = {0, 0, 0, 0, 0, 0};
    robot->fcSetDampingCoe(damping);
    const double* damping_get = robot->fcGetDampingCoe();
    for (int i = 0; i < 6; ++i) ref_damping[i] = damping_get[i];
    CHECK_ARRAY_EQUAL(ref_damping, damping, ref_damping.size());
  }

  TEST_FIXTURE(VireRobotInterface, testSetGainCoe) {
    Setup("vire_r5");
    std::vector<double> gain = {0.05, 0.05, 0.05, 0.5, 0.5, 0.5};
    std::vector<double> ref_gain = {0, 0, 0, 0, 0, 0};
    robot->fcSetGainCoe(gain);
    const double* gain_get = robot->fcGetGainCoe();
    for (int i = 0; i < 6; ++i) ref_gain[i] = gain_get[i];
    CHECK_ARRAY_EQUAL(ref_gain, gain, ref_gain.size());
  }

  TEST_FIXTURE(VireRobotInterface, testSetJointTorqCoe) {
    Setup("vire_r5");
    double coeff[6] = {0.5, 0.5, 0.5, 0.5, 0.5, 0.5};
    robot->fcSetJointTorqCoe(coeff);
    const double* coeff_get = robot->fcGetJointTorqCoe();
    RLJntArray ref_coeff;
    for (int i = 0; i < 6; ++i) ref_coeff[i] = coeff_get[i];
    CHECK_ARRAY_EQUAL(ref_coeff, coeff, 6);
  }
}
