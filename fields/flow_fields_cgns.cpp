#include "fields/flow_fields_cgns.h"

#include "view/field_maps.h"

#include <cgnslib.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr const char* kBasePath = "/Whirlpane";
// The gas of core/physics.h: γ = 1.4; the Prandtl number follows from the
// solver's heat coefficient γ / ((γ − 1) Pr).
constexpr double kGamma = 1.4;
// The solver's unit of length in layout units: the file's coordinates are in
// layout units, so lengths and per-length quantities are converted by it.
constexpr double kSolverLength = 16;

// Dimensional exponents of mass, length, time, temperature and angle.
using Exponents = std::array<float, 5>;
constexpr Exponents kLength = {0, 1, 0, 0, 0};
constexpr Exponents kDensity = {1, -3, 0, 0, 0};
constexpr Exponents kVelocity = {0, 1, -1, 0, 0};
constexpr Exponents kPressure = {1, -1, -2, 0, 0}; // and energy per unit volume
constexpr Exponents kViscosity = {1, -1, -1, 0, 0};

// The overset status of a point ("Iblank"), as overlapping-grid tools write
// it: 1 solved by the flow equations (boundary points included), 0 a hole
// (cut out, not computed), −k interpolated from the grid of zone k (−1 from
// the main grid, −(b + 1) from the grid of body b).
namespace iblank {
inline constexpr double solved = 1;
inline constexpr double hole = 0;
inline double interpolatedFrom(int zone) {
  return -zone;
}
} // namespace iblank

// The grid points of one zone, i fastest (the file's storage order), as
// (p, r) of the auxiliary grid or (i, j) of the main grid.
struct ZonePoints {
  int ni = 0, nj = 0;
  std::vector<double> x, y, rho, u, v, pres, e, omega, iblank;

  // The slot ω holds the map's value, ∂u/∂y − ∂v/∂x per solver length; the
  // file holds the vorticity ∂v/∂x − ∂u/∂y per layout unit, the unit of its
  // coordinates, with its velocities.
  void add(double px, double py, const FlowPoint& f) {
    x.push_back(px);
    y.push_back(py);
    rho.push_back(f[slot::rho]);
    u.push_back(f[slot::u]);
    v.push_back(f[slot::v]);
    pres.push_back(f[slot::pres]);
    e.push_back(f[slot::e]);
    omega.push_back(-f[slot::omega] / kSolverLength);
    iblank.push_back(iblank::solved);
  }
  double& statusAt(int i, int j) {
    return iblank[static_cast<std::size_t>((i - 1) + (j - 1) * ni)];
  }
};

// A boundary patch of a zone: the vertex range (i, j) .. (i, j) of one face.
struct Patch {
  const char* name;
  const char* family;
  std::array<cgsize_t, 4> range;
};

// The families of the boundary patches, which carry the boundary types: the
// readers extract patches by family and by name.
const std::pair<const char*, CGNS_ENUMT(BCType_t)> kFamilies[] = {
    {"Inflow", CGNS_ENUMV(BCInflowSubsonic)},
    {"Outlet", CGNS_ENUMV(BCOutflowSubsonic)},
    {"ChannelWalls", CGNS_ENUMV(BCWallViscous)},
    {"BodySurfaces", CGNS_ENUMV(BCWallViscous)}};

// The flow conditions' choices the numbers of the reference state do not
// say, one "name value" line each, under the names the layout files use.
std::string conditionsText(const FlowConditions& flow, const ChannelConditions& channel) {
  return std::string("bodyViscosity ") + nameOf(flow.bodyViscosity) + "\ntimeStepping " +
         nameOf(flow.timeStepping) + "\ndissipation " + nameOf(flow.dissipation) + "\nfineness " +
         std::to_string(flow.fineness) + "\nchannel " + (channel.sized ? "given" : "classic") +
         "\ninflow " + nameOf(channel.inflow) + "\noutlet " + nameOf(channel.outlet) + "\nends " +
         nameOf(channel.ends);
}

// The CGNS calls of one file; the first failure ends the writing and keeps
// the library's reason.
class CgnsWriter {
public:
  std::optional<std::string> error;
  int file = 0, base = 0;

  bool ok(int status) {
    if (status != CG_OK && !error) error = cg_get_error();
    return status == CG_OK;
  }

