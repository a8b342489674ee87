#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <string>
#include <vector>

// A pull reader for XML parts in the shape spreadsheet programs write them: UTF-8 elements
// and attributes, text with the predefined and numeric character references, CDATA, comments
// and processing instructions. It reads straight from the bytes, several times faster than
// QXmlStreamReader. Whatever it is not sure to read as QXmlStreamReader would (a DOCTYPE, another
// encoding, a prefixed element, an entity in an attribute, a token over kMaxToken, anything not
// well-formed) makes it give up; the caller then reads the part again with QXmlStreamReader.
class FastXml
{
public:
    enum class Token { Start, End, Text, Done, GiveUp };

    explicit FastXml(QIODevice &device) : device_(device) {}

    // Start and End come in pairs, also for an empty element; Done only after a whole document.
    Token next();

    // Valid until the next call of next().
    QByteArrayView name() const { return name_; }
    QByteArrayView attribute(QByteArrayView name) const;
    // The current Text token's characters.
    const QString &text() const { return decoded_; }
    int depth() const { return int(open_.size()); }

    // From just after a Start: its text up to the matching End; false for a child element.
    bool readElementText(QString &out);
    // From just after a Start: everything up to the matching End.
    bool skipElement();

    static constexpr qsizetype kMaxToken = 4 << 20;

private:
    struct Attribute
    {
        QByteArrayView name;
        QByteArrayView value;
    };

    bool fill();
    qsizetype find(QByteArrayView what, qsizetype from);
    qsizetype tagEnd();
    Token giveUp();
    bool startTag(qsizetype end);
    bool knownPrefix(QByteArrayView name) const;
    bool declaration(QByteArrayView body);
    bool decode(QByteArrayView raw, bool cdata);

    QIODevice &device_;
    QByteArray buffer_;
    qsizetype pos_ = 0; // start of the next token in buffer_
    bool atEnd_ = false;
    bool failed_ = false;
    bool started_ = false; // anything read yet (the declaration must come first)
    bool rootSeen_ = false;
    bool pendingEnd_ = false;
    QByteArrayView name_;
    QString decoded_;
    std::vector<Attribute> attributes_;
    std::vector<std::string> open_;
    std::string endName_;
    std::vector<std::string> prefixes_;
};
