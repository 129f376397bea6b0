#pragma once

#include <QString>

// The picture files under the folder img beside the executable.
namespace feedback {

QString okPicture(const QString &folder);    // right answer
QString errPicture(const QString &folder);   // wrong answer
QString whitePicture(const QString &folder); // a unit counted away

// Picture n of set k (1 to 3), e.g. img/2/37.jpg.
QString hintPicture(const QString &folder, int k, int n);

} // namespace feedback
