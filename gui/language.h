// The language of the interface.  Japanese is the program's first language:
// its texts are the source texts of the translations, and the windows show
// them unchanged while Japanese is chosen.  English comes from the program's
// translation file (ui/translations/whirlpane_en.ts, built into the program),
// the toolkit's own texts are then its English ones, and the interface font
// is the platform's default.
//
// The choice takes effect at the next start: the windows read their texts
// when they are made.  It is remembered in the program's settings and can be
// given for one start on the command line (--lang en, --lang ja).
#pragma once

#include "core/messages.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class QAction;
class QMenu;

// The language the interface speaks now.
Language interfaceLanguage();

// The interface text for one of the program's Japanese texts (UTF-8): the text
// itself in Japanese, its translation in English.
QString uiText(const char* japanese);

// Makes a language the interface's for windows made from now on: the
// program's translation, the toolkit's own texts and the application font.
void applyLanguage(Language language);

// The language of this start: --lang en / --lang ja on the command line,
// otherwise the remembered choice, otherwise Japanese.  An unknown value is
// reported on the standard error and ignored.
Language startLanguage(const QStringList& arguments);

// The choice remembered for the next start.
Language rememberedLanguage();
void rememberLanguage(Language language);

// Adds the item that chooses the language of the next start to a menu.  Its
// caption names the other language in that language ("English" / "日本語");
// choosing it remembers that language and says so through tell (a modal
// message in the chosen language), and the caption turns to the language of
// this start, so that the choice can be taken back.
QAction* addLanguageItem(QMenu* menu, std::function<void(const std::string&)> tell);
