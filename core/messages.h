// The message catalogue of the routines below the window: every status text
// and modal message they compose, in each language the program speaks.
//
// A message is named by the constant that holds it (kTextPressureMap,
// runText::stepCount, ...) and rendered with its arguments in the language
// the window services ask for.  A message with arguments is written as the
// fixed pieces around them: piece 0, argument 1, piece 1, argument 2, ...;
// the arguments come in the same order in every language, already in text
// (whole numbers in plain decimal).  Japanese is the program's first language:
// its pieces are the texts the window has always shown, full-width blanks and
// all.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

enum class Language { japanese, english };
inline constexpr int kLanguageCount = 2;

class Message {
public:
  Message(std::initializer_list<const char*> japanese, std::initializer_list<const char*> english);
  ~Message();
  Message(const Message&) = delete;
  Message& operator=(const Message&) = delete;

  // A message without arguments.  The text is made once, so that a plot hands
  // it over without building a string.
  const std::string& operator()(Language language) const;
  // A message with its arguments between the pieces.
  std::string operator()(Language language,
                         std::initializer_list<std::string_view> arguments) const;

  // The number of arguments a language places (the same in every language).
  int argumentCount(Language language) const {
    return static_cast<int>(pieces_[static_cast<int>(language)].size()) - 1;
  }

  // Every message of the program that is linked in, for checking the
  // catalogue as a whole.  The program's messages are constants that live as
  // long as the program; a message made for a while leaves the list when it goes.
  static const std::vector<const Message*>& all();

private:
  std::array<std::vector<std::string>, kLanguageCount> pieces_;
};
