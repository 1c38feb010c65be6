// The field export read back through the CGNS library's own reading calls:
// one zone per grid with the flow of the last step, the holes flagged, and
// the model left as it was.
#include "fields/flow_fields_cgns.h"
#include "grid_bits.h"
#include "run/run.h"
#include "view/field_maps.h"

#include "headless_session.h"
#include "ui_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cgnslib.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct ShortRun : HeadlessSession {
  ShortRun() {
    runCalculationSteps(*m, ws, stages, 100);
  } // the vorticity map of step 90 fills omega
};

std::vector<double> readField(int file, int zone, const char* name, cgsize_t ni, cgsize_t nj) {
  std::vector<double> values(static_cast<std::size_t>(ni * nj));
  cgsize_t from[2] = {1, 1}, to[2] = {ni, nj};
  EXPECT_EQ(cg_field_read(file, 1, zone, 1, name, CGNS_ENUMV(RealDouble), from, to, values.data()),
            CG_OK)
      << name << ": " << cg_get_error();
  return values;
}

} // namespace

TEST(FlowFieldsCgns, ReadsBackOneZonePerGridWithTheLastFlow) {
  ShortRun run;
  Model& m = *run.m;
  const auto mainBefore = std::make_unique<decltype(m.solution.mainFlow)>(m.solution.mainFlow);
  const auto bodyBefore = std::make_unique<decltype(m.solution.bodyFlow)>(m.solution.bodyFlow);
  QTemporaryDir dir;
  const std::string path = dir.filePath("fields.cgns").toStdString();
  ASSERT_FALSE(writeFlowFieldsCgns(m.layout, m.constants, m.grids, m.coupling, m.solution, path));
  EXPECT_TRUE(sameBits(*mainBefore, m.solution.mainFlow)) << "model unchanged";
  EXPECT_TRUE(sameBits(*bodyBefore, m.solution.bodyFlow)) << "model unchanged";

  int file = 0;
  ASSERT_EQ(cg_open(path.c_str(), CG_MODE_READ, &file), CG_OK) << cg_get_error();
  int bases = 0, zones = 0;
  cg_nbases(file, &bases);
  cg_nzones(file, 1, &zones);
  EXPECT_EQ(bases, 1);
  ASSERT_EQ(zones, 1 + m.grids.nBodies);
  int bodyInterpolated = 0;

  // The vorticity the file should hold: that of the last step.
  computeVorticity(m.layout, m.constants, m.grids, m.solution);
  for (int zone = 1; zone <= zones; ++zone) {
    char name[33];
    cgsize_t size[6];
    ASSERT_EQ(cg_zone_read(file, 1, zone, name, size), CG_OK);
    const bool main = std::string(name) == "MainGrid";
    const int b = main ? 0 : std::stoi(std::string(name).substr(4));
    if (!main) {
      EXPECT_EQ(name, bodyZoneName(b));
      ASSERT_TRUE(b >= 1 && b <= m.grids.nBodies) << name;
    }
    const cgsize_t ni = size[0], nj = size[1];
    EXPECT_EQ(ni, main ? m.grids.mainNx : m.grids.bodyLast[b] - m.grids.bodyFirst[b] + 1) << name;
    EXPECT_EQ(nj, main ? m.grids.mainNy : m.layout.bodyLayers) << name;
    const auto x = [&] {
      std::vector<double> v(static_cast<std::size_t>(ni * nj));
      cgsize_t from[2] = {1, 1}, to[2] = {ni, nj};
      cg_coord_read(file, 1, zone, "CoordinateX", CGNS_ENUMV(RealDouble), from, to, v.data());
      return v;
    }();
    const auto rho = readField(file, zone, "Density", ni, nj);
    const auto u = readField(file, zone, "VelocityX", ni, nj);
    const auto p = readField(file, zone, "Pressure", ni, nj);
    const auto e = readField(file, zone, "EnergyStagnationDensity", ni, nj);
    const auto omega = readField(file, zone, "Vorticity", ni, nj);
    const auto iblank = readField(file, zone, "Iblank", ni, nj);
    int holes = 0, interpolated = 0;
    for (cgsize_t j = 1; j <= nj; ++j)
      for (cgsize_t i = 1; i <= ni; ++i) {
        const std::size_t n = static_cast<std::size_t>((i - 1) + (j - 1) * ni);
        const FlowPoint& f = main ? m.solution.mainFlow[i][j]
                                  : m.solution.bodyFlow[m.grids.bodyFirst[b] + i - 1][j][1];
        const double px = main ? m.grids.mainGrid[i][j].mainGridX
                               : m.grids.bodyGrid[m.grids.bodyFirst[b] + i - 1][j][1].bodyGridX;
        ASSERT_EQ(x[n], px) << name << " " << i << "," << j;
        ASSERT_EQ(rho[n], f[slot::rho]) << name << " " << i << "," << j;
        ASSERT_EQ(u[n], f[slot::u]);
        ASSERT_EQ(p[n], f[slot::pres]);
        ASSERT_EQ(e[n], f[slot::e]);
        ASSERT_EQ(omega[n], -f[slot::omega] / 16) << "dv/dx - du/dy per layout unit";
        // Holes 0, interpolated points the negative zone number of their
        // donor grid, all other points solved (1).
        ASSERT_TRUE(iblank[n] <= 1 && iblank[n] >= -zones && iblank[n] == std::round(iblank[n]));
        if (main) {
          ASSERT_EQ(iblank[n] <= 0, m.coupling.mainHoleFlag[i][j] != 0) << i << "," << j;
        } else {
          ASSERT_TRUE(j == 1 ? iblank[n] != 0 : iblank[n] == 1) << "only the outer edge is linked";
          ASSERT_NE(iblank[n], -(b + 1)) << "never from itself";
        }
        holes += iblank[n] == 0;
        interpolated += iblank[n] < 0;
      }
    if (main) {
      EXPECT_EQ(interpolated, m.coupling.mainFromBodyCount);
      // Next to the bottom wall ahead of the bodies u grows with y, so the
      // vorticity dv/dx - du/dy is negative there, and positive at the top.
      EXPECT_LT(omega[static_cast<std::size_t>(5 + ni)], 0);
      EXPECT_GT(omega[static_cast<std::size_t>(5 + (nj - 2) * ni)], 0);
    }
    bodyInterpolated += main ? 0 : interpolated;
    int bcs = 0;
    cg_nbocos(file, 1, zone, &bcs);
    EXPECT_EQ(bcs, main ? 6 : 1) << name << ": inflow, outlet, 4 walls; the body surface";
    int holeNodes = 0;
    cg_nholes(file, 1, zone, &holeNodes);
    EXPECT_EQ(holeNodes, main ? 1 : 0) << name;
    if (main) {
      char holeName[33];
      CGNS_ENUMT(GridLocation_t) location;
      CGNS_ENUMT(PointSetType_t) type;
      int sets = 0;
      cgsize_t points = 0;
      ASSERT_EQ(cg_hole_info(file, 1, zone, 1, holeName, &location, &type, &sets, &points), CG_OK);
      EXPECT_EQ(points, holes + interpolated) << "the receiver ring is cut out too";
      EXPECT_GT(holes, 0);
    }
  }
  EXPECT_EQ(bodyInterpolated, m.coupling.bodyFromMainCount + m.coupling.bodyFromBodyCount);

  // The step, the simulation type and the reference state.
  int step = 0;
  ASSERT_EQ(cg_goto(file, 1, "BaseIterativeData_t", 1, "end"), CG_OK);
  ASSERT_EQ(cg_array_read_as(1, CGNS_ENUMV(Integer), &step), CG_OK);
  EXPECT_EQ(step, 100);
  CGNS_ENUMT(SimulationType_t) simulation;
  cg_simulation_type_read(file, 1, &simulation);
  EXPECT_EQ(simulation, CGNS_ENUMV(NonTimeAccurate));
  const auto reference = [&](const char* wanted) {
    char name[33];
    CGNS_ENUMT(DataType_t) type;
    int dims = 0;
    cgsize_t size = 0;
    double value = NAN;
    EXPECT_EQ(cg_goto(file, 1, "ReferenceState_t", 1, "end"), CG_OK);
    int arrays = 0;
    cg_narrays(&arrays);
    for (int a = 1; a <= arrays; ++a)
      if (cg_array_info(a, name, &type, &dims, &size) == CG_OK && std::string(name) == wanted)
        cg_array_read_as(a, CGNS_ENUMV(RealDouble), &value);
    return value;
  };
  EXPECT_DOUBLE_EQ(reference("Mach"), 0.05);
  EXPECT_EQ(reference("Reynolds"), 100);
  EXPECT_DOUBLE_EQ(reference("Prandtl"), 0.7);
  EXPECT_EQ(reference("SpecificHeatRatio"), 1.4);
  // The choices beside the numbers, as the layout files name them.
  int descriptors = 0;
  cg_goto(file, 1, "ReferenceState_t", 1, "end");
  cg_ndescriptors(&descriptors);
  std::string conditions;
  for (int d = 1; d <= descriptors; ++d) {
    char name[33];
    char* text = nullptr;
    if (cg_descriptor_read(d, name, &text) != CG_OK) continue;
    if (std::string(name) == "FlowConditions") conditions = text;
    cg_free(text);
  }
  EXPECT_EQ(conditions, "bodyViscosity classic\ntimeStepping local\ndissipation classic\nfineness "
                        "1\nchannel classic\ninflow uniform\noutlet middle-third\nends reflecting");
  cg_close(file);
}

