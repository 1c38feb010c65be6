// Layout files: what is saved reads back to the same grids, a bad file is
// refused with one message that names the file, the place and the reason and
// changes nothing, and saving replaces the target in one step.
#include "grid_bits.h"
#include "ui_fixture.h"

#include "files/layout_file.h"
#include "layout/grid_making.h"
#include "layout/presets.h"

#include "fake_window_services.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <cstring>
#include <functional>

namespace {

// Grids and body table bit for bit, in model coordinates (the pixels follow
// the view, which a pattern sets and a file leaves alone).
void expectSameGrids(const Model& a, const Model& b, const char* what) {
  ASSERT_EQ(a.grids.mainNx, b.grids.mainNx) << what;
  ASSERT_EQ(a.grids.mainNy, b.grids.mainNy) << what;
  ASSERT_EQ(a.grids.bodyPerimeterPoints, b.grids.bodyPerimeterPoints) << what;
  ASSERT_EQ(a.grids.nBodies, b.grids.nBodies) << what;
  int differ = 0;
  for (int i = 1; i <= a.grids.mainNx; ++i)
    for (int j = 1; j <= a.grids.mainNy; ++j)
      differ += a.grids.mainGrid[i][j].mainGridX != b.grids.mainGrid[i][j].mainGridX ||
                a.grids.mainGrid[i][j].mainGridY != b.grids.mainGrid[i][j].mainGridY;
  for (int p = 1; p <= a.grids.bodyPerimeterPoints + 1; ++p)
    for (int r = 1; r <= a.layout.bodyLayers; ++r)
      differ += a.grids.bodyGrid[p][r][1].bodyGridX != b.grids.bodyGrid[p][r][1].bodyGridX ||
                a.grids.bodyGrid[p][r][1].bodyGridY != b.grids.bodyGrid[p][r][1].bodyGridY;
  for (int n = 1; n <= a.grids.nBodies; ++n)
    differ += a.grids.bodyFirst[n] != b.grids.bodyFirst[n] ||
              a.grids.bodyShape[n] != b.grids.bodyShape[n] ||
              a.grids.body[n].bodyX != b.grids.body[n].bodyX ||
              a.grids.body[n].bodyY != b.grids.body[n].bodyY;
  EXPECT_EQ(differ, 0) << what << ": points or bodies that differ";
}

struct RoundTrip {
  const char* name;
  std::function<void(Model&, WindowServices&)> choose;
};

const RoundTrip kRoundTrips[] = {
    {"start-up", [](Model&, WindowServices&) {}},
    {"pt_1", [](Model& m, WindowServices&) { applyPreset(m, 1); }},
    {"pt_2", [](Model& m, WindowServices&) { applyPreset(m, 2); }},
    {"pt_3", [](Model& m, WindowServices&) { applyPreset(m, 3); }},
    {"pt_4", [](Model& m, WindowServices&) { applyPreset(m, 4); }},
    {"mixed",
     [](Model& m, WindowServices&) {
       m.layout.nColumns = 4;
       const int bodies[] = {0, 1, 5, 2, 3};
       const int gaps[] = {0, 26, 32, 29, 30};
       for (int c = 1; c <= 4; ++c) {
         m.layout.columnBodies[c] = bodies[c];
         m.layout.columnGap[c] = gaps[c];
         m.layout.columnSpacing[c] = 18 + 5 * c;
         for (int k = 1; k <= bodies[c]; ++k) {
           m.layout.layoutShape[c][k] = (c + k) % 5;
           m.layout.layoutSize[c][k] = 5 + 3 * k;
           m.layout.layoutAngle[c][k] = -90 + 37 * k;
         }
       }
       m.layout.layoutRotation = -367; // beyond a full turn, as the dialog's steps reach
       // A ratio the dialog's steps reach, with no short decimal form.
       m.layout.ellipseRatio = 2.0 - 0.2 - 0.2 - 0.2;
     }},
};

} // namespace

