#pragma once
// A tiny tmpfs that a test fills to the last byte, to see how saving behaves on a full disk.
// Mounting needs root (as on CI); elsewhere `skipReason()` says why the test cannot run.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace tessora::test {

class FullDisk {
  public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString skipReason() const { return skipReason_; }
    QString path(const QString& name) const { return dir_.filePath(name); }
    // Writes a file while there is still room.
    void put(const QString& name, const QByteArray& bytes) const;
    // Takes every byte that is left.
    void fill() const;

  private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString skipReason_;
};

}  // namespace tessora::test
