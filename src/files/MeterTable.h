#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QVariant>

// What to tell the user after a load or a lookup; empty when there is nothing to say.
struct MeterTableMessage
{
    QString title;
    QString text;

    bool isEmpty() const { return text.isEmpty(); }
};

struct MeterLookup
{
    bool found = false;
    MeterTableMessage message;
};

// Meter number → model name and device type, from the workbook shipped beside the program
// (columns A meter number, B model name, C device type; the first used row is a header).
class MeterTable
{
    Q_DECLARE_TR_FUNCTIONS(MeterTable)

public:
    // "meterno.xls" in the first data folder that holds it (beside the program, then ../share/lumivex).
    static QString defaultPath();
    // The model name before (or without) a match.
    static QString unknownModelName();

    // Reads the table; an empty message on success, else why it failed. A failed load leaves
    // the table empty. Never creates the file.
    MeterTableMessage load(const QString &path);

    // Sets modelName to unknownModelName(), then takes the first row whose column A equals
    // meterNumber. Without a match the device type is left unchanged and, when the table has
    // more than its header row, the message says so.
    MeterLookup lookup(quint32 meterNumber, QString &modelName, int &deviceType) const;

    int rowCount() const { return int(rows_.size()); }
    const QList<QList<QVariant>> &rows() const { return rows_; }

private:
    QList<QList<QVariant>> rows_;
};
