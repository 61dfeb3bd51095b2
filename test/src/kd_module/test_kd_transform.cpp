#include <string>
#include <unittest/unittest.h>
#include "test/interface_fixtures.h"
using namespace ZEMO::interface;

SUITE(SUITE_ZEMO_KD_TRANSFORM_ORIENTATION) {
  TEST_FIXTURE(VireRobotInterface, testTransformRPY) {
    Setup("vire_r5");
    double rpy_ref[3] = {M_PI / 2, M_PI / 3, M_PI / 6};
    // Three input parameters replace the reference, e.g. 0 0 0 for the identity.
    const std::vector<std::string>& para = UnitTest::GetInputPara();
    if (para.size() == 3) {
      for (size_t i = 0; i < 3; ++i) rpy_ref[i] = std::stod(para[i]);
    }

    double rot[9] = {0};
    double quat[4] = {0};
    double rpy_res[3] = {0};

    // Through the rotation matrix and back.
    int ret = robot->kdTransformOrientation(RPY, ROTATION, rpy_ref, rot);
    CHECK(ret >= 0);
    ret = robot->kdTransformOrientation(ROTATION, RPY, rot, rpy_res);
    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(rpy_ref, rpy_res, 3, 1e-4);

    // Cleared so that the second round cannot pass on the first round's result.
    for (double& value : rpy_res) value = 0;
    ret = robot->kdTransformOrientation(RPY, QUATERNION, rpy_ref, quat);
    CHECK(ret >= 0);
    ret = robot->kdTransformOrientation(QUATERNION, RPY, quat, rpy_res);
    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(rpy_ref, rpy_res, 3, 1e-4);
  }

  // The matrix of roll -pi/4, pitch pi/6, yaw pi/3, row by row.
  TEST_FIXTURE(VireRobotInterface, testTransformRotation) {
    Setup("vire_r5");
    double rot_ref[9] = {0.433012701892219,  -0.789149130992431, -0.435595740399158,
                         0.750000000000000,  0.047367172745377,  0.659739608441171,
                         -0.500000000000000, -0.612372435695794, 0.612372435695795};
    // Nine input parameters replace the reference.
    const std::vector<std::string>& para = UnitTest::GetInputPara();
    if (para.size() == 9) {
      for (size_t i = 0; i < 9; ++i) rot_ref[i] = std::stod(para[i]);
    }

    double rpy[3] = {0};
    double quat[4] = {0};
    double rot_res[9] = {0};

    // Through roll-pitch-yaw and back.
    int ret = robot->kdTransformOrientation(ROTATION, RPY, rot_ref, rpy);
    CHECK(ret >= 0);
    ret = robot->kdTransformOrientation(RPY, ROTATION, rpy, rot_res);
    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(rot_ref, rot_res, 9, 1e-4);

    // Cleared so that the second round cannot pass on the first round's result.
    for (double& value : rot_res) value = 0;
    ret = robot->kdTransformOrientation(ROTATION, QUATERNION, rot_ref, quat);
    CHECK(ret >= 0);
    ret = robot->kdTransformOrientation(QUATERNION, ROTATION, quat, rot_res);
    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(rot_ref, rot_res, 9, 1e-4);
  }

  // w, x, y, z with w positive: a returned quaternion must keep that sign to compare equal.
  TEST_FIXTURE(VireRobotInterface, testTransformQuaternion) {
    Setup("vire_r5");
    double quat_ref[4] = {0.7233, -0.4397, 0.0223, 0.532};
    // Four input parameters replace the reference.
    const std::vector<std::string>& para = UnitTest::GetInputPara();
    if (para.size() == 4) {
      for (size_t i = 0; i < 4; ++i) quat_ref[i] = std::stod(para[i]);
    }
    double rpy[3] = {0};
    double rot[9] = {0};
    double quat_res[4] = {0};

    // Through roll-pitch-yaw and back.
    int ret = robot->kdTransformOrientation(QUATERNION, RPY, quat_ref, rpy);
    CHECK(ret >= 0);
    ret = robot->kdTransformOrientation(RPY, QUATERNION, rpy, quat_res);
    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(quat_ref, quat_res, 4, 1e-4);

    // Cleared so that the second round cannot pass on the first round's result.
    for (double& value : quat_res) value = 0;
    ret = robot->kdTransformOrientation(QUATERNION, ROTATION, quat_ref, rot);
    CHECK(ret >= 0);
    ret = robot->kdTransformOrientation(ROTATION, QUATERNION, rot, quat_res);
    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(quat_ref, quat_res, 4, 1e-4);
  }

  // Angle, then the unit axis: the rotation of the quaternion test's reference.
  TEST_FIXTURE(VireRobotInterface, testTransformAxisAngle) {
    Setup("vire_r5");
    double axis_angle_ref[4] = {1.524403531616318, -0.636741125415042, 0.032236815089338,
                                0.770403483220372};
    // Four input parameters replace the reference.
    const std::vector<std::string>& para = UnitTest::GetInputPara();
    if (para.size() == 4) {
      for (size_t i = 0; i < 4; ++i) axis_angle_ref[i] = std::stod(para[i]);
    }
    double quat[4] = {0};
    double axis_angle_res[4] = {0};

    // Through the quaternion and back.
    int ret = robot->kdTransformOrientation(AXIS_ANGLE, QUATERNION, axis_angle_ref, quat);
    CHECK(ret >= 0);
    ret = robot->kdTransformOrientation(QUATERNION, AXIS_ANGLE, quat, axis_angle_res);
    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(axis_angle_ref, axis_angle_res, 4, 1e-4);
  }
}

