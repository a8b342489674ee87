#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QVariant>

class QWidget;

// Meter number → model name and device type, from the workbook shipped beside the program
// (columns A meter number, B model name, C device type; the first used row is a header).
class MeterTable
{
    Q_DECLARE_TR_FUNCTIONS(MeterTable)

public:
    // The program's directory + "/meterno.xls" when present, else the installed data directory.
    static QString defaultPath();
    // The model name before (or without) a match.
    static QString unknownModelName();

    // Reads the table; 0 on success, -1 after telling the user why (boxes over parent).
    // A failed load leaves the table empty. Never creates the file.
    int load(const QString &path, QWidget *parent);

    // Sets modelName to unknownModelName(), then takes the first row whose column A equals
    // meterNumber. Without a match (and more than the header row) tells the user; the
    // device type is then left unchanged. Returns whether a row matched.
    bool lookup(quint32 meterNumber, QString &modelName, int &deviceType, QWidget *parent) const;

    int rowCount() const { return int(rows_.size()); }
    const QList<QList<QVariant>> &rows() const { return rows_; }

private:
    QList<QList<QVariant>> rows_;
};