TEST(LayoutFile, SavedLayoutsReadBackToTheSameGrids) {
  QTemporaryDir dir;
  for (const RoundTrip& c : kRoundTrips) {
    FakeWindowServices ws;
    auto chosen = makeModel();
    setStartupDefaults(chosen->layout, chosen->editing, chosen->view);
    c.choose(*chosen, ws);
    ASSERT_TRUE(rebuildGrids(*chosen)) << c.name;
    const QString path = dir.filePath(QString(c.name) + ".json");
    ASSERT_FALSE(saveLayoutFile(path, chosen->layout)) << c.name;

    auto opened = makeModel();
    setStartupDefaults(opened->layout, opened->editing, opened->view);
    const LayoutFileResult read = readLayoutFile(path, opened->layout);
    ASSERT_TRUE(read.layout) << c.name << ": " << read.error.toStdString();
    opened->layout = *read.layout;
    EXPECT_EQ(opened->layout.ellipseRatio, chosen->layout.ellipseRatio) << c.name;
    ASSERT_TRUE(rebuildGrids(*opened)) << c.name;
    expectSameGrids(*chosen, *opened, c.name);
  }
}

TEST(LayoutFile, MissingOptionalKeysTakeTheStartupValues) {
  auto m = makeModel();
  setStartupDefaults(m->layout, m->editing, m->view);
  m->layout.layoutRotation = 30;
  m->layout.ellipseRatio = 3;
  const QByteArray json = R"({"whirlpane-layout": 1, "columns": [
      {"gap": 26, "spacing": 26, "bodies": [{"shape": "ellipse", "size": 9, "turn": 0}]}]})";
  const LayoutFileResult read = parseLayoutJson(json, "a.json", m->layout);
  ASSERT_TRUE(read.layout) << read.error.toStdString();
  EXPECT_EQ(read.layout->layoutRotation, 0);
  EXPECT_EQ(read.layout->ellipseRatio, 2.0);
  EXPECT_EQ(read.layout->nColumns, 1);
  EXPECT_EQ(read.layout->layoutShape[1][1], shape::ellipse);
}

TEST(LayoutFile, FlowConditionsRoundTripAndAFileWithoutThemIsClassic) {
  QTemporaryDir dir;
  auto m = makeModel();
  setStartupDefaults(m->layout, m->editing, m->view);
  const FlowConditions set{
      150, 0.08, BodyViscosity::uniform, TimeStepping::timeAccurate, 1, Dissipation::flowSpeed};
  const QString path = dir.filePath("flow.json");
  ASSERT_FALSE(saveLayoutFile(path, m->layout, set));
  EXPECT_EQ(readLayoutFile(path, m->layout).flow, set);
  // The classic conditions are not written, and read back as classic.
  EXPECT_FALSE(layoutJson(m->layout).contains("flow"));
  ASSERT_FALSE(saveLayoutFile(path, m->layout));
  EXPECT_EQ(readLayoutFile(path, m->layout).flow, FlowConditions{});
  // Keys left out keep their classic values.
  const QByteArray partial = R"({"whirlpane-layout": 1, "flow": {"mach": 0.02, "fineness": 1},
      "columns": [{"gap": 26, "spacing": 26, "bodies": [{"shape": "circle", "size": 9, "turn": 0}]}]})";
  const LayoutFileResult read = parseLayoutJson(partial, "a.json", m->layout);
  ASSERT_TRUE(read.layout) << read.error.toStdString();
  EXPECT_EQ(read.flow, (FlowConditions{100, 0.02, BodyViscosity::classic, TimeStepping::local}));
}

TEST(LayoutFile, TheChannelRoundTripsAndAFileWithoutItIsClassic) {
  auto m = makeModel();
  setStartupDefaults(m->layout, m->editing, m->view);
  LayoutParameters given = m->layout;
  given.channel = {true, 32.8, 16.125, 160, -0.4, ChannelInflow::parabolic, ChannelOutlet::whole};
  given.channel.ends = ChannelEnds::nonReflecting;
  given.channel.startTime = 2.5;
  const LayoutFileResult read = parseLayoutJson(layoutJson(given), "a.json", m->layout);
  ASSERT_TRUE(read.layout) << read.error.toStdString();
  EXPECT_EQ(read.layout->channel, given.channel);
  EXPECT_FALSE(layoutJson(m->layout).contains("channel")) << "the classic channel is not written";
  // A file without a channel is classic whatever the channel it is read over.
  const LayoutFileResult classic = parseLayoutJson(layoutJson(m->layout), "a.json", given);
  ASSERT_TRUE(classic.layout);
  EXPECT_EQ(classic.layout->channel, ChannelConditions{});
}