TEST(FlowFieldsCgns, ThePackagedCheckerFindsNoError) {
  const QString checker = QStandardPaths::findExecutable("cgnscheck");
  if (checker.isEmpty()) GTEST_SKIP() << "cgnscheck is not installed";
  ShortRun run;
  QTemporaryDir dir;
  const QString path = dir.filePath("fields.cgns");
  ASSERT_FALSE(writeFlowFieldsCgns(run.m->layout, run.m->constants, run.m->grids, run.m->coupling,
                                   run.m->solution, path.toStdString()));
  QProcess check;
  check.start(checker, {path});
  ASSERT_TRUE(check.waitForFinished(60000));
  const QString report =
      QString::fromLocal8Bit(check.readAllStandardOutput() + check.readAllStandardError());
  EXPECT_EQ(check.exitCode(), 0) << report.toStdString();
  EXPECT_FALSE(report.contains("ERROR")) << report.toStdString();
  EXPECT_TRUE(report.contains("checking overset hole")) << report.toStdString();
  // What remains are the two names without a standard identifier (Vorticity,
  // Iblank) and the checker taking the holes for a boundary point set.
  for (const QString& line : report.split('\n'))
    if (line.contains("WARNING")) {
      EXPECT_TRUE(line.endsWith("not a CGNS data-name identifier") ||
                  line.endsWith("are not boundary elements"))
          << line.toStdString();
    }
}

