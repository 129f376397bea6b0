#include "caption.h"

QString applicationCaption(const QString &title, int major, int minor, int revision)
{
    return QStringLiteral("%1 V%2.%3.%4").arg(title).arg(major).arg(minor).arg(revision);
}
