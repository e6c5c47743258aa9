// Small file helpers shared by the store tests.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace BrixTest {

inline QByteArray ReadBytes(const QString &FileName)
{
    QFile File(FileName);
    if (!File.open(QIODevice::ReadOnly))
        return QByteArray();
    return File.readAll();
}

inline bool WriteBytes(const QString &FileName, const QByteArray &Bytes)
{
    QFile File(FileName);
    return File.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           File.write(Bytes) == Bytes.size();
}

} // namespace BrixTest
