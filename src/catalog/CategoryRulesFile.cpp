#include "catalog/CategoryRulesFile.h"

#include <QRegularExpression>
#include <QString>

namespace {
const char kHeader[] =
    "# ZEL-1 Edit library categories\n"
    "# A sound whose name holds the piece (letter case aside) is given the category. One rule\n"
    "# a line: the piece, tabs or spaces, the category (one word). Put a piece that must end\n"
    "# with a space in double quotes: \"org \" finds \"Org\" and \"Big Org 2\", not \"Organic\".\n"
    "# The library files its sounds anew when this file changes (at its next opening or scan);\n"
    "# your own tags, favourites and hidden marks are kept apart and never change with it.\n";

bool ParsePiece(const QString& field, QString& piece) {
    if (!field.startsWith(QLatin1Char('"'))) {
        piece = field;
        return !field.contains(QLatin1Char('"'));
    }
    if (field.size() < 3 || !field.endsWith(QLatin1Char('"')))
        return false;
    piece = field.mid(1, field.size() - 2);
    return !piece.contains(QLatin1Char('"')) && !piece.trimmed().isEmpty();
}
}  // namespace

QByteArray CategoryRulesFile::ToText(const std::vector<CategoryRule>& rules) {
    QString text = QString::fromLatin1(kHeader) + QLatin1Char('\n');
    for (const CategoryRule& rule : rules) {
        const bool quoted = rule.word != rule.word.trimmed();
        text += (quoted ? QLatin1Char('"') + rule.word + QLatin1Char('"') : rule.word) +
                QLatin1Char('\t') + rule.category + QLatin1Char('\n');
    }
    return text.toUtf8();
}

std::vector<CategoryRule> CategoryRulesFile::FromText(const QByteArray& text,
                                                      QStringList& problems) {
    static const QRegularExpression kLastField(QStringLiteral("^(.*\\S)\\s+(\\S+)$"));
    std::vector<CategoryRule> rules;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QRegularExpressionMatch match = kLastField.match(line);
        QString piece;
        if (!match.hasMatch() || !ParsePiece(match.captured(1), piece)) {
            problems.append(QStringLiteral("line %1 is not a piece and a category (\"%2\")")
                                .arg(i + 1)
                                .arg(line.left(40)));
            continue;
        }
        const QString word = piece.toLower();
        std::erase_if(rules, [&](const CategoryRule& rule) { return rule.word == word; });
        rules.push_back({word, match.captured(2)});
    }
    return rules;
}
