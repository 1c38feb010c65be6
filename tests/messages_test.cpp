// The message catalogue of the routines below the window: arguments land
// between the pieces, every message speaks English without Japanese
// characters, and the routines speak the language the window services name.
#include "core/messages.h"
#include "core/time_text.h"
#include "fake_window_services.h"
#include "layout/grid_making.h"
#include "recording_run_stages.h"
#include "run/run.h"

#include <gtest/gtest.h>

namespace {
// Whether a UTF-8 text holds a Japanese character: kana and the CJK symbols
// and ideographs (U+3000..U+9FFF, three-byte sequences led by E3..E9) or a
// full-width form (U+FF00..U+FFEF, led by EF BC..EF BF).
bool hasJapanese(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0xE3 && byte <= 0xE9) return true;
    if (byte == 0xEF && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0xBC)
      return true;
  }
  return false;
}
} // namespace

TEST(MessageCatalogue, ArgumentsGoBetweenThePiecesInEachLanguage) {
  const Message sample{{"「", "」と「", "」"}, {"", " and ", ""}};
  EXPECT_EQ(sample(Language::japanese, {"12", "x"}), "「12」と「x」");
  EXPECT_EQ(sample(Language::english, {"12", "x"}), "12 and x");
  const Message fixed{{"　渦"}, {"  Vortex"}};
  EXPECT_EQ(fixed(Language::japanese), "　渦");
  EXPECT_EQ(&fixed(Language::english), &fixed(Language::english)) << "a fixed text is made once";
}

TEST(MessageCatalogue, EveryMessageHasEnglishWithoutJapaneseAndTheSameArguments) {
  // The routines' own messages are linked in through the calls below.
  ASSERT_GE(Message::all().size(), 15u);
  for (const Message* m : Message::all()) {
    const int n = m->argumentCount(Language::japanese);
    EXPECT_EQ(m->argumentCount(Language::english), n);
    std::vector<std::string> args(n, "7");
    std::string japanese, english;
    if (n == 0) {
      japanese = (*m)(Language::japanese);
      english = (*m)(Language::english);
    } else {
      std::vector<std::string_view> views(args.begin(), args.end());
      // Rendered with up to five arguments, as the catalogue's messages have.
      ASSERT_LE(n, 5);
      auto render = [&](Language l) {
        switch (n) {
        case 1:
          return (*m)(l, {views[0]});
        case 2:
          return (*m)(l, {views[0], views[1]});
        case 3:
          return (*m)(l, {views[0], views[1], views[2]});
        case 4:
          return (*m)(l, {views[0], views[1], views[2], views[3]});
        default:
          return (*m)(l, {views[0], views[1], views[2], views[3], views[4]});
        }
      };
      japanese = render(Language::japanese);
      english = render(Language::english);
    }
    EXPECT_FALSE(hasJapanese(english)) << english << " (Japanese: " << japanese << ")";
    EXPECT_FALSE(english.empty()) << japanese;
  }
}

TEST(MessageCatalogue, ElapsedTimeInEnglishReadsAsHoursMinutesSeconds) {
  struct Case {
    std::uint32_t ms;
    const char* english;
  };
  const Case cases[] = {{125437, " 2 min 05.437 s"},
                        {5123, " 5.123 s"},
                        {60000, " 1 min 00.000 s"},
                        {3725004, " 1 h 02 min 05.004 s"},
                        {3605000, " 1 h 05.000 s"}};
  for (const Case& c : cases) {
    EXPECT_EQ(elapsedTimeText(Language::english, c.ms, 0), c.english) << c.ms;
    EXPECT_EQ(elapsedTimeText(Language::japanese, c.ms, 0), elapsedTicksText(c.ms, 0)) << c.ms;
  }
}

TEST(MessageCatalogue, RunInEnglishWritesEnglishStatusTexts) {
  auto m = makeModel();
  setStartupDefaults(m->layout, m->editing, m->view);
  FakeWindowServices ws;
  ws.textLanguage = Language::english;
  RecordingRunStages stages(*m, ws);
  ASSERT_TRUE(rebuildGrids(*m));
  // Stop during step 16: seen after step 20, whose text names that step.
  ws.onProcess = [&] { m->run.stopFlag = m->run.stepsDone >= 15; };
  runCalculation(*m, ws, stages);
  EXPECT_EQ(ws.statusPanel[1], "  Step 20 of 300");
  m->run.stepsDone = 300;
  m->run.runStartTick = 0;
  m->run.runEndTick = 5123;
  startRun(*m, ws, stages);
  EXPECT_EQ(ws.statusPanel[1], "  The calculation is complete.  Computing time: 5.123 s");
  for (const std::string& t : ws.statusTexts(1)) EXPECT_FALSE(hasJapanese(t)) << t;
}
