// .xlsx: the zip package's XML parts through QXmlStreamReader.

#include "WorkbookCodecs.h"
#include "ZipPackage.h"

#include <QDir>
#include <QHash>
#include <QXmlStreamReader>

#include <functional>
#include <iterator>

namespace {

struct Relationship
{
    QString type;
    QString target; // resolved to a part name
};

struct Style
{
    NumberFormat format = NumberFormat::General;
    bool centred = false;
};

// Part names inside the package have no leading slash; targets are relative to their source part.
QString resolvePart(const QString &sourcePart, const QString &target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    const qsizetype slash = sourcePart.lastIndexOf(u'/');
    return QDir::cleanPath(sourcePart.left(slash + 1) + target);
}

QString relationshipsPart(const QString &part)
{
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

// "_x000D_" and the like stand for characters XML cannot carry.
QString decodeEscapes(QString text)
{
    for (qsizetype at = text.indexOf(QLatin1String("_x")); at >= 0 && at + 7 <= text.size();
         at = text.indexOf(QLatin1String("_x"), at + 1)) {
        bool ok = false;
        const ushort code = text.mid(at + 2, 4).toUShort(&ok, 16);
        if (ok && text[at + 6] == u'_')
            text.replace(at, 7, QChar(code));
    }
    return text;
}

bool isStart(const QXmlStreamReader &xml, QStringView name)
{
    return xml.isStartElement() && xml.name() == name;
}

bool isEnd(const QXmlStreamReader &xml, QStringView name)
{
    return xml.isEndElement() && xml.name() == name;
}

// The text of a string item (<si> or <is>): its <t> runs, leaving out phonetic hints.
QString readStringItem(QXmlStreamReader &xml)
{
    const QString element = xml.name().toString();
    QString text;
    int phonetic = 0;
    while (!xml.atEnd() && !(xml.readNext(), isEnd(xml, element))) {
        if (isStart(xml, u"rPh"))
            ++phonetic;
        else if (isEnd(xml, u"rPh"))
            --phonetic;
        else if (isStart(xml, u"t") && phonetic == 0)
            text += xml.readElementText();
    }
    return decodeEscapes(text);
}

NumberFormat classifyNumberFormat(int id, const QString &code)
{
    if ((id >= 14 && id <= 22) || (id >= 45 && id <= 47))
        return NumberFormat::DateTime;
    if (id == 9 || id == 10)
        return NumberFormat::Percent;
    bool percent = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"') {
            i = code.indexOf(u'"', i + 1);
            if (i < 0)
                break;
        } else if (c == u'[') {
            i = code.indexOf(u']', i + 1);
            if (i < 0)
                break;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i; // the next character is a literal or a fill
        } else if (QStringLiteral("dmyhsDMYHS").contains(c)) {
            return NumberFormat::DateTime;
        } else if (c == u'%') {
            percent = true;
        }
    }
    return percent ? NumberFormat::Percent : NumberFormat::General;
}

// "AB12" → row 11, column 27.
bool parseCellReference(QStringView reference, CellPos &pos)
{
    qsizetype i = 0;
    int column = 0;
    for (; i < reference.size() && i < 3 && reference[i] >= u'A' && reference[i] <= u'Z'; ++i)
        column = column * 26 + (reference[i].unicode() - u'A' + 1);
    bool ok = false;
    const int row = reference.mid(i).toInt(&ok);
    if (column == 0 || !ok || row < 1)
        return false;
    pos = {row - 1, column - 1};
    return true;
}