  // Goes to a node below the base, e.g. "ReferenceState".
  bool at(const std::string& path) {
    return ok(cg_gopath(file, (std::string(kBasePath) + "/" + path).c_str()));
  }

  // One value under the node at `path`, with the dimensions of its quantity,
  // or none for a nondimensional parameter such as Mach.
  bool value(const std::string& path, const char* name, double v, const Exponents* exponents) {
    const cgsize_t one = 1;
    if (!at(path) || !ok(cg_array_write(name, CGNS_ENUMV(RealDouble), 1, &one, &v)) ||
        !at(path + "/" + name))
      return false;
    return ok(exponents ? cg_exponents_write(CGNS_ENUMV(RealSingle), exponents->data())
                        : cg_dataclass_write(CGNS_ENUMV(NondimensionalParameter)));
  }

  bool zone(const char* name, const ZonePoints& z, const std::vector<cgsize_t>& holePoints,
            const std::vector<Patch>& patches, double viscosity) {
    cgsize_t size[6] = {z.ni, z.nj, z.ni - 1, z.nj - 1, 0, 0};
    int zoneId = 0, coord = 0, solution = 0, field = 0;
    if (!ok(cg_zone_write(file, base, name, size, CGNS_ENUMV(Structured), &zoneId))) return false;
    for (const auto& [coordName, values] : {std::pair{"CoordinateX", &z.x}, {"CoordinateY", &z.y}})
      if (!ok(cg_coord_write(file, base, zoneId, CGNS_ENUMV(RealDouble), coordName, values->data(),
                             &coord)) ||
          !ok(cg_goto(file, base, "Zone_t", zoneId, "GridCoordinates_t", 1, "DataArray_t", coord,
                      "end")) ||
          !ok(cg_exponents_write(CGNS_ENUMV(RealSingle), kLength.data())))
        return false;
    if (!ok(cg_sol_write(file, base, zoneId, "FlowSolution", CGNS_ENUMV(Vertex), &solution)))
      return false;
    // Each field with the dimensions of its quantity (mass, length, time,
    // temperature, angle).  The library's table knows only the standard
    // names, so the vorticity (per time) and the status state their class
    // alone; their meaning is in the README.
    const struct {
      const char* name;
      const std::vector<double>& values;
      const Exponents* exponents;
    } fields[] = {{"Density", z.rho, &kDensity},
                  {"VelocityX", z.u, &kVelocity},
                  {"VelocityY", z.v, &kVelocity},
                  {"Pressure", z.pres, &kPressure},
                  {"EnergyStagnationDensity", z.e, &kPressure},
                  {"Vorticity", z.omega, nullptr},
                  {"Iblank", z.iblank, nullptr}};
    for (const auto& f : fields)
      if (!ok(cg_field_write(file, base, zoneId, solution, CGNS_ENUMV(RealDouble), f.name,
                             f.values.data(), &field)) ||
          !ok(cg_goto(file, base, "Zone_t", zoneId, "FlowSolution_t", solution, "DataArray_t",
                      field, "end")) ||
          !ok(f.exponents ? cg_exponents_write(CGNS_ENUMV(RealSingle), f.exponents->data())
                          : cg_dataclass_write(CGNS_ENUMV(DimensionlessConstant))))
        return false;
    for (const Patch& patch : patches) {
      int bc = 0;
      if (!ok(cg_boco_write(file, base, zoneId, patch.name, CGNS_ENUMV(FamilySpecified),
                            CGNS_ENUMV(PointRange), 2, patch.range.data(), &bc)) ||
          !ok(cg_goto(file, base, "Zone_t", zoneId, "ZoneBC_t", 1, "BC_t", bc, "end")) ||
          !ok(cg_famname_write(patch.family)))
        return false;
    }
    // The viscosity of this grid's residual; the rest of the equations is
    // the base's.
    const std::string zonePath = name;
    if (!at(zonePath) || !ok(cg_equationset_write(2)) || !at(zonePath + "/FlowEquationSet") ||
        !ok(cg_model_write("ViscosityModel_t", CGNS_ENUMV(Constant))) ||
        !value(zonePath + "/FlowEquationSet/ViscosityModel", "ViscosityMolecularReference",
               viscosity, &kViscosity))
      return false;
    // The solution of the one step the file holds.
    char pointer[32];
    std::memset(pointer, ' ', sizeof pointer);
    std::memcpy(pointer, "FlowSolution", std::strlen("FlowSolution"));
    const cgsize_t pointerSize[2] = {32, 1};
    if (!ok(cg_ziter_write(file, base, zoneId, "ZoneIterativeData")) ||
        !at(zonePath + "/ZoneIterativeData") ||
        !ok(cg_array_write("FlowSolutionPointers", CGNS_ENUMV(Character), 2, pointerSize, pointer)))
      return false;
    if (holePoints.empty()) return true;
    int holeId = 0;
    return ok(cg_hole_write(file, base, zoneId, "Holes", CGNS_ENUMV(Vertex), CGNS_ENUMV(PointList),
                            1, static_cast<cgsize_t>(holePoints.size() / 2), holePoints.data(),
                            &holeId));
  }

