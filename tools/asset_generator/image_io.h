#pragma once

#include <QImage>
#include <QString>

// Stops the generator with a message; a half-written asset set is worse than none.
[[noreturn]] void fail(const QString &message);

// Baseline JPEG, quality 90, 72 dpi, JFIF 1.01, flattened onto white.
void writeJpeg(const QString &path, const QImage &image);

// RGBA PNG with its transparency kept.
void writePng(const QString &path, const QImage &image);

void writeFile(const QString &path, const QByteArray &bytes);
