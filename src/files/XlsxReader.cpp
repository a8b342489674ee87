// .xlsx: the zip package's XML parts through QXmlStreamReader.

#include "ReadBudget.h"
#include "WorkbookCodecs.h"
#include "ZipPackage.h"

#include <QDir>
#include <QHash>
#include <QXmlStreamReader>

#include <functional>
#include <iterator>

namespace {

// Deeper than any part a spreadsheet program writes; the parser's element stack stays small.
constexpr int kMaxDepth = 64;
// Unpacked bytes one token (a text, a tag with its attributes) may take; the parser holds a
// token whole until it ends, so without this one endless text would be buffered whole.
constexpr qint64 kMaxTokenBytes = qint64(4) << 20;
// Estimated cost of a parsed sheet entry and of a relationship or style, beside their texts.
constexpr qint64 kSheetBytes = 256;
constexpr qint64 kEntryBytes = 64;
// What libzip keeps for each entry of the package directory.
constexpr qint64 kZipEntryBytes = 256;

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
        if (!budget_.spend(zip_.partCount() * kZipEntryBytes))
            return overBudget(reason);
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
        // A part listed again is read and counted again: the budget covers every copy held.
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

    bool overBudget(QString &reason)
    {
        reason = budget_.reason();
        return false;
    }

    bool parsePart(const QString &part, QString &reason, const std::function<bool(QXmlStreamReader &)> &parse)
    {
        QString detail;
        const std::unique_ptr<ZipPart> device = zip_.part(part, detail);
        if (!device)
            return fail(reason, detail);
        device->setLeash(kMaxTokenBytes);
        QXmlStreamReader xml(device.get());
        depth_ = 0;
        const bool parsed = parse(xml);
        if (device->leashBroken())
            budget_.spend(budget_.limit() + 1);
        if (!budget_.ok())
            return overBudget(reason);
        if (xml.hasError())
            return fail(reason, QStringLiteral("%1: %2").arg(part, xml.errorString()));
        if (parsed) {
            QByteArray rest(1 << 16, Qt::Uninitialized);
            while (device->read(rest.data(), rest.size()) > 0 && budget_.inTime()) {
            }
            if (!budget_.ok())
                return overBudget(reason);
            if (!device->intact())
                return fail(reason, QStringLiteral("%1: wrong size or CRC").arg(part));
        }
        return parsed;
    }

    // The next token, while the part lasts and the read keeps within its budget and depth.
    bool step(QXmlStreamReader &xml)
    {
        if (xml.atEnd())
            return false;
        xml.readNext();
        if (auto *device = static_cast<ZipPart *>(xml.device()))
            device->mark();
        if (xml.isStartElement() && ++depth_ > kMaxDepth)
            xml.raiseError(QStringLiteral("elements nested deeper than %1").arg(kMaxDepth));
        else if (xml.isEndElement())
            --depth_;
        if (!budget_.ok())
            xml.raiseError(budget_.reason());
        return !xml.atEnd();
    }

    // Skips the rest of the element just started.
    void skipElement(QXmlStreamReader &xml)
    {
        for (const int depth = depth_; step(xml) && depth_ >= depth;) {
        }
    }

    // The text of the element just started; child elements are skipped. Longer than a cell
    // holds: the part is damaged.
    QString elementText(QXmlStreamReader &xml)
    {
        QString text;
        for (const int depth = depth_; step(xml) && depth_ >= depth;) {
            if (xml.isCharacters() || xml.isEntityReference())
                text += xml.text();
            else if (xml.isStartElement())
                skipElement(xml);
            if (text.size() > kMaxTextLength)
                xml.raiseError(QStringLiteral("a text longer than %1 characters").arg(kMaxTextLength));
        }
        return text;
    }

    // The text of a string item (<si> or <is>): its <t> runs, leaving out phonetic hints.
    QString readStringItem(QXmlStreamReader &xml)
    {
        QString text;
        for (const int depth = depth_; step(xml) && depth_ >= depth;) {
            if (isStart(xml, u"rPh"))
                skipElement(xml);
            else if (isStart(xml, u"t"))
                text += elementText(xml);
            if (text.size() > kMaxTextLength)
                xml.raiseError(QStringLiteral("a text longer than %1 characters").arg(kMaxTextLength));
        }
        return decodeEscapes(text);
    }