  // What the numbers are: nondimensional, normalised by the free stream of
  // the inflow (density 1, pressure 1, speed uInf), lengths in layout units.
  // The reference state is that free stream with its Mach and Reynolds
  // numbers (the Reynolds number for the solver's length, 16 layout units);
  // the equations are the laminar Navier-Stokes equations of an ideal gas
  // with constant viscosity and Prandtl number, marched to a steady state
  // with a local time step at every point (not time-accurate), or, in a
  // time-accurate run, with one time step for all points.
  bool describe(const SolverConstants& constants, const FlowConditions& flow,
                const ChannelConditions& channel) {
    const double soundSpeed = std::sqrt(kGamma * 1.0 / 1.0);
    const double prandtl = kGamma / ((kGamma - 1) * constants.heatCoef);
    const Exponents* parameter = nullptr;
    return ok(cg_goto(file, base, "end")) &&
           ok(cg_dataclass_write(CGNS_ENUMV(NormalizedByUnknownDimensional))) &&
           ok(cg_simulation_type_write(file, base,
                                       constants.timeAccurate ? CGNS_ENUMV(TimeAccurate)
                                                              : CGNS_ENUMV(NonTimeAccurate))) &&
           ok(cg_goto(file, base, "end")) &&
           ok(cg_state_write("Free stream of the inflow; lengths in layout units")) &&
           value("ReferenceState", "Mach", constants.uInf / soundSpeed, parameter) &&
           value("ReferenceState", "Reynolds", constants.reynolds, parameter) &&
           value("ReferenceState", "Reynolds_Velocity", constants.uInf, &kVelocity) &&
           value("ReferenceState", "Reynolds_Length", kSolverLength, &kLength) &&
           value("ReferenceState", "Prandtl", prandtl, parameter) &&
           value("ReferenceState", "SpecificHeatRatio", kGamma, parameter) &&
           value("ReferenceState", "Density", 1.0, &kDensity) &&
           value("ReferenceState", "VelocityX", constants.uInf, &kVelocity) &&
           value("ReferenceState", "VelocityY", 0.0, &kVelocity) &&
           value("ReferenceState", "Pressure", 1.0, &kPressure) &&
           value("ReferenceState", "VelocitySound", soundSpeed, &kVelocity) &&
           at("ReferenceState") &&
           ok(cg_descriptor_write("FlowConditions", conditionsText(flow, channel).c_str())) &&
           ok(cg_goto(file, base, "end")) && ok(cg_equationset_write(2)) && at("FlowEquationSet") &&
           ok(cg_governing_write(CGNS_ENUMV(NSLaminar))) &&
           ok(cg_model_write("GasModel_t", CGNS_ENUMV(Ideal))) &&
           ok(cg_model_write("ThermalConductivityModel_t", CGNS_ENUMV(ConstantPrandtl))) &&
           value("FlowEquationSet/GasModel", "SpecificHeatRatio", kGamma, parameter) &&
           value("FlowEquationSet/ThermalConductivityModel", "Prandtl", prandtl, parameter);
  }

  // The step of the solution.  The solver's time is pseudo-time, a local
  // step at every point, so the file's time is the step number too: a
  // series of files orders by it.
  bool families() {
    for (const auto& [name, type] : kFamilies) {
      int family = 0, familyBc = 0;
      if (!ok(cg_family_write(file, base, name, &family)) ||
          !ok(cg_fambc_write(file, base, family, "FamBC", type, &familyBc)))
        return false;
    }
    return true;
  }

