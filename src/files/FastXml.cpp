#include "FastXml.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr qsizetype kChunk = 1 << 16;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isNameChar(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// ASCII names only; a prefixed name ("r:id") where allowed, with both halves names.
bool isName(QByteArrayView name, bool prefixed)
{
    const qsizetype colon = prefixed ? name.indexOf(':') : -1;
    const auto plain = [](QByteArrayView part) {
        return !part.isEmpty() && isNameStart(part[0]) && std::all_of(part.begin(), part.end(), isNameChar);
    };
    return colon < 0 ? plain(name) : plain(name.first(colon)) && plain(name.sliced(colon + 1));
}

bool isAllSpace(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), isSpace);
}

// Characters XML allows in text as they stand (the tab and line ends included).
bool hasOnlyTextBytes(QByteArrayView bytes)
{
    return std::none_of(bytes.begin(), bytes.end(),
                        [](char c) { return uchar(c) < 0x20 && c != '\t' && c != '\n' && c != '\r'; });
}

// Characters XML allows, in UTF-8 (a replacement character here would stand for bad bytes).
bool isCleanText(QByteArrayView bytes)
{
    return hasOnlyTextBytes(bytes)
           && (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; })
               || !QString::fromUtf8(bytes).contains(QChar::ReplacementCharacter));
}

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
           || (c >= 0x10000 && c <= 0x10FFFF);
}

// "lt", "#38", "#x26" and the like, without '&' and ';'.
bool appendReference(QByteArrayView name, QString &out)
{
    static const struct
    {
        const char *name;
        char16_t c;
    } named[] = {{"lt", u'<'}, {"gt", u'>'}, {"amp", u'&'}, {"quot", u'"'}, {"apos", u'\''}};
    for (const auto &entity : named) {
        if (name == entity.name) {
            out += QChar(entity.c);
            return true;
        }
    }
    if (name.size() < 2 || name[0] != '#')
        return false;
    const bool hex = name[1] == 'x';
    const QByteArrayView digits = name.sliced(hex ? 2 : 1);
    if (digits.isEmpty() || digits.size() > 8)
        return false;
    char32_t code = 0;
    for (char d : digits) {
        const int value = d >= '0' && d <= '9'                ? d - '0'
                          : hex && (d | 0x20) >= 'a' && (d | 0x20) <= 'f' ? (d | 0x20) - 'a' + 10
                                                                            : -1;
        if (value < 0)
            return false;
        code = code * (hex ? 16 : 10) + char32_t(value);
    }
    if (!isXmlChar(code))
        return false;
    const char32_t ucs4[] = {code};
    out += QString::fromUcs4(ucs4, 1);
    return true;
}

} // namespace

QByteArrayView FastXml::attribute(QByteArrayView name) const
{
    for (const Attribute &a : attributes_) {
        if (a.name == name)
            return a.value;
    }
    return {};
}

// Every text is checked, also the white space between elements no caller reads.
bool FastXml::decode(QByteArrayView raw, bool cdata)
{
    if (!hasOnlyTextBytes(raw) || (!cdata && raw.contains("]]>")))
        return false;
    const bool lineEnds = raw.contains('\r');
    const bool references = !cdata && raw.contains('&');
    if (!lineEnds && !references) {
        decoded_ = QString::fromUtf8(raw);
    } else {
        // Line ends become "\n" before references are read, so "&#13;" stays a carriage return.
        QByteArray normal = raw.toByteArray();
        if (lineEnds)
            normal.replace("\r\n", "\n").replace('\r', '\n');
        decoded_.clear();
        qsizetype from = 0;
        for (qsizetype amp; references && (amp = normal.indexOf('&', from)) >= 0;) {
            const qsizetype semicolon = normal.indexOf(';', amp);
            decoded_ += QString::fromUtf8(QByteArrayView(normal).sliced(from, amp - from));
            if (semicolon < 0
                || !appendReference(QByteArrayView(normal).sliced(amp + 1, semicolon - amp - 1), decoded_))
                return false;
            from = semicolon + 1;
        }
        decoded_ += QString::fromUtf8(QByteArrayView(normal).sliced(from));
    }
    // Bytes that are not UTF-8 come out as replacement characters; QXmlStreamReader decides those.
    return !decoded_.contains(QChar::ReplacementCharacter);
}

bool FastXml::readElementText(QString &out)
{
    out.clear();
    const int level = depth();
    for (;;) {
        switch (next()) {
        case Token::Text:
            out += decoded_;
            break;
        case Token::End:
            return depth() == level - 1;
        default:
            return false;
        }
    }
}

