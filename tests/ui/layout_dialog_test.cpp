#include "ui_fixture.h"

#include "ui/number_text.h"

#include <QAbstractButton>
#include <QLocale>

#include <clocale>
#include <functional>

namespace {

void chooseColumnMode(StartedWindow& s) {
  s.w.layoutDialog().findChild<QAbstractButton*>("selectedColumnChoice")->click();
}

// One step button pressed far beyond its limit, in one of the two modes.
struct LimitCase {
  const char* what;
  const char* button;
  int presses;
  bool columnMode;
  std::function<double(const Model&, int column)> value;
  double limit;
  const char* field; // the field that shows the selected column's value
};

const LimitCase limitCases[] = {
    {"count up", "addBodyButton", 6, false,
     [](const Model& m, int c) { return m.layout.columnBodies[c]; }, 5, "bodyCountEdit"},
    {"count down", "removeBodyButton", 6, false,
     [](const Model& m, int c) { return m.layout.columnBodies[c]; }, 1, "bodyCountEdit"},
    {"spacing up", "spacingUpButton", 16, false,
     [](const Model& m, int c) { return m.layout.columnSpacing[c]; }, 40, "spacingEdit"},
    {"spacing down", "spacingDownButton", 6, false,
     [](const Model& m, int c) { return m.layout.columnSpacing[c]; }, 22, "spacingEdit"},
    {"size up", "sizeUpButton", 8, false,
     [](const Model& m, int c) { return m.layout.layoutSize[c][1]; }, 20, "sizeEdit"},
    {"size down", "sizeDownButton", 11, false,
     [](const Model& m, int c) { return m.layout.layoutSize[c][1]; }, 5, "sizeEdit"},
    {"count up", "addBodyButton", 6, true,
     [](const Model& m, int c) { return m.layout.columnBodies[c]; }, 5, "bodyCountEdit"},
    {"count down", "removeBodyButton", 6, true,
     [](const Model& m, int c) { return m.layout.columnBodies[c]; }, 1, "bodyCountEdit"},
    {"spacing up", "spacingUpButton", 16, true,
     [](const Model& m, int c) { return m.layout.columnSpacing[c]; }, 40, "spacingEdit"},
    {"spacing down", "spacingDownButton", 10, true,
     [](const Model& m, int c) { return m.layout.columnSpacing[c]; }, 18, "spacingEdit"},
    {"size up", "sizeUpButton", 8, true,
     [](const Model& m, int c) { return m.layout.layoutSize[c][1]; }, 20, "sizeEdit"},
    {"size down", "sizeDownButton", 11, true,
     [](const Model& m, int c) { return m.layout.layoutSize[c][1]; }, 5, "sizeEdit"},
    // Turns have no limit: three presses are three degrees.
    {"turn up", "turnUpButton", 3, false,
     [](const Model& m, int c) { return m.layout.layoutAngle[c][1]; }, 3, "turnEdit"},
    {"turn down", "turnDownButton", 3, true,
     [](const Model& m, int c) { return m.layout.layoutAngle[c][1]; }, -3, "turnEdit"},
};

} // namespace

TEST(LayoutDialogLimits, StepButtonsStopAtTheirLimitsInBothModes) {
  for (const LimitCase& c : limitCases) {
    StartedWindow s;
    const std::string label = std::string(c.what) + (c.columnMode ? " (column)" : " (whole)");
    if (c.columnMode) chooseColumnMode(s);
    const auto before = std::make_unique<Model>(s.m); // tens of MB: not on the stack
    s.clickDialog(c.button, c.presses);
    ASSERT_TRUE(s.messages.empty()) << label;
    EXPECT_EQ(c.value(s.m, 1), c.limit) << label;
    EXPECT_EQ(s.edit(c.field)->text(), QString::number(c.limit)) << label;
    for (int col = 2; col <= s.m.layout.nColumns; ++col) {
      const double expected = c.columnMode ? c.value(*before, col) : c.limit;
      EXPECT_EQ(c.value(s.m, col), expected) << label << " column " << col;
    }
    // The picture follows every change.
    const QImage image = s.grabbed();
    for (int b = 1; b <= s.m.grids.nBodies; ++b) {
      if (!c.columnMode || b <= s.m.layout.columnBodies[1]) {
        EXPECT_EQ(s.bodyColour(image, b), kRedPixel) << label << " body " << b;
      }
    }
  }
}

