#pragma once

#include <QString>

// "乐乐儿童加减法 V1.0.4": title, " V", then major, minor and revision in plain decimal.
QString applicationCaption(const QString &title, int major, int minor, int revision);
