#pragma once

#include "ColourCardMemory.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

// One card record as writeStdColorInfo takes it.
struct ColourCard
{
    QString name1;
    QString name2;
    int colourRows = 0; // its share of the colour rows (value 1)
    int value2 = 0;     // passed on unchanged
    int crc = 0;        // expected CRC of the 36-byte record
};

// Why a library workbook cannot be uploaded; row is the used-range row (from 1) at fault.
struct ColourCardCheck
{
    enum Problem { None, ReadFailed, WrongModel, NotEnoughRows, NameTooLong, WrongCountCrc, WrongCardCrc };
    Problem problem = None;
    int row = 0;

    bool ok() const { return problem == None; }
};

// The standard colour card library of a "StdColor.xlsx" workbook, checked whole before
// anything is written, its CRCs included: a faulty workbook must not leave the instrument half
// overwritten.
// Row 1 the model, row 2 the card count and its CRC, rows 3 on the cards, rows 50 on the
// colour rows (name and three values).
class ColourCardLibrary
{
public:
    static constexpr int MaxCards = 47;
    static constexpr int FirstColourRow = 50;
    static constexpr int CardNameBytes = 16;
    static constexpr int ColourNameBytes = 20;
    static constexpr int ColourValueBytes = 6;

    // rows as ExcelEngine::readAll gives them; the model is the page's model name.
    ColourCardCheck read(const QList<QList<QVariant>> &rows, const QString &modelName);

    int count() const { return int(cards_.size()); }
    int countCrc() const { return countCrc_; }
    const QList<ColourCard> &cards() const { return cards_; }
    quint32 cardAddress(int index) const
    {
        return ColourCardMemory::CardAddress + ColourCardMemory::CardStride * quint32(index);
    }
    // Every colour row's zero-padded name, then every row's three signed 16-bit LE values.
    const QByteArray &stream() const { return stream_; }
    // Packets of the stream, the progress maximum.
    int packetCount() const
    {
        return int((stream_.size() + ColourCardMemory::PacketSize - 1) / ColourCardMemory::PacketSize);
    }

    // A value text as the instrument's hundredths, further digits cut: "12.3" 1230, "-0.5" -50,
    // "3." 300. Empty for text that is no number or does not fit 16 bits.
    static std::optional<qint16> hundredths(const QString &text);
    // A cell as text; numbers without exponent, so "0.00001" keeps its digits.
    static QString cellText(const QVariant &cell);

private:
    ColourCardCheck readCards(const QList<QList<QVariant>> &rows, int count, int &colourRows);
    ColourCardCheck readColourRows(const QList<QList<QVariant>> &rows, int colourRows);

    int countCrc_ = 0;
    QList<ColourCard> cards_;
    QByteArray stream_;
};
