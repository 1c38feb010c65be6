#include "files/layout_file.h"

#include "files/file_error.h"
#include "files/layout_file_texts.h"
#include "files/save_file.h"
#include "layout/layout_editing.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

QString text(const char* utf8) {
  return QCoreApplication::translate("Whirlpane", utf8);
}

namespace key {
const QString version = QStringLiteral("whirlpane-layout");
const QString arrangementTurn = QStringLiteral("arrangementTurn");
const QString ellipseRatio = QStringLiteral("ellipseRatio");
const QString columns = QStringLiteral("columns");
const QString gap = QStringLiteral("gap");
const QString spacing = QStringLiteral("spacing");
const QString bodies = QStringLiteral("bodies");
const QString shape = QStringLiteral("shape");
const QString size = QStringLiteral("size");
const QString turn = QStringLiteral("turn");
const QString flow = QStringLiteral("flow");
const QString reynolds = QStringLiteral("reynolds");
const QString mach = QStringLiteral("mach");
const QString bodyViscosity = QStringLiteral("bodyViscosity");
const QString timeStepping = QStringLiteral("timeStepping");
const QString fineness = QStringLiteral("fineness");
const QString dissipation = QStringLiteral("dissipation");
const QString channel = QStringLiteral("channel");
const QString height = QStringLiteral("height");
const QString upstream = QStringLiteral("upstream");
const QString downstream = QStringLiteral("downstream");
const QString bodyOffset = QStringLiteral("bodyOffset");
const QString inflow = QStringLiteral("inflow");
const QString outlet = QStringLiteral("outlet");
const QString ends = QStringLiteral("ends");
const QString startTime = QStringLiteral("startTime");
} // namespace key

// Line and character (from 1) of a byte offset into the text.
QString lineAndColumn(const QByteArray& json, int offset) {
  int line = 1, column = 1;
  for (int i = 0; i < offset && i < json.size(); ++i) {
    if (json[i] == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(json[i]) & 0xC0) != 0x80) {
      ++column; // count characters, not the continuation bytes of UTF-8
    }
  }
  return text(LayoutFileText::lineColumn).arg(line).arg(column);
}

// A key as the file spells it, for a message on one line: a JSON string's
// content with its quotes, backslashes and control characters escaped (Qt's
// JSON writer escapes them).
QString escapedKey(const QString& key) {
  const QByteArray quoted = QJsonDocument(QJsonArray{key}).toJson(QJsonDocument::Compact);
  return QString::fromUtf8(quoted.mid(2, quoted.size() - 4)); // inside ["..."]
}

// The first key that appears twice in one object of a JSON text, with the
// column and body of the object (0 where the object is not one), found with
// the event parser of nlohmann-json: QJsonDocument keeps one of the two
// values without a word.
struct DuplicateKey {
  QString key;
  int column = 0, body = 0;
};

class DuplicateKeyScan : public nlohmann::json_sax<nlohmann::json> {
public:
  std::optional<DuplicateKey> found;