TEST(FlowFieldsCgns, AFailedWriteLeavesNoFile) {
  ShortRun run;
  QTemporaryDir dir;
  const std::string path = dir.filePath("missing folder/fields.cgns").toStdString();
  EXPECT_TRUE(writeFlowFieldsCgns(run.m->layout, run.m->constants, run.m->grids, run.m->coupling,
                                  run.m->solution, path));
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
}

TEST(FlowFieldsCgns, TheMenuWritesTheFieldsOnlyAfterARun) {
  StartedWindow s;
  QTemporaryDir dir;
  const QString path = dir.filePath("window.cgns");
  s.w.chooseFile = [&](bool save, const QString& filter) {
    EXPECT_TRUE(save);
    EXPECT_TRUE(filter.contains("*.cgns"));
    return path;
  };
  QAction* item = s.w.findChild<QAction*>("KeepFields");
  item->trigger();
  EXPECT_FALSE(QFile::exists(path)) << "no run yet";
  s.w.services().statusObserver = [&](int panel, const std::string& text) {
    if (panel == 1 && text.rfind("　所要計算時間　＝", 0) == 0) s.w.onStopClicked();
  };
  s.untilTheLoopEnds("the full run and its traces, stopped once drawn",
                     [&] { s.w.onStartClicked(); });
  item->trigger();
  EXPECT_TRUE(s.messages.empty());
  int file = 0, zones = 0;
  ASSERT_EQ(cg_open(path.toStdString().c_str(), CG_MODE_READ, &file), CG_OK) << cg_get_error();
  cg_nzones(file, 1, &zones);
  EXPECT_EQ(zones, 1 + s.m.grids.nBodies);
  cg_close(file);
}