TEST(LayoutDialogLimits, ColumnsRatioAndTurns) {
  StartedWindow s;
  s.clickDialog("addColumnButton", 3);
  EXPECT_EQ(s.m.layout.nColumns, 6);
  EXPECT_EQ(s.edit("columnCountEdit")->text(), "6");
  s.clickDialog("removeColumnButton", 7);
  EXPECT_EQ(s.m.layout.nColumns, 1);
  EXPECT_EQ(s.m.grids.nBodies, 3);

  s.clickDialog("ratioUpButton", 12);
  EXPECT_DOUBLE_EQ(s.m.layout.ellipseRatio, 4.0);
  EXPECT_EQ(s.edit("ratioEdit")->text(), "4");
  s.clickDialog("ratioDownButton", 25);
  EXPECT_DOUBLE_EQ(s.m.layout.ellipseRatio, 0.2);
  EXPECT_EQ(s.edit("ratioEdit")->text(), "0.2");
  s.clickDialog("ratioUpButton");
  EXPECT_EQ(s.edit("ratioEdit")->text(), "0.4") << "shortest decimal form";

  // Turns step freely within their range (the ends are tested apart).
  s.edit("turnEdit")->setText("369");
  s.clickDialog("turnUpButton");
  EXPECT_EQ(s.m.layout.layoutAngle[1][1], 370);
  EXPECT_EQ(s.edit("turnEdit")->text(), "370");
  s.clickDialog("turnDownButton", 2);
  EXPECT_EQ(s.m.layout.layoutAngle[1][3], 368);
  s.clickDialog("arrangementTurnUpButton", 3);
  s.clickDialog("arrangementTurnDownButton");
  EXPECT_DOUBLE_EQ(s.m.layout.layoutRotation, 2);
  EXPECT_EQ(s.edit("arrangementTurnEdit")->text(), "2");
  EXPECT_TRUE(s.messages.empty());
}

TEST(LayoutDialogEdits, AddingABodyCopiesTheTopBodyOfItsColumn) {
  StartedWindow s;
  chooseColumnMode(s);
  s.m.layout.layoutSize[1][3] = 17;
  s.m.layout.layoutShape[1][3] = shape::square;
  s.clickDialog("addBodyButton");
  EXPECT_EQ(s.m.layout.columnBodies[1], 4);
  EXPECT_EQ(s.m.layout.layoutSize[1][4], 17);
  EXPECT_EQ(s.m.layout.layoutShape[1][4], shape::square);
  EXPECT_EQ(s.m.layout.columnBodies[2], 2) << "other columns untouched";
}

TEST(LayoutDialogEdits, AddingAColumnCopiesTheLastColumnsFirstBody) {
  StartedWindow s;
  s.m.layout.layoutSize[5][1] = 11;
  s.m.layout.layoutAngle[5][1] = 30;
  s.clickDialog("addColumnButton");
  EXPECT_EQ(s.m.layout.nColumns, 6);
  for (int k = 1; k <= 5; ++k) {
    EXPECT_EQ(s.m.layout.layoutSize[6][k], 11);
    EXPECT_EQ(s.m.layout.layoutAngle[6][k], 30);
  }
  EXPECT_EQ(s.m.layout.columnBodies[6], 2) << "column 5 (3) differs from column 4 (2): count kept";
}

TEST(LayoutDialogEdits, RemovingColumnsMovesTheSelection) {
  StartedWindow s;
  s.m.editing.selectedColumn = 5;
  s.clickDialog("removeColumnButton", 2);
  EXPECT_EQ(s.m.layout.nColumns, 3);
  EXPECT_EQ(s.m.editing.selectedColumn, 3);
}