  // The time is the step's number, or in a time-accurate run the flow time
  // in the file's units (layout units over the velocity unit).
  bool iteration(int step, const SolverConstants& constants, const FlowSolution& solution) {
    const cgsize_t one = 1;
    const double time = constants.timeAccurate ? solution.flowTime * kSolverLength : step;
    return ok(cg_biter_write(file, base, "BaseIterativeData", 1)) && at("BaseIterativeData") &&
           ok(cg_array_write("IterationValues", CGNS_ENUMV(Integer), 1, &one, &step)) &&
           ok(cg_array_write("TimeValues", CGNS_ENUMV(RealDouble), 1, &one, &time));
  }
};

// The vorticity slot as the maps left it, to be put back after the export.
struct SavedVorticity {
  std::vector<double> main, aux;

  SavedVorticity(const LayoutParameters& layout, const Grids& grids, const FlowSolution& solution) {
    for (int j = 1; j <= grids.mainNy; ++j)
      for (int i = 1; i <= grids.mainNx; ++i) main.push_back(solution.mainFlow[i][j][slot::omega]);
    for (int b = 1; b <= grids.nBodies; ++b)
      for (int r = 1; r <= layout.bodyLayers; ++r)
        for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b]; ++p)
          aux.push_back(solution.bodyFlow[p][r][1][slot::omega]);
  }
  void restore(const LayoutParameters& layout, const Grids& grids, FlowSolution& solution) const {
    std::size_t n = 0;
    for (int j = 1; j <= grids.mainNy; ++j)
      for (int i = 1; i <= grids.mainNx; ++i) solution.mainFlow[i][j][slot::omega] = main[n++];
    n = 0;
    for (int b = 1; b <= grids.nBodies; ++b)
      for (int r = 1; r <= layout.bodyLayers; ++r)
        for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b]; ++p)
          solution.bodyFlow[p][r][1][slot::omega] = aux[n++];
  }
};

// The body whose ring holds perimeter index p.
int bodyOfPoint(const Grids& grids, int p) {
  for (int b = 1; b <= grids.nBodies; ++b)
    if (p >= grids.bodyFirst[b] && p <= grids.bodyLast[b]) return b;
  return 0;
}

int zoneOfBody(int b) {
  return b + 1;
}

// The channel's boundaries: the inflow column i = 1, the bottom and top
// walls, and the right column, open between outletLow and outletHigh (the
// outlet) and a wall above and below.
std::vector<Patch> channelPatches(const Grids& grids) {
  const cgsize_t nx = grids.mainNx, ny = grids.mainNy;
  return {{"Inflow", "Inflow", {1, 1, 1, ny}},
          {"ChannelWallBottom", "ChannelWalls", {1, 1, nx, 1}},
          {"ChannelWallTop", "ChannelWalls", {1, ny, nx, ny}},
          {"EndWallBelowOutlet", "ChannelWalls", {nx, 1, nx, grids.outletLow}},
          {"Outlet", "Outlet", {nx, grids.outletLow, nx, grids.outletHigh}},
          {"EndWallAboveOutlet", "ChannelWalls", {nx, grids.outletHigh, nx, ny}}};
}

