#include "CLinker.h"

int CLinker::ReadMessage(QByteArray &, int, int)
{
    return 0;
}

int CLinker::WriteMessage(QByteArray &, int)
{
    return 0;
}
