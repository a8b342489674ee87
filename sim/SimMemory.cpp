#include "SimMemory.h"

#include <algorithm>

QByteArray SimMemory::read(quint32 address, int length) const
{
    QByteArray out(length, '\0');
    for (int done = 0; done < length;) {
        const quint32 at = address + quint32(done);
        const int offset = int(at % PageSize);
        const int chunk = std::min(length - done, PageSize - offset);
        const auto page = pages_.constFind(at / PageSize);
        if (page != pages_.cend())
            std::copy_n(page->constData() + offset, chunk, out.data() + done);
        done += chunk;
    }
    return out;
}

void SimMemory::write(quint32 address, const QByteArray &bytes)
{
    for (int done = 0; done < bytes.size();) {
        const quint32 at = address + quint32(done);
        const int offset = int(at % PageSize);
        const int chunk = std::min(int(bytes.size()) - done, PageSize - offset);
        QByteArray &page = pages_[at / PageSize];
        if (page.isEmpty())
            page = QByteArray(PageSize, '\0');
        std::copy_n(bytes.constData() + done, chunk, page.data() + offset);
        done += chunk;
    }
}

quint16 SimMemory::word(quint32 address) const
{
    const QByteArray bytes = read(address, 2);
    return quint16(quint8(bytes[0]) | quint8(bytes[1]) << 8);
}

void SimMemory::setWord(quint32 address, quint16 value)
{
    QByteArray bytes;
    bytes.append(char(value & 0xFF)).append(char(value >> 8));
    write(address, bytes);
}
