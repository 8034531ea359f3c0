#pragma once

#include <QString>

// Numbers with their nouns, "1 point", "-2 points", "3 tricks", in the language's own plural
// forms (translated in the context "CountText"). The form follows the size of the number,
// so a loss reads as the gain of the same size would.
QString pointsText(int points);
QString tricksText(int tricks);

// A translated text (marked with QT_TRANSLATE_N_NOOP) in the plural form for n, with the
// English source's "(s)" read as that form.
QString countedText(const char *context, const char *source_text, int n);