class XlsxReader
{
public:
    bool read(const QString &path, Workbook &workbook, QString &reason)
    {
        QString detail;
        if (!zip_.open(path, detail))
            return fail(reason, detail);
        QHash<QString, Relationship> packageRels;
        if (!parsePart(QStringLiteral("_rels/.rels"), reason, [&](QXmlStreamReader &xml) {
                return readRelationships(xml, QString(), packageRels);
            }))
            return false;
        QString workbookPart = QStringLiteral("xl/workbook.xml");
        for (const Relationship &rel : std::as_const(packageRels)) {
            if (rel.type.endsWith(QLatin1String("/officeDocument")))
                workbookPart = rel.target;
        }
        QHash<QString, Relationship> rels;
        QList<std::pair<QString, QString>> sheets; // name, relationship id
        if (!parsePart(relationshipsPart(workbookPart), reason,
                       [&](QXmlStreamReader &xml) { return readRelationships(xml, workbookPart, rels); })
            || !parsePart(workbookPart, reason, [&](QXmlStreamReader &xml) { return readWorkbookPart(xml, sheets); }))
            return false;
        for (const Relationship &rel : std::as_const(rels)) {
            const bool strings = rel.type.endsWith(QLatin1String("/sharedStrings"));
            if ((strings || rel.type.endsWith(QLatin1String("/styles")))
                && !parsePart(rel.target, reason, [&](QXmlStreamReader &xml) {
                       return strings ? readSharedStrings(xml) : readStyles(xml);
                   }))
                return false;
        }
        for (const auto &[name, id] : sheets) {
            Sheet &sheet = workbook.sheets.emplace_back();
            sheet.name = name;
            if (!rels.contains(id))
                return fail(reason, QStringLiteral("no part for sheet %1").arg(name));
            if (!parsePart(rels[id].target, reason,
                           [&](QXmlStreamReader &xml) { return readSheetPart(xml, sheet, reason); }))
                return false;
        }
        return true;
    }

private:
    static bool fail(QString &reason, const QString &detail)
    {
        reason = damagedReason(detail);
        return false;
    }

    bool parsePart(const QString &part, QString &reason, const std::function<bool(QXmlStreamReader &)> &parse)
    {
        QString detail;
        const std::unique_ptr<ZipPart> device = zip_.part(part, detail);
        if (!device)
            return fail(reason, detail);
        QXmlStreamReader xml(device.get());
        const bool parsed = parse(xml);
        if (xml.hasError())
            return fail(reason, QStringLiteral("%1: %2").arg(part, xml.errorString()));
        if (parsed && (device->readAll(), !device->intact()))
            return fail(reason, QStringLiteral("%1: wrong size or CRC").arg(part));
        return parsed;
    }

    static bool readRelationships(QXmlStreamReader &xml, const QString &sourcePart, QHash<QString, Relationship> &rels)
    {
        while (!xml.atEnd()) {
            if (xml.readNext(); isStart(xml, u"Relationship")) {
                const QXmlStreamAttributes a = xml.attributes();
                const QString target = a.value(QLatin1String("Target")).toString();
                const bool external = a.value(QLatin1String("TargetMode")) == u"External";
                rels.insert(a.value(QLatin1String("Id")).toString(),
                            {a.value(QLatin1String("Type")).toString(), external ? target : resolvePart(sourcePart, target)});
            }
        }
        return true;
    }

    bool readWorkbookPart(QXmlStreamReader &xml, QList<std::pair<QString, QString>> &sheets)
    {
        while (!xml.atEnd()) {
            xml.readNext();
            if (isStart(xml, u"workbookPr")) {
                const QStringView flag = xml.attributes().value(QLatin1String("date1904"));
                base1904_ = flag == u"1" || flag == u"true";
            } else if (isStart(xml, u"sheet")) {
                QString id;
                for (const QXmlStreamAttribute &a : xml.attributes()) {
                    if (a.name() == u"id" && !a.namespaceUri().isEmpty())
                        id = a.value().toString();
                }
                sheets.append(std::pair(xml.attributes().value(QLatin1String("name")).toString(), id));
            }
        }
        return true;
    }

    bool readSharedStrings(QXmlStreamReader &xml)
    {
        while (!xml.atEnd()) {
            if (xml.readNext(); isStart(xml, u"si"))
                strings_.append(readStringItem(xml));
        }
        return true;
    }

