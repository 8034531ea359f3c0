#include "CountText.h"

#include <QCoreApplication>

#include <cstdlib>

QString countedText(const char *context, const char *source_text, int n)
{
    QString text = QCoreApplication::translate(context, source_text, nullptr, n);
    // Untranslated, the text is the English source, whose "(s)" stands for the plural.
    return text.replace(QLatin1String("(s)"), n == 1 ? QString() : QStringLiteral("s"));
}

namespace {

QString counted(const char *source_text, int n)
{
    return countedText("CountText", source_text, n);
}

}  // namespace

QString pointsText(int points)
{
    // Qt would pick the form by the sign too (French would say "-5 point"), so it is
    // chosen by the size, and the signed number put in by hand.
    return counted(QT_TRANSLATE_N_NOOP("CountText", "%1 point(s)"), std::abs(points)).arg(points);
}

QString tricksText(int tricks)
{
    return counted(QT_TRANSLATE_N_NOOP("CountText", "%n trick(s)"), tricks);
}
