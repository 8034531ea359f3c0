#include "IsolatedName.h"

#include <QGuiApplication>

namespace {

bool affectsOrder(QChar ch)
{
    switch (ch.direction()) {
    case QChar::DirL:
    case QChar::DirEN:
    case QChar::DirES:
    case QChar::DirET:
    case QChar::DirCS:
    case QChar::DirNSM:
    case QChar::DirBN:
    case QChar::DirB:
    case QChar::DirS:
    case QChar::DirWS:
    case QChar::DirON:
        return false;
    default:  // R, AL, AN and the explicit embeddings, overrides and isolates
        return true;
    }
}

}  // namespace

QString isolatedName(const QString &name)
{
    for (const QChar ch : name) {
        if (affectsOrder(ch))
            return QString(QChar(QGuiApplication::isRightToLeft() ? 0x200f : 0x200e))
                   + QChar(0x2068) + name + QChar(0x2069);
    }
    return name;
}

QString richName(const QString &name)
{
    return isolatedName(name).toHtmlEscaped();
}
