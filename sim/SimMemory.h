#pragma once

#include <QByteArray>
#include <QHash>

// The instrument's byte-addressed memory over the whole 32-bit space; unwritten bytes read 0.
class SimMemory
{
public:
    QByteArray read(quint32 address, int length) const;
    void write(quint32 address, const QByteArray &bytes);
    quint16 word(quint32 address) const;
    void setWord(quint32 address, quint16 value);

private:
    static constexpr int PageSize = 4096;
    QHash<quint32, QByteArray> pages_;
};
