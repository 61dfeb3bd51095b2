#include "runtime/model_loader.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>
#include <tinyxml2.h>
#include <urdf_parser/urdf_parser.h>

#include "model/dh.h"
#include "return_value_definition.h"
#include "zemo_utility.h"

namespace zemo {
namespace {

using namespace ZEMO::interface;

// A URDF joint origin counts as a modified-DH transform when it matches its DH reconstruction.
constexpr double kDHMatchTolerance = 1e-9;

bool readFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  text = ss.str();
  return true;
}

Eigen::Isometry3d toIsometry(const urdf::Pose& pose) {
  Eigen::Isometry3d T = Eigen::Isometry3d::Identity();
  T.linear() = Eigen::Quaterniond(pose.rotation.w, pose.rotation.x, pose.rotation.y,
                                  pose.rotation.z)
                   .normalized()
                   .toRotationMatrix();
  T.translation() << pose.position.x, pose.position.y, pose.position.z;
  return T;
}

// Decomposes T = RotX(alpha) TransX(a) RotZ(theta) TransZ(d); false when T has another form.
bool decomposeDH(const Eigen::Isometry3d& T, double& alpha, double& a, double& theta, double& d) {
  const Eigen::Matrix3d& R = T.linear();
  const Eigen::Vector3d& p = T.translation();
  alpha = std::atan2(-R(1, 2), R(2, 2));
  theta = std::atan2(-R(0, 1), R(0, 0));
  a = p.x();
  d = -std::sin(alpha) * p.y() + std::cos(alpha) * p.z();
  return dhTransform(alpha, a, theta, d).isApprox(T, kDHMatchTolerance) ||
         (dhTransform(alpha, a, theta, d).matrix() - T.matrix()).cwiseAbs().maxCoeff() <
             kDHMatchTolerance;
}

std::string resolveMeshPath(const std::string& filename, const std::string& description_dir) {
  const std::string file_scheme = "file://";
  if (filename.rfind(file_scheme, 0) == 0) return filename.substr(file_scheme.size());
  const std::string package_scheme = "package://";
  if (filename.rfind(package_scheme, 0) == 0) {
    // package://<package>/<path>: the description directory is the package.
    const std::string rest = filename.substr(package_scheme.size());
    const auto slash = rest.find('/');
    return description_dir + (slash == std::string::npos ? rest : rest.substr(slash + 1));
  }
  if (!filename.empty() && filename[0] == '/') return filename;
  return description_dir + filename;
}

// Body inertial of a URDF link (centre-of-mass form in an origin frame) as DH-frame origin form.
LinkInertial toLinkInertial(const urdf::Inertial& in) {
  const Eigen::Isometry3d T = toIsometry(in.origin);
  Eigen::Matrix3d I_com;
  I_com << in.ixx, in.ixy, in.ixz, in.ixy, in.iyy, in.iyz, in.ixz, in.iyz, in.izz;
  const Eigen::Matrix3d I_c = T.linear() * I_com * T.linear().transpose();
  const Eigen::Vector3d c = T.translation();
  LinkInertial link;
  link.m = in.mass;
  link.mc = in.mass * c;
  link.I_o = I_c + in.mass * (c.squaredNorm() * Eigen::Matrix3d::Identity() - c * c.transpose());
  return link;
}

int parseUrdf(const std::string& text, const std::string& description_dir, RobotModel& model,
              std::string& error) {
  urdf::ModelInterfaceSharedPtr urdf = urdf::parseURDF(text);
  if (!urdf || !urdf->getRoot()) {
    error = "the URDF text does not parse";
    return E_INVALID_URDF_FILE;
  }
  model.name = urdf->getName();
  model.link_names.clear();
  model.collision.clear();
  model.end_effector.clear();

  auto addLink = [&](const urdf::LinkConstSharedPtr& link) {
    model.link_names.push_back(link->name);
    LinkCollision col;
    if (link->collision && link->collision->geometry &&
        link->collision->geometry->type == urdf::Geometry::MESH) {
      auto mesh = std::dynamic_pointer_cast<urdf::Mesh>(link->collision->geometry);
      col.mesh_path = resolveMeshPath(mesh->filename, description_dir);
      col.T_link_mesh = toIsometry(link->collision->origin);
      col.scale << mesh->scale.x, mesh->scale.y, mesh->scale.z;
    }
    model.collision.push_back(col);
  };

  urdf::LinkConstSharedPtr link = urdf->getRoot();
  addLink(link);
  int dof = 0;
  while (!link->child_joints.empty()) {
    if (link->child_joints.size() > 1) {
      error = "link '" + link->name + "' branches; only serial chains are supported";
      return E_URDF_LINK_JOINT_PARENT;
    }
    const urdf::JointSharedPtr& joint = link->child_joints.front();
    link = urdf->getLink(joint->child_link_name);
    if (!link) {
      error = "joint '" + joint->name + "' has no child link";
      return E_URDF_NO_CHILD_LINK;
    }
    if (joint->type == urdf::Joint::FIXED) {
      // Fixed links after the last joint: the end effector (the first one) and its children.
      if (dof == kMaxDof && model.end_effector.empty()) model.end_effector = link->name;
      addLink(link);
      continue;
    }
    if (joint->type != urdf::Joint::REVOLUTE && joint->type != urdf::Joint::CONTINUOUS) {
      error = "joint '" + joint->name + "' is neither revolute nor fixed";
      return E_URDF_INVALID_JOINT_TYPE;
    }
    if (dof == kMaxDof) {
      error = "more than six moving joints";
      return E_ROBOT_DOF_DISMATCH;
    }
    if (std::abs(joint->axis.x) > 1e-12 || std::abs(joint->axis.y) > 1e-12 ||
        std::abs(joint->axis.z - 1.0) > 1e-12) {
      error = "joint '" + joint->name + "' does not turn about z of its frame";
      return E_URDF_INVALID_JOINT_AXIS;
    }
    const Eigen::Isometry3d T = toIsometry(joint->parent_to_joint_origin_transform);
    double alpha, a, theta, d;
    if (!decomposeDH(T, alpha, a, theta, d)) {
      error = "joint '" + joint->name + "' origin is not a modified-DH transform";
      return E_URDF_INVALID_JOINT_POSE;
    }
    if (model.link_names.size() != static_cast<std::size_t>(dof) + 1) {
      error = "fixed link before joint '" + joint->name + "'";
      return E_URDF_INVALID_JOINT_TYPE;
    }
    model.dh_nominal.alpha[dof] = alpha;
    model.dh_nominal.a[dof] = a;
    model.dh_nominal.theta[dof] = theta;
    model.dh_nominal.d[dof] = d;
    model.dh_nominal.beta[dof] = 0.0;
    if (joint->limits) {
      model.limits.lower[dof] = joint->limits->lower;
      model.limits.upper[dof] = joint->limits->upper;
      model.limits.velocity[dof] = joint->limits->velocity;
      model.limits.max_avg_torque[dof] = joint->limits->effort;
    } else {
      model.limits.lower[dof] = -2.0 * M_PI;
      model.limits.upper[dof] = 2.0 * M_PI;
    }
    if (joint->type == urdf::Joint::CONTINUOUS) {
      model.limits.lower[dof] = -2.0 * M_PI;
      model.limits.upper[dof] = 2.0 * M_PI;
    }
    model.links[dof] = link->inertial ? toLinkInertial(*link->inertial) : LinkInertial{};
    addLink(link);
    ++dof;
  }
  if (dof != kMaxDof) {
    error = "the chain has " + std::to_string(dof) + " moving joints, six are needed";
    return E_ROBOT_DOF_DISMATCH;
  }
  model.dof = dof;
  return 0;
}

int parseSrdf(const std::string& text, RobotModel& model, std::string& error) {
  model.disabled_pairs.clear();
  if (text.empty()) return 0;
  tinyxml2::XMLDocument doc;
  if (doc.Parse(text.c_str(), text.size()) != tinyxml2::XML_SUCCESS || !doc.RootElement()) {
    error = "the SRDF text does not parse";
    return E_ROBOT_MODEL_CONSTRUCT;
  }
  for (auto* e = doc.RootElement()->FirstChildElement("disable_collisions"); e;
       e = e->NextSiblingElement("disable_collisions")) {
    const char* l1 = e->Attribute("link1");
    const char* l2 = e->Attribute("link2");
    if (!l1 || !l2) {
      error = "disable_collisions without link1/link2";
      return E_ROBOT_MODEL_CONSTRUCT;
    }
    const char* reason = e->Attribute("reason");
    model.disabled_pairs.push_back({l1, l2, reason ? reason : "User"});
  }
  return 0;
}

template <class Array>
bool readArray(const nlohmann::json& j, const char* key, Array& out) {
  if (!j.contains(key)) return true;
  const auto& v = j.at(key);
  if (!v.is_array() || v.size() != out.size()) return false;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (!v[i].is_number()) return false;
    out[i] = v[i].get<double>();
  }
  return true;
}

