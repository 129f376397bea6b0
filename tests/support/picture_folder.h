#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary application folder with its own small pictures: img/ok.jpg,
// img/err.jpg, img/white.jpg and img/1..3/0..66.jpg, each a different colour,
// plus help.htm. Tests remove or spoil single files to make faults.
class PictureFolder {
public:
    // subfolder: a name of the folder inside the temporary one, e.g. one with
    // blanks or Chinese characters; empty for the temporary folder itself.
    explicit PictureFolder(const QString &subfolder = QString());

    // The application folder, without a trailing separator.
    QString path() const { return path_; }
    QString file(const QString &relative) const { return path_ + '/' + relative; }
    QString hint(int k, int n) const;

    bool remove(const QString &relative) const;
    void write(const QString &relative, const QByteArray &bytes) const;

private:
    QTemporaryDir dir_;
    QString path_;
};