    bool readRelationships(QXmlStreamReader &xml, const QString &sourcePart, QHash<QString, Relationship> &rels)
    {
        while (step(xml)) {
            if (isStart(xml, u"Relationship")) {
                const QXmlStreamAttributes a = xml.attributes();
                const QString target = a.value(QLatin1String("Target")).toString();
                const bool external = a.value(QLatin1String("TargetMode")) == u"External";
                const QString id = a.value(QLatin1String("Id")).toString();
                const Relationship rel{a.value(QLatin1String("Type")).toString(),
                                       external ? target : resolvePart(sourcePart, target)};
                budget_.spend(kEntryBytes + ReadBudget::textBytes(id.size() + rel.type.size() + rel.target.size()));
                rels.insert(id, rel);
            }
        }
        return true;
    }

    bool readWorkbookPart(QXmlStreamReader &xml, QList<std::pair<QString, QString>> &sheets)
    {
        while (step(xml)) {
            if (isStart(xml, u"workbookPr")) {
                const QXmlStreamAttributes attributes = xml.attributes();
                const QStringView flag = attributes.value(QLatin1String("date1904"));
                base1904_ = flag == u"1" || flag == u"true";
            } else if (isStart(xml, u"sheet")) {
                QString id;
                for (const QXmlStreamAttribute &a : xml.attributes()) {
                    if (a.name() == u"id" && !a.namespaceUri().isEmpty())
                        id = a.value().toString();
                }
                const QString name = xml.attributes().value(QLatin1String("name")).toString();
                budget_.spend(kSheetBytes + ReadBudget::textBytes(name.size() + id.size()));
                sheets.append(std::pair(name, id));
            }
        }
        return true;
    }

    bool readSharedStrings(QXmlStreamReader &xml)
    {
        while (step(xml)) {
            if (isStart(xml, u"si")) {
                strings_.append(readStringItem(xml));
                budget_.spend(ReadBudget::textBytes(strings_.constLast().size()));
            }
        }
        return true;
    }

    bool readStyles(QXmlStreamReader &xml)
    {
        QHash<int, QString> codes;
        bool inCellXfs = false;
        while (step(xml)) {
            if (isStart(xml, u"numFmt")) {
                const QString code = xml.attributes().value(QLatin1String("formatCode")).toString();
                budget_.spend(kEntryBytes + ReadBudget::textBytes(code.size()));
                codes.insert(xml.attributes().value(QLatin1String("numFmtId")).toInt(), code);
            } else if (isStart(xml, u"cellXfs") || isEnd(xml, u"cellXfs")) {
                inCellXfs = xml.isStartElement();
            } else if (inCellXfs && isStart(xml, u"xf")) {
                const int id = xml.attributes().value(QLatin1String("numFmtId")).toInt();
                budget_.spend(sizeof(Style));
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
        while (step(xml)) {
            if (isStart(xml, u"row")) {
                // 1-based; a row number beyond the sheet is refused before any arithmetic on it.
                const QXmlStreamAttributes attributes = xml.attributes();
                const QStringView r = attributes.value(QLatin1String("r"));
                bool ok = r.isEmpty();
                const qint64 number = ok ? qint64(next.row) + 2 : r.toLongLong(&ok);
                if (!ok || number < 1 || number > limits.rows)
                    return fail(reason, QStringLiteral("row %1 outside the sheet").arg(r.isEmpty() ? QString::number(number) : r.toString()));
                next = {int(number - 1), 0};
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
            const QStringView type = attributes.value(QLatin1String("t"));
            if (!readCell(xml, attributes, cell))
                return fail(reason, QStringLiteral("cell %1").arg(r));
            if (cell.isEmpty() && !cell.centred && cell.format == NumberFormat::General)
                continue;
            if (sheet.cells.size() >= size_t(kMaxUsedCells)) {
                reason = tooLargeReason(sheet.name);
                return false;
            }
            // Text from the shared strings is shared with them, already counted.
            const bool ownText = type != u"s" && cell.value.typeId() == QMetaType::QString;
            if (!budget_.spendCells(1) || (ownText && !budget_.spend(ReadBudget::textBytes(cell.value.toString().size()))))
                return overBudget(reason);
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
        for (const int depth = depth_; step(xml) && depth_ >= depth;) {
            if (isStart(xml, u"v"))
                value = elementText(xml);
            else if (isStart(xml, u"is"))
                inlineText = readStringItem(xml);
            else if (xml.isStartElement())
                skipElement(xml);
        }
        if (xml.hasError())
            return false;
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

    ReadBudget budget_;
    int depth_ = 0;
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