// ------------------------------------------------------------- bad files

namespace {

QJsonObject goodLayout() {
  const QJsonObject body{{"shape", "circle"}, {"size", 14}, {"turn", 0}};
  const QJsonObject column{{"gap", 26}, {"spacing", 26}, {"bodies", QJsonArray{body, body}}};
  return {{"whirlpane-layout", 1},
          {"arrangementTurn", 0},
          {"ellipseRatio", 2.0},
          {"columns", QJsonArray{column, column}}};
}

QByteArray bytes(const QJsonObject& o) {
  return QJsonDocument(o).toJson();
}

// The good layout with one value of body k of column c replaced.
QByteArray withBody(int c, int k, const QString& key, const QJsonValue& value) {
  QJsonObject o = goodLayout();
  QJsonArray columns = o["columns"].toArray();
  QJsonObject column = columns[c - 1].toObject();
  QJsonArray bodies = column["bodies"].toArray();
  QJsonObject body = bodies[k - 1].toObject();
  body[key] = value;
  bodies[k - 1] = body;
  column["bodies"] = bodies;
  columns[c - 1] = column;
  o["columns"] = columns;
  return bytes(o);
}
QByteArray withColumn(int c, const QString& key, const QJsonValue& value) {
  QJsonObject o = goodLayout();
  QJsonArray columns = o["columns"].toArray();
  QJsonObject column = columns[c - 1].toObject();
  column[key] = value;
  columns[c - 1] = column;
  o["columns"] = columns;
  return bytes(o);
}
QByteArray withTop(const QString& key, const QJsonValue& value) {
  QJsonObject o = goodLayout();
  o[key] = value;
  return bytes(o);
}
QByteArray withColumns(int n) {
  QJsonObject o = goodLayout();
  QJsonArray columns;
  for (int c = 0; c < n; ++c) columns.append(o["columns"].toArray()[0]);
  o["columns"] = columns;
  return bytes(o);
}

// The good layout with every occurrence of `from` replaced by `to`.
QByteArray replaced(const char* from, const char* to) {
  return bytes(goodLayout()).replace(from, to);
}

struct BadFile {
  const char* name;
  QByteArray content;
  const char* place;  // part of the message naming the place
  const char* reason; // part of the message giving the reason
};

const BadFile kBadFiles[] = {
    {"empty", "", "ファイル全体", "ファイルが空です"},
    {"blanks only", " \n\t ", "ファイル全体", "ファイルが空です"},
    {"syntax", "{\"whirlpane-layout\": 1,\n \"columns\": [}", "2 行", "JSON の書式"},
    {"truncated", bytes(goodLayout()).left(60), "行", "JSON の書式"},
    {"not UTF-8", withBody(1, 1, "shape", "circle").replace("circle", "ci\xff\xfele"), "行",
     "UTF-8"},
    {"top level array", "[1, 2]", "ファイル全体", "JSON のオブジェクトではありません"},
    {"a picture", QByteArray("\x89PNG\r\n\x1a\n", 8), "ファイル全体",
     "レイアウトファイルではありません"},
    {"a run summary", R"({"layout": "pt_1", "steps": 300})", "ファイル全体",
     "レイアウトファイルではありません"},
    {"version 2", withTop("whirlpane-layout", 2), "キー \"whirlpane-layout\"", "版は 1 だけ"},
    {"version as text", withTop("whirlpane-layout", "1"), "キー \"whirlpane-layout\"",
     "版は 1 だけ"},
    {"unknown top key", withTop("colour", 1), "キー \"colour\"", "知らないキー"},
    {"unknown column key", withColumn(2, "width", 3), "列 2 のキー \"width\"", "知らないキー"},
    {"unknown body key", withBody(1, 2, "angle", 3), "列 1 の物体 2 のキー \"angle\"",
     "知らないキー"},
    {"unknown key with a line break", withTop("co\nl\x01our", 1), "キー \"co\\nl\\u0001our\"",
     "知らないキー"},
    {"duplicate top key",
     replaced("\"arrangementTurn\": 0", "\"arrangementTurn\": 0, \"arrangementTurn\": 5"),
     "キー \"arrangementTurn\"", "二度ある"},
    {"duplicate column key", replaced("\"spacing\": 26", "\"spacing\": 26, \"spacing\": 27"),
     "列 1 のキー \"spacing\"", "二度ある"},
    {"duplicate body key", replaced("\"turn\": 0", "\"turn\": 0, \"turn\": 0"),
     "列 1 の物体 1 のキー \"turn\"", "二度ある"},
    {"too large", bytes(goodLayout()) + QByteArray(kLayoutFileSizeLimit, ' '), "ファイル全体",
     "大き過ぎます"},
    {"no columns", withColumns(0), "キー \"columns\"", "1 から 6 まで"},
    {"seven columns", withColumns(7), "キー \"columns\"", "1 から 6 まで"},
    {"columns not an array", withTop("columns", QJsonObject{}), "キー \"columns\"",
     "配列ではありません"},
    {"column not an object", withTop("columns", QJsonArray{3}), "列 1",
     "オブジェクトではありません"},
    {"six bodies", withColumn(1, "bodies", QJsonArray{1, 2, 3, 4, 5, 6}), "列 1 のキー \"bodies\"",
     "1 から 5 まで"},
    {"body not an object", withColumn(2, "bodies", QJsonArray{"circle"}), "列 2 の物体 1",
     "オブジェクトではありません"},
    {"gap too small", withColumn(1, "gap", 25), "列 1 のキー \"gap\"", "26 から 32 までの整数"},
    {"gap too large", withColumn(2, "gap", 33), "列 2 のキー \"gap\"", "26 から 32 までの整数"},
    {"spacing too small", withColumn(1, "spacing", 17), "列 1 のキー \"spacing\"", "18 から 40"},
    {"spacing too large", withColumn(1, "spacing", 41), "列 1 のキー \"spacing\"", "18 から 40"},
    {"spacing as text", withColumn(1, "spacing", "26"), "列 1 のキー \"spacing\"", "18 から 40"},
    {"size too small", withBody(2, 1, "size", 4), "列 2 の物体 1 のキー \"size\"",
     "5 から 20 までの整数"},
    {"size too large", withBody(2, 2, "size", 21), "列 2 の物体 2 のキー \"size\"", "5 から 20"},
    {"size not whole", withBody(1, 1, "size", 14.5), "列 1 の物体 1 のキー \"size\"", "5 から 20"},
    {"turn too large", withBody(1, 1, "turn", 1000001), "列 1 の物体 1 のキー \"turn\"",
     "-1000000 から 1000000"},
    {"turn not whole", withBody(1, 1, "turn", 0.5), "列 1 の物体 1 のキー \"turn\"",
     "-1000000 から 1000000"},
    {"shape unknown", withBody(1, 1, "shape", "hexagon"), "列 1 の物体 1 のキー \"shape\"",
     "circle、square"},
    {"shape as code", withBody(1, 1, "shape", 0), "列 1 の物体 1 のキー \"shape\"",
     "文字列ではありません"},
    {"missing size", withBody(1, 1, "size", QJsonValue()).replace("\"size\": null,", ""),
     "列 1 の物体 1 のキー \"size\"", "必要なキー"},
    {"ratio too small", withTop("ellipseRatio", 0.1), "キー \"ellipseRatio\"",
     "0.2 から 4 までの数"},
    {"ratio too large", withTop("ellipseRatio", 4.5), "キー \"ellipseRatio\"",
     "0.2 から 4 までの数"},
    {"arrangement turn as text", withTop("arrangementTurn", "0"), "キー \"arrangementTurn\"",
     "-1000000 から 1000000"},
    {"arrangement turn not whole", withTop("arrangementTurn", 1.5), "キー \"arrangementTurn\"",
     "-1000000 から 1000000"},
    {"reynolds too small", withTop("flow", QJsonObject{{"reynolds", 9}}),
     "\"flow\" のキー \"reynolds\"", "10 から 200 までの数"},
    {"body viscosity unknown", withTop("flow", QJsonObject{{"bodyViscosity", "double"}}),
     "\"flow\" のキー \"bodyViscosity\"", "classic、uniform"},
    {"fineness 5", withTop("flow", QJsonObject{{"fineness", 5}}), "\"flow\" のキー \"fineness\"",
     "1 から 4 までの整数"},
    {"flow-speed dissipation below Mach 0.05",
     withTop("flow", QJsonObject{{"mach", 0.04}, {"dissipation", "flow-speed"}}),
     "\"flow\" のキー \"dissipation\"", "マッハ数 0.05 以上"},
};

} // namespace

