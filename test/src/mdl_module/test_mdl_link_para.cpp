#include <unittest/unittest.h>
#include "test/interface_fixtures.h"
using namespace ZEMO;
using namespace ZEMO::interface;
using namespace ZEMO::geometric_shapes;
SUITE(SUITE_ZEMO_MDL_LINK_PARA) {
  // Two meshes go onto one link, are read back, removed by name and read back again.
  TEST_FIXTURE(VireRobotInterface, testmdlSetLinkGeometryModel) {
    Setup("vire_r5");
    // The first input parameter names another link; the steps must pass on any link the model
    // knows, and a link it lacks fails all four checks.
    std::string link_name = "end_effector";
    if (!UnitTest::GetInputPara().empty()) link_name = UnitTest::GetInputPara()[0];

    // Both shapes use the base link's collision mesh; only their names tell them apart.
    auto shape1_mesh = std::make_shared<Mesh>();
    shape1_mesh->path = urdf_path + "meshes/vire_r5/collision/link0.STL";
    shape1_mesh->type = MESH;
    shape1_mesh->name = "a1_shape";

    auto shape2_mesh = std::make_shared<Mesh>();
    shape2_mesh->path = urdf_path + "meshes/vire_r5/collision/link0.STL";
    shape2_mesh->type = MESH;
    shape2_mesh->name = "a2_shape";

    RLPose origin1 = {0, 0, 0, 0, 0, 0};
    std::vector<ShapePtr> shapes = {shape1_mesh, shape2_mesh};
    std::vector<RLPose> origins = {origin1, origin1};
    std::vector<std::string> unload_shape_name = {shape1_mesh->name, shape2_mesh->name};

    std::vector<ShapeConstPtr> shapes_get;
    std::vector<RLPose> origins_get;
    int ret = 0;

    // Each step only has to succeed; the lists read back are not compared.
    // Removing both shapes and reading again must still succeed: an empty list is a valid
    // geometry for a link.
    // Attach both shapes at the link origin.

    ret = robot->mdlSetLinkGeometryModel(link_name, shapes, origins);
    CHECK(ret >= 0);

    // Read the link's geometry back.
    ret = robot->mdlGetLinkGeometryModel(link_name, shapes_get, origins_get);
    CHECK(ret >= 0);

    // Remove both shapes by their names.
    ret = robot->mdlUnloadLinkGeometryModel(link_name, unload_shape_name);
    CHECK(ret >= 0);

    // With both shapes gone the link's geometry still reads back.
    ret = robot->mdlGetLinkGeometryModel(link_name, shapes_get, origins_get);
    CHECK(ret >= 0);
  }

  TEST_FIXTURE(VireRobotInterface, testOBBModel) {
    std::pair<int, int> type = getTestType();
    std::string model = getRobotType(type.second);
    // A data type without its own posture keeps the zero posture.
    RLJntArray joint_ref{};
    if (type.first == 1) {
      joint_ref = {1.05, -1.28, 2.88, 1.62, 1.62, 0.5};
    } else if (type.first == 2) {
      joint_ref = {-1.304, -0.4167, 2.5789, -1.6858, -1.6006, 0.2312};
      model = "vire_r10";
    }
    Setup(model);

    std::vector<std::string> names = robot->mdlGetLinkNames();
    for (const auto& name : names) robot->mdlGetLinkOBB(name);

    OBBModel res = robot->mdlCalOBBModel(joint_ref, 1);
    // clang-format off
    CHECK(res.size() == names.size()-1);
    // clang-format on
    // A shape attached to a link adds no entry of its own.
    auto shape1_mesh = std::make_shared<Mesh>();
    shape1_mesh->path = urdf_path + "meshes/vire_r5/collision/link0.STL";
    shape1_mesh->type = MESH;
    shape1_mesh->name = "a0_shape";
    std::string link_name = "end_effector";
    robot->mdlSetLinkGeometryModel(link_name, {shape1_mesh}, {RLPose{0, 0, 0, 0, 0, 0}});
    OBBModel res1 = robot->mdlCalOBBModel(joint_ref, 1);
    // clang-format off
    CHECK(res1.size() == names.size()-1);
    // clang-format on
  }
  TEST_FIXTURE(VireRobotInterface, testSetCollisionModel) {
    Setup("vire_K3");
    RLJntArray joint = {-0.0143431, 0.0491329, -0.0657296, -0.0633004, -0.0799256, 0.230762};
    CollisionResult result;
    robot->mdlCheckRobotCollision(joint, true, result);
    // Only the check without self-collision decides.
    robot->mdlCheckRobotCollision(joint, false, result);
    CHECK(result.collision == false);
  }

  TEST_FIXTURE(VireRobotInterface, testCalMinimunDistance) {
    Setup("vire_r5");
    RLJntArray joint{};
    double threshold = 2.0;
    DistanceResult result;
    int ret = 0;

    // With self-collision pairs first, then against the environment only.
    ret = robot->mdlCalMinimunDistance(joint, threshold, true, result);
    CHECK(ret >= 0);
    robot->mdlCalMinimunDistance(joint, threshold, false, result);
  }

  TEST_FIXTURE(VireRobotInterface, testGetLinkMass) {
    Setup("vire_r5");
    // clang-format off
    std::vector<double> link_para = {0,  // form 0, then per link m, m c, XX, XY, XZ, YY, YZ, ZZ
        5.05, 0, 0.01919, 0.00303, 0.0148747, 0, 0, 0.0143018, -1.1514e-05, 0.00957292,
        11.28, 2.30112, 0, 0.221088, 0.0348333, 0, -0.045102, 0.924262, 0, 0.909428,
        2.88, 0.777312, 0, 0.285696, 0.031641, 0, -0.0771094, 0.295638, 0, 0.266297,
        1.62, 0, -0.161514, -0.12636, 0.028259, 0, 0, 0.0111561, -0.0125981, 0.0183029,
        1.62, 0, -0.004536, -0.00486, 0.00232728, 0, 0, 0.00131458, -1.3608e-05, 0.0022127,
        0.5, 0, 0, -0.0221, 0.00237077, 0, 0, 0.00237564, 0, 0.00224092};  // clang-format on
    robot->mdlSetDynamicPara(link_para);
    RLJntArray linkmass_get = robot->mdlGetLinkMass();
    RLJntArray linkmass_ref = {5.05, 11.28, 2.88, 1.62, 1.62, 0.5};
    CHECK_ARRAY_CLOSE(linkmass_ref, linkmass_get, 6, 1e-8);
  }

  TEST_FIXTURE(VireRobotInterface, testComputeNeverInCollisionLinkPairs) {
    Setup("vire_r5");
    int num_trials = 40;
    // Any input parameter asks for the sampling report.
    bool verbose = !UnitTest::GetInputPara().empty();
    double min_collisioon_fraction = 0.1;
    LinkPairMap map;

    // Pairs that never touch over the sampled postures, with pairs that touch in more than the
    // given fraction of the samples reported as always colliding.
    int ret = robot->mdlComputeNeverInCollisionLinkPairs(num_trials, verbose, map,
                                                         min_collisioon_fraction);
    CHECK(ret >= E_NO_ERROR);
  }

  TEST(ALL) {
    // The geometry test again, on the shoulder link, as a test with its own fixture.
    UnitTest::SetInputPara({"shoulder_Link"});
    TestVireRobotInterfacetestmdlSetLinkGeometryModel shoulder;
    shoulder.Run();
  }
}
