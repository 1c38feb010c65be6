#include "core/messages.h"

#include <cassert>

namespace {
std::vector<const Message*>& registry() {
  static std::vector<const Message*> messages;
  return messages;
}
} // namespace

const std::vector<const Message*>& Message::all() {
  return registry();
}

Message::Message(std::initializer_list<const char*> japanese,
                 std::initializer_list<const char*> english)
    : pieces_{std::vector<std::string>(japanese.begin(), japanese.end()),
              std::vector<std::string>(english.begin(), english.end())} {
  // Every language places the same arguments.
  assert(pieces_[0].size() == pieces_[1].size() && !pieces_[0].empty());
  registry().push_back(this);
}

Message::~Message() {
  std::erase(registry(), this);
}

const std::string& Message::operator()(Language language) const {
  const auto& pieces = pieces_[static_cast<int>(language)];
  assert(pieces.size() == 1);
  return pieces.front();
}

std::string Message::operator()(Language language,
                                std::initializer_list<std::string_view> arguments) const {
  const auto& pieces = pieces_[static_cast<int>(language)];
  assert(arguments.size() + 1 == pieces.size());
  std::string text = pieces.front();
  auto piece = pieces.begin() + 1;
  for (std::string_view argument : arguments) {
    text += argument;
    if (piece != pieces.end()) text += *piece++;
  }
  return text;
}