bool FastXml::skipElement()
{
    const int level = depth();
    for (;;) {
        const Token token = next();
        if (token == Token::Done || token == Token::GiveUp)
            return false;
        if (token == Token::End && depth() < level)
            return true;
    }
}

FastXml::Token FastXml::giveUp()
{
    failed_ = true;
    return Token::GiveUp;
}

bool FastXml::fill()
{
    if (atEnd_ || buffer_.size() - pos_ > kMaxToken)
        return false;
    if (pos_ > 0) {
        buffer_.remove(0, pos_);
        pos_ = 0;
    }
    const qsizetype old = buffer_.size();
    buffer_.resize(old + kChunk);
    const qint64 read = device_.read(buffer_.data() + old, kChunk);
    buffer_.resize(old + std::max<qint64>(read, 0));
    if (read <= 0) {
        atEnd_ = true;
        failed_ = failed_ || read < 0;
        return false;
    }
    return true;
}

qsizetype FastXml::find(QByteArrayView what, qsizetype from)
{
    for (;;) {
        const qsizetype at = buffer_.indexOf(what, pos_ + from);
        if (at >= 0)
            return at - pos_;
        from = std::max(from, buffer_.size() - pos_ - what.size() + 1);
        if (!fill())
            return -1;
    }
}

qsizetype FastXml::tagEnd()
{
    char quote = 0;
    for (qsizetype i = 1;; ++i) {
        if (pos_ + i >= buffer_.size() && !fill())
            return -1;
        const char c = buffer_.constData()[pos_ + i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i;
        }
    }
}

bool FastXml::knownPrefix(QByteArrayView name) const
{
    const qsizetype colon = name.indexOf(':');
    if (colon < 0)
        return true;
    const QByteArrayView prefix = name.first(colon);
    return prefix == "xmlns" || prefix == "xml"
           || std::any_of(prefixes_.begin(), prefixes_.end(), [prefix](const std::string &p) { return prefix == p; });
}

bool FastXml::declaration(QByteArrayView body)
{
    // Exactly what the declaration may hold, and the encoding UTF-8 when named.
    static const QRegularExpression form(QStringLiteral(
        "^xml[ \\t\\r\\n]+version[ \\t\\r\\n]*=[ \\t\\r\\n]*(\"1\\.0\"|'1\\.0')"
        "([ \\t\\r\\n]+encoding[ \\t\\r\\n]*=[ \\t\\r\\n]*(\"[Uu][Tt][Ff]-8\"|'[Uu][Tt][Ff]-8'))?"
        "([ \\t\\r\\n]+standalone[ \\t\\r\\n]*=[ \\t\\r\\n]*(\"(yes|no)\"|'(yes|no)'))?[ \\t\\r\\n]*$"));
    return form.match(QLatin1String(body)).hasMatch();
}

bool FastXml::startTag(qsizetype end)
{
    QByteArrayView body(buffer_.constData() + pos_ + 1, end - 1);
    const bool empty = body.endsWith('/');
    if (empty)
        body.chop(1);
    qsizetype i = 0;
    while (i < body.size() && !isSpace(body[i]) && body[i] != '"' && body[i] != '\'' && body[i] != '=')
        ++i;
    name_ = body.first(i);
    if (!isName(name_, false))
        return false;
    attributes_.clear();
    for (;;) {
        const qsizetype spaceFrom = i;
        while (i < body.size() && isSpace(body[i]))
            ++i;
        if (i == body.size())
            break;
        if (i == spaceFrom)
            return false;
        const qsizetype nameFrom = i;
        while (i < body.size() && (isNameChar(body[i]) || body[i] == ':'))
            ++i;
        const QByteArrayView attributeName = body.sliced(nameFrom, i - nameFrom);
        while (i < body.size() && isSpace(body[i]))
            ++i;
        if (!isName(attributeName, true) || i == body.size() || body[i] != '=')
            return false;
        for (++i; i < body.size() && isSpace(body[i]);)
            ++i;
        if (i == body.size() || (body[i] != '"' && body[i] != '\''))
            return false;
        const qsizetype close = body.indexOf(body[i], i + 1);
        if (close < 0)
            return false;
        const QByteArrayView value = body.sliced(i + 1, close - i - 1);
        i = close + 1;
        // Values are taken as they stand: no references, no characters XML would normalise.
        if (value.contains('<') || value.contains('&') || !isCleanText(value) || value.contains('\t')
            || value.contains('\n') || value.contains('\r') || !attribute(attributeName).isNull())
            return false;
        attributes_.push_back({attributeName, value.isNull() ? QByteArrayView("") : value});
        if (attributeName.startsWith("xmlns:")) {
            if (value.isEmpty())
                return false;
            prefixes_.emplace_back(attributeName.sliced(6).data(), size_t(attributeName.size() - 6));
        }
    }
    for (const Attribute &a : attributes_) {
        if (!knownPrefix(a.name))
            return false;
    }
    if (open_.empty()) {
        if (rootSeen_)
            return false;
        rootSeen_ = true;
    }
    open_.emplace_back(name_.data(), size_t(name_.size()));
    pendingEnd_ = empty;
    return true;
}

