#pragma once

#include <QString>

// A player's name as it goes into a line with other fields, such as "Name (pts) - t/c".
// A name holding right-to-left letters (or direction controls) would otherwise pull the
// neighbouring numbers and brackets into its own direction and turn the line around;
// such a name is wrapped in directional isolates (U+2068 ... U+2069). Qt 6.4 still takes
// the direction of the whole line from the first letter inside the isolate, so the
// wrapped name also starts with the application's direction mark (U+200E or U+200F).
// Other names come back unchanged, so left-to-right text is exactly as typed.
QString isolatedName(const QString &name);
// The name, isolated as above, for rich text: shown as typed, never taken as markup.
QString richName(const QString &name);
