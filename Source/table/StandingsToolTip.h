#pragma once

#include <QString>

// What "Name (3) - 2/4" means, as the tool tip of the table's labels and the panel's rows.
// Rich text, so that the name is shown as typed, never taken as markup.
QString standingsToolTip(const QString &name, int points, int tricks, int call);
// The same in plain words, for assistive technology.
QString standingsText(const QString &name, int points, int tricks, int call);