    bool readStyles(QXmlStreamReader &xml)
    {
        QHash<int, QString> codes;
        bool inCellXfs = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (isStart(xml, u"numFmt")) {
                codes.insert(xml.attributes().value(QLatin1String("numFmtId")).toInt(), xml.attributes().value(QLatin1String("formatCode")).toString());
            } else if (isStart(xml, u"cellXfs") || isEnd(xml, u"cellXfs")) {
                inCellXfs = xml.isStartElement();
            } else if (inCellXfs && isStart(xml, u"xf")) {
                const int id = xml.attributes().value(QLatin1String("numFmtId")).toInt();
                styles_.append({classifyNumberFormat(id, codes.value(id)), false});
            } else if (inCellXfs && isStart(xml, u"alignment") && !styles_.isEmpty()) {
                styles_.last().centred = xml.attributes().value(QLatin1String("horizontal")) == u"center";
            }
        }
        return true;
    }

    bool readSheetPart(QXmlStreamReader &xml, Sheet &sheet, QString &reason)
    {
        const SheetLimits limits = sheetLimits(WorkbookFormat::Xlsx);
        CellPos next{-1, 0}; // a <row> without a number follows the previous one
        auto hint = sheet.cells.end(); // cells come in order: each one goes in at the end
        while (!xml.atEnd()) {
            xml.readNext();
            if (isStart(xml, u"row")) {
                const QStringView r = xml.attributes().value(QLatin1String("r"));
                next = {r.isEmpty() ? next.row + 1 : r.toInt() - 1, 0};
                continue;
            }
            if (!isStart(xml, u"c"))
                continue;
            const QXmlStreamAttributes attributes = xml.attributes();
            const QStringView r = attributes.value(QLatin1String("r"));
            CellPos pos = next;
            if (!r.isEmpty() && !parseCellReference(r, pos))
                return fail(reason, QStringLiteral("cell reference %1").arg(r));
            if (pos.row < 0 || pos.row >= limits.rows || pos.column >= limits.columns)
                return fail(reason, QStringLiteral("cell %1 outside the sheet").arg(r));
            next = {pos.row, pos.column + 1};
            Cell cell;
            if (!readCell(xml, attributes, cell))
                return fail(reason, QStringLiteral("cell %1").arg(r));
            if (cell.isEmpty() && !cell.centred && cell.format == NumberFormat::General)
                continue;
            if (sheet.cells.size() >= size_t(kMaxUsedCells)) {
                reason = tooLargeReason(sheet.name);
                return false;
            }
            hint = std::next(sheet.cells.insert_or_assign(hint, pos, std::move(cell)));
        }
        return true;
    }

    bool readCell(QXmlStreamReader &xml, const QXmlStreamAttributes &attributes, Cell &cell)
    {
        const QStringView type = attributes.value(QLatin1String("t"));
        const QStringView styleIndex = attributes.value(QLatin1String("s"));
        const Style style = styleIndex.isEmpty() ? Style() : styles_.value(styleIndex.toInt());
        QString value, inlineText;
        while (!xml.atEnd() && !(xml.readNext(), isEnd(xml, u"c"))) {
            if (isStart(xml, u"v"))
                value = xml.readElementText();
            else if (isStart(xml, u"is"))
                inlineText = readStringItem(xml);
            else if (xml.isStartElement())
                xml.skipCurrentElement();
        }
        cell.format = style.format;
        cell.centred = style.centred;
        if (type == u"inlineStr") {
            cell.value = inlineText;
        } else if (type == u"s") {
            bool ok = false;
            const int index = value.toInt(&ok);
            if (!ok || index < 0 || index >= strings_.size())
                return false;
            cell.value = strings_[index];
        } else if (type == u"str" || type == u"e") {
            cell.value = decodeEscapes(value);
        } else if (type == u"b") {
            cell.value = value == u"1" ? 1.0 : 0.0;
        } else if (type == u"d") {
            const QDateTime stamp = QDateTime::fromString(value, Qt::ISODate);
            cell.value = QDateTime(stamp.date(), stamp.time(), Qt::UTC);
            cell.format = NumberFormat::DateTime;
            return stamp.isValid();
        } else if (!value.isEmpty()) {
            bool ok = false;
            const double number = QStringView(value).toDouble(&ok);
            const QDateTime stamp = style.format == NumberFormat::DateTime ? dateTimeFromSerial(number, base1904_)
                                                                           : QDateTime();
            cell.value = stamp.isValid() ? QVariant(stamp) : QVariant(number);
            return ok;
        }
        return true;
    }

    ZipPackage zip_;
    QList<QString> strings_;
    QList<Style> styles_;
    bool base1904_ = false;
};

} // namespace

bool readXlsx(const QString &path, Workbook &workbook, QString &reason)
{
    return XlsxReader().read(path, workbook, reason);
}