// The parameter file adds what the URDF cannot hold. Its DH table must agree with the URDF
// joint origins; it then replaces the decomposed values, which carry round-off.
int parseParameters(const std::string& text, RobotModel& model, std::string& error) {
  nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
  if (j.is_discarded() || !j.is_object()) {
    error = "the parameter file is not a JSON object";
    return E_ROBOT_MODEL_CONSTRUCT;
  }
  bool ok = true;
  if (j.contains("dh")) {
    DHTable dh = model.dh_nominal;
    const auto& jd = j.at("dh");
    ok = ok && readArray(jd, "alpha", dh.alpha) && readArray(jd, "a", dh.a) &&
         readArray(jd, "d", dh.d) && readArray(jd, "theta", dh.theta) &&
         readArray(jd, "beta", dh.beta);
    if (ok) {
      for (int i = 0; i < kMaxDof; ++i) {
        const Eigen::Isometry3d A = dhTransform(dh, i, 0.0);
        const Eigen::Isometry3d B = dhTransform(model.dh_nominal, i, 0.0);
        if ((A.matrix() - B.matrix()).cwiseAbs().maxCoeff() > 1e-6) {
          error = "DH row " + std::to_string(i) + " of the parameter file disagrees with the URDF";
          return E_DH_ERROR_UPDATE_FAILED;
        }
      }
      model.dh_nominal = dh;
    }
  }
  ok = ok && readArray(j, "rotor_inertia", model.rotor_inertia) &&
       readArray(j, "joint_module_constant", model.joint_module_constant) &&
       readArray(j, "start_stop_torque", model.start_stop_torque);
  if (ok && j.contains("joint_limits")) {
    const auto& jl = j.at("joint_limits");
    ok = readArray(jl, "upper", model.limits.upper) && readArray(jl, "lower", model.limits.lower) &&
         readArray(jl, "velocity", model.limits.velocity) &&
         readArray(jl, "max_avg_torque", model.limits.max_avg_torque);
  }
  if (ok && j.contains("payload")) {
    ok = j.at("payload").is_number();
    if (ok) model.payload = j.at("payload").get<double>();
  }
  if (!ok) {
    error = "the parameter file has a malformed entry";
    return E_ROBOT_MODEL_CONSTRUCT;
  }
  return 0;
}