FastXml::Token FastXml::next()
{
    if (failed_)
        return Token::GiveUp;
    if (pendingEnd_) {
        pendingEnd_ = false;
        endName_ = std::move(open_.back());
        open_.pop_back();
        name_ = QByteArrayView(endName_.data(), qsizetype(endName_.size()));
        return Token::End;
    }
    const auto ahead = [this](QByteArrayView start) {
        while (buffer_.size() - pos_ < start.size()) {
            if (!fill())
                return false;
        }
        return QByteArrayView(buffer_).sliced(pos_, start.size()) == start;
    };
    if (!started_) {
        if (ahead("\xEF\xBB\xBF"))
            pos_ += 3;
        else if (ahead("\xFE\xFF") || ahead("\xFF\xFE"))
            return giveUp();
    }
    for (;;) {
        if (pos_ >= buffer_.size() && !fill())
            return failed_ || !open_.empty() || !rootSeen_ ? giveUp() : Token::Done;
        if (buffer_.constData()[pos_] != '<') {
            qsizetype lt = find("<", 0);
            if (lt < 0) {
                if (!atEnd_ || failed_)
                    return giveUp();
                lt = buffer_.size() - pos_;
            }
            const QByteArrayView raw(buffer_.constData() + pos_, lt);
            pos_ += lt;
            started_ = true;
            if (!open_.empty())
                return decode(raw, false) ? Token::Text : giveUp();
            if (!isAllSpace(raw))
                return giveUp();
            continue;
        }
        if (ahead("</")) {
            const qsizetype end = find(">", 2);
            if (end < 0 || open_.empty())
                return giveUp();
            QByteArrayView body(buffer_.constData() + pos_ + 2, end - 2);
            while (!body.isEmpty() && isSpace(body.back()))
                body.chop(1);
            if (body != QByteArrayView(open_.back().data(), qsizetype(open_.back().size())))
                return giveUp();
            endName_ = std::move(open_.back());
            open_.pop_back();
            name_ = QByteArrayView(endName_.data(), qsizetype(endName_.size()));
            pos_ += end + 1;
            return Token::End;
        }
        if (ahead("<?")) {
            const qsizetype end = find("?>", 2);
            if (end < 0)
                return giveUp();
            const QByteArrayView body(buffer_.constData() + pos_ + 2, end - 2);
            const qsizetype targetEnd = std::find_if(body.begin(), body.end(), isSpace) - body.begin();
            if (!isCleanText(body) || !isName(body.first(targetEnd), false))
                return giveUp();
            const bool first = !started_;
            started_ = true;
            // Targets beginning with "xml" in any case are reserved; only the declaration is known.
            const bool reserved = targetEnd >= 3 && body.first(3).toByteArray().toLower() == "xml";
            if (reserved && (!first || body.first(targetEnd) != "xml" || !declaration(body)))
                return giveUp();
            pos_ += end + 2;
            continue;
        }
        if (ahead("<!--")) {
            const qsizetype end = find("-->", 4);
            if (end < 0)
                return giveUp();
            const QByteArrayView body(buffer_.constData() + pos_ + 4, end - 4);
            if (body.contains("--") || body.endsWith('-') || !isCleanText(body))
                return giveUp();
            started_ = true;
            pos_ += end + 3;
            continue;
        }
        if (ahead("<![CDATA[")) {
            const qsizetype end = find("]]>", 9);
            if (end < 0 || open_.empty())
                return giveUp();
            const QByteArrayView raw(buffer_.constData() + pos_ + 9, end - 9);
            pos_ += end + 3;
            return decode(raw, true) ? Token::Text : giveUp();
        }
        if (ahead("<!"))
            return giveUp();
        const qsizetype end = tagEnd();
        if (end < 0 || !startTag(end))
            return giveUp();
        pos_ += end + 1;
        started_ = true;
        return Token::Start;
    }
}
