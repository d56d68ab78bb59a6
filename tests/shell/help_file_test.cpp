// The shipped help page teaches what a newcomer needs: training, tones, exams and the chart.
#include <QFile>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

QString ShippedHelpText()
{
    // The page sits in resources/ beside the sources this test was built from.
    QString source = QString::fromUtf8(__FILE__);
    source.truncate(source.lastIndexOf(QStringLiteral("/tests/shell/")));
    QFile file(source + QStringLiteral("/resources/lumora_help"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    return document.toPlainText();
}

TEST(HelpFile, TeachesTrainingTonesExamAndChart)
{
    const QString text = ShippedHelpText();
    ASSERT_FALSE(text.isEmpty());
    for (const char* topic : {"space", "backspace", "neutral tone", "Start Exam", "End Exam", "chart",
                              "Quit", "Settings"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(topic), Qt::CaseInsensitive)) << topic;
    // The two spellings a newcomer must know: 5 or 0 for the neutral tone, v for the u with umlaut.
    EXPECT_TRUE(text.contains(QStringLiteral("lv4"))) << "an example of v for \u00fc";
    EXPECT_TRUE(text.contains(QStringLiteral("de5")) && text.contains(QStringLiteral("de0")));
}

}  // namespace
