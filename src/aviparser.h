#pragma once

#include "parserobject.h"

// Reads the main header of an AVI recording and finds the GPS block that the
// camera appends at the end of the file.
class AVIParser : public ParserObject
{
    Q_OBJECT

public:
    explicit AVIParser(const QString &fileName, QObject *parent = nullptr);
    explicit AVIParser(const QByteArray &data, QObject *parent = nullptr);

private:
    void walk();
    bool findMainHeader(qint64 riffEnd);
    void readMainHeader(qint64 chunkEnd);
    void findGpsBlock();
};