TEST(LayoutDialogEdits, ShapeChoiceShowsTheRatioOnlyForEllipses) {
  StartedWindow s;
  auto ratioShown = [&] {
    return s.edit("ratioEdit")->isVisible() && s.dialogButton("ratioUpButton")->isVisible();
  };
  EXPECT_FALSE(ratioShown());
  s.w.layoutDialog().findChild<QAbstractButton*>("ellipseChoice")->click();
  EXPECT_TRUE(ratioShown());
  for (int b = 1; b <= s.m.grids.nBodies; ++b) EXPECT_EQ(s.m.grids.bodyShape[b], shape::ellipse);
  s.w.layoutDialog().findChild<QAbstractButton*>("triangleChoice")->click();
  EXPECT_FALSE(ratioShown());
  EXPECT_EQ(s.m.grids.bodyShape[13], shape::triangle);
  // In the column mode only the selected column takes the shape.
  chooseColumnMode(s);
  s.w.layoutDialog().findChild<QAbstractButton*>("plateChoice")->click();
  for (int b = 1; b <= s.m.grids.nBodies; ++b)
    EXPECT_EQ(s.m.grids.bodyShape[b], b <= 3 ? shape::plate : shape::triangle) << "body " << b;
}

TEST(LayoutDialogEdits, TypedSizeOrTurnThatIsNotAWholeNumberChangesNothing) {
  for (const char* field : {"sizeEdit", "turnEdit"})
    for (const char* typed : {"abc", "1.5", "", "12abc", "99999999999", "1,0"}) {
      StartedWindow s;
      const QImage before = s.grabbed();
      const int sizeWas = s.m.layout.layoutSize[1][1], angle = s.m.layout.layoutAngle[1][1];
      s.edit(field)->setText(QString::fromUtf8(typed));
      const bool size = field == std::string("sizeEdit");
      s.clickDialog(size ? "sizeUpButton" : "turnUpButton");
      ASSERT_EQ(s.messages.size(), 1u) << typed;
      EXPECT_NE(s.messages[0].find(typed), std::string::npos) << s.messages[0];
      EXPECT_EQ(s.m.layout.layoutSize[1][1], sizeWas);
      EXPECT_EQ(s.m.layout.layoutAngle[1][1], angle);
      EXPECT_EQ(s.edit(field)->text(), QString::number(size ? sizeWas : angle))
          << typed << ": the field shows the value in force again";
      EXPECT_EQ(s.grabbed(), before) << typed;
    }
}

TEST(LayoutDialogEdits, AStepThatMakesBodiesOverlapIsRefusedAndTheFieldsShowTheLayoutKept) {
  // Ellipses stretched step by step until they reach into the next column:
  // that step is refused with a message naming the bodies.
  StartedWindow s;
  s.w.layoutDialog().findChild<QAbstractButton*>("ellipseChoice")->click();
  ASSERT_TRUE(s.messages.empty());
  for (int step = 0; step < 10 && s.messages.empty(); ++step) s.clickDialog("ratioUpButton");
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_NE(s.messages[0].find("が重なっています"), std::string::npos) << s.messages[0];
  EXPECT_EQ(s.edit("ratioEdit")->text(), shortestDecimal(s.m.layout.ellipseRatio))
      << "the ratio kept";
  EXPECT_LT(s.m.layout.ellipseRatio, 4.0);
}

TEST(LayoutDialogEdits, TypedNumbersAreReadWhateverTheLocaleAndWidth) {
  StartedWindow s;
  s.edit("sizeEdit")->setText(QString::fromUtf8("１２")); // typed through a Japanese input method
  s.clickDialog("sizeUpButton");
  EXPECT_EQ(s.m.layout.layoutSize[1][1], 13);
  s.edit("turnEdit")->setText(QString::fromUtf8("－４５"));
  s.clickDialog("turnUpButton");
  EXPECT_EQ(s.m.layout.layoutAngle[1][1], -44);
  // A typed size outside 5..20 is brought into the range, never past it.
  for (const char* typed : {"-50", "300"}) {
    s.edit("sizeEdit")->setText(typed);
    s.clickDialog("sizeDownButton");
    EXPECT_GE(s.m.layout.layoutSize[1][1], 5) << typed;
    EXPECT_LE(s.m.layout.layoutSize[1][1], 20) << typed;
  }
  EXPECT_TRUE(s.messages.empty());
}