std::optional<std::string> writeFile(const LayoutParameters& layout,
                                     const SolverConstants& constants, const Grids& grids,
                                     const CouplingTables& coupling, const FlowSolution& solution,
                                     const std::string& path) {
  CgnsWriter w;
  if (!w.ok(cg_open(path.c_str(), CG_MODE_WRITE, &w.file))) return w.error;
  const double mainViscosity = constants.uInf / constants.reynolds * kSolverLength;
  const double bodyViscosity =
      constants.auxViscosityFactor * constants.uInf / constants.reynolds * kSolverLength;
  if (w.ok(cg_base_write(w.file, "Whirlpane", 2, 2, &w.base)) &&
      w.describe(constants, solution.flowConditionsOfResult, solution.flowLayout.channel) &&
      w.families() && w.iteration(solution.flowStep, constants, solution)) {
    ZonePoints main;
    main.ni = grids.mainNx;
    main.nj = grids.mainNy;
    for (int j = 1; j <= grids.mainNy; ++j)
      for (int i = 1; i <= grids.mainNx; ++i)
        main.add(grids.mainGrid[i][j].mainGridX, grids.mainGrid[i][j].mainGridY,
                 solution.mainFlow[i][j]);
    // The hole cutting takes the receiver ring around each body out with the
    // holes it encloses; the ring's points take their values from the body.
    std::vector<cgsize_t> holes;
    for (int j = 1; j <= grids.mainNy; ++j)
      for (int i = 1; i <= grids.mainNx; ++i)
        if (coupling.mainHoleFlag[i][j] != 0) {
          main.statusAt(i, j) = iblank::hole;
          holes.push_back(i);
          holes.push_back(j);
        }
    for (int k = 1; k <= coupling.mainFromBodyCount; ++k) {
      const Link& link = coupling.mainFromBody[k];
      main.statusAt(link.receiver[1], link.receiver[2]) =
          iblank::interpolatedFrom(zoneOfBody(bodyOfPoint(grids, link.donor[1])));
    }
    bool written = w.zone("MainGrid", main, holes, channelPatches(grids), mainViscosity);

    std::vector<ZonePoints> bodies(static_cast<std::size_t>(grids.nBodies + 1));
    for (int b = 1; b <= grids.nBodies; ++b) {
      ZonePoints& z = bodies[static_cast<std::size_t>(b)];
      z.ni = grids.bodyLast[b] - grids.bodyFirst[b] + 1;
      z.nj = layout.bodyLayers;
      for (int r = 1; r <= layout.bodyLayers; ++r)
        for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b]; ++p)
          z.add(grids.bodyGrid[p][r][1].bodyGridX, grids.bodyGrid[p][r][1].bodyGridY,
                solution.bodyFlow[p][r][1]);
    }
    // The outer edges take their values from the main grid or another body.
    const auto mark = [&](const Link& link, int donorZone) {
      const int b = bodyOfPoint(grids, link.receiver[1]);
      if (b == 0 || link.receiver[3] != 1) return;
      bodies[static_cast<std::size_t>(b)].statusAt(link.receiver[1] - grids.bodyFirst[b] + 1,
                                                   link.receiver[2]) =
          iblank::interpolatedFrom(donorZone);
    };
    for (int k = 1; k <= coupling.bodyFromMainCount; ++k) mark(coupling.bodyFromMain[k], 1);
    for (int k = 1; k <= coupling.bodyFromBodyCount; ++k)
      mark(coupling.bodyFromBody[k],
           zoneOfBody(bodyOfPoint(grids, coupling.bodyFromBody[k].donor[1])));
    for (int b = 1; written && b <= grids.nBodies; ++b) {
      const cgsize_t ni = grids.bodyLast[b] - grids.bodyFirst[b] + 1, nr = layout.bodyLayers;
      written = w.zone(bodyZoneName(b).c_str(), bodies[static_cast<std::size_t>(b)], {},
                       {{"BodySurface", "BodySurfaces", {1, nr, ni, nr}}}, bodyViscosity);
    }
  }
  const bool closed = w.ok(cg_close(w.file));
  (void)closed;
  return w.error;
}

} // namespace

std::string bodyZoneName(int b) {
  char name[16];
  std::snprintf(name, sizeof name, "Body%02d", b);
  return name;
}

std::optional<std::string> writeFlowFieldsCgns(const LayoutParameters& layout,
                                               const SolverConstants& constants, const Grids& grids,
                                               const CouplingTables& coupling,
                                               FlowSolution& solution, const std::string& path) {
  // The vorticity of the last step, computed into the slot the maps use
  // and put back afterwards: the speed scale reads that slot as a mask, so
  // an export must not change it.
  const SavedVorticity saved(layout, grids, solution);
  computeVorticity(layout, constants, grids, solution);
  const std::string temporary = path + ".partial";
  std::optional<std::string> error =
      writeFile(layout, constants, grids, coupling, solution, temporary);
  saved.restore(layout, grids, solution);
  std::error_code ec;
  if (!error) {
    std::filesystem::rename(temporary, path, ec);
    if (ec) error = ec.message();
  }
  if (error) std::filesystem::remove(temporary, ec);
  return error;
}
