#include "driver/Answers.h"

#include <QRegularExpression>

namespace driver {

namespace {

// One question of an answer dialog. A procedure, section or step left open matches any.
struct Row {
    const char* dialog;
    int question;
    const char* procedure; // nullptr: any
    int section;           // -1: any
    int step;              // -1: any
    const char* right;     // fields joined by ','; repeated asks joined by '|'
    const char* wrong;     // nullptr: nothing is judged
    bool retried;
};

// clang-format off
constexpr Row kRows[] = {
    // Light course.
    {"frmInputLight", 1, "Kika", -1, -1, "1", "3", true},     // refraction: the bent path
    {"frmInputLight", 2, "Kika", -1, -1, "2", "1", true},     // reflection: equal angles
    {"frmInputLight", 3, "Kika", -1, -1, "2", "1", true},     // prism: violet on top
    // Superposition: two different waves, so that their sum looks like neither. The
    // wrong answer lies outside the ranges and is refused by the dialog itself.
    {"frmInputLight", 4, "Wave", 2, 2, "30,5", "4,4", true},
    {"frmInputLight", 4, "Wave", 2, 3, "20,10", "4,4", true},
    {"frmInputLight", 4, nullptr, -1, -1, "30,5", "4,4", true},
    {"frmInputLight", 5, "Wave", -1, -1, "1", "2", true},     // red on the right
    {"frmInputLight", 6, "Wave", -1, -1, "6", "2", false},    // region 3: ultraviolet
    {"frmInputLight", 7, "Wave", -1, -1, "1", "3", false},    // region 5: infrared
    // Colour mixing: red, then green and blue mixed in; every answer is a colour.
    {"frmInputLight", 8, "Iro", -1, -1, "4", nullptr, false},
    {"frmInputLight", 9, "Iro", -1, -1, "2|1", nullptr, false},
    // Matter course.
    {"frmInputMaterial", 1, "Class", 1, 2, "2", "1", true},   // the narrower cup
    {"frmInputMaterial", 1, "Class", 1, 4, "1", "2", true},   // the finer ruler
    {"frmInputMaterial", 2, "Class", -1, -1, "1", "2", true},
    {"frmInputMaterial", 3, "Class", -1, -1, "1", "3", true},
    {"frmInputMaterial", 4, "Class", -1, -1, "2", "1", true},
    {"frmInputMaterial", 5, "Class", -1, -1, "1", "2", true},
    {"frmInputMaterial", 6, "Class", -1, -1, "4", "3", true},
    {"frmInputMaterial", 7, "Gensi", -1, -1, "2", "1", true},
    {"frmInputMaterial", 8, "Gensi", -1, -1, "1", "2", true},
    {"frmInputMaterial", 9, "Gensi", -1, -1, "1", "3", true},
    {"frmInputMaterial", 10, "Gensi", -1, -1, "2", "1", true},
    {"frmInputMaterial", 11, "Gensi", -1, -1, "3", "2", true},
};
// clang-format on

bool matches(const Row& r, const AskedAt& at) {
    return at.dialog == QLatin1String(r.dialog) && at.question == r.question &&
           (!r.procedure || at.procedure == QLatin1String(r.procedure)) &&
           (r.section < 0 || r.section == at.section) && (r.step < 0 || r.step == at.step);
}

QStringList fields(const QString& joined) {
    return joined.split(QLatin1Char(','));
}

} // namespace

std::optional<KnownAnswer> knownAnswer(const AskedAt& at) {
    if (at.dialog == QLatin1String("QInputDialog")) {
        // The naming quiz of the eyeball: part i carries legend number 9 - i.
        static const QRegularExpression part(QStringLiteral("^(\\d+)の名前は何ですか"));
        const auto m = part.match(at.prompt);
        if (!m.hasMatch()) return std::nullopt;
        const int i = m.captured(1).toInt();
        if (i < 1 || i > 8) return std::nullopt;
        const int right = 9 - i;
        return KnownAnswer{{{QString::number(right)}}, {QString::number(right % 8 + 1)}, true};
    }
    // The most specific row wins: the table lists step-specific rows first.
    for (const Row& r : kRows) {
        if (!matches(r, at)) continue;
        KnownAnswer a;
        for (const QString& ask : QString::fromUtf8(r.right).split(QLatin1Char('|')))
            a.right.append(fields(ask));
        if (r.wrong) a.wrong = fields(QString::fromUtf8(r.wrong));
        a.retried = r.retried;
        return a;
    }
    return std::nullopt;
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