TEST(NumberText, ShortestDecimalAndLocaleFreeReading) {
  EXPECT_EQ(shortestDecimal(2.0), "2");
  EXPECT_EQ(shortestDecimal(1.8 + 0.2), "2");
  EXPECT_EQ(shortestDecimal(1.609), "1.609");
  EXPECT_EQ(shortestDecimal(0.2 + 0.2 + 0.2), "0.6");
  EXPECT_EQ(shortestDecimal(-3), "-3");
  // Under a German C library and Qt locale "1.5" is still one and a half.
  const std::string savedC = std::setlocale(LC_NUMERIC, nullptr);
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  const QLocale savedQt;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(parseRealNumber("1.5"), 1.5);
  EXPECT_EQ(parseRealNumber(QString::fromUtf8("１．５")), 1.5);
  EXPECT_EQ(parseRealNumber("1,5"), std::nullopt);
  EXPECT_EQ(parseRealNumber("nan"), std::nullopt);
  EXPECT_EQ(parseRealNumber("inf"), std::nullopt);
  EXPECT_EQ(parseWholeNumber(QString::fromUtf8(" ２０ ")), 20);
  EXPECT_EQ(parseWholeNumber("2147483648"), std::nullopt);
  EXPECT_EQ(shortestDecimal(2.5), "2.5");
  QLocale::setDefault(savedQt);
  std::setlocale(LC_NUMERIC, savedC.c_str());
}

TEST(LayoutDialogCapacity, RefusedLayoutKeepsLayoutGridsAndPicture) {
  StartedWindow s;
  // Thirty ellipses, ratio 4, size 20 need more perimeter indices than the
  // arrays hold: somewhere on the way the guard refuses.
  s.w.layoutDialog().findChild<QAbstractButton*>("ellipseChoice")->click();
  s.clickDialog("ratioUpButton", 10);
  s.clickDialog("addColumnButton", 1);
  s.clickDialog("sizeUpButton", 6);
  s.clickDialog("addBodyButton", 2);
  // (Some of those steps packed the ellipses into each other and were
  // refused for that; the walk starts from the layout kept.)
  s.messages.clear();
  int presses = 0;
  while (s.messages.empty() && presses < 12) {
    const auto kept = std::make_unique<Model>(s.m);
    const Model& before = *kept;
    const QImage picture = s.grabbed();
    const QString count = s.edit("bodyCountEdit")->text(), size = s.edit("sizeEdit")->text();
    s.clickDialog(presses % 2 ? "addColumnButton" : "sizeUpButton");
    ++presses;
    if (s.messages.empty()) continue;
    EXPECT_EQ(s.m.layout.nColumns, before.layout.nColumns);
    EXPECT_EQ(s.m.layout.layoutSize, before.layout.layoutSize);
    EXPECT_EQ(s.m.layout.columnBodies, before.layout.columnBodies);
    EXPECT_EQ(s.m.grids.bodyPerimeterPoints, before.grids.bodyPerimeterPoints);
    EXPECT_EQ(s.m.grids.mainNx, before.grids.mainNx);
    EXPECT_EQ(s.m.grids.bodyGrid[2][1][1].bodyGridX, before.grids.bodyGrid[2][1][1].bodyGridX);
    EXPECT_EQ(s.edit("columnCountEdit")->text(), QString::number(before.layout.nColumns));
    EXPECT_EQ(s.edit("bodyCountEdit")->text(), count);
    EXPECT_EQ(s.edit("sizeEdit")->text(), size);
    EXPECT_EQ(s.grabbed(), picture);
  }
  EXPECT_EQ(s.messages.size(), 1u) << "the guard refused one of the steps";
}
