#pragma once

#include <QLocale>
#include <QString>

// Installs the program's translation for the first of the locale's languages that has
// one, with Qt's own translation for that language when the system has it (buttons,
// context menus). Call once the application object exists and before any window is
// built; a later call replaces what an earlier one installed. English is the language
// of the source, so it needs no file, and a language without a translation leaves the
// program in English. Returns the installed language ("de", "fr"), or "" for English.
QString installTranslations(const QLocale &locale = QLocale::system());
