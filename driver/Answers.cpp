#include "driver/Answers.h"

#include "lesson/Course.h"

#include <QRegularExpression>

namespace driver {

namespace {

QStringList fields(const QString& joined) {
    return joined.split(QLatin1Char(','));
}

} // namespace

std::optional<KnownAnswer> knownAnswer(const AskedAt& at) {
    int question = at.question;
    if (at.dialog == QLatin1String("QInputDialog")) {
        // The naming quiz of the eyeball asks part i in its prompt: question i of the step.
        static const QRegularExpression part(QStringLiteral("^(\\d+)の名前は何ですか"));
        const auto m = part.match(at.prompt);
        if (!m.hasMatch()) return std::nullopt;
        question = m.captured(1).toInt();
    }
    // The quiz row of the step that asks, from the course registry.
    const lesson::QuizRow* q = course::findQuiz(at.procedure, at.section, at.step, question);
    if (!q) return std::nullopt;
    KnownAnswer a;
    for (const QString& ask : QString::fromUtf8(q->right).split(QLatin1Char('|')))
        a.right.append(fields(ask));
    if (q->wrong && *q->wrong && q->judged != lesson::Judged::NotJudged)
        a.wrong = fields(QString::fromUtf8(q->wrong));
    a.retried = q->judged == lesson::Judged::UntilRight;
    return a;
}

QString messageBoxChoice(const QString& text, bool again) {
    if (text.startsWith(QStringLiteral("もう一度やってみますか")))
        return again ? QStringLiteral("Yes") : QStringLiteral("No");
    // The electron-cloud viewer's first prompt offers to end the whole application: a
    // learner who got there by accident stays.
    if (text == QStringLiteral("終了しますか？")) return QStringLiteral("Cancel");
    return QString();
}

std::optional<QString> againReply(const QString& prompt, bool again) {
    if (prompt.startsWith(QStringLiteral("もう一度やってみますか")))
        return again ? QStringLiteral("y") : QStringLiteral("n");
    return std::nullopt;
}

QString fallbackAnswer(int n) {
    return QString::number(n + 1);
}

} // namespace driver
