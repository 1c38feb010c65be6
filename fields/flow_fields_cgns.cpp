#include "fields/flow_fields_cgns.h"

#include "view/field_maps.h"

#include <cgnslib.h>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

// The grid points of one zone, i fastest (the file's storage order), as
// (p, r) of the auxiliary grid or (i, j) of the main grid.
struct ZonePoints {
  int ni = 0, nj = 0;
  std::vector<double> x, y, rho, u, v, pres, e, omega, hole;

  void add(double px, double py, const FlowPoint& f, double vorticity, bool isHole) {
    x.push_back(px);
    y.push_back(py);
    rho.push_back(f[slot::rho]);
    u.push_back(f[slot::u]);
    v.push_back(f[slot::v]);
    pres.push_back(f[slot::pres]);
    e.push_back(f[slot::e]);
    omega.push_back(vorticity);
    hole.push_back(isHole ? 1.0 : 0.0);
  }
};

// The CGNS calls of one file; the first failure ends the writing and keeps
// the library's reason.
class CgnsWriter {
public:
  std::optional<std::string> error;

  bool ok(int status) {
    if (status != CG_OK && !error) error = cg_get_error();
    return status == CG_OK;
  }

  bool zone(int file, int base, const char* name, const ZonePoints& z,
            const std::vector<cgsize_t>& holePoints) {
    cgsize_t size[6] = {z.ni, z.nj, z.ni - 1, z.nj - 1, 0, 0};
    int zoneId = 0, coord = 0, solution = 0, field = 0;
    if (!ok(cg_zone_write(file, base, name, size, CGNS_ENUMV(Structured), &zoneId)) ||
        !ok(cg_coord_write(file, base, zoneId, CGNS_ENUMV(RealDouble), "CoordinateX", z.x.data(),
                           &coord)) ||
        !ok(cg_coord_write(file, base, zoneId, CGNS_ENUMV(RealDouble), "CoordinateY", z.y.data(),
                           &coord)) ||
        !ok(cg_sol_write(file, base, zoneId, "FlowSolution", CGNS_ENUMV(Vertex), &solution)))
      return false;
    const std::pair<const char*, const std::vector<double>*> fields[] = {
        {"Density", &z.rho},
        {"VelocityX", &z.u},
        {"VelocityY", &z.v},
        {"Pressure", &z.pres},
        {"EnergyStagnationDensity", &z.e},
        {"VorticityZ", &z.omega},
        {"HoleFlag", &z.hole}};
    for (const auto& [fieldName, values] : fields)
      if (!ok(cg_field_write(file, base, zoneId, solution, CGNS_ENUMV(RealDouble), fieldName,
                             values->data(), &field)))
        return false;
    if (holePoints.empty()) return true;
    int holeId = 0;
    return ok(cg_hole_write(file, base, zoneId, "Holes", CGNS_ENUMV(Vertex), CGNS_ENUMV(PointList),
                            1, static_cast<cgsize_t>(holePoints.size() / 2), holePoints.data(),
                            &holeId));
  }
};

// The vorticity slot as the maps left it, to be put back after the export.
struct SavedVorticity {
  std::vector<double> main, aux;

  explicit SavedVorticity(const Model& m) {
    for (int j = 1; j <= m.ryNy; ++j)
      for (int i = 1; i <= m.ryNx; ++i) main.push_back(m.ryFlow[i][j][slot::omega]);
    for (int b = 1; b <= m.nBodies; ++b)
      for (int r = 1; r <= m.wkNr; ++r)
        for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p)
          aux.push_back(m.wkFlow[p][r][1][slot::omega]);
  }
  void restore(Model& m) const {
    std::size_t n = 0;
    for (int j = 1; j <= m.ryNy; ++j)
      for (int i = 1; i <= m.ryNx; ++i) m.ryFlow[i][j][slot::omega] = main[n++];
    n = 0;
    for (int b = 1; b <= m.nBodies; ++b)
      for (int r = 1; r <= m.wkNr; ++r)
        for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p)
          m.wkFlow[p][r][1][slot::omega] = aux[n++];
  }
};

std::optional<std::string> writeFile(const Model& m, const std::string& path) {
  int file = 0, base = 0;
  CgnsWriter w;
  if (!w.ok(cg_open(path.c_str(), CG_MODE_WRITE, &file))) return w.error;
  // The flow is in the solver's units (free-stream density and pressure
  // about 1), the coordinates in layout units: normalised, dimensions not
  // stated.
  if (w.ok(cg_base_write(file, "Whirlpane", 2, 2, &base)) && w.ok(cg_goto(file, base, "end")) &&
      w.ok(cg_dataclass_write(CGNS_ENUMV(NormalizedByUnknownDimensional)))) {
    ZonePoints main;
    main.ni = m.ryNx;
    main.nj = m.ryNy;
    std::vector<cgsize_t> holes;
    for (int j = 1; j <= m.ryNy; ++j)
      for (int i = 1; i <= m.ryNx; ++i) {
        const bool hole = m.ryHoleFlag[i][j] != 0;
        main.add(m.ry[i][j].ryX, m.ry[i][j].ryY, m.ryFlow[i][j], m.ryFlow[i][j][slot::omega], hole);
        if (hole) {
          holes.push_back(i);
          holes.push_back(j);
        }
      }
    bool written = w.zone(file, base, "MainGrid", main, holes);
    for (int b = 1; written && b <= m.nBodies; ++b) {
      ZonePoints z;
      z.ni = m.bodyLast[b] - m.bodyFirst[b] + 1;
      z.nj = m.wkNr;
      for (int r = 1; r <= m.wkNr; ++r)
        for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p)
          z.add(m.wk[p][r][1].wkX, m.wk[p][r][1].wkY, m.wkFlow[p][r][1],
                m.wkFlow[p][r][1][slot::omega], false);
      written = w.zone(file, base, bodyZoneName(b).c_str(), z, {});
    }
  }
  const bool closed = w.ok(cg_close(file));
  (void)closed;
  return w.error;
}

} // namespace

std::string bodyZoneName(int b) {
  char name[16];
  std::snprintf(name, sizeof name, "Body%02d", b);
  return name;
}

std::optional<std::string> writeFlowFieldsCgns(Model& m, const std::string& path) {
  // The vorticity of the last step, computed into the slot the maps use
  // and put back afterwards: the speed scale reads that slot as a mask, so
  // an export must not change it.
  const SavedVorticity saved(m);
  define_omeg(m);
  const std::string temporary = path + ".partial";
  std::optional<std::string> error = writeFile(m, temporary);
  saved.restore(m);
  std::error_code ec;
  if (!error) {
    std::filesystem::rename(temporary, path, ec);
    if (ec) error = ec.message();
  }
  if (error) std::filesystem::remove(temporary, ec);
  return error;
}
