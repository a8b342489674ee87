#include "InformationPageFor310.h"
#include "ReportPageFor310.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

using Message = QPair<QString, QString>; // context, source

// Remembers every text the code asks to translate, and translates none.
class RecordingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        asked.insert({QString::fromUtf8(context), QString::fromUtf8(source)});
        return {};
    }
    bool isEmpty() const override { return false; }

    mutable QSet<Message> asked;
};

// Messages of a .ts file that carry a finished, non-empty translation.
QSet<Message> translatedMessages(const QString &fileName)
{
    QFile file(QStringLiteral(LUMIVEX_SOURCE_DIR "/translations/") + fileName);
    if (!file.open(QFile::ReadOnly))
        return {};
    QSet<Message> messages;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            const bool unfinished = xml.attributes().value(QStringLiteral("type")) == u"unfinished";
            if (!xml.readElementText().isEmpty() && !unfinished)
                messages.insert({context, source});
        }
    }
    return messages;
}

} // namespace

TEST(ReportTranslations, EveryReportTextHasItsChineseAndEnglishEntry)
{
    RecordingTranslator recorder;
    QCoreApplication::installTranslator(&recorder);
    ReportInputs inputs;
    for (int deviceType : {0, 1}) {
        for (int kind = 0; kind < 6; ++kind) {
            inputs.resultKinds.fill(false);
            inputs.resultKinds[kind] = true;
            inputs.deviceType = deviceType;
            buildReportHtml(inputs);
        }
    }
    {
        ReportPageFor310 report(inputs);
        InformationPageFor310 information(&report);
    }
    QCoreApplication::removeTranslator(&recorder);

    const QSet<Message> chinese = translatedMessages(QStringLiteral("Lumivex_zh.ts"));
    const QSet<Message> english = translatedMessages(QStringLiteral("Lumivex_en.ts"));
    int checked = 0;
    for (const Message &message : recorder.asked) {
        if (message.first != u"ReportPageFor310" && message.first != u"InformationPageFor310"
            && message.first != u"Colorimeter")
            continue;
        ++checked;
        const std::string where = (message.first + u' ' + message.second).toStdString();
        EXPECT_TRUE(chinese.contains(message)) << "no Chinese for " << where;
        EXPECT_TRUE(english.contains(message)) << "no English for " << where;
    }
    EXPECT_GT(checked, 30);
}
