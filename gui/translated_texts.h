// The texts of one window in the interface's language.  A window binds each
// text a control shows to its Japanese source text once, where it makes the
// control; the binding sets the text at once, and apply() sets every bound
// text again in the language the interface speaks now.  A window's
// retranslateUi() calls apply() when the language changes, so that every
// text is written in one place, whichever language shows it.
#pragma once

#include "gui/language.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

class TranslatedTexts {
public:
  // Runs set now and at every apply() while owner lives: set writes texts
  // that are more than one translated text (a tooltip with its key, a
  // caption placed by its width).
  void add(QObject* owner, std::function<void()> set) {
    set();
    texts_.emplace_back(owner, std::move(set));
  }
  // object->setter(the translation of japanese), now and at every apply().
  template <class Object, class Base>
  void bind(Object* object, void (Base::*setter)(const QString&), const char* japanese) {
    add(object, [object, setter, japanese] { (object->*setter)(uiText(japanese)); });
  }
  void apply() const {
    for (const auto& [owner, set] : texts_)
      if (owner) set();
  }

private:
  std::vector<std::pair<QPointer<QObject>, std::function<void()>>> texts_;
};