TEST(LayoutFile, BadFilesAreRefusedWithOneMessageAndChangeNothing) {
  StartedWindow s;
  QTemporaryDir dir;
  for (const BadFile& c : kBadFiles) {
    const QString path = dir.filePath(QString(c.name) + ".json");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(c.content);
    f.close();

    const LayoutParameters layout = s.m.layout;
    const auto grid = std::make_unique<decltype(s.m.grids.mainGrid)>(s.m.grids.mainGrid);
    const QImage picture = s.w.windowSurface().copy();
    s.messages.clear();
    EXPECT_FALSE(s.w.openLayoutFile(path)) << c.name;
    ASSERT_EQ(s.messages.size(), 1u) << c.name;
    const std::string& message = s.messages[0];
    EXPECT_NE(message.find(path.toStdString()), std::string::npos) << c.name << ": " << message;
    EXPECT_NE(message.find(c.place), std::string::npos) << c.name << ": " << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << c.name << ": " << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << c.name << ": not one line: " << message;
    EXPECT_TRUE(s.m.layout == layout) << c.name;
    EXPECT_TRUE(sameBits(*grid, s.m.grids.mainGrid)) << c.name;
    EXPECT_EQ(s.w.windowSurface(), picture) << c.name;
  }
}

TEST(LayoutFile, OnlyRegularFilesAreRead) {
  // A device that never ends, a FIFO nobody writes to and a folder are
  // refused at once, before anything is read.
  QTemporaryDir dir;
  const QString fifo = dir.filePath("fifo.json");
  ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  auto m = makeModel();
  setStartupDefaults(m->layout, m->editing, m->view);
  for (const QString& path : {QStringLiteral("/dev/zero"), fifo, dir.path()}) {
    const LayoutFileResult read = readLayoutFile(path, m->layout);
    EXPECT_FALSE(read.layout) << path.toStdString();
    EXPECT_TRUE(read.error.contains(QString::fromUtf8("通常のファイルではありません")))
        << read.error.toStdString();
  }
}