int load(const std::string& urdf, const std::string& srdf, const std::string* parameters,
         const std::string& description_dir, RobotModel& out, std::string& error) {
  RobotModel model;
  int ret = parseUrdf(urdf, description_dir, model, error);
  if (ret < 0) return ret;
  ret = parseSrdf(srdf, model, error);
  if (ret < 0) return ret;
  if (parameters) {
    ret = parseParameters(*parameters, model, error);
    if (ret < 0) return ret;
  }
  out = std::move(model);
  return 0;
}

}  // namespace

int loadRobotModel(const std::string& name, const std::string& description_dir, RobotModel& model,
                   std::string& error) {
  std::string dir = description_dir;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  std::string urdf, srdf, parameters;
  if (!readFile(dir + "urdf/" + name + ".urdf", urdf)) {
    error = "no description of model '" + name + "' in " + dir + "urdf/";
    return ZEMO::E_FILE_NOT_EXIST;
  }
  readFile(dir + "urdf/" + name + ".srdf", srdf);  // optional: no pairs disabled
  const bool has_parameters = readFile(dir + "config/" + name + ".json", parameters);
  const int ret = load(urdf, srdf, has_parameters ? &parameters : nullptr, dir, model, error);
  if (ret >= 0) model.name = name;
  return ret;
}

int loadRobotModelFromString(const std::string& urdf, const std::string& srdf, RobotModel& model,
                             std::string& error) {
  return load(urdf, srdf, nullptr, "", model, error);
}

}  // namespace zemo
