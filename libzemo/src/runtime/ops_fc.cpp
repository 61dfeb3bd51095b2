#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

#include "runtime/zemo_library.h"

namespace zemo {
namespace runtime {

namespace {

using SpaceMember = Array6 ForceControlSpaceParams::*;

std::string badValue(const char* name, int i, double v, const char* rule) {
  std::ostringstream s;
  s << name << "[" << i << "] = " << v << " " << rule;
  return s.str();
}

// E_NO_ERROR when all six values are finite (and not negative if asked); else the reason.
int checkSix(const char* name, const double* v, bool non_negative, std::string& why) {
  if (v == nullptr) {
    why = std::string(name) + " is a null pointer";
    return E_ERR_ERROR;
  }
  for (int i = 0; i < 6; ++i) {
    if (!std::isfinite(v[i])) {
      why = badValue(name, i, v[i], "is not finite");
      return E_ERR_ERROR;
    }
    if (non_negative && v[i] < 0.0) {
      why = badValue(name, i, v[i], "must not be negative");
      return E_ERR_ERROR;
    }
  }
  return E_NO_ERROR;
}

// Validates six values and stores them only if all pass, so a refused call changes nothing.
int storeSix(const char* name, const double* v, bool non_negative, Array6& dst, std::string& why) {
  const int ret = checkSix(name, v, non_negative, why);
  if (ret >= 0) std::copy(v, v + 6, dst.begin());
  return ret;
}

// The parameter set of a space; null for spaces that have none (NOT_DEFINED, FULL).
ForceControlSpaceParams* spaceParams(ForceControlParameters& fc, const DescribeSpace& space,
                                     std::string& why) {
  if (space == JOINT) return &fc.space[0];
  if (space == CARTESIAN) return &fc.space[1];
  why = "space " + std::to_string(static_cast<int>(space)) +
        " has no force-control parameters (JOINT or CARTESIAN)";
  return nullptr;
}

int setSpaceValues(ForceControlParameters& fc, const DescribeSpace& space, const char* name,
                   const double* v, SpaceMember member, std::string& why) {
  ForceControlSpaceParams* p = spaceParams(fc, space, why);
  if (p == nullptr) return E_ERR_ERROR;
  return storeSix(name, v, true, p->*member, why);
}

// Per-joint coefficients: one per joint of the arm; entries past the last joint stay zero.
int setJointCoefficients(const char* name, const std::vector<double>& values, std::size_t dof,
                         Array6& dst, std::string& why) {
  if (values.size() != dof) {
    why = std::string(name) + " has " + std::to_string(values.size()) + " values, the arm has " +
          std::to_string(dof) + " joints";
    return E_DIMENSION_DISMATCH;
  }
  Array6 padded{};
  std::copy(values.begin(), values.end(), padded.begin());
  return storeSix(name, padded.data(), true, dst, why);
}

// Joints of the loaded arm; six before a model is loaded.
std::size_t jointCount(bool loaded, const RobotModel& model) {
  return static_cast<std::size_t>(loaded ? model.dof : kMaxDof);
}

}  // namespace

int ZemoLibrary::fcSetSelectVector(const DescribeSpace& space, const int* select) {
  std::string why;
  ForceControlSpaceParams* p = spaceParams(control_.fc, space, why);
  if (p != nullptr && select == nullptr) why = "select is a null pointer";
  for (int i = 0; why.empty() && i < 6; ++i) {
    if (select[i] != 0 && select[i] != 1) why = badValue("select", i, select[i], "must be 0 or 1");
  }
  if (!why.empty()) {
    logError("fcSetSelectVector", why);
    return E_ERR_ERROR;
  }
  std::copy(select, select + 6, p->select.begin());
  return E_NO_ERROR;
}

const int* ZemoLibrary::fcGetSelectVector(const DescribeSpace& space) {
  std::string why;
  ForceControlSpaceParams* p = spaceParams(control_.fc, space, why);
  if (p != nullptr) return p->select.data();
  logError("fcGetSelectVector", why);
  return kZeroFlags;
}

int ZemoLibrary::fcSetSensitivity(const double* sensitivity) {
  std::string why;
  const int ret = storeSix("sensitivity", sensitivity, true, control_.fc.sensitivity, why);
  if (ret < 0) logError("fcSetSensitivity", why);
  return ret;
}

int ZemoLibrary::fcSetThreshold(const DescribeSpace& space, const double* threshold) {
  std::string why;
  const int ret = setSpaceValues(control_.fc, space, "threshold", threshold,
                                 &ForceControlSpaceParams::threshold, why);
  if (ret < 0) logError("fcSetThreshold", why);
  return ret;
}

const double* ZemoLibrary::fcGetThreshold(const DescribeSpace& space) {
  std::string why;
  ForceControlSpaceParams* p = spaceParams(control_.fc, space, why);
  if (p != nullptr) return p->threshold.data();
  logError("fcGetThreshold", why);
  return kZeroValues;
}

int ZemoLibrary::fcSetLimit(const DescribeSpace& space, const double* limit) {
  std::string why;
  const int ret =
      setSpaceValues(control_.fc, space, "limit", limit, &ForceControlSpaceParams::limit, why);
  if (ret < 0) logError("fcSetLimit", why);
  return ret;
}

const double* ZemoLibrary::fcGetLimit(const DescribeSpace& space) {
  std::string why;
  ForceControlSpaceParams* p = spaceParams(control_.fc, space, why);
  if (p != nullptr) return p->limit.data();
  logError("fcGetLimit", why);
  return kZeroValues;
}

int ZemoLibrary::fcSetStiffness(const DescribeSpace& space, const double* stiffness) {
  std::string why;
  const int ret = setSpaceValues(control_.fc, space, "stiffness", stiffness,
                                 &ForceControlSpaceParams::stiffness, why);
  if (ret < 0) logError("fcSetStiffness", why);
  return ret;
}

const double* ZemoLibrary::fcGetStiffness(const DescribeSpace& space) {
  std::string why;
  ForceControlSpaceParams* p = spaceParams(control_.fc, space, why);
  if (p != nullptr) return p->stiffness.data();
  logError("fcGetStiffness", why);
  return kZeroValues;
}

int ZemoLibrary::fcSetDamp(const DescribeSpace& space, const double* damp) {
  std::string why;
  const int ret =
      setSpaceValues(control_.fc, space, "damp", damp, &ForceControlSpaceParams::damp, why);
  if (ret < 0) logError("fcSetDamp", why);
  return ret;
}

const double* ZemoLibrary::fcGetDamp(const DescribeSpace& space) {
  std::string why;
  ForceControlSpaceParams* p = spaceParams(control_.fc, space, why);
  if (p != nullptr) return p->damp.data();
  logError("fcGetDamp", why);
  return kZeroValues;
}

int ZemoLibrary::fcSetOverEstimatedDis(double distance) {
  if (!std::isfinite(distance) || distance < 0.0) {
    logError("fcSetOverEstimatedDis", badValue("distance", 0, distance, "must be finite, >= 0"));
    return E_ERR_ERROR;
  }
  control_.fc.over_estimated_dis = distance;
  return E_NO_ERROR;
}

int ZemoLibrary::fcSetMaxAdjustSpeed(const double* speed, bool symmetry) {
  std::string why;
  const int ret = storeSix("speed", speed, true, control_.fc.max_adjust_speed, why);
  if (ret < 0) {
    logError("fcSetMaxAdjustSpeed", why);
    return ret;
  }
  control_.fc.max_adjust_symmetric = symmetry;
  return E_NO_ERROR;
}

int ZemoLibrary::fcEnableSingularityConsistent(bool enable, const Array6d& value) {
  std::string why;
  const int ret = storeSix("value", value.data(), true, control_.fc.singularity_value, why);
  if (ret < 0) {
    logError("fcEnableSingularityConsistent", why);
    return ret;
  }
  control_.fc.singularity_consistent = enable;
  return E_NO_ERROR;
}

int ZemoLibrary::fcAddVirtualForce(const CoordType& frame, const double* force) {
  const int k = static_cast<int>(frame);
  if (k < 0 || k >= static_cast<int>(control_.fc.virtual_force.size())) {
    logError("fcAddVirtualForce",
             "frame " + std::to_string(k) + " is not BASE, TOOL, USER or JOINT");
    return E_ERR_ERROR;
  }
  // The latest wrench of a frame replaces the previous one: repeated calls do not pile up.
  std::string why;
  const int ret = storeSix("force", force, false, control_.fc.virtual_force[k], why);
  if (ret < 0) logError("fcAddVirtualForce", why);
  return ret;
}

int ZemoLibrary::fcSetForceLoopPIDVGains(const double* P, const double* I, const double* D,
                                         const double* V) {
  std::string why;
  int ret = checkSix("P", P, true, why);
  if (ret >= 0) ret = checkSix("I", I, true, why);
  if (ret >= 0) ret = checkSix("D", D, true, why);
  if (ret >= 0) ret = checkSix("V", V, false, why);
  if (ret < 0) {
    logError("fcSetForceLoopPIDVGains", why);
    return ret;
  }
  std::copy(P, P + 6, control_.fc.pid_p.begin());
  std::copy(I, I + 6, control_.fc.pid_i.begin());
  std::copy(D, D + 6, control_.fc.pid_d.begin());
  std::copy(V, V + 6, control_.fc.pid_v.begin());
  return E_NO_ERROR;
}

int ZemoLibrary::fcSetDampingCoe(const std::vector<double>& damping) {
  std::string why;
  const int ret = setJointCoefficients("damping", damping, jointCount(loaded_, model_),
                                       control_.fc.damping_coe, why);
  if (ret < 0) logError("fcSetDampingCoe", why);
  return ret;
}

const double* ZemoLibrary::fcGetDampingCoe() {
  return control_.fc.damping_coe.data();
}

int ZemoLibrary::fcSetGainCoe(const std::vector<double>& gain) {
  std::string why;
  const int ret =
      setJointCoefficients("gain", gain, jointCount(loaded_, model_), control_.fc.gain_coe, why);
  if (ret < 0) logError("fcSetGainCoe", why);
  return ret;
}

const double* ZemoLibrary::fcGetGainCoe() {
  return control_.fc.gain_coe.data();
}

int ZemoLibrary::fcSetJointTorqCoe(const double* coeff) {
  std::string why;
  const int ret = storeSix("coeff", coeff, false, control_.fc.joint_torq_coe, why);
  if (ret < 0) logError("fcSetJointTorqCoe", why);
  return ret;
}

const double* ZemoLibrary::fcGetJointTorqCoe() {
  return control_.fc.joint_torq_coe.data();
}

}  // namespace runtime
}  // namespace zemo