SUITE(SUITE_ZEMO_KD_TRANSFORM_FRAME) {
  const RLPose P30 = {0.1, 0.1, 0.1, M_PI / 6, M_PI / 6, M_PI / 6};

  TEST_FIXTURE(VireRobotInterface, testKdChangeReferenceFrame) {
    Setup("vire_r5");
    // Two equal poses: the order of composition cannot matter here.
    RLPose F_b_a = P30;
    RLPose F_c_b = P30;
    RLPose F_c_a_ref = {0.215849, 0.209151, 0.168301, 1.380671, 0.597406, 1.380671};
    RLPose F_c_a = robot->kdChangeReferenceFrame(F_b_a, F_c_b);

    CHECK_ARRAY_CLOSE(F_c_a, F_c_a_ref, 6, 1e-4);
  }

  // The body of frame a seen from frame b: centre R c + p, inertia R I R^T, mass unchanged.
  TEST_FIXTURE(VireRobotInterface, testKdChangeReferenceFrameInertia) {
    Setup("vire_r5");
    RLPose F_b_a = P30;
    RLInertia body_a_a{false, 5.05, {0, 0.0038, 0.0006}, {0.0148, 0, 0, 0.0143, 0, 0.0095}};
    RLInertia body_b_a_ref{false,
                           5.05,
                           {0.099552, 0.103195, 0.102095},
                           {0.00111, 0.010012, 0.003678, 0.018491, 0.00167, -0.001436}};
    RLInertia body_b_a = robot->kdChangeReferenceFrameInertia(body_a_a, F_b_a);

    CHECK_CLOSE(body_b_a.mass, body_b_a_ref.mass, 1e-4);
    CHECK_ARRAY_CLOSE(body_b_a.center, body_b_a_ref.center, 3, 1e-4);
    CHECK_ARRAY_CLOSE(body_b_a.inertia, body_b_a_ref.inertia, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdInverseFrame) {
    Setup("vire_r5");
    RLPose F_b_a = P30;

    // Rotation R^T and position -R^T p.
    RLPose F_a_b_ref = {-0.068301, -0.109151, -0.115849, -0.281035, -0.675132, -0.281035};
    RLPose F_a_b = robot->kdInverseFrame(F_b_a);

    CHECK_ARRAY_CLOSE(F_a_b, F_a_b_ref, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdCalDifferPose) {
    Setup("vire_r5");
    RLPose F_a_b1 = P30;
    RLPose F_a_b2 = {0.2, 0.2, 0.2, M_PI / 6, M_PI / 6, M_PI / 6};
    // The same orientation: only the translation differs.
    RLPose v_a_ref = {0.1, 0.1, 0.1, 0, 0, 0};
    RLPose v_a = robot->kdCalDifferPose(F_a_b1, F_a_b2);

    CHECK_ARRAY_CLOSE(v_a, v_a_ref, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdChangeWrenchBase) {
    Setup("vire_r5");
    RLWrench ft_in_a = {0.1, 0.1, 0.1, M_PI / 6, M_PI / 6, M_PI / 6};
    RLPose F_b_a = {0.2, 0.2, 0.2, 0, 0, 0};
    // A pure translation leaves the components unchanged: no lever arm is added.
    RLWrench ft_in_b_ref = ft_in_a;
    RLWrench ft_in_b = robot->kdChangeWrenchBase(ft_in_a, F_b_a);

    CHECK_ARRAY_CLOSE(ft_in_b, ft_in_b_ref, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdChangeVectorBase) {
    Setup("vire_r5");
    Array3d V_in_a = {0.1, 0.1, 0.1};
    RLPose F_b_a = {0.2, 0.2, 0.2, 0, 0, 0};
    // Only the rotation acts on a vector.
    Array3d V_in_b_ref = {0.1, 0.1, 0.1};
    Array3d V_in_b = robot->kdChangeVectorBase(V_in_a, F_b_a);

    CHECK_ARRAY_CLOSE(V_in_b_ref, V_in_b, 3, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdAddInertia) {
    Setup("vire_r5");
    Array3d center = {0.099552, 0.103195, 0.102095};
    RLInertia body_a{
        false, 5.05, center, {0.00111, 0.010012, 0.003678, 0.018491, 0.00167, -0.001436}};
    RLInertia body_b = body_a;
    RLInertia body_c_ref{
        false, 10.1, center, {0.00222, 0.020024, 0.007356, 0.036982, 0.00334, -0.002872}};
    RLInertia body_c = robot->kdAddInertia(body_a, body_b);
    CHECK_CLOSE(body_c.mass, body_c_ref.mass, 1e-4);
    CHECK_ARRAY_CLOSE(body_c.center, body_c_ref.center, 3, 1e-4);
    CHECK_ARRAY_CLOSE(body_c.inertia, body_c_ref.inertia, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdInertiaTransform) {
    Setup("vire_r5");
    RLInertia body_axis{true, 5.05, {0, 0.0038, 0.0006}, {0.0148, 0, 0, 0.0143, 0, 0.0095}};
    // The origin form less m (|c|^2 E - c c^T).
    RLInertia body_cog_ref{false,
                           5.05,
                           {0, 0.0038, 0.0006},
                           {0.01472526, -1.818e-06, -7.2922e-05, 0.0143, 0, 0.009511514}};
    RLInertia body_cog = robot->kdInertiaTransform(body_axis);

    CHECK_CLOSE(body_cog.mass, body_cog_ref.mass, 1e-4);
    CHECK_ARRAY_CLOSE(body_cog.center, body_cog_ref.center, 3, 1e-4);
    CHECK_ARRAY_CLOSE(body_cog.inertia, body_cog_ref.inertia, 6, 1e-4);

    // A body already about its centre of mass comes back unchanged.
    body_axis.mhi = false;
    body_cog = robot->kdInertiaTransform(body_axis);

    CHECK_CLOSE(body_cog.mass, body_cog_ref.mass, 1e-4);
    CHECK_ARRAY_CLOSE(body_cog.center, body_axis.center, 3, 1e-4);
    CHECK_ARRAY_CLOSE(body_cog.inertia, body_axis.inertia, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdChangeWrenchFrame) {
    Setup("vire_r5");
    RLPose F_b_a = {0.2, 0.2, 0.2, 0.1, 0.1, -0.2};
    RLWrench ft_in_a = {1, 2, 3, 4, 5, 6};
    // f' = R f, m' = R m + p x f'
    RLWrench ft_in_b_ref = {1.622622273852641, 1.395969243589209, 3.068935780910095,
                            5.737623361647075, 3.080512409840206, 5.992208787871379};
    RLWrench ft_in_b = robot->kdChangeWrenchFrame(ft_in_a, F_b_a);
    CHECK_ARRAY_CLOSE(ft_in_b, ft_in_b_ref, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdTransferReferenceFrame) {
    Setup("vire_r5");
    RLPose F_b_a_old = {0.2, 0.2, 0.2, 0.1, 0.1, -0.2};
    Array3d V_in_a = {0.2, 0.3, -0.5};
    RLPose F_b_a_new{};

    // Only the orientation changes; the position of the frame stays.
    int type = 1;
    RLPose F_b_a_new_ref = {
        0.2, 0.2, 0.2, -0.9845221501972578, -0.1520575274796477, -0.3738635744251785};
    int ret = robot->kdTransferReferenceFrame(F_b_a_old, V_in_a, type, F_b_a_new);
    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(F_b_a_new, F_b_a_new_ref, 6, 1e-4);

    type = 2;
    F_b_a_new_ref = {0.2, 0.2, 0.2, 0.1384229764454744, -0.02847609243476468, 0.7844924766636903};
    F_b_a_new = {};
    ret = robot->kdTransferReferenceFrame(F_b_a_old, V_in_a, type, F_b_a_new);
    CHECK(ret >= 0);
    CHECK_ARRAY_CLOSE(F_b_a_new, F_b_a_new_ref, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdAddDeltaPose) {
    Setup("vire_r5");
    RLPose F_w_a = {0.2, 0.2, 0.2, 0.1, 0.1, -0.2};
    // The increment is taken in the world frame: Exp(w) R, not R Exp(w).
    RLTwist da_w = {0.2, 0.3, -0.1, 0.2, 0.4, -0.2};
    RLPose d_F_ref = {0.4, 0.5, 0.1, 0.1812535885613343, 0.5398866824727723, -0.3771952494229008};
    RLPose d_F = robot->kdAddDeltaPose(F_w_a, da_w);

    CHECK_ARRAY_CLOSE(d_F, d_F_ref, 6, 1e-4);
  }

  TEST_FIXTURE(VireRobotInterface, testKdAddDeltaOri) {
    Setup("vire_r5");
    Array3d R_w_a = {0.2, 0.3, 0.4};
    Array3d ra_w = {-0.2, 0.4, -0.1};
    double dt = 0.1;
    // Roll-pitch-yaw of Exp(ra_w dt) R.
    Array3d R_w_a_ref = {0.1967418273039535, 0.3446142900044906, 0.388966030435815};
    Array3d R_w_a_new = robot->kdAddDeltaOri(R_w_a, ra_w, dt);

    CHECK_ARRAY_CLOSE(R_w_a_new, R_w_a_ref, 3, 1e-4);
  }
}