TEST(LayoutFile, ALayoutBeyondTheCapacityIsRefusedAsTheDialogRefusesIt) {
  StartedWindow s;
  // Thirty large ellipses of ratio 4 need more perimeter points than the
  // auxiliary arrays hold; the file itself is within its limits.
  QJsonObject o = goodLayout();
  const QJsonObject body{{"shape", "ellipse"}, {"size", 20}, {"turn", 0}};
  const QJsonObject column{
      {"gap", 26}, {"spacing", 40}, {"bodies", QJsonArray{body, body, body, body, body}}};
  o["columns"] = QJsonArray{column, column, column, column, column, column};
  o["ellipseRatio"] = 4.0;
  QTemporaryDir dir;
  const QString path = dir.filePath("large.json");
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes(o));
  f.close();

  const LayoutParameters layout = s.m.layout;
  const int bodyPerimeterPoints = s.m.grids.bodyPerimeterPoints;
  EXPECT_FALSE(s.w.openLayoutFile(path));
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_NE(s.messages[0].find("1775"), std::string::npos) << s.messages[0];
  EXPECT_TRUE(s.m.layout == layout);
  EXPECT_EQ(s.m.grids.bodyPerimeterPoints, bodyPerimeterPoints);
}

TEST(LayoutFile, ALayoutWhoseBodiesOverlapIsRefusedAsTheDialogRefusesIt) {
  // Ellipses of size 14 and ratio 4 in columns 26 apart reach into each other.
  StartedWindow s;
  QTemporaryDir dir;
  const QString path = dir.filePath("overlapping.json");
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(
      replaced("\"circle\"", "\"ellipse\"").replace("\"ellipseRatio\": 2", "\"ellipseRatio\": 4"));
  f.close();
  const LayoutParameters layout = s.m.layout;
  EXPECT_FALSE(s.w.openLayoutFile(path));
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_NE(s.messages[0].find("が重なっています"), std::string::npos) << s.messages[0];
  EXPECT_TRUE(s.m.layout == layout);
}

