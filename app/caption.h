#pragma once

#include <QString>

// Title, " V", then major, minor and revision in plain decimal: "… V1.2.3".
QString applicationCaption(const QString &title, int major, int minor, int revision);
