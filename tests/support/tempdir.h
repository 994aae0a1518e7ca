#pragma once
// A temporary folder per test, removed afterwards, and small helpers to write files into it.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace tessora::test {

class TempDir {
  public:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const;

  private:
    QTemporaryDir dir_;
};

}  // namespace tessora::test