TEST(LayoutFile, TheMenuSavesAndOpensThroughTheFileDialogs) {
  StartedWindow s;
  QTemporaryDir dir;
  const QString path = dir.filePath("kept.json");
  s.w.chooseFile = [&](bool, const QString&) { return path; };
  s.w.findChild<QAction*>("pattern3Item")->trigger();
  s.w.findChild<QAction*>("KeepSaveAs")->trigger();
  ASSERT_TRUE(QFile::exists(path));
  const auto chosen = makeModel();
  *chosen = s.m; // a copy of the state the pattern made
  s.w.findChild<QAction*>("pattern1Item")->trigger();
  s.w.findChild<QAction*>("KeepOpen")->trigger();
  EXPECT_TRUE(s.messages.empty());
  expectSameGrids(*chosen, s.m, "pattern 3 kept and opened");
  // "保存" writes to the file last opened or saved, with nothing left beside it.
  s.w.findChild<QAction*>("pattern2Item")->trigger();
  s.w.chooseFile = nullptr;
  s.w.findChild<QAction*>("KeepSave")->trigger();
  const LayoutFileResult read = readLayoutFile(path, s.m.layout);
  ASSERT_TRUE(read.layout);
  EXPECT_EQ(read.layout->layoutShape[1][1], shape::square);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.json"});
}

TEST(LayoutFile, AFailedSaveGivesAMessageAndKeepsTheLayout) {
  StartedWindow s;
  QTemporaryDir dir;
  const QString path = dir.filePath("no such folder/kept.json");
  s.w.chooseFile = [&](bool, const QString&) { return path; };
  const LayoutParameters layout = s.m.layout;
  s.w.findChild<QAction*>("KeepSaveAs")->trigger();
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(
      s.messages[0].rfind("レイアウトファイル「" + path.toStdString() + "」を保存できません。", 0),
      0u)
      << s.messages[0];
  EXPECT_TRUE(s.m.layout == layout);
  EXPECT_FALSE(QFile::exists(path));
}

TEST(LayoutFile, SavingOverAFileReplacesItWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.json");
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray(100000, 'x')); // longer than any layout
  f.close();
  auto m = makeModel();
  setStartupDefaults(m->layout, m->editing, m->view);
  ASSERT_FALSE(saveLayoutFile(path, m->layout));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), layoutJson(m->layout));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.json"});
}

TEST(LayoutFile, TheFileMenuIsShownInTheEditingModeOnly) {
  StartedWindow s;
  QAction* keep = s.w.findChild<QMenu*>("Keep")->menuAction();
  EXPECT_TRUE(keep->isVisible());
  s.w.setControlMode(2);
  EXPECT_FALSE(keep->isVisible());
  s.w.setControlMode(3);
  EXPECT_FALSE(keep->isVisible());
  s.w.setControlMode(1);
  EXPECT_TRUE(keep->isVisible());
}

TEST(LayoutFile, ARatioStepAfterOpeningStepsFromTheFilesRatio) {
  // A ratio step starts from the ratio the layout now holds.
  StartedWindow s;
  QTemporaryDir dir;
  auto writeEllipses = [&](const char* name, double ratio) {
    QJsonObject o = goodLayout();
    // Small enough that the long ellipses stay clear of the next column.
    const QJsonObject body{{"shape", "ellipse"}, {"size", 6}, {"turn", 0}};
    const QJsonObject column{{"gap", 26}, {"spacing", 26}, {"bodies", QJsonArray{body, body}}};
    o["columns"] = QJsonArray{column, column};
    o["ellipseRatio"] = ratio;
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes(o));
    return dir.filePath(name);
  };
  const QString stepped = writeEllipses("stepped.json", 3.6);
  ASSERT_TRUE(s.w.openLayoutFile(stepped));
  const auto expected = makeModel();
  *expected = s.m; // the grids of ratio 3.6 made from a file

  ASSERT_EQ(s.edit("ratioEdit")->text(), "3.6") << "the field shows the file's ratio";
  ASSERT_TRUE(s.w.openLayoutFile(writeEllipses("opened.json", 3.4)));
  s.clickDialog("ratioUpButton");
  EXPECT_EQ(s.m.layout.ellipseRatio, 3.6);
  EXPECT_EQ(s.edit("ratioEdit")->text(), "3.6");
  EXPECT_TRUE(s.messages.empty());
  expectSameGrids(*expected, s.m, "a ratio step from an opened file's 3.4");
}
