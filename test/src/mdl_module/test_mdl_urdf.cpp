#include <dirent.h>
#include <fstream>
#include <string>
#include <vector>
#include <unittest/unittest.h>
#include "robot_library_interface.h"
#include "zemo_utility.h"
SUITE(SUITE_ZEMO_MDL_URDF) {
  TEST(testReadUrdf) {
    using namespace ZEMO::interface;
    RLJntArray joint_ref = {0.6641, 0.393, -1.1606, 0.0172, -1.5708, 0.6641};
    std::string path = urdf_path + "urdf/";
    ZEMO::LoggerPtr log = std::make_shared<ZEMO::Logger>();
    log->setLogLevel(3);

    // Every description in the directory is a model: "name.urdf" gives "name".
    std::vector<std::string> robot_names;
    auto add_model = [&robot_names](const std::string& entry) {
      const std::string suffix = ".urdf";
      if (entry.size() > suffix.size() &&
          entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) == 0) {
        robot_names.push_back(entry.substr(0, entry.size() - suffix.size()));
      }
    };

    // Writes values[0 .. n) with six decimals, each followed by f, between the separators.
    auto write_values = [](std::ofstream& ofs, const double* values, size_t n, const char* sep) {
      for (size_t k = 0; k < n; ++k) ofs << (k == 0 ? "" : sep) << values[k] << "f";
    };

    DIR* dir = opendir(path.c_str());
    // Without the directory there is nothing to check.
    if (dir == nullptr) {
      log->error() << "urdf路径错误，无法打开该路径!"
                   << "\n";
      log->end("RunImpl", ZEMO::GetSourceFilename(__FILE__), __LINE__);
      return;
    }
    while (dirent* entry = readdir(dir)) add_model(entry->d_name);
    closedir(dir);
    for (size_t i = 0; i < robot_names.size(); ++i) {
      // A fresh instance per model, released before the next one is created.
      ZEMOIntfacePtr robot = CreateZEMOIntfacePtr();
      int ret = robot->rlInitialRobot(robot_names[i], urdf_path);
      CHECK(ret >= 0);

      // Forward and inverse kinematics of the nominal model agree.
      RLPose T_ref{}, T_out{};
      ret = robot->kdCalForwardPosition(joint_ref, false, false, T_ref);
      CHECK(ret >= 0);
      IKConfigInfo config;
      config.goal = T_ref;
      config.q_ref = joint_ref;
      config.config = NONE;
      bool real_fk = false;
      RLJntArray joint_res{};
      ret = robot->kdCalInversePosition(config, real_fk, joint_res);
      CHECK(ret >= 0);

      // Any branch that reaches the pose passes.
      robot->kdCalForwardPosition(joint_res, false, false, T_out);

      CHECK_ARRAY_CLOSE(T_ref, T_out, 6, 1e-4);

      std::vector<double> robot_link_dynpara = robot->mdlGetDynamicPara();
      DHPara dhpara = robot->mdlGetRobotDHPara(false);
      RLJntArray motor_inertial = robot->mdlGetJointRotorInertia();

      // Form 0 is the tag, then ten values per link. The count is bounded by what the vector
      // holds and by the six links the records have room for, so no read goes past either.
      size_t dof = robot_link_dynpara.empty() ? 0 : (robot_link_dynpara.size() - 1) / 10;
      if (dof > 6) dof = 6;
      Array3d link_center[6] = {};
      RLInertia inertial_link[6];
      RLInertia inertial_center[6];
      for (size_t k = 0; k < dof; ++k) {
        const size_t j = 1 + 10 * k;
        const std::vector<double>& r = robot_link_dynpara;
        link_center[k] = {r[j + 1] / r[j], r[j + 2] / r[j], r[j + 3] / r[j]};
        inertial_link[k].mhi = true;
        inertial_link[k].mass = r[j];
        inertial_link[k].center = link_center[k];
        inertial_link[k].inertia = {r[j + 4], r[j + 7], r[j + 9], r[j + 5], r[j + 6], r[j + 8]};
        inertial_center[k] = robot->kdInertiaTransform(inertial_link[k]);
      }

      // The parameters in the form another controller pastes into its source. The first value
      // of a plain list is written even for no links; its record then holds zeros.
      std::string para_name = "build/" + robot_names[i] + "_coopration_dyn_para.txt";
      std::ofstream ofs(para_name, std::ios::out | std::ios::trunc);
      ofs.setf(std::ios::fixed);
      ofs.precision(6);
      const size_t n = dof > 0 ? dof : 1;

      ofs << ".a = {";
      write_values(ofs, dhpara.a.data(), n, ", ");
      ofs << "};\n";

      ofs << ".d = {";
      write_values(ofs, dhpara.d.data(), n, ", ");
      ofs << "};\n";

      double mass[6] = {};
      for (size_t k = 0; k < n; ++k) mass[k] = inertial_center[k].mass;
      ofs << ".M = {";
      write_values(ofs, mass, n, ", ");
      ofs << "};\n";

      ofs << ".MXYZ = {";
      for (size_t k = 0; k < dof; ++k) {
        ofs << (k == 0 ? "{" : ",\n{");
        write_values(ofs, inertial_center[k].center.data(), 3, ", ");
        ofs << "}";
      }
      ofs << "};\n";

      // Ixx, Ixy, Ixz, Iyy, Iyz, Izz from the stored Ixx, Iyy, Izz, Ixy, Ixz, Iyz.
      ofs << ".IXYZ = {";
      for (size_t k = 0; k < dof; ++k) {
        const Array6d& I = inertial_center[k].inertia;
        const double row[6] = {I[0], I[3], I[4], I[1], I[5], I[2]};
        ofs << (k == 0 ? "{" : ",\n{");
        write_values(ofs, row, 6, ", ");
        ofs << "}";
      }
      ofs << "};\n";

      ofs << ".IA = {";
      write_values(ofs, motor_inertial.data(), n, ",");
      ofs << "};\n";
      ofs.close();
    }
  }
}