  bool key(string_t& name) override {
    Frame& object = frames_.back();
    if (!found && !object.keys.insert(name).second) {
      // Array indices along the path: the column, then the body.
      std::vector<int> indices;
      for (const Frame& f : frames_)
        if (f.isArray) indices.push_back(f.index);
      found = DuplicateKey{QString::fromStdString(name), indices.size() > 0 ? indices[0] : 0,
                           indices.size() > 1 ? indices[1] : 0};
    }
    return true;
  }
  bool start_object(std::size_t) override { return open(false); }
  bool end_object() override { return close(); }
  bool start_array(std::size_t) override { return open(true); }
  bool end_array() override { return close(); }
  bool null() override { return value(); }
  bool boolean(bool) override { return value(); }
  bool number_integer(number_integer_t) override { return value(); }
  bool number_unsigned(number_unsigned_t) override { return value(); }
  bool number_float(number_float_t, const string_t&) override { return value(); }
  bool string(string_t&) override { return value(); }
  bool binary(binary_t&) override { return value(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

private:
  struct Frame {
    bool isArray;
    int index = 0; // of the element in an array, from 1
    std::set<std::string> keys;
  };
  std::vector<Frame> frames_;

  bool value() {
    if (!frames_.empty() && frames_.back().isArray) ++frames_.back().index;
    return true;
  }
  bool open(bool isArray) {
    value();
    frames_.push_back(Frame{isArray, 0, {}});
    return true;
  }
  bool close() {
    frames_.pop_back();
    return true;
  }
};

std::optional<DuplicateKey> duplicateKey(const QByteArray& json) {
  DuplicateKeyScan scan;
  nlohmann::json::sax_parse(json.begin(), json.end(), &scan, nlohmann::json::input_format_t::json,
                            false);
  return scan.found;
}

// The checks of one file.  The first failure is kept; every check after it
// returns false at once, so the message names the first fault.
class LayoutReader {
public:
  explicit LayoutReader(const QString& fileName) : fileName_(fileName) {}

  QString error;

  bool fail(const QString& place, const QString& reason) {
    if (error.isEmpty()) error = text(LayoutFileText::refused).arg(fileName_, place, reason);
    return false;
  }

  // Only the given keys may appear; those in `required` must.
  bool keysKnown(const QJsonObject& o, std::initializer_list<QString> known,
                 std::initializer_list<QString> required, const auto& placeOf) {
    for (auto it = o.begin(); it != o.end(); ++it)
      if (std::find(known.begin(), known.end(), it.key()) == known.end())
        return fail(placeOf(escapedKey(it.key())), text(LayoutFileText::unknownKey));
    for (const QString& k : required)
      if (!o.contains(k)) return fail(placeOf(k), text(LayoutFileText::missing));
    return true;
  }

  bool wholeNumber(const QJsonValue& v, WholeRange range, const QString& place, int& out) {
    const double d = v.toDouble(std::nan(""));
    if (!v.isDouble() || d != std::floor(d) || d < range.low || d > range.high)
      return fail(place, text(LayoutFileText::wholeNumberRange).arg(range.low).arg(range.high));
    out = static_cast<int>(d);
    return true;
  }

  bool number(const QJsonValue& v, double low, double high, const QString& place, double& out) {
    const double d = v.toDouble(std::nan(""));
    if (!v.isDouble() || !(d >= low && d <= high))
      return fail(place, text(LayoutFileText::numberRange).arg(low).arg(high));
    out = d;
    return true;
  }

  bool array(const QJsonValue& v, WholeRange count, const QString& place, QJsonArray& out) {
    if (!v.isArray()) return fail(place, text(LayoutFileText::notArray));
    out = v.toArray();
    if (!count.contains(out.size()))
      return fail(place, text(LayoutFileText::countRange).arg(count.low).arg(count.high));
    return true;
  }

  bool object(const QJsonValue& v, const QString& place, QJsonObject& out) {
    if (!v.isObject()) return fail(place, text(LayoutFileText::notObject));
    out = v.toObject();
    return true;
  }

  bool shapeCode(const QJsonValue& v, const QString& place, int& out) {
    if (!v.isString()) return fail(place, text(LayoutFileText::notString));
    for (int code = 0; code < static_cast<int>(kLayoutShapeNames.size()); ++code)
      if (v.toString() == QLatin1String(kLayoutShapeNames[code])) {
        out = code;
        return true;
      }
    return fail(place, text(LayoutFileText::shapeName));
  }

  bool body(const QJsonValue& v, int c, int k, LayoutParameters& l) {
    const auto place = [c, k](const QString& name) {
      return text(LayoutFileText::bodyKey).arg(c).arg(k).arg(name);
    };
    QJsonObject o;
    return object(v, text(LayoutFileText::body).arg(c).arg(k), o) &&
           keysKnown(o, {key::shape, key::size, key::turn}, {key::shape, key::size, key::turn},
                     place) &&
           shapeCode(o[key::shape], place(key::shape), l.layoutShape[c][k]) &&
           wholeNumber(o[key::size], kSizeRange, place(key::size), l.layoutSize[c][k]) &&
           wholeNumber(o[key::turn], kTurnRange, place(key::turn), l.layoutAngle[c][k]);
  }

  bool column(const QJsonValue& v, int c, LayoutParameters& l) {
    const auto place = [c](const QString& name) {
      return text(LayoutFileText::columnKey).arg(c).arg(name);
    };
    QJsonObject o;
    QJsonArray bodies;
    if (!(object(v, text(LayoutFileText::column).arg(c), o) &&
          keysKnown(o, {key::gap, key::spacing, key::bodies}, {key::gap, key::spacing, key::bodies},
                    place) &&
          wholeNumber(o[key::gap], kGapRange, place(key::gap), l.columnGap[c]) &&
          wholeNumber(o[key::spacing], kSpacingRangeOneColumn, place(key::spacing),
                      l.columnSpacing[c]) &&
          array(o[key::bodies], kBodyCountRange, place(key::bodies), bodies)))
      return false;
    l.columnBodies[c] = static_cast<int>(bodies.size());
    for (int k = 1; k <= l.columnBodies[c]; ++k)
      if (!body(bodies[k - 1], c, k, l)) return false;
    return true;
  }

  bool document(const QJsonObject& o, LayoutParameters& l) {
    const auto place = [](const QString& name) { return text(LayoutFileText::topKey).arg(name); };
    // Another program's JSON (a run summary, say) is not a layout with faults.
    if (!o.contains(key::version))
      return fail(text(LayoutFileText::wholeFile), text(LayoutFileText::notLayout));
    QJsonArray columns;
    if (!keysKnown(o,
                   {key::version, key::arrangementTurn, key::ellipseRatio, key::columns, key::flow,
                    key::channel},
                   {key::version, key::columns}, place))
      return false;
    if (o[key::version] != QJsonValue(1))
      return fail(place(key::version), text(LayoutFileText::version));
    if (!(array(o[key::columns], kColumnCountRange, place(key::columns), columns))) return false;
    LayoutParameters startup = l;
    setStartupLayout(startup);
    l.layoutRotation = startup.layoutRotation;
    l.ellipseRatio = startup.ellipseRatio;
    int turn = 0;
    if (o.contains(key::arrangementTurn)) {
      if (!wholeNumber(o[key::arrangementTurn], kTurnRange, place(key::arrangementTurn), turn))
        return false;
      l.layoutRotation = turn;
    }
    if (o.contains(key::ellipseRatio) && !number(o[key::ellipseRatio], kRatioLow, kRatioHigh,
                                                 place(key::ellipseRatio), l.ellipseRatio))
      return false;
    l.nColumns = static_cast<int>(columns.size());
    for (int c = 1; c <= l.nColumns; ++c)
      if (!column(columns[c - 1], c, l)) return false;
    l.channel = {};
    return !o.contains(key::channel) || channel(o[key::channel], l.channel);
  }

  // The optional "channel" object: "height", "upstream" and "downstream"
  // together or not at all ("bodyOffset", 0 when left out, only with them);
  // "inflow", "outlet", "ends" and "startTime" on their own.
  bool channel(const QJsonValue& v, ChannelConditions& c) {
    const auto place = [](const QString& name) {
      return text(LayoutFileText::channelKey).arg(name);
    };
    QJsonObject o;
    if (!(object(v, text(LayoutFileText::topKey).arg(key::channel), o) &&
          keysKnown(o,
                    {key::height, key::upstream, key::downstream, key::bodyOffset, key::inflow,
                     key::outlet, key::ends, key::startTime},
                    {}, place)))
      return false;
    c.sized = o.contains(key::height) || o.contains(key::upstream) || o.contains(key::downstream) ||
              o.contains(key::bodyOffset);
    if (c.sized)
      for (const QString& k : {key::height, key::upstream, key::downstream})
        if (!o.contains(k)) return fail(place(k), text(LayoutFileText::missing));
    const auto length = [&](const QString& k, double& out) {
      return !o.contains(k) || number(o[k], kChannelLengthLow, kChannelLengthHigh, place(k), out);
    };
    return length(key::height, c.height) && length(key::upstream, c.upstream) &&
           length(key::downstream, c.downstream) &&
           (!o.contains(key::bodyOffset) ||
            number(o[key::bodyOffset], -kChannelLengthHigh, kChannelLengthHigh,
                   place(key::bodyOffset), c.bodyOffset)) &&
           (!o.contains(key::inflow) ||
            choice(o[key::inflow], kChannelInflowNames, LayoutFileText::inflowName,
                   place(key::inflow), c.inflow)) &&
           (!o.contains(key::outlet) ||
            choice(o[key::outlet], kChannelOutletNames, LayoutFileText::outletName,
                   place(key::outlet), c.outlet)) &&
           (!o.contains(key::ends) || choice(o[key::ends], kChannelEndsNames,
                                             LayoutFileText::endsName, place(key::ends), c.ends)) &&
           (!o.contains(key::startTime) ||
            number(o[key::startTime], 0, kStartTimeHigh, place(key::startTime), c.startTime));
  }

  // One of the names `names` (a choice of the flow conditions); `reason`
  // lists them.
  template <typename Choice, std::size_t N>
  bool choice(const QJsonValue& v, const char* const (&names)[N], const char* reason,
              const QString& place, Choice& out) {
    if (!v.isString()) return fail(place, text(LayoutFileText::notString));
    for (std::size_t k = 0; k < N; ++k)
      if (v.toString() == QLatin1String(names[k])) {
        out = static_cast<Choice>(k);
        return true;
      }
    return fail(place, text(reason));
  }

  // The optional "flow" object; missing keys keep the classic values.
  bool flow(const QJsonValue& v, FlowConditions& f) {
    const auto place = [](const QString& name) { return text(LayoutFileText::flowKey).arg(name); };
    QJsonObject o;
    if (!(object(v, text(LayoutFileText::topKey).arg(key::flow), o) &&
          keysKnown(o,
                    {key::reynolds, key::mach, key::bodyViscosity, key::timeStepping, key::fineness,
                     key::dissipation},
                    {}, place)))
      return false;
    return (!o.contains(key::reynolds) || number(o[key::reynolds], kReynoldsLow, kReynoldsHigh,
                                                 place(key::reynolds), f.reynolds)) &&
           (!o.contains(key::mach) ||
            number(o[key::mach], kMachLow, kMachHigh, place(key::mach), f.mach)) &&
           (!o.contains(key::bodyViscosity) ||
            choice(o[key::bodyViscosity], kBodyViscosityNames, LayoutFileText::bodyViscosityName,
                   place(key::bodyViscosity), f.bodyViscosity)) &&
           (!o.contains(key::timeStepping) ||
            choice(o[key::timeStepping], kTimeSteppingNames, LayoutFileText::timeSteppingName,
                   place(key::timeStepping), f.timeStepping)) &&
           (!o.contains(key::fineness) ||
            wholeNumber(o[key::fineness], {kFinenessLow, kFinenessHigh}, place(key::fineness),
                        f.fineness)) &&
           (!o.contains(key::dissipation) ||
            choice(o[key::dissipation], kDissipationNames, LayoutFileText::dissipationName,
                   place(key::dissipation), f.dissipation)) &&
           (dissipationFitsMach(f) ||
            fail(place(key::dissipation),
                 text(LayoutFileText::dissipationMach).arg(kFlowSpeedDissipationMachLow)));
  }

private:
  QString fileName_;
};

} // namespace

QByteArray layoutJson(const LayoutParameters& l, const FlowConditions& flow) {
  QJsonArray columns;
  for (int c = 1; c <= l.nColumns; ++c) {
    QJsonArray bodies;
    for (int k = 1; k <= l.columnBodies[c]; ++k)
      bodies.append(
          QJsonObject{{key::shape, QLatin1String(kLayoutShapeNames.at(l.layoutShape[c][k]))},
                      {key::size, l.layoutSize[c][k]},
                      {key::turn, l.layoutAngle[c][k]}});
    columns.append(QJsonObject{
        {key::gap, l.columnGap[c]}, {key::spacing, l.columnSpacing[c]}, {key::bodies, bodies}});
  }
  // Qt writes doubles in the shortest form that reads back to the same
  // value, so the ratio survives the round trip bit for bit.
  QJsonObject root{{key::version, 1},
                   {key::arrangementTurn, l.layoutRotation},
                   {key::ellipseRatio, l.ellipseRatio},
                   {key::columns, columns}};
  if (flow != FlowConditions{})
    root[key::flow] = QJsonObject{{key::reynolds, flow.reynolds},
                                  {key::mach, flow.mach},
                                  {key::bodyViscosity, QLatin1String(nameOf(flow.bodyViscosity))},
                                  {key::timeStepping, QLatin1String(nameOf(flow.timeStepping))},
                                  {key::fineness, flow.fineness},
                                  {key::dissipation, QLatin1String(nameOf(flow.dissipation))}};
  const ChannelConditions& channel = l.channel;
  if (channel != ChannelConditions{}) {
    QJsonObject o{{key::inflow, QLatin1String(nameOf(channel.inflow))},
                  {key::outlet, QLatin1String(nameOf(channel.outlet))}};
    if (channel.ends != ChannelEnds::reflecting) o[key::ends] = QLatin1String(nameOf(channel.ends));
    if (channel.startTime != 0) o[key::startTime] = channel.startTime;
    if (channel.sized) {
      o[key::height] = channel.height;
      o[key::upstream] = channel.upstream;
      o[key::downstream] = channel.downstream;
      o[key::bodyOffset] = channel.bodyOffset;
    }
    root[key::channel] = o;
  }
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

LayoutFileResult parseLayoutJson(const QByteArray& json, const QString& fileName,
                                 const LayoutParameters& base) {
  LayoutReader reader(fileName);
  const QString whole = text(LayoutFileText::wholeFile);
  if (json.trimmed().isEmpty()) {
    reader.fail(whole, text(LayoutFileText::empty));
    return {std::nullopt, reader.error};
  }
  // A text that does not begin as JSON does is some other kind of file (a
  // picture, the fields) rather than a layout with a fault.
  const QByteArray start = json.trimmed().left(1);
  if (start != "{" && start != "[") {
    reader.fail(whole, text(LayoutFileText::notLayout));
    return {std::nullopt, reader.error};
  }
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    const bool utf8 = parseError.error == QJsonParseError::IllegalUTF8String;
    reader.fail(lineAndColumn(json, parseError.offset),
                text(utf8 ? LayoutFileText::notUtf8 : LayoutFileText::syntax));
    return {std::nullopt, reader.error};
  }
  if (!doc.isObject()) {
    reader.fail(whole, text(LayoutFileText::notObject));
    return {std::nullopt, reader.error};
  }
  if (const std::optional<DuplicateKey> twice = duplicateKey(json)) {
    const QString key = escapedKey(twice->key);
    reader.fail(twice->body > 0
                    ? text(LayoutFileText::bodyKey).arg(twice->column).arg(twice->body).arg(key)
                : twice->column > 0 ? text(LayoutFileText::columnKey).arg(twice->column).arg(key)
                                    : text(LayoutFileText::topKey).arg(key),
                text(LayoutFileText::duplicateKey));
    return {std::nullopt, reader.error};
  }
  LayoutParameters layout = base;
  if (!reader.document(doc.object(), layout)) return {std::nullopt, reader.error};
  FlowConditions flow;
  if (doc.object().contains(key::flow) && !reader.flow(doc.object()[key::flow], flow))
    return {std::nullopt, reader.error};
  return {layout, {}, flow};
}

LayoutFileResult readLayoutFile(const QString& path, const LayoutParameters& base) {
  LayoutReader reader(path);
  const QString whole = text(LayoutFileText::wholeFile);
  // Only a regular file is opened: a device never ends (/dev/zero) and a
  // FIFO blocks the window until someone writes to it.
  QFile file(path);
  if (QFileInfo(path).exists() && !QFileInfo(path).isFile()) {
    reader.fail(whole, text(LayoutFileText::notRegularFile));
    return {std::nullopt, reader.error};
  }
  if (!file.open(QIODevice::ReadOnly)) {
    reader.fail(whole, fileErrorReason(path, FileAccess::read, file.errorString()));
    return {std::nullopt, reader.error};
  }
  const QByteArray json = file.read(kLayoutFileSizeLimit + 1);
  if (json.size() > kLayoutFileSizeLimit) {
    reader.fail(whole, text(LayoutFileText::tooLarge).arg(kLayoutFileSizeLimit));
    return {std::nullopt, reader.error};
  }
  return parseLayoutJson(json, path, base);
}

std::optional<QString> saveLayoutFile(const QString& path, const LayoutParameters& layout,
                                      const FlowConditions& flow) {
  const std::optional<QString> failure = saveFileWhole(path, layoutJson(layout, flow));
  if (!failure) return std::nullopt;
  return text(LayoutFileText::notSaved)
      .arg(path, fileErrorReason(path, FileAccess::write, *failure));
}
